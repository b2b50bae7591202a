// Copying into the fixed buffers of LauncherState. A string that does not fit
// is refused, never cut: a cut path would name a different file.
#pragma once

#include <stddef.h>

// Both return false and leave `dest` unchanged when the result would not fit
// in `capacity` bytes including the NUL.
bool CopyString(char *dest, size_t capacity, const char *src);
bool AppendString(char *dest, size_t capacity, const char *src);

// True when `s` is non-empty and ends with `c`.
bool EndsWith(const char *s, char c);
