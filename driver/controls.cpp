#include "driver/controls.h"

#include "driver/program.h"

static const UINT kMessageLimitMs = 5000;

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

bool Activate(HWND window) {
    SetForegroundWindow(window);
    return WaitUntil([&] { return GetForegroundWindow() == window; }) &&
           SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_NORMAL, kMessageLimitMs, nullptr);
}

bool TypeKey(HWND window, WORD key) {
    SetForegroundWindow(window);
    if (!WaitUntil([&] { return GetForegroundWindow() == window; }, 1000)) {
        UINT scan = MapVirtualKeyA(key, 0);
        PostMessageA(window, WM_KEYDOWN, key, 1 | (scan << 16));
        PostMessageA(window, WM_KEYUP, key, 1 | (scan << 16) | 0xC0000000);
        return false;
    }
    INPUT input[2] = {};
    for (INPUT &event : input) {
        event.type = INPUT_KEYBOARD;
        event.ki.wVk = key;
    }
    input[1].ki.dwFlags = KEYEVENTF_KEYUP;
    SendInput(2, input, sizeof(INPUT));
    return true;
}
