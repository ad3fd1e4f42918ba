#include "host/ui/child_window.h"

#include "host/ui/controls.h"
#include "host/ui/handles.h"
#include "host/ui/loaded_window.h"

namespace {

const char* const ClassName = "TavrimoToolkitWindow";

LRESULT CALLBACK toolkitWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NCCREATE) {
        // Ownership passes from the creator to the window here.
        auto* create = reinterpret_cast<CREATESTRUCTA*>(lParam);
        auto* owner = static_cast<std::unique_ptr<ChildWindow>*>(create->lpCreateParams);
        SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(owner->release()));
    }
    auto* object = reinterpret_cast<ChildWindow*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (!object)
        return DefWindowProcA(window, message, wParam, lParam);
    LRESULT result = object->handle(window, message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrA(window, GWLP_USERDATA, 0);
        delete object;
    }
    return result;
}

void registerClassOnce()
{
    static const bool registered = [] {
        WNDCLASSEXA windowClass{};
        windowClass.cbSize = sizeof(windowClass);
        // Double clicks arrive as such, so that a second press can be told apart.
        windowClass.style = CS_DBLCLKS;
        windowClass.lpfnWndProc = toolkitWindowProc;
        windowClass.hInstance = GetModuleHandleA(nullptr);
        windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
        windowClass.hIcon = LoadIconA(nullptr, IDI_APPLICATION);
        windowClass.lpszClassName = ClassName;
        return RegisterClassExA(&windowClass) != 0;
    }();
    (void)registered;
}

} // namespace

LRESULT ChildWindow::handle(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    return DefWindowProcA(window, message, wParam, lParam);
}

HWND createToolkitWindow(std::unique_ptr<ChildWindow> object, DWORD exStyle, DWORD style, const char* title,
                         const Place& place, HWND parent)
{
    registerClassOnce();
    // If creation fails before WM_NCCREATE, `object` still owns it and deletes it.
    return CreateWindowExA(exStyle, ClassName, title, style, place.left, place.top, place.width, place.height, parent,
                           nullptr, GetModuleHandleA(nullptr), &object);
}

LRESULT PaintedWindow::handle(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_ERASEBKGND)
        return TRUE;
    if (message != WM_PAINT)
        return ChildWindow::handle(window, message, wParam, lParam);
    PaintDC screen(window);
    RECT area;
    GetClientRect(window, &area);
    MemoryDC buffer(screen.get());
    GdiObject<HBITMAP> bitmap(CreateCompatibleBitmap(screen.get(), area.right, area.bottom));
    buffer.select(bitmap.get());
    paint(buffer.get(), area);
    BitBlt(screen.get(), 0, 0, area.right, area.bottom, buffer.get(), 0, 0, SRCCOPY);
    return 0;
}

LRESULT BackgroundWindow::handle(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    LRESULT result = 0;
    if (handleChildNotification(message, wParam, lParam, result))
        return result;
    if (message == WM_LBUTTONDOWN) {
        startDrag(window);
        return 0;
    }
    return PaintedWindow::handle(window, message, wParam, lParam);
}

DWORD controlStyle(const ControlDefinition& definition)
{
    DWORD style = WS_CHILD | WS_CLIPSIBLINGS;
    if (definition.flags & FlagDisabled)
        style |= WS_DISABLED;
    if (definition.flags & FlagTabStop)
        style |= WS_TABSTOP;
    return style;
}

void startDrag(HWND pressed)
{
    LoadedWindow* loaded = loadedWindowOf(pressed);
    if (!loaded || !(loaded->definition->switches & DragsAnywhere))
        return;
    // The same as a press on a caption: the system moves the window.
    ReleaseCapture();
    SendMessageA(loaded->handle, WM_NCLBUTTONDOWN, HTCAPTION, 0);
}

bool handleChildNotification(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    switch (message) {
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN: {
        auto child = reinterpret_cast<HWND>(lParam);
        LoadedWindow* loaded = loadedWindowOf(child);
        Control* control = loaded ? loaded->byHandle(child) : nullptr;
        if (!control || !control->background)
            return false;
        auto dc = reinterpret_cast<HDC>(wParam);
        SetTextColor(dc, control->textColour);
        LOGBRUSH brush;
        GetObjectA(control->background.get(), sizeof(brush), &brush);
        SetBkColor(dc, brush.lbColor);
        result = reinterpret_cast<LRESULT>(control->background.get());
        return true;
    }
    case WM_COMMAND: {
        if (HIWORD(wParam) != EN_CHANGE)
            return false;
        auto child = reinterpret_cast<HWND>(lParam);
        LoadedWindow* loaded = loadedWindowOf(child);
        Control* control = loaded ? loaded->byHandle(child) : nullptr;
        if (!control)
            return false;
        // A change typed by the user; a write of Content fires its own event.
        if (!control->writingContent)
            contentChanged(*control);
        result = 0;
        return true;
    }
    default:
        return false;
    }
}

ByteView pictureBytes(PictureId id)
{
    HMODULE module = GetModuleHandleA(nullptr);
    HRSRC resource = FindResourceA(module, MAKEINTRESOURCEA(id), MAKEINTRESOURCEA(10) /* RT_RCDATA */);
    HGLOBAL loaded = resource ? LoadResource(module, resource) : nullptr;
    const void* data = loaded ? LockResource(loaded) : nullptr;
    if (!data)
        return ByteView();
    return ByteView(static_cast<const std::uint8_t*>(data), SizeofResource(module, resource));
}
