#include "harness.h"

#include "resource.h"
#include "stand_in.h"

::testing::AssertionResult TestLauncher::ButtonsBecome(const std::string &expected,
                                                       DWORD hold_ms) const {
    if (Launcher::ButtonsBecome(expected, hold_ms))
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure()
           << "enabled buttons are \"" << EnabledButtons() << "\", not \"" << expected << "\"";
}

::testing::AssertionResult TestLauncher::Flush() const {
    if (Launcher::Flush())
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "the launcher has ended or handles no more messages";
}

::testing::AssertionResult TestLauncher::Activate(HWND window) const {
    if (::Activate(window))
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "cannot activate the window";
}

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
    if (launcher.Start(command_line, work_dir))
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "cannot start " << command_line.substr(0, 80)
                                         << ", no main window, or start-up does not end";
}

void E2eTest::InstallDemo() {
    PlaceStandIn(Installed("kora.exe"));
    SetInstallValue("Kora Pro Path", kInstallDir);
}

static bool HasText(HWND box, const std::string &text) {
    for (HWND child = GetWindow(box, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        if (ControlText(child) == text)
            return true;
    }
    return false;
}

void E2eTest::AnswerUninstall(int answer) {
    launcher.Click(IDC_UNINSTALL);
    HWND box = launcher.WaitDialog("Uninstall");
    ASSERT_TRUE(box) << "no question";
    EXPECT_EQ(GetWindow(box, GW_OWNER), launcher.window());
    EXPECT_TRUE(
        HasText(box, "Sind Sie sicher, da\xDF Sie den Kora Manager Pro. l\xF6schen wollen?"));
    PressButton(box, answer);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(box); }));
}

void E2eTest::ExpectHandOver(const std::string &record) {
    EXPECT_EQ(launcher.WaitExit(), 0);
    ASSERT_TRUE(WaitForRecord(1));
    EXPECT_EQ(RecordLines(), std::vector<std::string>{record});
}
