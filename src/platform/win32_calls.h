// The table of calls looked up at run time, and the main window the Win32
// platform files share.
#pragma once

#include <windows.h>

// What the system running the launcher offers beyond what Windows 95 and NT 4
// both export, decided once from the version it reports. Each entry's type is
// the SDK's own declaration of the call, so that a call looked up here is made
// with the system's calling convention. A null entry means the launcher does
// without it.
struct SystemCalls {
    // The 95 family (95, 98, ME): registry, names and command line in the code
    // page; it gets none of the wide entries, whatever it exports, since its wide
    // calls only fail.
    bool ansi_family;
    // The code page's upper case by the system, for the 95 family, which has
    // no wide table; found wherever the system has it.
    decltype(&::CharUpperBuffA) CharUpperBuffA;
    decltype(&::GetCommandLineW) GetCommandLineW;
    decltype(&::FindFirstFileW) FindFirstFileW;
    decltype(&::FindNextFileW) FindNextFileW;
    decltype(&::RegQueryValueExW) RegQueryValueExW;
    // Upper case by the file system's table (NT's, unless asked for a
    // language's rules).
    decltype(&::LCMapStringW) LCMapStringW;
    // Vista on: a system that reports an older version (NT 4 to XP, or a newer
    // one in a compatibility mode) goes without final paths.
    decltype(&::GetFinalPathNameByHandleW) GetFinalPathNameByHandleW;
    decltype(&::SetFileInformationByHandle) SetFileInformationByHandle;
};

// Where a call is found: GetProcAddress in the system's DLLs, or a stand-in.
typedef void *(*FindCall)(const char *dll, const char *name);

// The table for a system that reports `version` (as GetVersion does) and
// exports what `find` finds.
SystemCalls FillCalls(DWORD version, FindCall find);

// The running system's table, filled on first use.
const SystemCalls &Calls();

HWND MainWindow();
