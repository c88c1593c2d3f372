// Whole runs of the worker against the local test portal over HTTPS.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "Unicommon/CodePage.h"
#include "Unithread/MyThread.h"
#include "Unithread/TempPageFile.h"
#include "extract/ShopListFile.h"
#include "support/Bytes.h"
#include "support/PortalPages.h"
#include "support/RecordingHost.h"
#include "support/TempDir.h"
#include "support/TestPortal.h"

namespace {

std::string ListingPath(int area) {
  char path[64];
  std::snprintf(path, sizeof path, "/usedcar_shop/pref-%02d/index.html", area);
  return path;
}

std::string DetailPath(const std::string& id) { return "/usedcar_shop/" + id + "/detail.html"; }

class WorkerRun : public testing::Test {
 protected:
  void PutListing(int area, const std::string& countText, const std::vector<std::string>& ids) {
    portal.PutUtf8(ListingPath(area), ListingPageUtf8(countText, ids));
  }
  void PutShop(const std::string& id, const std::string& name) {
    portal.PutUtf8(DetailPath(id), DetailPageUtf8(name));
  }

  // The record the detail page of PutShop yields.
  ShopRecord FullRecord(const std::string& id, const std::string& name) const {
    ShopRecord r;
    r.ShopId = id;
    r.ShopName = L(name.c_str());
    r.ShopType = L("中古車販売店");
    r.Introduction = L((name + "の紹介文です。").c_str());
    r.PostalCode = L("〒123-4567");
    r.Address = L("東京都千代田区1-2-3");
    r.Phone = "03-1234-5678";
    r.ReviewRating = "4.5";
    r.Latitude = "35.6812";
    r.Longitude = "139.7671";
    r.ReviewPageUrl = portal.BaseUrl() + "/user_review/" + id + "/detail.html";
    r.DetailPageUrl = portal.BaseUrl() + DetailPath(id);
    return r;
  }
  ShopRecord IdOnlyRecord(const std::string& id) const {
    ShopRecord r;
    r.ShopId = id;
    r.ReviewPageUrl = portal.BaseUrl() + "/user_review/" + id + "/detail.html";
    r.DetailPageUrl = portal.BaseUrl() + DetailPath(id);
    return r;
  }

  TRunConfig Config(std::vector<int32_t> areas) const {
    TRunConfig config;
    config.areas = std::move(areas);
    config.saveFileName = dir.Path() + "/out.csv";
    config.tempFile = dir.Path() + "/tmp.dat";
    config.baseUrl = portal.BaseUrl();
    config.caFile = portal.CaFile();
    return config;
  }

  void Run(const TRunConfig& config) {
    TMyThread worker(true, host, config);
    worker.Resume();
    worker.WaitFor();
  }
  void Run(std::vector<int32_t> areas) { Run(Config(std::move(areas))); }

  std::string Csv() const { return ReadFileBytes(dir.Path() + "/out.csv"); }

  std::vector<std::string> RequestedPaths() const {
    std::vector<std::string> paths;
    for (const auto& request : portal.Requests()) paths.push_back(request.path);
    return paths;
  }

