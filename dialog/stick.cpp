#include "dialog/stick.h"

#include "app/globals.h"
#include "app/main_window.h"
#include "copy/stick_ok.h"
#include "dialog/folder_picker.h"
#include "platform/text.h"

namespace dialog {

namespace {
constexpr int kPresentationAttribute = 4;
constexpr int kFolderBitmap = 201;
constexpr int kTextLabel = 1;

const gui::PresParams& Presentation() {
    static const gui::PresParams pair{{kPresentationAttribute, 0}};
    return pair;
}

void AddDescription() {
    auto& oStat = oDlg->add<gui::Static>(gui::Point{10, 315}, gui::Size{320, 70});
    oStat.setFontCompoundName(ScaledArial(dpi));
    oStat.type = kTextLabel;
    oStat.options = gui::Static::kWordBreak;
    oStat.caption =
        L"Dieses Zusatz-Programm ermöglicht Ihnen, eine transportable Version Ihrer Zoranthek zu erstellen. Die "
        L"Daten auf dem transportablen Medium können nicht verändert werden.";
    oStat.create();
}

void AddPrompt() {
    auto& oStat = oDlg->add<gui::Static>(gui::Point{10, 286}, gui::Size{300, 20});
    oStat.type = kTextLabel;
    oStat.caption = L"Bitte Laufwerk für die mobile ZOR-Anwendung auswählen.";
    oStat.create();
}

void AddTargetField() {
    SLE = &oDlg->add<gui::SingleLineEdit>(gui::Point{10, 262}, gui::Size{280, 25}, Presentation());
    SLE->Bufferlength = 50;
    SLE->setFontCompoundName(ScaledArial(dpi));
    SLE->editable = false;
    SLE->UseVisualStyle = false;
    SLE->create();
}

void AddFolderButton() {
    auto& pb3 = oDlg->add<gui::PushButton>(gui::Point{300, 261}, gui::Size{25, 25});
    pb3.CaptionBitmap = kFolderBitmap;
    pb3.UseVisualStyle = false;
    pb3.create();
    pb3.Activate = PickFolder;
}

void AddOwnFolderCheckBox() {
    check_1 = &oDlg->add<gui::CheckBox>(gui::Point{10, 234}, gui::Size{280, 19});
    check_1->Caption = L"eigenes Verzeichnis für ZOR anlegen (empfohlen)";
    check_1->UseVisualStyle = false;
    check_1->selection = true;
    check_1->create();
}

void AddQuitButton() {
    pb1 = &oDlg->add<gui::PushButton>(gui::Point{185, 10}, gui::Size{120, 25});
    pb1->Caption = L"beenden";
    pb1->TabStop = true;
    pb1->setFontCompoundName(ScaledArial(dpi));
    pb1->create();
    pb1->Activate = [] { AppQuit(); };
}

void AddCreateButton() {
    pb2 = &oDlg->add<gui::PushButton>(gui::Point{35, 10}, gui::Size{120, 25});
    pb2->Caption = L"erstellen";
    pb2->TabStop = true;
    pb2->setFontCompoundName(ScaledArial(dpi));
    pb2->create();
    pb2->Activate = [] { stick_ok(L"DEZiradu"); };
}

void AddProgressField() {
    MLE = &oDlg->add<gui::MultiLineEdit>(gui::Point{10, 55}, gui::Size{315, 160}, Presentation());
    MLE->horizScroll = false;
    MLE->editable = false;
    MLE->UseVisualStyle = false;
    MLE->create();
}
}  // namespace

std::wstring ScaledArial(double dpiRatio) { return rt::STR(11 / dpiRatio, 2, 0) + L".Arial"; }

void _stick() {
    SLE = nullptr;
    MLE = nullptr;
    pb1 = nullptr;
    pb2 = nullptr;
    check_1 = nullptr;
    AddDescription();
    AddPrompt();
    AddTargetField();
    AddFolderButton();
    AddOwnFolderCheckBox();
    AddQuitButton();
    AddCreateButton();
    AddProgressField();
}

}  // namespace dialog
