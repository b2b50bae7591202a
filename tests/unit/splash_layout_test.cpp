// The picture file checks and the layout of the block the launcher keeps.
#include "picture/splash_layout.h"

#include <gtest/gtest.h>

#include <stdint.h>
#include <stdlib.h>
#include <string.h>
#include <vector>

namespace {

typedef std::vector<unsigned char> Bytes;

void Put(Bytes &file, size_t at, uint32_t value, size_t bytes = 4) {
    for (size_t i = 0; i < bytes; ++i, value >>= 8)
        file[at + i] = value & 0xFF;
}

void PutSize(Bytes &file, uint32_t width, uint32_t height) {
    Put(file, 18, width);
    Put(file, 22, height);
}

// A well-formed 8-bit picture whose every byte is distinguishable: colour
// entry i is (blue i, green i+1, red i+2, reserved 0x5A), pixel j is j*7.
Bytes MakePicture(int32_t width, int32_t height, uint32_t colours_used) {
    size_t stride = ((size_t)width + 3) & ~(size_t)3;
    size_t table = 4 * (colours_used ? colours_used : 256);
    Bytes file(54 + table + stride * height);
    file[0] = 'B';
    file[1] = 'M';
    Put(file, 2, (uint32_t)file.size());
    Put(file, 10, (uint32_t)(54 + table));
    Put(file, 14, 40);
    PutSize(file, (uint32_t)width, (uint32_t)height);
    Put(file, 26, 1, 2);
    Put(file, 28, 8, 2);
    Put(file, 34, (uint32_t)(stride * height));
    Put(file, 38, 2835);
    Put(file, 42, 2835);
    Put(file, 46, colours_used);
    Put(file, 50, 7);
    for (size_t i = 0; i < table / 4; ++i) {
        file[54 + 4 * i] = (unsigned char)i;
        file[55 + 4 * i] = (unsigned char)(i + 1);
        file[56 + 4 * i] = (unsigned char)(i + 2);
        file[57 + 4 * i] = 0x5A;
    }
    for (size_t j = 54 + table; j < file.size(); ++j)
        file[j] = (unsigned char)(j * 7);
    return file;
}

struct Parsed {
    SplashPicture picture = {};
    bool ok;
    explicit Parsed(const Bytes &file)
        : ok(ParseSplashPicture(file.data(), file.size(), &picture)) {}
    ~Parsed() { free(picture.block); }
};

// Colours used 0 means a full table of 256; rows are padded to four bytes,
// and nothing after the last row is taken.
TEST(SplashLayout, BlockHoldsHeaderTableAndPaddedRows) {
    const struct {
        int32_t width;
        uint32_t colours_used;
        size_t colours, stride;
    } cases[] = {{16, 0, 256, 16}, {8, 16, 16, 8},   {1, 2, 2, 4},     {4, 2, 2, 4},
                 {301, 2, 2, 304}, {303, 2, 2, 304}, {304, 2, 2, 304}, {305, 2, 2, 308}};
    for (const auto &c : cases) {
        SCOPED_TRACE(c.width);
        Bytes file = MakePicture(c.width, 5, c.colours_used);
        file.resize(file.size() + 100, 0xEE);
        Parsed parsed(file);
        const SplashPicture &p = parsed.picture;
        ASSERT_TRUE(parsed.ok);
        EXPECT_EQ(c.width, p.width);
        EXPECT_EQ(5, p.height);
        EXPECT_EQ(c.colours, p.colour_count);
        ASSERT_EQ(4 * c.colours, p.palette_bytes);
        ASSERT_EQ(c.stride * 5, p.image_bytes);
        // the file's bytes from the info header on, in file order
        EXPECT_EQ(0, memcmp(p.block, file.data() + 14, 40));
        EXPECT_EQ(0, memcmp(SplashColourTable(&p), file.data() + 54, 4 * c.colours));
        EXPECT_EQ(0, memcmp(SplashPixels(&p), file.data() + 54 + 4 * c.colours, c.stride * 5));
    }
}

// Each refusal starts from a good 301 x 3 picture with 16 colours and spoils
// one thing.
struct Spoiler {
    const char *what;
    void (*spoil)(Bytes &file);
};

const Spoiler kSpoilers[] = {
    {"empty file", [](Bytes &f) { f.clear(); }},
    {"cut inside the info header", [](Bytes &f) { f.resize(53); }},
    {"cut inside the colour table", [](Bytes &f) { f.resize(54 + 63); }},
    {"last pixel byte missing", [](Bytes &f) { f.pop_back(); }},
    {"second byte not M", [](Bytes &f) { f[1] = 'A'; }},
    {"first byte not B", [](Bytes &f) { f[0] = 'b'; }},
    {"core header of 12 bytes", [](Bytes &f) { Put(f, 14, 12); }},
    {"version 4 header of 108 bytes", [](Bytes &f) { Put(f, 14, 108); }},
    {"4 bits per pixel", [](Bytes &f) { Put(f, 28, 4, 2); }},
    {"24 bits per pixel", [](Bytes &f) { Put(f, 28, 24, 2); }},
    {"run-length compressed", [](Bytes &f) { Put(f, 30, 1); }},
    {"bit fields", [](Bytes &f) { Put(f, 30, 3); }},
    {"width 0", [](Bytes &f) { Put(f, 18, 0); }},
    {"negative width", [](Bytes &f) { Put(f, 18, (uint32_t)-301); }},
    {"height 0", [](Bytes &f) { Put(f, 22, 0); }},
    {"top-down rows", [](Bytes &f) { Put(f, 22, (uint32_t)-3); }},
    {"257 colours", [](Bytes &f) { Put(f, 46, 257), Put(f, 10, 54 + 4 * 257); }},
    {"colour count wrapping the table size", [](Bytes &f) { Put(f, 46, 0x40000010); }},
    {"pixel offset past the table", [](Bytes &f) { Put(f, 10, 54 + 64 + 4); }},
    {"pixel offset inside the table", [](Bytes &f) { Put(f, 10, 54 + 60); }},
    {"pixel offset 0", [](Bytes &f) { Put(f, 10, 0); }},
    {"largest width and height", [](Bytes &f) { PutSize(f, 0x7FFFFFFF, 0x7FFFFFFF); }},
    // 65536 x 65536 is exactly 4 GiB of rows: 0 in 32-bit arithmetic.
    {"rows of 2^32 bytes", [](Bytes &f) { PutSize(f, 0x10000, 0x10000); }},
    {"width whose stride would wrap", [](Bytes &f) { PutSize(f, 0x7FFFFFFE, 1); }},
};

TEST(SplashLayout, RefusesAnyOtherFormatOrAShortFileAndLeavesThePictureAlone) {
    ASSERT_TRUE(Parsed(MakePicture(301, 3, 16)).ok);
    for (const Spoiler &spoiler : kSpoilers) {
        SCOPED_TRACE(spoiler.what);
        Bytes file = MakePicture(301, 3, 16);
        spoiler.spoil(file);
        SplashPicture picture = {};
        picture.width = -7; // a refusal writes nothing
        EXPECT_FALSE(ParseSplashPicture(file.data(), file.size(), &picture));
        EXPECT_EQ(nullptr, picture.block);
        EXPECT_EQ(-7, picture.width);
        EXPECT_EQ(0u, picture.colour_count);
    }
}

TEST(SplashLayout, RefusesFilesBeyondTheSizeLimitEvenWhenWellFormed) {
    Bytes file = MakePicture(4096, 4096, 0);
    ASSERT_TRUE(Parsed(file).ok);
    file.resize(kSplashFileLimit + 1);
    EXPECT_FALSE(Parsed(file).ok);
}

// Palette entries turn blue, green, red into red, green, blue with flags 0;
// the section's info is the header without colours used, then 256 indexes.
TEST(SplashLayout, PaletteAndSectionRecords) {
    Bytes file = MakePicture(4, 1, 3);
    Parsed parsed(file);
    ASSERT_TRUE(parsed.ok);
    unsigned char entries[4][4];
    memset(entries, 0xCC, sizeof entries);
    FillPaletteEntries(&parsed.picture, entries);
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(std::vector<int>(entries[i], entries[i] + 4),
                  (std::vector<int>{i + 2, i + 1, i, 0}));
    EXPECT_EQ(0xCC, entries[3][0]); // only colour_count entries

    unsigned char info[kSplashSectionInfoBytes + 1];
    info[kSplashSectionInfoBytes] = 0xCC;
    FillSectionInfo(&parsed.picture, info);
    EXPECT_EQ(552, kSplashSectionInfoBytes);
    EXPECT_EQ(0, memcmp(info, file.data() + 14, 32));
    EXPECT_EQ(0, memcmp(info + 32, "\0\0\0\0\7", 5)); // colours used 0, important kept
    for (int i = 0; i < 256; ++i)
        EXPECT_EQ(i, info[40 + 2 * i] | info[41 + 2 * i] << 8);
    EXPECT_EQ(0xCC, info[kSplashSectionInfoBytes]);
}

} // namespace
