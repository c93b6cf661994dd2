#include "platform/text.h"

#include "platform/win.h"

#include <cmath>
#include <cwctype>

namespace rt {

namespace {
std::wstring PadLeft(std::wstring digits, int width) {
    if (static_cast<int>(digits.size()) < width) digits.insert(0, width - digits.size(), L' ');
    return digits;
}
}  // namespace

std::wstring STR(long long number, int width, int decimals) {
    if (decimals > 0) return STR(static_cast<double>(number), width, decimals);
    return PadLeft(std::to_wstring(number), width);
}

std::wstring STR(double number, int width, int decimals) {
    if (decimals <= 0) return PadLeft(std::to_wstring(std::llround(number)), width);
    wchar_t buffer[64];
    swprintf(buffer, 64, L"%.*f", decimals, number);
    return PadLeft(buffer, width);
}

std::wstring STRTRAN(std::wstring_view text, std::wstring_view search, std::wstring_view replacement) {
    if (search.empty()) return std::wstring(text);
    std::wstring result;
    std::size_t from = 0;
    for (std::size_t at; (at = text.find(search, from)) != std::wstring_view::npos; from = at + search.size()) {
        result.append(text.substr(from, at - from));
        result.append(replacement);
    }
    result.append(text.substr(from));
    return result;
}

std::size_t RAT(std::wstring_view search, std::wstring_view text) {
    if (search.empty()) return 0;
    const auto at = text.rfind(search);
    return at == std::wstring_view::npos ? 0 : at + 1;
}

std::wstring TRIM(std::wstring_view text) {
    const auto end = text.find_last_not_of(L' ');
    return std::wstring(end == std::wstring_view::npos ? std::wstring_view{} : text.substr(0, end + 1));
}

bool EMPTY(std::wstring_view text) {
    return text.find_first_not_of(L" \t\r\n") == std::wstring_view::npos;
}

std::wstring UPPER(std::wstring_view text) {
    std::wstring result(text);
    if (!result.empty()) CharUpperBuffW(result.data(), static_cast<DWORD>(result.size()));
    return result;
}

std::wstring RIGHT(std::wstring_view text, std::size_t count) {
    return std::wstring(count >= text.size() ? text : text.substr(text.size() - count));
}

std::wstring SUBSTR(std::wstring_view text, std::size_t start, std::size_t count) {
    if (start == 0 || start > text.size()) return {};
    return std::wstring(text.substr(start - 1, count));
}

std::wstring SPACE(std::size_t count) { return std::wstring(count, L' '); }

std::wstring CHR(int code) { return std::wstring(1, static_cast<wchar_t>(code)); }

bool BeginsWith(std::wstring_view text, std::wstring_view word) {
    return text.size() >= word.size() && text.compare(0, word.size(), word) == 0;
}

namespace {
std::string FromWide(UINT codePage, std::wstring_view text, bool* lossless) {
    if (lossless) *lossless = true;
    if (text.empty()) return {};
    BOOL usedDefault = FALSE;
    BOOL* usedDefaultOut = (lossless && codePage != CP_UTF8) ? &usedDefault : nullptr;
    const DWORD flags = codePage == CP_UTF8 ? 0 : WC_NO_BEST_FIT_CHARS;
    const int size = static_cast<int>(text.size());
    const int bytes = WideCharToMultiByte(codePage, flags, text.data(), size, nullptr, 0, nullptr, usedDefaultOut);
    std::string result(bytes, '\0');
    WideCharToMultiByte(codePage, flags, text.data(), size, result.data(), bytes, nullptr, usedDefaultOut);
    if (lossless && usedDefault) *lossless = false;
    return result;
}

std::wstring ToWide(UINT codePage, std::string_view text) {
    if (text.empty()) return {};
    const int size = static_cast<int>(text.size());
    const int chars = MultiByteToWideChar(codePage, 0, text.data(), size, nullptr, 0);
    std::wstring result(chars, L'\0');
    MultiByteToWideChar(codePage, 0, text.data(), size, result.data(), chars);
    return result;
}
}  // namespace

std::string WideToAnsi(std::wstring_view text, bool* lossless) { return FromWide(CP_ACP, text, lossless); }
std::wstring AnsiToWide(std::string_view text) { return ToWide(CP_ACP, text); }
std::string WideToUtf8(std::wstring_view text) { return FromWide(CP_UTF8, text, nullptr); }
std::wstring Utf8ToWide(std::string_view text) { return ToWide(CP_UTF8, text); }

}  // namespace rt
