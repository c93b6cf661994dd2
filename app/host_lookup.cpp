#include "app/host_lookup.h"

#include "app/globals.h"
#include "app/main_window.h"
#include "platform/boxes.h"
#include "platform/dbe.h"
#include "platform/env.h"
#include "platform/errors.h"
#include "platform/files.h"
#include "platform/settings.h"
#include "platform/text.h"

namespace {

constexpr std::size_t kMaxInstallationName = 50;
constexpr wchar_t kTitle[] = L"System-Meldung";
// The two refusals differ only in the blank before the line break: it tells
// a raised error (A) from a table held elsewhere (B).
const std::wstring kTextA = L"ZOR-Portavex kann unter diesem Benutzer " + rt::CHR(13) +
                            L"nicht ausgeführt werden oder ist bereits aktiv!";
const std::wstring kTextB = L"ZOR-Portavex kann unter diesem Benutzer" + rt::CHR(13) +
                            L"nicht ausgeführt werden oder ist bereits aktiv!";

bool HoldsHostTable(const std::wstring& folder) { return rt::FILE(folder + L"\\zr.dbf"); }

// Opens the host table with every runtime error turned into a refusal.
void OpenHostTableOrQuit() {
    if (!rt::Guarded([] { rt::DBUSEAREA(false, L"", L"ZR", L"", false, false); })) {
        rt::MSGBOX(kTextA, kTitle);
        AppQuit();
    }
    if (rt::NETERR()) {
        rt::MSGBOX(kTextB, kTitle);
        AppQuit();
    }
}

}  // namespace

std::wstring InstallationName(const std::wstring& startFolder) {
    return rt::TRIM(rt::SUBSTR(startFolder, rt::RAT(L"\\", startFolder) + 1, kMaxInstallationName));
}

std::wstring DriveCandidate(const std::wstring& drive, const std::wstring& installationName) {
    return drive + L":\\" + installationName;
}

std::wstring AllUsersCandidate(const std::wstring& allUsersProfile, const std::wstring& installationName) {
    return allUsersProfile + L"\\" + installationName;
}

void HostLookup() {
    const std::wstring name = InstallationName(Hauptpfad);
    const std::wstring onDrive = DriveCandidate(rt::CURDRIVE(), name);
    const std::wstring forAllUsers = AllUsersCandidate(rt::GETENV(L"ALLUSERSPROFILE"), name);
    if (HoldsHostTable(onDrive)) Hauptpfad = onDrive;
    else if (HoldsHostTable(forAllUsers)) Hauptpfad = forAllUsers;
    rt::SET(7, Hauptpfad);
    OpenHostTableOrQuit();
}
