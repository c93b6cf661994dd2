#include "app/host_lookup.h"

void HostLookup() {}
