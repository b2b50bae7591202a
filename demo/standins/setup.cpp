// Stand-in for the demo's installer. It copies the game and its tools from
// the medium beside it into the installation directory, leaves a few of the
// files the game would make at run time, logs everything it created for the
// uninstaller and registers the installation.
#include "install_key.h"
#include "install_log.h"
#include "notice_window.h"
#include "standin_common.h"

#include <windows.h>

static const char *const kPrograms[] = {"kora.exe", "setsound.exe", "uninst.exe"};

struct Installation {
    std::string source; // the medium, with a trailing backslash
    std::string dir;    // without one
    std::vector<std::string> created;
};

static std::string InstallDirectory() {
    std::string dir = EnvString("KORA_INSTALL_DIR", "C:\\KORADEMO");
    while (dir.size() > 3 && dir.back() == '\\')
        dir.pop_back();
    return dir;
}

static bool AddDirectory(Installation *setup, const char *name) {
    std::string path = setup->dir + "\\" + name;
    if (!MakeDirectories(path))
        return false;
    setup->created.push_back(path + "\\");
    return true;
}

static bool AddCopy(Installation *setup, const char *name) {
    std::string target = setup->dir + "\\" + name;
    if (!CopyFileA((setup->source + name).c_str(), target.c_str(), FALSE))
        return false;
    setup->created.push_back(target);
    return true;
}

static bool AddText(Installation *setup, const char *name, const char *text) {
    std::string target = setup->dir + "\\" + name;
    if (!WriteFileText(target, text))
        return false;
    setup->created.push_back(target);
    return true;
}

// Files the launcher's own uninstall clean-up deletes before the uninstaller
// runs; they are logged as well, as a real installer would not know better.
static bool AddRuntimeFiles(Installation *setup) {
    if (FileExists(setup->source + "loading.bmp") && !AddCopy(setup, "loading.bmp"))
        return false;
    return AddText(setup, "KORA.PIF", "[pif]\r\nprogram=kora.exe\r\n") &&
           AddText(setup, "save\\slot1.sav", "KORA SAVE 1\r\nweek=1\r\n") &&
           AddText(setup, "save\\slot2.sav", "KORA SAVE 2\r\nweek=7\r\n");
}

// Returns the German reason of a failure, or null. An installation that
// failed half-way is left as it is and not registered.
static const char *Install(Installation *setup) {
    if (!MakeDirectories(setup->dir))
        return "Das Installationsverzeichnis kann nicht angelegt werden.";
    for (const char *program : kPrograms)
        if (!AddCopy(setup, program))
            return "Die Programmdateien fehlen auf dem Datentr\xE4ger.";
    if (!AddDirectory(setup, "drivers") || !AddDirectory(setup, "save") || !AddRuntimeFiles(setup))
        return "Die Dateien k\xF6nnen nicht angelegt werden.";
    std::string log = setup->dir + "\\install.log";
    if (!SaveInstallLog(log, setup->created))
        return "Das Protokoll kann nicht geschrieben werden.";
    if (!WriteInstallKey(setup->dir, setup->dir + "\\uninst.exe -f" + log))
        return "Die Installation kann nicht eingetragen werden.";
    return nullptr;
}

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    RecordStart("setup");
    bool quiet = Quiet();
    HWND notice =
        quiet ? nullptr
              : ShowNotice("Kora Manager DEMO Setup", "Kora Manager DEMO wird installiert ...");
    Installation setup;
    setup.source = OwnDirectory();
    setup.dir = InstallDirectory();
    const char *failure = Install(&setup);
    if (!quiet) {
        HoldNotice(notice, 2000);
        if (failure)
            MessageBoxA(nullptr, failure, "Kora Manager DEMO Setup", MB_OK | MB_ICONERROR);
    }
    return failure ? 1 : 0;
}
