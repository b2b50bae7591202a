// The run-time lookups: the launcher imports only what Windows 95 and NT 4
// both export, and finds anything newer here, once.
#include "win32_calls.h"

#include <stdlib.h>
#include <string.h>
#include <wchar.h>

// The 95 family sets the top bit of the version; its wide calls, where it
// exports them at all, only fail, so none is used there.
bool IsAnsiFamily() {
    return (GetVersion() & 0x80000000) != 0;
}

// Each entry's type is the table's own, so that a looked-up call is made
// with the system's calling convention.
template <class Function> static void LookUp(HMODULE module, const char *name, Function *entry) {
    *entry = module ? (Function)(void *)GetProcAddress(module, name) : nullptr;
}

static SystemCalls Fill() {
    SystemCalls calls = {};
    HMODULE kernel = GetModuleHandleA("kernel32.dll");
    LookUp(kernel, "GetFinalPathNameByHandleW", &calls.GetFinalPathNameByHandleW);
    LookUp(kernel, "SetFileInformationByHandle", &calls.SetFileInformationByHandle);
    if (IsAnsiFamily())
        return calls;
    LookUp(kernel, "GetCommandLineW", &calls.GetCommandLineW);
    LookUp(kernel, "FindFirstFileW", &calls.FindFirstFileW);
    LookUp(kernel, "FindNextFileW", &calls.FindNextFileW);
    LookUp(GetModuleHandleA("advapi32.dll"), "RegQueryValueExW", &calls.RegQueryValueExW);
    LookUp(kernel, "LCMapStringW", &calls.LCMapStringW);
    return calls;
}

const SystemCalls &Calls() {
    static bool filled;
    static SystemCalls calls;
    if (!filled)
        calls = Fill();
    filled = true;
    return calls;
}

bool IsSingleByte(const char *ansi) {
    for (; *ansi; ++ansi)
        if (IsDBCSLeadByte((BYTE)*ansi))
            return false;
    return true;
}

bool IsExactAnsiText(const char *ansi) {
    return !strchr(ansi, '?') && IsSingleByte(ansi);
}

// Read back, the spelling must give `wide` again: a best fit (a fullwidth
// 'O' for 'O') or a default character does not.
bool ToAnsi(const wchar_t *wide, char *ansi, size_t capacity) {
    BOOL defaulted = FALSE;
    size_t length = wcslen(wide) + 1;
    if (length > capacity || length > 0x7FFFFFFF ||
        WideCharToMultiByte(CP_ACP, 0, wide, -1, ansi, (int)length, nullptr, &defaulted) !=
            (int)length ||
        defaulted)
        return false;
    wchar_t *back = (wchar_t *)malloc(length * sizeof(wchar_t));
    bool same = back &&
                MultiByteToWideChar(CP_ACP, 0, ansi, -1, back, (int)length) == (int)length &&
                memcmp(back, wide, length * sizeof(wchar_t)) == 0;
    free(back);
    return same;
}
