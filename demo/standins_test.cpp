// Runs the stand-ins the way the launcher starts them and checks what they
// leave behind: the end-to-end tests and the demo build on their behaviour.
#include "install_key.h"
#include "standin_common.h"

#include <windows.h>
#include <stdio.h>

static int g_failures;

static void Check(bool ok, const char *what, int line) {
    if (!ok) {
        printf("FAILED line %d: %s\n", line, what);
        ++g_failures;
    }
}
#define CHECK(condition) Check((condition), #condition, __LINE__)

struct Layout {
    std::string builds;  // where the stand-ins were built
    std::string root;    // scratch directory of this test
    std::string medium;  // the stand-ins copied as on a source medium
    std::string install; // KORA_INSTALL_DIR, with a blank in it
    std::string record;  // KORA_RECORD
};

// Starts `program` with `command_line` in `directory`, waits for it and
// returns its exit code, or -1 when it did not start or end in time.
static int Run(const std::string &program, const std::string &command_line,
               const std::string &directory) {
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process;
    std::string line = command_line;
    if (!CreateProcessA(program.c_str(), &line[0], nullptr, nullptr, FALSE, 0, nullptr,
                        directory.c_str(), &startup, &process))
        return -1;
    DWORD code = (DWORD)-1;
    if (WaitForSingleObject(process.hProcess, 20000) == WAIT_OBJECT_0)
        GetExitCodeProcess(process.hProcess, &code);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return (int)code;
}

static void RemoveTree(const std::string &dir) {
    WIN32_FIND_DATAA entry;
    HANDLE search = FindFirstFileA((dir + "\\*").c_str(), &entry);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            std::string name = entry.cFileName;
            if (name == "." || name == "..")
                continue;
            if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                RemoveTree(dir + "\\" + name);
            else
                DeleteFileA((dir + "\\" + name).c_str());
        } while (FindNextFileA(search, &entry));
        FindClose(search);
    }
    RemoveDirectoryA(dir.c_str());
}

static bool KeyExists(const char *path) {
    HKEY key;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, path, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return false;
    RegCloseKey(key);
    return true;
}

static Layout PrepareMedium(bool with_game) {
    Layout layout;
    layout.builds = OwnDirectory() + "..\\standins\\";
    char temp[MAX_PATH];
    GetTempPathA(sizeof temp, temp);
    layout.root = std::string(temp) + "kora-standins-test";
    layout.medium = layout.root + "\\medium";
    layout.install = layout.root + "\\Kora Demo";
    layout.record = layout.root + "\\record.txt";
    RemoveTree(layout.root);
    DeleteInstallKey();
    MakeDirectories(layout.medium);
    for (const char *name : {"setup.exe", "kora.exe", "setsound.exe", "uninst.exe"})
        if (with_game || std::string(name) != "kora.exe")
            CopyFileA((layout.builds + name).c_str(), (layout.medium + "\\" + name).c_str(), FALSE);
    WriteFileText(layout.medium + "\\loading.bmp", "BM picture");
    SetEnvironmentVariableA("KORA_QUIET", "1");
    SetEnvironmentVariableA("KORA_INSTALL_DIR", (layout.install + "\\").c_str());
    SetEnvironmentVariableA("KORA_RECORD", layout.record.c_str());
    SetEnvironmentVariableA("KORA_SETSOUND_WRITE", nullptr);
    return layout;
}

static int RunSetup(const Layout &layout) {
    std::string setup = layout.medium + "\\setup.exe";
    return Run(setup, setup, layout.medium);
}

// As the launcher does it: the registered command cut at "-f", joined again
// with one blank, started in the save directory.
static int RunRegisteredUninstaller(const Layout &layout) {
    std::string command;
    if (!ReadInstallValue("Uninstall", &command))
        return -1;
    size_t flag = command.find("-f");
    std::string program = command.substr(0, flag - 1);
    return Run(program, program + " " + command.substr(flag), layout.install + "\\save");
}

static void TestInstallRegistersAndLogs() {
    Layout layout = PrepareMedium(true);
    CHECK(RunSetup(layout) == 0);
    const std::string &dir = layout.install;
    for (const char *name : {"kora.exe", "setsound.exe", "uninst.exe", "loading.bmp", "KORA.PIF",
                             "save\\slot1.sav", "install.log"})
        CHECK(FileExists(dir + "\\" + name));
    CHECK(DirectoryExists(dir + "\\drivers"));
    CHECK(!FileExists(dir + "\\drivers\\dig.ini"));

    std::string path, uninstall, log;
    CHECK(ReadInstallValue("Kora Pro Path", &path) && path == dir);
    CHECK(ReadInstallValue("Uninstall", &uninstall) &&
          uninstall == dir + "\\uninst.exe -f" + dir + "\\install.log");
    CHECK(ReadFileText(dir + "\\install.log", &log));
    CHECK(log.find(dir + "\\kora.exe\r\n") != std::string::npos);
    CHECK(log.find(dir + "\\save\\\r\n") != std::string::npos);
}

