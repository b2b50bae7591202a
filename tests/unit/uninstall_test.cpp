// Uninstall: what the launcher deletes itself, and the hand-over.
#include "fixtures.h"
#include "launcher/commands.h"
#include "resource.h"

#include <iterator>
#include <sstream>

class Uninstall : public Installed {
  protected:
    void SetUp() override { Arrange(); }

    static void Arrange() {
        InstallDemo();
        for (const char *file : {"drivers\\dig.ini", "loading.bmp", "a.pif", "B.PIF", "keep.txt",
                                 "save\\slot1.sav", "save\\slot2.sav", "save\\old\\slot0.sav"})
            g_fake.AddFile(std::string("C:\\DEMO\\") + file);
        g_fake.AddDir("C:\\DEMO\\x.pif");
    }

    // The process the launcher handed over to, or "" when it stayed. Nothing
    // may be deleted before it exists.
    static std::string HandedOver() {
        const Steps &steps = g_fake.journal;
        auto is = [](const char *kind) {
            return [=](const std::string &step) { return step.rfind(kind, 0) == 0; };
        };
        auto started = std::find_if(steps.rbegin(), steps.rend(), [&](const std::string &step) {
            return is("spawn ")(step) || is("shell ")(step);
        });
        EXPECT_TRUE(std::none_of(started, steps.rend(), is("delete "))) << "deleted before";
        return started == steps.rend() || steps.back() != "exit 0" ? "" : *started;
    }
};

// Every deletion the launcher makes is in the journal, so the exact journal
// also shows that keep.txt and everything in save\old stay.
TEST_F(Uninstall, CreatesTheUninstallerDeletesTheFixedSetThenLetsItRun) {
    RunUninstall();
    EXPECT_EQ(Journal(), (Steps{"confirm", "cd c:\\demo", "cd c:\\demo\\save",
                                "spawn C:\\DEMO\\uninst.exe | C:\\DEMO\\uninst.exe "
                                "-fC:\\DEMO\\install.log | in c:\\demo\\save",
                                "delete c:\\demo\\drivers\\dig.ini", "delete c:\\demo\\loading.bmp",
                                "delete c:\\demo\\a.pif", "delete c:\\demo\\b.pif",
                                "delete c:\\demo\\save\\slot1.sav",
                                "delete c:\\demo\\save\\slot2.sav", "resume", "exit 0"}));
    EXPECT_EQ(g_fake.open_searches, 0);
    EXPECT_TRUE(g_fake.open_entries.empty());
}

