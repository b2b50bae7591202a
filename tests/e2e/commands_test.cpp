// The commands that start another program: Start hands over to the game,
// Install to the installer, Sound setup runs the tool and waits for it.
#include "harness.h"
#include "stand_in.h"

#include "resource.h"

#include <memory>

namespace {

class Commands : public E2eTest {
  protected:
    // Clicks Sound setup on an installation without sound configuration and
    // checks what the launcher does while the tool runs and after it ends,
    // when the buttons must be `after` at once.
    void RunSoundSetup(const char *after) {
        InstallDemo();
        PlaceStandIn(Installed("setsound.exe"));
        ASSERT_TRUE(StartLauncher());
        ASSERT_TRUE(launcher.ButtonsBecome("Sound Exit"));

        launcher.Click(IDC_SOUND_SETUP);
        ASSERT_TRUE(WaitForRecord(1)) << "the sound tool did not start";
        EXPECT_FALSE(IsWindowVisible(launcher.window())) << "visible while the tool runs";
        ReleaseStandIns();
        ASSERT_TRUE(WaitUntil([&] { return IsWindowVisible(launcher.window()) != FALSE; }));
        // At once: before the probe's next tick, which waits behind any sent message.
        ASSERT_TRUE(launcher.Sync());
        EXPECT_EQ(launcher.EnabledButtons(), after);
        EXPECT_TRUE(launcher.ButtonsBecome(after, kTwoTicksMs));
        // The tool is named without a directory and found in the current one.
        std::vector<std::string> record = RecordLines();
        ASSERT_EQ(record.size(), 1u);
        EXPECT_EQ(record[0].substr(0, record[0].find('\t')), "setsound");
        EXPECT_EQ(record[0].substr(record[0].rfind('\t') + 1), kInstallDir);
    }
};

} // namespace

TEST_F(Commands, StartHandsOverToTheGameInItsDirectory) {
    InstallDemo();
    WriteBytes(Installed("drivers\\dig.ini"), "[sound]\r\n");
    ASSERT_TRUE(StartLauncher());
    ASSERT_TRUE(launcher.ButtonsBecome("Start Sound Exit"));
    launcher.Click(IDC_START_DEMO);
    ExpectHandOver("kora\tC:\\DEMO\\kora.exe\tC:\\DEMO");
}

TEST_F(Commands, InstallStartsTheInstallerFromTheMediumAndLeaves) {
    PlaceStandIn(Medium("setup.exe"));
    PlaceStandIn(Medium("kora.exe"));
    ASSERT_TRUE(StartLauncher());
    ASSERT_TRUE(launcher.ButtonsBecome("Install Exit"));
    launcher.Click(IDC_INSTALL_DEMO);
    ExpectHandOver("setup\tD:\\setup.exe\tC:\\e2e");
}

// The tool's own configuration stays; when it wrote none, the placeholder
// takes its place.
TEST_F(Commands, SoundSetupKeepsTheToolsConfiguration) {
    ASSERT_NO_FATAL_FAILURE(RunSoundSetup("Start Sound Exit"));
    EXPECT_EQ(ReadBytes(Installed("drivers\\dig.ini")), STAND_IN_SOUND_CONFIG);
}

TEST_F(Commands, SoundSetupWritesThePlaceholderWhenTheToolWroteNothing) {
    SetEnvironmentVariableA(STAND_IN_SOUND_WRITE_VAR, "0");
    fs::create_directories(Installed("drivers"));
    ASSERT_NO_FATAL_FAILURE(RunSoundSetup("Start Sound Exit"));
    EXPECT_EQ(ReadBytes(Installed("drivers\\dig.ini")), "\r\n");
}

// A tool along PATH is not the installation's: nothing runs, and the run
// counts as one whose tool is missing.
TEST_F(Commands, SoundSetupRunsOnlyTheInstallationsOwnTool) {
    const char kOnPath[] = "C:\\windows\\setsound.exe";
    std::shared_ptr<void> removed(nullptr, [&](void *) { RemoveTree(kOnPath); });
    InstallDemo();
    fs::create_directories(Installed("drivers"));
    PlaceStandIn(kOnPath);
    ASSERT_TRUE(StartLauncher());
    ASSERT_TRUE(launcher.ButtonsBecome("Sound Exit"));
    launcher.Click(IDC_SOUND_SETUP);
    EXPECT_TRUE(launcher.ButtonsBecome("Start Sound Exit"));
    EXPECT_EQ(RecordLines(), std::vector<std::string>()) << "a tool along PATH ran";
    EXPECT_EQ(ReadBytes(Installed("drivers\\dig.ini")), "\r\n");
}
