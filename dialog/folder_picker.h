#pragma once
// The folder button: the picker library "SelectFolder.dll", loaded for each
// press, or the system's folder picker when the library cannot serve.
#include <cstddef>
#include <cstdint>
#include <string>

namespace dialog {

// The picker's result buffer, cFolder, is this many bytes of ANSI text.
constexpr std::size_t kFolderBufferBytes = 80;

// The folder button's step: picks a folder starting at SLE's text and puts
// the choice, without trailing blanks, into SLE.
void PickFolder();

// Calls the picker with the prompt, the start folder, `folder` as its result
// buffer and the owner window; returns the picker's result.
std::intptr_t SelectFolder(const std::wstring& prompt, const std::wstring& startFolder, std::wstring& folder,
                           std::intptr_t owner);

}  // namespace dialog
