// Drives the launcher through the typical road (install, sound set-up, game,
// readme, about box, uninstall) for the unattended demo. After each step it
// saves a screenshot and prints one line of what the step showed.
//
//   walk <screenshot directory>
//
// The launcher is started as D:\start.exe; the stand-ins record their starts
// in <screenshot directory>\record.txt. The exit code is the number of steps
// that did not show what they should.
#include "install_key.h"
#include "standin_common.h"
#include "walk_screen.h"
#include "walk_ui.h"

#include <stdio.h>

enum ButtonId {
    kStart = 1003,
    kInstall = 1006,
    kSound = 1007,
    kUninstall = 1008,
    kReadme = 1009,
    kExit = 1010
};

static const struct {
    int id;
    const char *name;
} kButtons[] = {{kStart, "Start"},         {kInstall, "Install"}, {kSound, "Sound setup"},
                {kUninstall, "Uninstall"}, {kReadme, "Readme"},   {kExit, "Exit"}};

static const char kNoticeClass[] = "KoraStandinNotice";
static const DWORD kWindowWait = 15000;

struct Walk {
    std::string shots;
    std::string record;
    std::string install_dir;
    int step = 0;
    int unexpected = 0;
    HANDLE launcher = nullptr;
    HWND main = nullptr;
};

// Saves a screenshot, which the demo turns into a PNG file of that name.
static void Shoot(Walk *walk, const char *shot) {
    SaveScreenshot(walk->shots + "\\" + shot + ".bmp");
}

// Prints a line of what the step showed, naming its screenshot.
static void Report(Walk *walk, const char *shot, const std::string &text, bool as_expected) {
    printf("%d  %s%s%s%s\n", walk->step, as_expected ? "" : "UNEXPECTED: ", text.c_str(),
           shot ? "  -> " : "", shot ? (std::string(shot) + ".png").c_str() : "");
    fflush(stdout);
    if (!as_expected)
        ++walk->unexpected;
}

// Lets a freshly shown window paint before the screenshot.
static void LetPaint() {
    Sleep(400);
}

static std::string ButtonStates(HWND main, const std::vector<int> &enabled, bool *as_expected) {
    std::string on, off;
    *as_expected = true;
    for (const auto &button : kButtons) {
        bool is_on = IsWindowEnabled(GetDlgItem(main, button.id));
        bool want_on = false;
        for (int id : enabled)
            want_on = want_on || id == button.id;
        *as_expected = *as_expected && is_on == want_on;
        std::string &list = is_on ? on : off;
        list += (list.empty() ? "" : ", ") + std::string(button.name);
    }
    return "enabled: " + (on.empty() ? "none" : on) + "; disabled: " + (off.empty() ? "none" : off);
}

// "<command line> in <directory>" of the last start of `name`, from the
// record the stand-ins keep.
static std::string LastStart(const Walk &walk, const char *name) {
    std::string text, found = "no start recorded";
    ReadFileText(walk.record, &text);
    for (const std::string &line : SplitLines(text)) {
        size_t tab = line.find('\t'), second = line.rfind('\t');
        if (tab != std::string::npos && second > tab && line.substr(0, tab) == name)
            found =
                "'" + line.substr(tab + 1, second - tab - 1) + "' in " + line.substr(second + 1);
    }
    return found;
}

// Starts the launcher from the medium and waits for its window and its first
// probe, answering the picture's error box when it shows.
static bool StartLauncher(Walk *walk, std::string *notes) {
    if (walk->launcher)
        CloseHandle(walk->launcher);
    walk->launcher = StartProgram("D:\\start.exe", "D:\\");
    walk->main = nullptr;
    bool picture_error = false;
    WaitUntil(
        [&] {
            if (HWND box = FindVisibleWindow("#32770", "Status", walk->launcher)) {
                PostCommand(box, IDOK);
                picture_error = true;
            }
            walk->main = FindVisibleWindow("TALVO", nullptr, walk->launcher);
            return walk->main != nullptr;
        },
        kWindowWait);
    *notes = picture_error ? "picture error box answered" : "no picture error";
    Sleep(900); // the first probe runs 500 ms after start-up
    return walk->main != nullptr;
}

static bool StepStart(Walk *walk) {
    std::string notes;
    if (!StartLauncher(walk, &notes)) {
        Shoot(walk, "step01-start");
        Report(walk, "step01-start", "launcher window did not appear", false);
        return false;
    }
    bool ok;
    std::string buttons = ButtonStates(walk->main, {kInstall, kReadme, kExit}, &ok);
    Shoot(walk, "step01-start");
    Report(walk, "step01-start", "launcher up, nothing installed (" + notes + "); " + buttons, ok);
    return true;
}

