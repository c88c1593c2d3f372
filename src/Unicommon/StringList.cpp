#include "Unicommon/StringList.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>

namespace {

struct FileCloser {
  void operator()(std::FILE* f) const { std::fclose(f); }
};

[[noreturn]] void ThrowCannotRead(const std::string& path, int error) {
  throw std::runtime_error("cannot read \"" + path + "\": " + std::strerror(error));
}

}  // namespace

void TStringList::LoadFromFile(const std::string& path) {
  FLines.clear();

  // POSIX has no share modes: the file is simply opened for reading.
  std::unique_ptr<std::FILE, FileCloser> file(std::fopen(path.c_str(), "rb"));
  if (!file) ThrowCannotRead(path, errno);

  std::string bytes;
  char buffer[64 * 1024];
  for (;;) {
    const size_t got = std::fread(buffer, 1, sizeof buffer, file.get());
    bytes.append(buffer, got);
    if (got < sizeof buffer) break;
  }
  if (std::ferror(file.get())) ThrowCannotRead(path, errno != 0 ? errno : EIO);

  // A NUL byte ends the text; the rest of the file is ignored.
  const size_t nul = bytes.find('\0');
  const size_t n = nul == std::string::npos ? bytes.size() : nul;
  const char* p = bytes.data();

  // Lines end at CR, at LF, or at CR LF (one end); LF CR is two ends. A last line
  // without a line end counts; an empty text gives no lines.
  size_t start = 0;
  size_t i = 0;
  while (i < n) {
    const char c = p[i];
    if (c == '\r' || c == '\n') {
      FLines.emplace_back(p + start, i - start);
      ++i;
      if (c == '\r' && i < n && p[i] == '\n') ++i;
      start = i;
    } else {
      ++i;
    }
  }
  if (start < n) FLines.emplace_back(p + start, n - start);
}
