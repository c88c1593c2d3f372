#pragma once
// The seam between the worker and what hosts a run (the window or the headless
// command). The worker hands each of its synchronous calls to Synchronize, which runs
// it on the host's thread and returns once it has run; the Host* effects are only ever
// called from inside such a call.
#include <atomic>
#include <cstdint>
#include <functional>

class TMyThread;

// Worker results, read by the host once the run has ended.
enum TWorkerResultCode : int32_t {
  wrNoRecord = 0,       // no shop record written
  wrRecordWritten = 1,  // at least one record written
  wrRunFailed = 3,      // the run could not go on: an unexpected error, or no page
                        // could be stored in the Temporary page file
  wrOutputFailed = 4,   // the output file could not be created or written
  wrAccessFailed = 9,   // not one listing page of the run could be fetched
};

class TRunHost {
 public:
  virtual ~TRunHost() = default;

  // Written by the worker thread, read by the host thread.
  std::atomic<int32_t> FWorkerResult{wrNoRecord};
  std::atomic<bool> FRunning{false};

  virtual void Synchronize(const std::function<void()>& call) = 0;

  virtual void HostSetupProgress(int32_t areaCount) = 0;
  virtual void HostStepProgress() = 0;
  virtual void HostShowAreaStatus(int32_t area) = 0;
  virtual void HostShowShopStatus(int32_t shopCount, int32_t shopTotal) = 0;
  // The end-of-run call; the host ends the run (closing message, reset, or program end).
  virtual void HostRunEnd(TMyThread* sender) = 0;
};
