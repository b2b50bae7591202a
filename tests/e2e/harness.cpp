#include "harness.h"

#include "resource.h"
#include "stand_in.h"

#include <algorithm>

static const DWORD kStartLimitMs = 20000; // a fresh Wine session starts slowly
static const UINT kMessageLimitMs = 5000;

bool WaitUntil(const std::function<bool()> &done, DWORD timeout_ms) {
    for (DWORD start = GetTickCount(); !done(); Sleep(20)) {
        if (GetTickCount() - start >= timeout_ms)
            return false;
    }
    return true;
}

std::string ControlText(HWND control) {
    DWORD_PTR length = 0;
    if (!SendMessageTimeoutA(control, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, kMessageLimitMs,
                             &length))
        return "<no answer>";
    std::string text(length + 1, '\0');
    if (!SendMessageTimeoutA(control, WM_GETTEXT, text.size(), (LPARAM)text.data(),
                             SMTO_ABORTIFHUNG, kMessageLimitMs, &length))
        return "<no answer>";
    text.resize(length);
    return text;
}

void PressButton(HWND dialog, int id) {
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), (LPARAM)GetDlgItem(dialog, id));
}

// Visible top-level windows of one process by class and caption.
static std::vector<HWND> TopWindows(DWORD pid, const char *class_name, const char *caption) {
    std::vector<HWND> found;
    for (HWND window = nullptr; (window = FindWindowExA(nullptr, window, class_name, caption));) {
        DWORD owner = 0;
        GetWindowThreadProcessId(window, &owner);
        if (owner == pid && IsWindowVisible(window))
            found.push_back(window);
    }
    return found;
}

::testing::AssertionResult Launcher::Start(const std::string &command_line,
                                           const std::string &directory) {
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    std::string line = command_line;
    saw_status_box_ = false;
    if (!CreateProcessA(nullptr, &line[0], nullptr, nullptr, FALSE, 0, nullptr, directory.c_str(),
                        &startup, &process_))
        return ::testing::AssertionFailure() << "cannot start " << command_line;
    CloseHandle(process_.hThread);
    WaitUntil(
        [this] {
            for (HWND box : Dialogs("Status")) {
                PressButton(box, IDOK);
                saw_status_box_ = true;
            }
            std::vector<HWND> windows = TopWindows(process_.dwProcessId, "TALVO", nullptr);
            window_ = windows.empty() ? nullptr : windows[0];
            return window_ || !Running();
        },
        kStartLimitMs);
    // The window shows before start-up sets the first button states.
    if (!window_ || !Sync())
        return ::testing::AssertionFailure() << "no main window, or start-up does not end";
    return ::testing::AssertionSuccess();
}

long Launcher::WaitExit(DWORD timeout_ms) {
    DWORD code;
    if (!process_.hProcess || WaitForSingleObject(process_.hProcess, timeout_ms) != WAIT_OBJECT_0 ||
        !GetExitCodeProcess(process_.hProcess, &code))
        return -1;
    return (long)code;
}

void Launcher::Kill() {
    if (!process_.hProcess)
        return;
    TerminateProcess(process_.hProcess, 1);
    WaitForSingleObject(process_.hProcess, kMessageLimitMs);
    CloseHandle(process_.hProcess);
    process_ = {};
    window_ = nullptr;
}

std::string Launcher::EnabledButtons() const {
    static const std::pair<int, const char *> kButtons[] = {
        {IDC_START_DEMO, "Start"},    {IDC_INSTALL_DEMO, "Install"}, {IDC_SOUND_SETUP, "Sound"},
        {IDC_UNINSTALL, "Uninstall"}, {IDC_README, "Readme"},        {IDC_EXIT, "Exit"}};
    std::string names;
    for (const auto &button : kButtons) {
        if (IsWindowEnabled(GetDlgItem(window_, button.first)))
            names += (names.empty() ? "" : " ") + std::string(button.second);
    }
    return names;
}

::testing::AssertionResult Launcher::ButtonsBecome(const std::string &expected,
                                                   DWORD hold_ms) const {
    bool reached = WaitUntil([&] { return EnabledButtons() == expected; });
    if (!reached || WaitUntil([&] { return EnabledButtons() != expected; }, hold_ms))
        return ::testing::AssertionFailure()
               << "enabled buttons are \"" << EnabledButtons() << "\", not \"" << expected << "\""
               << (reached ? " any more" : "");
    return ::testing::AssertionSuccess();
}

bool Launcher::Sync() const {
    return SendMessageTimeoutA(window_, WM_NULL, 0, 0, SMTO_NORMAL, kMessageLimitMs, nullptr);
}

::testing::AssertionResult Launcher::Flush() const {
    std::vector<HWND> before = Dialogs("About"), now;
    PressKey(VK_F1);
    if (!WaitUntil([&] { return (now = Dialogs("About")).size() > before.size(); }))
        return ::testing::AssertionFailure() << "the launcher handles no more messages";
    for (HWND about : now) {
        if (std::find(before.begin(), before.end(), about) == before.end())
            PostMessageA(about, WM_CLOSE, 0, 0);
    }
    if (!WaitUntil([&] { return Dialogs("About").size() == before.size(); }))
        return ::testing::AssertionFailure() << "the about box does not close";
    if (!Running())
        return ::testing::AssertionFailure() << "the launcher has ended";
    return ::testing::AssertionSuccess();
}

::testing::AssertionResult Launcher::Activate(HWND window) const {
    SetForegroundWindow(window);
    if (!WaitUntil([&] { return GetForegroundWindow() == window; }) || !Sync())
        return ::testing::AssertionFailure() << "cannot activate the window";
    return ::testing::AssertionSuccess();
}

std::vector<HWND> Launcher::Dialogs(const char *caption) const {
    return TopWindows(process_.dwProcessId, "#32770", caption);
}

HWND Launcher::WaitDialog(const char *caption) const {
    std::vector<HWND> found;
    WaitUntil([&] { return !(found = Dialogs(caption)).empty(); });
    return found.empty() ? nullptr : found[0];
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
