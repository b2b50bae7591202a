// Which names inside the installation are its own: the one answer the
// launcher's clean-up, the installer's writes and the uninstaller's
// deletions all act on.
#include "fake_platform.h"
#include "launcher/own_entries.h"

#include <gtest/gtest.h>

struct OwnRow {
    const char *name, *path;
    OwnState state;
    bool final_paths;
};

static const OwnRow kOwnRows[] = {
    {"File", "Data.txt", kOwnHeld, true},
    {"FileInOtherCase", "DATA.txt", kOwnHeld, true},
    {"NestedInOtherCase", "MAPS\\One.Map", kOwnHeld, true},
    {"Folder", "maps", kOwnHeld, true},
    {"TheInstallationItself", "", kOwnHeld, true},
    {"NothingThere", "missing.txt", kOwnAbsent, true},
    {"NoFolderOnTheWay", "gone\\x.txt", kOwnAbsent, true},
    {"LinkToNothing", "dangling", kOwnForeign, true},
    {"UnderALinkedFolder", "via\\f.txt", kOwnForeign, true},
    {"LinkToAFileElsewhere", "lnk.txt", kOwnForeign, true},
    {"UnderALinkedFolderWithoutFinalPaths", "via\\f.txt", kOwnForeign, false},
    {"Parent", "..\\ELSE\\f.txt", kOwnForeign, true},
    {"Slash", "maps/one.map", kOwnForeign, true},
    {"TrailingBackslash", "maps\\", kOwnForeign, true},
    {"TooDeep", "a\\b\\c\\d\\e\\f\\g\\h\\i", kOwnForeign, true},
};

class OwnEntries : public ::testing::TestWithParam<OwnRow> {};

TEST_P(OwnEntries, NameStands) {
    const OwnRow &row = GetParam();
    ResetFake();
    g_fake.final_paths = row.final_paths;
    for (const char *change :
         {"fC:\\DEMO\\Data.txt", "fC:\\DEMO\\Maps\\one.map", "fC:\\ELSE\\f.txt",
          "lC:\\DEMO\\via>C:\\ELSE", "lC:\\DEMO\\lnk.txt>C:\\ELSE\\f.txt",
          "lC:\\DEMO\\dangling>C:\\NOWHERE"})
        g_fake.Apply(change);
    static OwnName own;
    EXPECT_EQ(OpenOwnName(&own, "C:\\DEMO", row.path, false), row.state);
    EXPECT_EQ(own.file != nullptr || own.folder != nullptr, row.state == kOwnHeld);
    CloseOwnName(&own);
    EXPECT_TRUE(g_fake.open_entries.empty()) << "every entry closed again";
}

INSTANTIATE_TEST_SUITE_P(Rows, OwnEntries, ::testing::ValuesIn(kOwnRows),
                         [](const ::testing::TestParamInfo<OwnRow> &info) {
                             return std::string(info.param.name);
                         });
