// The released programs (64 and 32 bit) carry the version resource that
// Windows shows in the file's properties.
#include "platform/win.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

struct VersionInfo {
    std::vector<char> block;
    std::wstring stringTable;  // "\StringFileInfo\<language><codepage>\"

    explicit VersionInfo(const std::wstring& exe) {
        DWORD ignored = 0;
        const DWORD size = GetFileVersionInfoSizeW(exe.c_str(), &ignored);
        if (size == 0) return;
        block.resize(size);
        if (!GetFileVersionInfoW(exe.c_str(), 0, size, block.data())) {
            block.clear();
            return;
        }
        struct Translation {
            WORD language;
            WORD codePage;
        }* translation = nullptr;
        UINT length = 0;
        if (VerQueryValueW(block.data(), L"\\VarFileInfo\\Translation", reinterpret_cast<void**>(&translation),
                           &length) &&
            length >= sizeof(Translation)) {
            wchar_t key[32];
            swprintf(key, 32, L"\\StringFileInfo\\%04x%04x\\", translation->language, translation->codePage);
            stringTable = key;
        }
    }

    const VS_FIXEDFILEINFO* fixed() const {
        VS_FIXEDFILEINFO* info = nullptr;
        UINT length = 0;
        if (block.empty() || !VerQueryValueW(block.data(), L"\\", reinterpret_cast<void**>(&info), &length))
            return nullptr;
        return info;
    }

    std::wstring value(const std::wstring& name) const {
        wchar_t* text = nullptr;
        UINT length = 0;
        if (block.empty() || !VerQueryValueW(block.data(), (stringTable + name).c_str(),
                                             reinterpret_cast<void**>(&text), &length))
            return L"<missing>";
        return std::wstring(text, length > 0 ? length - 1 : 0);
    }
};

class ReleasedProgram : public testing::TestWithParam<const wchar_t*> {};

TEST_P(ReleasedProgram, CarriesTheVersionResource) {
    const VersionInfo info(GetParam());
    ASSERT_FALSE(info.block.empty()) << "no version resource";
    const VS_FIXEDFILEINFO* fixed = info.fixed();
    ASSERT_NE(fixed, nullptr);
    EXPECT_EQ(fixed->dwFileVersionMS, MAKELONG(6, 1));
    EXPECT_EQ(fixed->dwFileVersionLS, 0u);
    EXPECT_EQ(fixed->dwProductVersionMS, MAKELONG(6, 1));
    EXPECT_EQ(fixed->dwProductVersionLS, 0u);
    const struct {
        const wchar_t* name;
        const wchar_t* value;
    } strings[] = {
        {L"FileVersion", L" 1.06.00"},          {L"ProductVersion", L" 1.06"},
        {L"FileDescription", L"ZOR-Portavex"},  {L"InternalName", L"ZOR-Portavex"},
        {L"ProductName", L"ZOR-Portavex"},      {L"OriginalFilename", L"ZOR-Portavex.exe"},
    };
    for (const auto& entry : strings) EXPECT_EQ(info.value(entry.name), entry.value) << "entry " << entry.name;
}

INSTANTIATE_TEST_SUITE_P(BothBuilds, ReleasedProgram, testing::Values(ZOR_EXE64_PATH, ZOR_EXE32_PATH));

}  // namespace
