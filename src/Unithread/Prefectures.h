#pragma once
// The 47 prefectures in the order of their codes: prefecture number p is entry p - 1.
#include <array>
#include <cstdint>
#include <string>

constexpr int32_t kPrefectureCount = 47;

// The names in UTF-8, for the window's list and the terminal.
const std::array<const char*, kPrefectureCount>& PrefectureNamesUtf8();

// The prefecture number (1-47) of a UTF-8 name, 0 when there is none of that name.
int32_t PrefectureNumberOf(const std::string& utf8Name);
