#pragma once
// Finding and opening the file of a table.
#include "platform/handles.h"

#include <string>

namespace rt {

// The file of `table` in `folder` (empty: the current folder): a bare name
// gets the extension ".dbf". When no file has exactly that name, a file in
// the folder whose name differs only in letter case is taken.
std::wstring TableFilePath(const std::wstring& folder, const std::wstring& table);

// The name of the entry of `folder` that equals `name` without regard to
// letter case; empty when there is none.
std::wstring FindNameIgnoringCase(const std::wstring& folder, const std::wstring& name);

// Outcome of opening a table file.
struct TableOpen {
    FileHandle file;
    unsigned long osCode = 0;  // 0: open and a dBASE table
    bool notATable = false;    // opened, but not a dBASE table
};
TableOpen OpenTableFile(const std::wstring& path, bool shared, bool readOnly);

}  // namespace rt
