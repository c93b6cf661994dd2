#pragma once
// The list and text functions the program uses, on UTF-16 text.
#include <string>
#include <string_view>

namespace rt {

// A whole number right-aligned in `width` characters; a number wider than its
// field is written in full rather than cut or starred.
std::wstring STR(long long number, int width, int decimals = 0);
// A number rounded to `decimals` places, right-aligned in `width` characters.
std::wstring STR(double number, int width, int decimals);

std::wstring STRTRAN(std::wstring_view text, std::wstring_view search, std::wstring_view replacement);
// 1-based position of the last occurrence of `search`, or 0.
std::size_t RAT(std::wstring_view search, std::wstring_view text);
// Trailing blanks removed.
std::wstring TRIM(std::wstring_view text);
// True for an empty text and for one of blanks, tabs, CR and LF only.
bool EMPTY(std::wstring_view text);
std::wstring UPPER(std::wstring_view text);
std::wstring RIGHT(std::wstring_view text, std::size_t count);
// 1-based start; count npos means "to the end".
std::wstring SUBSTR(std::wstring_view text, std::size_t start, std::size_t count = std::wstring_view::npos);
std::wstring SPACE(std::size_t count);
std::wstring CHR(int code);
// True when `text` begins with `word` (a shorter text never does).
bool BeginsWith(std::wstring_view text, std::wstring_view word);

// Conversions at 8-bit interfaces.
std::string WideToAnsi(std::wstring_view text, bool* lossless = nullptr);
std::wstring AnsiToWide(std::string_view text);
std::string WideToUtf8(std::wstring_view text);
std::wstring Utf8ToWide(std::string_view text);

}  // namespace rt
