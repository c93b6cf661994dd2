#include "platform/gui/window.h"

#include "platform/errors.h"
#include "platform/gui/dialog.h"
#include "platform/gui/font.h"
#include "platform/gui/native.h"
#include "platform/handles.h"

#include <uxtheme.h>

namespace gui {

HINSTANCE ProgramInstance() { return GetModuleHandleW(nullptr); }

HFONT DefaultFont() {
    static HFONT font = [] {
        NONCLIENTMETRICSW metrics{};
        metrics.cbSize = sizeof metrics;
        SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
        HFONT made = CreateFontIndirectW(&metrics.lfMessageFont);
        return made ? made : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    }();
    return font;
}

void GdiObjectDeleter::operator()(void* object) const { rt::GdiObject owned(static_cast<HGDIOBJ>(object)); }

Window::Window(Dialog* parent, Point position, Size size, PresParams presParams)
    : parent_(parent), position_(position), size_(size), presParams_(std::move(presParams)) {}

Window::~Window() { destroyNative(); }

void Window::destroyNative() {
    if (hwnd_) DestroyWindow(Hwnd(hwnd_));
    hwnd_ = nullptr;
}

std::intptr_t Window::GetHWnd() const { return reinterpret_cast<std::intptr_t>(hwnd_); }

void Window::create() {
    if (hwnd_) return;
    const NativeSpec spec = nativeSpec();
    DWORD style = spec.style;
    if (TabStop) style |= WS_TABSTOP;
    if (!enabled_) style |= WS_DISABLED;
    int left = position_.x, top = 0;
    HWND parentWindow = nullptr;
    if (parent_) {
        parentWindow = Hwnd(parent_->hwnd_);
        top = TopEdge(position_.y, size_.height, parent_->clientSize().height);
    } else {
        top = TopEdge(position_.y, size_.height, GetSystemMetrics(SM_CYSCREEN));
    }
    HWND hwnd = CreateWindowExW(spec.exStyle, spec.className, spec.text.c_str(), style, left, top, size_.width,
                                size_.height, parentWindow, nullptr, ProgramInstance(), this);
    if (!hwnd) {
        rt::RaiseError({L"Fenster erzeugen", spec.className, GetLastError()});
        return;
    }
    hwnd_ = hwnd;
    applyFont();
    // A class list that names no class leaves the control without a theme.
    if (!UseVisualStyle) SetWindowTheme(hwnd, nullptr, L" ");
    afterCreate();
}

void Window::setFontCompoundName(const std::wstring& name) {
    fontName_ = name;
    if (hwnd_) applyFont();
}

void Window::applyFont() {
    OwnedGdiObject made;
    if (const auto parsed = ParseFontCompoundName(fontName_))
        made.reset(CreateFontW(-MulDiv(parsed->points, DesktopLogicalDpi(), 72), 0, 0, 0, FW_NORMAL, FALSE, FALSE,
                               FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, CLEARTYPE_QUALITY,
                               DEFAULT_PITCH | FF_DONTCARE, parsed->face.c_str()));
    const HFONT chosen = made ? static_cast<HFONT>(made.get()) : DefaultFont();
    SendMessageW(Hwnd(hwnd_), WM_SETFONT, reinterpret_cast<WPARAM>(chosen), TRUE);
    // Only now has the control let go of the font it had before.
    font_ = std::move(made);
}

void Window::placeIn(int parentClientHeight) {
    SetWindowPos(Hwnd(hwnd_), nullptr, position_.x, TopEdge(position_.y, size_.height, parentClientHeight), 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void Window::enable() {
    enabled_ = true;
    if (hwnd_) EnableWindow(Hwnd(hwnd_), TRUE);
}

void Window::disable() {
    enabled_ = false;
    if (hwnd_) EnableWindow(Hwnd(hwnd_), FALSE);
}

bool Window::isEnabled() const { return hwnd_ ? IsWindowEnabled(Hwnd(hwnd_)) != FALSE : enabled_; }

}  // namespace gui
