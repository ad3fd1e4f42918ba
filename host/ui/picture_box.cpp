#include <optional>

#include "host/ui/child_window.h"
#include "host/ui/controls.h"
#include "host/ui/picture.h"

namespace {

// A container that paints its background colour and picture; the window can be
// dragged by it.
class PictureBoxWindow : public ChildWindow {
public:
    PictureBoxWindow(const PictureBox& box, COLORREF windowBackground)
        : background_(CreateSolidBrush(box.backColour)),
          picture_(box.picture == NoPicture ? std::nullopt
                                            : Picture::decode(pictureBytes(box.picture), windowBackground))
    {
    }

    LRESULT handle(HWND window, UINT message, WPARAM wParam, LPARAM lParam) override
    {
        LRESULT result = 0;
        if (handleChildNotification(message, wParam, lParam, result))
            return result;
        switch (message) {
        case WM_ERASEBKGND:
            return TRUE;
        case WM_PAINT:
            paintBuffered(window, [this](HDC dc, const RECT& area) {
                FillRect(dc, &area, background_.get());
                if (!picture_)
                    return;
                MemoryDC source(dc);
                source.select(picture_->bitmap());
                BitBlt(dc, 0, 0, picture_->width(), picture_->height(), source.get(), 0, 0, SRCCOPY);
            });
            return 0;
        case WM_LBUTTONDOWN:
            startDrag(window);
            return 0;
        default:
            return ChildWindow::handle(window, message, wParam, lParam);
        }
    }

private:
    GdiObject<HBRUSH> background_;
    std::optional<Picture> picture_;
};

} // namespace

HWND createPictureBox(HWND parent, Control& control, const PictureBox& box, COLORREF windowBackground)
{
    return createToolkitWindow(std::make_unique<PictureBoxWindow>(box, windowBackground), 0,
                               WS_CHILD | WS_CLIPSIBLINGS | WS_CLIPCHILDREN, "", control.definition->place, parent);
}
