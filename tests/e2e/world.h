// The tests' world, laid out with the driver: the source medium on drive D:,
// the installation directory, and the record that the stand-in writes.
#pragma once

#include "driver/world.h"

#include <windows.h>

#include <filesystem>
#include <string>
#include <vector>

namespace fs = std::filesystem;

inline constexpr char kMedium[] = "D:\\";         // root of the source medium
inline constexpr char kInstallDir[] = "C:\\DEMO"; // the installation directory the tests use
inline constexpr char kWorkDir[] = "C:\\e2e"; // current directory of the launchers the tests start

// A host link (a Unix symbolic link) at `link` to `target`: to a directory,
// made when missing, which Wine shows as a reparse point, or to an existing
// file, which Wine shows as that file. False on failure.
bool MakeLink(const std::string &link, const std::string &target);
// Every file below `directory`, as relative paths, sorted.
std::vector<std::string> ListFiles(const std::string &directory);

// Lets Wine run the launcher's windows without a window manager.
void UnmanageLauncherWindows();

// Empties the source medium except for its ownership mark; false when the
// drive is not the tests' own medium (nothing is touched then).
bool ClearMedium();
// The launcher under test and its picture, placed on the medium.
void PlaceLauncher();
// The recording stand-in, placed as the program `path`.
void PlaceStandIn(const std::string &path);

// The picture placed beside the launcher: 6 x 3 pixels, rows top first, in
// four colours that no window frame uses.
inline constexpr COLORREF kPictureColours[] = {RGB(200, 30, 40), RGB(20, 180, 60), RGB(30, 40, 220),
                                               RGB(250, 220, 10)};
inline constexpr int kPicturePixels[3][6] = {
    {0, 1, 2, 3, 0, 1}, {3, 3, 2, 2, 1, 1}, {1, 0, 3, 2, 0, 0}};

// The stand-ins' record of this test.
void ClearRecord();
std::vector<std::string> RecordLines();
bool WaitForRecord(size_t count);
