#include "app/dbesys.h"
#include "host_drive.h"
#include "platform/dbe.h"
#include "platform/errors.h"
#include "platform/settings.h"
#include "platform/table_file.h"
#include "support/test_support.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using testing_support::TempDir;

void AllEnginesAvailable() {
    for (const wchar_t* name : {L"DBFDBE", L"NTXDBE"}) rt::SetEngineAvailable(name, true);
}

// Engines as a fresh program finds them, with `missing` uninstalled.
void FreshEngines(const std::vector<std::wstring>& missing) {
    for (const wchar_t* name : {L"DBFDBE", L"NTXDBE"}) rt::SetEngineAvailable(name, false);
    AllEnginesAvailable();
    for (const auto& name : missing) rt::SetEngineAvailable(name, false);
}

struct AlertCase {
    const char* what;
    std::vector<std::wstring> missing;
    std::vector<std::wstring> alerts;
};

TEST(Dbesys, AlertsEachFailedStepInOrderAndGoesOn) {
    const AlertCase cases[] = {
        {"all engines there", {}, {}},
        {"DBFDBE missing",
         {L"DBFDBE"},
         {L"Database-Engine DBFDBE nicht geladen", L"DBFNTX Database-Engine;konnte nicht erzeugt werden"}},
        {"both missing",
         {L"DBFDBE", L"NTXDBE"},
         {L"Database-Engine DBFDBE nicht geladen", L"Database-Engine NTXDBE nicht geladen",
          L"DBFNTX Database-Engine;konnte nicht erzeugt werden"}},
    };
    for (const auto& c : cases) {
        FreshEngines(c.missing);
        testing_support::BoxRecorder boxes;
        DBESYS();
        ASSERT_EQ(boxes.requests.size(), c.alerts.size()) << c.what;
        for (std::size_t i = 0; i < c.alerts.size(); ++i) {
            EXPECT_EQ(boxes.requests[i].kind, rt::BoxRequest::Kind::Alert) << c.what;
            EXPECT_EQ(boxes.requests[i].text, c.alerts[i]) << c.what;
            EXPECT_EQ(boxes.requests[i].buttons, std::vector<std::wstring>{L"OK"}) << c.what;
        }
    }
    AllEnginesAvailable();
}

TEST(Dbesys, SetsSetting41) {
    FreshEngines({});
    rt::SET(41, 0L);
    DBESYS();
    EXPECT_EQ(std::get<long>(rt::SETTING(41)), 1L);
}

TEST(Engines, BuildNeedsATableEngineAndAnOrderEngine) {
    FreshEngines({});
    ASSERT_TRUE(rt::DBELOAD(L"DBFDBE", true));
    ASSERT_TRUE(rt::DBELOAD(L"NTXDBE", true));
    EXPECT_FALSE(rt::DBELOAD(L"CDXDBE", true));
    EXPECT_FALSE(rt::DBEBUILD(L"NTXDBF", L"NTXDBE", L"DBFDBE"));
    EXPECT_FALSE(rt::DBESETDEFAULT(L"NTXDBF"));
    EXPECT_FALSE(rt::DBESETDEFAULT(L"NTXDBE")) << "an order engine opens no table";
    EXPECT_TRUE(rt::DBEBUILD(L"DBFNTX", L"DBFDBE", L"NTXDBE"));
    EXPECT_TRUE(rt::DBESETDEFAULT(L"DBFNTX"));
}

// Opens tables in a folder of its own and records the errors raised.
class TableOpenTest : public ::testing::Test {
protected:
    void SetUp() override {
        FreshEngines({});
        DBESYS();
        previousFolder_ = rt::SET(7, folder_.path());
        previousBlock_ = rt::ERRORBLOCK([this](const rt::Error& error) { errors_.push_back(error); });
    }
    void TearDown() override {
        rt::DBCLOSEALL();
        rt::ERRORBLOCK(std::move(previousBlock_));
        rt::SET(7, previousFolder_);
        AllEnginesAvailable();
    }
    void OpenHostTable() { rt::DBUSEAREA(false, L"", L"ZR", L"", false, false); }
    std::wstring Table(const std::wstring& name = L"zr.dbf") const { return folder_ / name; }

    TempDir folder_;
    std::vector<rt::Error> errors_;

private:
    rt::SettingValue previousFolder_;
    rt::ErrorBlock previousBlock_;
};

TEST_F(TableOpenTest, HoldsTheTableExclusivelyUntilAllTablesAreClosed) {
    testing_support::WriteFileBytes(Table(), testing_support::MinimalDbf());
    OpenHostTable();
    EXPECT_TRUE(errors_.empty());
    EXPECT_FALSE(rt::NETERR());
    rt::FileHandle reader(CreateFileW(Table().c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                      OPEN_EXISTING, 0, nullptr));
    EXPECT_FALSE(reader.valid()) << "nobody else may even read it";
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_SHARING_VIOLATION));

    rt::DBCLOSEALL();
    rt::FileHandle writer(CreateFileW(Table().c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0,
                                      nullptr));
    EXPECT_TRUE(writer.valid()) << "released";
}

