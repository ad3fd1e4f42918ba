#pragma once
// The toolkit's own window classes share one window procedure: each window
// carries an object, attached at WM_NCCREATE and deleted at WM_NCDESTROY, that
// handles its messages.

#include <windows.h>

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

// A window that paints itself through an off-screen bitmap of its size, copied
// in one step, so that it never flickers.
class PaintedWindow : public ChildWindow {
public:
    LRESULT handle(HWND window, UINT message, WPARAM wParam, LPARAM lParam) override;

protected:
    virtual void paint(HDC dc, const RECT& area) const = 0;
};

// A painted surface the window can be dragged by (its background, a picture
// box, a label), holding controls of its own.
class BackgroundWindow : public PaintedWindow {
public:
    LRESULT handle(HWND window, UINT message, WPARAM wParam, LPARAM lParam) override;
};

// A left press that should move the window, where the window allows it.
void startDrag(HWND pressed);

// Colours and change notifications that standard controls send their parent.
bool handleChildNotification(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);

// The bytes of a picture resource; empty when the program has none with that id.
ByteView pictureBytes(PictureId id);
