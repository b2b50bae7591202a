// Stand-in for the uninstaller. "-f<log>" names the installer's log: it
// removes what the log lists, the log itself, the installation directory
// when that is left empty, and the installation's registry key.
#include "install_key.h"
#include "install_log.h"
#include "notice_window.h"
#include "standin_common.h"

#include <windows.h>

// The log path is everything after " -f". The launcher passes the program
// path unquoted, so blanks in it cannot separate the arguments.
static std::string LogFromCommandLine(const std::string &line) {
    size_t flag = line.find(" -f");
    if (flag == std::string::npos)
        return "";
    std::string log = line.substr(flag + 3);
    while (!log.empty() && (log.back() == ' ' || log.back() == '"'))
        log.pop_back();
    if (!log.empty() && log.front() == '"')
        log.erase(0, 1);
    return log;
}

// The launcher starts this program inside the installation's save
// directory, which cannot be removed while it is the current one.
static void LeaveInstallation() {
    char system_dir[MAX_PATH];
    if (GetSystemDirectoryA(system_dir, sizeof system_dir))
        SetCurrentDirectoryA(system_dir);
}

// A running program cannot delete its own file, but it can move it: out of
// the installation, into the temporary directory, to go at the next restart.
static void MoveSelfAside(const std::vector<std::string> &created) {
    char self[MAX_PATH], temp[MAX_PATH], parked[MAX_PATH];
    if (!GetModuleFileNameA(nullptr, self, sizeof self))
        return;
    bool logged = false;
    for (const std::string &entry : created)
        logged = logged || lstrcmpiA(entry.c_str(), self) == 0;
    if (!logged || !GetTempPathA(sizeof temp, temp) || !GetTempFileNameA(temp, "kun", 0, parked))
        return;
    if (MoveFileExA(self, parked, MOVEFILE_REPLACE_EXISTING))
        MoveFileExA(parked, nullptr, MOVEFILE_DELAY_UNTIL_REBOOT);
    else
        DeleteFileA(parked);
}

static bool Uninstall(const std::string &log) {
    std::vector<std::string> created;
    if (log.empty() || !LoadInstallLog(log, &created))
        return false;
    LeaveInstallation();
    DeleteFileA(log.c_str());
    MoveSelfAside(created);
    RemoveInstalled(created);
    RemoveDirectoryA(ParentOf(log).c_str());
    DeleteInstallKey();
    return true;
}

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    RecordStart("uninst");
    bool quiet = Quiet();
    HWND notice = quiet ? nullptr
                        : ShowNotice("Kora Manager DEMO Deinstallation",
                                     "Kora Manager DEMO wird entfernt ...");
    bool ok = Uninstall(LogFromCommandLine(GetCommandLineA()));
    if (!quiet) {
        HoldNotice(notice, 1500);
        if (!ok)
            MessageBoxA(nullptr, "Aufruf: uninst -f<Protokolldatei>",
                        "Kora Manager DEMO Deinstallation", MB_OK | MB_ICONERROR);
    }
    return ok ? 0 : 2;
}
