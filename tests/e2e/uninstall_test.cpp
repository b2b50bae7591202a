// Uninstall: after Yes the launcher deletes the files the game made at run
// time and hands over to the registered uninstaller; otherwise nothing.
#include "harness.h"

#include "resource.h"

namespace {

// The files that the clean-up deletes, and some that must stay: among them
// two whose generated short names end in ".PIF".
const char *const kFiles[] = {
    // what the clean-up deletes
    "drivers\\dig.ini", "loading.bmp", "a.pif", "B.PIF", "save\\1.sav", "save\\2.sav",
    // and what stays
    "save\\old\\3.sav", "drivers\\other.ini", "uninst.log", "game.dat", "notes.pifx",
    "letter.PIFF"};
const char kUninstallValue[] = "C:\\DEMO\\uninst.exe -fC:\\DEMO\\uninst.log";
const char kBatch[] = "@\"C:\\DEMO\\uninst.exe\" %*\r\n";

class Uninstall : public E2eTest {
  protected:
    // An installation with everything the clean-up deletes and files that
    // must stay, registered with the "Uninstall" value `uninstall`, and a
    // launcher open on it.
    // With `batch`, that file is written as a batch uninstaller that runs
    // the stand-in.
    void SetUpInstallation(const std::string &uninstall = kUninstallValue,
                           const char *batch = nullptr) {
        RemoveTree(kInstallDir);
        ClearRecord();
        InstallDemo();
        SetInstallValue("Uninstall", uninstall);
        PlaceStandIn(Installed("uninst.exe"));
        if (batch)
            WriteBytes(Installed(batch), kBatch);
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

// A batch uninstaller in save, named by its short name: the clean-up tells it
// apart by what the file system says of it, not by the spelling, and spares
// it, whatever else goes. (A program would stay anyway: the system deletes
// no image its suspended process maps.)
TEST_F(Uninstall, SparesTheUninstallerByAnotherSpelling) {
    const char kUninstaller[] = "save\\uninstall.bat";
    WriteBytes(Installed(kUninstaller), kBatch); // its short name, the same once made again
    char spelling[MAX_PATH];
    ASSERT_GT(GetShortPathNameA(Installed(kUninstaller).c_str(), spelling, MAX_PATH), 0u);
    ASSERT_NE(Installed(kUninstaller), spelling) << "no second spelling";
    ASSERT_NO_FATAL_FAILURE(SetUpInstallation(spelling + std::string(" -fx"), kUninstaller));
    ASSERT_NO_FATAL_FAILURE(AnswerUninstall(IDYES));
    ExpectHandOver("uninst\t\"C:\\DEMO\\uninst.exe\" -fx\tC:\\DEMO\\save");
    EXPECT_TRUE(fs::exists(Installed(kUninstaller))) << "the uninstaller was deleted";
    EXPECT_FALSE(fs::exists(Installed("save\\1.sav"))) << "no clean-up";
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
