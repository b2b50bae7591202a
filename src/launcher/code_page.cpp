#include "code_page.h"

// The characters of bytes 0x80-0x9F; the five bytes the code page leaves
// free stand for the control characters of their own number, as on Windows.
static const unsigned short kHighControls[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

// The byte that holds `code_point`, or -1.
static int Windows1252Byte(unsigned long code_point) {
    if (code_point < 0x80 || (code_point >= 0xA0 && code_point <= 0xFF))
        return (int)code_point;
    for (int i = 0; i < 32; ++i)
        if (kHighControls[i] == code_point)
            return 0x80 + i;
    return -1;
}

// Decodes the character at `*text` and moves past it; false for anything but
// the shortest encoding of a character outside the surrogates.
static bool NextCodePoint(const unsigned char **text, unsigned long *code_point) {
    static const unsigned long kSmallest[4] = {0, 0x80, 0x800, 0x10000};
    const unsigned char *p = *text;
    int extra = p[0] < 0x80         ? 0
                : (p[0] >> 5) == 6  ? 1
                : (p[0] >> 4) == 14 ? 2
                : (p[0] >> 3) == 30 ? 3
                                    : -1;
    if (extra < 0)
        return false;
    unsigned long value = extra == 0 ? p[0] : p[0] & (0x3F >> extra);
    for (int i = 1; i <= extra; ++i) {
        if ((p[i] >> 6) != 2)
            return false;
        value = value << 6 | (p[i] & 0x3F);
    }
    *text = p + extra + 1;
    *code_point = value;
    return value >= kSmallest[extra] && value <= 0x10FFFF && (value < 0xD800 || value > 0xDFFF);
}

unsigned char Windows1252Upper(unsigned char c) {
    if ((c >= 'a' && c <= 'z') || (c >= 0xE0 && c <= 0xFE && c != 0xF7))
        return (unsigned char)(c - 0x20);
    if (c == 0x9A || c == 0x9C || c == 0x9E) // š œ ž
        return (unsigned char)(c - 0x10);
    return c == 0xFF ? 0x9F : c; // ÿ
}

bool Utf8ToWindows1252(const char *utf8, char *out, size_t capacity) {
    const unsigned char *text = (const unsigned char *)utf8;
    size_t length = 0;
    while (*text) {
        unsigned long code_point;
        int byte = NextCodePoint(&text, &code_point) ? Windows1252Byte(code_point) : -1;
        if (byte < 0 || length + 1 >= capacity)
            return false;
        out[length++] = (char)byte;
    }
    if (capacity == 0)
        return false;
    out[length] = '\0';
    return true;
}
