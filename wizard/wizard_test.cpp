// The wizard's window and the rules of its options page, on the real window
// with real clicks.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "host/files/special_folder.h"
#include "host/ui/loaded_window.h"
#include "host/ui/testing/input.h"
#include "host/ui/toolkit.h"
#include "wizard/controls.h"
#include "wizard/window_definition.h"

namespace {

long long read(ControlNumber control, int property) { return readProperty(WizardWindow, control, property).number(); }
Text path() { return readProperty(WizardWindow, InstallPathBox, Property::Content).text(); }
HWND handleOf(ControlNumber control) { return loadedWindow(WizardWindow)->find(control)->handle; }

class Wizard : public testing::Test {
protected:
    static void SetUpTestSuite() { defineWindows({&wizardWindowDefinition()}); }

    void SetUp() override
    {
        input::moveTo(POINT{0, 0});
        loadWindow(WizardWindow);
        input::pump(150);
    }

    void TearDown() override
    {
        destroyWindow(WizardWindow, WindowItself, true);
        input::pump(50);
    }

    static void click(ControlNumber control)
    {
        RECT area;
        GetClientRect(handleOf(control), &area);
        input::click(input::onScreen(handleOf(control), area.right / 2, area.bottom / 2));
    }
};

struct InitialState {
    ControlNumber control;
    const char* name;
    int visible, disabled, checked; // -1: not a picture button
};

TEST_F(Wizard, StartsWithTheOptionsPageAndEveryControlInItsInitialState)
{
    const InitialState expected[] = {
        {OptionsPage, "OptionsPage", 1, 0, -1},       {ServerTile, "ServerTile", 1, 0, 0},
        {ClientTile, "ClientTile", 1, 0, 0},          {ShortcutOption, "ShortcutOption", 1, 1, 1},
        {LexiconOption, "LexiconOption", 1, 1, 1},    {InstallPathBox, "InstallPathBox", 1, 0, -1},
        {InstallButton, "InstallButton", 1, 0, 0},    {BrowseButton, "BrowseButton", 1, 0, 0},
        {PathLabel, "PathLabel", 1, 0, -1},           {PathGroup, "PathGroup", 1, 0, -1},
        {FinishPage, "FinishPage", 0, 0, -1},         {RunServerOption, "RunServerOption", 0, 1, 1},
        {RunClientOption, "RunClientOption", 0, 1, 1}, {FinishButton, "FinishButton", 0, 0, 0},
        {BannerPicture, "BannerPicture", 1, 0, -1},   {CloseButton, "CloseButton", 1, 0, 0},
        {MinimizeButton, "MinimizeButton", 1, 0, 0},  {ZipExtractor, "ZipExtractor", 0, 0, -1},
    };
    for (const auto& state : expected) {
        SCOPED_TRACE(state.name);
        EXPECT_EQ(read(state.control, Property::Visible), state.visible);
        EXPECT_EQ(read(state.control, Property::Disabled), state.disabled);
        if (state.checked >= 0) {
            EXPECT_EQ(read(state.control, Property::Checked), state.checked);
        }
    }
    // The finish page's own buttons have their flag on; their page hides them.
    EXPECT_NE(GetWindowLongA(handleOf(FinishButton), GWL_STYLE) & WS_VISIBLE, 0);
}

TEST_F(Wizard, ControlsSitWhereTheWindowPlacesThem)
{
    struct Placed {
        ControlNumber control;
        ControlNumber parent;
        RECT inWindow; // left, top, right, bottom in the window's client area
    } const expected[] = {
        {BannerPicture, WindowItself, {5, 5, 255, 90}},       {CloseButton, WindowItself, {428, 0, 480, 35}},
        {MinimizeButton, WindowItself, {386, 0, 428, 35}},    {OptionsPage, WindowItself, {5, 90, 475, 335}},
        {FinishPage, WindowItself, {5, 90, 475, 210}},        {ServerTile, OptionsPage, {25, 90, 225, 199}},
        {ClientTile, OptionsPage, {255, 90, 455, 199}},       {PathLabel, OptionsPage, {20, 200, 85, 225}},
        {PathGroup, OptionsPage, {15, 230, 465, 265}},        {InstallPathBox, PathGroup, {25, 240, 420, 260}},
        {BrowseButton, OptionsPage, {435, 242, 455, 258}},    {ShortcutOption, OptionsPage, {10, 290, 175, 315}},
        {LexiconOption, OptionsPage, {200, 290, 290, 315}},   {InstallButton, OptionsPage, {315, 275, 463, 328}},
        {RunServerOption, FinishPage, {35, 100, 215, 125}},   {RunClientOption, FinishPage, {265, 100, 445, 125}},
        {FinishButton, FinishPage, {165, 145, 313, 198}},
    };
    HWND window = loadedWindow(WizardWindow)->handle;
    RECT client;
    GetClientRect(window, &client);
    EXPECT_EQ(client.right, 480);
    EXPECT_EQ(client.bottom, 340);
    for (const auto& placed : expected) {
        HWND control = handleOf(placed.control);
        SCOPED_TRACE(placed.control);
        EXPECT_EQ(GetParent(control), placed.parent == WindowItself ? window : handleOf(placed.parent));
        RECT rect;
        GetWindowRect(control, &rect);
        MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&rect), 2);
        EXPECT_EQ(rect.left, placed.inWindow.left);
        EXPECT_EQ(rect.top, placed.inWindow.top);
        EXPECT_EQ(rect.right, placed.inWindow.right);
        EXPECT_EQ(rect.bottom, placed.inWindow.bottom);
    }
}

