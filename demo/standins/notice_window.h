// The small window through which a stand-in shows that it runs, so that a
// screenshot of the demo can catch it.
#pragma once

#include <windows.h>

// Creates the window centred on the screen, shows and paints it.
HWND ShowNotice(const char *caption, const char *text);

// Handles the window's messages for `milliseconds`, or until the user closes
// it, then destroys it.
void HoldNotice(HWND window, DWORD milliseconds);
