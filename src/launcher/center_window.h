// Window placement shared by the main window and the secondary windows.
#pragma once

#include <windows.h>

// Centres `window` on `reference` (outer rectangles), keeping its size.
void CenterWindowOver(HWND window, HWND reference);
