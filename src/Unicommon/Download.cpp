#include "Unicommon/Download.h"

#include <curl/curl.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstring>
#include <mutex>
#include <string_view>

#include "Unicommon/UserAgent.h"

namespace {

// Sent with every page request, exactly as written; they replace curl's own Accept.
const char* const RequestHeaderLines[] = {
    "Accept: text/html, application/xhtml+xml, image/jxr, */*",
    "Accept-Language: ja-JP",
    "Connection: Keep-Alive",
};

constexpr size_t ChunkSize = 1000;
constexpr long MaxRedirects = 10;

void InitCurlOnce() {
  static std::once_flag once;
  std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

// The page file: created (emptied) on demand, fed in 1000-byte chunks. Of each chunk
// only the bytes before its first NUL are stored, whatever sizes the transfer delivers.
class TPageFile {
 public:
  explicit TPageFile(const Text& fileName) : FFileName(fileName) {}
  ~TPageFile() { Close(); }
  TPageFile(const TPageFile&) = delete;
  TPageFile& operator=(const TPageFile&) = delete;

  bool IsOpen() const { return FFile != nullptr; }

  bool Create() {
    if (!FFile && !FFailed) {
      FFile = std::fopen(FFileName.c_str(), "wb");
      FFailed = FFile == nullptr;
      FCreated = FFile != nullptr;
    }
    return FFile != nullptr;
  }
  // The file was created for this page (whether or not it could then be written).
  bool Created() const { return FCreated; }
  // The file could not be created, or not take every byte of the page.
  bool Failed() const { return FFailed; }

  // False when the file cannot take the bytes.
  bool Append(const char* data, size_t size) {
    while (size > 0) {
      const size_t take = std::min(size, ChunkSize - FFill);
      std::memcpy(FChunk.data() + FFill, data, take);
      FFill += take;
      data += take;
      size -= take;
      if (FFill == ChunkSize && !FlushChunk()) return false;
    }
    return true;
  }

  // Stores the last, shorter chunk and closes the file.
  void Close() {
    if (!FFile) return;
    FlushChunk();
    if (std::fclose(FFile) != 0) FFailed = true;
    FFile = nullptr;
  }

 private:
  bool FlushChunk() {
    const void* nul = std::memchr(FChunk.data(), '\0', FFill);
    const size_t keep =
        nul ? static_cast<size_t>(static_cast<const char*>(nul) - FChunk.data()) : FFill;
    FFill = 0;
    if (std::fwrite(FChunk.data(), 1, keep, FFile) != keep) FFailed = true;
    return !FFailed;
  }

  Text FFileName;
  std::FILE* FFile = nullptr;
  bool FCreated = false;
  bool FFailed = false;
  std::array<char, ChunkSize> FChunk{};
  size_t FFill = 0;
};

// What the callbacks of one transfer share.
struct TTransfer {
  CURL* curl = nullptr;
  TPageFile* file = nullptr;
  bool finalHeadersSeen = false;  // the response whose body is the page has begun
  bool blockHasLocation = false;  // the header block being read names a redirect target
  long status = 0;
};

bool StartsWithNoCase(std::string_view line, std::string_view prefix) {
  if (line.size() < prefix.size()) return false;
  for (size_t i = 0; i < prefix.size(); ++i) {
    const char a = line[i], b = prefix[i];
    if (a != b && !(a >= 'A' && a <= 'Z' && a - 'A' + 'a' == b)) return false;
  }
  return true;
}

// Watches the header blocks go by. The URL counts as opened when the headers of a
// response that will not be followed elsewhere are complete: informational answers
// and redirects curl follows are passed over. That is the moment the file is created,
// so a page with an empty body still leaves an empty file.
size_t OnHeaderLine(char* data, size_t size, size_t count, void* user) {
  auto& t = *static_cast<TTransfer*>(user);
  const size_t length = size * count;
  if (t.finalHeadersSeen) return length;  // trailers after a chunked body
  const std::string_view line(data, length);
  if (StartsWithNoCase(line, "http/")) {
    t.blockHasLocation = false;
  } else if (StartsWithNoCase(line, "location:")) {
    t.blockHasLocation = true;
  } else if (line == "\r\n" || line == "\n") {
    long code = 0;
    curl_easy_getinfo(t.curl, CURLINFO_RESPONSE_CODE, &code);
    if (code < 200) return length;
    if (code >= 300 && code < 400 && t.blockHasLocation) return length;
    t.finalHeadersSeen = true;
    t.status = code;
    if (!t.file->Create()) return 0;  // aborts the transfer
  }
  return length;
}

size_t OnBodyData(char* data, size_t size, size_t count, void* user) {
  auto& t = *static_cast<TTransfer*>(user);
  const size_t length = size * count;
  if (!t.file->Create()) return 0;
  // A file that no longer takes bytes ends the transfer; going on would only waste it.
  return t.file->Append(data, length) ? length : 0;
}

void SetTrust(CURL* curl, const std::string& caFile) {
  curl_easy_setopt(curl, CURLOPT_SSL_VERIFYPEER, 1L);
  curl_easy_setopt(curl, CURLOPT_SSL_VERIFYHOST, 2L);
  if (caFile.empty()) return;
  // CAINFO replaces the default bundle; the system's certificate directory keeps the
  // system store trusted beside the extra file.
  char* systemPath = nullptr;
  curl_easy_getinfo(curl, CURLINFO_CAPATH, &systemPath);
  curl_easy_setopt(curl, CURLOPT_CAPATH, systemPath ? systemPath : "/etc/ssl/certs");
  curl_easy_setopt(curl, CURLOPT_CAINFO, caFile.c_str());
}

void SetRequest(CURL* curl, const Text& url, const Text& agent, curl_slist* headers,
                const TDownloadOptions& options) {
  curl_easy_setopt(curl, CURLOPT_URL, url.c_str());
  curl_easy_setopt(curl, CURLOPT_HTTPGET, 1L);
  curl_easy_setopt(curl, CURLOPT_HTTP_VERSION, CURL_HTTP_VERSION_1_1);
  curl_easy_setopt(curl, CURLOPT_USERAGENT, agent.c_str());
  curl_easy_setopt(curl, CURLOPT_HTTPHEADER, headers);
  curl_easy_setopt(curl, CURLOPT_PROTOCOLS_STR, "https,http");
  curl_easy_setopt(curl, CURLOPT_REDIR_PROTOCOLS_STR, "https,http");
  curl_easy_setopt(curl, CURLOPT_FOLLOWLOCATION, 1L);
  curl_easy_setopt(curl, CURLOPT_MAXREDIRS, MaxRedirects);
  // Direct connections only, whatever the environment's proxy variables say.
  curl_easy_setopt(curl, CURLOPT_PROXY, "");
  curl_easy_setopt(curl, CURLOPT_NOPROXY, "*");
  // The worker thread must not be interrupted by signals during name resolution.
  curl_easy_setopt(curl, CURLOPT_NOSIGNAL, 1L);
  curl_easy_setopt(curl, CURLOPT_CONNECTTIMEOUT_MS, options.connectTimeoutMs);
  curl_easy_setopt(curl, CURLOPT_LOW_SPEED_LIMIT, 1L);
  curl_easy_setopt(curl, CURLOPT_LOW_SPEED_TIME, options.stallTimeoutSeconds);
  curl_easy_setopt(curl, CURLOPT_TIMEOUT_MS, options.totalTimeoutMs);
  SetTrust(curl, options.caFile);
}

}  // namespace

TDownloadOutcome DownloadToFile(const Text& url, const Text& fileName,
                                const TDownloadOptions& options) {
  // The pick comes first so that the sequence of agents does not depend on failures.
  const Text agent = PickUserAgent();
  InitCurlOnce();

  CURL* curl = curl_easy_init();
  if (!curl) return {};
  curl_slist* headers = nullptr;
  for (const char* line : RequestHeaderLines) headers = curl_slist_append(headers, line);

  TPageFile file(fileName);
  TTransfer transfer;
  transfer.curl = curl;
  transfer.file = &file;
  SetRequest(curl, url, agent, headers, options);
  curl_easy_setopt(curl, CURLOPT_HEADERFUNCTION, OnHeaderLine);
  curl_easy_setopt(curl, CURLOPT_HEADERDATA, &transfer);
  curl_easy_setopt(curl, CURLOPT_WRITEFUNCTION, OnBodyData);
  curl_easy_setopt(curl, CURLOPT_WRITEDATA, &transfer);

  const CURLcode result = headers ? curl_easy_perform(curl) : CURLE_OUT_OF_MEMORY;

  TDownloadOutcome outcome;
  if (!transfer.finalHeadersSeen && result == CURLE_OK) {
    // A complete answer whose headers were not recognised as final, such as a
    // redirect that was not followed: its body, if any, is the page.
    curl_easy_getinfo(curl, CURLINFO_RESPONSE_CODE, &transfer.status);
    file.Create();
  }
  file.Close();
  if (file.Created()) {
    outcome.opened = true;
    outcome.status = transfer.status;
  }
  outcome.fileFailed = file.Failed();
  curl_slist_free_all(headers);
  curl_easy_cleanup(curl);
  return outcome;
}
