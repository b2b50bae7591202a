// The Win32 platform file called directly under Wine, without the launcher
// around it: the services the clean-up's safety rests on.
#include "stand_in.h"
#include "world.h"

#include "driver/program.h"
#include "launcher/code_page.h"
#include "platform/platform.h"
#include "platform/win32_calls.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <type_traits>

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
    if (ToldBeforeVista())
        GTEST_SKIP() << "no final paths before Vista: files are deleted by name there";
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

// The table is decided by the version reported, first: the 95 family gets no
// entry whatever its DLLs export, and a version before Vista no final paths.
static void *FindEverything(const char *, const char *name) {
    return (void *)name;
}
static void *FindNothingFromVista(const char *dll, const char *name) {
    const std::string call = name;
    bool vista = call == "GetFinalPathNameByHandleW" || call == "SetFileInformationByHandle";
    return vista ? nullptr : FindEverything(dll, name);
}

struct FamilyRow {
    const char *name;
    DWORD version; // as GetVersion reports it
    FindCall find;
    bool ansi, wide, final_paths;
};

void PrintTo(const FamilyRow &row, std::ostream *out) {
    *out << row.name;
}

class CallTable : public ::testing::TestWithParam<FamilyRow> {};

TEST_P(CallTable, FollowsTheReportedVersion) {
    const FamilyRow &row = GetParam();
    SystemCalls calls = FillCalls(row.version, row.find);
    EXPECT_EQ(calls.ansi_family, row.ansi);
    for (bool found : {!!calls.GetCommandLineW, !!calls.FindFirstFileW, !!calls.FindNextFileW,
                       !!calls.RegQueryValueExW})
        EXPECT_EQ(found, row.wide) << "a wide call";
    EXPECT_EQ(!!calls.GetFinalPathNameByHandleW, row.final_paths);
    EXPECT_EQ(!!calls.SetFileInformationByHandle, row.final_paths);
}

INSTANTIATE_TEST_SUITE_P(
    Platform, CallTable,
    ::testing::Values(
        FamilyRow{"Windows95", 0xC3B60004, FindEverything, true, false, false},
        FamilyRow{"Windows98", 0xC0000A04, FindEverything, true, false, false},
        FamilyRow{"Nt4", 0x05650004, FindEverything, false, true, false},
        FamilyRow{"XpExportingVistaCalls", 0x0A280105, FindEverything, false, true, false},
        FamilyRow{"Vista", 0x17700006, FindEverything, false, true, true},
        FamilyRow{"VistaWithoutTheCalls", 0x17700006, FindNothingFromVista, false, true, false}),
    [](const ::testing::TestParamInfo<FamilyRow> &info) { return info.param.name; });

// Each entry is called through the SDK's own declaration of its call: a type
// of another calling convention would call the system wrongly (32-bit build).
#define DECLARED_AS_SDK(call)                                                                  \
    static_assert(std::is_same_v<decltype(SystemCalls::call), decltype(&::call)>,             \
                  #call " is called through a type of its own")
DECLARED_AS_SDK(GetCommandLineW);
DECLARED_AS_SDK(FindFirstFileW);
DECLARED_AS_SDK(FindNextFileW);
DECLARED_AS_SDK(RegQueryValueExW);
DECLARED_AS_SDK(GetFinalPathNameByHandleW);
DECLARED_AS_SDK(SetFileInformationByHandle);

// A name the code page cannot hold is never handed out as exact: on the 95
// family the search shows it with '?', which must not count as a spelling.
TEST(Platform, SearchHandsOutOnlyExactNames) {
    const std::string dir = kDir + "names";
    CreateDirectoryA(dir.c_str(), nullptr);
    ASSERT_TRUE(WriteBytes(dir + "\\kept.sav", ""));
    std::wstring cyrillic = std::wstring(dir.begin(), dir.end()) + L"\\\u0416.sav";
    CloseHandle(CreateFileW(cyrillic.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    std::vector<std::string> exact;
    const char *name;
    bool is_exact;
    PlatformSearch *search = PlatformFindFirst(dir.c_str(), &name, &is_exact);
    ASSERT_TRUE(search);
    do
        if (is_exact)
            exact.push_back(name);
    while (PlatformFindNext(search, &name, &is_exact));
    PlatformFindClose(search);
    std::sort(exact.begin(), exact.end());
    EXPECT_EQ(exact, (std::vector<std::string>{".", "..", "kept.sav"}));
    DeleteFileW(cyrillic.c_str());
}

// The system folds the code page's letters as the check before mastering
// and the unit tests do, by the file system's table: one case rule.
TEST(Platform, UpperCaseIsTheFileSystemsInWindows1252) {
    if (GetACP() != 1252)
        GTEST_SKIP() << "the prefix's code page is " << GetACP() << ", not Windows-1252";
    for (int c = 0; c < 256; ++c)
        EXPECT_EQ(PlatformUpperCase((unsigned char)c), Windows1252Upper((unsigned char)c)) << c;
}
