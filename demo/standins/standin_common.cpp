#include "standin_common.h"

#include <windows.h>
#include <stdlib.h>

void RecordStart(const char *name) {
    std::string record = EnvString("KORA_RECORD", "");
    if (record.empty())
        return;
    char cwd[MAX_PATH] = "";
    GetCurrentDirectoryA(sizeof cwd, cwd);
    std::string line = std::string(name) + "\t" + GetCommandLineA() + "\t" + cwd + "\r\n";
    // One write in append mode, so that programs that start at the same
    // time do not interleave their lines.
    HANDLE file = CreateFileA(record.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE,
                              nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return;
    DWORD written;
    WriteFile(file, line.data(), (DWORD)line.size(), &written, nullptr);
    CloseHandle(file);
}

std::string EnvString(const char *name, const char *fallback) {
    char value[1024];
    DWORD length = GetEnvironmentVariableA(name, value, sizeof value);
    if (length == 0 || length >= sizeof value)
        return fallback;
    return value;
}

int EnvInt(const char *name, int fallback) {
    std::string value = EnvString(name, "");
    return value.empty() ? fallback : atoi(value.c_str());
}

bool Quiet() {
    return EnvString("KORA_QUIET", "0") == "1";
}

std::string OwnDirectory() {
    char path[MAX_PATH];
    DWORD length = GetModuleFileNameA(nullptr, path, sizeof path);
    if (length == 0 || length >= sizeof path)
        return "";
    return ParentOf(path) + "\\";
}

std::string ParentOf(const std::string &path) {
    size_t slash = path.find_last_of('\\');
    return slash == std::string::npos ? "" : path.substr(0, slash);
}

bool DirectoryExists(const std::string &path) {
    DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool FileExists(const std::string &path) {
    DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool MakeDirectories(const std::string &path) {
    if (path.empty() || DirectoryExists(path))
        return true;
    std::string parent = ParentOf(path);
    // A drive name such as "C:" is its own root and needs no creating.
    if (parent.size() > 2 && !MakeDirectories(parent))
        return false;
    return CreateDirectoryA(path.c_str(), nullptr) || DirectoryExists(path);
}

bool WriteFileText(const std::string &path, const std::string &text) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    DWORD written = 0;
    bool ok = WriteFile(file, text.data(), (DWORD)text.size(), &written, nullptr) &&
              written == text.size();
    CloseHandle(file);
    return ok;
}

bool ReadFileText(const std::string &path, std::string *text) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    text->clear();
    char buffer[4096];
    DWORD got;
    while (ReadFile(file, buffer, sizeof buffer, &got, nullptr) && got > 0)
        text->append(buffer, got);
    CloseHandle(file);
    return true;
}

std::vector<std::string> SplitLines(const std::string &text) {
    std::vector<std::string> lines;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos)
            end = text.size();
        std::string line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (!line.empty())
            lines.push_back(line);
        start = end + 1;
    }
    return lines;
}
