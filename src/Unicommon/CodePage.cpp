#include "Unicommon/CodePage.h"

#include <iconv.h>

#include <cerrno>
#include <cstddef>
#include <cstring>

namespace {

bool AllAscii(const std::string& s) {
  for (const char c : s) {
    if (static_cast<unsigned char>(c) >= 0x80) return false;
  }
  return true;
}

// One iconv handle per thread and direction, opened on first use and closed when the
// thread ends: the conversions are thread-safe without opening a converter per call.
class ThreadConverter {
 public:
  ThreadConverter(const char* to, const char* from) : FHandle(iconv_open(to, from)) {}
  ~ThreadConverter() {
    if (Ok()) iconv_close(FHandle);
  }
  ThreadConverter(const ThreadConverter&) = delete;
  ThreadConverter& operator=(const ThreadConverter&) = delete;

  bool Ok() const { return FHandle != reinterpret_cast<iconv_t>(-1); }
  iconv_t Handle() const { return FHandle; }

 private:
  iconv_t FHandle;
};

// Length of the well-formed UTF-8 sequence at s[0..n), 0 when it is not one.
size_t Utf8SequenceLength(const unsigned char* s, size_t n) {
  const unsigned char b = s[0];
  size_t len;
  char32_t min;
  if (b < 0x80) return 1;
  if (b >= 0xC2 && b <= 0xDF) {
    len = 2;
    min = 0x80;
  } else if (b >= 0xE0 && b <= 0xEF) {
    len = 3;
    min = 0x800;
  } else if (b >= 0xF0 && b <= 0xF4) {
    len = 4;
    min = 0x10000;
  } else {
    return 0;
  }
  if (len > n) return 0;
  char32_t u = b & (0x3F >> (len - 1));
  for (size_t k = 1; k < len; ++k) {
    if ((s[k] & 0xC0) != 0x80) return 0;
    u = (u << 6) | (s[k] & 0x3F);
  }
  if (u < min || u > 0x10FFFF || (u >= 0xD800 && u <= 0xDFFF)) return 0;
  return len;
}

// Length of the code page 932 character at s[0..n) as far as its form goes: two bytes
// for a lead byte followed by a trail byte (40-7E, 80-FC), else one.
size_t Cp932CharacterLength(const unsigned char* s, size_t n) {
  if (IsLeadByte(s[0]) && n >= 2) {
    const unsigned char t = s[1];
    if ((t >= 0x40 && t <= 0x7E) || (t >= 0x80 && t <= 0xFC)) return 2;
  }
  return 1;
}

// Converts in through cd into a string. Where the converter stops at input it cannot
// convert (invalid, or without a counterpart), skip(rest, left) bytes are dropped and
// replacement is put in their place; the conversion then goes on.
template <typename Skip>
std::string ConvertWithReplacement(iconv_t cd, const std::string& in, const char* replacement,
                                   size_t replacementSize, Skip skip) {
  std::string out;
  out.resize(in.size() * 2 + 16);
  iconv(cd, nullptr, nullptr, nullptr, nullptr);
  char* src = const_cast<char*>(in.data());
  size_t srcLeft = in.size();
  size_t used = 0;
  while (srcLeft > 0) {
    char* dst = out.data() + used;
    size_t dstLeft = out.size() - used;
    const size_t r = iconv(cd, &src, &srcLeft, &dst, &dstLeft);
    used = out.size() - dstLeft;
    if (r != static_cast<size_t>(-1)) break;
    if (errno == E2BIG) {
      out.resize(out.size() * 2);
      continue;
    }
    // EILSEQ (cannot convert here) or EINVAL (incomplete sequence at the end).
    const size_t drop = skip(reinterpret_cast<const unsigned char*>(src), srcLeft);
    src += drop;
    srcLeft -= drop;
    if (out.size() - used < replacementSize) out.resize(out.size() * 2 + replacementSize);
    std::memcpy(out.data() + used, replacement, replacementSize);
    used += replacementSize;
    iconv(cd, nullptr, nullptr, nullptr, nullptr);
  }
  out.resize(used);
  return out;
}

}  // namespace

// glibc's "CP932" encoder. Each character it cannot encode, and each byte that is not
// part of well-formed UTF-8, becomes "?". (These conversions serve the edges: source
// literals, widgets, the terminal. Page text goes through EucToLocal.)
Text Utf8ToLocal(const std::string& utf8) {
  if (AllAscii(utf8)) return utf8;
  thread_local ThreadConverter converter("CP932", "UTF-8");
  if (!converter.Ok()) {
    Text result(utf8);
    for (char& c : result) {
      if (static_cast<unsigned char>(c) >= 0x80) c = '?';
    }
    return result;
  }
  return ConvertWithReplacement(converter.Handle(), utf8, "?", 1,
                                [](const unsigned char* s, size_t n) {
                                  const size_t len = Utf8SequenceLength(s, n);
                                  return len == 0 ? size_t{1} : len;
                                });
}

// glibc's "CP932" decoder. Each byte that does not start a code page 932 character
// (80, A0, FD-FF, a lead byte at the end or before a byte that cannot follow it) and
// each unassigned double-byte code becomes U+FFFD.
std::string LocalToUtf8(const Text& local) {
  if (AllAscii(local)) return local;
  static const char kReplacement[] = "\xEF\xBF\xBD";  // U+FFFD
  thread_local ThreadConverter converter("UTF-8", "CP932");
  if (!converter.Ok()) {
    std::string result;
    for (const char c : local) {
      if (static_cast<unsigned char>(c) >= 0x80) {
        result += kReplacement;
      } else {
        result += c;
      }
    }
    return result;
  }
  return ConvertWithReplacement(converter.Handle(), local, kReplacement, 3, Cp932CharacterLength);
}
