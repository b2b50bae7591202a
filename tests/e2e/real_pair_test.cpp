// The launcher with the real installer and uninstaller of the CD image, all
// run from the read-only CD drive D: that this group's lane inserts.
#include "harness.h"

#include "driver/wizard.h"
#include "resource.h"

#include <shlobj.h>

#include <algorithm>

static const char kEntryKey[] =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Kora Manager DEMO";

// Program Files of this program's kind, which is the installer's kind too.
static std::string DefaultDir() {
    char programs[MAX_PATH] = "";
    GetEnvironmentVariableA("ProgramFiles", programs, sizeof programs);
    return std::string(programs) + "\\Kora Manager DEMO";
}

static std::string Shortcut() {
    char menu[MAX_PATH] = "";
    SHGetFolderPathA(nullptr, CSIDL_COMMON_PROGRAMS, nullptr, 0, menu);
    return std::string(menu) + "\\Kora Manager DEMO.lnk";
}

static bool EntryExists() {
    HKEY key;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kEntryKey, 0, KEY_READ, &key))
        return false;
    RegCloseKey(key);
    return true;
}

// A value of the uninstall entry as text; DWORDs in decimal.
static std::string EntryValue(const char *name) {
    char text[1024] = "";
    DWORD number = 0, size = sizeof text, type = 0;
    if (RegGetValueA(HKEY_LOCAL_MACHINE, kEntryKey, name, RRF_RT_REG_SZ, &type, text, &size) ==
        ERROR_SUCCESS)
        return text;
    size = sizeof number;
    if (RegGetValueA(HKEY_LOCAL_MACHINE, kEntryKey, name, RRF_RT_REG_DWORD, &type, &number,
                     &size) == ERROR_SUCCESS)
        return std::to_string(number);
    return "(missing)";
}

// Removes the installation in `dir`, never a drive root.
static void ForgetInstallation(const fs::path &dir) {
    RemoveInstallKey();
    RegDeleteKeyA(HKEY_LOCAL_MACHINE, kEntryKey);
    DeleteFileA(Shortcut().c_str());
    std::error_code error;
    if (dir.has_relative_path())
        fs::remove_all(dir, error);
}

static bool NothingRegistered() {
    return !VendorKeyExists() && !EntryExists() && !fs::exists(Shortcut());
}

static bool NothingLeft(const fs::path &dir) {
    // A drive root stays: only what the installer would put there counts.
    const fs::path made = dir.has_relative_path() ? dir : dir / "kora.exe";
    return NothingRegistered() && !fs::exists(made);
}

// Text as the install log holds it: UTF-16, little-endian.
static std::string Utf16(const std::wstring &text) {
    std::string bytes;
    for (wchar_t c : text)
        bytes += {(char)(c & 0xff), (char)(c >> 8)};
    return bytes;
}

// Runs the CD's installer silently with `arguments` after /S. Wide, as
// Windows passes any folder name.
static DWORD SilentSetup(const std::wstring &arguments) {
    std::wstring line = L"D:\\setup.exe /S" + arguments;
    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION setup;
    if (!CreateProcessW(nullptr, &line[0], nullptr, nullptr, FALSE, 0, nullptr, L"D:\\", &startup,
                        &setup))
        return (DWORD)-1;
    DWORD status = (DWORD)-1;
    if (WaitForSingleObject(setup.hProcess, 30000) == WAIT_OBJECT_0)
        GetExitCodeProcess(setup.hProcess, &status);
    CloseHandle(setup.hThread);
    CloseHandle(setup.hProcess);
    return status;
}

// L"" installs into the default folder.
static DWORD SilentInstall(const std::wstring &dir) {
    // /D= last and unquoted, blanks and all, as the installer takes it.
    return SilentSetup(dir.empty() ? L"" : L" /D=" + dir);
}

