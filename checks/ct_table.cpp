// checks/ct_table.cpp — access to the plate-part tables of the classification.
#include "checks/checks_internal.h"
#include "querschnitt/querschnitt.h"

CT_PLATE_TABLE_READER::CT_PLATE_TABLE_READER(const CT_PLATE_TABLE *table) : table_(table), count_(0) {
  if (table_) {
    count_ = (table_->parts && table_->count > 0) ? table_->count : 0;
  } else {
    const QUERSCHNITT *current = Get_Querschnitt_Current();
    count_ = current ? current->n_parts : 0;
  }
}

bool CT_PLATE_TABLE_READER::get(int i, CT_PLATE_PART *part) const {
  *part = CT_PLATE_PART{CT_KIND_NONE, 0.0, 0.0, 0.0};
  if (i < 0 || i >= count_) return false;
  if (table_) *part = table_->parts[i];
  else part->kind = Get_Profil_Plate_Part(i, &part->ct, &part->sigma_a, &part->sigma_b);
  if (part->kind == CT_KIND_NONE) return false;
  if (!(part->ct > 0.0)) part->ct = 0.0;  // a negative c/t counts as 0
  return true;
}
