#include "dialog_template.h"

#include <string.h>

namespace {

// Reads little-endian fields one after another; any read past the end marks
// the reader failed and yields zeros.
class Reader {
  public:
    Reader(const void *data, size_t size) : data_((const BYTE *)data), size_(size) {}
    bool ok() const { return ok_; }

    template <class T> T Next() {
        T value = {};
        if (pos_ + sizeof value > size_) {
            ok_ = false;
            return value;
        }
        memcpy(&value, data_ + pos_, sizeof value);
        pos_ += sizeof value;
        return value;
    }

    std::wstring String() {
        std::wstring text;
        for (WCHAR c = Next<WCHAR>(); ok_ && c != 0; c = Next<WCHAR>())
            text += c;
        return text;
    }

    // A name or an ordinal: 0 for none, 0xFFFF and a number, or a string.
    std::wstring NameOrOrdinal() {
        WCHAR first = Next<WCHAR>();
        if (first == 0)
            return L"";
        if (first == 0xFFFF)
            return OrdinalName(Next<WORD>());
        pos_ -= sizeof first;
        return String();
    }

    void AlignToDword() { pos_ = (pos_ + 3) & ~(size_t)3; }
    void Skip(size_t bytes) { pos_ += bytes; }

  private:
    static std::wstring OrdinalName(WORD ordinal) {
        static const wchar_t *const kClasses[] = {L"BUTTON",  L"EDIT",      L"STATIC",
                                                  L"LISTBOX", L"SCROLLBAR", L"COMBOBOX"};
        if (ordinal >= 0x80 && ordinal < 0x80 + 6)
            return kClasses[ordinal - 0x80];
        return L"#" + std::to_wstring(ordinal);
    }

    const BYTE *data_;
    size_t size_;
    size_t pos_ = 0;
    bool ok_ = true;
};

void ReadRect(Reader &in, short *x, short *y, short *cx, short *cy) {
    *x = in.Next<short>();
    *y = in.Next<short>();
    *cx = in.Next<short>();
    *cy = in.Next<short>();
}

DialogItem ReadItem(Reader &in, bool extended) {
    DialogItem item = {};
    in.AlignToDword();
    if (extended) {
        in.Next<DWORD>(); // help ID
        item.ex_style = in.Next<DWORD>();
        item.style = in.Next<DWORD>();
    } else {
        item.style = in.Next<DWORD>();
        item.ex_style = in.Next<DWORD>();
    }
    ReadRect(in, &item.x, &item.y, &item.cx, &item.cy);
    item.id = extended ? in.Next<DWORD>() : in.Next<WORD>();
    item.class_name = in.NameOrOrdinal();
    item.text = in.NameOrOrdinal();
    in.Skip(in.Next<WORD>()); // creation data
    return item;
}

} // namespace

bool ParseDialogTemplate(const void *data, size_t size, DialogTemplate *out) {
    Reader in(data, size);
    DialogTemplate dialog = {};
    WORD version = in.Next<WORD>();
    dialog.extended = in.Next<WORD>() == 0xFFFF && version == 1;
    if (dialog.extended) {
        in.Next<DWORD>(); // help ID
        dialog.ex_style = in.Next<DWORD>();
        dialog.style = in.Next<DWORD>();
    } else {
        in = Reader(data, size);
        dialog.style = in.Next<DWORD>();
        dialog.ex_style = in.Next<DWORD>();
    }
    WORD count = in.Next<WORD>();
    ReadRect(in, &dialog.x, &dialog.y, &dialog.cx, &dialog.cy);
    dialog.menu = in.NameOrOrdinal();
    dialog.class_name = in.NameOrOrdinal();
    dialog.caption = in.String();
    if (dialog.style & DS_SETFONT) {
        dialog.point_size = in.Next<WORD>();
        if (dialog.extended) {
            dialog.weight = in.Next<WORD>();
            dialog.italic = in.Next<BYTE>();
            dialog.charset = in.Next<BYTE>();
        }
        dialog.font = in.String();
    }
    for (WORD i = 0; i < count && in.ok(); ++i)
        dialog.items.push_back(ReadItem(in, dialog.extended));
    *out = dialog;
    return in.ok();
}
