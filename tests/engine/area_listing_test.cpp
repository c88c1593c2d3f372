// Reading the stated shop count and the shop identifiers off a listing page.
#include <gtest/gtest.h>

#include "Unicommon/CodePage.h"
#include "Unithread/AreaListing.h"
#include "support/EucJp.h"

namespace {

const std::atomic<bool> kRunning{false};

int32_t TotalOf(std::initializer_list<const char*> lines) {
  return ReadStatedShopTotal(EucPage(lines), kRunning);
}

TEST(StatedShopTotal, ReadsTheCountTwoLinesBelowTheResultBlock) {
  const std::pair<const char*, int32_t> counts[] = {
      {"<span>12件</span>", 12},
      {"<span>1,234件</span>", 1234},  // digit groups are a count, not garbage
      {"<span>12,345,678件</span>", 12345678},
      {"<b>3</b>件", 3},         // tags go before the count is read
      {"<span>3 件</span>", 0},  // a blank before the count word
      {"<span>約3件</span>", 0},
      {"<span>-2件</span>", -2},  // negative: read, and then no shop is read
      {"<span>３件</span>", 0},   // full-width digits are not a number
  };
  for (const auto& [countLine, expected] : counts) {
    EXPECT_EQ(TotalOf({"<div class=\"result\">", "<p>", countLine}), expected) << countLine;
  }
}

TEST(StatedShopTotal, OnlyTheFirstBlockWithACountWordCounts) {
  EXPECT_EQ(TotalOf({"<div class=\"result\">", "<p>", "該当なし", " <div id=\"result\">", "", "7件",
                     "<div class=\"result\">", "", "9件"}),
            7);
  // The count is the second line below, not the next one.
  EXPECT_EQ(TotalOf({"<div class=\"result\">", "5件", "x"}), 0);
  // The first byte of the line is not looked at; the marker needs its closing quote.
  EXPECT_EQ(TotalOf({"xdiv class=\"result\">", "", "4件"}), 4);
  EXPECT_EQ(TotalOf({"<div class=\"results\">", "", "4件"}), 0);
  // A block whose count line would lie past the end counts nothing.
  EXPECT_EQ(TotalOf({"<div class=\"result\">", ""}), 0);
}

TEST(StatedShopTotal, StopsAtTheFirstLineOnceTerminated) {
  const std::atomic<bool> stopped{true};
  EXPECT_EQ(ReadStatedShopTotal(EucPage({"<p>", "<div class=\"result\">", "", "4件"}), stopped), 0);
}

TEST(ShopIdCut, TakesTheTextBetweenTheSlashesAfterTheFirstUnderscore) {
  const std::pair<const char*, const char*> cases[] = {
      {"<a href=\"/usedcar_shop/0123456789/detail.html\">店</a>", "0123456789"},
      {"<a href=\"https://x/usedcar_shop/AB-12/\">", "AB-12"},
      {"<a class=\"shop_link\" href=\"/usedcar_shop/1/\">", "usedcar_shop"},  // first "_" wins
      {"<a href=\"/usedcar_shop//detail.html\">", ""},   // empty between slashes
      {"<a href=\"/usedcar-shop/1/detail.html\">", ""},  // no "_"
      {"_/only-one-slash", ""},
      {"_x/店舗/", "店舗"},
  };
  for (const auto& [line, id] : cases) {
    const TStringList page = EucPage({"<h3 class=\"resultHead_title\">", line});
    ASSERT_TRUE(IsShopHeading(page, 0));
    EXPECT_EQ(CutShopId(page, 0), L(id)) << line;
  }
}

TEST(ShopIdCut, NeedsAHeadingAndALineBelowIt) {
  const TStringList page = EucPage({"<h3 class=\"title\">", " <h3 class=\"resultHead_title\">"});
  EXPECT_FALSE(IsShopHeading(page, 0));
  EXPECT_TRUE(IsShopHeading(page, 1));
  EXPECT_EQ(CutShopId(page, 1), "");  // a heading on the last line has no identifier line
}

}  // namespace
