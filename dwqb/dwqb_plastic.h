// dwqb/dwqb_plastic.h — plastic values and the plastic limit-state mask of the thin-walled
// section solver.
//
// The solver turns its current section into a cross-section mask (analysis/masque.h): one
// stress-strain line and one area group per wall line, the group bounded by the chords of
// the line's outline (nodes in METRES: the solver's cm × 0.01) and carrying the line's
// warping plane as its initial strain plane. Two such masks are kept:
//   - the plastic mask, on which Calc_DWQB_Plastic_Values finds the plastic limit moment in
//     four bending directions and turns it into plastic section moduli (cm³);
//   - the PLO mask, built for the plastic limit-state checks of the stress analysis with
//     the caller's material values (Build_DWQB_PLO_Mask).
// Both exist only in part mode (DWQB_Part_Mode_Switch set or header option 0x1000); every
// entry point answers 0 otherwise. Both are built at most once per section (and, for the
// PLO mask, per parameter set) and kept until Free_DWQB_Plastic_Masks, which
// Free_DWQB_Querschnitt calls; a failed build is remembered so that the same request
// answers 0 at once.
//
// Material law of the plastic mask: steel grade code 5 of the grade table
// (materials/materials.h), its yield strength for the section's largest wall thickness
// (t_max of the section result, passed in mm), divided by 1.1, as a bilinear steel law with limit
// strain 150 ‰ and a hardening slope of f/150. The law is cached keyed by that yield
// strength, so sections on either side of a thickness limit each get their own. A grade
// without a positive yield strength for the thickness fails the build.
//
// Module state (one thread, not re-entrant): both cached masks with their build-failed
// flags, the PLO build parameters, the cached law with its key, and a build counter.
// Reset_DWQB_Plastic_For_Tests() brings it back to program start; Host_Reset calls it once
// a mask was built.
#pragma once

#include "analysis/masque.h"
#include "dwqb/dwqb.h"

// One plastic value record (11 doubles, in this order).
struct DWQB_PLASTIC_RECORD {
  double y, z;          // point of the computation (cm): the centroid
  double theta;         // bending direction (rad): the moment vector lies along it
  double W_pl;          // plastic section modulus (cm³); -1.0 while not computed
  double y_zero, z_zero;  // where the zero line of the limit state crosses the axis of
                          // the frame at (y, z) nearer to normal to it (cm)
  double phi;           // angle of the limit strain plane in the mask frame (rad)
  double W_warp;        // plastic moment with the warping planes active / strength (cm³)
  double B_warp;        // warping resultant of that plane / strength (cm⁴)
  double residuum;      // residual of the limit-state solve
  double iterations;    // iterations of the limit-state solve
};
static_assert(sizeof(DWQB_PLASTIC_RECORD) == 11 * sizeof(double), "eleven doubles");

// Mark of a record that holds no value.
constexpr double DWQB_PLASTIC_NONE = -1.0;

// Plastic values of the current section into records[0..7]: records 0 to 3 for the bending
// directions 0, π/2, α, α + π/2 (α the principal angle of the section result) found from a
// start at the vertical strain plane (the first solver mode), records 4 to 7 the same
// directions by the plain limit-state solve (the second mode). records[k].W_pl is the
// plastic section modulus in cm³ about the axis through the centroid along theta (W_pl,y
// in record 0, W_pl,z in record 1).
// Every record is cleared and its W_pl set to -1.0 first (but for a null array). Returns 1
// only when records 0 to 3 all hold a value; 0 for a null array, outside part mode, for a
// section not computed yet, when the mask cannot be built (remembered until the section
// is freed) or when a direction's limit state was not found (that record keeps -1.0).
// Expects a section computed by Calc_DWQB_Querschnitt. The mask's frame, options and
// the mask library's mode word and result factors are the same after the call as before.
int Calc_DWQB_Plastic_Values(DWQB_PLASTIC_RECORD *records);

// The PLO mask of the current section for the plastic limit-state checks. params: p0 the
// strength f (kN/cm²), p1 the modulus E (kN/cm²), p2 the limit strain (‰; <= 0 means 150),
// p3 the hardening ratio (slope = p3 · f / limit strain), p4 the option value of the mask
// (> 0 switches option bit 0x1 on). Parameters within 1e-8 of the last ones answer the
// kept mask (or 0 when that build failed) without building. Returns the mask (owned by
// the solver: callers never release it) or 0 for null params, outside part mode, for a
// section not computed yet (nothing remembered) or on failure.
MASQUE *Build_DWQB_PLO_Mask(const double *params);
// The kept PLO mask; 0 outside part mode, when none was built or its build failed.
MASQUE *Get_DWQB_PLO_Result();
// The area group of wall line nr in the mask (the group carries the line's stress-strain
// line: group->linie); 0 for a null mask or an unknown line. The group is returned, not
// the stress-strain line, so that callers reach both the line's area and its law.
MASQUE_GRUPPE *Get_DWQB_PLO_Result_Item(MASQUE *mask, int nr);

// Releases both kept masks (Release_Masque_Querschnitt) and clears both build-failed
// flags and the PLO parameters; the cached law stays. Called by Free_DWQB_Querschnitt.
void Free_DWQB_Plastic_Masks();

// Back to program start: both masks released, flags, parameters and law cleared.
void Reset_DWQB_Plastic_For_Tests();
