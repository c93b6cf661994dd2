#pragma once
// The desktop's horizontal logical DPI, or 96 when it cannot be read.
int APPDESKTOPDPI();
