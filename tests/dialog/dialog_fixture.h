#pragma once
// The main dialog as Main builds it, with its controls, for one test.
#include "app/globals.h"
#include "app/main_window.h"
#include "dialog/stick.h"
#include "platform/win.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace dialog_testing {

inline HWND AsHwnd(std::intptr_t handle) { return reinterpret_cast<HWND>(handle); }

inline std::wstring ClassOf(HWND hwnd) {
    wchar_t name[64]{};
    GetClassNameW(hwnd, name, 64);
    return name;
}

inline std::wstring TextOf(HWND hwnd) {
    std::wstring text(GetWindowTextLengthW(hwnd) + 1, L'\0');
    text.resize(GetWindowTextW(hwnd, text.data(), static_cast<int>(text.size())));
    return text;
}

// The dialog's controls in the order they were created.
inline std::vector<HWND> Controls() {
    std::vector<HWND> controls;
    for (HWND child = GetWindow(AsHwnd(oDlg->GetHWnd()), GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        controls.push_back(child);
    return controls;
}

inline HWND FolderButton() { return Controls().at(3); }

// Runs what the event loop would run for a click on a button.
inline void Click(HWND button) { SendMessageW(button, BM_CLICK, 0, 0); }

class DialogTest : public ::testing::Test {
protected:
    void Build(double ratio, LayoutVariant variant = LayoutVariant::W796) {
        CreateProgramVariables();
        dpi = ratio;
        CreateMainDialog(DialogSize(variant));
        dialog::_stick();
    }
    void TearDown() override {
        oDlg.reset();
        SLE = nullptr;
        MLE = nullptr;
        pb1 = nullptr;
        pb2 = nullptr;
        check_1 = nullptr;
    }
};

}  // namespace dialog_testing
