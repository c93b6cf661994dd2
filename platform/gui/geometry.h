#pragma once
// Positions are a window's lower-left corner, measured from the lower-left
// corner of its parent's client area (the screen's for a top-level window),
// y growing upward. Windows measures from the top; TopEdge converts.

namespace gui {

struct Point {
    int x = 0;
    int y = 0;
    bool operator==(const Point&) const = default;
};

struct Size {
    int width = 0;
    int height = 0;
    bool operator==(const Size&) const = default;
};

// The top edge, measured from the top, of a window of `height` whose lower
// edge lies `y` above the bottom of a parent area `parentHeight` high.
constexpr int TopEdge(int y, int height, int parentHeight) { return parentHeight - y - height; }

}  // namespace gui
