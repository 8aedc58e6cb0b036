// Must not compile: 0xC3 starts a two-byte sequence that '(' does not continue.
#include "support/cp850.h"

const char *text = "Gr\xC3(e"_cp;
