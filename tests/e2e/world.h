// The tests' world, laid out with the driver: the source medium on drive D:,
// the installation directory, and the record that the stand-in writes.
#pragma once

#include "driver/world.h"

#include <windows.h>

#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <string>
#include <vector>

namespace fs = std::filesystem;

inline constexpr char kMedium[] = "D:\\";         // root of the source medium
inline constexpr char kInstallDir[] = "C:\\DEMO"; // the installation directory the tests use
inline constexpr char kWorkDir[] = "C:\\e2e"; // current directory of the launchers the tests start

// The Windows a version lane has Wine report to the programs under test
// ("win98", "nt40"; see add_version_lane), empty in the other lanes.
inline std::string ToldVersion() {
    const char *version = std::getenv("E2E_WINDOWS_VERSION");
    return version ? version : "";
}
// The 95 family: no links, and a registry and names in the code page alone.
inline bool ToldAnsiFamily() {
    const std::string told = ToldVersion();
    return told == "win95" || told == "win98" || told == "winme";
}
// Before Vista: no final paths.
inline bool ToldBeforeVista() {
    return ToldAnsiFamily() || ToldVersion() == "nt40" || ToldVersion() == "win2k" ||
           ToldVersion() == "winxp";
}
// Says in the test's output that `row` does not run in this lane, and why;
// true, for `continue`.
inline bool SkipRow(const std::string &row, const char *reason) {
    std::cout << "[ SKIPPED  ] row \"" << row << "\" as " << ToldVersion() << ": " << reason
              << std::endl;
    return true;
}

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
