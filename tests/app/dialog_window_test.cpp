#include "app/globals.h"
#include "app/main_window.h"
#include "platform/gui/controls.h"
#include "platform/gui/event_loop.h"
#include "platform/win.h"

#include <gtest/gtest.h>

namespace {

HWND Native(const gui::Window& window) { return reinterpret_cast<HWND>(window.GetHWnd()); }

class MainDialog : public ::testing::Test {
protected:
    void SetUp() override {
        aPos = DialogPosition({GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)});
        CreateMainDialog(kSize);
        ASSERT_NE(oDlg, nullptr);
    }
    void TearDown() override { oDlg.reset(); }

    static void Drain() {
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
    }

    static constexpr gui::Size kSize{360, 439};
};

TEST_F(MainDialog, HasItsOuterSizeAtItsBottomLeftPosition) {
    RECT rect;
    GetWindowRect(Native(*oDlg), &rect);
    EXPECT_EQ(rect.right - rect.left, kSize.width);
    EXPECT_EQ(rect.bottom - rect.top, kSize.height);
    EXPECT_EQ(rect.left, aPos[0]);
    EXPECT_EQ(rect.bottom, GetSystemMetrics(SM_CYSCREEN) - aPos[1]);
}

TEST_F(MainDialog, HasTitleIconTaskBarEntryAndNoMaximiseBox) {
    wchar_t title[64];
    GetWindowTextW(Native(*oDlg), title, 64);
    EXPECT_STREQ(title, L"ZOR-Portavex");
    const LONG_PTR style = GetWindowLongPtrW(Native(*oDlg), GWL_STYLE);
    EXPECT_FALSE(style & WS_MAXIMIZEBOX);
    EXPECT_TRUE(style & WS_MINIMIZEBOX);
    EXPECT_TRUE(style & WS_VISIBLE);
    EXPECT_EQ(GetParent(Native(*oDlg)), nullptr);
    EXPECT_TRUE(GetWindowLongPtrW(Native(*oDlg), GWL_EXSTYLE) & WS_EX_APPWINDOW);
    EXPECT_NE(SendMessageW(Native(*oDlg), WM_GETICON, ICON_BIG, 0), 0);
    EXPECT_NE(SendMessageW(Native(*oDlg), WM_GETICON, ICON_SMALL, 0), 0);
}

TEST_F(MainDialog, CannotBeMadeSmallerThanItOpens) {
    MINMAXINFO info{};
    SendMessageW(Native(*oDlg), WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&info));
    EXPECT_EQ(info.ptMinTrackSize.x, kSize.width);
    EXPECT_EQ(info.ptMinTrackSize.y, kSize.height);
}

TEST_F(MainDialog, UsesTheStandardDialogBackground) {
    oDlg->drawingArea().SetColorBG(0);
    EXPECT_EQ(oDlg->drawingArea().brush(), GetSysColorBrush(COLOR_BTNFACE));
}

TEST_F(MainDialog, ControlsKeepTheirDistanceToTheBottomLeftCornerWhenEnlarged) {
    auto& button = oDlg->add<gui::PushButton>(gui::Point{35, 10}, gui::Size{120, 25});
    button.Caption = L"erstellen";
    button.create();
    auto bottomLeft = [&] {
        RECT rect, client;
        GetWindowRect(Native(button), &rect);
        MapWindowPoints(nullptr, Native(*oDlg), reinterpret_cast<POINT*>(&rect), 2);
        GetClientRect(Native(*oDlg), &client);
        return std::pair<long, long>{rect.left, client.bottom - rect.bottom};
    };
    EXPECT_EQ(bottomLeft(), (std::pair<long, long>{35, 10}));
    SetWindowPos(Native(*oDlg), nullptr, 0, 0, kSize.width + 80, kSize.height + 120,
                 SWP_NOMOVE | SWP_NOZORDER);
    Drain();
    EXPECT_EQ(bottomLeft(), (std::pair<long, long>{35, 10}));
}

TEST_F(MainDialog, CloseRequestRunsTheCloseCallback) {
    int closes = 0;
    oDlg->close = [&](std::intptr_t, std::intptr_t, gui::Dialog& self) {
        EXPECT_EQ(&self, oDlg.get());
        ++closes;
    };
    SendMessageW(Native(*oDlg), WM_CLOSE, 0, 0);
    EXPECT_EQ(closes, 1);
    EXPECT_TRUE(IsWindow(Native(*oDlg)));
}

TEST_F(MainDialog, TabMovesTheFocusBetweenTabStops) {
    gui::SETAPPWINDOW(*oDlg);
    auto& first = oDlg->add<gui::PushButton>(gui::Point{35, 10}, gui::Size{120, 25});
    first.Caption = L"erstellen";
    first.TabStop = true;
    first.create();
    auto& second = oDlg->add<gui::PushButton>(gui::Point{185, 10}, gui::Size{120, 25});
    second.Caption = L"beenden";
    second.TabStop = true;
    second.create();
    SetFocus(Native(first));
    ASSERT_EQ(GetFocus(), Native(first));
    // Through the program's own loop: AppEvent + HandleEvent.
    PostMessageW(Native(first), WM_KEYDOWN, VK_TAB, 0);
    PostMessageW(Native(*oDlg), WM_NULL, 0, 0);  // marks the end of what the test posted
    for (int i = 0; i < 100; ++i) {
        const gui::Event event = gui::AppEvent();
        event.target->HandleEvent(event.code, event.mp1, event.mp2);
        if (event.code == WM_NULL) break;
    }
    EXPECT_EQ(GetFocus(), Native(second));
}

}  // namespace
