// Layout commands of the print-list layout library: one line each in the list.
#include "host/oli_layout.h"

#include <cmath>

void OLI_setFlags(FILE *stream, unsigned flags) {
  if (!stream) return;
  std::fprintf(stream, "#OLI_FLAGS 0x%x\n", flags);
}

void OLI_setYPositionCM(FILE *stream, int mode, double cm) {
  if (!stream || !std::isfinite(cm)) return;
  double v = cm + 0.0;  // no "-0.000"
  if (v > -0.0005 && v < 0.0005) v = 0.0;
  std::fprintf(stream, "#OLI_YPOS %d %.3f\n", mode, v);
}

void OLI_reserveSpaceCM(FILE *stream, double cm) {
  if (!stream || !std::isfinite(cm) || cm <= 0) return;
  std::fprintf(stream, "#OLI_RESERVE %.3f\n", cm);
}
