#pragma once
// Takes the place of the picker library when it is missing, built for the
// other bitness, or lacks its function: the same four parameters and the
// same effect on the result buffer.
#include <cstdint>

namespace dialog {

// Shows the system's folder picker titled `prompt`, opened at `startFolder`
// and owned by `owner`. A chosen folder is written into `buffer` (ANSI, zero
// terminated) when it fits; otherwise the user is told why and the buffer
// stays as it was, as it does on cancel. Returns 1 when a folder was written.
std::intptr_t BuiltInSelectFolder(const char* prompt, const char* startFolder, char* buffer, std::intptr_t owner);

}  // namespace dialog
