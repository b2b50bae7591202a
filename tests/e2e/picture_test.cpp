// The splash picture as the real window paints it under the buttons.
#include "harness.h"

using Picture = E2eTest;

TEST_F(Picture, KnownColoursStandUnderTheButtons) {
    ASSERT_TRUE(StartLauncher());
    EXPECT_FALSE(launcher.saw_status_box());
    HDC dc = GetDC(launcher.window());
    // The first paint may still be on its way.
    WaitUntil([&] { return GetPixel(dc, 0, 65) == kPictureColours[kPicturePixels[0][0]]; });
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 6; ++x)
            EXPECT_EQ(GetPixel(dc, x, 65 + y), kPictureColours[kPicturePixels[y][x]])
                << x << "," << y;
    EXPECT_NE(GetPixel(dc, 7, 65), kPictureColours[0]); // nothing beyond the picture's width
    ReleaseDC(launcher.window(), dc);
}

TEST_F(Picture, ForeignFileBringsTheStatusBoxAndTheWindowStillOpens) {
    std::string picture = ReadBytes(Medium("loading.bmp"));
    picture[1] = 'A';
    WriteBytes(Medium("loading.bmp"), picture);
    ASSERT_TRUE(StartLauncher());
    EXPECT_TRUE(launcher.saw_status_box());
    EXPECT_TRUE(IsWindowVisible(launcher.window()));
}
