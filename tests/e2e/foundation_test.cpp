// The main window as start-up leaves it, what the source medium enables, the
// ways out, and the commands that must do nothing.
#include "harness.h"

#include "resource.h"

namespace {

class Foundation : public E2eTest {
  protected:
    void PlaceMedium(bool setup, bool game, bool readme) {
        if (setup)
            PlaceStandIn(Medium("setup.exe"));
        if (game)
            PlaceStandIn(Medium("kora.exe"));
        if (readme)
            WriteBytes(Medium("Readme.txt"), "Hallo\r\n");
    }
};

} // namespace

TEST_F(Foundation, MainWindowHasItsClassCaptionButtonsAndPlace) {
    ASSERT_TRUE(StartLauncher());
    HWND window = launcher.window();
    char class_name[64];
    EXPECT_EQ(std::string(class_name, GetClassNameA(window, class_name, sizeof class_name)),
              "TALVO");
    EXPECT_EQ(ControlText(window), "Kora Manager Professional Starter (DEMO)");

    std::string buttons;
    for (int id :
         {IDC_START_DEMO, IDC_INSTALL_DEMO, IDC_SOUND_SETUP, IDC_UNINSTALL, IDC_README, IDC_EXIT})
        buttons += ControlText(GetDlgItem(window, id)) + "|";
    EXPECT_EQ(buttons, "Starte Demo|Installiere Demo|Sound Configuration|Uninstall|Readme|Exit|");

    RECT outer, desktop;
    GetWindowRect(window, &outer);
    GetWindowRect(GetDesktopWindow(), &desktop);
    long width = outer.right - outer.left, height = outer.bottom - outer.top;
    EXPECT_EQ(outer.left, desktop.left + (desktop.right - desktop.left - width) / 2);
    EXPECT_EQ(outer.top, desktop.top + (desktop.bottom - desktop.top - height) / 2);
}

TEST_F(Foundation, InstallNeedsBothProgramsAndReadmeItsFile) {
    const struct {
        bool setup, game, readme;
        const char *command_line, *enabled;
    } kMedia[] = {
        // A quoted program path keeps its directory whatever its arguments hold.
        {true, true, true, "\"D:\\start.exe\" C:\\foo\\bar", "Install Readme Exit"},
        {true, false, false, "D:\\start.exe", "Exit"},
    };
    for (const auto &medium : kMedia) {
        SCOPED_TRACE(std::string(medium.command_line) + ": " + medium.enabled);
        ASSERT_TRUE(ClearMedium());
        PlaceLauncher();
        PlaceMedium(medium.setup, medium.game, medium.readme);
        ASSERT_TRUE(StartLauncher(medium.command_line));
        EXPECT_TRUE(launcher.ButtonsBecome(medium.enabled, kTwoTicksMs));
        launcher.Kill();
    }
}

TEST_F(Foundation, ExitAndTheCloseBoxEndWithZero) {
    const struct {
        const char *way;
        UINT message;
        WPARAM wparam;
    } kWays[] = {
        {"Exit", WM_COMMAND, IDC_EXIT},
        {"WM_CLOSE", WM_CLOSE, 0},
        {"SC_CLOSE", WM_SYSCOMMAND, SC_CLOSE},
    };
    for (const auto &way : kWays) {
        SCOPED_TRACE(way.way);
        ASSERT_TRUE(StartLauncher());
        PostMessageA(launcher.window(), way.message, way.wparam, 0);
        EXPECT_EQ(launcher.WaitExit(), 0);
        launcher.Kill();
    }
}

// Commands without a button, clicks with a notification code, and clicks of
// disabled buttons that some other program posts. Each would show: Start and
// Install end the launcher, Install and Sound setup run a stand-in, Readme
// opens the viewer.
TEST_F(Foundation, CommandsWithoutAnEnabledButtonDoNothing) {
    PlaceMedium(true, false, true);                // Install disabled: no game on the medium
    SetInstallValue("Kora Pro Path", kInstallDir); // no game there: Start and Sound setup disabled
    PlaceStandIn(Installed("setsound.exe"));
    ASSERT_TRUE(StartLauncher());
    ASSERT_TRUE(launcher.ButtonsBecome("Readme Exit", kTwoTicksMs));

    for (WPARAM command : {WPARAM(1004), WPARAM(1005), MAKEWPARAM(IDC_EXIT, 1),
                           MAKEWPARAM(IDC_README, BN_DOUBLECLICKED), WPARAM(IDC_START_DEMO),
                           WPARAM(IDC_INSTALL_DEMO), WPARAM(IDC_SOUND_SETUP)})
        PostMessageA(launcher.window(), WM_COMMAND, command, 0);
    ASSERT_TRUE(launcher.Flush());
    EXPECT_TRUE(IsWindowVisible(launcher.window()));
    EXPECT_TRUE(launcher.Dialogs("README.TXT").empty());
    EXPECT_EQ(RecordLines(), std::vector<std::string>());
}
