#include <gtest/gtest.h>

#include <array>
#include <atomic>
#include <string>
#include <vector>

#include "Unicommon/CodePage.h"
#include "extract/ShopDetailScan.h"
#include "support/EucJp.h"

namespace {

constexpr const char* kReviewUrl = "https://portal.example/user_review/ab12/detail.html";

// Compares a code page 932 field with the UTF-8 text it should hold, printing both as UTF-8.
::testing::AssertionResult Holds(const Text& field, const std::string& utf8) {
  if (field == L(utf8.c_str())) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure()
         << "holds \"" << LocalToUtf8(field) << "\", expected \"" << utf8 << '"';
}

// A record as the detail reader hands it to the scan: identifier and review page known.
ShopRecord FreshRecord() {
  ShopRecord record;
  record.ShopId = "ab12";
  record.ReviewPageUrl = kReviewUrl;
  return record;
}

ShopRecord Scan(const TStringList& page, bool terminated = false) {
  const std::atomic<bool> flag{terminated};
  ShopRecord record = FreshRecord();
  ScanShopDetailPage(page, record, flag);
  return record;
}

// A page built line by line, for fixtures that need generated lines.
TStringList PageOf(const std::vector<std::string>& utf8Lines) {
  TStringList page;
  for (const auto& line : utf8Lines) page.Add(Utf8ToEucJp(line));
  return page;
}

TEST(ShopDetailScan, RealisticPageFillsEveryField) {
  const TStringList page = EucPage({
      "<!DOCTYPE html>",
      "<html lang=\"ja\">",
      "<body>",
      "  <div class=\"shopHeader\">",
      "    <h1 class=\"shopName\">カーショップ　ミルバ〜本店 </h1>",
      "    <ul class=\"shopTags\">",
      "      <li>認定中古車販売店</li>",
      "    </ul>",
      "    <div class=\"shopIntro\">",
      "      <p>創業三十年、地域に根ざした販売店です。</p>",
      "    </div>",
      "  </div>",
      "  <div class=\"review\">",
      "    <em class=\"rating\">4.6</em>",
      "    <a href=\"/user_review/ab12/detail.html\">投稿数</a>",
      "    <span class=\"count\">128件</span>",
      "    <a href=\"/usedcar_shop/ab12/stock.html\">掲載台数</a>",
      "    <span class=\"count\">57台</span>",
      "  </div>",
      "  <table class=\"shopData\">",
      "    <tr>",
      "      <th>住所</th>",
      "      <td>〒100-0005　東京都千代田区丸の内１〜９〜１</td>",
      "    </tr>",
      "    <tr>",
      "      <th>TEL</th>",
      "      <td>03-1234-5678</td>",
      "      <dd class=\"telArea\">0120-00-0000</dd>",
      "    </tr>",
      "    <tr>",
      "      <th>FAX</th>",
      "      <td>03-1234-5679</td>",
      "    </tr>",
      "    <tr>",
      "      <th>営業時間</th>",
      "      <td>１０：００〜１９：００（年末年始を除く）</td>",
      "    </tr>",
      "    <tr>",
      "      <th>定休日</th>",
      "      <td>毎週水曜日</td>",
      "    </tr>",
      "  </table>",
      "  <ul class=\"shopIcons\">",
      "    <li><img src=\"/img/shop/icon/101.gif\" alt=\"車検\"></li>",
      "    <li><img src=\"/img/shop/icon/102.gif\" alt=\"\"></li>",
      "    <li><img src=\"/img/shop/icon/shop_icon_total_price.png\" alt=\"\"></li>",
      "  </ul>",
      "  <div class=\"map\">",
      "    <input type=\"hidden\" name=\"lat\" value=\"35.681236\" />",
      "    <input type=\"hidden\" name=\"lon\" value=\"139.767125\" />",
      "  </div>",
      "</body>",
      "</html>",
  });
  const ShopRecord record = Scan(page);

  const std::array<std::string, ShopRecord::kFieldCount> expected = {
      "ab12",
      "カーショップ ミルバ～本店",
      "認定中古車販売店",
      "創業三十年、地域に根ざした販売店です。",
      "〒100-0005",
      "東京都千代田区丸の内1-9-1",
      "03-1234-5678",
      "03-1234-5679",
      "10:00～19:00（年末年始を除く）",
      "毎週水曜日",
      "車検できます、修理・整備ＯＫ、支払総額推奨店",
      "57台",
      "4.6",
      "128件",
      "35.681236",
      "139.767125",
      kReviewUrl,
      "",
  };
  const auto fields = record.Fields();
  for (int column = 0; column < ShopRecord::kFieldCount; ++column) {
    EXPECT_TRUE(Holds(*fields[column], expected[column])) << "column " << column + 1;
  }
}

TEST(ShopDetailScan, EmptyPageLeavesTheRecordAsHandedIn) {
  const ShopRecord record = Scan(TStringList{});
  EXPECT_EQ(record.ShopId, "ab12");
  EXPECT_EQ(record.ReviewPageUrl, kReviewUrl);
  EXPECT_EQ(record.ShopName, "");
}

TEST(ShopDetailHeading, NameFoldsIdeographicSpaceAndUnconvertibleCharacters) {
  const ShopRecord record = Scan(EucPage({"<h1>　ミルバ　オート?桜店?　</h1>"}));
  EXPECT_TRUE(Holds(record.ShopName, "ミルバ オート～桜店～"));
}

TEST(ShopDetailHeading, IntroductionSearchNeverReadsTheLastLine) {
  // The heading is four lines above the end; its paragraph is the page's last line.
  const ShopRecord atEnd =
      Scan(EucPage({"<h1>店</h1>", "", "<span>販売店</span>", "<div>", "<p>紹介</p>"}));
  EXPECT_EQ(atEnd.Introduction, "");
  EXPECT_TRUE(Holds(atEnd.ShopType, "販売店"));

  const ShopRecord oneMore =
      Scan(EucPage({"<h1>店</h1>", "", "<span>販売店</span>", "<div>", "<p>紹介</p>", "</div>"}));
  EXPECT_TRUE(Holds(oneMore.Introduction, "紹介"));
}

TEST(ShopDetailHeading, IntroductionSearchStopsAtListEndAndAfterSevenLines) {
  const ShopRecord closedList =
      Scan(EucPage({"<h1>店</h1>", "", "", "  </li>  ", "<p>紹介</p>", "", ""}));
  EXPECT_EQ(closedList.Introduction, "");

  // Offsets 3 to 9 are searched: a paragraph at offset 9 is found, at offset 10 it is not.
  std::vector<std::string> lines(12, "<div>");
  lines[0] = "<h1>店</h1>";
  lines[9] = "<p>九</p>";
  EXPECT_TRUE(Holds(Scan(PageOf(lines)).Introduction, "九"));
  lines[9] = "<div>";
  lines[10] = "<p>十</p>";
  EXPECT_EQ(Scan(PageOf(lines)).Introduction, "");
}

TEST(ShopDetailHeading, SecondHeadingOverwritesNameButKeepsEarlierTypeAndIntroduction) {
  const ShopRecord record = Scan(EucPage({
      "<h1>一号店</h1>",
      "",
      "<span>販売店</span>",
      "<p>最初の紹介</p>",
      "<h1>二号店</h1>",
      "",
      "<span></span>",
      "",
      "",
  }));
  EXPECT_TRUE(Holds(record.ShopName, "二号店"));
  EXPECT_TRUE(Holds(record.ShopType, "販売店"));
  EXPECT_TRUE(Holds(record.Introduction, "最初の紹介"));
}

TEST(ShopDetailReview, DashRatingDropsTheReviewPageForGood) {
  const ShopRecord record = Scan(EucPage({
      "<em class=\"rating\">-</em>",
      "<em class=\"rating\">4.0</em>",
  }));
  EXPECT_EQ(record.ReviewRating, "4.0");
  EXPECT_EQ(record.ReviewPageUrl, "");

  EXPECT_EQ(Scan(EucPage({"<em class=\"rating\">-</em>"})).ReviewRating, "-");
}

TEST(ShopDetailReview, EmphasisWithoutRatingMarkerIsIgnored) {
  const ShopRecord record = Scan(EucPage({
      "<em class=\"rating\">3.5</em>",
      "<em class=\"new\">-</em>",
  }));
  EXPECT_EQ(record.ReviewRating, "3.5");
  EXPECT_EQ(record.ReviewPageUrl, kReviewUrl);
}

TEST(ShopDetailReview, LinksNameTheFigureOnTheNextLine) {
  const ShopRecord record = Scan(EucPage({
      "<a href=\"#\">投稿数</a>",
      "<span>5件</span>",
      "<a href=\"#\">投稿数（新着）</a>",
      "<span>99件</span>",
      "<a href=\"#\">掲載台数</a>",
      "<span>12台</span>",
      "<a href=\"#\">投稿数</a>",
      "<span>6件</span>",
      "<a href=\"#\">掲載台数</a>",
  }));
  EXPECT_TRUE(Holds(record.ReviewCount, "6件"));
  // The last link has no next line and leaves the earlier figure.
  EXPECT_TRUE(Holds(record.CarsListed, "12台"));
}

TEST(ShopDetailMap, LatitudeWithoutValueIsSkippedAndLongitudeEndsTheScan) {
  const ShopRecord record = Scan(EucPage({
      "<input type=\"hidden\" name=\"lat\" value=\"35.1\" />",
      "<input type=\"hidden\" name=\"lat\" />",
      "<input type=\"hidden\" name=\"zoom\" value=\"16\" />",
      "<input type=\"hidden\" name=\"lon\" value=\"139.2\"/>",
      "<th>TEL</th>",
      "<td>03-0000-0000</td>",
  }));
  EXPECT_EQ(record.Latitude, "35.1");
  EXPECT_EQ(record.Longitude, "139.2");
  EXPECT_EQ(record.Phone, "");
}

TEST(ShopDetailMap, LongitudeWithoutValueStillEndsTheScan) {
  const ShopRecord record = Scan(EucPage({
      "<input type=\"hidden\" name=\"lon\">",
      "<input type=\"hidden\" name=\"lat\" value=\"35.1\" />",
      "<th>TEL</th>",
      "<td>03-0000-0000</td>",
  }));
  EXPECT_EQ(record.Longitude, "");
  EXPECT_EQ(record.Latitude, "");
  EXPECT_EQ(record.Phone, "");
}

TEST(ShopDetailCancel, StopRequestEndsTheScanAfterTheCurrentLine) {
  const TStringList page = EucPage({
      "<h1>ミルバ</h1>",
      "",
      "<span>販売店</span>",
      "<p>紹介</p>",
      "<th>TEL</th>",
      "<td>03-0000-0000</td>",
      "",
  });
  const ShopRecord record = Scan(page, /*terminated=*/true);
  EXPECT_TRUE(Holds(record.ShopName, "ミルバ"));
  EXPECT_TRUE(Holds(record.ShopType, "販売店"));
  EXPECT_EQ(record.Introduction, "");  // the look-ahead polls before its first step
  EXPECT_EQ(record.Phone, "");
}

TEST(ShopDetailCancel, StopRequestSkipsTheFeatureIconScan) {
  const TStringList page = EucPage({
      "<th>定休日</th>",
      "<td>水曜</td>",
      "",
      "",
      "<li><img src=\"/icon/101.gif\"></li>",
      "",
  });
  const std::atomic<bool> terminated{true};
  ShopRecord record;
  HandleLabelRow(page, 0, record, terminated);
  EXPECT_TRUE(Holds(record.ClosingDays, "水曜"));
  EXPECT_EQ(record.ShopFeatures, "");
}

TEST(ShopDataTable, PhoneTakesTheFirstNonEmptyOfTelRowAndTelArea) {
  const struct {
    const char* name;
    std::vector<std::string> lines;
    const char* phone;
  } cases[] = {
      {"TEL row first",
       {"<th>TEL</th>", "<td>03-1</td>", "<dd class=\"telArea\">0120-2</dd>"},
       "03-1"},
      {"telArea first",
       {"<dd class=\"telArea\">0120-2</dd>", "<th>TEL</th>", "<td>03-1</td>"},
       "0120-2"},
      {"empty TEL row leaves room",
       {"<th>TEL</th>", "<td></td>", "<dd class=\"telArea\">0120-2</dd>"},
       "0120-2"},
      {"empty telArea leaves room",
       {"<dd class=\"telArea\"> </dd>", "<th>TEL</th>", "<td>03-1</td>"},
       "03-1"},
      {"other value rows are ignored",
       {"<dd class=\"faxArea\">03-9</dd>", "<th>TEL</th>", "<td>03-1</td>"},
       "03-1"},
      {"TEL row on the last line", {"<th>TEL</th>"}, ""},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Scan(PageOf(c.lines)).Phone, c.phone) << c.name;
  }
}

