// Which paths from the registry the launcher trusts. Everything it deletes or
// starts is named by a value some other program wrote, so a path counts only
// when it cannot mean a different place after a change of directory.
#pragma once

#include <stddef.h>

// True for "X:\..." and "\\server\share\...": a path that names the same
// place whatever the current directory is.
bool IsAbsolutePath(const char *path);

// True for an absolute directory path (a drive root "X:\" included, a bare
// share "\\server\share" not) whose every segment names itself: no empty,
// "." or ".." segment, no segment ending in '.' or a blank (which Windows
// drops when it changes directory), no wildcard, stream or '/' separator.
bool IsInstallDirectory(const char *path);

// True when the first `length` characters of `segment` name a device ("NUL",
// "COM1.txt", "aux .dat"), which Windows opens in place of any file so
// named, whatever its extension and the blanks before it.
bool IsDeviceName(const char *segment, size_t length);

// True for the absolute path of a program to start, under the rules of an
// installation directory, whose no segment is a device ("NUL", "COM1.txt"),
// which Windows opens in place of any file so named.
bool IsProgramPath(const char *path);

// True for a name that names itself within its directory: one plain segment,
// not "." or "..".
bool IsPlainName(const char *name);

// True for "" and for names joined by '\' below a directory ("maps\one.map"),
// each a plain name as above; a single trailing '\' marks a folder.
bool IsPlainRelativeName(const char *name);

// True when the first `length` characters of `a` and `b` agree, letters in
// any case as Windows' file system compares names (PlatformUpperCase); a NUL
// ends the comparison early only in both. The one case rule: the launcher,
// the check before mastering and the installer pair all compare so.
bool SameNoCase(const char *a, const char *b, size_t length);

// True when `path` names `dir` itself, letters in any case, a trailing '\'
// on either ignored.
bool IsSamePath(const char *path, const char *dir);

// True when `path` names an entry directly inside `dir` (compared as above).
bool IsDirectlyIn(const char *path, const char *dir);
