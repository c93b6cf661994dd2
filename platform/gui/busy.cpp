#include "platform/gui/busy.h"

#include "platform/gui/controls.h"
#include "platform/gui/dialog.h"
#include "platform/gui/native.h"
#include "platform/idle.h"

namespace gui {

namespace {
constexpr ULONGLONG kRepaintInterval = 200;  // ms: about 5 repaints a second

struct PumpState {
    Dialog* dialog = nullptr;
    ULONGLONG lastRepaint = 0;
};
PumpState& State() {
    static PumpState state;
    return state;
}

void Repaint(Dialog& dialog) {
    HWND hwnd = Hwnd(reinterpret_cast<void*>(dialog.GetHWnd()));
    RedrawWindow(hwnd, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    // Paint messages only; also answers messages sent by other programs, so
    // Windows never marks the window as not responding.
    MSG msg;
    while (PeekMessageW(&msg, nullptr, WM_PAINT, WM_PAINT, PM_REMOVE)) DispatchMessageW(&msg);
}
// Whatever the user did meanwhile is dropped, not replayed: input from the
// devices and the same messages posted by anyone, and close requests.
void DropQueuedInput() {
    struct Range {
        UINT first, last;
    };
    constexpr Range kRanges[] = {{WM_KEYFIRST, WM_KEYLAST},         {WM_MOUSEFIRST, WM_MOUSELAST},
                                 {WM_NCMOUSEMOVE, WM_NCXBUTTONDBLCLK}, {WM_CLOSE, WM_CLOSE},
                                 {WM_SYSCOMMAND, WM_SYSCOMMAND},       {WM_COMMAND, WM_COMMAND}};
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE | PM_QS_INPUT)) {
    }
    for (const Range& range : kRanges)
        while (PeekMessageW(&msg, nullptr, range.first, range.last, PM_REMOVE)) {
        }
}
}  // namespace

BusyScope::BusyScope(Dialog& dialog) : dialog_(dialog) {
    dialog_.busy_ = true;
    State() = {&dialog_, GetTickCount64()};
    rt::SetIdleHook(&BusyScope::Pump);
}

BusyScope::~BusyScope() {
    rt::SetIdleHook(nullptr);
    for (const auto& child : dialog_.children_)
        if (auto* edit = dynamic_cast<MultiLineEdit*>(child.get())) edit->flush();
    Repaint(dialog_);
    DropQueuedInput();
    dialog_.busy_ = false;
    State() = {};
}

void BusyScope::Pump() {
    PumpState& state = State();
    if (!state.dialog) return;
    const ULONGLONG now = GetTickCount64();
    if (now - state.lastRepaint < kRepaintInterval) return;
    state.lastRepaint = now;
    for (const auto& child : state.dialog->children_)
        if (auto* edit = dynamic_cast<MultiLineEdit*>(child.get())) edit->flush();
    Repaint(*state.dialog);
}

}  // namespace gui
