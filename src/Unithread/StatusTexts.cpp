#include "Unithread/StatusTexts.h"

#include <cstdio>

std::string AreaStatusText(int32_t position, int32_t maximum, const std::string& areaName) {
  char prefix[32];
  std::snprintf(prefix, sizeof prefix, "[%d/%d] ", static_cast<int>(position),
                static_cast<int>(maximum));
  return prefix + areaName;
}

std::string ShopStatusText(int32_t shopCount, int32_t shopTotal) {
  char text[64];
  std::snprintf(text, sizeof text, "店舗情報 : %d/%d 件", static_cast<int>(shopCount),
                static_cast<int>(shopTotal));
  return text;
}
