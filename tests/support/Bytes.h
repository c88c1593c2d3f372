#pragma once
// Byte helpers shared by the suites.
#include <string>

// "41 82 A0": bytes as hexadecimal pairs, for failure messages about exact bytes.
std::string Hex(const std::string& bytes);

// The whole file as bytes; empty when it cannot be read.
std::string ReadFileBytes(const std::string& path);
