#include <cstdio>
#include <thread>

#include "host/text/text.h"
#include "host/ui/testdata/fixture.h"

namespace {

using Toolkit = TestWindowFixture;

TEST_F(Toolkit, CreatedRunsBeforeTheWindowIsShownCentred)
{
    EXPECT_EQ(events.front(), "created");
    RECT rect;
    GetWindowRect(window(), &rect);
    EXPECT_EQ(rect.left, (GetSystemMetrics(SM_CXSCREEN) - 400) / 2);
    EXPECT_EQ(rect.top, (GetSystemMetrics(SM_CYSCREEN) - 300) / 2);
    EXPECT_EQ(rect.right - rect.left, 400);
    EXPECT_EQ(rect.bottom - rect.top, 300);
    EXPECT_EQ(read(WindowItself, Property::Visible), 1);
    EXPECT_EQ(readProperty(TestWindow, WindowItself, Property::Title).text(), "Toolkit test");
}

TEST_F(Toolkit, ControlsSitInTheirParentsAndTheComponentIsNeverShown)
{
    EXPECT_EQ(GetParent(control(TestEdit)), control(TestGroup));
    EXPECT_EQ(read(TestEdit, Property::Left), 10);
    EXPECT_EQ(read(TestEdit, Property::Top), 10);
    EXPECT_EQ(read(TestCheck, Property::Top), 100);
    EXPECT_EQ(read(TestComponent, Property::Visible), 0);
    EXPECT_EQ(read(TestComponent, Property::Left), 256);
    // Siblings are stacked in definition order, the first on top.
    EXPECT_EQ(GetWindow(control(TestPush), GW_HWNDNEXT), control(TestCheck));
}

TEST_F(Toolkit, VisibleIsTrueOnlyWhenEveryAncestorIsShown)
{
    write(TestPage, Property::Visible, 0);
    EXPECT_EQ(read(TestCheck, Property::Visible), 0);
    EXPECT_NE(GetWindowLongA(control(TestCheck), GWL_STYLE) & WS_VISIBLE, 0);
    write(TestPage, Property::Visible, 1);
    EXPECT_EQ(read(TestCheck, Property::Visible), 1);
}

TEST_F(Toolkit, LogicalValuesAreStoredAsOneAndDisabledLeavesCheckedAlone)
{
    write(TestCheck, Property::Checked, 7);
    EXPECT_EQ(read(TestCheck, Property::Checked), 1);
    write(TestCheck, Property::Disabled, 5);
    EXPECT_EQ(read(TestCheck, Property::Disabled), 1);
    EXPECT_EQ(read(TestCheck, Property::Checked), 1);
    write(TestCheck, Property::Disabled, 0);
    EXPECT_EQ(read(TestCheck, Property::Checked), 1);
    // Writes from code fire no event.
    EXPECT_EQ(events, std::vector<std::string>{"created"});
}

TEST_F(Toolkit, WritingContentFiresContentChangedOnceInsideTheWrite)
{
    write(TestEdit, Property::Content, "C:\\a");
    write(TestEdit, Property::Content, "C:\\a");
    EXPECT_EQ(events, (std::vector<std::string>{"created", "changed:C:\\a", "changed:C:\\a"}));
}

int nesting = 0;
int deepest = 0;

// Halves runs of backslashes until none is doubled, writing from inside its own event.
void collapse()
{
    ++nesting;
    deepest = std::max(deepest, nesting);
    Text text = readProperty(TestWindow, TestEdit, Property::Content).text();
    if (findText(text, "\\\\", std::nullopt, false) != -1)
        writeProperty(TestWindow, TestEdit, Property::Content, -1,
                      replaceText(text, "\\\\", "\\", std::nullopt, std::nullopt, true));
    --nesting;
}

TEST_F(Toolkit, ContentChangedReentersItselfToAnyDepth)
{
    nesting = deepest = 0;
    onContentChanged = collapse;
    write(TestEdit, Property::Content, "C:\\\\\\\\a\\\\\\b");
    EXPECT_EQ(readProperty(TestWindow, TestEdit, Property::Content).text(), "C:\\a\\b");
    EXPECT_EQ(deepest, 3);
    EXPECT_EQ(events.back(), "changed:C:\\a\\b");
}

void destroyThenKeepWorking()
{
    destroyWindow(TestWindow, WindowItself);
    writeProperty(TestWindow, TestEdit, Property::Content, -1, "after");
    events.push_back("still works:" + std::to_string(readProperty(TestWindow, TestCheck, Property::Checked).number()));
}

TEST_F(Toolkit, DestroyIsDeferredUntilTheHandlerHasReturned)
{
    onPushClicked = destroyThenKeepWorking;
    input::click(at(TestPush, 74, 26));
    input::pump(200);
    EXPECT_EQ(loadedWindow(TestWindow), nullptr);
    EXPECT_EQ(events, (std::vector<std::string>{"created", "push", "changed:after", "still works:0",
                                                "willBeDestroyed"}));
}

TEST_F(Toolkit, EscClosesThroughWillBeDestroyedAndEndsTheLoop)
{
    SetForegroundWindow(window());
    input::key(VK_ESCAPE);
    // Should Esc be lost, the window still goes and the test fails instead of hanging.
    SetTimer(window(), 1, 3000, [](HWND, UINT, UINT_PTR, DWORD) { destroyWindow(TestWindow, WindowItself, true); });
    runMessageLoop();
    EXPECT_EQ(loadedWindow(TestWindow), nullptr);
    EXPECT_EQ(events, (std::vector<std::string>{"created", "willBeDestroyed"}));
}

TEST_F(Toolkit, HeightKeepsTheTopLeftAndPositionOneCentres)
{
    RECT before, after;
    GetWindowRect(window(), &before);
    write(WindowItself, Property::Height, 210);
    GetWindowRect(window(), &after);
    EXPECT_EQ(after.left, before.left);
    EXPECT_EQ(after.top, before.top);
    EXPECT_EQ(after.bottom - after.top, 210);

    write(WindowItself, Property::Position, 1);
    GetWindowRect(window(), &after);
    EXPECT_EQ(after.left, (GetSystemMetrics(SM_CXSCREEN) - 400) / 2);
    EXPECT_EQ(after.top, (GetSystemMetrics(SM_CYSCREEN) - 210) / 2);
    EXPECT_EQ(read(WindowItself, Property::Position), 0);
}

TEST_F(Toolkit, PositionMinimisesOnlyAVisibleWindow)
{
    write(WindowItself, Property::Visible, 0);
    write(WindowItself, Property::Position, 2);
    EXPECT_FALSE(IsIconic(window()));
    EXPECT_FALSE(IsWindowVisible(window()));

    write(WindowItself, Property::Visible, 1);
    write(WindowItself, Property::Position, 2);
    input::pump();
    EXPECT_TRUE(IsIconic(window()));
    EXPECT_EQ(read(WindowItself, Property::Position), 2);
    write(WindowItself, Property::Position, 0);
    input::pump();
    EXPECT_FALSE(IsIconic(window()));
}

struct BoxAnswer {
    int button;
    std::string title;
    bool announce = false; // say on stderr that the box showed, before pressing
};

// Answers the next message box of this process with `button` and notes its title.
std::thread answerBox(BoxAnswer& answer)
{
    return std::thread([&answer] {
        for (int tries = 0; tries < 200; ++tries) {
            HWND box = FindWindowA("#32770", nullptr);
            DWORD process = 0;
            if (box)
                GetWindowThreadProcessId(box, &process);
            if (box && process == GetCurrentProcessId()) {
                char title[64] = {};
                GetWindowTextA(box, title, sizeof(title));
                answer.title = title;
                if (answer.announce) {
                    std::fputs("an error box showed\n", stderr);
                    std::fflush(stderr);
                }
                PostMessageA(box, WM_COMMAND, MAKEWPARAM(answer.button, BN_CLICKED), 0);
                return;
            }
            Sleep(25);
        }
    });
}

struct MessageCase {
    int flags;
    std::optional<Text> title;
    int button;
    int expectedAnswer;
    const char* expectedTitle;
};

class ShowMessage : public testing::TestWithParam<MessageCase> {};

TEST_P(ShowMessage, MapsTheButtonPressedAndDefaultsTheTitle)
{
    const auto& c = GetParam();
    BoxAnswer answer{c.button, {}};
    std::thread answering = answerBox(answer);
    int result = showMessage("测试", c.flags, c.title);
    answering.join();
    EXPECT_EQ(result, c.expectedAnswer);
    EXPECT_EQ(answer.title, c.expectedTitle);
}

TEST_F(Toolkit, TheWindowIsActiveAgainAfterAMessageBox)
{
    SetActiveWindow(window());
    BoxAnswer answer{IDOK, {}};
    std::thread answering = answerBox(answer);
    showMessage("测试", 48, Text("警告："));
    answering.join();
    EXPECT_EQ(GetActiveWindow(), window());
}

INSTANTIATE_TEST_SUITE_P(Answers, ShowMessage, testing::Values(
    MessageCase{36, Text("提示："), IDYES, 5, "提示："},
    MessageCase{36, Text("提示："), IDNO, 6, "提示："},
    MessageCase{48, Text("警告："), IDOK, 0, "警告："},
    MessageCase{0x40000, std::nullopt, IDOK, 0, "信息："}));

} // namespace

