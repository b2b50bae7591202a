#include "fixture.h"

#include "bench_files.h"
#include "bmp_file.h"

#include <windows.h>
#include <stdio.h>

static const char kInstallKey[] = "SOFTWARE\\Halvorn\\Kora Manager DEMO\\Data";

std::string MediumProgram(const Fixture &fixture, const char *name) {
    return fixture.medium + name;
}

static bool SetString(HKEY key, const char *name, const std::string &value) {
    return RegSetValueExA(key, name, 0, REG_SZ, (const BYTE *)value.c_str(),
                          (DWORD)value.size() + 1) == ERROR_SUCCESS;
}

static bool WriteInstallKey(const std::string &install_dir) {
    HKEY key;
    if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, kInstallKey, 0, nullptr, 0, KEY_WRITE, nullptr, &key,
                        nullptr) != ERROR_SUCCESS)
        return false;
    std::string uninstall = install_dir + "\\uninst.exe -f" + install_dir + "\\install.log";
    bool ok =
        SetString(key, "Kora Pro Path", install_dir) && SetString(key, "Uninstall", uninstall);
    RegCloseKey(key);
    return ok;
}

void RemoveInstallKey() {
    // RegDeleteKeyA refuses a key that still has subkeys, so a parent that
    // holds anything else stays.
    RegDeleteKeyA(HKEY_LOCAL_MACHINE, kInstallKey);
    RegDeleteKeyA(HKEY_LOCAL_MACHINE, "SOFTWARE\\Halvorn\\Kora Manager DEMO");
    RegDeleteKeyA(HKEY_LOCAL_MACHINE, "SOFTWARE\\Halvorn");
}

// The probe only opens these files, so their content does not matter.
static bool WriteInstallation(const std::string &dir) {
    CreateDirectoryA(dir.c_str(), nullptr);
    CreateDirectoryA((dir + "\\drivers").c_str(), nullptr);
    return WriteWholeFile(dir + "\\kora.exe", "MZ") &&
           WriteWholeFile(dir + "\\drivers\\dig.ini", "\r\n");
}

// setup.exe and kora.exe in the medium's root make start-up test both, as it
// does on the real medium; the picture has the size of the window's picture
// area, so that start.exe loads what it loads in use.
static bool WriteMedium(const std::string &medium) {
    return WritePicture8(medium + "loading.bmp", 478, 361) &&
           WriteWholeFile(medium + "Readme.txt", "Readme of the bench medium.\r\n") &&
           WriteWholeFile(medium + "setup.exe", "MZ") && WriteWholeFile(medium + "kora.exe", "MZ");
}

bool PrepareFixture(Fixture *fixture) {
    char directory[MAX_PATH];
    GetCurrentDirectoryA(sizeof directory, directory);
    fixture->medium = "M:\\";
    fixture->work_dir = directory;
    fixture->install_dir = fixture->work_dir + "\\install";
    if (GetFileAttributesA(MediumProgram(*fixture, "start.exe").c_str()) ==
        INVALID_FILE_ATTRIBUTES) {
        fprintf(stderr, "no start.exe on %s (scripts/bench maps M: and copies it)\n",
                fixture->medium.c_str());
        return false;
    }
    if (!WriteMedium(fixture->medium) || !WriteInstallation(fixture->install_dir) ||
        !WriteInstallKey(fixture->install_dir)) {
        fprintf(stderr, "cannot write the bench's medium, installation or registry key\n");
        return false;
    }
    return true;
}
