#pragma once
// Fonts by compound name: "<points>.<face>", e.g. "11.Arial" or " 9.Arial".
#include <optional>
#include <string>

namespace gui {

struct FontName {
    int points = 0;
    std::wstring face;
};

// Parses a compound name; a leading blank before the size is allowed.
std::optional<FontName> ParseFontCompoundName(const std::wstring& name);

// The desktop's logical DPI, used to turn points into pixels.
int DesktopLogicalDpi();

}  // namespace gui
