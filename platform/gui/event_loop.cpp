#include "platform/gui/event_loop.h"

#include "platform/gui/dialog.h"
#include "platform/gui/native.h"

namespace gui {

namespace {
EventTarget& Target() {
    static EventTarget target;
    return target;
}
}  // namespace

Event AppEvent() {
    MSG msg{};
    if (GetMessageW(&msg, nullptr, 0, 0) <= 0) msg.message = WM_NULL;
    EventTarget& target = Target();
    target.hwnd_ = msg.hwnd;
    target.time_ = msg.time;
    target.x_ = msg.pt.x;
    target.y_ = msg.pt.y;
    return {msg.message, static_cast<std::intptr_t>(msg.wParam), static_cast<std::intptr_t>(msg.lParam), &target};
}

void EventTarget::HandleEvent(unsigned code, std::intptr_t mp1, std::intptr_t mp2) {
    MSG msg{Hwnd(hwnd_), code, static_cast<WPARAM>(mp1), static_cast<LPARAM>(mp2), static_cast<DWORD>(time_),
            {x_, y_}};
    // Tab, Shift+Tab, Enter and Escape work as in any Windows dialog.
    if (Dialog* dialog = AppWindow(); dialog && dialog->created()) {
        if (IsDialogMessageW(Hwnd(reinterpret_cast<void*>(dialog->GetHWnd())), &msg)) return;
    }
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
}

}  // namespace gui
