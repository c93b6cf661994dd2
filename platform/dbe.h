#pragma once
// The table engines: a registry of engines by name, the exclusive open of a
// table and the closing of all tables.
//
// Two engines come with the program: "DBFDBE" reads dBASE tables, "NTXDBE"
// keeps index orders. DBEBUILD joins a table engine and an order engine into
// a new one under a name of its own.
#include <string>

namespace rt {

// Loads an installed engine; true on success (also when it is loaded already).
// `hidden` keeps the engine out of lists of engines; nothing here lists them.
bool DBELOAD(const std::wstring& name, bool hidden);
// Builds `name` from a loaded table engine and a loaded order engine.
bool DBEBUILD(const std::wstring& name, const std::wstring& tableEngine, const std::wstring& orderEngine);
// Makes a loaded engine the default; false (default unchanged) otherwise.
bool DBESETDEFAULT(const std::wstring& name);

// Opens `table` with `driver` (empty: the default engine) in the current work
// area (`newArea`: in a free one), closing what that area held. A bare name
// is looked up in the folder of setting 7 with the extension ".dbf", without
// regard to letter case. `shared` false: no other process may open the file
// while it is held; `readOnly` false: opened for reading and writing.
// A table held by another process sets NETERR; every other failure (no such
// file, no rights, not a dBASE table, no engine) raises an error.
void DBUSEAREA(bool newArea, const std::wstring& driver, const std::wstring& table, const std::wstring& alias,
               bool shared, bool readOnly);
// True when the last DBUSEAREA was refused because another process holds the table.
bool NETERR();
// Closes every open table.
void DBCLOSEALL();

// For tests: makes an installed engine unavailable (unloading it and what
// was built from it) or available again.
void SetEngineAvailable(const std::wstring& name, bool available);

}  // namespace rt
