#include "install_state.h"

#include "resource.h"
#include "bounded_string.h"
#include "launch_context.h"
#include "launcher_state.h"
#include "platform/platform.h"

#include <string.h>

const char kInstallKey[] = "SOFTWARE\\Halvorn\\Kora Manager DEMO\\Data";
static const char kSoundConfig[] = "drivers\\dig.ini";

// Cuts "<program> -f<args>" in two at the first "-f"; a value that begins
// with "-f" stays whole.
static void SplitUninstallCommand(InstallRecord *record) {
    char *args = strstr(record->uninstall_command, "-f");
    if (args && args > record->uninstall_command)
        args[-1] = '\0';
    record->uninstall_args = args;
}

bool ReadInstallRecord() {
    InstallRecord *record = &g_state.install;
    PlatformKey *key = PlatformOpenMachineKey(kInstallKey);
    if (!key)
        return false;
    record->uninstall_present = false;
    bool ok = PlatformReadKeyString(key, "Kora Pro Path", record->install_path,
                                    sizeof record->install_path);
    // The path must leave room for its trailing '\'.
    if (ok && !EndsWith(record->install_path, '\\') &&
        strlen(record->install_path) + 1 >= sizeof record->install_path)
        ok = false;
    if (ok && PlatformReadKeyString(key, "Uninstall", record->uninstall_command,
                                    sizeof record->uninstall_command)) {
        record->uninstall_present = true;
        SplitUninstallCommand(record);
    }
    PlatformCloseKey(key);
    return ok;
}

static bool BuildProbePath(const char *name) {
    InstallRecord *record = &g_state.install;
    return CopyString(record->probe_path, sizeof record->probe_path, record->install_path) &&
           AppendString(record->probe_path, sizeof record->probe_path, name);
}

// Only after a sound set-up in this run: the game starts without a sound
// configuration as long as the file exists at all.
static bool WritePlaceholderSoundConfig() {
    return g_state.install.sound_setup_ran &&
           PlatformCreateFile(g_state.install.probe_path, "\r\n", 2);
}

void ProbeInstallState() {
    InstallRecord *record = &g_state.install;
    if (!ReadInstallRecord()) {
        record->install_path[0] = '\0';
        PlatformEnableControl(IDC_START_DEMO, false);
        PlatformEnableControl(IDC_UNINSTALL, false);
        PlatformEnableControl(IDC_SOUND_SETUP, false);
        return;
    }
    PlatformEnableControl(IDC_UNINSTALL, record->uninstall_present);
    if (!EndsWith(record->install_path, '\\'))
        AppendString(record->install_path, sizeof record->install_path, "\\");

    if (!BuildProbePath(kGameFile) || !PlatformFileExists(record->probe_path)) {
        PlatformEnableControl(IDC_SOUND_SETUP, false);
        PlatformEnableControl(IDC_START_DEMO, false);
        return;
    }
    PlatformEnableControl(IDC_SOUND_SETUP, true);
    bool configured = BuildProbePath(kSoundConfig) &&
                      (PlatformFileExists(record->probe_path) || WritePlaceholderSoundConfig());
    PlatformEnableControl(IDC_START_DEMO, configured);
}

bool InstallDirectory(char *dest, size_t capacity) {
    const char *path = g_state.install.install_path;
    if (!EndsWith(path, '\\') || !CopyString(dest, capacity, path))
        return false;
    size_t length = strlen(dest);
    bool drive_root = length == 3 && dest[1] == ':';
    if (!drive_root)
        dest[length - 1] = '\0';
    return true;
}
