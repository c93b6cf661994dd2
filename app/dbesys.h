#pragma once
// Sets up the table engines before Main runs: "DBFNTX", built from "DBFDBE"
// and "NTXDBE", becomes the default. A failure shows an alert; start-up goes on.
void DBESYS();
