// The frame's two title buttons.
#include "wizard/handlers.h"
#include "wizard/reading.h"

void closeWizard() { destroyWindow(WizardWindow, WindowItself); }

void minimiseWizard() { write(WindowItself, Property::Position, 2); }
