// checks/checks_internal.h — shared between the files of checks/ only.
#pragma once

#include "checks/checks.h"

// ================================================================ plastic neutral axis
// A wall of a plate model: centre line from (y_a, z_a) to (y_b, z_b) with the thickness t_a
// at the first and t_b at the second end (one length unit throughout).
struct CT_WALL {
  double y_a, z_a, y_b, z_b, t_a, t_b;
};
// States of the axis: not worked out; a straight axis through the section; the whole
// section compressed (N beyond the squash load, or N without bending); the whole section in
// tension.
enum { CT_AXIS_NONE = 0, CT_AXIS_CROSSES = 1, CT_AXIS_ALL_COMPRESSED = 2, CT_AXIS_ALL_TENSION = 3 };
// Compressed where n_y·y + n_z·z > d (n a unit vector).
struct CT_PLASTIC_AXIS {
  int state;
  double n_y, n_z, d;
};
// The plastic neutral axis of the walls' strips under the normal force N_c (compression
// positive, force units of f × area) at the strength f, its moment pointing the way the
// moment of the elastic stresses plane[0] + plane[1]·y + plane[2]·z (compression positive)
// does about the strips' centroid. Returns and stores the state; CT_AXIS_NONE for missing
// or non-finite input, no strip with area, or no axis whose moment takes that direction
// at N_c.
int CT_Find_Plastic_Axis(const CT_WALL *walls, int n, double N_c, double f, const double plane[3],
                         CT_PLASTIC_AXIS *axis);
// The compressed share of a plate's centre line (as a wall; its thickness is not read) by
// the axis: 1 wholly compressed, 0 none, −1 when the axis is not worked out. *end (may be
// null): the compressed end of a plate the axis crosses (0 the first, 1 the second), else −1.
double CT_Plastic_Share(const CT_PLASTIC_AXIS &axis, const CT_WALL &part, int *end);

// Reads a caller's plate-part table, or the section catalogue's current one for null.
class CT_PLATE_TABLE_READER {
 public:
  explicit CT_PLATE_TABLE_READER(const CT_PLATE_TABLE *table);
  int count() const { return count_; }
  // The normal force of the table's stresses (N, compression negative).
  double N_Ed() const { return N_Ed_; }
  // Part i with its c/t (a negative c/t as 0) and the web area of its plastic neutral axis
  // (mm²; the catalogue's where the moments of its stresses leave the web to carry N, a
  // value that is no positive finite number as 0); false for an empty slot.
  bool get(int i, CT_PLATE_PART *part) const;
  // The compressed share of part i by the plastic neutral axis of the catalogue's plate
  // model (the walls of its thin-walled model) under the normal force of its stresses at
  // the strength f_d and the direction of their moments (CT_Find_Plastic_Axis); *end its
  // compressed end (0 first, 1 second, −1 both or none). −1 where the table cannot give
  // it: a caller's table, a tube wall, no axis.
  double plastic_share(int i, double f_d, int *end) const;
  // The catalogue's section is an angle (EN 1993-1-1 Table 5.2, sheet 3).
  bool angle() const { return angle_; }

 private:
  const CT_PLATE_TABLE *table_;
  int count_;
  double N_Ed_;
  bool bent_y_, bent_z_;  // the catalogue's moments about y and z
  bool angle_;
  mutable double axis_f_ = -1.0;  // strength of the axis worked out last
  mutable CT_PLASTIC_AXIS axis_{};
};

// Whether a symmetric web of role (QS_WEB_*) carries the normal force by its plastic
// neutral axis under the moments that act (about y, about z): the web of an I under M_y
// with or without M_z, other webs under M_y alone, the flanges of a box under M_z alone.
bool CT_Web_Carries_N(int role, bool bent_y, bool bent_z);

// Marks the module state as changed (registers its reset with Host_Reset once).
void Checks_Register_Reset();
// Back to program start: the stress check's switches, result number and constant.
void Reset_Stress_Check_State();

// ================================================================ stress check of a member section
struct PLO_RESULT;
struct TSV_RESULT;
// Host application whose stress check lists the section's lines.
inline constexpr int STRESS_APPLICATION_LINES = 180;
// Extremes of the plastic limit state over the nodes of the triangulated outline: strains
// (‰), (σ, τ, σ_v) in kN/cm²; ok 0 when a node gave no result or there were no nodes.
struct STRESS_PLO_EXTREMES {
  int ok;
  double eps_min, eps_max, min[3], max[3];
};
// The same over the nodes of one line.
struct STRESS_PLO_LINE {
  int nr, ok;
  double min[3], max[3];
};
// The lines of the plastic limit state in the stress check (level ≥ 1): at level > 1 the
// zero line, the limit strains and stresses and (application 180) the limit stresses of
// each line; then, with a limit state found and nachweis set, the load factors, the warping
// imbalance (B the acting bimoment, kNcm²) and the verdict on U_pl.
void Print_Stress_PLO_Lines(FILE *stream, int level, int application, int nachweis, const PLO_RESULT &result,
                            double B, const STRESS_PLO_EXTREMES &extremes, const STRESS_PLO_LINE *lines, int n_lines);
// The block of the partial internal forces of a plated section: strengths, the parts of
// the plate model (plates: the slot's data floats, cm), the main bending and the total.
void Print_Stress_TSV_Block(FILE *stream, const TSV_RESULT &result, const float *plates);

// ================================================================ zero forces
// The line of a row whose forces count as zero (stream given, level at least 1):
// "Schnittgrößen = 0: Nachweis nicht erforderlich" with the blue mark.
void Print_Zero_Forces_Line(FILE *stream, int level);
