#include "harness.h"

#include "resource.h"

#include <algorithm>

static const DWORD kPollMs = 20;
static const DWORD kStartLimitMs = 20000; // the first start in a fresh Wine session is slow
static const UINT kMessageLimitMs = 5000;

bool WaitUntil(const std::function<bool()> &done, DWORD timeout_ms) {
    DWORD start = GetTickCount();
    for (;;) {
        if (done())
            return true;
        if (GetTickCount() - start >= timeout_ms)
            return false;
        Sleep(kPollMs);
    }
}

std::string ControlText(HWND control) {
    char text[65536];
    DWORD_PTR length = 0;
    if (!SendMessageTimeoutA(control, WM_GETTEXT, sizeof text, (LPARAM)text, SMTO_ABORTIFHUNG,
                             kMessageLimitMs, &length))
        return "<no answer>";
    return std::string(text, length);
}

void PressButton(HWND dialog, int id) {
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), (LPARAM)GetDlgItem(dialog, id));
}

static std::string ClassName(HWND window) {
    char name[64];
    return std::string(name, GetClassNameA(window, name, sizeof name));
}

static std::string Caption(HWND window) {
    char text[256];
    return std::string(text, GetWindowTextA(window, text, sizeof text));
}

namespace {

struct WindowSearch {
    DWORD pid;
    const std::string &class_name;
    std::vector<HWND> found;
};

BOOL CALLBACK CollectWindow(HWND window, LPARAM param) {
    WindowSearch *search = (WindowSearch *)param;
    DWORD owner_pid = 0;
    GetWindowThreadProcessId(window, &owner_pid);
    if (owner_pid == search->pid && IsWindowVisible(window) &&
        ClassName(window) == search->class_name)
        search->found.push_back(window);
    return TRUE;
}

} // namespace

// Visible top-level windows of one process with the given class.
static std::vector<HWND> TopWindows(DWORD pid, const std::string &class_name) {
    WindowSearch search{pid, class_name, {}};
    EnumWindows(CollectWindow, (LPARAM)&search);
    return search.found;
}

::testing::AssertionResult Launcher::Start(const std::string &command_line,
                                           const std::string &directory) {
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    std::string line = command_line;
    if (!CreateProcessA(nullptr, &line[0], nullptr, nullptr, FALSE, 0, nullptr, directory.c_str(),
                        &startup, &process_))
        return ::testing::AssertionFailure()
               << "cannot start " << command_line << ", error " << GetLastError();
    CloseHandle(process_.hThread);
    bool shown = WaitUntil(
        [this] {
            for (HWND box : Dialogs("Status"))
                PressButton(box, IDOK);
            std::vector<HWND> windows = TopWindows(process_.dwProcessId, "TALVO");
            window_ = windows.empty() ? nullptr : windows[0];
            return window_ != nullptr || !Running();
        },
        kStartLimitMs);
    if (!window_)
        return ::testing::AssertionFailure()
               << "no visible TALVO window" << (shown ? ": the launcher ended" : " in time");
    // The window shows before start-up sets the first button states; the
    // launcher answers a sent message only once it is in its message loop.
    if (!Sync())
        return ::testing::AssertionFailure() << "the launcher does not reach its message loop";
    return ::testing::AssertionSuccess();
}

bool Launcher::Sync() const {
    return SendMessageTimeoutA(window_, WM_NULL, 0, 0, SMTO_NORMAL, kMessageLimitMs, nullptr);
}

::testing::AssertionResult Launcher::Activate(HWND window) const {
    SetForegroundWindow(window);
    if (!WaitUntil([&] { return GetForegroundWindow() == window; }) || !Sync())
        return ::testing::AssertionFailure() << "cannot activate the window";
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
    if (Running()) {
        TerminateProcess(process_.hProcess, 1);
        WaitForSingleObject(process_.hProcess, kMessageLimitMs);
    }
    CloseHandle(process_.hProcess);
    process_ = {};
    window_ = nullptr;
}

std::string Launcher::EnabledButtons() const {
    static const struct {
        int id;
        const char *name;
    } kButtons[] = {{IDC_START_DEMO, "Start"},  {IDC_INSTALL_DEMO, "Install"},
                    {IDC_SOUND_SETUP, "Sound"}, {IDC_UNINSTALL, "Uninstall"},
                    {IDC_README, "Readme"},     {IDC_EXIT, "Exit"}};
    std::string names;
    for (const auto &button : kButtons) {
        if (IsWindowEnabled(GetDlgItem(window_, button.id)))
            names += std::string(names.empty() ? "" : " ") + button.name;
    }
    return names;
}

::testing::AssertionResult Launcher::ButtonsBecome(const std::string &expected,
                                                   DWORD hold_ms) const {
    if (!WaitUntil([&] { return EnabledButtons() == expected; }))
        return ::testing::AssertionFailure()
               << "enabled buttons are \"" << EnabledButtons() << "\", not \"" << expected << "\"";
    if (WaitUntil([&] { return EnabledButtons() != expected; }, hold_ms))
        return ::testing::AssertionFailure() << "enabled buttons changed from \"" << expected
                                             << "\" to \"" << EnabledButtons() << "\"";
    return ::testing::AssertionSuccess();
}

void Launcher::PostCommand(WPARAM wparam) const {
    PostMessageA(window_, WM_COMMAND, wparam, 0);
}

void Launcher::Click(int id) const {
    PressButton(window_, id);
}

void Launcher::PressKey(UINT key) const {
    PostMessageA(window_, WM_KEYDOWN, key, 1);
}

::testing::AssertionResult Launcher::Flush() const {
    std::vector<HWND> before = Dialogs("About");
    auto opened = [&]() -> HWND {
        for (HWND about : Dialogs("About")) {
            if (std::find(before.begin(), before.end(), about) == before.end())
                return about;
        }
        return nullptr;
    };
    PressKey(VK_F1);
    if (!WaitUntil([&] { return opened() != nullptr; }))
        return ::testing::AssertionFailure() << "the launcher handles no more messages";
    HWND about = opened();
    PostMessageA(about, WM_CLOSE, 0, 0);
    if (!WaitUntil([&] { return !IsWindow(about); }))
        return ::testing::AssertionFailure() << "the about box does not close";
    return ::testing::AssertionSuccess();
}

std::vector<HWND> Launcher::Dialogs(const std::string &caption) const {
    std::vector<HWND> found;
    for (HWND dialog : TopWindows(process_.dwProcessId, "#32770")) {
        if (Caption(dialog) == caption)
            found.push_back(dialog);
    }
    return found;
}

HWND Launcher::WaitDialog(const std::string &caption, DWORD timeout_ms) const {
    HWND dialog = nullptr;
    WaitUntil(
        [&] {
            std::vector<HWND> found = Dialogs(caption);
            dialog = found.empty() ? nullptr : found[0];
            return dialog != nullptr;
        },
        timeout_ms);
    return dialog;
}
