// Extraction of a corpus of archives that a fixture wrote at test time with
// Info-ZIP zip, Python's zipfile and the payload packer (testing/make_corpus.py).
// Every extraction runs inside a sandbox drive whose root is a folder of the
// test's own, with the current directory on it, so that no entry name can
// reach anything outside the sandbox, even through a faulty extraction.

#include "host/zip/extract_archive.h"

#include <gtest/gtest.h>

#include <cctype>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include "host/files/kernel_handle.h"
#include "host/zip/gbk_path.h"
#include "host/zip/testing/files.h"

namespace {

using namespace zip_testing;

struct CorpusCase {
    std::string name;
    int result;
    bool writeTimes;    // compare last-write times with the expected files'
    bool accessTimes;   // compare last-access times too
    Text destination;   // below the case's own folder
};

void PrintTo(const CorpusCase& c, std::ostream* os) { *os << c.name; }

Text corpus(const Text& relative)
{
    return hostPathFromEnvironment("TAVRIMO_ZIP_CORPUS") + "\\" + relative;
}

// The drive whose root is the sandbox folder, e.g. "T:".
Text sandbox()
{
    const char* drive = std::getenv("TAVRIMO_ZIP_SANDBOX");
    return drive ? drive : "";
}

// Lines of cases.txt: name, result, times ("w", "wa" or "-"), destination;
// tab-separated, GBK.
std::vector<CorpusCase> loadCases()
{
    std::vector<CorpusCase> cases;
    std::ifstream file(corpus("cases.txt"));
    std::string name, result, times, destination;
    while (std::getline(file, name, '\t') && std::getline(file, result, '\t') && std::getline(file, times, '\t') &&
           std::getline(file, destination))
        cases.push_back(CorpusCase{name, std::stoi(result), times.find('w') != std::string::npos,
                                   times.find('a') != std::string::npos, destination});
    return cases;
}

bool sameTime(const FILETIME& a, const FILETIME& b)
{
    return a.dwLowDateTime == b.dwLowDateTime && a.dwHighDateTime == b.dwHighDateTime;
}

std::vector<Text> pathsOf(const std::vector<TreeItem>& items, const Text& prefix = "")
{
    std::vector<Text> paths;
    for (const TreeItem& item : items)
        paths.push_back(prefix + item.path);
    return paths;
}

// The folders from the case folder down to the destination.
std::vector<Text> folderChain(const Text& caseName, const Text& destination)
{
    const Text path = caseName + "\\" + destination;
    std::vector<Text> chain;
    for (std::size_t end : zip::characterOffsets(path, '\\'))
        chain.push_back(path.substr(0, end));
    chain.push_back(path);
    return chain;
}

// Every test starts and ends with an empty sandbox.
class Sandboxed : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_FALSE(sandbox().empty()) << "TAVRIMO_ZIP_SANDBOX is not set (run through ctest)";
        ASSERT_NE(GetFileAttributesA((sandbox() + "\\").c_str()), INVALID_FILE_ATTRIBUTES)
            << "no sandbox drive " << sandbox();
        emptyFolder(sandbox());
        GetCurrentDirectoryA(MAX_PATH, home_);
    }

    void TearDown() override
    {
        SetCurrentDirectoryA(home_);
        emptyFolder(sandbox());
    }

    // A folder of the sandbox, made current: a drive-relative or rooted name
    // then still lands inside the sandbox.
    Text enterFolder(const Text& name)
    {
        const Text folder = sandbox() + "\\" + name;
        CreateDirectoryA(folder.c_str(), nullptr);
        SetCurrentDirectoryA(folder.c_str());
        return folder;
    }

    int extract(const Text& archive, const Text& destination)
    {
        const int result = extractArchive(corpus("archives\\" + archive + ".zip"), destination);
        SetCurrentDirectoryA(home_);
        return result;
    }

private:
    char home_[MAX_PATH] = {};
};

class CorpusExtraction : public Sandboxed, public testing::WithParamInterface<CorpusCase> {};

TEST_P(CorpusExtraction, LeavesExactlyTheExpectedFiles)
{
    const CorpusCase& c = GetParam();
    const Text destination = enterFolder(c.name) + "\\" + c.destination;
    EXPECT_EQ(extract(c.name, destination), c.result);

    const Text expectedRoot = corpus("expected\\" + c.name);
    const bool destinationExpected = GetFileAttributesA(expectedRoot.c_str()) != INVALID_FILE_ATTRIBUTES;
    std::vector<Text> sandboxPaths = {c.name};
    if (destinationExpected)
        sandboxPaths = folderChain(c.name, c.destination);

    // Times and attributes are read before any content, which moves access
    // times; nothing else in this test reads the expected files.
    const auto expected = listTree(expectedRoot);
    const auto actual = listTree(destination);
    ASSERT_EQ(pathsOf(actual), pathsOf(expected));
    for (std::size_t i = 0; i < actual.size(); ++i) {
        const TreeItem& want = expected[i];
        const TreeItem& got = actual[i];
        SCOPED_TRACE(got.path);
        EXPECT_EQ(got.folder, want.folder);
        if (got.folder)
            continue;
        EXPECT_EQ(got.attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM), 0u);
        if (c.writeTimes) {
            EXPECT_TRUE(sameTime(got.written, want.written));
        }
        if (c.accessTimes) {
            EXPECT_TRUE(sameTime(got.accessed, want.accessed));
        }
        EXPECT_EQ(readBytes(destination + "\\" + got.path), readBytes(expectedRoot + "\\" + want.path));
    }

    // Nothing was written anywhere else in the sandbox.
    const auto inside = pathsOf(actual, sandboxPaths.back() + "\\");
    sandboxPaths.insert(sandboxPaths.end(), inside.begin(), inside.end());
    EXPECT_EQ(pathsOf(listTree(sandbox())), sandboxPaths);
}

