// Packs one file into a ZIP archive of one entry, in the layout every payload
// archive of the wizard has: a deflated entry with a GBK name and no UTF-8
// flag, the file's DOS date and time, no extra field in the local header, the
// NTFS times field in the central record, made by version 63 on MS-DOS,
// external attributes 0x20 (archive) and no comment. Writes the archive and,
// when asked, its stored form for the program's sources.
//
// Usage: tavrimo-packer INPUT ENTRY-NAME OUTPUT.zip [OUTPUT.inc]
//        (ENTRY-NAME in UTF-8; stored in GBK)

#include <sys/stat.h>

#include <cstdio>
#include <memory>
#include <string>

#include <zlib.h>

#include "entry_times.h"
#include "gbk_name.h"
#include "raw_deflate.h"
#include "stored_form.h"
#include "zip_output.h"

namespace {

constexpr uLong MadeBy = 63;            // version 6.3, host system 0 (MS-DOS)
constexpr uLong ArchiveAttribute = 0x20;

bool fail(const char* what, const std::string& subject)
{
    std::fprintf(stderr, "tavrimo-packer: %s: %s\n", what, subject.c_str());
    return false;
}

bool pack(const std::string& inputPath, const std::string& entryName, const std::string& outputPath)
{
    struct stat status{};
    if (stat(inputPath.c_str(), &status) != 0 || !S_ISREG(status.st_mode))
        return fail("no such file", inputPath);
    if (status.st_size >= 0xFFFFFFFF)
        return fail("too large for a ZIP entry without ZIP64", inputPath);
    std::unique_ptr<std::FILE, decltype(&std::fclose)> input(std::fopen(inputPath.c_str(), "rb"), &std::fclose);
    if (!input)
        return fail("cannot open", inputPath);
    ZipOutput zip(outputPath);
    if (!zip)
        return fail("cannot create", outputPath);

    const EntryTimes times = entryTimes(status.st_mtim);
    zip_fileinfo info{};
    info.tmz_date = times.dosTime;
    info.external_fa = ArchiveAttribute;
    // Raw mode: the packer deflates by itself, because minizip would mark text
    // content in the internal attributes, which stay 0 here.
    if (zipOpenNewFileInZip4_64(zip.get(), entryName.c_str(), &info, nullptr, 0, times.ntfsField.data(),
                                static_cast<uInt>(times.ntfsField.size()), nullptr, Z_DEFLATED,
                                Z_DEFAULT_COMPRESSION, 1, -MAX_WBITS, 8, Z_DEFAULT_STRATEGY, nullptr, 0, MadeBy,
                                0, 0) != ZIP_OK)
        return fail("cannot add the entry to", outputPath);
    const auto deflated = deflateFile(input.get(), [&](const unsigned char* data, std::size_t size) {
        return zipWriteInFileInZip(zip.get(), data, static_cast<unsigned>(size)) == ZIP_OK;
    });
    if (!deflated)
        return fail("cannot compress", inputPath);
    if (zipCloseFileInZipRaw(zip.get(), static_cast<uLong>(deflated->size), deflated->crc) != ZIP_OK || !zip.close())
        return fail("cannot finish", outputPath);
    return true;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 4 && argc != 5) {
        std::fprintf(stderr, "usage: tavrimo-packer INPUT ENTRY-NAME OUTPUT.zip [OUTPUT.inc]\n");
        return 2;
    }
    const auto entryName = utf8ToGbk(argv[2]);
    if (!entryName) {
        fail("entry name has no GBK form", argv[2]);
        return 1;
    }
    if (!pack(argv[1], *entryName, argv[3])) {
        std::remove(argv[3]);
        return 1;
    }
    if (argc == 5 && !writeStoredForm(argv[3], argv[4])) {
        fail("cannot write the stored form", argv[4]);
        std::remove(argv[4]);
        return 1;
    }
    return 0;
}
