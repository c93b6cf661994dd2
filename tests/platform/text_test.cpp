#include "platform/text.h"

#include <gtest/gtest.h>

namespace {

struct StrCase {
    long long number;
    int width;
    const wchar_t* expected;
};

TEST(Str, RightAlignsInItsWidthAndNeverCutsAWideNumber) {
    const StrCase cases[] = {
        {3, 5, L"    3"},      {3, 10, L"         3"}, {0, 5, L"    0"},         {12345, 5, L"12345"},
        {123456, 5, L"123456"}, {-25, 5, L"  -25"},     {12345678901LL, 10, L"12345678901"},
    };
    for (const auto& c : cases) EXPECT_EQ(rt::STR(c.number, c.width), c.expected) << c.number;
}

TEST(Str, RoundsAFractionToTheNearestWholeNumber) {
    EXPECT_EQ(rt::STR(11.0 / 1.25, 2, 0), L" 9");
    EXPECT_EQ(rt::STR(11.0 / 1.0, 2, 0), L"11");
    EXPECT_EQ(rt::STR(11.0 / 1.5, 2, 0), L" 7");
    EXPECT_EQ(rt::STR(1.5, 6, 2), L"  1.50");
}

TEST(Strtran, ReplacesEveryOccurrence) {
    EXPECT_EQ(rt::STRTRAN(L"C:\\a\\C:\\a\\", L"C:\\a\\", L"E:\\"), L"E:\\E:\\");
    EXPECT_EQ(rt::STRTRAN(L"abc", L"x", L"y"), L"abc");
    EXPECT_EQ(rt::STRTRAN(L"aaa", L"a", L"aa"), L"aaaaaa");
    EXPECT_EQ(rt::STRTRAN(L"abc", L"", L"y"), L"abc");
}

TEST(Rat, GivesTheLastPositionFromOneOrZero) {
    EXPECT_EQ(rt::RAT(L"\\", L"C:\\Programme\\ZOR"), 13u);
    EXPECT_EQ(rt::RAT(L"\\", L"C:\\"), 3u);
    EXPECT_EQ(rt::RAT(L"\\", L"abc"), 0u);
    EXPECT_EQ(rt::RAT(L"", L"abc"), 0u);
}

TEST(Trim, RemovesTrailingBlanksOnly) {
    EXPECT_EQ(rt::TRIM(L"  E:\\Mobil   "), L"  E:\\Mobil");
    EXPECT_EQ(rt::TRIM(std::wstring(80, L' ')), L"");
    EXPECT_EQ(rt::TRIM(L"a\t"), L"a\t");
}

TEST(Empty, IsTrueForWhiteSpaceOnly) {
    EXPECT_TRUE(rt::EMPTY(L""));
    EXPECT_TRUE(rt::EMPTY(L" \t\r\n "));
    EXPECT_FALSE(rt::EMPTY(L" x "));
}

TEST(TextFunctions, UpperRightSubstrSpaceChr) {
    EXPECT_EQ(rt::UPPER(L"Windows XP Professional"), L"WINDOWS XP PROFESSIONAL");
    EXPECT_EQ(rt::UPPER(L"für"), L"FÜR");
    EXPECT_EQ(rt::RIGHT(L"E:\\Mobil", 1), L"l");
    EXPECT_EQ(rt::RIGHT(L"", 1), L"");
    EXPECT_EQ(rt::SUBSTR(L"Programme", 1, 4), L"Prog");
    EXPECT_EQ(rt::SUBSTR(L"Programme", 5), L"ramme");
    EXPECT_EQ(rt::SUBSTR(L"abc", 4), L"");
    EXPECT_EQ(rt::SPACE(3), L"   ");
    EXPECT_EQ(rt::CHR(13), L"\r");
}

TEST(BeginsWith, ComparesLeadingCharactersExactly) {
    EXPECT_TRUE(rt::BeginsWith(L"Datensicherung_alt", L"Datensicherung"));
    EXPECT_TRUE(rt::BeginsWith(L"Daten", L"Daten"));
    EXPECT_FALSE(rt::BeginsWith(L"Date", L"Daten"));
    EXPECT_FALSE(rt::BeginsWith(L"daten", L"Daten"));
}

TEST(Conversions, RoundTripUtf8AndReportLossyAnsi) {
    const std::wstring text = L"Grüße \u4e2d\u6587";
    EXPECT_EQ(rt::Utf8ToWide(rt::WideToUtf8(text)), text);
    bool lossless = true;
    rt::WideToAnsi(L"\u4e2d", &lossless);
    EXPECT_FALSE(lossless);
    rt::WideToAnsi(L"abc", &lossless);
    EXPECT_TRUE(lossless);
}

}  // namespace
