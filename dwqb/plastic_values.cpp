// Plastic values of the thin-walled section solver: the plastic limit moment of the cached
// plastic mask in four bending directions, as plastic section moduli.
//
// One direction theta: the mask frame is put at the centroid, turned by theta; the limit
// state of the unit moment about the local y' axis, T = (0, 1, 0, 0), gives the limit moment
// λ = F[1] (kN·m with the mask in metres and the law in kN/m²); divided by the strength of
// the law (its stress at the limit strain) it is the plastic modulus in m³, × 1e6 cm³. The
// bilinear law hardens by 1/1000 of the strength up to its limit strain, so the modulus
// comes out a few 1e-4 below the rigid-plastic value.
#include <cmath>
#include <cstring>
#include <numbers>

#include "analysis/masque_solve.h"
#include "dwqb/dwqb_internal.h"
#include "dwqb/plastic_internal.h"

namespace {

constexpr double kMToCm = 100.0;

void _Clear_Record(DWQB_PLASTIC_RECORD *r) {
  std::memset(r, 0, sizeof *r);
  r->W_pl = DWQB_PLASTIC_NONE;
}

// Puts back the result factors saved with Get_Masque_Result_Factors.
void _Restore_Factors(const double *factors, int scaling) { Set_Masque_Result_Factors(scaling ? factors : nullptr); }

// Options (with the given flags word) and unit result factors for a computation; the
// lines are prepared again for the options.
void _Set_Options(MASQUE *mask, const MASQUE_CALC_OPTIONS *saved, bool initial_strains) {
  MASQUE_CALC_OPTIONS options = *saved;
  if (initial_strains)
    options.flags |= MASQUE_OPTION_VORDEHNUNG;
  else
    options.flags &= ~MASQUE_OPTION_VORDEHNUNG;
  Set_Masque_Calc_Options(mask, &options);
  const double unit[4] = {1.0, 1.0, 1.0, 1.0};
  Set_Masque_Result_Factors(unit);
  Update_Masque_Querschnitt(mask, 0);
}

}  // namespace

int Calc_DWQB_Plastic_Limit(MASQUE *mask, DWQB_PLASTIC_RECORD *record, const MASQUE_CALC_OPTIONS *options, double f,
                            double y, double z, double theta, const double *factors, int scaling, int mode) {
  record->y = y;
  record->z = z;
  record->theta = theta;
  const unsigned calc_mode = Get_Masque_Calc_Mode();
  _Set_Options(mask, options, false);
  Set_Masque_Calc_Mode(calc_mode & ~MASQUE_MODE_VORDEHNUNG);

  const double T[4] = {0.0, 1.0, 0.0, 0.0};
  const SOLVER_TOLERANZ tol = {1e-6, 100};
  GRENZZUSTAND state{};
  unsigned word = 0;
  if (mode == 0) {
    // Start at the plane of bending about y': strain growing along z'.
    state.ebene = DEHNUNGSEBENE{std::numbers::pi / 2.0, 0.0, 0.01, 0.0};
    word = MASQUE_GZ_START_EBENE;
  }
  int found = Calc_Masque_Grenzzustand(mask, T, f, &tol, &state, word);
  // A strength that is not positive cannot turn a moment into a modulus.
  if (found && !(f > 0.0 && state.F[1] > 0.0 && std::isfinite(state.F[1]))) found = 0;

  if (found) {
    record->W_pl = 1e6 * state.F[1] / f;
    record->phi = state.ebene.phi;
    record->residuum = state.residuum;
    record->iterations = state.iterationen;
    // Where the zero line (local frame, m) crosses the local axis through the origin that is
    // nearer to normal to it: the z' axis for a line along y', else the y' axis.
    double line[3];
    if (Dehnungsebene_to_Nulllinie(mask, &state.ebene, line)) {
      const double c = std::cos(line[0]), s = std::sin(line[0]);
      double yl = 0.0, zl = 0.0;
      if (std::fabs(c) >= std::fabs(s))
        zl = line[2] - line[1] * s / c;
      else
        yl = line[1] - line[2] * c / s;
      yl *= kMToCm;
      zl *= kMToCm;
      record->y_zero = y + yl * std::cos(theta) - zl * std::sin(theta);
      record->z_zero = z + yl * std::sin(theta) + zl * std::cos(theta);
    }
    // The same plane with the warping planes of the groups active.
    _Set_Options(mask, options, true);
    Set_Masque_Calc_Mode(calc_mode | MASQUE_MODE_VORDEHNUNG);
    double forces[4] = {0.0, 0.0, 0.0, 0.0};
    if (Calc_Masque_Dehnungsebene_Forces(mask, &state.ebene, f, forces)) {
      record->W_warp = 1e6 * forces[1] / f;
      record->B_warp = 1e8 * forces[3] / f;
    }
  }

  Set_Masque_Calc_Mode(calc_mode);
  Set_Masque_Calc_Options(mask, options);
  _Restore_Factors(factors, scaling);
  return found;
}

int Calc_DWQB_Plastic_Direction(MASQUE *mask, DWQB_PLASTIC_RECORD *a, DWQB_PLASTIC_RECORD *b, double f, double y,
                                double z, double theta) {
  _Clear_Record(a);
  _Clear_Record(b);
  if (!mask) return 0;
  double frame[3];
  std::memcpy(frame, mask->frame, sizeof frame);
  MASQUE_CALC_OPTIONS options;
  Get_Masque_Calc_Options(mask, &options);
  double factors[4];
  const int scaling = Get_Masque_Result_Factors(factors);

  Set_Masque_Frame(mask, 0.01 * y, 0.01 * z, theta, 0);
  Update_Masque_Querschnitt(mask, 0);
  Calc_DWQB_Plastic_Limit(mask, a, &options, f, y, z, theta, factors, scaling, 0);
  Calc_DWQB_Plastic_Limit(mask, b, &options, f, y, z, theta, factors, scaling, 1);
  Copy_Masque_Frame(mask, frame, 0);
  // Left up to date for its next user, in the frame and options it had.
  Update_Masque_Querschnitt(mask, 0);
  return 0;
}

int Calc_DWQB_Plastic_Values(DWQB_PLASTIC_RECORD *records) {
  if (!records) return 0;
  for (int k = 0; k < 8; ++k) _Clear_Record(&records[k]);
  if (!DWQB_Plastic_Part_Mode()) return 0;
  MASQUE *mask;
  double strength;
  if (!Provide_DWQB_Plastic_Mask(&mask, &strength)) return 0;

  const DWQB_SECTION_RESULT *result = Get_DWQB_Section_Result();
  const double ys = result->y_s, zs = result->z_s, alpha = result->alpha;
  const double theta[4] = {0.0, std::numbers::pi / 2.0, alpha, alpha + std::numbers::pi / 2.0};
  int all = 1;
  for (int k = 0; k < 4; ++k) {
    // A direction met before (principal axes along y and z) has its records already.
    int same = -1;
    for (int j = 0; j < k && same < 0; ++j)
      if (std::memcmp(&theta[j], &theta[k], sizeof theta[k]) == 0) same = j;
    if (same >= 0) {
      records[k] = records[same];
      records[k + 4] = records[same + 4];
    } else {
      Calc_DWQB_Plastic_Direction(mask, &records[k], &records[k + 4], strength, ys, zs, theta[k]);
    }
    if (!(records[k].W_pl >= 0.0)) all = 0;
  }
  return all;
}
