// The recording stand-in: a GUI program without a window that records how it
// was started and, when it runs as the sound tool, configures the sound.
#include "stand_in.h"

#include <windows.h>

#include <string>

static const DWORD kHoldLimitMs = 10000;

static std::string Env(const char *name) {
    char value[1024];
    DWORD length = GetEnvironmentVariableA(name, value, sizeof value);
    return length > 0 && length < sizeof value ? std::string(value, length) : std::string();
}

// The file name without directory and extension: "kora" for kora.exe.
static std::string OwnName() {
    char path[MAX_PATH];
    std::string name(path, GetModuleFileNameA(nullptr, path, sizeof path));
    name = name.substr(name.find_last_of("\\/") + 1);
    return name.substr(0, name.rfind('.'));
}

static void WriteFile(const std::string &path, const std::string &text, DWORD access,
                      DWORD disposition) {
    HANDLE file = CreateFileA(path.c_str(), access, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              disposition, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return;
    DWORD written;
    ::WriteFile(file, text.data(), (DWORD)text.size(), &written, nullptr);
    CloseHandle(file);
}

static void Record(const std::string &name) {
    std::string record = Env(STAND_IN_RECORD_VAR);
    if (record.empty())
        return;
    char directory[MAX_PATH];
    std::string line = name + '\t' + GetCommandLineA() + '\t' +
                       std::string(directory, GetCurrentDirectoryA(sizeof directory, directory));
    WriteFile(record, line + "\r\n", FILE_APPEND_DATA, OPEN_ALWAYS);
}

static void ConfigureSound() {
    CreateDirectoryA("drivers", nullptr);
    WriteFile("drivers\\dig.ini", STAND_IN_SOUND_CONFIG, GENERIC_WRITE, CREATE_ALWAYS);
}

static void HoldWhileAsked() {
    std::string event_name = Env(STAND_IN_HOLD_VAR);
    HANDLE event =
        event_name.empty() ? nullptr : OpenEventA(SYNCHRONIZE, FALSE, event_name.c_str());
    if (!event)
        return;
    WaitForSingleObject(event, kHoldLimitMs);
    CloseHandle(event);
}

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    std::string name = OwnName();
    Record(name);
    if (lstrcmpiA(name.c_str(), "setsound") == 0 && Env(STAND_IN_SOUND_WRITE_VAR) != "0")
        ConfigureSound();
    HoldWhileAsked();
    return 0;
}
