// The splash picture as the real window paints it under the buttons.
#include "e2e_test.h"

#include <string>

namespace {

std::string Le(unsigned value, int bytes) {
    std::string out;
    for (int i = 0; i < bytes; ++i)
        out += (char)(value >> (8 * i) & 0xFF);
    return out;
}

// 6 x 3 pixels, rows bottom-up, in four colours that no window frame uses.
const COLORREF kColours[] = {RGB(200, 30, 40), RGB(20, 180, 60), RGB(30, 40, 220),
                             RGB(250, 220, 10)};
const int kPixels[3][6] = {{0, 1, 2, 3, 0, 1}, {3, 3, 2, 2, 1, 1}, {1, 0, 3, 2, 0, 0}}; // top first

std::string KnownPicture() {
    std::string info = Le(40, 4) + Le(6, 4) + Le(3, 4) + Le(1, 2) + Le(8, 2) + Le(0, 4) +
                       Le(24, 4) + Le(0, 8) + Le(4, 4) + Le(0, 4);
    std::string table;
    for (COLORREF c : kColours)
        table += Le(GetBValue(c) | GetGValue(c) << 8 | GetRValue(c) << 16, 4);
    std::string rows;
    for (int y = 2; y >= 0; --y) {
        for (int x = 0; x < 6; ++x)
            rows += (char)kPixels[y][x];
        rows += std::string(2, '\0'); // rows padded to 8 bytes
    }
    return "BM" + Le(54 + 16 + 24, 4) + Le(0, 4) + Le(54 + 16, 4) + info + table + rows;
}

using Picture = E2eTest;

TEST_F(Picture, KnownColoursStandUnderTheButtons) {
    WriteBytes(Medium("loading.bmp"), KnownPicture());
    ASSERT_TRUE(StartLauncher());
    EXPECT_FALSE(launcher.saw_status_box());
    HDC dc = GetDC(launcher.window());
    // The first paint may still be on its way.
    WaitUntil([&] { return GetPixel(dc, 0, 65) == kColours[kPixels[0][0]]; });
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 6; ++x)
            EXPECT_EQ(GetPixel(dc, x, 65 + y), kColours[kPixels[y][x]]) << x << "," << y;
    EXPECT_NE(GetPixel(dc, 7, 65), kColours[0]); // nothing beyond the picture's width
    ReleaseDC(launcher.window(), dc);
}

TEST_F(Picture, ForeignFileBringsTheStatusBoxAndTheWindowStillOpens) {
    std::string picture = KnownPicture();
    picture[1] = 'A';
    WriteBytes(Medium("loading.bmp"), picture);
    ASSERT_TRUE(StartLauncher());
    EXPECT_TRUE(launcher.saw_status_box());
    EXPECT_TRUE(IsWindowVisible(launcher.window()));
}

} // namespace
