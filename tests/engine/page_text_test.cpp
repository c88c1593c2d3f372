// EucToLocal, StripTags, NormalizeWidth, SplitText, and the cleaned text chain.
#include <gtest/gtest.h>
#include <iconv.h>

#include <map>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "Unicommon/CodePage.h"
#include "Unicommon/Cp932Windows.h"
#include "Unicommon/PageText.h"
#include "Unicommon/StringList.h"
#include "Unicommon/Text.h"
#include "support/Bytes.h"
#include "support/EucJp.h"

namespace {

using namespace std::string_literals;

const Text kSub = "\x81\x45";  // "・": what bytes that are not valid EUC-JP become

// One glibc iconv conversion of a whole text; false when it rejects any of it. The
// converters are opened once per direction (opening one is slow).
bool Iconv(const char* to, const char* from, const std::string& in, std::string& out) {
  struct Handles : std::map<std::pair<std::string, std::string>, iconv_t> {
    ~Handles() {
      for (auto& [names, cd] : *this) {
        if (cd != reinterpret_cast<iconv_t>(-1)) iconv_close(cd);
      }
    }
  };
  static Handles handles;
  auto [it, added] = handles.try_emplace({to, from}, iconv_t{});
  iconv_t& cd = it->second;
  if (added) cd = iconv_open(to, from);
  if (cd == reinterpret_cast<iconv_t>(-1)) return false;
  iconv(cd, nullptr, nullptr, nullptr, nullptr);
  out.assign(in.size() * 4 + 16, '\0');
  char* src = const_cast<char*>(in.data());
  size_t srcLeft = in.size();
  char* dst = out.data();
  size_t dstLeft = out.size();
  const size_t r = iconv(cd, &src, &srcLeft, &dst, &dstLeft);
  out.resize(out.size() - dstLeft);
  return r != static_cast<size_t>(-1) && srcLeft == 0;
}

// ---------------------------------------------------------------------------------
// EucToLocal

struct EucCase {
  const char* name;
  Text euc;
  Text expected;
};

// Names the case in test listings instead of dumping its bytes.
void PrintTo(const EucCase& c, std::ostream* os) { *os << c.name; }

class EucToLocalTest : public ::testing::TestWithParam<EucCase> {};

TEST_P(EucToLocalTest, Converts) {
  const EucCase& c = GetParam();
  EXPECT_EQ(Hex(EucToLocal(c.euc)), Hex(c.expected)) << c.name << ": [" << Hex(c.euc) << "]";
}

INSTANTIATE_TEST_SUITE_P(
    Examples, EucToLocalTest,
    ::testing::Values(EucCase{"empty", "", ""},
                      EucCase{"ASCII unchanged", "<td class=\"a\">Tel: 03-1234-5678</td>",
                              "<td class=\"a\">Tel: 03-1234-5678</td>"},
                      EucCase{"all ASCII bytes", "\x01\x09\x1F !~\x7F", "\x01\x09\x1F !~\x7F"},
                      EucCase{"two kanji", "\xC6\xFC\xCB\xDC", "\x93\xFA\x96\x7B"},
                      EucCase{"wave dash", "\xA1\xC1", "?"}));

// The characters where the system's conversion differs from glibc's CP932 encoder,
// and the best-fit counterparts.
INSTANTIATE_TEST_SUITE_P(
    SystemTable, EucToLocalTest,
    ::testing::Values(
        EucCase{"A1 C1 wave dash U+301C", "\xA1\xC1", "?"},
        EucCase{"A1 C2 double vertical line U+2016", "\xA1\xC2", "?"},
        EucCase{"A1 DD minus sign U+2212", "\xA1\xDD", "?"},
        EucCase{"A1 BD horizontal bar U+2015", "\xA1\xBD", "\x81\x5C"},
        EucCase{"A1 F1 cent sign U+00A2 (best fit)", "\xA1\xF1", "\x81\x91"},
        EucCase{"A1 F2 pound sign U+00A3 (best fit)", "\xA1\xF2", "\x81\x92"},
        EucCase{"A2 CC not sign U+00AC (best fit)", "\xA2\xCC", "\x81\xCA"},
        EucCase{"A1 C0 fullwidth reverse solidus", "\xA1\xC0", "\x81\x5F"},
        EucCase{"A1 EF fullwidth yen sign", "\xA1\xEF", "\x81\x8F"},
        EucCase{"A1 A1 ideographic space", "\xA1\xA1", "\x81\x40"},
        EucCase{"A1 BE hyphen U+2010", "\xA1\xBE", "\x81\x5D"},
        EucCase{"A3 B0 full-width 0", "\xA3\xB0", "\x82\x4F"},
        EucCase{"A2 E2 approximately equal (row 2, not NEC 87 90)", "\xA2\xE2", "\x81\xE0"},
        EucCase{"A2 E8 because (row 2, not FA 5B)", "\xA2\xE8", "\x81\xE6"},
        EucCase{"A4 A2 hiragana a", "\xA4\xA2", "\x82\xA0"},
        EucCase{"A5 F4 katakana vu", "\xA5\xF4", "\x83\x94"},
        EucCase{"B0 A1 first kanji", "\xB0\xA1", "\x88\x9F"},
        EucCase{"F4 A6 last kanji", "\xF4\xA6", "\xEA\xA4"},
        // Half-width katakana: one byte in code page 932.
        EucCase{"8E A1 half-width ideographic full stop", "\x8E\xA1", "\xA1"},
        EucCase{"8E B1 half-width a", "\x8E\xB1", "\xB1"},
        EucCase{"8E DF half-width semi-voiced mark", "\x8E\xDF", "\xDF"},
        // JIS X 0212 (8F, three bytes).
        EucCase{"8F B0 A1 U+4E02: no code page 932 form", "\x8F\xB0\xA1", "?"},
        EucCase{"8F B0 A9 U+4E28: IBM extension FA 68", "\x8F\xB0\xA9", "\xFA\x68"},
        EucCase{"8F E9 ED U+9ADC: IBM extension FC 40", "\x8F\xE9\xED", "\xFC\x40"},
        EucCase{"8F A2 B7 U+FF5E fullwidth tilde", "\x8F\xA2\xB7", "\x81\x60"},
        EucCase{"8F A2 F1 U+2116 numero sign", "\x8F\xA2\xF1", "\x87\x82"},
        EucCase{"8F A2 EF U+2122 trade mark: no form, no best fit", "\x8F\xA2\xEF", "?"},
        EucCase{"8F A2 F0 U+00A4 currency sign: no best fit", "\x8F\xA2\xF0", "?"},
        EucCase{"8F A2 C3 U+00A6 broken bar: best fit |", "\x8F\xA2\xC3", "|"},
        EucCase{"8F A2 C4 U+00BF inverted question mark: best fit ?", "\x8F\xA2\xC4", "?"},
        EucCase{"8F A2 ED U+00A9 copyright: best fit c", "\x8F\xA2\xED", "c"},
        EucCase{"8F A2 EE U+00AE registered: best fit R", "\x8F\xA2\xEE", "R"},
        EucCase{"8F AA A1 U+00C1 A acute: best fit A", "\x8F\xAA\xA1", "A"},
        EucCase{"8F AB B1 U+00E9 e acute: best fit e", "\x8F\xAB\xB1", "e"},
        EucCase{"8F AA A7 U+0100 A macron: no best fit", "\x8F\xAA\xA7", "?"},
        EucCase{"8F A6 E1 U+0386 Greek Alpha tonos: no best fit", "\x8F\xA6\xE1", "?"}));

INSTANTIATE_TEST_SUITE_P(
    InvalidInput, EucToLocalTest,
    ::testing::Values(
        EucCase{"80", "\x80", kSub}, EucCase{"8D", "\x8D", kSub}, EucCase{"90", "\x90", kSub},
        EucCase{"9F", "\x9F", kSub}, EucCase{"A0", "\xA0", kSub}, EucCase{"FF", "\xFF", kSub},
        EucCase{"80 between ASCII",
                "a\x80"
                "b",
                "a" + kSub + "b"},
        EucCase{"lead byte at the end", "a\xA4", "a" + kSub},
        EucCase{"lead byte before ASCII",
                "\xA4"
                "a",
                kSub + "a"},
        EucCase{"lead byte before 80", "\xA4\x80", kSub + kSub},
        EucCase{"lead byte before FF",
                "\xA4\xFF"
                "a",
                kSub + kSub + "a"},
        EucCase{"unassigned row 2 cell A2 AF", "\xA2\xAF", kSub},
        EucCase{"NEC row 13 AD A1 (not JIS X 0208)", "\xAD\xA1", kSub},
        EucCase{"row 9 A9 A1", "\xA9\xA1", kSub},
        EucCase{"user-defined row F5 A1", "\xF5\xA1", kSub}, EucCase{"FE FE", "\xFE\xFE", kSub},
        EucCase{"8E alone at the end", "\x8E", kSub},
        EucCase{"8E before ASCII",
                "\x8E"
                "A",
                kSub + "A"},
        EucCase{"8E E0 (beyond half-width kana)", "\x8E\xE0", kSub},
        EucCase{"8E FE",
                "\x8E\xFE"
                "a",
                kSub + "a"},
        EucCase{"8F alone", "\x8F", kSub},
        EucCase{"8F before ASCII",
                "\x8F"
                "AB",
                kSub + "AB"},
        EucCase{"8F with one byte at the end", "\x8F\xB0", kSub},
        EucCase{"8F with one byte before ASCII",
                "\x8F\xB0"
                "A",
                kSub + "A"},
        EucCase{"8F unassigned A1 A1", "\x8F\xA1\xA1", kSub},
        EucCase{"rest of the line converts",
                "\x80\xC6\xFC"
                "x\xFF\xCB\xDC",
                kSub +
                    "\x93\xFA"
                    "x" +
                    kSub + "\x96\x7B"},
        EucCase{"NUL ends the text", "a\0\xC6\xFC"s, "a"}, EucCase{"NUL first", "\0abc"s, ""}));

// Every JIS X 0208, half-width katakana and JIS X 0212 code, checked against glibc's
// own EUC-JP decoder: a code it rejects gives the substitute; a character the override
// table names gives that; a character code page 932 lacks gives "?"; any other gives
// code page 932 bytes that glibc decodes back to the same character.
TEST(EucToLocal, EveryCodeAgreesWithTheSystemDecoder) {
  int mapped = 0, question = 0, substituted = 0, overridden = 0;
  auto check = [&](const std::string& code) {
    std::string utf32;
    const Text local = EucToLocal(code);
    if (!Iconv("UTF-32LE", "EUC-JP", code, utf32) || utf32.size() != 4) {
      EXPECT_EQ(Hex(local), Hex(kSub)) << Hex(code);
      ++substituted;
      return;
    }
    char32_t u = 0;
    for (int k = 3; k >= 0; --k) u = (u << 8) | static_cast<unsigned char>(utf32[k]);
    uint16_t fixed = 0;
    if (cp932win::Override(u, fixed)) {
      const Text expected =
          fixed < 0x100 ? Text(1, static_cast<char>(fixed))
                        : Text{static_cast<char>(fixed >> 8), static_cast<char>(fixed & 0xFF)};
      EXPECT_EQ(Hex(local), Hex(expected)) << Hex(code);
      ++overridden;
      return;
    }
    std::string encoded;
    if (!Iconv("CP932", "UTF-32LE", utf32, encoded)) {
      EXPECT_EQ(local, "?") << Hex(code);
      ++question;
      return;
    }
    std::string back;
    ASSERT_TRUE(Iconv("UTF-32LE", "CP932", local, back)) << Hex(code) << " -> " << Hex(local);
    EXPECT_EQ(Hex(back), Hex(utf32)) << Hex(code) << " -> " << Hex(local);
    ASSERT_GE(local.size(), 1u);
    if (local.size() == 2) {
      EXPECT_TRUE(IsLeadByte(static_cast<unsigned char>(local[0])));
    }
    ++mapped;
  };
  for (int b1 = 0xA1; b1 <= 0xFE; ++b1) {
    for (int b2 = 0xA1; b2 <= 0xFE; ++b2) {
      check({static_cast<char>(b1), static_cast<char>(b2)});
      check({'\x8F', static_cast<char>(b1), static_cast<char>(b2)});
    }
    check({'\x8E', static_cast<char>(b1)});
  }
  // JIS X 0208 (6879) + half-width katakana (63) + JIS X 0212 (6067) characters.
  EXPECT_EQ(mapped + question + overridden, 6879 + 63 + 6067);
  EXPECT_EQ(substituted, 94 * 94 * 2 + 94 - (6879 + 63 + 6067));
  EXPECT_GT(mapped, 7000);
}

// In JIS X 0208 only the wave dash, the double vertical line and the minus sign come out
// as "?".
TEST(EucToLocal, OnlyThreeJisX0208CharactersBecomeQuestionMarks) {
  std::vector<std::string> questions;
  for (int b1 = 0xA1; b1 <= 0xFE; ++b1) {
    for (int b2 = 0xA1; b2 <= 0xFE; ++b2) {
      const Text code{static_cast<char>(b1), static_cast<char>(b2)};
      if (EucToLocal(code) == "?") questions.push_back(Hex(code));
    }
  }
  EXPECT_EQ(questions, (std::vector<std::string>{"A1 C1", "A1 C2", "A1 DD"}));
}

TEST(EucToLocal, UnicodeEmDashHasNoCodePage932Form) {
  // U+2014 has no EUC-JP code of its own (A1 BD is U+2015), but the encoding step must
  // not map it to 81 5C as glibc does.
  uint16_t bytes = 0;
  ASSERT_TRUE(cp932win::Override(0x2014, bytes));
  EXPECT_EQ(bytes, 0x3F);
  ASSERT_TRUE(cp932win::Override(0x301C, bytes));
  EXPECT_EQ(bytes, 0x3F);
  EXPECT_FALSE(cp932win::Override(0x2015, bytes));
  EXPECT_FALSE(cp932win::Override(0xFF5E, bytes));
  EXPECT_FALSE(cp932win::Override(0x4E00, bytes));
}

TEST(EucToLocal, JapaneseTextMatchesTheEdgeConversion) {
  // Text without the characters the two code pages pair differently converts the same
  // way as through Unicode.
  const char* lines[] = {
      "株式会社テスト自動車　東京本店",
      "〒100-0001 東京都千代田区千代田１番１号",
      "営業時間：10:00～19:00（定休日：水曜日）",
      "ｱｲｳｴｵ ﾊﾝｶｸｶﾅ ｶﾞｷﾞｸﾞ",
      "★☆◆□■△▲▽▼※〒→←↑↓〓∈∋⊆⊇∧∨¬⇒⇔∀∃∠⊥⌒∂∇≡≒≪≫√∽∝∵∫∬\u212B‰♯♭♪†‡¶◯",
      "ΑΒΓΔ αβγδ АБВГ абвг ─│┌┐┘└├┬┤┴┼",
  };
  for (const char* utf8 : lines) {
    EXPECT_EQ(Hex(EucToLocal(Utf8ToEucJp(utf8))), Hex(Utf8ToLocal(utf8))) << utf8;
  }
}

TEST(EucToLocal, LeavesItsArgumentUnchanged) {
  const Text euc = "\xC6\xFC\xCB\xDC";
  EXPECT_EQ(EucToLocal(euc), "\x93\xFA\x96\x7B");
  EXPECT_EQ(euc, "\xC6\xFC\xCB\xDC");
}

TEST(EucToLocal, ConvertsOnManyThreadsAtOnce) {
  std::string page;
  for (int i = 0; i < 200; ++i) page += Utf8ToEucJp("<td>東京都千代田区 ﾃｽﾄ 〜</td>");
  const Text expected = EucToLocal(page);
  std::vector<std::thread> threads;
  std::vector<int> failures(8, 0);
  for (int t = 0; t < 8; ++t) {
    threads.emplace_back([&, t] {
      for (int k = 0; k < 200; ++k) {
        if (EucToLocal(page) != expected) ++failures[t];
      }
    });
  }
  for (auto& th : threads) th.join();
  for (int t = 0; t < 8; ++t) EXPECT_EQ(failures[t], 0) << "thread " << t;
}

// ---------------------------------------------------------------------------------
// StripTags

struct StripCase {
  Text text;
  Text expected;
};

void PrintTo(const StripCase& c, std::ostream* os) { *os << ::testing::PrintToString(c.text); }

class StripTagsTest : public ::testing::TestWithParam<StripCase> {};

TEST_P(StripTagsTest, Strips) {
  const StripCase& c = GetParam();
  EXPECT_EQ(StripTags(c.text), c.expected) << "[" << c.text << "]";
}

INSTANTIATE_TEST_SUITE_P(Examples, StripTagsTest,
                         ::testing::Values(StripCase{"a<b>c", "ac"}, StripCase{"<td>x</td>", "x"},
                                           StripCase{"<td class=\"name\">", ""},
                                           StripCase{"<>", ""}, StripCase{"a<b", "a<b"},
                                           StripCase{"a<b<c>d", "ad"}, StripCase{"x>y", "x>y"},
                                           StripCase{"a<br>b", "ab"}));

INSTANTIATE_TEST_SUITE_P(MoreCases, StripTagsTest,
                         ::testing::Values(StripCase{"", ""}, StripCase{"plain text", "plain text"},
                                           StripCase{"<a><b>", ""}, StripCase{"<<a>>", ">"},
                                           StripCase{"a>b<c", "a>b<c"}, StripCase{"x<>y", "xy"},
                                           StripCase{"<a>x<b", "x<b"},
                                           StripCase{"<a>x<b>y<c", "xy<c"},
                                           StripCase{"a<b\nc>d", "ad"},
                                           StripCase{" <b> x </b> ", "  x  "},
                                           StripCase{"<a href=\"x>y\">t</a>", "y\">t"},
                                           StripCase{"\x93\xFA<br>\x96\x7B", "\x93\xFA\x96\x7B"},
                                           StripCase{"a\0<b>c"s, "a\0c"s}));

// ---------------------------------------------------------------------------------
// NormalizeWidth

struct WidthCase {
  const char* name;
  Text text;
  Text expected;
};

void PrintTo(const WidthCase& c, std::ostream* os) { *os << c.name; }

class NormalizeWidthTest : public ::testing::TestWithParam<WidthCase> {};

TEST_P(NormalizeWidthTest, Folds) {
  const WidthCase& c = GetParam();
  EXPECT_EQ(Hex(NormalizeWidth(c.text)), Hex(c.expected)) << c.name;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, NormalizeWidthTest,
    ::testing::Values(WidthCase{"empty", "", ""},
                      WidthCase{"phone number 090-1234", L("０９０－１２３４"), "090-1234"},
                      WidthCase{"ideographic space", "\x81\x40", " "},
                      WidthCase{"two ideographic spaces",
                                "a\x81\x40\x81\x40"
                                "b",
                                "a  b"},
                      WidthCase{"hyphen 81 5D", L("‐"), "-"},
                      WidthCase{"all digits", L("１２３４５６７８９０"), "1234567890"},
                      WidthCase{"full-width letters stay", L("ＡＢａｂ"), L("ＡＢａｂ")},
                      WidthCase{"other signs stay", L("＋ー～：（）＃"), L("＋ー～：（）＃")},
                      WidthCase{"mixed", L("TEL：０３－１２３４－５６７８"),
                                L("TEL：03-1234-5678")},
                      WidthCase{"ASCII unchanged", "03-1234 5678", "03-1234 5678"},
                      // Matches only on character boundaries: ｂ (82 82) then 'P' (50) hold 82 50
                      // ("１") across the boundary, and ≠ (81 82) then 'O' (4F) hold 82 4F ("０").
                      WidthCase{"no match across characters", "\x82\x82\x50", "\x82\x82\x50"},
                      WidthCase{"no match across characters 2", "\x81\x82\x4F", "\x81\x82\x4F"},
                      WidthCase{"no match across characters 3", "\x81\x81\x40", "\x81\x81\x40"},
                      WidthCase{"boundary then match", "\x81\x81\x81\x40", "\x81\x81 "},
                      WidthCase{"kanji kept", L("東京都　港区"), L("東京都 港区")}),
    [](const ::testing::TestParamInfo<WidthCase>& info) {
      return "Case" + std::to_string(info.index);
    });

// ---------------------------------------------------------------------------------
// SplitText

struct SplitCase {
  const char* name;
  Text text;
  Text delimiter;
  std::vector<std::string> expected;
};

void PrintTo(const SplitCase& c, std::ostream* os) { *os << c.name; }

class SplitTextTest : public ::testing::TestWithParam<SplitCase> {};

TEST_P(SplitTextTest, Splits) {
  const SplitCase& c = GetParam();
  TStringList list;
  SplitText(c.text, c.delimiter, list);
  std::vector<std::string> pieces;
  for (int i = 0; i < list.Count(); ++i) pieces.push_back(list[i]);
  EXPECT_EQ(pieces, c.expected) << c.name;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SplitTextTest,
    ::testing::Values(
        SplitCase{"a/b/c", "a/b/c", "/", {"a", "b", "c"}},
        SplitCase{"/a//b/", "/a//b/", "/", {"a", "b"}}, SplitCase{"abc", "abc", "/", {"abc"}},
        SplitCase{"empty text", "", "/", {}}, SplitCase{"just the delimiter", "/", "/", {}},
        SplitCase{"only delimiters", "///", "/", {}},
        SplitCase{"path",
                  "/usedcar_shop/123456/detail.html",
                  "/",
                  {"usedcar_shop", "123456", "detail.html"}},
        SplitCase{"empty delimiter", "abc", "", {"abc"}},
        SplitCase{"empty delimiter, empty text", "", "", {}},
        SplitCase{"long delimiter", "a::b::::c", "::", {"a", "b", "c"}},
        SplitCase{"long delimiter overlapping", ":::", "::", {":"}},
        SplitCase{"delimiter at the end only", "ab/", "/", {"ab"}},
        // Delimiters found only on character boundaries.
        SplitCase{"second byte is no delimiter",
                  "\x82\x60"
                  "a`b",
                  "`",
                  {"\x82\x60"
                   "a",
                   "b"}},
        SplitCase{"double-byte delimiter", L("東京・大阪・"), L("・"), {L("東京"), L("大阪")}}),
    [](const ::testing::TestParamInfo<SplitCase>& info) {
      return "Case" + std::to_string(info.index);
    });

TEST(SplitText, KeepsTheLinesTheListHolds) {
  TStringList list;
  list.Add("first");
  list.Add("second");
  SplitText("a/b", "/", list);
  ASSERT_EQ(list.Count(), 4);
  EXPECT_EQ(list[0], "first");
  EXPECT_EQ(list[1], "second");
  EXPECT_EQ(list[2], "a");
  EXPECT_EQ(list[3], "b");
  SplitText("", "/", list);
  SplitText("/", "/", list);
  EXPECT_EQ(list.Count(), 4);
}

// ---------------------------------------------------------------------------------
// CleanedText: TextTrim, EucToLocal, StripTags, TextTrim.

TEST(CleanedText, TrimsConvertsStripsAndTrims) {
  EXPECT_EQ(Hex(CleanedText("  <td>\xC6\xFC\xCB\xDC</td>  \r")), Hex("\x93\xFA\x96\x7B"));
  EXPECT_EQ(CleanedText("\t<td> abc </td>\r"), "abc");
  EXPECT_EQ(CleanedText(""), "");
  EXPECT_EQ(CleanedText("   "), "");
  EXPECT_EQ(CleanedText("<br>"), "");
  EXPECT_EQ(CleanedText("<a href=\"/x\">"), "");
  // The wave dash comes out as "?", for the readers to turn back.
  EXPECT_EQ(CleanedText(Utf8ToEucJp("<td>10:00〜19:00</td>")), "10:00?19:00");
  // The ideographic space is no space to TextTrim.
  EXPECT_EQ(Hex(CleanedText("<td>\xA1\xA1x\xA1\xA1</td>")), Hex("\x81\x40x\x81\x40"));
  // Tags are stripped after the conversion; text either side joins directly.
  EXPECT_EQ(CleanedText(Utf8ToEucJp("<th>住所</th><td>東京都<br>千代田区</td>")),
            L("住所東京都千代田区"));
  // A '<' without a '>' keeps the rest.
  EXPECT_EQ(CleanedText(Utf8ToEucJp("評価 < 5 点")), L("評価 < 5 点"));
}

TEST(CleanedText, EqualsTheFourStepsInOrder) {
  const std::vector<std::string> lines = {
      Utf8ToEucJp("  <span class=\"shop\">テスト自動車</span> \t"),
      Utf8ToEucJp("<td>〒100-0001　東京都千代田区</td>"), "\x8E\xB1<b>\x80</b>\r\n", "\t\t",
      Utf8ToEucJp("<dd>水曜日 </dd>")};
  for (const std::string& line : lines) {
    EXPECT_EQ(CleanedText(line), TextTrim(StripTags(EucToLocal(TextTrim(line)))));
  }
}

}  // namespace
