#pragma once

// The read-only multi-line edit control that shows the conversation.

#include <windows.h>

#include <string_view>

namespace chat {

class Transcript {
public:
    void attach(HWND edit);
    // Adds one line with the time in front and scrolls to it.
    void append(std::string_view text);

private:
    void dropOldestHalf();

    HWND edit_ = nullptr;
};

}  // namespace chat
