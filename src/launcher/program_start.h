// The three ways the launcher starts another program. Each child inherits
// the environment, the inheritable handles and the current directory, and
// gets as its command line the path and the arguments joined by one blank.
#pragma once

#include <stddef.h>

// Finds the file a program path names, in the current directory when it has
// no directory: as given when it has an extension, otherwise with ".com",
// ".exe", ".bat" or ".cmd" appended, the first that exists. No PATH search.
bool ResolveProgram(const char *path, char *resolved, size_t capacity);

// Starts `path` (with `args`, may be null) and returns without waiting.
bool StartProgram(const char *path, const char *args);

// Starts `path` and ends the launcher's process with code 0 once it has been
// created. Returns (false) only when the start failed.
bool ReplaceLauncher(const char *path, const char *args);

// As ReplaceLauncher, for a program already found by ResolveProgram: the
// file `program` is started, `path` opens its command line.
bool ReplaceLauncherWith(const char *program, const char *path, const char *args);

// The third way, run and wait through the command interpreter, is the
// platform's own: PlatformRunAndWait.
