#include "app/dbesys.h"
#include "app/globals.h"
#include "app/host_lookup.h"
#include "app/main_window.h"
#include "host_drive.h"
#include "platform/dbe.h"
#include "platform/env.h"
#include "platform/errors.h"
#include "platform/quit.h"
#include "platform/settings.h"
#include "platform/text.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

using host_tests::kRoot;
using host_tests::PutTable;

const std::wstring kTitle = L"System-Meldung";
const std::wstring kTextA = L"ZOR-Portavex kann unter diesem Benutzer \rnicht ausgeführt werden oder ist bereits aktiv!";
const std::wstring kTextB = L"ZOR-Portavex kann unter diesem Benutzer\rnicht ausgeführt werden oder ist bereits aktiv!";

TEST(InstallationName, IsTheLastComponentCutTo50AndTrimmed) {
    const std::wstring sixty = L"ZOR Installation mit einem sehr langen Ordnernamen 1234567890";
    ASSERT_EQ(sixty.size(), 61u);
    const struct {
        std::wstring startFolder;
        std::wstring name;
    } cases[] = {
        {L"C:\\Programme\\ZOR", L"ZOR"},
        {L"C:\\ZOR", L"ZOR"},
        {L"C:\\", L""},
        {L"C:\\Programme\\" + sixty, sixty.substr(0, 50)},
        // The 50th character is a blank: it goes with the cut's trailing blanks.
        {L"C:\\Programme\\" + std::wstring(47, L'x') + L"   yyyyyyyyyy", std::wstring(47, L'x')},
        {L"C:\\Programme\\ZOR  ", L"ZOR"},
    };
    for (const auto& c : cases) EXPECT_EQ(InstallationName(c.startFolder), c.name) << rt::WideToUtf8(c.startFolder);
}

TEST(Candidates, AreBuiltByPlainConcatenation) {
    EXPECT_EQ(DriveCandidate(L"C", L"ZOR"), L"C:\\ZOR");
    EXPECT_EQ(AllUsersCandidate(L"C:\\ProgramData", L"ZOR"), L"C:\\ProgramData\\ZOR");
    // At a drive root: the drive root itself, and the profile with a trailing backslash.
    EXPECT_EQ(DriveCandidate(L"C", L""), L"C:\\");
    EXPECT_EQ(AllUsersCandidate(L"C:\\ProgramData", L""), L"C:\\ProgramData\\");
    EXPECT_EQ(DriveCandidate(L"C", L"") + L"\\zr.dbf", L"C:\\\\zr.dbf");
}

struct Quit {};

// Runs the lookup on drive H: as Main does, from a start folder, with an
// all-users profile folder, recording the boxes and the quit.
class HostLookupTest : public ::testing::Test {
protected:
    void SetUp() override {
        host_tests::RequireDrive();
        host_tests::EmptyDrive();
        for (const wchar_t* name : {L"DBFDBE", L"NTXDBE"}) rt::SetEngineAvailable(name, true);
        DBESYS();
        savedAllUsers_ = rt::GETENV(L"ALLUSERSPROFILE");
        savedFolder_ = rt::SETTING(7);
        SetAllUsers(kRoot + L"Alle Benutzer");
    }
    void TearDown() override {
        rt::DBCLOSEALL();
        rt::ERRORBLOCK(nullptr);
        rt::SET(7, savedFolder_);
        SetEnvironmentVariableW(L"ALLUSERSPROFILE", savedAllUsers_.c_str());
        for (const wchar_t* name : {L"DBFDBE", L"NTXDBE"}) rt::SetEngineAvailable(name, true);
        host_tests::EmptyDrive();
    }
    static void SetAllUsers(const std::wstring& folder) {
        SetEnvironmentVariableW(L"ALLUSERSPROFILE", folder.c_str());
    }

    // True when the lookup returned; false when it quit.
    bool Lookup(const std::wstring& startFolder) {
        testing_support::MakeDirs(startFolder);
        testing_support::CurrentFolder current(startFolder);
        Hauptpfad = StartFolder(rt::CURDRIVE(), rt::CURDIR());
        rt::RegisterExitProcedure([] { throw Quit{}; });
        testing_support::BoxRecorder recorder;
        bool returned = true;
        try {
            HostLookup();
        } catch (const Quit&) {
            returned = false;
        }
        boxes = recorder.requests;
        return returned;
    }
    void ExpectOpenIn(const std::wstring& folder) {
        EXPECT_TRUE(boxes.empty());
        EXPECT_EQ(Hauptpfad, folder);
        EXPECT_EQ(std::get<std::wstring>(rt::SETTING(7)), folder);
        EXPECT_TRUE(host_tests::HeldExclusively(folder + (folder.back() == L'\\' ? L"" : L"\\") + L"zr.dbf"));
    }
    void ExpectRefusal(const std::wstring& text) {
        ASSERT_EQ(boxes.size(), 1u);
        EXPECT_EQ(boxes[0].kind, rt::BoxRequest::Kind::Message);
        EXPECT_EQ(boxes[0].title, kTitle);
        EXPECT_EQ(boxes[0].text, text);
    }

