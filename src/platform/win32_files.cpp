// Files and the entries the clean-up holds open.
#include "platform.h"
#include "win32_ansi_text.h"
#include "win32_calls.h"

#include <stdlib.h>
#include <string.h>
#include <wchar.h>

static HANDLE OpenForReading(const char *path) {
    // Without FILE_FLAG_BACKUP_SEMANTICS a directory never opens.
    return CreateFileA(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                       OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
}

bool PlatformFileExists(const char *path) {
    HANDLE file = OpenForReading(path);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    CloseHandle(file);
    return true;
}

// Any size with a high word is over every limit the launcher reads by.
static char *ReadOpenFile(HANDLE file, size_t limit, size_t pad, size_t *size) {
    DWORD high = 0;
    DWORD low = GetFileSize(file, &high);
    if ((low == INVALID_FILE_SIZE && GetLastError() != NO_ERROR) || high != 0 || low > limit ||
        low > (size_t)-1 - pad)
        return nullptr;
    size_t bytes = low;
    char *data = (char *)malloc(bytes + pad);
    if (!data)
        return nullptr;
    DWORD got = 0;
    if (bytes > 0 && (!ReadFile(file, data, (DWORD)bytes, &got, nullptr) || got != bytes)) {
        free(data);
        return nullptr;
    }
    memset(data + bytes, 0, pad);
    *size = bytes;
    return data;
}

char *PlatformReadFile(const char *path, size_t limit, size_t pad, size_t *size) {
    HANDLE file = OpenForReading(path);
    if (file == INVALID_HANDLE_VALUE)
        return nullptr;
    char *data = ReadOpenFile(file, limit, pad, size);
    CloseHandle(file);
    return data;
}

// The open file goes once its last handle closes (Vista on).
static void DeleteOnClose(HANDLE file) {
    FILE_DISPOSITION_INFO disposition = {TRUE};
    Calls().SetFileInformationByHandle(file, FileDispositionInfo, &disposition, sizeof disposition);
}

// A write that fails takes back only the file this handle created: through
// the handle where the system can, else the file stays (an empty sound
// configuration serves as the placeholder does), never by a name that may by
// now lead to another file.
bool PlatformCreateFile(const char *path, const void *data, size_t size) {
    bool by_handle = Calls().SetFileInformationByHandle != nullptr;
    HANDLE file = CreateFileA(path, GENERIC_WRITE | (by_handle ? DELETE : 0), 0, nullptr,
                              CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    DWORD written = 0;
    bool ok = WriteFile(file, data, (DWORD)size, &written, nullptr) && written == size;
    if (!ok && by_handle)
        DeleteOnClose(file);
    CloseHandle(file);
    return ok;
}

bool PlatformIsLink(const char *path) {
    DWORD attributes = GetFileAttributesA(path);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_REPARSE_POINT);
}

bool PlatformChangeDir(const char *path) {
    return SetCurrentDirectoryA(path) != 0;
}

// A link to nothing shows no attributes on the NT family; only a file made
// there, as itself, tells that no name stands in the way (and goes again at
// once). The 95 family has no links.
static bool LastErrorIsNotFound() {
    DWORD error = GetLastError();
    return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
}

bool PlatformNothingAt(const char *path) {
    if (GetFileAttributesA(path) != INVALID_FILE_ATTRIBUTES)
        return false;
    if (Calls().ansi_family)
        return LastErrorIsNotFound();
    HANDLE probe = CreateFileA(path, GENERIC_WRITE | DELETE, 0, nullptr, CREATE_NEW,
                               FILE_FLAG_OPEN_REPARSE_POINT | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
    if (probe == INVALID_HANDLE_VALUE)
        return LastErrorIsNotFound();
    CloseHandle(probe);
    return true;
}

void PlatformQuietDriveErrors() {
    SetErrorMode(SEM_FAILCRITICALERRORS);
}

struct PlatformEntry {
    HANDLE handle; // none for a directory on the 95 family
    BY_HANDLE_FILE_INFORMATION info;
    char path[MAX_PATH];
};

// The 95 family opens no directory and knows none of the NT access rights
// nor FILE_SHARE_DELETE; it has no links either, so a file is opened for
// reading and a directory is known by its attributes alone.
static HANDLE OpenEntryHandle(const char *path, EntryKind kind) {
    const bool ansi = Calls().ansi_family;
    const DWORD share = FILE_SHARE_READ | FILE_SHARE_WRITE;
    // Without backup semantics a directory never opens.
    const DWORD as_itself = FILE_FLAG_OPEN_REPARSE_POINT | FILE_FLAG_BACKUP_SEMANTICS;
    switch (kind) {
    case kEntryDirectory:
    case kEntryRemovableDirectory:
        if (ansi)
            return INVALID_HANDLE_VALUE;
        return CreateFileA(path,
                           FILE_READ_ATTRIBUTES | (kind == kEntryRemovableDirectory ? DELETE : 0),
                           share, nullptr, OPEN_EXISTING, as_itself, nullptr);
    case kEntryFile:
        if (ansi)
            return CreateFileA(path, GENERIC_READ, share, nullptr, OPEN_EXISTING, 0, nullptr);
        return CreateFileA(path, DELETE | FILE_READ_ATTRIBUTES, share, nullptr, OPEN_EXISTING,
                           FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
    case kEntryProgram: break;
    }
    return CreateFileA(path, ansi ? 0 : FILE_READ_ATTRIBUTES,
                       ansi ? share : share | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING, 0,
                       nullptr);
}

// A directory held open cannot be renamed or removed (deletion is not
// shared), so its name still leads to it: a link seen by the name counts too,
// as some systems show a directory link as one only there.
static bool ReadEntryInfo(PlatformEntry *entry, const char *path, bool directory) {
    if (entry->handle != INVALID_HANDLE_VALUE) {
        if (!GetFileInformationByHandle(entry->handle, &entry->info))
            return false;
        DWORD by_name = directory ? GetFileAttributesA(path) : 0;
        if (by_name != INVALID_FILE_ATTRIBUTES)
            entry->info.dwFileAttributes |= by_name & FILE_ATTRIBUTE_REPARSE_POINT;
        return true;
    }
    if (!directory || !Calls().ansi_family)
        return false;
    memset(&entry->info, 0, sizeof entry->info);
    entry->info.dwFileAttributes = GetFileAttributesA(path);
    return entry->info.dwFileAttributes != INVALID_FILE_ATTRIBUTES;
}

PlatformEntry *PlatformOpenEntry(const char *path, EntryKind kind) {
    PlatformEntry *entry =
        lstrlenA(path) < MAX_PATH ? (PlatformEntry *)malloc(sizeof *entry) : nullptr;
    if (!entry)
        return nullptr;
    entry->handle = OpenEntryHandle(path, kind);
    bool directory = kind == kEntryDirectory || kind == kEntryRemovableDirectory;
    if (!ReadEntryInfo(entry, path, directory) ||
        ((entry->info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) != directory) {
        PlatformCloseEntry(entry);
        return nullptr;
    }
    lstrcpyA(entry->path, path);
    return entry;
}

bool PlatformSameEntry(PlatformEntry *a, PlatformEntry *b) {
    return a->info.dwVolumeSerialNumber == b->info.dwVolumeSerialNumber &&
           a->info.nFileIndexHigh == b->info.nFileIndexHigh &&
           a->info.nFileIndexLow == b->info.nFileIndexLow;
}

bool PlatformEntryIsLink(PlatformEntry *entry) {
    return (entry->info.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0;
}

// "\\?\C:\dir" and "\\?\UNC\server\share\dir" in their plain forms.
FinalPath PlatformEntryFinalPath(PlatformEntry *entry, char *buffer, size_t capacity) {
    if (!Calls().GetFinalPathNameByHandleW)
        return kFinalPathUnknown;
    wchar_t wide[2 * MAX_PATH];
    const DWORD kWideChars = sizeof wide / sizeof wide[0];
    DWORD length = Calls().GetFinalPathNameByHandleW(entry->handle, wide, kWideChars, 0);
    if (length == 0 || length >= kWideChars)
        return kFinalPathFailed;
    wchar_t *plain = wide;
    if (wcsncmp(wide, L"\\\\?\\UNC\\", 8) == 0) {
        plain = wide + 6;
        plain[0] = L'\\';
    } else if (wcsncmp(wide, L"\\\\?\\", 4) == 0) {
        plain = wide + 4;
    }
    return ToAnsi(plain, buffer, capacity) ? kFinalPathKnown : kFinalPathFailed;
}

// Where the system names no final path, nothing was confirmed through the
// handle either: the file goes by its name, as it always did there.
void PlatformDeleteEntry(PlatformEntry *entry) {
    if (Calls().SetFileInformationByHandle && Calls().GetFinalPathNameByHandleW) {
        DeleteOnClose(entry->handle);
        return;
    }
    if (entry->handle != INVALID_HANDLE_VALUE)
        CloseHandle(entry->handle); // it shares no deletion
    entry->handle = INVALID_HANDLE_VALUE;
    if (entry->info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
        RemoveDirectoryA(entry->path);
    else
        DeleteFileA(entry->path);
}

void PlatformCloseEntry(PlatformEntry *entry) {
    if (entry->handle != INVALID_HANDLE_VALUE)
        CloseHandle(entry->handle);
    free(entry);
}
