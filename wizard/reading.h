#pragma once
// The handlers keep no state: every decision reads a control of the window.

#include "host/ui/toolkit.h"
#include "wizard/controls.h"

inline bool isChecked(ControlNumber control)
{
    return readProperty(WizardWindow, control, Property::Checked).number() == 1;
}

inline bool isEnabled(ControlNumber control)
{
    return readProperty(WizardWindow, control, Property::Disabled).number() == 0;
}

// Disabled is read first, Checked only when the control is enabled.
inline bool isEnabledAndChecked(ControlNumber control) { return isEnabled(control) && isChecked(control); }

inline Text installPath() { return readProperty(WizardWindow, InstallPathBox, Property::Content).text(); }

inline void write(ControlNumber control, int property, const PropertyValue& value)
{
    writeProperty(WizardWindow, control, property, -1, value);
}