// A stand-in's window: screenshot it, then wait for the program to end.
static bool CatchNotice(Walk *walk, const char *caption, const char *shot, std::string *notes,
                        bool close_it) {
    HWND notice = WaitForWindow(kNoticeClass, caption, nullptr, kWindowWait);
    if (!notice) {
        *notes = std::string("no window '") + caption + "'";
        return false;
    }
    HANDLE process = ProcessOfWindow(notice);
    LetPaint();
    Shoot(walk, shot);
    if (close_it)
        PostMessageA(notice, WM_CLOSE, 0, 0);
    bool ended = WaitForEnd(process, kWindowWait);
    CloseHandle(process);
    *notes = std::string("window '") + caption + "' shown" + (ended ? "" : ", did not end");
    return ended;
}

// The launcher should have ended by itself; if not, it is ended here so
// that the walk can go on.
static bool LauncherEnded(Walk *walk) {
    if (WaitForEnd(walk->launcher, kWindowWait))
        return true;
    TerminateProcess(walk->launcher, 1);
    return false;
}

static bool StepInstall(Walk *walk) {
    PostCommand(walk->main, kInstall);
    std::string notes, path;
    bool ok = CatchNotice(walk, "Kora Manager DEMO Setup", "step02-install", &notes, false);
    bool ended = LauncherEnded(walk);
    bool registered = ReadInstallValue("Kora Pro Path", &path) && path == walk->install_dir;
    Report(walk, "step02-install",
           "Install clicked: installer " + LastStart(*walk, "setup") + ", " + notes +
               (ended ? ", launcher ended" : ", launcher still running") +
               (registered ? ", installation registered at " + path : ", nothing registered"),
           ok && ended && registered);
    return registered;
}

static bool StepInstalled(Walk *walk) {
    std::string notes;
    if (!StartLauncher(walk, &notes)) {
        Shoot(walk, "step03-installed");
        Report(walk, "step03-installed", "launcher window did not appear", false);
        return false;
    }
    bool ok;
    std::string buttons =
        ButtonStates(walk->main, {kInstall, kSound, kUninstall, kReadme, kExit}, &ok);
    Shoot(walk, "step03-installed");
    Report(walk, "step03-installed", "launcher started again, demo installed; " + buttons, ok);
    return true;
}

static bool StepSound(Walk *walk) {
    PostCommand(walk->main, kSound);
    bool hid = WaitUntil([&] { return !IsWindowVisible(walk->main); }, 5000);
    bool back = WaitUntil([&] { return IsWindowVisible(walk->main); }, 30000);
    LetPaint();
    std::string ini;
    bool written = ReadFileText(walk->install_dir + "\\drivers\\dig.ini", &ini) && ini.size() > 2;
    bool ok;
    std::string buttons =
        ButtonStates(walk->main, {kStart, kInstall, kSound, kUninstall, kReadme, kExit}, &ok);
    Shoot(walk, "step04-sound");
    Report(walk, "step04-sound",
           "Sound setup clicked: tool " + LastStart(*walk, "setsound") +
               (hid ? ", window hid" : ", window never hid") +
               (back ? " and came back" : " and did not come back") +
               (written ? ", drivers\\dig.ini written by the tool; "
                        : ", no configuration from the tool; ") +
               buttons,
           hid && back && written && ok);
    return back;
}

static bool StepGame(Walk *walk) {
    PostCommand(walk->main, kStart);
    std::string notes;
    bool ok = CatchNotice(walk, "Kora Manager DEMO", "step05-game", &notes, true);
    bool ended = LauncherEnded(walk);
    Report(walk, "step05-game",
           "Start clicked: game " + LastStart(*walk, "kora") + ", " + notes +
               (ended ? ", launcher ended" : ", launcher still running"),
           ok && ended);
    return true;
}

