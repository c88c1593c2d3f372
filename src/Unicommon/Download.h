#pragma once
// Fetching one portal page into a file over HTTPS.
#include <string>

#include "Unicommon/Text.h"

struct TDownloadOptions {
  // Extra CA certificate file (PEM) to trust besides the system store; empty for none.
  std::string caFile;
  // Bounds that keep a dead or silent server from holding a run: connecting (TLS
  // handshake included), a transfer that receives nothing, and the whole request.
  long connectTimeoutMs = 15000;
  long stallTimeoutSeconds = 30;
  long totalTimeoutMs = 60000;
};

struct TDownloadOutcome {
  bool opened = false;      // the URL could be opened and the file was (re)created
  long status = 0;          // HTTP status of the final response, 0 when not opened
  bool fileFailed = false;  // the file could not be created, or not take the whole page

  // The page can be read: opened, stored whole, and not answered with an error status.
  bool Fetched() const { return opened && !fileFailed && status < 400; }
};

// GETs url and stores the body in fileName, byte for byte (a chunk's bytes from its
// first NUL on are dropped). The file is created, or emptied, only once the URL could
// be opened; otherwise it stays as it was.
TDownloadOutcome DownloadToFile(const Text& url, const Text& fileName,
                                const TDownloadOptions& options = {});

// Resets the user agent pick to its start-of-program state; for tests.
void ResetUserAgentPick();
