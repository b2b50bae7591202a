// Placeholder until the picture reader lands.
#include "splash_picture.h"

bool LoadSplashPicture(const char *) { return false; }
void CreateSplashSurface() {}
void DrawSplashPicture(Handle, int, int) {}
