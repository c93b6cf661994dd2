#include "platform/gui/dialog.h"

#include "platform/errors.h"
#include "platform/gui/native.h"

#include <exception>

namespace gui {

namespace {
constexpr wchar_t kClassName[] = L"ZORPortavexDialog";
Dialog* theAppWindow = nullptr;
}  // namespace

// Callbacks run inside the window procedure; nothing may escape it.
struct DialogProcedure {
    static LRESULT CALLBACK Run(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
        try {
            return Handle(hwnd, message, wParam, lParam);
        } catch (const rt::BreakSignal& signal) {
            rt::FatalError(signal.error.description());
        } catch (...) {
            std::terminate();
        }
    }

    static LRESULT Handle(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
        if (message == WM_NCCREATE) {
            auto* create = reinterpret_cast<CREATESTRUCTW*>(lParam);
            SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
        }
        auto* dialog = reinterpret_cast<Dialog*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
        if (!dialog) return DefWindowProcW(hwnd, message, wParam, lParam);
        switch (message) {
        case WM_CLOSE:
            if (!dialog->busy() && dialog->close) dialog->close(wParam, lParam, *dialog);
            return 0;
        case WM_SYSCOMMAND:
            if (dialog->busy() && (wParam & 0xFFF0) == SC_CLOSE) return 0;
            break;
        case WM_COMMAND:
            if (Window* child = dialog->childFor(reinterpret_cast<void*>(lParam))) {
                if (!dialog->busy() && child->onCommand(HIWORD(wParam))) return 0;
            }
            break;
        case WM_SIZE:
            dialog->layoutChildren();
            return 0;
        case WM_GETMINMAXINFO: {
            auto* info = reinterpret_cast<MINMAXINFO*>(lParam);
            if (dialog->minSize.width > 0) info->ptMinTrackSize.x = dialog->minSize.width;
            if (dialog->minSize.height > 0) info->ptMinTrackSize.y = dialog->minSize.height;
            return 0;
        }
        case WM_CTLCOLORSTATIC:
        case WM_CTLCOLORBTN:
        case WM_CTLCOLORDLG: {
            HDC dc = reinterpret_cast<HDC>(wParam);
            SetBkMode(dc, TRANSPARENT);
            return reinterpret_cast<LRESULT>(dialog->drawingArea().brush());
        }
        case WM_ERASEBKGND: {
            RECT rect;
            GetClientRect(hwnd, &rect);
            FillRect(reinterpret_cast<HDC>(wParam), &rect, static_cast<HBRUSH>(dialog->drawingArea().brush()));
            return 1;
        }
        case WM_NCDESTROY:
            SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
            break;
        default:
            break;
        }
        return DefWindowProcW(hwnd, message, wParam, lParam);
    }
};

namespace {
void RegisterDialogClass() {
    static const bool registered = [] {
        WNDCLASSEXW wc{};
        wc.cbSize = sizeof wc;
        wc.lpfnWndProc = DialogProcedure::Run;
        wc.hInstance = ProgramInstance();
        wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
        wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
        wc.lpszClassName = kClassName;
        return RegisterClassExW(&wc) != 0;
    }();
    (void)registered;
}

HICON LoadIconSized(int resource, int metricX, int metricY) {
    return static_cast<HICON>(LoadImageW(ProgramInstance(), MAKEINTRESOURCEW(resource), IMAGE_ICON,
                                         GetSystemMetrics(metricX), GetSystemMetrics(metricY), 0));
}
}  // namespace

void DrawingArea::SetColorBG(long colour) {
    colour_ = colour;
    ownBrush_.reset(colour == 0 ? nullptr : CreateSolidBrush(static_cast<COLORREF>(colour)));
    if (window_) InvalidateRect(Hwnd(window_), nullptr, TRUE);
}

void* DrawingArea::brush() const { return ownBrush_ ? ownBrush_.get() : GetSysColorBrush(COLOR_BTNFACE); }

void IconDeleter::operator()(void* icon) const { DestroyIcon(static_cast<HICON>(icon)); }

Dialog::Dialog(Point position, Size size, PresParams presParams)
    : Window(nullptr, position, size, std::move(presParams)) {}

Dialog::~Dialog() {
    children_.clear();
    if (theAppWindow == this) theAppWindow = nullptr;
    if (hwnd_) DestroyWindow(Hwnd(hwnd_));
    hwnd_ = nullptr;
}

Window::NativeSpec Dialog::nativeSpec() const {
    RegisterDialogClass();
    DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_THICKFRAME | WS_CLIPCHILDREN |
                  WS_VISIBLE;
    if (maxButton) style |= WS_MAXIMIZEBOX;
    const DWORD exStyle = WS_EX_CONTROLPARENT | (taskList ? WS_EX_APPWINDOW : WS_EX_TOOLWINDOW);
    return {kClassName, Title, style, exStyle};
}

void Dialog::afterCreate() {
    drawingArea_.window_ = hwnd_;
    if (icon) {
        iconBig_.reset(LoadIconSized(icon, SM_CXICON, SM_CYICON));
        iconSmall_.reset(LoadIconSized(icon, SM_CXSMICON, SM_CYSMICON));
        SendMessageW(Hwnd(hwnd_), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(iconBig_.get()));
        SendMessageW(Hwnd(hwnd_), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(iconSmall_.get()));
    }
    UpdateWindow(Hwnd(hwnd_));
}

Size Dialog::clientSize() const {
    RECT rect{};
    GetClientRect(Hwnd(hwnd_), &rect);
    return {rect.right - rect.left, rect.bottom - rect.top};
}

Window* Dialog::childFor(void* hwnd) const {
    for (const auto& child : children_)
        if (child->hwnd_ == hwnd && hwnd) return child.get();
    return nullptr;
}

void Dialog::layoutChildren() {
    const int height = clientSize().height;
    for (const auto& child : children_)
        if (child->hwnd_) child->placeIn(height);
}

void Dialog::Destroy() {
    children_.clear();
    if (hwnd_) DestroyWindow(Hwnd(hwnd_));
    hwnd_ = nullptr;
}

void SETAPPWINDOW(Dialog& dialog) {
    theAppWindow = &dialog;
    SetForegroundWindow(Hwnd(reinterpret_cast<void*>(dialog.GetHWnd())));
}

void SETAPPFOCUS(Window& window) { SetFocus(Hwnd(reinterpret_cast<void*>(window.GetHWnd()))); }

Dialog* AppWindow() { return theAppWindow; }

}  // namespace gui
