#include "extract/IconLabels.h"

#include <iterator>
#include <utility>
#include <vector>

#include "Unicommon/CodePage.h"

namespace {

struct TIconLabelSource {
  const char* code;
  const char* labelUtf8;
};

// Feature icon codes as named by the portal's image files, with their labels.
constexpr TIconLabelSource kIconLabels[] = {
    {"101", "車検できます"},
    {"112", "注文販売可能です"},
    {"102", "修理・整備ＯＫ"},
    {"113", "各種特典付き"},
    {"103", "板金塗装できます"},
    {"104", "買取り積極的です"},
    {"105", "新車販売もできます"},
    {"116", "ドレスアップいたします"},
    {"106", "各種損害＆自動車保険取扱店"},
    {"117", "チューニングいたします"},
    {"107", "各種ローン取扱店"},
    {"118", "各種パーツ取扱いしています"},
    {"108", "室内展示場なのできれいです"},
    {"201", "常時、在庫１００台以上です"},
    {"109", "試乗可能です"},
    {"202", "常時、在庫５０台以上です"},
    {"110", "出張納車可能です"},
    {"203", "常時、在庫３０台以上です"},
    {"111", "各種保証付"},
    {"120", "自社認定工場"},
    {"121", "自社指定工場"},
    {"122", "査定士がいます"},
    {"123", "販売士がいます"},
    {"shop_icon_total_price", "支払総額推奨店"},
    {"301", "ドレスアップ車専門店"},
    {"310", "高級車専門店"},
    {"302", "４ＷＤ専門店"},
    {"311", "輸入車専門店"},
    {"303", "懐かしの旧車専門店"},
    {"304", "キャンピングカー専門店"},
    {"313", "バン専門店"},
    {"305", "アウトレット専門店"},
    {"314", "バン・トラック専門店"},
    {"315", "改造車専門店"},
    {"307", "ＧＴ専門店"},
    {"316", "欧州車専門店"},
    {"308", "ＲＶ専門店"},
    {"317", "米国車専門店"},
    {"309", "軽自動車専門店"},
    {"318", "買取専門店"},
    {"401", "（社）日本中古自動車販売協会連合会加盟店"},
    {"402", "日本自動車輸入組合加盟店"},
    {"403", "外国自動車輸入協同組合加盟店"},
    {"501", "駐車場完備"},
    {"502", "年中無休"},
    {"503", "スタッフ募集しています"},
};

// The table with its labels converted to code page 932, built once.
const std::vector<std::pair<Text, Text>>& LocalIconLabels() {
  static const std::vector<std::pair<Text, Text>> table = [] {
    std::vector<std::pair<Text, Text>> converted;
    converted.reserve(std::size(kIconLabels));
    for (const auto& row : kIconLabels) converted.emplace_back(row.code, L(row.labelUtf8));
    return converted;
  }();
  return table;
}

}  // namespace

Text IconCodeToLabel(const Text& code) {
  for (const auto& [rowCode, label] : LocalIconLabels()) {
    if (rowCode == code) return label;
  }
  return {};
}
