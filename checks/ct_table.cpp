// checks/ct_table.cpp — access to the plate-part tables of the classification.
#include <cmath>

#include "checks/checks_internal.h"
#include "querschnitt/querschnitt.h"

namespace {
// A moment below 0.1 Nmm (1e-5 kNcm) counts as none, as in the class text of a profile.
constexpr double kLeastMoment_kNcm = 1e-5;
}  // namespace

bool CT_Web_Carries_N(int role, bool bent_y, bool bent_z) {
  switch (role) {
    case QS_WEB_Y_ANY: return bent_y;
    case QS_WEB_Y: return bent_y && !bent_z;
    case QS_WEB_Z: return bent_z && !bent_y;
    default: return false;
  }
}

CT_PLATE_TABLE_READER::CT_PLATE_TABLE_READER(const CT_PLATE_TABLE *table)
    : table_(table), count_(0), N_Ed_(0.0), bent_y_(false), bent_z_(false) {
  if (table_) {
    count_ = (table_->parts && table_->count > 0) ? table_->count : 0;
    N_Ed_ = table_->N_Ed;
  } else {
    const QUERSCHNITT *current = Get_Querschnitt_Current();
    count_ = current ? current->n_parts : 0;
    // The forces of the current stresses: N (kN), M_1 and M_2 (kNcm) about y and z.
    double f[8];
    Get_Profil_Point_Stress_Forces(f);
    N_Ed_ = 1000.0 * f[0];
    bent_y_ = std::fabs(f[4]) >= kLeastMoment_kNcm;
    bent_z_ = std::fabs(f[5]) >= kLeastMoment_kNcm;
  }
}

bool CT_PLATE_TABLE_READER::get(int i, CT_PLATE_PART *part) const {
  *part = CT_PLATE_PART{CT_KIND_NONE, 0.0, 0.0, 0.0, 0.0};
  if (i < 0 || i >= count_) return false;
  if (table_) {
    *part = table_->parts[i];
  } else {
    part->kind = Get_Profil_Plate_Part(i, &part->ct, &part->sigma_a, &part->sigma_b);
    double A_web_cm2 = 0.0;
    if (CT_Web_Carries_N(Get_Profil_Plate_Part_Web(i, &A_web_cm2), bent_y_, bent_z_)) part->A_web = 100.0 * A_web_cm2;
  }
  if (part->kind == CT_KIND_NONE) return false;
  if (!(part->ct > 0.0)) part->ct = 0.0;  // a negative c/t counts as 0
  if (!(part->A_web > 0.0) || !std::isfinite(part->A_web)) part->A_web = 0.0;
  return true;
}
