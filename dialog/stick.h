#pragma once
// Builds the controls of the main dialog.
#include <string>

namespace dialog {

void _stick();

// The font of the description, the target field and the two command buttons:
// Arial at 11 points divided by the DPI ratio, so its text keeps the pixel
// size it has at 96 DPI, as the controls keep their pixel geometry.
std::wstring ScaledArial(double dpiRatio);

}  // namespace dialog
