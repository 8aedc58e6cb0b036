// Formatted output helpers.
#include <cstdarg>

#include "support/support.h"

int Tools_Fprintf(FILE *stream, const char *fmt, ...) {
  if (!stream || !fmt) return 0;
  va_list ap;
  va_start(ap, fmt);
  int n = std::vfprintf(stream, fmt, ap);
  va_end(ap);
  return n;
}
