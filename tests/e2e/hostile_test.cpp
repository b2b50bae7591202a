// Hostile input: outsized command lines and registry values, mistyped values,
// directories where files belong, files held open or read-only. The launcher
// keeps running, shows the state through its buttons alone and deletes
// nothing outside the installation directory.
#include "harness.h"
#include "stand_in.h"

#include "resource.h"

#include <algorithm>
#include <memory>

namespace {

// The launchers' current directory here, holding what an uninstall deletes
// in the installation: a clean-up in the wrong place would show.
const char kOutside[] = "C:\\e2e\\outside";
const std::vector<std::string> kRunTimeFiles = {"a.pif", "drivers\\dig.ini", "loading.bmp",
                                                "save\\1.sav"};
const char kUninstallValue[] = "C:\\DEMO\\uninst.exe -fC:\\DEMO\\uninst.log";
// What a clean-up that reached the drive root would delete.
const std::vector<std::string> kRootBait = {"loading.bmp", "bait.pif"};

// `prefix` repeated out with `unit` to exactly `length` characters.
std::string Padded(std::string prefix, size_t length, const std::string &unit = "x") {
    while (prefix.size() < length)
        prefix += unit;
    return prefix.substr(0, length);
}

// A registry string of `bytes` bytes, its NUL included.
std::string Sz(const std::string &prefix, size_t bytes) {
    return Padded(prefix, bytes - 1) + '\0';
}

void PlaceFiles(const std::string &directory, const std::vector<std::string> &files) {
    for (const std::string &file : files)
        WriteBytes(directory + "\\" + file, file);
}

// A string value written in wide characters from its UTF-8 spelling, so that
// the registry holds characters the code page has none of.
void SetWideValue(const std::string &name, const std::string &utf8) {
    std::wstring wide(utf8.size() + 1, L'\0'), wide_name(name.begin(), name.end());
    wide.resize(MultiByteToWideChar(CP_UTF8, 0, utf8.c_str(), -1, &wide[0], (int)wide.size()));
    HKEY key;
    ASSERT_FALSE(RegCreateKeyExA(HKEY_LOCAL_MACHINE, kInstallKey, 0, nullptr, 0, KEY_WRITE, nullptr,
                                 &key, nullptr));
    EXPECT_FALSE(RegSetValueExW(key, wide_name.c_str(), 0, REG_SZ, (const BYTE *)wide.c_str(),
                                (DWORD)(wide.size() * sizeof(wchar_t))));
    RegCloseKey(key);
}

const char kInstalled[] = "Sound Uninstall Exit";
const char kConfigured[] = "Start Sound Uninstall Exit";

// A registry value and the buttons it leads to.
struct Value {
    DWORD type;
    std::string data;
    const char *buttons;
};

class Hostile : public E2eTest {
  protected:
    void SetUp() override {
        E2eTest::SetUp();
        work_dir = kOutside;
        RemoveTree(kOutside);
        PlaceFiles(kOutside, kRunTimeFiles);
    }

    void TearDown() override {
        E2eTest::TearDown();
        EXPECT_EQ(ListFiles(kOutside), kRunTimeFiles) << "deleted outside the installation";
        EXPECT_TRUE(fs::is_regular_file(Medium("loading.bmp"))) << "deleted on the medium";
    }

    // The buttons settle on `expected`, and no box or dialog shows.
    void Expect(const char *expected, const std::string &what) {
        EXPECT_TRUE(launcher.ButtonsBecome(expected, kTwoTicksMs)) << what;
        EXPECT_TRUE(launcher.Dialogs(nullptr).empty()) << what << ": a box or dialog shows";
    }

    // Sets the value `name` to each of `values` in turn.
    void Cycle(const char *name, const std::vector<Value> &values) {
        for (const Value &value : values) {
            SetInstallData(name, value.type, value.data);
            Expect(value.buttons, std::string(name) + " of type " + std::to_string(value.type) +
                                      ", " + std::to_string(value.data.size()) + " bytes");
        }
    }
};

} // namespace

