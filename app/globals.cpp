#include "app/globals.h"

std::unique_ptr<gui::Dialog> oDlg;
std::wstring Hauptpfad;
std::wstring Standardpfad;
std::array<int, 2> aPos{};
std::wstring cFolder;
double dpi = 0;

gui::SingleLineEdit* SLE = nullptr;
gui::MultiLineEdit* MLE = nullptr;
gui::PushButton* pb1 = nullptr;
gui::PushButton* pb2 = nullptr;
gui::CheckBox* check_1 = nullptr;

std::vector<ListEntry> dateien;
std::vector<ListEntry> dirs;
