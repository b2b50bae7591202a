// Drives the launcher through the typical road (install, sound set-up, game,
// readme, about box, uninstall) for the unattended demo. After each step it
// saves a screenshot and prints one line of what the step showed.
//
//   walk <screenshot directory>
//
// The launcher is started as D:\start.exe, the medium's own, and works with
// the medium's real installer and uninstaller, whose pages it answers; the
// game and the sound tool record their starts in
// <screenshot directory>\record.txt. The exit code is the number of steps
// that did not show what they should.
#include "walk_screen.h"

#include "driver/controls.h"
#include "driver/launcher.h"
#include "driver/wizard.h"
#include "driver/world.h"
#include "resource.h"

#include <shlobj.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include <algorithm>
#include <filesystem>

enum ButtonId {
    kStart = IDC_START_DEMO,
    kInstall = IDC_INSTALL_DEMO,
    kSound = IDC_SOUND_SETUP,
    kUninstall = IDC_UNINSTALL,
    kReadme = IDC_README,
    kExit = IDC_EXIT
};

static const struct {
    int id;
    const char *name;
} kButtons[] = {{kStart, "Start"},         {kInstall, "Install"}, {kSound, "Sound setup"},
                {kUninstall, "Uninstall"}, {kReadme, "Readme"},   {kExit, "Exit"}};

static const char kNoticeClass[] = "KoraStandinNotice"; // the game stand-in's window
static const char kSetupCaption[] = "Installation von Kora Manager DEMO";
static const char kUninstallCaption[] = "Deinstallation von Kora Manager DEMO";
static const int kDirectoryField = 1019; // on the installer's directory page
static const DWORD kWindowWait = 15000;
// The about box's two lines, in the code page, as its template has them.
static const char kAboutText[] = "Kora Mananger Professional Starter\n\xa9 2026 Halvorn";

struct Walk {
    std::string shots;
    std::string record;
    std::string install_dir;
    int step = 0;
    int unexpected = 0;
    Launcher launcher;
};

// Saves a screenshot, which the demo turns into a PNG file of that name.
static void Shoot(Walk *walk, const char *shot) {
    SaveScreenshot(walk->shots + "\\" + shot + ".bmp");
}

