#pragma once
// Builds the controls of the main dialog.
namespace dialog {
void _stick();
}
