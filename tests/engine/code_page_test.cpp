// The edge conversions between UTF-8 and code page 932 Text.
#include <gtest/gtest.h>

#include <string>
#include <thread>
#include <vector>

#include "Unicommon/CodePage.h"
#include "support/Bytes.h"

namespace {

using namespace std::string_literals;

const std::string kFffd = "\xEF\xBF\xBD";  // U+FFFD in UTF-8

struct Case {
  const char* name;
  std::string in;
  std::string expected;
};

// Names the case in test listings instead of dumping its bytes.
void PrintTo(const Case& c, std::ostream* os) { *os << c.name; }

class Utf8ToLocalTest : public ::testing::TestWithParam<Case> {};

TEST_P(Utf8ToLocalTest, Converts) {
  const Case& c = GetParam();
  EXPECT_EQ(Hex(Utf8ToLocal(c.in)), Hex(c.expected)) << c.name;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Utf8ToLocalTest,
    ::testing::Values(
        Case{"empty", "", ""}, Case{"ASCII", "abc <td> 123\r\n", "abc <td> 123\r\n"},
        Case{"NUL kept", "a\0b"s, "a\0b"s}, Case{"kanji", "日本", "\x93\xFA\x96\x7B"},
        Case{"hiragana", "あ", "\x82\xA0"}, Case{"ideographic space", "　", "\x81\x40"},
        Case{"full-width tilde", "～", "\x81\x60"}, Case{"full-width minus", "－", "\x81\x7C"},
        Case{"half-width katakana", "ｱﾝ", "\xB1\xDD"}, Case{"NEC row 13", "①", "\x87\x40"},
        Case{"IBM extension", "髙", "\xFB\xFC"}, Case{"no code page 932 form", "€", "?"},
        Case{"emoji", "a😀b", "a?b"}, Case{"Hangul", "한", "?"},
        Case{"invalid byte",
             "a\xFF"
             "b",
             "a?b"},
        Case{"lone continuation byte", "\x80", "?"},
        Case{"truncated sequence: each byte", "a\xE6\x97", "a??"},
        Case{"bad continuation", "\xC3(", "?("}, Case{"surrogate", "\xED\xA0\x80", "???"},
        Case{"overlong", "\xC0\xAF", "??"}, Case{"rest converts", "\xFF日本", "?\x93\xFA\x96\x7B"}),
    [](const ::testing::TestParamInfo<Case>& info) { return "Case" + std::to_string(info.index); });

class LocalToUtf8Test : public ::testing::TestWithParam<Case> {};

TEST_P(LocalToUtf8Test, Converts) {
  const Case& c = GetParam();
  EXPECT_EQ(Hex(LocalToUtf8(c.in)), Hex(c.expected)) << c.name;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, LocalToUtf8Test,
    ::testing::Values(Case{"empty", "", ""}, Case{"ASCII", "abc\r\n", "abc\r\n"},
                      Case{"5C stays a backslash", "\\", "\\"},
                      Case{"kanji", "\x93\xFA\x96\x7B", "日本"},
                      Case{"81 60 is the full-width tilde", "\x81\x60", "～"},
                      Case{"81 5C is the horizontal bar", "\x81\x5C", "\xE2\x80\x95"},
                      Case{"81 7C is the full-width minus", "\x81\x7C", "－"},
                      Case{"half-width katakana", "\xB1", "ｱ"}, Case{"NEC row 13", "\x87\x40", "①"},
                      Case{"80", "\x80", kFffd}, Case{"A0", "\xA0", kFffd},
                      Case{"FD", "\xFD", kFffd},
                      Case{"FF between ASCII",
                           "a\xFF"
                           "b",
                           "a" + kFffd + "b"},
                      Case{"lead byte at the end", "a\x81", "a" + kFffd},
                      Case{"lead byte before a space", "\x81 x", kFffd + " x"},
                      Case{"unassigned double-byte code",
                           "\x85\x40"
                           "a",
                           kFffd + "a"},
                      Case{"rest converts", "\xFF\x93\xFA", kFffd + "日"}),
    [](const ::testing::TestParamInfo<Case>& info) { return "Case" + std::to_string(info.index); });

TEST(CodePage, LiteralShorthand) {
  EXPECT_EQ(Hex(L("東京都")), Hex("\x93\x8C\x8B\x9E\x93\x73"));
  EXPECT_EQ(L("abc"), "abc");
}

TEST(CodePage, RoundTripOfEveryCharacterOfCodePage932) {
  // Each double-byte code that decodes converts back to the same bytes, except where
  // code page 932 holds a character twice (NEC row 13 / NEC-selected IBM extensions),
  // whose encoder picks one of the two.
  int roundTrips = 0, duplicates = 0;
  for (int lead = 0x81; lead <= 0xFC; ++lead) {
    if (lead > 0x9F && lead < 0xE0) continue;
    for (int trail = 0x40; trail <= 0xFC; ++trail) {
      if (trail == 0x7F) continue;
      const std::string local{static_cast<char>(lead), static_cast<char>(trail)};
      const std::string utf8 = LocalToUtf8(local);
      if (utf8 == kFffd) continue;
      const std::string back = Utf8ToLocal(utf8);
      if (back == local) {
        ++roundTrips;
      } else {
        ++duplicates;
        EXPECT_EQ(LocalToUtf8(back), utf8) << Hex(local);
        EXPECT_TRUE(lead == 0x87 || lead == 0xED || lead == 0xEE || lead == 0xFA)
            << Hex(local) << " -> " << Hex(back);
      }
    }
  }
  EXPECT_GT(roundTrips, 9000);
  EXPECT_LT(duplicates, 400);
}

TEST(CodePage, ConvertsOnManyThreadsAtOnce) {
  const std::string utf8 = "株式会社テスト自動車　東京本店 ｱｲｳ €";
  const std::string local = Utf8ToLocal(utf8);
  std::vector<std::thread> threads;
  std::vector<int> failures(8, 0);
  for (int t = 0; t < 8; ++t) {
    threads.emplace_back([&, t] {
      for (int k = 0; k < 500; ++k) {
        if (Utf8ToLocal(utf8) != local) ++failures[t];
        if (LocalToUtf8(local) != "株式会社テスト自動車　東京本店 ｱｲｳ ?") ++failures[t];
      }
    });
  }
  for (auto& th : threads) th.join();
  for (int t = 0; t < 8; ++t) EXPECT_EQ(failures[t], 0) << "thread " << t;
}

}  // namespace
