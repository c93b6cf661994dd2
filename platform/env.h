#pragma once
// Environment, current folder, operating system, date and time.
#include <string>

namespace rt {

std::wstring GETENV(const std::wstring& name);  // empty when not set
std::wstring CURDRIVE();  // drive letter of the current folder, without colon
std::wstring CURDIR();    // current folder below the drive's root, no leading backslash
std::wstring OS();        // e.g. "Windows 10", "Windows XP"
// Name of a Windows version as OS() gives it.
std::wstring WindowsName(unsigned major, unsigned minor, unsigned build);
std::wstring DTOC_DATE();  // today in the user's short date format
std::wstring TIME();       // now as hh:mm:ss

}  // namespace rt
