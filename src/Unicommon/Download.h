#pragma once
// Fetching one portal page into a file over HTTPS.
#include <string>

#include "Unicommon/Text.h"

struct TDownloadOptions {
  // Extra CA certificate file (PEM) to trust besides the system store; empty for none.
  std::string caFile;
};

struct TDownloadOutcome {
  bool opened = false;  // the URL could be opened and the file was (re)created
  long status = 0;      // HTTP status of the final response, 0 when not opened

  // The page can be read: opened, and not answered with an error status.
  bool Fetched() const { return opened && status < 400; }
};

// GETs url and stores the body in fileName, byte for byte (a chunk's bytes from its
// first NUL on are dropped). The file is created, or emptied, only once the URL could
// be opened; otherwise it stays as it was.
TDownloadOutcome DownloadToFile(const Text& url, const Text& fileName,
                                const TDownloadOptions& options = {});

// The index (1-5) of the user agent that the next download will send; for tests.
// Resets the agent pick to its start-of-program state.
void ResetUserAgentPick();
