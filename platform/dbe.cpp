#include "platform/dbe.h"

namespace rt {

bool DBELOAD(const std::wstring&, bool) { return true; }
bool DBEBUILD(const std::wstring&, const std::wstring&, const std::wstring&) { return true; }
bool DBESETDEFAULT(const std::wstring&) { return true; }
void DBUSEAREA(bool, const std::wstring&, const std::wstring&, const std::wstring&, bool, bool) {}
bool NETERR() { return false; }
void DBCLOSEALL() {}

}  // namespace rt
