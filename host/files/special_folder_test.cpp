#include "host/files/special_folder.h"

#include <windows.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include "host/files/scratch_folder.h"

namespace {

TEST(GetSpecialFolder, KindsOutsideOneToElevenGiveNothing)
{
    for (int kind : {0, 12, -1, 0x10})
        EXPECT_EQ(getSpecialFolder(kind), "") << kind;
}

TEST(GetSpecialFolder, EveryKindEndsInExactlyOneBackslash)
{
    for (int kind = 1; kind <= 11; ++kind) {
        const Text folder = getSpecialFolder(kind);
        ASSERT_GE(folder.size(), 4u) << kind;
        EXPECT_EQ(folder.back(), '\\') << kind;
        EXPECT_NE(folder[folder.size() - 2], '\\') << kind << ": " << folder;
        EXPECT_EQ(GetFileAttributesA(folder.c_str()) & FILE_ATTRIBUTE_DIRECTORY, FILE_ATTRIBUTE_DIRECTORY) << folder;
    }
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    EXPECT_EQ(getSpecialFolder(11), temp) << "the temporary folder comes with its backslash already";
    char windows[MAX_PATH];
    GetWindowsDirectoryA(windows, MAX_PATH);
    EXPECT_EQ(getSpecialFolder(9), Text(windows) + "\\");
}

TEST(GetSpecialFolder, DesktopIsTheUsersDesktopFolder)
{
    char desktop[MAX_PATH];
    ASSERT_TRUE(SHGetSpecialFolderPathA(nullptr, desktop, CSIDL_DESKTOPDIRECTORY, FALSE));
    EXPECT_EQ(getSpecialFolder(3), Text(desktop) + "\\");
    EXPECT_NE(getSpecialFolder(3), getSpecialFolder(8));
}

// Points the user's favourites folder (kind 2) somewhere else for one test.
class MovedFavourites : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\User Shell Folders",
                                0, KEY_QUERY_VALUE | KEY_SET_VALUE, &key_),
                  ERROR_SUCCESS);
        DWORD size = sizeof saved_;
        hadValue_ = RegQueryValueExA(key_, "Favorites", nullptr, &savedType_, saved_, &size) == ERROR_SUCCESS;
        savedSize_ = size;
    }
    void TearDown() override
    {
        if (hadValue_)
            RegSetValueExA(key_, "Favorites", 0, savedType_, saved_, savedSize_);
        else
            RegDeleteValueA(key_, "Favorites");
        RegCloseKey(key_);
    }
    void pointAt(const Text& folder)
    {
        ASSERT_EQ(RegSetValueExA(key_, "Favorites", 0, REG_EXPAND_SZ, reinterpret_cast<const BYTE*>(folder.c_str()),
                                 static_cast<DWORD>(folder.size() + 1)),
                  ERROR_SUCCESS);
    }

    const ScratchFolder scratch_;

private:
    HKEY key_ = nullptr;
    BYTE saved_[2 * MAX_PATH];
    DWORD savedType_ = REG_EXPAND_SZ, savedSize_ = 0;
    bool hadValue_ = false;
};

TEST_F(MovedFavourites, AMissingFolderIsNotCreated)
{
    pointAt(scratch_ / "收藏夹");
    EXPECT_EQ(getSpecialFolder(2), "");
    EXPECT_EQ(GetFileAttributesA((scratch_ / "收藏夹").c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST_F(MovedFavourites, ABackslashIsAddedAfterACharacterWhoseSecondByteLooksLikeOne)
{
    const Text folder = scratch_ / "乗";  // GBK 0x81 0x5C
    ASSERT_EQ(folder.back(), '\\');
    ASSERT_TRUE(CreateDirectoryA(folder.c_str(), nullptr));
    pointAt(folder);
    EXPECT_EQ(getSpecialFolder(2), folder + "\\");
}

} // namespace
