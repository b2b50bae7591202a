// The launcher's one program-wide record. Everything the launcher knows lives
// here; it is filled at start-up and by the probe, and lives until the process
// ends. Buffer sizes count the terminating NUL.
#pragma once

#include <stddef.h>

// Window and instance handles are kept opaque so that the decisions built on
// this record also compile on the native test platform.
typedef void *Handle;

enum {
    // The longest directory the launcher keeps, its trailing '\' included:
    // an installation folder must fit with the backslash the launcher adds
    // (InstallFolderFault, for the check before mastering and the installer).
    kDirChars = 127,
    kDirBytes = kDirChars + 1,
    kPathBytes = 256,
    kUninstallBytes = 1024,
};

// What the installer leaves in the registry, plus the probe's own scratch.
struct InstallRecord {
    char install_path[kDirBytes];            // ends with '\' after a successful probe
    char uninstall_command[kUninstallBytes]; // program path after the split
    const char *uninstall_args;              // "-f..." inside uninstall_command, or null
    char uninstall_program[kUninstallBytes]; // the file the program path resolved to
    bool uninstall_present;                  // and that file would start
    char probe_path[kPathBytes];
    bool sound_setup_ran;
};

// The splash picture: one block holding the 40-byte info header, the colour
// table and the pixel rows, converted once into a palette and a DIB section.
struct SplashPicture {
    unsigned colour_count;
    size_t palette_bytes;
    int width;
    int height;
    size_t image_bytes;
    unsigned char *block;
    Handle palette; // HPALETTE
    Handle section; // HBITMAP
};

struct LauncherState {
    // Start-up
    Handle instance;
    Handle main_window;
    const char *command_line;
    char source_drive;
    char launcher_dir[kDirBytes]; // directory, then the readme path
    char launch_path[kPathBytes]; // scratch shared by start-up and the commands
    char setup_path[kDirBytes];

    // True while a command waits (the uninstall question, the sound tool):
    // commands that arrive meanwhile do nothing.
    bool command_running;

    InstallRecord install;
    SplashPicture picture;

    // Secondary windows
    Handle readme_window;
    char *readme_text;
};

extern LauncherState g_state;
