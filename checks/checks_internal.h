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
