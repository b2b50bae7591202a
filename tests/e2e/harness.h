// Drives the real launcher from the test process: starts it, finds its
// windows, reads and presses its buttons and answers its message boxes.
// Every wait has a time limit, so no test can hang on a launcher that fails.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

// Polls `done` until it holds or `timeout_ms` has passed.
bool WaitUntil(const std::function<bool()> &done, DWORD timeout_ms = 5000);

// A control's text, read with WM_GETTEXT (GetWindowText does not reach the
// text of another process's controls).
std::string ControlText(HWND control);

// Presses a dialog's button the way the button reports a click.
void PressButton(HWND dialog, int id);

class Launcher {
  public:
    Launcher() = default;
    Launcher(const Launcher &) = delete;
    Launcher &operator=(const Launcher &) = delete;
    ~Launcher() { Kill(); }

    // Starts the launcher and waits until its main window is visible,
    // answering the start-up "Status" box (no picture) on the way.
    ::testing::AssertionResult Start(const std::string &command_line, const std::string &directory);
    HWND window() const { return window_; }
    bool Running() const;
    // The exit code, or -1 when the launcher is still running after the wait.
    long WaitExit(DWORD timeout_ms = 5000);
    void Kill();

    // The enabled buttons by name, in template order, e.g. "Sound Readme Exit".
    std::string EnabledButtons() const;
    // Waits until the enabled buttons are `expected`, then checks that they stay
    // so for `hold_ms`: a probe tick that changes nothing cannot be seen, so
    // holding over two ticks shows that they kept the state.
    ::testing::AssertionResult ButtonsBecome(const std::string &expected, DWORD hold_ms = 0) const;

    // WM_COMMAND exactly as given; any program may post one.
    void PostCommand(WPARAM wparam) const;
    // A button's click as the button itself reports it.
    void Click(int id) const;
    // A key press arriving at the main window while it holds the focus.
    void PressKey(UINT key) const;
    // Returns once the launcher is back in its message loop, having finished
    // what it was doing (it answers sent messages before posted ones, so
    // this says nothing about messages posted before).
    bool Sync() const;
    // Makes `window` the foreground window, as a click on it would, and
    // returns once the launcher has handled the activation.
    ::testing::AssertionResult Activate(HWND window) const;
    // Returns once the launcher has handled every message posted before:
    // opens an about box behind them and closes it again.
    ::testing::AssertionResult Flush() const;

    // The launcher's visible top-level dialogs with this caption.
    std::vector<HWND> Dialogs(const std::string &caption) const;
    HWND WaitDialog(const std::string &caption, DWORD timeout_ms = 5000) const;

  private:
    PROCESS_INFORMATION process_ = {};
    HWND window_ = nullptr;
};
