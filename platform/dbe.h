#pragma once
// The table engines: a registry of engines by name, the exclusive open of a
// table and the closing of all tables.
#include <string>

namespace rt {

bool DBELOAD(const std::wstring& name, bool hidden);
bool DBEBUILD(const std::wstring& name, const std::wstring& first, const std::wstring& second);
bool DBESETDEFAULT(const std::wstring& name);

// Opens `table` (bare name: in the folder of setting 7) with the default
// engine. Failures raise an error, or set NETERR when the table is held by
// another process.
void DBUSEAREA(bool newArea, const std::wstring& driver, const std::wstring& table, const std::wstring& alias,
               bool shared, bool readOnly);
bool NETERR();
void DBCLOSEALL();

}  // namespace rt
