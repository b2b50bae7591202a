// The installer pair's rulebook DLL, loaded as the installer loads it: its
// answers are the launcher's own, for the same table of folders, and it
// compares names by the launcher's case rule, refusing any text the code
// page would turn into a look-alike.
#include "../folder_rows.h"
#include "../split_rows.h"
#include "rulebook/plugin_stack.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <string.h>

#include <string>
#include <vector>

// The DLL's call `name`, of type `Call`.
template <class Call> static Call Entry(const char *name) {
    static HMODULE dll = LoadLibraryA(E2E_RULEBOOK_DLL);
    return dll ? (Call)(void *)GetProcAddress(dll, name) : nullptr;
}

TEST(Rulebook, FolderFaultIsTheLaunchersForEveryRow) {
    auto fault = Entry<int(WINAPI *)(const wchar_t *)>("KoraFolderFault");
    ASSERT_TRUE(fault);
    for (const FolderRow &row : kFolderRows) {
        wchar_t wide[1024];
        MultiByteToWideChar(1252, 0, row.dir, -1, wide, 1024);
        EXPECT_EQ(fault(wide), row.fault) << row.name;
    }
    // A look-alike the code page would make: a fullwidth 'O', a fullwidth '2'.
    EXPECT_EQ(fault(L"C:\\DEM\uFF2F"), 100);
    auto state = Entry<int(WINAPI *)(const wchar_t *, const wchar_t *)>("KoraNameState");
    EXPECT_EQ(state(L"C:\\windows", L"system3\uFF12"), 100);
}

// The uninstaller finds its log where the launcher's split puts the
// arguments: behind their "-f", blanks at the end dropped.
TEST(Rulebook, UninstallLogIsWhatTheLauncherHandsOver) {
    auto log_of = Entry<int(WINAPI *)(const wchar_t *, wchar_t *, int)>("KoraUninstallLog");
    ASSERT_TRUE(log_of);
    for (const SplitRow &row : kSplitRows) {
        wchar_t value[1024], log[1024], expected[1024] = L"";
        MultiByteToWideChar(1252, 0, row.value, -1, value, 1024);
        if (row.args && strncmp(row.args, "-f", 2) == 0)
            MultiByteToWideChar(1252, 0, row.args + 2, -1, expected, 1024);
        EXPECT_EQ(log_of(value, log, 1024), expected[0] != L'\0') << row.value;
        EXPECT_EQ(std::wstring(log), expected) << row.value;
    }
    wchar_t log[9];
    EXPECT_EQ(log_of(L"u.exe -fC:\\x\\log  ", log, 9), 1);
    EXPECT_EQ(std::wstring(log), L"C:\\x\\log");
    EXPECT_EQ(log_of(L"u.exe -fC:\\x\\long.log", log, 9), 0) << "no room for it";
}

TEST(Rulebook, SameNameByTheLaunchersCaseRule) {
    auto same = Entry<int(WINAPI *)(const wchar_t *, const wchar_t *)>("KoraSameName");
    ASSERT_TRUE(same);
    if (GetACP() != 1252)
        GTEST_SKIP() << "the prefix's code page is " << GetACP() << ", not Windows-1252";
    const struct {
        const char *name;
        const wchar_t *a, *b;
        int same;
    } rows[] = {
        {"umlaut in any case", L"C:\\Spiele\\\u00DCbung", L"c:\\spiele\\\u00FCbung", 1},
        // Turkish dotless i: no byte of its own in the page, so never the same.
        {"dotless i", L"C:\\f\u0131le", L"C:\\FILE", 0},
        {"fullwidth look-alike", L"C:\\DEM\uFF2F", L"C:\\DEMO", 0},
        {"another length", L"C:\\DEMO", L"C:\\DEMO\\", 0},
    };
    for (const auto &row : rows)
        EXPECT_EQ(same(row.a, row.b), row.same) << row.name;
}

// The installer calls the rules as its plug-in: arguments on its stack,
// first on top, in the characters of its build; answers pushed back. Names
// on disk count only as themselves: one the code page would turn into a
// look-alike is never looked at, one leading out of the folder names
// nothing of it.
static std::vector<std::string> CallPlugin(const char *name, std::vector<std::string> args) {
    auto call = Entry<PluginCall *>(name);
    StackEntry *top = nullptr;
    std::vector<std::string> answers;
    for (auto arg = args.rbegin(); arg != args.rend(); ++arg) {
        auto *entry =
            (StackEntry *)GlobalAlloc(GPTR, sizeof(StackEntry) + 1024 * sizeof(PluginChar));
        std::copy(arg->begin(), arg->end(), entry->text);
        entry->next = top;
        top = entry;
    }
    if (call)
        call(nullptr, 1024, nullptr, &top, nullptr);
    for (StackEntry *next; top; top = next) {
        answers.emplace_back(top->text,
                             top->text + std::char_traits<PluginChar>::length(top->text));
        next = top->next;
        GlobalFree(top);
    }
    return answers;
}

TEST(Rulebook, InstallerCallsGetTheSameAnswers) {
    using Answers = std::vector<std::string>;
    EXPECT_EQ(CallPlugin("FolderFault", {"C:\\Kora -f Demo"}), Answers{"5"});
    auto state = [](const char *name) { return CallPlugin("NameState", {"C:\\windows", name}); };
    EXPECT_EQ(state("system32"), Answers{"1"});
    EXPECT_EQ(state("no such name"), Answers{"0"});
    for (const char *outside : {"..\\win.ini", "C:\\x", "system32/x"})
        EXPECT_EQ(state(outside), Answers{"2"}) << outside;
    EXPECT_EQ(CallPlugin("RemoveName", {"C:\\windows", "system32"}), Answers{"1"}) << "not empty";
    EXPECT_EQ(CallPlugin("RemoveName", {"C:\\windows", "..\\x"}), Answers{"2"});
    EXPECT_EQ(CallPlugin("SameName", {"C:\\Demo", "c:\\DEMO"}), Answers{"1"});
    EXPECT_EQ(CallPlugin("UninstallLog", {"u.exe a -fC:\\x.log "}), (Answers{"1", "C:\\x.log"}));
    EXPECT_EQ(CallPlugin("CodePage", {}), Answers{std::to_string(GetACP())});
}
