#include "ui/IniFile.h"

#include <sys/stat.h>

#include <QFile>
#include <QSaveFile>
#include <vector>

namespace {

// One line of the file with its line end kept apart, so that a save can put every
// line back byte for byte.
struct TIniLine {
  Text body;
  Text end;  // "\r\n", "\n", "\r" or empty for a last line without one
};

std::vector<TIniLine> SplitLines(const Text& bytes) {
  std::vector<TIniLine> lines;
  size_t start = 0;
  while (start < bytes.size()) {
    size_t stop = bytes.find_first_of("\r\n", start);
    if (stop == Text::npos) {
      lines.push_back({bytes.substr(start), ""});
      break;
    }
    size_t endLength =
        bytes[stop] == '\r' && stop + 1 < bytes.size() && bytes[stop + 1] == '\n' ? 2 : 1;
    lines.push_back({bytes.substr(start, stop - start), bytes.substr(stop, endLength)});
    start = stop + endLength;
  }
  return lines;
}

Text TrimBlanks(const Text& text) {
  size_t first = text.find_first_not_of(" \t");
  if (first == Text::npos) return "";
  size_t last = text.find_last_not_of(" \t");
  return text.substr(first, last - first + 1);
}

bool SameName(const Text& a, const Text& b) { return TextUpperAscii(a) == TextUpperAscii(b); }

// The name of a "[Section]" line, or false when the line is no section header.
bool SectionName(const Text& body, Text& name) {
  Text trimmed = TrimBlanks(body);
  if (trimmed.empty() || trimmed[0] != '[') return false;
  size_t close = trimmed.find(']');
  name = TrimBlanks(trimmed.substr(1, close == Text::npos ? Text::npos : close - 1));
  return true;
}

// The key of a "Key=Value" line, or false for comments and lines without "=".
bool KeyName(const Text& body, Text& key, size_t& equals) {
  Text trimmed = TrimBlanks(body);
  if (trimmed.empty() || trimmed[0] == ';') return false;
  equals = body.find('=');
  if (equals == Text::npos) return false;
  key = TrimBlanks(body.substr(0, equals));
  return true;
}

Text ValueOf(const Text& body, size_t equals) {
  Text value = TrimBlanks(body.substr(equals + 1));
  if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
      value.back() == value.front()) {
    value = value.substr(1, value.size() - 2);
  }
  return value;
}

bool ReadAll(const QString& fileName, Text& bytes) {
  QFile file(fileName);
  if (!file.open(QIODevice::ReadOnly)) return false;
  QByteArray data = file.readAll();
  bytes.assign(data.constData(), static_cast<size_t>(data.size()));
  return true;
}

// Line end for lines the save adds: the file's own, or CR LF for a new file.
Text LineEndOf(const std::vector<TIniLine>& lines) {
  for (const TIniLine& line : lines) {
    if (!line.end.empty()) return line.end;
  }
  return "\r\n";
}

bool HasNoWriteBits(const QString& fileName) {
  struct stat info {};
  if (::stat(QFile::encodeName(fileName).constData(), &info) != 0) return false;
  return (info.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0;
}

}  // namespace

EIniFileError::EIniFileError(const QString& path)
    : std::runtime_error((path + QStringLiteral(" に書き込めません")).toStdString()) {}

Text TIniFile::ReadString(const Text& section, const Text& key, const Text& def) const {
  Text bytes;
  if (!ReadAll(FFileName, bytes)) return def;
  bool inSection = false;
  bool sectionSeen = false;
  for (const TIniLine& line : SplitLines(bytes)) {
    Text name;
    if (SectionName(line.body, name)) {
      // Only the first section of a name counts.
      if (inSection) break;
      inSection = !sectionSeen && SameName(name, section);
      sectionSeen = sectionSeen || inSection;
      continue;
    }
    size_t equals = 0;
    if (inSection && KeyName(line.body, name, equals) && SameName(name, key)) {
      return ValueOf(line.body, equals);
    }
  }
  return def;
}

void TIniFile::WriteString(const Text& section, const Text& key, const Text& value) {
  Text bytes;
  const bool exists = QFile::exists(FFileName);
  if (exists && (HasNoWriteBits(FFileName) || !ReadAll(FFileName, bytes))) {
    throw EIniFileError(FFileName);
  }
  std::vector<TIniLine> lines = SplitLines(bytes);
  const Text lineEnd = LineEndOf(lines);

  // Find the section, the key inside it, and the last line that belongs to it.
  int sectionLine = -1;
  int keyLine = -1;
  int lastContent = -1;
  for (int i = 0; i < static_cast<int>(lines.size()); i++) {
    Text name;
    if (SectionName(lines[i].body, name)) {
      if (sectionLine >= 0) break;
      if (SameName(name, section)) sectionLine = lastContent = i;
      continue;
    }
    if (sectionLine < 0) continue;
    if (!TrimBlanks(lines[i].body).empty()) lastContent = i;
    size_t equals = 0;
    if (KeyName(lines[i].body, name, equals) && SameName(name, key)) {
      keyLine = i;
      break;
    }
  }

  if (keyLine >= 0) {
    Text& body = lines[keyLine].body;
    body = body.substr(0, body.find('=') + 1) + value;
  } else {
    if (sectionLine < 0) {
      if (!lines.empty() && lines.back().end.empty()) lines.back().end = lineEnd;
      lines.push_back({"[" + section + "]", lineEnd});
      lastContent = static_cast<int>(lines.size()) - 1;
    }
    if (lines[lastContent].end.empty()) lines[lastContent].end = lineEnd;
    lines.insert(lines.begin() + lastContent + 1, TIniLine{key + "=" + value, lineEnd});
  }

  Text out;
  for (const TIniLine& line : lines) out += line.body + line.end;

  // Written through a temporary file that replaces the old one only once complete, so
  // a failed write never leaves a cut-off settings file behind.
  QSaveFile file(FFileName);
  // A writable file in a folder that is not writable is written in place.
  file.setDirectWriteFallback(true);
  if (!file.open(QIODevice::WriteOnly) ||
      file.write(out.data(), static_cast<qint64>(out.size())) != static_cast<qint64>(out.size()) ||
      !file.commit()) {
    throw EIniFileError(FFileName);
  }
}
