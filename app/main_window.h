#pragma once
// Start-up and the main window.
#include "platform/gui/geometry.h"

#include <array>
#include <string>

enum class LayoutVariant { XP, W796, W7120 };

// The start folder: drive, ":\", folder; a trailing backslash only at a root.
std::wstring StartFolder(const std::wstring& drive, const std::wstring& folder);
// The probe file under the Windows folder; empty when "windir" is not set.
std::wstring ProbeFilePath(const std::wstring& windir);
// Centred as if the dialog were 350 x 430, whatever its variant.
std::array<int, 2> DialogPosition(gui::Size desktop);
LayoutVariant ChooseLayoutVariant(const std::wstring& osName, double dpiRatio);
gui::Size DialogSize(LayoutVariant variant);

void APPSYS();
// Creates the program-wide variables (step 3 of the start).
void CreateProgramVariables();
// Creates and shows the main dialog in oDlg.
void CreateMainDialog(gui::Size size);
[[noreturn]] void Main();
[[noreturn]] void AppQuit();