TEST(ShopDataTable, RepeatedRowsKeepTheFirstNonEmptyValue) {
  const ShopRecord record = Scan(EucPage({
      "<th>FAX</th>",
      "<td></td>",
      "<th>FAX</th>",
      "<td>03-2</td>",
      "<th>FAX</th>",
      "<td>03-3</td>",
      "<th>営業時間</th>",
      "<td></td>",
      "<th>営業時間</th>",
      "<td>9:00</td>",
      "<th>営業時間</th>",
      "<td>10:00</td>",
      "<th>定休日</th>",
      "<td>水曜</td>",
      "<th>定休日</th>",
      "<td>木曜</td>",
      "<th>不明</th>",
      "<td>無視</td>",
  }));
  EXPECT_EQ(record.Fax, "03-2");
  EXPECT_EQ(record.BusinessHours, "9:00");
  EXPECT_TRUE(Holds(record.ClosingDays, "水曜"));
}

TEST(ShopDataTable, BusinessHoursAreFoldedToAsciiDigitsAndColons) {
  const ShopRecord record =
      Scan(EucPage({"<th>営業時間</th>", "<td>　９：３０?１８：００　</td>"}));
  EXPECT_TRUE(Holds(record.BusinessHours, "9:30～18:00"));
}

TEST(ShopDataTable, AddressSplitsAtTheFirstBlank) {
  const struct {
    const char* name;
    std::vector<std::string> values;  // one 住所 row per value, in page order
    const char* postalCode;
    const char* address;
  } cases[] = {
      {"full-width space is the blank",
       {"〒100-0001　東京都千代田区１?２"},
       "〒100-0001",
       "東京都千代田区1-2"},
      {"only the first blank splits", {"〒100-0001 東京都 港区"}, "〒100-0001", "東京都 港区"},
      {"no blank: address alone", {"東京都港区"}, "", "東京都港区"},
      {"leading blank is trimmed first", {"　東京都港区"}, "", "東京都港区"},
      {"second with blank overwrites both", {"〒1 旧住所", "〒2 新住所"}, "〒2", "新住所"},
      {"second without blank changes nothing", {"〒1 旧住所", "新住所"}, "〒1", "旧住所"},
      {"blank after no blank overwrites", {"旧住所", "〒2 新住所"}, "〒2", "新住所"},
  };
  for (const auto& c : cases) {
    std::vector<std::string> lines;
    for (const auto& value : c.values) {
      lines.push_back("<th>住所</th>");
      lines.push_back("<td>" + value + "</td>");
    }
    const ShopRecord record = Scan(PageOf(lines));
    EXPECT_TRUE(Holds(record.PostalCode, c.postalCode)) << c.name;
    EXPECT_TRUE(Holds(record.Address, c.address)) << c.name;
  }
}

