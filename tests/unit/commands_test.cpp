// The buttons' commands and the ways they start programs.
#include "fixtures.h"
#include "launcher/commands.h"
#include "launcher/program_start.h"
#include "resource.h"

using Commands = Installed;

// Each command's whole journal on the installation in C:\DEMO.
TEST_F(Commands, StartSoundSetupAndInstallDoWhatTheyShouldWhereTheyShould) {
    const std::string game = "start C:\\DEMO\\kora.exe | C:\\DEMO\\kora.exe | in c:\\demo";
    const struct {
        const char *what;
        std::function<void()> arrange, run;
        Steps steps;
    } cases[] = {
        {"Start", [] {}, RunStart, {"cd c:\\demo", "destroy", game, "exit 0"}},
        {"Start in a drive root",
         [] {
             g_fake.values["Kora Pro Path"] = "C:\\";
             g_fake.AddFile("C:\\kora.exe");
             g_fake.cwd = "c:\\demo";
             ProbeInstallState();
         },
         RunStart,
         {"cd c:\\", "destroy", "start C:\\kora.exe | C:\\kora.exe | in c:\\", "exit 0"}},
        {"Start, game removed since the last tick: the launcher ends all the same",
         [] { g_fake.files.erase("c:\\demo\\kora.exe"); },
         RunStart,
         {"cd c:\\demo", "destroy"}},
        {"before the first successful probe",
         [] { g_state.install.install_path[0] = '\0'; },
         [] { RunStart(), RunSoundSetup(); },
         {}},
        {"Sound setup: hidden while the installation's tool runs, then a probe at once",
         [] { g_fake.AddFile("C:\\DEMO\\setsound.exe"); },
         RunSoundSetup,
         {"cd c:\\demo", "hide", "run \"\"C:\\DEMO\\setsound.exe\"\" | in c:\\demo", "show",
          "create c:\\demo\\drivers\\dig.ini"}},
        {"Sound setup without the tool in the installation: nothing runs",
         [] { g_fake.AddFile("C:\\setsound.exe"); },
         RunSoundSetup,
         {"cd c:\\demo", "create c:\\demo\\drivers\\dig.ini"}},
        {"Sound setup where the interpreter would expand the path: nothing runs",
         [] { g_fake.AddFile("C:\\100%\\setsound.exe"), g_fake.AddFile("C:\\Hi!\\setsound.exe"); },
         [] {
             for (const char *path : {"C:\\100%", "C:\\Hi!"})
                 g_fake.values["Kora Pro Path"] = path, ProbeInstallState(), RunSoundSetup();
         },
         {"cd c:\\100%", "cd c:\\hi!"}},
        {"Sound setup where the installation cannot be entered",
         [] { g_fake.dirs.erase("c:\\demo"), g_fake.AddFile("C:\\setsound.exe"); },
         RunSoundSetup,
         {}},
        {"Install, and again when the installer cannot start",
         [] {
             strcpy(g_state.setup_path, "D:\\setup.exe");
             g_fake.AddFile("D:\\setup.exe");
         },
         [] { RunInstall(), g_fake.create_result = kStartFailed, RunInstall(); },
         {"start D:\\setup.exe | D:\\setup.exe | in c:\\", "destroy",
          "start D:\\setup.exe | D:\\setup.exe | in c:\\", "destroy"}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        InstallDemo();
        c.arrange();
        g_fake.enabled[IDC_EXIT] = true;
        g_fake.while_waiting = [] { EXPECT_FALSE(CommandAllowed(IDC_EXIT)); };
        c.run();
        EXPECT_EQ(Journal(), c.steps);
        EXPECT_TRUE(CommandAllowed(IDC_EXIT));
    }
}

TEST(ProgramStart, ElevationIsAskedForThroughTheShell) {
    ResetFake();
    g_fake.AddFile("D:\\setup.exe");
    g_fake.create_result = kStartNeedsElevation;
    EXPECT_TRUE(StartProgram("D:\\setup.exe", nullptr));
    EXPECT_EQ(g_fake.journal.back(), "shell D:\\setup.exe | ");
    g_fake.shell_result = false;
    EXPECT_FALSE(ReplaceLauncher("D:\\setup.exe", "-fx"));
    EXPECT_EQ(g_fake.journal.back(), "shell D:\\setup.exe | -fx"); // no exit after a refusal
}

TEST(ProgramStart, ProgramFileIsTestedFirstWithTheExtensionRule) {
    ResetFake();
    char found[64];
    g_fake.AddFile("C:\\DEMO\\uninst.bat");
    g_fake.AddFile("C:\\DEMO\\uninst.cmd");
    EXPECT_TRUE(ResolveProgram("C:\\DEMO\\uninst", found, sizeof found));
    EXPECT_STREQ(found, "C:\\DEMO\\uninst.bat");
    g_fake.AddFile("C:\\DEMO\\uninst.exe");
    g_fake.AddFile("C:\\DEMO\\uninst.com");
    EXPECT_TRUE(ResolveProgram("C:\\DEMO\\uninst", found, sizeof found));
    EXPECT_STREQ(found, "C:\\DEMO\\uninst.com");

    EXPECT_FALSE(ResolveProgram("C:\\DEMO\\uninst.dll", found, sizeof found));
    EXPECT_FALSE(ResolveProgram("\"C:\\DEMO\\uninst.bat\"", found, sizeof found));
    EXPECT_FALSE(ResolveProgram("C:\\DEMO\\uninst.bat -fx", found, sizeof found));
    g_fake.AddFile("C:\\DE.MO\\uninst.exe"); // a dot in a directory is no extension
    EXPECT_TRUE(ResolveProgram("C:\\DE.MO\\uninst", found, sizeof found));
    g_fake.AddFile("C:\\cmd.exe");
    EXPECT_FALSE(ResolveProgram("notepad.exe", found, sizeof found)); // no PATH search
    EXPECT_TRUE(ResolveProgram("cmd.exe", found, sizeof found));      // current directory only
    EXPECT_TRUE(g_fake.journal.empty());
}

// The path is quoted when a blank would cut it; a batch file's line is read
// again by the interpreter, so it names exactly the file, quoted where the
// interpreter would cut, or the start is refused.
TEST(ProgramStart, CommandLineNamesExactlyTheProgram) {
    const struct {
        const char *path, *args, *line;
    } cases[] = {
        {"C:\\DEMO\\u.exe", "-fC:\\a b.log", "C:\\DEMO\\u.exe -fC:\\a b.log"},
        {"C:\\my dir\\u.exe", "-fC:\\a b.log", "\"C:\\my dir\\u.exe\" -fC:\\a b.log"},
        {"C:\\a&b,c\\u.exe", nullptr, "C:\\a&b,c\\u.exe"},
        {"C:\\my tools\\remove.bat", "-fC:\\x", "\"C:\\my tools\\remove.bat\" -fC:\\x"},
        {"C:\\a&b,c\\remove.CMD", nullptr, "\"C:\\a&b,c\\remove.CMD\""},
        {"C:\\tools\\remove", "-fx", "C:\\tools\\remove.bat -fx"},
        {"C:\\%TEMP%\\remove.bat", nullptr, nullptr},
        {"C:\\a!b!\\remove.bat", nullptr, nullptr}, // delayed expansion would read it
        {"C:\\tools\\remove.bat", "-fx & C:\\tools\\my.exe", nullptr},
        {"C:\\tools\\remove.bat", "-fx\n", nullptr},
        {"C:\\tools\\remove.bat", "-f%TEMP%", nullptr}, // the interpreter expands both
        {"C:\\tools\\remove.bat", "-f!x!", nullptr},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.path);
        ResetFake();
        g_fake.AddFile(std::string(c.path) + (strchr(c.path, '.') ? "" : ".bat"));
        EXPECT_EQ(StartProgram(c.path, c.args), c.line != nullptr);
        std::string step = g_fake.journal.empty() ? "" : g_fake.journal.back();
        EXPECT_EQ(step.substr(std::min(step.size(), step.find(" | "))),
                  c.line ? std::string(" | ") + c.line + " | in c:\\" : "");
    }
}
