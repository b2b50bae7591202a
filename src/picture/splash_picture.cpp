// The splash picture on Win32: the file's colour table becomes a logical
// palette and its pixels a DIB section that indexes that palette, both made
// once, so that each paint is a single block transfer.
#include "splash_picture.h"

#include "splash_layout.h"
#include "platform/platform.h"

#include <windows.h>
#include <stdlib.h>
#include <string.h>

static_assert(kSplashSectionInfoBytes == sizeof(BITMAPINFOHEADER) + 256 * sizeof(WORD),
              "the section's info record is the header and 256 palette indexes");
static_assert(sizeof(PALETTEENTRY) == 4, "palette entries are filled as 4 bytes");

// The record is only needed until the palette exists.
static HPALETTE CreateSplashPalette(const SplashPicture *picture) {
    unsigned count = picture->colour_count;
    LOGPALETTE *record = (LOGPALETTE *)malloc(sizeof(LOGPALETTE) + count * sizeof(PALETTEENTRY));
    if (!record)
        return nullptr;
    record->palVersion = 0x300;
    record->palNumEntries = (WORD)count;
    FillPaletteEntries(picture, (unsigned char(*)[4])record->palPalEntry);
    HPALETTE palette = CreatePalette(record);
    free(record);
    return palette;
}

bool LoadSplashPicture(const char *path) {
    size_t size = 0;
    unsigned char *file = (unsigned char *)PlatformReadFile(path, kSplashFileLimit, 0, &size);
    if (!file)
        return false;
    SplashPicture picture = {};
    bool parsed = ParseSplashPicture(file, size, &picture);
    free(file);
    if (!parsed)
        return false;
    picture.palette = CreateSplashPalette(&picture);
    if (!picture.palette) {
        free(picture.block);
        return false;
    }
    g_state.picture = picture;
    CreateSplashSurface();
    return true;
}

// The section is made while the picture's palette is realized in the main
// window's DC, so that its 256 indexes refer to that palette's entries.
void CreateSplashSurface() {
    SplashPicture *picture = &g_state.picture;
    DWORD info[kSplashSectionInfoBytes / sizeof(DWORD)]; // DWORD-aligned for GDI
    FillSectionInfo(picture, (unsigned char *)info);
    HWND window = (HWND)g_state.main_window;
    HDC dc = GetDC(window);
    if (!dc)
        return;
    HPALETTE previous = SelectPalette(dc, (HPALETTE)picture->palette, FALSE);
    RealizePalette(dc);
    void *bits = nullptr;
    HBITMAP section = CreateDIBSection(dc, (BITMAPINFO *)info, DIB_PAL_COLORS, &bits, nullptr, 0);
    SelectPalette(dc, previous, FALSE);
    ReleaseDC(window, dc);
    if (!section)
        return;
    if (!bits) {
        DeleteObject(section);
        return;
    }
    memcpy(bits, SplashPixels(picture), picture->image_bytes);
    picture->section = section;
}

void DrawSplashPicture(Handle dc_handle, int x, int y) {
    const SplashPicture *picture = &g_state.picture;
    if (!picture->section)
        return;
    HDC dc = (HDC)dc_handle;
    HPALETTE previous = SelectPalette(dc, (HPALETTE)picture->palette, FALSE);
    RealizePalette(dc);
    HDC memory = CreateCompatibleDC(dc);
    if (memory) {
        SelectObject(memory, (HBITMAP)picture->section);
        BitBlt(dc, x, y, picture->width, picture->height, memory, 0, 0, SRCCOPY);
        DeleteDC(memory);
    }
    SelectPalette(dc, previous, FALSE);
}
