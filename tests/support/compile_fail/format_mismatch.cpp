// Must not compile with warnings as errors: the checked call sees that "%d" gets a text.
#include <cstdio>

#include "support/cp850.h"

int Length_Line(char *buf) { return CP850_CALL2(std::snprintf, buf, 40, "Länge %d cm", "zwölf"); }
