#pragma once
// The picture button: push-type or check-type, drawn from up to four pictures,
// optionally shaped by a transparent colour. It reacts to the left mouse button
// only and fires Clicked on a completed click.

#include <windows.h>

#include <optional>

#include "host/ui/child_window.h"
#include "host/ui/definition.h"
#include "host/ui/picture.h"

class PictureButtonWindow : public PaintedWindow {
public:
    PictureButtonWindow(const PictureButton& definition, COLORREF windowBackground, Handler clicked);

    int checked() const { return checked_; }
    void writeChecked(bool checked);
    // Re-reads the enabled state after a write of Disabled.
    void enabledChanged();

    LRESULT handle(HWND window, UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    enum class Display { Normal, Hover, Pressed };

    const Picture* shownPicture() const;
    void setDisplay(Display display);
    void refresh();
    bool contains(POINT point) const;
    void onMouseMove(POINT point, bool leftHeld);
    void onPress();
    void onRelease(POINT point);
    void paint(HDC dc, const RECT& area) const override;

    HWND window_ = nullptr;
    ButtonType type_;
    bool checked_;
    Display display_;
    Colour transparentColour_;
    Handler clicked_;
    std::optional<Picture> normal_, hover_, pressed_, disabled_;
    const Picture* shapedBy_ = nullptr;
};
