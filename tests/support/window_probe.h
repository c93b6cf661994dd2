#pragma once
// Driving another process's windows from a test: start the process, find its
// visible top-level windows by title, read and answer its message boxes, and
// wait for its exit code.
#include "platform/handles.h"

#include <string>

namespace testing_support {

// A started process. Ended (terminated) with the object if still running.
class ChildProcess {
public:
    // Starts `commandLine` in `workingFolder` (empty: the test's own current
    // folder). Check started() afterwards.
    ChildProcess(const std::wstring& commandLine, const std::wstring& workingFolder);
    ~ChildProcess();
    ChildProcess(ChildProcess&&) = default;
    ChildProcess& operator=(ChildProcess&&) = default;

    bool started() const { return process_.valid(); }
    bool running() const;
    DWORD id() const { return id_; }
    HANDLE handle() const { return process_.get(); }
    // The exit code, or -1 when the process has not ended within `timeoutMs`
    // (it is left running).
    int WaitForExit(unsigned timeoutMs = 20000) const;

private:
    rt::FileHandle process_;
    DWORD id_ = 0;
};

// The first visible top-level window of process `processId` whose title is
// `title`; nullptr when none appears within `timeoutMs`.
HWND WaitForWindow(DWORD processId, const std::wstring& title, unsigned timeoutMs = 20000);

// The whole text of a window or of one of its children (by control id).
std::wstring WindowText(HWND window);
std::wstring ChildText(HWND parent, int controlId);

// The message text of a standard message box (its static control 0xFFFF),
// with the line breaks the box shows.
std::wstring MessageBoxText(HWND box);

// The child button captioned `caption` ("&" marks included); nullptr when none.
HWND FindButton(HWND parent, const std::wstring& caption);
// Presses the button captioned `caption` as a click would; false when the
// window has no such button.
bool PressButton(HWND parent, const std::wstring& caption);

// The window's owner (nullptr for an unowned top-level window).
HWND OwnerOf(HWND window);

}  // namespace testing_support
