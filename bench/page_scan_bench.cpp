// Scanning throughput of the two page readers over realistic pages (pages/s, bytes/s).
#include <benchmark/benchmark.h>

#include <string>

#include "Unithread/AreaListing.h"
#include "extract/ShopDetailScan.h"
#include "support/EucJp.h"

namespace {

// Site-wide navigation and scripts, as a real page carries around its content.
std::string Chrome() {
  std::string lines;
  for (int i = 0; i < 60; i++) {
    lines += "<li class=\"nav_item\"><a href=\"/usedcar/maker-" + std::to_string(i) +
             "/\">メーカー" + std::to_string(i) + "の中古車</a></li>\n";
  }
  for (int i = 0; i < 40; i++) {
    lines += "  var slot" + std::to_string(i) + " = {id: \"ad-" + std::to_string(i) +
             "\", size: [300, 250]};\n";
  }
  return lines;
}

TStringList PageOf(const std::string& utf8) {
  TStringList page;
  size_t start = 0;
  for (size_t end; (end = utf8.find('\n', start)) != std::string::npos; start = end + 1) {
    page.Add(Utf8ToEucJp(utf8.substr(start, end - start)));
  }
  return page;
}

size_t BytesOf(const TStringList& page) {
  size_t bytes = 0;
  for (int i = 0; i < page.Count(); i++) bytes += page[i].size() + 1;
  return bytes;
}

TStringList ListingPage() {
  std::string page = "<html>\n<body>\n" + Chrome() +
                     "  <div class=\"result\">\n    <p>検索結果</p>\n"
                     "    <p class=\"resultNum\"><span>50</span>件</p>\n  </div>\n<ul>\n";
  for (int i = 0; i < 50; i++) {
    const std::string id = std::to_string(1310000000 + i);
    page +=
        "<li class=\"resultItem\">\n  <h3 class=\"resultHead_title\">\n"
        "    <a href=\"/usedcar_shop/" +
        id + "/detail.html\">オートプラザ　多摩" + id +
        "</a>\n  </h3>\n  <p class=\"resultAddress\">東京都多摩市落合１−２−３</p>\n</li>\n";
  }
  return PageOf(page + "</ul>\n" + Chrome() + "</body>\n</html>\n");
}

TStringList DetailPage() {
  return PageOf(
      "<html>\n<body>\n" + Chrome() +
      "<ul class=\"shopHeader\">\n<li class=\"shopHeader_main\">\n"
      "<h1 class=\"shopName\">オートガレージ　北斗〜札幌店〜</h1>\n<div class=\"shopType\">\n"
      "<span>中古車販売店</span>\n</div>\n<div class=\"shopIntro\">\n"
      "<p>札幌市内で創業３０年。軽自動車から輸入車まで幅広く取り揃えております。</p>\n"
      "</div>\n</li>\n</ul>\n<div class=\"reviewBox\">\n<em class=\"rating\">4.2</em>\n"
      "<dl>\n<dt>\n<a href=\"/user_review/0110234567/detail.html\">投稿数</a>\n"
      "<span class=\"num\">18</span>\n</dt>\n<dt>\n"
      "<a href=\"/usedcar_shop/0110234567/stock.html\">掲載台数</a>\n"
      "<span class=\"num\">64</span>\n</dt>\n</dl>\n</div>\n<table>\n<tr>\n<th>住所</th>\n"
      "<td>〒０６０−０００１　北海道札幌市中央区北一条西１−２−３</td>\n</tr>\n<tr>\n"
      "<th>TEL</th>\n<td>011-123-4567</td>\n</tr>\n<tr>\n<th>FAX</th>\n"
      "<td>011-123-4568</td>\n</tr>\n<tr>\n<th>営業時間</th>\n<td>１０：００〜１９：００</td>\n"
      "</tr>\n<tr>\n<th>定休日</th>\n<td>毎週水曜日</td>\n</tr>\n</table>\n<ul>\n"
      "<li><img src=\"/img/icon/101.gif\" alt=\"\" /></li>\n"
      "<li><img src=\"/img/icon/102.gif\" alt=\"\" /></li>\n"
      "<li><img src=\"/img/icon/shop_icon_total_price.gif\" alt=\"\" /></li>\n</ul>\n"
      "<div class=\"shopMap\">\n<input type=\"hidden\" name=\"lat\" value=\"43.0621\" />\n"
      "<input type=\"hidden\" name=\"lon\" value=\"141.3544\" />\n</div>\n" +
      Chrome() + "</body>\n</html>\n");
}

void BM_ScanListingPage(benchmark::State& state) {
  const TStringList page = ListingPage();
  const std::atomic<bool> running{false};
  for (auto _ : state) {
    int shops = 0;
    if (ReadStatedShopTotal(page, running) > 0) {
      for (int i = 0; i < page.Count(); i++) {
        if (IsShopHeading(page, i) && !CutShopId(page, i).empty()) shops++;
      }
    }
    benchmark::DoNotOptimize(shops);
  }
  state.SetItemsProcessed(state.iterations());
  state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(BytesOf(page)));
}
BENCHMARK(BM_ScanListingPage);

void BM_ScanDetailPage(benchmark::State& state) {
  const TStringList page = DetailPage();
  const std::atomic<bool> running{false};
  for (auto _ : state) {
    ShopRecord record;
    ScanShopDetailPage(page, record, running);
    benchmark::DoNotOptimize(record);
  }
  state.SetItemsProcessed(state.iterations());
  state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(BytesOf(page)));
}
BENCHMARK(BM_ScanDetailPage);

}  // namespace
