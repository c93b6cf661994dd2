#pragma once
// The controls of the dialog.
#include "platform/gui/window.h"

#include <functional>

namespace gui {

// Static text. type 1 is a text label; options 16 wraps it at word
// boundaries inside its box (otherwise it is one line).
class Static : public Window {
public:
    Static(Dialog* parent, Point position, Size size, PresParams presParams = {});
    int type = 1;
    int options = 0;
    std::wstring caption;
    static constexpr int kWordBreak = 16;

protected:
    NativeSpec nativeSpec() const override;
};

// Single-line edit. Bufferlength limits typing only: a text set by the
// program stays whole.
class SingleLineEdit : public Window {
public:
    SingleLineEdit(Dialog* parent, Point position, Size size, PresParams presParams = {});
    int Bufferlength = 0;
    bool editable = true;
    std::wstring getData() const;
    void setData(const std::wstring& text);

protected:
    NativeSpec nativeSpec() const override;
    void afterCreate() override;
};

// Multi-line edit. Without horizontal scrolling long lines wrap; it scrolls
// vertically. While the dialog is busy, setData is shown at a calm pace and
// getData still answers the text last set.
class MultiLineEdit : public Window {
public:
    MultiLineEdit(Dialog* parent, Point position, Size size, PresParams presParams = {});
    ~MultiLineEdit() override;
    bool horizScroll = true;
    bool editable = true;
    std::wstring getData() const;
    void setData(const std::wstring& text);
    // Shows a text set while busy; called by the busy pump.
    void flush();

protected:
    NativeSpec nativeSpec() const override;

private:
    std::wstring pending_;
    bool dirty_ = false;
};

// Push button with a text caption or a bitmap resource as its picture.
class PushButton : public Window {
public:
    PushButton(Dialog* parent, Point position, Size size, PresParams presParams = {});
    ~PushButton() override;
    std::wstring Caption;
    int CaptionBitmap = 0;  // resource number; 0 = text caption
    std::function<void()> Activate;

protected:
    NativeSpec nativeSpec() const override;
    void afterCreate() override;
    bool onCommand(unsigned code) override;

private:
    OwnedGdiObject bitmap_;
};

class CheckBox : public Window {
public:
    CheckBox(Dialog* parent, Point position, Size size, PresParams presParams = {});
    std::wstring Caption;
    bool selection = false;
    bool getData() const;

protected:
    NativeSpec nativeSpec() const override;
    void afterCreate() override;
};

}  // namespace gui
