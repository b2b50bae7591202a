// The few operating-system services the launcher's decisions need. The Win32
// build implements them in the win32_*.cpp files, one a service; the native
// unit tests link an in-memory fake. Everything above this line of functions
// is plain code.
#pragma once

#include <stddef.h>

// --- Process and files -----------------------------------------------------

// The process's full command line, program path first, in the ANSI code
// page. `exact` is false when that page could not hold it: the line then
// holds look-alikes (a fullwidth '\' read as '\') and names another place.
const char *PlatformCommandLine(bool *exact);

// True when `path` opens for reading with others allowed to read and write.
// A directory, or a file held open without sharing, does not count.
bool PlatformFileExists(const char *path);

// Reads the whole file into a new heap block followed by `pad` zero bytes.
// Refuses (returns null) files larger than `limit` bytes and sizes whose
// allocation fails. The caller frees the block with free().
char *PlatformReadFile(const char *path, size_t limit, size_t pad, size_t *size);

// Creates `path`, which must not exist yet, and writes `size` bytes to it.
bool PlatformCreateFile(const char *path, const void *data, size_t size);

// True when `path` itself is a link (a reparse point: symbolic link or
// junction), which the launcher never enters or writes through.
bool PlatformIsLink(const char *path);

bool PlatformChangeDir(const char *path);

// True when nothing at all stands at `path`: no file, no directory, not even
// a link that leads nowhere (which shows no attributes, but would take a
// file written there to its target).
bool PlatformNothingAt(const char *path);

// From now on a drive without its medium (the demo CD taken out, a share
// gone) fails a file test quietly instead of asking the user in a system
// error box.
void PlatformQuietDriveErrors();

// --- Text --------------------------------------------------------------------

// The ANSI code page's byte `c` in upper case as Windows' file system
// compares names: ordinal, by the system's own upper-case table, never by a
// language's rules (ß stays ß, i and I are one pair in every locale); `c`
// itself where the code page holds no other case of it.
unsigned char PlatformUpperCase(unsigned char c);

// --- Entries held open -------------------------------------------------------

// A file or directory opened as itself: a link is opened, not followed, where
// the system can (a link to a file may still open its target, which the
// final path then names). Held with reading and writing shared, deletion not.
typedef struct PlatformEntry PlatformEntry;
// A program is opened as the file it leads to, links followed, only to be
// told apart from others. A removable directory is opened as a directory,
// with the right to delete it.
enum EntryKind { kEntryFile, kEntryDirectory, kEntryRemovableDirectory, kEntryProgram };
// Null when `path` does not open as that kind.
PlatformEntry *PlatformOpenEntry(const char *path, EntryKind kind);
// True when both are one file, by the system's own identity of it (volume
// and file index), however each was named.
bool PlatformSameEntry(PlatformEntry *a, PlatformEntry *b);
// The entry's attributes call it a link (a reparse point).
bool PlatformEntryIsLink(PlatformEntry *entry);

enum FinalPath { kFinalPathKnown, kFinalPathUnknown, kFinalPathFailed };
// The path the system reaches the open entry by, links followed, as "X:\..."
// or "\\server\share\...". kFinalPathUnknown where the system cannot tell;
// kFinalPathFailed when the path does not fit `capacity` or the ANSI code
// page cannot hold it.
FinalPath PlatformEntryFinalPath(PlatformEntry *entry, char *buffer, size_t capacity);
// Deletes the file, or the empty directory, through the handle it was opened
// with; where the system cannot, by the path it was opened by.
void PlatformDeleteEntry(PlatformEntry *entry);
void PlatformCloseEntry(PlatformEntry *entry);

// Every entry of the directory `dir`, "." and ".." included, by its own long
// name. `exact` is false for a name the ANSI code page cannot hold: `name`
// is then a look-alike that may name another file. Null when the directory
// cannot be read.
typedef struct PlatformSearch PlatformSearch;
PlatformSearch *PlatformFindFirst(const char *dir, const char **name, bool *exact);
bool PlatformFindNext(PlatformSearch *search, const char **name, bool *exact);
void PlatformFindClose(PlatformSearch *search);

// --- Registry ----------------------------------------------------------------

typedef struct PlatformKey PlatformKey;
// Opens a key below HKEY_LOCAL_MACHINE for reading; null on failure.
PlatformKey *PlatformOpenMachineKey(const char *subkey);
// Reads a string value (REG_SZ) into `buffer` (capacity `capacity`), always
// NUL-terminated within it. False when the value is missing, too long or of
// any other type, expandable strings included.
bool PlatformReadKeyString(PlatformKey *key, const char *name, char *buffer, size_t capacity);
void PlatformCloseKey(PlatformKey *key);

// --- Starting programs ---------------------------------------------------------

enum StartResult { kStarted, kStartFailed, kStartNeedsElevation };

// The programs the launcher starts get the system's own error mode, not the
// launcher's, so that a game reading its disc may still ask for it.

// Creates a process for `program` with `command_line` in the current
// directory, inheriting environment and handles; does not wait for it. With
// `suspended` it is created suspended and *suspended holds it for
// PlatformResumeProcess.
typedef struct PlatformProcess PlatformProcess;
StartResult PlatformCreateProcess(const char *program, const char *command_line,
                                  PlatformProcess **suspended);
void PlatformResumeProcess(PlatformProcess *process);
// Starts `program` through the shell, which may ask the user for elevation.
bool PlatformShellStart(const char *program, const char *parameters);
// Runs `command` through the command interpreter and waits for it.
void PlatformRunAndWait(const char *command);
// Ends the launcher's process at once.
void PlatformExitProcess(int code);

// --- The main window -------------------------------------------------------

// The window the calls below work on, handed over once it exists.
void PlatformSetMainWindow(void *window);

void PlatformEnableControl(int id, bool enabled);
void PlatformDestroyMainWindow();
void PlatformShowMainWindow(bool visible);
// Asks the Yes/No uninstall question; true only for Yes.
bool PlatformConfirmUninstall();
bool PlatformControlEnabled(int id);
