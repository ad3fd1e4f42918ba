#include "host/zip/extract_archive.h"

#include <windows.h>

#include <zlib.h>

#include "host/zip/entry_attributes.h"
#include "host/zip/entry_path.h"
#include "host/zip/entry_times.h"
#include "host/zip/folder_levels.h"
#include "host/zip/gbk_path.h"
#include "host/zip/pending_file.h"
#include "host/zip/zip_reader.h"

namespace {

using namespace zip;

// Data moves in pieces of this size, so no entry is ever held whole in memory.
constexpr unsigned PieceSize = 16384;

// A ZIP archive begins with a local file header; anything shorter than 32
// bytes cannot hold one.
bool beginsLikeZip(const Text& archive)
{
    FileHandle file(CreateFileA(archive.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
    std::uint8_t head[32];
    DWORD read = 0;
    return file && ReadFile(file.get(), head, sizeof head, &read, nullptr) && read == sizeof head &&
           head[0] == 0x50 && head[1] == 0x4B && head[2] == 0x03 && head[3] == 0x04;
}

// The folder part of `path`, up to and including its last backslash.
Text folderOf(const Text& path)
{
    const auto separators = characterOffsets(path, '\\');
    return separators.empty() ? Text() : path.substr(0, separators.back() + 1);
}

bool writeFileEntry(ZipReader& reader, const Entry& entry, const Text& path)
{
    if (entry.encrypted || !reader.openData())
        return false;
    const ByteSet localExtra = reader.localExtraField();
    PendingFile file(path, creationAttributes(entry));
    if (!file)
        return false;
    std::uint8_t piece[PieceSize];
    uLong crc = crc32(0, nullptr, 0);
    std::uint64_t size = 0;
    for (;;) {
        const int got = reader.readData(piece, sizeof piece);
        if (got < 0)
            return false;
        if (got == 0)
            break;
        crc = crc32(crc, piece, static_cast<uInt>(got));
        size += static_cast<unsigned>(got);
        if (!file.write(piece, static_cast<DWORD>(got)))
            return false;
    }
    // Data whose CRC-32 or length differs from the entry's is damaged and
    // never replaces a file.
    if (!reader.closeData() || crc != entry.crc || size != entry.size)
        return false;
    return file.commit(entryTimes(entry.dosDateTime, localExtra));
}

bool extractEntry(ZipReader& reader, const Entry& entry, const Text& destination)
{
    const auto relative = relativeEntryPath(entry.name);
    if (!relative)
        return false;
    const Text path = destination + *relative;
    if (!liesBelow(path, destination))
        return false;
    if (isFolderEntry(entry))
        return pathExists(path) || createFolderLevels(path);
    // The archive need not hold an entry for every folder of its files.
    return createFolderLevels(folderOf(path)) && writeFileEntry(reader, entry, path);
}

} // namespace

int extractArchive(const std::optional<Text>& archive, const std::optional<Text>& destination)
{
    if (!archive || !destination || !pathExists(*archive))
        return -1;
    if (!pathExists(*destination) && !createFolderLevels(*destination))
        return 0;
    if (!beginsLikeZip(*archive))
        return 0;
    ZipReader reader(*archive);
    if (!reader)
        return 0;
    const Text folder = withBackslash(*destination);
    for (bool more = reader.first(); more; more = reader.next()) {
        const auto entry = reader.entry();
        if (!entry)
            break;
        if (!extractEntry(reader, *entry, folder))
            return 0;
    }
    return 1;
}
