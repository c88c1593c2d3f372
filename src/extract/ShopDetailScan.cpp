#include "extract/ShopDetailScan.h"

#include "Unicommon/CodePage.h"
#include "extract/PageLines.h"

namespace {

// The heading's introduction paragraph is looked for on lines i+3 to i+9.
constexpr int kIntroFirstOffset = 3;
constexpr int kIntroLastOffset = 9;

// Name, type and introduction from the shop's main heading at line i.
void ReadHeadingBlock(const TStringList& page, int i, ShopRecord& record,
                      const std::atomic<bool>& terminated) {
  static const Text kIdeographicSpace = L("　");
  static const Text kWaveDash = L("～");

  // A "?" is what the conversion leaves of the wave dash, which the page uses in names.
  Text name = TextReplace(CleanedLine(page, i), kIdeographicSpace, " ", kReplaceEvery);
  name = TextReplace(name, "?", kWaveDash, kReplaceEvery);
  record.ShopName = TextTrim(name);

  if (LineExists(page, i + 2)) {
    Text type = CleanedLine(page, i + 2);
    if (!type.empty()) record.ShopType = type;
  }

  for (int k = kIntroFirstOffset; k <= kIntroLastOffset; ++k) {
    if (terminated.load()) return;
    // The page's last line is never part of the heading block.
    if (i + k >= page.Count() - 1) return;
    if (TextTrim(page[i + k]) == "</li>") return;
    if (HeadOf(page, i + k) == "<p>") {
      record.Introduction = CleanedLine(page, i + k);
      return;
    }
  }
}

// The overall review rating; a shop without one ("-") has no review page.
void ReadRatingLine(const TStringList& page, int i, ShopRecord& record) {
  if (!LineContains(page, i, "class=\"rating\"")) return;
  record.ReviewRating = CleanedLine(page, i);
  if (record.ReviewRating == "-") record.ReviewPageUrl.clear();
}

// Review count and cars listed: a link naming the figure, the figure on the next line.
void ReadReviewLink(const TStringList& page, int i, ShopRecord& record) {
  static const Text kReviewCountLabel = L("投稿数");
  static const Text kCarsListedLabel = L("掲載台数");

  const Text label = CleanedLine(page, i);
  if (label == kReviewCountLabel && LineExists(page, i + 1)) {
    record.ReviewCount = CleanedLine(page, i + 1);
  } else if (label == kCarsListedLabel && LineExists(page, i + 1)) {
    record.CarsListed = CleanedLine(page, i + 1);
  }
}

// The value attribute of a map input line, e.g. `value="35.6" />` gives 35.6. Leaves
// field unchanged when the line has no value attribute.
void ReadMapValue(const TStringList& page, int i, Text& field) {
  const Text line = ConvertedLine(page, i);
  const int valueAt = TextFind(line, "value=");
  if (valueAt == 0) return;
  Text value = TextCopy(line, valueAt, static_cast<int>(line.size()));
  value = TextReplace(value, "value=", "", kReplaceEvery);
  value = TextReplace(value, "/>", "", kReplaceEvery);
  value = TextReplace(value, "\"", "", kReplaceEvery);
  field = TextTrim(value);
}

enum class TScanStep { Continue, End };

// Map inputs: the latitude, then the longitude, which is the last item the page offers.
TScanStep ReadMapInput(const TStringList& page, int i, ShopRecord& record) {
  if (LineContains(page, i, "name=\"lat\"")) {
    ReadMapValue(page, i, record.Latitude);
  } else if (LineContains(page, i, "name=\"lon\"")) {
    ReadMapValue(page, i, record.Longitude);
    return TScanStep::End;
  }
  return TScanStep::Continue;
}

// Hands line i to the handler of the first line shape it has; the other shapes are not
// tried even when that handler finds nothing on the line.
TScanStep ScanLine(const TStringList& page, int i, ShopRecord& record,
                   const std::atomic<bool>& terminated) {
  const Text head = HeadOf(page, i);
  const Text innerHead = InnerHeadOf(page, i);
  if (head == "<h1") {
    ReadHeadingBlock(page, i, record, terminated);
  } else if (innerHead == "em ") {
    ReadRatingLine(page, i, record);
  } else if (head == "<a ") {
    ReadReviewLink(page, i, record);
  } else if (innerHead == "th>") {
    HandleLabelRow(page, i, record, terminated);
  } else if (innerHead == "dd ") {
    HandleValueRow(page, i, record);
  } else if (head == "<in") {
    return ReadMapInput(page, i, record);
  }
  return TScanStep::Continue;
}

}  // namespace

void ScanShopDetailPage(const TStringList& page, ShopRecord& record,
                        const std::atomic<bool>& terminated) {
  for (int i = 0; i < page.Count(); ++i) {
    if (ScanLine(page, i, record, terminated) == TScanStep::End) return;
    if (terminated.load()) return;
  }
}
