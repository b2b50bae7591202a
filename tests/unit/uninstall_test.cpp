// Uninstall: what the launcher deletes itself, and the hand-over.
#include "fixtures.h"
#include "launcher/commands.h"
#include "resource.h"

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
    EXPECT_EQ(
        Journal(),
        (Steps{"confirm", "cd c:\\demo", "delete c:\\demo\\drivers\\dig.ini",
               "delete c:\\demo\\loading.bmp", "delete c:\\demo\\a.pif", "delete c:\\demo\\b.pif",
               "delete c:\\demo\\x.pif", "cd c:\\demo\\save", "delete c:\\demo\\save\\.",
               "delete c:\\demo\\save\\..", "delete c:\\demo\\save\\old",
               "delete c:\\demo\\save\\slot1.sav", "delete c:\\demo\\save\\slot2.sav",
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

// Turns the directory `dir` of the installation into a link to `target`.
static void ReplaceWithLink(const std::string &dir, const std::string &target) {
    std::string real = g_fake.Real(dir);
    for (auto file = g_fake.files.begin(); file != g_fake.files.end();)
        file = file->first.rfind(real, 0) == 0 ? g_fake.files.erase(file) : std::next(file);
    for (auto sub = g_fake.dirs.begin(); sub != g_fake.dirs.end();)
        sub = sub->rfind(real, 0) == 0 ? g_fake.dirs.erase(sub) : std::next(sub);
    g_fake.AddLink(dir, target);
}

// What each guard leaves: which files the clean-up took, and whether the
// launcher handed over (started the uninstaller, then exited).
TEST_F(Uninstall, CleanUpStaysInsideTheGamesOwnInstallation) {
    const struct {
        const char *what;
        std::function<void()> arrange;
        std::vector<std::string> deleted;
        bool hands_over;
    } cases[] = {
        {"ordinary",
         [] {},
         {"c:\\demo\\drivers\\dig.ini", "c:\\demo\\loading.bmp", "c:\\demo\\a.pif",
          "c:\\demo\\b.pif", "c:\\demo\\save\\slot1.sav", "c:\\demo\\save\\slot2.sav"},
         true},
        {"no game", [] { g_fake.files.erase("c:\\demo\\kora.exe"); }, {}, true},
        {"save is a link",
         [] {
             g_fake.AddFile("C:\\Users\\me\\letter.doc");
             ReplaceWithLink("C:\\DEMO\\save", "C:\\Users\\me");
         },
         {"c:\\demo\\drivers\\dig.ini", "c:\\demo\\loading.bmp", "c:\\demo\\a.pif",
          "c:\\demo\\b.pif"},
         true},
        {"drivers is a link",
         [] {
             g_fake.AddFile("C:\\Windows\\dig.ini");
             ReplaceWithLink("C:\\DEMO\\drivers", "C:\\Windows");
         },
         {"c:\\demo\\loading.bmp", "c:\\demo\\a.pif", "c:\\demo\\b.pif",
          "c:\\demo\\save\\slot1.sav", "c:\\demo\\save\\slot2.sav"},
         true},
        {"installation is a link",
         [] {
             g_fake.AddFile("C:\\Users\\me\\kora.exe");
             g_fake.AddFile("C:\\Users\\me\\loading.bmp");
             g_fake.AddFile("C:\\uninst.exe");
             g_fake.values["Kora Pro Path"] = "C:\\LINKED";
             g_fake.values["Uninstall"] = "C:\\uninst.exe -fx";
             g_fake.AddLink("C:\\LINKED", "C:\\Users\\me");
         },
         {},
         true},
        {"relative uninstaller",
         [] {
             g_fake.values["Uninstall"] = "uninst.exe -fC:\\DEMO\\install.log";
             g_fake.cwd = "c:\\demo";
         },
         {},
         false},
        {"uninstaller on a relative drive path",
         [] {
             g_fake.values["Uninstall"] = "C:uninst.exe -fx";
             g_fake.cwd = "c:\\demo";
         },
         {},
         false},
    };
    for (const auto &c : cases) {
        SetUp();
        c.arrange();
        ProbeInstallState();
        g_fake.journal.clear();
        RunUninstall();
        EXPECT_EQ(g_fake.deleted, c.deleted) << c.what;
        EXPECT_EQ(Journal().back() == "exit 0", c.hands_over) << c.what;
    }
}

// The file tested is the file started, though the clean-up moved elsewhere.
TEST_F(Uninstall, StartsTheFileItFoundBeforeTheCleanUp) {
    g_fake.files.erase("c:\\demo\\uninst.exe");
    g_fake.AddFile("C:\\DEMO\\uninst.bat");
    g_fake.AddFile("C:\\DEMO\\save\\uninst.exe"); // where the clean-up ends
    g_fake.values["Uninstall"] = "C:\\DEMO\\uninst -fx";
    ProbeInstallState();
    RunUninstall();
    EXPECT_EQ(Journal()[Journal().size() - 2],
              "start C:\\DEMO\\uninst.bat | C:\\DEMO\\uninst -fx | in c:\\demo\\save");
}

// The answer holds for the installation it was given about, and no other
// command runs while the question is open.
TEST_F(Uninstall, YesCountsOnlyForTheRecordItAnswered) {
    const struct {
        const char *what;
        std::function<void()> meanwhile;
        bool goes_ahead;
    } cases[] = {
        {"unchanged", [] {}, true},
        {"key removed", [] { g_fake.key_exists = false; }, false},
        {"uninstall removed", [] { g_fake.values.erase("Uninstall"); }, false},
        {"uninstall changed", [] { g_fake.values["Uninstall"] = "C:\\DEMO\\uninst.exe -fy"; },
         false},
        {"path changed", [] { g_fake.values["Kora Pro Path"] = "C:\\"; }, false},
        {"same path, other spelling", [] { g_fake.values["Kora Pro Path"] = "C:\\DEMO\\"; }, true},
    };
    for (const auto &c : cases) {
        SetUp();
        g_fake.enabled[IDC_UNINSTALL] = g_fake.enabled[IDC_START_DEMO] = true;
        std::vector<bool> allowed;
        g_fake.while_waiting = [&] {
            c.meanwhile();
            for (int id : {IDC_START_DEMO, IDC_UNINSTALL, IDC_EXIT})
                allowed.push_back(CommandAllowed(id));
        };
        RunUninstall();
        EXPECT_EQ(Journal().back() == "exit 0", c.goes_ahead) << c.what;
        EXPECT_EQ(g_fake.deleted.empty(), !c.goes_ahead) << c.what;
        EXPECT_EQ(allowed, std::vector<bool>(3, false)) << c.what;
        EXPECT_FALSE(g_state.command_running) << c.what;
    }
}
