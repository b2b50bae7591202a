// The code page's exact spelling of text read from the system.
#include "win32_ansi_text.h"

#include <windows.h>

#include <stdlib.h>
#include <string.h>
#include <wchar.h>

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
