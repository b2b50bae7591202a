// Working the windows of other processes for the demo walk: starting and
// waiting for programs, finding their windows, clicking their buttons.
#pragma once

#include <windows.h>
#include <functional>

// Starts `program` with its path as the whole command line in `directory`;
// the handle is 0 when the start failed.
HANDLE StartProgram(const char *program, const char *directory);

// Opens the process that owns `window`, for waiting on it.
HANDLE ProcessOfWindow(HWND window);

bool WaitForEnd(HANDLE process, DWORD milliseconds);

// Polls `done` every 20 ms until it holds or `milliseconds` have passed.
bool WaitUntil(const std::function<bool()> &done, DWORD milliseconds);

// The first visible top-level window with this class and caption (null for
// any) that belongs to `process` (0 for any process).
HWND FindVisibleWindow(const char *class_name, const char *caption, HANDLE process);

HWND WaitForWindow(const char *class_name, const char *caption, HANDLE process, DWORD milliseconds);

// As a click on the button with this ID would: the command goes to `window`.
void PostCommand(HWND window, int id);

// Sends the key as keyboard input when `window` could be brought to the
// foreground, else posts it to the window; true for real input.
bool PressKey(HWND window, WORD key);
