#include "tools/ui_driver/probe.h"

namespace driver {

namespace {
BOOL CALLBACK CollectTopLevel(HWND hwnd, LPARAM param) {
    auto* found = reinterpret_cast<std::pair<DWORD, std::vector<HWND>>*>(param);
    DWORD pid = 0;
    GetWindowThreadProcessId(hwnd, &pid);
    if (pid == found->first && IsWindowVisible(hwnd)) found->second.push_back(hwnd);
    return TRUE;
}

BOOL CALLBACK CollectChild(HWND hwnd, LPARAM param) {
    auto* found = reinterpret_cast<std::pair<HWND, std::vector<HWND>>*>(param);
    if (GetParent(hwnd) == found->first) found->second.push_back(hwnd);
    return TRUE;
}

unsigned long long Now() { return GetTickCount64(); }
}  // namespace

std::vector<HWND> TopLevelWindows(DWORD processId) {
    std::pair<DWORD, std::vector<HWND>> found{processId, {}};
    EnumWindows(CollectTopLevel, reinterpret_cast<LPARAM>(&found));
    return found.second;
}

std::wstring ClassOf(HWND hwnd) {
    wchar_t name[256] = {};
    GetClassNameW(hwnd, name, 256);
    return name;
}

std::optional<std::wstring> TextOf(HWND hwnd, unsigned timeoutMs) {
    DWORD_PTR length = 0;
    if (!SendMessageTimeoutW(hwnd, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, timeoutMs, &length))
        return std::nullopt;
    std::wstring text(length + 1, L'\0');
    DWORD_PTR copied = 0;
    if (!SendMessageTimeoutW(hwnd, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()), SMTO_ABORTIFHUNG,
                             timeoutMs, &copied))
        return std::nullopt;
    text.resize(copied);
    return text;
}

std::vector<ControlInfo> ControlsOf(HWND parent) {
    std::pair<HWND, std::vector<HWND>> found{parent, {}};
    EnumChildWindows(parent, CollectChild, reinterpret_cast<LPARAM>(&found));
    std::vector<ControlInfo> controls;
    for (HWND hwnd : found.second) {
        ControlInfo info;
        info.hwnd = hwnd;
        info.className = ClassOf(hwnd);
        info.text = TextOf(hwnd).value_or(L"");
        GetWindowRect(hwnd, &info.rect);
        MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&info.rect), 2);
        info.style = GetWindowLongW(hwnd, GWL_STYLE);
        info.enabled = IsWindowEnabled(hwnd);
        info.visible = IsWindowVisible(hwnd);
        controls.push_back(info);
    }
    return controls;
}

bool IsCheckBox(const ControlInfo& control) {
    const LONG kind = control.style & BS_TYPEMASK;
    return _wcsicmp(control.className.c_str(), L"Button") == 0 &&
           (kind == BS_CHECKBOX || kind == BS_AUTOCHECKBOX || kind == BS_3STATE || kind == BS_AUTO3STATE);
}

bool IsChecked(HWND button) {
    DWORD_PTR state = 0;
    SendMessageTimeoutW(button, BM_GETCHECK, 0, 0, SMTO_ABORTIFHUNG, 2000, &state);
    return state == BST_CHECKED;
}

bool IsMultiLineEdit(const ControlInfo& control) {
    return _wcsicmp(control.className.c_str(), L"Edit") == 0 && (control.style & ES_MULTILINE);
}

bool IsSingleLineEdit(const ControlInfo& control) {
    return _wcsicmp(control.className.c_str(), L"Edit") == 0 && !(control.style & ES_MULTILINE);
}

bool IsMessageBoxLike(HWND hwnd) { return ClassOf(hwnd) == L"#32770"; }

void Click(HWND button) { PostMessageW(button, BM_CLICK, 0, 0); }

std::optional<unsigned> AnswerTime(HWND hwnd, unsigned timeoutMs) {
    const auto start = Now();
    DWORD_PTR result = 0;
    if (!SendMessageTimeoutW(hwnd, WM_NULL, 0, 0, SMTO_NORMAL, timeoutMs, &result)) return std::nullopt;
    return static_cast<unsigned>(Now() - start);
}

std::optional<unsigned> RepaintTime(HWND hwnd, unsigned timeoutMs) {
    const auto start = Now();
    InvalidateRect(hwnd, nullptr, FALSE);
    while (GetUpdateRect(hwnd, nullptr, FALSE)) {
        if (Now() - start > timeoutMs) return std::nullopt;
        Sleep(5);
    }
    return static_cast<unsigned>(Now() - start);
}

}  // namespace driver
