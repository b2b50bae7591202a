// Uninstall: what the launcher deletes itself, and the hand-over.
#include "fake_platform.h"
#include "launcher/commands.h"

class Uninstall : public Installed {
  protected:
    void SetUp() override {
        Installed::SetUp();
        for (const char *file : {"drivers\\dig.ini", "loading.bmp", "a.pif", "B.PIF", "keep.txt",
                                 "save\\slot1.sav", "save\\slot2.sav", "save\\old\\slot0.sav"})
            g_fake.AddFile(std::string("C:\\DEMO\\") + file);
        g_fake.AddDir("C:\\DEMO\\save\\old");
        g_fake.AddDir("C:\\DEMO\\x.pif");
    }
};

// Every deletion the launcher tries is in the journal, so the exact journal
// also shows that keep.txt and everything in save\old stay.
TEST_F(Uninstall, DeletesTheFixedSetThenHandsOverFromTheSaveDirectory) {
    RunUninstall();
    EXPECT_EQ(Journal(), (Steps{"confirm", "cd c:\\demo", "delete c:\\demo\\drivers\\dig.ini",
                                "delete c:\\demo\\loading.bmp", "delete c:\\demo\\a.pif",
                                "delete c:\\demo\\b.pif", "delete c:\\demo\\x.pif",
                                "cd c:\\demo\\save", "delete c:\\demo\\save\\.",
                                "delete c:\\demo\\save\\..", "delete c:\\demo\\save\\slot1.sav",
                                "delete c:\\demo\\save\\slot2.sav", "delete c:\\demo\\save\\old",
                                "start C:\\DEMO\\uninst.exe | C:\\DEMO\\uninst.exe "
                                "-fC:\\DEMO\\install.log | in c:\\demo\\save",
                                "exit 0"}));
    EXPECT_EQ(g_fake.open_searches, 0);
}

TEST_F(Uninstall, NoDeletesNothing) {
    g_fake.confirm_answer = false;
    RunUninstall();
    EXPECT_EQ(Journal(), (Steps{"confirm"}));
}

TEST_F(Uninstall, WithoutPifFilesTheSaveStepStillRuns) {
    for (const char *file : {"c:\\demo\\a.pif", "c:\\demo\\b.pif"})
        g_fake.files.erase(file);
    g_fake.dirs.erase("c:\\demo\\x.pif");
    RunUninstall();
    EXPECT_EQ(Journal()[4], "cd c:\\demo\\save");
    EXPECT_EQ(g_fake.open_searches, 0);
    EXPECT_EQ(Journal().back(), "exit 0");
}

TEST_F(Uninstall, MissingUninstallerDeletesNothing) {
    g_fake.files.erase("c:\\demo\\uninst.exe");
    RunUninstall();
    EXPECT_EQ(Journal(), (Steps{"confirm"}));
}

TEST_F(Uninstall, CommandWithoutDashFIsTakenWholeAsTheProgram) {
    g_fake.values["Uninstall"] = "C:\\DEMO\\uninst.exe";
    ProbeInstallState();
    RunUninstall();
    EXPECT_EQ(Journal()[Journal().size() - 2],
              "start C:\\DEMO\\uninst.exe | C:\\DEMO\\uninst.exe | in c:\\demo\\save");

    g_fake.journal.clear();
    g_fake.values["Uninstall"] = "\"C:\\DEMO\\uninst.exe\" /quiet";
    ProbeInstallState();
    RunUninstall();
    EXPECT_EQ(Journal(), (Steps{"confirm"}));
}

TEST_F(Uninstall, NothingIsDeletedOutsideTheInstallationDirectory) {
    g_fake.dirs.erase("c:\\demo"); // gone, though the registry still names it
    g_fake.AddFile("C:\\loading.bmp");
    g_fake.AddFile("C:\\uninst.exe");
    g_fake.values["Uninstall"] = "C:\\uninst.exe -fx";
    ProbeInstallState();
    RunUninstall();
    EXPECT_EQ(Journal(),
              (Steps{"confirm", "start C:\\uninst.exe | C:\\uninst.exe -fx | in c:\\", "exit 0"}));
}

TEST_F(Uninstall, DoesNothingWithoutAnUninstallCommand) {
    g_fake.values.erase("Uninstall");
    ProbeInstallState();
    RunUninstall();
    EXPECT_TRUE(Journal().empty());
}
