#pragma once
// The drive H:, mapped for these tests to a folder of the build: host
// installations are laid out on it from its root.
#include "platform/files.h"
#include "platform/handles.h"
#include "support/test_support.h"

#include <gtest/gtest.h>

#include <string>

namespace host_tests {

inline const std::wstring kDrive = L"H";
inline const std::wstring kRoot = L"H:\\";

// Removes everything below the drive's root.
inline void EmptyDrive() {
    for (const rt::DirEntry& entry : rt::DIRECTORY(kRoot + L"*", L"DHS")) {
        if (entry.name == L"." || entry.name == L"..") continue;
        const std::wstring path = kRoot + entry.name;
        if (entry.attributes.find(L'D') != std::wstring::npos) {
            testing_support::RemoveTree(path);
        } else {
            SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
            DeleteFileW(path.c_str());
        }
    }
}

// A folder (with its parents) holding a valid host table named `fileName`.
inline void PutTable(const std::wstring& folder, const std::wstring& fileName = L"zr.dbf") {
    testing_support::MakeDirs(folder);
    testing_support::WriteFileBytes(folder + (folder.back() == L'\\' ? L"" : L"\\") + fileName,
                                    testing_support::MinimalDbf());
}

// Fails the test at once when the drive is not mapped (the tests run under ctest).
inline void RequireDrive() {
    ASSERT_NE(GetFileAttributesW(kRoot.c_str()), INVALID_FILE_ATTRIBUTES)
        << "drive H: is not mapped; run the host tests through ctest";
}

// True while some handle holds `path` so that no other may open it.
inline bool HeldExclusively(const std::wstring& path) {
    rt::FileHandle probe(CreateFileW(path.c_str(), GENERIC_READ,
                                     FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                     0, nullptr));
    return !probe && GetLastError() == ERROR_SHARING_VIOLATION;
}

// True when `path` can be opened exclusively for writing, as the program opens its table.
inline bool FreeForExclusiveUse(const std::wstring& path) {
    return rt::FileHandle(CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0,
                                      nullptr))
        .valid();
}

}  // namespace host_tests
