#include "dialog/dpi_probe.h"

int APPDESKTOPDPI() { return 96; }
