// Screenshots of the whole screen for the demo walk.
#pragma once

#include <string>

// Saves the screen as an uncompressed 24-bit BMP file.
bool SaveScreenshot(const std::string &path);
