#pragma once
// The folders the platform keeps for the user and for itself.

#include "host/types.h"

// Kinds: 1 documents, 2 favourites, 3 desktop, 4 fonts, 5 start menu,
// 6 start-menu programs, 7 start-up, 8 application data (all of the current
// user), 9 Windows, 10 system, 11 temporary files. The path ends in exactly one
// backslash; empty for any other kind or when the platform has no such folder.
// A special folder that does not exist is never created here.
Text getSpecialFolder(int kind);
