// Plastic masks of the thin-walled section solver: module state, the steel law of the
// plastic mask, the cached plastic mask and the PLO mask of the plastic limit-state checks.
#include <cmath>
#include <cstring>

#include "host/host.h"
#include "materials/materials.h"
#include "dwqb/plastic_internal.h"

namespace {

constexpr int kPlasticGrade = 5;             // S235 (St37) of the grade table
constexpr double kInvGammaM = 0.9090909090909091;  // 1 / 1.1
constexpr double kLimitStrain = 150.0;       // ‰
constexpr double kSameParameter = 1e-8;

DwqbPlasticState g = [] {
  DwqbPlasticState s{};
  s.grade_code = kPlasticGrade;
  return s;
}();

void _Register_Reset() {
  if (g.registered) return;
  g.registered = 1;
  Host_Register_Reset(&Reset_DWQB_Plastic_For_Tests);
}

// Stress of a bilinear law at its limit strain (kN/m²).
double _Law_Strength(const double *law) {
  return law[SDL_BETA_Z] + (law[SDL_EPS_U] - law[SDL_EPS_Z]) * law[SDL_STEIGUNG];
}

// The law of the plastic mask for the current section's largest wall thickness: from the
// cache when its yield strength is the same. 0 when the grade has no positive yield
// strength for that thickness or the law cannot be filled (the cache is left as it was).
int _Plastic_Law() {
  const double t_mm = 10.0 * Get_DWQB_Section_Result()->t_max;  // t_max, cm -> mm
  const double fy = Get_Stguete_fy(g.grade_code, t_mm);
  if (!(fy > 0.0) || !std::isfinite(fy)) return 0;
  if (g.law_built && g.law_fy == fy) return 1;
  const double E = Get_Stguete_Record(g.grade_code)->E;
  const double f = fy * kInvGammaM;
  double law[SDL_PARAMETER];
  if (!Fill_Stahl_Spannungsdehnungslinie(E, f, kLimitStrain, f / kLimitStrain, law)) return 0;
  std::memcpy(g.law, law, sizeof law);
  g.law_fy = fy;
  g.law_built = 1;
  return 1;
}

// Builds a mask with the law under the mode word, counted.
MASQUE *_Build(const double *law) {
  _Register_Reset();
  ++g.builds;
  return Build_DWQB_Section_Mask(law);
}

}  // namespace

DwqbPlasticState &Dwqb_Plastic_State() { return g; }

int DWQB_Plastic_Part_Mode() {
  return DWQB_Part_Mode_Switch || (Get_DWQB_Header()->options & DWQB_OPT_PART_MODE) ? 1 : 0;
}

int Provide_DWQB_Plastic_Mask(MASQUE **mask, double *strength) {
  *mask = nullptr;
  *strength = 0.0;
  // A section not computed yet has no part tree: nothing to build, and nothing to remember.
  if (g.mask_failed || !Get_DWQB_Root_Part()) return 0;
  if (!g.mask) {
    if (!_Plastic_Law()) {
      _Register_Reset();
      g.mask_failed = 1;
      return 0;
    }
    g.mask = _Build(g.law);
    if (!g.mask) {
      g.mask_failed = 1;
      return 0;
    }
  }
  // The law of a kept mask is the cached one: a new law is only made for a new mask, and
  // every mask is dropped with its section.
  *mask = g.mask;
  *strength = _Law_Strength(g.law);
  return 1;
}

MASQUE *Build_DWQB_PLO_Mask(const double *params) {
  if (!params || !DWQB_Plastic_Part_Mode() || !Get_DWQB_Root_Part()) return nullptr;
  if (g.plo_params_set) {
    bool same = true;
    for (int i = 0; i < 5; ++i) same = same && std::fabs(params[i] - g.plo_params[i]) <= kSameParameter;
    if (same) {
      if (g.plo_failed) return nullptr;
      if (g.plo) return g.plo;
    }
  }
  Release_Masque_Querschnitt(g.plo);
  g.plo = nullptr;
  g.plo_failed = 0;
  std::memcpy(g.plo_params, params, sizeof g.plo_params);
  g.plo_params_set = 1;
  _Register_Reset();

  // Law from kN/cm² (× 10 gives N/mm²); the slope reaches p3 times the strength over the
  // limit strain, in kN/m² per ‰.
  const double epsu = params[2] <= 0.0 ? kLimitStrain : params[2];
  double law[SDL_PARAMETER];
  if (!Fill_Stahl_Spannungsdehnungslinie(10.0 * params[1], 10.0 * params[0], epsu,
                                         params[3] * (10.0 * params[0] * 1000.0 / epsu), law))
    return nullptr;

  g.plo = _Build(law);
  if (!g.plo) {
    g.plo_failed = 1;
    return nullptr;
  }
  MASQUE_CALC_OPTIONS options;
  if (Get_Masque_Calc_Options(g.plo, &options)) {
    if (params[4] > 0.0)
      options.flags |= MASQUE_OPTION_WERT;
    else
      options.flags &= ~MASQUE_OPTION_WERT;
    options.wert = params[4];
    Set_Masque_Calc_Options(g.plo, &options);
    Update_Masque_Querschnitt(g.plo, 0);  // lines prepared with the new options
  }
  return g.plo;
}

MASQUE *Get_DWQB_PLO_Result() {
  if (!DWQB_Plastic_Part_Mode() || g.plo_failed) return nullptr;
  return g.plo;
}

MASQUE_GRUPPE *Get_DWQB_PLO_Result_Item(MASQUE *mask, int nr) {
  if (!mask) return nullptr;
  return Find_Masque_Gruppe_by_Id(mask, nr);
}

void Free_DWQB_Plastic_Masks() {
  Release_Masque_Querschnitt(g.mask);
  Release_Masque_Querschnitt(g.plo);
  g.mask = nullptr;
  g.plo = nullptr;
  g.mask_failed = 0;
  g.plo_failed = 0;
  g.plo_params_set = 0;
  std::memset(g.plo_params, 0, sizeof g.plo_params);
}

void Reset_DWQB_Plastic_For_Tests() {
  Free_DWQB_Plastic_Masks();
  g = DwqbPlasticState{};
  g.grade_code = kPlasticGrade;
}

MASQUE *Get_DWQB_Plastic_Mask() { return g.mask; }
int Get_DWQB_Plastic_Build_Count() { return g.builds; }
void Set_DWQB_Plastic_Grade_For_Tests(int code) { g.grade_code = code; }
