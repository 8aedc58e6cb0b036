// Must not compile: the literal ends inside a three-byte sequence.
#include "support/cp850.h"

const char *text = "Rand \xE2\x95"_cp;
