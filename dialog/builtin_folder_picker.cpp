#include "dialog/builtin_folder_picker.h"

#include "dialog/folder_picker.h"
#include "platform/boxes.h"
#include "platform/gui/folder_dialog.h"
#include "platform/text.h"

#include <algorithm>

namespace dialog {

namespace {
constexpr wchar_t kRefusalTitle[] = L"Ordnerauswahl";

void RefuseTooLong(const std::wstring& path) {
    const std::wstring cr = rt::CHR(13);
    rt::MSGBOX(L"Der gewählte Pfad ist zu lang:" + cr + path + cr + L"Er darf höchstens " +
                   std::to_wstring(kFolderBufferBytes - 1) +
                   L" Zeichen lang sein. Bitte einen Ordner mit kürzerem Pfad wählen.",
               kRefusalTitle);
}

void RefuseUnwritable(const std::wstring& path) {
    const std::wstring cr = rt::CHR(13);
    rt::MSGBOX(L"Der gewählte Pfad enthält Zeichen, die das Programm nicht verarbeiten kann:" + cr + path + cr +
                   L"Bitte einen Ordner wählen, dessen Pfad nur Zeichen des Windows-Zeichensatzes enthält.",
               kRefusalTitle);
}
}  // namespace

std::intptr_t BuiltInSelectFolder(const char* prompt, const char* startFolder, char* buffer, std::intptr_t owner) {
    const auto chosen = gui::ChooseFolder(rt::AnsiToWide(prompt), rt::AnsiToWide(startFolder), owner);
    if (!chosen) return 0;
    bool lossless = true;
    const std::string ansi = rt::WideToAnsi(*chosen, &lossless);
    if (!lossless) {
        RefuseUnwritable(*chosen);
        return 0;
    }
    if (ansi.size() + 1 > kFolderBufferBytes) {
        RefuseTooLong(*chosen);
        return 0;
    }
    std::copy(ansi.begin(), ansi.end(), buffer);
    buffer[ansi.size()] = '\0';
    return 1;
}

}  // namespace dialog
