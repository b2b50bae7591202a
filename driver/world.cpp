#include "driver/world.h"

#include "driver/program.h"

#include <filesystem>
#include <sstream>

namespace fs = std::filesystem;

const char kInstallKey[] = "SOFTWARE\\Halvorn\\Kora Manager DEMO\\Data";
static const char kVendorKey[] = "SOFTWARE\\Halvorn";

bool WriteBytes(const std::string &path, const std::string &bytes) {
    std::error_code ignored;
    fs::create_directories(fs::path(path).parent_path(), ignored);
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    DWORD written = 0;
    bool ok = WriteFile(file, bytes.data(), (DWORD)bytes.size(), &written, nullptr) &&
              written == bytes.size();
    CloseHandle(file);
    return ok;
}

std::string ReadBytes(const std::string &path) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                              nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    std::string bytes;
    char chunk[4096];
    DWORD got = 0;
    while (file != INVALID_HANDLE_VALUE && ReadFile(file, chunk, sizeof chunk, &got, nullptr) &&
           got > 0)
        bytes.append(chunk, got);
    if (file != INVALID_HANDLE_VALUE)
        CloseHandle(file);
    return bytes;
}

std::string HostPath(const std::string &path) {
    typedef char *(CDECL * ToUnix)(const WCHAR *);
    auto to_unix =
        (ToUnix)(void *)GetProcAddress(GetModuleHandleA("kernel32.dll"), "wine_get_unix_file_name");
    std::wstring wide(path.begin(), path.end());
    char *unix_path = to_unix ? to_unix(wide.c_str()) : nullptr;
    std::string host = unix_path ? unix_path : "";
    HeapFree(GetProcessHeap(), 0, unix_path);
    return host;
}

bool RunOnHost(std::string command_line, const std::function<bool()> &done) {
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process;
    if (!CreateProcessA(nullptr, command_line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process))
        return false;
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return WaitUntil(done, 5000, 10);
}

bool IsLink(const std::string &path) {
    DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_REPARSE_POINT);
}

bool RemoveLink(const std::string &link) {
    std::string host = HostPath(link);
    return !host.empty() && RunOnHost("/bin/rm -f \"" + host + "\"", [&] {
        return GetFileAttributesA(link.c_str()) == INVALID_FILE_ATTRIBUTES;
    });
}

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
    // Read-only files would stay behind.
    for (fs::recursive_directory_iterator it(path, ignored), end; it != end; it.increment(ignored))
        SetFileAttributesA(it->path().string().c_str(), FILE_ATTRIBUTE_NORMAL);
    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    fs::remove_all(path, ignored);
}

bool SetInstallValue(const std::string &name, const std::string &value) {
    return SetInstallData(name, REG_SZ, value + '\0');
}

bool SetInstallData(const std::string &name, DWORD type, const std::string &data) {
    HKEY key;
    if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, kInstallKey, 0, nullptr, 0, KEY_WRITE, nullptr, &key,
                        nullptr))
        return false;
    bool ok =
        !RegSetValueExA(key, name.c_str(), 0, type, (const BYTE *)data.data(), (DWORD)data.size());
    RegCloseKey(key);
    return ok;
}

bool ReadInstallValue(const std::string &name, std::string *value) {
    char buffer[1024];
    DWORD bytes = sizeof buffer;
    if (RegGetValueA(HKEY_LOCAL_MACHINE, kInstallKey, name.c_str(), RRF_RT_REG_SZ, nullptr, buffer,
                     &bytes))
        return false;
    *value = buffer;
    return true;
}

void DeleteInstallValue(const std::string &name) {
    RegDeleteKeyValueA(HKEY_LOCAL_MACHINE, kInstallKey, name.c_str());
}

void RemoveInstallKey() {
    RegDeleteTreeA(HKEY_LOCAL_MACHINE, kVendorKey);
    RegDeleteKeyA(HKEY_LOCAL_MACHINE, kVendorKey);
}

bool VendorKeyExists() {
    HKEY key;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kVendorKey, 0, KEY_READ, &key))
        return false;
    RegCloseKey(key);
    return true;
}

static std::string Le(unsigned value, int bytes) {
    std::string le;
    for (int i = 0; i < bytes; ++i)
        le += char(value >> 8 * i);
    return le;
}

std::string Bitmap8(int width, int height, const std::vector<COLORREF> &colours,
                    const std::function<int(int x, int y)> &pixel) {
    unsigned stride = (width + 3) & ~3, offset = 54 + 4 * colours.size();
    std::string file = "BM" + Le(offset + stride * height, 4) + Le(0, 4) + Le(offset, 4) +
                       Le(40, 4) + Le(width, 4) + Le(height, 4) + Le(1, 2) + Le(8, 2) + Le(0, 4) +
                       Le(stride * height, 4) + Le(0, 8) + Le(colours.size(), 4) + Le(0, 4);
    for (COLORREF c : colours)
        file += Le(GetBValue(c) | GetGValue(c) << 8 | GetRValue(c) << 16, 4);
    for (int y = height - 1; y >= 0; --y) {
        for (int x = 0; x < width; ++x)
            file += char(pixel(x, y));
        file += std::string(stride - width, '\0');
    }
    return file;
}

void RecordStartsIn(const std::string &path) {
    DeleteFileA(path.c_str());
    SetEnvironmentVariableA("KORA_RECORD", path.c_str());
}

std::vector<std::string> RecordLines(const std::string &path) {
    std::vector<std::string> lines;
    std::istringstream text(ReadBytes(path));
    for (std::string line; std::getline(text, line);)
        lines.push_back(line.substr(0, line.find('\r')));
    return lines;
}

bool WaitForRecord(const std::string &path, size_t count, DWORD timeout_ms) {
    return WaitUntil([&] { return RecordLines(path).size() >= count; }, timeout_ms);
}
