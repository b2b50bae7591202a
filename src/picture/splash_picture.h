// The splash picture under the buttons: an 8-bit bitmap file converted once
// into a logical palette and a DIB section, painted with one block transfer.
#pragma once

#include "launcher/launcher_state.h"

// Reads the picture into g_state.picture and converts it; false when the
// file cannot be read or is not a picture this launcher can show.
bool LoadSplashPicture(const char *path);

// Builds the DIB section from the loaded block and copies the pixels into it.
void CreateSplashSurface();

// Paints the whole picture with its top-left corner at (x, y) of `dc`
// (an HDC); paints nothing when no picture is loaded.
void DrawSplashPicture(Handle dc, int x, int y);
