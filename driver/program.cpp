#include "driver/program.h"

bool WaitUntil(const std::function<bool()> &done, DWORD timeout_ms, DWORD poll_ms) {
    for (DWORD start = GetTickCount(); !done(); Sleep(poll_ms)) {
        if (GetTickCount() - start >= timeout_ms)
            return false;
    }
    return true;
}

std::vector<HWND> VisibleWindows(const char *class_name, const char *caption, DWORD pid) {
    std::vector<HWND> found;
    for (HWND window = nullptr; (window = FindWindowExA(nullptr, window, class_name, caption));) {
        DWORD owner = 0;
        GetWindowThreadProcessId(window, &owner);
        if ((!pid || owner == pid) && IsWindowVisible(window))
            found.push_back(window);
    }
    return found;
}

HWND WaitWindow(const char *class_name, const char *caption, DWORD pid, DWORD timeout_ms) {
    std::vector<HWND> found;
    WaitUntil([&] { return !(found = VisibleWindows(class_name, caption, pid)).empty(); },
              timeout_ms);
    return found.empty() ? nullptr : found[0];
}

bool Program::Start(const std::string &command_line, const std::string &directory, DWORD flags) {
    Kill();
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    std::string line = command_line;
    return CreateProcessA(nullptr, &line[0], nullptr, nullptr, FALSE, flags, nullptr,
                          directory.c_str(), &startup, &info_);
}

bool Program::Attach(HWND window) {
    Kill();
    GetWindowThreadProcessId(window, &info_.dwProcessId);
    info_.hProcess = OpenProcess(SYNCHRONIZE | PROCESS_QUERY_INFORMATION | PROCESS_TERMINATE, FALSE,
                                 info_.dwProcessId);
    return info_.hProcess != nullptr;
}

bool Program::Running() const {
    return info_.hProcess && WaitForSingleObject(info_.hProcess, 0) == WAIT_TIMEOUT;
}

long Program::WaitExit(DWORD timeout_ms) const {
    DWORD code;
    if (!info_.hProcess || WaitForSingleObject(info_.hProcess, timeout_ms) != WAIT_OBJECT_0 ||
        !GetExitCodeProcess(info_.hProcess, &code))
        return -1;
    return (long)code;
}

void Program::Quit() {
    if (info_.dwThreadId)
        PostQuit();
    if (WaitExit() < 0)
        Kill();
    Close();
}

void Program::Kill() {
    if (Running()) {
        TerminateProcess(info_.hProcess, 1);
        WaitForSingleObject(info_.hProcess, 5000);
    }
    Close();
}

void Program::Close() {
    if (info_.hThread)
        CloseHandle(info_.hThread);
    if (info_.hProcess)
        CloseHandle(info_.hProcess);
    info_ = {};
}

HWND Program::WaitWindow(const char *class_name, const char *caption, DWORD timeout_ms,
                         DWORD poll_ms) const {
    if (!info_.hProcess || WaitForInputIdle(info_.hProcess, timeout_ms) != 0)
        return nullptr;
    std::vector<HWND> found;
    WaitUntil([&] { return !(found = Windows(class_name, caption)).empty() || !Running(); },
              timeout_ms, poll_ms);
    return found.empty() ? nullptr : found[0];
}
