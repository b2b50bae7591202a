// Runs the game and sound-tool stand-ins and checks what they leave behind:
// the end-to-end tests and the demo build on their behaviour.
#include "standin_common.h"

#include <windows.h>
#include <stdio.h>
#include <string.h>

static int g_failures;

static void Check(bool ok, const char *what, int line) {
    if (!ok) {
        printf("FAILED line %d: %s\n", line, what);
        ++g_failures;
    }
}
#define CHECK(condition) Check((condition), #condition, __LINE__)

// Runs `command_line` in `directory` and returns its exit code, or -1 when
// it did not start or end in time.
static int Run(const std::string &command_line, const std::string &directory) {
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process;
    std::string line = command_line;
    if (!CreateProcessA(nullptr, &line[0], nullptr, nullptr, FALSE, 0, nullptr, directory.c_str(),
                        &startup, &process))
        return -1;
    DWORD code = (DWORD)-1;
    if (WaitForSingleObject(process.hProcess, 20000) == WAIT_OBJECT_0)
        GetExitCodeProcess(process.hProcess, &code);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return (int)code;
}

static std::string ReadText(const std::string &path) {
    std::string text;
    FILE *file = fopen(path.c_str(), "rb");
    for (int c; file && (c = fgetc(file)) != EOF;)
        text += (char)c;
    if (file)
        fclose(file);
    return text;
}

int main() {
    char own[MAX_PATH], temp[MAX_PATH];
    GetModuleFileNameA(nullptr, own, sizeof own);
    *strrchr(own, '\\') = '\0';
    GetTempPathA(sizeof temp, temp);
    std::string builds = std::string(own) + "\\..\\standins\\",
                dir = temp + std::string("kora-standins");
    std::string ini = dir + "\\drivers\\dig.ini", record = dir + "\\record.txt";
    std::string setsound = builds + "setsound.exe", kora = builds + "kora.exe";
    CreateDirectoryA(dir.c_str(), nullptr);
    DeleteFileA(ini.c_str());
    DeleteFileA(record.c_str());
    SetEnvironmentVariableA("KORA_RECORD", record.c_str());
    SetEnvironmentVariableA("KORA_QUIET", "1");

    // Left without a choice, the sound tool writes nothing.
    SetEnvironmentVariableA("KORA_SETSOUND_WRITE", "0");
    CHECK(Run(setsound, dir) == 0);
    CHECK(ReadText(ini).empty());
    SetEnvironmentVariableA("KORA_SETSOUND_WRITE", nullptr);
    CHECK(Run(setsound, dir) == 0);
    CHECK(ReadText(ini).compare(0, 9, "[Digital]") == 0);

    // One line per start, in order.
    CHECK(Run(kora + " one two", dir) == 0);
    CHECK(ReadText(record) == "setsound\t" + setsound + "\t" + dir + "\r\n" + "setsound\t" +
                                  setsound + "\t" + dir + "\r\n" + "kora\t" + kora + " one two\t" +
                                  dir + "\r\n");
    printf("%s\n", g_failures ? "stand-ins: FAILED" : "stand-ins: all passed");
    return g_failures ? 1 : 0;
}
