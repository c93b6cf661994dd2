#pragma once
// Results go to stdout as UTF-8 lines; texts are quoted with C escapes so
// that CR, LF and quotes survive the trip to the test.
#include <string>

namespace driver {

std::string Quote(const std::wstring& text);
std::wstring FromUtf8(const std::string& text);
void Say(const std::string& line);

}  // namespace driver
