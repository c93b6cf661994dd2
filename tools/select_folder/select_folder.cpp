// A stand-in for the folder picker library, driven by the test through the
// environment:
//   ZOR_PICKER_LOG     file that gets one line per load, call and unload
//   ZOR_PICKER_RESULT  folder to write into the buffer; absent: cancel, the
//                      buffer is left untouched
//   ZOR_PICKER_END     "blanks": the folder is followed by blanks up to the
//                      buffer's end; otherwise by a zero byte
// Built with ZOR_PICKER_WITHOUT_FUNCTION it is a library that lacks the
// function.
#include <windows.h>

#include <cstdint>
#include <cstring>
#include <string>

namespace {
constexpr std::size_t kBufferBytes = 80;

std::string Environment(const char* name) {
    char value[1024];
    const DWORD length = GetEnvironmentVariableA(name, value, sizeof value);
    if (length == 0 || length >= sizeof value) return {};
    return std::string(value, length);
}

void Log(const std::string& line) {
    const std::string file = Environment("ZOR_PICKER_LOG");
    if (file.empty()) return;
    HANDLE log = CreateFileA(file.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                             OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (log == INVALID_HANDLE_VALUE) return;
    const std::string text = line + "\n";
    DWORD written = 0;
    WriteFile(log, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
    CloseHandle(log);
}
}  // namespace

extern "C" BOOL WINAPI DllMain(HINSTANCE, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_ATTACH) Log("load");
    if (reason == DLL_PROCESS_DETACH) Log("unload");
    return TRUE;
}

#ifndef ZOR_PICKER_WITHOUT_FUNCTION
static bool HasEnvironment(const char* name) { return GetEnvironmentVariableA(name, nullptr, 0) > 0; }

extern "C" int __stdcall SelectFolder(const char* prompt, const char* startFolder,
                                                             char* buffer, HWND owner) {
    Log("call|" + std::string(prompt) + "|" + std::string(startFolder) + "|" +
        std::to_string(reinterpret_cast<std::intptr_t>(owner)) + "|" + std::string(buffer, kBufferBytes));
    if (!HasEnvironment("ZOR_PICKER_RESULT")) return 0;
    const std::string folder = Environment("ZOR_PICKER_RESULT").substr(0, kBufferBytes - 1);
    std::memcpy(buffer, folder.data(), folder.size());
    if (Environment("ZOR_PICKER_END") == "blanks")
        std::memset(buffer + folder.size(), ' ', kBufferBytes - folder.size());
    else
        buffer[folder.size()] = '\0';
    return 1;
}
#endif
