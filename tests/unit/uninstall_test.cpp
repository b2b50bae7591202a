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
// handed over to ("" when the launcher stayed). Each case changes the tree
// and, where given, the registry values ("" removes one).
TEST_F(Uninstall, CleanUpStaysInsideTheGamesOwnInstallation) {
    const Steps all = {"c:\\demo\\drivers\\dig.ini", "c:\\demo\\loading.bmp", "c:\\demo\\a.pif",
                       "c:\\demo\\b.pif"};
    const Steps saves = {"c:\\demo\\save\\slot1.sav", "c:\\demo\\save\\slot2.sav"};
    auto with = [](Steps a, const Steps &b) {
        a.insert(a.end(), b.begin(), b.end());
        return a;
    };
    const std::string ordinary = "start C:\\DEMO\\uninst.exe | C:\\DEMO\\uninst.exe "
                                 "-fC:\\DEMO\\install.log | in c:\\demo";
    const std::string other = "start C:\\uninst.exe | C:\\uninst.exe -fx | in c:\\";
    const struct {
        const char *what;
        Steps changes;
        const char *path, *uninstall;
        Steps deleted;
        std::string start;
    } cases[] = {
        {"no uninstaller", {"-C:\\DEMO\\uninst.exe"}, nullptr, nullptr, {}, ""},
        {"no uninstall command", {}, nullptr, "", {}, ""},
        {"quoted uninstaller", {}, nullptr, "\"C:\\DEMO\\uninst.exe\" /quiet", {}, ""},
        {"relative uninstaller", {"fC:\\uninst.exe"}, nullptr, "uninst.exe -fx", {}, ""},
        {"drive-relative uninstaller", {"fC:\\uninst.exe"}, nullptr, "C:uninst.exe -fx", {}, ""},
        {"no -f: the whole value is the program",
         {},
         nullptr,
         "C:\\DEMO\\uninst.exe",
         with(all, saves),
         "start C:\\DEMO\\uninst.exe | C:\\DEMO\\uninst.exe | in c:\\demo\\save"},
        {"no save directory", {"-C:\\DEMO\\save"}, nullptr, nullptr, all, ordinary},
        {"no *.pif",
         {"-C:\\DEMO\\a.pif", "-C:\\DEMO\\B.PIF"},
         nullptr,
         nullptr,
         with({all[0], all[1]}, saves),
         ordinary + "\\save"},
        {"installation gone",
         {"-C:\\DEMO", "fC:\\uninst.exe"},
         nullptr,
         "C:\\uninst.exe -fx",
         {},
         other},
        {"no game", {"-C:\\DEMO\\kora.exe"}, nullptr, nullptr, {}, ordinary},
        {"save is a link",
         {"-C:\\DEMO\\save", "fC:\\Users\\me\\letter.doc", "lC:\\DEMO\\save>C:\\Users\\me"},
         nullptr,
         nullptr,
         all,
         ordinary},
        {"drivers is a link",
         {"-C:\\DEMO\\drivers", "fC:\\Windows\\dig.ini", "lC:\\DEMO\\drivers>C:\\Windows"},
         nullptr,
         nullptr,
         with({all.begin() + 1, all.end()}, saves),
         ordinary + "\\save"},
        {"installation is a link",
         {"fC:\\Users\\me\\kora.exe", "fC:\\Users\\me\\loading.bmp", "fC:\\uninst.exe",
          "lC:\\LINKED>C:\\Users\\me"},
         "C:\\LINKED",
         "C:\\uninst.exe -fx",
         {},
         other},
        {"the file found is the file started, wherever the clean-up ends",
         {"-C:\\DEMO\\uninst.exe", "fC:\\DEMO\\uninst.bat", "fC:\\DEMO\\save\\uninst.exe"},
         nullptr,
         "C:\\DEMO\\uninst -fx",
         with(with(all, saves), {"c:\\demo\\save\\uninst.exe"}),
         "start C:\\DEMO\\uninst.bat | C:\\DEMO\\uninst -fx | in c:\\demo\\save"},
    };
    for (const auto &c : cases) {
        SetUp();
        for (const std::string &change : c.changes)
            g_fake.Apply(change);
        if (c.path)
            g_fake.values["Kora Pro Path"] = c.path;
        if (c.uninstall)
            g_fake.values["Uninstall"] = c.uninstall;
        if (c.uninstall && !*c.uninstall)
            g_fake.values.erase("Uninstall");
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
        {"answered No", [] { g_fake.confirm_answer = false; }, false},
        {"key removed", [] { g_fake.key_exists = false; }, false},
        {"uninstall removed", [] { g_fake.values.erase("Uninstall"); }, false},
        {"uninstall changed", [] { g_fake.values["Uninstall"] = "C:\\DEMO\\uninst.exe -fy"; },
         false},
        {"uninstaller changed",
         [] {
             g_fake.AddFile("C:\\DEMO\\other.exe");
             g_fake.values["Uninstall"] = "C:\\DEMO\\other.exe -fC:\\DEMO\\install.log";
         },
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
