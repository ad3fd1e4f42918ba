#pragma once
// A small window for the toolkit's tests: a page holding a push button shaped
// by white, a check button, a group box with an edit box, and a label.

#include <string>
#include <vector>

#include "host/ui/definition.h"

constexpr WindowNumber TestWindow = 0x52010099;
constexpr ControlNumber TestPage = 0x16010001, TestPush = 0x16010002, TestCheck = 0x16010003,
                        TestEdit = 0x16010004, TestGroup = 0x16010005, TestLabel = 0x16010006,
                        TestComponent = 0x16010007;

// What the handlers saw, in order.
extern std::vector<std::string> events;
// Set by a test to run inside the push button's Clicked handler.
extern Handler onPushClicked;
extern Handler onContentChanged;

const WindowDefinition& testWindowDefinition();
