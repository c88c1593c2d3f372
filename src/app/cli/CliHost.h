#pragma once
// Hosts a run in a terminal: the worker's synchronous calls run on the worker thread
// itself, one at a time, and write the progress to a stream (standard error).
#include <cstdio>
#include <mutex>
#include <string>

#include "Unithread/RunHost.h"

class TCliHost : public TRunHost {
 public:
  // live: rewrite one status line in place (a terminal); otherwise print plain lines.
  TCliHost(std::FILE* out, bool live) : FOut(out), FLive(live) {}

  void Synchronize(const std::function<void()>& call) override;
  void HostSetupProgress(int32_t areaCount) override;
  void HostStepProgress() override;
  void HostShowAreaStatus(int32_t area) override;
  void HostShowShopStatus(int32_t shopCount, int32_t shopTotal) override;
  void HostRunEnd(TMyThread* sender) override;

  bool RunEnded() const { return FRunEnded; }

 private:
  void ShowLine(const std::string& status);

  std::mutex FMutex;
  std::FILE* FOut;
  bool FLive;
  int32_t FAreaMax = 0;
  int32_t FAreaPosition = 0;
  std::string FAreaText;
  bool FLineOpen = false;
  bool FRunEnded = false;
};
