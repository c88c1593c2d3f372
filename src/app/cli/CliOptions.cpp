#include "app/cli/CliOptions.h"

#include <unistd.h>

#include <algorithm>
#include <set>

#include "Unithread/Prefectures.h"

namespace {

int32_t PrefectureFromArgument(const std::string& arg) {
  if (!arg.empty() && arg.size() <= 2 &&
      std::all_of(arg.begin(), arg.end(), [](char c) { return c >= '0' && c <= '9'; })) {
    const int32_t number = std::stoi(arg);
    return number >= 1 && number <= kPrefectureCount ? number : 0;
  }
  return PrefectureNumberOf(arg);
}

bool StartsWith(const std::string& s, const std::string& prefix) {
  return s.compare(0, prefix.size(), prefix) == 0;
}

// A base address is an http(s) address without spaces or control characters; the
// page paths are appended to it, so a trailing slash is dropped.
std::string CheckBaseUrl(std::string& url) {
  if (!StartsWith(url, "https://") && !StartsWith(url, "http://")) {
    return "--base-url must start with https:// (or http://): " + url;
  }
  for (unsigned char c : url) {
    if (c <= 0x20 || c == 0x7F) return "--base-url must not contain spaces: " + url;
  }
  const size_t hostStart = url.find("://") + 3;
  while (url.size() > hostStart && url.back() == '/') url.pop_back();
  if (url.size() <= hostStart) return "--base-url names no host: " + url;
  return "";
}

}  // namespace

std::string CliUsage() {
  return "Usage: mirvaso-cli --output FILE [--base-url URL] [--ca-file PEM] PREFECTURE...\n"
         "       mirvaso-cli --output FILE [--base-url URL] [--ca-file PEM] --all\n"
         "\n"
         "Collects the shop information of the portal for the given prefectures and writes\n"
         "it to FILE as a Shift_JIS CSV (one header line, one line per shop, CR LF).\n"
         "\n"
         "  --output FILE    the CSV file to write; an existing file is replaced\n"
         "  --base-url URL   the portal's base address (scheme and host), for example\n"
         "                   https://portal.example; defaults to the address built in\n"
         "  --ca-file PEM    an extra CA certificate file to trust besides the system's\n"
         "  --all            all 47 prefectures\n"
         "  --help           show this text\n"
         "\n"
         "PREFECTURE is a number from 1 to 47 or a prefecture's name (for example 3 or\n"
         "岩手県). Prefectures are read in ascending number, whatever the order given.\n"
         "Progress goes to standard error. Ctrl-C stops after the current step and keeps\n"
         "what was written.\n"
         "\n"
         "Exit codes: 0 at least one shop written; 1 no shop found; 2 bad arguments;\n"
         "3 portal unreachable; 4 output file cannot be written; 5 the run broke off\n"
         "(no temporary page file could be written, or an unexpected error); 130 interrupted.\n";
}

TCliParse ParseCliOptions(const std::vector<std::string>& args) {
  TCliParse result;
  TCliOptions& options = result.options;
  std::set<int32_t> areas;
  bool all = false;
  bool hasPrefectures = false;

  for (const std::string& arg : args) {
    if (arg == "--help" || arg == "-h") {
      options.help = true;
      return result;
    }
  }

  for (size_t i = 0; i < args.size(); i++) {
    std::string arg = args[i];
    std::string value;
    bool hasValue = false;
    if (StartsWith(arg, "--") && arg.find('=') != std::string::npos) {
      value = arg.substr(arg.find('=') + 1);
      arg = arg.substr(0, arg.find('='));
      hasValue = true;
    }
    auto takeValue = [&](std::string& target) -> bool {
      if (!hasValue) {
        if (i + 1 >= args.size()) return false;
        value = args[++i];
      }
      target = value;
      return true;
    };

    if (arg == "--output" || arg == "--base-url" || arg == "--ca-file") {
      std::string& target = arg == "--output"     ? options.output
                            : arg == "--base-url" ? options.baseUrl
                                                  : options.caFile;
      if (!takeValue(target) || target.empty()) {
        result.error = arg + " needs a value";
        return result;
      }
    } else if (arg == "--all") {
      all = true;
    } else if (StartsWith(arg, "-") && arg != "-") {
      result.error = "unknown option: " + args[i];
      return result;
    } else {
      const int32_t area = PrefectureFromArgument(arg);
      if (area == 0) {
        result.error = "not a prefecture (a number from 1 to 47 or a name): " + arg;
        return result;
      }
      areas.insert(area);
      hasPrefectures = true;
    }
  }

  if (options.output.empty()) {
    result.error = "--output FILE is required";
  } else if (all && hasPrefectures) {
    result.error = "give either --all or prefectures, not both";
  } else if (!all && !hasPrefectures) {
    result.error = "no prefecture given (name one or more, or --all)";
  } else if (!options.baseUrl.empty()) {
    result.error = CheckBaseUrl(options.baseUrl);
  }
  if (result.error.empty() && !options.caFile.empty() &&
      ::access(options.caFile.c_str(), R_OK) != 0) {
    result.error = "cannot read the CA file: " + options.caFile;
  }
  if (all) {
    for (int32_t p = 1; p <= kPrefectureCount; p++) areas.insert(p);
  }
  options.areas.assign(areas.begin(), areas.end());
  return result;
}