static void TestInstallNeedsTheGameOnTheMedium() {
    Layout layout = PrepareMedium(false);
    CHECK(RunSetup(layout) == 1);
    CHECK(!KeyExists(kInstallKey));
}

static void TestSoundToolWritesConfigurationUnlessTold() {
    Layout layout = PrepareMedium(true);
    CHECK(RunSetup(layout) == 0);
    std::string cmd = EnvString("COMSPEC", "C:\\windows\\system32\\cmd.exe");
    std::string ini = layout.install + "\\drivers\\dig.ini", text;

    SetEnvironmentVariableA("KORA_SETSOUND_WRITE", "0");
    CHECK(Run(cmd, cmd + " /c setsound.exe", layout.install) == 0);
    CHECK(!FileExists(ini));

    SetEnvironmentVariableA("KORA_SETSOUND_WRITE", nullptr);
    RemoveDirectoryA((layout.install + "\\drivers").c_str());
    CHECK(Run(cmd, cmd + " /c setsound.exe", layout.install) == 0);
    CHECK(ReadFileText(ini, &text) && text.compare(0, 9, "[Digital]") == 0);
}

static void TestUninstallLeavesNothing() {
    Layout layout = PrepareMedium(true);
    CHECK(RunSetup(layout) == 0);
    CHECK(RunRegisteredUninstaller(layout) == 0);
    CHECK(!DirectoryExists(layout.install));
    CHECK(!KeyExists("SOFTWARE\\Halvorn"));
}

// Files the installer did not make, and other keys of the vendor, stay.
static void TestUninstallKeepsWhatOthersMade() {
    Layout layout = PrepareMedium(true);
    CHECK(RunSetup(layout) == 0);
    WriteFileText(layout.install + "\\save\\slot9.sav", "own game");
    HKEY other;
    RegCreateKeyExA(HKEY_LOCAL_MACHINE, "SOFTWARE\\Halvorn\\Other", 0, nullptr, 0, KEY_WRITE,
                    nullptr, &other, nullptr);
    RegCloseKey(other);

    CHECK(RunRegisteredUninstaller(layout) == 0);
    CHECK(FileExists(layout.install + "\\save\\slot9.sav"));
    CHECK(!FileExists(layout.install + "\\kora.exe"));
    CHECK(!FileExists(layout.install + "\\install.log"));
    CHECK(!KeyExists("SOFTWARE\\Halvorn\\Kora Manager DEMO"));
    CHECK(KeyExists("SOFTWARE\\Halvorn\\Other"));
    RegDeleteKeyA(HKEY_LOCAL_MACHINE, "SOFTWARE\\Halvorn\\Other");
    RegDeleteKeyA(HKEY_LOCAL_MACHINE, "SOFTWARE\\Halvorn");
}

static void TestUninstallWithoutLogChangesNothing() {
    Layout layout = PrepareMedium(true);
    CHECK(RunSetup(layout) == 0);
    std::string uninst = layout.install + "\\uninst.exe";
    CHECK(Run(uninst, uninst, layout.install) == 2);
    CHECK(Run(uninst, uninst + " -f" + layout.root + "\\missing.log", layout.install) == 2);
    CHECK(KeyExists(kInstallKey));
    CHECK(FileExists(uninst));
}

// One line per start, in order, written before the program does anything.
static void TestRecordLines() {
    Layout layout = PrepareMedium(true);
    std::string kora = layout.medium + "\\kora.exe";
    std::string setup = layout.medium + "\\setup.exe";
    CHECK(Run(kora, kora + " one two", layout.root) == 0);
    CHECK(Run(setup, "\"" + setup + "\"", layout.medium) == 0);
    std::string record;
    CHECK(ReadFileText(layout.record, &record));
    CHECK(record == "kora\t" + kora + " one two\t" + layout.root + "\r\n" + "setup\t\"" + setup +
                        "\"\t" + layout.medium + "\r\n");
}

int main() {
    TestInstallRegistersAndLogs();
    TestInstallNeedsTheGameOnTheMedium();
    TestSoundToolWritesConfigurationUnlessTold();
    TestUninstallLeavesNothing();
    TestUninstallKeepsWhatOthersMade();
    TestUninstallWithoutLogChangesNothing();
    TestRecordLines();
    DeleteInstallKey();
    RemoveTree(PrepareMedium(true).root);
    printf("%s\n", g_failures ? "stand-ins: FAILED" : "stand-ins: all passed");
    return g_failures ? 1 : 0;
}
