#include "host/zip/entry_attributes.h"

#include "host/zip/gbk_path.h"

namespace zip {

namespace {

constexpr std::uint32_t UnixFolderBit = 1u << 30;
constexpr std::uint32_t UnixOwnerWriteBit = 1u << 23;

} // namespace

bool isFolderEntry(const Entry& entry)
{
    return (entry.externalAttributes & (FILE_ATTRIBUTE_DIRECTORY | UnixFolderBit)) != 0 ||
           endsWithCharacter(entry.name, '/') || endsWithCharacter(entry.name, '\\');
}

DWORD creationAttributes(const Entry& entry)
{
    const std::uint32_t bits = entry.externalAttributes;
    DWORD attributes = bits & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE);
    if (!(bits & UnixOwnerWriteBit) || (bits & FILE_ATTRIBUTE_READONLY))
        attributes |= FILE_ATTRIBUTE_READONLY;
    return attributes;
}

} // namespace zip
