#include "path_rules.h"

#include "bounded_string.h"
#include "platform/platform.h"

#include <string.h>

static bool IsDriveLetter(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

bool IsAbsolutePath(const char *path) {
    if (IsDriveLetter(path[0]) && path[1] == ':' && path[2] == '\\')
        return true;
    return path[0] == '\\' && path[1] == '\\';
}

// A segment Windows would read as written: not empty, no dot or blank at its
// end (which covers "." and ".."), no character that means something else.
static bool IsPlainSegment(const char *segment, size_t length) {
    if (length == 0 || segment[length - 1] == '.' || segment[length - 1] == ' ')
        return false;
    for (size_t i = 0; i < length; ++i) {
        unsigned char c = (unsigned char)segment[i];
        if (c < 0x20 || strchr("\"*:<>?|/", c))
            return false;
    }
    return true;
}

// Every segment of `rest` plain; a single trailing '\' is allowed. At least
// `minimum` segments.
static bool SegmentsArePlain(const char *rest, int minimum) {
    int count = 0;
    while (*rest) {
        size_t length = strcspn(rest, "\\");
        if (!IsPlainSegment(rest, length))
            return false;
        ++count;
        rest += length;
        if (*rest == '\\')
            ++rest;
    }
    return count >= minimum;
}

bool IsInstallDirectory(const char *path) {
    if (!IsAbsolutePath(path))
        return false;
    if (path[0] == '\\') // server, share and at least one directory
        return SegmentsArePlain(path + 2, 3);
    return SegmentsArePlain(path + 3, 0);
}

// Windows counts the code page's superscript one, two and three (bytes 0xB9,
// 0xB2, 0xB3) as digits of a port's number too: "COM\xB9" is COM1.
static bool IsPortDigit(char c) {
    return (c >= '1' && c <= '9') || c == '\xB9' || c == '\xB2' || c == '\xB3';
}

bool IsDeviceName(const char *segment, size_t length) {
    static const char *const kDevices[] = {"con",    "prn",     "aux",  "nul",
                                           "conin$", "conout$", "com#", "lpt#"};
    size_t base = strcspn(segment, ".\\");
    base = base < length ? base : length;
    while (base > 0 && segment[base - 1] == ' ')
        --base;
    for (const char *device : kDevices) {
        size_t letters = strcspn(device, "#");
        bool numbered = device[letters] == '#';
        if (base == letters + numbered && SameNoCase(segment, device, letters) &&
            (!numbered || IsPortDigit(segment[letters])))
            return true;
    }
    return false;
}

bool IsProgramPath(const char *path) {
    if (!IsInstallDirectory(path) || EndsWith(path, '\\'))
        return false;
    for (const char *segment = path;; ++segment) {
        size_t length = strcspn(segment, "\\");
        if (IsDeviceName(segment, length))
            return false;
        segment += length;
        if (!*segment)
            break;
    }
    return true;
}

bool IsPlainName(const char *name) {
    return IsPlainSegment(name, strlen(name)) && !strchr(name, '\\');
}

bool IsPlainRelativeName(const char *name) {
    return SegmentsArePlain(name, 0);
}

static char Folded(char c) {
    return (char)PlatformUpperCase((unsigned char)c);
}

bool SameNoCase(const char *a, const char *b, size_t length) {
    for (size_t i = 0; i < length; ++i) {
        if (Folded(a[i]) != Folded(b[i]))
            return false;
        if (!a[i])
            return true;
    }
    return true;
}

// The length of `path` without one trailing '\'.
static size_t TrimmedLength(const char *path) {
    size_t length = strlen(path);
    return length > 0 && path[length - 1] == '\\' ? length - 1 : length;
}

// True when `path` begins with `dir` (its trailing '\' ignored); `rest`
// then points behind it.
static bool StartsWithDir(const char *path, const char *dir, const char **rest) {
    size_t length = TrimmedLength(dir);
    if (!SameNoCase(path, dir, length))
        return false;
    *rest = path + length;
    return true;
}

bool IsSamePath(const char *path, const char *dir) {
    const char *rest;
    return StartsWithDir(path, dir, &rest) && (!*rest || (rest[0] == '\\' && !rest[1]));
}

bool IsDirectlyIn(const char *path, const char *dir) {
    const char *rest;
    return StartsWithDir(path, dir, &rest) && rest[0] == '\\' && IsPlainName(rest + 1);
}
