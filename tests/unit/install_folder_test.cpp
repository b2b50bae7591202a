// The rules the installer pair asks of the launcher: the launcher's own
// answer for each installation folder of the table the rulebook DLL answers
// too (tests/e2e/rulebook_test.cpp), and the one case rule where a
// language's rules would answer otherwise (names in Windows-1252).
#include "../folder_rows.h"

#include "launcher/install_folder.h"
#include "launcher/path_rules.h"

#include <gtest/gtest.h>

#include <string.h>

template <class Row> static std::string RowName(const ::testing::TestParamInfo<Row> &info) {
    return info.param.name;
}

class InstallFolder : public ::testing::TestWithParam<FolderRow> {};

TEST_P(InstallFolder, Fault) {
    EXPECT_EQ(InstallFolderFault(GetParam().dir), GetParam().fault)
        << GetParam().dir << " (" << strlen(GetParam().dir) << " characters)";
}

INSTANTIATE_TEST_SUITE_P(Rows, InstallFolder, ::testing::ValuesIn(kFolderRows), RowName<FolderRow>);

struct CaseRow {
    const char *name, *path, *dir;
    bool same;
};

class CaseRule : public ::testing::TestWithParam<CaseRow> {};

TEST_P(CaseRule, IsSamePath) {
    EXPECT_EQ(IsSamePath(GetParam().path, GetParam().dir), GetParam().same);
    EXPECT_EQ(IsSamePath(GetParam().dir, GetParam().path), GetParam().same);
}

// A Turkish comparison would pair i with a dotted capital, and a German one
// ß with SS.
INSTANTIATE_TEST_SUITE_P(
    Boundaries, CaseRule,
    ::testing::Values(CaseRow{"Umlaut", "C:\\Spiele\\\xDC" "bung", "c:\\spiele\\\xFC" "bung", true},
                      CaseRow{"SharpSIsNotSS", "C:\\Stra\xDF" "e", "C:\\STRASSE", false},
                      CaseRow{"SharpSIsItself", "C:\\stra\xDF" "e", "C:\\STRA\xDF" "E", true},
                      CaseRow{"YDiaeresisAndCarons", "C:\\\xFF\x9A\x9C\x9E", "C:\\\x9F\x8A\x8C\x8E", true},
                      CaseRow{"MicroHasNoUpperCaseHere", "C:\\\xB5", "C:\\M", false},
                      CaseRow{"TimesIsNoDivide", "C:\\\xD7", "C:\\\xF7", false},
                      CaseRow{"IAndIInEveryLocale", "C:\\file", "C:\\FILE", true}),
    RowName<CaseRow>);
