#pragma once
// Internal to Unicommon: the EUC-JP to code page 932 lookup table behind EucToLocal.
//
// Every EUC-JP character code is looked up once, when the table is first needed: it is
// decoded with the system's (glibc iconv) "EUC-JP" converter and the code point is
// encoded to code page 932 the way Windows' WideCharToMultiByte(CP_ACP = 932) does,
// that is glibc's "CP932" converter corrected by Cp932Windows (see Cp932Windows.h).
// After that a conversion is a pure table walk: no converter is opened per line, and
// the table is read-only, so any number of threads may use it.
#include <cstdint>

namespace euc {

// An entry: 0 when the code is not a character (the converter rejects it); otherwise
// the code page 932 bytes, one byte when below 0x100, else two (high byte first).
using Entry = uint16_t;

struct Table {
  bool ok = false;              // false when the system cannot convert from EUC-JP
  Entry jis0208[94 * 94] = {};  // A1-FE A1-FE: JIS X 0208
  Entry jis0212[94 * 94] = {};  // 8F A1-FE A1-FE: JIS X 0212
  Entry kana[94] = {};          // 8E A1-FE: half-width katakana (A1-DF)
};

// The table, built on first use (thread-safe).
const Table& GetTable();

// Index of the code (b1, b2), both A1-FE, within jis0208 or jis0212.
inline int Index(unsigned char b1, unsigned char b2) { return (b1 - 0xA1) * 94 + (b2 - 0xA1); }

}  // namespace euc
