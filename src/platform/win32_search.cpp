// Directory searches. Names are read in wide characters, so that none is
// read as a look-alike of another; the 95 family has only the ANSI search,
// which shows '?' for a character the code page cannot hold.
#include "platform.h"
#include "win32_ansi_text.h"
#include "win32_calls.h"

#include <stdlib.h>
#include <string.h>

struct PlatformSearch {
    HANDLE handle;
    bool wide;
    WIN32_FIND_DATAW wide_data;
    WIN32_FIND_DATAA ansi_data;
    char name[2 * MAX_PATH];
};

static void TakeName(PlatformSearch *search, const char **name, bool *exact) {
    if (search->wide) {
        *exact = ToAnsi(search->wide_data.cFileName, search->name, sizeof search->name);
    } else {
        lstrcpynA(search->name, search->ansi_data.cFileName, sizeof search->name);
        *exact = IsExactAnsiText(search->name);
    }
    if (!*exact)
        search->name[0] = '\0';
    *name = search->name;
}

// "<dir>\*" in the search's own characters.
static HANDLE Begin(PlatformSearch *search, const char *dir) {
    char pattern[MAX_PATH + 2];
    size_t length = strlen(dir);
    if (length == 0 || length >= MAX_PATH)
        return INVALID_HANDLE_VALUE;
    memcpy(pattern, dir, length);
    if (dir[length - 1] != '\\')
        pattern[length++] = '\\';
    memcpy(pattern + length, "*", 2);
    if (!search->wide)
        return FindFirstFileA(pattern, &search->ansi_data);
    wchar_t wide[MAX_PATH + 2];
    if (MultiByteToWideChar(CP_ACP, 0, pattern, -1, wide, MAX_PATH + 2) <= 0)
        return INVALID_HANDLE_VALUE;
    return Calls().FindFirstFileW(wide, &search->wide_data);
}

PlatformSearch *PlatformFindFirst(const char *dir, const char **name, bool *exact) {
    PlatformSearch *search = (PlatformSearch *)malloc(sizeof(PlatformSearch));
    if (!search)
        return nullptr;
    search->wide = Calls().FindFirstFileW && Calls().FindNextFileW;
    search->handle = Begin(search, dir);
    if (search->handle == INVALID_HANDLE_VALUE) {
        free(search);
        return nullptr;
    }
    TakeName(search, name, exact);
    return search;
}

bool PlatformFindNext(PlatformSearch *search, const char **name, bool *exact) {
    BOOL found = search->wide ? Calls().FindNextFileW(search->handle, &search->wide_data)
                              : FindNextFileA(search->handle, &search->ansi_data);
    if (!found)
        return false;
    TakeName(search, name, exact);
    return true;
}

void PlatformFindClose(PlatformSearch *search) {
    FindClose(search->handle);
    free(search);
}
