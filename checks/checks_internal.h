// checks/checks_internal.h — shared between the files of checks/ only.
#pragma once

#include "checks/checks.h"

// Reads a caller's plate-part table, or the section catalogue's current one for null.
class CT_PLATE_TABLE_READER {
 public:
  explicit CT_PLATE_TABLE_READER(const CT_PLATE_TABLE *table);
  int count() const { return count_; }
  // Part i with its c/t (a negative c/t as 0); false for an empty slot.
  bool get(int i, CT_PLATE_PART *part) const;

 private:
  const CT_PLATE_TABLE *table_;
  int count_;
};

// Marks the module state as changed (registers its reset with Host_Reset once).
void Checks_Register_Reset();
