#pragma once
// The headless command's arguments.
#include <cstdint>
#include <string>
#include <vector>

struct TCliOptions {
  std::string output;
  std::string baseUrl;  // empty: the compiled default
  std::string caFile;
  std::vector<int32_t> areas;  // ascending prefecture numbers, each once
  bool help = false;
};

struct TCliParse {
  TCliOptions options;
  std::string error;  // empty when the arguments are good
};

TCliParse ParseCliOptions(const std::vector<std::string>& args);

// The text --help prints.
std::string CliUsage();
