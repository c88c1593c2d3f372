#pragma once
// The shop list file: a code page 932 CSV with CR LF line ends and no BOM.
#include <cstdio>
#include <string>

#include "extract/ShopRecord.h"

class TShopListFile {
 public:
  TShopListFile() = default;
  TShopListFile(const TShopListFile&) = delete;
  TShopListFile& operator=(const TShopListFile&) = delete;
  ~TShopListFile() { Close(); }

  // Creates (or truncates) the file. False when it cannot be created.
  bool Open(const std::string& path);
  bool IsOpen() const { return FFile != nullptr; }
  // Writes bytes; false (and the file marked failed) when the write fails.
  bool Write(const std::string& bytes);
  // Flushes and closes; false when anything written could not reach the file.
  bool Close();
  // True once any write or the close has failed.
  bool Failed() const { return FFailed; }

 private:
  std::FILE* FFile = nullptr;
  bool FFailed = false;
};

// Writes the quoted header line. False when the write fails.
bool WriteShopListHeader(TShopListFile& file);
// Writes one record line: every value quoted and followed by a comma. False on failure.
bool WriteShopRecord(TShopListFile& file, const ShopRecord& record);
// The record line's bytes including its CR LF (double quotes inside values doubled).
std::string FormatShopRecord(const ShopRecord& record);
std::string FormatShopListHeader();
