#include "job_dialog.h"

#include "app/globals.h"
#include "platform/win.h"

namespace testing_support {

JobDialog::JobDialog(const std::wstring& hauptpfad, const std::wstring& standardpfad, const std::wstring& target,
                     bool ownFolder) {
    Hauptpfad = hauptpfad;
    Standardpfad = standardpfad;
    oDlg = std::make_unique<gui::Dialog>(gui::Point{100, 100}, gui::Size{360, 439}, gui::PresParams{{4, 0}});
    oDlg->Title = L"ZOR-Portavex";
    oDlg->close = [this](std::intptr_t, std::intptr_t, gui::Dialog&) { ++closeRequests; };
    oDlg->create();
    SLE = &oDlg->add<gui::SingleLineEdit>(gui::Point{10, 262}, gui::Size{280, 25});
    SLE->Bufferlength = 50;
    SLE->editable = false;
    SLE->create();
    SLE->setData(target);
    check_1 = &oDlg->add<gui::CheckBox>(gui::Point{10, 234}, gui::Size{280, 19});
    check_1->Caption = L"eigenes Verzeichnis für ZOR anlegen (empfohlen)";
    check_1->selection = ownFolder;
    check_1->create();
    pb1 = &oDlg->add<gui::PushButton>(gui::Point{185, 10}, gui::Size{120, 25});
    pb1->Caption = L"beenden";
    pb1->Activate = [this] { ++quitPresses; };
    pb1->create();
    pb2 = &oDlg->add<gui::PushButton>(gui::Point{35, 10}, gui::Size{120, 25});
    pb2->Caption = L"erstellen";
    pb2->create();
    MLE = &oDlg->add<gui::MultiLineEdit>(gui::Point{10, 55}, gui::Size{315, 160});
    MLE->horizScroll = false;
    MLE->editable = false;
    MLE->create();
    dateien.clear();
    dirs.clear();
}

JobDialog::~JobDialog() {
    SLE = nullptr;
    MLE = nullptr;
    pb1 = nullptr;
    pb2 = nullptr;
    check_1 = nullptr;
    oDlg.reset();
}

std::wstring JobDialog::shownProgress() const {
    HWND edit = reinterpret_cast<HWND>(MLE->GetHWnd());
    std::wstring text(GetWindowTextLengthW(edit) + 1, L'\0');
    text.resize(GetWindowTextW(edit, text.data(), static_cast<int>(text.size())));
    return text;
}

void JobDialog::pumpEvents() const {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

}  // namespace testing_support
