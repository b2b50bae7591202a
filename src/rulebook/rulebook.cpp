// The launcher's own rules for the installer and its uninstaller, which call
// them from the DLL they unpack (System::Call), so that no second copy of a
// rule lives in the installer script: what the launcher would misread, which
// names are the same, where the uninstaller's log is, and which entries are
// the installation's own, through no link, to be written over or removed.
// Text comes wide, as the installer holds it, and counts only where the code
// page spells it exactly: the launcher reads the same registry values through
// that page, and a look-alike (a fullwidth 'O' for 'O') names another file.
// The system's own branches (the 95 family, no final paths before Vista) are
// the launcher's platform files'.
#include "rulebook.h"

#include "launcher/bounded_string.h"
#include "launcher/install_folder.h"
#include "launcher/launcher_state.h"
#include "launcher/own_entries.h"
#include "launcher/path_rules.h"
#include "launcher/uninstall_command.h"
#include "platform/platform.h"
#include "platform/win32_ansi_text.h"

#include <stdlib.h>
#include <string.h>
#include <wchar.h>

// Beyond the launcher's own answers: the code page cannot hold the text.
enum { kCodePage = 100 };

// The code page's exact spelling of `wide` in one of two buffers.
static const char *Exact(const wchar_t *wide, int slot) {
    static char ansi[2][kUninstallBytes];
    return ToAnsi(wide, ansi[slot], sizeof ansi[slot]) ? ansi[slot] : nullptr;
}

// The folder `dir` in the code page's exact spelling, a bare drive ("C:",
// which would mean that drive's current directory) as its root.
static const char *Folder(const wchar_t *dir) {
    static char ansi[kUninstallBytes];
    bool drive = ToAnsi(dir, ansi, sizeof ansi) && EndsWith(ansi, ':');
    return !drive || AppendString(ansi, sizeof ansi, "\\") ? ansi : nullptr;
}

// True when the code page's texts `a` and `b` name the same on Windows, the
// whole of both, by the launcher's case rule.
static bool SameWhole(const char *a, const char *b) {
    size_t length = strlen(a);
    return length == strlen(b) && SameNoCase(a, b, length);
}

// 1 when the code page holds `text` exactly.
RULE KoraTextExact(const wchar_t *text) {
    return Exact(text, 0) != nullptr;
}

// What would make the launcher misread an installation in `dir`: 0 for
// nothing, else a FolderFault or kCodePage.
RULE KoraFolderFault(const wchar_t *dir) {
    const char *ansi = Exact(dir, 0);
    return ansi ? (int)InstallFolderFault(ansi) : (int)kCodePage;
}

// 1 when `a` and `b` name the same on Windows (the launcher's case rule,
// the whole of both), 0 otherwise and wherever the code page cannot hold
// either exactly.
RULE KoraSameName(const wchar_t *a, const wchar_t *b) {
    const char *ansi_a = Exact(a, 0), *ansi_b = Exact(b, 1);
    return ansi_a && ansi_b && SameWhole(ansi_a, ansi_b);
}

// The log the launcher would hand the uninstaller for the "Uninstall"
// command `command`: what follows the "-f" of the arguments it splits off,
// blanks at the end dropped, in `log` (`capacity` characters). 1 when there
// is one.
RULE KoraUninstallLog(const wchar_t *command, wchar_t *log, int capacity) {
    static InstallRecord record;
    const char *ansi = Exact(command, 0);
    if (capacity < 1)
        return 0;
    log[0] = L'\0';
    if (!ansi || !CopyString(record.uninstall_command, sizeof record.uninstall_command, ansi))
        return 0;
    SplitUninstallCommand(&record);
    const char *args = record.uninstall_args;
    if (!args || strncmp(args, "-f", 2) != 0)
        return 0;
    const char *path = args + 2;
    int length = (int)strlen(path);
    while (length > 0 && path[length - 1] == ' ')
        --length;
    if (length == 0 || length >= capacity ||
        MultiByteToWideChar(CP_ACP, 0, path, length, log, capacity) != length)
        return 0;
    log[length] = L'\0';
    return 1;
}

// How the silent installation's folder was given: `cut` is the command line
// as the installer's runtime left it, cut at the " /D=" that ends it, and
// `dir` the folder it took. 0 when the process's own command line is `cut`
// followed by nothing or by exactly " /D=" and `dir`; 1 when a "/D=" (any
// case, quoted or not) stands before the cut, which the runtime passed over;
// 2 when the folder taken is not the one given; kCodePage when the code page
// cannot hold the command line or the folder exactly.
RULE KoraGivenFolder(const wchar_t *cut, const wchar_t *dir) {
    bool exact;
    const char *line = PlatformCommandLine(&exact);
    const char *ansi_cut = Exact(cut, 0), *ansi_dir = Exact(dir, 1);
    if (!exact || !ansi_cut || !ansi_dir)
        return kCodePage;
    size_t length = strlen(ansi_cut);
    for (const char *at = ansi_cut; *at; ++at)
        if (SameNoCase(at, "/D=", 3))
            return 1;
    if (strncmp(line, ansi_cut, length) != 0)
        return 2;
    const char *given = line + length;
    return !given[0] || (strncmp(given, " /D=", 4) == 0 && strcmp(given + 4, ansi_dir) == 0) ? 0
                                                                                             : 2;
}

