#pragma once
// Conversions between the toolkit's opaque handles and Win32 types.
#include "platform/win.h"

namespace gui {

inline HWND Hwnd(void* handle) { return static_cast<HWND>(handle); }
HINSTANCE ProgramInstance();
// The default font of controls without one of their own: the system's
// message font (owned by the toolkit, alive until the process ends).
HFONT DefaultFont();

}  // namespace gui
