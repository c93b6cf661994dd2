#include "app/globals.h"
#include "copy/add_all.h"
#include "copy/stick_ok.h"
#include "job_dialog.h"
#include "job_fixture.h"
#include "platform/env.h"
#include "platform/handles.h"
#include "platform/text.h"

#include <gtest/gtest.h>

namespace {

using testing_support::BoxRecorder;
using testing_support::CurrentFolder;
using testing_support::Exists;
using testing_support::HostTree;
using testing_support::JobDialog;
using testing_support::Lines;
using testing_support::Narrow;
using testing_support::ReadFileBytes;

const std::wstring kSuccess =
    L"\r\n\r\n   alle Operationen wurden erfolgreich abeschlossen.\r\n   Sie können ZOR-Portavex jetzt beenden."
    L"\r\n\r\n   Viel Spaß mit Ihrer mobilen ZORZoranthek.";
const std::wstring kFailureHead = L"\r\n\r\nnicht alle Operationen erfolgreich abeschlossen!\r\n\r\n"
                                  L"folgende Dateien konnten nicht kopiert werden:";
const std::wstring kFailureTail = L"\r\n\r\nDie mobile Anwenung ist vermutlich nicht laufdfähig!";

std::wstring Headers(int folders, int folderStep, int files) {
    std::wstring text = L"\r\n" + rt::STR(folders, 5) + L"  Verzeichnisse müssen angelegt werden\r\n";
    if (folderStep > 0) text += rt::STR(folderStep, 10) + L" Verzeichnisse erfolgreich angelegt ...";
    return text + L"\r\n\r\n" + rt::STR(files, 5) + L"  Dateien müssen kopiert werden\r\n";
}

std::wstring FileStep(int count) { return rt::STR(count, 10) + L" Dateien erfolgreich kopiert ..."; }

// The worked example: own folder, two folders, three files.
struct WorkedExample : ::testing::Test {
    HostTree tree;
    CurrentFolder start{tree.host};
    WorkedExample() { tree.files(tree.host, {L"DEZiradu.bat", L"Daten\\zr.dbf", L"Auflistungen\\liste.txt"}); }

    // The files in the order the job will list them.
    std::vector<std::wstring> listedFiles() {
        dirs.clear();
        dateien.clear();
        ADD_ALL(tree.host + L"\\", 0);
        std::vector<std::wstring> files;
        for (const auto& entry : dateien) files.push_back(entry.path.substr(tree.host.size() + 1));
        return files;
    }

