// welds/welds.h — weld checks to EN 1993-1-8.
//
// What is here: the weld record WELD_SEAM, its reset and the check of a fillet weld by the
// simplified method of EN 1993-1-8, 4.5.3.3, with its one line in the print list. The
// profile family of profil/profil.h (Check_Profil_Weld) is its caller. Butt and plug
// welds, welds on a line cross-section and bolt groups are not built.
//
// The record is read this way: the weld is one fillet weld of throat a that joins a plate
// to a profile along a flange and along a web; the two lengths add up, and the force F_Ed
// on the weld is a field of the record (a design force in kN, taken whatever its
// direction, as the simplified method allows). Only the interface of this check is known
// (its name, the record, the reset and a print prefix), so the reading is this module's.
//
// Units: lengths in mm, strengths in N/mm², forces in kN. No module state.
#pragma once

#include <cstdint>
#include <cstdio>

enum : int32_t { WELD_FILLET = 1 };

struct WELD_SEAM {
  int32_t kind;       // WELD_FILLET
  double a;           // throat thickness (mm)
  double l_flange;    // weld length along the flange (mm)
  double l_web;       // weld length along the web (mm)
  double f_u;         // nominal ultimate strength of the weaker part joined (N/mm²)
  double beta_w;      // correlation factor of EN 1993-1-8 Table 4.1
  double gamma_M2;    // partial factor of welds (EN 1993-1-8 Table 2.1)
  double F_Ed;        // design force on the weld (kN)
  // results of Check_Weld_Seam
  double l_eff;       // length that carries (mm)
  double f_vw_d;      // design shear strength (N/mm²)
  double F_w_Rd;      // design resistance of the weld (kN)
  double U;           // utilisation |F_Ed| / F_w,Rd
};

// Clears the record: a fillet weld, every value 0 but gamma_M2 1.25 (the recommended value
// of EN 1993-1-8 Table 2.1). Null does nothing.
void Init_Weld_Record(WELD_SEAM *weld);

// Fillet weld by the simplified method of EN 1993-1-8, 4.5.3.3:
//   f_vw,d = f_u / (√3 β_w γ_M2),  F_w,Rd = f_vw,d a l_eff,  U = |F_Ed| / F_w,Rd,
// l_eff the sum of the two lengths, a length shorter than 30 mm or 6 a carrying nothing
// (EN 1993-1-8, 4.5.2(2)). Fills the results and writes one line into stream after prefix
// (null: none): the weld, f_vw,d, F_w,Rd and U with its verdict, or the red line of a
// failed computation. Returns 0 when the weld was checked (also with U above 1), 1 when
// it cannot be: a null record, another kind, a non-positive or non-finite a, f_u, beta_w
// or gamma_M2, a negative or non-finite length or force, or no length that carries (the
// results then stay 0).
int Check_Weld_Seam(WELD_SEAM *weld, FILE *stream, const char *prefix);
