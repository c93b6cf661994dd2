#include "platform/dbe.h"

#include "platform/errors.h"
#include "platform/settings.h"
#include "platform/table_file.h"
#include "platform/text.h"

#include <map>
#include <set>

namespace rt {

namespace {

enum class EngineKind { Table, Order, Compound };

struct Engine {
    EngineKind kind;
    std::wstring tableEngine;  // Compound: the parts it was built from
    std::wstring orderEngine;
};

struct WorkArea {
    std::wstring alias;
    FileHandle file;
};

struct State {
    const std::map<std::wstring, EngineKind> installed{{L"DBFDBE", EngineKind::Table},
                                                       {L"NTXDBE", EngineKind::Order}};
    std::set<std::wstring> unavailable;
    std::map<std::wstring, Engine> loaded;
    std::wstring defaultEngine;
    std::map<int, WorkArea> areas;
    int currentArea = 1;
    bool netError = false;
};

State& TheState() {
    static State state;
    return state;
}

const Engine* Loaded(const std::wstring& name) {
    const auto found = TheState().loaded.find(UPPER(name));
    return found == TheState().loaded.end() ? nullptr : &found->second;
}

bool CanOpenTables(const std::wstring& engineName) {
    const Engine* engine = Loaded(engineName);
    return engine && engine->kind != EngineKind::Order;
}

int FreeArea() {
    int area = 1;
    while (TheState().areas.count(area)) ++area;
    return area;
}

std::wstring DefaultFolder() {
    const SettingValue folder = SETTING(7);
    const auto* text = std::get_if<std::wstring>(&folder);
    return text ? *text : std::wstring();
}

void Unload(const std::wstring& name) {
    State& state = TheState();
    state.loaded.erase(name);
    for (auto it = state.loaded.begin(); it != state.loaded.end();) {
        const Engine& engine = it->second;
        if (engine.kind == EngineKind::Compound && (engine.tableEngine == name || engine.orderEngine == name))
            it = state.loaded.erase(it);
        else
            ++it;
    }
    if (!state.defaultEngine.empty() && !Loaded(state.defaultEngine)) state.defaultEngine.clear();
}

constexpr wchar_t kOpenOperation[] = L"Tabelle öffnen";

bool HeldElsewhere(unsigned long osCode) {
    return osCode == ERROR_SHARING_VIOLATION || osCode == ERROR_LOCK_VIOLATION;
}

void RaiseOpenError(const std::wstring& path, const TableOpen& open) {
    if (open.notATable) RaiseError({kOpenOperation, path + L" (keine dBASE-Tabelle)", 0});
    else RaiseError({kOpenOperation, path, open.osCode});
}

}  // namespace

bool DBELOAD(const std::wstring& name, bool) {
    State& state = TheState();
    const std::wstring key = UPPER(name);
    const auto installed = state.installed.find(key);
    if (installed == state.installed.end() || state.unavailable.count(key)) return false;
    state.loaded.insert({key, Engine{installed->second, {}, {}}});
    return true;
}

bool DBEBUILD(const std::wstring& name, const std::wstring& tableEngine, const std::wstring& orderEngine) {
    const Engine* table = Loaded(tableEngine);
    const Engine* order = Loaded(orderEngine);
    if (!table || table->kind != EngineKind::Table || !order || order->kind != EngineKind::Order) return false;
    const std::wstring key = UPPER(name);
    if (const Engine* existing = Loaded(key))
        return existing->tableEngine == UPPER(tableEngine) && existing->orderEngine == UPPER(orderEngine);
    TheState().loaded.insert({key, Engine{EngineKind::Compound, UPPER(tableEngine), UPPER(orderEngine)}});
    return true;
}

bool DBESETDEFAULT(const std::wstring& name) {
    if (!CanOpenTables(name)) return false;
    TheState().defaultEngine = UPPER(name);
    return true;
}

void DBUSEAREA(bool newArea, const std::wstring& driver, const std::wstring& table, const std::wstring& alias,
               bool shared, bool readOnly) {
    State& state = TheState();
    state.netError = false;
    const std::wstring engine = driver.empty() ? state.defaultEngine : driver;
    if (!CanOpenTables(engine)) {
        const std::wstring missing =
            engine.empty() ? L"keine Database-Engine eingestellt" : L"Database-Engine " + engine + L" nicht geladen";
        RaiseError({kOpenOperation, table + L" (" + missing + L")", 0});
        return;
    }
    if (newArea) state.currentArea = FreeArea();
    else state.areas.erase(state.currentArea);
    const std::wstring path = TableFilePath(DefaultFolder(), table);
    TableOpen open = OpenTableFile(path, shared, readOnly);
    if (HeldElsewhere(open.osCode)) {
        state.netError = true;
        return;
    }
    if (!open.file) {
        RaiseOpenError(path, open);
        return;
    }
    state.areas[state.currentArea] = WorkArea{alias.empty() ? UPPER(table) : alias, std::move(open.file)};
}

bool NETERR() { return TheState().netError; }

void DBCLOSEALL() {
    TheState().areas.clear();
    TheState().currentArea = 1;
}

void SetEngineAvailable(const std::wstring& name, bool available) {
    const std::wstring key = UPPER(name);
    if (available) {
        TheState().unavailable.erase(key);
        return;
    }
    TheState().unavailable.insert(key);
    Unload(key);
}

}  // namespace rt
