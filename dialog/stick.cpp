#include "dialog/stick.h"

namespace dialog {
void _stick() {}
}  // namespace dialog
