// The main window: class TALVO, created from the template RUNNER.
#pragma once

#include <windows.h>

LRESULT CALLBACK LauncherWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
void CALLBACK ProbeTimerProc(HWND window, UINT message, UINT_PTR timer_id, DWORD time);
