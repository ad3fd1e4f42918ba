#include "payload/payload.h"

#include <gtest/gtest.h>

#include <windows.h>

#include "host/zip/extract_archive.h"
#include "host/zip/testing/files.h"

namespace {

using namespace zip_testing;

struct PayloadCase {
    const char* label;
    const ByteView* archive;
    const char* packed; // the archive file the build packed (Linux path)
    const char* input;  // the file packed into it (Linux path)
    Text entry;
};

void PrintTo(const PayloadCase& c, std::ostream* os) { *os << c.label; }

std::uint32_t littleEndian(const std::uint8_t* bytes, int width)
{
    std::uint32_t value = 0;
    for (int i = width - 1; i >= 0; --i)
        value = value << 8 | bytes[i];
    return value;
}

ByteSet bytesOf(ByteView view) { return ByteSet(view.begin(), view.end()); }

class Payload : public testing::TestWithParam<PayloadCase> {
protected:
    void SetUp() override
    {
        char temp[MAX_PATH];
        GetTempPathA(MAX_PATH, temp);
        folder_ = Text(temp) + "payload_test_" + GetParam().label;
        removeTree(folder_);
        ASSERT_TRUE(CreateDirectoryA(folder_.c_str(), nullptr));
    }

    void TearDown() override { removeTree(folder_); }