// What each guard leaves: the files the clean-up took (by the letters of
// kTaken) and the process it handed over to ("" when the launcher stayed).
// Each case changes the tree or the machine (FakePlatform::Apply) or sets a
// registry value ("name=value", "name=" removes it).
TEST_F(Uninstall, CleanUpStaysInsideTheGamesOwnInstallation) {
    const std::string kLetters = "dlab12u", kTaken =
                                                "drivers\\dig.ini loading.bmp a.pif b.pif "
                                                "save\\slot1.sav save\\slot2.sav save\\uninst.exe";
    const std::string ordinary = "spawn C:\\DEMO\\uninst.exe | C:\\DEMO\\uninst.exe "
                                 "-fC:\\DEMO\\install.log | in c:\\";
    const std::string in_demo = ordinary + "demo", in_save = in_demo + "\\save";
    const std::string other = "spawn C:\\uninst.exe | C:\\uninst.exe -fx | in c:\\";
    const std::string wide = "\xEF\xBC\xBC", colon = "\xEF\xBC\x9A",
                      to_me = ">C:\\Users\\me\\l.doc";
    const Steps look_alikes = {"fC:\\victim.sav",
                               "fC:\\acc\\victim2.sav",
                               "fC:\\victim.pif",
                               "fC:\\DEMO\\save\\.." + wide + ".." + wide + "victim.sav",
                               "fC:\\DEMO\\save\\C" + colon + wide + "acc" + wide + "victim2.sav",
                               "fC:\\DEMO\\.." + wide + "victim.pif"};
    const struct {
        const char *what;
        Steps changes;
        const char *taken;
        std::string start;
    } cases[] = {
        {"no uninstaller", {"-C:\\DEMO\\uninst.exe"}, "", ""},
        {"no uninstall command", {"Uninstall="}, "", ""},
        {"quoted uninstaller",
         {"Uninstall=\"C:\\DEMO\\uninst.exe\" /quiet"},
         "dlab12",
         "spawn C:\\DEMO\\uninst.exe | C:\\DEMO\\uninst.exe /quiet | in c:\\demo\\save"},
        {"relative uninstaller", {"fC:\\uninst.exe", "Uninstall=uninst.exe -fx"}, "", ""},
        {"drive-relative uninstaller", {"fC:\\uninst.exe", "Uninstall=C:uninst.exe -fx"}, "", ""},
        {"uninstaller that cannot be created", {"!fail"}, "", ""},
        {"elevation: the shell starts it first",
         {"!elevate"},
         "dlab12",
         "shell C:\\DEMO\\uninst.exe | -fC:\\DEMO\\install.log"},
        {"elevation declined", {"!elevate", "!decline"}, "", ""},
        {"batch uninstaller with an operator",
         {"fC:\\DEMO\\u.bat", "Uninstall=C:\\DEMO\\u.bat -fx & del C:\\x"},
         "",
         ""},
        {"no -f: the whole value is the program",
         {"Uninstall=C:\\DEMO\\uninst.exe"},
         "dlab12",
         "spawn C:\\DEMO\\uninst.exe | C:\\DEMO\\uninst.exe | in c:\\demo\\save"},
        {"no save directory", {"-C:\\DEMO\\save"}, "dlab", in_demo},
        {"no *.pif", {"-C:\\DEMO\\a.pif", "-C:\\DEMO\\B.PIF"}, "dl12", in_save},
        {"*.pif by the name's own extension",
         {"fC:\\DEMO\\notes.pifx", "fC:\\DEMO\\letter.PIFF", "fC:\\DEMO\\setup.pif_old"},
         "dlab12",
         in_save},
        {"installation gone, a game where the launcher stands",
         {"-C:\\DEMO", "fC:\\uninst.exe", "fC:\\kora.exe", "fC:\\loading.bmp",
          "Uninstall=C:\\uninst.exe -fx"},
         "",
         other},
        {"installation that cannot be entered, a game where the launcher stands",
         {"!nocd", "fC:\\kora.exe", "fC:\\loading.bmp"},
         "",
         ordinary},
        {"no game", {"-C:\\DEMO\\kora.exe"}, "", in_demo},
        {"save is a link",
         {"-C:\\DEMO\\save", "fC:\\Users\\me\\l.doc", "lC:\\DEMO\\save>C:\\Users\\me"},
         "dlab",
         in_demo},
        {"save is a link, no final paths",
         {"!nofinal", "-C:\\DEMO\\save", "fC:\\Users\\me\\l.doc", "lC:\\DEMO\\save>C:\\Users\\me"},
         "dlab",
         in_demo},
        {"drivers is a link",
         {"-C:\\DEMO\\drivers", "fC:\\Windows\\dig.ini", "lC:\\DEMO\\drivers>C:\\Windows"},
         "lab12",
         in_save},
        {"installation is a link",
         {"fC:\\Users\\me\\kora.exe", "fC:\\Users\\me\\loading.bmp", "fC:\\uninst.exe",
          "lC:\\LINKED>C:\\Users\\me", "Kora Pro Path=C:\\LINKED", "Uninstall=C:\\uninst.exe -fx"},
         "",
         other},
        {"a link above the installation",
         {"fC:\\real\\DEMO\\kora.exe", "fC:\\real\\DEMO\\loading.bmp", "fC:\\uninst.exe",
          "lC:\\plink>C:\\real", "Kora Pro Path=C:\\plink\\DEMO", "Uninstall=C:\\uninst.exe -fx"},
         "",
         other},
        {"links to files",
         {"-C:\\DEMO\\loading.bmp", "-C:\\DEMO\\drivers\\dig.ini", "-C:\\DEMO\\save\\slot1.sav",
          "fC:\\Users\\me\\l.doc", "lC:\\DEMO\\loading.bmp" + to_me, "lC:\\DEMO\\old.pif" + to_me,
          "lC:\\DEMO\\drivers\\dig.ini" + to_me, "lC:\\DEMO\\save\\slot1.sav" + to_me},
         "ab2",
         in_save},
        {"names the code page turns into paths", look_alikes, "dlab12", in_save},
        {"the uninstaller in save is spared",
         {"fC:\\DEMO\\save\\un.exe", "Uninstall=C:\\DEMO\\save\\un.exe -fx"},
         "dlab12",
         "spawn C:\\DEMO\\save\\un.exe | C:\\DEMO\\save\\un.exe -fx | in c:\\demo\\save"},
        {"the uninstaller in save, not opened to be compared",
         {"fC:\\DEMO\\save\\un.pif", "Uninstall=C:\\DEMO\\save\\un.pif -fx", "!locked"},
         "",
         "spawn C:\\DEMO\\save\\un.pif | C:\\DEMO\\save\\un.pif -fx | in c:\\demo\\save"},
        {"the uninstaller in save by another way",
         {"fC:\\DEMO\\save\\un.exe", "lC:\\lnk>C:\\DEMO\\save", "Uninstall=C:\\lnk\\un.exe"},
         "dlab12",
         "spawn C:\\lnk\\un.exe | C:\\lnk\\un.exe | in c:\\demo\\save"},
        // Each of these would name an existing file; none counts.
        {"path value by best fit", {"Kora Pro Path=C:\\DEM\xEF\xBC\xAF"}, "", ""},
        {"uninstaller by best fit", {"Uninstall=C:\\DEMO\\uninst.\xC4\x93xe"}, "", ""},
        {"uninstaller by .", {"Uninstall=C:\\DEMO\\.\\uninst.exe"}, "", ""},
        {"uninstaller by ..", {"Uninstall=C:\\DEMO\\save\\..\\uninst.exe"}, "", ""},
        {"uninstaller with a trailing dot", {"Uninstall=C:\\DEMO\\uninst.exe."}, "", ""},
        {"uninstaller as a device", {"fC:\\DEMO\\Com7.x", "Uninstall=C:\\DEMO\\Com7.x"}, "", ""},
        {"uninstaller as a device by a superscript digit",
         {"fC:\\DEMO\\lpt\xB2.x", "Uninstall=C:\\DEMO\\lpt\xB2.x"},
         "",
         ""},
        {"the file found is the file started, wherever the clean-up ends",
         {"-C:\\DEMO\\uninst.exe", "fC:\\DEMO\\uninst.bat", "fC:\\DEMO\\save\\uninst.exe",
          "Uninstall=C:\\DEMO\\uninst -fx"},
         "dlab12u",
         "spawn C:\\DEMO\\uninst.bat | C:\\DEMO\\uninst.bat -fx | in c:\\demo\\save"},
    };
    // Again without final paths (NT 4 to XP): the same files go. Links get
    // rows of their own there.
    auto link = [](const std::string &change) { return change[0] == 'l'; };
    for (const char *machine : {"", "!nofinal"})
        for (const auto &c : cases) {
            if (*machine && std::any_of(c.changes.begin(), c.changes.end(), link))
                continue;
            SCOPED_TRACE(std::string(c.what) + machine);
            Arrange();
            g_fake.Apply(machine);
            for (const std::string &change : c.changes) {
                size_t is = change.find('=');
                if (is == std::string::npos)
                    g_fake.Apply(change);
                else if (is + 1 == change.size())
                    g_fake.values.erase(change.substr(0, is));
                else
                    g_fake.values[change.substr(0, is)] = change.substr(is + 1);
            }
            ProbeInstallState();
            g_fake.journal.clear();
            g_fake.at_deletion = [] { EXPECT_TRUE(g_fake.open_entries.count("c:\\demo\\kora.exe")); };
            RunUninstall();
            std::istringstream names(kTaken);
            Steps all{std::istream_iterator<std::string>(names), {}}, taken;
            for (const char *letter = c.taken; *letter; ++letter)
                taken.push_back("c:\\demo\\" + all[kLetters.find(*letter)]);
            EXPECT_EQ(g_fake.deleted, taken);
            EXPECT_EQ(HandedOver(), c.start);
            EXPECT_EQ(g_fake.open_searches + g_fake.open_entries.size(), 0u);
        }
}

// The answer holds for the installation it was given about, and no other
// command runs while the question is open. A probe tick inside the question
// reads the changed record.
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
        SCOPED_TRACE(c.what);
        Arrange();
        for (int id : {IDC_START_DEMO, IDC_UNINSTALL, IDC_EXIT})
            g_fake.enabled[id] = true;
        std::vector<bool> allowed;
        g_fake.while_waiting = [&] {
            c.meanwhile();
            ProbeInstallState();
            for (int id : {IDC_START_DEMO, IDC_UNINSTALL, IDC_EXIT})
                allowed.push_back(CommandAllowed(id));
        };
        RunUninstall();
        EXPECT_EQ(HandedOver().empty(), !c.goes_ahead);
        EXPECT_EQ(g_fake.deleted.empty(), !c.goes_ahead);
        EXPECT_EQ(allowed, std::vector<bool>(3, false));
        EXPECT_FALSE(g_state.command_running);
    }
}
