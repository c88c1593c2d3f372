#include "Unithread/TempPageFile.h"

#include <sys/stat.h>
#include <unistd.h>

#include <stdexcept>

bool FileExists(const std::string& path) {
  struct stat info;
  return !path.empty() && ::stat(path.c_str(), &info) == 0;
}

void RemoveTempPageFile(const std::string& path) {
  if (FileExists(path)) ::unlink(path.c_str());
}

TStringList LoadFetchedPage(const TDownloadOutcome& outcome, const std::string& path) {
  TStringList page;
  if (!outcome.Fetched() || !FileExists(path)) return page;
  try {
    page.LoadFromFile(path);
  } catch (const std::runtime_error&) {
    page.Clear();
  }
  return page;
}
