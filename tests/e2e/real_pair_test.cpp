// The launcher with the real installer and uninstaller of the CD image, all
// run from the read-only CD drive D: that this group's lane inserts.
#include "harness.h"

#include "driver/wizard.h"
#include "resource.h"

static const char kDir[] = "C:\\Program Files\\Kora Demo";

static bool InstallationGone() {
    return !VendorKeyExists() && !fs::exists(kDir);
}

TEST(RealPair, InstallPlayAndUninstallFromTheCd) {
    ASSERT_EQ(GetDriveTypeA("D:\\"), (UINT)DRIVE_CDROM);
    RemoveInstallKey();
    RemoveTree(kDir);
    UnmanageLauncherWindows();
    ClearRecord();
    // The game ends at once: a running game could not be removed.
    SetEnvironmentVariableA("KORA_QUIET", "1");
    const std::string dir = kDir;

    // /D= last and unquoted, blanks and all, as the installer takes it.
    Program setup;
    ASSERT_TRUE(setup.Start("D:\\setup.exe /S /D=" + dir, "D:\\"));
    ASSERT_EQ(setup.WaitExit(30000), 0);
    std::string uninstall;
    EXPECT_TRUE(ReadInstallValue("Uninstall", &uninstall));
    EXPECT_EQ(uninstall, dir + "\\uninst.exe -f" + dir + "\\install.log");
    // A saved game: only the launcher's clean-up lets the uninstaller remove save\.
    ASSERT_TRUE(WriteBytes(dir + "\\save\\slot1.sav", "saved"));

    TestLauncher launcher;
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
    EXPECT_TRUE(WaitUntil(InstallationGone, 10000));
}
