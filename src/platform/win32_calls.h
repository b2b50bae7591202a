// What the Win32 platform files share: the calls looked up at run time, the
// code page's exact spelling of wide text, and the main window.
#pragma once

#include <windows.h>

#include <stddef.h>

// Calls that Windows 95 or NT 4 lack, or that the 95 family exports only to
// fail, looked up once. A null entry means the system has no such call: the
// wide ones are all null on the 95 family, the two of Vista before it.
struct SystemCalls {
    LPWSTR(WINAPI *GetCommandLineW)();
    HANDLE(WINAPI *FindFirstFileW)(LPCWSTR, WIN32_FIND_DATAW *);
    BOOL(WINAPI *FindNextFileW)(HANDLE, WIN32_FIND_DATAW *);
    LONG(WINAPI *RegQueryValueExW)(HKEY, LPCWSTR, DWORD *, DWORD *, BYTE *, DWORD *);
    DWORD(WINAPI *GetFinalPathNameByHandleW)(HANDLE, LPWSTR, DWORD, DWORD);
    BOOL(WINAPI *SetFileInformationByHandle)(HANDLE, int, void *, DWORD);
    int(WINAPI *LCMapStringW)(LCID, DWORD, LPCWSTR, int, LPWSTR, int);
};

// The table, filled on first use.
const SystemCalls &Calls();

// True on the 95 family (95, 98, ME), whose registry and file names are
// ANSI and whose wide calls fail.
bool IsAnsiFamily();

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

HWND MainWindow();
