#pragma once
// The one worker of a run: walks the selected prefectures, reads each listing page and
// every shop on it, writes the shop list file and keeps its host's progress current.
#include <atomic>
#include <cstdint>
#include <thread>

#include "Unicommon/Download.h"
#include "Unithread/RunConfig.h"
#include "Unithread/RunHost.h"
#include "extract/ShopListFile.h"

// Run values, written by the worker and read inside its synchronous calls.
extern std::atomic<int32_t> CurrentArea;
extern std::atomic<int32_t> AreaCount;
extern std::atomic<int32_t> ShopTotal;
extern std::atomic<int32_t> ShopCount;
// The open output file of the run; only the worker thread touches it.
extern TShopListFile CsvFile;

class TMyThread {
 public:
  // Created suspended, the thread starts at Resume.
  TMyThread(bool createSuspended, TRunHost& host, TRunConfig config);
  ~TMyThread();
  TMyThread(const TMyThread&) = delete;
  TMyThread& operator=(const TMyThread&) = delete;

  // With FreeOnTerminate the worker deletes itself once its end-of-run call has
  // returned; otherwise its owner calls WaitFor and deletes it.
  bool FreeOnTerminate = false;

  void Resume();
  void Terminate() { FTerminated.store(true); }
  bool Terminated() const { return FTerminated.load(); }
  const std::atomic<bool>& TerminatedFlag() const { return FTerminated; }
  void WaitFor();

  const TRunConfig& Config() const { return FConfig; }
  TRunHost& Host() { return FHost; }

  // Blocks until the thread of every worker that frees itself has ended (used at
  // program end).
  static void WaitForFreeWorkers();

  // Synchronous calls: each runs its effect on the host's thread and waits for it.
  void SetupProgress();
  void StepProgress();
  void ShowAreaStatus();
  void ShowShopStatus();
  void NotifyRunEnd();

  // Downloads url into the Temporary page file. A page that cannot be stored there
  // ends the run as a stop does.
  TDownloadOutcome DownloadPage(const Text& url);
  // Notes that the output file could not be written; the run ends as a stop does.
  void NoteOutputFailed();

 protected:
  void Execute();
  void RunSelectedAreas();
  void ReadAreaListing();

 private:
  TRunHost& FHost;
  TRunConfig FConfig;
  std::atomic<bool> FTerminated{false};
  std::thread FThread;
  bool FStarted = false;
  int FListingsFetched = 0;
  bool FOutputFailed = false;
  bool FRunFailed = false;
};
