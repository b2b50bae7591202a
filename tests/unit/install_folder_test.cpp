// The launcher's own answer for each installation folder of the table the
// installer pair's rulebook DLL answers too (tests/e2e/rulebook_test.cpp).
#include "../folder_rows.h"

#include "launcher/install_folder.h"

#include <gtest/gtest.h>

#include <string.h>

class InstallFolder : public ::testing::TestWithParam<FolderRow> {};

TEST_P(InstallFolder, Fault) {
    EXPECT_EQ(InstallFolderFault(GetParam().dir), GetParam().fault)
        << GetParam().dir << " (" << strlen(GetParam().dir) << " characters)";
}

INSTANTIATE_TEST_SUITE_P(Rows, InstallFolder, ::testing::ValuesIn(kFolderRows),
                         [](const ::testing::TestParamInfo<FolderRow> &info) {
                             return std::string(info.param.name);
                         });
