// The picture reader over the public bitmap suite: the files in the one
// format the launcher shows load byte for byte, every other file is refused,
// and none is read out of bounds (the tests run under the address sanitizer).
#include "picture/splash_layout.h"

#include <gtest/gtest.h>

#include <dirent.h>
#include <stdint.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <set>
#include <string>
#include <vector>

namespace {

typedef std::vector<unsigned char> Bytes;

Bytes ReadWholeFile(const std::string &path) {
    Bytes bytes;
    FILE *file = fopen(path.c_str(), "rb");
    if (!file)
        return bytes;
    unsigned char chunk[4096];
    size_t got;
    while ((got = fread(chunk, 1, sizeof chunk, file)) > 0)
        bytes.insert(bytes.end(), chunk, chunk + got);
    fclose(file);
    return bytes;
}

std::vector<std::string> SuiteFiles() {
    std::vector<std::string> paths;
    for (const char *group : {"g", "q", "b", "x"}) {
        std::string dir = std::string(BMPSUITE_DIR) + "/" + group;
        DIR *listing = opendir(dir.c_str());
        if (!listing)
            continue;
        while (dirent *entry = readdir(listing)) {
            std::string name = entry->d_name;
            if (name.size() > 4 && name.compare(name.size() - 4, 4, ".bmp") == 0)
                paths.push_back(std::string(group) + "/" + name);
        }
        closedir(listing);
    }
    return paths;
}

uint32_t Field(const Bytes &file, size_t at, size_t bytes) {
    uint32_t value = 0;
    for (size_t i = bytes; i-- > 0;)
        value = value << 8 | file[at + i];
    return value;
}

// What the launcher shows, worked out from the raw file: an uncompressed,
// bottom-up 8-bit picture with a 40-byte header whose pixels start right
// after its colour table and fit in the file. Fills where the table and the
// pixels lie.
struct Expected {
    size_t colours, table_at, pixels_at, image_bytes;
};

bool Showable(const Bytes &file, Expected *expected) {
    if (file.size() < 54 || file[0] != 'B' || file[1] != 'M')
        return false;
    int64_t width = (int32_t)Field(file, 18, 4), height = (int32_t)Field(file, 22, 4);
    uint32_t used = Field(file, 46, 4);
    if (Field(file, 14, 4) != 40 || Field(file, 28, 2) != 8 || Field(file, 30, 4) != 0 ||
        width < 1 || height < 1 || used > 256)
        return false;
    size_t colours = used ? used : 256;
    if (Field(file, 10, 4) != 54 + 4 * colours)
        return false;
    uint64_t image = (uint64_t)((width + 3) / 4 * 4) * (uint64_t)height;
    if (54 + 4 * colours + image > file.size())
        return false;
    *expected = {colours, 54, 54 + 4 * colours, (size_t)image};
    return true;
}

TEST(SplashBmpSuite, ShowableFilesLoadByteForByteAndAllOthersAreRefused) {
    std::vector<std::string> files = SuiteFiles();
    ASSERT_GE(files.size(), 90u) << "bitmap suite not found under " << BMPSUITE_DIR;
    std::set<std::string> loaded;
    for (const std::string &name : files) {
        SCOPED_TRACE(name);
        Bytes file = ReadWholeFile(std::string(BMPSUITE_DIR) + "/" + name);
        ASSERT_FALSE(file.empty());
        // An exact-size copy, so that the sanitizer sees any read past the end.
        unsigned char *exact = (unsigned char *)malloc(file.size());
        memcpy(exact, file.data(), file.size());
        SplashPicture picture = {};
        bool ok = ParseSplashPicture(exact, file.size(), &picture);
        free(exact);

        Expected expected;
        if (!Showable(file, &expected)) {
            EXPECT_FALSE(ok);
            free(picture.block);
            continue;
        }
        ASSERT_TRUE(ok);
        loaded.insert(name);
        EXPECT_EQ(expected.colours, picture.colour_count);
        EXPECT_EQ((int32_t)Field(file, 18, 4), picture.width);
        EXPECT_EQ((int32_t)Field(file, 22, 4), picture.height);
        ASSERT_EQ(expected.image_bytes, picture.image_bytes);
        EXPECT_EQ(0, memcmp(picture.block, file.data() + 14, 40));
        EXPECT_EQ(0, memcmp(SplashColourTable(&picture), file.data() + expected.table_at,
                            4 * expected.colours));
        EXPECT_EQ(0, memcmp(SplashPixels(&picture), file.data() + expected.pixels_at,
                            expected.image_bytes));
        free(picture.block);
    }
    // The suite's plain 8-bit pictures, so that the test cannot pass by
    // refusing everything.
    for (const char *name : {"g/pal8.bmp", "g/pal8-0.bmp", "g/pal8gs.bmp", "g/pal8nonsquare.bmp",
                             "g/pal8w124.bmp", "g/pal8w125.bmp", "g/pal8w126.bmp"})
        EXPECT_EQ(1u, loaded.count(name)) << name;
}

} // namespace
