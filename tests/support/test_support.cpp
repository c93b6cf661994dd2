#include "support/test_support.h"

#include "platform/files.h"
#include "platform/handles.h"
#include "platform/text.h"

#include <atomic>

namespace testing_support {

TempDir::TempDir() {
    static std::atomic<int> counter{0};
    wchar_t base[MAX_PATH];
    GetTempPathW(MAX_PATH, base);
    path_ = std::wstring(base) + L"zor-test-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
            std::to_wstring(GetTickCount64()) + L"-" + std::to_wstring(counter++);
    MakeDirs(path_);
}

TempDir::~TempDir() { RemoveTree(path_); }

std::wstring TempDir::operator/(const std::wstring& relative) const { return path_ + L"\\" + relative; }

void WriteFileBytes(const std::wstring& path, const std::string& bytes) {
    rt::FileHandle file(CreateFileW(rt::LongPath(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                    FILE_ATTRIBUTE_NORMAL, nullptr));
    DWORD written = 0;
    if (file) WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
}

std::string ReadFileBytes(const std::wstring& path) {
    rt::FileHandle file(CreateFileW(rt::LongPath(path).c_str(), GENERIC_READ,
                                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                    0, nullptr));
    std::string bytes;
    if (!file) return bytes;
    char buffer[65536];
    DWORD got = 0;
    while (ReadFile(file.get(), buffer, sizeof buffer, &got, nullptr) && got > 0) bytes.append(buffer, got);
    return bytes;
}

void MakeDirs(const std::wstring& path) {
    for (std::size_t at = path.find(L'\\', 3); at != std::wstring::npos; at = path.find(L'\\', at + 1))
        CreateDirectoryW(rt::LongPath(path.substr(0, at)).c_str(), nullptr);
    CreateDirectoryW(rt::LongPath(path).c_str(), nullptr);
}

void RemoveTree(const std::wstring& path) {
    const std::wstring full = rt::LongPath(path);
    WIN32_FIND_DATAW data;
    rt::FindHandle find(FindFirstFileW((full + L"\\*").c_str(), &data));
    if (find) {
        do {
            const std::wstring name = data.cFileName;
            if (name == L"." || name == L"..") continue;
            const std::wstring child = full + L"\\" + name;
            SetFileAttributesW(child.c_str(), FILE_ATTRIBUTE_NORMAL);
            if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) RemoveTree(child);
            else DeleteFileW(child.c_str());
        } while (FindNextFileW(find.get(), &data));
    }
    find.reset();
    SetFileAttributesW(full.c_str(), FILE_ATTRIBUTE_NORMAL);
    RemoveDirectoryW(full.c_str());
}

bool Exists(const std::wstring& path) {
    return GetFileAttributesW(rt::LongPath(path).c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::string Narrow(const std::wstring& text) { return rt::WideToUtf8(text); }

BoxRecorder::BoxRecorder() {
    previous_ = rt::SetBoxResponder([this](const rt::BoxRequest& request) {
        requests.push_back(request);
        return 1;
    });
}

BoxRecorder::~BoxRecorder() { rt::SetBoxResponder(std::move(previous_)); }

CurrentFolder::CurrentFolder(const std::wstring& folder) {
    wchar_t buffer[MAX_PATH];
    GetCurrentDirectoryW(MAX_PATH, buffer);
    previous_ = buffer;
    SetCurrentDirectoryW(folder.c_str());
}

CurrentFolder::~CurrentFolder() { SetCurrentDirectoryW(previous_.c_str()); }

std::wstring ExePath() { return ZOR_EXE_PATH; }
std::wstring BuildDir() { return ZOR_BUILD_DIR; }
std::wstring SourceDir() { return ZOR_SOURCE_DIR; }

}  // namespace testing_support

namespace testing_support {

std::string MinimalDbf(int records) {
    struct Field {
        const char* name;
        unsigned char length;
    };
    const Field fields[] = {{"NAME", 20}, {"ORT", 10}};
    const unsigned short headerLength = 32 + 32 * 2 + 1;
    const unsigned short recordLength = 1 + 20 + 10;
    std::string dbf(32, '\0');
    dbf[0] = 0x03;  // dBASE III without memo
    dbf[1] = 126;   // last update: 2026-12-11
    dbf[2] = 12;
    dbf[3] = 11;
    for (int i = 0; i < 4; ++i) dbf[4 + i] = static_cast<char>((records >> (8 * i)) & 0xFF);
    dbf[8] = static_cast<char>(headerLength & 0xFF);
    dbf[9] = static_cast<char>(headerLength >> 8);
    dbf[10] = static_cast<char>(recordLength & 0xFF);
    dbf[11] = static_cast<char>(recordLength >> 8);
    for (const Field& field : fields) {
        std::string descriptor(32, '\0');
        descriptor.replace(0, std::char_traits<char>::length(field.name), field.name);
        descriptor[11] = 'C';
        descriptor[16] = static_cast<char>(field.length);
        dbf += descriptor;
    }
    dbf += '\x0D';
    for (int r = 0; r < records; ++r) {
        std::string record = " " + std::string(20, ' ') + std::string(10, ' ');
        const std::string name = "Eintrag " + std::to_string(r + 1);
        record.replace(1, name.size(), name);
        dbf += record;
    }
    dbf += '\x1A';
    return dbf;
}

}  // namespace testing_support
