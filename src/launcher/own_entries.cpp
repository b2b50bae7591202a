#include "own_entries.h"

#include "bounded_string.h"
#include "path_rules.h"

#include <string.h>

static bool JoinPath(char *dest, size_t capacity, const char *dir, const char *name) {
    return CopyString(dest, capacity, dir) &&
           (EndsWith(dir, '\\') || AppendString(dest, capacity, "\\")) &&
           AppendString(dest, capacity, name);
}

bool OpenPlace(Place *place, const char *path, EntryKind kind) {
    place->entry = nullptr;
    if (!CopyString(place->path, sizeof place->path, path))
        return false;
    PlatformEntry *entry = PlatformOpenEntry(path, kind);
    if (!entry)
        return false;
    FinalPath found = PlatformEntryFinalPath(entry, place->final_path, sizeof place->final_path);
    place->final_known = found == kFinalPathKnown;
    bool itself =
        !PlatformEntryIsLink(entry) &&
        (found == kFinalPathUnknown || (place->final_known && IsSamePath(place->final_path, path)));
    if (itself)
        place->entry = entry;
    else
        PlatformCloseEntry(entry);
    return itself;
}

bool OpenSubPlace(Place *place, const Place *parent, const char *name, EntryKind kind) {
    char path[kPathBytes];
    place->entry = nullptr;
    place->path[0] = '\0';
    return parent->entry && IsPlainName(name) && JoinPath(path, sizeof path, parent->path, name) &&
           OpenPlace(place, path, kind);
}

void ClosePlace(Place *place) {
    if (place->entry)
        PlatformCloseEntry(place->entry);
    place->entry = nullptr;
}

PlatformEntry *OpenConfirmed(const Place *place, const char *name, char *path, size_t capacity) {
    if (!place->entry || !IsPlainName(name) || !JoinPath(path, capacity, place->path, name))
        return nullptr;
    PlatformEntry *file = PlatformOpenEntry(path, kEntryFile);
    if (!file)
        return nullptr;
    char final_path[kPathBytes];
    FinalPath found = PlatformEntryFinalPath(file, final_path, sizeof final_path);
    bool inside = place->final_known
                      ? found == kFinalPathKnown && IsDirectlyIn(final_path, place->final_path)
                      : found == kFinalPathUnknown;
    if (inside && !PlatformEntryIsLink(file))
        return file;
    PlatformCloseEntry(file);
    return nullptr;
}

bool IsOwnRelativeName(const char *name) {
    int depth = 0;
    for (const char *c = name; *c; ++c)
        depth += *c == '\\';
    return IsPlainRelativeName(name) && !EndsWith(name, '\\') && depth < kOwnDepth;
}

// What stands at `path`, which was not held as the installation's own.
static OwnState Unheld(const char *path) {
    return path[0] && PlatformNothingAt(path) ? kOwnAbsent : kOwnForeign;
}

// The name's last segment, held as a file or as a folder.
static OwnState OpenLast(OwnName *own, const char *segment, bool removable) {
    Place *parent = &own->places[own->held - 1];
    char path[kPathBytes];
    if ((own->file = OpenConfirmed(parent, segment, path, sizeof path)))
        return kOwnHeld;
    Place *place = &own->places[own->held];
    if (OpenSubPlace(place, parent, segment,
                     removable ? kEntryRemovableDirectory : kEntryDirectory)) {
        own->folder = place;
        ++own->held;
        return kOwnHeld;
    }
    return Unheld(own->path);
}

OwnState OpenOwnName(OwnName *own, const char *dir, const char *name, bool removable) {
    own->held = 0;
    own->file = nullptr;
    own->folder = nullptr;
    if (!IsOwnRelativeName(name) || !(name[0] ? JoinPath(own->path, sizeof own->path, dir, name)
                                              : CopyString(own->path, sizeof own->path, dir)))
        return kOwnForeign;
    bool itself = !name[0];
    if (!OpenPlace(&own->places[0], dir,
                   itself && removable ? kEntryRemovableDirectory : kEntryDirectory))
        return Unheld(dir);
    own->held = 1;
    if (itself) {
        own->folder = &own->places[0];
        return kOwnHeld;
    }
    char segment[kPathBytes];
    for (const char *rest = name;;) {
        size_t length = strcspn(rest, "\\");
        memcpy(segment, rest, length);
        segment[length] = '\0';
        if (!rest[length])
            return OpenLast(own, segment, removable);
        rest += length + 1;
        if (!OpenSubPlace(&own->places[own->held], &own->places[own->held - 1], segment))
            return Unheld(own->places[own->held].path);
        ++own->held;
    }
}

void CloseOwnName(OwnName *own) {
    if (own->file)
        PlatformCloseEntry(own->file);
    own->file = nullptr;
    while (own->held > 0)
        ClosePlace(&own->places[--own->held]);
    own->folder = nullptr;
}
