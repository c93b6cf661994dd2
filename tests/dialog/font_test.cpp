#include "platform/gui/font.h"

#include "dialog_fixture.h"

using dialog_testing::AsHwnd;
using dialog_testing::DialogTest;

namespace {

TEST(FontCompoundName, ParsesSizeAndFaceWithALeadingBlankAllowed) {
    const struct {
        const wchar_t* name;
        int points;  // 0: not a compound name
        const wchar_t* face;
    } cases[] = {
        {L"11.Arial", 11, L"Arial"},
        {L" 9.Arial", 9, L"Arial"},
        {L"8.Courier New", 8, L"Courier New"},
        {L"Arial", 0, L""},
        {L".Arial", 0, L""},
        {L"11.", 0, L""},
        {L"1x.Arial", 0, L""},
        {L"0.Arial", 0, L""},
        {L"", 0, L""},
    };
    for (const auto& c : cases) {
        const auto parsed = gui::ParseFontCompoundName(c.name);
        SCOPED_TRACE(testing::PrintToString(std::wstring(c.name)));
        ASSERT_EQ(parsed.has_value(), c.points != 0);
        if (!parsed) continue;
        EXPECT_EQ(parsed->points, c.points);
        EXPECT_EQ(parsed->face, c.face);
    }
}

class LiveFontTest : public DialogTest {};

TEST_F(LiveFontTest, ANewFontNameReplacesTheFontOfARealisedControl) {
    Build(1);
    HWND field = AsHwnd(SLE->GetHWnd());
    SLE->setFontCompoundName(L"20.Courier New");
    LOGFONTW font{};
    GetObjectW(reinterpret_cast<HFONT>(SendMessageW(field, WM_GETFONT, 0, 0)), sizeof font, &font);
    EXPECT_STREQ(font.lfFaceName, L"Courier New");
    EXPECT_EQ(font.lfHeight, -MulDiv(20, gui::DesktopLogicalDpi(), 72));
}

}  // namespace
