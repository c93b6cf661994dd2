#pragma once
// Finds the host data folder, makes it the default folder and opens the host
// table exclusively; refuses the start (message, AppQuit) when it cannot.
#include <string>

// The last component of the start folder: at most 50 characters, trailing
// blanks removed; empty at a drive root.
std::wstring InstallationName(const std::wstring& startFolder);
// Where the host may keep its data, in the order they are tried.
std::wstring DriveCandidate(const std::wstring& drive, const std::wstring& installationName);
std::wstring AllUsersCandidate(const std::wstring& allUsersProfile, const std::wstring& installationName);

void HostLookup();
