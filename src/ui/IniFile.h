#pragma once
// A settings file in the Windows profile style: "[Section]" lines and "Key=Value"
// lines in code page 932. Section and key names match without regard to letter case.
// Every call reads the file afresh; a write changes one value and leaves every other
// line (other sections, other keys, comments, blank lines, line ends) as it was.
#include <QString>
#include <stdexcept>

#include "Unicommon/Text.h"

// A write that could not be made; what() holds the UTF-8 text "<path> に書き込めません".
class EIniFileError : public std::runtime_error {
 public:
  explicit EIniFileError(const QString& path);
  QString Message() const { return QString::fromUtf8(what()); }
};

class TIniFile {
 public:
  explicit TIniFile(QString fileName) : FFileName(std::move(fileName)) {}

  // The value of key in section, trimmed, with one pair of enclosing quotes removed;
  // def when the file, the section or the key is missing.
  Text ReadString(const Text& section, const Text& key, const Text& def) const;

  // Sets key in section to value, creating the file, the section or the key where
  // missing. Throws EIniFileError when the file cannot be written, including a file
  // whose permission bits allow no writing at all (kept read-only even for root).
  void WriteString(const Text& section, const Text& key, const Text& value);

 private:
  QString FFileName;
};
