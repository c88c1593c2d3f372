#include "Unicommon/PageText.h"

#include <cstring>

#include "Unicommon/EucTable.h"

namespace {

// What a byte sequence that is not valid EUC-JP becomes: "・" (katakana middle dot,
// 81 45), the substitute Windows uses for double-byte code pages. Not "?", which stands
// for a character without a code page 932 counterpart (the readers turn "?" back into
// a wave dash or a dash).
constexpr unsigned char kSubstitute[2] = {0x81, 0x45};

inline bool IsEucByte(unsigned char b) { return b >= 0xA1 && b <= 0xFE; }

inline char* PutEntry(char* out, euc::Entry entry) {
  if (entry == 0) {
    *out++ = static_cast<char>(kSubstitute[0]);
    *out++ = static_cast<char>(kSubstitute[1]);
  } else if (entry < 0x100) {
    *out++ = static_cast<char>(entry);
  } else {
    *out++ = static_cast<char>(entry >> 8);
    *out++ = static_cast<char>(entry & 0xFF);
  }
  return out;
}

}  // namespace

// EUC-JP to code page 932, as the system's conversion (EUC-JP to UTF-16 to the ANSI code
// page with best fit) would do it, through the lookup table of EucTable.h.
//
// The text counts up to its first NUL. The walk:
//   00-7F                    ASCII, unchanged.
//   A1-FE A1-FE              JIS X 0208 (two bytes).
//   8E A1-FE                 half-width katakana (A1-DF; E0-FE are not characters).
//   8F A1-FE A1-FE           JIS X 0212 (three bytes).
// A code the EUC-JP converter rejects (a cell no character is assigned to, such as the
// NEC row 13 and the user-defined rows F5-FE) becomes one substitute "・" (81 45); a
// character without a code page 932 counterpart becomes "?" (3F), or its best-fit
// counterpart. A byte that cannot start a code (80-8D, 90-A0, FF), and a lead byte not
// followed by the bytes its code needs, becomes one substitute; the byte that broke the
// code is then read afresh, so the rest of the line converts as usual.
Text EucToLocal(const Text& text) {
  const unsigned char* p = reinterpret_cast<const unsigned char*>(text.data());
  const void* nul = std::memchr(p, '\0', text.size());
  const size_t n =
      nul ? static_cast<size_t>(static_cast<const unsigned char*>(nul) - p) : text.size();
  if (n == 0) return Text();

  const euc::Table& table = euc::GetTable();
  if (!table.ok) return Text();  // the system cannot convert from EUC-JP

  // Every input byte gives at most two output bytes.
  Text result;
  result.resize(n * 2);
  char* out = result.data();
  size_t i = 0;
  while (i < n) {
    const unsigned char b = p[i];
    if (b < 0x80) {
      // A run of ASCII bytes is copied whole.
      size_t j = i + 1;
      while (j < n && p[j] < 0x80) ++j;
      std::memcpy(out, p + i, j - i);
      out += j - i;
      i = j;
    } else if (IsEucByte(b)) {
      if (i + 1 < n && IsEucByte(p[i + 1])) {
        out = PutEntry(out, table.jis0208[euc::Index(b, p[i + 1])]);
        i += 2;
      } else {
        out = PutEntry(out, 0);
        i += 1;
      }
    } else if (b == 0x8E) {
      if (i + 1 < n && IsEucByte(p[i + 1])) {
        out = PutEntry(out, table.kana[p[i + 1] - 0xA1]);
        i += 2;
      } else {
        out = PutEntry(out, 0);
        i += 1;
      }
    } else if (b == 0x8F) {
      if (i + 2 < n && IsEucByte(p[i + 1]) && IsEucByte(p[i + 2])) {
        out = PutEntry(out, table.jis0212[euc::Index(p[i + 1], p[i + 2])]);
        i += 3;
      } else if (i + 1 < n && IsEucByte(p[i + 1])) {
        out = PutEntry(out, 0);  // 8F and its second byte; the third is read afresh
        i += 2;
      } else {
        out = PutEntry(out, 0);
        i += 1;
      }
    } else {
      out = PutEntry(out, 0);  // 80-8D, 90-A0, FF
      i += 1;
    }
  }
  result.resize(static_cast<size_t>(out - result.data()));
  return result;
}

// Removes every run from a '<' to the first '>' after it (the tag pattern "<[^>]*>",
// leftmost matches, searched from the end of the previous tag on). A '<' with no '>'
// after it stays, with everything after it; a '>' with no '<' before it stays.
Text StripTags(const Text& text) {
  const size_t n = text.size();
  const char* p = text.data();
  Text result;
  size_t from = 0;
  while (from < n) {
    const void* lt = std::memchr(p + from, '<', n - from);
    if (lt == nullptr) break;
    const size_t start = static_cast<size_t>(static_cast<const char*>(lt) - p);
    const void* gt = std::memchr(p + start + 1, '>', n - start - 1);
    // No '>' after the first '<': no later '<' has one either, so no tag is left.
    if (gt == nullptr) break;
    if (result.empty()) result.reserve(n);
    result.append(p + from, start - from);
    from = static_cast<size_t>(static_cast<const char*>(gt) - p) + 1;
  }
  if (from == 0) return text;  // no tag at all
  if (from < n) result.append(p + from, n - from);
  return result;
}

// The thirteen replacements of the width table, in order, each over the result of the
// one before, each with replace-all and ignore-case.
Text NormalizeWidth(const Text& text) {
  static const struct {
    const char* replaced;
    const char* by;
  } kWidthTable[] = {
      {"\x81\x40", " "},  // ideographic space
      {"\x81\x7C", "-"},  // full-width minus
      {"\x81\x5D", "-"},  // hyphen
      {"\x82\x50", "1"}, {"\x82\x51", "2"}, {"\x82\x52", "3"}, {"\x82\x53", "4"}, {"\x82\x54", "5"},
      {"\x82\x55", "6"}, {"\x82\x56", "7"}, {"\x82\x57", "8"}, {"\x82\x58", "9"}, {"\x82\x4F", "0"},
  };
  Text result = text;
  for (const auto& row : kWidthTable) {
    result = TextReplace(result, row.replaced, row.by, rfReplaceAll | rfIgnoreCase);
  }
  return result;
}

void SplitText(const Text& text, const Text& delimiter, TStringList& list) {
  const int L = static_cast<int>(text.size());
  const int D = static_cast<int>(delimiter.size());
  int p = 1;
  while (p <= L) {
    const Text rest = TextCopy(text, p, L - p + 1);
    const int c = TextFind(rest, delimiter);
    if (c == 0) {
      list.Add(rest);
      return;
    }
    if (c > 1) list.Add(TextCopy(text, p, c - 1));
    p = p + c + D - 1;
  }
}

Text CleanedText(const Text& rawLine) { return TextTrim(StripTags(EucToLocal(TextTrim(rawLine)))); }
