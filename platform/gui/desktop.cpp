#include "platform/gui/desktop.h"

#include "platform/win.h"

namespace gui {

Size Desktop::currentSize() const { return {GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)}; }

std::intptr_t Desktop::GetHWnd() const { return reinterpret_cast<std::intptr_t>(GetDesktopWindow()); }

Desktop& APPDESKTOP() {
    static Desktop desktop;
    return desktop;
}

}  // namespace gui
