#include "host/files/run_program.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <vector>

#include "host/files/kernel_handle.h"
#include "host/files/scratch_folder.h"

namespace {

const char* const verbNames[] = {"edit", "explore", "find", "open", "print"};

Text folderOfThisProgram()
{
    char path[MAX_PATH];
    const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
    return Text(path, length).substr(0, Text(path, length).rfind('\\'));
}

std::vector<Text> linesOf(const Text& text)
{
    std::vector<Text> lines;
    for (std::size_t start = 0, end; (end = text.find('\n', start)) != Text::npos; start = end + 1)
        lines.push_back(text.substr(start, end - start));
    return lines;
}

BOOL CALLBACK noteVisibleWindow(HWND window, LPARAM found)
{
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    if (process == GetCurrentProcessId() && IsWindowVisible(window))
        *reinterpret_cast<bool*>(found) = true;
    return TRUE;
}

// The tests start the probe program beside this one, in a scratch folder that
// stands for the program's own folder as current directory.
class RunProgram : public testing::Test {
protected:
    void SetUp() override
    {
        GetCurrentDirectoryA(MAX_PATH, savedDirectory_);
        ASSERT_TRUE(SetCurrentDirectoryA(scratch_.path().c_str()));
    }
    void TearDown() override { SetCurrentDirectoryA(savedDirectory_); }

    // The record the probe leaves in `folder`: its directory, show command and
    // arguments, one a line; empty when none came. The record is taken away.
    static std::vector<Text> awaitRecord(const Text& folder)
    {
        const Text record = folder + "\\run_program_probe.txt";
        for (int waited = 0; waited < 600 && GetFileAttributesA(record.c_str()) == INVALID_FILE_ATTRIBUTES; ++waited)
            Sleep(100);
        std::vector<Text> lines = linesOf(fileContent(record));
        DeleteFileA(record.c_str());
        return lines;
    }

    const ScratchFolder scratch_;
    const Text probe_ = folderOfThisProgram() + "\\run_program_probe.exe";

private:
    char savedDirectory_[MAX_PATH] = "";
};

TEST_F(RunProgram, DefaultsStartTheProgramNormallyInTheCurrentDirectory)
{
    runProgram(probe_);
    EXPECT_EQ(awaitRecord(scratch_.path()), (std::vector<Text>{scratch_.path(), std::to_string(SW_SHOWNORMAL)}));
}

TEST_F(RunProgram, PassesParametersAndDirectory)
{
    const Text work = scratch_ / "工作";
    ASSERT_TRUE(CreateDirectoryA(work.c_str(), nullptr));
    runProgram(probe_, {std::nullopt, Text("one \"two three\" 聊天"), work, std::nullopt});
    EXPECT_EQ(awaitRecord(work), (std::vector<Text>{work, std::to_string(SW_SHOWNORMAL), "one", "two three", "聊天"}));
}

TEST_F(RunProgram, AnEmptyDirectoryKeepsTheCurrentOne)
{
    runProgram(probe_, {std::nullopt, Text(""), Text(""), std::nullopt});
    EXPECT_EQ(awaitRecord(scratch_.path()), (std::vector<Text>{scratch_.path(), std::to_string(SW_SHOWNORMAL)}));
}

TEST_F(RunProgram, ShowModesMapToTheWindowsShowCommands)
{
    const struct {
        std::optional<int> mode;
        int expected;
    } cases[] = {{1, SW_HIDE},     {2, SW_SHOWNORMAL}, {3, SW_SHOWMINIMIZED}, {4, SW_SHOWMAXIMIZED}, {5, SW_SHOWNA},
                 {6, SW_MINIMIZE}, {0, SW_SHOWNORMAL}, {7, SW_SHOWNORMAL},    {-1, SW_SHOWNORMAL}};
    for (const auto& c : cases) {
        runProgram(probe_, {std::nullopt, std::nullopt, std::nullopt, c.mode});
        const std::vector<Text> record = awaitRecord(scratch_.path());
        ASSERT_EQ(record.size(), 2u) << *c.mode;
        EXPECT_EQ(record[1], std::to_string(c.expected)) << *c.mode;
    }
}

// A file type of its own whose every verb starts the probe with the verb's name.
class RunProgramVerbs : public RunProgram {
protected:
    void SetUp() override
    {
        RunProgram::SetUp();
        ASSERT_TRUE(setDefault(".tavrimoprobe", "Tavrimo.ProbeFile"));
        for (const char* verb : verbNames)
            ASSERT_TRUE(setDefault(Text("Tavrimo.ProbeFile\\shell\\") + verb + "\\command",
                                   "\"" + probe_ + "\" " + verb + " \"%1\""));
        ASSERT_TRUE(putFile(document_, "probe"));
    }
    void TearDown() override
    {
        RegDeleteTreeA(HKEY_CLASSES_ROOT, ".tavrimoprobe");
        RegDeleteTreeA(HKEY_CLASSES_ROOT, "Tavrimo.ProbeFile");
        RunProgram::TearDown();
    }

    const Text document_ = scratch_ / "document.tavrimoprobe";

private:
    static bool setDefault(const Text& keyName, const Text& value)
    {
        HKEY key;
        if (RegCreateKeyExA(HKEY_CLASSES_ROOT, keyName.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr))
            return false;
        const LONG set = RegSetValueExA(key, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                                        static_cast<DWORD>(value.size() + 1));
        RegCloseKey(key);
        return set == ERROR_SUCCESS;
    }
};

TEST_F(RunProgramVerbs, NumbersOneToFiveNameTheVerbsAndOthersTheDefaultAction)
{
    const struct {
        std::optional<int> verb;
        const char* expected;
    } cases[] = {{1, "edit"}, {2, "explore"}, {3, "find"}, {4, "open"},        {5, "print"},
                 {0, "open"}, {6, "open"},    {-4, "open"}, {std::nullopt, "open"}};
    for (const auto& c : cases) {
        runProgram(document_, {c.verb, std::nullopt, std::nullopt, std::nullopt});
        const std::vector<Text> record = awaitRecord(scratch_.path());
        ASSERT_EQ(record.size(), 4u) << c.verb.value_or(99);
        EXPECT_EQ(record[2], c.expected) << c.verb.value_or(99);
        EXPECT_EQ(record[3], document_);
    }
}

TEST_F(RunProgram, AMissingFileReturnsQuietly)
{
    runProgram(scratch_ / "missing.exe");
    runProgram(scratch_ / "missing.exe", {4, Text("x"), scratch_ / "nowhere", 1});
    bool windowShown = false;
    EnumWindows(noteVisibleWindow, reinterpret_cast<LPARAM>(&windowShown));
    EXPECT_FALSE(windowShown);
    WIN32_FIND_DATAA found;
    const FindHandle search(FindFirstFileA((scratch_ / "*").c_str(), &found));
    int entries = 0;
    for (BOOL more = search.valid(); more; more = FindNextFileA(search.get(), &found))
        ++entries;
    EXPECT_EQ(entries, 2) << "nothing beside . and ..";
}

} // namespace
