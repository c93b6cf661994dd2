#pragma once
// Long operations call Idle() now and then, so that the window that waits
// for them keeps painting. The GUI layer installs what Idle() does.

namespace rt {

using IdleHook = void (*)();
IdleHook SetIdleHook(IdleHook hook);
void Idle();

}  // namespace rt
