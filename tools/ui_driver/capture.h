#pragma once
// A picture of a window as it is on the screen, saved as a 24-bit BMP file.
#include "platform/win.h"

#include <string>

namespace driver {

bool CaptureWindow(HWND hwnd, const std::wstring& bmpPath);

}  // namespace driver
