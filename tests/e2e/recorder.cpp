// The recording stand-in: a GUI program without a window that records how it
// was started and, when it runs as the sound tool, configures the sound.
#include "stand_in.h"

#include <windows.h>

#include <direct.h>
#include <stdio.h>
#include <stdlib.h>

#include <string>

static const DWORD kHoldLimitMs = 10000;

static std::string Env(const char *name) {
    const char *value = getenv(name);
    return value ? value : "";
}

// The file name without directory and extension: "kora" for kora.exe.
static std::string OwnName() {
    char path[MAX_PATH];
    std::string name(path, GetModuleFileNameA(nullptr, path, sizeof path));
    name = name.substr(name.find_last_of("\\/") + 1);
    return name.substr(0, name.rfind('.'));
}

static void WriteText(const std::string &path, const char *mode, const std::string &text) {
    if (FILE *file = fopen(path.c_str(), mode)) {
        fputs(text.c_str(), file);
        fclose(file);
    }
}

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    std::string name = OwnName();
    char directory[MAX_PATH];
    GetCurrentDirectoryA(sizeof directory, directory);
    if (!Env(STAND_IN_RECORD_VAR).empty())
        WriteText(Env(STAND_IN_RECORD_VAR), "ab",
                  name + '\t' + GetCommandLineA() + '\t' + directory + "\r\n");
    if (lstrcmpiA(name.c_str(), "setsound") == 0 && Env(STAND_IN_SOUND_WRITE_VAR) != "0") {
        _mkdir("drivers");
        WriteText("drivers\\dig.ini", "wb", STAND_IN_SOUND_CONFIG);
    }
    // Held until the test lets it end, so that it can look at the launcher
    // while this program still runs.
    if (HANDLE event = OpenEventA(SYNCHRONIZE, FALSE, Env(STAND_IN_HOLD_VAR).c_str())) {
        WaitForSingleObject(event, kHoldLimitMs);
        CloseHandle(event);
    }
    return 0;
}
