// What the launcher looks at and what it leaves behind: files on the medium
// and in the installation, the installer's registry key, 8-bit pictures, and
// the record the stand-ins keep of how they were started.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

// Files. WriteBytes creates missing directories; ReadBytes gives "" for a
// file that cannot be read, and reads to the end rather than by size, so
// that it also reads the host's /proc files under Wine.
bool WriteBytes(const std::string &path, const std::string &bytes);
std::string ReadBytes(const std::string &path);
// Removes a file or a directory tree, read-only entries included. Links in
// it (reparse points) are removed themselves, never followed.
void RemoveTree(const std::string &path);

// The host under Wine: a Windows path's Unix name, and a host program run
// by its Unix path. Wine gives no handle to wait on such a program, so
// RunOnHost polls `done` (up to 5 s) to learn that it has acted.
std::string HostPath(const std::string &path);
bool RunOnHost(std::string command_line, const std::function<bool()> &done);
bool IsLink(const std::string &path);
// Removes the link `link` by the host's hand: Windows calls would follow it.
bool RemoveLink(const std::string &link);

// The installer's key below HKEY_LOCAL_MACHINE, as the launcher reads it.
extern const char kInstallKey[];
// A string value with its NUL, as installers write them.
bool SetInstallValue(const std::string &name, const std::string &value);
// Raw bytes of any registry type (REG_BINARY, REG_DWORD), no NUL added.
bool SetInstallData(const std::string &name, DWORD type, const std::string &data);
bool ReadInstallValue(const std::string &name, std::string *value);
void DeleteInstallValue(const std::string &name);
// The key with its vendor's key and everything below.
void RemoveInstallKey();
bool VendorKeyExists();

// An uncompressed, bottom-up 8-bit picture file with this colour table and
// `pixel(x, y)` (y counted from the top) as the colour index of each pixel.
std::string Bitmap8(int width, int height, const std::vector<COLORREF> &colours,
                    const std::function<int(int x, int y)> &pixel);

// The stand-ins append "<name>\t<command line>\t<directory>" to the file that
// KORA_RECORD names, one line per start. RecordStartsIn empties `path` and
// names it for the programs started from now on.
void RecordStartsIn(const std::string &path);
std::vector<std::string> RecordLines(const std::string &path);
bool WaitForRecord(const std::string &path, size_t count, DWORD timeout_ms = 5000);
