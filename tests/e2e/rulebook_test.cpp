// The installer pair's rulebook DLL, loaded as the installer loads it: its
// answers are the launcher's own, for the same table of folders, and it
// compares names by the launcher's case rule, refusing any text the code
// page would turn into a look-alike.
#include "../folder_rows.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>

typedef int(WINAPI *FolderFaultCall)(const wchar_t *);
typedef int(WINAPI *SameNameCall)(const wchar_t *, const wchar_t *);

class Rulebook : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(dll_ = LoadLibraryA(E2E_RULEBOOK_DLL));
        folder_fault_ = (FolderFaultCall)(void *)GetProcAddress(dll_, "KoraFolderFault");
        same_name_ = (SameNameCall)(void *)GetProcAddress(dll_, "KoraSameName");
        ASSERT_TRUE(folder_fault_ && same_name_);
    }
    void TearDown() override { FreeLibrary(dll_); }

    HMODULE dll_ = nullptr;
    FolderFaultCall folder_fault_ = nullptr;
    SameNameCall same_name_ = nullptr;
};

// The code page's text as the installer hands it over, wide.
static std::wstring Wide(const char *ansi) {
    wchar_t wide[1024];
    MultiByteToWideChar(1252, 0, ansi, -1, wide, 1024);
    return wide;
}

TEST_F(Rulebook, FolderFaultIsTheLaunchersForEveryRow) {
    for (const FolderRow &row : kFolderRows)
        EXPECT_EQ(folder_fault_(Wide(row.dir).c_str()), row.fault) << row.name;
    // A look-alike the code page would make: a fullwidth 'O'.
    EXPECT_EQ(folder_fault_(L"C:\\DEM\uFF2F"), 100);
}

TEST_F(Rulebook, SameNameByTheLaunchersCaseRule) {
    const struct {
        const char *name;
        const wchar_t *a, *b;
        int same;
    } rows[] = {
        {"umlaut in any case", L"C:\\Spiele\\\u00DCbung", L"c:\\spiele\\\u00FCbung", 1},
        {"sharp s is not SS", L"C:\\Stra\u00DFe", L"C:\\STRASSE", 0},
        {"i and I in every locale", L"C:\\file", L"C:\\FILE", 1},
        // Turkish dotless i: no byte of its own in the page, so never the same.
        {"dotless i", L"C:\\f\u0131le", L"C:\\FILE", 0},
        {"fullwidth look-alike", L"C:\\DEM\uFF2F", L"C:\\DEMO", 0},
        {"another length", L"C:\\DEMO", L"C:\\DEMO\\", 0},
    };
    if (GetACP() != 1252)
        GTEST_SKIP() << "the prefix's code page is " << GetACP() << ", not Windows-1252";
    for (const auto &row : rows)
        EXPECT_EQ(same_name_(row.a, row.b), row.same) << row.name;
}