// Runs the uninstaller of `dir` silently as its first process starts its
// copy from the temporary folder (which ends at once), and waits for the
// copy's end: its exit code.
static long RunUninstaller(const std::string &dir) {
    const std::string copy = "C:\\uninst-copy.exe";
    Program uninstaller;
    long status =
        CopyFileA((dir + "\\uninst.exe").c_str(), copy.c_str(), FALSE) &&
                uninstaller.Start(copy + " /S -f" + dir + "\\install.log _?=" + dir, "C:\\")
            ? uninstaller.WaitExit(30000)
            : -2;
    DeleteFileA(copy.c_str());
    return status;
}

class RealPair : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_EQ(GetDriveTypeA("D:\\"), (UINT)DRIVE_CDROM);
        UnmanageLauncherWindows();
        ClearRecord();
        // The game ends at once: a running game could not be removed.
        SetEnvironmentVariableA("KORA_QUIET", "1");
    }

    // Uninstall from the launcher: its question, then the uninstaller's pages.
    void UninstallFromLauncher() {
        launcher.Click(IDC_UNINSTALL);
        HWND question = launcher.WaitDialog("Uninstall");
        ASSERT_TRUE(question);
        PressButton(question, IDYES);
        EXPECT_EQ(launcher.WaitExit(), 0);
        // The uninstaller has started again from the temporary folder by now.
        HWND page = WaitDialogTitled("Deinstallation von Kora Manager DEMO");
        ASSERT_TRUE(page);
        ASSERT_TRUE(ButtonReady(page, IDOK, "Deinstallieren"));
        PressButton(page, IDOK);
        ASSERT_TRUE(ButtonReady(page, IDOK, "Beenden"));
        PressButton(page, IDOK);
    }

    TestLauncher launcher;
};

TEST_F(RealPair, InstallPlayAndUninstallFromTheCd) {
    const std::string dir = DefaultDir();
    const std::string outside = "C:\\outside.txt";
    ForgetInstallation(dir);
    ASSERT_EQ(SilentInstall(L""), 0u);
    std::string uninstall;
    EXPECT_TRUE(ReadInstallValue("Uninstall", &uninstall));
    EXPECT_EQ(uninstall, dir + "\\uninst.exe -f" + dir + "\\install.log");
    const struct {
        const char *name;
        std::string value;
    } entry[] = {{"DisplayName", "Kora Manager DEMO"},
                 {"UninstallString", "\"" + dir + "\\uninst.exe\" -f" + dir + "\\install.log"},
                 {"InstallLocation", dir},
                 {"DisplayIcon", dir + "\\kora.exe,0"},
                 {"Publisher", "Halvorn"},
                 {"DisplayVersion", "1.0"},
                 {"NoModify", "1"},
                 {"NoRepair", "1"}};
    for (const auto &row : entry)
        EXPECT_EQ(EntryValue(row.name), row.value) << row.name;
    EXPECT_GT(atoi(EntryValue("EstimatedSize").c_str()), 0);
    EXPECT_TRUE(fs::exists(Shortcut())) << Shortcut();
    // A saved game: only the launcher's clean-up lets the uninstaller remove save\.
    ASSERT_TRUE(WriteBytes(dir + "\\save\\slot1.sav", "saved"));
    // A name the log adds goes too; a line leading out of the installation
    // names no file of it.
    ASSERT_TRUE(WriteBytes(outside, "not the demo's") && WriteBytes(dir + "\\listed.txt", "x"));
    std::string log = ReadBytes(dir + "\\install.log");
    // UTF-16 from its byte order mark on: names read back as themselves.
    ASSERT_EQ(log.substr(0, 2), "\xff\xfe");
    ASSERT_TRUE(
        WriteBytes(dir + "\\install.log", log + Utf16(L"..\\..\\outside.txt\r\nlisted.txt\r\n")));

    ASSERT_TRUE(launcher.Start("D:\\start.exe", "D:\\"));
    EXPECT_TRUE(launcher.ButtonsBecome("Install Sound Uninstall Readme Exit"));
    launcher.Click(IDC_SOUND_SETUP);
    EXPECT_TRUE(launcher.ButtonsBecome("Start Install Sound Uninstall Readme Exit"));
    launcher.Click(IDC_START_DEMO);
    EXPECT_EQ(launcher.WaitExit(), 0);
    ASSERT_TRUE(WaitForRecord(2));
    // A path with a blank is quoted in the game's command line.
    EXPECT_EQ(RecordLines()[1], "kora\t\"" + dir + "\\kora.exe\"\t" + dir);

    ASSERT_TRUE(launcher.Start("D:\\start.exe", "D:\\"));
    ASSERT_TRUE(launcher.ButtonsBecome("Start Install Sound Uninstall Readme Exit"));
    UninstallFromLauncher();
    EXPECT_TRUE(WaitUntil([&] { return NothingLeft(dir); }, 10000));
    EXPECT_EQ(ReadBytes(outside), "not the demo's");
    DeleteFileA(outside.c_str());
}

