#include "world.h"

#include "harness.h"
#include "stand_in.h"

#include <windows.h>

#include <algorithm>
#include <fstream>
#include <functional>
#include <sstream>

using namespace std::string_literals;

static const char kMediumMark[] = ".e2e-medium"; // written by scripts/e2e-prefix
static const char kRecordFile[] = "C:\\e2e\\record.txt";
static const char kInstallKey[] = "SOFTWARE\\Halvorn\\Kora Manager DEMO\\Data";
static const char kVendorKey[] = "SOFTWARE\\Halvorn";

void WriteBytes(const std::string &path, const std::string &bytes) {
    fs::create_directories(fs::path(path).parent_path());
    std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

std::string ReadBytes(const std::string &path) {
    std::ostringstream bytes;
    bytes << std::ifstream(path, std::ios::binary).rdbuf();
    return bytes.str();
}

bool RemoveLink(const std::string &link);

static bool IsLink(const std::string &path) {
    DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_REPARSE_POINT);
}

// Links below `path` go first, by the host's hand: Windows calls would
// follow them and empty their targets.
static void RemoveLinksBelow(const std::string &path) {
    WIN32_FIND_DATAA entry;
    HANDLE search = FindFirstFileA((path + "\\*").c_str(), &entry);
    if (search == INVALID_HANDLE_VALUE)
        return;
    do {
        std::string name = entry.cFileName, child = path + "\\" + name;
        if (name == "." || name == ".." || !(entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
            continue;
        if (entry.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT)
            RemoveLink(child);
        else
            RemoveLinksBelow(child);
    } while (FindNextFileA(search, &entry));
    FindClose(search);
}

void RemoveTree(const std::string &path) {
    if (IsLink(path)) {
        RemoveLink(path);
        return;
    }
    RemoveLinksBelow(path);
    std::error_code ignored;
    // Read-only files would stay and spoil the next test's world.
    for (fs::recursive_directory_iterator it(path, ignored), end; it != end; it.increment(ignored))
        SetFileAttributesA(it->path().string().c_str(), FILE_ATTRIBUTE_NORMAL);
    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    fs::remove_all(path, ignored);
}

// The host's name of a Windows path, from Wine's own kernel32.
static std::string ToHost(const std::string &path) {
    typedef char *(CDECL * ToUnix)(const WCHAR *);
    auto to_unix =
        (ToUnix)(void *)GetProcAddress(GetModuleHandleA("kernel32.dll"), "wine_get_unix_file_name");
    std::wstring wide(path.begin(), path.end());
    char *unix_path = to_unix ? to_unix(wide.c_str()) : nullptr;
    std::string host = unix_path ? unix_path : "";
    HeapFree(GetProcessHeap(), 0, unix_path);
    return host;
}

// Wine starts a host program named by its Unix path as it would a Windows
// one, but gives no handle to wait on: `done` tells when it has acted.
static bool RunOnHost(std::string command_line, const std::function<bool()> &done) {
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process;
    if (!CreateProcessA(nullptr, command_line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process))
        return false;
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    for (int tries = 0; tries < 500; ++tries, Sleep(10))
        if (done())
            return true;
    return false;
}

bool MakeLink(const std::string &link, const std::string &target) {
    fs::create_directories(target);
    fs::create_directories(fs::path(link).parent_path());
    std::string host_link = ToHost(link), host_target = ToHost(target);
    return !host_link.empty() && !host_target.empty() &&
           RunOnHost("/bin/ln -sfn \"" + host_target + "\" \"" + host_link + "\"",
                     [&] { return IsLink(link); });
}

bool RemoveLink(const std::string &link) {
    std::string host_link = ToHost(link);
    return !host_link.empty() && RunOnHost("/bin/rm -f \"" + host_link + "\"", [&] {
        return GetFileAttributesA(link.c_str()) == INVALID_FILE_ATTRIBUTES;
    });
}

std::vector<std::string> ListFiles(const std::string &directory) {
    std::vector<std::string> files;
    for (const auto &entry : fs::recursive_directory_iterator(directory)) {
        if (entry.is_regular_file())
            files.push_back(fs::relative(entry.path(), directory).string());
    }
    std::sort(files.begin(), files.end());
    return files;
}

// Build outputs are named by their host path; Wine shows the host's root as Z:.
static std::string FromHost(std::string path) {
    std::replace(path.begin(), path.end(), '/', '\\');
    return "Z:" + path;
}

std::string LauncherResource(const char *type, const char *name) {
    static HMODULE module =
        LoadLibraryExA(FromHost(E2E_START_EXE).c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    HRSRC found = module
                      ? FindResourceExA(module, type, name, MAKELANGID(LANG_GERMAN, SUBLANG_GERMAN))
                      : nullptr;
    HGLOBAL loaded = found ? LoadResource(module, found) : nullptr;
    if (!loaded)
        return "";
    return std::string((const char *)LockResource(loaded), SizeofResource(module, found));
}

bool ClearMedium() {
    if (!fs::is_regular_file(std::string(kMedium) + kMediumMark))
        return false;
    for (const auto &entry : fs::directory_iterator(kMedium)) {
        if (entry.path().filename() != kMediumMark)
            RemoveTree(entry.path().string());
    }
    return true;
}

static std::string Le(unsigned value, int bytes) {
    std::string le;
    for (int i = 0; i < bytes; ++i)
        le += char(value >> 8 * i);
    return le;
}

// The picture as a file: a 40-byte header, the colour table of four entries,
// then the rows bottom-up, each padded to 8 bytes.
static std::string PictureFile() {
    std::string info = Le(40, 4) + Le(6, 4) + Le(3, 4) + Le(1, 2) + Le(8, 2) + Le(0, 4) +
                       Le(24, 4) + Le(0, 8) + Le(4, 4) + Le(0, 4);
    std::string table;
    for (COLORREF c : kPictureColours)
        table += Le(GetBValue(c) | GetGValue(c) << 8 | GetRValue(c) << 16, 4);
    std::string rows;
    for (int y = 2; y >= 0; --y)
        rows += std::string(std::begin(kPicturePixels[y]), std::end(kPicturePixels[y])) + "\0\0"s;
    return "BM" + Le(54 + 16 + 24, 4) + Le(0, 4) + Le(54 + 16, 4) + info + table + rows;
}

void PlaceLauncher() {
    std::string medium = kMedium;
    CopyFileA(FromHost(E2E_START_EXE).c_str(), (medium + "start.exe").c_str(), FALSE);
    WriteBytes(medium + "loading.bmp", PictureFile());
}

void PlaceStandIn(const std::string &path) {
    fs::create_directories(fs::path(path).parent_path());
    CopyFileA(FromHost(E2E_RECORDER_EXE).c_str(), path.c_str(), FALSE);
}

// Sets a value of any type, creating its key.
static void WriteValue(HKEY root, const char *path, const char *name, DWORD type,
                       const std::string &data) {
    HKEY key;
    if (RegCreateKeyExA(root, path, 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr))
        return;
    RegSetValueExA(key, name, 0, type, (const BYTE *)data.data(), (DWORD)data.size());
    RegCloseKey(key);
}

// Wine waits up to 2 s for a window manager each time a window it leaves to
// one disappears, and the tests' display has none.
void UnmanageLauncherWindows() {
    WriteValue(HKEY_CURRENT_USER, "Software\\Wine\\AppDefaults\\start.exe\\X11 Driver", "Managed",
               REG_SZ, "N"s + '\0');
}

// A string value with its NUL, as installers write them.
void SetInstallValue(const std::string &name, const std::string &value) {
    SetInstallData(name, REG_SZ, value + '\0');
}

void SetInstallData(const std::string &name, unsigned long type, const std::string &data) {
    WriteValue(HKEY_LOCAL_MACHINE, kInstallKey, name.c_str(), type, data);
}

void DeleteInstallValue(const std::string &name) {
    RegDeleteKeyValueA(HKEY_LOCAL_MACHINE, kInstallKey, name.c_str());
}

void RemoveInstallKey() {
    RegDeleteTreeA(HKEY_LOCAL_MACHINE, kVendorKey);
}

void ClearRecord() {
    fs::create_directories(kWorkDir);
    DeleteFileA(kRecordFile);
    SetEnvironmentVariableA(STAND_IN_RECORD_VAR, kRecordFile);
}

std::vector<std::string> RecordLines() {
    std::vector<std::string> lines;
    std::istringstream text(ReadBytes(kRecordFile));
    for (std::string line; std::getline(text, line);)
        lines.push_back(line.substr(0, line.find('\r')));
    return lines;
}

bool WaitForRecord(size_t count) {
    return WaitUntil([count] { return RecordLines().size() >= count; });
}
