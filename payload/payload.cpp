#include "payload/payload.h"

#include <cstdint>

namespace {

// Each array is a ByteSet in its stored form, as the build packed it: a 32-bit
// little-endian dimension count (1), a 32-bit little-endian byte length, then
// the archive's bytes.
alignas(8) constexpr std::uint8_t ServerStored[] = {
#include "server.inc"
};
alignas(8) constexpr std::uint8_t ClientStored[] = {
#include "client.inc"
};
alignas(8) constexpr std::uint8_t LexiconStored[] = {
#include "lexicon.inc"
};

// The bytes of a stored ByteSet, with the length it records.
constexpr ByteView storedBytes(const std::uint8_t* stored)
{
    return ByteView(stored + 8, stored[4] | stored[5] << 8 | stored[6] << 16 | std::uint32_t{stored[7]} << 24);
}

} // namespace

// Constant-initialised, so they are ready before any code runs.
const ByteView ServerArchive = storedBytes(ServerStored);
const ByteView ClientArchive = storedBytes(ClientStored);
const ByteView LexiconArchive = storedBytes(LexiconStored);
