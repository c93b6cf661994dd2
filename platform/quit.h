#pragma once
// Ending the program: registered exit procedures run, then the process ends.

namespace rt {

using ExitProcedure = void (*)();
void RegisterExitProcedure(ExitProcedure procedure);

// The runtime's standard exit procedure: closes tables and redirected output.
void APPEXIT();

[[noreturn]] void QUIT();
[[noreturn]] void QuitWithCode(int exitCode);

}  // namespace rt
