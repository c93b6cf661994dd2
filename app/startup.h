#pragma once
// The program's start: runtime check, error handling, table engines,
// application set-up, then Main. Returns only the exit code of a refused start.
int RunProgram();
