// Uninstall: after Yes the launcher deletes the files the game made at run
// time and hands over to the registered uninstaller; otherwise nothing.
#include "e2e_test.h"

#include "resource.h"

#include <algorithm>

namespace {

// The files that the clean-up deletes, and some that must stay.
const char *const kFiles[] = {
    "drivers\\dig.ini", "loading.bmp",        "a.pif",      "B.PIF",   "save\\1.sav", "save\\2.sav",
    "save\\old\\3.sav", "drivers\\other.ini", "uninst.log", "game.dat"};

const char kQuestion[] = "Sind Sie sicher, da\xDF Sie den Kora Manager Pro. l\xF6schen wollen?";

class Uninstall : public E2eTest {
  protected:
    // An installation with everything the clean-up deletes and files that
    // must stay, registered with `uninstaller` as the uninstall program, and
    // a launcher open on it.
    void SetUpInstallation(const char *uninstaller) {
        InstallDemo();
        SetInstallValue("Uninstall", Installed(uninstaller) + " -f" + Installed("uninst.log"));
        PlaceStandIn(Installed("uninst.exe"));
        for (const char *file : kFiles)
            WriteBytes(Installed(file), file);
        ASSERT_TRUE(StartLauncher());
        ASSERT_TRUE(launcher.ButtonsBecome("Start Sound Uninstall Exit"));
    }

    // Clicks Uninstall and gives `answer` to the question.
    void Answer(int answer) {
        launcher.Click(IDC_UNINSTALL);
        HWND box = launcher.WaitDialog("Uninstall");
        ASSERT_TRUE(box) << "no question";
        EXPECT_EQ(GetWindow(box, GW_OWNER), launcher.window());
        EXPECT_TRUE(HasText(box, kQuestion));
        PressButton(box, answer);
        ASSERT_TRUE(WaitUntil([&] { return !IsWindow(box); }));
    }

    static bool HasText(HWND box, const std::string &text) {
        for (HWND child = GetWindow(box, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
            if (ControlText(child) == text)
                return true;
        }
        return false;
    }

    // What the installation holds before the clean-up.
    static std::vector<std::string> Everything() {
        std::vector<std::string> files(std::begin(kFiles), std::end(kFiles));
        files.insert(files.end(), {"kora.exe", "uninst.exe"});
        std::sort(files.begin(), files.end());
        return files;
    }
};

} // namespace

TEST_F(Uninstall, YesDeletesTheRunTimeFilesAndHandsOver) {
    ASSERT_NO_FATAL_FAILURE(SetUpInstallation("uninst.exe"));
    ASSERT_NO_FATAL_FAILURE(Answer(IDYES));
    EXPECT_EQ(launcher.WaitExit(), 0);
    ASSERT_TRUE(WaitForRecord(1));
    EXPECT_EQ(RecordLines(), std::vector<std::string>{"uninst\tC:\\DEMO\\uninst.exe "
                                                      "-fC:\\DEMO\\uninst.log\tC:\\DEMO\\save"});
    EXPECT_EQ(ListFiles(kInstallDir),
              (std::vector<std::string>{"drivers\\other.ini", "game.dat", "kora.exe",
                                        "save\\old\\3.sav", "uninst.exe", "uninst.log"}));
}

TEST_F(Uninstall, NoChangesNothing) {
    ASSERT_NO_FATAL_FAILURE(SetUpInstallation("uninst.exe"));
    ASSERT_NO_FATAL_FAILURE(Answer(IDNO));
    ASSERT_TRUE(launcher.Flush());
    EXPECT_TRUE(launcher.Running());
    EXPECT_EQ(RecordLines(), std::vector<std::string>());
    EXPECT_EQ(ListFiles(kInstallDir), Everything());
}

// Deleting the saved games without an uninstaller to hand over to would
// only lose them.
TEST_F(Uninstall, MissingUninstallerDeletesNothing) {
    ASSERT_NO_FATAL_FAILURE(SetUpInstallation("gone.exe"));
    ASSERT_NO_FATAL_FAILURE(Answer(IDYES));
    ASSERT_TRUE(launcher.Flush());
    EXPECT_TRUE(launcher.Running());
    EXPECT_EQ(launcher.EnabledButtons(), "Start Sound Uninstall Exit");
    EXPECT_EQ(RecordLines(), std::vector<std::string>());
    EXPECT_EQ(ListFiles(kInstallDir), Everything());
}
