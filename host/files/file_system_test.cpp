#include "host/files/file_system.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <set>
#include <vector>

#include "host/files/kernel_handle.h"
#include "host/files/scratch_folder.h"

namespace {

// Every entry below `folder`, as paths relative to it; directories end in a backslash.
std::set<Text> treeOf(const Text& folder, const Text& prefix = "")
{
    std::set<Text> tree;
    WIN32_FIND_DATAA found;
    const FindHandle search(FindFirstFileA((folder + "\\*").c_str(), &found));
    if (!search.valid())
        return tree;
    do {
        const Text name = found.cFileName;
        if (name == "." || name == "..")
            continue;
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            tree.insert(prefix + name + "\\");
            tree.merge(treeOf(folder + "\\" + name, prefix + name + "\\"));
        } else {
            tree.insert(prefix + name);
        }
    } while (FindNextFileA(search.get(), &found));
    return tree;
}

bool isReadOnly(const Text& path)
{
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY);
}

// Builds entries below `folder`: a name ending in a backslash is a directory,
// one starting with '!' a read-only file (the '!' dropped), any other a file.
void build(const Text& folder, const std::vector<Text>& entries)
{
    for (const Text& entry : entries) {
        if (entry.back() == '\\') {
            ASSERT_TRUE(CreateDirectoryA((folder + "\\" + entry).c_str(), nullptr)) << entry;
        } else if (entry[0] == '!') {
            ASSERT_TRUE(putFile(folder + "\\" + entry.substr(1), "kept"));
            ASSERT_TRUE(SetFileAttributesA((folder + "\\" + entry.substr(1)).c_str(), FILE_ATTRIBUTE_READONLY));
        } else {
            ASSERT_TRUE(putFile(folder + "\\" + entry, "x")) << entry;
        }
    }
}

TEST(FileExists, MatchesFilesDirectoriesAndWildcardsButNoTrailingBackslash)
{
    const ScratchFolder scratch;
    build(scratch.path(), {"dir\\", "file.txt", "数据.zip"});
    const struct {
        const char* suffix;
        bool expected;
    } cases[] = {
        {"\\file.txt", true}, {"\\dir", true},     {"\\数据.zip", true}, {"\\\\file.txt", true}, {"\\*.txt", true},
        {"\\d?r", true},      {"\\dir\\", false},  {"\\*.none", false}, {"\\missing", false},    {"\\dir\\*", true},
    };
    for (const auto& c : cases)
        EXPECT_EQ(fileExists(scratch.path() + c.suffix), c.expected) << c.suffix;
    EXPECT_FALSE(fileExists("C:\\")) << "a drive root ends in a backslash";
    EXPECT_FALSE(fileExists(""));
}

TEST(DirectoryCreation, MakesExactlyOneLevel)
{
    const ScratchFolder scratch;
    EXPECT_TRUE(createDirectory(scratch / "one"));
    EXPECT_FALSE(createDirectory(scratch / "one")) << "exists already";
    EXPECT_FALSE(createDirectory(scratch / "two\\levels"));
    EXPECT_EQ(treeOf(scratch.path()), std::set<Text>{"one\\"});
}

struct DeleteCase {
    const char* name;
    std::vector<Text> entries;            // below the scratch folder; "target" is deleted
    const char* path;                     // as handed over, "<>" stands for the scratch folder
    bool expected;
    std::set<Text> remaining;             // below the scratch folder
};

class DeleteDirectory : public testing::TestWithParam<DeleteCase> {};

