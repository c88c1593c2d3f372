#include "support/EucJp.h"

#include <iconv.h>

#include <cstdio>
#include <cstdlib>

std::string Utf8ToEucJp(const std::string& utf8) {
  iconv_t cd = iconv_open("EUC-JP", "UTF-8");
  if (cd == reinterpret_cast<iconv_t>(-1)) std::abort();
  std::string out(utf8.size() * 2 + 16, '\0');
  char* in = const_cast<char*>(utf8.data());
  size_t inLeft = utf8.size();
  char* dst = out.data();
  size_t outLeft = out.size();
  if (iconv(cd, &in, &inLeft, &dst, &outLeft) == static_cast<size_t>(-1)) {
    std::fprintf(stderr, "not EUC-JP text: %s\n", utf8.c_str());
    std::abort();
  }
  iconv_close(cd);
  out.resize(out.size() - outLeft);
  return out;
}

TStringList EucPage(std::initializer_list<const char*> utf8Lines) {
  TStringList page;
  for (const char* line : utf8Lines) page.Add(Utf8ToEucJp(line));
  return page;
}
