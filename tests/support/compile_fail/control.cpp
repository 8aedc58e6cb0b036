// Must compile: the same command as the failing cases with valid literals.
#include "support/cp850.h"

const char *text = "Preis in DM, Größe ╬\\w"_cp;
