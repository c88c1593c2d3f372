// DownloadToFile against the local HTTPS test portal.
#include "Unicommon/Download.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "support/TestPortal.h"

namespace {

std::string ReadAll(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void WriteAll(const std::string& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

// Bytes 1..size of a page-like body: EUC-JP pairs among ASCII, no NUL, no line pattern
// that repeats on a 1000-byte period.
std::string Body(size_t size) {
  std::string body;
  for (size_t i = 0; body.size() < size; ++i) {
    if (i % 7 == 3) {
      body += "\xC6\xFC";  // an EUC-JP kanji
    } else {
      body += static_cast<char>('!' + i % 90);
    }
  }
  body.resize(size);
  return body;
}

class DownloadTest : public ::testing::Test {
 protected:
  TestPortal portal;
  std::string file = portal.WorkDir() + "/tmp.dat";

  TDownloadOptions Trusting() const {
    TDownloadOptions options;
    options.caFile = portal.CaFile();
    return options;
  }

  TDownloadOutcome Fetch(const std::string& path) {
    return DownloadToFile(portal.BaseUrl() + path, file, Trusting());
  }
};

TEST_F(DownloadTest, SendsTheFixedHeadersAndTheAgentsInTheirFixedOrder) {
  portal.Put("/page.html", "x");
  ResetUserAgentPick();
  for (int i = 0; i < 16; ++i) ASSERT_TRUE(Fetch("/page.html").Fetched());

  const char* agents[] = {
      "Mozilla/5.0 (compatible; MSIE 9.0; Windows NT 6.0; Trident/5.0)",
      "Mozilla/5.0 (compatible; MSIE 9.0; Windows NT 6.1; WOW64; Trident/5.0)",
      "Mozilla/5.0 (compatible; MSIE 10.0; Windows NT 6.2; Win64; x64; Trident/6.0)",
      "Mozilla/5.0 (compatible; MSIE 9.0; Windows NT 6.1; WOW64; Trident/5.0; Sleipnir/2.9.8)",
      "Mozilla/5.0 (compatible; MSIE 10.0; Windows NT 6.2; ARM; Trident/6.0)",
  };
  const int expected[] = {1, 1, 5, 2, 2, 4, 2, 1, 2, 3, 1, 3, 1, 5, 1, 2};
  const auto requests = portal.Requests();
  ASSERT_EQ(requests.size(), 16u);
  for (size_t i = 0; i < 16; ++i) {
    EXPECT_EQ(requests[i].method, "GET");
    EXPECT_EQ(requests[i].path, "/page.html");
    EXPECT_EQ(requests[i].headers.at("User-Agent"), agents[expected[i] - 1]) << "request " << i;
  }

  // Only the host, the agent and the three fixed lines go out: no second Accept, no
  // caching or encoding headers.
  const std::vector<std::pair<std::string, std::string>> lines = {
      {"Host", "127.0.0.1:" + portal.BaseUrl().substr(portal.BaseUrl().rfind(':') + 1)},
      {"User-Agent", agents[0]},
      {"Accept", "text/html, application/xhtml+xml, image/jxr, */*"},
      {"Accept-Language", "ja-JP"},
      {"Connection", "Keep-Alive"},
  };
  EXPECT_EQ(requests[0].headerLines, lines);
}

TEST_F(DownloadTest, FailedDownloadsStillTakeTheirAgent) {
  portal.Put("/page.html", "x");
  ResetUserAgentPick();
  DownloadToFile(TestPortal::UnreachableBaseUrl() + "/page.html", file, Trusting());
  DownloadToFile(TestPortal::UnreachableBaseUrl() + "/page.html", file, Trusting());
  Fetch("/page.html");
  const auto requests = portal.Requests();
  ASSERT_EQ(requests.size(), 1u);
  EXPECT_EQ(requests[0].headers.at("User-Agent"),
            "Mozilla/5.0 (compatible; MSIE 10.0; Windows NT 6.2; ARM; Trident/6.0)");
}

TEST_F(DownloadTest, StoresEveryByteOfTheBodyWhateverItsSize) {
  for (size_t size : {0, 1, 999, 1000, 1001, 2000, 5432}) {
    for (const char* mode : {"", "chunked"}) {
      SCOPED_TRACE(testing::Message() << size << " bytes, mode '" << mode << "'");
      std::filesystem::remove(file);
      portal.Put("/page.html", Body(size));
      portal.SetMode("/page.html", mode);
      const TDownloadOutcome outcome = Fetch("/page.html");
      EXPECT_TRUE(outcome.opened);
      EXPECT_EQ(outcome.status, 200);
      ASSERT_TRUE(std::filesystem::exists(file));
      EXPECT_EQ(ReadAll(file), Body(size));
    }
  }
}

TEST_F(DownloadTest, DropsTheRestOfEachThousandByteChunkFromItsFirstNul) {
  struct Case {
    std::vector<size_t> nuls;
    std::vector<std::pair<size_t, size_t>> kept;  // [from, to) of the body
  };
  const std::vector<Case> cases = {
      {{500}, {{0, 500}, {1000, 2500}}},
      {{0}, {{1000, 2500}}},
      {{999}, {{0, 999}, {1000, 2500}}},
      {{1000}, {{0, 1000}, {2000, 2500}}},
      {{300, 700, 2499}, {{0, 300}, {1000, 2499}}},
  };
  for (const Case& c : cases) {
    // The chunked answer arrives in 333-byte pieces: the chunks are still counted
    // from the start of the body.
    for (const char* mode : {"", "chunked"}) {
      SCOPED_TRACE(testing::Message() << "first NUL at " << c.nuls[0] << ", mode '" << mode << "'");
      std::string body = Body(2500);
      for (size_t at : c.nuls) body[at] = '\0';
      std::string expected;
      for (auto [from, to] : c.kept) expected += body.substr(from, to - from);
      portal.Put("/nul.html", body);
      portal.SetMode("/nul.html", mode);
      EXPECT_TRUE(Fetch("/nul.html").Fetched());
      EXPECT_EQ(ReadAll(file), expected);
    }
  }
}

TEST_F(DownloadTest, EmptiesALongerEarlierFile) {
  WriteAll(file, Body(4000));
  portal.Put("/short.html", "short page");
  EXPECT_TRUE(Fetch("/short.html").Fetched());
  EXPECT_EQ(ReadAll(file), "short page");
}

TEST_F(DownloadTest, StoresTheBodyOfAnErrorPage) {
  portal.Put("/broken.html", "<p>internal error</p>", 500);
  TDownloadOutcome outcome = Fetch("/broken.html");
  EXPECT_TRUE(outcome.opened);
  EXPECT_EQ(outcome.status, 500);
  EXPECT_FALSE(outcome.Fetched());
  EXPECT_EQ(ReadAll(file), "<p>internal error</p>");

  outcome = Fetch("/missing.html");
  EXPECT_TRUE(outcome.opened);
  EXPECT_EQ(outcome.status, 404);
  EXPECT_NE(ReadAll(file).find("404"), std::string::npos);
}

TEST_F(DownloadTest, FollowsRedirectsAndStoresTheFinalPage) {
  portal.Put("/new.html", "moved here");
  portal.SetRedirect("/old.html", "/middle.html", 301);
  portal.SetRedirect("/middle.html", portal.BaseUrl() + "/new.html", 302);
  const TDownloadOutcome outcome = Fetch("/old.html");
  EXPECT_TRUE(outcome.Fetched());
  EXPECT_EQ(outcome.status, 200);
  EXPECT_EQ(ReadAll(file), "moved here");
  const auto requests = portal.Requests();
  ASSERT_EQ(requests.size(), 3u);
  EXPECT_EQ(requests[2].path, "/new.html");
  EXPECT_EQ(requests[2].headers.at("Accept-Language"), "ja-JP");
}

TEST_F(DownloadTest, KeepsWhatArrivedWhenTheBodyBreaksOff) {
  const std::string body = Body(3000);
  portal.Put("/cut.html", body);
  portal.SetMode("/cut.html", "cut");
  const TDownloadOutcome outcome = Fetch("/cut.html");
  EXPECT_TRUE(outcome.opened);
  EXPECT_EQ(ReadAll(file), body.substr(0, 1500));
}

// Every way of failing before a response arrives leaves the earlier page as it was.
TEST_F(DownloadTest, LeavesTheFileUntouchedWhenTheUrlCannotBeOpened) {
  portal.Put("/page.html", "fresh page");
  portal.SetMode("/hangup.html", "close");
  portal.SetRedirect("/loop-a.html", "/loop-b.html");
  portal.SetRedirect("/loop-b.html", "/loop-a.html");
  portal.SetRedirect("/away.html", TestPortal::UnreachableBaseUrl() + "/page.html");
  TDownloadOptions untrusting;  // the portal's certificate is in no trusted store

  struct Case {
    const char* what;
    std::string url;
    TDownloadOptions options;
  };
  const std::vector<Case> cases = {
      {"nothing listens", TestPortal::UnreachableBaseUrl() + "/page.html", Trusting()},
      {"closed without an answer", portal.BaseUrl() + "/hangup.html", Trusting()},
      {"certificate not trusted", portal.BaseUrl() + "/page.html", untrusting},
      {"redirect loop", portal.BaseUrl() + "/loop-a.html", Trusting()},
      {"redirect to nowhere", portal.BaseUrl() + "/away.html", Trusting()},
      {"not a URL", "no scheme here", Trusting()},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    WriteAll(file, "earlier page");
    const TDownloadOutcome outcome = DownloadToFile(c.url, file, c.options);
    EXPECT_FALSE(outcome.opened);
    EXPECT_EQ(outcome.status, 0);
    EXPECT_EQ(ReadAll(file), "earlier page");
  }
  EXPECT_LE(portal.Requests().size(), 30u) << "redirects are bounded";
}

TEST_F(DownloadTest, CreatesNoFileWhenTheUrlCannotBeOpened) {
  DownloadToFile(TestPortal::UnreachableBaseUrl() + "/page.html", file, Trusting());
  EXPECT_FALSE(std::filesystem::exists(file));
}

TEST_F(DownloadTest, ReportsAFileThatCannotBeCreated) {
  portal.Put("/page.html", "page");
  const TDownloadOutcome outcome = DownloadToFile(
      portal.BaseUrl() + "/page.html", portal.WorkDir() + "/no/such/dir/tmp.dat", Trusting());
  EXPECT_FALSE(outcome.opened);
}

TEST_F(DownloadTest, GivesUpOnASilentServer) {
  TDownloadOptions quick = Trusting();
  quick.connectTimeoutMs = 1000;
  quick.stallTimeoutSeconds = 1;
  quick.totalTimeoutMs = 3000;
  portal.SetMode("/stall.html", "stall");
  // One server never completes the handshake, the other reads the request and never
  // answers. Each call must come back with the file as it was.
  for (const std::string& url :
       {portal.SilentBaseUrl() + "/page.html", portal.BaseUrl() + "/stall.html"}) {
    SCOPED_TRACE(url);
    WriteAll(file, "earlier page");
    const auto start = std::chrono::steady_clock::now();
    const TDownloadOutcome outcome = DownloadToFile(url, file, quick);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(20));
    EXPECT_FALSE(outcome.opened);
    EXPECT_EQ(ReadAll(file), "earlier page");
  }
}

}  // namespace

namespace {

TEST(SamplePortalTest, ServesEveryListedPrefectureAndShop) {
  TestPortal portal(TestPortal::TContent::Sample);
  TDownloadOptions options;
  options.caFile = portal.CaFile();
  const std::string file = portal.WorkDir() + "/tmp.dat";
  for (const char* area : {"01", "03", "13", "27", "47"}) {
    SCOPED_TRACE(area);
    const std::string url = portal.BaseUrl() + "/usedcar_shop/pref-" + area + "/index.html";
    ASSERT_TRUE(DownloadToFile(url, file, options).Fetched());
    EXPECT_NE(ReadAll(file).find("\xB7\xEF</p>"), std::string::npos) << "count line in EUC-JP";
  }
  std::ifstream expected(portal.SampleExpectedFile());
  std::string line;
  int shops = 0;
  while (std::getline(expected, line)) {
    const std::string id = line.substr(0, line.find('\t'));
    const std::string url = portal.BaseUrl() + "/usedcar_shop/" + id + "/detail.html";
    EXPECT_TRUE(DownloadToFile(url, file, options).Fetched()) << id;
    ++shops;
  }
  EXPECT_EQ(shops, 10);
}

}  // namespace
