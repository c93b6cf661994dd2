#pragma once
// Finds the host data folder, makes it the default folder and opens the host
// table exclusively; refuses the start (message, AppQuit) when it cannot.
void HostLookup();
