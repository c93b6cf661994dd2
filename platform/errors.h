#pragma once
// Runtime errors and the error routine in force. An operation that fails
// raises an error: the current routine decides what happens. The standard
// routine shows the error and ends the program; a guarded section installs a
// routine that BREAKs out of the section, carrying the error.
#include <functional>
#include <string>

namespace rt {

struct Error {
    std::wstring operation;    // what failed, e.g. "Datei kopieren"
    std::wstring subject;      // what it failed on, e.g. a path
    unsigned long osCode = 0;  // the Windows error code, 0 when none
    std::wstring description() const;  // German, for the user
};

using ErrorBlock = std::function<void(const Error&)>;

// Installs `block` and returns the routine it replaces.
ErrorBlock ERRORBLOCK(ErrorBlock block);

// Thrown by BREAK; caught by the guarded section that installed the routine.
struct BreakSignal {
    Error error;
};
[[noreturn]] void BREAK(const Error& error);

// Runs `step` in a guarded section: an error routine that turns any error
// into a BREAK out of it is in force while it runs, the previous routine is
// back afterwards. False when the step broke off with an error.
template <typename Step>
bool Guarded(Step&& step) {
    ErrorBlock bOldError = ERRORBLOCK([](const Error& error) { BREAK(error); });
    bool succeeded = true;
    try {
        step();
    } catch (const BreakSignal&) {
        succeeded = false;
    }
    ERRORBLOCK(std::move(bOldError));
    return succeeded;
}

// Hands an error to the routine in force. Returns only if the routine does.
void RaiseError(const Error& error);

// Installs the standard routine: a German message box naming what failed,
// then the program ends with exit code 1.
void ERRORSYS();

// Routes what escaped every handler (a C++ exception, a crash) to the same
// message box and exit, never to a crash dialog.
[[noreturn]] void FatalError(const std::wstring& what);
void InstallCrashHandlers();

}  // namespace rt
