#include "Unithread/MyThread.h"

#include <condition_variable>
#include <cstdio>
#include <mutex>
#include <utility>

#include "Unithread/TempPageFile.h"

std::atomic<int32_t> CurrentArea{0};
std::atomic<int32_t> AreaCount{0};
std::atomic<int32_t> ShopTotal{0};
std::atomic<int32_t> ShopCount{0};
TShopListFile CsvFile;

namespace {
// Workers that free themselves, counted so that the program can let the last one go
// before it ends.
std::mutex gFreeWorkersMutex;
std::condition_variable gFreeWorkersGone;
int gFreeWorkers = 0;
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
  // A worker that frees itself may be gone as soon as its thread runs: nothing of it
  // is touched after the thread starts.
  const bool freeOnTerminate = FreeOnTerminate;
  if (freeOnTerminate) {
    std::lock_guard<std::mutex> lock(gFreeWorkersMutex);
    gFreeWorkers++;
  }
  std::thread thread([this, freeOnTerminate] { ThreadMain(freeOnTerminate); });
  if (freeOnTerminate) {
    thread.detach();
  } else {
    FThread = std::move(thread);
  }
}

void TMyThread::WaitFor() {
  if (FThread.joinable()) FThread.join();
}

void TMyThread::WaitForFreeWorkers() {
  std::unique_lock<std::mutex> lock(gFreeWorkersMutex);
  gFreeWorkersGone.wait(lock, [] { return gFreeWorkers == 0; });
}

void TMyThread::ThreadMain(bool freeOnTerminate) {
  Execute();
  if (freeOnTerminate) {
    delete this;
    std::lock_guard<std::mutex> lock(gFreeWorkersMutex);
    gFreeWorkers--;
    gFreeWorkersGone.notify_all();
  }
}

void TMyThread::NoteOutputFailed() {
  FOutputFailed = true;
  Terminate();
}

void TMyThread::Execute() {
  FHost.FRunning = true;
  FHost.FWorkerResult = wrNoRecord;
  try {
    RunSelectedAreas();
  } catch (...) {
    // Whatever went wrong, the run still ends cleanly: the file keeps what was
    // written and the host gets its end-of-run call.
  }
  if (CsvFile.IsOpen() && !CsvFile.Close()) FOutputFailed = true;
  RemoveTempPageFile(FConfig.tempFile);

  if (FOutputFailed) {
    FHost.FWorkerResult = wrOutputFailed;
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
