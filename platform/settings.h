#pragma once
// Numbered runtime settings and line output (QOUT).
//  7: default folder for tables opened by bare name
// 17: line output to the console ("ON"/"OFF")
// 23: line output to the extra file ("ON"/"OFF")
// 24: the extra file's name; an empty name closes it
// The others (8, 40, 41, 43) are stored and read nowhere.
#include <string>
#include <variant>

namespace rt {

using SettingValue = std::variant<long, std::wstring>;

// Sets a setting and returns its previous value. For 24 the flag says whether
// to append to an existing file (false: the file is begun afresh); a file
// that cannot be opened raises an error.
SettingValue SET(int number, const SettingValue& value, bool append = false);
SettingValue SETTING(int number);

// Writes a line break (CR LF), then the text, to every output in force.
void QOUT(std::wstring_view text);

// Flushes and closes the extra file, if one is open.
void CloseExtraOutput();

}  // namespace rt
