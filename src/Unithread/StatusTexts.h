#pragma once
// The status lines a run shows, in UTF-8, for every host (window and terminal).
#include <cstdint>
#include <string>

// Shown from the start of each prefecture until its first shop has been read.
inline constexpr const char* kReadingStatus = "読み込み中...";

// "[3/5] 岩手県": the prefecture's place in the run and its name.
std::string AreaStatusText(int32_t position, int32_t maximum, const std::string& areaName);

// "店舗情報 : 4/12 件".
std::string ShopStatusText(int32_t shopCount, int32_t shopTotal);
