#include "platform/gui/controls.h"

#include "platform/gui/busy.h"
#include "platform/gui/dialog.h"
#include "platform/gui/native.h"

#include <algorithm>
#include <vector>

namespace gui {

namespace {
constexpr DWORD kChild = WS_CHILD | WS_VISIBLE;

std::wstring WindowText(void* hwnd) {
    const int length = GetWindowTextLengthW(Hwnd(hwnd));
    std::wstring text(length + 1, L'\0');
    text.resize(GetWindowTextW(Hwnd(hwnd), text.data(), length + 1));
    return text;
}
}  // namespace

Static::Static(Dialog* parent, Point position, Size size, PresParams presParams)
    : Window(parent, position, size, std::move(presParams)) {}

Window::NativeSpec Static::nativeSpec() const {
    const DWORD alignment = (options & kWordBreak) ? SS_LEFT : SS_LEFTNOWORDWRAP;
    return {L"STATIC", caption, kChild | alignment | SS_NOPREFIX};
}

SingleLineEdit::SingleLineEdit(Dialog* parent, Point position, Size size, PresParams presParams)
    : Window(parent, position, size, std::move(presParams)) {}

Window::NativeSpec SingleLineEdit::nativeSpec() const {
    return {L"EDIT", L"", kChild | ES_AUTOHSCROLL | (editable ? 0UL : ES_READONLY), WS_EX_CLIENTEDGE};
}

void SingleLineEdit::afterCreate() {
    // EM_LIMITTEXT limits what the user types; WM_SETTEXT is not cut.
    if (Bufferlength > 0) SendMessageW(Hwnd(hwnd_), EM_LIMITTEXT, Bufferlength, 0);
}

std::wstring SingleLineEdit::getData() const { return WindowText(hwnd_); }

void SingleLineEdit::setData(const std::wstring& text) { SetWindowTextW(Hwnd(hwnd_), text.c_str()); }

MultiLineEdit::MultiLineEdit(Dialog* parent, Point position, Size size, PresParams presParams)
    : Window(parent, position, size, std::move(presParams)) {}

MultiLineEdit::~MultiLineEdit() = default;

Window::NativeSpec MultiLineEdit::nativeSpec() const {
    DWORD style = kChild | ES_MULTILINE | ES_AUTOVSCROLL | WS_VSCROLL | (editable ? 0UL : ES_READONLY);
    if (horizScroll) style |= ES_AUTOHSCROLL | WS_HSCROLL;
    return {L"EDIT", L"", style, WS_EX_CLIENTEDGE};
}

std::wstring MultiLineEdit::getData() const { return dirty_ ? pending_ : WindowText(hwnd_); }

void MultiLineEdit::setData(const std::wstring& text) {
    if (parent_ && parent_->busy()) {
        pending_ = text;
        dirty_ = true;
        BusyScope::Pump();
        return;
    }
    dirty_ = false;
    pending_.clear();
    SetWindowTextW(Hwnd(hwnd_), text.c_str());
}

void MultiLineEdit::flush() {
    if (!dirty_) return;
    SetWindowTextW(Hwnd(hwnd_), pending_.c_str());
    dirty_ = false;
}

PushButton::PushButton(Dialog* parent, Point position, Size size, PresParams presParams)
    : Window(parent, position, size, std::move(presParams)) {}

// The button lets go of its picture only when it is gone.
PushButton::~PushButton() { destroyNative(); }

Window::NativeSpec PushButton::nativeSpec() const {
    const DWORD kind = CaptionBitmap ? BS_BITMAP : 0UL;
    return {L"BUTTON", CaptionBitmap ? L"" : Caption, kChild | BS_PUSHBUTTON | kind};
}

void PushButton::afterCreate() {
    if (!CaptionBitmap) return;
    bitmap_.reset(LoadImageW(ProgramInstance(), MAKEINTRESOURCEW(CaptionBitmap), IMAGE_BITMAP, 0, 0, LR_DEFAULTCOLOR));
    SendMessageW(Hwnd(hwnd_), BM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(bitmap_.get()));
}

bool PushButton::onCommand(unsigned code) {
    if (code != BN_CLICKED) return false;
    if (Activate) Activate();
    return true;
}

CheckBox::CheckBox(Dialog* parent, Point position, Size size, PresParams presParams)
    : Window(parent, position, size, std::move(presParams)) {}

Window::NativeSpec CheckBox::nativeSpec() const { return {L"BUTTON", Caption, kChild | BS_AUTOCHECKBOX}; }

void CheckBox::afterCreate() { SendMessageW(Hwnd(hwnd_), BM_SETCHECK, selection ? BST_CHECKED : BST_UNCHECKED, 0); }

bool CheckBox::getData() const { return SendMessageW(Hwnd(hwnd_), BM_GETCHECK, 0, 0) == BST_CHECKED; }

}  // namespace gui
