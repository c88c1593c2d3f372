#include "Unithread/AreaListing.h"

#include <algorithm>

#include "Unicommon/CodePage.h"
#include "Unicommon/Download.h"
#include "Unithread/MyThread.h"
#include "Unithread/TempPageFile.h"
#include "extract/PageLines.h"
#include "extract/ShopDetailReader.h"

namespace {
const Text& CountSuffix() {
  static const Text suffix = L("件");
  return suffix;
}
}  // namespace

int32_t ReadStatedShopTotal(const TStringList& page, const std::atomic<bool>& terminated) {
  for (int i = 0; i < page.Count(); i++) {
    if (InnerHeadOf(page, i) == "div" && LineContains(page, i, "result\"") &&
        LineExists(page, i + 2)) {
      const Text count = CleanedLine(page, i + 2);
      const int p = TextFind(count, CountSuffix());
      if (p > 0) {
        // A comma is never the second byte of a double-byte character, so removing
        // every one leaves the digits (and nothing else) joined.
        Text digits = TextCopy(count, 1, p - 1);
        digits.erase(std::remove(digits.begin(), digits.end(), ','), digits.end());
        return TextToIntDef(digits, 0);
      }
    }
    if (terminated) break;
  }
  return 0;
}

bool IsShopHeading(const TStringList& page, int i) {
  return HeadOf(page, i) == "<h3" && LineContains(page, i, "resultHead_title");
}

Text CutShopId(const TStringList& page, int headingLine) {
  if (!LineExists(page, headingLine + 1)) return Text();
  Text s = ConvertedLine(page, headingLine + 1);
  int p = TextFind(s, "_");
  if (p == 0) return Text();
  s = TextCopy(s, p + 1, static_cast<int>(s.size()));
  p = TextFind(s, "/");
  if (p == 0) return Text();
  s = TextCopy(s, p + 1, static_cast<int>(s.size()));
  p = TextFind(s, "/");
  if (p == 0) return Text();
  return TextCopy(s, 1, p - 1);
}

void TMyThread::ReadAreaListing() {
  ShopTotal = 0;
  ShopCount = 0;
  const TDownloadOutcome outcome = DownloadPage(ListingPageUrl(FConfig.baseUrl, CurrentArea));
  // A page that could not be fetched is read as an empty page, never as whatever an
  // earlier download left in the Temporary page file.
  if (outcome.Fetched()) FListingsFetched++;
  const TStringList page = LoadFetchedPage(outcome, FConfig.tempFile);

  if (page.Count() > 0) ShopTotal = ReadStatedShopTotal(page, TerminatedFlag());
  if (ShopTotal <= 0 || Terminated()) return;

  for (int i = 0; i < page.Count(); i++) {
    if (IsShopHeading(page, i)) {
      const Text shopId = CutShopId(page, i);
      if (!shopId.empty()) {
        ReadShopDetail(*this, shopId);
        ShowShopStatus();
      }
    }
    if (ShopCount >= ShopTotal) break;
    if (Terminated()) break;
  }
}
