#include "platform/gui/font.h"

#include "platform/handles.h"

#include <cwctype>

namespace gui {

std::optional<FontName> ParseFontCompoundName(const std::wstring& name) {
    std::size_t at = name.find_first_not_of(L' ');
    const std::size_t dot = name.find(L'.');
    if (at == std::wstring::npos || dot == std::wstring::npos || dot <= at || dot + 1 == name.size())
        return std::nullopt;
    int points = 0;
    for (; at < dot; ++at) {
        if (!std::iswdigit(name[at])) return std::nullopt;
        points = points * 10 + (name[at] - L'0');
        if (points > 1000) return std::nullopt;
    }
    if (points == 0) return std::nullopt;
    return FontName{points, name.substr(dot + 1)};
}

int DesktopLogicalDpi() {
    rt::WindowDC screen(nullptr);
    return screen.get() ? GetDeviceCaps(screen.get(), LOGPIXELSY) : 96;
}

}  // namespace gui
