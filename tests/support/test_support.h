#pragma once
// Helpers shared by the tests: temporary folders on disk, file contents,
// recorded message boxes.
#include "platform/boxes.h"

#include <cstdint>
#include <string>
#include <vector>

namespace testing_support {

// A fresh folder under %TEMP%, removed with everything in it at the end.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    const std::wstring& path() const { return path_; }
    // path() + "\" + relative
    std::wstring operator/(const std::wstring& relative) const;

private:
    std::wstring path_;
};

void WriteFileBytes(const std::wstring& path, const std::string& bytes);
std::string ReadFileBytes(const std::wstring& path);
void MakeDirs(const std::wstring& path);  // with all missing parents
void RemoveTree(const std::wstring& path);
bool Exists(const std::wstring& path);
std::string Narrow(const std::wstring& text);  // UTF-8, for readable failure messages

// Answers every box with its first button and records what was asked.
class BoxRecorder {
public:
    BoxRecorder();
    ~BoxRecorder();
    std::vector<rt::BoxRequest> requests;

private:
    rt::BoxResponder previous_;
};

// The current folder, changed for the lifetime of the object.
class CurrentFolder {
public:
    explicit CurrentFolder(const std::wstring& folder);
    ~CurrentFolder();

private:
    std::wstring previous_;
};

std::wstring ExePath();    // the built ZOR-Portavex.exe
std::wstring BuildDir();   // the build folder
std::wstring SourceDir();  // the source tree

}  // namespace testing_support

namespace testing_support {

// A small valid dBASE III table (two character fields, `records` rows),
// as the host keeps its main table.
std::string MinimalDbf(int records = 2);

}  // namespace testing_support
