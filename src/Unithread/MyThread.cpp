#include "Unithread/MyThread.h"

#include <algorithm>
#include <memory>
#include <mutex>
#include <utility>
#include <vector>

#include "Unithread/TempPageFile.h"

std::atomic<int32_t> CurrentArea{0};
std::atomic<int32_t> AreaCount{0};
std::atomic<int32_t> ShopTotal{0};
std::atomic<int32_t> ShopCount{0};
TShopListFile CsvFile;

namespace {
// The threads of workers that free themselves. They are joined, not detached, so that
// the program can let the last one finish before it ends.
struct TFreeWorkerThread {
  std::thread thread;
  std::shared_ptr<std::atomic<bool>> done;
};
std::mutex gFreeWorkersMutex;
std::vector<TFreeWorkerThread> gFreeWorkers;

// Joins the threads that have finished; called with gFreeWorkersMutex held.
void JoinFinishedWorkers() {
  auto finished = [](TFreeWorkerThread& w) {
    if (!w.done->load()) return false;
    w.thread.join();
    return true;
  };
  gFreeWorkers.erase(std::remove_if(gFreeWorkers.begin(), gFreeWorkers.end(), finished),
                     gFreeWorkers.end());
}
}  // namespace

TMyThread::TMyThread(bool createSuspended, TRunHost& host, TRunConfig config)
    : FHost(host), FConfig(std::move(config)) {
  if (!createSuspended) Resume();
}

TMyThread::~TMyThread() {
  if (FThread.joinable()) FThread.join();
}

void TMyThread::Resume() {
  if (FStarted) return;
  FStarted = true;
  if (!FreeOnTerminate) {
    FThread = std::thread([this] { Execute(); });
    return;
  }
  // A worker that frees itself may be gone as soon as its thread runs: nothing of it
  // is touched after the thread starts.
  auto done = std::make_shared<std::atomic<bool>>(false);
  std::lock_guard<std::mutex> lock(gFreeWorkersMutex);
  JoinFinishedWorkers();
  gFreeWorkers.push_back({std::thread([this, done] {
                            Execute();
                            delete this;
                            done->store(true);
                          }),
                          done});
}

void TMyThread::WaitFor() {
  if (FThread.joinable()) FThread.join();
}

void TMyThread::WaitForFreeWorkers() {
  std::vector<TFreeWorkerThread> threads;
  {
    std::lock_guard<std::mutex> lock(gFreeWorkersMutex);
    threads.swap(gFreeWorkers);
  }
  for (TFreeWorkerThread& w : threads) w.thread.join();
}

void TMyThread::NoteOutputFailed() {
  FOutputFailed = true;
  Terminate();
}

TDownloadOutcome TMyThread::DownloadPage(const Text& url) {
  const TDownloadOutcome outcome = DownloadToFile(url, FConfig.tempFile, {FConfig.caFile});
  if (outcome.fileFailed) {
    // Every later page would fail the same way: the run cannot go on.
    FRunFailed = true;
    Terminate();
  }
  return outcome;
}

void TMyThread::Execute() {
  FHost.FRunning = true;
  FHost.FWorkerResult = wrNoRecord;
  try {
    RunSelectedAreas();
  } catch (...) {
    // Whatever went wrong, the run still ends cleanly: the file keeps what was
    // written, the host gets its end-of-run call and learns that the run broke off.
    FRunFailed = true;
  }
  if (CsvFile.IsOpen() && !CsvFile.Close()) FOutputFailed = true;
  RemoveTempPageFile(FConfig.tempFile);

  if (FOutputFailed) {
    FHost.FWorkerResult = wrOutputFailed;
  } else if (FRunFailed) {
    FHost.FWorkerResult = wrRunFailed;
  } else if (!FConfig.areas.empty() && FListingsFetched == 0) {
    FHost.FWorkerResult = wrAccessFailed;
  }
  FHost.FRunning = false;
  Terminate();
  NotifyRunEnd();
}

void TMyThread::RunSelectedAreas() {
  const std::vector<int32_t>& areas = FConfig.areas;
  if (!CsvFile.Open(FConfig.saveFileName)) {
    // Without an output file nothing is fetched: the run would only lose its records.
    FOutputFailed = true;
    return;
  }
  if (!WriteShopListHeader(CsvFile)) NoteOutputFailed();
  AreaCount = static_cast<int32_t>(areas.size());
  SetupProgress();
  if (FOutputFailed) return;
  for (int32_t area : areas) {
    CurrentArea = area;
    StepProgress();
    ShowAreaStatus();
    ReadAreaListing();
    if (Terminated()) break;
  }
  if (!CsvFile.Close()) FOutputFailed = true;
}

void TMyThread::SetupProgress() {
  FHost.Synchronize([this] { FHost.HostSetupProgress(AreaCount); });
}

void TMyThread::StepProgress() {
  FHost.Synchronize([this] { FHost.HostStepProgress(); });
}

void TMyThread::ShowAreaStatus() {
  FHost.Synchronize([this] { FHost.HostShowAreaStatus(CurrentArea); });
}

void TMyThread::ShowShopStatus() {
  FHost.Synchronize([this] {
    ShopCount = ShopCount + 1;
    FHost.HostShowShopStatus(ShopCount, ShopTotal);
  });
}

void TMyThread::NotifyRunEnd() {
  FHost.Synchronize([this] { FHost.HostRunEnd(this); });
}
