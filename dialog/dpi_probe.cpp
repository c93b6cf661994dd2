#include "dialog/dpi_probe.h"

#include "platform/boxes.h"
#include "platform/dll.h"
#include "platform/gui/desktop.h"
#include "platform/text.h"

#include <cstdint>

namespace {
constexpr int kStandardDpi = 96;
constexpr int kLogPixelsX = 88;
constexpr int kMostAttempts = 21;

void WarnDpiUnreadable(int attempts) {
    const std::wstring cr = rt::CHR(13);
    rt::MSGBOX(L"Die DPi-Einstellungen konnten nicht ausgegelesen werden!   " + cr +
                   L"Darstellung der Schriftarten ist vermutlich nicht korrekt! " + cr +
                   L"Ein Neustart des Programmes könnte das Problem beheben.",
               L"Problem " + rt::STR(static_cast<long long>(attempts), 3));
}
}  // namespace

int APPDESKTOPDPI() {
    const std::intptr_t desktop = gui::APPDESKTOP().GetHWnd();
    // A device context is any non-null handle: sign-extended handle values may
    // look negative and must still be released.
    std::intptr_t dc = rt::DLLCALL(L"User32.DLL", rt::kStdcall, "GetDC", desktop);
    int attempts = 1;
    while (dc == 0 && attempts < kMostAttempts) {
        dc = rt::DLLCALL(L"User32.DLL", rt::kStdcall, "GetDC", desktop);
        ++attempts;
    }
    if (dc == 0) {
        WarnDpiUnreadable(attempts);
        return kStandardDpi;
    }
    const int dpi = static_cast<int>(rt::DLLCALL(L"GDI32.DLL", rt::kStdcall, "GetDeviceCaps", dc, kLogPixelsX));
    rt::DLLCALL(L"User32.DLL", rt::kStdcall, "ReleaseDC", desktop, dc);
    return dpi;
}
