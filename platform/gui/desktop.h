#pragma once
#include "platform/gui/geometry.h"

#include <cstdint>

namespace gui {

class Desktop {
public:
    Size currentSize() const;  // the screen in pixels
    std::intptr_t GetHWnd() const;
};

Desktop& APPDESKTOP();

}  // namespace gui
