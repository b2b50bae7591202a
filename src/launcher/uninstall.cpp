// Uninstall: the launcher removes the files the game made at run time, which
// the registered uninstaller does not know of, then hands over to it. Every
// value and name it acts on was written by another program, so each file is
// opened as itself, confirmed on that handle to lie directly in the game's
// own installation, and deleted through the same handle.
#include "commands.h"

#include "install_state.h"
#include "launch_context.h"
#include "launcher_state.h"
#include "own_entries.h"
#include "path_rules.h"
#include "platform/platform.h"
#include "program_start.h"

#include <string.h>

struct CleanUp {
    Place installation, drivers, save;
    PlatformEntry *game;   // held so that it stays where it was found
    PlatformEntry *spared; // the uninstaller's own file, however it is named
};

static void DeleteIn(const CleanUp *clean, const Place *place, const char *name) {
    char path[kPathBytes];
    PlatformEntry *file = OpenConfirmed(place, name, path, sizeof path);
    if (!file)
        return;
    if (!PlatformSameEntry(file, clean->spared))
        PlatformDeleteEntry(file);
    PlatformCloseEntry(file);
}

// The name's own extension, not the short name's: "notes.pifx" is no ".pif".
static bool IsPifName(const char *name) {
    const char *dot = strrchr(name, '.');
    return dot && SameNoCase(dot, ".pif", sizeof ".pif");
}

// Deletes every file of `place` (only the ".pif" files with `pif_only`).
// Directories and files that cannot be deleted are passed over, and so is
// every name the code page turned into a look-alike of another.
static void DeleteEvery(const CleanUp *clean, const Place *place, bool pif_only) {
    const char *name;
    bool exact;
    PlatformSearch *search = place->entry ? PlatformFindFirst(place->path, &name, &exact) : nullptr;
    if (!search)
        return;
    do {
        if (exact && (!pif_only || IsPifName(name)))
            DeleteIn(clean, place, name);
    } while (PlatformFindNext(search, &name, &exact));
    PlatformFindClose(search);
}

// Changes into the installation, and into its save directory when there is
// one, and holds what the clean-up works on. Only where the game stands: a
// directory that merely bears the registered name is someone else's.
static void EnterInstallation(CleanUp *clean) {
    char *dir = g_state.launch_path;
    char path[kPathBytes];
    if (!InstallDirectory(dir, sizeof g_state.launch_path) || !OpenPlace(&clean->installation, dir))
        return;
    if (!PlatformChangeDir(dir) ||
        !(clean->game = OpenConfirmed(&clean->installation, kGameFile, path, sizeof path))) {
        ClosePlace(&clean->installation);
        return;
    }
    OpenSubPlace(&clean->drivers, &clean->installation, "drivers");
    if (OpenSubPlace(&clean->save, &clean->installation, "save") &&
        !PlatformChangeDir(clean->save.path))
        ClosePlace(&clean->save);
}

static void DeleteInstallationFiles(const CleanUp *clean) {
    DeleteIn(clean, &clean->drivers, "dig.ini");
    DeleteIn(clean, &clean->installation, "loading.bmp");
    DeleteEvery(clean, &clean->installation, true);
    DeleteEvery(clean, &clean->save, false);
}

static void CloseHeld(PlatformEntry **held) {
    if (*held)
        PlatformCloseEntry(*held);
    *held = nullptr;
}

static void LeaveInstallation(CleanUp *clean) {
    ClosePlace(&clean->save);
    ClosePlace(&clean->drivers);
    ClosePlace(&clean->installation);
    CloseHeld(&clean->game);
    CloseHeld(&clean->spared);
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

// The uninstaller's process exists before anything is deleted, created in
// the directory the clean-up leaves current: when it cannot be created, the
// saved games stay and so does the launcher. One that needs elevation is
// started through the shell first, so that a refusal costs nothing.
void RunUninstall() {
    InstallRecord *record = &g_state.install;
    if (!record->uninstall_present)
        return;
    static AskedRecord asked;
    Remember(&asked);
    if (!AskToUninstall() || !StillAsAsked(&asked))
        return;
    static CleanUp clean;
    EnterInstallation(&clean);
    PlatformProcess *process;
    bool created = PrepareHandOver(record->uninstall_program, record->uninstall_command,
                                   record->uninstall_args, &process);
    // Nothing is deleted unless the uninstaller's file can be told apart.
    if (created && (clean.spared = PlatformOpenEntry(record->uninstall_program, kEntryProgram)))
        DeleteInstallationFiles(&clean);
    LeaveInstallation(&clean);
    if (created)
        CompleteHandOver(process);
}
