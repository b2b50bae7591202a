// The Win32 platform file called directly under Wine, without the launcher
// around it: the services the clean-up's safety rests on.
#include "stand_in.h"
#include "world.h"

#include "driver/program.h"
#include "launcher/code_page.h"
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

// The system folds the code page's letters as the check before mastering
// and the unit tests do, by the file system's table: one case rule.
TEST(Platform, UpperCaseIsTheFileSystemsInWindows1252) {
    if (GetACP() != 1252)
        GTEST_SKIP() << "the prefix's code page is " << GetACP() << ", not Windows-1252";
    for (int c = 0; c < 256; ++c)
        EXPECT_EQ(PlatformUpperCase((unsigned char)c), Windows1252Upper((unsigned char)c)) << c;
}
