// Fuzz target for the picture reader: any bytes from a medium must be either
// refused or laid out within the file, and the palette and section records
// built from a loaded picture must stay within their buffers.
#include "picture/splash_layout.h"

#include <stdint.h>
#include <stdlib.h>
#include <string.h>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    SplashPicture picture = {};
    if (!ParseSplashPicture(data, size, &picture))
        return 0;
    unsigned char entries[kSplashMaxColours][4];
    unsigned char info[kSplashSectionInfoBytes];
    FillPaletteEntries(&picture, entries);
    FillSectionInfo(&picture, info);
    // Touch the last pixel so that a block shorter than its layout shows.
    volatile unsigned char last = SplashPixels(&picture)[picture.image_bytes - 1];
    (void)last;
    free(picture.block);
    return 0;
}
