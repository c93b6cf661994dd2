#include "support/window_probe.h"

namespace testing_support {

ChildProcess::ChildProcess(const std::wstring& commandLine, const std::wstring& workingFolder) {
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    std::wstring line = commandLine;
    if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        workingFolder.empty() ? nullptr : workingFolder.c_str(), &startup, &info))
        return;
    process_.reset(info.hProcess);
    rt::FileHandle thread(info.hThread);
    id_ = info.dwProcessId;
}

ChildProcess::~ChildProcess() {
    if (running()) {
        TerminateProcess(process_.get(), 255);
        WaitForSingleObject(process_.get(), 5000);
    }
}

bool ChildProcess::running() const {
    return process_.valid() && WaitForSingleObject(process_.get(), 0) == WAIT_TIMEOUT;
}

int ChildProcess::WaitForExit(unsigned timeoutMs) const {
    if (!process_.valid() || WaitForSingleObject(process_.get(), timeoutMs) != WAIT_OBJECT_0) return -1;
    DWORD code = 0;
    GetExitCodeProcess(process_.get(), &code);
    return static_cast<int>(code);
}

namespace {

struct WindowSearch {
    DWORD processId;
    const std::wstring& title;
    HWND found = nullptr;
};

BOOL CALLBACK MatchTopLevel(HWND window, LPARAM param) {
    auto* search = reinterpret_cast<WindowSearch*>(param);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner != search->processId || !IsWindowVisible(window) || WindowText(window) != search->title) return TRUE;
    search->found = window;
    return FALSE;
}

struct ButtonSearch {
    const std::wstring& caption;
    HWND found = nullptr;
};

bool IsButton(HWND window) {
    wchar_t className[16] = L"";
    GetClassNameW(window, className, 16);
    return CompareStringOrdinal(className, -1, L"Button", -1, TRUE) == CSTR_EQUAL;
}

BOOL CALLBACK MatchButton(HWND window, LPARAM param) {
    auto* search = reinterpret_cast<ButtonSearch*>(param);
    if (!IsButton(window) || WindowText(window) != search->caption) return TRUE;
    search->found = window;
    return FALSE;
}

constexpr unsigned kPollMs = 50;

}  // namespace

HWND WaitForWindow(DWORD processId, const std::wstring& title, unsigned timeoutMs) {
    WindowSearch search{processId, title};
    const ULONGLONG deadline = GetTickCount64() + timeoutMs;
    for (;;) {
        EnumWindows(MatchTopLevel, reinterpret_cast<LPARAM>(&search));
        if (search.found || GetTickCount64() >= deadline) return search.found;
        Sleep(kPollMs);
    }
}

std::wstring WindowText(HWND window) {
    // WM_GETTEXT reaches controls of other processes too (GetWindowText does not).
    const LRESULT length = SendMessageW(window, WM_GETTEXTLENGTH, 0, 0);
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    const LRESULT got = SendMessageW(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<std::size_t>(got));
    return text;
}

std::wstring ChildText(HWND parent, int controlId) {
    HWND child = GetDlgItem(parent, controlId);
    return child ? WindowText(child) : std::wstring();
}

std::wstring MessageBoxText(HWND box) { return ChildText(box, 0xFFFF); }

HWND FindButton(HWND parent, const std::wstring& caption) {
    ButtonSearch search{caption};
    EnumChildWindows(parent, MatchButton, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

bool PressButton(HWND parent, const std::wstring& caption) {
    HWND button = FindButton(parent, caption);
    if (!button) return false;
    // Posted, not sent: the press may end the other process's modal loop.
    PostMessageW(GetParent(button), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(button), BN_CLICKED),
                 reinterpret_cast<LPARAM>(button));
    return true;
}

HWND OwnerOf(HWND window) { return GetWindow(window, GW_OWNER); }

}  // namespace testing_support
