#pragma once
// An ordered list of Text lines, loadable from a file split at line ends.
#include <stdexcept>
#include <string>
#include <vector>

#include "Unicommon/Text.h"

class TStringList {
 public:
  int Count() const { return static_cast<int>(FLines.size()); }
  const Text& operator[](int index) const { return FLines[static_cast<size_t>(index)]; }
  void Add(const Text& line) { FLines.push_back(line); }
  void Clear() { FLines.clear(); }

  // Empties the list, then reads the whole file as bytes and splits it at CR, LF and
  // CR LF. A NUL byte ends the text. Throws std::runtime_error when the file cannot
  // be opened; callers test first that the file exists.
  void LoadFromFile(const std::string& path);

 private:
  std::vector<Text> FLines;
};
