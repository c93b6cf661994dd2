#include "job_fixture.h"

#include "platform/text.h"

#include <gtest/gtest.h>

namespace testing_support {

HostTree::HostTree() {
    MakeDirs(host);
    MakeDirs(stick);
}

void HostTree::files(const std::wstring& folder, const std::vector<std::wstring>& relative) const {
    for (const auto& name : relative) {
        const std::wstring path = folder + L"\\" + name;
        MakeDirs(path.substr(0, path.rfind(L'\\')));
        WriteFileBytes(path, Narrow(name));
    }
}

std::wstring HostTree::log() const {
    const std::string bytes = ReadFileBytes(host + L"\\ZOR-Portavex.log");
    EXPECT_EQ(bytes.substr(0, 3), "\xEF\xBB\xBF");
    return bytes.size() < 3 ? std::wstring() : rt::Utf8ToWide(bytes.substr(3));
}

std::vector<std::wstring> Lines(const std::wstring& text) {
    std::vector<std::wstring> lines;
    std::size_t from = 0;
    for (std::size_t at; (at = text.find(L"\r\n", from)) != std::wstring::npos; from = at + 2)
        lines.push_back(text.substr(from, at - from));
    lines.push_back(text.substr(from));
    return lines;
}

}  // namespace testing_support
