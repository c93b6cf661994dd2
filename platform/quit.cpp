#include "platform/quit.h"

#include "platform/dbe.h"
#include "platform/settings.h"
#include "platform/win.h"

#include <vector>

namespace rt {

namespace {
std::vector<ExitProcedure>& ExitProcedures() {
    static std::vector<ExitProcedure> procedures;
    return procedures;
}
}  // namespace

void RegisterExitProcedure(ExitProcedure procedure) { ExitProcedures().push_back(procedure); }

void APPEXIT() {
    CloseExtraOutput();
    DBCLOSEALL();
}

void QUIT() { QuitWithCode(0); }

void QuitWithCode(int exitCode) {
    // Taken out first, so an exit procedure that fails cannot run twice.
    std::vector<ExitProcedure> procedures;
    procedures.swap(ExitProcedures());
    for (auto procedure : procedures) procedure();
    ExitProcess(static_cast<UINT>(exitCode));
}

}  // namespace rt
