#include "harness.h"

#include "resource.h"

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

std::string ClassName(HWND window) {
    char name[64];
    return std::string(name, GetClassNameA(window, name, sizeof name));
}

std::string ControlText(HWND control) {
    static char text[65536];
    DWORD_PTR length = 0;
    if (!SendMessageTimeoutA(control, WM_GETTEXT, sizeof text, (LPARAM)text, SMTO_ABORTIFHUNG,
                             kMessageLimitMs, &length))
        return "<no answer>";
    return std::string(text, length);
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

bool Launcher::Running() const {
    return process_.hProcess && WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT;
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

void Launcher::PostCommand(WPARAM wparam) const {
    PostMessageA(window_, WM_COMMAND, wparam, 0);
}

void Launcher::PressKey(UINT key) const {
    PostMessageA(window_, WM_KEYDOWN, key, 1);
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
