// The Overview's Text operations: TextFind, TextCopy, TextTrim, TextToIntDef,
// TextReplace, and IsLeadByte.
#include "Unicommon/Text.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>

#include "support/Bytes.h"

namespace {

using namespace std::string_literals;

// Shift_JIS (code page 932) bytes of a few characters.
const Text kA_Kata = "\x83\x41";      // ア (second byte 'A')
const Text kDi_Kata = "\x83\x61";     // ヂ (second byte 'a')
const Text kFullA = "\x82\x60";       // Ａ (second byte '`')
const Text kFullSmallA = "\x82\x81";  // ａ
const Text kIdeoSpace = "\x81\x40";   // ideographic space

// ---------------------------------------------------------------------------------
// IsLeadByte

TEST(IsLeadByte, ExactlyTheShiftJisLeadRanges) {
  for (int b = 0; b < 256; ++b) {
    const bool expected = (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
    EXPECT_EQ(IsLeadByte(static_cast<unsigned char>(b)), expected) << "byte " << b;
  }
}

// ---------------------------------------------------------------------------------
// TextFind

struct FindCase {
  const char* name;
  Text text;
  Text pattern;
  int expected;
};

// Names the case in test listings instead of dumping its bytes.
void PrintTo(const FindCase& c, std::ostream* os) { *os << c.name; }

class TextFindTest : public ::testing::TestWithParam<FindCase> {};

TEST_P(TextFindTest, Finds) {
  const FindCase& c = GetParam();
  EXPECT_EQ(TextFind(c.text, c.pattern), c.expected)
      << c.name << ": text [" << Hex(c.text) << "] pattern [" << Hex(c.pattern) << "]";
}

INSTANTIATE_TEST_SUITE_P(
    Cases, TextFindTest,
    ::testing::Values(
        FindCase{"first position", "abc", "a", 1}, FindCase{"middle", "abc", "b", 2},
        FindCase{"last", "abc", "c", 3}, FindCase{"whole", "abc", "abc", 1},
        FindCase{"first of several", "abcabc", "bc", 2}, FindCase{"absent", "abc", "d", 0},
        FindCase{"pattern longer", "ab", "abc", 0}, FindCase{"case counts", "ABC", "b", 0},
        FindCase{"case counts 2", "abc", "B", 0}, FindCase{"empty pattern", "abc", "", 0},
        FindCase{"empty text", "", "a", 0}, FindCase{"both empty", "", "", 0},
        // Shift_JIS: an occurrence beginning on a second byte is skipped.
        FindCase{"second byte skipped", "\x82\x60", "\x60", 0},
        FindCase{"second byte skipped, later found", "\x82\x60\x60", "\x60", 3},
        FindCase{"two-byte pattern straddling",
                 "\x82\x60"
                 "A",
                 "\x60"
                 "A",
                 0},
        FindCase{"straddling skipped, search goes on",
                 "\x82\x60"
                 "A"
                 "\x60"
                 "A",
                 "\x60"
                 "A",
                 4},
        FindCase{"double-byte pattern", "x\x82\x60", "\x82\x60", 2},
        FindCase{"ア's second byte is not A", kA_Kata, "A", 0},
        FindCase{"ア then A", kA_Kata + "A", "A", 3},
        FindCase{"lead run 81 81 81 81", "\x81\x81\x81\x81", "\x81\x81", 1},
        FindCase{"lead run after ASCII", "X\x81\x81\x81\x81", "\x81\x81", 2},
        FindCase{"lead run, odd start is a second byte", "\x81\x81\x81", "\x81\x81", 1},
        FindCase{"second byte then next lead", "\x81\x41\x81\x41", "\x41\x81", 0},
        FindCase{"lead byte as last byte", "AB\x81", "\x81", 3},
        FindCase{"E0 is a lead byte",
                 "\xE0"
                 "AA",
                 "A", 3},
        FindCase{"FC is a lead byte",
                 "\xFC"
                 "A",
                 "A", 0},
        FindCase{"9F is a lead byte",
                 "\x9F"
                 "A",
                 "A", 0},
        FindCase{"80 is not a lead byte",
                 "\x80"
                 "A",
                 "A", 2},
        FindCase{"A0 is not a lead byte",
                 "\xA0"
                 "A",
                 "A", 2},
        FindCase{"DF (half-width kana) is not a lead byte",
                 "\xDF"
                 "A",
                 "A", 2},
        FindCase{"FD is not a lead byte",
                 "\xFD"
                 "A",
                 "A", 2},
        FindCase{"hiragana pair straddle", "\x82\xA0\x82\xA0", "\xA0\x82", 0},
        // The readers apply TextFind to raw EUC-JP lines: the same Shift_JIS rule holds,
        // so an EUC-JP byte in E0-FC takes the byte after it as its second byte.
        FindCase{"EUC-JP: FC swallows the '<'", "\xC6\xFC<td>", "<td>", 0},
        FindCase{"EUC-JP: FC swallows a space", "\xC6\xFC <td>", "<td>", 4},
        FindCase{"EUC-JP: A1-DF are single bytes", "\xA4\xA2<td>", "<td>", 3},
        // NUL ends both texts.
        FindCase{"NUL ends text", "ab\0cd"s, "cd", 0},
        FindCase{"before NUL still found", "ab\0cd"s, "b", 2},
        FindCase{"NUL ends pattern", "abcd", "b\0x"s, 2},
        FindCase{"pattern empty before NUL", "abc", "\0a"s, 0},
        FindCase{"text empty before NUL", "\0abc"s, "a", 0}),
    [](const ::testing::TestParamInfo<FindCase>& info) {
      return "Case" + std::to_string(info.index);
    });

// ---------------------------------------------------------------------------------
// TextCopy

struct CopyCase {
  Text text;
  int index;
  int count;
  Text expected;
};

void PrintTo(const CopyCase& c, std::ostream* os) { *os << ::testing::PrintToString(c.text); }

class TextCopyTest : public ::testing::TestWithParam<CopyCase> {};

TEST_P(TextCopyTest, Copies) {
  const CopyCase& c = GetParam();
  EXPECT_EQ(TextCopy(c.text, c.index, c.count), c.expected)
      << "TextCopy(\"" << c.text << "\", " << c.index << ", " << c.count << ")";
}

INSTANTIATE_TEST_SUITE_P(
    Cases, TextCopyTest,
    ::testing::Values(CopyCase{"abcdef", 1, 3, "abc"}, CopyCase{"abcdef", 2, 3, "bcd"},
                      CopyCase{"abcdef", 5, 10, "ef"}, CopyCase{"abcdef", 6, 1, "f"},
                      CopyCase{"abcdef", 7, 1, ""}, CopyCase{"abcdef", 100, 1, ""},
                      CopyCase{"abcdef", 1, 6, "abcdef"}, CopyCase{"abcdef", 1, 0, ""},
                      CopyCase{"abcdef", 1, -1, ""}, CopyCase{"abcdef", 0, 2, "ab"},
                      CopyCase{"abcdef", -5, 2, "ab"}, CopyCase{"abcdef", INT_MIN, 1, "a"},
                      CopyCase{"abcdef", 2, INT_MAX, "bcdef"},
                      CopyCase{"abcdef", INT_MAX, INT_MAX, ""}, CopyCase{"", 1, 1, ""},
                      CopyCase{"", 0, 0, ""}, CopyCase{"a\0b"s, 2, 2, "\0b"s},
                      // Bytes, not characters: half of a double-byte character.
                      CopyCase{"\x93\xFA\x96\x7B", 2, 2, "\xFA\x96"}));

// ---------------------------------------------------------------------------------
// TextTrim

struct TrimCase {
  Text text;
  Text expected;
};

void PrintTo(const TrimCase& c, std::ostream* os) { *os << ::testing::PrintToString(c.text); }

class TextTrimTest : public ::testing::TestWithParam<TrimCase> {};

TEST_P(TextTrimTest, Trims) {
  const TrimCase& c = GetParam();
  EXPECT_EQ(TextTrim(c.text), c.expected) << "[" << Hex(c.text) << "]";
}

INSTANTIATE_TEST_SUITE_P(
    Cases, TextTrimTest,
    ::testing::Values(TrimCase{"", ""}, TrimCase{"   ", ""}, TrimCase{"abc", "abc"},
                      TrimCase{"  a b  ", "a b"}, TrimCase{"\t\r\n a \x1F", "a"},
                      TrimCase{"\0 a\0"s, "a"}, TrimCase{"\x01\x02\x20x\x20\x1F", "x"},
                      TrimCase{"\x7F"
                               "a\x7F",
                               "\x7F"
                               "a\x7F"},
                      TrimCase{"\xA0"
                               "a",
                               "\xA0"
                               "a"},
                      // The ideographic space (81 40) stays.
                      TrimCase{kIdeoSpace + "a" + kIdeoSpace, kIdeoSpace + "a" + kIdeoSpace},
                      TrimCase{" " + kIdeoSpace + " ", kIdeoSpace},
                      // A second byte 40 is not a space either; 20 never is a second byte.
                      TrimCase{"\r\n\x93\xFA\x96\x7B\r\n", "\x93\xFA\x96\x7B"}));

// ---------------------------------------------------------------------------------
// TextToIntDef

struct IntCase {
  Text text;
  int32_t expected;  // kDef for "gives the default"
};

void PrintTo(const IntCase& c, std::ostream* os) { *os << ::testing::PrintToString(c.text); }

constexpr int32_t kDef = -777;

class TextToIntDefTest : public ::testing::TestWithParam<IntCase> {};

TEST_P(TextToIntDefTest, Reads) {
  const IntCase& c = GetParam();
  EXPECT_EQ(TextToIntDef(c.text, kDef), c.expected) << "[" << c.text << "] = " << Hex(c.text);
}

INSTANTIATE_TEST_SUITE_P(
    Accepted, TextToIntDefTest,
    ::testing::Values(
        IntCase{"0", 0}, IntCase{"7", 7}, IntCase{"123", 123}, IntCase{"+123", 123},
        IntCase{"-123", -123}, IntCase{"-0", 0}, IntCase{"+0", 0}, IntCase{"   42", 42},
        IntCase{" -42", -42}, IntCase{"  +42", 42}, IntCase{"0000000000123", 123},
        IntCase{"2147483647", INT32_MAX}, IntCase{"-2147483648", INT32_MIN},
        IntCase{"+2147483647", INT32_MAX}, IntCase{"-2147483647", -INT32_MAX},
        IntCase{"00000000002147483647", INT32_MAX},
        // Hexadecimal after $, x, X, 0x, 0X; digits in either case.
        IntCase{"$FF", 255}, IntCase{"$ff", 255}, IntCase{"xFF", 255}, IntCase{"XfF", 255},
        IntCase{"0x1A", 26}, IntCase{"0X1a", 26}, IntCase{"$0", 0}, IntCase{"0x0", 0},
        IntCase{"  $10", 16}, IntCase{"-$10", -16}, IntCase{"+0x10", 16}, IntCase{"-x10", -16},
        // Hexadecimal is a 32-bit bit pattern: up to FFFFFFFF, leading zeros free.
        IntCase{"$7FFFFFFF", INT32_MAX}, IntCase{"$80000000", INT32_MIN}, IntCase{"$FFFFFFFF", -1},
        IntCase{"0xfffffffe", -2}, IntCase{"$00000000FFFFFFFF", -1}, IntCase{"-$FFFFFFFF", 1},
        IntCase{"-$80000000", INT32_MIN}, IntCase{"-$7FFFFFFF", -INT32_MAX}));

INSTANTIATE_TEST_SUITE_P(
    Rejected, TextToIntDefTest,
    ::testing::Values(
        IntCase{"", kDef}, IntCase{" ", kDef}, IntCase{"   ", kDef}, IntCase{"+", kDef},
        IntCase{"-", kDef}, IntCase{" -", kDef}, IntCase{"$", kDef}, IntCase{"x", kDef},
        IntCase{"X", kDef}, IntCase{"0x", kDef}, IntCase{"0X", kDef}, IntCase{"-$", kDef},
        // Decimal out of the signed 32-bit range.
        IntCase{"2147483648", kDef}, IntCase{"-2147483649", kDef}, IntCase{"+2147483648", kDef},
        IntCase{"4294967295", kDef}, IntCase{"99999999999999999999", kDef},
        // Hexadecimal beyond 32 bits.
        IntCase{"$100000000", kDef}, IntCase{"0xFFFFFFFFF", kDef}, IntCase{"-$100000000", kDef},
        // Any other byte before, between or after.
        IntCase{"12 ", kDef}, IntCase{"12\t", kDef}, IntCase{"\t12", kDef}, IntCase{"\r12", kDef},
        IntCase{"1,000", kDef}, IntCase{"1.0", kDef}, IntCase{"1e3", kDef}, IntCase{"12a", kDef},
        IntCase{"a12", kDef}, IntCase{"- 1", kDef}, IntCase{"+-1", kDef}, IntCase{"--1", kDef},
        IntCase{"1-", kDef}, IntCase{"$-1", kDef}, IntCase{"0x-1", kDef}, IntCase{"$ 1", kDef},
        IntCase{"$G", kDef}, IntCase{"0x0x1", kDef}, IntCase{"00x1", kDef}, IntCase{"0$1", kDef},
        IntCase{"12\0"s, kDef},
        IntCase{"\0"
                "12"s,
                kDef},
        IntCase{"\x82\x50", kDef},          // full-width 1
        IntCase{"\x82\x50\x82\x51", kDef},  // full-width 12
        IntCase{"1\x82\x51", kDef},         // 1 and full-width 2
        IntCase{"\x81\x40"
                "1",
                kDef},                 // ideographic space before
        IntCase{"1\x81\x40", kDef}));  // ideographic space after

TEST(TextToIntDef, DefaultIsReturnedAsGiven) {
  EXPECT_EQ(TextToIntDef("", 0), 0);
  EXPECT_EQ(TextToIntDef("x", INT32_MIN), INT32_MIN);
  EXPECT_EQ(TextToIntDef("?", 42), 42);
}

// ---------------------------------------------------------------------------------
// TextReplace

struct ReplaceCase {
  const char* name;
  Text text;
  Text pattern;
  Text replacement;
  unsigned flags;
  Text expected;
};

void PrintTo(const ReplaceCase& c, std::ostream* os) { *os << c.name; }

class TextReplaceTest : public ::testing::TestWithParam<ReplaceCase> {};

TEST_P(TextReplaceTest, Replaces) {
  const ReplaceCase& c = GetParam();
  EXPECT_EQ(Hex(TextReplace(c.text, c.pattern, c.replacement, c.flags)), Hex(c.expected)) << c.name;
}

constexpr unsigned kAll = rfReplaceAll;
constexpr unsigned kCase = rfIgnoreCase;
constexpr unsigned kBoth = rfReplaceAll | rfIgnoreCase;

INSTANTIATE_TEST_SUITE_P(
    Cases, TextReplaceTest,
    ::testing::Values(
        ReplaceCase{"first only", "aXbXc", "X", "-", 0, "a-bXc"},
        ReplaceCase{"all", "aXbXc", "X", "-", kAll, "a-b-c"},
        ReplaceCase{"absent", "abc", "X", "-", kAll, "abc"},
        ReplaceCase{"empty pattern", "abc", "", "x", kBoth, "abc"},
        ReplaceCase{"empty text", "", "a", "x", kBoth, ""},
        ReplaceCase{"empty replacement", "a-b-c", "-", "", kAll, "abc"},
        ReplaceCase{"whole text", "abc", "abc", "x", kAll, "x"},
        ReplaceCase{"at both ends", "XaX", "X", "--", kAll, "--a--"},
        ReplaceCase{"case counts", "abcABC", "b", "x", kAll, "axcABC"},
        ReplaceCase{"ignore case", "abcABC", "b", "x", kBoth, "axcAxC"},
        ReplaceCase{"ignore case, upper pattern", "abcABC", "B", "x", kBoth, "axcAxC"},
        ReplaceCase{"ignore case, first only", "ABCabc", "b", "x", kCase, "AxCabc"},
        ReplaceCase{"result from text, not its upper copy", "Hello hello HeLLo", "HELLO", "Bye",
                    kBoth, "Bye Bye Bye"},
        ReplaceCase{"rest keeps its case", "xAbcx", "B", "-", kBoth, "xA-cx"},
        ReplaceCase{"replacement keeps its case", "abc", "B", "zZ", kBoth, "azZc"},
        // A replacement is never searched again.
        ReplaceCase{"grows", "aaa", "a", "aa", kAll, "aaaaaa"},
        ReplaceCase{"swap", "abab", "ab", "ba", kAll, "baba"},
        ReplaceCase{"shrinks", "xxx", "xx", "x", kAll, "xx"},
        ReplaceCase{"pattern in replacement", "a", "a", "bab", kAll, "bab"},
        // Only character boundaries match.
        ReplaceCase{"second byte never matches", "\x82\x60", "\x60", "x", kAll, "\x82\x60"},
        ReplaceCase{"later single byte matches", "\x82\x60\x60", "\x60", "x", kAll, "\x82\x60x"},
        ReplaceCase{"double-byte characters", "\x82\x50\x82\x50", "\x82\x50", "1", kAll, "11"},
        // Ignore-case never upper-cases a second byte: ヂ (83 61) is not ア (83 41).
        ReplaceCase{"second byte not upper-cased", kDi_Kata, kA_Kata, "X", kBoth, kDi_Kata},
        ReplaceCase{"second byte a stays", kDi_Kata + "a", "A", "X", kBoth, kDi_Kata + "X"},
        ReplaceCase{"second byte A is no match for a", kA_Kata, "a", "X", kBoth, kA_Kata},
        // Only single-byte ASCII letters fold; full-width letters do not.
        ReplaceCase{"full-width letters do not fold", kFullSmallA, kFullA, "x", kBoth, kFullSmallA},
        ReplaceCase{"full-width letter itself", kFullA + "a", kFullA, "x", kBoth, "xa"},
        // Each further search starts afresh after the replaced occurrence: its first byte
        // counts as a character start even when it was a second byte in text.
        ReplaceCase{"rest searched afresh", "Z\x82Z\x82Z", "Z\x82", "-", kAll, "--Z"},
        ReplaceCase{"without replace-all the rest stays", "Z\x82Z\x82Z", "Z\x82", "-", 0,
                    "-Z\x82Z"},
        // NUL ends the searched text; the bytes after it are kept.
        ReplaceCase{"NUL ends the search", "a\0a"s, "a", "b", kAll, "b\0a"s}),
    [](const ::testing::TestParamInfo<ReplaceCase>& info) {
      return "Case" + std::to_string(info.index);
    });

TEST(TextReplace, LeavesArgumentsUnchanged) {
  const Text text = "aXbXc";
  const Text pattern = "x";
  const Text replacement = "-";
  EXPECT_EQ(TextReplace(text, pattern, replacement, kBoth), "a-b-c");
  EXPECT_EQ(text, "aXbXc");
  EXPECT_EQ(pattern, "x");
  EXPECT_EQ(replacement, "-");
}

}  // namespace
