#include "app/globals.h"
#include "copy/add_all.h"
#include "platform/files.h"
#include "platform/win.h"
#include "support/test_support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>

namespace {

using testing_support::MakeDirs;
using testing_support::TempDir;
using testing_support::WriteFileBytes;

// The folder tree under `root`: names ending in "\" are folders.
void Build(const TempDir& root, std::initializer_list<const wchar_t*> entries) {
    for (std::wstring entry : entries) {
        if (entry.back() == L'\\') MakeDirs(root / entry.substr(0, entry.size() - 1));
        else WriteFileBytes(root / entry, "x");
    }
}

struct Listing {
    std::set<std::wstring> dirs, dateien;  // relative to the listed folder
};

Listing ListRelative(const std::wstring& folder, int tag = 0) {
    dirs.clear();
    dateien.clear();
    EXPECT_TRUE(ADD_ALL(folder, tag));
    Listing listing;
    for (const auto& entry : dirs) {
        EXPECT_EQ(entry.tag, tag);
        EXPECT_EQ(entry.path.rfind(folder, 0), 0u) << testing_support::Narrow(entry.path);
        listing.dirs.insert(entry.path.substr(folder.size()));
    }
    for (const auto& entry : dateien) {
        EXPECT_EQ(entry.tag, tag);
        listing.dateien.insert(entry.path.substr(folder.size()));
    }
    return listing;
}

TEST(AddAll, TakesTopFilesAndDataFoldersAndLeavesOutTheRest) {
    TempDir root;
    Build(root, {L"a.dll", L"Daten\\", L"Daten\\x.dbf", L"Daten\\Fotos\\", L"Daten\\Fotos\\bild.jpg", L"Hilfe\\",
                 L"Hilfe\\hilfe.chm", L"b.exe"});
    const Listing listing = ListRelative(root.path() + L"\\");
    EXPECT_EQ(listing.dirs, (std::set<std::wstring>{L"Daten"}));
    EXPECT_EQ(listing.dateien, (std::set<std::wstring>{L"a.dll", L"Daten\\x.dbf", L"b.exe"}));
}

TEST(AddAll, AppliesTheFolderRulesAtEveryDepth) {
    TempDir root;
    Build(root, {L"Auflistungen 2020\\", L"Auflistungen 2020\\liste.txt", L"Auflistungen 2020\\Daten\\",
                 L"Auflistungen 2020\\Daten\\d.dbf", L"Daten\\Bilder\\", L"Daten\\Bilder\\b.jpg",
                 L"Daten\\Datenbank\\", L"Daten\\Datenbank\\db.dbf", L"Datensicherung\\", L"Datensicherung\\s.dbf",
                 L"Datensicherung 2\\Daten\\", L"Datensicherung 2\\Daten\\t.dbf", L"Datensicherung_alt\\",
                 L"Datensicherung_alt\\u.dbf", L"Daten 2010\\", L"Daten 2010\\v.dbf", L"Date\\", L"Date\\kurz.dbf"});
    const Listing listing = ListRelative(root.path() + L"\\");
    EXPECT_EQ(listing.dirs, (std::set<std::wstring>{L"Auflistungen 2020", L"Auflistungen 2020\\Daten", L"Daten",
                                                    L"Daten\\Datenbank", L"Daten 2010"}));
    EXPECT_EQ(listing.dateien, (std::set<std::wstring>{L"Auflistungen 2020\\liste.txt",
                                                       L"Auflistungen 2020\\Daten\\d.dbf", L"Daten\\Datenbank\\db.dbf",
                                                       L"Daten 2010\\v.dbf"}));
}

TEST(AddAll, LeavesOutTheSixFilesByTheirBeginningAtAnyDepth) {
    struct Case {
        const wchar_t* name;
        bool taken;
    };
    const Case cases[] = {
        {L"ZOR-Portavex.exe", false}, {L"ZOR-Portavex.log", false}, {L"unins000.exe", false},
        {L"unins000.dat", false},     {L"Update.exe", false},       {L"Update.ini", false},
        {L"Update.ini.bak", false},   {L"ZOR-Portavex.exe.old", false}, {L"MyUpdate.exe", true},
        {L"Update.ex", true},         {L"unins001.exe", true},
        {L"Daten", true},
    };
    TempDir root;
    MakeDirs(root / L"Auflistungen\\Daten 1");
    std::set<std::wstring> expected;
    for (const Case& c : cases) {
        for (const std::wstring folder : {L"", L"Auflistungen\\", L"Auflistungen\\Daten 1\\"}) {
            WriteFileBytes(root / (folder + c.name), "x");
            if (c.taken) expected.insert(folder + c.name);
        }
    }
    const Listing listing = ListRelative(root.path() + L"\\");
    EXPECT_EQ(listing.dateien, expected);
    EXPECT_EQ(listing.dirs, (std::set<std::wstring>{L"Auflistungen", L"Auflistungen\\Daten 1"}));
}

// The words are compared as the host writes its names (a separate tree per
// spelling: the file system itself ignores case).
TEST(AddAll, ComparesTheWordsWithTheirLetterCase) {
    TempDir root;
    Build(root, {L"daten\\", L"daten\\klein.dbf", L"AUFLISTUNGEN\\", L"AUFLISTUNGEN\\gross.txt", L"update.ini",
                 L"zor-portavex.log"});
    const Listing listing = ListRelative(root.path() + L"\\");
    EXPECT_TRUE(listing.dirs.empty());
    EXPECT_EQ(listing.dateien, (std::set<std::wstring>{L"update.ini", L"zor-portavex.log"}));
}

TEST(AddAll, TakesHiddenAndSystemEntriesLikeVisibleOnes) {
    TempDir root;
    Build(root, {L"versteckt.dat", L"Daten\\", L"Daten\\system.dat"});
    SetFileAttributesW((root / L"versteckt.dat").c_str(), FILE_ATTRIBUTE_HIDDEN);
    SetFileAttributesW((root / L"Daten\\system.dat").c_str(), FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_READONLY);
    SetFileAttributesW((root / L"Daten").c_str(), FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_DIRECTORY);
    const Listing listing = ListRelative(root.path() + L"\\");
    EXPECT_EQ(listing.dirs, (std::set<std::wstring>{L"Daten"}));
    EXPECT_EQ(listing.dateien, (std::set<std::wstring>{L"versteckt.dat", L"Daten\\system.dat"}));
}

TEST(AddAll, TagsEveryEntryOfNestedCallsAndOnlyAppends) {
    TempDir root;
    Build(root, {L"a.txt", L"Daten\\", L"Daten\\Daten\\", L"Daten\\Daten\\b.txt"});
    dirs = {{L"früher", 0}};
    dateien = {{L"früher.txt", 0}};
    EXPECT_TRUE(ADD_ALL(root.path() + L"\\", 1));
    ASSERT_EQ(dirs.size(), 3u);
    ASSERT_EQ(dateien.size(), 3u);
    EXPECT_EQ(dirs[0], (ListEntry{L"früher", 0}));
    EXPECT_EQ(dateien[0], (ListEntry{L"früher.txt", 0}));
    for (std::size_t i = 1; i < 3; ++i) {
        EXPECT_EQ(dirs[i].tag, 1);
        EXPECT_EQ(dateien[i].tag, 1);
    }
}

// Each folder stands before the folders inside it, and the entries below one
// folder form one unbroken run: the walk is depth-first, in pre-order.
TEST(AddAll, WalksDepthFirstEachFolderBeforeItsContents) {
    TempDir root;
    Build(root, {L"1.txt", L"Daten A\\", L"Daten A\\a.txt", L"Daten A\\Daten\\", L"Daten A\\Daten\\aa.txt",
                 L"Daten A\\z.txt", L"2.txt", L"Daten B\\", L"Daten B\\b.txt", L"Daten B\\y.txt",
                 L"Auflistungen\\", L"Auflistungen\\c.txt", L"3.txt"});
    const std::wstring folder = root.path() + L"\\";
    dirs.clear();
    dateien.clear();
    ADD_ALL(folder, 0);
    auto position = [](const std::vector<ListEntry>& list, const std::wstring& path) {
        return std::find(list.begin(), list.end(), ListEntry{path, 0}) - list.begin();
    };
    EXPECT_LT(position(dirs, folder + L"Daten A"), position(dirs, folder + L"Daten A\\Daten"));
    for (const std::wstring under : {L"Daten A\\", L"Daten B\\", L"Auflistungen\\", L"Daten A\\Daten\\"}) {
        std::vector<std::size_t> at;
        for (std::size_t i = 0; i < dateien.size(); ++i)
            if (dateien[i].path.rfind(folder + under, 0) == 0) at.push_back(i);
        ASSERT_FALSE(at.empty());
        EXPECT_EQ(at.back() - at.front() + 1, at.size()) << testing_support::Narrow(under);
    }
}

TEST(AddAll, AnEmptyMissingOrDotsOnlyFolderAddsNothingAndIsTrue) {
    TempDir root;
    MakeDirs(root / L"leer");
    for (const std::wstring& folder : {root / L"leer\\", root / L"fehlt\\", std::wstring(L"Q:\\nirgends\\")}) {
        dirs.clear();
        dateien.clear();
        EXPECT_TRUE(ADD_ALL(folder, 0));
        EXPECT_TRUE(dirs.empty());
        EXPECT_TRUE(dateien.empty());
    }
}

// A link that leads back into the walked tree is entered as a folder, but
// not followed round and round. The tree with its link is made by the build.
TEST(AddAll, ALinkBackIntoTheTreeIsNotFollowed) {
    const std::wstring root = testing_support::BuildDir() + L"\\fixtures\\link-loop\\";
    const auto top = rt::IDENTITY(root);
    if (!top || rt::IDENTITY(root + L"Daten\\Daten Verweis") != top) GTEST_SKIP() << "no folder link here";
    const Listing listing = ListRelative(root);
    EXPECT_EQ(listing.dateien, (std::set<std::wstring>{L"Daten\\x.dbf"}));
    EXPECT_EQ(listing.dirs, (std::set<std::wstring>{L"Daten", L"Daten\\Daten Verweis"}));
}

}  // namespace