    std::vector<rt::BoxRequest> boxes;

private:
    std::wstring savedAllUsers_;
    rt::SettingValue savedFolder_;
};

TEST_F(HostLookupTest, TheDriveCandidateWinsOverTheAllUsersProfile) {
    PutTable(kRoot + L"ZOR");
    PutTable(kRoot + L"Alle Benutzer\\ZOR");
    PutTable(kRoot + L"Programme\\ZOR");
    ASSERT_TRUE(Lookup(kRoot + L"Programme\\ZOR"));
    ExpectOpenIn(L"H:\\ZOR");
    EXPECT_FALSE(host_tests::HeldExclusively(kRoot + L"Alle Benutzer\\ZOR\\zr.dbf"));
}

TEST_F(HostLookupTest, OnlyTheAllUsersProfileHoldsTheTable) {
    PutTable(kRoot + L"Alle Benutzer\\ZOR");
    ASSERT_TRUE(Lookup(kRoot + L"Programme\\ZOR"));
    ExpectOpenIn(L"H:\\Alle Benutzer\\ZOR");
}

TEST_F(HostLookupTest, NeitherCandidateHoldsItButTheStartFolderDoes) {
    PutTable(kRoot + L"Programme\\ZOR");
    ASSERT_TRUE(Lookup(kRoot + L"Programme\\ZOR"));
    ExpectOpenIn(L"H:\\Programme\\ZOR");
}

TEST_F(HostLookupTest, ALongLastComponentNamesAShorterDataFolder) {
    const std::wstring sixty = L"ZOR Installation mit einem sehr langen Ordnernamen 123456789";
    ASSERT_EQ(sixty.size(), 60u);
    PutTable(kRoot + sixty.substr(0, 50));
    PutTable(kRoot + L"Programme\\" + sixty);
    ASSERT_TRUE(Lookup(kRoot + L"Programme\\" + sixty));
    ExpectOpenIn(kRoot + sixty.substr(0, 50));
}

TEST_F(HostLookupTest, AtADriveRootTheRootItselfIsTheFirstCandidate) {
    PutTable(kRoot);
    PutTable(kRoot + L"Alle Benutzer");
    ASSERT_TRUE(Lookup(kRoot));
    ExpectOpenIn(L"H:\\");
}

TEST_F(HostLookupTest, AtADriveRootTheAllUsersCandidateEndsInABackslash) {
    PutTable(kRoot + L"Alle Benutzer");
    ASSERT_TRUE(Lookup(kRoot));
    ExpectOpenIn(L"H:\\Alle Benutzer\\");
}

TEST_F(HostLookupTest, FindsTheTableWrittenInEitherCase) {
    for (const wchar_t* name : {L"ZR.DBF", L"zr.dbf"}) {
        host_tests::EmptyDrive();
        PutTable(kRoot + L"ZOR", name);
        ASSERT_TRUE(Lookup(kRoot + L"Programme\\ZOR")) << testing_support::Narrow(name);
        EXPECT_EQ(Hauptpfad, L"H:\\ZOR");
        EXPECT_TRUE(host_tests::HeldExclusively(kRoot + L"ZOR\\" + name));
        rt::DBCLOSEALL();
    }
}

struct RefusalCase {
    const char* what;
    std::function<void()> prepare;
    const std::wstring& text;
};

TEST_F(HostLookupTest, RefusesWithTextAOrBAndQuits) {
    const std::wstring table = kRoot + L"ZOR\\zr.dbf";
    rt::FileHandle holder;
    const RefusalCase cases[] = {
        {"no table anywhere", [] {}, kTextA},
        {"a corrupt table",
         [&] {
             testing_support::MakeDirs(kRoot + L"ZOR");
             testing_support::WriteFileBytes(table, testing_support::MinimalDbf().substr(0, 60));
         },
         kTextA},
        {"a read-only table",
         [&] {
             PutTable(kRoot + L"ZOR");
             SetFileAttributesW(table.c_str(), FILE_ATTRIBUTE_READONLY);
         },
         kTextA},
        {"no table engine",
         [&] {
             PutTable(kRoot + L"ZOR");
             rt::SetEngineAvailable(L"NTXDBE", false);
         },
         kTextA},
        {"the table held open elsewhere",
         [&] {
             PutTable(kRoot + L"ZOR");
             holder.reset(CreateFileW(table.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                      nullptr, OPEN_EXISTING, 0, nullptr));
         },
         kTextB},
    };
    for (const auto& c : cases) {
        host_tests::EmptyDrive();
        for (const wchar_t* name : {L"DBFDBE", L"NTXDBE"}) rt::SetEngineAvailable(name, true);
        DBESYS();
        c.prepare();
        EXPECT_FALSE(Lookup(kRoot + L"Programme\\ZOR")) << c.what;
        ExpectRefusal(c.text);
        holder.reset();
        rt::ERRORBLOCK(nullptr);
    }
}

}  // namespace
