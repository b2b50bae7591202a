#include "install_state.h"

#include "resource.h"
#include "bounded_string.h"
#include "launch_context.h"
#include "launcher_state.h"
#include "path_rules.h"
#include "platform/platform.h"
#include "program_start.h"
#include "uninstall_command.h"

#include <string.h>

const char kInstallKey[] = "SOFTWARE\\Halvorn\\Kora Manager DEMO\\Data";
static const char kDriversDir[] = "drivers";
static const char kSoundConfig[] = "drivers\\dig.ini";

// A path the probe and the clean-up would read alike, with room for the
// trailing '\' the probe gives it.
static bool IsUsableInstallPath(const char *path) {
    return IsInstallDirectory(path) &&
           (EndsWith(path, '\\') || strlen(path) + 1 < sizeof g_state.install.install_path);
}

// Without an uninstaller to hand over to, the clean-up would only lose the
// saved games: Uninstall counts only for a file that exists, by an absolute
// path that names it alone (no segment Windows would drop or read as a
// device, so no batch file runs by a name whose checks it escaped), and
// would start as written.
static bool UninstallerStarts(InstallRecord *record) {
    return IsProgramPath(record->uninstall_command) &&
           ResolveProgram(record->uninstall_command, record->uninstall_program,
                          sizeof record->uninstall_program) &&
           RunsAsWritten(record->uninstall_program, record->uninstall_args);
}

bool ReadInstallRecord() {
    InstallRecord *record = &g_state.install;
    PlatformKey *key = PlatformOpenMachineKey(kInstallKey);
    if (!key)
        return false;
    record->uninstall_present = false;
    bool ok = PlatformReadKeyString(key, "Kora Pro Path", record->install_path,
                                    sizeof record->install_path);
    ok = ok && IsUsableInstallPath(record->install_path);
    if (ok && !EndsWith(record->install_path, '\\'))
        AppendString(record->install_path, sizeof record->install_path, "\\");
    if (ok && PlatformReadKeyString(key, "Uninstall", record->uninstall_command,
                                    sizeof record->uninstall_command)) {
        SplitUninstallCommand(record);
        record->uninstall_present = UninstallerStarts(record);
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
// configuration as long as the file exists at all. Never written through a
// linked drivers directory, which may lead anywhere.
static bool WritePlaceholderSoundConfig() {
    InstallRecord *record = &g_state.install;
    if (!record->sound_setup_ran || !BuildProbePath(kDriversDir) ||
        PlatformIsLink(record->probe_path))
        return false;
    return BuildProbePath(kSoundConfig) && PlatformCreateFile(record->probe_path, "\r\n", 2);
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
