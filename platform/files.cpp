#include "platform/files.h"

#include "platform/errors.h"
#include "platform/handles.h"
#include "platform/idle.h"
#include "platform/text.h"

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

std::wstring PathKey(const std::wstring& path) { return UPPER(LongPath(path)); }

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

DWORD CALLBACK CopyProgress(LARGE_INTEGER, LARGE_INTEGER, LARGE_INTEGER, LARGE_INTEGER, DWORD, DWORD, HANDLE,
                            HANDLE, LPVOID) {
    Idle();
    return PROGRESS_CONTINUE;
}

constexpr DWORD kGuardedAttributes = FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN;

bool Copy(const std::wstring& from, const std::wstring& to, DWORD flags, LPPROGRESS_ROUTINE progress) {
    return CopyFileExW(from.c_str(), to.c_str(), progress, nullptr, nullptr, flags) != FALSE;
}

// Replaces an existing target; 0 or the Windows error code. A target that is
// the source itself is refused before anything is opened for writing.
DWORD ReplaceExisting(const std::wstring& from, const std::wstring& to, LPPROGRESS_ROUTINE progress) {
    const auto source = IDENTITY(from);
    if (source && source == IDENTITY(to)) return ERROR_SHARING_VIOLATION;
    // Windows refuses to replace a hidden or read-only file; the copy brings
    // the source's attributes back.
    const DWORD existing = GetFileAttributesW(to.c_str());
    const bool cleared = existing != INVALID_FILE_ATTRIBUTES && (existing & kGuardedAttributes);
    if (cleared) SetFileAttributesW(to.c_str(), existing & ~kGuardedAttributes);
    if (Copy(from, to, 0, progress)) {
        // Where the copy does not carry the attributes itself, the cleared
        // ones must not get lost.
        if (const DWORD wanted = GetFileAttributesW(from.c_str()); wanted != INVALID_FILE_ATTRIBUTES)
            SetFileAttributesW(to.c_str(), wanted);
        return 0;
    }
    const DWORD error = GetLastError();
    if (cleared) SetFileAttributesW(to.c_str(), existing);
    return error;
}

// A fresh copy that broke off (a full medium, a source that cannot be read
// to its end) must not leave a cut-off file that looks like the real one.
// Errors of opening the source or making the target leave nothing of ours
// behind: whatever lies there then was there before, and stays.
void RemovePartialCopy(const std::wstring& from, const std::wstring& to, DWORD error) {
    constexpr DWORD kNothingWritten[] = {ERROR_FILE_NOT_FOUND, ERROR_PATH_NOT_FOUND, ERROR_ACCESS_DENIED,
                                         ERROR_SHARING_VIOLATION, ERROR_FILE_EXISTS, ERROR_ALREADY_EXISTS};
    for (DWORD code : kNothingWritten)
        if (error == code) return;
    if (GetFileAttributesW(to.c_str()) == INVALID_FILE_ATTRIBUTES) return;
    const auto source = IDENTITY(from);
    if (source && source == IDENTITY(to)) return;
    SetFileAttributesW(to.c_str(), FILE_ATTRIBUTE_NORMAL);
    DeleteFileW(to.c_str());
}

// 0 or the Windows error code.
DWORD CopyLongPaths(const std::wstring& from, const std::wstring& to, LPPROGRESS_ROUTINE progress) {
    // The usual case, a fresh target, costs one call and can never open an
    // existing file (the source among them) for writing.
    if (Copy(from, to, COPY_FILE_FAIL_IF_EXISTS, progress)) return 0;
    const DWORD error = GetLastError();
    if (error == ERROR_FILE_EXISTS || error == ERROR_ALREADY_EXISTS) return ReplaceExisting(from, to, progress);
    RemovePartialCopy(from, to, error);
    return error;
}

}  // namespace

std::optional<FileIdentity> IDENTITY(const std::wstring& path) {
    FileHandle file(CreateFileW(LongPath(path).c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    BY_HANDLE_FILE_INFORMATION info{};
    if (!file || !GetFileInformationByHandle(file.get(), &info)) return std::nullopt;
    return FileIdentity{info.dwVolumeSerialNumber,
                        (static_cast<std::uint64_t>(info.nFileIndexHigh) << 32) | info.nFileIndexLow};
}

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
    if (const DWORD error = CopyLongPaths(LongPath(source), LongPath(target), CopyProgress))
        RaiseError({L"Datei kopieren", source, error});
}

unsigned long TryCopyFile(const std::wstring& source, const std::wstring& target) {
    return CopyLongPaths(LongPath(source), LongPath(target), nullptr);
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
