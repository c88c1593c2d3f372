// Throughput of the page text conversion over a realistic shop detail page:
//   EucToLocal per line, the cleaned-text chain per line (TextTrim, EucToLocal,
//   StripTags, TextTrim), and, in the same run, a bare glibc iconv EUC-JP to UTF-8 pass
//   over the same bytes (per line, and over the whole page in one call).
// Bytes per second count the raw EUC-JP bytes of the page.
#include <benchmark/benchmark.h>
#include <iconv.h>

#include <string>
#include <vector>

#include "Unicommon/PageText.h"
#include "Unicommon/Text.h"
#include "support/EucJp.h"

namespace {

// A shop detail page as the portal serves it: markup, scripts, navigation, the shop's
// heading, data table, introduction, reviews and footer; about four hundred lines.
std::vector<Text> DetailPage() {
  std::vector<std::string> utf8;
  auto add = [&](const std::string& line) { utf8.push_back(line); };

  add("<!DOCTYPE html PUBLIC \"-//W3C//DTD XHTML 1.0 Transitional//EN\" "
      "\"http://www.w3.org/TR/xhtml1/DTD/xhtml1-transitional.dtd\">");
  add("<html xmlns=\"http://www.w3.org/1999/xhtml\" lang=\"ja\" xml:lang=\"ja\">");
  add("<head>");
  add("<meta http-equiv=\"Content-Type\" content=\"text/html; charset=EUC-JP\" />");
  add("<title>テスト自動車 東京本店（東京都千代田区）の中古車販売店情報｜中古車ポータル</title>");
  add("<meta name=\"description\" content=\"テスト自動車 東京本店の店舗情報。在庫車両、"
      "口コミ・評判、アクセス、営業時間をご覧いただけます。\" />");
  add("<meta name=\"keywords\" content=\"中古車,販売店,東京都,千代田区,テスト自動車\" />");
  for (int i = 0; i < 12; ++i) {
    add("<link rel=\"stylesheet\" type=\"text/css\" href=\"/common/css/style" + std::to_string(i) +
        ".css?v=20240401\" media=\"all\" />");
  }
  for (int i = 0; i < 10; ++i) {
    add("<script type=\"text/javascript\" src=\"/common/js/lib" + std::to_string(i) +
        ".js\"></script>");
  }
  add("<script type=\"text/javascript\">");
  for (int i = 0; i < 30; ++i) {
    add("  var conf" + std::to_string(i) + " = { id: '" + std::to_string(100000 + i) +
        "', area: 'pref-13', page: 'detail', flag: true };");
  }
  add("</script>");
  add("</head>");
  add("<body id=\"shopDetail\">");
  add("<div id=\"header\">");
  add("  <p class=\"logo\"><a href=\"/\"><img src=\"/img/logo.gif\" alt=\"中古車ポータル\" "
      "/></a></p>");
  add("  <ul class=\"gnav\">");
  const char* nav[] = {"中古車を探す", "販売店を探す", "買取査定", "ローン計算", "口コミ",
                       "新着情報",     "お気に入り",   "閲覧履歴", "ヘルプ",     "サイトマップ"};
  for (const char* item : nav) {
    add(std::string("    <li><a href=\"/nav/\">") + item + "</a></li>");
  }
  add("  </ul>");
  add("</div>");
  add("<div id=\"topicPath\"><a href=\"/\">トップ</a> &gt; <a href=\"/usedcar_shop/\">販売店を探す"
      "</a> &gt; <a href=\"/usedcar_shop/pref-13/index.html\">東京都</a> &gt; テスト自動車 "
      "東京本店</div>");
  add("<div id=\"main\">");
  add("<div class=\"shopHead\">");
  add("<h1 class=\"shopName\">テスト自動車 東京本店</h1>");
  add("<p class=\"shopType\">新車・中古車販売／買取／車検・整備</p>");
  add("<div class=\"review\">");
  add("<span class=\"rating\">4.5</span>");
  add("<span class=\"count\">（口コミ<a "
      "href=\"/user_review/123456/detail.html\">128件</a>）</span>");
  add("</div>");
  add("<p class=\"stock\">在庫台数：<em>312</em>台</p>");
  add("</div>");
  add("<div class=\"intro\">");
  for (int i = 0; i < 20; ++i) {
    add("<p>当店は創業以来、お客様に安心してお乗りいただける中古車をご提供しております。"
        "全車保証付き、納車前点検整備を実施しております。お気軽にお問い合わせください。</p>");
  }
  add("</div>");
  add("<table class=\"shopData\" summary=\"店舗情報\">");
  struct Row {
    const char* th;
    const char* td;
  } rows[] = {
      {"住所", "〒100-0001<br />東京都千代田区千代田１番１号 テストビル１階"},
      {"TEL", "０３−１２３４−５６７８"},
      {"FAX", "０３−１２３４−５６７９"},
      {"営業時間", "10:00〜19:00"},
      {"定休日", "毎週水曜日・第２火曜日（祝日の場合は営業）"},
      {"アクセス", "ＪＲ東京駅より徒歩１０分、地下鉄大手町駅Ｃ１３ｂ出口より徒歩３分"},
      {"駐車場", "あり（２０台）"},
      {"取扱メーカー", "トヨタ・日産・ホンダ・マツダ・スバル・三菱・スズキ・ダイハツ・輸入車"},
  };
  for (int repeat = 0; repeat < 3; ++repeat) {
    for (const Row& row : rows) {
      add("<tr>");
      add(std::string("<th class=\"item\">") + row.th + "</th>");
      add(std::string("<td class=\"value\">") + row.td + "</td>");
      add("</tr>");
    }
  }
  add("<tr><th>特徴</th><td>");
  for (int i = 0; i < 16; ++i) {
    add("<img src=\"/img/icon/shop_icon_" + std::to_string(i) + ".gif\" alt=\"特徴アイコン" +
        std::to_string(i) + "\" width=\"60\" height=\"20\" />");
  }
  add("</td></tr>");
  add("</table>");
  add("<div class=\"reviews\">");
  for (int i = 0; i < 25; ++i) {
    add("<dl class=\"reviewItem\">");
    add("<dt>投稿者：ユーザー" + std::to_string(i) + "さん（３０代・男性）</dt>");
    add("<dd class=\"date\">2024年4月" + std::to_string(i % 28 + 1) + "日</dd>");
    add("<dd class=\"text\">スタッフの方の対応がとても丁寧で、初めての中古車購入でも安心して"
        "相談できました。納車までの流れも分かりやすく説明していただき満足しています。</dd>");
    add("<dd class=\"point\">評価：★★★★☆</dd>");
    add("</dl>");
  }
  add("</div>");
  add("<div id=\"map\" data-lat=\"35.681236\" data-lng=\"139.767125\"></div>");
  add("<script type=\"text/javascript\">");
  for (int i = 0; i < 40; ++i) {
    add("  if (typeof window.track" + std::to_string(i) + " === 'function') { window.track" +
        std::to_string(i) + "('detail', 123456, 'pref-13'); }");
  }
  add("</script>");
  add("</div>");
  add("<div id=\"footer\">");
  for (int i = 0; i < 30; ++i) {
    add("  <li><a href=\"/guide/" + std::to_string(i) + ".html\">ご利用ガイド" + std::to_string(i) +
        "</a></li>");
  }
  add("  <p class=\"copyright\">Copyright (C) Example Portal Co., Ltd. All Rights Reserved.</p>");
  add("</div>");
  add("</body>");
  add("</html>");

  std::vector<Text> page;
  for (const std::string& line : utf8) page.push_back(Utf8ToEucJp(line));
  return page;
}

const std::vector<Text>& Page() {
  static const std::vector<Text> page = DetailPage();
  return page;
}

int64_t PageBytes() {
  int64_t bytes = 0;
  for (const Text& line : Page()) bytes += static_cast<int64_t>(line.size());
  return bytes;
}

void BM_EucToLocal(benchmark::State& state) {
  const std::vector<Text>& page = Page();
  EucToLocal("warm up");  // builds the lookup table outside the timing
  for (auto _ : state) {
    for (const Text& line : page) benchmark::DoNotOptimize(EucToLocal(line));
  }
  state.SetBytesProcessed(state.iterations() * PageBytes());
  state.counters["lines"] = static_cast<double>(page.size());
  state.counters["page_bytes"] = static_cast<double>(PageBytes());
}
BENCHMARK(BM_EucToLocal);

void BM_CleanedText(benchmark::State& state) {
  const std::vector<Text>& page = Page();
  EucToLocal("warm up");
  for (auto _ : state) {
    for (const Text& line : page) benchmark::DoNotOptimize(CleanedText(line));
  }
  state.SetBytesProcessed(state.iterations() * PageBytes());
}
BENCHMARK(BM_CleanedText);

// The bare iconv pass: one converter opened once, each line converted into a new
// string (as EucToLocal gives one), nothing else.
void BM_IconvEucToUtf8PerLine(benchmark::State& state) {
  const std::vector<Text>& page = Page();
  iconv_t cd = iconv_open("UTF-8", "EUC-JP");
  if (cd == reinterpret_cast<iconv_t>(-1)) {
    state.SkipWithError("iconv_open failed");
    return;
  }
  for (auto _ : state) {
    for (const Text& line : page) {
      std::string out(line.size() * 3 / 2 + 16, '\0');
      iconv(cd, nullptr, nullptr, nullptr, nullptr);
      char* src = const_cast<char*>(line.data());
      size_t srcLeft = line.size();
      char* dst = out.data();
      size_t dstLeft = out.size();
      iconv(cd, &src, &srcLeft, &dst, &dstLeft);
      out.resize(out.size() - dstLeft);
      benchmark::DoNotOptimize(out);
    }
  }
  iconv_close(cd);
  state.SetBytesProcessed(state.iterations() * PageBytes());
}
BENCHMARK(BM_IconvEucToUtf8PerLine);

// The barest iconv pass: the whole page in one call into a buffer allocated once.
void BM_IconvEucToUtf8WholePage(benchmark::State& state) {
  std::string page;
  for (const Text& line : Page()) page += line + "\n";
  iconv_t cd = iconv_open("UTF-8", "EUC-JP");
  if (cd == reinterpret_cast<iconv_t>(-1)) {
    state.SkipWithError("iconv_open failed");
    return;
  }
  std::string out(page.size() * 3 / 2 + 16, '\0');
  for (auto _ : state) {
    iconv(cd, nullptr, nullptr, nullptr, nullptr);
    char* src = page.data();
    size_t srcLeft = page.size();
    char* dst = out.data();
    size_t dstLeft = out.size();
    iconv(cd, &src, &srcLeft, &dst, &dstLeft);
    benchmark::DoNotOptimize(dst);
    benchmark::ClobberMemory();
  }
  iconv_close(cd);
  state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(page.size()));
}
BENCHMARK(BM_IconvEucToUtf8WholePage);

// EucToLocal over the whole page as one text, to set against the whole-page iconv pass.
void BM_EucToLocalWholePage(benchmark::State& state) {
  std::string page;
  for (const Text& line : Page()) page += line + "\n";
  EucToLocal("warm up");
  for (auto _ : state) benchmark::DoNotOptimize(EucToLocal(page));
  state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(page.size()));
}
BENCHMARK(BM_EucToLocalWholePage);

}  // namespace
