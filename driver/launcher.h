// start.exe as its user sees it: the main window of class TALVO with its six
// buttons, the "Status" box of a picture that does not load, and its
// dialogs (the uninstall question, the readme viewer, the about box).
#pragma once

#include "driver/program.h"

#include <string>
#include <vector>

// The buttons in template order with the short names EnabledButtons uses.
struct LauncherButton {
    int id;
    const char *name;
};
extern const LauncherButton kLauncherButtons[6];

class Launcher : public Program {
  public:
    // Starts the launcher and waits until start-up has ended in the message
    // loop, answering the "Status" box (no picture) on the way.
    bool Start(const std::string &command_line, const std::string &directory, DWORD flags = 0);
    HWND window() const { return window_; }
    // Whether Start answered a "Status" box (picture not loaded).
    bool saw_status_box() const { return saw_status_box_; }

    // The enabled buttons by name, in template order, e.g. "Sound Readme Exit".
    std::string EnabledButtons() const;
    // Waits for the enabled buttons to be `expected`, then checks that they
    // stay so for `hold_ms`: a probe tick that changes nothing cannot be
    // seen, so only holding over two ticks shows that they kept the state.
    bool ButtonsBecome(const std::string &expected, DWORD hold_ms = 0) const;

    void Click(int id) const;
    // A key pressed while the main window holds the focus.
    void PressKey(UINT key) const { PostMessageA(window_, WM_KEYDOWN, key, 1); }

    // Returns once the launcher is back in its message loop. It answers sent
    // messages before posted ones, so this says nothing about those.
    bool Sync() const;
    // True once the launcher has handled every message posted before and
    // still runs: opens an about box behind them and closes it again.
    bool Flush() const;

    // The launcher's visible top-level dialogs with this caption (null: any).
    std::vector<HWND> Dialogs(const char *caption) const { return Windows("#32770", caption); }
    HWND WaitDialog(const char *caption, DWORD timeout_ms = 5000) const;

  private:
    HWND window_ = nullptr;
    bool saw_status_box_ = false;
};
