#pragma once
// The wizard's handlers, bound to the window's events in its definition.

// Frame.
void closeWizard();    // CloseButton Clicked
void minimiseWizard(); // MinimizeButton Clicked

// Component choice and install path.
void fillInDefaultPath();           // WizardWindow Created
void serverTileClicked();           // ServerTile Clicked
void clientTileClicked();           // ClientTile Clicked
void browseForInstallPath();        // BrowseButton Clicked
void collapseDoubledBackslashes();  // InstallPathBox ContentChanged

// Installation run (which first checks for a newer wizard) and its end.
void installChosenPrograms();  // InstallButton Clicked
void removeStagingFiles();     // WizardWindow WillBeDestroyed

// Finish page.
void startChosenPrograms(); // FinishButton Clicked
