// The three ways the launcher starts another program. Each child inherits
// the environment, the inheritable handles and the current directory, and
// gets as its command line the path and the arguments joined by one blank,
// the path in quotes when it holds a blank.
#pragma once

#include "platform/platform.h"

#include <stddef.h>

// Finds the file a program path names, in the current directory when it has
// no directory: as given when it has an extension, otherwise with ".com",
// ".exe", ".bat" or ".cmd" appended, the first that exists. No PATH search.
bool ResolveProgram(const char *path, char *resolved, size_t capacity);

// A batch file runs through the command interpreter, which reads its command
// line again: true only when `program` (a resolved path) with `args` (may be
// null) would run exactly that file with exactly those arguments. Any other
// program is always safe.
bool RunsAsWritten(const char *program, const char *args);

// Starts `path` (with `args`, may be null) and returns without waiting.
bool StartProgram(const char *path, const char *args);

// Starts `path` and ends the launcher's process with code 0 once it has been
// created. Returns (false) only when the start failed.
bool ReplaceLauncher(const char *path, const char *args);

// The hand-over in two steps, for a program already found by ResolveProgram
// (the file `program` is started, `path` opens its command line): the
// process is created suspended, so that nothing is done before it exists.
// False when it could not be created. A program that needs elevation is
// started at once through the shell; *suspended is then null.
bool PrepareHandOver(const char *program, const char *path, const char *args,
                     PlatformProcess **suspended);
// Lets the prepared program run and ends the launcher's process with code 0.
void CompleteHandOver(PlatformProcess *suspended);

// The third way, run and wait through the command interpreter, is the
// platform's own: PlatformRunAndWait.
