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
        g_fake.AddDir("C:\\DEMO\\x.pif");
    }

    // The program the launcher handed over to, or "" when it stayed.
    static std::string HandedOver() {
        const Steps &steps = g_fake.journal;
        if (steps.size() < 2 || steps.back() != "exit 0")
            return "";
        return steps[steps.size() - 2];
    }
};

// Removes the directory `dir` with everything in it.
static void RemoveDir(const std::string &dir) {
    std::string real = g_fake.Real(dir);
    for (auto file = g_fake.files.begin(); file != g_fake.files.end();)
        file = file->first.rfind(real, 0) == 0 ? g_fake.files.erase(file) : std::next(file);
    for (auto sub = g_fake.dirs.begin(); sub != g_fake.dirs.end();)
        sub = sub->rfind(real, 0) == 0 ? g_fake.dirs.erase(sub) : std::next(sub);
}

static void ReplaceWithLink(const std::string &dir, const std::string &target) {
    RemoveDir(dir);
    g_fake.AddLink(dir, target);
}

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

// What each guard leaves: the files the clean-up took, and the program it
// handed over to ("" when the launcher stayed).
TEST_F(Uninstall, CleanUpStaysInsideTheGamesOwnInstallation) {
    const std::vector<std::string> all = {"c:\\demo\\drivers\\dig.ini", "c:\\demo\\loading.bmp",
                                          "c:\\demo\\a.pif", "c:\\demo\\b.pif"};
    const std::vector<std::string> saves = {"c:\\demo\\save\\slot1.sav",
                                            "c:\\demo\\save\\slot2.sav"};
    auto with = [](std::vector<std::string> a, const std::vector<std::string> &b) {
        a.insert(a.end(), b.begin(), b.end());
        return a;
    };
    const std::string ordinary = "start C:\\DEMO\\uninst.exe | C:\\DEMO\\uninst.exe "
                                 "-fC:\\DEMO\\install.log | in c:\\demo";
    const struct {
        const char *what;
        std::function<void()> arrange;
        std::vector<std::string> deleted;
        std::string start;
    } cases[] = {
        {"answered No", [] { g_fake.confirm_answer = false; }, {}, ""},
        {"no uninstaller", [] { g_fake.files.erase("c:\\demo\\uninst.exe"); }, {}, ""},
        {"no uninstall command", [] { g_fake.values.erase("Uninstall"); }, {}, ""},
        {"quoted uninstaller",
         [] { g_fake.values["Uninstall"] = "\"C:\\DEMO\\uninst.exe\" /quiet"; },
         {},
         ""},
        {"relative uninstaller",
         [] {
             g_fake.values["Uninstall"] = "uninst.exe -fC:\\DEMO\\install.log";
             g_fake.cwd = "c:\\demo";
         },
         {},
         ""},
        {"uninstaller on a relative drive path",
         [] {
             g_fake.values["Uninstall"] = "C:uninst.exe -fx";
             g_fake.cwd = "c:\\demo";
         },
         {},
         ""},
        {"no -f: the whole value is the program",
         [] { g_fake.values["Uninstall"] = "C:\\DEMO\\uninst.exe"; }, with(all, saves),
         "start C:\\DEMO\\uninst.exe | C:\\DEMO\\uninst.exe | in c:\\demo\\save"},
        {"no save directory", [] { RemoveDir("C:\\DEMO\\save"); }, all, ordinary},
        {"no *.pif",
         [] { g_fake.files.erase("c:\\demo\\a.pif"), g_fake.files.erase("c:\\demo\\b.pif"); },
         {"c:\\demo\\drivers\\dig.ini", "c:\\demo\\loading.bmp", saves[0], saves[1]},
         ordinary + "\\save"},
        {"installation gone",
         [] {
             g_fake.AddFile("C:\\uninst.exe");
             g_fake.values["Uninstall"] = "C:\\uninst.exe -fx";
             RemoveDir("C:\\DEMO");
         },
         {},
         "start C:\\uninst.exe | C:\\uninst.exe -fx | in c:\\"},
        {"no game", [] { g_fake.files.erase("c:\\demo\\kora.exe"); }, {}, ordinary},
        {"save is a link",
         [] {
             g_fake.AddFile("C:\\Users\\me\\letter.doc");
             ReplaceWithLink("C:\\DEMO\\save", "C:\\Users\\me");
         },
         all, ordinary},
        {"drivers is a link",
         [] {
             g_fake.AddFile("C:\\Windows\\dig.ini");
             ReplaceWithLink("C:\\DEMO\\drivers", "C:\\Windows");
         },
         with({all.begin() + 1, all.end()}, saves), ordinary + "\\save"},
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
         "start C:\\uninst.exe | C:\\uninst.exe -fx | in c:\\"},
        {"the file found is the file started, wherever the clean-up ends",
         [] {
             g_fake.files.erase("c:\\demo\\uninst.exe");
             g_fake.AddFile("C:\\DEMO\\uninst.bat");
             g_fake.AddFile("C:\\DEMO\\save\\uninst.exe");
             g_fake.values["Uninstall"] = "C:\\DEMO\\uninst -fx";
         },
         with(with(all, saves), {"c:\\demo\\save\\uninst.exe"}),
         "start C:\\DEMO\\uninst.bat | C:\\DEMO\\uninst -fx | in c:\\demo\\save"},
    };
    for (const auto &c : cases) {
        SetUp();
        c.arrange();
        ProbeInstallState();
        g_fake.journal.clear();
        RunUninstall();
        EXPECT_EQ(g_fake.deleted, c.deleted) << c.what;
        EXPECT_EQ(HandedOver(), c.start) << c.what;
        EXPECT_EQ(g_fake.open_searches, 0) << c.what;
    }
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
        EXPECT_EQ(HandedOver().empty(), !c.goes_ahead) << c.what;
        EXPECT_EQ(g_fake.deleted.empty(), !c.goes_ahead) << c.what;
        EXPECT_EQ(allowed, std::vector<bool>(3, false)) << c.what;
        EXPECT_FALSE(g_state.command_running) << c.what;
    }
}
