#pragma once
// Files and folders. Paths of any length work: they are handed to Windows in
// their long form (\\?\), after the usual normalisation of the short form.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace rt {

struct DirEntry {
    std::wstring name;        // column 1
    std::uint64_t size = 0;   // column 2
    std::wstring attributes;  // column 5: letters of "RHSDA"
};

// Entries matching `mask` (folder + "*"). Folders, hidden and system entries
// are included only when the selector names them ("D", "H", "S"). Empty when
// nothing is found or the folder cannot be read.
std::vector<DirEntry> DIRECTORY(const std::wstring& mask, const std::wstring& selector);

// Makes one folder; 0 on success, else the Windows error code. Raises nothing.
unsigned long CREATEDIR(const std::wstring& path);

// Copies a whole file, replacing an existing target (also a hidden or
// read-only one); timestamps and attributes travel with it. Never touches
// the source: a target that is the source itself fails. Failure raises an
// error.
void COPYFILE(const std::wstring& source, const std::wstring& target);
// The same copy, answering 0 or the Windows error code instead of raising;
// safe on any thread.
unsigned long TryCopyFile(const std::wstring& source, const std::wstring& target);

bool FILE(const std::wstring& path);

// Creates (or empties) a file and keeps it open until the process ends.
// Returns a handle number, or -1 when it cannot be created.
std::intptr_t FCREATE(const std::wstring& path, int attribute);

// Who a file or folder is, links followed: equal for two spellings of one
// path and for a link and its target.
struct FileIdentity {
    unsigned long volume = 0;
    std::uint64_t index = 0;
    bool operator==(const FileIdentity&) const = default;
};
// Empty when the path cannot be opened.
std::optional<FileIdentity> IDENTITY(const std::wstring& path);

// The long form of a path for the wide file APIs.
std::wstring LongPath(const std::wstring& path);

// One key for every spelling of a path (letter case, doubled backslashes),
// to tell whether two paths name the same file.
std::wstring PathKey(const std::wstring& path);

}  // namespace rt
