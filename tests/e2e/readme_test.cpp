// The readme viewer and the about box: the file shown as it is, one viewer at
// a time, and "Zurück" to close.
#include "e2e_test.h"

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

    // Clicks Readme, activates the viewer, which places the text, and
    // returns the viewer.
    HWND OpenViewer(const std::string &text) {
        launcher.Click(IDC_README);
        HWND viewer = launcher.WaitDialog("README.TXT");
        EXPECT_TRUE(viewer) << "no viewer";
        if (!viewer)
            return nullptr;
        EXPECT_EQ(GetWindow(viewer, GW_OWNER), launcher.window());
        ExpectTextOnActivation(viewer, text);
        return viewer;
    }

    void ExpectTextOnActivation(HWND viewer, const std::string &text) {
        EXPECT_TRUE(launcher.Activate(viewer));
        EXPECT_EQ(ControlText(GetDlgItem(viewer, IDC_README_TEXT)), text);
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

TEST_F(Readme, ViewerShowsTheFileOnceAndRereadsItAfterBack) {
    ASSERT_NO_FATAL_FAILURE(StartWithReadme(kText));
    HWND viewer = OpenViewer(kText);
    ASSERT_TRUE(viewer);

    launcher.Click(IDC_README);
    ASSERT_TRUE(launcher.Flush());
    EXPECT_EQ(launcher.Dialogs("README.TXT").size(), 1u) << "a second viewer";

    CloseWithBack(viewer);
    WriteBytes(Medium("Readme.txt"), "Neu\r\n");
    viewer = OpenViewer("Neu\r\n");
    ASSERT_TRUE(viewer);
    CloseWithBack(viewer);
}

TEST_F(Readme, EmptyFileAndTextUpToTheFirstNul) {
    ASSERT_NO_FATAL_FAILURE(StartWithReadme(""));
    HWND viewer = OpenViewer("");
    ASSERT_TRUE(viewer);
    CloseWithBack(viewer);

    WriteBytes(Medium("Readme.txt"), std::string("vorher\0nachher", 14));
    viewer = OpenViewer("vorher");
    ASSERT_TRUE(viewer);
    CloseWithBack(viewer);
}

TEST_F(Readme, AboutBoxOnF1LeavesTheViewerTextInPlace) {
    ASSERT_NO_FATAL_FAILURE(StartWithReadme(kText));
    HWND viewer = OpenViewer(kText);
    ASSERT_TRUE(viewer);

    launcher.PressKey(VK_F1);
    HWND about = launcher.WaitDialog("About");
    ASSERT_TRUE(about) << "no about box";
    EXPECT_EQ(GetWindow(about, GW_OWNER), launcher.window());
    CloseWithBack(about);
    ExpectTextOnActivation(viewer, kText);
}
