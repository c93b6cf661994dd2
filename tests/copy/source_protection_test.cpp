// A target inside a source folder maps some copies onto host files that the
// job itself lists. Those copies fail like any other; the host's files stay
// as they were.
#include "app/globals.h"
#include "copy/stick_ok.h"
#include "job_dialog.h"
#include "job_fixture.h"
#include "support/test_support.h"

#include <gtest/gtest.h>

namespace {

using testing_support::CurrentFolder;
using testing_support::HostTree;
using testing_support::JobDialog;
using testing_support::ReadFileBytes;

const std::wstring kFailureHead = L"\r\n\r\nnicht alle Operationen erfolgreich abeschlossen!\r\n\r\n"
                                  L"folgende Dateien konnten nicht kopiert werden:";
const std::wstring kFailureTail = L"\r\n\r\nDie mobile Anwenung ist vermutlich nicht laufdfähig!";

struct SourceProtection : ::testing::Test {
    HostTree tree;
    CurrentFolder start{tree.host};
};

TEST_F(SourceProtection, AFileThatWouldLandOnAListedHostFileFailsInstead) {
    tree.files(tree.host, {L"jahr.dbf", L"Daten\\jahr.dbf", L"Daten\\neu.txt"});
    testing_support::WriteFileBytes(tree.host + L"\\Daten\\jahr.dbf", testing_support::MinimalDbf(4));
    JobDialog dialog(tree.host, tree.host, tree.host + L"\\Daten", false);
    stick_ok(L"DEZiradu");
    EXPECT_EQ(ReadFileBytes(tree.host + L"\\Daten\\jahr.dbf"), testing_support::MinimalDbf(4));
    const std::wstring shown = MLE->getData();
    ASSERT_GE(shown.size(), kFailureTail.size());
    EXPECT_EQ(shown.substr(shown.find(kFailureHead)),
              kFailureHead + L"\r\n" + tree.host + L"\\jahr.dbf" + kFailureTail);
    // The rest of the copy is made as usual, inside the target.
    EXPECT_EQ(ReadFileBytes(tree.host + L"\\Daten\\Daten\\jahr.dbf"), testing_support::MinimalDbf(4));
    EXPECT_EQ(ReadFileBytes(tree.host + L"\\Daten\\Daten\\neu.txt"), "Daten\\neu.txt");
}

// Two spellings of one folder (case, a doubled backslash) are still the host's files.
TEST(SourceProtectionSpelling, SpellingDoesNotHideAHostFile) {
    for (const std::wstring spelling : {L"\\DATEN", L"\\\\Daten\\"}) {
        HostTree tree;
        CurrentFolder start{tree.host};
        tree.files(tree.host, {L"jahr.dbf", L"Daten\\jahr.dbf"});
        JobDialog dialog(tree.host, tree.host, tree.host + spelling, false);
        stick_ok(L"DEZiradu");
        EXPECT_EQ(ReadFileBytes(tree.host + L"\\Daten\\jahr.dbf"), "Daten\\jahr.dbf") << testing_support::Narrow(spelling);
        EXPECT_NE(MLE->getData().find(kFailureHead + L"\r\n" + tree.host + L"\\jahr.dbf"), std::wstring::npos)
            << testing_support::Narrow(spelling);
    }
}

// The start folder picked as the target, own folder ticked: the data
// folder's launcher would replace the start folder's own launcher.
TEST_F(SourceProtection, TheLauncherNeverReplacesTheStartFoldersLauncher) {
    const std::wstring data = tree.root / L"ZOR-Daten";
    tree.files(data, {L"DEZiradu.bat", L"zr.dbf"});
    testing_support::WriteFileBytes(tree.host + L"\\DEZiradu.bat", "start folder launcher");
    JobDialog dialog(data, tree.host, tree.host);
    stick_ok(L"DEZiradu");
    EXPECT_EQ(ReadFileBytes(tree.host + L"\\DEZiradu.bat"), "start folder launcher");
    EXPECT_EQ(ReadFileBytes(tree.host + L"\\DEZiradu\\DEZiradu.bat"), "start folder launcher");
    EXPECT_EQ(ReadFileBytes(tree.host + L"\\DEZiradu\\zr.dbf"), "zr.dbf");
    const std::wstring shown = MLE->getData();
    EXPECT_EQ(shown.substr(shown.find(kFailureHead)),
              kFailureHead + L"\r\n" + data + L"\\DEZiradu.bat" + kFailureTail);
}

}  // namespace
