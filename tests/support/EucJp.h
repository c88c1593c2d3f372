#pragma once
// Test pages are written in UTF-8 and served or loaded as EUC-JP, as the portal does.
#include <initializer_list>
#include <string>

#include "Unicommon/StringList.h"

// UTF-8 to EUC-JP bytes; aborts the test program on text EUC-JP cannot hold.
std::string Utf8ToEucJp(const std::string& utf8);

// A page as loaded from the Temporary page file: one EUC-JP line per UTF-8 line.
TStringList EucPage(std::initializer_list<const char*> utf8Lines);
