// checks/ct_table.cpp — access to the plate-part tables of the classification.
#include <cmath>
#include <vector>

#include "checks/checks_internal.h"
#include "dwqb/dwqb.h"
#include "querschnitt/querschnitt.h"

namespace {
// A moment below 0.1 Nmm (1e-5 kNcm) counts as none, as in the class text of a profile.
constexpr double kLeastMoment_kNcm = 1e-5;

// The plane σ = p0 + p1 y + p2 z (kN/cm², y and z in cm, compression negative) through the
// stresses of the record's stress points under the forces of the last evaluation: the
// stresses N/A + c_1 M_I + c_2 M_II are linear in the points' coordinates, so the least
// squares fit is exact. False when the points do not span a plane.
bool _Stress_Plane(const QUERSCHNITT &q, double p[3]) {
  double f[8];
  Get_Profil_Point_Stress_Forces(f);
  double m1 = f[4], m2 = f[5];
  Transform_Profil_Section_Forces(nullptr, nullptr, nullptr, nullptr, &m1, &m2, nullptr, nullptr,
                                  q.values[DWQB_V_ALPHA], 0, q.grade_code);
  double M[3][3] = {}, r[3] = {};
  for (int k = 0; k < q.n_points; ++k) {
    const double *pt = q.points + k * QS_PT_COUNT;
    const double x[3] = {1.0, pt[QS_PT_Y], pt[QS_PT_Z]};
    const double sigma = pt[QS_PT_INV_A] * f[0] + pt[QS_PT_C1] * m1 + pt[QS_PT_C2] * m2;
    for (int i = 0; i < 3; ++i) {
      r[i] += x[i] * sigma;
      for (int j = 0; j < 3; ++j) M[i][j] += x[i] * x[j];
    }
  }
  auto det = [](const double (&a)[3][3]) {
    return a[0][0] * (a[1][1] * a[2][2] - a[1][2] * a[2][1]) - a[0][1] * (a[1][0] * a[2][2] - a[1][2] * a[2][0]) +
           a[0][2] * (a[1][0] * a[2][1] - a[1][1] * a[2][0]);
  };
  const double D = det(M);
  if (!(std::fabs(D) > 1e-12 * std::fabs(M[0][0] * M[1][1] * M[2][2])) || !std::isfinite(D)) return false;
  for (int c = 0; c < 3; ++c) {  // Cramer's rule
    double Mc[3][3];
    for (int i = 0; i < 3; ++i)
      for (int j = 0; j < 3; ++j) Mc[i][j] = j == c ? r[i] : M[i][j];
    p[c] = det(Mc) / D;
  }
  return true;
}

// Wall i of the record in mm.
CT_WALL _Wall_mm(const QUERSCHNITT &q, int i) {
  const double *w = q.walls + i * QS_WALL_COUNT;
  return CT_WALL{10 * w[QS_WALL_YA], 10 * w[QS_WALL_ZA], 10 * w[QS_WALL_YB],
                 10 * w[QS_WALL_ZB], 10 * w[QS_WALL_TA], 10 * w[QS_WALL_TB]};
}

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
    : table_(table), count_(0), N_Ed_(0.0), bent_y_(false), bent_z_(false), angle_(false) {
  if (table_) {
    count_ = (table_->parts && table_->count > 0) ? table_->count : 0;
    N_Ed_ = table_->N_Ed;
  } else {
    const QUERSCHNITT *current = Get_Querschnitt_Current();
    count_ = current ? current->n_parts : 0;
    angle_ = current && current->type == 5;  // L (Get_Profil_Typ; the angle family alike)
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

double CT_PLATE_TABLE_READER::plastic_share(int i, double f_d, int *end) const {
  if (end) *end = -1;
  const QUERSCHNITT *q = table_ ? nullptr : Get_Querschnitt_Current();
  if (!q || i < 0 || i >= count_ || i >= q->n_parts || q->parts[i].kind == CT_KIND_TUBE || !q->walls) return -1.0;
  if (f_d != axis_f_) {
    axis_f_ = f_d;
    axis_ = CT_PLASTIC_AXIS{};
    double p[3];
    if (q->n_lines > 0 && _Stress_Plane(*q, p)) {
      std::vector<CT_WALL> walls;
      for (int k = 0; k < q->n_lines; ++k) walls.push_back(_Wall_mm(*q, k));
      // Compression positive, per mm.
      const double plane[3] = {-10.0 * p[0], -p[1], -p[2]};
      CT_Find_Plastic_Axis(walls.data(), static_cast<int>(walls.size()), -N_Ed_, f_d, plane, &axis_);
    }
  }
  // The part: the stretch of its wall between its two cuts, with its own thickness.
  const QS_PLATE_PART &pp = q->parts[i];
  if (pp.list_pos < 0 || pp.list_pos >= q->n_lines) return -1.0;
  const CT_WALL w = _Wall_mm(*q, pp.list_pos);
  auto at = [&](double s, double a, double b) { return a + 0.5 * (s + 1.0) * (b - a); };
  const double t = 10 * pp.t;
  const CT_WALL part{at(pp.s_a, w.y_a, w.y_b), at(pp.s_a, w.z_a, w.z_b), at(pp.s_b, w.y_a, w.y_b),
                     at(pp.s_b, w.z_a, w.z_b), t, t};
  return CT_Plastic_Share(axis_, part, end);
}
