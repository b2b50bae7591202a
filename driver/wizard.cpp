#include "driver/wizard.h"

#include "driver/controls.h"
#include "driver/program.h"

#include <algorithm>

HWND WaitDialogTitled(const std::string &prefix, DWORD timeout_ms) {
    HWND found = nullptr;
    WaitUntil(
        [&] {
            for (HWND dialog : VisibleWindows("#32770", nullptr)) {
                // Another process's caption, read without a message to it.
                char caption[256] = "";
                GetWindowTextA(dialog, caption, sizeof caption);
                if (std::string(caption).compare(0, prefix.size(), prefix) == 0)
                    return (found = dialog) != nullptr;
            }
            return false;
        },
        timeout_ms);
    return found;
}

bool ButtonReady(HWND dialog, int id, const std::string &text, DWORD timeout_ms) {
    HWND button = GetDlgItem(dialog, id);
    return WaitUntil(
        [&] {
            std::string shown = ControlText(button);
            shown.erase(std::remove(shown.begin(), shown.end(), '&'), shown.end());
            return IsWindowEnabled(button) && shown == text;
        },
        timeout_ms);
}
