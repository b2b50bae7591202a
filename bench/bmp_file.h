// 8-bit test pictures in the Windows bitmap format the launcher reads.
#pragma once

#include <string>

// Writes an uncompressed, bottom-up, 256-colour picture of the given size
// whose colour table and pixels vary, so that no conversion step can
// shortcut a uniform image.
bool WritePicture8(const std::string &path, int width, int height);