// The registry read at its edges: a path of 126 characters (the longest with
// room for the appended backslash), values that fill their buffer exactly,
// carry no NUL or are no string at all, and values far too long. Each long
// value begins with an installation's path or the uninstaller's command, so
// a launcher that cut the value would find them.
TEST_F(Hostile, OutsizedAndMistypedRegistryValues) {
    const std::string dir126 = Padded(std::string(kInstallDir) + "\\", 126, "l"),
                      number = "\x78\x56\x34\x12";
    for (const std::string &dir : {std::string(kInstallDir), dir126})
        PlaceStandIn(dir + "\\kora.exe");
    PlaceStandIn(Installed("uninst.exe"));
    SetInstallValue("Uninstall", kUninstallValue);
    ASSERT_TRUE(StartLauncher());
    // Only strings count: expanded, the environment would pick the place.
    Cycle("Kora Pro Path", {{REG_SZ, Sz(dir126 + "\\", 128), kInstalled},
                            {REG_BINARY, dir126, "Exit"},
                            {REG_EXPAND_SZ, Sz(kInstallDir, 8), "Exit"},
                            {REG_DWORD, number, "Exit"},
                            {REG_SZ, Sz(dir126 + "\\", 5000), "Exit"},
                            {REG_SZ, Sz(kInstallDir, 8), kInstalled}});
    // Last, shorter than what the longest value left in the launcher's buffer.
    Cycle("Uninstall", {{REG_SZ, Sz(kUninstallValue, 1024), kInstalled},
                        {REG_SZ, Sz(kUninstallValue, 5000), "Sound Exit"},
                        {REG_DWORD, number, "Sound Exit"},
                        {REG_BINARY, kUninstallValue, "Sound Exit"},
                        {REG_SZ, Sz(kUninstallValue, sizeof kUninstallValue), kInstalled}});
    ASSERT_NO_FATAL_FAILURE(AnswerUninstall(IDYES));
    ExpectHandOver(std::string("uninst\t") + kUninstallValue + "\tC:\\DEMO");
}

// A file counts only when it opens for reading while others may read and
// write: held without sharing it is absent, held by a writer it is there. A
// directory where the game or the configuration belongs counts as absent,
// and after a sound set-up the placeholder never replaces what stands.
TEST_F(Hostile, DirectoriesAndHeldFilesInTheProbesWay) {
    SetEnvironmentVariableA(STAND_IN_SOUND_WRITE_VAR, "0");
    InstallDemo();
    PlaceStandIn(Installed("setsound.exe"));
    const std::string config = Installed("drivers\\dig.ini");
    WriteBytes(config, "[sound]\r\n");
    auto hold = [&](DWORD access, DWORD sharing) {
        return std::unique_ptr<void, BOOL(WINAPI *)(HANDLE)>(
            CreateFileA(config.c_str(), access, sharing, nullptr, OPEN_EXISTING, 0, nullptr),
            CloseHandle);
    };
    auto held = hold(GENERIC_READ, 0);
    ASSERT_TRUE(StartLauncher());
    Expect("Sound Exit", "configuration held without sharing");

    launcher.Click(IDC_SOUND_SETUP);
    ASSERT_TRUE(WaitForRecord(1)) << "the sound tool did not start";
    ReleaseStandIns();
    ASSERT_TRUE(WaitUntil([&] { return IsWindowVisible(launcher.window()) != FALSE; }));
    Expect("Sound Exit", "held after the sound set-up");
    held.reset();
    held = hold(GENERIC_WRITE, FILE_SHARE_READ);
    ASSERT_NE(held.get(), INVALID_HANDLE_VALUE);
    Expect("Start Sound Exit", "held by a writer that lets others read");
    held.reset();
    EXPECT_EQ(ReadBytes(config), "[sound]\r\n") << "replaced by the placeholder";

    RemoveTree(config);
    fs::create_directories(config);
    Expect("Sound Exit", "configuration is a directory");
    RemoveTree(Installed("kora.exe"));
    fs::create_directories(Installed("kora.exe"));
    Expect("Exit", "game is a directory");
    RemoveTree(Installed("kora.exe"));
    RemoveTree(config);
    InstallDemo();
    Expect("Start Sound Exit", "all in place");
    EXPECT_EQ(ReadBytes(config), "\r\n") << "no placeholder once nothing is in the way";
}

