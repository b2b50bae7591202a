// Fuzz target for the picture reader: any bytes from a medium must be either
// refused or laid out within the file, and the palette and section records
// built from a loaded picture must stay within their buffers.
#include "picture/splash_layout.h"

#include <stdint.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

// Under SPLASH_VERDICT (accept or refuse) every input must get that verdict:
// the replay of the generated seeds, each made for one verdict.
static void CheckVerdict(bool accepted) {
    static const char *expected = getenv("SPLASH_VERDICT");
    if (expected && accepted != !strcmp(expected, "accept")) {
        fprintf(stderr, "the reader did not %s this picture\n", expected);
        abort();
    }
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    SplashPicture picture = {};
    bool accepted = ParseSplashPicture(data, size, &picture);
    CheckVerdict(accepted);
    if (!accepted)
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
