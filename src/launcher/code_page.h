// Windows-1252, the code page of the Windows the demo ships for. The launcher
// works in the system's code page and refuses any name it cannot hold one
// byte per character (Windows' conversion without best fit tells it), since
// Windows would hand over a look-alike instead (a fullwidth 'O' read as 'O'
// names another file). The table here holds names written elsewhere, in
// UTF-8, to the same rule before they reach the medium.
#pragma once

#include <stddef.h>

// Converts the UTF-8 text `utf8` into Windows-1252 in `out` (capacity
// `capacity`, NUL-terminated). False when it is no UTF-8, does not fit, or
// holds a character the code page has no byte of its own for.
bool Utf8ToWindows1252(const char *utf8, char *out, size_t capacity);

// The Windows-1252 byte `c` in upper case as Windows' file system folds it
// (à to À, š to Š, ÿ to Ÿ; ß and µ, whose upper case the page lacks, stay).
unsigned char Windows1252Upper(unsigned char c);