// 1 when the folder `dir` is where its name leads: no link on the way, and,
// where the system tells, its final path is its own, not spelled with short
// names.
RULE KoraOwnFolder(const wchar_t *dir) {
    static Place place;
    const char *ansi = Folder(dir);
    if (!ansi || !OpenPlace(&place, ansi))
        return 0;
    ClosePlace(&place);
    return 1;
}

// How `name` stands inside the installation `dir` ("maps\one.map"; "" for
// the installation itself): 0 nothing there at all,
// 1 there as the installation's own, 2 there but not its own (a link, a
// name under a linked folder, one that cannot be opened or lies elsewhere),
// kCodePage when the code page cannot hold it exactly.
RULE KoraNameState(const wchar_t *dir, const wchar_t *name) {
    static OwnName own;
    const char *ansi_dir = Folder(dir), *ansi_name = Exact(name, 1);
    if (!ansi_dir || !ansi_name)
        return kCodePage;
    OwnState state = OpenOwnName(&own, ansi_dir, ansi_name, false);
    CloseOwnName(&own);
    return state == kOwnAbsent ? 0 : state == kOwnHeld ? 1 : 2;
}

// Removes `name` (a trailing '\\' marks a folder) inside the installation
// `dir` (the code page's text) where it is the installation's own: a file,
// or a folder once empty, deleted through the handle it was confirmed on.
// 0 when nothing stands there any more, 1 when something stays (a link
// passed over, a file held open, a folder not empty), 2 when `name` names
// nothing inside the installation (a drive, the root, a parent, a wildcard,
// a '/', or text the code page cannot hold). `spare`, in any case, is
// passed over (0).
static int RemoveOne(const char *dir, const wchar_t *name, size_t length, const char *spare) {
    static OwnName own;
    static wchar_t trimmed[kPathBytes];
    if (length > 0 && name[length - 1] == L'\\')
        --length;
    if (length >= kPathBytes)
        return 2;
    memcpy(trimmed, name, length * sizeof *name);
    trimmed[length] = L'\0';
    const char *ansi = Exact(trimmed, 1);
    if (!ansi || !IsOwnRelativeName(ansi))
        return 2;
    if (spare && SameWhole(spare, ansi))
        return 0;
    OwnState state = OpenOwnName(&own, dir, ansi, true);
    if (state == kOwnHeld)
        PlatformDeleteEntry(own.file ? own.file : own.folder->entry);
    CloseOwnName(&own);
    return state == kOwnAbsent || PlatformNothingAt(own.path) ? 0 : 1;
}

RULE KoraRemoveName(const wchar_t *dir, const wchar_t *name) {
    const char *ansi = Folder(dir);
    return ansi ? RemoveOne(ansi, name, wcslen(name), nullptr) : 1;
}

// The log's lines, UTF-16 as the installer writes them, after its byte
// order mark; a line ends at "\r\n".
static const wchar_t *NextLine(const wchar_t *at, const wchar_t *end, size_t *length) {
    const wchar_t *stop = at;
    while (stop < end && *stop != L'\n')
        ++stop;
    *length = (size_t)(stop - at) - (stop > at && stop[-1] == L'\r');
    return stop < end ? stop + 1 : end;
}

// Removes, as KoraRemoveName, every name the log `log` lists inside the
// installation `dir` but `spare` (the uninstaller, which goes last). 0 when
// all are gone, 1 when one stays, the first such in `left` (`capacity`
// characters, cut to fit), 2 when the log cannot be read.
RULE KoraRemoveLogged(const wchar_t *dir, const wchar_t *log, const wchar_t *spare, wchar_t *left,
                      int capacity) {
    enum { kLogBytes = 1 << 20 };
    static char ansi_spare[kPathBytes];
    const char *ansi_dir = Folder(dir), *ansi_log = Exact(log, 0);
    if (!ToAnsi(spare, ansi_spare, sizeof ansi_spare))
        return 2;
    size_t bytes = 0;
    char *data = ansi_dir && ansi_log ? PlatformReadFile(ansi_log, kLogBytes, 2, &bytes) : nullptr;
    if (!data || capacity < 1)
        return 2;
    left[0] = L'\0';
    const wchar_t *at = (const wchar_t *)data, *end = at + bytes / 2;
    at += at < end && *at == 0xFEFF;
    int stays = 0;
    for (size_t length; at < end;) {
        const wchar_t *line = at;
        at = NextLine(at, end, &length);
        if (length == 0 || RemoveOne(ansi_dir, line, length, ansi_spare) != 1 || stays++ > 0)
            continue;
        size_t kept = length < (size_t)capacity ? length : (size_t)capacity - 1;
        memcpy(left, line, kept * sizeof *line);
        left[kept] = L'\0';
    }
    free(data);
    return stays > 0;
}

// No C runtime to start: nothing to set up or tear down.
extern "C" BOOL WINAPI RulebookEntry(HINSTANCE, DWORD, void *) {
    return TRUE;
}