TEST(Corpus, WasWrittenByTheFixture)
{
    EXPECT_FALSE(loadCases().empty()) << "no cases in " << corpus("cases.txt");
}

INSTANTIATE_TEST_SUITE_P(Corpus, CorpusExtraction, testing::ValuesIn(loadCases()),
                         [](const testing::TestParamInfo<CorpusCase>& info) {
                             std::string name = info.param.name;
                             for (char& ch : name)
                                 if (!std::isalnum(static_cast<unsigned char>(ch)))
                                     ch = '_';
                             return name;
                         });

// An old file in the destination, read-only and hidden.
Text placeOldFile(const Text& folder, const Text& name)
{
    const Text path = folder + "\\" + name;
    const std::string old = "old content";
    EXPECT_TRUE(writeBytes(path, ByteView(reinterpret_cast<const std::uint8_t*>(old.data()), old.size())));
    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN);
    return path;
}

using Extraction = Sandboxed;

TEST_F(Extraction, ReplacesTheFilesOfItsEntriesAndLeavesOthersAlone)
{
    const Text fresh = enterFolder("fresh");
    EXPECT_EQ(extract("two-files", fresh), 1);
    const Text destination = enterFolder("dest");
    const Text replaced = placeOldFile(destination, "first.txt");
    const Text other = placeOldFile(destination, "other.txt");
    const auto otherBefore = readBytes(other);

    EXPECT_EQ(extract("two-files", destination), 1);

    EXPECT_EQ(pathsOf(listTree(destination)), (std::vector<Text>{"first.txt", "other.txt", "second.txt"}));
    EXPECT_EQ(readBytes(replaced), readBytes(fresh + "\\first.txt"));
    EXPECT_EQ(GetFileAttributesA(replaced.c_str()) & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN), 0u);
    EXPECT_EQ(readBytes(other), otherBefore);
    EXPECT_NE(GetFileAttributesA(other.c_str()) & FILE_ATTRIBUTE_READONLY, 0u);
}

struct FailingEntry {
    const char* archive;
    const char* entry; // the first entry; a file of this name is in the destination
    bool locked;       // held open without sharing during the extraction
};

void PrintTo(const FailingEntry& c, std::ostream* os) { *os << c.archive << (c.locked ? " (locked)" : ""); }

class FailedEntry : public Sandboxed, public testing::WithParamInterface<FailingEntry> {};

TEST_P(FailedEntry, LeavesTheOldFileAsItWas)
{
    const FailingEntry& c = GetParam();
    const Text destination = enterFolder("dest");
    const Text old = placeOldFile(destination, c.entry);
    const auto before = readBytes(old);
    const DWORD attributesBefore = GetFileAttributesA(old.c_str());

    FileHandle lock;
    if (c.locked)
        lock = FileHandle(CreateFileA(old.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
    ASSERT_EQ(static_cast<bool>(lock), c.locked);
    EXPECT_EQ(extract(c.archive, destination), 0);
    lock.close();

    // No later entry, and no temporary file, is left beside it.
    EXPECT_EQ(pathsOf(listTree(destination)), std::vector<Text>{c.entry});
    EXPECT_EQ(readBytes(old), before);
    EXPECT_EQ(GetFileAttributesA(old.c_str()), attributesBefore);
}

INSTANTIATE_TEST_SUITE_P(Entries, FailedEntry,
                         testing::Values(FailingEntry{"two-files", "first.txt", true},
                                         FailingEntry{"crc-mismatch", "data.txt", false},
                                         FailingEntry{"corrupt-deflate", "data.txt", false}));

TEST(ExtractArchive, MissingArgumentsCreateNothing)
{
    const Text destination = corpus("never-created");
    EXPECT_EQ(extractArchive(std::nullopt, destination), -1);
    EXPECT_EQ(extractArchive(corpus("archives\\two-files.zip"), std::nullopt), -1);
    EXPECT_EQ(extractArchive(Text(), destination), -1);
    EXPECT_EQ(GetFileAttributesA(destination.c_str()), INVALID_FILE_ATTRIBUTES);
}

} // namespace
