// Drives the real launcher from the test process: starts it, finds its
// windows, reads and presses its buttons and answers its message boxes.
// Every wait has a time limit, so no test hangs on a launcher that fails.
#pragma once

#include "world.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

// Two probe ticks: long enough to see that a state the first tick could
// have changed stays as it is.
const DWORD kTwoTicksMs = 1100;

// Polls `done` until it holds or `timeout_ms` has passed.
bool WaitUntil(const std::function<bool()> &done, DWORD timeout_ms = 5000);

// A window's text through WM_GETTEXT, which, unlike GetWindowText, also
// reaches the controls of another process.
std::string ControlText(HWND control);
// Presses a dialog's button the way the button reports a click.
void PressButton(HWND dialog, int id);

class Launcher {
  public:
    ~Launcher() { Kill(); }

    // Starts the launcher and waits until start-up has ended in the message
    // loop, answering the "Status" box (no picture) on the way.
    ::testing::AssertionResult Start(const std::string &command_line, const std::string &directory);
    HWND window() const { return window_; }
    // Whether Start answered a "Status" box (picture not loaded).
    bool saw_status_box() const { return saw_status_box_; }
    bool Running() const {
        return process_.hProcess && WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT;
    }
    // The exit code, or -1 while the launcher still runs after the wait.
    long WaitExit(DWORD timeout_ms = 5000);
    void Kill();

    // The enabled buttons by name, in template order, e.g. "Sound Readme Exit".
    std::string EnabledButtons() const;
    // Waits for the enabled buttons to be `expected`, then checks that they
    // stay so for `hold_ms`: a probe tick that changes nothing cannot be
    // seen, so only holding over two ticks shows that they kept the state.
    ::testing::AssertionResult ButtonsBecome(const std::string &expected, DWORD hold_ms = 0) const;

    void Click(int id) const { PressButton(window_, id); }
    // A key pressed while the main window holds the focus.
    void PressKey(UINT key) const { PostMessageA(window_, WM_KEYDOWN, key, 1); }

    // Returns once the launcher is back in its message loop. It answers sent
    // messages before posted ones, so this says nothing about those.
    bool Sync() const;
    // Succeeds once the launcher has handled every message posted before and
    // still runs: opens an about box behind them and closes it again.
    ::testing::AssertionResult Flush() const;
    // Activates `window` as a click on it would, and waits for the launcher.
    ::testing::AssertionResult Activate(HWND window) const;

    // The launcher's visible top-level dialogs with this caption.
    std::vector<HWND> Dialogs(const char *caption) const;
    HWND WaitDialog(const char *caption) const;

  private:
    PROCESS_INFORMATION process_ = {};
    HWND window_ = nullptr;
    bool saw_status_box_ = false;
};

// The base of every end-to-end test: a fresh world (empty medium holding only
// the launcher and its picture, no registry key, no installation, empty
// record) and a launcher that never outlives its test.
class E2eTest : public ::testing::Test {
  protected:
    void SetUp() override;
    void TearDown() override;

    // Starts D:\start.exe in `work_dir` and waits for its window.
    ::testing::AssertionResult StartLauncher(const std::string &command_line = "D:\\start.exe") {
        return launcher.Start(command_line, work_dir);
    }
    // Registers kInstallDir as the installation, with a game stand-in in it.
    void InstallDemo();
    // Lets a held stand-in end (see STAND_IN_HOLD_VAR).
    void ReleaseStandIns() { SetEvent(hold_); }
    // Clicks Uninstall and gives `answer` to the launcher's question.
    void AnswerUninstall(int answer);
    // The launcher has ended with 0 and started one program, recorded as `record`.
    void ExpectHandOver(const std::string &record);

    static std::string Medium(const char *name) { return std::string(kMedium) + name; }
    static std::string Installed(const char *name) {
        return std::string(kInstallDir) + "\\" + name;
    }

    Launcher launcher;
    std::string work_dir = kWorkDir;

  private:
    HANDLE hold_ = nullptr;
};
