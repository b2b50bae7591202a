// The programs the bench starts: created with CreateProcess from the medium,
// watched through their windows, and ended the way their own loop ends.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

struct Child {
    std::string program; // as started, e.g. M:\start.exe
    PROCESS_INFORMATION info;
};

// Starts `program` without arguments, with its own directory as the current
// one, as the medium's autorun would.
bool StartChild(const std::string &program, Child *child);

// Waits until the child waits for input and a window of `window_class` of
// its own is visible; false when that takes longer than `timeout_ms`.
bool WaitForVisibleWindow(const Child &child, const char *window_class, DWORD timeout_ms);

// The child's visible top-level window of `window_class`, or null.
HWND FindVisibleWindow(DWORD process_id, const char *window_class);

bool ChildRunning(const Child &child);

// Ends the child's message loop with WM_QUIT, as closing its window would,
// and kills it only when it does not end by itself.
void StopChild(Child *child);
void StopChildren(std::vector<Child> *children);
