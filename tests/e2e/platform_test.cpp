// The Win32 platform file called directly under Wine, without the launcher
// around it: the services the clean-up's safety rests on.
#include "stand_in.h"
#include "world.h"

#include "driver/program.h"
#include "platform/platform.h"

#include <gtest/gtest.h>

static const std::string kDir = std::string(kWorkDir) + "\\platform\\";

// The uninstaller's process exists before the clean-up deletes anything, and
// runs only once it is let go.
TEST(Platform, SuspendedProcessRunsOnlyOnceResumed) {
    std::string record = kDir + "record.txt";
    ASSERT_TRUE(WriteBytes(record, ""));
    RecordStartsIn(record);
    PlatformProcess *process = nullptr;
    ASSERT_EQ(PlatformCreateProcess(E2E_RECORDER_EXE, "uninst.exe", &process), kStarted);
    EXPECT_FALSE(WaitForRecord(record, 1, 2000)) << "ran before it was resumed";
    PlatformResumeProcess(process);
    EXPECT_TRUE(WaitForRecord(record, 1)) << "never ran";
}

// Each entry is deleted through the handle it was confirmed on, never by
// name: a file swapped in after the confirmation stays. Windows programs
// cannot rename a file held without shared deletion, so the host swaps it.
// (Wine deletes the name the handle was opened by, and only while it still
// names the same file, so the file moved away stays there.)
TEST(Platform, DeletionGoesThroughTheConfirmedHandle) {
    std::string kept = kDir + "slot1.sav", gone = kDir + "slot2.sav";
    PlatformEntry *entries[2];
    char final_path[MAX_PATH];
    for (int i = 0; i < 2; ++i) {
        std::string path = i ? gone : kept;
        ASSERT_TRUE(WriteBytes(path, "confirmed"));
        ASSERT_TRUE(entries[i] = PlatformOpenEntry(path.c_str(), kEntryFile));
        ASSERT_EQ(PlatformEntryFinalPath(entries[i], final_path, MAX_PATH), kFinalPathKnown);
    }
    std::string host = HostPath(kept);
    ASSERT_TRUE(RunOnHost("/bin/sh -c \"mv '" + host + "' '" + host + ".moved' && echo new > '" +
                              host + "'\"",
                          [&] { return ReadBytes(kept) == "new\n"; }));
    for (PlatformEntry *entry : entries)
        PlatformDeleteEntry(entry), PlatformCloseEntry(entry);
    EXPECT_EQ(ReadBytes(kept), "new\n");
    EXPECT_EQ(GetFileAttributesA(gone.c_str()), INVALID_FILE_ATTRIBUTES) << "not deleted";
}

// The launcher's own mode: drive errors fail quietly, nothing else changes.
TEST(Platform, QuietDriveErrorsSetsOnlyThatFlag) {
    SetErrorMode(0);
    PlatformQuietDriveErrors();
    EXPECT_EQ(SetErrorMode(0), (UINT)SEM_FAILCRITICALERRORS);
}

// The placeholder is created only where no file stands: a sound
// configuration written after the probe looked stays as it is.
TEST(Platform, CreateFileNeverReplacesAFile) {
    std::string path = kDir + "dig.ini";
    ASSERT_TRUE(WriteBytes(path, "[tool's own]"));
    EXPECT_FALSE(PlatformCreateFile(path.c_str(), "\r\n", 2));
    EXPECT_EQ(ReadBytes(path), "[tool's own]");
}

// A file of 4 GiB and a few bytes is over every limit, not a few bytes long.
TEST(Platform, ReadFileRefusesASizeWithAHighWord) {
    std::string path = kDir + "huge.txt";
    ASSERT_TRUE(WriteBytes(path, ""));
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    LONG high = 1; // sparse on the host: nothing is written
    ASSERT_NE(SetFilePointer(file, 5, &high, FILE_BEGIN), INVALID_SET_FILE_POINTER);
    ASSERT_TRUE(SetEndOfFile(file) && CloseHandle(file));
    size_t size = 0;
    char *data = PlatformReadFile(path.c_str(), 1 << 20, 1, &size);
    EXPECT_EQ(data, nullptr) << size << " bytes read";
    free(data);
    DeleteFileA(path.c_str());
}

// The shell's DLL comes from the system folder, never from beside the
// program: one planted there, which Wine loads first under
// WINEDLLOVERRIDES=shell32=n,b, stays unloaded.
TEST(PlatformShell, Shell32PlantedBesideTheProgramIsNotLoaded) {
    char own[MAX_PATH];
    std::string dir(own, GetModuleFileNameA(nullptr, own, MAX_PATH));
    dir.erase(dir.find_last_of('\\') + 1);
    ASSERT_EQ(GetModuleHandleA("shell32.dll"), nullptr) << "loaded before the test";
    ASSERT_TRUE(CopyFileA(E2E_PLANTED_SHELL32, (dir + "shell32.dll").c_str(), FALSE));
    DeleteFileA((dir + "shell32-loaded.mark").c_str());
    PlatformShellStart((kDir + "none.exe").c_str(), ""); // nothing starts, nothing else loads
    EXPECT_EQ(GetFileAttributesA((dir + "shell32-loaded.mark").c_str()), INVALID_FILE_ATTRIBUTES)
        << "the planted shell32.dll was loaded";
    HMODULE shell = GetModuleHandleA("shell32.dll");
    void *execute = shell ? (void *)GetProcAddress(shell, "ShellExecuteExA") : nullptr;
    EXPECT_NE(execute, nullptr) << "no system shell32.dll loaded";
    for (const char *name : {"shell32-loaded.mark", "shell32.dll"})
        DeleteFileA((dir + name).c_str());
}
