// dwqb/stress_internal.h — module state of the stress services of the solver (line
// caches, output tables, result hooks), shared by their source files and the tests.
#pragma once

#include "dwqb/dwqb_internal.h"
#include "dwqb/dwqb_stress.h"

struct DwqbStressState {
  // one-entry line caches of the point values and of the output tables
  int point_nr;
  DWQB_LINE *point_line;
  int out_nr;
  DWQB_LINE *out_line;
  DWQB_OUTPUT_TABLES tables;
  // result hooks
  const DWQB_RESULT_HOOKS *hooks;
  double hook_key;
  void *hook_result;
  int hook_failed;
};
DwqbStressState &Dwqb_Stress_State();
// The line with number nr through a one-entry cache, or null.
DWQB_LINE *Dwqb_Cached_Line(int *cache_nr, DWQB_LINE **cache_line, int nr);
// Called by Free_DWQB_Querschnitt: the line caches go, the hook result goes to the hook's
// free function.
void _Free_DWQB_Stress_Results();
// Back to program start (tables released, no hooks).
void _Reset_DWQB_Stress_For_Tests();
// Part mode of the current settings (switch or option 0x1000).
bool Dwqb_Part_Mode();
// Present outline piece: computed and not empty.
inline bool Dwqb_Piece_Present(const DWQB_OUTLINE_PIECE &p) {
  return (p.flags & DWQB_PIECE_COMPUTED) && !(p.flags & DWQB_PIECE_EMPTY);
}