  TTempDir dir;
  TestPortal portal;
  TRecordingHost host;
};

TEST_F(WorkerRun, CollectsEveryShopOfEachPrefectureInOrder) {
  PutListing(1, "2件", {"1001", "1002"});
  PutListing(3, "1件", {"3001"});
  PutShop("1001", "札幌モータース");
  PutShop("1002", "函館オート");
  PutShop("3001", "盛岡カーズ");

  Run({1, 3});

  EXPECT_EQ(Csv(), FormatShopListHeader() + FormatShopRecord(FullRecord("1001", "札幌モータース")) +
                       FormatShopRecord(FullRecord("1002", "函館オート")) +
                       FormatShopRecord(FullRecord("3001", "盛岡カーズ")));
  EXPECT_EQ(RequestedPaths(),
            (std::vector<std::string>{ListingPath(1), DetailPath("1001"), DetailPath("1002"),
                                      ListingPath(3), DetailPath("3001")}));
  EXPECT_EQ(host.Events,
            (std::vector<std::string>{"setup 2", "step", "area 1", "shop 1/2", "shop 2/2", "step",
                                      "area 3", "shop 1/1", "end running=0 terminated=1"}));
  EXPECT_EQ(host.FWorkerResult, wrRecordWritten);
  EXPECT_FALSE(FileExists(dir.Path() + "/tmp.dat"));
}

TEST_F(WorkerRun, StopsAtTheStatedCountAndReadsAllOfAShorterList) {
  PutListing(2, "2件", {"2001", "2002", "2003"});
  PutListing(4, "5件", {"4001", "4002"});
  for (const char* id : {"2001", "2002", "2003", "4001", "4002"}) PutShop(id, "店");

  Run({2, 4});

  const std::vector<std::string> paths = RequestedPaths();
  EXPECT_EQ(std::count(paths.begin(), paths.end(), DetailPath("2003")), 0);
  EXPECT_EQ(paths.size(), 6u);
  EXPECT_EQ(host.Events[4], "shop 2/2");
  EXPECT_EQ(host.Events[8], "shop 2/5");
}

TEST_F(WorkerRun, AStopMidPrefectureEndsCleanlyWithAWellFormedFile) {
  PutListing(1, "3件", {"1001", "1002", "1003"});
  PutListing(2, "1件", {"2001"});
  for (const char* id : {"1001", "1002", "1003", "2001"}) PutShop(id, "店");
  TMyThread* running = nullptr;
  host.OnShopStatus = [&](int32_t shopCount) {
    if (shopCount == 1) running->Terminate();
  };

  TMyThread worker(true, host, Config({1, 2}));
  running = &worker;
  worker.Resume();
  worker.WaitFor();

  EXPECT_EQ(Csv(), FormatShopListHeader() + FormatShopRecord(FullRecord("1001", "店")));
  EXPECT_EQ(RequestedPaths(), (std::vector<std::string>{ListingPath(1), DetailPath("1001")}));
  EXPECT_EQ(host.Events.back(), "end running=0 terminated=1");
  EXPECT_FALSE(FileExists(dir.Path() + "/tmp.dat"));
}

TEST_F(WorkerRun, AnUnreachablePortalEndsWithTheAccessFailure) {
  TRunConfig config = Config({1, 2});
  config.baseUrl = TestPortal::UnreachableBaseUrl();

  Run(config);

  EXPECT_EQ(host.FWorkerResult, wrAccessFailed);
  EXPECT_EQ(Csv(), FormatShopListHeader());
  EXPECT_EQ(host.Events.back(), "end running=0 terminated=1");
}

TEST_F(WorkerRun, AShopPageThatCannotBeFetchedGivesAnIdOnlyRecord) {
  PutListing(1, "3件", {"1001", "1002", "1003"});
  PutShop("1001", "店");
  // Not found, with a heading of its own that must not become a shop name.
  portal.PutUtf8(DetailPath("1002"), "<html>\n<h1>ページが見つかりません</h1>\n</html>\n", 404);
  portal.SetMode(DetailPath("1003"), "close");

  Run({1});

  EXPECT_EQ(Csv(), FormatShopListHeader() + FormatShopRecord(FullRecord("1001", "店")) +
                       FormatShopRecord(IdOnlyRecord("1002")) +
                       FormatShopRecord(IdOnlyRecord("1003")));
  EXPECT_EQ(host.FWorkerResult, wrRecordWritten);
}

TEST_F(WorkerRun, AListingThatCannotBeFetchedIsNotReadFromAnEarlierPage) {
  // Prefecture 1's last shop page stays in the Temporary page file; prefecture 2's
  // listing fails and must read as empty, not as that page.
  PutListing(1, "1件", {"1001"});
  portal.PutUtf8(DetailPath("1001"), ListingPageUtf8("1件", {"9999"}));
  portal.PutUtf8(ListingPath(2), "<html>error</html>\n", 500);

  Run({1, 2});

  EXPECT_EQ(RequestedPaths(),
            (std::vector<std::string>{ListingPath(1), DetailPath("1001"), ListingPath(2)}));
  EXPECT_EQ(host.FWorkerResult, wrRecordWritten);
}

TEST_F(WorkerRun, AnOutputFileThatCannotBeCreatedFetchesNothing) {
  TRunConfig config = Config({1});
  config.saveFileName = dir.Path() + "/missing-folder/out.csv";

  Run(config);

  EXPECT_EQ(host.FWorkerResult, wrOutputFailed);
  EXPECT_TRUE(portal.Requests().empty());
  EXPECT_EQ(host.Events.back(), "end running=0 terminated=1");
}

TEST_F(WorkerRun, AFullDiskIsReportedAndStopsTheRun) {
  PutListing(1, "2件", {"1001", "1002"});
  PutListing(2, "1件", {"2001"});
  for (const char* id : {"1001", "1002", "2001"}) PutShop(id, "店");
  TRunConfig config = Config({1, 2});
  config.saveFileName = "/dev/full";

  Run(config);

  EXPECT_EQ(host.FWorkerResult, wrOutputFailed);
  EXPECT_TRUE(portal.Requests().empty());  // the header line already failed to reach the disk
}

// A host whose status display throws in the middle of a run.
class TThrowingHost : public TRecordingHost {
 public:
  void HostShowShopStatus(int32_t, int32_t) override { throw std::runtime_error("display"); }
};

TEST_F(WorkerRun, AnUnexpectedErrorStillEndsTheRunCleanly) {
  PutListing(1, "2件", {"1001", "1002"});
  PutShop("1001", "店");
  PutShop("1002", "店");
  TThrowingHost throwing;

  TMyThread worker(true, throwing, Config({1}));
  worker.Resume();
  worker.WaitFor();

  EXPECT_EQ(Csv(), FormatShopListHeader() + FormatShopRecord(FullRecord("1001", "店")));
  EXPECT_EQ(throwing.FWorkerResult, wrRunFailed);  // a run cut short is no success
  EXPECT_EQ(throwing.Events.back(), "end running=0 terminated=1");
  EXPECT_FALSE(FileExists(dir.Path() + "/tmp.dat"));
}

TEST_F(WorkerRun, ATemporaryPageFileThatCannotBeWrittenBreaksTheRunOff) {
  PutListing(1, "1件", {"1001"});
  PutListing(2, "1件", {"2001"});
  TRunConfig config = Config({1, 2});
  config.tempFile = dir.Path() + "/missing-folder/tmp.dat";

  Run(config);

  EXPECT_EQ(host.FWorkerResult, wrRunFailed);  // not taken for an unreachable portal
  EXPECT_EQ(RequestedPaths(), std::vector<std::string>{ListingPath(1)});
  EXPECT_EQ(Csv(), FormatShopListHeader());
}

TEST_F(WorkerRun, NoShopAtAllLeavesTheHeaderOnly) {
  PutListing(1, "0件", {});
  portal.PutUtf8(ListingPath(2), "<html><body>該当する販売店はありません</body></html>\n");

  Run({1, 2});

  EXPECT_EQ(host.FWorkerResult, wrNoRecord);
  EXPECT_EQ(Csv(), FormatShopListHeader());
  EXPECT_EQ(host.Events, (std::vector<std::string>{"setup 2", "step", "area 1", "step", "area 2",
                                                   "end running=0 terminated=1"}));
}

}  // namespace
