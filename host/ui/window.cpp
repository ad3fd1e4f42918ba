// Loading, running and destroying windows.
#include <map>
#include <memory>
#include <vector>

#include "host/ui/child_window.h"
#include "host/ui/controls.h"
#include "host/ui/loaded_window.h"
#include "host/ui/toolkit.h"

namespace {

std::vector<const WindowDefinition*> definitions;
std::map<WindowNumber, std::unique_ptr<LoadedWindow>> windows;
bool loopRunning = false;

// Posted by destroyWindow; the window is destroyed when the loop dispatches it.
constexpr UINT DeferredDestroy = WM_APP + 1;

void fire(Handler handler)
{
    if (handler)
        handler();
}

class TopLevelWindow : public BackgroundWindow {
public:
    explicit TopLevelWindow(WindowNumber number) : number_(number) {}

    LRESULT handle(HWND window, UINT message, WPARAM wParam, LPARAM lParam) override
    {
        LoadedWindow* loaded = loadedWindow(number_);
        switch (message) {
        case WM_CLOSE: // no close query is bound: the close always goes ahead
            DestroyWindow(window);
            return 0;
        case DeferredDestroy:
            if (loaded && loaded->destroyPending) {
                loaded->destroyPending = false;
                DestroyWindow(window);
            }
            return 0;
        case WM_DESTROY:
            // The controls are destroyed after their parent's WM_DESTROY, so the
            // handler still finds them all.
            if (loaded && !loaded->destroyedFired) {
                loaded->destroyedFired = true;
                fire(loaded->definition->willBeDestroyed);
            }
            return 0;
        case WM_NCDESTROY:
            windows.erase(number_);
            if (windows.empty() && loopRunning)
                PostQuitMessage(0);
            return 0;
        default:
            return BackgroundWindow::handle(window, message, wParam, lParam);
        }
    }

private:
    void paint(HDC dc, const RECT& area) const override
    {
        if (LoadedWindow* loaded = loadedWindow(number_))
            FillRect(dc, &area, loaded->background.get());
    }