// A closing days row at line 0 followed by the given lines, and a closing line so that
// none of them is the page's last.
ShopRecord ScanIcons(const std::vector<std::string>& below) {
  std::vector<std::string> lines = {"<th>定休日</th>", "<td>水曜</td>"};
  lines.insert(lines.end(), below.begin(), below.end());
  lines.push_back("</body>");
  return Scan(PageOf(lines));
}

TEST(ShopFeatureIcons, IconListIsReadFromTheFourthLineBelowTheLabel) {
  const struct {
    const char* name;
    std::vector<std::string> below;  // lines 2 and further below the label
    const char* features;
  } cases[] = {
      {"first three lines below are not read",
       {"<li><img src=\"/i/101.gif\"></li>", "<li><img src=\"/i/102.gif\"></li>",
        "<li><img src=\"/i/103.gif\"></li>", "<li><img src=\"/i/104.gif\"></li>"},
       "板金塗装できます、買取り積極的です"},
      {"unknown icon adds no separator",
       {"", "", "<li><img src=\"/i/101.gif\"></li>", "<li><img src=\"/i/999.gif\"></li>",
        "  <li><img src=\"/i/102.gif\"></li>"},
       "車検できます、修理・整備ＯＫ"},
      {"repeated icon is listed again; other heads are passed over",
       {"", "", "<li><img src=\"/i/502.gif\"></li>", "</ul>", "<ul>",
        "<li><img src=\"/i/502.gif\"></li>"},
       "年中無休、年中無休"},
      {"list item without a dot adds nothing",
       {"", "", "<li>駐車場あり</li>", "<li><img src=\"/i/501.gif\"></li>"},
       "駐車場完備"},
      {"only the text before the first dot counts",
       {"", "", "<li><img src=\"/i/501.gif?v=1.2\"></li>",
        "<li><img src=\"/i/v1.2/502.gif\"></li>"},
       "駐車場完備"},
      {"nothing but the tag before the dot", {"", "", "<li>./501.gif</li>"}, ""},
      {"a div line stops the scan",
       {"", "", "<li><img src=\"/i/101.gif\"></li>", "<div>", "<li><img src=\"/i/102.gif\"></li>"},
       "車検できます"},
      {"a paragraph line stops the scan",
       {"", "", "<li><img src=\"/i/101.gif\"></li>", "<p>", "<li><img src=\"/i/102.gif\"></li>"},
       "車検できます"},
  };
  for (const auto& c : cases) {
    EXPECT_TRUE(Holds(ScanIcons(c.below).ShopFeatures, c.features)) << c.name;
  }
}

