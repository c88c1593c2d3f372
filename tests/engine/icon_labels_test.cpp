#include <gtest/gtest.h>

#include "Unicommon/CodePage.h"
#include "extract/IconLabels.h"

namespace {

TEST(IconCodeToLabel, KnownCodesGiveTheirLabels) {
  const struct {
    const char* code;
    const char* label;
  } cases[] = {
      {"101", "車検できます"},
      {"102", "修理・整備ＯＫ"},
      {"106", "各種損害＆自動車保険取扱店"},
      {"201", "常時、在庫１００台以上です"},
      {"shop_icon_total_price", "支払総額推奨店"},
      {"302", "４ＷＤ専門店"},
      {"401", "（社）日本中古自動車販売協会連合会加盟店"},
      {"503", "スタッフ募集しています"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(IconCodeToLabel(c.code), L(c.label)) << c.code;
  }
}

TEST(IconCodeToLabel, LabelsAreCodePage932Bytes) {
  // 修理・整備ＯＫ with full-width O and K.
  EXPECT_EQ(IconCodeToLabel("102"), "\x8f\x43\x97\x9d\x81\x45\x90\xae\x94\xf5\x82\x6e\x82\x6a");
}

TEST(IconCodeToLabel, OnlyTheWholeExactCodeMatches) {
  const char* unknown[] = {
      "",    " 101", "101 ",    "SHOP_ICON_TOTAL_PRICE", "shop_icon_total", "10", "1011", "114",
      "306", "312",  "101.gif",
  };
  for (const char* code : unknown) {
    EXPECT_EQ(IconCodeToLabel(code), "") << '"' << code << '"';
  }
}

}  // namespace