// Prints a line of what the step showed, naming its screenshot, which must
// have been written.
static void Report(Walk *walk, const char *shot, std::string text, bool as_expected) {
    std::error_code error;
    if (shot && (!std::filesystem::file_size(walk->shots + "\\" + shot + ".bmp", error) || error)) {
        text += "; screenshot not written";
        as_expected = false;
    }
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

static std::string ButtonStates(const Walk &walk, const std::vector<int> &enabled,
                                bool *as_expected) {
    std::string on, off;
    *as_expected = true;
    for (const auto &button : kButtons) {
        bool is_on = IsWindowEnabled(GetDlgItem(walk.launcher.window(), button.id));
        bool want_on = std::count(enabled.begin(), enabled.end(), button.id) > 0;
        *as_expected = *as_expected && is_on == want_on;
        std::string &list = is_on ? on : off;
        list += (list.empty() ? "" : ", ") + std::string(button.name);
    }
    return "enabled: " + (on.empty() ? "none" : on) + "; disabled: " + (off.empty() ? "none" : off);
}

// The last start of `name` in the record the stand-ins keep, as
// "'<command line>' in <directory>", and whether it is the expected one.
static std::string CheckStart(const Walk &walk, const char *name, const std::string &command_line,
                              const std::string &directory, bool *as_expected) {
    std::string last;
    for (const std::string &line : RecordLines(walk.record))
        if (line.compare(0, strlen(name) + 1, std::string(name) + "\t") == 0)
            last = line.substr(strlen(name) + 1);
    *as_expected = last == command_line + "\t" + directory;
    size_t tab = last.rfind('\t');
    std::string found = tab == std::string::npos
                            ? "no start recorded"
                            : "'" + last.substr(0, tab) + "' in " + last.substr(tab + 1);
    return *as_expected ? found : found + " (expected '" + command_line + "' in " + directory + ")";
}

// Starts the launcher from the medium and waits for its window and its first
// probe, answering the picture's error box when it shows.
static bool StartLauncher(Walk *walk, std::string *notes) {
    // Without a console of its own, as when started from the desktop: the
    // consoles of its children are theirs then, not this program's.
    bool up = walk->launcher.Start("D:\\start.exe", "D:\\", DETACHED_PROCESS);
    *notes = walk->launcher.saw_status_box() ? "picture error box answered" : "no picture error";
    Sleep(900); // the first probe runs 500 ms after start-up
    return up;
}

static bool StepStart(Walk *walk) {
    std::string notes;
    if (!StartLauncher(walk, &notes)) {
        Shoot(walk, "step01-start");
        Report(walk, "step01-start", "launcher window did not appear", false);
        return false;
    }
    bool ok;
    std::string buttons = ButtonStates(*walk, {kInstall, kReadme, kExit}, &ok);
    Shoot(walk, "step01-start");
    Report(walk, "step01-start", "launcher up, nothing installed (" + notes + "); " + buttons, ok);
    return true;
}

// A stand-in's window: screenshot it, then wait for the program to end.
static bool CatchNotice(Walk *walk, const char *caption, const char *shot, std::string *notes,
                        bool close_it) {
    HWND notice = WaitWindow(kNoticeClass, caption, 0, kWindowWait);
    Program program;
    if (!notice || !program.Attach(notice)) {
        *notes = std::string("no window '") + caption + "'";
        return false;
    }
    LetPaint();
    Shoot(walk, shot);
    if (close_it)
        PostMessageA(notice, WM_CLOSE, 0, 0);
    bool ended = program.WaitExit(kWindowWait) != -1;
    *notes = std::string("window '") + caption + "' shown" + (ended ? "" : ", did not end");
    return ended;
}

// The launcher should have ended by itself; if not, it is ended here so
// that the walk can go on.
static bool LauncherEnded(Walk *walk) {
    if (walk->launcher.WaitExit(kWindowWait) != -1)
        return true;
    walk->launcher.Kill();
    return false;
}

struct ControlSearch {
    int id;
    HWND found;
};

static BOOL CALLBACK MatchControl(HWND child, LPARAM data) {
    auto *search = (ControlSearch *)data;
    if (GetDlgCtrlID(child) != search->id)
        return TRUE;
    search->found = child;
    return FALSE;
}

// The control `id` anywhere inside `window`: a wizard shows its pages as
// dialogs inside its own.
static HWND Descendant(HWND window, int id) {
    ControlSearch search = {id, nullptr};
    EnumChildWindows(window, MatchControl, (LPARAM)&search);
    return search.found;
}

static std::string Caption(HWND window) {
    char caption[256] = "";
    GetWindowTextA(window, caption, sizeof caption);
    return caption;
}

// Presses the wizard's last button ("Beenden") and waits for its program to end.
static bool CloseWizard(HWND wizard) {
    Program program;
    if (!program.Attach(wizard))
        return false;
    PressButton(wizard, IDOK);
    return program.WaitExit(kWindowWait) != -1;
}

static bool StepInstall(Walk *walk) {
    walk->launcher.Click(kInstall);
    HWND wizard = WaitDialogTitled(kSetupCaption, kWindowWait);
    bool ended = LauncherEnded(walk);
    if (!wizard) {
        Shoot(walk, "step02a-install-directory");
        Report(walk, "step02a-install-directory", "Install clicked: no installer window", false);
        return false;
    }
    bool ready = ButtonReady(wizard, IDOK, "Installieren");
    std::string offered = ControlText(Descendant(wizard, kDirectoryField));
    LetPaint();
    Shoot(walk, "step02a-install-directory");
    Report(walk, "step02a-install-directory",
           "Install clicked: installer '" + Caption(wizard) + "' offers " + offered +
               (ended ? ", launcher ended" : ", launcher still running"),
           ready && ended && offered == walk->install_dir);

    PressButton(wizard, IDOK);
    bool done = ButtonReady(wizard, IDOK, "Beenden");
    LetPaint();
    Shoot(walk, "step02b-install-done");
    std::string path;
    bool registered = ReadInstallValue("Kora Pro Path", &path) && path == walk->install_dir;
    bool closed = CloseWizard(wizard);
    Report(walk, "step02b-install-done",
           std::string("'Installieren' pressed: ") +
               (done ? "installation finished" : "installation did not finish") +
               (registered ? ", registered at " + path : ", nothing registered") +
               (closed ? ", installer closed with 'Beenden'" : ", installer did not close"),
           done && registered && closed);
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
    std::string buttons = ButtonStates(*walk, {kInstall, kSound, kUninstall, kReadme, kExit}, &ok);
    Shoot(walk, "step03-installed");
    Report(walk, "step03-installed", "launcher started again, demo installed; " + buttons, ok);
    return true;
}

static bool StepSound(Walk *walk) {
    walk->launcher.Click(kSound);
    HWND main = walk->launcher.window();
    bool hid = WaitUntil([&] { return !IsWindowVisible(main); }, 5000);
    bool back = WaitUntil([&] { return IsWindowVisible(main); }, 30000);
    LetPaint();
    bool written = ReadBytes(walk->install_dir + "\\drivers\\dig.ini").size() > 2;
    bool ok, started;
    std::string buttons =
        ButtonStates(*walk, {kStart, kInstall, kSound, kUninstall, kReadme, kExit}, &ok);
    // Run by its full quoted path through the command interpreter.
    std::string tool = CheckStart(*walk, "setsound", "\"" + walk->install_dir + "\\setsound.exe\"",
                                  walk->install_dir, &started);
    Shoot(walk, "step04-sound");
    Report(walk, "step04-sound",
           "Sound setup clicked: tool " + tool + (hid ? ", window hid" : ", window never hid") +
               (back ? " and came back" : " and did not come back") +
               (written ? ", drivers\\dig.ini written by the tool; "
                        : ", no configuration from the tool; ") +
               buttons,
           started && hid && back && written && ok);
    return back;
}

static bool StepGame(Walk *walk) {
    walk->launcher.Click(kStart);
    std::string notes;
    bool ok = CatchNotice(walk, "Kora Manager DEMO", "step05-game", &notes, true);
    bool ended = LauncherEnded(walk);
    bool started;
    // The path holds a blank, so it is quoted.
    std::string game = CheckStart(*walk, "kora", "\"" + walk->install_dir + "\\kora.exe\"",
                                  walk->install_dir, &started);
    Report(walk, "step05-game",
           "Start clicked: game " + game + ", " + notes +
               (ended ? ", launcher ended" : ", launcher still running"),
           started && ok && ended);
    return true;
}

// The text of another process's edit control: sent, not asked through
// GetWindowText, which for another process's control gives only its caption.
static std::string FieldText(HWND field) {
    DWORD_PTR length = 0;
    if (!SendMessageTimeoutA(field, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, 1000, &length))
        return "";
    std::string text(length + 1, '\0');
    DWORD_PTR copied = 0;
    if (!SendMessageTimeoutA(field, WM_GETTEXT, text.size(), (LPARAM)&text[0], SMTO_ABORTIFHUNG,
                             1000, &copied))
        return "";
    text.resize(copied);
    return text;
}

static BOOL CALLBACK AddShownText(HWND child, LPARAM data) {
    char name[16] = "";
    GetClassNameA(child, name, sizeof name);
    std::string &text = *(std::string *)data;
    if (lstrcmpiA(name, "Button"))
        text += (text.empty() ? "" : "\n") + FieldText(child);
    return TRUE;
}

// What a secondary window shows: the text of its controls but the buttons,
// one a line.
static std::string ShownText(HWND dialog) {
    std::string text;
    EnumChildWindows(dialog, AddShownText, (LPARAM)&text);
    return text;
}

// Waits for a secondary window of the launcher, checks that it shows
// `expected`, and closes it with its "Zurück" button. `what` opened it.
static bool ShowSecondary(Walk *walk, const std::string &what, const char *caption,
                          const char *shot, const std::string &expected) {
    HWND dialog = walk->launcher.WaitDialog(caption);
    if (!dialog) {
        Shoot(walk, shot);
        Report(walk, shot, what + ": no window '" + caption + "'", false);
        return false;
    }
    // The viewer places its text when it gets the focus, a moment later.
    std::string text;
    WaitUntil([&] { return (text = ShownText(dialog)) == expected; }, 2000);
    LetPaint();
    Shoot(walk, shot);
    bool shows = text == expected;
    std::string shown = "'" + text + "'";
    std::replace(shown.begin(), shown.end(), '\n', '/');
    if (text.size() > 80)
        shown = std::to_string(text.size()) + " characters of text";
    Report(walk, shot,
           what + ": window '" + caption + "' shows " + shown +
               (shows ? "" : ", not what it should"),
           shows);
    PressButton(dialog, IDC_BACK);
    bool closed = WaitUntil([&] { return !IsWindow(dialog); }, 5000);
    if (!closed)
        Report(walk, nullptr, std::string("'") + caption + "' did not close on 'Zurueck'", false);
    return closed;
}

static bool StepReadmeAndAbout(Walk *walk) {
    std::string notes;
    if (!StartLauncher(walk, &notes)) {
        Shoot(walk, "step06a-readme");
        Report(walk, "step06a-readme", "launcher window did not appear", false);
        return false;
    }
    bool ok;
    std::string buttons =
        ButtonStates(*walk, {kStart, kInstall, kSound, kUninstall, kReadme, kExit}, &ok);
    Report(walk, nullptr, "launcher started again; " + buttons, ok);
    walk->launcher.Click(kReadme);
    bool readme = ShowSecondary(walk, "Readme clicked", "README.TXT", "step06a-readme",
                                ReadBytes("D:\\Readme.txt"));
    bool typed = TypeKey(walk->launcher.window(), VK_F1);
    std::string f1 = std::string("F1 ") + (typed ? "typed on" : "posted to") + " the main window";
    bool about = ShowSecondary(walk, f1, "About", "step06b-about", kAboutText);
    return readme && about;
}

// Windows' uninstall entry and the Start-menu shortcut go with the installation.
static bool InstallationGone(const Walk &walk) {
    HKEY entry;
    bool listed =
        !RegOpenKeyExA(HKEY_LOCAL_MACHINE,
                       "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Kora Manager DEMO",
                       0, KEY_READ, &entry);
    if (listed)
        RegCloseKey(entry);
    char menu[MAX_PATH] = "";
    SHGetFolderPathA(nullptr, CSIDL_COMMON_PROGRAMS, nullptr, 0, menu);
    return !VendorKeyExists() && !listed &&
           !std::filesystem::exists(std::string(menu) + "\\Kora Manager DEMO.lnk") &&
           !std::filesystem::is_directory(walk.install_dir);
}

static bool StepUninstall(Walk *walk) {
    walk->launcher.Click(kUninstall);
    HWND box = walk->launcher.WaitDialog("Uninstall");
    if (!box) {
        Shoot(walk, "step07a-confirm");
        Report(walk, "step07a-confirm", "Uninstall clicked: no confirmation box", false);
        return false;
    }
    LetPaint();
    Shoot(walk, "step07a-confirm");
    Report(walk, "step07a-confirm", "Uninstall clicked: confirmation box 'Uninstall' shown", true);
    PressButton(box, IDYES);
    bool ended = LauncherEnded(walk);
    // The uninstaller has started again from the temporary folder by now.
    HWND wizard = WaitDialogTitled(kUninstallCaption, kWindowWait);
    if (!wizard) {
        Shoot(walk, "step07b-uninstall");
        Report(walk, "step07b-uninstall", "answered Yes: no uninstaller window", false);
        return false;
    }
    bool ready = ButtonReady(wizard, IDOK, "Deinstallieren");
    LetPaint();
    Shoot(walk, "step07b-uninstall");
    Report(walk, "step07b-uninstall",
           std::string("answered Yes: ") + (ended ? "launcher ended" : "launcher still running") +
               ", uninstaller '" + Caption(wizard) + "' shown",
           ready && ended);

    PressButton(wizard, IDOK);
    bool done = ButtonReady(wizard, IDOK, "Beenden");
    LetPaint();
    Shoot(walk, "step07c-uninstall-done");
    bool closed = CloseWizard(wizard);
    bool gone = WaitUntil([&] { return InstallationGone(*walk); }, 10000);
    Report(
        walk, "step07c-uninstall-done",
        std::string("'Deinstallieren' pressed: ") +
            (done ? "removal finished" : "removal did not finish") +
            (closed ? ", uninstaller closed with 'Beenden'" : ", uninstaller did not close") +
            (gone ? ", nothing of the installation remains" : ", parts of the installation remain"),
        done && closed && gone);
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
    // The installer's default: Program Files of the walk's own kind, which is
    // the installer's kind too.
    const char *install_dir = getenv("KORA_INSTALL_DIR");
    const char *programs = getenv("ProgramFiles");
    walk.install_dir =
        install_dir ? install_dir : std::string(programs ? programs : "") + "\\Kora Manager DEMO";
    RecordStartsIn(walk.record);
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
    walk.launcher.Kill();
    // Also said in words: the demo runs this program inside a desktop
    // window that does not pass its exit code on.
    if (walk.unexpected)
        printf("walk: %d unexpected\n", walk.unexpected);
    else
        printf("walk: all steps as expected\n");
    return walk.unexpected;
}
