#include <windows.h>

#include "host/ui/toolkit.h"

int showMessage(const Text& text, int flags, std::optional<Text> title)
{
    if (!(flags & MB_SYSTEMMODAL))
        flags |= MB_TASKMODAL;
    const Text shownTitle = title.value_or("信息：");
    HWND active = GetActiveWindow();
    int pressed = MessageBoxA(nullptr, text.c_str(), shownTitle.c_str(), UINT(flags));
    // The box has no owner, so nothing hands activation back to the window that
    // had it (and with it the keyboard, Esc included).
    if (active && IsWindow(active) && IsWindowVisible(active))
        SetActiveWindow(active);
    switch (pressed) {
    case IDCANCEL: return 1;
    case IDABORT: return 2;
    case IDRETRY: return 3;
    case IDIGNORE: return 4;
    case IDYES: return 5;
    case IDNO: return 6;
    default: return 0; // OK, and a box that could not be shown
    }
}

void fatalError(const Text& message)
{
    MessageBoxA(nullptr, message.c_str(), "错误", MB_OK | MB_ICONERROR | MB_TASKMODAL);
    ExitProcess(UINT(-1));
}
