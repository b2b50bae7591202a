// The picture reader over the public bitmap suite: the files in the one
// format the launcher shows load byte for byte, every other file is refused,
// and none is read out of bounds (the tests run under the address sanitizer).
#include "picture/splash_layout.h"

#include <gtest/gtest.h>

#include <stdint.h>
#include <stdlib.h>
#include <string.h>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;
typedef std::vector<unsigned char> Bytes;

uint32_t Field(const Bytes &file, size_t at, size_t bytes) {
    uint32_t value = 0;
    for (size_t i = bytes; i-- > 0;)
        value = value << 8 | file[at + i];
    return value;
}

// What the launcher shows, worked out from the raw file: an uncompressed,
// bottom-up 8-bit picture with a 40-byte header whose pixels start right
// after its colour table and fit in the file. Gives the colour count and the
// size of the pixel rows.
bool Showable(const Bytes &file, size_t *colours, size_t *image_bytes) {
    if (file.size() < 54 || file[0] != 'B' || file[1] != 'M')
        return false;
    int64_t width = (int32_t)Field(file, 18, 4), height = (int32_t)Field(file, 22, 4);
    uint32_t used = Field(file, 46, 4);
    if (Field(file, 14, 4) != 40 || Field(file, 28, 2) != 8 || Field(file, 30, 4) != 0 ||
        width < 1 || height < 1 || used > 256)
        return false;
    *colours = used ? used : 256;
    uint64_t image = (uint64_t)((width + 3) / 4 * 4) * (uint64_t)height;
    *image_bytes = (size_t)image;
    return Field(file, 10, 4) == 54 + 4 * *colours && 54 + 4 * *colours + image <= file.size();
}

TEST(SplashBmpSuite, ShowableFilesLoadByteForByteAndAllOthersAreRefused) {
    std::set<std::string> loaded;
    size_t files = 0;
    for (const auto &entry : fs::recursive_directory_iterator(BMPSUITE_DIR)) {
        if (entry.path().extension() != ".bmp")
            continue;
        std::string name = fs::relative(entry.path(), BMPSUITE_DIR).generic_string();
        SCOPED_TRACE(name);
        ++files;
        std::ifstream stream(entry.path(), std::ios::binary);
        Bytes file((std::istreambuf_iterator<char>(stream)), std::istreambuf_iterator<char>());
        ASSERT_FALSE(file.empty());
        // An exact-size copy, so that the sanitizer sees any read past the end.
        unsigned char *exact = (unsigned char *)malloc(file.size());
        memcpy(exact, file.data(), file.size());
        SplashPicture picture = {};
        bool ok = ParseSplashPicture(exact, file.size(), &picture);
        free(exact);

        size_t colours, image_bytes;
        if (!Showable(file, &colours, &image_bytes)) {
            EXPECT_FALSE(ok);
            free(picture.block);
            continue;
        }
        ASSERT_TRUE(ok);
        loaded.insert(name);
        EXPECT_EQ(colours, picture.colour_count);
        ASSERT_EQ(4 * colours, picture.palette_bytes);
        EXPECT_EQ((int32_t)Field(file, 18, 4), picture.width);
        EXPECT_EQ((int32_t)Field(file, 22, 4), picture.height);
        ASSERT_EQ(image_bytes, picture.image_bytes);
        EXPECT_EQ(0, memcmp(picture.block, file.data() + 14, 40 + 4 * colours + image_bytes));
        free(picture.block);
    }
    EXPECT_GE(files, 90u) << "bitmap suite not found under " << BMPSUITE_DIR;
    // The suite's plain 8-bit pictures, so that the test cannot pass by
    // refusing everything.
    for (const char *name : {"g/pal8.bmp", "g/pal8-0.bmp", "g/pal8gs.bmp", "g/pal8nonsquare.bmp",
                             "g/pal8w124.bmp", "g/pal8w125.bmp", "g/pal8w126.bmp"})
        EXPECT_EQ(1u, loaded.count(name)) << name;
}

} // namespace
