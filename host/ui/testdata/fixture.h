#pragma once
// Loads the test window for each test and destroys it afterwards.

#include <gtest/gtest.h>

#include "host/ui/loaded_window.h"
#include "host/ui/testdata/test_window.h"
#include "host/ui/testing/input.h"
#include "host/ui/toolkit.h"

class TestWindowFixture : public testing::Test {
protected:
    void SetUp() override
    {
        events.clear();
        onPushClicked = nullptr;
        onContentChanged = nullptr;
        // The mouse starts away from the window, so nothing begins in hover.
        input::moveTo(POINT{0, 0});
        defineWindows({&testWindowDefinition()});
        loadWindow(TestWindow);
        input::pump(150);
    }

    void TearDown() override
    {
        if (loadedWindow(TestWindow))
            destroyWindow(TestWindow, WindowItself, true);
        input::pump(50);
    }

    static HWND window() { return loadedWindow(TestWindow)->handle; }
    static HWND control(ControlNumber number) { return loadedWindow(TestWindow)->find(number)->handle; }
    static long long read(ControlNumber control, int property)
    {
        return readProperty(TestWindow, control, property).number();
    }
    static void write(ControlNumber control, int property, const PropertyValue& value)
    {
        writeProperty(TestWindow, control, property, -1, value);
    }
    static POINT at(ControlNumber number, int x, int y) { return input::onScreen(control(number), x, y); }
};
