#pragma once
// Conversions at the edges of the engine: UTF-8 (widgets, terminal, source literals)
// to and from code page 932 Text.
#include <string>

#include "Unicommon/Text.h"

// UTF-8 to code page 932; characters code page 932 lacks become "?".
Text Utf8ToLocal(const std::string& utf8);

// Code page 932 to UTF-8; bytes that are not valid code page 932 become U+FFFD.
std::string LocalToUtf8(const Text& local);

// Shorthand for code page 932 literals written in UTF-8 source.
inline Text L(const char* utf8) { return Utf8ToLocal(utf8); }
