// A program started under Wine (or Windows) and watched from outside: its
// process, its top-level windows, and waits that always have a limit.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

// Polls `done` every `poll_ms` until it holds or `timeout_ms` has passed.
bool WaitUntil(const std::function<bool()> &done, DWORD timeout_ms = 5000, DWORD poll_ms = 20);

// Visible top-level windows by class and caption (null for any), of the
// process `pid` (0 for any process), in Z order.
std::vector<HWND> VisibleWindows(const char *class_name, const char *caption, DWORD pid = 0);
HWND WaitWindow(const char *class_name, const char *caption, DWORD pid, DWORD timeout_ms);

// One started process. Ends it when it goes out of scope, so that nothing
// outlives the test or measure that started it.
class Program {
  public:
    Program() = default;
    Program(Program &&other) noexcept { std::swap(info_, other.info_); }
    Program(const Program &) = delete;
    Program &operator=(const Program &) = delete;
    ~Program() { Kill(); }

    // Starts `command_line` in `directory`; `flags` as for CreateProcess.
    bool Start(const std::string &command_line, const std::string &directory, DWORD flags = 0);
    // Takes over the process that owns `window` (to wait for its end).
    bool Attach(HWND window);

    HANDLE handle() const { return info_.hProcess; }
    DWORD pid() const { return info_.dwProcessId; }
    bool Running() const;
    // The exit code, or -1 while it still runs after the wait.
    long WaitExit(DWORD timeout_ms = 5000) const;
    // Ends its message loop with WM_QUIT, as closing its window would, and
    // kills it only when it does not end by itself. PostQuit only asks, so
    // that several programs can be asked first and end side by side.
    void PostQuit() const { PostThreadMessageA(info_.dwThreadId, WM_QUIT, 0, 0); }
    void Quit();
    void Kill();

    std::vector<HWND> Windows(const char *class_name, const char *caption = nullptr) const {
        return VisibleWindows(class_name, caption, pid());
    }
    // Waits until the program waits for input with a window of this class up.
    HWND WaitWindow(const char *class_name, const char *caption = nullptr, DWORD timeout_ms = 5000,
                    DWORD poll_ms = 20) const;

  private:
    void Close();
    PROCESS_INFORMATION info_ = {};
};
