#include "extract/PageLines.h"

#include "Unicommon/PageText.h"

Text HeadOf(const TStringList& page, int i) { return TextCopy(TextTrim(page[i]), 1, 3); }

Text InnerHeadOf(const TStringList& page, int i) { return TextCopy(TextTrim(page[i]), 2, 3); }

bool LineContains(const TStringList& page, int i, const Text& marker) {
  return TextFind(page[i], marker) > 0;
}

Text CleanedLine(const TStringList& page, int i) { return CleanedText(page[i]); }

Text ConvertedLine(const TStringList& page, int i) { return EucToLocal(TextTrim(page[i])); }
