#include "app/globals.h"
#include "app/main_window.h"
#include "support/test_support.h"

#include <gtest/gtest.h>

namespace {

struct VariantCase {
    const wchar_t* os;
    double dpiRatio;
    LayoutVariant variant;
    gui::Size size;
};

TEST(LayoutVariant, FollowsTheSystemNameAndTheDpiRatio) {
    const VariantCase cases[] = {
        {L"Windows XP", 1.25, LayoutVariant::XP, {350, 430}},
        {L"windows xp professional", 1, LayoutVariant::XP, {350, 430}},
        {L"Windows X", 1, LayoutVariant::W796, {360, 439}},  // shorter than the prefix: no match
        {L"Windows 10", 1, LayoutVariant::W796, {360, 439}},
        {L"Windows 7", 1.25, LayoutVariant::W7120, {360, 448}},
        {L"Windows 11", 1.5, LayoutVariant::W7120, {360, 448}},
        {L"Windows 10", 1.0000001, LayoutVariant::W7120, {360, 448}},
    };
    for (const auto& c : cases) {
        const LayoutVariant variant = ChooseLayoutVariant(c.os, c.dpiRatio);
        EXPECT_EQ(variant, c.variant) << testing_support::Narrow(c.os) << " " << c.dpiRatio;
        EXPECT_EQ(DialogSize(variant), c.size) << testing_support::Narrow(c.os);
    }
}

struct PositionCase {
    gui::Size desktop;
    std::array<int, 2> position;
};

TEST(DialogPosition, CentresTheBaseSizeAndTruncatesTowardZero) {
    const PositionCase cases[] = {
        {{1024, 768}, {337, 169}}, {{300, 768}, {-25, 169}}, {{349, 429}, {0, 0}},
        {{351, 431}, {0, 0}},      {{1920, 1080}, {785, 325}}, {{1025, 769}, {337, 169}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(DialogPosition(c.desktop), c.position) << c.desktop.width << "x" << c.desktop.height;
}

TEST(StartFolder, EndsInABackslashOnlyAtADriveRoot) {
    EXPECT_EQ(StartFolder(L"C", L""), L"C:\\");
    EXPECT_EQ(StartFolder(L"C", L"Programme\\ZOR"), L"C:\\Programme\\ZOR");
}

TEST(ProbeFile, LiesInSystem32UnderTheWindowsFolderAndNowhereWithoutIt) {
    EXPECT_EQ(ProbeFilePath(L"C:\\WINDOWS"), L"C:\\WINDOWS\\system32\\zor.sys");
    EXPECT_EQ(ProbeFilePath(L""), L"");
}

TEST(ProgramVariables, StartFromTheCurrentFolder) {
    testing_support::TempDir folder;
    testing_support::CurrentFolder here(folder.path());
    CreateProgramVariables();
    EXPECT_EQ(Hauptpfad, folder.path());
    EXPECT_EQ(Standardpfad, folder.path());
    EXPECT_EQ(cFolder, std::wstring(80, L' '));
    EXPECT_EQ(dpi, 0);
    EXPECT_EQ(oDlg, nullptr);
    // The test display is 1024 x 768.
    EXPECT_EQ(aPos, (std::array<int, 2>{337, 169}));
}

TEST(ProgramVariables, AtADriveRootTheStartFolderIsTheRoot) {
    testing_support::CurrentFolder root(L"C:\\");
    CreateProgramVariables();
    EXPECT_EQ(Hauptpfad, L"C:\\");
    EXPECT_EQ(Standardpfad, L"C:\\");
}

}  // namespace
