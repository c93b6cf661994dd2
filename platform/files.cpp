#include "platform/files.h"

#include "platform/errors.h"
#include "platform/handles.h"
#include "platform/idle.h"

namespace rt {

std::wstring LongPath(const std::wstring& path) {
    if (path.rfind(L"\\\\?\\", 0) == 0) return path;
    const DWORD needed = GetFullPathNameW(path.c_str(), 0, nullptr, nullptr);
    if (needed == 0) return path;
    std::wstring full(needed, L'\0');
    const DWORD length = GetFullPathNameW(path.c_str(), needed, full.data(), nullptr);
    full.resize(length);
    // A trailing separator that was asked for survives the normalisation.
    if (full.rfind(L"\\\\", 0) == 0) return L"\\\\?\\UNC\\" + full.substr(2);
    return L"\\\\?\\" + full;
}

namespace {

std::wstring AttributeLetters(DWORD attributes) {
    std::wstring letters;
    if (attributes & FILE_ATTRIBUTE_READONLY) letters += L'R';
    if (attributes & FILE_ATTRIBUTE_HIDDEN) letters += L'H';
    if (attributes & FILE_ATTRIBUTE_SYSTEM) letters += L'S';
    if (attributes & FILE_ATTRIBUTE_DIRECTORY) letters += L'D';
    if (attributes & FILE_ATTRIBUTE_ARCHIVE) letters += L'A';
    return letters;
}

bool Selected(DWORD attributes, const std::wstring& selector) {
    auto wants = [&](wchar_t letter) { return selector.find(letter) != std::wstring::npos; };
    if ((attributes & FILE_ATTRIBUTE_DIRECTORY) && !wants(L'D')) return false;
    if ((attributes & FILE_ATTRIBUTE_HIDDEN) && !wants(L'H')) return false;
    if ((attributes & FILE_ATTRIBUTE_SYSTEM) && !wants(L'S')) return false;
    return true;
}

// Same file? Compared by volume and file index, so that two spellings of
// one path (or a link) are recognised.
bool SameFile(const std::wstring& a, const std::wstring& b) {
    auto identity = [](const std::wstring& path, BY_HANDLE_FILE_INFORMATION& info) {
        FileHandle file(CreateFileW(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                    nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
        return file && GetFileInformationByHandle(file.get(), &info);
    };
    BY_HANDLE_FILE_INFORMATION ia{}, ib{};
    return identity(a, ia) && identity(b, ib) && ia.dwVolumeSerialNumber == ib.dwVolumeSerialNumber &&
           ia.nFileIndexHigh == ib.nFileIndexHigh && ia.nFileIndexLow == ib.nFileIndexLow;
}

DWORD CALLBACK CopyProgress(LARGE_INTEGER, LARGE_INTEGER, LARGE_INTEGER, LARGE_INTEGER, DWORD, DWORD, HANDLE,
                            HANDLE, LPVOID) {
    Idle();
    return PROGRESS_CONTINUE;
}

}  // namespace

std::vector<DirEntry> DIRECTORY(const std::wstring& mask, const std::wstring& selector) {
    std::vector<DirEntry> entries;
    WIN32_FIND_DATAW data;
    FindHandle find(FindFirstFileExW(LongPath(mask).c_str(), FindExInfoBasic, &data, FindExSearchNameMatch,
                                     nullptr, FIND_FIRST_EX_LARGE_FETCH));
    if (!find) return entries;
    do {
        if (!Selected(data.dwFileAttributes, selector)) continue;
        entries.push_back({data.cFileName,
                           (static_cast<std::uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow,
                           AttributeLetters(data.dwFileAttributes)});
    } while (FindNextFileW(find.get(), &data));
    Idle();
    return entries;
}

unsigned long CREATEDIR(const std::wstring& path) {
    return CreateDirectoryW(LongPath(path).c_str(), nullptr) ? 0 : GetLastError();
}

void COPYFILE(const std::wstring& source, const std::wstring& target) {
    const std::wstring from = LongPath(source);
    const std::wstring to = LongPath(target);
    const DWORD existing = GetFileAttributesW(to.c_str());
    if (existing != INVALID_FILE_ATTRIBUTES) {
        if (SameFile(from, to)) {
            RaiseError({L"Datei kopieren", source, ERROR_SHARING_VIOLATION});
            return;
        }
        // Windows refuses to replace a hidden or read-only file; the copy
        // brings the source's attributes back.
        if (existing & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN))
            SetFileAttributesW(to.c_str(), existing & ~(FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN));
    }
    if (!CopyFileExW(from.c_str(), to.c_str(), CopyProgress, nullptr, nullptr, 0))
        RaiseError({L"Datei kopieren", source, GetLastError()});
}

bool FILE(const std::wstring& path) {
    const DWORD attributes = GetFileAttributesW(LongPath(path).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::intptr_t FCREATE(const std::wstring& path, int attribute) {
    // Files made here stay open until the process ends; the runtime owns them.
    static std::vector<FileHandle> openFiles;
    FileHandle file(CreateFileW(LongPath(path).c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                attribute == 0 ? FILE_ATTRIBUTE_NORMAL : static_cast<DWORD>(attribute), nullptr));
    if (!file) return -1;
    const auto number = reinterpret_cast<std::intptr_t>(file.get());
    openFiles.push_back(std::move(file));
    return number;
}

}  // namespace rt
