#include "bmp_file.h"

#include "bench_files.h"

#include <stdint.h>

static void Put16(std::string *out, uint16_t value) {
    out->push_back((char)(value & 0xFF));
    out->push_back((char)(value >> 8));
}

static void Put32(std::string *out, uint32_t value) {
    Put16(out, (uint16_t)(value & 0xFFFF));
    Put16(out, (uint16_t)(value >> 16));
}

bool WritePicture8(const std::string &path, int width, int height) {
    const uint32_t colours = 256;
    const uint32_t stride = ((uint32_t)width + 3) & ~3u;
    const uint32_t pixel_bytes = stride * (uint32_t)height;
    const uint32_t pixel_offset = 14 + 40 + 4 * colours;
    std::string out;
    out += "BM";
    Put32(&out, pixel_offset + pixel_bytes);
    Put32(&out, 0);
    Put32(&out, pixel_offset);
    Put32(&out, 40);
    Put32(&out, (uint32_t)width);
    Put32(&out, (uint32_t)height);
    Put16(&out, 1);
    Put16(&out, 8);
    Put32(&out, 0); // uncompressed
    Put32(&out, pixel_bytes);
    Put32(&out, 2835);
    Put32(&out, 2835);
    Put32(&out, colours);
    Put32(&out, 0);
    for (uint32_t i = 0; i < colours; ++i) {
        out.push_back((char)i);                // blue
        out.push_back((char)(255 - i));        // green
        out.push_back((char)((i * 7) & 0xFF)); // red
        out.push_back(0);
    }
    for (int y = 0; y < height; ++y)
        for (uint32_t x = 0; x < stride; ++x)
            out.push_back((char)((x * 3 + (uint32_t)y * 5) & 0xFF));
    return WriteWholeFile(path, out);
}
