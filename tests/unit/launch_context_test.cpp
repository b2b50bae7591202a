// Where the launcher thinks it was started from, and what the source medium
// offers at start-up.
#include "fake_platform.h"
#include "launcher/launch_context.h"

#include <gtest/gtest.h>
#include <string>

struct Context {
    std::string dir;
    char drive;
};

static Context Derive(const std::string &command_line) {
    ResetFake();
    DeriveLaunchContext(command_line.c_str(), &g_state);
    return {g_state.launcher_dir, g_state.source_drive};
}

TEST(LaunchContext, DirectoryAndDriveFromTheProgramPath) {
    EXPECT_EQ(Derive("\"D:\\START.EXE\"").dir, "D:\\");
    EXPECT_EQ(Derive("\"D:\\START.EXE\"").drive, 'D');
    EXPECT_EQ(Derive("E:\\DEMO\\START.EXE").dir, "E:\\DEMO\\");
    EXPECT_EQ(Derive("E:START.EXE").dir, "E:");
    EXPECT_EQ(Derive("\"F:\\Mein Spiel\\start.exe\"").dir, "F:\\Mein Spiel\\");
}

TEST(LaunchContext, LineWithoutSeparatorKeepsItsFirstCharacter) {
    Context context = Derive("START.EXE");
    EXPECT_EQ(context.dir, "S");
    EXPECT_EQ(context.drive, 'S');
}

TEST(LaunchContext, UnquotedArgumentsMoveTheDirectory) {
    EXPECT_EQ(Derive("D:\\START.EXE C:\\foo\\bar").dir, "D:\\START.EXE C:\\foo\\");
}

TEST(LaunchContext, QuotedProgramPathEndsAtItsClosingQuote) {
    Context context = Derive("\"D:\\START.EXE\" C:\\foo\\bar");
    EXPECT_EQ(context.dir, "D:\\");
    EXPECT_EQ(context.drive, 'D');
    EXPECT_EQ(Derive("\"D:\\GAMES\\START.EXE").dir, "D:\\GAMES\\"); // no closing quote
}

TEST(LaunchContext, DirectoryTooLongForItsBufferIsRefused) {
    std::string deep = "D:\\" + std::string(130, 'a') + "\\START.EXE";
    EXPECT_EQ(Derive(deep).dir, "");
    EXPECT_EQ(Derive("").dir, "");
    EXPECT_EQ(Derive("\"").drive, '\0');
}

TEST(LaunchContext, InstallOfferedOnlyWithInstallerAndGameInTheDriveRoot) {
    Derive("\"D:\\START.EXE\"");
    EXPECT_FALSE(InstallerAvailable(&g_state));
    g_fake.AddFile("d:\\setup.exe");
    EXPECT_FALSE(InstallerAvailable(&g_state));
    EXPECT_STREQ(g_state.setup_path, "D:\\setup.exe");
    g_fake.AddFile("d:\\kora.exe");
    EXPECT_TRUE(InstallerAvailable(&g_state));
    EXPECT_STREQ(g_state.launch_path, "D:\\kora.exe");

    Derive("\"D:\\DEMO\\START.EXE\"");
    g_fake.AddFile("d:\\demo\\setup.exe");
    g_fake.AddFile("d:\\demo\\kora.exe");
    EXPECT_FALSE(InstallerAvailable(&g_state)); // beside the launcher is not the root
}

TEST(LaunchContext, ReadmeBesideTheLauncher) {
    Derive("\"D:\\DEMO\\START.EXE\"");
    EXPECT_FALSE(ReadmeAvailable(&g_state));
    EXPECT_STREQ(g_state.launcher_dir, "D:\\DEMO\\Readme.txt");

    Derive("START.EXE");
    g_fake.AddFile("c:\\SReadme.txt");
    EXPECT_TRUE(ReadmeAvailable(&g_state)); // relative to the current directory

    // Room for the directory but not for the file name: no readme, no cut path.
    Derive("D:\\" + std::string(115, 'a') + "\\START.EXE");
    EXPECT_FALSE(ReadmeAvailable(&g_state));
    EXPECT_STREQ(g_state.launcher_dir, "");
}
