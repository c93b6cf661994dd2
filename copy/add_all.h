#pragma once
// The listing of one host folder into the folder list and the file list.
#include <string>

// Appends to dirs and dateien, tagged `tag`, what the portable copy needs of
// `folder` (which ends with a backslash): every file of the folder itself and,
// at any depth, the folders whose names begin with "Auflistungen" or "Daten"
// (never "Datensicherung") with their files; the program's own files, the
// uninstaller and the updater are left out. Depth-first, each folder before
// its contents, in the order Windows lists them. Always true.
bool ADD_ALL(const std::wstring& folder, int tag);
