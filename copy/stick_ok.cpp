#include "copy/stick_ok.h"

#include "app/globals.h"
#include "copy/add_all.h"
#include "platform/boxes.h"
#include "platform/copy_queue.h"
#include "platform/dbe.h"
#include "platform/env.h"
#include "platform/errors.h"
#include "platform/files.h"
#include "platform/gui/busy.h"
#include "platform/settings.h"
#include "platform/text.h"

#include <unordered_set>

namespace {

const std::wstring CRLF = L"\r\n";
constexpr wchar_t kLogName[] = L"ZOR-Portavex.log";
constexpr wchar_t kLauncher[] = L"DEZiradu.bat";
constexpr wchar_t kCreated[] = L" -> wird angelegt";
constexpr unsigned kCopyWorkers = 4;
constexpr std::size_t kCopiesAhead = 64;

void AppendToMLE(const std::wstring& piece) { MLE->setData(MLE->getData() + piece); }

// The target path of a list entry: its listed folder replaced by the target.
std::wstring TargetOf(const ListEntry& entry, const std::wstring& target) {
    return rt::STRTRAN(entry.path, entry.tag == 0 ? Hauptpfad : Standardpfad, target);
}

class CopyJob {
public:
    explicit CopyJob(const std::wstring& cOrdner) : cOrdner_(cOrdner) {}

    void run() {
        gui::BusyScope busy(*oDlg);
        pb1->disable();
        pb2->disable();
        if (check_1->getData()) {
            cZielbasis_ = SLE->getData();
            SLE->setData(SLE->getData() + cOrdner_ + L"\\");
        }
        rt::DBCLOSEALL();
        listSources();
        rememberSourcesInReach();
        openLog();
        rt::QOUT(rt::DTOC_DATE() + L"  " + rt::TIME());
        rt::QOUT(L" ");
        createFolders();
        AppendToMLE(CRLF + CRLF);
        rt::QOUT(L" ");
        copyFiles();
        rt::QOUT(L"  ");
        closeLog();
        showSummary();
        pb1->enable();
    }

private:
    void listSources() {
        ADD_ALL(Hauptpfad, 0);
        if (!rt::BeginsWith(Hauptpfad, Standardpfad)) ADD_ALL(Standardpfad, 1);
    }

    // A log that cannot be opened or written does not stop the job; the
    // summary says so.
    void openLog() {
        rt::SET(17, std::wstring(L"OFF"));
        if (!rt::Guarded([] { rt::SET(24, std::wstring(kLogName), false); })) logFailed_ = true;
        rt::SET(23, std::wstring(L"ON"));
    }

    void closeLog() {
        rt::SET(23, std::wstring(L"OFF"));
        if (!rt::Guarded([] { rt::SET(24, std::wstring()); })) logFailed_ = true;
        rt::SET(17, std::wstring(L"ON"));
    }

    void createFolders() {
        const bool ownFolder = check_1->getData();
        const long extra = ownFolder ? 1 : 0;
        MLE->setData(CRLF + rt::STR(static_cast<long long>(dirs.size()) + extra, 5) +
                     L"  Verzeichnisse müssen angelegt werden" + CRLF);
        const std::wstring target = SLE->getData();
        if (ownFolder) {
            rt::QOUT(target + kCreated);
            rt::CREATEDIR(target);
        }
        jetzt_ = MLE->getData();
        for (std::size_t i = 1; i <= dirs.size(); ++i) {
            MLE->setData(jetzt_ + rt::STR(static_cast<long long>(i) + extra, 10) +
                         L" Verzeichnisse erfolgreich angelegt ...");
            const std::wstring dirneu = TargetOf(dirs[i - 1], target);
            rt::QOUT(dirneu + kCreated);
            rt::CREATEDIR(dirneu);
        }
        if (ownFolder) copyLauncher();
    }

    // Beside the own folder, not inside it. Not logged; a failure joins the
    // failure list but leaves the file counts alone.
    void copyLauncher() {
        const std::wstring source = Hauptpfad + kLauncher;
        const std::wstring target = cZielbasis_ + kLauncher;
        if (overwritesSource(target) || !rt::Guarded([&] { rt::COPYFILE(source, target); })) {
            cFehlerliste_ += CRLF + source;
            launcherFailed_ = true;
        }
    }

