#include "splash_layout.h"

#include <stdint.h>
#include <stdlib.h>
#include <string.h>

namespace {

enum {
    kFileHeaderBytes = 14,
    kHeadersBytes = kFileHeaderBytes + kSplashInfoHeaderBytes,
    kColourEntryBytes = 4,
    kColoursUsedInInfo = 32,
};

// Offsets of the fields read, counted from the start of the file.
enum {
    kPixelOffsetAt = 10,
    kInfoSizeAt = 14,
    kWidthAt = 18,
    kHeightAt = 22,
    kBitsPerPixelAt = 28,
    kCompressionAt = 30,
    kColoursUsedAt = 46,
};

uint32_t Read16(const unsigned char *p) {
    return p[0] | (uint32_t)p[1] << 8;
}

uint32_t Read32(const unsigned char *p) {
    return Read16(p) | Read16(p + 2) << 16;
}

struct Layout {
    uint32_t colour_count;
    int32_t width;
    int32_t height;
    uint64_t image_bytes; // 64 bits: stride * height of a hostile header
};

// Only the one format the launcher converts passes. Any other header size
// would move the colour table away from where it is read, and pixel data
// elsewhere than after the table would show the gap as pixels.
bool CheckHeader(const unsigned char *file, Layout *layout) {
    if (file[0] != 'B' || file[1] != 'M')
        return false;
    if (Read32(file + kInfoSizeAt) != kSplashInfoHeaderBytes ||
        Read16(file + kBitsPerPixelAt) != 8 || Read32(file + kCompressionAt) != 0)
        return false;
    int32_t width = (int32_t)Read32(file + kWidthAt);
    int32_t height = (int32_t)Read32(file + kHeightAt); // negative: top-down rows
    if (width <= 0 || height <= 0)
        return false;
    uint32_t used = Read32(file + kColoursUsedAt);
    if (used > kSplashMaxColours)
        return false;
    uint32_t count = used ? used : (uint32_t)kSplashMaxColours;
    if (Read32(file + kPixelOffsetAt) != kHeadersBytes + kColourEntryBytes * count)
        return false;
    uint64_t stride = ((uint64_t)width + 3) & ~(uint64_t)3;
    *layout = {count, width, height, stride * (uint64_t)height};
    return true;
}

} // namespace

bool ParseSplashPicture(const unsigned char *file, size_t size, SplashPicture *picture) {
    Layout layout;
    if (size < kHeadersBytes || size > kSplashFileLimit || !CheckHeader(file, &layout))
        return false;
    size_t palette_bytes = kColourEntryBytes * layout.colour_count;
    if (size - kHeadersBytes < palette_bytes ||
        layout.image_bytes > size - kHeadersBytes - palette_bytes)
        return false;
    // Both bounded by `size` now, so the sums below cannot overflow.
    size_t image_bytes = (size_t)layout.image_bytes;
    size_t block_bytes = kSplashInfoHeaderBytes + palette_bytes + image_bytes;
    unsigned char *block = (unsigned char *)malloc(block_bytes);
    if (!block)
        return false;
    memcpy(block, file + kFileHeaderBytes, block_bytes);
    picture->colour_count = layout.colour_count;
    picture->palette_bytes = palette_bytes;
    picture->width = layout.width;
    picture->height = layout.height;
    picture->image_bytes = image_bytes;
    picture->block = block;
    return true;
}

void FillPaletteEntries(const SplashPicture *picture, unsigned char (*entries)[4]) {
    const unsigned char *table = SplashColourTable(picture);
    for (unsigned i = 0; i < picture->colour_count; ++i) {
        const unsigned char *colour = table + kColourEntryBytes * i;
        entries[i][0] = colour[2];
        entries[i][1] = colour[1];
        entries[i][2] = colour[0];
        entries[i][3] = 0;
    }
}

void FillSectionInfo(const SplashPicture *picture, unsigned char *info) {
    memcpy(info, picture->block, kSplashInfoHeaderBytes);
    memset(info + kColoursUsedInInfo, 0, 4);
    unsigned char *indexes = info + kSplashInfoHeaderBytes;
    for (unsigned i = 0; i < kSplashMaxColours; ++i) {
        indexes[2 * i] = (unsigned char)i;
        indexes[2 * i + 1] = 0;
    }
}
