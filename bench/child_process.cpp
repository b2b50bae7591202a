#include "child_process.h"

#include "timing.h"

#include <string.h>

static std::string DirectoryOf(const std::string &program) {
    size_t end = program.find_last_of("\\:");
    return end == std::string::npos ? std::string() : program.substr(0, end + 1);
}

bool StartChild(const std::string &program, Child *child) {
    child->program = program;
    std::string line = "\"" + program + "\"";
    std::string directory = DirectoryOf(program);
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    return CreateProcessA(program.c_str(), &line[0], nullptr, nullptr, FALSE, 0, nullptr,
                          directory.empty() ? nullptr : directory.c_str(), &startup,
                          &child->info) != FALSE;
}

struct WindowSearch {
    DWORD process_id;
    const char *window_class;
    HWND found;
};

static BOOL CALLBACK MatchWindow(HWND window, LPARAM param) {
    WindowSearch *search = (WindowSearch *)param;
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    char name[64];
    if (owner != search->process_id || !GetClassNameA(window, name, sizeof name) ||
        strcmp(name, search->window_class) != 0 || !IsWindowVisible(window))
        return TRUE;
    search->found = window;
    return FALSE;
}

HWND FindVisibleWindow(DWORD process_id, const char *window_class) {
    WindowSearch search = {process_id, window_class, nullptr};
    EnumWindows(MatchWindow, (LPARAM)&search);
    return search.found;
}

bool WaitForVisibleWindow(const Child &child, const char *window_class, DWORD timeout_ms) {
    double deadline = NowMs() + timeout_ms;
    if (WaitForInputIdle(child.info.hProcess, timeout_ms) != 0)
        return false;
    while (!FindVisibleWindow(child.info.dwProcessId, window_class)) {
        if (NowMs() > deadline || !ChildRunning(child))
            return false;
        Sleep(1);
    }
    return true;
}

bool ChildRunning(const Child &child) {
    return child.info.hProcess && WaitForSingleObject(child.info.hProcess, 0) == WAIT_TIMEOUT;
}

void StopChild(Child *child) {
    if (!child->info.hProcess)
        return;
    PostThreadMessageA(child->info.dwThreadId, WM_QUIT, 0, 0);
    if (WaitForSingleObject(child->info.hProcess, 5000) != WAIT_OBJECT_0) {
        TerminateProcess(child->info.hProcess, 1);
        WaitForSingleObject(child->info.hProcess, 5000);
    }
    CloseHandle(child->info.hThread);
    CloseHandle(child->info.hProcess);
    child->info = PROCESS_INFORMATION();
}

void StopChildren(std::vector<Child> *children) {
    // All are asked first, so that they end side by side.
    for (const Child &child : *children)
        PostThreadMessageA(child.info.dwThreadId, WM_QUIT, 0, 0);
    for (Child &child : *children)
        StopChild(&child);
    children->clear();
}
