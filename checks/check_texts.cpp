// checks/check_texts.cpp — material kind words of member objects, the grade values behind
// them and the extreme-fibre stresses of a section for the check texts.
#include <cmath>

#include "checks/checks.h"
#include "dwqb/dwqb.h"
#include "materials/materials.h"
#include "querschnitt/querschnitt.h"

namespace {

constexpr uint32_t kBit16 = 1u << 16, kBit17 = 1u << 17, kBit18 = 1u << 18;

int32_t _Option(const CHECK_MEMBER *o, int i) {
  return (o->options && i < o->option_count) ? o->options[i] : 0;
}

// The member a check object's record describes.
bool _Member_Of(const CHECK_OBJECT *handle, CHECK_MEMBER *m) {
  const CHECK_DATA *d = Get_Check_Data(handle);
  if (!d) return false;
  *m = CHECK_MEMBER{d->type, d->n_ints, d->ints, d->block};
  return true;
}

uint32_t _Kind(const uint32_t *kind) { return kind ? (*kind & 0xFFFFu) : 0u; }

}  // namespace

uint32_t Get_Material_Kind_Word(const CHECK_MEMBER *o) {
  if (!o) return 0;
  uint32_t w;
  switch (o->type) {
    case 211: w = 1 | (_Option(o, 0) ? kBit16 : 0); break;
    case 212: case 213: case 214: w = 1 | kBit16; break;
    case 261: w = 2 | (_Option(o, 0) ? kBit16 : 0); break;
    // 263 is an aluminium member like its neighbours: kind 2, never the DIN rules of kind 0.
    case 262: case 263: case 264: w = 2 | kBit16; break;
    default: return 0;
  }
  if (_Option(o, 1)) w |= kBit17;
  if (_Option(o, 2)) w |= kBit18;
  return w;
}

uint64_t Get_Material_Kind_Pair(const CHECK_MEMBER *o) {
  const uint64_t second = (o && o->type == 214) ? kBit16 : 0;
  return (second << 32) | Get_Material_Kind_Word(o);
}

uint32_t Get_Material_Kind_Word_Of(const CHECK_OBJECT *handle) {
  CHECK_MEMBER m;
  return _Member_Of(handle, &m) ? Get_Material_Kind_Word(&m) : 0;
}

uint64_t Get_Material_Kind_Pair_Of(const CHECK_OBJECT *handle) {
  CHECK_MEMBER m;
  return _Member_Of(handle, &m) ? Get_Material_Kind_Pair(&m) : 0;
}

double Get_Grade_fy(const uint32_t *kind, int grade_code, double t) {
  if (!kind) return 235.0;
  return _Kind(kind) == 2 ? Get_Alguete_f0(grade_code) : Get_Stguete_fy(grade_code, t);
}

double Get_Grade_E_G(const uint32_t *kind, int grade_code, double *G) {
  if (G) *G = 81000.0;
  if (!kind) return 210000.0;
  return _Kind(kind) == 2 ? Get_Alguete_E_G(grade_code, G) : Get_Stguete_E_G(grade_code, G);
}

const char *Get_Grade_Name(const uint32_t *kind, int grade_code) {
  if (!kind) return "?????";
  return _Kind(kind) == 2 ? Get_Alguete_Name(grade_code) : Get_Stguete_Name(grade_code);
}

int Calc_Querschnitt_Stresses(uint32_t spatial, double N, double M, double M_2, const QS_CHECK_VIEW *view,
                              double out[4], int flag, int pass_a, unsigned pass_b) {
  if (!out) return 0;
  out[0] = out[1] = out[2] = out[3] = 0.0;
  if (!view || (flag != 2 && flag != 5 && flag != 8)) return 0;
  if (!spatial) M_2 = 0.0;
  if (view->header.type < 0) {
    // Values only: A in m², the moduli in m³, stresses in kN/m² turned into MN/m².
    const double A = view->values.A;
    if (!(std::fabs(A) > 0.0)) return 0;
    const double W_l = std::fabs(view->values.W_lower), W_u = std::fabs(view->values.W_upper);
    out[0] = (N / A - (W_l > 0.0 ? M / W_l : 0.0)) * 0.001;
    out[1] = (N / A + (W_u > 0.0 ? M / W_u : 0.0)) * 0.001;
    return 1;
  }
  const int standard = Resolve_Check_Standard(view->header.type, static_cast<int32_t>(spatial));
  if (Calc_Profil_Section_Values(view, standard, pass_a, pass_b) > 0) return 0;
  const double *v = Get_DWQB_Values()->v;
  const double A = v[DWQB_V_A];  // cm²
  if (!(A > 0.0)) return 0;
  // kN/cm² × 10 = MN/m²; moments kNm × 100 = kNcm over cm³.
  auto sigma = [&](double m, double w) { return 10.0 * (N / A + (std::fabs(w) > 0.0 ? 100.0 * m / w : 0.0)); };
  out[0] = sigma(M, v[DWQB_V_W1A]);
  out[1] = sigma(M, v[DWQB_V_W1B]);
  out[2] = sigma(-M_2, v[DWQB_V_W2A]);
  out[3] = sigma(-M_2, v[DWQB_V_W2B]);
  return 1;
}
