#include "Unicommon/Text.h"

#include <cstring>
#include <string_view>

namespace {

// The part of s before its first NUL byte.
std::string_view BeforeNul(std::string_view s) {
  const void* nul = std::memchr(s.data(), '\0', s.size());
  if (nul == nullptr) return s;
  return s.substr(0, static_cast<size_t>(static_cast<const char*>(nul) - s.data()));
}

// 0-based offset of the first occurrence of pattern in text that begins on a character
// boundary, npos when none. Character boundaries are found by walking text from its
// start: a Shift_JIS lead byte makes the byte after it its second byte, whatever that
// byte is. An occurrence that begins on a second byte is skipped and the search goes on
// from the byte after its start. Both texts are taken up to their first NUL.
size_t FindOnBoundary(std::string_view text, std::string_view pattern) {
  text = BeforeNul(text);
  pattern = BeforeNul(pattern);
  if (text.empty() || pattern.empty()) return std::string_view::npos;
  const size_t n = text.size();
  size_t boundary = 0;  // the next character start at or after the bytes walked
  size_t from = 0;
  for (;;) {
    const size_t hit = text.find(pattern, from);
    if (hit == std::string_view::npos) return hit;
    while (boundary < hit) {
      boundary +=
          (IsLeadByte(static_cast<unsigned char>(text[boundary])) && boundary + 1 < n) ? 2 : 1;
    }
    if (boundary == hit) return hit;
    // The hit begins on the second byte of the character that starts at hit - 1.
    from = hit + 1;
  }
}

bool IsSpace00To20(unsigned char b) { return b <= 0x20; }

int HexDigit(unsigned char b) {
  if (b >= '0' && b <= '9') return b - '0';
  if (b >= 'a' && b <= 'f') return b - 'a' + 10;
  if (b >= 'A' && b <= 'F') return b - 'A' + 10;
  return -1;
}

}  // namespace

bool IsLeadByte(unsigned char b) { return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC); }

int TextFind(const Text& text, const Text& pattern) {
  const size_t hit = FindOnBoundary(text, pattern);
  return hit == std::string_view::npos ? 0 : static_cast<int>(hit + 1);
}

Text TextCopy(const Text& text, int index, int count) {
  if (count < 1) return Text();
  if (index < 1) index = 1;
  const size_t start = static_cast<size_t>(index) - 1;
  if (start >= text.size()) return Text();
  return text.substr(start, static_cast<size_t>(count));
}

Text TextTrim(const Text& text) {
  size_t first = 0;
  size_t last = text.size();
  while (first < last && IsSpace00To20(static_cast<unsigned char>(text[first]))) ++first;
  while (last > first && IsSpace00To20(static_cast<unsigned char>(text[last - 1]))) --last;
  if (first == 0 && last == text.size()) return text;
  return text.substr(first, last - first);
}

// Reads the whole text as a signed 32-bit integer:
//   leading spaces (byte 20 only), an optional '+' or '-', then either
//   - decimal digits, whose value (with its sign) must lie in -2147483648..2147483647, or
//   - hexadecimal digits (0-9, a-f, A-F) after a '$', 'x', 'X', '0x' or '0X' prefix.
// Hexadecimal is read as a 32-bit bit pattern: any value up to FFFFFFFF is accepted
// (leading zeros do not count), so "$FFFFFFFF" gives -1 and "$80000000" gives
// -2147483648; a value above FFFFFFFF (a ninth significant digit) gives def. A '-'
// before a hexadecimal number negates the bit pattern in two's complement ("-$10" gives
// -16, "-$FFFFFFFF" gives 1, "-$80000000" stays -2147483648).
// Anything else gives def: an empty text, a sign or prefix without digits, any other byte
// before, between or after (a trailing space, a tab, a comma, a full-width digit, a NUL).
int32_t TextToIntDef(const Text& text, int32_t def) {
  const size_t n = text.size();
  size_t i = 0;
  while (i < n && text[i] == ' ') ++i;
  bool negative = false;
  if (i < n && (text[i] == '+' || text[i] == '-')) {
    negative = text[i] == '-';
    ++i;
  }
  bool hex = false;
  if (i < n && (text[i] == '$' || text[i] == 'x' || text[i] == 'X')) {
    hex = true;
    ++i;
  } else if (i + 1 < n && text[i] == '0' && (text[i + 1] == 'x' || text[i + 1] == 'X')) {
    hex = true;
    i += 2;
  }
  if (i >= n) return def;  // empty, sign alone, prefix alone

  if (hex) {
    uint64_t value = 0;
    for (; i < n; ++i) {
      const int d = HexDigit(static_cast<unsigned char>(text[i]));
      if (d < 0) return def;
      value = value * 16 + static_cast<uint64_t>(d);
      if (value > 0xFFFFFFFFull) return def;
    }
    uint32_t bits = static_cast<uint32_t>(value);
    if (negative) bits = 0u - bits;
    return static_cast<int32_t>(bits);
  }

  // Decimal: the magnitude may reach 2147483648 only with a '-'.
  const uint64_t limit = negative ? 2147483648ull : 2147483647ull;
  uint64_t value = 0;
  for (; i < n; ++i) {
    const unsigned char b = static_cast<unsigned char>(text[i]);
    if (b < '0' || b > '9') return def;
    value = value * 10 + (b - '0');
    if (value > limit) return def;
  }
  if (negative) return static_cast<int32_t>(-static_cast<int64_t>(value));
  return static_cast<int32_t>(value);
}

Text TextReplace(const Text& text, const Text& pattern, const Text& replacement, unsigned flags) {
  if (pattern.empty()) return text;
  const bool ignoreCase = (flags & rfIgnoreCase) != 0;
  const bool replaceAll = (flags & rfReplaceAll) != 0;

  // The search runs over searchText (text, or its upper-case copy, with the same byte
  // count); the result is built from text itself. Each further search starts afresh on
  // the rest after the occurrence just replaced, so a replacement is never searched
  // again and character boundaries are counted from the start of that rest.
  std::string upperText;
  std::string upperPattern;
  std::string_view searchText = text;
  std::string_view searchPattern = pattern;
  if (ignoreCase) {
    upperText = TextUpperAscii(text);
    upperPattern = TextUpperAscii(pattern);
    searchText = upperText;
    searchPattern = upperPattern;
  }

  Text result;
  size_t pos = 0;  // bytes of text dealt with so far
  while (pos < text.size()) {
    const size_t hit = FindOnBoundary(searchText.substr(pos), searchPattern);
    if (hit == std::string_view::npos) break;
    result.append(text, pos, hit);
    result += replacement;
    pos += hit + pattern.size();
    if (!replaceAll) break;
  }
  if (pos < text.size()) result.append(text, pos, std::string::npos);
  return result;
}

Text TextUpperAscii(const Text& s) {
  std::string result(s);
  const size_t n = result.size();
  for (size_t i = 0; i < n; ++i) {
    const unsigned char b = static_cast<unsigned char>(result[i]);
    if (IsLeadByte(b)) {
      ++i;  // skip the second byte
    } else if (b >= 'a' && b <= 'z') {
      result[i] = static_cast<char>(b - 'a' + 'A');
    }
  }
  return result;
}
