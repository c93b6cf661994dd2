#include "platform/env.h"

#include "platform/win.h"

namespace rt {

std::wstring GETENV(const std::wstring& name) {
    const DWORD needed = GetEnvironmentVariableW(name.c_str(), nullptr, 0);
    if (needed == 0) return {};
    std::wstring value(needed, L'\0');
    value.resize(GetEnvironmentVariableW(name.c_str(), value.data(), needed));
    return value;
}

namespace {
std::wstring CurrentFolder() {
    const DWORD needed = GetCurrentDirectoryW(0, nullptr);
    std::wstring folder(needed, L'\0');
    folder.resize(GetCurrentDirectoryW(needed, folder.data()));
    return folder;
}
}  // namespace

std::wstring CURDRIVE() {
    const std::wstring folder = CurrentFolder();
    return folder.size() >= 2 && folder[1] == L':' ? folder.substr(0, 1) : std::wstring();
}

std::wstring CURDIR() {
    const std::wstring folder = CurrentFolder();
    if (folder.size() < 3 || folder[1] != L':') return folder;
    std::wstring rest = folder.substr(3);
    while (!rest.empty() && rest.back() == L'\\') rest.pop_back();
    return rest;
}

std::wstring WindowsName(unsigned major, unsigned minor, unsigned build) {
    if (major == 5 && minor >= 1) return L"Windows XP";
    if (major == 5) return L"Windows 2000";
    if (major == 6 && minor == 0) return L"Windows Vista";
    if (major == 6 && minor == 1) return L"Windows 7";
    if (major == 6 && minor == 2) return L"Windows 8";
    if (major == 6 && minor == 3) return L"Windows 8.1";
    if (major == 10 && build >= 22000) return L"Windows 11";
    if (major == 10) return L"Windows 10";
    return L"Windows NT " + std::to_wstring(major) + L"." + std::to_wstring(minor);
}

std::wstring OS() {
    // GetVersionEx answers what the manifest admits to; ntdll tells the truth.
    using RtlGetVersionFn = LONG(WINAPI*)(OSVERSIONINFOW*);
    OSVERSIONINFOW info{};
    info.dwOSVersionInfoSize = sizeof info;
    auto rtlGetVersion = reinterpret_cast<RtlGetVersionFn>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "RtlGetVersion")));
    if (!rtlGetVersion || rtlGetVersion(&info) != 0) return L"Windows";
    return WindowsName(info.dwMajorVersion, info.dwMinorVersion, info.dwBuildNumber);
}

std::wstring DTOC_DATE() {
    wchar_t buffer[80];
    const int length = GetDateFormatW(LOCALE_USER_DEFAULT, DATE_SHORTDATE, nullptr, nullptr, buffer, 80);
    return length > 0 ? std::wstring(buffer, length - 1) : std::wstring();
}

std::wstring TIME() {
    SYSTEMTIME now;
    GetLocalTime(&now);
    wchar_t buffer[16];
    swprintf(buffer, 16, L"%02u:%02u:%02u", now.wHour, now.wMinute, now.wSecond);
    return buffer;
}

}  // namespace rt
