#include "host/ui/picture_button.h"

#include <windowsx.h>

#include "host/ui/controls.h"

namespace {

std::optional<Picture> load(PictureId id, COLORREF background)
{
    if (id == NoPicture)
        return std::nullopt;
    return Picture::decode(pictureBytes(id), background);
}

} // namespace

PictureButtonWindow::PictureButtonWindow(const PictureButton& definition, COLORREF windowBackground, Handler clicked)
    : type_(definition.type), checked_(definition.checked != 0),
      display_(definition.type == ButtonType::Check && definition.checked ? Display::Pressed : Display::Normal),
      transparentColour_(definition.transparentColour), clicked_(clicked),
      normal_(load(definition.pictures.normal, windowBackground)),
      hover_(load(definition.pictures.hover, windowBackground)),
      pressed_(load(definition.pictures.pressed, windowBackground)),
      disabled_(load(definition.pictures.disabled, windowBackground))
{
}

void PictureButtonWindow::writeChecked(bool checked)
{
    if (type_ != ButtonType::Check)
        return;
    checked_ = checked;
    setDisplay(checked ? Display::Pressed : Display::Normal);
}

void PictureButtonWindow::enabledChanged() { refresh(); }

const Picture* PictureButtonWindow::shownPicture() const
{
    if (!IsWindowEnabled(window_) && disabled_)
        return &*disabled_;
    if (display_ == Display::Hover && hover_)
        return &*hover_;
    if (display_ == Display::Pressed && pressed_)
        return &*pressed_;
    return normal_ ? &*normal_ : nullptr;
}

void PictureButtonWindow::setDisplay(Display display)
{
    display_ = display;
    refresh();
}

// Repaints at once and, for a shaped button, recomputes the shape when the
// picture shown has changed.
void PictureButtonWindow::refresh()
{
    if (!window_)
        return;
    const Picture* shown = shownPicture();
    if (transparentColour_ != NoColour && shown != shapedBy_) {
        shapedBy_ = shown;
        SetWindowRgn(window_, shown ? shown->shapeWithout(transparentColour_).release() : nullptr, TRUE);
    }
    InvalidateRect(window_, nullptr, FALSE);
    UpdateWindow(window_);
}

bool PictureButtonWindow::contains(POINT point) const
{
    RECT area;
    GetClientRect(window_, &area);
    if (!PtInRect(&area, point))
        return false;
    GdiObject<HRGN> shape(CreateRectRgn(0, 0, 0, 0));
    if (GetWindowRgn(window_, shape.get()) == ERROR)
        return true;
    return PtInRegion(shape.get(), point.x, point.y) != FALSE;
}

void PictureButtonWindow::onMouseMove(POINT point, bool leftHeld)
{
    if (type_ == ButtonType::Check || !IsWindowEnabled(window_)) {
        if (GetCapture() == window_)
            ReleaseCapture();
        return;
    }
    if (contains(point)) {
        // Capturing tells us when the mouse leaves.
        if (GetCapture() != window_)
            SetCapture(window_);
        Display wanted = leftHeld ? Display::Pressed : Display::Hover;
        if (display_ != wanted)
            setDisplay(wanted);
        return;
    }
    if (display_ != Display::Normal)
        setDisplay(Display::Normal);
    // While the button is held the release must still come here.
    if (!leftHeld && GetCapture() == window_)
        ReleaseCapture();
}

void PictureButtonWindow::onPress()
{
    if (type_ != ButtonType::Push || !IsWindowEnabled(window_))
        return;
    SetCapture(window_);
    setDisplay(Display::Pressed);
}

void PictureButtonWindow::onRelease(POINT point)
{
    if (GetCapture() == window_)
        ReleaseCapture();
    if (!contains(point) || !IsWindowEnabled(window_)) {
        if (type_ == ButtonType::Push && display_ != Display::Normal)
            setDisplay(Display::Normal);
        return;
    }
    if (type_ == ButtonType::Check) {
        checked_ = !checked_;
        setDisplay(checked_ ? Display::Pressed : Display::Normal);
    } else {
        setDisplay(Display::Normal);
    }
    if (clicked_)
        clicked_();
}

void PictureButtonWindow::paint(HDC dc, const RECT& area) const
{
    FillRect(dc, &area, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    if (const Picture* shown = shownPicture())
        shown->draw(dc, 0, 0);
}

LRESULT PictureButtonWindow::handle(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    POINT point{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    switch (message) {
    case WM_CREATE:
        window_ = window;
        refresh();
        return 0;
    case WM_ENABLE:
        refresh();
        return 0;
    case WM_MOUSEMOVE:
        onMouseMove(point, (wParam & MK_LBUTTON) != 0);
        return 0;
    case WM_LBUTTONDOWN:
        onPress();
        return 0;
    case WM_LBUTTONDBLCLK: // the second press of a double click is ignored
        return 0;
    case WM_LBUTTONUP:
        onRelease(point);
        return 0;
    case WM_CAPTURECHANGED:
        if (type_ == ButtonType::Push && display_ != Display::Normal && reinterpret_cast<HWND>(lParam) != window)
            setDisplay(Display::Normal);
        return 0;
    default:
        return PaintedWindow::handle(window, message, wParam, lParam);
    }
}

HWND createPictureButton(HWND parent, Control& control, const PictureButton& button, COLORREF windowBackground)
{
    auto object = std::make_unique<PictureButtonWindow>(button, windowBackground, control.definition->binding.handler);
    control.button = object.get();
    return createToolkitWindow(std::move(object), 0, controlStyle(*control.definition), "", control.definition->place, parent);
}
