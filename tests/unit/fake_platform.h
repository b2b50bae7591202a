// An in-memory machine for the launcher's decisions: files, directories, one
// registry key, the main window's buttons, and a journal of every action.
#pragma once

#include "launcher/install_state.h"
#include "launcher/launcher_state.h"
#include "platform/platform.h"

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>
#include <vector>

using Steps = std::vector<std::string>;

struct FakePlatform {
    std::string cwd = "c:\\";
    std::map<std::string, std::string> files; // lower-case absolute path -> bytes
    std::set<std::string> dirs;               // lower-case absolute paths

    bool key_exists = false;
    std::map<std::string, std::string> values; // registry value name -> stored bytes

    std::map<int, bool> enabled; // control id -> state
    bool confirm_answer = true;
    StartResult create_result = kStarted;
    bool shell_result = true;

    // Everything that changes the machine or starts something, in order.
    Steps journal;
    int open_searches = 0;

    std::string Absolute(const std::string &path) const;
    void AddFile(const std::string &path, const std::string &bytes = "x") {
        files[Absolute(path)] = bytes;
    }
    bool HasFile(const std::string &path) const { return files.count(Absolute(path)); }
    void AddDir(const std::string &path);
};

extern FakePlatform g_fake;

// Fresh machine and fresh launcher state for each test.
void ResetFake();

// A machine with the demo installed in C:\DEMO and the launcher's state as
// the first probe left it.
class Installed : public ::testing::Test {
  protected:
    void SetUp() override {
        ResetFake();
        g_fake.key_exists = true;
        g_fake.values["Kora Pro Path"] = "C:\\DEMO";
        g_fake.values["Uninstall"] = "C:\\DEMO\\uninst.exe -fC:\\DEMO\\install.log";
        g_fake.AddDir("C:\\DEMO\\drivers");
        g_fake.AddFile("C:\\DEMO\\kora.exe");
        g_fake.AddFile("C:\\DEMO\\uninst.exe");
        ProbeInstallState();
    }

    const Steps &Journal() const { return g_fake.journal; }
};
