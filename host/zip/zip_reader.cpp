#include "host/zip/zip_reader.h"

#include <iowin32.h>

#include <cstring>

namespace zip {

namespace {

// The Win32 file functions of the unzip layer open for reading with read sharing.
unzFile openWithReadSharing(const Text& path)
{
    zlib_filefunc64_def functions;
    fill_win32_filefunc64A(&functions);
    return unzOpen2_64(path.c_str(), &functions);
}

} // namespace

ZipReader::ZipReader(const Text& path) : file_(openWithReadSharing(path)) {}

ZipReader::~ZipReader()
{
    if (file_)
        unzClose(file_); // also closes the current entry's data
}

bool ZipReader::first()
{
    return unzGoToFirstFile(file_) == UNZ_OK;
}

bool ZipReader::next()
{
    return unzGoToNextFile(file_) == UNZ_OK;
}

std::optional<Entry> ZipReader::entry()
{
    unz_file_info64 info;
    if (unzGetCurrentFileInfo64(file_, &info, nullptr, 0, nullptr, 0, nullptr, 0) != UNZ_OK)
        return std::nullopt;
    Text name(info.size_filename + 1, '\0');
    if (unzGetCurrentFileInfo64(file_, &info, name.data(), static_cast<uLong>(name.size()), nullptr, 0, nullptr, 0) !=
        UNZ_OK)
        return std::nullopt;
    name.resize(std::strlen(name.c_str()));
    return Entry{name,
                 static_cast<std::uint32_t>(info.external_fa),
                 static_cast<std::uint32_t>(info.dosDate),
                 static_cast<std::uint32_t>(info.crc),
                 info.uncompressed_size,
                 (info.flag & 1) != 0};
}

bool ZipReader::openData()
{
    return unzOpenCurrentFile(file_) == UNZ_OK;
}

ByteSet ZipReader::localExtraField()
{
    const int size = unzGetLocalExtrafield(file_, nullptr, 0);
    ByteSet extra(size > 0 ? size : 0);
    if (extra.empty() || unzGetLocalExtrafield(file_, extra.data(), static_cast<unsigned>(extra.size())) != size)
        return {};
    return extra;
}

int ZipReader::readData(std::uint8_t* buffer, unsigned size)
{
    return unzReadCurrentFile(file_, buffer, size);
}

bool ZipReader::closeData()
{
    return unzCloseCurrentFile(file_) == UNZ_OK;
}

} // namespace zip
