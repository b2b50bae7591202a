#include "walk_ui.h"

#include <string.h>

HANDLE StartProgram(const char *program, const char *directory) {
    // Without a console of its own, as when started from the desktop: the
    // consoles of its children are theirs then, not this program's.
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process;
    char line[MAX_PATH];
    lstrcpynA(line, program, sizeof line);
    if (!CreateProcessA(program, line, nullptr, nullptr, FALSE, DETACHED_PROCESS, nullptr,
                        directory, &startup, &process))
        return nullptr;
    CloseHandle(process.hThread);
    return process.hProcess;
}

HANDLE ProcessOfWindow(HWND window) {
    DWORD id = 0;
    GetWindowThreadProcessId(window, &id);
    return id ? OpenProcess(SYNCHRONIZE | PROCESS_QUERY_INFORMATION, FALSE, id) : nullptr;
}

bool WaitForEnd(HANDLE process, DWORD milliseconds) {
    return process && WaitForSingleObject(process, milliseconds) == WAIT_OBJECT_0;
}

bool WaitUntil(const std::function<bool()> &done, DWORD milliseconds) {
    DWORD start = GetTickCount();
    while (!done()) {
        if (GetTickCount() - start >= milliseconds)
            return false;
        Sleep(20);
    }
    return true;
}

struct WindowQuery {
    const char *class_name;
    const char *caption;
    DWORD process_id;
    HWND found;
};

static BOOL CALLBACK MatchWindow(HWND window, LPARAM data) {
    WindowQuery *query = (WindowQuery *)data;
    char text[256];
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (!IsWindowVisible(window) || (query->process_id && owner != query->process_id))
        return TRUE;
    if (query->class_name &&
        (!GetClassNameA(window, text, sizeof text) || strcmp(text, query->class_name) != 0))
        return TRUE;
    if (query->caption &&
        (GetWindowTextA(window, text, sizeof text) < 0 || strcmp(text, query->caption) != 0))
        return TRUE;
    query->found = window;
    return FALSE;
}

HWND FindVisibleWindow(const char *class_name, const char *caption, HANDLE process) {
    WindowQuery query = {class_name, caption, process ? GetProcessId(process) : 0, nullptr};
    EnumWindows(MatchWindow, (LPARAM)&query);
    return query.found;
}

HWND WaitForWindow(const char *class_name, const char *caption, HANDLE process,
                   DWORD milliseconds) {
    HWND window = nullptr;
    WaitUntil([&] { return (window = FindVisibleWindow(class_name, caption, process)) != nullptr; },
              milliseconds);
    return window;
}

void PostCommand(HWND window, int id) {
    PostMessageA(window, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), (LPARAM)GetDlgItem(window, id));
}

bool PressKey(HWND window, WORD key) {
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
