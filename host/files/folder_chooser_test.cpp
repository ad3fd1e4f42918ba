#include "host/files/folder_chooser.h"

#include <windows.h>
#include <commctrl.h>
#include <shellapi.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <functional>
#include <thread>
#include <vector>

#include "host/files/scratch_folder.h"
#include "host/files/shell_item_list.h"

namespace {

const Text title = "请选择目录：";

// Names as the chooser's tree shows them.
Text displayNameOf(const Text& path)
{
    SHFILEINFOA info{};
    SHGetFileInfoA(path.c_str(), 0, &info, sizeof info, SHGFI_DISPLAYNAME);
    return info.szDisplayName;
}

Text computerName()
{
    PIDLIST_ABSOLUTE items = nullptr;
    SHGetSpecialFolderLocation(nullptr, CSIDL_DRIVES, &items);
    const ShellItemList computer(items);
    SHFILEINFOA info{};
    SHGetFileInfoA(reinterpret_cast<LPCSTR>(computer.get()), 0, &info, sizeof info, SHGFI_PIDL | SHGFI_DISPLAYNAME);
    return info.szDisplayName;
}

// The tree's names from the computer down to `path` ("C:\a\b": computer, C:, a, b).
std::vector<Text> treeNamesOf(const Text& path)
{
    std::vector<Text> names{computerName(), displayNameOf(path.substr(0, 3))};
    for (std::size_t end = 2; (end = path.find('\\', end + 1)) != Text::npos;)
        names.push_back(displayNameOf(path.substr(0, end)));
    if (path.size() > 3)
        names.push_back(displayNameOf(path));
    return names;
}

// The chooser's dialog once it shows: a visible dialog of this process.
HWND awaitDialog()
{
    struct Search {
        HWND found = nullptr;
        static BOOL CALLBACK check(HWND window, LPARAM self)
        {
            char className[16] = "";
            DWORD process = 0;
            GetClassNameA(window, className, sizeof className);
            GetWindowThreadProcessId(window, &process);
            if (process == GetCurrentProcessId() && Text(className) == "#32770" && IsWindowVisible(window)) {
                reinterpret_cast<Search*>(self)->found = window;
                return FALSE;
            }
            return TRUE;
        }
    } search;
    for (int waited = 0; waited < 600 && !search.found; ++waited) {
        Sleep(100);
        EnumWindows(Search::check, reinterpret_cast<LPARAM>(&search));
    }
    return search.found;
}

BOOL CALLBACK noteTitle(HWND child, LPARAM shown)
{
    char text[64] = "";
    GetWindowTextA(child, text, sizeof text);
    if (title == text)
        *reinterpret_cast<bool*>(shown) = true;
    return TRUE;
}

Text itemText(HWND tree, HTREEITEM item)
{
    char text[MAX_PATH] = "";
    TVITEMA request{};
    request.mask = TVIF_TEXT;
    request.hItem = item;
    request.pszText = text;
    request.cchTextMax = MAX_PATH;
    SendMessageA(tree, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&request));
    return text;
}

HTREEITEM childNamed(HWND tree, HTREEITEM parent, const Text& name)
{
    SendMessageA(tree, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(parent));
    auto item = reinterpret_cast<HTREEITEM>(SendMessageA(tree, TVM_GETNEXTITEM, TVGN_CHILD, reinterpret_cast<LPARAM>(parent)));
    for (; item && itemText(tree, item) != name;
         item = reinterpret_cast<HTREEITEM>(SendMessageA(tree, TVM_GETNEXTITEM, TVGN_NEXT, reinterpret_cast<LPARAM>(item))))
        ;
    return item;
}

// The item reached from the tree's root (the desktop) through `names`, or null.
HTREEITEM findItem(HWND dialog, const std::vector<Text>& names)
{
    const HWND tree = FindWindowExA(dialog, nullptr, WC_TREEVIEWA, nullptr);
    auto item = reinterpret_cast<HTREEITEM>(SendMessageA(tree, TVM_GETNEXTITEM, TVGN_ROOT, 0));
    for (const Text& name : names) {
        if (item)
            item = childNamed(tree, item, name);
    }
    return item;
}

void press(HWND dialog, int button)
{
    SendMessageA(GetDlgItem(dialog, button), BM_CLICK, 0, 0);
}

// Picks the item; when it is missing, cancels so that the chooser still closes.
bool choose(HWND dialog, const std::vector<Text>& names)
{
    const HTREEITEM item = findItem(dialog, names);
    if (item)
        SendMessageA(FindWindowExA(dialog, nullptr, WC_TREEVIEWA, nullptr), TVM_SELECTITEM, TVGN_CARET,
                     reinterpret_cast<LPARAM>(item));
    press(dialog, item ? IDOK : IDCANCEL);
    return item != nullptr;
}

LRESULT CALLBACK plainWindow(HWND window, UINT message, WPARAM w, LPARAM l)
{
    return DefWindowProcA(window, message, w, l);
}

