// What the launcher looks at and what it leaves behind: the source medium on
// drive D:, the installation's registry key, the installation directory and
// the record that the stand-ins write.
#pragma once

#include <windows.h>

#include <filesystem>
#include <string>
#include <vector>

namespace fs = std::filesystem;

inline constexpr char kMedium[] = "D:\\";         // root of the source medium
inline constexpr char kInstallDir[] = "C:\\DEMO"; // the installation directory the tests use
inline constexpr char kWorkDir[] = "C:\\e2e"; // current directory of the launchers the tests start

// Files. WriteBytes creates missing directories; ReadBytes gives "" for a
// missing file, so check fs::is_regular_file where that matters.
void WriteBytes(const std::string &path, const std::string &bytes);
std::string ReadBytes(const std::string &path);
void RemoveTree(const std::string &path);
// A host link (a Unix symbolic link, which Wine shows as a reparse point) at
// `link` to the directory `target`, and its removal; both false on failure.
bool MakeLink(const std::string &link, const std::string &target);
bool RemoveLink(const std::string &link);
// Every file below `directory`, as relative paths, sorted.
std::vector<std::string> ListFiles(const std::string &directory);

// One of the launcher's resources in German (Germany), or "" when there is none.
std::string LauncherResource(const char *type, const char *name);

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

// The installation's registry key below HKEY_LOCAL_MACHINE.
void SetInstallValue(const std::string &name, const std::string &value);
// Raw bytes of any registry type (REG_BINARY, REG_DWORD), no NUL added.
void SetInstallData(const std::string &name, unsigned long type, const std::string &data);
void DeleteInstallValue(const std::string &name);
void RemoveInstallKey();

// The stand-ins' record: one line per start, "<name>\t<command line>\t<directory>".
void ClearRecord();
std::vector<std::string> RecordLines();
// Waits until the record holds `count` lines.
bool WaitForRecord(size_t count);
