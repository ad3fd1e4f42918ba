#pragma once
// An archive read through the unzip layer: its entries in central-directory
// order, and the decompressed data of the current one.

#include <cstdint>
#include <optional>

#include <unzip.h>

#include "host/types.h"

namespace zip {

struct Entry {
    Text name;                        // bytes as stored, up to any NUL; the UTF-8 flag is not consulted
    std::uint32_t externalAttributes; // MS-DOS attributes in the low, Unix mode in the high 16 bits
    std::uint32_t dosDateTime;        // date in the high 16 bits
    std::uint32_t crc;
    std::uint64_t size;               // uncompressed
    bool encrypted;
};

class ZipReader {
public:
    // Opens the archive for reading, other readers allowed; single-disk only.
    explicit ZipReader(const Text& path);
    ZipReader(const ZipReader&) = delete;
    ZipReader& operator=(const ZipReader&) = delete;
    ~ZipReader();

    explicit operator bool() const { return file_ != nullptr; }

    // Moves to the first or the next entry: false past the last one, or where
    // the entry's records cannot be read.
    bool first();
    bool next();
    std::optional<Entry> entry();

    // The current entry's data: opened, read in pieces, closed.
    bool openData();
    ByteSet localExtraField();
    // The count of bytes placed in `buffer`, 0 at the end, negative on an error.
    int readData(std::uint8_t* buffer, unsigned size);
    // False when the whole entry was read and its CRC-32 differs.
    bool closeData();

private:
    unzFile file_;
};

} // namespace zip
