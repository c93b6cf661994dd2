// The program's entry point.
#include "app/startup.h"
#include "platform/win.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) { return RunProgram(); }
