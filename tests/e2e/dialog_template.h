// Reads a dialog template resource, classic or extended, into plain fields,
// so that tests can compare the bytes start.exe carries with the layout the
// launcher's windows need.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

struct DialogItem {
    DWORD id;
    DWORD style, ex_style;
    short x, y, cx, cy;
    std::wstring class_name; // predefined classes by name, e.g. L"BUTTON"
    std::wstring text;
};

struct DialogTemplate {
    bool extended;
    DWORD style, ex_style;
    short x, y, cx, cy;
    std::wstring menu, class_name, caption;
    WORD point_size, weight; // the weight and what follows exist only in the extended form
    BYTE italic, charset;
    std::wstring font;
    std::vector<DialogItem> items;
};

// False when the bytes end before the template does.
bool ParseDialogTemplate(const void *data, size_t size, DialogTemplate *out);
