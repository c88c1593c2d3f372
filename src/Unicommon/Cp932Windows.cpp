#include "Unicommon/Cp932Windows.h"

#include <algorithm>
#include <iterator>

namespace cp932win {
namespace {

struct Row {
  char32_t u;
  uint16_t bytes;
};

constexpr uint16_t kQuestion = 0x3F;

// Sorted by code point.
constexpr Row kRows[] = {
    // Best fit (bestfit932.txt WCTABLE) for Latin-1 characters code page 932 lacks.
    // U+00A0, U+00A4, U+00BC-U+00BE have no best fit and give "?" (glibc fails them).
    {0x00A1, 0x21},    // inverted exclamation mark -> !
    {0x00A2, 0x8191},  // cent sign -> ￠
    {0x00A3, 0x8192},  // pound sign -> ￡
    {0x00A5, 0x5C},    // yen sign -> 5C
    {0x00A6, 0x7C},    // broken bar -> |
    {0x00A9, 0x63},    // copyright sign -> c
    {0x00AA, 0x61},    // feminine ordinal -> a
    {0x00AB, 0x81E1},  // left guillemet -> ≪
    {0x00AC, 0x81CA},  // not sign -> ￢
    {0x00AD, 0x2D},    // soft hyphen -> -
    {0x00AE, 0x52},    // registered sign -> R
    {0x00AF, 0x8150},  // macron -> ￣
    {0x00B2, 0x32},    // superscript two -> 2
    {0x00B3, 0x33},    // superscript three -> 3
    {0x00B5, 0x83CA},  // micro sign -> μ
    {0x00B7, 0x8145},  // middle dot -> ・
    {0x00B8, 0x8143},  // cedilla -> ，
    {0x00B9, 0x31},    // superscript one -> 1
    {0x00BA, 0x6F},    // masculine ordinal -> o
    {0x00BB, 0x81E2},  // right guillemet -> ≫
    {0x00BF, 0x3F},    // inverted question mark -> ?
    // Letters with diacritics -> their base letter.
    // clang-format off
    {0x00C0, 0x41}, {0x00C1, 0x41}, {0x00C2, 0x41}, {0x00C3, 0x41},  // A
    {0x00C4, 0x41}, {0x00C5, 0x41}, {0x00C6, 0x41},                  // A, AE -> A
    {0x00C7, 0x43},                                                  // C
    {0x00C8, 0x45}, {0x00C9, 0x45}, {0x00CA, 0x45}, {0x00CB, 0x45},  // E
    {0x00CC, 0x49}, {0x00CD, 0x49}, {0x00CE, 0x49}, {0x00CF, 0x49},  // I
    {0x00D0, 0x44},                                                  // Eth -> D
    {0x00D1, 0x4E},                                                  // N
    {0x00D2, 0x4F}, {0x00D3, 0x4F}, {0x00D4, 0x4F}, {0x00D5, 0x4F},  // O
    {0x00D6, 0x4F}, {0x00D8, 0x4F},                                  // O
    {0x00D9, 0x55}, {0x00DA, 0x55}, {0x00DB, 0x55}, {0x00DC, 0x55},  // U
    {0x00DD, 0x59},                                                  // Y
    {0x00DE, 0x54},                                                  // Thorn -> T
    {0x00DF, 0x73},                                                  // sharp s -> s
    {0x00E0, 0x61}, {0x00E1, 0x61}, {0x00E2, 0x61}, {0x00E3, 0x61},  // a
    {0x00E4, 0x61}, {0x00E5, 0x61}, {0x00E6, 0x61},                  // a, ae -> a
    {0x00E7, 0x63},                                                  // c
    {0x00E8, 0x65}, {0x00E9, 0x65}, {0x00EA, 0x65}, {0x00EB, 0x65},  // e
    {0x00EC, 0x69}, {0x00ED, 0x69}, {0x00EE, 0x69}, {0x00EF, 0x69},  // i
    {0x00F0, 0x64},                                                  // eth -> d
    {0x00F1, 0x6E},                                                  // n
    {0x00F2, 0x6F}, {0x00F3, 0x6F}, {0x00F4, 0x6F}, {0x00F5, 0x6F},  // o
    {0x00F6, 0x6F}, {0x00F8, 0x6F},                                  // o
    {0x00F9, 0x75}, {0x00FA, 0x75}, {0x00FB, 0x75}, {0x00FC, 0x75},  // u
    {0x00FD, 0x79},                                                  // y
    {0x00FE, 0x74},                                                  // thorn -> t
    {0x00FF, 0x79},                                                  // y diaeresis
    // clang-format on
    // glibc maps these one way; Windows has no counterpart.
    {0x2014, kQuestion},  // em dash (Windows' 81 5C is U+2015)
    {0x2016, kQuestion},  // double vertical line (Windows' 81 61 is U+2225)
    {0x203E, kQuestion},  // overline
    {0x2212, kQuestion},  // minus sign (Windows' 81 7C is U+FF0D)
    {0x301C, kQuestion},  // wave dash (Windows' 81 60 is U+FF5E)
    // Best fit: hiragana vu -> katakana vu.
    {0x3094, 0x8394},
};

static_assert(std::is_sorted(std::begin(kRows), std::end(kRows),
                             [](const Row& a, const Row& b) { return a.u < b.u; }));

}  // namespace

bool Override(char32_t u, uint16_t& out) {
  const Row* end = std::end(kRows);
  const Row* row =
      std::lower_bound(std::begin(kRows), end, u, [](const Row& r, char32_t v) { return r.u < v; });
  if (row == end || row->u != u) return false;
  out = row->bytes;
  return true;
}

}  // namespace cp932win
