#include "app/startup.h"

#include "app/dbesys.h"
#include "app/main_window.h"
#include "platform/errors.h"
#include "platform/quit.h"
#include "platform/runtime_version.h"

int RunProgram() {
    if (!rt::RuntimeIsRecentEnough(rt::kRuntimeVersion)) return rt::kRuntimeTooOldExitCode;
    rt::InstallCrashHandlers();
    rt::ERRORSYS();
    rt::RegisterExitProcedure(rt::APPEXIT);
    DBESYS();
    APPSYS();
    Main();
}
