#pragma once
// What one run needs to know, handed to the worker by its host before it starts.
#include <cstdint>
#include <string>
#include <vector>

#include "Unicommon/Text.h"

struct TRunConfig {
  std::vector<int32_t> areas;  // prefecture numbers (1-47) of the ticked items, in list order
  std::string saveFileName;    // output file path
  std::string tempFile;        // Temporary page file path
  Text baseUrl;                // portal base address: scheme and host, no trailing slash
  std::string caFile;          // extra CA certificate file to trust, empty for none
};

// The portal base address compiled into the program.
Text DefaultPortalBaseUrl();

Text ListingPageUrl(const Text& baseUrl, int32_t area);
Text DetailPageUrl(const Text& baseUrl, const Text& shopId);
Text ReviewPageUrl(const Text& baseUrl, const Text& shopId);
