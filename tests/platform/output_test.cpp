#include "platform/errors.h"
#include "platform/settings.h"
#include "support/test_support.h"

#include <gtest/gtest.h>

namespace {

using testing_support::ReadFileBytes;
using testing_support::TempDir;

const std::string kBom = "\xEF\xBB\xBF";

void RedirectInto(const std::wstring& file) {
    rt::SET(17, std::wstring(L"OFF"));
    rt::SET(24, file, false);
    rt::SET(23, std::wstring(L"ON"));
}

void EndRedirection() {
    rt::SET(23, std::wstring(L"OFF"));
    rt::SET(24, std::wstring());
    rt::SET(17, std::wstring(L"ON"));
}

TEST(LineOutput, WritesCrLfBeforeEachLineAndNoneAfterTheLast) {
    TempDir dir;
    const std::wstring log = dir / L"ZOR-Portavex.log";
    RedirectInto(log);
    rt::QOUT(L"11.12.2026  10:00:00");
    rt::QOUT(L" ");
    rt::QOUT(L"  ");
    EndRedirection();
    EXPECT_EQ(ReadFileBytes(log), kBom + "\r\n11.12.2026  10:00:00\r\n \r\n  ");
}

TEST(LineOutput, BeginsTheFileAfreshEachTime) {
    TempDir dir;
    const std::wstring log = dir / L"ZOR-Portavex.log";
    testing_support::WriteFileBytes(log, "old content that must go\r\n");
    RedirectInto(log);
    rt::QOUT(L"first");
    EndRedirection();
    RedirectInto(log);
    rt::QOUT(L"second");
    EndRedirection();
    EXPECT_EQ(ReadFileBytes(log), kBom + "\r\nsecond");
}

TEST(LineOutput, KeepsEveryCharacterOfAPath) {
    TempDir dir;
    const std::wstring log = dir / L"ZOR-Portavex.log";
    RedirectInto(log);
    rt::QOUT(L"C:\\Zoranthek\\Daten Übersicht\\\u4e2d\u6587\\\u0141\u00f3d\u017a.txt");
    EndRedirection();
    EXPECT_EQ(ReadFileBytes(log), kBom + "\r\nC:\\Zoranthek\\Daten \xC3\x9C" "bersicht\\\xE4\xB8\xAD\xE6\x96\x87\\"
                                         "\xC5\x81\xC3\xB3" "d\xC5\xBA.txt");
}

TEST(LineOutput, GoesNowhereOnceTheFileIsClosed) {
    TempDir dir;
    const std::wstring log = dir / L"ZOR-Portavex.log";
    RedirectInto(log);
    rt::QOUT(L"inside");
    EndRedirection();
    rt::QOUT(L"after");
    EXPECT_EQ(ReadFileBytes(log), kBom + "\r\ninside");
}

TEST(LineOutput, AFileThatCannotBeOpenedRaisesAnError) {
    TempDir dir;
    std::vector<rt::Error> raised;
    auto previous = rt::ERRORBLOCK([&](const rt::Error& e) { raised.push_back(e); });
    rt::SET(24, dir / L"no such folder\\ZOR-Portavex.log", false);
    rt::ERRORBLOCK(previous);
    ASSERT_EQ(raised.size(), 1u);
    EXPECT_NE(raised[0].subject.find(L"ZOR-Portavex.log"), std::wstring::npos);
    rt::SET(24, std::wstring());
}

TEST(Settings, ReturnThePreviousValue) {
    rt::SET(41, 7L);
    const rt::SettingValue previous = rt::SET(41, 1L);
    EXPECT_EQ(std::get<long>(previous), 7);
    EXPECT_EQ(std::get<long>(rt::SETTING(41)), 1);
    rt::SET(7, std::wstring(L"C:\\ZOR"));
    EXPECT_EQ(std::get<std::wstring>(rt::SETTING(7)), L"C:\\ZOR");
}

}  // namespace
