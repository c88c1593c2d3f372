#pragma once
// A run host for tests: runs the worker's synchronous calls at once, on the worker
// thread, and records what each showed.
#include <functional>
#include <mutex>
#include <string>
#include <vector>

#include "Unithread/MyThread.h"
#include "Unithread/RunHost.h"

class TRecordingHost : public TRunHost {
 public:
  void Synchronize(const std::function<void()>& call) override {
    std::lock_guard<std::mutex> lock(FMutex);
    call();
  }
  void HostSetupProgress(int32_t areaCount) override {
    Record("setup " + std::to_string(areaCount));
  }
  void HostStepProgress() override { Record("step"); }
  void HostShowAreaStatus(int32_t area) override { Record("area " + std::to_string(area)); }
  void HostShowShopStatus(int32_t shopCount, int32_t shopTotal) override {
    Record("shop " + std::to_string(shopCount) + "/" + std::to_string(shopTotal));
    if (OnShopStatus) OnShopStatus(shopCount);
  }
  void HostRunEnd(TMyThread* sender) override {
    Record(std::string("end running=") + (FRunning ? "1" : "0") +
           " terminated=" + (sender->Terminated() ? "1" : "0"));
  }

  // Called inside the shop status call, for tests that act mid-run.
  std::function<void(int32_t shopCount)> OnShopStatus;
  std::vector<std::string> Events;

 private:
  void Record(const std::string& event) { Events.push_back(event); }
  std::mutex FMutex;
};
