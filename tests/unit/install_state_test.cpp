// The probe: registry and files in, button states (and at most one
// placeholder file) out.
#include "../split_rows.h"
#include "fixtures.h"
#include "resource.h"

#include <vector>

class Probe : public ::testing::Test {
  protected:
    void SetUp() override { ResetFake(); }

    void Install(const std::string &path, bool game = true) {
        g_fake.key_exists = true;
        g_fake.values["Kora Pro Path"] = path;
        g_fake.AddDir(path);
        if (game)
            g_fake.AddFile(path + "\\kora.exe");
    }

    // Start, Sound setup, Uninstall after one probe, "on" or "--" each.
    std::string Buttons() {
        ProbeInstallState();
        std::string state;
        for (int id : {IDC_START_DEMO, IDC_SOUND_SETUP, IDC_UNINSTALL})
            state += g_fake.enabled[id] ? "on " : "-- ";
        return state;
    }
};

TEST_F(Probe, ButtonTable) {
    g_fake.enabled[IDC_INSTALL_DEMO] = true; // start-up's to settle, not the probe's
    g_fake.enabled[IDC_README] = true;
    EXPECT_EQ(Buttons(), "-- -- -- "); // no key
    g_fake.key_exists = true;
    g_fake.values["Uninstall"] = "C:\\DEMO\\uninst.exe -fC:\\DEMO\\install.log";
    EXPECT_EQ(Buttons(), "-- -- -- "); // key without path
    Install("C:\\DEMO", false);
    EXPECT_EQ(Buttons(), "-- -- -- "); // no game, no uninstaller
    g_fake.AddFile("C:\\DEMO\\uninst.exe");
    EXPECT_EQ(Buttons(), "-- -- on "); // no game
    g_fake.AddFile("C:\\DEMO\\kora.exe");
    EXPECT_EQ(Buttons(), "-- on on "); // no sound configuration
    g_fake.AddFile("C:\\DEMO\\drivers\\dig.ini", "[sound]");
    EXPECT_EQ(Buttons(), "on on on ");
    g_fake.not_strings = {"Uninstall"};
    EXPECT_EQ(Buttons(), "on on -- "); // only REG_SZ counts
    g_fake.not_strings = {"Kora Pro Path"};
    EXPECT_EQ(Buttons(), "-- -- -- ");
    g_fake.not_strings.clear();
    g_fake.values.erase("Uninstall");
    EXPECT_EQ(Buttons(), "on on -- ");
    g_fake.key_exists = false; // removed by someone else
    EXPECT_EQ(Buttons(), "-- -- -- ");
    EXPECT_STREQ(g_state.install.install_path, "");
    EXPECT_TRUE(g_fake.journal.empty()); // the probe only reads
    EXPECT_TRUE(g_fake.enabled[IDC_INSTALL_DEMO]);
    EXPECT_TRUE(g_fake.enabled[IDC_README]);
}

// Each path is installed with the game where Windows would look for it, so
// a path wrongly taken shows as enabled buttons.
TEST_F(Probe, OnlyAbsolutePathsThatNameThemselvesCountAsInstallations) {
    const std::string longest = "C:\\" + std::string(123, 'd'); // 126: room for the backslash
    const std::vector<std::string> installations = {
        // a blank inside a segment, a drive root, a share's folder
        "C:\\DEMO", "C:\\Program Files\\Kora Demo\\", "C:\\", "d:\\x", "\\\\srv\\share\\dir",
        "\\\\srv\\share\\dir\\", longest,
        // 127 with its backslash already there
        longest + "\\"};
    const std::vector<std::string> others = {
        // a bare share, relative paths, dot segments, trailing dots and blanks, empty segments
        "\\\\srv\\share", "\\\\srv\\share\\", "", ".", "..", "DEMO", "C:.", "C:DEMO", "\\DEMO",
        "C:\\DEMO\\..", "C:\\DEMO\\.\\", "C:\\DEMO.", "C:\\DEMO \\", "C:\\DE MO. \\x", "C:\\\\DEMO",
        "C:/DEMO/..", "C:\\DEMO/..", "C:\\DEMO\\*", "C:\\DEMO:data", "\\\\.\\C:\\DEMO",
        "\\\\?\\C:\\DEMO",
        // 127: the backslash would not fit
        longest + "e"};
    for (const auto *paths : {&installations, &others})
        for (const std::string &path : *paths) {
            SCOPED_TRACE(path);
            ResetFake();
            g_fake.cwd = "c:\\users\\me\\demo";
            g_fake.AddDir("c:\\users\\me\\demo");
            Install(path);
            bool installed = paths == &installations;
            EXPECT_EQ(Buttons(), installed ? "-- on -- " : "-- -- -- ");
            if (installed) // with exactly one trailing backslash
                EXPECT_EQ(g_state.install.install_path, path.back() == '\\' ? path : path + "\\");
        }
}

