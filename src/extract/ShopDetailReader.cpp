#include "extract/ShopDetailReader.h"

#include <chrono>
#include <thread>

#include "Unicommon/Download.h"
#include "Unithread/MyThread.h"
#include "Unithread/TempPageFile.h"
#include "extract/ShopDetailScan.h"

namespace {
// The pause between shop pages, which keeps the run gentle on the portal.
constexpr std::chrono::milliseconds kShopPageWait{300};
}  // namespace

void ReadShopDetail(TMyThread& worker, const Text& shopId) {
  const TRunConfig& config = worker.Config();
  ShopRecord record;
  record.ShopId = shopId;
  record.ReviewPageUrl = ReviewPageUrl(config.baseUrl, shopId);
  const Text detailUrl = DetailPageUrl(config.baseUrl, shopId);

  const TDownloadOutcome outcome = worker.DownloadPage(detailUrl);
  std::this_thread::sleep_for(kShopPageWait);
  // A page that could not be fetched counts as empty: the record keeps the identifier
  // and the two addresses, and never takes another page's contents.
  const TStringList page = LoadFetchedPage(outcome, config.tempFile);
  if (page.Count() > 0) ScanShopDetailPage(page, record, worker.TerminatedFlag());

  record.DetailPageUrl = detailUrl;
  if (!WriteShopRecord(CsvFile, record)) {
    worker.NoteOutputFailed();
    return;
  }
  worker.Host().FWorkerResult = wrRecordWritten;
}
