// What the game's installation holds as its own: entries opened as
// themselves, through no link, lying where their names say. The launcher's
// clean-up, the installer's writes and the uninstaller's deletions all ask
// here, and act only through the entries held.
#pragma once

#include "launcher_state.h"
#include "platform/platform.h"

// A directory held open: its path as named and, where the system tells,
// the path it really has.
struct Place {
    PlatformEntry *entry;
    char path[kPathBytes];
    char final_path[kPathBytes];
    bool final_known;
};

// Holds the directory `path` when it is itself: no link, and no link on the
// way to it, so that its final path is the path it was named by. `kind` is
// kEntryDirectory, or kEntryRemovableDirectory to delete it later.
bool OpenPlace(Place *place, const char *path, EntryKind kind = kEntryDirectory);
bool OpenSubPlace(Place *place, const Place *parent, const char *name,
                  EntryKind kind = kEntryDirectory);
void ClosePlace(Place *place);

// Opens the file `name` of `place` and keeps it open when it really lies
// directly there; `path` receives the path it was opened by.
PlatformEntry *OpenConfirmed(const Place *place, const char *name, char *path, size_t capacity);

// How a name inside the installation stands.
enum OwnState {
    kOwnAbsent,  // nothing at all stands there, not even a link to nothing
    kOwnHeld,    // held as the installation's own
    kOwnForeign, // something stands there that is not (or cannot be shown to be)
};

// `name` inside the installation `dir`: plain names joined by '\', "" for
// the installation itself. Every folder on the way is held while the name
// is, so that none can be swapped for a link meanwhile.
enum { kOwnDepth = 8 };
struct OwnName {
    Place places[kOwnDepth + 1];
    int held;              // places held, the installation first
    PlatformEntry *file;   // the name as a file, or null
    Place *folder;         // the name as a folder (the last place), or null
    char path[kPathBytes]; // the name's full path
};

// True for a relative name whose every segment is a plain name (no drive,
// root, parent, wildcard or '/'), at most kOwnDepth deep; "" included.
bool IsOwnRelativeName(const char *name);

OwnState OpenOwnName(OwnName *own, const char *dir, const char *name, bool removable);
void CloseOwnName(OwnName *own);
