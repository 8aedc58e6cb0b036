// Fuzz target: any small section of straight walls, in direct or part mode, runs to a
// result code of the solver; a section computed without fault has finite values and
// output tables for all its lines, and in direct mode the area sum of t L.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "dwqb/dwqb.h"
#include "dwqb/dwqb_stress.h"

// Bytes: mode and options, node count, per node y and z (signed, 0.5 cm steps), then per
// line node a, node b (by number) and thickness (0.25 cm steps).
extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  if (size < 2) return 0;
  Reset_DWQB_Module_For_Tests();
  const int mode = data[0];
  DWQB_Part_Mode_Switch = DWQB_Wall_Terms_Switch = 0;
  Get_DWQB_Header()->options = (mode & 1 ? DWQB_OPT_PART_MODE : 0u) | (mode & 2 ? DWQB_OPT_WALL_TERMS : 0u);
  const int n_nodes = 1 + data[1] % 16;
  size_t k = 2;
  for (int i = 0; i < n_nodes && k + 1 < size; ++i, k += 2)
    Add_DWQB_Node(i + 1, static_cast<int8_t>(data[k]) * 0.5, static_cast<int8_t>(data[k + 1]) * 0.5);
  int n_lines = 0;
  for (; k + 2 < size && n_lines < 24; k += 3)
    Add_DWQB_Line_Const_Thickness(++n_lines, 1 + data[k] % 16, 1 + data[k + 1] % 16, (data[k + 2] % 8) * 0.25);
  const int code = Calc_DWQB_Querschnitt();
  if (code < 0 || code > 6) std::abort();
  if (code == 0 || code == DWQB_FAULT_PRINCIPAL) {
    const double *v = Get_DWQB_Values()->v;
    for (int i = 0; i < DWQB_N_VALUES; ++i)
      if (!std::isfinite(v[i])) std::abort();
    if (!(mode & 1) && !(v[DWQB_V_A] > 0.0)) std::abort();  // part mode: overlapping walls may cancel
    DWQB_HEADER *h = Get_DWQB_Header();
    Grow_DWQB_Listed_Tables(0, n_lines);
    for (int i = 0; i < n_lines; ++i) h->listed_lines[i].nr = i + 1;
    h->n_listed_lines = n_lines;
    if (Calc_DWQB_Output_Points() != 0) std::abort();
  }
  Reset_DWQB_Module_For_Tests();
  return 0;
}