// A read-only saved game, an empty subdirectory of save and a directory
// matching "*.pif" are passed over; a record that names no trustworthy
// installation or uninstaller makes the launcher delete nothing, here, in the
// drive root or in its own current directory.
TEST_F(Hostile, UninstallPassesOverWhatItCannotDelete) {
    ReleaseStandIns(); // the uninstallers end at once
    InstallDemo();
    PlaceStandIn(Installed("uninst.exe"));
    PlaceStandIn("C:\\m.exe");         // what a cut inside "C:\my-files" would name
    PlaceStandIn("C:\\tools\\my.exe"); // and a cut at the blank of "C:\tools\my tools"
    PlaceStandIn("C:\\tools\\my tools\\rec.exe");
    WriteBytes("C:\\tools\\my tools\\remove.bat", "@\"C:\\tools\\my tools\\rec.exe\" %*\r\n");
    WriteBytes(Installed("remove.exe"), "a text file, not a program");
    WriteBytes(Installed("save\\remove.bat"), "@\"C:\\tools\\my tools\\rec.exe\" %*\r\n");
    PlaceFiles("C:", kRootBait);
    const std::string my_files = "C:\\my-files\\DEMO";
    PlaceStandIn(my_files + "\\kora.exe");
    PlaceStandIn(my_files + "\\uninst.exe");
    PlaceFiles(kInstallDir, kRunTimeFiles);
    WriteBytes(Installed("save\\ro.sav"), "");
    SetFileAttributesA(Installed("save\\ro.sav").c_str(), FILE_ATTRIBUTE_READONLY);
    const char *const kDirectories[] = {"x.pif", "save\\sub"};
    for (const char *directory : kDirectories)
        fs::create_directories(Installed(directory));

    const std::vector<std::string> everything = ListFiles(kInstallDir);
    const std::string relative = "uninst.exe -f" + Installed("uninst.log");
    const std::string dash_f = my_files + "\\uninst.exe -f" + my_files + "\\inst.log";
    const std::string batch = "C:\\tools\\my tools\\remove.bat -f" + Installed("uninst.log");
    const std::vector<std::string> left = {"kora.exe", "remove.exe", "save\\ro.sav", "uninst.exe"};

    const struct {
        std::string path, uninstall, work_dir;
        const char *buttons;
        std::string record; // what the uninstaller saw; empty: nothing started
        std::vector<std::string> left;
    } kCases[] = {
        {".", kUninstallValue, kOutside, "Exit", "", everything},
        {"C:\\DEMO\\..", kUninstallValue, kOutside, "Exit", "", everything},
        {kInstallDir, relative, kInstallDir, "Start Sound Exit", "", everything},
        {my_files, dash_f, kOutside, kInstalled, "uninst\t" + dash_f + "\t" + my_files, everything},
        {kInstallDir, Installed("remove.exe -fx"), kOutside, kConfigured, "", everything},
        // Look-alikes of C:\DEMO and of uninst.exe, and a spelling that
        // would slip the batch file past being spared.
        {"C:\\DEM\xEF\xBC\xAF", kUninstallValue, kOutside, "Exit", "", everything},
        {kInstallDir, Installed("uninst.\xC4\x93xe -fx"), kOutside, "Start Sound Exit", "",
         everything},
        {kInstallDir, Installed("save\\.\\remove.bat -fx"), kOutside, "Start Sound Exit", "",
         everything},
        {kInstallDir, kUninstallValue, kOutside, kConfigured,
         std::string("uninst\t") + kUninstallValue + "\t" + Installed("save"), left},
        {kInstallDir, batch, kOutside, kInstalled,
         "rec\t\"C:\\tools\\my tools\\rec.exe\" -f" + Installed("uninst.log") + "\t" +
             Installed("save"),
         left},
    };
    for (const auto &c : kCases) {
        const std::string row = c.path + " | " + c.uninstall;
        bool ascii = std::all_of(row.begin(), row.end(), [](char b) { return b >= 0; });
        if (ToldAnsiFamily() && !ascii &&
            SkipRow(row, "its registry holds no value outside the code page"))
            continue;
        SCOPED_TRACE(row);
        SetWideValue("Kora Pro Path", c.path);
        SetWideValue("Uninstall", c.uninstall);
        ClearRecord();
        work_dir = c.work_dir;
        ASSERT_TRUE(StartLauncher());
        Expect(c.buttons, "before");
        if (std::string(c.buttons).find("Uninstall") == std::string::npos)
            launcher.Click(IDC_UNINSTALL); // disabled: no question
        else
            ASSERT_NO_FATAL_FAILURE(AnswerUninstall(IDYES));
        if (c.record.empty()) {
            EXPECT_TRUE(launcher.Flush()) << "the launcher left";
            EXPECT_EQ(RecordLines(), std::vector<std::string>());
        } else {
            ExpectHandOver(c.record);
        }
        EXPECT_EQ(ListFiles(kInstallDir), c.left);
        for (const char *directory : kDirectories)
            EXPECT_TRUE(fs::is_directory(Installed(directory))) << directory;
        launcher.Kill();
    }
    for (const std::string &file : kRootBait) {
        EXPECT_TRUE(fs::is_regular_file("C:\\" + file)) << "deleted in the drive root: " << file;
        RemoveTree("C:\\" + file);
    }
    RemoveTree("C:\\m.exe");
    RemoveTree("C:\\my-files");
    RemoveTree("C:\\tools");
}

