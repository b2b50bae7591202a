// An in-memory machine for the launcher's decisions: files, directories, one
// registry key, the main window's buttons, and a journal of every action.
#pragma once

#include "launcher/launcher_state.h"
#include "platform/platform.h"

#include <map>
#include <set>
#include <string>
#include <vector>

struct FakePlatform {
    std::string command_line;
    std::string cwd = "c:\\";
    std::map<std::string, std::string> files; // lower-case absolute path -> bytes
    std::set<std::string> dirs;               // lower-case absolute paths
    std::set<std::string> read_only;          // files that cannot be deleted or replaced

    bool key_exists = false;
    std::map<std::string, std::string> values; // registry value name -> stored bytes

    std::map<int, bool> enabled; // control id -> state
    bool window_visible = true;
    bool confirm_answer = true;
    StartResult create_result = kStarted;
    bool shell_result = true;

    // Everything that changes the machine or starts something, in order.
    std::vector<std::string> journal;
    int open_searches = 0;

    void AddFile(const std::string &path, const std::string &bytes = "x");
    void AddDir(const std::string &path);
    bool HasFile(const std::string &path) const;
    std::string Absolute(const std::string &path) const;
};

extern FakePlatform g_fake;

// Fresh machine and fresh launcher state for each test.
void ResetFake();
