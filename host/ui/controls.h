#pragma once
// Creating the visual controls of a window, hidden, one function per kind.

#include <windows.h>

#include "host/ui/definition.h"
#include "host/ui/loaded_window.h"

// A hidden child window with the disabled and tab-stop flags of the definition.
DWORD controlStyle(const ControlDefinition& definition);

HWND createPictureBox(HWND parent, Control& control, const PictureBox& box, COLORREF windowBackground);
HWND createPictureButton(HWND parent, Control& control, const PictureButton& button, COLORREF windowBackground);
HWND createEditBox(HWND parent, Control& control, const EditBox& box);
HWND createLabel(HWND parent, Control& control, const Label& label);
HWND createGroupBox(HWND parent, Control& control, const GroupBox& box);

// Fires an edit box's ContentChanged.
void contentChanged(const Control& control);
