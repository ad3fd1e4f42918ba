#pragma once
// Real input for tests of windows: events go through SendInput, as a user's
// would, and are then dispatched.

#include <windows.h>

namespace input {

// Screen point of a client point of `window`.
POINT onScreen(HWND window, int x, int y);

void moveTo(POINT point);
void press(POINT point);
void release(POINT point);
void click(POINT point);
void doubleClick(POINT point);
// Press at `from`, move in steps to `to`, release there.
void drag(POINT from, POINT to);
// Queued only: the caller's message loop dispatches it.
void key(WORD virtualKey);

// Dispatches what is queued, for `milliseconds` at least.
void pump(int milliseconds = 100);

} // namespace input
