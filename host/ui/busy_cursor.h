#pragma once
// The wait cursor while a handler works without dispatching messages; the
// cursor that was shown before comes back afterwards.

#include <windows.h>

class BusyCursor {
public:
    BusyCursor() : previous_(SetCursor(LoadCursorA(nullptr, IDC_WAIT))) {}
    BusyCursor(const BusyCursor&) = delete;
    BusyCursor& operator=(const BusyCursor&) = delete;
    ~BusyCursor() { SetCursor(previous_); }

private:
    HCURSOR previous_;
};