TEST_P(DeleteDirectory, DeletesWhatItMayAndReportsTheDirectoryItself)
{
    const DeleteCase& c = GetParam();
    const ScratchFolder scratch;
    build(scratch.path(), c.entries);
    Text path = c.path;
    path.replace(path.find("<>"), 2, scratch.path());

    EXPECT_EQ(deleteDirectory(path), c.expected);
    EXPECT_EQ(treeOf(scratch.path()), c.remaining);
    for (const Text& entry : c.entries) {
        if (entry[0] == '!') {
            EXPECT_TRUE(isReadOnly(scratch / entry.substr(1))) << "attributes stay";
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, DeleteDirectory, testing::Values(
    DeleteCase{"FilesAndFilledFolders",
               {"target\\", "target\\a.txt", "target\\b", "target\\sub\\", "target\\sub\\c.txt", "target\\sub\\deep\\",
                "target\\sub\\deep\\d.txt", "target\\empty\\", "beside.txt"},
               "<>\\target", true, {"beside.txt"}},
    DeleteCase{"NameBeginningWithAFullStopStays",
               {"target\\", "target\\a.txt", ".kept", "target\\.kept", "target\\sub\\", "target\\sub\\b.txt"},
               "<>\\target", false, {".kept", "target\\", "target\\.kept"}},
    DeleteCase{"FolderBeginningWithAFullStopIsNotEntered",
               {"target\\", "target\\.git\\", "target\\.git\\config", "target\\a.txt"},
               "<>\\target", false, {"target\\", "target\\.git\\", "target\\.git\\config"}},
    DeleteCase{"ReadOnlyFileStaysWithItsFolders",
               {"target\\", "target\\a.txt", "target\\sub\\", "!target\\sub\\locked.txt", "target\\other\\",
                "target\\other\\b.txt"},
               "<>\\target", false, {"target\\", "target\\sub\\", "target\\sub\\locked.txt"}},
    DeleteCase{"LeadingSpacesSkipped", {"target\\", "target\\a.txt"}, "   <>\\target", true, {}},
    DeleteCase{"TrailingBackslash", {"target\\", "target\\a.txt"}, "<>\\target\\", true, {}},
    DeleteCase{"DoubledBackslash", {"target\\", "target\\sub\\", "target\\sub\\a.txt"}, "<>\\\\target", true, {}},
    DeleteCase{"MissingDirectory", {"other\\"}, "<>\\target", false, {"other\\"}},
    DeleteCase{"AFileIsNoDirectory", {"target"}, "<>\\target", false, {"target"}}),
    [](const testing::TestParamInfo<DeleteCase>& info) { return std::string(info.param.name); });

TEST(FileDeletion, DeletesOnlyAWritableFileNotInUse)
{
    const ScratchFolder scratch;
    build(scratch.path(), {"plain.txt", "!readonly.txt", "busy.txt", "dir\\"});
    const FileHandle busy(CreateFileA((scratch / "busy.txt").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
    ASSERT_TRUE(busy.valid());

    EXPECT_TRUE(deleteFile(scratch / "plain.txt"));
    EXPECT_FALSE(deleteFile(scratch / "plain.txt")) << "missing";
    EXPECT_FALSE(deleteFile(scratch / "readonly.txt"));
    EXPECT_FALSE(deleteFile(scratch / "busy.txt"));
    EXPECT_FALSE(deleteFile(scratch / "dir"));
    EXPECT_EQ(treeOf(scratch.path()), (std::set<Text>{"readonly.txt", "busy.txt", "dir\\"}));
}

ByteSet bytes(std::string_view text) { return ByteSet(text.begin(), text.end()); }

TEST(WriteFile, ReplacesTheWholeFileWithTheSetsInOrder)
{
    const ScratchFolder scratch;
    const Text path = scratch / "聊天室服务器.zip";
    ASSERT_TRUE(putFile(path, "a much longer file that was here before"));
    EXPECT_TRUE(writeFile(path, {bytes("new")}));
    EXPECT_EQ(fileContent(path), "new");

    static constexpr std::uint8_t builtIn[] = {'P', 'K', 0, 3};
    EXPECT_TRUE(writeFile(path, {bytes("one,"), ByteSet{}, ByteView(builtIn, sizeof builtIn), bytes(",two")}));
    EXPECT_EQ(fileContent(path), Text("one,PK\0\3,two", 12));

    EXPECT_TRUE(writeFile(path, {ByteSet{}}));
    EXPECT_EQ(fileContent(path), "");
    EXPECT_TRUE(fileExists(path));
}

TEST(WriteFile, RefusesWithoutTouchingAnything)
{
    const ScratchFolder scratch;
    build(scratch.path(), {"busy.txt"});
    const FileHandle busy(CreateFileA((scratch / "busy.txt").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
    ASSERT_TRUE(busy.valid());

    EXPECT_FALSE(writeFile(scratch / "missing\\file.zip", {bytes("data")}));
    EXPECT_FALSE(writeFile(scratch / "busy.txt", {bytes("data")}));
    EXPECT_FALSE(writeFile("", {bytes("data")}));
    EXPECT_EQ(treeOf(scratch.path()), (std::set<Text>{"busy.txt"})) << "no folder or file made";
}

TEST(WriteFile, LeavesAReadOnlyFileAsItWas)
{
    const ScratchFolder scratch;
    build(scratch.path(), {"!readonly.txt"});
    const Text path = scratch / "readonly.txt";
    if (FileHandle(CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr)).valid())
        GTEST_SKIP() << "this user may write read-only files (Wine run by root)";
    EXPECT_FALSE(writeFile(path, {bytes("data")}));
    EXPECT_EQ(fileContent(path), "kept");
}

} // namespace
