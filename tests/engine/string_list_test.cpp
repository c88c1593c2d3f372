// The String list and its loader: line ends, the last line, NUL, missing files.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "Unicommon/StringList.h"

namespace {

using namespace std::string_literals;
namespace fs = std::filesystem;

// A scratch folder for this test program, removed at the end.
class StringListFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string name = ::testing::UnitTest::GetInstance()->current_test_info()->name();
    for (char& c : name) {
      if (c == '/') c = '_';
    }
    FDir = fs::temp_directory_path() /
           ("mirvaso_string_list_" + std::to_string(::getpid()) + "_" + name);
    fs::create_directories(FDir);
  }
  void TearDown() override {
    std::error_code ignored;
    fs::remove_all(FDir, ignored);
  }

  std::string Write(const std::string& bytes, const std::string& name = "page.dat") {
    const fs::path path = FDir / name;
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.close();
    return path.string();
  }

  static std::vector<std::string> LinesOf(const TStringList& list) {
    std::vector<std::string> lines;
    for (int i = 0; i < list.Count(); ++i) lines.push_back(list[i]);
    return lines;
  }

  std::vector<std::string> Load(const std::string& bytes) {
    TStringList list;
    list.LoadFromFile(Write(bytes));
    return LinesOf(list);
  }

  fs::path FDir;
};

using Lines = std::vector<std::string>;

TEST(StringList, AddGetCountClear) {
  TStringList list;
  EXPECT_EQ(list.Count(), 0);
  list.Add("a");
  list.Add("");
  list.Add("\x93\xFA");
  ASSERT_EQ(list.Count(), 3);
  EXPECT_EQ(list[0], "a");
  EXPECT_EQ(list[1], "");
  EXPECT_EQ(list[2], "\x93\xFA");
  list.Clear();
  EXPECT_EQ(list.Count(), 0);
}

struct LineEndCase {
  const char* name;
  std::string bytes;
  Lines expected;
};

// Names the case in test listings instead of dumping its bytes.
void PrintTo(const LineEndCase& c, std::ostream* os) { *os << c.name; }

class LineEndTest : public StringListFileTest, public ::testing::WithParamInterface<LineEndCase> {};

TEST_P(LineEndTest, Splits) {
  const LineEndCase& c = GetParam();
  EXPECT_EQ(Load(c.bytes), c.expected) << c.name;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, LineEndTest,
    ::testing::Values(LineEndCase{"CR LF", "a\r\nb\r\n", {"a", "b"}},
                      LineEndCase{"LF", "a\nb\n", {"a", "b"}},
                      LineEndCase{"CR", "a\rb\r", {"a", "b"}},
                      LineEndCase{"CR LF is one end", "a\r\nb", {"a", "b"}},
                      LineEndCase{"LF CR is two ends", "a\n\rb", {"a", "", "b"}},
                      LineEndCase{"LF CR at the end", "a\n\r", {"a", ""}},
                      LineEndCase{"CR CR LF", "a\r\r\nb", {"a", "", "b"}},
                      LineEndCase{"CR LF CR LF", "a\r\n\r\nb", {"a", "", "b"}},
                      LineEndCase{"mixed", "a\nb\rc\r\nd", {"a", "b", "c", "d"}},
                      LineEndCase{"last line without an end", "a\r\nb", {"a", "b"}},
                      LineEndCase{"single line without an end", "abc", {"abc"}},
                      LineEndCase{"empty file", "", {}}, LineEndCase{"one line end", "\r\n", {""}},
                      LineEndCase{"two LF", "\n\n", {"", ""}},
                      LineEndCase{"leading empty line", "\nx", {"", "x"}},
                      LineEndCase{"spaces kept", "  a \t\r\n", {"  a \t"}},
                      LineEndCase{"NUL ends the text", "a\r\nb\0c\r\nd"s, {"a", "b"}},
                      LineEndCase{"NUL first", "\0abc\r\n"s, {}},
                      LineEndCase{"NUL after a line end", "a\r\n\0b"s, {"a"}},
                      LineEndCase{"NUL between CR and LF", "ab\r\0\ncd"s, {"ab"}},
                      // Bytes are kept as they are, without conversion (EUC-JP here).
                      LineEndCase{"EUC-JP bytes",
                                  "\xC6\xFC\xCB\xDC\r\n\x8E\xB1\xA1\xC1",
                                  {"\xC6\xFC\xCB\xDC", "\x8E\xB1\xA1\xC1"}}),
    [](const ::testing::TestParamInfo<LineEndCase>& info) {
      return "Case" + std::to_string(info.index);
    });

TEST_F(StringListFileTest, LoadingEmptiesTheListFirst) {
  TStringList list;
  list.Add("old 1");
  list.Add("old 2");
  list.LoadFromFile(Write("new\r\n"));
  EXPECT_EQ(LinesOf(list), Lines({"new"}));
  list.LoadFromFile(Write(""));
  EXPECT_EQ(list.Count(), 0);
}

TEST_F(StringListFileTest, LargeFileReadWhole) {
  std::string bytes;
  Lines expected;
  for (int i = 0; i < 50000; ++i) {
    std::string line = "line " + std::to_string(i) + " <td>\xC6\xFC\xCB\xDC</td>";
    bytes += line + (i % 3 == 0 ? "\r\n" : i % 3 == 1 ? "\n" : "\r");
    expected.push_back(line);
  }
  ASSERT_GT(bytes.size(), 1000000u);
  EXPECT_EQ(Load(bytes), expected);
}

TEST_F(StringListFileTest, MissingFileThrows) {
  TStringList list;
  list.Add("old");
  EXPECT_THROW(list.LoadFromFile((FDir / "no such file.dat").string()), std::runtime_error);
  EXPECT_EQ(list.Count(), 0);
}

TEST_F(StringListFileTest, FolderThrows) {
  TStringList list;
  EXPECT_THROW(list.LoadFromFile(FDir.string()), std::runtime_error);
}

TEST_F(StringListFileTest, UnreadableFileThrows) {
  if (::geteuid() == 0) GTEST_SKIP() << "root can read any file";
  const std::string path = Write("secret\r\n");
  fs::permissions(path, fs::perms::none);
  TStringList list;
  EXPECT_THROW(list.LoadFromFile(path), std::runtime_error);
}

}  // namespace
