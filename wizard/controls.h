#pragma once
// How the wizard's code names its window and the window's controls.

#include "host/ui/definition.h"

constexpr WindowNumber WizardWindow = 0x52010001;

// Frame.
constexpr ControlNumber ZipExtractor = 0x16010051;
constexpr ControlNumber BannerPicture = 0x16010045;
constexpr ControlNumber CloseButton = 0x16010009;
constexpr ControlNumber MinimizeButton = 0x16010008;

// Options page.
constexpr ControlNumber OptionsPage = 0x160100C3;
constexpr ControlNumber ServerTile = 0x160100C4;
constexpr ControlNumber ClientTile = 0x160100C5;
constexpr ControlNumber PathLabel = 0x160100CD;
constexpr ControlNumber PathGroup = 0x160100C7;
constexpr ControlNumber InstallPathBox = 0x160100C8;
constexpr ControlNumber BrowseButton = 0x160100C9;
constexpr ControlNumber ShortcutOption = 0x160100CA;
constexpr ControlNumber LexiconOption = 0x160100CB;
constexpr ControlNumber InstallButton = 0x160100CC;

// Finish page.
constexpr ControlNumber FinishPage = 0x160100CE;
constexpr ControlNumber RunServerOption = 0x160100CF;
constexpr ControlNumber RunClientOption = 0x160100D0;
constexpr ControlNumber FinishButton = 0x160100D1;
