#include "launch_context.h"

#include "bounded_string.h"
#include "platform/platform.h"

#include <string.h>

const char kGameFile[] = "kora.exe";
const char kPictureFile[] = "loading.bmp";
const char kReadmeFile[] = "Readme.txt";

void DeriveLaunchContext(const char *command_line, bool exact, LauncherState *state) {
    const char *path = command_line;
    size_t length;
    if (*path == '"') {
        // A quoted program path ends at its closing quote; what follows are
        // arguments, whose backslashes must not move the directory.
        ++path;
        const char *close = strchr(path, '"');
        length = close ? (size_t)(close - path) : strlen(path);
    } else {
        length = strlen(path);
    }
    state->source_drive = path[0];

    // The directory ends at the last ':' or '\'; index 0 is never tested, so
    // a line without separators keeps its first character only.
    size_t i = length ? length - 1 : 0;
    while (i > 0 && path[i] != ':' && path[i] != '\\')
        --i;
    size_t dir_length = length ? i + 1 : 0;

    state->launcher_dir[0] = '\0';
    if (exact && dir_length < sizeof state->launcher_dir) {
        memcpy(state->launcher_dir, path, dir_length);
        state->launcher_dir[dir_length] = '\0';
    }
}

void ReadLaunchContext(LauncherState *state) {
    PlatformQuietDriveErrors();
    bool exact;
    state->command_line = PlatformCommandLine(&exact);
    DeriveLaunchContext(state->command_line, exact, state);
}

// "X:\name" on the source drive.
static void DriveRootPath(char *dest, size_t capacity, char drive, const char *name) {
    const char root[] = {drive, ':', '\\', '\0'};
    CopyString(dest, capacity, root);
    AppendString(dest, capacity, name);
}

bool InstallerAvailable(LauncherState *state) {
    if (state->source_drive == '\0')
        return false;
    DriveRootPath(state->setup_path, sizeof state->setup_path, state->source_drive, "setup.exe");
    if (!PlatformFileExists(state->setup_path))
        return false;
    DriveRootPath(state->launch_path, sizeof state->launch_path, state->source_drive, kGameFile);
    return PlatformFileExists(state->launch_path);
}

bool ReadmeAvailable(LauncherState *state) {
    if (state->launcher_dir[0] == '\0' ||
        !AppendString(state->launcher_dir, sizeof state->launcher_dir, kReadmeFile)) {
        state->launcher_dir[0] = '\0';
        return false;
    }
    return PlatformFileExists(state->launcher_dir);
}
