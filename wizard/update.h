#pragma once

// Asks the update server whether a newer wizard exists and, if the user agrees,
// fetches it onto the desktop, starts it and asks for this window to close once
// the installation run has finished behind it.
void checkForNewerWizard();
