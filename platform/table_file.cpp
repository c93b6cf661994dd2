#include "platform/table_file.h"

#include "platform/dbf_header.h"
#include "platform/files.h"

#include <algorithm>

namespace rt {

namespace {

std::wstring Join(const std::wstring& folder, const std::wstring& name) {
    if (folder.empty()) return name;
    const wchar_t last = folder.back();
    return last == L'\\' || last == L'/' || last == L':' ? folder + name : folder + L"\\" + name;
}

std::size_t NameStart(const std::wstring& path) {
    const std::size_t separator = path.find_last_of(L"\\/:");
    return separator == std::wstring::npos ? 0 : separator + 1;
}

bool Exists(const std::wstring& path) { return GetFileAttributesW(LongPath(path).c_str()) != INVALID_FILE_ATTRIBUTES; }

bool SameIgnoringCase(const std::wstring& a, const std::wstring& b) {
    return CompareStringOrdinal(a.c_str(), static_cast<int>(a.size()), b.c_str(), static_cast<int>(b.size()),
                                TRUE) == CSTR_EQUAL;
}

// The first bytes of the file, enough for any header; false when unreadable.
bool ReadLeading(HANDLE file, std::uint64_t size, std::string& bytes, unsigned long& osCode) {
    bytes.resize(static_cast<std::size_t>(std::min<std::uint64_t>(size, kMaxDbfHeaderLength)));
    std::size_t got = 0;
    while (got < bytes.size()) {
        DWORD chunk = 0;
        if (!ReadFile(file, bytes.data() + got, static_cast<DWORD>(bytes.size() - got), &chunk, nullptr)) {
            osCode = GetLastError();
            return false;
        }
        if (chunk == 0) break;
        got += chunk;
    }
    bytes.resize(got);
    return true;
}

}  // namespace

std::wstring FindNameIgnoringCase(const std::wstring& folder, const std::wstring& name) {
    WIN32_FIND_DATAW data;
    FindHandle find(FindFirstFileExW(LongPath(Join(folder.empty() ? L"." : folder, L"*")).c_str(), FindExInfoBasic,
                                     &data, FindExSearchNameMatch, nullptr, 0));
    if (!find) return {};
    do {
        if (!(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && SameIgnoringCase(data.cFileName, name))
            return data.cFileName;
    } while (FindNextFileW(find.get(), &data));
    return {};
}

std::wstring TableFilePath(const std::wstring& folder, const std::wstring& table) {
    const std::size_t nameStart = NameStart(table);
    std::wstring name = table.substr(nameStart);
    if (name.find(L'.') == std::wstring::npos) name += L".dbf";
    const std::wstring directory = nameStart == 0 ? folder : table.substr(0, nameStart);
    const std::wstring exact = Join(directory, name);
    if (Exists(exact)) return exact;
    // A case-sensitive folder: the host's own spelling of the name may differ.
    const std::wstring found = FindNameIgnoringCase(directory, name);
    return found.empty() ? exact : Join(directory, found);
}

TableOpen OpenTableFile(const std::wstring& path, bool shared, bool readOnly) {
    TableOpen open;
    const DWORD access = readOnly ? GENERIC_READ : GENERIC_READ | GENERIC_WRITE;
    const DWORD sharing = shared ? FILE_SHARE_READ | FILE_SHARE_WRITE : 0;
    open.file.reset(CreateFileW(LongPath(path).c_str(), access, sharing, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!open.file) {
        open.osCode = GetLastError();
        return open;
    }
    BY_HANDLE_FILE_INFORMATION info{};
    if (!GetFileInformationByHandle(open.file.get(), &info)) {
        open.osCode = GetLastError();
        open.file.reset();
        return open;
    }
    // Windows refuses to write a read-only file; so does the engine, also
    // where the file system would let an administrator through.
    if (!readOnly && (info.dwFileAttributes & FILE_ATTRIBUTE_READONLY)) {
        open.osCode = ERROR_ACCESS_DENIED;
        open.file.reset();
        return open;
    }
    const std::uint64_t size = static_cast<std::uint64_t>(info.nFileSizeHigh) << 32 | info.nFileSizeLow;
    std::string leading;
    if (!ReadLeading(open.file.get(), size, leading, open.osCode)) {
        open.file.reset();
        return open;
    }
    if (!IsDbaseTable(leading, size)) {
        open.notATable = true;
        open.file.reset();
    }
    return open;
}

}  // namespace rt
