#pragma once
// Text: a counted string of bytes, code page 932 unless stated otherwise.
// Positions are 1-based byte positions.
#include <cstdint>
#include <string>

using Text = std::string;

// True when b is a Shift_JIS lead byte (81-9F, E0-FC).
bool IsLeadByte(unsigned char b);

// 1-based position of the first occurrence of pattern in text, 0 when none.
// Occurrences that would start on the second byte of a double-byte character
// are skipped. Only the bytes before a NUL count.
int TextFind(const Text& text, const Text& pattern);

// Bytes from index on, at most count of them. Index below 1 counts as 1.
Text TextCopy(const Text& text, int index, int count);

// Text without leading and trailing bytes 00-20.
Text TextTrim(const Text& text);

// The whole text as a signed 32-bit integer (decimal, or hex after $, x, X, 0x, 0X),
// def for anything else.
int32_t TextToIntDef(const Text& text, int32_t def);

// A copy with the ASCII letters a-z upper-cased; the second byte of a double-byte
// character is never touched, and the byte count never changes.
Text TextUpperAscii(const Text& text);

enum TReplaceFlag : unsigned { rfReplaceAll = 1, rfIgnoreCase = 2 };

// Replaces the first (or with rfReplaceAll every) occurrence of pattern.
Text TextReplace(const Text& text, const Text& pattern, const Text& replacement, unsigned flags);
