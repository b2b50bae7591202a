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
