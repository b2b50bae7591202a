// The tests' hold on the driver: a fresh world for each test, a launcher
// that never outlives it, and the waits as assertions that say what they saw.
#pragma once

#include "world.h"

#include "driver/controls.h"
#include "driver/launcher.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

// Two probe ticks: long enough to see that a state the first tick could
// have changed stays as it is.
const DWORD kTwoTicksMs = 1100;

// The driver's launcher, with the waits that can fail saying what they saw.
class TestLauncher : public Launcher {
  public:
    ::testing::AssertionResult ButtonsBecome(const std::string &expected, DWORD hold_ms = 0) const;
    ::testing::AssertionResult Flush() const;
    ::testing::AssertionResult Activate(HWND window) const;
};

// The base of every end-to-end test: a fresh world (empty medium holding only
// the launcher and its picture, no registry key, no installation, empty
// record) and a launcher that never outlives its test.
class E2eTest : public ::testing::Test {
  protected:
    void SetUp() override;
    void TearDown() override;

    // Starts D:\start.exe in `work_dir` and waits for its window.
    ::testing::AssertionResult StartLauncher(const std::string &command_line = "D:\\start.exe");
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

    TestLauncher launcher;
    std::string work_dir = kWorkDir;

  private:
    HANDLE hold_ = nullptr;
};
