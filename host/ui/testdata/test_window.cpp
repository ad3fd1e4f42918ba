#include "host/ui/testdata/test_window.h"

#include "host/ui/testdata/pictures.h"
#include "host/ui/toolkit.h"

std::vector<std::string> events;
Handler onPushClicked = nullptr;
Handler onContentChanged = nullptr;

namespace {

void pushClicked()
{
    events.push_back("push");
    if (onPushClicked)
        onPushClicked();
}

void checkClicked()
{
    events.push_back("check:" + std::to_string(readProperty(TestWindow, TestCheck, Property::Checked).number()));
}

void editChanged()
{
    events.push_back("changed:" + readProperty(TestWindow, TestEdit, Property::Content).text());
    if (onContentChanged)
        onContentChanged();
}

void created() { events.push_back("created"); }
void willBeDestroyed() { events.push_back("willBeDestroyed"); }

const unsigned V = FlagVisible;

} // namespace

const WindowDefinition& testWindowDefinition()
{
    static const WindowDefinition definition{
        TestWindow, "Toolkit test", {50, 50, 400, 300}, 0, 0x00FFFFFF, 1,
        // Not dragged by its background: a drag runs a modal loop that would wait for
        // input the test itself has yet to send.
        HasMinimizeBox | HasControlBox | IsMovable | ClosesOnEsc | ShownInTaskbar | StartsVisible,
        created, willBeDestroyed,
        {
            {TestPush, "push", TestPage, {10, 10, 148, 53}, V,
             PictureButton{ButtonType::Push, 0, 0x00FFFFFF,
                           {TEST_BUTTON_NORMAL, TEST_BUTTON_HOVER, TEST_BUTTON_PRESSED, NoPicture}},
             {Event::Clicked, pushClicked}},
            {TestCheck, "check", TestPage, {10, 100, 165, 25}, V,
             PictureButton{ButtonType::Check, 0, NoColour,
                           {TEST_CHECK_NORMAL, NoPicture, TEST_CHECK_PRESSED, TEST_CHECK_DISABLED}},
             {Event::Clicked, checkClicked}},
            {TestEdit, "edit", TestGroup, {10, 10, 200, 20}, V,
             EditBox{"", InputMode::ReadOnly, 0, 0x00000000, 0x00FFFFFF, true, 0, false, 0, '*'},
             {Event::ContentChanged, editChanged}},
            {TestLabel, "label", TestPage, {10, 140, 80, 25}, V,
             Label{"标签：", 0, 0x00606060, 0x00FFFFFF, 0, 1, false}, {}},
            {TestPage, "page", OnWindow, {0, 0, 400, 300}, V, PictureBox{0, 0x00FFFFFF, NoPicture}, {}},
            {TestComponent, "component", OnWindow, {256, 0, 26, 26}, 0, Component{}, {}},
            {TestGroup, "group", TestPage, {10, 180, 300, 40}, V, GroupBox{"", 0, 0, 0x00FFFFFF}, {}},
        }};
    return definition;
}
