// Uninstall: the launcher removes the files the game made at run time, which
// the registered uninstaller does not know of, then hands over to it.
#include "commands.h"

#include "install_state.h"
#include "launcher_state.h"
#include "platform/platform.h"
#include "program_start.h"

// Deletes every match of `pattern` in the current directory. Directories and
// files that cannot be deleted are passed over; nothing is entered.
static void DeleteMatches(const char *pattern) {
    const char *name;
    PlatformSearch *search = PlatformFindFirst(pattern, &name);
    if (!search)
        return;
    do
        PlatformDeleteFile(name);
    while (PlatformFindNext(search, &name));
    PlatformFindClose(search);
}

static void DeleteInstallationFiles() {
    PlatformDeleteFile("drivers\\dig.ini");
    PlatformDeleteFile("loading.bmp");
    DeleteMatches("*.pif");
    if (PlatformChangeDir("save"))
        DeleteMatches("*.*");
}

void RunUninstall() {
    InstallRecord *record = &g_state.install;
    if (!record->uninstall_present || !PlatformConfirmUninstall())
        return;
    // Without an uninstaller to hand over to, deleting the saved games would
    // only lose them: the demo would stay installed.
    char program[kUninstallBytes];
    if (!ResolveProgram(record->uninstall_command, program, sizeof program))
        return;
    // Deletions run only inside the installation directory.
    if (InstallDirectory(g_state.launch_path, sizeof g_state.launch_path) &&
        PlatformChangeDir(g_state.launch_path))
        DeleteInstallationFiles();
    ReplaceLauncher(record->uninstall_command, record->uninstall_args);
}