// Links exist from Windows 2000 on: the 95 family and NT 4 have none.
static bool ToldNoLinks() {
    return ToldAnsiFamily() || ToldVersion() == "nt40";
}

// Removing an older installation leaves the newer one registered, listed and
// removable, by any case of its name; links to or in an installation lead the
// installer and uninstaller nowhere: their targets stay, and so do the links.
TEST_F(RealPair, UninstallsOnlyItsOwn) {
    if (ToldNoLinks())
        GTEST_SKIP() << "as " << ToldVersion() << ": the system has no links to lead anywhere";
    const std::string old_dir = "C:\\Old\\Kora", new_dir = "C:\\New\\Kora";
    const std::string outside = "C:\\outside",
                      links[] = {"C:\\Via", "C:\\ViaNew", old_dir + "\\maps",
                                 old_dir + "\\setsound.exe", old_dir + "\\kora.exe"};
    ForgetInstallation(new_dir);
    RemoveTree(old_dir);
    ASSERT_EQ(SilentInstall(std::wstring(old_dir.begin(), old_dir.end())), 0u);
    ASSERT_EQ(SilentInstall(std::wstring(new_dir.begin(), new_dir.end())), 0u);
    ASSERT_TRUE(WriteBytes(outside + "\\kept.txt", "kept") && WriteBytes(outside + ".txt", "kept"));
    std::shared_ptr<void> undo(nullptr, [&](void *) {
        for (const std::string &link : links)
            RemoveLink(link);
        RemoveTree(old_dir);
        RemoveTree(outside);
        DeleteFileA((outside + ".txt").c_str());
        DeleteFileA((outside + ".new").c_str());
    });
    fs::create_directories(outside + "\\sub");
    // Installing there again writes through no link it finds: first one that
    // leads to nothing (the write would make its target), then the others.
    const std::wstring old_wide(old_dir.begin(), old_dir.end());
    ASSERT_TRUE(WriteBytes(outside + ".new", "") && MakeLink(links[4], outside + ".new"));
    DeleteFileA((outside + ".new").c_str());
    EXPECT_NE(SilentInstall(old_wide), 0u);
    EXPECT_FALSE(fs::exists(outside + ".new"));
    RemoveLink(links[4]);
    ASSERT_TRUE(MakeLink(links[0], new_dir) && MakeLink(links[1], "C:\\New") &&
                MakeLink(links[2], outside) && MakeLink(links[3], outside + ".txt"));
    EXPECT_NE(SilentInstall(old_wide), 0u);
    std::string log = ReadBytes(old_dir + "\\install.log");
    ASSERT_TRUE(
        WriteBytes(old_dir + "\\install.log", log + Utf16(L"maps\\kept.txt\r\nmaps\\sub\\\r\n")));

    // Started through a link to its folder or above it, the new one's
    // removes nothing.
    for (const char *via : {"C:\\Via", "C:\\ViaNew\\Kora"})
        EXPECT_NE(RunUninstaller(via), 0) << via;
    // The links it passes over stay, and so do its log and uninstaller: it
    // says so, and runs again once they are gone.
    EXPECT_EQ(RunUninstaller(old_dir), 2);
    EXPECT_TRUE(fs::exists(old_dir + "\\install.log") && fs::exists(old_dir + "\\uninst.exe"));
    EXPECT_FALSE(fs::exists(old_dir + "\\save"));
    EXPECT_EQ(ReadBytes(outside + "\\kept.txt") + ReadBytes(outside + ".txt"), "keptkept");
    EXPECT_TRUE(fs::exists(outside + "\\sub") && fs::exists(new_dir + "\\kora.exe"));
    RemoveLink(links[2]);
    RemoveLink(links[3]);
    EXPECT_EQ(RunUninstaller(old_dir), 0);
    EXPECT_FALSE(fs::exists(old_dir));
    std::string path;
    EXPECT_TRUE(ReadInstallValue("Kora Pro Path", &path));
    EXPECT_EQ(path, new_dir);
    EXPECT_EQ(EntryValue("InstallLocation"), new_dir);
    EXPECT_TRUE(fs::exists(Shortcut()));

    ASSERT_TRUE(launcher.Start("D:\\start.exe", "D:\\"));
    EXPECT_TRUE(launcher.ButtonsBecome("Install Sound Uninstall Readme Exit"));
    launcher.Click(IDC_EXIT);
    EXPECT_EQ(launcher.WaitExit(), 0);
    // Windows finds a folder whatever the case of its letters: so does the
    // uninstaller, when it tells its own records from another's.
    Program lower;
    ASSERT_TRUE(lower.Start("c:\\new\\kora\\uninst.exe /S -fc:\\new\\kora\\install.log", "C:\\"));
    EXPECT_TRUE(WaitUntil([&] { return NothingLeft(new_dir); }, 10000));
}

