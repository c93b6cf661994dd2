#pragma once
// The event loop: AppEvent waits for the next event, its target's
// HandleEvent dispatches it (keyboard navigation as in any Windows dialog).
#include <cstdint>

namespace gui {

class EventTarget {
public:
    void HandleEvent(unsigned code, std::intptr_t mp1, std::intptr_t mp2);

private:
    friend struct Event AppEvent();
    void* hwnd_ = nullptr;
    unsigned time_ = 0;
    long x_ = 0;
    long y_ = 0;
};

struct Event {
    unsigned code = 0;
    std::intptr_t mp1 = 0;
    std::intptr_t mp2 = 0;
    EventTarget* target = nullptr;
};

Event AppEvent();

}  // namespace gui
