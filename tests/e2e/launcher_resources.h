// start.exe's resources, read as data from the built program, and what its
// main window's template must hold.
#pragma once

#include <windows.h>

#include <string>

// The resource's bytes in German (Germany), or "" when there is none.
std::string LauncherResource(LPCSTR type, LPCSTR name);

struct RunnerButton {
    int id;
    const char *text;
    short x, y, cx, cy; // dialog units
    DWORD style;
};

// RUNNER's six push buttons, in template (and tab) order.
inline const RunnerButton kRunnerButtons[] = {
    {1003, "Starte Demo", 2, 2, 77, 15, 0x50010000},
    {1006, "Installiere Demo", 81, 2, 77, 15, 0x50030000},
    {1007, "Sound Configuration", 160, 2, 77, 15, 0x50010000},
    {1008, "Uninstall", 2, 19, 77, 15, 0x50010000},
    {1009, "Readme", 81, 19, 77, 15, 0x50010000},
    {1010, "Exit", 160, 19, 77, 15, 0x50010000},
};
