#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "Unicommon/CodePage.h"
#include "extract/ShopListFile.h"

namespace {

namespace fs = std::filesystem;

std::string ReadBytes(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

class ShopListFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() /
           ("mirvaso_shoplist_" + std::to_string(getpid()) + "_" +
            ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::create_directories(dir_);
  }
  void TearDown() override { fs::remove_all(dir_); }

  fs::path dir_;
};

ShopRecord IdOnlyRecord() {
  ShopRecord record;
  record.ShopId = "ab12";
  record.ReviewPageUrl = "https://portal.example/user_review/ab12/detail.html";
  record.DetailPageUrl = "https://portal.example/usedcar_shop/ab12/detail.html";
  return record;
}

TEST(ShopListFormat, HeaderIsEighteenQuotedTextsWithoutTrailingComma) {
  const std::string expected =
      L("\"店舗ID\",\"店舗名\",\"店舗形態\",\"紹介文\",\"郵便番号\",\"住所\",\"電話番号\","
        "\"FAX番号\",\"営業時間\",\"定休日\",\"販売店情報\",\"掲載車台数\",\"レビュー総合評価\","
        "\"レビュー件数\",\"緯度（世界測地系）\",\"経度（世界測地系）\",\"レビューページURL\","
        "\"詳細ページURL\"\r\n");
  EXPECT_EQ(FormatShopListHeader(), expected);
  // Starts with "店舗ID" in code page 932, no byte-order mark.
  EXPECT_EQ(FormatShopListHeader().substr(0, 8),
            "\"\x93\x58\x95\xdc"
            "ID\"");
}

TEST(ShopListFormat, IdOnlyRecordHasEighteenQuotedValuesEachFollowedByAComma) {
  EXPECT_EQ(FormatShopRecord(IdOnlyRecord()),
            "\"ab12\",\"\",\"\",\"\",\"\",\"\",\"\",\"\",\"\",\"\",\"\",\"\",\"\",\"\",\"\",\"\","
            "\"https://portal.example/user_review/ab12/detail.html\","
            "\"https://portal.example/usedcar_shop/ab12/detail.html\",\r\n");
}

TEST(ShopListFormat, CommaStaysInsideTheQuotesAndDoubleQuotesAreDoubled) {
  ShopRecord record;
  record.ShopName = L("ミルバ自動車, 本店");
  record.Introduction = "the \"best\" cars";
  record.ReviewRating = "\"";
  const std::string line = FormatShopRecord(record);
  EXPECT_EQ(line, "\"\"," + ("\"" + L("ミルバ自動車, 本店") + "\",") + "\"\"," +
                      "\"the \"\"best\"\" cars\"," + "\"\",\"\",\"\",\"\",\"\",\"\",\"\",\"\"," +
                      "\"\"\"\"," + "\"\",\"\",\"\",\"\",\"\",\r\n");
}

TEST(ShopListFormat, DoubleByteCharactersPassUnchanged) {
  ShopRecord record;
  // 表 ends in byte 5C, the backslash; it must not be touched.
  record.ShopName = L("表示");
  EXPECT_EQ(FormatShopRecord(record).substr(3, 6), "\"\x95\x5c\x8e\xa6\"");
}

TEST_F(ShopListFileTest, WritesHeaderAndRecordsWithCrLfAndTruncatesAnOldFile) {
  const fs::path path = dir_ / "shops.csv";
  {
    std::ofstream old(path, std::ios::binary);
    old << "old content that must disappear, longer than what follows ...........\n";
  }
  TShopListFile file;
  ASSERT_TRUE(file.Open(path.string()));
  EXPECT_TRUE(WriteShopListHeader(file));
  EXPECT_TRUE(WriteShopRecord(file, IdOnlyRecord()));
  EXPECT_TRUE(file.Close());
  EXPECT_FALSE(file.Failed());

  EXPECT_EQ(ReadBytes(path), FormatShopListHeader() + FormatShopRecord(IdOnlyRecord()));
}

TEST_F(ShopListFileTest, RunWithoutShopsLeavesOnlyTheHeaderLine) {
  const fs::path path = dir_ / "empty.csv";
  TShopListFile file;
  ASSERT_TRUE(file.Open(path.string()));
  ASSERT_TRUE(WriteShopListHeader(file));
  ASSERT_TRUE(file.Close());
  const std::string bytes = ReadBytes(path);
  EXPECT_EQ(bytes, FormatShopListHeader());
  EXPECT_EQ(bytes.substr(bytes.size() - 2), "\r\n");
}

TEST_F(ShopListFileTest, OpenReportsAFileThatCannotBeCreated) {
  TShopListFile file;
  EXPECT_FALSE(file.Open((dir_ / "no such folder" / "shops.csv").string()));
  EXPECT_FALSE(file.IsOpen());
  EXPECT_FALSE(WriteShopListHeader(file));
}

TEST_F(ShopListFileTest, WritesAfterCloseAreReportedAsFailures) {
  TShopListFile file;
  ASSERT_TRUE(file.Open((dir_ / "closed.csv").string()));
  ASSERT_TRUE(file.Close());
  EXPECT_FALSE(WriteShopRecord(file, IdOnlyRecord()));
  EXPECT_TRUE(file.Failed());
}

TEST(ShopListFileFullDisk, FailedWritesAndCloseAreReported) {
  if (!fs::exists("/dev/full")) GTEST_SKIP() << "no /dev/full on this system";
  TShopListFile file;
  ASSERT_TRUE(file.Open("/dev/full"));
  EXPECT_FALSE(WriteShopListHeader(file));
  EXPECT_TRUE(file.Failed());
  EXPECT_FALSE(WriteShopRecord(file, IdOnlyRecord()));
  EXPECT_FALSE(file.Close());
  EXPECT_TRUE(file.Failed());
}

}  // namespace
