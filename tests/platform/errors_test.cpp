#include "platform/boxes.h"
#include "platform/dll.h"
#include "platform/errors.h"
#include "support/test_support.h"

#include <gtest/gtest.h>

namespace {

TEST(ErrorBlock, ExchangesTheRoutineAndBreakLeavesTheGuardedSection) {
    std::vector<std::wstring> seen;
    auto outer = rt::ERRORBLOCK([&](const rt::Error& e) { seen.push_back(L"outer " + e.operation); });
    auto saved = rt::ERRORBLOCK([](const rt::Error& e) { rt::BREAK(e); });
    bool reachedAfterError = false;
    try {
        rt::RaiseError({L"Datei kopieren", L"a", 5});
        reachedAfterError = true;
    } catch (const rt::BreakSignal& signal) {
        EXPECT_EQ(signal.error.operation, L"Datei kopieren");
        EXPECT_EQ(signal.error.osCode, 5u);
    }
    EXPECT_FALSE(reachedAfterError);
    rt::ERRORBLOCK(saved);
    rt::RaiseError({L"zweiter", L"", 0});
    EXPECT_EQ(seen, std::vector<std::wstring>{L"outer zweiter"});
    rt::ERRORBLOCK(outer);
}

TEST(Boxes, TestsAnswerThemWithoutAWindow) {
    testing_support::BoxRecorder boxes;
    rt::MSGBOX(L"Zeile 1\rZeile 2", L"Hinweis");
    rt::ALERT(L"DBFNTX Database-Engine;konnte nicht erzeugt werden", {L"OK"});
    ASSERT_EQ(boxes.requests.size(), 2u);
    EXPECT_EQ(boxes.requests[0].kind, rt::BoxRequest::Kind::Message);
    EXPECT_EQ(boxes.requests[0].text, L"Zeile 1\rZeile 2");
    EXPECT_EQ(boxes.requests[0].title, L"Hinweis");
    EXPECT_EQ(boxes.requests[1].kind, rt::BoxRequest::Kind::Alert);
    EXPECT_EQ(boxes.requests[1].text, L"DBFNTX Database-Engine;konnte nicht erzeugt werden");
    EXPECT_EQ(boxes.requests[1].buttons, std::vector<std::wstring>{L"OK"});
}

TEST(DllCall, CallsASystemFunctionByName) {
    EXPECT_NE(rt::DLLCALL(std::wstring(L"User32.DLL"), rt::kStdcall, "GetDesktopWindow"), 0);
    // Arguments reach the function: GetSystemMetrics(SM_CXSCREEN) on the 1024-wide test display.
    EXPECT_EQ(rt::DLLCALL(std::wstring(L"User32.DLL"), rt::kStdcall, "GetSystemMetrics", 0), 1024);
}

TEST(DllCall, AMissingLibraryFunctionOrConventionRaisesAnError) {
    std::vector<rt::Error> raised;
    auto previous = rt::ERRORBLOCK([&](const rt::Error& e) { raised.push_back(e); });
    EXPECT_EQ(rt::DLLCALL(std::wstring(L"NoSuchLibrary.dll"), rt::kStdcall, "Anything"), 0);
    EXPECT_EQ(rt::DLLCALL(std::wstring(L"User32.DLL"), rt::kStdcall, "NoSuchFunction"), 0);
    EXPECT_EQ(rt::DLLCALL(std::wstring(L"User32.DLL"), 8, "GetDesktopWindow"), 0);
    rt::ERRORBLOCK(previous);
    ASSERT_EQ(raised.size(), 3u);
    EXPECT_EQ(raised[1].subject, L"NoSuchFunction");
}

TEST(DllCall, LoadAndUnloadByHandle) {
    rt::Library library = rt::DLLLOAD(L"GDI32.DLL");
    ASSERT_TRUE(library.loaded());
    EXPECT_NE(library.procedure("GetDeviceCaps"), nullptr);
    rt::DLLUNLOAD(library);
    EXPECT_FALSE(library.loaded());
}

}  // namespace
