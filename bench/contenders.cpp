#include "contenders.h"

#include "app/globals.h"
#include "copy/add_all.h"
#include "copy/stick_ok.h"
#include "job_dialog.h"
#include "platform/handles.h"

#include <chrono>
#include <vector>

namespace {

std::wstring lastSummary;

template <typename Work>
double Seconds(Work&& work) {
    const auto start = std::chrono::steady_clock::now();
    work();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

bool Walked(const std::wstring& name, bool folder) {
    if (name == L"." || name == L"..") return false;
    if (!folder) return true;
    return name.rfind(L"Datensicherung", 0) != 0 &&
           (name.rfind(L"Daten", 0) == 0 || name.rfind(L"Auflistungen", 0) == 0);
}

// The plain recursive walk with FindFirstFileW, relative paths.
void Walk(const std::wstring& root, const std::wstring& relative, std::vector<std::wstring>& folders,
          std::vector<std::wstring>& files) {
    WIN32_FIND_DATAW data;
    rt::FindHandle find(FindFirstFileW((root + relative + L"*").c_str(), &data));
    if (!find) return;
    do {
        const bool folder = data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY;
        if (!Walked(data.cFileName, folder)) continue;
        if (folder) {
            folders.push_back(relative + data.cFileName);
            Walk(root, relative + data.cFileName + L"\\", folders, files);
        } else {
            files.push_back(relative + data.cFileName);
        }
    } while (FindNextFileW(find.get(), &data));
}

void WalkEx(const std::wstring& folder, std::vector<std::wstring>& folders, std::vector<std::wstring>& files) {
    WIN32_FIND_DATAW data;
    rt::FindHandle find(FindFirstFileExW((folder + L"*").c_str(), FindExInfoBasic, &data, FindExSearchNameMatch,
                                         nullptr, FIND_FIRST_EX_LARGE_FETCH));
    if (!find) return;
    do {
        const bool isFolder = data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY;
        if (!Walked(data.cFileName, isFolder)) continue;
        const std::wstring path = folder + data.cFileName;
        if (isFolder) {
            folders.push_back(path);
            WalkEx(path + L"\\", folders, files);
        } else {
            files.push_back(path);
        }
    } while (FindNextFileW(find.get(), &data));
}

}  // namespace

double TimeJob(const std::wstring& source, const std::wstring& target, const std::wstring& logFolder) {
    SetCurrentDirectoryW(logFolder.c_str());
    testing_support::JobDialog dialog(source, source, target);
    const double seconds = Seconds([] { stick_ok(L"DEZiradu"); });
    lastSummary = MLE->getData();
    dateien = {};
    dirs = {};
    return seconds;
}

double TimeBareLoop(const std::wstring& source, const std::wstring& target) {
    return Seconds([&] {
        std::vector<std::wstring> folders, files;
        Walk(source + L"\\", L"", folders, files);
        const std::wstring own = target + L"\\DEZiradu\\";
        CreateDirectoryW(own.c_str(), nullptr);
        for (const auto& folder : folders) CreateDirectoryW((own + folder).c_str(), nullptr);
        CopyFileW((source + L"\\DEZiradu.bat").c_str(), (target + L"\\DEZiradu.bat").c_str(), FALSE);
        for (const auto& file : files) CopyFileW((source + L"\\" + file).c_str(), (own + file).c_str(), FALSE);
    });
}

double TimeXcopy(const std::wstring& source, const std::wstring& target) {
    std::wstring line = L"xcopy \"" + source + L"\" \"" + target + L"\\DEZiradu\" /E /I /H /Y";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    rt::FileHandle nul(CreateFileW(L"NUL", GENERIC_WRITE, FILE_SHARE_WRITE, &inherit, OPEN_EXISTING, 0, nullptr));
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = nul.get();
    startup.hStdError = nul.get();
    PROCESS_INFORMATION info{};
    return Seconds([&] {
        if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup, &info))
            return;
        rt::FileHandle process(info.hProcess);
        rt::FileHandle thread(info.hThread);
        WaitForSingleObject(process.get(), INFINITE);
    });
}

double TimeListing(const std::wstring& source) {
    dirs = {};
    dateien = {};
    const double seconds = Seconds([&] { ADD_ALL(source + L"\\", 0); });
    dirs = {};
    dateien = {};
    return seconds;
}

double TimeBareWalk(const std::wstring& source) {
    std::vector<std::wstring> folders, files;
    return Seconds([&] { WalkEx(source + L"\\", folders, files); });
}

std::wstring LastSummary() { return lastSummary; }
