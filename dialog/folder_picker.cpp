#include "dialog/folder_picker.h"

#include "app/globals.h"
#include "dialog/builtin_folder_picker.h"
#include "platform/dll.h"
#include "platform/text.h"

#include <algorithm>

namespace dialog {

namespace {
constexpr wchar_t kPrompt[] = L"Bitte Laufwerk und/oder Verzeichniss für die mobile ZOR-Anwendung auswählen...";
constexpr wchar_t kLibrary[] = L"SelectFolder.dll";
constexpr char kFunction[] = "SelectFolder";

// The 8-bit buffer the picker writes into: the folder text's bytes, blank
// filled, plus a zero byte behind the last one so no reader runs past it.
class AnsiFolderBuffer {
public:
    explicit AnsiFolderBuffer(const std::wstring& folder) : bytes_(kFolderBufferBytes, ' ') {
        const std::string ansi = rt::WideToAnsi(folder);
        bytes_.replace(0, std::min(ansi.size(), kFolderBufferBytes), ansi, 0, kFolderBufferBytes);
    }
    char* data() { return bytes_.data(); }
    // What the picker left: the text ends at its first zero byte; it keeps
    // its full width, blank filled.
    std::wstring text() const {
        std::wstring folder = rt::AnsiToWide(std::string_view(bytes_.c_str()));
        if (folder.size() < kFolderBufferBytes) folder.resize(kFolderBufferBytes, L' ');
        return folder;
    }

private:
    std::string bytes_;
};
}  // namespace

std::intptr_t SelectFolder(const std::wstring& prompt, const std::wstring& startFolder, std::wstring& folder,
                           std::intptr_t owner) {
    const std::string ansiPrompt = rt::WideToAnsi(prompt);
    const std::string ansiStart = rt::WideToAnsi(startFolder);
    AnsiFolderBuffer buffer(folder);
    rt::Library library = rt::DLLLOAD(kLibrary);
    const std::intptr_t result =
        library.procedure(kFunction)
            ? rt::DLLCALL(library, rt::kStdcall, kFunction, ansiPrompt.c_str(), ansiStart.c_str(), buffer.data(),
                          owner)
            : BuiltInSelectFolder(ansiPrompt.c_str(), ansiStart.c_str(), buffer.data(), owner);
    rt::DLLUNLOAD(library);
    folder = buffer.text();
    return result;
}

void PickFolder() {
    const std::wstring startFolder = SLE->getData();
    const std::intptr_t owner = oDlg->GetHWnd();
    SelectFolder(kPrompt, startFolder, cFolder, owner);
    const std::wstring chosen = rt::TRIM(cFolder);
    if (!rt::EMPTY(chosen)) SLE->setData(chosen);
}

}  // namespace dialog
