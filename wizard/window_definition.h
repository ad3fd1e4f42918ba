#pragma once

#include "host/ui/definition.h"

// The wizard's only window: the frame with its banner and title buttons, and
// the two pages at the same spot below it.
const WindowDefinition& wizardWindowDefinition();
