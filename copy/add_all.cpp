#include "copy/add_all.h"

#include "app/globals.h"
#include "platform/files.h"
#include "platform/text.h"

#include <optional>
#include <string_view>
#include <vector>

namespace {

constexpr std::wstring_view kBackupFolder = L"Datensicherung";
constexpr std::wstring_view kCopiedFolders[] = {L"Auflistungen", L"Daten"};
constexpr std::wstring_view kLeftOutFiles[] = {L"ZOR-Portavex.exe", L"ZOR-Portavex.log", L"unins000.exe",
                                               L"unins000.dat",     L"Update.exe",       L"Update.ini"};

// The folders being walked, outermost first, so that a link leading back
// into one of them is not followed a second time.
using FolderChain = std::vector<std::optional<rt::FileIdentity>>;

bool BeginsWithAny(const std::wstring& name, const auto& words) {
    for (std::wstring_view word : words)
        if (rt::BeginsWith(name, word)) return true;
    return false;
}

bool IsFolder(const rt::DirEntry& entry) { return entry.attributes.find(L'D') != std::wstring::npos; }

bool IsCopiedFolder(const std::wstring& name) {
    return !rt::BeginsWith(name, kBackupFolder) && BeginsWithAny(name, kCopiedFolders);
}

bool LeadsBack(const std::optional<rt::FileIdentity>& folder, const FolderChain& chain) {
    if (!folder) return false;
    for (const auto& walked : chain)
        if (walked == folder) return true;
    return false;
}

void ListFolder(const std::wstring& folder, int tag, FolderChain& chain) {
    const auto identity = rt::IDENTITY(folder);
    if (LeadsBack(identity, chain)) return;
    chain.push_back(identity);
    for (const rt::DirEntry& entry : rt::DIRECTORY(folder + L"*", L"DHS")) {
        if (entry.name == L"." || entry.name == L"..") continue;
        const std::wstring path = folder + entry.name;
        if (IsFolder(entry)) {
            if (!IsCopiedFolder(entry.name)) continue;
            dirs.push_back({path, tag});
            ListFolder(path + L"\\", tag, chain);
        } else if (!BeginsWithAny(entry.name, kLeftOutFiles)) {
            dateien.push_back({path, tag});
        }
    }
    chain.pop_back();
}

}  // namespace

bool ADD_ALL(const std::wstring& folder, int tag) {
    FolderChain chain;
    ListFolder(folder, tag, chain);
    return true;
}
