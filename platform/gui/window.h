#pragma once
// A window object is made in three steps: construct (parent, position, size,
// presentation parameters), set properties, then create() it.
#include "platform/gui/geometry.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace gui {

// Presentation parameter: attribute 4 with value 0 asks for the system's
// standard dialog colours, which is what a window gets anyway.
struct PresParam {
    int attribute = 0;
    long value = 0;
};
using PresParams = std::vector<PresParam>;

class Dialog;

// Owns a GDI object the toolkit made (a font, a bitmap) and deletes it once.
struct GdiObjectDeleter {
    void operator()(void* object) const;
};
using OwnedGdiObject = std::unique_ptr<void, GdiObjectDeleter>;

class Window {
public:
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;
    virtual ~Window();

    // Realises the window; settings made before are in force from the start.
    void create();
    bool created() const { return hwnd_ != nullptr; }

    std::intptr_t GetHWnd() const;
    Point position() const { return position_; }
    Size size() const { return size_; }

    // A font by compound name ("11.Arial"); the window owns the font.
    void setFontCompoundName(const std::wstring& name);
    const std::wstring& fontCompoundName() const { return fontName_; }

    void enable();
    void disable();
    bool isEnabled() const;

    // Drawn without the system's visual theme when false.
    bool UseVisualStyle = true;
    bool TabStop = false;

protected:
    Window(Dialog* parent, Point position, Size size, PresParams presParams);

    struct NativeSpec {
        const wchar_t* className;
        std::wstring text;
        unsigned long style = 0;
        unsigned long exStyle = 0;
    };
    virtual NativeSpec nativeSpec() const = 0;
    virtual void afterCreate() {}
    // WM_COMMAND notification from this control; true when handled.
    virtual bool onCommand(unsigned /*code*/) { return false; }
    // Destroys the native window now, before the object's own resources go.
    void destroyNative();

    void* hwnd_ = nullptr;  // the native window, owned
    Dialog* parent_;
    Point position_;
    Size size_;
    PresParams presParams_;

private:
    friend class Dialog;
    friend struct DialogProcedure;
    void applyFont();
    void placeIn(int parentClientHeight);
    std::wstring fontName_;
    OwnedGdiObject font_;
    bool enabled_ = true;
};

}  // namespace gui
