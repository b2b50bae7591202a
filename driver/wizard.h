// The installer's and uninstaller's wizard windows, which belong to programs
// the driver did not start: found by their captions, worked by their buttons.
#pragma once

#include <windows.h>

#include <string>

// The visible top-level dialog of any process whose caption begins with
// `prefix`: a wizard adds the name of its page to its caption.
HWND WaitDialogTitled(const std::string &prefix, DWORD timeout_ms = 15000);

// Waits until the dialog's button `id` is enabled and reads `text` ('&'
// marks left out), as a wizard's one button does once its page is ready.
bool ButtonReady(HWND dialog, int id, const std::string &text, DWORD timeout_ms = 15000);
