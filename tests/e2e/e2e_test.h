// The base of every end-to-end test: a fresh world (empty medium holding only
// the launcher and its picture, no registry key, no installation, empty
// record) and a launcher that never outlives its test.
#pragma once

#include "harness.h"
#include "world.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>

// Two probe ticks: long enough to see that a state the first tick could
// have changed stays as it is.
const DWORD kTwoTicksMs = 1100;

class E2eTest : public ::testing::Test {
  protected:
    void SetUp() override;
    void TearDown() override;

    // Starts D:\start.exe in the work directory and waits for its window.
    ::testing::AssertionResult StartLauncher(const std::string &command_line = "D:\\start.exe");
    // Registers kInstallDir as the installation, with a game stand-in in it.
    void InstallDemo();
    // Lets a held stand-in end (see STAND_IN_HOLD_VAR).
    void ReleaseStandIns() { SetEvent(hold_); }

    static std::string Medium(const char *name) { return std::string(kMedium) + name; }
    static std::string Installed(const char *name) {
        return std::string(kInstallDir) + "\\" + name;
    }

    Launcher launcher;

  private:
    HANDLE hold_ = nullptr;
};