// Links to directories and files, and names the code page would turn into
// paths, lead out of the installation: the clean-up passes over them and
// still takes what is its own. In the names '|' stands for a fullwidth '\'
// and ';' for a fullwidth ':'.
TEST_F(Hostile, UninstallFollowsNoLinks) {
    if (ToldAnsiFamily())
        GTEST_SKIP() << "the 95 family makes no links";
    ReleaseStandIns();
    const struct {
        std::vector<std::pair<std::string, std::string>> links; // name -> the same in kOutside
        std::vector<std::string> names, own;
        std::string record_dir;
    } kRows[] = {
        {{{"save", "save"},
          {"drivers", "drivers"},
          {"loading.bmp", "loading.bmp"},
          {"old.pif", "a.pif"}},
         {},
         {"a.pif"},
         kInstallDir},
        {{{"save\\1.sav", "save\\1.sav"}, {"drivers\\dig.ini", "drivers\\dig.ini"}},
         {"save\\..|..|victim.sav", "save\\C;|acc|victim2.sav", "..|victim.pif"},
         {"a.pif", "save\\2.sav"},
         Installed("save")},
    };
    const std::vector<std::string> victims = {"victim.sav", "acc\\victim2.sav", "victim.pif"};
    PlaceFiles("C:", victims);
    auto wide = [](const std::string &name) {
        std::wstring path = L"C:\\DEMO\\";
        for (char c : name)
            path += c == '|' ? L'\uFF3C' : c == ';' ? L'\uFF1A' : (wchar_t)c;
        return path;
    };
    for (const auto &row : kRows) {
        // Before Vista only a final path would tell a link to a file (Wine
        // shows a Unix one as the file itself) from the file, and no such
        // Windows makes one: those links are left out there.
        std::vector<std::pair<std::string, std::string>> links;
        for (const auto &link : row.links)
            if (!ToldBeforeVista() || !fs::is_regular_file(kOutside + ("\\" + link.second)))
                links.push_back(link);
        if (links.empty() && SkipRow(row.record_dir, "its links all lead to files"))
            continue;
        SCOPED_TRACE(row.record_dir);
        RemoveTree(kInstallDir);
        ClearRecord();
        InstallDemo();
        PlaceStandIn(Installed("uninst.exe"));
        SetInstallValue("Uninstall", kUninstallValue);
        // Undone even when the test fails: the next world must not reach outside.
        std::shared_ptr<void> undo(nullptr, [&](void *) {
            for (const auto &link : links)
                RemoveLink(Installed(link.first.c_str()));
            for (const std::string &name : row.names)
                DeleteFileW(wide(name).c_str());
        });
        for (const auto &link : links)
            ASSERT_TRUE(MakeLink(Installed(link.first.c_str()), kOutside + ("\\" + link.second)));
        for (const std::string &name : row.names)
            CloseHandle(CreateFileW(wide(name).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0,
                                    nullptr));
        PlaceFiles(kInstallDir, row.own);
        ASSERT_TRUE(StartLauncher());
        Expect(kConfigured, "before"); // the linked drivers hold a configuration
        ASSERT_NO_FATAL_FAILURE(AnswerUninstall(IDYES));
        ExpectHandOver(std::string("uninst\t") + kUninstallValue + "\t" + row.record_dir);
        for (const std::string &own : row.own)
            EXPECT_FALSE(fs::exists(Installed(own.c_str()))) << own;
        for (const std::string &name : row.names)
            EXPECT_NE(GetFileAttributesW(wide(name).c_str()), INVALID_FILE_ATTRIBUTES) << name;
        launcher.Kill();
    }
    for (const std::string &victim : victims) {
        EXPECT_TRUE(fs::is_regular_file("C:\\" + victim)) << "deleted outside: " << victim;
        RemoveTree("C:\\" + victim);
    }
    RemoveTree("C:\\acc");
}
