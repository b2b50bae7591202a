// Where the launcher thinks it was started from, and what the source medium
// offers at start-up.
#include "fixtures.h"
#include "launcher/launch_context.h"

// The line as the process was given it, read through the code page.
static void Derive(const std::string &command_line) {
    ResetFake();
    g_fake.command_line = command_line;
    ReadLaunchContext(&g_state);
}

TEST(LaunchContext, DirectoryAndDriveFromTheCommandLine) {
    std::string deep; // 15,992 folders of one letter
    for (int i = 0; i < 15992; ++i)
        deep += "\\x";
    const struct {
        std::string line, dir;
        char drive;
    } cases[] = {
        {"\"D:\\START.EXE\"", "D:\\", 'D'},
        {"E:\\DEMO\\START.EXE", "E:\\DEMO\\", 'E'},
        {"E:START.EXE", "E:", 'E'},
        {"\"F:\\Mein Spiel\\start.exe\"", "F:\\Mein Spiel\\", 'F'},
        {"START.EXE", "S", 'S'}, // no separator: the first character stays
        {"D:\\START.EXE C:\\foo\\bar", "D:\\START.EXE C:\\foo\\", 'D'},
        {"\"D:\\START.EXE\" C:\\foo\\bar", "D:\\", 'D'}, // arguments after the closing quote
        {"\"D:\\GAMES\\START.EXE", "D:\\GAMES\\", 'D'},  // no closing quote
        {"D:\\" + std::string(130, 'a') + "\\START.EXE", "", 'D'}, // too long for its buffer
        // Lines of 32,000 characters, the most Windows passes on.
        {"\"D:\\start.exe\" C:" + deep.substr(0, 2 * 15984), "D:\\", 'D'},
        {"D:\\start.exe C:" + deep, "", 'D'},
        {"D:\\start.exe " + std::string(31987, 'x'), "D:\\", 'D'},
        // A folder the code page cannot hold reads as its look-alike C:\xdir.
        {"C:\\\xEF\xBD\x98"
         "dir\\start.exe",
         "", 'C'},
        {"", "", '\0'},
        {"\"", "", '\0'},
    };
    for (const auto &c : cases) {
        Derive(c.line);
        EXPECT_EQ(g_state.launcher_dir, c.dir) << c.line;
        EXPECT_EQ(g_state.source_drive, c.drive) << c.line;
        EXPECT_TRUE(g_fake.quiet_drive_errors);
    }
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

    // 127 characters fit with their NUL; 128 leave no readme, and no cut path.
    Derive("D:\\" + std::string(113, 'a') + "\\START.EXE");
    ReadmeAvailable(&g_state);
    EXPECT_EQ(strlen(g_state.launcher_dir), 127u);
    Derive("D:\\" + std::string(114, 'a') + "\\START.EXE");
    EXPECT_FALSE(ReadmeAvailable(&g_state));
    EXPECT_STREQ(g_state.launcher_dir, "");
}
