#pragma once
// The toolkit's own window classes share one window procedure: each window
// carries an object, attached at WM_NCCREATE and deleted at WM_NCDESTROY, that
// handles its messages.

#include <windows.h>

#include <functional>
#include <memory>

#include "host/types.h"
#include "host/ui/definition.h"

class ChildWindow {
public:
    virtual ~ChildWindow() = default;
    virtual LRESULT handle(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
};

// Creates a window of the toolkit's class that `object` handles.
HWND createToolkitWindow(std::unique_ptr<ChildWindow> object, DWORD exStyle, DWORD style, const char* title,
                         const Place& place, HWND parent);

// Paints through an off-screen bitmap of the window's size, copied in one step.
void paintBuffered(HWND window, const std::function<void(HDC, const RECT&)>& paint);

// A left press that should move the window, where the window allows it.
void startDrag(HWND pressed);

// Colours and change notifications that standard controls send their parent.
bool handleChildNotification(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);

// The bytes of a picture resource; empty when the program has none with that id.
ByteView pictureBytes(PictureId id);
