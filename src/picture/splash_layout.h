// Checks a picture file held in memory and lays it out in the one block the
// launcher keeps: the 40-byte info header, the colour table and the pixel
// rows. Plain code, so that the unit tests and the fuzz target run it natively.
#pragma once

#include "launcher/launcher_state.h"

enum {
    // The largest picture file the launcher reads. The picture area is about
    // 478 x 361 pixels (170 KB of pixels); a file near this size is no splash
    // picture, and refusing it keeps a hostile medium from forcing a huge
    // allocation.
    kSplashFileLimit = 64 * 1024 * 1024,
    kSplashInfoHeaderBytes = 40,
    kSplashMaxColours = 256,
    // The DIB section's info record: the info header and 256 palette indexes.
    kSplashSectionInfoBytes = kSplashInfoHeaderBytes + kSplashMaxColours * 2,
};

// Fills colour_count, palette_bytes, width, height, image_bytes and a new
// malloc'ed block from `file` (`size` bytes); the handles are left alone.
// Refuses, leaving `picture` untouched, anything but an uncompressed,
// bottom-up, 8-bit picture with a 40-byte info header, at most 256 colours and
// its pixel rows right after its colour table, all within `size` bytes; also
// refuses when the block cannot be allocated.
bool ParseSplashPicture(const unsigned char *file, size_t size, SplashPicture *picture);

inline const unsigned char *SplashColourTable(const SplashPicture *picture) {
    return picture->block + kSplashInfoHeaderBytes;
}

inline const unsigned char *SplashPixels(const SplashPicture *picture) {
    return picture->block + kSplashInfoHeaderBytes + picture->palette_bytes;
}

// Writes colour_count entries of red, green, blue and flags 0 (the layout of a
// logical palette entry) from the colour table, which stores blue, green, red.
void FillPaletteEntries(const SplashPicture *picture, unsigned char (*entries)[4]);

// Writes the kSplashSectionInfoBytes info record of the DIB section: the info
// header with colours-used 0, so that the section indexes all 256 entries of
// the realized palette, then the little-endian indexes 0 to 255.
void FillSectionInfo(const SplashPicture *picture, unsigned char *info);
