#pragma once
// The program holds each archive as a ByteSet in its stored form: a 32-bit
// little-endian dimension count (1), a 32-bit little-endian byte length, then
// the bytes. The packer writes that form as the body of a C++ byte array
// initializer, for the program's sources to include.

#include <string>

bool writeStoredForm(const std::string& archivePath, const std::string& initializerPath);
