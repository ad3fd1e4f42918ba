// Reading and writing properties by window, control and property number.
#include <algorithm>

#include "host/ui/controls.h"
#include "host/ui/loaded_window.h"
#include "host/ui/picture_button.h"
#include "host/ui/toolkit.h"

namespace {

constexpr int SizeLimit = 32627;

bool isWindowItself(ControlNumber control) { return (control >> 28) == 0; }

long long logical(const PropertyValue& value) { return value.number() != 0 ? 1 : 0; }

int clamped(const PropertyValue& value, int low)
{
    return int(std::clamp<long long>(value.number(), low, SizeLimit));
}

const WindowDefinition& definedWindow(WindowNumber window)
{
    const WindowDefinition* definition = windowDefinition(window);
    if (!definition)
        fatalError("窗口未定义。");
    return *definition;
}

const ControlDefinition& definedControl(const WindowDefinition& window, ControlNumber number)
{
    for (const ControlDefinition& control : window.controls)
        if (control.number == number)
            return control;
    fatalError("控件未定义。");
}

// Left and top relative to the parent's client area (the screen for the window).
RECT placeOf(HWND handle)
{
    RECT rect;
    GetWindowRect(handle, &rect);
    if (HWND parent = GetParent(handle); parent && (GetWindowLongA(handle, GWL_STYLE) & WS_CHILD))
        MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

std::optional<long long> readCommon(HWND handle, int property)
{
    RECT rect = placeOf(handle);
    switch (property) {
    case Property::Left: return rect.left;
    case Property::Top: return rect.top;
    case Property::Width: return rect.right - rect.left;
    case Property::Height: return rect.bottom - rect.top;
    case Property::Visible: return IsWindowVisible(handle) ? 1 : 0;
    case Property::Disabled: return IsWindowEnabled(handle) ? 0 : 1;
    default: return std::nullopt;
    }
}

std::optional<long long> readStored(const Place& place, bool visible, bool disabled, int property)
{
    switch (property) {
    case Property::Left: return place.left;
    case Property::Top: return place.top;
    case Property::Width: return place.width;
    case Property::Height: return place.height;
    case Property::Visible: return visible;
    case Property::Disabled: return disabled;
    default: return std::nullopt;
    }
}

// Left, top, width, height, visible and disabled of a live window; true when
// the property was one of them.
bool writeCommon(HWND handle, int property, const PropertyValue& value)
{
    RECT rect = placeOf(handle);
    const UINT keep = SWP_NOZORDER | SWP_NOACTIVATE;
    switch (property) {
    case Property::Left:
        SetWindowPos(handle, nullptr, clamped(value, -SizeLimit), rect.top, 0, 0, keep | SWP_NOSIZE);
        return true;
    case Property::Top:
        SetWindowPos(handle, nullptr, rect.left, clamped(value, -SizeLimit), 0, 0, keep | SWP_NOSIZE);
        return true;
    case Property::Width:
        SetWindowPos(handle, nullptr, 0, 0, clamped(value, 0), rect.bottom - rect.top, keep | SWP_NOMOVE);
        return true;
    case Property::Height:
        SetWindowPos(handle, nullptr, 0, 0, rect.right - rect.left, clamped(value, 0), keep | SWP_NOMOVE);
        return true;
    case Property::Visible:
        ShowWindow(handle, logical(value) ? SW_SHOWNA : SW_HIDE);
        return true;
    case Property::Disabled:
        EnableWindow(handle, logical(value) ? FALSE : TRUE);
        return true;
    default:
        return false;
    }
}

void writeStored(Control& control, int property, const PropertyValue& value)
{
    switch (property) {
    case Property::Left: control.place.left = clamped(value, -SizeLimit); break;
    case Property::Top: control.place.top = clamped(value, -SizeLimit); break;
    case Property::Width: control.place.width = clamped(value, 0); break;
    case Property::Height: control.place.height = clamped(value, 0); break;
    case Property::Visible: control.visibleFlag = logical(value); break;
    case Property::Disabled: control.disabledFlag = logical(value); break;
    default: break;
    }
}

void centre(HWND window)
{
    RECT rect;
    GetWindowRect(window, &rect);
    int width = rect.right - rect.left, height = rect.bottom - rect.top;
    int left = (GetSystemMetrics(SM_CXSCREEN) - width) / 2;
    int top = (GetSystemMetrics(SM_CYSCREEN) - height) / 2;
    if (left != rect.left || top != rect.top)
        SetWindowPos(window, nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void writePosition(LoadedWindow& loaded, const PropertyValue& value)
{
    loaded.position = int(std::clamp<long long>(value.number(), 0, 3));
    HWND window = loaded.handle;
    if (!IsWindowVisible(window))
        return;
    switch (loaded.position) {
    case 0: ShowWindow(window, SW_RESTORE); break;
    case 1:
        if (IsIconic(window) || IsZoomed(window))
            ShowWindow(window, SW_RESTORE);
        centre(window);
        break;
    case 2: ShowWindow(window, SW_MINIMIZE); break;
    case 3: ShowWindow(window, SW_MAXIMIZE); break;
    }
}

Text windowText(HWND window)
{
    Text text(std::size_t(GetWindowTextLengthA(window)), '\0');
    if (!text.empty())
        text.resize(std::size_t(GetWindowTextA(window, text.data(), int(text.size()) + 1)));
    return text;
}

PropertyValue readWindow(const WindowDefinition& definition, LoadedWindow* loaded, int property)
{
    if (!loaded) {
        if (auto stored = readStored(definition.place, definition.switches & StartsVisible, false, property))
            return *stored;
        fatalError("窗口尚未载入。");
    }
    if (auto common = readCommon(loaded->handle, property))
        return *common;
    switch (property) {
    case Property::Title: return windowText(loaded->handle);
    case Property::Position: return IsIconic(loaded->handle) ? 2 : IsZoomed(loaded->handle) ? 3 : 0;
    case Property::BorderStyle: return definition.borderStyle;
    case Property::BackColour: return definition.backColour;
    default: return 0;
    }
}

PropertyValue readControl(const Control& control, int property)
{
    if (!control.handle) {
        if (auto stored = readStored(control.place, control.visibleFlag, control.disabledFlag, property))
            return *stored;
        return 0;
    }
    if (auto common = readCommon(control.handle, property))
        return *common;
    if (const auto* button = std::get_if<PictureButton>(&control.definition->kind)) {
        switch (property) {
        case Property::ButtonType: return int(button->type);
        case Property::Checked: return control.button->checked();
        case Property::TransparentColour: return button->transparentColour;
        default: return 0;
        }
    }
    if (std::holds_alternative<EditBox>(control.definition->kind) && property == Property::Content)
        return windowText(control.handle);
    return 0;
}

void writeControl(Control& control, int property, const PropertyValue& value)
{
    if (!control.handle) {
        writeStored(control, property, value);
        return;
    }
    if (writeCommon(control.handle, property, value))
        return;
    if (std::holds_alternative<PictureButton>(control.definition->kind) && property == Property::Checked) {
        control.button->writeChecked(logical(value));
        return;
    }
    if (std::holds_alternative<EditBox>(control.definition->kind) && property == Property::Content) {
        // The box's own change notification stays silent; the event fires once,
        // here, whether or not the text differs from the old one.
        control.writingContent = true;
        SetWindowTextA(control.handle, value.text().c_str());
        control.writingContent = false;
        contentChanged(control);
    }
}

} // namespace

PropertyValue readProperty(WindowNumber window, ControlNumber control, int property, int)
{
    const WindowDefinition& definition = definedWindow(window);
    LoadedWindow* loaded = loadedWindow(window);
    if (isWindowItself(control))
        return readWindow(definition, loaded, property);
    const ControlDefinition& controlDefinition = definedControl(definition, control);
    if (!loaded) {
        if (auto stored = readStored(controlDefinition.place, controlDefinition.flags & FlagVisible,
                                     controlDefinition.flags & FlagDisabled, property))
            return *stored;
        fatalError("控件尚未载入。");
    }
    return readControl(*loaded->find(control), property);
}

void writeProperty(WindowNumber window, ControlNumber control, int property, int, const PropertyValue& value, int)
{
    const WindowDefinition& definition = definedWindow(window);
    LoadedWindow* loaded = loadedWindow(window);
    if (!loaded) {
        if (property < Property::Title)
            return;
        fatalError("窗口尚未载入。");
    }
    if (isWindowItself(control)) {
        if (property == Property::Visible && logical(value)) {
            ShowWindow(loaded->handle, SW_SHOW);
            return;
        }
        if (writeCommon(loaded->handle, property, value))
            return;
        if (property == Property::Position)
            writePosition(*loaded, value);
        else if (property == Property::Title)
            SetWindowTextA(loaded->handle, value.text().c_str());
        return;
    }
    definedControl(definition, control);
    writeControl(*loaded->find(control), property, value);
}
