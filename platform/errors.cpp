#include "platform/errors.h"

#include "platform/boxes.h"
#include "platform/quit.h"
#include "platform/win.h"

#include <exception>

namespace rt {

namespace {
ErrorBlock& CurrentBlock() {
    static ErrorBlock block;
    return block;
}

constexpr int kErrorExitCode = 1;

std::wstring SystemMessage(unsigned long code) {
    wchar_t* buffer = nullptr;
    const DWORD length = FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, code,
        MAKELANGID(LANG_NEUTRAL, SUBLANG_DEFAULT), reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
    std::wstring text = length ? std::wstring(buffer, length) : std::wstring();
    LocalFree(buffer);
    while (!text.empty() && (text.back() == L'\n' || text.back() == L'\r' || text.back() == L' ')) text.pop_back();
    return text;
}
}  // namespace

std::wstring Error::description() const {
    std::wstring text = L"Fehler bei: " + operation;
    if (!subject.empty()) text += L"\r" + subject;
    if (osCode != 0) {
        text += L"\rWindows-Fehler " + std::to_wstring(osCode);
        const std::wstring message = SystemMessage(osCode);
        if (!message.empty()) text += L": " + message;
    }
    return text;
}

ErrorBlock ERRORBLOCK(ErrorBlock block) {
    ErrorBlock previous = std::move(CurrentBlock());
    CurrentBlock() = std::move(block);
    return previous;
}

void BREAK(const Error& error) { throw BreakSignal{error}; }

void RaiseError(const Error& error) {
    if (CurrentBlock()) {
        // Copy first: the routine may replace itself while it runs.
        ErrorBlock block = CurrentBlock();
        block(error);
        return;
    }
    FatalError(error.description());
}

void ERRORSYS() {
    ERRORBLOCK([](const Error& error) { FatalError(error.description()); });
}

void FatalError(const std::wstring& what) {
    MSGBOX(L"ZOR-Portavex muss beendet werden.\r\r" + what, L"ZOR-Portavex - Fehler");
    QuitWithCode(kErrorExitCode);
}

namespace {
LONG WINAPI OnCrash(EXCEPTION_POINTERS* info) {
    wchar_t code[16];
    swprintf(code, 16, L"%08lX", static_cast<unsigned long>(info->ExceptionRecord->ExceptionCode));
    FatalError(L"Interner Programmfehler (Ausnahme 0x" + std::wstring(code) + L")");
}

void OnTerminate() {
    std::wstring what = L"Interner Programmfehler";
    try {
        if (auto current = std::current_exception()) std::rethrow_exception(current);
    } catch (const std::bad_alloc&) {
        what = L"Nicht genügend Arbeitsspeicher";
    } catch (const std::exception& e) {
        what += L": " + std::wstring(e.what(), e.what() + std::char_traits<char>::length(e.what()));
    } catch (...) {
    }
    FatalError(what);
}
}  // namespace

void InstallCrashHandlers() {
    SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
    SetUnhandledExceptionFilter(OnCrash);
    std::set_terminate(OnTerminate);
}

}  // namespace rt