TEST_F(TableOpenTest, FindsTheTableWhateverTheCaseOfItsName) {
    for (const wchar_t* name : {L"zr.dbf", L"ZR.DBF", L"Zr.Dbf"}) {
        testing_support::WriteFileBytes(Table(name), testing_support::MinimalDbf());
        OpenHostTable();
        EXPECT_TRUE(errors_.empty()) << testing_support::Narrow(name);
        EXPECT_TRUE(testing_support::Exists(Table(name)));
        rt::DBCLOSEALL();
        DeleteFileW(Table(name).c_str());
    }
}

TEST_F(TableOpenTest, LooksTheNameUpInTheFolderListing) {
    testing_support::WriteFileBytes(Table(L"ZR.DBF"), testing_support::MinimalDbf());
    testing_support::MakeDirs(Table(L"zr.dbf.d"));
    EXPECT_EQ(rt::FindNameIgnoringCase(folder_.path(), L"zr.dbf"), L"ZR.DBF");
    EXPECT_EQ(rt::FindNameIgnoringCase(folder_.path(), L"zr.dbf.D"), L"") << "folders are no tables";
    EXPECT_EQ(rt::FindNameIgnoringCase(folder_.path(), L"zr.ntx"), L"");
    EXPECT_EQ(rt::FindNameIgnoringCase(folder_ / L"fehlt", L"zr.dbf"), L"");
}

TEST_F(TableOpenTest, BuildsTheFileNameFromTheFolderWithOrWithoutItsBackslash) {
    testing_support::WriteFileBytes(Table(), testing_support::MinimalDbf());
    EXPECT_EQ(rt::TableFilePath(folder_.path(), L"ZR"), Table(L"ZR.dbf"));
    EXPECT_EQ(rt::TableFilePath(folder_.path() + L"\\", L"ZR"), Table(L"ZR.dbf"));
    rt::SET(7, folder_.path() + L"\\");
    OpenHostTable();
    EXPECT_TRUE(errors_.empty());
}

TEST_F(TableOpenTest, ATableHeldElsewhereSetsNeterrAndRaisesNothing) {
    testing_support::WriteFileBytes(Table(), testing_support::MinimalDbf());
    // As the host holds its table: shared, for reading and writing.
    rt::FileHandle host(CreateFileW(Table().c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                    nullptr, OPEN_EXISTING, 0, nullptr));
    ASSERT_TRUE(host.valid());
    OpenHostTable();
    EXPECT_TRUE(rt::NETERR());
    EXPECT_TRUE(errors_.empty());

    host.reset();
    OpenHostTable();
    EXPECT_FALSE(rt::NETERR()) << "the flag tells of the last open only";
    EXPECT_TRUE(errors_.empty());
}

struct FailureCase {
    const char* what;
    void (*prepare)(const std::wstring& table);
};

TEST_F(TableOpenTest, EveryOtherFailureRaisesAnError) {
    const FailureCase cases[] = {
        {"no table", [](const std::wstring&) {}},
        {"a corrupt table",
         [](const std::wstring& table) {
             testing_support::WriteFileBytes(table, testing_support::MinimalDbf().substr(0, 120));
         }},
        {"not a table", [](const std::wstring& table) { testing_support::WriteFileBytes(table, "Hallo\r\n"); }},
        {"a read-only table",
         [](const std::wstring& table) {
             testing_support::WriteFileBytes(table, testing_support::MinimalDbf());
             SetFileAttributesW(table.c_str(), FILE_ATTRIBUTE_READONLY);
         }},
        {"a folder of the table's name", [](const std::wstring& table) { testing_support::MakeDirs(table); }},
    };
    for (const auto& c : cases) {
        c.prepare(Table());
        errors_.clear();
        OpenHostTable();
        EXPECT_EQ(errors_.size(), 1u) << c.what;
        EXPECT_FALSE(rt::NETERR()) << c.what;
        EXPECT_FALSE(host_tests::HeldExclusively(Table())) << c.what;
        testing_support::RemoveTree(Table());
        SetFileAttributesW(Table().c_str(), FILE_ATTRIBUTE_NORMAL);
        DeleteFileW(Table().c_str());
    }
}

TEST_F(TableOpenTest, WithoutAnEngineTheOpenRaisesAnError) {
    testing_support::WriteFileBytes(Table(), testing_support::MinimalDbf());
    rt::SetEngineAvailable(L"DBFDBE", false);
    OpenHostTable();
    ASSERT_EQ(errors_.size(), 1u);
    EXPECT_NE(errors_[0].subject.find(L"Database-Engine"), std::wstring::npos);
    EXPECT_FALSE(rt::NETERR());
}

}  // namespace
