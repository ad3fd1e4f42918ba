#include "host/ui/testdata/fixture.h"

namespace {

using PictureButtonInput = TestWindowFixture;

// The colour the button shows at a client point.
COLORREF shown(ControlNumber button, int x, int y)
{
    HWND window = loadedWindow(TestWindow)->find(button)->handle;
    HDC dc = GetDC(window);
    COLORREF colour = GetPixel(dc, x, y);
    ReleaseDC(window, dc);
    return colour;
}

// Inside the check box square: empty white when unticked, blue when ticked,
// and the whole square is outlined grey when disabled.
const POINT TickSpot{8, 12};
const POINT BoxEdge{1, 12};

bool looksTicked() { return GetBValue(shown(TestCheck, TickSpot.x, TickSpot.y)) > 150 &&
                            GetRValue(shown(TestCheck, TickSpot.x, TickSpot.y)) < 150; }

TEST_F(PictureButtonInput, CheckTypeTogglesBeforeClickedFires)
{
    input::click(at(TestCheck, 60, 12));
    EXPECT_EQ(read(TestCheck, Property::Checked), 1);
    EXPECT_TRUE(looksTicked());
    input::click(at(TestCheck, 60, 12));
    EXPECT_EQ(read(TestCheck, Property::Checked), 0);
    EXPECT_FALSE(looksTicked());
    EXPECT_EQ(events, (std::vector<std::string>{"created", "check:1", "check:0"}));
}

TEST_F(PictureButtonInput, DoubleClickCountsAsTwoClicks)
{
    input::doubleClick(at(TestCheck, 60, 12));
    EXPECT_EQ(events, (std::vector<std::string>{"created", "check:1", "check:0"}));
    EXPECT_EQ(read(TestCheck, Property::Checked), 0);
}

TEST_F(PictureButtonInput, DisabledButtonIgnoresClicksAndShowsItsDisabledPicture)
{
    write(TestCheck, Property::Checked, 1);
    EXPECT_TRUE(looksTicked());
    write(TestCheck, Property::Disabled, 1);
    COLORREF edge = shown(TestCheck, BoxEdge.x, BoxEdge.y);
    EXPECT_FALSE(looksTicked());
    EXPECT_LT(std::abs(int(GetRValue(edge)) - int(GetBValue(edge))), 20) << "grey outline expected";
    input::click(at(TestCheck, 60, 12));
    EXPECT_EQ(read(TestCheck, Property::Checked), 1);
    EXPECT_EQ(events, std::vector<std::string>{"created"});
    write(TestCheck, Property::Disabled, 0);
    EXPECT_TRUE(looksTicked());
}

TEST_F(PictureButtonInput, PushTypeShowsHoverAndPressedAndFiresOnReleaseInside)
{
    COLORREF normal = shown(TestPush, 74, 40);
    input::moveTo(at(TestPush, 74, 40));
    COLORREF hover = shown(TestPush, 74, 40);
    EXPECT_NE(hover, normal);
    input::press(at(TestPush, 74, 40));
    COLORREF pressed = shown(TestPush, 74, 40);
    EXPECT_NE(pressed, hover);
    EXPECT_NE(pressed, normal);
    input::release(at(TestPush, 74, 40));
    EXPECT_EQ(events, (std::vector<std::string>{"created", "push"}));
    EXPECT_EQ(read(TestPush, Property::Checked), 0);
}

TEST_F(PictureButtonInput, ReleaseOutsideFiresNothingAndRestoresTheNormalPicture)
{
    COLORREF normal = shown(TestPush, 74, 40);
    input::press(at(TestPush, 74, 40));
    input::moveTo(at(TestPage, 300, 250));
    input::release(at(TestPage, 300, 250));
    EXPECT_EQ(events, std::vector<std::string>{"created"});
    EXPECT_EQ(shown(TestPush, 74, 40), normal);
}

TEST_F(PictureButtonInput, PureWhitePixelsAreCutOutOfTheShape)
{
    HRGN shape = CreateRectRgn(0, 0, 0, 0);
    ASSERT_NE(GetWindowRgn(control(TestPush), shape), ERROR);
    EXPECT_FALSE(PtInRegion(shape, 1, 1));
    EXPECT_TRUE(PtInRegion(shape, 74, 26));
    DeleteObject(shape);

    input::click(at(TestPush, 1, 1));
    EXPECT_EQ(events, std::vector<std::string>{"created"});
    input::click(at(TestPush, 20, 26));
    EXPECT_EQ(events, (std::vector<std::string>{"created", "push"}));
}

} // namespace
