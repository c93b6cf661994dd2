#include "dialog/dpi_probe.h"

#include "platform/dll.h"
#include "platform/win.h"
#include "support/test_support.h"

#include <gtest/gtest.h>

namespace {

constexpr std::intptr_t kDc = 0x5a10;

// Stands in for the three system functions: GetDC fails `failures` times.
class FakeScreen {
public:
    FakeScreen(int failures, std::intptr_t dc = kDc, int dpi = 120) : failures_(failures), dc_(dc), dpi_(dpi) {
        previous_ = rt::SetDllCallInterceptor([this](const rt::DllCallRequest& call) { return Answer(call); });
    }
    ~FakeScreen() { rt::SetDllCallInterceptor(std::move(previous_)); }
    std::vector<rt::DllCallRequest> calls;

private:
    std::optional<std::intptr_t> Answer(const rt::DllCallRequest& call) {
        calls.push_back(call);
        if (call.function == "GetDC") return failures_-- > 0 ? 0 : dc_;
        if (call.function == "GetDeviceCaps") return dpi_;
        return 1;
    }
    int failures_;
    std::intptr_t dc_;
    int dpi_;
    rt::DllCallInterceptor previous_;
};

const std::intptr_t kDesktop = reinterpret_cast<std::intptr_t>(GetDesktopWindow());

rt::DllCallRequest GetDcCall() { return {L"User32.DLL", "GetDC", {kDesktop}}; }

TEST(DpiProbe, RetriesGetDcAtMostTwentyTimesThenQueriesAndReleases) {
    for (int failures : {0, 2, 20}) {
        SCOPED_TRACE(failures);
        testing_support::BoxRecorder boxes;
        FakeScreen screen(failures);
        EXPECT_EQ(APPDESKTOPDPI(), 120);
        std::vector<rt::DllCallRequest> expected(failures + 1, GetDcCall());
        expected.push_back({L"GDI32.DLL", "GetDeviceCaps", {kDc, 88}});
        expected.push_back({L"User32.DLL", "ReleaseDC", {kDesktop, kDc}});
        EXPECT_TRUE(screen.calls == expected);
        EXPECT_TRUE(boxes.requests.empty());
    }
}

TEST(DpiProbe, TwentyOneFailuresWarnOnceAndAnswer96) {
    testing_support::BoxRecorder boxes;
    FakeScreen screen(21);
    EXPECT_EQ(APPDESKTOPDPI(), 96);
    EXPECT_TRUE(screen.calls == std::vector<rt::DllCallRequest>(21, GetDcCall()));
    ASSERT_EQ(boxes.requests.size(), 1u);
    EXPECT_EQ(boxes.requests[0].kind, rt::BoxRequest::Kind::Message);
    EXPECT_EQ(boxes.requests[0].title, L"Problem  21");
    EXPECT_EQ(boxes.requests[0].text,
              L"Die DPi-Einstellungen konnten nicht ausgegelesen werden!   \r"
              L"Darstellung der Schriftarten ist vermutlich nicht korrekt! \r"
              L"Ein Neustart des Programmes könnte das Problem beheben.");
}

TEST(DpiProbe, TheReportedValueIsTakenUnchanged) {
    for (int reported : {0, 96, 120, 144, 37}) {
        FakeScreen screen(0, kDc, reported);
        EXPECT_EQ(APPDESKTOPDPI(), reported);
    }
}

TEST(DpiProbe, AHandleWithTheHighBitSetIsAContextAndIsReleased) {
    const std::intptr_t highBit = static_cast<std::intptr_t>(static_cast<std::int32_t>(0x8401'0a2c));
    testing_support::BoxRecorder boxes;
    FakeScreen screen(0, highBit);
    EXPECT_EQ(APPDESKTOPDPI(), 120);
    ASSERT_EQ(screen.calls.size(), 3u);
    EXPECT_EQ(screen.calls[2].function, "ReleaseDC");
    EXPECT_EQ(screen.calls[2].arguments.at(1), highBit);
    EXPECT_TRUE(boxes.requests.empty());
}

TEST(DpiProbe, ReadsTheRealScreen) {
    HDC screen = GetDC(nullptr);
    const int expected = GetDeviceCaps(screen, LOGPIXELSX);
    ReleaseDC(nullptr, screen);
    testing_support::BoxRecorder boxes;
    EXPECT_EQ(APPDESKTOPDPI(), expected);
    EXPECT_TRUE(boxes.requests.empty());
}

}  // namespace
