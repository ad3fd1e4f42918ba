#include "host/ui/testing/input.h"

namespace input {

namespace {

void sendMouse(POINT point, DWORD flags)
{
    INPUT event{};
    event.type = INPUT_MOUSE;
    // Absolute coordinates run from 0 to 65535 across the primary screen.
    event.mi.dx = LONG((point.x * 65536 + GetSystemMetrics(SM_CXSCREEN) - 1) / GetSystemMetrics(SM_CXSCREEN));
    event.mi.dy = LONG((point.y * 65536 + GetSystemMetrics(SM_CYSCREEN) - 1) / GetSystemMetrics(SM_CYSCREEN));
    event.mi.dwFlags = MOUSEEVENTF_ABSOLUTE | MOUSEEVENTF_MOVE | flags;
    SendInput(1, &event, sizeof(event));
    pump(30);
}

} // namespace

POINT onScreen(HWND window, int x, int y)
{
    POINT point{x, y};
    ClientToScreen(window, &point);
    return point;
}

void moveTo(POINT point) { sendMouse(point, 0); }
void press(POINT point) { sendMouse(point, MOUSEEVENTF_LEFTDOWN); }
void release(POINT point) { sendMouse(point, MOUSEEVENTF_LEFTUP); }

void click(POINT point)
{
    moveTo(point);
    press(point);
    release(point);
}

void doubleClick(POINT point)
{
    moveTo(point);
    press(point);
    release(point);
    press(point);
    release(point);
}

void drag(POINT from, POINT to)
{
    moveTo(from);
    press(from);
    for (int step = 1; step <= 5; ++step)
        moveTo(POINT{from.x + (to.x - from.x) * step / 5, from.y + (to.y - from.y) * step / 5});
    release(to);
}

void key(WORD virtualKey)
{
    INPUT events[2]{};
    events[0].type = events[1].type = INPUT_KEYBOARD;
    events[0].ki.wVk = events[1].ki.wVk = virtualKey;
    events[1].ki.dwFlags = KEYEVENTF_KEYUP;
    SendInput(2, events, sizeof(INPUT));
}

void pump(int milliseconds)
{
    DWORD end = GetTickCount() + DWORD(milliseconds);
    do {
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
        Sleep(5);
    } while (LONG(GetTickCount() - end) < 0);
}

} // namespace input
