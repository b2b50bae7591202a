#include "bounded_string.h"

#include <string.h>

bool CopyString(char *dest, size_t capacity, const char *src) {
    size_t length = strlen(src);
    if (length >= capacity)
        return false;
    memcpy(dest, src, length + 1);
    return true;
}

bool AppendString(char *dest, size_t capacity, const char *src) {
    size_t used = strlen(dest);
    return used < capacity && CopyString(dest + used, capacity - used, src);
}

bool EndsWith(const char *s, char c) {
    size_t length = strlen(s);
    return length > 0 && s[length - 1] == c;
}