static std::wstring Padded(const std::wstring &head, size_t length) {
    return head + std::wstring(length - head.size(), L'x');
}

// The installer takes exactly the folders the launcher reads as written:
// "Kora Pro Path" with its backslash in 127 characters, by its path rules,
// one code-page byte per character, and no " -f" before the uninstall
// command's own, and only where its name leads, through no link, and only
// where nothing of the user's stands in its way; and a /D= only as the
// runtime takes it. Otherwise it exits with 2 and writes nothing.
TEST_F(RealPair, InstallsOnlyWhereTheLauncherReadsIt) {
    const struct {
        const char *name;
        std::wstring dir;
        bool installs;
        const char *in_the_way = nullptr;
        const wchar_t *arguments = nullptr;
    } rows[] = {
        {"user's game file", L"C:\\Kora Demo\\Busy", false, "kora.exe"},
        {"user's uninstaller", L"C:\\Kora Demo\\Busy", false, "uninst.exe"},
        {"user's log", L"C:\\Kora Demo\\Busy", false, "install.log"},
        {"user's save", L"C:\\Kora Demo\\Busy", false, "save\\other.sav"},
        {"user's drivers", L"C:\\Kora Demo\\Busy", false, "drivers\\dig.ini"},
        {"quoted /D=", L"C:\\My Games\\Kora", false, nullptr, L" \"/D=C:\\My Games\\Kora\""},
        {"lower-case /d=", L"C:\\Games\\Kora", false, nullptr, L" /d=C:\\Games\\Kora"},
        {"link on the way", L"C:\\Linked\\Kora", false},
        {"blank before -f", L"C:\\Kora -f Demo", false},
        {"128 with backslash", Padded(L"C:\\Kora Demo\\", 127), false},
        {"dot at the end", L"C:\\Kora Demo\\Kora.", false},
        {"empty segment", L"C:\\Kora Demo\\\\Kora", false},
        {"no code-page byte", L"C:\\Kora Demo\\\u65e5\u672c", false},
        {"slash", L"C:/Kora Demo/Kora", false},
        {"drive root", L"C:\\", false},
        {"-f without blank", L"C:\\Kora Demo-fun\\Kora-fDemo", true},
        {"127 with backslash", Padded(L"C:\\Kora Demo\\", 126), true}};
    ASSERT_TRUE(MakeLink("C:\\Linked", "C:\\Kora Demo"));
    std::shared_ptr<void> unlink(nullptr, [](void *) { RemoveLink("C:\\Linked"); });
    for (const auto &row : rows) {
        if (std::string(row.name) == "link on the way" && ToldNoLinks() &&
            SkipRow(row.name, "the system has no links"))
            continue;
        SCOPED_TRACE(row.name);
        ForgetInstallation(row.dir);
        // The user's files, one of them where the installer would write.
        const fs::path dir(row.dir);
        std::vector<std::string> users;
        if (row.in_the_way)
            users = {row.in_the_way, "notes.txt", "dosgame.pif"};
        for (const std::string &name : users)
            ASSERT_TRUE(WriteBytes((dir / name).string(), "the user's " + name));
        DWORD status = row.arguments ? SilentSetup(row.arguments) : SilentInstall(row.dir);
        if (!row.installs) {
            EXPECT_EQ(status, 2u);
            // Nor in the folder the installer would otherwise offer.
            EXPECT_TRUE((row.in_the_way ? NothingRegistered() : NothingLeft(row.dir)) &&
                        !fs::exists(DefaultDir()));
            for (const std::string &name : users)
                EXPECT_EQ(ReadBytes((dir / name).string()), "the user's " + name);
            ForgetInstallation(row.dir);
            continue;
        }
        ASSERT_EQ(status, 0u);
        ASSERT_TRUE(launcher.Start("D:\\start.exe", "D:\\"));
        EXPECT_TRUE(launcher.ButtonsBecome("Install Sound Uninstall Readme Exit"));
        // The uninstaller finds its log where the launcher cut the command too.
        UninstallFromLauncher();
        EXPECT_TRUE(WaitUntil([&] { return NothingLeft(row.dir); }, 10000));
        ForgetInstallation(row.dir);
    }
}