    Text folder_;
};

TEST_P(Payload, HoldsTheArchiveTheBuildPackedInItsStoredForm)
{
    const ByteView archive = *GetParam().archive;
    const std::uint8_t* stored = archive.data() - 8;
    EXPECT_EQ(littleEndian(stored, 4), 1u); // dimension count
    EXPECT_EQ(littleEndian(stored + 4, 4), archive.size());
    EXPECT_EQ(std::optional<ByteSet>(bytesOf(archive)), readBytes(hostPath(GetParam().packed)));
}

// One entry, deflated, GBK name without the UTF-8 flag, no extra field in the
// local header, the NTFS times field in the central record, made by version 63
// on MS-DOS, external attributes 0x20, no comment.
TEST_P(Payload, WrittenToAFileIsAZipArchiveOfTheWizardsLayout)
{
    const ByteView archive = *GetParam().archive;
    const Text staged = folder_ + "\\staged.zip";
    ASSERT_TRUE(writeBytes(staged, archive));
    const auto written = readBytes(staged);
    ASSERT_TRUE(written);
    EXPECT_EQ(*written, bytesOf(archive));

    const ByteSet& zip = *written;
    const Text& entry = GetParam().entry;
    ASSERT_GT(zip.size(), 30 + entry.size() + 46 + entry.size() + 36 + 22);
    const std::uint8_t* local = zip.data();
    EXPECT_EQ(littleEndian(local, 4), 0x04034B50u);
    EXPECT_EQ(littleEndian(local + 4, 2), 20u);  // version needed
    EXPECT_EQ(littleEndian(local + 6, 2), 0u);   // flags
    EXPECT_EQ(littleEndian(local + 8, 2), 8u);   // deflate
    EXPECT_EQ(littleEndian(local + 26, 2), entry.size());
    EXPECT_EQ(littleEndian(local + 28, 2), 0u);  // no extra field
    EXPECT_EQ(Text(local + 30, local + 30 + entry.size()), entry);

    const std::size_t compressed = littleEndian(local + 18, 4);
    const std::uint8_t* central = local + 30 + entry.size() + compressed;
    const std::size_t centralSize = 46 + entry.size() + 36;
    ASSERT_EQ(zip.size(), 30 + entry.size() + compressed + centralSize + 22);
    EXPECT_EQ(littleEndian(central, 4), 0x02014B50u);
    EXPECT_EQ(littleEndian(central + 4, 2), 63u); // made by version 63, host 0
    EXPECT_EQ(littleEndian(central + 6, 2), 20u);
    EXPECT_EQ(littleEndian(central + 8, 2), 0u);
    EXPECT_EQ(littleEndian(central + 10, 2), 8u);
    EXPECT_EQ(littleEndian(central + 12, 4), littleEndian(local + 10, 4)); // DOS date and time
    EXPECT_EQ(littleEndian(central + 16, 4), littleEndian(local + 14, 4)); // CRC-32
    EXPECT_EQ(littleEndian(central + 20, 4), compressed);
    EXPECT_EQ(littleEndian(central + 24, 4), littleEndian(local + 22, 4)); // uncompressed size
    EXPECT_EQ(littleEndian(central + 30, 2), 36u);
    EXPECT_EQ(littleEndian(central + 32, 2), 0u); // no comment
    EXPECT_EQ(littleEndian(central + 36, 2), 0u); // internal attributes
    EXPECT_EQ(littleEndian(central + 38, 4), 0x20u);
    EXPECT_EQ(littleEndian(central + 42, 4), 0u); // the local header's offset
    EXPECT_EQ(Text(central + 46, central + 46 + entry.size()), entry);
    const std::uint8_t* ntfs = central + 46 + entry.size();
    EXPECT_EQ(littleEndian(ntfs, 2), 0x000Au);
    EXPECT_EQ(littleEndian(ntfs + 2, 2), 32u);

    const std::uint8_t* end = central + centralSize;
    EXPECT_EQ(littleEndian(end, 4), 0x06054B50u);
    EXPECT_EQ(littleEndian(end + 8, 2), 1u);  // entries on this disk
    EXPECT_EQ(littleEndian(end + 10, 2), 1u); // entries
    EXPECT_EQ(littleEndian(end + 12, 4), centralSize);
    EXPECT_EQ(littleEndian(end + 16, 4), static_cast<std::uint32_t>(central - local));
    EXPECT_EQ(littleEndian(end + 20, 2), 0u); // no archive comment
}

TEST_P(Payload, ExtractsToExactlyTheFileItWasMadeFrom)
{
    const ByteView archive = *GetParam().archive;
    const Text staged = folder_ + "\\staged.zip";
    const Text installed = folder_ + "\\install";
    ASSERT_TRUE(writeBytes(staged, archive));

    EXPECT_EQ(extractArchive(staged, installed), 1);

    const auto files = listTree(installed);
    ASSERT_EQ(files.size(), 1u);
    EXPECT_EQ(files[0].path, GetParam().entry);
    EXPECT_FALSE(files[0].folder);
    FILETIME dos{};
    const std::uint32_t dosDateTime = littleEndian(archive.data() + 10, 4);
    ASSERT_TRUE(DosDateTimeToFileTime(static_cast<WORD>(dosDateTime >> 16), static_cast<WORD>(dosDateTime), &dos));
    EXPECT_EQ(files[0].written.dwLowDateTime, dos.dwLowDateTime);
    EXPECT_EQ(files[0].written.dwHighDateTime, dos.dwHighDateTime);
    const auto product = readBytes(hostPath(GetParam().input));
    ASSERT_TRUE(product);
    EXPECT_EQ(readBytes(installed + "\\" + files[0].path), product);
}

INSTANTIATE_TEST_SUITE_P(Archives, Payload, testing::Values(
    PayloadCase{"server", &ServerArchive, TAVRIMO_SERVER_ARCHIVE, TAVRIMO_SERVER_INPUT, "聊天室服务器.exe"},
    PayloadCase{"client", &ClientArchive, TAVRIMO_CLIENT_ARCHIVE, TAVRIMO_CLIENT_INPUT, "聊天室客户端.exe"},
    PayloadCase{"lexicon", &LexiconArchive, TAVRIMO_LEXICON_ARCHIVE, TAVRIMO_LEXICON_INPUT, "reply.ini"}),
    [](const testing::TestParamInfo<PayloadCase>& info) { return std::string(info.param.label); });

} // namespace
