// Start-up: the host is readied, the window is loaded and shown, and events
// are dispatched until the window is gone.
#include <windows.h>

#include <ole2.h>

#include "host/ui/toolkit.h"
#include "wizard/controls.h"
#include "wizard/window_definition.h"

namespace {

// Programs started without a folder, and relative paths, use the folder that
// holds this executable.
void enterOwnFolder()
{
    char path[MAX_PATH];
    DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
    if (length == 0 || length >= MAX_PATH)
        return;
    // Cut at the last backslash, stepping over two-byte characters whose
    // second byte may look like one.
    char* lastBackslash = nullptr;
    for (char* p = path; *p; p = CharNextA(p))
        if (*p == '\\')
            lastBackslash = p;
    if (lastBackslash) {
        *lastBackslash = '\0';
        SetCurrentDirectoryA(path);
    }
}

} // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    // Shortcuts are written through COM, in a single-threaded apartment.
    OleInitialize(nullptr);
    enterOwnFolder();
    defineWindows({&wizardWindowDefinition()});

    loadWindow(WizardWindow);
    runMessageLoop();

    OleUninitialize();
    return 0;
}
