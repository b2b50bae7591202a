// The readme viewer and the about box: the file shown as it is, one viewer at
// a time, and "Zurück" to close.
#include "harness.h"

#include "resource.h"

namespace {

class Readme : public E2eTest {
  protected:
    // Writes Readme.txt, starts the launcher and waits for Readme to be enabled.
    void StartWithReadme(const std::string &text) {
        WriteBytes(Medium("Readme.txt"), text);
        ASSERT_TRUE(StartLauncher());
        ASSERT_TRUE(launcher.ButtonsBecome("Readme Exit"));
    }

    // Clicks Readme and checks the viewer: owned by the main window, showing
    // `text` once activated, which places the text.
    HWND OpenViewer(const std::string &text) {
        launcher.Click(IDC_README);
        HWND viewer = launcher.WaitDialog("README.TXT");
        if (viewer) {
            EXPECT_EQ(GetWindow(viewer, GW_OWNER), launcher.window());
            EXPECT_EQ(ControlText(GetDlgItem(viewer, IDC_BACK)), "Zur\xFC"
                                                                 "ck");
            ExpectTextOnActivation(viewer, text);
        }
        return viewer;
    }

    void ExpectTextOnActivation(HWND viewer, const std::string &text) {
        EXPECT_TRUE(launcher.Activate(viewer));
        EXPECT_TRUE(ControlText(GetDlgItem(viewer, IDC_README_TEXT)) == text)
            << "not the file's text, " << text.size() << " bytes";
    }

    static void CloseWithBack(HWND dialog) {
        PressButton(dialog, IDC_BACK);
        EXPECT_TRUE(WaitUntil([&] { return !IsWindow(dialog); })) << "still open";
    }
};

// Line ends and Windows-1252 letters as they are in the file.
const char kText[] = "Kora Manager Demo\r\n\r\nF\xFCr Windows 95.\r\nGr\xFC\xDF"
                     "e\r\n";

} // namespace

// Each opening reads the file afresh and shows it up to its first NUL.
TEST_F(Readme, ViewerShowsTheFileOnceAndRereadsItAfterBack) {
    ASSERT_NO_FATAL_FAILURE(StartWithReadme("")); // an empty file is a readme too
    const std::string kShown[][2] = {
        {"", ""}, {kText, kText}, {std::string("vorher\0nachher", 14), "vorher"}};
    for (const auto &shown : kShown) {
        WriteBytes(Medium("Readme.txt"), shown[0]);
        HWND viewer = OpenViewer(shown[1]);
        ASSERT_TRUE(viewer) << "no viewer";
        launcher.Click(IDC_README);
        ASSERT_TRUE(launcher.Flush());
        EXPECT_EQ(launcher.Dialogs("README.TXT").size(), 1u) << "a second viewer";
        CloseWithBack(viewer);
    }
}

TEST_F(Readme, AboutBoxOnF1LeavesTheViewerTextInPlace) {
    ASSERT_NO_FATAL_FAILURE(StartWithReadme(kText));
    HWND viewer = OpenViewer(kText);
    ASSERT_TRUE(viewer) << "no viewer";

    launcher.PressKey(VK_F1);
    HWND about = launcher.WaitDialog("About");
    ASSERT_TRUE(about) << "no about box";
    EXPECT_EQ(GetWindow(about, GW_OWNER), launcher.window());
    CloseWithBack(about);
    ExpectTextOnActivation(viewer, kText);
}

// The viewer sets its whole text at each activation: a readme of up to 1 MiB
// opens in full; one byte more is refused as an unreadable one is.
TEST_F(Readme, LargeReadmesOpenInFullUpTo1MiB) {
    std::string large;
    while (large.size() < 1024 * 1024)
        large += "Eine Zeile des Readme, wie sie in jedem Readme stehen k\xF6nnte.\r\n";
    large.resize(1024 * 1024); // exactly the limit
    ASSERT_NO_FATAL_FAILURE(StartWithReadme(large));
    HWND viewer = OpenViewer(large);
    ASSERT_TRUE(viewer) << "no viewer";
    CloseWithBack(viewer);

    WriteBytes(Medium("Readme.txt"), large + 'b');
    launcher.Click(IDC_README);
    ASSERT_TRUE(launcher.Flush());
    EXPECT_TRUE(launcher.Dialogs("README.TXT").empty()) << "a readme over 1 MiB opened";
}
