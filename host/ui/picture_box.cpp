#include <optional>

#include "host/ui/child_window.h"
#include "host/ui/controls.h"
#include "host/ui/picture.h"

namespace {

// A container that shows its background colour and picture.
class PictureBoxWindow : public BackgroundWindow {
public:
    PictureBoxWindow(const PictureBox& box, COLORREF windowBackground)
        : background_(CreateSolidBrush(box.backColour)),
          picture_(box.picture == NoPicture ? std::nullopt
                                            : Picture::decode(pictureBytes(box.picture), windowBackground))
    {
    }

private:
    void paint(HDC dc, const RECT& area) const override
    {
        FillRect(dc, &area, background_.get());
        if (picture_)
            picture_->draw(dc, 0, 0);
    }

    GdiObject<HBRUSH> background_;
    std::optional<Picture> picture_;
};

} // namespace

HWND createPictureBox(HWND parent, Control& control, const PictureBox& box, COLORREF windowBackground)
{
    return createToolkitWindow(std::make_unique<PictureBoxWindow>(box, windowBackground), 0,
                               controlStyle(*control.definition) | WS_CLIPCHILDREN, "", control.definition->place, parent);
}
