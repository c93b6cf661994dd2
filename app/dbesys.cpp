#include "app/dbesys.h"

void DBESYS() {}
