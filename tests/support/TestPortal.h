#pragma once
// The local HTTPS test portal (tests/portal/portal.py) run as a child process for the
// lifetime of one object: pages are files in its site directory, every request it
// receives is recorded, and sidecar files make a page misbehave.
#include <map>
#include <string>
#include <utility>
#include <vector>

struct TPortalRequest {
  std::string method;
  std::string path;
  std::vector<std::pair<std::string, std::string>> headerLines;  // in the order received
  std::map<std::string, std::string> headers;                    // by name as sent
};

class TestPortal {
 public:
  enum class TContent { Empty, Sample };

  // Starts the portal in a fresh temporary directory, serving nothing or the sample
  // dataset, and waits until it listens. Throws std::runtime_error when it does not
  // come up. The sample (tests/portal/sample_site.py) serves prefectures 1, 3, 13, 27
  // and 47 with 3, 0, 4, 2 and 1 shops; SampleExpectedFile() lists their records.
  explicit TestPortal(TContent content = TContent::Empty);
  // Stops the portal (SIGTERM, then SIGKILL) and removes the temporary directory.
  ~TestPortal();
  TestPortal(const TestPortal&) = delete;
  TestPortal& operator=(const TestPortal&) = delete;

  // "https://127.0.0.1:PORT", no trailing slash.
  std::string BaseUrl() const;
  // PEM certificate the portal serves; trust it to reach the portal.
  const std::string& CaFile() const { return FCaFile; }
  // The temporary directory, a place for a test's own files too.
  const std::string& WorkDir() const { return FWorkDir; }
  const std::string& SiteDir() const { return FSiteDir; }
  // UTF-8, one line per sample shop in reading order, the eighteen fields separated by
  // tabs, "{base}" standing for BaseUrl().
  std::string SampleExpectedFile() const { return FSiteDir + "/expected.tsv"; }

  // Serves bytes at path ("/usedcar_shop/pref-01/index.html"), answered with status.
  void Put(const std::string& path, const std::string& bytes, int status = 200);
  // As Put, with the page written in UTF-8 and served as EUC-JP.
  void PutUtf8(const std::string& path, const std::string& utf8, int status = 200);
  // Makes path misbehave: "close", "stall", "chunked" or "cut" (see portal.py);
  // an empty mode restores normal answers.
  void SetMode(const std::string& path, const std::string& mode);
  // Answers path with a redirect to target (a path or an absolute URL).
  void SetRedirect(const std::string& path, const std::string& target, int status = 302);

  // The requests received so far, oldest first.
  std::vector<TPortalRequest> Requests() const;
  void ClearRequests();

  // A loopback address where nothing listens: connections are refused.
  static std::string UnreachableBaseUrl();
  // A loopback address that accepts connections and never answers.
  std::string SilentBaseUrl();

 private:
  void Start(TContent content);
  void Stop();
  std::string SitePath(const std::string& path) const;

  std::string FWorkDir;
  std::string FSiteDir;
  std::string FLogFile;
  std::string FCaFile;
  int FPort = 0;
  int FPid = 0;
  int FSilentSocket = -1;
};
