// Uninstall: the launcher removes the files the game made at run time, which
// the registered uninstaller does not know of, then hands over to it. Every
// value it acts on was written by another program, so each step first makes
// sure it still stands inside the game's own installation.
#include "commands.h"

#include "install_state.h"
#include "launch_context.h"
#include "launcher_state.h"
#include "path_rules.h"
#include "platform/platform.h"
#include "program_start.h"

#include <string.h>

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

// Runs in the installation directory, and only where the game stands:
// a directory that merely bears the registered name is someone else's.
static void DeleteInstallationFiles() {
    if (!PlatformFileExists(kGameFile))
        return;
    if (!PlatformIsLink("drivers"))
        PlatformDeleteFile("drivers\\dig.ini");
    PlatformDeleteFile("loading.bmp");
    DeleteMatches("*.pif");
    if (!PlatformIsLink("save") && PlatformChangeDir("save"))
        DeleteMatches("*.*");
}

// The record as the question was asked about it.
struct AskedRecord {
    char install_path[kDirBytes];
    char command[kUninstallBytes];
    char args[kUninstallBytes];
};

static void Remember(AskedRecord *asked) {
    const InstallRecord *record = &g_state.install;
    strcpy(asked->install_path, record->install_path);
    strcpy(asked->command, record->uninstall_command);
    strcpy(asked->args, record->uninstall_args ? record->uninstall_args : "");
}

// The question leaves time for another program to change or remove the
// installation; the answer holds only for the installation it was about.
static bool StillAsAsked(const AskedRecord *asked) {
    const InstallRecord *record = &g_state.install;
    ProbeInstallState();
    return record->install_path[0] != '\0' && record->uninstall_present &&
           strcmp(record->install_path, asked->install_path) == 0 &&
           strcmp(record->uninstall_command, asked->command) == 0 &&
           strcmp(record->uninstall_args ? record->uninstall_args : "", asked->args) == 0;
}

static bool AskToUninstall() {
    g_state.command_running = true;
    bool yes = PlatformConfirmUninstall();
    g_state.command_running = false;
    return yes;
}

void RunUninstall() {
    InstallRecord *record = &g_state.install;
    if (!record->uninstall_present)
        return;
    static AskedRecord asked;
    Remember(&asked);
    if (!AskToUninstall() || !StillAsAsked(&asked))
        return;
    // Without an uninstaller to hand over to, deleting the saved games would
    // only lose them: the demo would stay installed. The file found here is
    // the file started, whatever directory the clean-up leaves current.
    char program[kUninstallBytes];
    if (!IsAbsolutePath(record->uninstall_command) ||
        !ResolveProgram(record->uninstall_command, program, sizeof program))
        return;
    char *dir = g_state.launch_path;
    if (InstallDirectory(dir, sizeof g_state.launch_path) && !PlatformIsLink(dir) &&
        PlatformChangeDir(dir))
        DeleteInstallationFiles();
    ReplaceLauncherWith(program, record->uninstall_command, record->uninstall_args);
}
