// The code page's text, as the Win32 platform files take it from the system:
// text counts only where it spells exactly what it stands for.
#pragma once

#include <stddef.h>

// The code page's spelling of `wide`, one byte per character; false where
// it could not hold a character and would have put a look-alike or a
// default in its place.
bool ToAnsi(const wchar_t *wide, char *ansi, size_t capacity);

// True when no byte of the code page's text `ansi` begins a double-byte
// character, whose second byte may be a '\' that is none. The 95 family
// hands out such text as it is; ToAnsi refuses it on the others.
bool IsSingleByte(const char *ansi);

// True for text the 95 family hands out that spells what it stands for: no
// '?', its stand-in for a character the code page could not hold, and one
// byte per character.
bool IsExactAnsiText(const char *ansi);
