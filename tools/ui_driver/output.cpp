#include "tools/ui_driver/output.h"

#include "platform/win.h"

#include <cstdio>

namespace driver {

namespace {
std::string ToUtf8(const std::wstring& text) {
    if (text.empty()) return {};
    const int bytes = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0,
                                          nullptr, nullptr);
    std::string out(bytes, '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), out.data(), bytes, nullptr,
                        nullptr);
    return out;
}
}  // namespace

std::string Quote(const std::wstring& text) {
    std::wstring escaped = L"\"";
    for (wchar_t c : text) {
        switch (c) {
        case L'\r': escaped += L"\\r"; break;
        case L'\n': escaped += L"\\n"; break;
        case L'\t': escaped += L"\\t"; break;
        case L'"': escaped += L"\\\""; break;
        case L'\\': escaped += L"\\\\"; break;
        default: escaped += c;
        }
    }
    return ToUtf8(escaped + L"\"");
}

std::wstring FromUtf8(const std::string& text) {
    if (text.empty()) return {};
    const int chars = MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring out(chars, L'\0');
    MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), out.data(), chars);
    return out;
}

void Say(const std::string& line) {
    // Written as bytes: the reader is a pipe, not a console.
    const std::string bytes = line + "\n";
    DWORD written = 0;
    WriteFile(GetStdHandle(STD_OUTPUT_HANDLE), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
}

}  // namespace driver
