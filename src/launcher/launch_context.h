// Where the launcher was started from: its own directory and the drive of
// the source medium, both taken from the process's command line.
#pragma once

#include "launcher_state.h"

// Fills `launcher_dir` (with its trailing separator) and `source_drive`.
// A directory too long for its buffer, or a line that is not `exact` (the
// code page put look-alikes in it, so it names another folder), leaves
// `launcher_dir` empty, which the rest of the launcher reads as "no picture,
// no readme".
void DeriveLaunchContext(const char *command_line, bool exact, LauncherState *state);

// Start-up's first look at the machine: drive errors are quiet from here on,
// so that a missing medium cannot stop the probe with a system error box;
// then the launch context from the process's own command line.
void ReadLaunchContext(LauncherState *state);

// Builds `setup_path` and tests the installer and the game in the root of the
// source drive; true when both are present.
bool InstallerAvailable(LauncherState *state);

// Turns `launcher_dir` into the readme path; true when the readme is present.
// A path that does not fit leaves `launcher_dir` empty.
bool ReadmeAvailable(LauncherState *state);

extern const char kGameFile[];
extern const char kPictureFile[];
extern const char kReadmeFile[];
// The readme viewer places the whole text at each activation; a larger file
// would stall the window every time (and a huge one exhaust a 32-bit
// process). Exactly this many bytes still open.
const size_t kReadmeLimit = 1024 * 1024;