    std::wstring expectedLog(const std::wstring& own) const {
        std::wstring log = L" \r\n" + own + L" -> wird angelegt";
        for (const auto& entry : dirs)
            log += L"\r\n" + own + entry.path.substr(tree.host.size() + 1) + L" -> wird angelegt";
        log += L"\r\n ";
        for (const auto& entry : dateien)
            log += L"\r\n" + entry.path + L" -> " + own + entry.path.substr(tree.host.size() + 1);
        return log + L"\r\n  ";
    }
};

TEST_F(WorkedExample, AllGoodShowsTheSuccessTextAndLogsEveryStep) {
    JobDialog dialog(tree.host, tree.host, tree.stick);
    stick_ok(L"DEZiradu");
    const std::wstring own = tree.stick + L"\\DEZiradu\\";
    EXPECT_EQ(MLE->getData(), Headers(3, 3, 3) + FileStep(3) + kSuccess);
    EXPECT_EQ(dialog.shownProgress(), MLE->getData());
    EXPECT_EQ(SLE->getData(), own);

    const std::wstring log = tree.log();
    ASSERT_EQ(log.substr(0, 2), L"\r\n");
    const std::wstring dateLine = Lines(log)[1];
    const std::wstring date = rt::DTOC_DATE() + L"  ";
    EXPECT_EQ(dateLine.substr(0, date.size()), date);
    const std::wstring time = dateLine.substr(date.size());
    ASSERT_EQ(time.size(), 8u);
    EXPECT_TRUE(time[2] == L':' && time[5] == L':') << Narrow(time);
    EXPECT_EQ(log.substr(2 + dateLine.size() + 2), expectedLog(own));

    for (const auto& file : {L"DEZiradu.bat", L"Daten\\zr.dbf", L"Auflistungen\\liste.txt"})
        EXPECT_EQ(ReadFileBytes(own + file), Narrow(file));
    EXPECT_EQ(ReadFileBytes(tree.stick + L"\\DEZiradu.bat"), "DEZiradu.bat");  // beside the own folder too
    EXPECT_TRUE(pb1->isEnabled());
    EXPECT_FALSE(pb2->isEnabled());
}

TEST_F(WorkedExample, TheFirstAndThirdFileFailingAreListedInOrder) {
    const auto files = listedFiles();
    ASSERT_EQ(files.size(), 3u);
    // A folder where the copy should go: the copy cannot replace it.
    const std::wstring own = tree.stick + L"\\DEZiradu\\";
    testing_support::MakeDirs(own + files[0]);
    testing_support::MakeDirs(own + files[2]);
    JobDialog dialog(tree.host, tree.host, tree.stick);
    stick_ok(L"DEZiradu");
    const std::wstring source = tree.host + L"\\";
    EXPECT_EQ(MLE->getData(), Headers(3, 3, 3) + FileStep(2) + kFailureHead + L"\r\n" + source + files[0] +
                                  L"\r\n" + source + files[2] + kFailureTail);
    EXPECT_EQ(ReadFileBytes(own + files[1]), Narrow(files[1]));
    const auto lines = Lines(tree.log());
    EXPECT_EQ(lines.size(), 2u + 1 + 1 + 2 + 1 + 3 + 1);  // no line for a failure
}

struct CopyJob : ::testing::Test {
    HostTree tree;
    CurrentFolder start{tree.host};
};

TEST_F(CopyJob, AnEmptyTargetShowsTheHintAndChangesNothingButTheSourceFolders) {
    tree.files(tree.host, {L"DEZiradu.bat", L"Daten\\zr.dbf"});
    for (const std::wstring target : {L"", L" \t\r\n"}) {
        JobDialog dialog(tree.host, tree.host, target);
        MLE->setData(L"vorher");
        BoxRecorder boxes;
        stick_ok(L"DEZiradu");
        ASSERT_EQ(boxes.requests.size(), 1u);
        EXPECT_EQ(boxes.requests[0].text, L"Es wurde kein Verzeichnis zur Installation\rder mobilen ZOR-Anwendung gewählt!");
        EXPECT_EQ(boxes.requests[0].title, L"Hinweis");
        EXPECT_EQ(Hauptpfad, tree.host + L"\\");
        EXPECT_EQ(Standardpfad, tree.host + L"\\");
        EXPECT_EQ(SLE->getData(), target);
        EXPECT_EQ(MLE->getData(), L"vorher");
        EXPECT_TRUE(pb1->isEnabled());
        EXPECT_TRUE(pb2->isEnabled());
        EXPECT_TRUE(dirs.empty() && dateien.empty());
        EXPECT_FALSE(Exists(tree.host + L"\\ZOR-Portavex.log"));
        EXPECT_FALSE(Exists(tree.stick + L"\\DEZiradu"));
    }
}

// After a press with no target the source folders end with two backslashes;
// the next press still copies, and logs the paths as it built them.
TEST_F(CopyJob, APressAfterAnEmptyTargetCopiesWithDoubledBackslashes) {
    tree.files(tree.host, {L"DEZiradu.bat", L"Daten\\zr.dbf"});
    JobDialog dialog(tree.host, tree.host, L"");
    BoxRecorder boxes;
    stick_ok(L"DEZiradu");
    SLE->setData(tree.stick);
    stick_ok(L"DEZiradu");
    EXPECT_EQ(Hauptpfad, tree.host + L"\\\\");
    EXPECT_EQ(MLE->getData(), Headers(2, 2, 2) + FileStep(2) + kSuccess);
    EXPECT_EQ(ReadFileBytes(tree.stick + L"\\DEZiradu\\Daten\\zr.dbf"), "Daten\\zr.dbf");
    EXPECT_EQ(ReadFileBytes(tree.stick + L"\\DEZiradu.bat"), "DEZiradu.bat");
    const std::wstring log = tree.log();
    EXPECT_NE(log.find(L"\r\n" + tree.host + L"\\\\Daten\\zr.dbf -> " + tree.stick + L"\\DEZiradu\\Daten\\zr.dbf\r\n"),
              std::wstring::npos);
}

TEST_F(CopyJob, WithoutTheOwnFolderCopiesStraightIntoTheTarget) {
    tree.files(tree.host, {L"DEZiradu.bat", L"Daten\\zr.dbf", L"Daten\\Daten alt\\a.dbf"});
    JobDialog dialog(tree.host, tree.host, tree.stick + L"\\", false);
    stick_ok(L"DEZiradu");
    EXPECT_EQ(MLE->getData(), Headers(2, 2, 3) + FileStep(3) + kSuccess);
    EXPECT_EQ(SLE->getData(), tree.stick + L"\\");
    EXPECT_EQ(ReadFileBytes(tree.stick + L"\\Daten\\Daten alt\\a.dbf"), "Daten\\Daten alt\\a.dbf");
    EXPECT_EQ(ReadFileBytes(tree.stick + L"\\DEZiradu.bat"), "DEZiradu.bat");  // as a listed file
    EXPECT_FALSE(Exists(tree.stick + L"\\DEZiradu"));
    const auto log = Lines(tree.log());
    ASSERT_GE(log.size(), 4u);
    EXPECT_EQ(log[2], L" ");
    EXPECT_EQ(log[3].find(tree.stick + L"\\Daten"), 0u);  // no line for the target itself
}

TEST_F(CopyJob, NothingToListGivesZeroCountsAndTheSuccessText) {
    tree.files(tree.host, {L"DEZiradu.bat"});
    DeleteFileW((tree.host + L"\\DEZiradu.bat").c_str());
    JobDialog dialog(tree.host, tree.host, tree.stick, false);
    stick_ok(L"DEZiradu");
    EXPECT_EQ(MLE->getData(), Headers(0, 0, 0) + kSuccess);
    EXPECT_EQ(Lines(tree.log()).size(), 5u);
}

// Both listings land in one target; the same file from the start folder,
// copied later, wins.
TEST_F(CopyJob, TwoSourceFoldersAreMergedAndTheStartFolderWins) {
    const std::wstring data = tree.root / L"ZOR-Daten";
    tree.files(data, {L"DEZiradu.bat", L"zr.dbf", L"Daten\\nur-daten.txt"});
    tree.files(tree.host, {L"zor.exe", L"Daten\\nur-start.txt", L"Auflistungen\\liste.txt"});
    testing_support::WriteFileBytes(data + L"\\Daten\\gemeinsam.txt", "aus den Daten");
    testing_support::WriteFileBytes(tree.host + L"\\Daten\\gemeinsam.txt", "aus dem Startordner");
    JobDialog dialog(data, tree.host, tree.stick);
    stick_ok(L"DEZiradu");
    EXPECT_EQ(MLE->getData(), Headers(4, 4, 8) + FileStep(8) + kSuccess);
    const std::wstring own = tree.stick + L"\\DEZiradu\\";
    EXPECT_EQ(ReadFileBytes(own + L"Daten\\gemeinsam.txt"), "aus dem Startordner");
    for (const auto& file : {L"zr.dbf", L"zor.exe", L"Daten\\nur-daten.txt", L"Daten\\nur-start.txt",
                             L"Auflistungen\\liste.txt", L"DEZiradu.bat"})
        EXPECT_TRUE(Exists(own + file)) << Narrow(file);
    ASSERT_EQ(dirs.size(), 3u);
    EXPECT_EQ(dirs[0], (ListEntry{data + L"\\Daten", 0}));
    EXPECT_EQ(dirs[2].tag, 1);
}

TEST_F(CopyJob, ADataFolderInsideTheStartFolderIsListedOnce) {
    struct Case {
        std::wstring hauptpfad;
        std::size_t files;
    };
    tree.files(tree.host, {L"DEZiradu.bat", L"zor.exe", L"Daten\\DEZiradu.bat", L"Daten\\zr.dbf"});
    for (const Case& c : {Case{tree.host, 4}, Case{tree.host + L"\\Daten", 2}}) {
        JobDialog dialog(c.hauptpfad, tree.host, tree.stick, false);
        stick_ok(L"DEZiradu");
        EXPECT_EQ(dateien.size(), c.files);
        for (const auto& entry : dateien) EXPECT_EQ(entry.tag, 0);
    }
}

// A second run onto the first run's copy replaces hidden and read-only files
// (which Windows refuses to overwrite) and ends like the first.
TEST_F(CopyJob, ARerunOntoAnEarlierCopySucceedsAndKeepsTheSourceAttributes) {
    tree.files(tree.host, {L"DEZiradu.bat", L"Daten\\zr.dbf", L"Daten\\geheim.dat", L"schreibgeschuetzt.ini"});
    SetFileAttributesW((tree.host + L"\\Daten\\geheim.dat").c_str(), FILE_ATTRIBUTE_HIDDEN);
    SetFileAttributesW((tree.host + L"\\schreibgeschuetzt.ini").c_str(), FILE_ATTRIBUTE_READONLY);
    SetFileAttributesW((tree.host + L"\\DEZiradu.bat").c_str(), FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN);
    for (int run = 0; run < 2; ++run) {
        JobDialog dialog(tree.host, tree.host, tree.stick);
        stick_ok(L"DEZiradu");
        EXPECT_EQ(MLE->getData(), Headers(2, 2, 4) + FileStep(4) + kSuccess) << "run " << run + 1;
    }
    const DWORD kept = FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN;
    for (const std::wstring file : {L"Daten\\geheim.dat", L"schreibgeschuetzt.ini", L"DEZiradu.bat"}) {
        const DWORD source = GetFileAttributesW((tree.host + L"\\" + file).c_str());
        EXPECT_EQ(GetFileAttributesW((tree.stick + L"\\DEZiradu\\" + file).c_str()) & kept, source & kept)
            << Narrow(file);
    }
    EXPECT_EQ(GetFileAttributesW((tree.stick + L"\\DEZiradu.bat").c_str()) & kept, kept);
}

// Target folder = source folder: every copy fails, no source is touched.
TEST_F(CopyJob, CopyingOntoItselfFailsEachFileAndLeavesTheSourcesAlone) {
    tree.files(tree.host, {L"DEZiradu.bat", L"Daten\\zr.dbf"});
    testing_support::WriteFileBytes(tree.host + L"\\Daten\\zr.dbf", testing_support::MinimalDbf(3));
    JobDialog dialog(tree.host, tree.host, tree.host, false);
    stick_ok(L"DEZiradu");
    const std::wstring source = tree.host + L"\\";
    const std::wstring shown = MLE->getData();
    EXPECT_EQ(shown.substr(0, Headers(1, 1, 2).size()), Headers(1, 1, 2));
    EXPECT_NE(shown.find(FileStep(1) + kFailureHead), std::wstring::npos);
    EXPECT_NE(shown.find(L"\r\n" + source + L"DEZiradu.bat"), std::wstring::npos);
    EXPECT_NE(shown.find(L"\r\n" + source + L"Daten\\zr.dbf"), std::wstring::npos);
    EXPECT_EQ(ReadFileBytes(tree.host + L"\\DEZiradu.bat"), "DEZiradu.bat");
    EXPECT_EQ(ReadFileBytes(tree.host + L"\\Daten\\zr.dbf"), testing_support::MinimalDbf(3));
}

// A missing launcher does not end the job: it heads the failure list, and
// the file counts stay those of the listed files.
TEST_F(CopyJob, AMissingLauncherHeadsTheFailureListAndTheJobGoesOn) {
    tree.files(tree.host, {L"zor.exe", L"Daten\\zr.dbf"});
    JobDialog dialog(tree.host, tree.host, tree.stick);
    stick_ok(L"DEZiradu");
    EXPECT_EQ(MLE->getData(), Headers(2, 2, 2) + FileStep(2) + kFailureHead + L"\r\n" + tree.host +
                                  L"\\DEZiradu.bat" + kFailureTail);
    EXPECT_EQ(ReadFileBytes(tree.stick + L"\\DEZiradu\\Daten\\zr.dbf"), "Daten\\zr.dbf");
    EXPECT_TRUE(pb1->isEnabled());
}

// The start folder cannot take the log: the job copies everything and says so.
TEST_F(CopyJob, ALogThatCannotBeWrittenIsReportedAfterTheSummary) {
    tree.files(tree.host, {L"DEZiradu.bat", L"Daten\\zr.dbf"});
    testing_support::MakeDirs(tree.host + L"\\ZOR-Portavex.log");
    JobDialog dialog(tree.host, tree.host, tree.stick);
    stick_ok(L"DEZiradu");
    EXPECT_EQ(MLE->getData(), Headers(2, 2, 2) + FileStep(2) + kSuccess +
                                  L"\r\n\r\nDie Protokolldatei \"ZOR-Portavex.log\" konnte nicht geschrieben werden.");
    EXPECT_EQ(ReadFileBytes(tree.stick + L"\\DEZiradu\\Daten\\zr.dbf"), "Daten\\zr.dbf");
    EXPECT_EQ(ReadFileBytes(tree.stick + L"\\DEZiradu.bat"), "DEZiradu.bat");
}

TEST_F(CopyJob, PathsLongerThan260CharactersCopy) {
    const std::wstring deep = L"Daten " + std::wstring(90, L'q') + L"\\Daten " + std::wstring(90, L'r') +
                              L"\\Auflistungen " + std::wstring(90, L's') + L"\\datei.txt";
    tree.files(tree.host, {L"DEZiradu.bat", deep});
    const std::wstring target = tree.stick + L"\\" + std::wstring(120, L't');
    testing_support::MakeDirs(target);
    JobDialog dialog(tree.host, tree.host, target);
    stick_ok(L"DEZiradu");
    const std::wstring copied = target + L"\\DEZiradu\\" + deep;
    ASSERT_GT(copied.size(), 400u);
    EXPECT_EQ(MLE->getData(), Headers(4, 4, 2) + FileStep(2) + kSuccess);
    EXPECT_EQ(ReadFileBytes(copied), Narrow(deep));
}

// The log shows every path as it is on disk, whatever its characters.
TEST_F(CopyJob, TheLogKeepsEveryCharacterOfAPath) {
    const std::wstring name = L"Daten Łódź ☃ 東京\\Ærø €.txt";
    tree.files(tree.host, {L"DEZiradu.bat", name});
    JobDialog dialog(tree.host, tree.host, tree.stick);
    stick_ok(L"DEZiradu");
    EXPECT_EQ(MLE->getData(), Headers(2, 2, 2) + FileStep(2) + kSuccess);
    const std::wstring line = tree.host + L"\\" + name + L" -> " + tree.stick + L"\\DEZiradu\\" + name;
    EXPECT_NE(tree.log().find(L"\r\n" + line + L"\r\n"), std::wstring::npos);
    EXPECT_EQ(ReadFileBytes(tree.stick + L"\\DEZiradu\\" + name), Narrow(name));
}

}  // namespace
