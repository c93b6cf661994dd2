#include "app/dbesys.h"

#include "platform/boxes.h"
#include "platform/dbe.h"
#include "platform/settings.h"

void DBESYS() {
    rt::SET(41, 1L);
    if (!rt::DBELOAD(L"DBFDBE", true)) rt::ALERT(L"Database-Engine DBFDBE nicht geladen", {L"OK"});
    if (!rt::DBELOAD(L"NTXDBE", true)) rt::ALERT(L"Database-Engine NTXDBE nicht geladen", {L"OK"});
    if (!rt::DBEBUILD(L"DBFNTX", L"DBFDBE", L"NTXDBE"))
        rt::ALERT(L"DBFNTX Database-Engine;konnte nicht erzeugt werden", {L"OK"});
    rt::DBESETDEFAULT(L"DBFNTX");
}
