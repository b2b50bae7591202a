#include "driver/launcher.h"

#include "driver/controls.h"
#include "resource.h"

#include <algorithm>

static const DWORD kStartLimitMs = 20000; // a fresh Wine session starts slowly

const LauncherButton kLauncherButtons[6] = {
    {IDC_START_DEMO, "Start"},    {IDC_INSTALL_DEMO, "Install"}, {IDC_SOUND_SETUP, "Sound"},
    {IDC_UNINSTALL, "Uninstall"}, {IDC_README, "Readme"},        {IDC_EXIT, "Exit"}};

bool Launcher::Start(const std::string &command_line, const std::string &directory, DWORD flags) {
    window_ = nullptr;
    saw_status_box_ = false;
    if (!Program::Start(command_line, directory, flags))
        return false;
    WaitUntil(
        [this] {
            for (HWND box : Dialogs("Status")) {
                PressButton(box, IDOK);
                saw_status_box_ = true;
            }
            std::vector<HWND> windows = Windows("TALVO");
            window_ = windows.empty() ? nullptr : windows[0];
            return window_ || !Running();
        },
        kStartLimitMs);
    // The window shows before start-up sets the first button states.
    return window_ && Sync();
}

std::string Launcher::EnabledButtons() const {
    std::string names;
    for (const LauncherButton &button : kLauncherButtons) {
        if (IsWindowEnabled(GetDlgItem(window_, button.id)))
            names += (names.empty() ? "" : " ") + std::string(button.name);
    }
    return names;
}

bool Launcher::ButtonsBecome(const std::string &expected, DWORD hold_ms) const {
    return WaitUntil([&] { return EnabledButtons() == expected; }) &&
           !WaitUntil([&] { return EnabledButtons() != expected; }, hold_ms);
}

void Launcher::Click(int id) const {
    PressButton(window_, id);
}

bool Launcher::Sync() const {
    return SendMessageTimeoutA(window_, WM_NULL, 0, 0, SMTO_NORMAL, 5000, nullptr);
}

bool Launcher::Flush() const {
    std::vector<HWND> before = Dialogs("About"), now;
    PressKey(VK_F1);
    if (!WaitUntil([&] { return (now = Dialogs("About")).size() > before.size(); }))
        return false;
    for (HWND about : now) {
        if (std::find(before.begin(), before.end(), about) == before.end())
            PostMessageA(about, WM_CLOSE, 0, 0);
    }
    return WaitUntil([&] { return Dialogs("About").size() == before.size(); }) && Running();
}

HWND Launcher::WaitDialog(const char *caption, DWORD timeout_ms) const {
    return ::WaitWindow("#32770", caption, pid(), timeout_ms);
}
