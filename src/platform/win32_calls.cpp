// The run-time lookups: the launcher imports only what Windows 95 and NT 4
// both export, and finds anything newer here, once.
#include "win32_calls.h"

static void *FindInSystem(const char *dll, const char *name) {
    HMODULE module = GetModuleHandleA(dll);
    return module ? (void *)GetProcAddress(module, name) : nullptr;
}

// The entry's own type, taken from the SDK's declaration, is the one the
// found address is called through.
template <class Function> static void LookUp(FindCall find, const char *dll, const char *name,
                                            Function *entry) {
    *entry = (Function)find(dll, name);
}

// The family comes first: everything after it is for the NT family alone.
SystemCalls FillCalls(DWORD version, FindCall find) {
    SystemCalls calls = {};
    calls.ansi_family = (version & 0x80000000) != 0;
    LookUp(find, "user32.dll", "CharUpperBuffA", &calls.CharUpperBuffA);
    if (calls.ansi_family)
        return calls;
    LookUp(find, "kernel32.dll", "GetCommandLineW", &calls.GetCommandLineW);
    LookUp(find, "kernel32.dll", "FindFirstFileW", &calls.FindFirstFileW);
    LookUp(find, "kernel32.dll", "FindNextFileW", &calls.FindNextFileW);
    LookUp(find, "advapi32.dll", "RegQueryValueExW", &calls.RegQueryValueExW);
    LookUp(find, "kernel32.dll", "LCMapStringW", &calls.LCMapStringW);
    if (LOBYTE(LOWORD(version)) < 6)
        return calls;
    LookUp(find, "kernel32.dll", "GetFinalPathNameByHandleW", &calls.GetFinalPathNameByHandleW);
    LookUp(find, "kernel32.dll", "SetFileInformationByHandle", &calls.SetFileInformationByHandle);
    return calls;
}

const SystemCalls &Calls() {
    static bool filled;
    static SystemCalls calls;
    if (!filled)
        calls = FillCalls(GetVersion(), FindInSystem);
    filled = true;
    return calls;
}
