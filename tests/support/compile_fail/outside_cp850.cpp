// Must not compile: '€' has no code page 850 byte.
#include "support/cp850.h"

const char *text = "Preis in €"_cp;
