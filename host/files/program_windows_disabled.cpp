#include "host/files/program_windows_disabled.h"

ProgramWindowsDisabled::ProgramWindowsDisabled() : foreground_(GetForegroundWindow()), active_(GetActiveWindow())
{
    EnumWindows(record, reinterpret_cast<LPARAM>(this));
    for (const Recorded& recorded : windows_)
        EnableWindow(recorded.window, FALSE);
}

ProgramWindowsDisabled::~ProgramWindowsDisabled()
{
    for (const Recorded& recorded : windows_) {
        if (IsWindow(recorded.window))
            EnableWindow(recorded.window, recorded.enabled);
    }
    if (IsWindow(foreground_))
        SetForegroundWindow(foreground_);
    if (IsWindow(active_))
        SetActiveWindow(active_);
}

BOOL CALLBACK ProgramWindowsDisabled::record(HWND window, LPARAM self)
{
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    if (process == GetCurrentProcessId())
        reinterpret_cast<ProgramWindowsDisabled*>(self)->windows_.push_back({window, IsWindowEnabled(window) != FALSE});
    return TRUE;
}
