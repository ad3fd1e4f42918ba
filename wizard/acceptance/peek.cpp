// Test tool: reads and answers the wizard's message boxes from outside.
//   peek.exe TITLE              prints the texts inside the top-level window titled TITLE
//   peek.exe TITLE --press ID   presses its button with that id (1 OK, 6 Yes, 7 No)
//   peek.exe TITLE --edit       prints the texts of its edit boxes, asked for with
//                               WM_GETTEXT (an edit's text is not the window text
//                               another process can read directly)
// Exit code 1 when no such window is shown.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

struct Found {
    const char* title;
    HWND window;
};

BOOL CALLBACK findVisible(HWND window, LPARAM lParam)
{
    auto* found = reinterpret_cast<Found*>(lParam);
    char title[256];
    GetWindowTextA(window, title, sizeof(title));
    if (IsWindowVisible(window) && std::strcmp(title, found->title) == 0) {
        found->window = window;
        return FALSE;
    }
    return TRUE;
}

BOOL CALLBACK printText(HWND child, LPARAM)
{
    char text[1024];
    if (GetWindowTextA(child, text, sizeof(text)) > 0)
        std::printf("%s\n", text);
    return TRUE;
}

BOOL CALLBACK printEditText(HWND child, LPARAM)
{
    char className[64];
    if (!GetClassNameA(child, className, sizeof(className)) || lstrcmpiA(className, "Edit") != 0)
        return TRUE;
    char text[1024] = "";
    DWORD_PTR length = 0;
    if (SendMessageTimeoutA(child, WM_GETTEXT, sizeof(text), reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG, 5000,
                            &length))
        std::printf("%s\n", text);
    return TRUE;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 2)
        return 2;
    Found found{argv[1], nullptr};
    EnumWindows(findVisible, reinterpret_cast<LPARAM>(&found));
    if (!found.window)
        return 1;
    if (argc == 4 && std::strcmp(argv[2], "--press") == 0) {
        PostMessageA(found.window, WM_COMMAND, MAKEWPARAM(std::atoi(argv[3]), BN_CLICKED), 0);
        return 0;
    }
    EnumChildWindows(found.window, argc == 3 && std::strcmp(argv[2], "--edit") == 0 ? printEditText : printText, 0);
    return 0;
}
