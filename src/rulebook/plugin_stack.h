// The installer's stack as its plug-ins see it: each entry one string of the
// installer's length, in the characters of its build (the code page's for
// the 32-bit installer, UTF-16 for the x86-64 one).
#pragma once

#include <windows.h>

#ifdef _WIN64
typedef wchar_t PluginChar;
#else
typedef char PluginChar;
#endif

struct StackEntry {
    StackEntry *next;
    PluginChar text[1];
};

// A plug-in call: the installer's window, its strings' length, its
// variables, its stack, and what else it hands over.
typedef void(__cdecl PluginCall)(HWND, int size, PluginChar *, StackEntry **top, void *);
