#pragma once
// Deflates a file piece by piece into raw deflate data (no zlib header), the
// form a ZIP entry of method 8 holds.

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <functional>
#include <optional>

struct DeflatedFile {
    std::uint32_t crc;          // CRC-32 of the uncompressed bytes
    std::uint64_t size;         // uncompressed byte count
};

// Receives each compressed piece; false stops the compression as failed.
using DeflateSink = std::function<bool(const unsigned char* data, std::size_t size)>;

// Compresses at zlib's default level, which the entry's flags (0) declare.
std::optional<DeflatedFile> deflateFile(std::FILE* input, const DeflateSink& sink);