TEST_F(Wizard, BrowseButtonLiesAboveThePathGroupAndTheFinishPageAboveTheOptionsPage)
{
    auto isAbove = [](HWND upper, HWND lower) {
        for (HWND next = GetWindow(upper, GW_HWNDNEXT); next; next = GetWindow(next, GW_HWNDNEXT))
            if (next == lower)
                return true;
        return false;
    };
    EXPECT_TRUE(isAbove(handleOf(BrowseButton), handleOf(PathGroup)));
    EXPECT_TRUE(isAbove(handleOf(FinishPage), handleOf(OptionsPage)));
    EXPECT_EQ(ChildWindowFromPointEx(handleOf(OptionsPage), POINT{437, 160}, CWP_SKIPINVISIBLE),
              handleOf(BrowseButton));
}

TEST_F(Wizard, DefaultPathIsTheDesktopFolderAndTavrimoWithOneBackslash)
{
    Text desktop = getSpecialFolder(3);
    ASSERT_FALSE(desktop.empty());
    EXPECT_EQ(path(), desktop + "Tavrimo");
    EXPECT_EQ(path().find("\\\\"), Text::npos);
}

struct PathCase {
    const char* written;
    const char* shown;
};

class InstallPath : public Wizard, public testing::WithParamInterface<PathCase> {};

TEST_P(InstallPath, EveryRunOfBackslashesEndsAsOne)
{
    writeProperty(WizardWindow, InstallPathBox, Property::Content, -1, GetParam().written);
    EXPECT_EQ(path(), GetParam().shown);
}

INSTANTIATE_TEST_SUITE_P(Collapse, InstallPath, testing::Values(
    PathCase{"C:\\\\Tavrimo", "C:\\Tavrimo"},
    PathCase{"C:\\a\\\\\\b", "C:\\a\\b"},
    PathCase{"C:\\a\\\\\\\\b\\\\\\\\\\Tavrimo", "C:\\a\\b\\Tavrimo"},
    PathCase{"\\\\server\\share\\Tavrimo", "\\server\\share\\Tavrimo"},
    PathCase{"C:\\\xB0\\\\Tavrimo", "C:\\\xB0\\\\Tavrimo"},     // a trail byte 0x5C, then one backslash
    PathCase{"C:\\\xB0\\\\\\Tavrimo", "C:\\\xB0\\\\Tavrimo"},
    PathCase{"Tavrimo", "Tavrimo"}));

// The six buttons the tile rules govern, as Checked and Disabled pairs.
struct Choice {
    int serverTile, clientTile;
    int shortcutDisabled, lexiconDisabled, runServerDisabled, runClientDisabled;
};

Choice readChoice()
{
    return {int(read(ServerTile, Property::Checked)),       int(read(ClientTile, Property::Checked)),
            int(read(ShortcutOption, Property::Disabled)),  int(read(LexiconOption, Property::Disabled)),
            int(read(RunServerOption, Property::Disabled)), int(read(RunClientOption, Property::Disabled))};
}

bool operator==(const Choice& a, const Choice& b)
{
    return a.serverTile == b.serverTile && a.clientTile == b.clientTile && a.shortcutDisabled == b.shortcutDisabled &&
           a.lexiconDisabled == b.lexiconDisabled && a.runServerDisabled == b.runServerDisabled &&
           a.runClientDisabled == b.runClientDisabled;
}

void PrintTo(const Choice& c, std::ostream* out)
{
    *out << "server " << c.serverTile << " client " << c.clientTile << " disabled: shortcut " << c.shortcutDisabled
         << " lexicon " << c.lexiconDisabled << " run server " << c.runServerDisabled << " run client "
         << c.runClientDisabled;
}

