// The real program, started as a user starts it.
#include "platform/files.h"
#include "platform/handles.h"
#include "platform/quit.h"
#include "platform/errors.h"
#include "support/test_support.h"
#include "support/window_probe.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using testing_support::ChildProcess;
using testing_support::TempDir;

// A host installation: program folder with the table and the launcher.
void LayOutHost(const TempDir& host) {
    testing_support::WriteFileBytes(host / L"zr.dbf", testing_support::MinimalDbf());
    testing_support::WriteFileBytes(host / L"DEZiradu.bat", "@echo off\r\n");
}

// A first start in a fresh Wine prefix, beside other tests, can be slow.
constexpr unsigned kPatience = 90000;

std::wstring Quoted(const std::wstring& path) { return L"\"" + path + L"\""; }

TEST(Program, ShowsItsDialogAndEndsWithCodeZeroWhenClosed) {
    TempDir host;
    LayOutHost(host);
    const std::wstring probe = rt::LongPath(L"C:\\windows\\system32\\zor.sys");
    DeleteFileW(probe.c_str());

    ChildProcess program(Quoted(testing_support::ExePath()), host.path());
    ASSERT_TRUE(program.started());
    HWND dialog = testing_support::WaitForWindow(program.id(), L"ZOR-Portavex", kPatience);
    ASSERT_NE(dialog, nullptr);
    EXPECT_TRUE(rt::FILE(L"C:\\windows\\system32\\zor.sys")) << "the probe file is created at start-up";

    PostMessageW(dialog, WM_CLOSE, 0, 0);
    EXPECT_EQ(program.WaitForExit(kPatience), 0);
}

TEST(Program, RefusesToRunOnAnOlderRuntimeLayerWithCode999) {
    TempDir host;
    LayOutHost(host);
    ChildProcess program(Quoted(testing_support::BuildDir() + L"\\tests\\ZOR-Portavex-oldrt.exe"), host.path());
    ASSERT_TRUE(program.started());
    EXPECT_EQ(program.WaitForExit(kPatience), 999);
}

std::wstring VersionString(const std::vector<char>& block, const wchar_t* name) {
    wchar_t* value = nullptr;
    UINT length = 0;
    const std::wstring key = std::wstring(L"\\StringFileInfo\\040704B0\\") + name;
    if (!VerQueryValueW(block.data(), key.c_str(), reinterpret_cast<void**>(&value), &length) || !value) return L"?";
    return std::wstring(value, length > 0 ? length - 1 : 0);
}

TEST(Program, CarriesItsVersionResource) {
    const std::wstring exe = testing_support::ExePath();
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeW(exe.c_str(), &ignored);
    ASSERT_GT(size, 0u);
    std::vector<char> block(size);
    ASSERT_TRUE(GetFileVersionInfoW(exe.c_str(), 0, size, block.data()));

    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueW(block.data(), L"\\", reinterpret_cast<void**>(&fixed), &length));
    EXPECT_EQ(fixed->dwFileVersionMS, MAKELONG(6, 1));
    EXPECT_EQ(fixed->dwFileVersionLS, 0u);
    EXPECT_EQ(fixed->dwProductVersionMS, MAKELONG(6, 1));
    EXPECT_EQ(fixed->dwProductVersionLS, 0u);

    EXPECT_EQ(VersionString(block, L"FileVersion"), L" 1.06.00");
    EXPECT_EQ(VersionString(block, L"ProductVersion"), L" 1.06");
    EXPECT_EQ(VersionString(block, L"FileDescription"), L"ZOR-Portavex");
    EXPECT_EQ(VersionString(block, L"InternalName"), L"ZOR-Portavex");
    EXPECT_EQ(VersionString(block, L"ProductName"), L"ZOR-Portavex");
    EXPECT_EQ(VersionString(block, L"OriginalFilename"), L"ZOR-Portavex.exe");
}

TEST(Program, ImagesAreTheStatedFormats) {
    HMODULE self = GetModuleHandleW(nullptr);
    rt::GdiObject bitmap(LoadImageW(self, MAKEINTRESOURCEW(201), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
    ASSERT_TRUE(bitmap.valid());
    DIBSECTION dib{};
    ASSERT_EQ(GetObjectW(bitmap.get(), sizeof dib, &dib), static_cast<int>(sizeof dib));
    EXPECT_EQ(dib.dsBmih.biWidth, 25);
    EXPECT_EQ(dib.dsBmih.biHeight, 25);
    EXPECT_EQ(dib.dsBmih.biBitCount, 8);
    EXPECT_EQ(dib.dsBmih.biCompression, static_cast<DWORD>(BI_RGB));

    HRSRC icons = FindResourceW(self, MAKEINTRESOURCEW(100), RT_GROUP_ICON);
    ASSERT_NE(icons, nullptr);
    const auto* group = static_cast<const BYTE*>(LockResource(LoadResource(self, icons)));
    const WORD count = *reinterpret_cast<const WORD*>(group + 4);
    EXPECT_EQ(count, 1);
    const BYTE* entry = group + 6;  // width, height, colours, reserved, planes, bit count
    EXPECT_EQ(entry[0], 48);
    EXPECT_EQ(entry[1], 48);
    EXPECT_EQ(*reinterpret_cast<const WORD*>(entry + 6), 8);
}

TEST(StandardErrorHandling, ShowsWhatFailedAndEndsWithANonZeroCode) {
    EXPECT_EXIT(
        {
            testing_support::BoxRecorder boxes;
            rt::ERRORSYS();
            rt::RegisterExitProcedure([] {});
            rt::RaiseError({L"Datei kopieren", L"C:\\ZOR\\zr.dbf", ERROR_ACCESS_DENIED});
            // Not reached: the standard routine ends the program.
            std::exit(0);
        },
        ::testing::ExitedWithCode(1), "");
}

TEST(StandardErrorHandling, NamesTheFailedOperationInGerman) {
    const rt::Error error{L"Datei kopieren", L"C:\\ZOR\\zr.dbf", ERROR_ACCESS_DENIED};
    const std::wstring text = error.description();
    EXPECT_NE(text.find(L"Fehler bei: Datei kopieren"), std::wstring::npos);
    EXPECT_NE(text.find(L"C:\\ZOR\\zr.dbf"), std::wstring::npos);
    EXPECT_NE(text.find(L"Windows-Fehler 5"), std::wstring::npos);
}

TEST(StandardErrorHandling, ShowsTheBoxBeforeTheProgramEnds) {
    struct Quit {};
    testing_support::BoxRecorder boxes;
    rt::ERRORSYS();
    rt::RegisterExitProcedure([] { throw Quit{}; });
    EXPECT_THROW(rt::RaiseError({L"Fenster erzeugen", L"EDIT", 0}), Quit);
    ASSERT_EQ(boxes.requests.size(), 1u);
    EXPECT_EQ(boxes.requests[0].title, L"ZOR-Portavex - Fehler");
    EXPECT_NE(boxes.requests[0].text.find(L"Fenster erzeugen"), std::wstring::npos);
    rt::ERRORBLOCK(nullptr);
}

}  // namespace
