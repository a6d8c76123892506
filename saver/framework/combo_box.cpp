#include "saver/framework/combo_box.h"

#include "saver/framework/ansi_text.h"
#include "saver/framework/form.h"
#include "saver/framework/persistent_image.h"

namespace qv {

ComboBox::ComboBox(Form& form, const ControlDesign& d)
    : Control(form, d), items_(d.items), text_(d.caption) {}

void ComboBox::Create(HWND parent) {
    RECT r = PixelRect();
    DWORD style = WS_CHILD | WS_VSCROLL | WS_CLIPSIBLINGS | CBS_AUTOHSCROLL |
                  (design_.comboStyle == ComboStyle::DropDownList ? CBS_DROPDOWNLIST : CBS_DROPDOWN);
    if (visible_) style |= WS_VISIBLE;
    if (tabStop_) style |= WS_TABSTOP;
    if (!enabled_) style |= WS_DISABLED;
    // The height given to a combo box includes its drop-down list.
    const int listHeight = 12 * 16;
    hwnd_ =
        CreateWindowExW(WS_EX_CLIENTEDGE, L"COMBOBOX", L"", style, r.left, r.top, r.right - r.left,
                        (r.bottom - r.top) + listHeight, parent, nullptr, GetModuleHandleW(nullptr), nullptr);
    if (!hwnd_) throw FrameworkError("combo box " + name_ + " could not be made");
    font_ = CreateFontFor(design_.font.value_or(form_->Font()));
    SendMessageW(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
    for (const std::string& s : items_)
        SendMessageW(hwnd_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Widen(s).c_str()));
    if (!text_.empty()) SetText(text_);
}

void ComboBox::Destroy() {
    if (hwnd_) {
        items_.clear();
        for (int i = 0; i < ListCount(); ++i) items_.push_back(List(i));
        if (IsWindow(hwnd_)) DestroyWindow(hwnd_);
    }
    hwnd_ = nullptr;
    if (font_) DeleteObject(font_);
    font_ = nullptr;
}

void ComboBox::OnPlaced() {}

namespace {
void Need(HWND h, const std::string& name) {
    if (!h) throw FrameworkError("combo box " + name + " is not loaded");
}
}  // namespace

void ComboBox::AddItem(const std::string& text, int index) {
    Need(hwnd_, name_);
    const int count = ListCount();
    if (index < -1 || index > count) throw FrameworkError("list index out of range");
    std::wstring w = Widen(text);
    LRESULT r = index < 0 ? SendMessageW(hwnd_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(w.c_str()))
                          : SendMessageW(hwnd_, CB_INSERTSTRING, index, reinterpret_cast<LPARAM>(w.c_str()));
    if (r < 0) throw FrameworkError("the list is full");
}

void ComboBox::Clear() {
    Need(hwnd_, name_);
    SendMessageW(hwnd_, CB_RESETCONTENT, 0, 0);
}

int ComboBox::ListCount() const {
    if (!hwnd_) return static_cast<int>(items_.size());
    return static_cast<int>(SendMessageW(hwnd_, CB_GETCOUNT, 0, 0));
}

std::string ComboBox::List(int index) const {
    if (!hwnd_) {
        if (index < 0 || index >= static_cast<int>(items_.size()))
            throw FrameworkError("list index out of range");
        return items_[index];
    }
    if (index < 0 || index >= ListCount()) throw FrameworkError("list index out of range");
    LRESULT n = SendMessageW(hwnd_, CB_GETLBTEXTLEN, index, 0);
    if (n < 0) return {};
    std::wstring w(static_cast<std::size_t>(n) + 1, L'\0');
    SendMessageW(hwnd_, CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(w.data()));
    w.resize(static_cast<std::size_t>(n));
    return Narrow(w);
}

int ComboBox::ListIndex() const {
    Need(hwnd_, name_);
    return static_cast<int>(SendMessageW(hwnd_, CB_GETCURSEL, 0, 0));
}

void ComboBox::SetListIndex(int index) {
    Need(hwnd_, name_);
    if (index < -1 || index >= ListCount()) throw FrameworkError("list index out of range");
    SendMessageW(hwnd_, CB_SETCURSEL, index, 0);
    ParentForm().RaiseControlEvent(*this, "Click");
}

std::string ComboBox::Text() const {
    if (!hwnd_) return text_;
    int n = GetWindowTextLengthW(hwnd_);
    std::wstring w(static_cast<std::size_t>(n) + 1, L'\0');
    n = GetWindowTextW(hwnd_, w.data(), n + 1);
    w.resize(static_cast<std::size_t>(n < 0 ? 0 : n));
    return Narrow(w);
}

void ComboBox::SetText(const std::string& text) {
    Need(hwnd_, name_);
    std::wstring w = Widen(text);
    if (design_.comboStyle == ComboStyle::DropDownList) {
        LRESULT i = SendMessageW(hwnd_, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                 reinterpret_cast<LPARAM>(w.c_str()));
        if (i == CB_ERR) throw FrameworkError("text not in the list of " + name_);
        SendMessageW(hwnd_, CB_SETCURSEL, i, 0);
    } else {
        SendMessageW(hwnd_, CB_SETCURSEL, static_cast<WPARAM>(-1), 0);
        SetWindowTextW(hwnd_, w.c_str());
    }
    ParentForm().RaiseControlEvent(*this, "Change");
}

void ComboBox::SetEnabled(bool e) { Control::SetEnabled(e); }

void ComboBox::HandleCommand(int code) {
    if (code == CBN_SELCHANGE)
        ParentForm().RaiseControlEvent(*this, "Click");
    else if (code == CBN_EDITCHANGE)
        ParentForm().RaiseControlEvent(*this, "Change");
}

}  // namespace qv
