// The real program started as a user starts it, in a host installation on
// drive H:, against a table that is or is not free.
#include "app/dbesys.h"
#include "host_drive.h"
#include "platform/dbe.h"
#include "platform/errors.h"
#include "platform/settings.h"
#include "support/window_probe.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

using host_tests::kRoot;
using testing_support::ChildProcess;

const std::wstring kProgramFolder = kRoot + L"Programme\\ZOR";
const std::wstring kTable = kRoot + L"ZOR\\zr.dbf";
// As the box shows them: Windows breaks lines at CR LF.
const std::wstring kShownTextA =
    L"ZOR-Portavex kann unter diesem Benutzer \r\nnicht ausgeführt werden oder ist bereits aktiv!";
const std::wstring kShownTextB =
    L"ZOR-Portavex kann unter diesem Benutzer\r\nnicht ausgeführt werden oder ist bereits aktiv!";

ChildProcess StartProgram() { return ChildProcess(L"\"" + testing_support::ExePath() + L"\"", kProgramFolder); }

class RealProgramTest : public ::testing::Test {
protected:
    void SetUp() override {
        host_tests::RequireDrive();
        host_tests::EmptyDrive();
        testing_support::MakeDirs(kProgramFolder);
        host_tests::PutTable(kRoot + L"ZOR");
    }
    void TearDown() override { host_tests::EmptyDrive(); }

    // Starts the program and expects it to refuse with `shownText`, with an
    // unowned box, and to end with code 0 once the box is answered.
    static void ExpectRefusal(const std::wstring& shownText) {
        ChildProcess refused = StartProgram();
        ASSERT_TRUE(refused.started());
        HWND box = testing_support::WaitForWindow(refused.id(), L"System-Meldung");
        ASSERT_NE(box, nullptr) << "no refusal shown";
        EXPECT_EQ(testing_support::MessageBoxText(box), shownText);
        EXPECT_EQ(testing_support::OwnerOf(box), nullptr);
        EXPECT_TRUE(refused.running()) << "the box waits for the user";
        ASSERT_TRUE(testing_support::PressButton(box, L"OK"));
        EXPECT_EQ(refused.WaitForExit(), 0);
    }
    // Starts the program, expects its dialog, and closes it again.
    static void ExpectStartAndClose() {
        ChildProcess program = StartProgram();
        HWND dialog = testing_support::WaitForWindow(program.id(), L"ZOR-Portavex");
        ASSERT_NE(dialog, nullptr) << "the program did not start";
        PostMessageW(dialog, WM_CLOSE, 0, 0);
        EXPECT_EQ(program.WaitForExit(), 0);
    }
};

TEST_F(RealProgramTest, ASecondInstanceIsRefusedWithTextBWhileTheFirstRunsOn) {
    ChildProcess first = StartProgram();
    HWND dialog = testing_support::WaitForWindow(first.id(), L"ZOR-Portavex");
    ASSERT_NE(dialog, nullptr);
    EXPECT_TRUE(host_tests::HeldExclusively(kTable));

    ExpectRefusal(kShownTextB);

    EXPECT_TRUE(first.running());
    EXPECT_TRUE(IsWindowVisible(dialog));
    EXPECT_TRUE(host_tests::HeldExclusively(kTable)) << "the first still holds its table";
    PostMessageW(dialog, WM_CLOSE, 0, 0);
    EXPECT_EQ(first.WaitForExit(), 0);
    EXPECT_FALSE(host_tests::HeldExclusively(kTable)) << "released when the first ends";
}

struct Holder {
    const char* what;
    std::function<void()> hold;
    std::function<void()> release;
};

TEST_F(RealProgramTest, TheProgramStartsOnlyOnceTheOtherHolderHasLetTheTableGo) {
    rt::FileHandle hostApplication;
    const Holder holders[] = {
        {"a program that has not yet run its copy job",
         [] {
             DBESYS();
             rt::SET(7, kRoot + L"ZOR");
             rt::DBUSEAREA(false, L"", L"ZR", L"", false, false);
         },
         [] { rt::DBCLOSEALL(); }},
        {"the host application (shared, for writing)",
         [&] {
             hostApplication.reset(CreateFileW(kTable.c_str(), GENERIC_READ | GENERIC_WRITE,
                                               FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0,
                                               nullptr));
         },
         [&] { hostApplication.reset(); }},
    };
    for (const auto& holder : holders) {
        SCOPED_TRACE(holder.what);
        holder.hold();
        ASSERT_FALSE(host_tests::FreeForExclusiveUse(kTable));
        ExpectRefusal(kShownTextB);
        holder.release();
        ASSERT_TRUE(host_tests::FreeForExclusiveUse(kTable));
        ExpectStartAndClose();
    }
}

// Picks the target with the folder button (the picker stand-in answers
// from the program's environment) and runs the copy job; true once the job
// has ended ("beenden" usable again, "erstellen" not).
bool RunCopyJob(HWND dialog) {
    // The folder button shows a picture and no text.
    const bool picked = testing_support::PressButton(dialog, L"");
    HWND quitButton = testing_support::FindButton(dialog, L"beenden");
    if (!picked || !quitButton || !testing_support::PressButton(dialog, L"erstellen")) return false;
    const ULONGLONG deadline = GetTickCount64() + 20000;
    while (!IsWindowEnabled(quitButton) || IsWindowEnabled(testing_support::FindButton(dialog, L"erstellen"))) {
        if (GetTickCount64() > deadline) return false;
        Sleep(50);
    }
    return true;
}

TEST_F(RealProgramTest, ASecondInstanceStartsOnceTheFirstHasRunItsCopyJob) {
    ASSERT_TRUE(CopyFileW(ZOR_PICKER_DLL, (kProgramFolder + L"\\SelectFolder.dll").c_str(), FALSE));
    testing_support::WriteFileBytes(kProgramFolder + L"\\DEZiradu.bat", "@echo off\r\n");
    testing_support::MakeDirs(kRoot + L"Stick");
    // Only the first instance is asked for a target.
    SetEnvironmentVariableW(L"ZOR_PICKER_RESULT", (kRoot + L"Stick").c_str());
    ChildProcess first = StartProgram();
    SetEnvironmentVariableW(L"ZOR_PICKER_RESULT", nullptr);
    HWND dialog = testing_support::WaitForWindow(first.id(), L"ZOR-Portavex");
    ASSERT_NE(dialog, nullptr);
    ExpectRefusal(kShownTextB);

    ASSERT_TRUE(RunCopyJob(dialog));
    EXPECT_TRUE(testing_support::Exists(kRoot + L"Stick\\DEZiradu\\zr.dbf")) << "the job copied the table";
    EXPECT_FALSE(host_tests::HeldExclusively(kTable));
    ExpectStartAndClose();

    EXPECT_TRUE(first.running());
    PostMessageW(dialog, WM_CLOSE, 0, 0);
    EXPECT_EQ(first.WaitForExit(), 0);
}

TEST_F(RealProgramTest, WithoutATableTheStartIsRefusedWithTextA) {
    DeleteFileW(kTable.c_str());
    ExpectRefusal(kShownTextA);
}

}  // namespace
