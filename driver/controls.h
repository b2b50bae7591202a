// Working the controls of another process's windows.
#pragma once

#include <windows.h>

#include <string>

// A window's text through WM_GETTEXT, which, unlike GetWindowText, also
// reaches the controls of another process; "<no answer>" from a hung one.
std::string ControlText(HWND control);

// Presses a dialog's button the way the button reports a click.
void PressButton(HWND dialog, int id);

// Brings `window` to the foreground as a click on it would, and waits until
// its program has taken that in.
bool Activate(HWND window);

// Types `key` as keyboard input when `window` could be brought to the
// foreground, else posts it to the window; true for real input.
bool TypeKey(HWND window, WORD key);
