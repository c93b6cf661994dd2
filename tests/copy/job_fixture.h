#pragma once
// A host installation on disk for the copy job's tests: a folder ZOR (the
// start folder and, unless told otherwise, the data folder) and a target
// folder Stick, both under a fresh temporary folder.
#include "support/test_support.h"

#include <string>
#include <vector>

namespace testing_support {

struct HostTree {
    TempDir root;
    std::wstring host = root / L"ZOR";
    std::wstring stick = root / L"Stick";
    HostTree();
    // Files relative to `folder`, each holding its own name as content.
    void files(const std::wstring& folder, const std::vector<std::wstring>& relative) const;
    // The log in the start folder, decoded; checks its byte-order mark.
    std::wstring log() const;
};

// Splits a text at CR LF.
std::vector<std::wstring> Lines(const std::wstring& text);

}  // namespace testing_support
