// An in-memory machine for the launcher's decisions: files, directories and
// links under Windows path rules, names the ANSI code page cannot hold, one
// registry key, the main window's buttons, and a journal of every action.
#pragma once

#include "launcher/install_state.h"
#include "launcher/launcher_state.h"
#include "platform/platform.h"

#include <functional>
#include <map>
#include <set>
#include <string>
#include <vector>

using Steps = std::vector<std::string>;

struct FakePlatform {
    std::string cwd = "c:\\"; // as Windows keeps it: the path given, links not followed
    std::map<std::string, std::string> files; // real path -> bytes
    std::set<std::string> dirs;               // real paths
    std::map<std::string, std::string> links; // real path of a link -> its target
    std::set<std::string> unenterable;        // real paths of directories no one may enter
    // Whether the system names an open entry's final path (and deletes
    // through a handle); without, the launcher falls back to attributes.
    bool final_paths = true;
    std::multiset<std::string> open_entries; // real paths
    std::function<void()> at_deletion;       // runs at each deletion through an entry
    bool quiet_drive_errors = false;
    // The process's own command line, in the wide characters it was given.
    std::string command_line;

    bool key_exists = false;
    std::map<std::string, std::string> values; // registry value name -> stored bytes
    std::set<std::string> not_strings;         // values of another type than REG_SZ

    std::map<int, bool> enabled; // control id -> state
    bool confirm_answer = true;
    std::function<void()> while_waiting; // runs while the question or the sound tool is open
    StartResult create_result = kStarted;
    bool shell_result = true;

    // Everything that changes the machine or starts something, in order,
    // with paths as the launcher named them (made absolute, lower case).
    Steps journal;
    // The real paths of what was deleted or created, links followed.
    std::vector<std::string> deleted, created;
    int open_searches = 0;

    // `path` made absolute the way Windows does: '/' as '\', "." and ".."
    // segments applied, trailing dots and blanks dropped; lower case.
    std::string Absolute(const std::string &path) const;
    // The directory or file `path` reaches, every link on the way followed.
    std::string Real(const std::string &path) const;
    // The entry `path` names itself: its directory's links followed, not its own.
    std::string Located(const std::string &path) const;

    // Each Add keeps the tree a tree: a name already taken by another kind
    // of entry, or below a file, is not added.
    void AddFile(const std::string &path, const std::string &bytes = "x");
    bool HasFile(const std::string &path) const { return files.count(Real(path)); }
    void AddDir(const std::string &path);
    void AddLink(const std::string &path, const std::string &target);
    // One change to the tree in a line: "f<path>" a file, "d<path>" a
    // directory, "l<path>><target>" a link to a directory or file, "-<path>"
    // removes a file or a directory with everything in it. Paths must be
    // absolute. Settings: "!nofinal" no final paths, "!fail" no process can
    // be created, "!elevate" each needs elevation, "!decline" the shell
    // fails, "!nocd" C:\DEMO cannot be entered.
    void Apply(const std::string &change);

    static std::string ParentOf(const std::string &real);
    // `wide` as the ANSI code page gives it: fullwidth '\', ':', 'x', 'O' and
    // 'ē' (UTF-8 here) become their ASCII look-alikes; `exact` tells none
    // did.
    static std::string Ansi(const std::string &wide, bool *exact);
};

extern FakePlatform g_fake;

// Fresh machine and fresh launcher state.
void ResetFake();
