// dwqb/plastic_internal.h — internals of the solver's plastic masks shared by their
// source files and their tests. Not for other folders: they use dwqb/dwqb_plastic.h.
//
// Source files: plastic_mask.cpp (mask build: edge step, group steps, line step, warping
// plane fits), plastic.cpp (module state, law, cached plastic mask, PLO mask),
// plastic_values.cpp (plastic values and the limit computation per bending direction).
#pragma once

#include "dwqb/dwqb_plastic.h"

// The one module state of the plastic masks (defined in plastic.cpp).
struct DwqbPlasticState {
  MASQUE *mask;            // plastic mask of the current section, or null
  int mask_failed;         // its build failed; cleared when the section is freed
  int law_built;           // law holds the law of yield strength law_fy
  double law_fy;           // N/mm²
  double law[SDL_PARAMETER];
  MASQUE *plo;             // PLO mask, or null
  int plo_failed;          // its build with plo_params failed
  int plo_params_set;      // plo_params hold the parameters of the last request
  double plo_params[5];
  int grade_code;          // steel grade of the plastic law (5)
  int builds;              // masks built since program start
  int registered;          // reset registered with Host_Reset
};
DwqbPlasticState &Dwqb_Plastic_State();

// 1 in part mode (switch or header option 0x1000).
int DWQB_Plastic_Part_Mode();
// The cached plastic mask of the current section, built (with its law) when there is
// none, and the strength of its law (stress at the limit strain, kN/m²). 1 when there is
// a mask; 0 when the build failed now or before (remembered until the section is freed)
// and, without remembering, for a section not computed yet (no part tree).
int Provide_DWQB_Plastic_Mask(MASQUE **mask, double *strength);

// Context of one mask build (lengths of the section in cm; the mask gets m).
struct DWQB_MASK_CONTEXT {
  MASQUE *mask;                    // built by Begin_Group_Mask_Step
  MASQUE_GRUPPE *group;            // area group of the line being walked
  MASQUE_KNOTEN *first, *last;     // first and last mask node of the line's walk
  int node_nr;                     // running node number
  int edge_nr;                     // running edge number
  int mask_nr;                     // running mask number
  int n_lines;                     // lines added
  const double *law;               // ten-double stress-strain law of every line
  double y_ref, z_ref;             // reference point of the warping planes (cm)
  // fit accumulators: target ∫ω² dA, and ∫ω̃² dA, ∫ω̃ dA, ∫ω̃ y dA, ∫ω̃ z dA of the fitted
  // line planes ω̃ over the lines' areas
  double fit_T, fit_ww, fit_w, fit_wy, fit_wz;
  // ∫ω_r dA and the centre-line area of the fitted lines, which take the mean out of the
  // target
  double fit_mean_w, fit_mean_A;
};

// Edge step of an outline walk (a DWQB_SEGMENT_STEP): the first segment of a line's walk
// creates the start node; every segment creates its end node (× 0.01) and an edge from the
// last node to it, added to the mask and to the current group. 1, or 0 when the mask
// library fails (an object it refused is destroyed). Null context: 1.
int Add_Outline_Edge_Step(void *context, double y1, double z1, double s1, double y2, double z2, double s2);
// Root step: raises the running mask number and creates the mask into the context; 1 when
// it was created.
int Begin_Group_Mask_Step(DWQB_PART *part, void *context);
// Root end step: adds to every group's initial strain plane the plane that makes the
// fitted warping ordinates orthogonal to 1, y and z over the part's area (value indices
// 0-5), then scales all planes so that their ∫ω² dA equals the target. Returns 1 (also for
// a null part, context or mask).
int Fit_Group_Planes_Step(DWQB_PART *part, void *context);
// Line step: stress-strain line (type 2, "DWQB", id = line number) and area group (id =
// line number) for the line; for kind 1 the group's edges from the line's outline pieces
// and the line's warping plane. 1 to go on (also for a null line), 0 on a failure of the
// mask library.
int _Add_Line_To_Masque(DWQB_LINE *line, int kind, void *context);
// Least-squares plane ω ≈ a + b y + c z (section coordinates, cm) of a line element's
// warping ordinates: centre-line moments (value indices 18-23) and sectorial sums (28-31),
// with the pole moved to the reference point. Adds the element's share to the context's
// accumulators. Returns 1 with the plane, 0 when none can be fitted (plane zero).
int Fit_Line_Warping_Plane(const DWQB_PART *element, DWQB_MASK_CONTEXT *context, double *abc);

// Builds a mask of the current section with the law: a walk of the part tree with
// Begin_Group_Mask_Step as root step, _Add_Line_To_Masque as line step and
// Fit_Group_Planes_Step as root end step (reference point: the shear centre), then
// Update_Masque_Querschnitt(mask, 0). The mode word carries 0x10000 during the build and
// is restored. Returns the mask, or null (a partly built one released; also without a
// part tree).
MASQUE *Build_DWQB_Section_Mask(const double *law);

// Plastic limit of one bending direction: record A from the first solver mode (start at
// the vertical plane), record B from the second. The mask frame is set to (0.01 y,
// 0.01 z, theta) for the solves and restored. Records are cleared first (W_pl -1.0).
// Strength f in kN/m². Returns 0.
int Calc_DWQB_Plastic_Direction(MASQUE *mask, DWQB_PLASTIC_RECORD *a, DWQB_PLASTIC_RECORD *b, double f, double y,
                                double z, double theta);
// One limit-state computation in the mask's current frame; mode 0 or 1. options and
// factors (four doubles and the scaling switch) are those saved before. 1 when found.
int Calc_DWQB_Plastic_Limit(MASQUE *mask, DWQB_PLASTIC_RECORD *record, const MASQUE_CALC_OPTIONS *options, double f,
                            double y, double z, double theta, const double *factors, int scaling, int mode);

// Test access: the cached plastic mask, the number of mask builds since program start,
// and the steel grade code of the plastic law (5 in the program).
MASQUE *Get_DWQB_Plastic_Mask();
int Get_DWQB_Plastic_Build_Count();
void Set_DWQB_Plastic_Grade_For_Tests(int code);
