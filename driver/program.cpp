#include "driver/program.h"

#include <string.h>

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

// The machine a program's headers name: "x86" (PE32) or "x86-64" (PE32+).
static std::string ImageMachine(const char *path) {
    HANDLE file = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              OPEN_EXISTING, 0, nullptr);
    unsigned char head[512] = {};
    DWORD got = 0;
    if (file != INVALID_HANDLE_VALUE) {
        ReadFile(file, head, sizeof head, &got, nullptr);
        CloseHandle(file);
    }
    LONG pe = got >= 64 ? *(const LONG *)(head + 0x3c) : 0;
    if (pe <= 0 || pe + 6 > (LONG)got || memcmp(head + pe, "PE\0\0", 4) != 0)
        return "unknown";
    WORD machine = *(const WORD *)(head + pe + 4);
    return machine == IMAGE_FILE_MACHINE_I386    ? "x86"
           : machine == IMAGE_FILE_MACHINE_AMD64 ? "x86-64"
                                                 : "machine " + std::to_string(machine);
}

// The scripts' summaries say which build the Wine lanes ran on from what
// really ran: each start.exe started is noted, with the machine its headers
// name, in the file that LAUNCHER_RAN_LOG names.
static void NoteLauncherStarted(HANDLE process) {
    char log[MAX_PATH], image[MAX_PATH];
    DWORD size = sizeof image;
    if (!GetEnvironmentVariableA("LAUNCHER_RAN_LOG", log, sizeof log) ||
        !QueryFullProcessImageNameA(process, 0, image, &size))
        return;
    const char *name = strrchr(image, '\\');
    if (lstrcmpiA(name ? name + 1 : image, "start.exe") != 0)
        return;
    HANDLE file = CreateFileA(log, FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              OPEN_ALWAYS, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return;
    std::string line = ImageMachine(image) + "\n";
    DWORD written;
    WriteFile(file, line.data(), (DWORD)line.size(), &written, nullptr);
    CloseHandle(file);
}

bool Program::Start(const std::string &command_line, const std::string &directory, DWORD flags) {
    Kill();
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    std::string line = command_line;
    if (!CreateProcessA(nullptr, &line[0], nullptr, nullptr, FALSE, flags, nullptr,
                        directory.c_str(), &startup, &info_))
        return false;
    NoteLauncherStarted(info_.hProcess);
    return true;
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
