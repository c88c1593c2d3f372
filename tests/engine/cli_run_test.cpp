// The headless command as a user runs it: exit codes, the file, progress and Ctrl-C.
#include <gtest/gtest.h>
#include <signal.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "extract/ShopListFile.h"
#include "support/Bytes.h"
#include "support/ChildProcess.h"
#include "support/PortalPages.h"
#include "support/TempDir.h"
#include "support/TestPortal.h"

namespace {

class CliRun : public testing::Test {
 protected:
  void SetUp() override { std::filesystem::create_directory(TmpDir()); }

  std::string TmpDir() const { return dir.Path() + "/tmp"; }
  std::string Output() const { return dir.Path() + "/shops.csv"; }

  // Runs the command against the portal with a private TMPDIR.
  TChildProcess Start(std::vector<std::string> args, const std::string& baseUrl = "") {
    std::vector<std::string> all = {"--output",   Output(),
                                    "--base-url", baseUrl.empty() ? portal.BaseUrl() : baseUrl,
                                    "--ca-file",  portal.CaFile()};
    all.insert(all.end(), args.begin(), args.end());
    return TChildProcess(MIRVASO_CLI_PATH, all, {"TMPDIR=" + TmpDir()});
  }
  int Run(std::vector<std::string> args, const std::string& baseUrl = "") {
    TChildProcess child = Start(std::move(args), baseUrl);
    const int code = child.Wait();
    stderrText = child.Stderr();
    return code;
  }
  bool TmpDirIsEmpty() const { return std::filesystem::is_empty(TmpDir()); }

  void PutShops(int area, const std::vector<std::string>& ids) {
    char path[64];
    std::snprintf(path, sizeof path, "/usedcar_shop/pref-%02d/index.html", area);
    portal.PutUtf8(path, ListingPageUtf8(std::to_string(ids.size()) + "件", ids));
    for (const std::string& id : ids) {
      portal.PutUtf8("/usedcar_shop/" + id + "/detail.html", DetailPageUtf8("店" + id));
    }
  }

  TTempDir dir;
  TestPortal portal;
  std::string stderrText;
};

TEST_F(CliRun, WritesTheShopsOfTheNamedPrefecturesAndSaysWhere) {
  PutShops(3, {"3001", "3002"});
  PutShops(13, {"1301"});
  std::ofstream(Output()) << "an older file that is replaced";

  EXPECT_EQ(Run({"東京都", "3"}), 0) << stderrText;

  const std::string csv = ReadFileBytes(Output());
  EXPECT_EQ(csv.rfind(FormatShopListHeader(), 0), 0u);
  EXPECT_LT(csv.find("\"3002\""), csv.find("\"1301\""));  // ascending prefecture number
  EXPECT_NE(stderrText.find("[1/2] 岩手県"), std::string::npos);
  EXPECT_NE(stderrText.find("[2/2] 東京都"), std::string::npos);
  EXPECT_NE(stderrText.find("店舗情報 : 2/2 件"), std::string::npos);
  EXPECT_NE(stderrText.find(Output()), std::string::npos);
  EXPECT_TRUE(TmpDirIsEmpty());  // the private Temporary page file is gone
}

TEST_F(CliRun, ExitCodesTellTheOutcome) {
  portal.PutUtf8("/usedcar_shop/pref-01/index.html", ListingPageUtf8("0件", {}));
  EXPECT_EQ(Run({"1"}), 1);
  EXPECT_EQ(ReadFileBytes(Output()), FormatShopListHeader());

  EXPECT_EQ(Run({"1"}, TestPortal::UnreachableBaseUrl()), 3);
  EXPECT_EQ(ReadFileBytes(Output()), FormatShopListHeader());

  EXPECT_EQ(Run({"48"}), 2);
  EXPECT_NE(stderrText.find("48"), std::string::npos);

  const std::vector<std::string> unwritable = {"--output",   dir.Path() + "/no/such/dir.csv",
                                               "--base-url", portal.BaseUrl(),
                                               "--ca-file",  portal.CaFile(),
                                               "1"};
  portal.ClearRequests();
  TChildProcess child(MIRVASO_CLI_PATH, unwritable, {"TMPDIR=" + TmpDir()});
  EXPECT_EQ(child.Wait(), 4);
  EXPECT_TRUE(portal.Requests().empty());  // nothing is fetched for a file that cannot be written
  EXPECT_TRUE(TmpDirIsEmpty());
}

TEST_F(CliRun, CtrlCStopsAfterTheCurrentShopAndKeepsAWellFormedFile) {
  PutShops(1, {"1001", "1002", "1003", "1004"});
  PutShops(2, {"2001"});
  TChildProcess child = Start({"1", "2"});

  ASSERT_TRUE(child.WaitForOutput("店舗情報 : 1/4 件")) << child.Stderr();
  child.Signal(SIGINT);

  EXPECT_EQ(child.Wait(), 130) << child.Stderr();
  const std::string csv = ReadFileBytes(Output());
  EXPECT_EQ(csv.rfind(FormatShopListHeader(), 0), 0u);
  EXPECT_EQ(csv.substr(csv.size() - 4), "\",\r\n");  // ends on a whole record line
  EXPECT_EQ(csv.find("\"2001\""), std::string::npos);
  for (const auto& request : portal.Requests())
    EXPECT_NE(request.path, "/usedcar_shop/pref-02/index.html");
  EXPECT_TRUE(TmpDirIsEmpty());
}

}  // namespace
