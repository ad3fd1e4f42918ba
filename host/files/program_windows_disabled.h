#pragma once
// Keeps user input away from the program while a modal chooser runs: for its
// lifetime every top-level window of the program is disabled; afterwards each
// gets its former enabled state back and the former foreground and active
// windows return, each only if it still exists.

#include <windows.h>

#include <vector>

class ProgramWindowsDisabled {
public:
    ProgramWindowsDisabled();
    ProgramWindowsDisabled(const ProgramWindowsDisabled&) = delete;
    ProgramWindowsDisabled& operator=(const ProgramWindowsDisabled&) = delete;
    ~ProgramWindowsDisabled();

private:
    struct Recorded {
        HWND window;
        bool enabled;
    };

    static BOOL CALLBACK record(HWND window, LPARAM self);

    HWND foreground_;
    HWND active_;
    std::vector<Recorded> windows_;
};