// A file held open stays: the installation stays registered and removable,
// its uninstaller and log with it, and the uninstaller says so in its exit.
TEST_F(RealPair, AHeldFileKeepsTheInstallationRemovable) {
    const std::string dir = "C:\\Held\\Kora";
    ForgetInstallation(dir);
    ASSERT_EQ(SilentInstall(L"C:\\Held\\Kora"), 0u);
    HANDLE held = CreateFileA((dir + "\\setsound.exe").c_str(), GENERIC_READ, 0, nullptr,
                              OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    EXPECT_EQ(RunUninstaller(dir), 2);
    CloseHandle(held);
    EXPECT_FALSE(fs::exists(dir + "\\kora.exe"));
    EXPECT_TRUE(fs::exists(dir + "\\uninst.exe") && fs::exists(dir + "\\install.log"));
    EXPECT_TRUE(VendorKeyExists() && EntryExists() && fs::exists(Shortcut()));
    EXPECT_EQ(RunUninstaller(dir), 0);
    EXPECT_TRUE(NothingLeft(dir));
    ForgetInstallation(dir);
}

// Windows keeps a name's old spelling when a later version writes over it in
// another case: the update installs over its own installation and the
// uninstaller still removes every name.
TEST_F(RealPair, AnUpdateInOtherLetterCaseUninstallsCompletely) {
    const std::string dir = "C:\\Case\\Kora";
    ForgetInstallation(dir);
    ASSERT_EQ(SilentInstall(L"C:\\Case\\Kora"), 0u);
    // Wine renames nothing to its own name in another case: by a third name.
    const auto respell = [&](const std::string &from, const std::string &to) {
        return MoveFileA((dir + "\\" + from).c_str(), (dir + "\\respelt").c_str()) &&
               MoveFileA((dir + "\\respelt").c_str(), (dir + "\\" + to).c_str());
    };
    ASSERT_TRUE(respell("kora.exe", "KORA.EXE") && respell("setsound.exe", "SetSound.Exe") &&
                respell("save", "Save"));
    // The folder in another case is still the registered one.
    ASSERT_EQ(SilentInstall(L"c:\\case\\KORA"), 0u);
    std::vector<std::string> names;
    for (const auto &entry : fs::directory_iterator(dir))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    EXPECT_EQ(testing::PrintToString(names), "{ \"KORA.EXE\", \"Save\", \"SetSound.Exe\", "
                                             "\"drivers\", \"install.log\", \"uninst.exe\" }");
    EXPECT_EQ(RunUninstaller(dir), 0);
    EXPECT_TRUE(NothingLeft(dir));
    ForgetInstallation(dir);
}
