#pragma once
// The toolkit's record of a loaded window and its controls.

#include <windows.h>

#include <memory>
#include <vector>

#include "host/types.h"
#include "host/ui/definition.h"
#include "host/ui/handles.h"

class PictureButtonWindow;

struct Control {
    const ControlDefinition* definition;
    HWND handle = nullptr; // none for a non-visual component
    // Common properties of a control that has no window of its own.
    Place place;
    bool visibleFlag;
    bool disabledFlag;
    // Colours a standard control asks its parent for (WM_CTLCOLOR*).
    GdiObject<HBRUSH> background;
    COLORREF textColour = 0;
    // An edit box whose Content is being written fires no change of its own.
    bool writingContent = false;
    PictureButtonWindow* button = nullptr;
};

struct LoadedWindow {
    const WindowDefinition* definition;
    HWND handle = nullptr;
    bool destroyPending = false;
    bool destroyedFired = false;
    int position = 0;
    GdiObject<HBRUSH> background;
    std::vector<Control> controls; // definition order; never resized once loaded

    Control* find(ControlNumber number);
    Control* byHandle(HWND handle);
};

// The loaded window with this number, or null.
LoadedWindow* loadedWindow(WindowNumber number);
// The loaded window that holds this window handle, or null.
LoadedWindow* loadedWindowOf(HWND anyWindow);
const WindowDefinition* windowDefinition(WindowNumber number);
