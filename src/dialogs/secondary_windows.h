// The readme viewer and the about box: modeless windows owned by the main
// window, both driven by SecondaryDlgProc.
#pragma once

#include <windows.h>

// Opens the one readme viewer, re-reading the readme; does nothing while a
// viewer is open or when the file cannot be read.
void OpenReadmeViewer();

// Opens one more about box.
void OpenAboutBox();

INT_PTR CALLBACK SecondaryDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
