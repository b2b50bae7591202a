// The installer's registry key. Values are read in wide characters, so that
// no look-alike of a value stands in for it; the 95 family keeps its values
// in the code page and reads them as they are.
#include "platform.h"
#include "win32_ansi_text.h"
#include "win32_calls.h"

#include <stdlib.h>

PlatformKey *PlatformOpenMachineKey(const char *subkey) {
    HKEY key;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, subkey, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return nullptr;
    return (PlatformKey *)key;
}

// Unterminated values bring no NUL of their own; a value that fills the
// buffer must end with one.
template <class Char> static bool Terminate(Char *value, DWORD bytes, size_t capacity) {
    size_t chars = bytes / sizeof(Char);
    if (chars < capacity)
        value[chars] = 0;
    return chars < capacity || value[capacity - 1] == 0;
}

static bool ReadAnsi(HKEY key, const char *name, char *buffer, size_t capacity) {
    DWORD bytes = (DWORD)capacity, type = REG_NONE;
    return RegQueryValueExA(key, name, nullptr, &type, (BYTE *)buffer, &bytes) == ERROR_SUCCESS &&
           type == REG_SZ && Terminate(buffer, bytes, capacity) && IsSingleByte(buffer);
}

static bool ReadWide(HKEY key, const char *name, char *buffer, size_t capacity) {
    wchar_t wide_name[64];
    wchar_t *value = (wchar_t *)malloc(capacity * sizeof(wchar_t));
    DWORD bytes = (DWORD)(capacity * sizeof(wchar_t)), type = REG_NONE;
    bool read = value && MultiByteToWideChar(CP_ACP, 0, name, -1, wide_name, 64) > 0 &&
                Calls().RegQueryValueExW(key, wide_name, nullptr, &type, (BYTE *)value, &bytes) ==
                    ERROR_SUCCESS &&
                type == REG_SZ && Terminate(value, bytes, capacity) &&
                ToAnsi(value, buffer, capacity);
    free(value);
    return read;
}

// Expandable strings are refused too: the environment would pick the place
// they name. A refused value leaves an empty string, not the partial bytes
// of a read that did not fit.
bool PlatformReadKeyString(PlatformKey *key, const char *name, char *buffer, size_t capacity) {
    if (capacity == 0)
        return false;
    bool read = Calls().RegQueryValueExW ? ReadWide((HKEY)key, name, buffer, capacity)
                                         : ReadAnsi((HKEY)key, name, buffer, capacity);
    if (!read)
        buffer[0] = '\0';
    return read;
}

void PlatformCloseKey(PlatformKey *key) {
    RegCloseKey((HKEY)key);
}
