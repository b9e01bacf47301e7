// Tells which standard icon a message box shows, by comparing the pixels of its
// icon control on screen with the system's own icons (icon handles of another
// process cannot be read).
#pragma once

#include <windows.h>

// "error", "question", "warning", "information", or "unknown" when none matches.
const char* IdentifyStandardIcon(HWND iconControl);
