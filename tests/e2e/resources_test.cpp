// The dialog templates and icons that start.exe carries, read as data: the
// windows the launcher builds from them can only be as right as these bytes.
#include "dialog_template.h"
#include "launcher_resources.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::wstring Wide(const char *text) {
    return std::wstring(text, text + strlen(text));
}

std::wstring Place(int x, int y, int cx, int cy, DWORD style) {
    wchar_t place[96];
    swprintf(place, 96, L" at %d,%d size %dx%d style %08lX", x, y, cx, cy, style);
    return place;
}

// One line per control, so that a difference names the control and the field.
std::wstring Describe(DWORD id, const std::wstring &class_name, const std::wstring &text, int x,
                      int y, int cx, int cy, DWORD style) {
    return std::to_wstring(id) + L" " + class_name + L" \"" + text + L"\"" +
           Place(x, y, cx, cy, style);
}

std::vector<std::wstring> Describe(const DialogTemplate &dialog) {
    std::vector<std::wstring> lines;
    for (const DialogItem &item : dialog.items)
        lines.push_back(Describe(item.id, item.class_name, item.text, item.x, item.y, item.cx,
                                 item.cy, item.style));
    return lines;
}

// Class, caption, font and place of the dialog itself.
std::wstring Header(const DialogTemplate &dialog) {
    return dialog.class_name + L" \"" + dialog.caption + L"\" font " + dialog.font + L" " +
           std::to_wstring(dialog.point_size) +
           Place(dialog.x, dialog.y, dialog.cx, dialog.cy, dialog.style);
}

DialogTemplate Dialog(const char *name) {
    std::string bytes = LauncherResource(RT_DIALOG, name);
    DialogTemplate dialog = {};
    EXPECT_FALSE(bytes.empty()) << "no German dialog " << name;
    EXPECT_TRUE(bytes.empty() || ParseDialogTemplate(bytes.data(), bytes.size(), &dialog))
        << "dialog " << name << " ends early";
    return dialog;
}

const std::wstring kBack = L"Zur\u00FCck";

} // namespace

TEST(Resources, RunnerIsAnExtendedTemplateOfClassTalvo) {
    DialogTemplate runner = Dialog("RUNNER");
    EXPECT_TRUE(runner.extended);
    EXPECT_EQ(Header(runner), L"TALVO \"Kora Manager Professional Starter (DEMO)\" font System 10"
                              L" at 0,0 size 239x213 style 00CA0044");
    EXPECT_EQ(runner.ex_style, 0x00020000u);
    EXPECT_EQ(runner.menu, L"");
    EXPECT_EQ(runner.weight, 0);
    EXPECT_EQ(runner.italic, 0);
    EXPECT_EQ(runner.charset, 1);

    std::vector<std::wstring> expected;
    for (const RunnerButton &b : kRunnerButtons)
        expected.push_back(Describe(b.id, L"BUTTON", Wide(b.text), b.x, b.y, b.cx, b.cy, b.style));
    EXPECT_EQ(Describe(runner), expected);
}

TEST(Resources, ReadmeAndAboutAreClassicTemplates) {
    DialogTemplate readme = Dialog("README");
    DialogTemplate about = Dialog("ABOUT");
    for (const DialogTemplate *dialog : {&readme, &about}) {
        EXPECT_FALSE(dialog->extended);
        EXPECT_EQ(dialog->ex_style, 0u);
        EXPECT_EQ(dialog->menu + dialog->class_name, L"");
    }
    EXPECT_EQ(Header(readme),
              L" \"README.TXT\" font Courier New 8 at 0,0 size 357x235 style 80C800C0");
    EXPECT_EQ(Describe(readme), (std::vector<std::wstring>{
                                    Describe(1018, L"BUTTON", kBack, 122, 213, 105, 15, 0x50010001),
                                    Describe(1015, L"EDIT", L"", 7, 7, 343, 199, 0x50A10804),
                                }));

    EXPECT_EQ(Header(about), L" \"About\" font Arial 10 at 0,0 size 135x70 style 80C800C0");
    ASSERT_EQ(about.items.size(), 3u);
    EXPECT_EQ(Describe(about)[0], Describe(1018, L"BUTTON", kBack, 42, 49, 50, 14, 0x50010001));
    EXPECT_EQ(Describe(about)[1], Describe(0xFFFF, L"STATIC", L"Kora Mananger Professional Starter",
                                           15, 13, 113, 8, 0x50020000));
    // The copyright line's wording is ours; only its place is fixed.
    EXPECT_EQ(Describe(0xFFFF, L"STATIC", L"", 27, 27, 80, 8, 0x50020000),
              Describe(about.items[2].id, about.items[2].class_name, L"", about.items[2].x,
                       about.items[2].y, about.items[2].cx, about.items[2].cy,
                       about.items[2].style));
    EXPECT_FALSE(about.items[2].text.empty());
}

TEST(Resources, TwoIconGroupsOfOne32x32SixteenColourImage) {
    const struct { WORD group, image; } kIcons[] = {{146, 1}, {148, 2}};
    for (const auto &icon : kIcons) {
        SCOPED_TRACE(icon.group);
        std::string group = LauncherResource(RT_GROUP_ICON, MAKEINTRESOURCEA(icon.group));
        // Directory header (reserved, type 1, count 1), then one 14-byte entry.
        ASSERT_EQ(group.size(), 6u + 14u);
        const BYTE *bytes = (const BYTE *)group.data();
        EXPECT_EQ(std::vector<BYTE>(bytes, bytes + 6), (std::vector<BYTE>{0, 0, 1, 0, 1, 0}));
        EXPECT_EQ(std::vector<BYTE>(bytes + 6, bytes + 12),
                  (std::vector<BYTE>{32, 32, 16, 0, 1, 0})); // size, colours, one plane
        EXPECT_EQ(bytes[12] | bytes[13] << 8, 4);            // bits per pixel
        EXPECT_EQ(bytes[18] | bytes[19] << 8, icon.image);
        EXPECT_FALSE(LauncherResource(RT_ICON, MAKEINTRESOURCEA(icon.image)).empty());
    }
}