// Waits for a secondary window of the launcher, shows it, and closes it with
// its "Zurück" button.
static bool ShowSecondary(Walk *walk, const char *caption, const char *shot) {
    HWND dialog = WaitForWindow("#32770", caption, walk->launcher, 5000);
    if (!dialog) {
        Shoot(walk, shot);
        Report(walk, shot, std::string("no window '") + caption + "'", false);
        return false;
    }
    // The viewer places its text when it gets the focus, a moment later.
    HWND field = GetDlgItem(dialog, 1015);
    DWORD_PTR text = 0;
    // Sent, not asked through GetWindowTextLength, which for another
    // process's control would report only its caption.
    WaitUntil(
        [&] {
            return SendMessageTimeoutA(field, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, 1000,
                                       &text) &&
                   text > 0;
        },
        2000);
    LetPaint();
    Shoot(walk, shot);
    Report(walk, shot,
           std::string("window '") + caption + "' shown" +
               (text > 0 ? " with " + std::to_string(text) + " characters of text" : ""),
           true);
    PostCommand(dialog, 1018);
    bool closed = WaitUntil([&] { return !IsWindow(dialog); }, 5000);
    if (!closed)
        Report(walk, nullptr, std::string("'") + caption + "' did not close on 'Zurueck'", false);
    return closed;
}

static bool StepReadmeAndAbout(Walk *walk) {
    std::string notes;
    if (!StartLauncher(walk, &notes)) {
        Shoot(walk, "step06-readme");
        Report(walk, "step06-readme", "launcher window did not appear", false);
        return false;
    }
    Report(walk, nullptr, "launcher started again; clicking Readme", true);
    PostCommand(walk->main, kReadme);
    ShowSecondary(walk, "README.TXT", "step06a-readme");
    bool typed = PressKey(walk->main, VK_F1);
    Report(walk, nullptr,
           std::string("F1 ") + (typed ? "typed on" : "posted to") + " the main window", true);
    ShowSecondary(walk, "About", "step06b-about");
    return true;
}

static bool InstallationGone(const Walk &walk) {
    HKEY key;
    bool vendor_key =
        RegOpenKeyExA(HKEY_LOCAL_MACHINE, "SOFTWARE\\Halvorn", 0, KEY_READ, &key) == ERROR_SUCCESS;
    if (vendor_key)
        RegCloseKey(key);
    return !vendor_key && !DirectoryExists(walk.install_dir);
}

static bool StepUninstall(Walk *walk) {
    PostCommand(walk->main, kUninstall);
    HWND box = WaitForWindow("#32770", "Uninstall", walk->launcher, 5000);
    if (!box) {
        Shoot(walk, "step07a-confirm");
        Report(walk, "step07a-confirm", "Uninstall clicked: no confirmation box", false);
        return false;
    }
    LetPaint();
    Shoot(walk, "step07a-confirm");
    Report(walk, "step07a-confirm", "Uninstall clicked: confirmation box 'Uninstall' shown", true);
    PostCommand(box, IDYES);
    std::string notes;
    bool ok =
        CatchNotice(walk, "Kora Manager DEMO Deinstallation", "step07b-uninstall", &notes, false);
    bool ended = LauncherEnded(walk);
    bool gone = InstallationGone(*walk);
    Report(
        walk, "step07b-uninstall",
        "answered Yes: uninstaller " + LastStart(*walk, "uninst") + ", " + notes +
            (ended ? ", launcher ended" : ", launcher still running") +
            (gone ? ", nothing of the installation remains" : ", parts of the installation remain"),
        ok && ended && gone);
    return true;
}

int main(int argc, char **argv) {
    if (argc != 2) {
        printf("usage: walk <screenshot directory>\n");
        return 100;
    }
    Walk walk;
    walk.shots = argv[1];
    walk.record = walk.shots + "\\record.txt";
    walk.install_dir = EnvString("KORA_INSTALL_DIR", "C:\\KORADEMO");
    DeleteFileA(walk.record.c_str());
    SetEnvironmentVariableA("KORA_RECORD", walk.record.c_str());
    SetEnvironmentVariableA("KORA_QUIET", nullptr);

    bool (*const steps[])(Walk *) = {StepStart, StepInstall,        StepInstalled, StepSound,
                                     StepGame,  StepReadmeAndAbout, StepUninstall};
    for (auto step : steps) {
        ++walk.step;
        if (!step(&walk)) {
            printf("walk stopped\n");
            break;
        }
    }
    if (walk.launcher && WaitForSingleObject(walk.launcher, 0) == WAIT_TIMEOUT)
        TerminateProcess(walk.launcher, 1);
    // Also said in words: the demo runs this program inside a desktop
    // window that does not pass its exit code on.
    if (walk.unexpected)
        printf("walk: %d unexpected\n", walk.unexpected);
    else
        printf("walk: all steps as expected\n");
    return walk.unexpected;
}
