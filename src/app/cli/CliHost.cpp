#include "app/cli/CliHost.h"

#include <cstdio>

#include "Unithread/Prefectures.h"
#include "Unithread/StatusTexts.h"

void TCliHost::Synchronize(const std::function<void()>& call) {
  std::lock_guard<std::mutex> lock(FMutex);
  call();
}

void TCliHost::HostSetupProgress(int32_t areaCount) {
  FAreaMax = areaCount;
  FAreaPosition = 0;
}

void TCliHost::HostStepProgress() {
  if (FAreaPosition < FAreaMax) FAreaPosition++;
}

void TCliHost::HostShowAreaStatus(int32_t area) {
  const auto& names = PrefectureNamesUtf8();
  const char* name = area >= 1 && area <= kPrefectureCount ? names[area - 1] : "";
  FAreaText = AreaStatusText(FAreaPosition, FAreaMax, name);
  ShowLine(kReadingStatus);
}

void TCliHost::HostShowShopStatus(int32_t shopCount, int32_t shopTotal) {
  ShowLine(ShopStatusText(shopCount, shopTotal));
}

void TCliHost::HostRunEnd(TMyThread*) {
  if (FLineOpen) std::fputs("\n", FOut);
  FLineOpen = false;
  std::fflush(FOut);
  FRunEnded = true;
}

void TCliHost::ShowLine(const std::string& status) {
  if (FLive) {
    // Carriage return and erase-line keep one line current on a terminal.
    std::fprintf(FOut, "\r\033[K%s  %s", FAreaText.c_str(), status.c_str());
    FLineOpen = true;
  } else if (status == kReadingStatus) {
    std::fprintf(FOut, "%s\n", FAreaText.c_str());
  } else {
    std::fprintf(FOut, "%s\n", status.c_str());
  }
  std::fflush(FOut);
}
