#pragma once
// The top-level dialog window that holds the controls.
#include "platform/gui/window.h"

#include <functional>

namespace gui {

// Owns an icon the toolkit loaded and destroys it once.
struct IconDeleter {
    void operator()(void* icon) const;
};
using OwnedIcon = std::unique_ptr<void, IconDeleter>;

// The dialog's client area. Colour 0 is the system's standard dialog colour.
class DrawingArea {
public:
    DrawingArea() = default;
    DrawingArea(const DrawingArea&) = delete;
    DrawingArea& operator=(const DrawingArea&) = delete;
    void SetColorBG(long colour);
    long colorBG() const { return colour_; }
    void* brush() const;  // HBRUSH for the background

private:
    friend class Dialog;
    long colour_ = 0;
    OwnedGdiObject ownBrush_;  // when not a system colour
    void* window_ = nullptr;
};

class Dialog : public Window {
public:
    // No parent and no owner: a top-level window on the desktop. The size is
    // the outer size, frame included.
    Dialog(Point position, Size size, PresParams presParams = {});
    ~Dialog() override;

    std::function<void(std::intptr_t mp1, std::intptr_t mp2, Dialog& self)> close;
    int icon = 0;           // icon resource number
    bool taskList = false;  // listed in the task bar
    std::wstring Title;
    bool maxButton = true;
    Size minSize{};  // outer size the user cannot go below

    template <typename Control, typename... Args>
    Control& add(Args&&... args) {
        auto control = std::make_unique<Control>(this, std::forward<Args>(args)...);
        Control& ref = *control;
        children_.push_back(std::move(control));
        return ref;
    }

    DrawingArea& drawingArea() { return drawingArea_; }
    Size clientSize() const;
    void Destroy();

    // While busy, close requests and input have no effect.
    bool busy() const { return busy_; }

protected:
    NativeSpec nativeSpec() const override;
    void afterCreate() override;

private:
    friend class BusyScope;
    friend struct DialogProcedure;
    Window* childFor(void* hwnd) const;
    void layoutChildren();
    std::vector<std::unique_ptr<Window>> children_;
    DrawingArea drawingArea_;
    OwnedIcon iconBig_;
    OwnedIcon iconSmall_;
    bool busy_ = false;
};

// Makes the dialog the application's main window / gives it the focus.
void SETAPPWINDOW(Dialog& dialog);
void SETAPPFOCUS(Window& window);
Dialog* AppWindow();

}  // namespace gui
