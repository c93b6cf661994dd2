#include "app/globals.h"
#include "copy/stick_ok.h"
#include "job_dialog.h"
#include "job_fixture.h"
#include "platform/win.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

namespace {

using testing_support::CurrentFolder;
using testing_support::HostTree;
using testing_support::JobDialog;

// What another thread saw and did while the job ran.
struct Visitor {
    HWND dialog, quit, create;
    std::atomic<bool> acted{false}, jobRan{false}, answered{false};

    void run() {
        for (int i = 0; i < 2000 && IsWindowEnabled(create); ++i) Sleep(5);
        // A click and a key on "beenden", and a close request, while busy.
        PostMessageW(quit, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
        PostMessageW(quit, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
        PostMessageW(quit, WM_KEYDOWN, VK_SPACE, 0);
        PostMessageW(quit, WM_KEYUP, VK_SPACE, 0);
        PostMessageW(dialog, WM_CLOSE, 0, 0);
        PostMessageW(dialog, WM_SYSCOMMAND, SC_CLOSE, 0);
        DWORD_PTR result = 0;
        answered = SendMessageTimeoutW(dialog, WM_NULL, 0, 0, SMTO_NORMAL, 2000, &result) != 0;
        jobRan = !IsWindowEnabled(quit) && !IsWindowEnabled(create);
        acted = true;
    }
};

TEST(BusyJob, InputAndCloseRequestsDuringTheJobHaveNoEffectAndTheWindowAnswers) {
    HostTree tree;
    CurrentFolder start{tree.host};
    std::vector<std::wstring> files{L"DEZiradu.bat"};
    for (int i = 0; i < 1000; ++i) files.push_back(L"Daten\\datei" + std::to_wstring(i) + L".txt");
    tree.files(tree.host, files);
    JobDialog dialog(tree.host, tree.host, tree.stick);
    Visitor visitor{reinterpret_cast<HWND>(oDlg->GetHWnd()), reinterpret_cast<HWND>(pb1->GetHWnd()),
                    reinterpret_cast<HWND>(pb2->GetHWnd())};
    std::thread other(&Visitor::run, &visitor);
    stick_ok(L"DEZiradu");
    other.join();
    ASSERT_TRUE(visitor.acted);
    ASSERT_TRUE(visitor.jobRan) << "the job ended before the other thread acted";
    EXPECT_TRUE(visitor.answered);
    dialog.pumpEvents();
    EXPECT_EQ(dialog.quitPresses, 0);
    EXPECT_EQ(dialog.closeRequests, 0);
    EXPECT_TRUE(oDlg->created());
    const std::wstring shown = dialog.shownProgress();
    EXPECT_EQ(shown, MLE->getData());
    EXPECT_NE(shown.find(L"      1001 Dateien erfolgreich kopiert ...\r\n\r\n   alle Operationen"), std::wstring::npos);
}

}  // namespace
