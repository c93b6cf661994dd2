#pragma once
// The program-wide variables, created by Main before any window exists and
// alive until the process ends.
#include "platform/gui/controls.h"
#include "platform/gui/dialog.h"

#include <array>
#include <memory>
#include <string>
#include <vector>

extern std::unique_ptr<gui::Dialog> oDlg;  // the main dialog
extern std::wstring Hauptpfad;             // the host data folder (where zr.dbf lies)
extern std::wstring Standardpfad;          // the start folder
extern std::array<int, 2> aPos;            // the dialog's position on the desktop
extern std::wstring cFolder;               // the folder picker's 80-character buffer
extern double dpi;                         // desktop DPI / 96

// The dialog's shared controls, set once when the controls are built.
extern gui::SingleLineEdit* SLE;  // target folder
extern gui::MultiLineEdit* MLE;   // progress
extern gui::PushButton* pb1;      // "beenden"
extern gui::PushButton* pb2;      // "erstellen"
extern gui::CheckBox* check_1;    // own folder

// One entry of the folder and file lists: a source path and the number of
// the listing it came from (0: Hauptpfad, 1: Standardpfad).
struct ListEntry {
    std::wstring path;
    int tag = 0;
    bool operator==(const ListEntry&) const = default;
};
extern std::vector<ListEntry> dateien;  // files to copy
extern std::vector<ListEntry> dirs;     // folders to create
