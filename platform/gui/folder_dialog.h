#pragma once
// The system's own folder picker.
#include <cstdint>
#include <optional>
#include <string>

namespace gui {

// Shows a modal folder picker owned by `owner`, titled `title`, opened at
// `startFolder` (when it exists). The chosen folder's full path, or nullopt
// when the user cancels or no picker can be shown.
std::optional<std::wstring> ChooseFolder(const std::wstring& title, const std::wstring& startFolder,
                                         std::intptr_t owner);

}  // namespace gui
