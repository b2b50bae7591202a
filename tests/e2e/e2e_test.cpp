#include "e2e_test.h"

#include "stand_in.h"

void E2eTest::SetUp() {
    ASSERT_TRUE(ClearMedium()) << kMedium
                               << " is not the tests' medium: run the tests with ctest, "
                                  "whose fixture e2e.prefix maps it";
    PlaceLauncher();
    UnmanageLauncherWindows();
    RemoveInstallKey();
    RemoveTree(kInstallDir);
    ClearRecord();
    std::string hold = "e2e-hold-" + std::to_string(GetCurrentProcessId());
    hold_ = CreateEventA(nullptr, TRUE, FALSE, hold.c_str());
    SetEnvironmentVariableA(STAND_IN_HOLD_VAR, hold.c_str());
    SetEnvironmentVariableA(STAND_IN_SOUND_WRITE_VAR, nullptr);
}

void E2eTest::TearDown() {
    launcher.Kill();
    ReleaseStandIns();
    CloseHandle(hold_);
}

::testing::AssertionResult E2eTest::StartLauncher(const std::string &command_line) {
    return launcher.Start(command_line, kWorkDir);
}

void E2eTest::InstallDemo() {
    PlaceStandIn(Installed("kora.exe"));
    SetInstallValue("Kora Pro Path", kInstallDir);
}
