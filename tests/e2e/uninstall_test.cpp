// Uninstall: after Yes the launcher deletes the files the game made at run
// time and hands over to the registered uninstaller; otherwise nothing.
#include "harness.h"

#include "resource.h"

namespace {

// The files that the clean-up deletes, and some that must stay: among them
// two whose generated short names end in ".PIF".
const char *const kFiles[] = {"drivers\\dig.ini",
                              "loading.bmp",
                              "a.pif",
                              "B.PIF",
                              "save\\1.sav",
                              "save\\2.sav",
                              "save\\old\\3.sav",
                              "drivers\\other.ini",
                              "uninst.log",
                              "game.dat",
                              "notes.pifx",
                              "letter.PIFF"};
const char kUninstallValue[] = "C:\\DEMO\\uninst.exe -fC:\\DEMO\\uninst.log";

class Uninstall : public E2eTest {
  protected:
    // An installation with everything the clean-up deletes and files that
    // must stay, registered with the "Uninstall" value `uninstall`, and a
    // launcher open on it.
    void SetUpInstallation(const std::string &uninstall = kUninstallValue) {
        RemoveTree(kInstallDir);
        ClearRecord();
        InstallDemo();
        SetInstallValue("Uninstall", uninstall);
        PlaceStandIn(Installed("uninst.exe"));
        for (const char *file : kFiles)
            WriteBytes(Installed(file), file);
        before_ = ListFiles(kInstallDir);
        ASSERT_TRUE(StartLauncher());
        ASSERT_TRUE(launcher.ButtonsBecome("Start Sound Uninstall Exit"));
    }

    // The launcher still runs, has started nothing and deleted nothing.
    void ExpectNothingDone() {
        ASSERT_TRUE(launcher.Flush());
        EXPECT_EQ(RecordLines(), std::vector<std::string>());
        EXPECT_EQ(ListFiles(kInstallDir), before_);
    }

    std::vector<std::string> before_;
};

} // namespace

// A quoted program is read between its quotes.
TEST_F(Uninstall, YesDeletesTheRunTimeFilesAndHandsOver) {
    for (const std::string value :
         {kUninstallValue, "\"C:\\DEMO\\uninst.exe\" -fC:\\DEMO\\uninst.log"}) {
        SCOPED_TRACE(value);
        ASSERT_NO_FATAL_FAILURE(SetUpInstallation(value));
        ASSERT_NO_FATAL_FAILURE(AnswerUninstall(IDYES));
        ExpectHandOver("uninst\tC:\\DEMO\\uninst.exe -fC:\\DEMO\\uninst.log\tC:\\DEMO\\save");
        EXPECT_EQ(ListFiles(kInstallDir),
                  (std::vector<std::string>{"drivers\\other.ini", "game.dat", "kora.exe",
                                            "letter.PIFF", "notes.pifx", "save\\old\\3.sav",
                                            "uninst.exe", "uninst.log"}));
        launcher.Kill();
    }
}

TEST_F(Uninstall, NoChangesNothing) {
    ASSERT_NO_FATAL_FAILURE(SetUpInstallation());
    ASSERT_NO_FATAL_FAILURE(AnswerUninstall(IDNO));
    ExpectNothingDone();
}

// The question's own message loop dispatches what reaches the main window;
// commands among it do nothing. F1, posted last, shows when all were handled.
TEST_F(Uninstall, CommandsDuringTheQuestionDoNothing) {
    ASSERT_NO_FATAL_FAILURE(SetUpInstallation());
    launcher.Click(IDC_UNINSTALL);
    HWND box = launcher.WaitDialog("Uninstall");
    ASSERT_TRUE(box) << "no question";
    for (int id : {IDC_UNINSTALL, IDC_START_DEMO, IDC_EXIT})
        launcher.Click(id);
    launcher.PressKey(VK_F1);
    HWND about = launcher.WaitDialog("About");
    ASSERT_TRUE(about) << "the launcher left or hangs";
    EXPECT_EQ(launcher.Dialogs("Uninstall").size(), 1u) << "a second question";
    PressButton(about, IDC_BACK);
    PressButton(box, IDNO);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(box); }));
    ExpectNothingDone();
}
