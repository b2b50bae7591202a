// The code page's upper case, as the file system folds names. NT maps text
// to upper case by the file system's table unless asked for a language's
// rules; the 95 family, whose wide calls fail, folds its code page itself.
#include "platform.h"
#include "win32_calls.h"

// The upper case of the single byte `c` by the system, or `c`.
static unsigned char SystemUpper(unsigned char c) {
    char byte = (char)c;
    if (!Calls().LCMapStringW) {
        if (Calls().CharUpperBuffA)
            Calls().CharUpperBuffA(&byte, 1);
        return (unsigned char)byte;
    }
    wchar_t wide, upper;
    BOOL lost = FALSE;
    if (MultiByteToWideChar(CP_ACP, MB_ERR_INVALID_CHARS, &byte, 1, &wide, 1) != 1 ||
        Calls().LCMapStringW(LOCALE_SYSTEM_DEFAULT, LCMAP_UPPERCASE, &wide, 1, &upper, 1) != 1 ||
        WideCharToMultiByte(CP_ACP, 0, &upper, 1, &byte, 1, nullptr, &lost) != 1 || lost)
        return c;
    return (unsigned char)byte;
}

unsigned char PlatformUpperCase(unsigned char c) {
    static unsigned char table[256];
    static bool filled;
    if (!filled)
        for (int i = 0; i < 256; ++i)
            table[i] = SystemUpper((unsigned char)i);
    filled = true;
    return table[c];
}
