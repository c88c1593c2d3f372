#pragma once
// Turning raw EUC-JP page lines into clean code page 932 text.
#include "Unicommon/StringList.h"
#include "Unicommon/Text.h"

// EUC-JP bytes to code page 932 Text. Characters without a code page 932 form become "?".
Text EucToLocal(const Text& text);

// Removes every run from a '<' to the first '>' after it.
Text StripTags(const Text& text);

// Folds the ideographic space, full-width minus, hyphen and full-width digits to ASCII.
Text NormalizeWidth(const Text& text);

// Appends the non-empty pieces of text between occurrences of delimiter to list.
void SplitText(const Text& text, const Text& delimiter, TStringList& list);

// Cleaned text of a raw page line: trim, convert, strip tags, trim.
Text CleanedText(const Text& rawLine);
