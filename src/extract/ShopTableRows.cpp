// The shop data table: label rows with their value on the next line, telephone value
// rows, and the feature icons listed below the closing days row.
#include "Unicommon/CodePage.h"
#include "Unicommon/PageText.h"
#include "extract/IconLabels.h"
#include "extract/PageLines.h"
#include "extract/ShopDetailScan.h"

namespace {

// The icon list starts four lines below the closing days label and spans 26 lines.
constexpr int kIconFirstOffset = 4;
constexpr int kIconLastOffset = 29;

// The address entry holds the postcode, a blank and the address. An entry without a
// blank is an address alone and does not replace one found earlier.
void StoreAddress(const Text& rawValue, ShopRecord& record) {
  // A "?" stands for a character code page 932 lacks; in an address it is a dash.
  const Text value = TextTrim(NormalizeWidth(TextReplace(rawValue, "?", "-", kReplaceEvery)));
  const int blankAt = TextFind(value, " ");
  if (blankAt > 0) {
    record.PostalCode = TextCopy(value, 1, blankAt - 1);
    record.Address = TextCopy(value, blankAt + 1, static_cast<int>(value.size()));
  } else if (record.Address.empty()) {
    record.Address = value;
  }
}

Text NormalizedBusinessHours(const Text& rawValue) {
  static const Text kWaveDash = L("～");
  static const Text kFullWidthColon = L("：");
  Text value = TextReplace(rawValue, "?", kWaveDash, kReplaceEvery);
  value = TextReplace(value, kFullWidthColon, ":", kReplaceEvery);
  return TextTrim(NormalizeWidth(value));
}

// The icon code of an "<li" line is the file name of its image without the extension:
// the last path piece before the line's first ".".
Text IconLabelOfLine(const TStringList& page, int i, TStringList& scratch) {
  const Text line = ConvertedLine(page, i);
  const int dotAt = TextFind(line, ".");
  if (dotAt == 0) return {};
  scratch.Clear();
  SplitText(TextCopy(line, 1, dotAt - 1), "/", scratch);
  if (scratch.Count() == 0) return {};
  return IconCodeToLabel(scratch[scratch.Count() - 1]);
}

// Labels of the known feature icons listed below the closing days row at line i, in
// page order, joined by "、".
Text ScanFeatureIcons(const TStringList& page, int i, const std::atomic<bool>& terminated) {
  static const Text kSeparator = L("、");
  Text features;
  TStringList scratch;
  for (int k = kIconFirstOffset; k <= kIconLastOffset; ++k) {
    if (terminated.load()) break;
    // The page's last line is never part of the icon list.
    if (i + k >= page.Count() - 1) break;
    const Text head = HeadOf(page, i + k);
    if (head == "<di" || head == "<p>") break;
    if (head != "<li") continue;
    const Text label = IconLabelOfLine(page, i + k, scratch);
    if (label.empty()) continue;
    if (!features.empty()) features += kSeparator;
    features += label;
  }
  return features;
}

}  // namespace

void HandleLabelRow(const TStringList& page, int i, ShopRecord& record,
                    const std::atomic<bool>& terminated) {
  static const Text kAddressLabel = L("住所");
  static const Text kHoursLabel = L("営業時間");
  static const Text kClosingDaysLabel = L("定休日");

  const Text label = CleanedLine(page, i);
  const bool hasValue = LineExists(page, i + 1);
  if (label == kAddressLabel) {
    if (hasValue) StoreAddress(CleanedLine(page, i + 1), record);
  } else if (label == "TEL") {
    // Stored only while still empty; an empty value leaves room for a later row.
    if (record.Phone.empty() && hasValue) record.Phone = CleanedLine(page, i + 1);
  } else if (label == "FAX") {
    if (record.Fax.empty() && hasValue) record.Fax = CleanedLine(page, i + 1);
  } else if (label == kHoursLabel) {
    if (hasValue && record.BusinessHours.empty()) {
      record.BusinessHours = NormalizedBusinessHours(CleanedLine(page, i + 1));
    }
  } else if (label == kClosingDaysLabel) {
    if (record.ClosingDays.empty() && hasValue) record.ClosingDays = CleanedLine(page, i + 1);
    const Text features = ScanFeatureIcons(page, i, terminated);
    if (record.ShopFeatures.empty()) record.ShopFeatures = features;
  }
}

void HandleValueRow(const TStringList& page, int i, ShopRecord& record) {
  if (record.Phone.empty() && LineContains(page, i, "telArea")) {
    record.Phone = CleanedLine(page, i);
  }
}
