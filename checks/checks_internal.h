// checks/checks_internal.h — shared between the files of checks/ only.
#pragma once

#include "checks/checks.h"

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

 private:
  const CT_PLATE_TABLE *table_;
  int count_;
  double N_Ed_;
  bool bent_y_, bent_z_;  // the catalogue's moments about y and z
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
