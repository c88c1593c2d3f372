#include "Unicommon/EucTable.h"

#include <iconv.h>

#include <mutex>

#include "Unicommon/Cp932Windows.h"

namespace euc {
namespace {

constexpr Entry kQuestion = 0x3F;

class Converter {
 public:
  Converter(const char* to, const char* from) : FHandle(iconv_open(to, from)) {}
  ~Converter() {
    if (Ok()) iconv_close(FHandle);
  }
  Converter(const Converter&) = delete;
  Converter& operator=(const Converter&) = delete;

  bool Ok() const { return FHandle != reinterpret_cast<iconv_t>(-1); }

  // Converts all of in into out; false when the converter rejects any of it.
  bool Convert(const char* in, size_t inSize, char* out, size_t outCapacity, size_t& outSize) {
    iconv(FHandle, nullptr, nullptr, nullptr, nullptr);  // initial state
    char* src = const_cast<char*>(in);
    size_t srcLeft = inSize;
    char* dst = out;
    size_t dstLeft = outCapacity;
    const size_t r = iconv(FHandle, &src, &srcLeft, &dst, &dstLeft);
    if (r == static_cast<size_t>(-1) || srcLeft != 0) return false;
    // Flush any pending shift state (none for these converters, but be exact).
    if (iconv(FHandle, nullptr, nullptr, &dst, &dstLeft) == static_cast<size_t>(-1)) return false;
    outSize = outCapacity - dstLeft;
    return true;
  }

 private:
  iconv_t FHandle;
};

// The code page 932 bytes for one EUC-JP code, 0 when the EUC-JP converter rejects the
// code (not a character), "?" when the character has no code page 932 counterpart.
Entry Lookup(Converter& decoder, Converter& encoder, const unsigned char* code, size_t size) {
  char32_t u[4];
  size_t decodedBytes = 0;
  if (!decoder.Convert(reinterpret_cast<const char*>(code), size, reinterpret_cast<char*>(u),
                       sizeof u, decodedBytes) ||
      decodedBytes != sizeof(char32_t)) {
    return 0;
  }
  Entry entry = 0;
  if (cp932win::Override(u[0], entry)) return entry;
  char bytes[8];
  size_t encodedBytes = 0;
  if (!encoder.Convert(reinterpret_cast<const char*>(u), sizeof(char32_t), bytes, sizeof bytes,
                       encodedBytes)) {
    return kQuestion;
  }
  if (encodedBytes == 1) return static_cast<unsigned char>(bytes[0]);
  if (encodedBytes == 2) {
    return static_cast<Entry>((static_cast<unsigned char>(bytes[0]) << 8) |
                              static_cast<unsigned char>(bytes[1]));
  }
  return kQuestion;
}

void Build(Table& table) {
  // UTF-32 in host order: little-endian on every platform this builds for.
  Converter decoder("UTF-32LE", "EUC-JP");
  Converter encoder("CP932", "UTF-32LE");
  if (!decoder.Ok() || !encoder.Ok()) return;  // table.ok stays false

  unsigned char code[3];
  for (int b1 = 0xA1; b1 <= 0xFE; ++b1) {
    for (int b2 = 0xA1; b2 <= 0xFE; ++b2) {
      code[0] = static_cast<unsigned char>(b1);
      code[1] = static_cast<unsigned char>(b2);
      table.jis0208[Index(code[0], code[1])] = Lookup(decoder, encoder, code, 2);
      code[0] = 0x8F;
      code[1] = static_cast<unsigned char>(b1);
      code[2] = static_cast<unsigned char>(b2);
      table.jis0212[Index(code[1], code[2])] = Lookup(decoder, encoder, code, 3);
    }
    code[0] = 0x8E;
    code[1] = static_cast<unsigned char>(b1);
    table.kana[b1 - 0xA1] = Lookup(decoder, encoder, code, 2);
  }
  table.ok = true;
}

}  // namespace

const Table& GetTable() {
  static Table table;
  static std::once_flag once;
  std::call_once(once, [] { Build(table); });
  return table;
}

}  // namespace euc
