// A whole run over the sample portal gives, byte for byte, the records the sample
// dataset says its pages hold.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "Unicommon/CodePage.h"
#include "Unithread/MyThread.h"
#include "extract/ShopListFile.h"
#include "support/Bytes.h"
#include "support/RecordingHost.h"
#include "support/TempDir.h"
#include "support/TestPortal.h"

namespace {

// The shop list file expected.tsv describes: one UTF-8 line per shop, tab-separated,
// "{base}" standing for the portal's address.
std::string ExpectedCsv(const std::string& tsvPath, const std::string& baseUrl) {
  std::string csv = FormatShopListHeader();
  std::istringstream lines(ReadFileBytes(tsvPath));
  for (std::string line; std::getline(lines, line);) {
    for (size_t at; (at = line.find("{base}")) != std::string::npos;) {
      line.replace(at, 6, baseUrl);
    }
    ShopRecord record;
    std::istringstream fields(line);
    for (const Text* field : record.Fields()) {
      std::string value;
      std::getline(fields, value, '\t');
      *const_cast<Text*>(field) = Utf8ToLocal(value);
    }
    csv += FormatShopRecord(record);
  }
  return csv;
}

TEST(SamplePortal, ARunOverEverySamplePrefectureYieldsTheExpectedFile) {
  TestPortal portal(TestPortal::TContent::Sample);
  TTempDir dir;
  TRecordingHost host;
  TRunConfig config;
  config.areas = {1, 3, 13, 27, 47};
  config.saveFileName = dir.Path() + "/out.csv";
  config.tempFile = dir.Path() + "/tmp.dat";
  config.baseUrl = portal.BaseUrl();
  config.caFile = portal.CaFile();

  TMyThread worker(true, host, config);
  worker.Resume();
  worker.WaitFor();

  EXPECT_EQ(LocalToUtf8(ReadFileBytes(config.saveFileName)),
            LocalToUtf8(ExpectedCsv(portal.SiteDir() + "/expected.tsv", portal.BaseUrl())));
  EXPECT_EQ(host.FWorkerResult, wrRecordWritten);
}

}  // namespace
