#include "app/main_window.h"

#include "app/dbesys.h"
#include "app/globals.h"
#include "app/host_lookup.h"
#include "dialog/dpi_probe.h"
#include "dialog/stick.h"
#include "platform/env.h"
#include "platform/files.h"
#include "platform/gui/desktop.h"
#include "platform/gui/event_loop.h"
#include "platform/quit.h"
#include "platform/settings.h"
#include "platform/text.h"

namespace {
constexpr gui::Size kBaseSize{350, 430};
constexpr int kIconResource = 100;
constexpr int kPresentationAttribute = 4;
}  // namespace

std::wstring StartFolder(const std::wstring& drive, const std::wstring& folder) {
    return drive + L":\\" + folder;
}

std::wstring ProbeFilePath(const std::wstring& windir) {
    return windir.empty() ? std::wstring() : windir + L"\\system32\\zor.sys";
}

std::array<int, 2> DialogPosition(gui::Size desktop) {
    // Integer division truncates toward zero, as INT does.
    return {(desktop.width - kBaseSize.width) / 2, (desktop.height - kBaseSize.height) / 2};
}

LayoutVariant ChooseLayoutVariant(const std::wstring& osName, double dpiRatio) {
    if (rt::BeginsWith(rt::UPPER(osName), L"WINDOWS XP")) return LayoutVariant::XP;
    return dpiRatio == 1 ? LayoutVariant::W796 : LayoutVariant::W7120;
}

gui::Size DialogSize(LayoutVariant variant) {
    switch (variant) {
    case LayoutVariant::XP:
        return {350, 430};
    case LayoutVariant::W796:
        return {360, 439};
    case LayoutVariant::W7120:
        return {360, 448};
    }
    return kBaseSize;
}

void APPSYS() {}

void CreateProgramVariables() {
    oDlg.reset();
    Hauptpfad = StartFolder(rt::CURDRIVE(), rt::CURDIR());
    Standardpfad = StartFolder(rt::CURDRIVE(), rt::CURDIR());
    aPos = DialogPosition(gui::APPDESKTOP().currentSize());
    cFolder = rt::SPACE(80);
    dpi = 0;
}

void CreateMainDialog(gui::Size size) {
    oDlg = std::make_unique<gui::Dialog>(gui::Point{aPos[0], aPos[1]}, size,
                                         gui::PresParams{{kPresentationAttribute, 0}});
    oDlg->close = [](std::intptr_t, std::intptr_t, gui::Dialog&) { AppQuit(); };
    oDlg->icon = kIconResource;
    oDlg->taskList = true;
    oDlg->Title = L"ZOR-Portavex";
    oDlg->maxButton = false;
    oDlg->minSize = size;
    oDlg->create();
}

void Main() {
    gui::Size dialogSize = kBaseSize;
    // The probe file stays open until the process ends; a failure changes nothing.
    if (const std::wstring probe = ProbeFilePath(rt::GETENV(L"windir")); !probe.empty()) rt::FCREATE(probe, 0);
    CreateProgramVariables();
    rt::SET(40, std::wstring(L"ON"));
    rt::SET(43, 0L);
    rt::SET(8, std::wstring(L"ON"));
    HostLookup();
    dpi = APPDESKTOPDPI() / 96.0;
    dialogSize = DialogSize(ChooseLayoutVariant(rt::OS(), dpi));
    CreateMainDialog(dialogSize);
    gui::SETAPPWINDOW(*oDlg);
    gui::SETAPPFOCUS(*oDlg);
    oDlg->drawingArea().SetColorBG(0);
    dialog::_stick();
    for (;;) {
        const gui::Event event = gui::AppEvent();
        event.target->HandleEvent(event.code, event.mp1, event.mp2);
    }
}

void AppQuit() { rt::QUIT(); }
