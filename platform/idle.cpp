#include "platform/idle.h"

namespace rt {

namespace {
IdleHook& Hook() {
    static IdleHook hook = nullptr;
    return hook;
}
}  // namespace

IdleHook SetIdleHook(IdleHook hook) {
    IdleHook previous = Hook();
    Hook() = hook;
    return previous;
}

void Idle() {
    if (Hook()) Hook()();
}

}  // namespace rt
