// The few C library functions the launcher's code calls, on the system's own
// heap and in plain loops: the shipped program links no C runtime, since
// Windows 95 before OSR2 has no msvcrt.dll. Built without builtins, so that
// the compiler does not turn these loops back into calls of themselves.
#include <windows.h>

#include <stddef.h>

// The narrow and the wide string functions share one loop each.
template <class Char> static size_t LengthOf(const Char *text) {
    size_t length = 0;
    while (text[length])
        ++length;
    return length;
}

// Compares as the C library does: by the characters' unsigned values.
template <class Unit, class Char> static int CompareUpTo(const Char *a, const Char *b,
                                                        size_t size) {
    for (; size; --size, ++a, ++b)
        if (*a != *b || !*a)
            return (int)(Unit)*a - (int)(Unit)*b;
    return 0;
}

extern "C" {

void *malloc(size_t size) {
    return HeapAlloc(GetProcessHeap(), 0, size ? size : 1);
}

void free(void *block) {
    if (block)
        HeapFree(GetProcessHeap(), 0, block);
}

void *memcpy(void *to, const void *from, size_t size) {
    char *out = (char *)to;
    const char *in = (const char *)from;
    while (size--)
        *out++ = *in++;
    return to;
}

void *memmove(void *to, const void *from, size_t size) {
    char *out = (char *)to;
    const char *in = (const char *)from;
    if (out <= in)
        return memcpy(to, from, size);
    while (size--)
        out[size] = in[size];
    return to;
}

void *memset(void *to, int value, size_t size) {
    unsigned char *out = (unsigned char *)to;
    while (size--)
        *out++ = (unsigned char)value;
    return to;
}

int memcmp(const void *a, const void *b, size_t size) {
    const unsigned char *x = (const unsigned char *)a, *y = (const unsigned char *)b;
    for (; size; --size, ++x, ++y)
        if (*x != *y)
            return *x - *y;
    return 0;
}

size_t strlen(const char *text) {
    return LengthOf(text);
}

int strncmp(const char *a, const char *b, size_t size) {
    return CompareUpTo<unsigned char>(a, b, size);
}

int strcmp(const char *a, const char *b) {
    return strncmp(a, b, (size_t)-1);
}

char *strcpy(char *to, const char *from) {
    return (char *)memcpy(to, from, strlen(from) + 1);
}

char *strchr(const char *text, int wanted) {
    for (;; ++text) {
        if (*text == (char)wanted)
            return (char *)text;
        if (!*text)
            return nullptr;
    }
}

char *strrchr(const char *text, int wanted) {
    const char *last = nullptr;
    do
        if (*text == (char)wanted)
            last = text;
    while (*text++);
    return (char *)last;
}

size_t strcspn(const char *text, const char *stops) {
    size_t length = 0;
    while (text[length] && !strchr(stops, text[length]))
        ++length;
    return length;
}

char *strpbrk(const char *text, const char *stops) {
    text += strcspn(text, stops);
    return *text ? (char *)text : nullptr;
}

char *strstr(const char *text, const char *part) {
    size_t length = strlen(part);
    for (; *text; ++text)
        if (strncmp(text, part, length) == 0)
            return (char *)text;
    return length ? nullptr : (char *)text;
}

size_t wcslen(const wchar_t *text) {
    return LengthOf(text);
}

int wcsncmp(const wchar_t *a, const wchar_t *b, size_t size) {
    return CompareUpTo<wchar_t>(a, b, size);
}

} // extern "C"