namespace {

struct FatalCase {
    const char* name;
    void (*call)();
};

class FatalError : public testing::TestWithParam<FatalCase> {};

// The error box is answered by a thread of the dying process itself.
void misuse(void (*call)())
{
    static BoxAnswer answer{IDOK, {}, true};
    answerBox(answer).detach();
    defineWindows({&testWindowDefinition()});
    call();
}

TEST_P(FatalError, ShowsAnErrorBoxThenEndsTheProgramWithMinusOne)
{
    EXPECT_EXIT(misuse(GetParam().call), testing::ExitedWithCode(-1), "an error box showed");
}

INSTANTIATE_TEST_SUITE_P(Misuse, FatalError, testing::Values(
    FatalCase{"LoadUndefinedWindow", [] { loadWindow(0x52019999); }},
    FatalCase{"ReadOfUndefinedWindow", [] { readProperty(0x52019999, WindowItself, Property::Visible); }},
    FatalCase{"KindPropertyOfWindowNotLoaded", [] { readProperty(TestWindow, TestCheck, Property::Checked); }},
    FatalCase{"DestroyWindowNotLoaded", [] { destroyWindow(TestWindow, WindowItself); }}),
    [](const testing::TestParamInfo<FatalCase>& info) { return info.param.name; });

TEST(CommonProperties, OfAWindowNotLoadedComeFromTheDefinition)
{
    defineWindows({&testWindowDefinition()});
    EXPECT_EQ(readProperty(TestWindow, TestCheck, Property::Top).number(), 100);
    EXPECT_EQ(readProperty(TestWindow, WindowItself, Property::Width).number(), 400);
}

} // namespace
