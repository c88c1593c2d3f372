// The headless command's argument rules.
#include <gtest/gtest.h>

#include "app/cli/CliOptions.h"

namespace {

struct GoodCase {
  std::vector<std::string> args;
  std::vector<int32_t> areas;
  std::string baseUrl;
};

TEST(CliOptions, ReadsPrefecturesByNumberAndNameInAscendingOrder) {
  const GoodCase cases[] = {
      {{"--output", "a.csv", "3"}, {3}, ""},
      {{"--output=a.csv", "47", "1", "13"}, {1, 13, 47}, ""},
      {{"--output", "a.csv", "岩手県", "北海道", "3"}, {1, 3}, ""},
      {{"--output", "a.csv", "--base-url", "https://127.0.0.1:8443/", "沖縄県"},
       {47},
       "https://127.0.0.1:8443"},
      {{"--output", "a.csv", "--base-url=https://portal.example", "01"},
       {1},
       "https://portal.example"},
  };
  for (const GoodCase& c : cases) {
    const TCliParse parse = ParseCliOptions(c.args);
    EXPECT_EQ(parse.error, "") << c.args.back();
    EXPECT_EQ(parse.options.areas, c.areas) << c.args.back();
    EXPECT_EQ(parse.options.output, "a.csv");
    EXPECT_EQ(parse.options.baseUrl, c.baseUrl);
  }
}

TEST(CliOptions, AllMeansEveryPrefecture) {
  const TCliParse parse = ParseCliOptions({"--all", "--output", "x.csv"});
  ASSERT_EQ(parse.error, "");
  ASSERT_EQ(parse.options.areas.size(), 47u);
  EXPECT_EQ(parse.options.areas.front(), 1);
  EXPECT_EQ(parse.options.areas.back(), 47);
}

TEST(CliOptions, RejectsBadArgumentsNamingWhatIsWrong) {
  const std::pair<std::vector<std::string>, std::string> cases[] = {
      {{"3"}, "--output"},
      {{"--output"}, "--output needs a value"},
      {{"--output", "a.csv"}, "no prefecture"},
      {{"--output", "a.csv", "0"}, "not a prefecture"},
      {{"--output", "a.csv", "48"}, "48"},
      {{"--output", "a.csv", "東京"}, "東京"},
      {{"--output", "a.csv", "--all", "3"}, "not both"},
      {{"--output", "a.csv", "--verbose", "3"}, "--verbose"},
      {{"--output", "a.csv", "--base-url", "ftp://x", "3"}, "https://"},
      {{"--output", "a.csv", "--base-url", "https://", "3"}, "no host"},
      {{"--output", "a.csv", "--ca-file", "/nonexistent/ca.pem", "3"}, "/nonexistent/ca.pem"},
  };
  for (const auto& [args, mention] : cases) {
    const TCliParse parse = ParseCliOptions(args);
    EXPECT_NE(parse.error.find(mention), std::string::npos)
        << "error \"" << parse.error << "\" should mention " << mention;
  }
}

TEST(CliOptions, HelpWinsOverEverythingElse) {
  EXPECT_TRUE(ParseCliOptions({"--bogus", "--help"}).options.help);
  EXPECT_TRUE(ParseCliOptions({"-h", "--output"}).options.help);
}

}  // namespace