const Choice NothingChosen{0, 0, 1, 1, 1, 1};
const Choice ClientOnly{0, 1, 1, 1, 1, 0};
const Choice ServerAndClient{1, 1, 0, 0, 0, 0};

struct Clicks {
    const char* name;
    std::vector<ControlNumber> tiles;
    Choice result;
};

class TileRules : public Wizard, public testing::WithParamInterface<Clicks> {};

TEST_P(TileRules, KeepTheOptionsConsistentWithTheTiles)
{
    for (ControlNumber tile : GetParam().tiles)
        click(tile);
    EXPECT_EQ(readChoice(), GetParam().result);
    // The rules never touch the options' own ticks.
    for (ControlNumber option : {ShortcutOption, LexiconOption, RunServerOption, RunClientOption})
        EXPECT_EQ(read(option, Property::Checked), 1);
}

INSTANTIATE_TEST_SUITE_P(Sequences, TileRules, testing::Values(
    Clicks{"Client", {ClientTile}, ClientOnly},
    Clicks{"Server", {ServerTile}, ServerAndClient},
    Clicks{"ClientClient", {ClientTile, ClientTile}, NothingChosen},
    Clicks{"ClientServer", {ClientTile, ServerTile}, ServerAndClient},
    Clicks{"ServerClientStays", {ServerTile, ClientTile}, ServerAndClient},
    Clicks{"ServerServer", {ServerTile, ServerTile}, ClientOnly},
    Clicks{"ServerServerClient", {ServerTile, ServerTile, ClientTile}, NothingChosen},
    Clicks{"ServerClientServerClient", {ServerTile, ClientTile, ServerTile, ClientTile}, NothingChosen}),
    [](const testing::TestParamInfo<Clicks>& info) { return info.param.name; });

TEST_F(Wizard, AnUntickedShortcutOptionStaysUntickedWhenTheServerComesBack)
{
    click(ServerTile);
    click(ShortcutOption);
    EXPECT_EQ(read(ShortcutOption, Property::Checked), 0);
    click(ServerTile);
    EXPECT_EQ(read(ShortcutOption, Property::Disabled), 1);
    click(ServerTile);
    EXPECT_EQ(read(ShortcutOption, Property::Disabled), 0);
    EXPECT_EQ(read(ShortcutOption, Property::Checked), 0);
    EXPECT_EQ(read(LexiconOption, Property::Checked), 1);
}

std::wstring versionString(const std::vector<char>& block, const wchar_t* name)
{
    void* value = nullptr;
    UINT length = 0;
    std::wstring key = std::wstring(L"\\StringFileInfo\\080404b0\\") + name;
    if (!VerQueryValueW(block.data(), key.c_str(), &value, &length) || length == 0)
        return L"";
    return std::wstring(static_cast<const wchar_t*>(value));
}

// The program and this test carry the same resources.
TEST(VersionBlock, NamesTheProductInChineseUnicodeStrings)
{
    wchar_t self[MAX_PATH];
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    std::vector<char> block(GetFileVersionInfoSizeW(self, nullptr));
    ASSERT_FALSE(block.empty());
    ASSERT_TRUE(GetFileVersionInfoW(self, 0, DWORD(block.size()), block.data()));

    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueW(block.data(), L"\\", reinterpret_cast<void**>(&fixed), &length));
    EXPECT_EQ(fixed->dwFileVersionMS, 0x00010001u);
    EXPECT_EQ(fixed->dwFileVersionLS, 0u);
    EXPECT_EQ(fixed->dwProductVersionMS, 0x00010001u);

    WORD* translation = nullptr;
    ASSERT_TRUE(VerQueryValueW(block.data(), L"\\VarFileInfo\\Translation", reinterpret_cast<void**>(&translation),
                               &length));
    EXPECT_EQ(translation[0], 0x0804);
    EXPECT_EQ(translation[1], 1200);

    EXPECT_EQ(versionString(block, L"FileDescription"), L"\u5B89\u88C5Tavrimo");                 // 安装Tavrimo
    EXPECT_EQ(versionString(block, L"ProductName"), L"Tavrimo - \u5B89\u88C5\u5411\u5BFC"); // Tavrimo - 安装向导
    EXPECT_EQ(versionString(block, L"Comments"), L"\u5B89\u88C5\u5411\u5BFC");             // 安装向导
    EXPECT_EQ(versionString(block, L"FileVersion"), L"1.1.0.0");
    EXPECT_EQ(versionString(block, L"ProductVersion"), L"1.1.0.0");
}

} // namespace
