#pragma once
// The portable copy job behind "erstellen".
#include <string>

// Checks the target folder in SLE, lists Hauptpfad (and Standardpfad when it
// differs), recreates the folder tree under the target (inside the own folder
// `cOrdner` when check_1 is ticked, with the launcher beside it), copies every
// listed file, writes the log "ZOR-Portavex.log" into the current folder and
// reports progress and the outcome in MLE.
void stick_ok(const std::wstring& cOrdner);