HWND makeWindow(const char* name)
{
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = plainWindow;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = "TavrimoChooserTest";
    RegisterClassA(&windowClass);
    return CreateWindowExA(0, windowClass.lpszClassName, name, WS_OVERLAPPEDWINDOW | WS_VISIBLE, 40, 40, 300, 200, nullptr,
                           nullptr, windowClass.hInstance, nullptr);
}

void pumpMessages()
{
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE))
        DispatchMessageA(&message);
}

// The program's active window beside another window and one it has disabled; a helper
// thread drives the chooser while this thread runs it. The windows serve every
// test: closing a top-level window costs Wine seconds on a screen without a
// window manager.
class BrowseForFolder : public testing::Test {
protected:
    static void SetUpTestSuite()
    {
        disabled_ = makeWindow("disabled");
        other_ = makeWindow("other");
        window_ = makeWindow("program");
        EnableWindow(disabled_, FALSE);
    }
    static void TearDownTestSuite()
    {
        DestroyWindow(disabled_);
        DestroyWindow(other_);
        DestroyWindow(window_);
    }

    void SetUp() override
    {
        ASSERT_TRUE(SUCCEEDED(OleInitialize(nullptr)));
        ASSERT_TRUE(window_ && other_ && disabled_);
        SetForegroundWindow(window_);
        SetActiveWindow(window_);
        pumpMessages();
        ASSERT_EQ(GetActiveWindow(), window_);
        ASSERT_TRUE(CreateDirectoryA(folder_.c_str(), nullptr));
        ASSERT_TRUE(putFile(folder_ + "\\note.tavrimo", "x"));
    }
    void TearDown() override { OleUninitialize(); }

    // Runs the chooser while `drive` works it, and checks what holds while it is
    // open and after it closed.
    Text browse(std::optional<bool> includeFiles, const std::function<void(HWND dialog)>& drive)
    {
        HWND owner = nullptr;
        bool windowEnabled = true, otherEnabled = true, titleShown = false;
        std::thread helper([&] {
            const HWND dialog = awaitDialog();
            if (!dialog)
                return;
            owner = GetWindow(dialog, GW_OWNER);
            windowEnabled = IsWindowEnabled(window_);
            otherEnabled = IsWindowEnabled(other_);
            EnumChildWindows(dialog, noteTitle, reinterpret_cast<LPARAM>(&titleShown));
            drive(dialog);
        });
        const Text chosen = browseForFolder(title, includeFiles);
        helper.join();
        pumpMessages();

        EXPECT_EQ(owner, window_) << "the active window owns the chooser";
        EXPECT_FALSE(windowEnabled || otherEnabled) << "the program's windows are disabled while the chooser is open";
        EXPECT_TRUE(titleShown);
        EXPECT_TRUE(IsWindowEnabled(window_) && IsWindowEnabled(other_));
        EXPECT_FALSE(IsWindowEnabled(disabled_)) << "a window gets its former state back";
        EXPECT_EQ(GetForegroundWindow(), window_);
        EXPECT_EQ(GetActiveWindow(), window_);
        return chosen;
    }

    static HWND window_;
    static HWND other_;
    static HWND disabled_;
    const ScratchFolder scratch_;
    const Text folder_ = scratch_ / "选中";
};

HWND BrowseForFolder::window_ = nullptr;
HWND BrowseForFolder::other_ = nullptr;
HWND BrowseForFolder::disabled_ = nullptr;

TEST_F(BrowseForFolder, CancelGivesNothing)
{
    EXPECT_EQ(browse(std::nullopt, [](HWND dialog) { press(dialog, IDCANCEL); }), "");
}

TEST_F(BrowseForFolder, AFolderComesWithoutATrailingBackslash)
{
    bool found = false;
    EXPECT_EQ(browse(std::nullopt, [&](HWND dialog) { found = choose(dialog, treeNamesOf(folder_)); }), folder_);
    EXPECT_TRUE(found);
}

TEST_F(BrowseForFolder, ADriveRootComesWithItsBackslash)
{
    bool found = false;
    EXPECT_EQ(browse(std::nullopt, [&](HWND dialog) { found = choose(dialog, treeNamesOf("C:\\")); }), "C:\\");
    EXPECT_TRUE(found);
}

TEST_F(BrowseForFolder, TheComputerNodeHasNoPath)
{
    bool found = false;
    EXPECT_EQ(browse(std::nullopt, [&](HWND dialog) { found = choose(dialog, {computerName()}); }), "");
    EXPECT_TRUE(found);
}

TEST_F(BrowseForFolder, FilesAreListedOnlyWhenAskedFor)
{
    std::vector<Text> file = treeNamesOf(folder_);
    file.push_back(displayNameOf(folder_ + "\\note.tavrimo"));

    for (std::optional<bool> includeFiles : {std::optional<bool>(), std::optional<bool>(false)}) {
        bool listed = true;
        browse(includeFiles, [&](HWND dialog) {
            listed = findItem(dialog, file) != nullptr;
            press(dialog, IDCANCEL);
        });
        EXPECT_FALSE(listed) << includeFiles.has_value();
    }

    bool found = false;
    EXPECT_EQ(browse(true, [&](HWND dialog) { found = choose(dialog, file); }), folder_ + "\\note.tavrimo");
    EXPECT_TRUE(found);
}

} // namespace
