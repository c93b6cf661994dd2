#include "dialog_fixture.h"

#include "platform/gui/geometry.h"
#include "platform/gui/native.h"
#include "support/test_support.h"

#include <uxtheme.h>

using dialog_testing::AsHwnd;
using dialog_testing::ClassOf;
using dialog_testing::Controls;
using dialog_testing::DialogTest;
using dialog_testing::TextOf;
using testing_support::Narrow;

namespace {

struct Expected {
    const wchar_t* className;
    const wchar_t* text;
    int x, y, width, height;
    bool scaledArial;
};

const Expected kControls[] = {
    {L"Static",
     L"Dieses Zusatz-Programm ermöglicht Ihnen, eine transportable Version Ihrer Zoranthek zu erstellen. Die Daten "
     L"auf dem transportablen Medium können nicht verändert werden.",
     10, 315, 320, 70, true},
    {L"Static", L"Bitte Laufwerk für die mobile ZOR-Anwendung auswählen.", 10, 286, 300, 20, false},
    {L"Edit", L"", 10, 262, 280, 25, true},
    {L"Button", L"", 300, 261, 25, 25, false},
    {L"Button", L"eigenes Verzeichnis für ZOR anlegen (empfohlen)", 10, 234, 280, 19, false},
    {L"Button", L"beenden", 185, 10, 120, 25, true},
    {L"Button", L"erstellen", 35, 10, 120, 25, true},
    {L"Edit", L"", 10, 55, 315, 160, false},
};

RECT RectInParent(HWND control) {
    RECT rect;
    GetWindowRect(control, &rect);
    MapWindowPoints(HWND_DESKTOP, GetParent(control), reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

LOGFONTW FontOf(HWND control) {
    LOGFONTW font{};
    auto handle = reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0));
    GetObjectW(handle, sizeof font, &font);
    return font;
}

LONG StyleOf(HWND control) { return GetWindowLongW(control, GWL_STYLE); }

int ScreenDpi() {
    HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    return dpi;
}

class StickTest : public DialogTest, public ::testing::WithParamInterface<double> {};

TEST_P(StickTest, EveryControlHasItsClassTextRectangleAndFont) {
    Build(GetParam(), GetParam() == 1 ? LayoutVariant::W796 : LayoutVariant::W7120);
    const std::vector<HWND> controls = Controls();
    ASSERT_EQ(controls.size(), std::size(kControls));
    const int clientHeight = oDlg->clientSize().height;
    const int points = GetParam() == 1 ? 11 : 9;
    for (std::size_t i = 0; i < controls.size(); ++i) {
        const Expected& expected = kControls[i];
        SCOPED_TRACE("control " + std::to_string(i + 1));
        EXPECT_EQ(_wcsicmp(ClassOf(controls[i]).c_str(), expected.className), 0) << Narrow(ClassOf(controls[i]));
        EXPECT_EQ(TextOf(controls[i]), expected.text) << Narrow(TextOf(controls[i]));
        const RECT rect = RectInParent(controls[i]);
        EXPECT_EQ(rect.left, expected.x);
        EXPECT_EQ(rect.top, gui::TopEdge(expected.y, expected.height, clientHeight));
        EXPECT_EQ(rect.right - rect.left, expected.width);
        EXPECT_EQ(rect.bottom - rect.top, expected.height);
        const LOGFONTW font = FontOf(controls[i]);
        if (expected.scaledArial) {
            EXPECT_STREQ(font.lfFaceName, L"Arial");
            EXPECT_EQ(font.lfHeight, -MulDiv(points, ScreenDpi(), 72));
        } else {
            EXPECT_EQ(reinterpret_cast<HFONT>(SendMessageW(controls[i], WM_GETFONT, 0, 0)), gui::DefaultFont());
        }
    }
}

TEST_P(StickTest, GeometryIsTheSameInEveryLayoutVariant) {
    for (LayoutVariant variant : {LayoutVariant::XP, LayoutVariant::W796, LayoutVariant::W7120}) {
        Build(GetParam(), variant);
        const std::vector<HWND> controls = Controls();
        const int clientHeight = oDlg->clientSize().height;
        for (std::size_t i = 0; i < controls.size(); ++i) {
            const RECT rect = RectInParent(controls[i]);
            EXPECT_EQ(clientHeight - rect.bottom, kControls[i].y) << "control " << i + 1;
            EXPECT_EQ(rect.left, kControls[i].x) << "control " << i + 1;
        }
        TearDown();
    }
}

INSTANTIATE_TEST_SUITE_P(DpiRatios, StickTest, ::testing::Values(1.0, 1.25));

TEST(ScaledArial, PointSizeIsElevenDividedByTheRatioInTwoCharacters) {
    const struct {
        double ratio;
        const wchar_t* name;
    } cases[] = {{1.0, L"11.Arial"}, {1.25, L" 9.Arial"}, {1.5, L" 7.Arial"}, {2.0, L" 6.Arial"}, {0.5, L"22.Arial"}};
    for (const auto& c : cases) EXPECT_EQ(dialog::ScaledArial(c.ratio), c.name) << c.ratio;
}

class StickStateTest : public DialogTest {
protected:
    void SetUp() override { Build(1); }
};

TEST_F(StickStateTest, FieldsAreReadOnlyAndTheProgressFieldWrapsAndScrollsVertically) {
    EXPECT_TRUE(StyleOf(AsHwnd(SLE->GetHWnd())) & ES_READONLY);
    const LONG mle = StyleOf(AsHwnd(MLE->GetHWnd()));
    EXPECT_TRUE(mle & ES_READONLY);
    EXPECT_TRUE(mle & ES_MULTILINE);
    EXPECT_TRUE(mle & WS_VSCROLL);
    EXPECT_FALSE(mle & WS_HSCROLL);
    EXPECT_FALSE(mle & ES_AUTOHSCROLL);
}

TEST_F(StickStateTest, ALongProgressLineWrapsAtTheFieldsWidth) {
    MLE->setData(std::wstring(200, L'x') + L" " + std::wstring(200, L'y'));
    EXPECT_GT(SendMessageW(AsHwnd(MLE->GetHWnd()), EM_GETLINECOUNT, 0, 0), 2);
}

TEST_F(StickStateTest, TheTargetFieldLimitsTypingToFiftyCharacters) {
    EXPECT_EQ(SendMessageW(AsHwnd(SLE->GetHWnd()), EM_GETLIMITTEXT, 0, 0), 50);
}

TEST_F(StickStateTest, SixtyCharactersSetIntoTheTargetFieldReadBackWhole) {
    const std::wstring sixty = L"D:\\" + std::wstring(57, L'a');
    ASSERT_EQ(sixty.size(), 60u);
    SLE->setData(sixty);
    EXPECT_EQ(SLE->getData(), sixty);
}

TEST_F(StickStateTest, InitialStateIsEmptyFieldsTickedBoxAndEnabledButtons) {
    EXPECT_EQ(SLE->getData(), L"");
    EXPECT_EQ(MLE->getData(), L"");
    EXPECT_TRUE(check_1->getData());
    EXPECT_TRUE(StyleOf(AsHwnd(check_1->GetHWnd())) & BS_AUTOCHECKBOX);
    for (HWND control : Controls()) EXPECT_TRUE(IsWindowEnabled(control));
}

TEST_F(StickStateTest, TheCheckBoxTogglesWhenClicked) {
    dialog_testing::Click(AsHwnd(check_1->GetHWnd()));
    EXPECT_FALSE(check_1->getData());
}

TEST_F(StickStateTest, OnlyTheCommandButtonsAreTabStops) {
    const std::vector<HWND> controls = Controls();
    for (std::size_t i = 0; i < controls.size(); ++i) {
        const bool commandButton = controls[i] == AsHwnd(pb1->GetHWnd()) || controls[i] == AsHwnd(pb2->GetHWnd());
        EXPECT_EQ((StyleOf(controls[i]) & WS_TABSTOP) != 0, commandButton) << "control " << i + 1;
    }
}

TEST_F(StickStateTest, FourControlsAreDrawnWithoutTheVisualTheme) {
    if (!GetWindowTheme(AsHwnd(pb1->GetHWnd()))) GTEST_SKIP() << "no visual theme in force on this system";
    const std::vector<HWND> controls = Controls();
    for (std::size_t unthemed : {2, 3, 4, 7}) EXPECT_EQ(GetWindowTheme(controls[unthemed]), nullptr) << unthemed + 1;
    EXPECT_NE(GetWindowTheme(AsHwnd(pb2->GetHWnd())), nullptr);
}

TEST_F(StickStateTest, TheFolderButtonShowsBitmap201AndNoText) {
    HWND button = dialog_testing::FolderButton();
    EXPECT_EQ(TextOf(button), L"");
    EXPECT_TRUE(StyleOf(button) & BS_BITMAP);
    auto bitmap = reinterpret_cast<HBITMAP>(SendMessageW(button, BM_GETIMAGE, IMAGE_BITMAP, 0));
    ASSERT_NE(bitmap, nullptr);
    BITMAP info{};
    ASSERT_NE(GetObjectW(bitmap, sizeof info, &info), 0);
    EXPECT_EQ(info.bmWidth, 25);
    EXPECT_EQ(info.bmHeight, 25);
}

TEST_F(StickStateTest, TheSharedVariablesHoldTheirControls) {
    const std::vector<HWND> controls = Controls();
    EXPECT_EQ(AsHwnd(SLE->GetHWnd()), controls[2]);
    EXPECT_EQ(AsHwnd(check_1->GetHWnd()), controls[4]);
    EXPECT_EQ(AsHwnd(pb1->GetHWnd()), controls[5]);
    EXPECT_EQ(AsHwnd(pb2->GetHWnd()), controls[6]);
    EXPECT_EQ(AsHwnd(MLE->GetHWnd()), controls[7]);
}

TEST_F(StickStateTest, ErstellenWithoutATargetRunsTheCopyJobWhichAsksForOne) {
    testing_support::BoxRecorder boxes;
    dialog_testing::Click(AsHwnd(pb2->GetHWnd()));
    ASSERT_EQ(boxes.requests.size(), 1u);
    EXPECT_EQ(boxes.requests[0].title, L"Hinweis");
    EXPECT_TRUE(pb2->isEnabled());
}

TEST_F(StickStateTest, ErstellenStartsTheCopyJobWithTheOwnFolderDEZiradu) {
    testing_support::TempDir source;
    testing_support::TempDir target;
    testing_support::CurrentFolder here(source.path());
    Hauptpfad = source.path();
    Standardpfad = source.path();
    SLE->setData(target.path());
    dialog_testing::Click(AsHwnd(pb2->GetHWnd()));
    EXPECT_EQ(SLE->getData(), target.path() + L"\\DEZiradu\\");
    EXPECT_FALSE(pb2->isEnabled());
}

using StickDeathTest = StickStateTest;

TEST_F(StickDeathTest, BeendenEndsTheProgramAtOnce) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(dialog_testing::Click(AsHwnd(pb1->GetHWnd())), ::testing::ExitedWithCode(0), "");
}

}  // namespace
