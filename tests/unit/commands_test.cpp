// The buttons' commands and the ways they start programs.
#include "fixtures.h"
#include "launcher/commands.h"
#include "launcher/program_start.h"
#include "resource.h"

using StartCommand = Installed;

TEST_F(StartCommand, HandsOverToTheGameInTheInstallationDirectory) {
    RunStart();
    EXPECT_EQ(Journal(),
              (Steps{"cd c:\\demo", "destroy",
                     "start C:\\DEMO\\kora.exe | C:\\DEMO\\kora.exe | in c:\\demo", "exit 0"}));
}

TEST_F(StartCommand, DriveRootInstallationStaysInTheRoot) {
    g_fake.values["Kora Pro Path"] = "C:\\";
    g_fake.AddFile("C:\\kora.exe");
    g_fake.cwd = "c:\\demo";
    ProbeInstallState();
    RunStart();
    EXPECT_EQ(Journal().front(), "cd c:\\");
    EXPECT_EQ(Journal()[2], "start C:\\kora.exe | C:\\kora.exe | in c:\\");
}

TEST_F(StartCommand, FailedStartStillEndsTheLauncherButDoesNotExit) {
    g_fake.files.erase("c:\\demo\\kora.exe"); // removed since the last tick
    RunStart();
    EXPECT_EQ(Journal(), (Steps{"cd c:\\demo", "destroy"}));
}

TEST_F(StartCommand, NothingBeforeTheFirstSuccessfulProbe) {
    g_state.install.install_path[0] = '\0';
    RunStart();
    RunSoundSetup();
    EXPECT_TRUE(Journal().empty());
}

using SoundSetup = Installed;

TEST_F(SoundSetup, RunsTheToolHiddenThenProbesAtOnce) {
    g_fake.enabled[IDC_EXIT] = true;
    g_fake.while_waiting = [] { EXPECT_FALSE(CommandAllowed(IDC_EXIT)); };
    RunSoundSetup();
    EXPECT_TRUE(CommandAllowed(IDC_EXIT));
    EXPECT_EQ(Journal(), (Steps{"cd c:\\demo", "hide", "run setsound.exe | in c:\\demo", "show",
                                "create c:\\demo\\drivers\\dig.ini"}));
    EXPECT_TRUE(g_fake.enabled[IDC_START_DEMO]);
    EXPECT_EQ(g_fake.cwd, "c:\\demo"); // stays there afterwards
}

TEST_F(SoundSetup, NotRunWhereTheInstallationDirectoryCannotBeEntered) {
    g_fake.dirs.erase("c:\\demo"); // gone since the last tick
    g_fake.AddFile("C:\\setsound.exe");
    RunSoundSetup();
    EXPECT_TRUE(Journal().empty());
    EXPECT_FALSE(g_state.install.sound_setup_ran);
}

TEST(InstallCommand, StartsTheInstallerAndLeavesEvenWhenItFails) {
    ResetFake();
    strcpy(g_state.setup_path, "D:\\setup.exe");
    g_fake.AddFile("D:\\setup.exe");
    RunInstall();
    g_fake.create_result = kStartFailed;
    RunInstall();
    EXPECT_EQ(g_fake.journal, (Steps{"start D:\\setup.exe | D:\\setup.exe | in c:\\", "destroy",
                                     "start D:\\setup.exe | D:\\setup.exe | in c:\\", "destroy"}));
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

TEST(ProgramStart, CommandLineIsPathAndArgumentsJoinedByOneBlank) {
    ResetFake();
    g_fake.AddFile("C:\\my dir\\u.exe");
    EXPECT_TRUE(StartProgram("C:\\my dir\\u.exe", "-fC:\\a b.log"));
    EXPECT_EQ(g_fake.journal.back(),
              "start C:\\my dir\\u.exe | C:\\my dir\\u.exe -fC:\\a b.log | in c:\\");
}
