// The dialog templates and icons that start.exe carries, read as data: the
// windows the launcher builds from them can only be as right as these bytes.
#include "world.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <string.h>

#include <string>
#include <vector>

namespace {

// Reads a dialog template, classic or extended, into one line for the dialog
// and one per control, so that a difference names the control and the field.
struct TemplateReader {
    const std::string &bytes;
    size_t pos = 0;

    std::vector<std::wstring> Lines() {
        bool extended = Next<DWORD>() == 0xFFFF0001; // version 1, signature 0xFFFF
        if (extended)
            Next<DWORD>(); // help ID
        else
            pos = 0;
        DWORD first = Next<DWORD>(), second = Next<DWORD>();
        DWORD style = extended ? second : first, ex_style = extended ? first : second;
        WORD count = Next<WORD>();
        std::wstring line = std::wstring(extended ? L"extended" : L"classic") +
                            Format(L" style %08lX ex %08lX", style, ex_style) + Place();
        line += L" menu \"" + Text();
        line += L"\" class \"" + Text();
        line += L"\" caption \"" + Text() + L"\"";
        if (style & DS_SETFONT) {
            line += Format(L" font %u", Next<WORD>());
            if (extended) {
                WORD weight = Next<WORD>();
                BYTE italic = Next<BYTE>();
                line += Format(L" weight %u italic %u charset %u", weight, italic, Next<BYTE>());
            }
            line += L" \"" + Text() + L"\"";
        }
        std::vector<std::wstring> lines{line};
        for (WORD i = 0; i < count && pos <= bytes.size(); ++i)
            lines.push_back(Item(extended));
        if (pos > bytes.size())
            lines.push_back(L"ends early");
        return lines;
    }

    std::wstring Item(bool extended) {
        pos = (pos + 3) & ~size_t(3);
        if (extended)
            Next<DWORD>(); // help ID
        DWORD first = Next<DWORD>(), second = Next<DWORD>();
        std::wstring place = Place();
        int id = extended ? (int)Next<DWORD>() : (short)Next<WORD>();
        std::wstring class_name = Text();
        std::wstring line = std::to_wstring(id) + L" " + class_name + L" \"" + Text() + L"\"" +
                            place + Format(L" style %08lX", extended ? second : first);
        pos += Next<WORD>(); // creation data
        return line;
    }

    template <class T> T Next() {
        T value = {};
        if (pos + sizeof value <= bytes.size())
            memcpy(&value, bytes.data() + pos, sizeof value);
        pos += sizeof value;
        return value;
    }

    // A string, or 0xFFFF and a number: a predefined class.
    std::wstring Text() {
        static const wchar_t *const kClasses[] = {L"BUTTON", L"EDIT", L"STATIC"};
        std::wstring text;
        for (WCHAR c; pos < bytes.size() && (c = Next<WCHAR>()) != 0; text += c) {
            if (c == 0xFFFF && text.empty()) {
                WORD ordinal = Next<WORD>();
                return ordinal >= 0x80 && ordinal < 0x83 ? kClasses[ordinal - 0x80]
                                                         : L"#" + std::to_wstring(ordinal);
            }
        }
        return text;
    }

    std::wstring Place() {
        short x = Next<short>(), y = Next<short>(), cx = Next<short>();
        return Format(L" %d,%d %dx%d", x, y, cx, Next<short>());
    }

    template <class... Args> static std::wstring Format(const wchar_t *format, Args... args) {
        wchar_t text[128];
        swprintf(text, 128, format, args...);
        return text;
    }
};

std::vector<std::wstring> Dialog(const char *name) {
    std::string bytes = LauncherResource(RT_DIALOG, name);
    if (bytes.empty())
        return {L"no German dialog"};
    return TemplateReader{bytes}.Lines();
}

} // namespace

TEST(Resources, RunnerIsAnExtendedTemplateOfClassTalvo) {
    EXPECT_EQ(Dialog("RUNNER"),
              (std::vector<std::wstring>{
                  L"extended style 00CA0044 ex 00020000 0,0 239x213 menu \"\" class \"TALVO\" "
                  L"caption \"Kora Manager Professional Starter (DEMO)\" font 10 weight 0 "
                  L"italic 0 charset 1 \"System\"",
                  L"1003 BUTTON \"Starte Demo\" 2,2 77x15 style 50010000",
                  L"1006 BUTTON \"Installiere Demo\" 81,2 77x15 style 50030000",
                  L"1007 BUTTON \"Sound Configuration\" 160,2 77x15 style 50010000",
                  L"1008 BUTTON \"Uninstall\" 2,19 77x15 style 50010000",
                  L"1009 BUTTON \"Readme\" 81,19 77x15 style 50010000",
                  L"1010 BUTTON \"Exit\" 160,19 77x15 style 50010000",
              }));
}

TEST(Resources, ReadmeAndAboutAreClassicTemplates) {
    EXPECT_EQ(Dialog("README"),
              (std::vector<std::wstring>{
                  L"classic style 80C800C0 ex 00000000 0,0 357x235 menu \"\" class \"\" "
                  L"caption \"README.TXT\" font 8 \"Courier New\"",
                  L"1018 BUTTON \"Zur\u00FCck\" 122,213 105x15 style 50010001",
                  L"1015 EDIT \"\" 7,7 343x199 style 50A10804",
              }));

    std::vector<std::wstring> about = Dialog("ABOUT");
    ASSERT_EQ(about.size(), 4u);
    about[3].erase(about[3].find(L'"') + 1, about[3].rfind(L'"') - about[3].find(L'"') - 1);
    EXPECT_EQ(about, (std::vector<std::wstring>{
                         L"classic style 80C800C0 ex 00000000 0,0 135x70 menu \"\" class \"\" "
                         L"caption \"About\" font 10 \"Arial\"",
                         L"1018 BUTTON \"Zur\u00FCck\" 42,49 50x14 style 50010001",
                         L"-1 STATIC \"Kora Mananger Professional Starter\" 15,13 113x8 style "
                         L"50020000",
                         L"-1 STATIC \"\" 27,27 80x8 style 50020000", // the copyright line is ours
                     }));
}

TEST(Resources, TwoIconGroupsOfOne32x32SixteenColourImage) {
    for (WORD group : {146, 148}) {
        SCOPED_TRACE(group);
        std::string bytes = LauncherResource(RT_GROUP_ICON, MAKEINTRESOURCEA(group));
        // Header: reserved, type 1, one entry; the entry: 32x32, 16 colours,
        // reserved, one plane, 4 bits per pixel, size (4 bytes), image ID.
        ASSERT_EQ(bytes.size(), 20u);
        std::vector<int> fields(bytes.begin(), bytes.end());
        fields.erase(fields.begin() + 14, fields.begin() + 18);
        int image = group == 146 ? 1 : 2;
        EXPECT_EQ(fields,
                  (std::vector<int>{0, 0, 1, 0, 1, 0, 32, 32, 16, 0, 1, 0, 4, 0, image, 0}));
        EXPECT_FALSE(LauncherResource(RT_ICON, MAKEINTRESOURCEA(image)).empty());
    }
}