TEST(ShopFeatureIcons, ScanCoversOffsetsFourToTwentyNineAndNeverTheLastLine) {
  std::vector<std::string> lines(40, "");
  lines[0] = "<th>定休日</th>";
  lines[29] = "<li><img src=\"/i/501.gif\"></li>";
  lines[30] = "<li><img src=\"/i/502.gif\"></li>";
  EXPECT_TRUE(Holds(Scan(PageOf(lines)).ShopFeatures, "駐車場完備"));

  // An icon on the page's last line is not read.
  EXPECT_EQ(Scan(PageOf({"<th>定休日</th>", "", "", "", "<li><img src=\"/i/101.gif\"></li>"}))
                .ShopFeatures,
            "");
}

TEST(ShopFeatureIcons, SecondClosingDaysRowFillsFeaturesOnlyWhenTheFirstFoundNone) {
  const std::vector<std::string> secondRow = {
      "<th>定休日</th>", "<td>木曜</td>", "", "", "<li><img src=\"/i/502.gif\"></li>", "",
  };
  std::vector<std::string> firstFindsNone = {
      "<th>定休日</th>", "<td>水曜</td>", "", "", "<li><img src=\"/i/999.gif\"></li>", "<div>",
  };
  firstFindsNone.insert(firstFindsNone.end(), secondRow.begin(), secondRow.end());
  EXPECT_TRUE(Holds(Scan(PageOf(firstFindsNone)).ShopFeatures, "年中無休"));

  std::vector<std::string> firstFindsOne = {
      "<th>定休日</th>", "<td>水曜</td>", "", "", "<li><img src=\"/i/501.gif\"></li>", "<div>",
  };
  firstFindsOne.insert(firstFindsOne.end(), secondRow.begin(), secondRow.end());
  const ShopRecord record = Scan(PageOf(firstFindsOne));
  EXPECT_TRUE(Holds(record.ShopFeatures, "駐車場完備"));
  EXPECT_TRUE(Holds(record.ClosingDays, "水曜"));
}

}  // namespace
