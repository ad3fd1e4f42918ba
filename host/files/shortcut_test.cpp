#include "host/files/shortcut.h"

#include <windows.h>
#include <ole2.h>

#include <gtest/gtest.h>

#include <thread>

#include "host/files/scratch_folder.h"

namespace {

// Start-up initialises OLE on the user-interface thread; so do these tests.
class CreateShortcut : public testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(SUCCEEDED(OleInitialize(nullptr))); }
    void TearDown() override { OleUninitialize(); }

    const ScratchFolder scratch_;
};

TEST_F(CreateShortcut, SavesUnderTheNameItReports)
{
    EXPECT_TRUE(createShortcut(scratch_ / "服务器", scratch_ / "服务器.exe"));
    EXPECT_NE(GetFileAttributesA((scratch_ / "服务器.lnk").c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST_F(CreateShortcut, AMissingFolderGivesFalseAndNoFile)
{
    EXPECT_FALSE(createShortcut(scratch_ / "missing\\link", scratch_ / "target.exe"));
    EXPECT_EQ(GetFileAttributesA((scratch_ / "missing").c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST_F(CreateShortcut, AThreadWithoutComGetsFalseAndNoFile)
{
    bool saved = true;
    std::thread([&] { saved = createShortcut(scratch_ / "link", scratch_ / "target.exe"); }).join();
    EXPECT_FALSE(saved);
    EXPECT_EQ(GetFileAttributesA((scratch_ / "link.lnk").c_str()), INVALID_FILE_ATTRIBUTES);
}

} // namespace
