// The few operating-system services the launcher's decisions need. The Win32
// build implements them in win32_platform.cpp; the native unit tests link an
// in-memory fake. Everything above this line of functions is plain code.
#pragma once

#include <stddef.h>

// --- Process and files -----------------------------------------------------

// The process's full command line, program path first.
const char *PlatformCommandLine();

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
void PlatformDeleteFile(const char *path);

// Wildcard search in the current directory; yields plain names, directories
// included. Returns null when nothing matches.
typedef struct PlatformSearch PlatformSearch;
PlatformSearch *PlatformFindFirst(const char *pattern, const char **name);
bool PlatformFindNext(PlatformSearch *search, const char **name);
void PlatformFindClose(PlatformSearch *search);

// --- Registry ----------------------------------------------------------------

typedef struct PlatformKey PlatformKey;
// Opens a key below HKEY_LOCAL_MACHINE for reading; null on failure.
PlatformKey *PlatformOpenMachineKey(const char *subkey);
// Reads a value of any type into `buffer` (capacity `capacity`), always
// NUL-terminated within it. False when the value is missing or too long.
bool PlatformReadKeyString(PlatformKey *key, const char *name, char *buffer, size_t capacity);
void PlatformCloseKey(PlatformKey *key);

// --- Starting programs ---------------------------------------------------------

enum StartResult { kStarted, kStartFailed, kStartNeedsElevation };

// Creates a process for `program` with `command_line` in the current
// directory, inheriting environment and handles; does not wait for it.
StartResult PlatformCreateProcess(const char *program, const char *command_line);
// Starts `program` through the shell, which may ask the user for elevation.
bool PlatformShellStart(const char *program, const char *parameters);
// Runs `command` through the command interpreter and waits for it.
void PlatformRunAndWait(const char *command);
// Ends the launcher's process at once.
void PlatformExitProcess(int code);

// --- The main window -------------------------------------------------------

void PlatformEnableControl(int id, bool enabled);
void PlatformDestroyMainWindow();
void PlatformShowMainWindow(bool visible);
// Asks the Yes/No uninstall question; true only for Yes.
bool PlatformConfirmUninstall();
bool PlatformControlEnabled(int id);
