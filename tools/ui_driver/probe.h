#pragma once
// Looking at another program's windows from outside: only what any program
// may ask of a window (enumeration, class, rectangle, WM_GETTEXT, button
// state), never the other program's memory.
#include "platform/win.h"

#include <optional>
#include <string>
#include <vector>

namespace driver {

struct ControlInfo {
    HWND hwnd = nullptr;
    std::wstring className;
    std::wstring text;
    RECT rect{};  // in the parent's client area, top-left origin
    LONG style = 0;
    bool enabled = true;
    bool visible = true;
};

// Top-level windows of the process, in Z order.
std::vector<HWND> TopLevelWindows(DWORD processId);
std::wstring ClassOf(HWND hwnd);
// The window's text as the window itself answers WM_GETTEXT; empty on time-out.
std::optional<std::wstring> TextOf(HWND hwnd, unsigned timeoutMs = 2000);
std::vector<ControlInfo> ControlsOf(HWND parent);
bool IsCheckBox(const ControlInfo& control);
bool IsChecked(HWND button);
bool IsMultiLineEdit(const ControlInfo& control);
bool IsSingleLineEdit(const ControlInfo& control);
bool IsMessageBoxLike(HWND hwnd);  // a system dialog window (class #32770)

// A click as the user makes it: the button handles it in its own time.
void Click(HWND button);
// Milliseconds until the window's thread answers a sent message; nullopt when
// it does not answer within `timeoutMs`.
std::optional<unsigned> AnswerTime(HWND hwnd, unsigned timeoutMs);
// Milliseconds until an invalidated window has painted itself again.
std::optional<unsigned> RepaintTime(HWND hwnd, unsigned timeoutMs);

}  // namespace driver
