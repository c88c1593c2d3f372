#pragma once
// Internal to Unicommon: where Windows' conversion from Unicode to code page 932
// (WideCharToMultiByte, code page 932, flags 0, best fit allowed) differs from glibc's
// iconv "CP932" encoder.
//
// glibc's encoder maps a few characters one way that Windows does not map at all
// (U+2014 em dash, U+2016 double vertical line, U+203E overline, U+2212 minus sign,
// U+301C wave dash), and it lacks Windows' best-fit counterparts (Latin-1 letters with
// accents to their base letter, U+00A9 to 'c', U+00AB to "≪", ...). For every other
// code point the two agree, including the choice among duplicate encodings (NEC row 13
// vs. JIS X 0208 row 2, IBM extension rows FA-FC vs. the NEC-selected rows ED-EE).
// Source of the best-fit rows: Microsoft's WindowsBestFit table bestfit932.txt (WCTABLE),
// as published by the Unicode Consortium.
#include <cstdint>

namespace cp932win {

// When Windows' code page 932 encoder treats u differently from glibc's, stores the
// bytes Windows gives in out (one byte when below 0x100, else two, high byte first;
// "?" = 0x3F where Windows has no counterpart) and returns true. Otherwise returns false.
bool Override(char32_t u, uint16_t& out);

}  // namespace cp932win
