// The probe: Start, Sound setup and Uninstall follow the registry key and the
// installation's files twice a second, while the launcher stays open.
#include "harness.h"

using Probe = E2eTest;

TEST_F(Probe, ButtonsFollowAnInstallationMadeAndRemovedMeanwhile) {
    ASSERT_TRUE(StartLauncher());
    EXPECT_TRUE(launcher.ButtonsBecome("Exit", kTwoTicksMs)) << "no key";

    SetInstallValue("Kora Pro Path", kInstallDir);
    SetInstallValue("Uninstall", Installed("uninst.exe") + " -f" + Installed("uninst.log"));
    EXPECT_TRUE(launcher.ButtonsBecome("Uninstall Exit", kTwoTicksMs)) << "no game installed";

    PlaceStandIn(Installed("kora.exe"));
    EXPECT_TRUE(launcher.ButtonsBecome("Sound Uninstall Exit", kTwoTicksMs))
        << "no sound configuration and no sound set-up in this run";

    WriteBytes(Installed("drivers\\dig.ini"), "[sound]\r\n");
    EXPECT_TRUE(launcher.ButtonsBecome("Start Sound Uninstall Exit")) << "configured";

    RemoveInstallKey();
    EXPECT_TRUE(launcher.ButtonsBecome("Exit", kTwoTicksMs)) << "removed";
    EXPECT_EQ(ReadBytes(Installed("drivers\\dig.ini")), "[sound]\r\n");
}
