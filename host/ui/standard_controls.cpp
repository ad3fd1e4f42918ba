// The edit box and the group box are the platform's own controls; their
// colours come from the definition through WM_CTLCOLOR* at their parent.
#include <windows.h>

#include <commctrl.h>

#include "host/ui/child_window.h"
#include "host/ui/controls.h"

namespace {

HWND createStandard(HWND parent, Control& control, const char* windowClass, const char* text, DWORD style,
                    DWORD exStyle)
{
    const Place& place = control.definition->place;
    HWND window = CreateWindowExA(exStyle, windowClass, text, controlStyle(*control.definition) | style, place.left,
                                  place.top, place.width, place.height, parent, nullptr, GetModuleHandleA(nullptr),
                                  nullptr);
    if (window)
        SendMessageA(window, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
    return window;
}

// A group box holds controls of its own, so it passes their colour requests
// and change notifications on, and lets a press on its frame drag the window.
LRESULT CALLBACK groupBoxProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR)
{
    LRESULT result = 0;
    if (handleChildNotification(message, wParam, lParam, result))
        return result;
    if (message == WM_NCHITTEST)
        return HTCLIENT;
    if (message == WM_ERASEBKGND) {
        // The platform's group box leaves its inside unpainted.
        LoadedWindow* loaded = loadedWindowOf(window);
        Control* control = loaded ? loaded->byHandle(window) : nullptr;
        RECT area;
        GetClientRect(window, &area);
        if (control && control->background)
            FillRect(reinterpret_cast<HDC>(wParam), &area, control->background.get());
        return TRUE;
    }
    if (message == WM_LBUTTONDOWN) {
        startDrag(window);
        return 0;
    }
    if (message == WM_NCDESTROY)
        RemoveWindowSubclass(window, groupBoxProc, 0);
    return DefSubclassProc(window, message, wParam, lParam);
}

} // namespace

HWND createEditBox(HWND parent, Control& control, const EditBox& box)
{
    static const DWORD alignment[] = {ES_LEFT, ES_CENTER, ES_RIGHT};
    DWORD style = alignment[box.alignment % 3];
    style |= box.multiLine ? (ES_MULTILINE | ES_AUTOVSCROLL) : ES_AUTOHSCROLL;
    if (box.inputMode == InputMode::ReadOnly)
        style |= ES_READONLY;
    if (box.inputMode == InputMode::Password)
        style |= ES_PASSWORD;
    if (!box.hideSelection)
        style |= ES_NOHIDESEL;
    HWND window = createStandard(parent, control, "EDIT", box.content, style, box.borderStyle ? WS_EX_CLIENTEDGE : 0);
    if (!window)
        return nullptr;
    if (box.maxLength > 0)
        SendMessageA(window, EM_SETLIMITTEXT, box.maxLength, 0);
    if (box.inputMode == InputMode::Password)
        SendMessageA(window, EM_SETPASSWORDCHAR, static_cast<unsigned char>(box.passwordChar), 0);
    control.background = GdiObject<HBRUSH>(CreateSolidBrush(box.backColour));
    control.textColour = box.textColour;
    return window;
}

HWND createGroupBox(HWND parent, Control& control, const GroupBox& box)
{
    static const DWORD alignment[] = {BS_LEFT, BS_CENTER, BS_RIGHT};
    HWND window = createStandard(parent, control, "BUTTON", box.caption, BS_GROUPBOX | alignment[box.alignment % 3] |
                                                                                WS_CLIPCHILDREN, 0);
    if (!window)
        return nullptr;
    SetWindowSubclass(window, groupBoxProc, 0, 0);
    control.background = GdiObject<HBRUSH>(CreateSolidBrush(box.backColour));
    control.textColour = box.textColour;
    return window;
}

void contentChanged(const Control& control)
{
    if (control.definition->binding.event == Event::ContentChanged && control.definition->binding.handler)
        control.definition->binding.handler();
}
