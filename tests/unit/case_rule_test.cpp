// The one case rule, as the launcher, the check before mastering and the
// installer pair compare names: Windows' file system's, where a language's
// rules would answer otherwise. Names in Windows-1252.
#include "launcher/path_rules.h"

#include <gtest/gtest.h>

struct CaseRow {
    const char *name, *path, *dir;
    bool same;
};

class CaseRule : public ::testing::TestWithParam<CaseRow> {};

TEST_P(CaseRule, IsSamePath) {
    EXPECT_EQ(IsSamePath(GetParam().path, GetParam().dir), GetParam().same);
    EXPECT_EQ(IsSamePath(GetParam().dir, GetParam().path), GetParam().same);
}

INSTANTIATE_TEST_SUITE_P(
    Boundaries, CaseRule,
    ::testing::Values(CaseRow{"UmlautInAnyCase", "C:\\Spiele\\\xDC" "bung", "c:\\spiele\\\xFC" "bung", true},
                      CaseRow{"SharpSIsNotSS", "C:\\Stra\xDF" "e", "C:\\STRASSE", false},
                      CaseRow{"SharpSIsItself", "C:\\stra\xDF" "e", "C:\\STRA\xDF" "E", true},
                      CaseRow{"YWithDiaeresis", "C:\\\xFF", "C:\\\x9F", true},
                      CaseRow{"CaronLetters", "C:\\\x9A\x9C\x9E", "C:\\\x8A\x8C\x8E", true},
                      CaseRow{"MicroHasNoUpperCaseHere", "C:\\\xB5", "C:\\M", false},
                      CaseRow{"TimesIsNoDivide", "C:\\\xD7", "C:\\\xF7", false},
                      // A Turkish comparison pairs i with a dotted capital.
                      CaseRow{"IAndIInEveryLocale", "C:\\file", "C:\\FILE", true}),
    [](const ::testing::TestParamInfo<CaseRow> &info) { return std::string(info.param.name); });