    WindowNumber number_;
};

DWORD windowStyle(const WindowDefinition& definition)
{
    static const DWORD frames[] = {WS_POPUP,
                                   WS_CAPTION | WS_THICKFRAME,
                                   WS_CAPTION | WS_BORDER,
                                   WS_CAPTION | WS_THICKFRAME,
                                   WS_CAPTION | WS_BORDER,
                                   WS_CAPTION | WS_THICKFRAME,
                                   WS_CAPTION | WS_BORDER};
    DWORD style = frames[unsigned(definition.borderStyle) % 7] | WS_CLIPCHILDREN;
    if (definition.switches & HasControlBox)
        style |= WS_SYSMENU;
    if (definition.switches & HasMinimizeBox)
        style |= WS_MINIMIZEBOX | WS_SYSMENU;
    if (definition.switches & HasMaximizeBox)
        style |= WS_MAXIMIZEBOX;
    return style;
}

DWORD windowExStyle(const WindowDefinition& definition)
{
    DWORD exStyle = (definition.switches & ShownInTaskbar) ? WS_EX_APPWINDOW : WS_EX_TOOLWINDOW;
    if (definition.borderStyle == 3 || definition.borderStyle == 4)
        exStyle |= WS_EX_TOOLWINDOW;
    if (definition.borderStyle == 5 || definition.borderStyle == 6)
        exStyle |= WS_EX_CLIENTEDGE;
    if (definition.switches & StaysOnTop)
        exStyle |= WS_EX_TOPMOST;
    return exStyle;
}

HWND createControl(HWND window, Control& control, COLORREF windowBackground)
{
    struct Create {
        HWND window;
        Control& control;
        COLORREF background;
        HWND operator()(const PictureBox& box) { return createPictureBox(window, control, box, background); }
        HWND operator()(const PictureButton& button) { return createPictureButton(window, control, button, background); }
        HWND operator()(const EditBox& box) { return createEditBox(window, control, box); }
        HWND operator()(const Label& label) { return createLabel(window, control, label); }
        HWND operator()(const GroupBox& box) { return createGroupBox(window, control, box); }
        HWND operator()(const Component&) { return nullptr; }
    };
    return std::visit(Create{window, control, windowBackground}, control.definition->kind);
}

bool isVisual(const Control& control) { return !std::holds_alternative<Component>(control.definition->kind); }

// Gives each control its parent control, then stacks the siblings of each
// parent in definition order, the first defined on top.
void arrange(LoadedWindow& loaded)
{
    std::map<HWND, HWND> lastChildOf;
    for (Control& control : loaded.controls) {
        if (!isVisual(control))
            continue;
        HWND parent = loaded.handle;
        if (control.definition->parent != OnWindow) {
            Control* parentControl = loaded.find(control.definition->parent);
            if (!parentControl || !parentControl->handle)
                fatalError("窗口定义有误：控件的父控件不存在。");
            parent = parentControl->handle;
            SetParent(control.handle, parent);
        }
        auto last = lastChildOf.find(parent);
        HWND after = last == lastChildOf.end() ? HWND_TOP : last->second;
        SetWindowPos(control.handle, after, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        lastChildOf[parent] = control.handle;
    }
}

bool isEscapeToClose(const MSG& message, HWND& window)
{
    if (message.message != WM_KEYDOWN || message.wParam != VK_ESCAPE)
        return false;
    LoadedWindow* loaded = loadedWindowOf(message.hwnd);
    if (!loaded || !(loaded->definition->switches & ClosesOnEsc))
        return false;
    // A control that uses Esc itself keeps it.
    auto code = SendMessageA(message.hwnd, WM_GETDLGCODE, VK_ESCAPE, reinterpret_cast<LPARAM>(&message));
    if (message.hwnd != loaded->handle && (code & (DLGC_WANTALLKEYS | DLGC_WANTMESSAGE)))
        return false;
    window = loaded->handle;
    return true;
}

} // namespace

Control* LoadedWindow::find(ControlNumber number)
{
    for (Control& control : controls)
        if (control.definition->number == number)
            return &control;
    return nullptr;
}

Control* LoadedWindow::byHandle(HWND window)
{
    for (Control& control : controls)
        if (control.handle == window)
            return &control;
    return nullptr;
}

LoadedWindow* loadedWindow(WindowNumber number)
{
    auto found = windows.find(number);
    return found == windows.end() ? nullptr : found->second.get();
}

LoadedWindow* loadedWindowOf(HWND anyWindow)
{
    HWND root = GetAncestor(anyWindow, GA_ROOT);
    for (auto& entry : windows)
        if (entry.second->handle == root)
            return entry.second.get();
    return nullptr;
}

const WindowDefinition* windowDefinition(WindowNumber number)
{
    for (const WindowDefinition* definition : definitions)
        if (definition->number == number)
            return definition;
    return nullptr;
}

void defineWindows(std::initializer_list<const WindowDefinition*> list) { definitions.assign(list); }

void loadWindow(WindowNumber number)
{
    const WindowDefinition* definition = windowDefinition(number);
    if (!definition)
        fatalError("窗口未定义。");
    if (LoadedWindow* existing = loadedWindow(number)) {
        if (!existing->destroyPending) {
            if (IsIconic(existing->handle))
                ShowWindow(existing->handle, SW_RESTORE);
            SetForegroundWindow(existing->handle);
            return;
        }
        existing->destroyPending = false;
        DestroyWindow(existing->handle);
    }

    auto owned = std::make_unique<LoadedWindow>();
    LoadedWindow& loaded = *owned;
    loaded.definition = definition;
    loaded.position = definition->position;
    loaded.background = GdiObject<HBRUSH>(CreateSolidBrush(definition->backColour));
    windows[number] = std::move(owned);

    Place place = definition->place;
    if (definition->position == 1) {
        place.left = (GetSystemMetrics(SM_CXSCREEN) - place.width) / 2;
        place.top = (GetSystemMetrics(SM_CYSCREEN) - place.height) / 2;
    }
    loaded.handle = createToolkitWindow(std::make_unique<TopLevelWindow>(number), windowExStyle(*definition),
                                        windowStyle(*definition), definition->title, place, nullptr);
    if (!loaded.handle)
        fatalError("无法创建窗口。");
    SetWindowPos(loaded.handle, nullptr, place.left, place.top, place.width, place.height,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    if (!(definition->switches & IsMovable))
        DeleteMenu(GetSystemMenu(loaded.handle, FALSE), SC_MOVE, MF_BYCOMMAND);

    loaded.controls.reserve(definition->controls.size());
    for (const ControlDefinition& control : definition->controls) {
        Control& created = loaded.controls.emplace_back();
        created.definition = &control;
        created.place = control.place;
        created.visibleFlag = (control.flags & FlagVisible) != 0;
        created.disabledFlag = (control.flags & FlagDisabled) != 0;
        if (!isVisual(created))
            continue;
        created.handle = createControl(loaded.handle, created, definition->backColour);
        if (!created.handle)
            fatalError("无法创建控件。");
    }
    arrange(loaded);
    for (Control& control : loaded.controls)
        if (control.handle && control.visibleFlag)
            ShowWindow(control.handle, SW_SHOWNA);

    fire(definition->created);

    if (loadedWindow(number) != &loaded || !(definition->switches & StartsVisible))
        return;
    static const int shows[] = {SW_SHOWNORMAL, SW_SHOWNORMAL, SW_SHOWMINIMIZED, SW_SHOWMAXIMIZED};
    ShowWindow(loaded.handle, shows[unsigned(definition->position) % 4]);
    SetForegroundWindow(loaded.handle);
    UpdateWindow(loaded.handle);
}

void runMessageLoop()
{
    if (windows.empty())
        return;
    loopRunning = true;
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        HWND closing;
        if (isEscapeToClose(message, closing)) {
            SendMessageA(closing, WM_CLOSE, 0, 0);
            continue;
        }
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    loopRunning = false;
}

void destroyWindow(WindowNumber window, ControlNumber, std::optional<bool> destroyNow)
{
    LoadedWindow* loaded = loadedWindow(window);
    if (!loaded)
        fatalError("要关闭的窗口不存在。");
    if (destroyNow.value_or(false)) {
        loaded->destroyPending = false;
        DestroyWindow(loaded->handle);
        return;
    }
    loaded->destroyPending = true;
    PostMessageA(loaded->handle, DeferredDestroy, 0, 0);
}