// Uninstall is enabled exactly when Yes would start a program: one that
// exists, by an absolute path.
TEST_F(Probe, UninstallCommandSplitsAtTheFirstDashFOrTheClosingQuote) {
    const std::string longest_args = "-f" + std::string(1012, 'x'); // the value: 1023 bytes
    std::vector<SplitRow> cases(std::begin(kSplitRows), std::end(kSplitRows));
    const std::string longest = "C:\\u.exe " + longest_args;
    cases.push_back({longest.c_str(), "C:\\u.exe", longest_args.c_str(), "-- on on "});
    Install("C:\\DEMO");
    for (const char *program :
         {"C:\\DEMO\\uninst.exe", "C:\\my-files\\DEMO\\uninst.exe", "C:\\a-f\\uninst.exe",
          "C:\\u.exe", "C:\\my -f dir\\u.exe", "C:\\u.bat", "C:\\DEMO\\aux.exe", "C:\\CON\\u.exe",
          "C:\\DEMO\\Prn.exe", "C:\\DEMO\\CONIN$.x", "C:\\DEMO\\COM\xB9.exe"})
        g_fake.AddFile(program);
    for (const auto &c : cases) {
        SCOPED_TRACE(c.value);
        g_fake.values["Uninstall"] = c.value;
        EXPECT_EQ(Buttons(), std::string(c.buttons));
        EXPECT_EQ(std::string(g_state.install.uninstall_command), c.program);
        const char *args = g_state.install.uninstall_args;
        EXPECT_EQ(args ? std::string(args) : "<none>", c.args ? c.args : "<none>");
    }
    g_fake.values["Uninstall"] = std::string(1024, 'x'); // no room for its NUL
    EXPECT_EQ(Buttons(), "-- on -- ");
}

TEST_F(Probe, PlaceholderOnlyAfterASoundSetupAndOnlyOnce) {
    Install("C:\\DEMO");
    g_fake.AddDir("C:\\DEMO\\drivers");
    for (int tick = 0; tick < 3; ++tick)
        EXPECT_EQ(Buttons(), "-- on -- ");
    EXPECT_FALSE(g_fake.HasFile("C:\\DEMO\\drivers\\dig.ini"));

    g_state.install.sound_setup_ran = true;
    EXPECT_EQ(Buttons(), "on on -- ");
    EXPECT_EQ(g_fake.files["c:\\demo\\drivers\\dig.ini"], "\r\n");
    g_fake.files["c:\\demo\\drivers\\dig.ini"] = "[tool's own]";
    EXPECT_EQ(Buttons(), "on on -- ");
    EXPECT_EQ(g_fake.files["c:\\demo\\drivers\\dig.ini"], "[tool's own]");
    EXPECT_EQ(g_fake.journal.size(), 1u); // one create, nothing else
}

TEST_F(Probe, PlaceholderThatCannotBeWrittenLeavesStartOff) {
    Install("C:\\DEMO"); // no drivers directory
    g_state.install.sound_setup_ran = true;
    EXPECT_EQ(Buttons(), "-- on -- ");
    g_fake.AddDir("C:\\Windows"); // a place the placeholder could be written to
    g_fake.AddLink("C:\\DEMO\\drivers", "C:\\Windows");
    EXPECT_EQ(Buttons(), "-- on -- ");
    g_fake.links.clear();
    g_fake.AddFile("C:\\DEMO\\drivers"); // a file where the directory belongs
    EXPECT_EQ(Buttons(), "-- on -- ");
    EXPECT_TRUE(g_fake.journal.empty());
}
