#pragma once
// Terms the page readers use on the lines of a loaded page (raw EUC-JP lines).
#include "Unicommon/StringList.h"
#include "Unicommon/Text.h"

// Every replacement the readers make replaces every occurrence, letter case ignored.
constexpr unsigned kReplaceEvery = rfReplaceAll | rfIgnoreCase;

// Line j exists.
inline bool LineExists(const TStringList& page, int j) { return j >= 0 && j < page.Count(); }
// The first three bytes of the trimmed line.
Text HeadOf(const TStringList& page, int i);
// Three bytes of the trimmed line from its second byte on.
Text InnerHeadOf(const TStringList& page, int i);
// The raw line holds marker (exact bytes, as loaded).
bool LineContains(const TStringList& page, int i, const Text& marker);
// Trimmed, converted to code page 932, tags stripped, trimmed again.
Text CleanedLine(const TStringList& page, int i);
// Trimmed and converted to code page 932, tags kept.
Text ConvertedLine(const TStringList& page, int i);