    // The copies run a few files ahead of the steps on worker threads; each
    // step still shows its count, logs its line and takes its file's outcome
    // in list order.
    void copyFiles() {
        AppendToMLE(rt::STR(static_cast<long long>(dateien.size()), 5) + L"  Dateien müssen kopiert werden" + CRLF);
        jetzt_ = MLE->getData();
        const std::wstring target = SLE->getData();
        rt::CopyQueue copies(kCopyWorkers);
        std::size_t started = 0;
        for (std::size_t i = 1; i <= dateien.size(); ++i) {
            for (; started < dateien.size() && started < i + kCopiesAhead; ++started) {
                const std::wstring ziel = TargetOf(dateien[started], target);
                if (overwritesSource(ziel)) copies.refuse(dateien[started].path);
                else copies.submit(dateien[started].path, ziel);
            }
            MLE->setData(jetzt_ + rt::STR(static_cast<long long>(i) - nFehler_, 10) +
                         L" Dateien erfolgreich kopiert ...");
            const std::wstring& quelle = dateien[i - 1].path;
            const std::wstring ziel = TargetOf(dateien[i - 1], target);
            rt::QOUT(quelle + L" -> " + ziel);
            if (!rt::Guarded([&] { copies.finishNext(); })) {
                cFehlerliste_ += CRLF + quelle;
                ++nFehler_;
            }
        }
    }

    // A target inside a source folder maps some copies onto files the job
    // itself lists: the host's own data. Such a copy fails instead.
    bool overwritesSource(const std::wstring& target) const {
        return !sourceKeys_.empty() && sourceKeys_.count(rt::PathKey(target)) > 0;
    }

    // Only when the target and a source folder overlap can a copy meet a
    // listed file; a big listing then costs no memory for the keys.
    void rememberSourcesInReach() {
        const std::wstring base = rt::PathKey(cZielbasis_.empty() ? SLE->getData() : cZielbasis_);
        auto overlaps = [&](const std::wstring& folder) {
            const std::wstring key = rt::PathKey(folder);
            return rt::BeginsWith(base, key) || rt::BeginsWith(key, base);
        };
        if (!overlaps(Hauptpfad) && !overlaps(Standardpfad)) return;
        for (const auto& entry : dateien) sourceKeys_.insert(rt::PathKey(entry.path));
    }

    void showSummary() {
        if (nFehler_ == 0 && !launcherFailed_) {
            AppendToMLE(CRLF + CRLF);
            AppendToMLE(L"   alle Operationen wurden erfolgreich abeschlossen." + CRLF);
            AppendToMLE(L"   Sie können ZOR-Portavex jetzt beenden." + CRLF + CRLF);
            AppendToMLE(L"   Viel Spaß mit Ihrer mobilen ZORZoranthek.");
        } else {
            AppendToMLE(CRLF + CRLF);
            AppendToMLE(L"nicht alle Operationen erfolgreich abeschlossen!" + CRLF + CRLF);
            AppendToMLE(cFehlerliste_);
            AppendToMLE(CRLF + CRLF);
            AppendToMLE(L"Die mobile Anwenung ist vermutlich nicht laufdfähig!");
        }
        if (logFailed_)
            AppendToMLE(CRLF + CRLF + L"Die Protokolldatei \"" + kLogName + L"\" konnte nicht geschrieben werden.");
    }

    std::wstring cOrdner_;
    long long nFehler_ = 0;  // failed file copies
    std::wstring cZielbasis_;
    std::wstring cFehlerliste_ = L"folgende Dateien konnten nicht kopiert werden:";
    std::wstring jetzt_;
    std::unordered_set<std::wstring> sourceKeys_;  // PathKey of every listed file
    bool launcherFailed_ = false;
    bool logFailed_ = false;
};

}  // namespace

void stick_ok(const std::wstring& cOrdner) {
    dateien = {};
    dirs = {};
    Hauptpfad += L"\\";
    Standardpfad += L"\\";
    if (rt::EMPTY(SLE->getData())) {
        rt::MSGBOX(L"Es wurde kein Verzeichnis zur Installation\rder mobilen ZOR-Anwendung gewählt!", L"Hinweis");
        return;
    }
    if (rt::RIGHT(SLE->getData(), 1) != L"\\") SLE->setData(SLE->getData() + L"\\");
    CopyJob(cOrdner).run();
}
