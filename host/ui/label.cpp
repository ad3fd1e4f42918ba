#include "host/ui/child_window.h"
#include "host/ui/controls.h"

namespace {

class LabelWindow : public BackgroundWindow {
public:
    explicit LabelWindow(const Label& label) : label_(label), background_(CreateSolidBrush(label.backColour)) {}

private:
    void paint(HDC dc, const RECT& area) const override
    {
        FillRect(dc, &area, background_.get());
        SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
        SetTextColor(dc, label_.textColour);
        SetBkMode(dc, TRANSPARENT);
        static const UINT horizontal[] = {DT_LEFT, DT_CENTER, DT_RIGHT};
        static const UINT vertical[] = {DT_TOP, DT_VCENTER, DT_BOTTOM};
        UINT format = horizontal[label_.horizontalAlignment % 3] | DT_NOPREFIX;
        // Vertical placement needs a single line.
        format |= label_.wordWrap ? DT_WORDBREAK : (DT_SINGLELINE | vertical[label_.verticalAlignment % 3]);
        RECT text = area;
        DrawTextA(dc, label_.caption, -1, &text, format);
    }

    Label label_;
    GdiObject<HBRUSH> background_;
};

} // namespace

HWND createLabel(HWND parent, Control& control, const Label& label)
{
    return createToolkitWindow(std::make_unique<LabelWindow>(label), 0, controlStyle(*control.definition), "",
                               control.definition->place, parent);
}
