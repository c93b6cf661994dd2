#pragma once
// Sets up the table engines before Main runs.
void DBESYS();
