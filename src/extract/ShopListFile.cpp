#include "extract/ShopListFile.h"

#include "Unicommon/CodePage.h"

namespace {

constexpr const char* kLineEnd = "\r\n";

// Header texts in column order, matching the fields of ShopRecord.
constexpr const char* kHeaderTextsUtf8[ShopRecord::kFieldCount] = {
    "店舗ID",
    "店舗名",
    "店舗形態",
    "紹介文",
    "郵便番号",
    "住所",
    "電話番号",
    "FAX番号",
    "営業時間",
    "定休日",
    "販売店情報",
    "掲載車台数",
    "レビュー総合評価",
    "レビュー件数",
    "緯度（世界測地系）",
    "経度（世界測地系）",
    "レビューページURL",
    "詳細ページURL",
};

// Appends value between double quotes, doubling any double quote inside it so that a
// CSV reader sees the value as one field. A double quote byte never occurs as the
// second byte of a code page 932 character, so a byte-wise scan is safe.
void AppendQuoted(std::string& line, const Text& value) {
  line += '"';
  for (char c : value) {
    if (c == '"') line += '"';
    line += c;
  }
  line += '"';
}

}  // namespace

bool TShopListFile::Open(const std::string& path) {
  Close();
  // Binary mode: the line ends are written as CR LF explicitly on every platform.
  FFile = std::fopen(path.c_str(), "wb");
  FFailed = false;
  return FFile != nullptr;
}

bool TShopListFile::Write(const std::string& bytes) {
  if (FFile == nullptr) {
    FFailed = true;
    return false;
  }
  // Flushing each write makes a full disk show at the write that hit it, and keeps the
  // lines written so far on disk should the program stop without closing the file.
  const bool written =
      std::fwrite(bytes.data(), 1, bytes.size(), FFile) == bytes.size() && std::fflush(FFile) == 0;
  if (!written) FFailed = true;
  return written;
}

bool TShopListFile::Close() {
  if (FFile == nullptr) return !FFailed;
  if (std::fflush(FFile) != 0) FFailed = true;
  if (std::fclose(FFile) != 0) FFailed = true;
  FFile = nullptr;
  return !FFailed;
}

std::string FormatShopListHeader() {
  static const std::string header = [] {
    std::string line;
    for (int column = 0; column < ShopRecord::kFieldCount; ++column) {
      if (column > 0) line += ',';
      AppendQuoted(line, L(kHeaderTextsUtf8[column]));
    }
    return line + kLineEnd;
  }();
  return header;
}

std::string FormatShopRecord(const ShopRecord& record) {
  std::string line;
  for (const Text* field : record.Fields()) {
    AppendQuoted(line, *field);
    line += ',';  // every value, the last one included, is followed by a comma
  }
  return line + kLineEnd;
}

bool WriteShopListHeader(TShopListFile& file) { return file.Write(FormatShopListHeader()); }

bool WriteShopRecord(TShopListFile& file, const ShopRecord& record) {
  return file.Write(FormatShopRecord(record));
}
