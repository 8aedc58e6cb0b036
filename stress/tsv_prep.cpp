// stress/tsv_prep.cpp — preparation of the partial internal forces method: the plate
// model of every library and parametric shape in the slot, the shape factors, the frame
// of a prepared slot, and the slot accessors of the three stress methods.
#include <algorithm>
#include <cmath>
#include <cstring>

#include "dwqb/dwqb.h"
#include "materials/materials.h"
#include "stress/stress_methods.h"

namespace {

enum { SHAPE_NONE = 99 };

// Grade code of the section header's row and grade kind.
int Grade_Code(const QS_CHECK_HEADER &h) {
  const uint32_t kind = uint32_t(h.grade_kind);
  return int(Make_Stguete_Code(&kind, uint16_t(h.grade_row & 0xFFFF)));
}

const char *Profile_Name(const QS_CHECK_VIEW *v) { return v->name + 4; }
bool Turned(const QS_CHECK_VIEW *v) { return v->name[0] == '-'; }

// Plate model in the data block; returns the mode, 0 when there is none.
struct Model {
  float *d;
  uint32_t state = 0;  // state bits beyond the mode
  void Top(double y, double z, double b, double t) { d[TSV_D_YO] = float(y), d[TSV_D_ZO] = float(z), d[TSV_D_BO] = float(b), d[TSV_D_TO] = float(t); }
  void Bottom(double y, double z, double b, double t) { d[TSV_D_YU] = float(y), d[TSV_D_ZU] = float(z), d[TSV_D_BU] = float(b), d[TSV_D_TU] = float(t); }
  void Web(double y, double z, double h, double t) { d[TSV_D_YW] = float(y), d[TSV_D_ZW] = float(z), d[TSV_D_HW] = float(h), d[TSV_D_TW] = float(t); }
  int Flanges(double h, double b, double tf, double hw, double tw, double web_y) {
    Top(0, -(h - tf) / 2, b, tf);
    Bottom(0, (h - tf) / 2, b, tf);
    Web(web_y, 0, hw, tw);
    return TSV_MODE_TWO_FLANGES;
  }
};

// Root-fillet model of a rolled I section from the library's A, W_pl,y (taken as S), W_pl,z
// and root radius: the web takes the fillets' area so that A and W_pl,y are kept.
bool Fillet_Model(Model &m, const float *r) {
  const double h = r[0], b = r[1], tw = r[2], tf = r[3], A = r[4], S = r[16], W = r[21], rr = r[25];
  if (!(A > 0 && S > 0 && W > 0 && rr >= 0)) return false;
  const double Af = b * tf, X = (2 * rr + tw) * tf;
  const double Aw = A - 2 * Af + X, Sw = (tf - h) * Af + S + (h - 1.5 * tf) * X / 2;
  if (!(Aw > 0 && Aw < A && Sw > 0 && Sw < S)) return false;
  const double hw = 4 * Sw / Aw, tw2 = Aw / hw, Af2 = 2 * Af - X;
  const double b2 = 4 * W / Af2, t2 = Af2 / (2 * b2), z = (S - Sw) / Af2;
  m.Top(0, -z, b2, t2);
  m.Bottom(0, z, b2, t2);
  m.Web(0, 0, hw, tw2);
  return true;
}

// Fillet-area model of a rolled I section: the web runs between the flanges' inner faces
// (h − 2 t_f, t_w) and each flange plate takes its own area and that of its two root
// fillets, b t_f + 2 (1 − π/4) r², at the centroid of the three. Web and flanges then meet
// without overlap, so the model keeps A and W_pl,y of the rolled section; with the neutral
// axis in a flange it holds less than the section (the flange acts at its centroid).
// About the web's axis the fillets sit next to the web: a plate b wide would spread them
// over the flange and hold more than they do (HE 300 B: W_pl,z 3.7 % above the section's).
// The plate is as wide as gives it the plastic modulus of the flange and its fillets,
// b' = 4 W_f / A_f with W_f = t_f b²/4 + 2 (1 − π/4) r² e_r, e_r the fillet centroid's
// distance from the web's axis; the web's own t_w² (h − 2 t_f)/4 is left out. Shear and
// torsion of the flange stay on b and t_f (state bit TSV_STATE_FILLET_FLANGES).
bool Fillet_Area_Model(Model &m, const float *r) {
  const double h = r[0], b = r[1], tw = r[2], tf = r[3], rr = r[25];
  if (!(h > 2 * tf && b > tw && tw > 0 && tf > 0 && rr >= 0 && std::isfinite(rr))) return false;
  constexpr double kPi = 3.14159265358979323846;
  const double A_fillet = (1 - kPi / 4) * rr * rr;
  // Centroid of one fillet (the square r × r less its quarter circle) from the flange face
  // and from the web face alike: r (10 − 3π) / (12 − 3π).
  const double c = rr * (10 - 3 * kPi) / (12 - 3 * kPi);
  const double Af = b * tf + 2 * A_fillet;
  const double z = (b * tf * (h - tf) / 2 + 2 * A_fillet * (h / 2 - tf - c)) / Af;
  const double Wf = tf * b * b / 4 + 2 * A_fillet * (tw / 2 + c);
  const double bf = 4 * Wf / Af;
  m.Top(0, -z, bf, Af / bf);
  m.Bottom(0, z, bf, Af / bf);
  m.Web(0, 0, h - 2 * tf, tw);  // between the flanges' inner faces
  m.state |= TSV_STATE_FILLET_FLANGES;
  return true;
}

int Library_Model(Model &m, const QS_CHECK_VIEW *v, int options) {
  float r[35] = {};
  char code[8] = {};
  const int type = Get_Profil_Typ(Profile_Name(v));
  if (Get_Profil_Data(Profile_Name(v), r, code) != v->header.catalogue) return 0;
  const double h = r[0], b = r[1], tw = r[2], tf = r[3];
  const bool turned = Turned(v), bit0 = options & 1, bit1 = options & 2, bit2 = options & 4;
  switch (type) {
    case 1:
      if (turned && bit0) {
        m.Bottom(0, 0, h - tf, tw);
        m.Web(0, 0, b, 2 * tf);
        return TSV_MODE_ONE_FLANGE;
      }
      if (bit2 && Fillet_Area_Model(m, r)) return TSV_MODE_TWO_FLANGES;
      if (bit1 && Fillet_Model(m, r)) return TSV_MODE_TWO_FLANGES;
      return m.Flanges(h, b, tf, h - tf, tw, 0);
    case 2:
      if (turned && bit0) return 0;
      m.Top(0, (tf - h) / 2, b, tf);
      m.Web(0, tf / 2, h - tf, tw);
      return TSV_MODE_ONE_FLANGE;
    case 3:
      if (!bit0) return m.Flanges(h, b, tf, h - 2 * tf, tw, (b - tw) / 2);
      if (!turned) return 0;
      m.Bottom(0, (b - tw) / 2, h - 2 * tf, tw);
      m.Web(0, 0, b, 2 * tf);
      return TSV_MODE_ONE_FLANGE;
    case 4: {
      if (!bit0) return 0;
      const double H = turned ? b : h, B = turned ? h : b, T = turned ? tw : tf, tt = turned ? tf : tw;
      return m.Flanges(H, B, T, H - 2 * T, 2 * tt, 0);
    }
    case 5:
      if (bit0) return 0;
      m.Bottom(0, (h - tf) / 2, b, tf);
      m.Web((b - tw) / 2, -tf / 2, h - tf, tw);
      return TSV_MODE_ONE_FLANGE;
    case 6:
      if (bit0) return 0;
      m.Top((b - tw / 2) / 2, -(h - tf) / 2, (b + tw) / 2, tf);
      m.Bottom(-(b - tw / 2) / 2, (h - tf) / 2, (b + tw) / 2, tf);
      m.Web(0, 0, h - 2 * tf, tw);
      return TSV_MODE_TWO_FLANGES;
    case 7:
      m.Web(0, 0, h, tw);
      return TSV_MODE_TUBE;
    case 11:
      m.Web(0, 0, turned ? b : h, turned ? h : b);
      return TSV_MODE_FLAT;
    case 12:
      m.Web(0, 0, h, h / 2);
      return TSV_MODE_DISC;
    default:
      return 0;
  }
}

int Parametric_Model(Model &m, const QS_CHECK_VIEW *v, int options) {
  const float *d = v->shape;
  const bool bit0 = options & 1;
  switch (v->header.type) {
    case 1: return m.Flanges(d[0], d[1], d[3], d[0] - 2 * d[3], d[2], 0);
    case 2:
      m.Top(0, (d[3] - d[0]) / 2, d[1], d[3]);
      m.Web(0, d[3] / 2, d[0] - d[3], d[2]);
      return TSV_MODE_ONE_FLANGE;
    case 3: return m.Flanges(d[0], d[1], d[3], d[0] - 2 * d[3], d[2], (d[1] - d[2]) / 2);
    case 4: return bit0 ? m.Flanges(d[0], d[1], d[3], d[0] - 2 * d[3], 2 * d[2], 0) : 0;
    case 5:
      if (bit0) return 0;
      m.Bottom(0, (d[0] - d[3]) / 2, d[1], d[3]);
      m.Web((d[1] - d[2]) / 2, -d[3] / 2, d[0] - d[3], d[2]);
      return TSV_MODE_ONE_FLANGE;
    case 6:
      if (bit0) return 0;
      m.Top((2 * d[1] - d[3]) / 4, -(d[0] - d[3]) / 2, (2 * d[1] - d[3]) / 2, d[3]);
      m.Bottom(-(2 * d[1] - d[3]) / 4, (d[0] - d[3]) / 2, (2 * d[1] - d[3]) / 2, d[3]);
      m.Web(0, 0, d[0] - 2 * d[3], d[2]);
      return TSV_MODE_TWO_FLANGES;
    case 7: m.Web(0, 0, d[0], d[2]); return TSV_MODE_TUBE;
    case 8:
    case 9:
      if (!bit0) return 0;
      m.Top(0, (d[5] - d[7]) / 2, d[4], d[5]);
      m.Bottom(0, (d[7] - d[1]) / 2, v->header.type == 9 ? 2 * d[0] : d[0], d[1]);
      m.Web(0, (d[5] - d[1]) / 2, d[7] - d[1] - d[5], d[6]);
      return TSV_MODE_TWO_FLANGES;
    case 10:
      if (!bit0) return 0;
      m.Top(0, (d[5] - d[7]) / 2, d[4], d[5]);
      m.Bottom(0, d[7] / 2 - d[3], d[4] - 2 * d[2] - d[6] / 2, d[1]);
      m.Web(0, d[5] / 2, d[7] - d[5], d[6]);
      return TSV_MODE_TWO_FLANGES;
    case 11: m.Web(0, 0, d[0], d[1]); return TSV_MODE_FLAT;
    case 12: m.Web(0, 0, d[0], (d[0] - d[2]) / 2); return TSV_MODE_DISC;
    case 13:
      m.Top(0, (d[1] - d[0]) / 2, d[4], d[1]);
      m.Bottom(0, (d[0] - d[2]) / 2, d[5], d[2]);
      m.Web(0, (d[1] - d[2]) / 2, d[0] - d[1] - d[2], d[3]);
      return TSV_MODE_TWO_FLANGES;
    case 14:
      if (!bit0) return 0;
      m.Bottom(0, 0, d[0] - 2 * d[3], d[2]);
      m.Web(0, 0, d[1], 2 * d[3]);
      return TSV_MODE_ONE_FLANGE;
    default: return 0;
  }
}

// The shape factor of one principal axis: the reciprocal of the utilisation under the
// elastic moment f_y · min |W| of that axis, 0 when the run fails.
float Shape_Factor(QS_CHECK_VIEW *v, double fy, int moment_index, double W_a, double W_b) {
  double forces[8] = {};
  forces[moment_index] = fy * std::min(std::fabs(W_a), std::fabs(W_b));
  const double material[2] = {fy, fy};
  TSV_RESULT r;
  if (!Calc_TSV_Querschnitt(forces, material, v, &r) || !(r.flags & TSV_F_PARTIAL) || !(r.U > 0.0)) return 0.0f;
  return float(1.0 / r.U);
}

int _Calc_TSV_Nachweis(int field, QS_CHECK_VIEW *v, int options) {
  CHECK_SLOT &slot = v->values.slot;
  slot = CHECK_SLOT{};
  if (v->header.type == SHAPE_NONE) return 2;
  Model m{slot.data};
  const int mode = v->header.catalogue > 0 ? Library_Model(m, v, options) : Parametric_Model(m, v, options);
  if (mode == 0) {
    slot = CHECK_SLOT{};
    return 2;
  }
  slot.data[TSV_D_Y0] = slot.data[TSV_D_YW];
  slot.data[TSV_D_Z0] = slot.data[TSV_D_ZW];
  slot.state = uint32_t(mode) | (uint32_t(field * 16) & 0xFFFFF0u) | CHECK_SLOT_PREPARED | m.state;
  if (Build_Profil_Thin_Walled_Model(v) > 0) return 3;
  const DWQB_VALUES *val = Get_DWQB_Values();
  const double fy = Get_Stguete_fy(Grade_Code(v->header), 10.0 * val->v[DWQB_V_TMAX]) * 0.1;
  slot.data[TSV_D_KY] = Shape_Factor(v, fy, 4, val->v[DWQB_V_W1A], val->v[DWQB_V_W1B]);
  slot.data[TSV_D_KZ] = Shape_Factor(v, fy, 5, val->v[DWQB_V_W2A], val->v[DWQB_V_W2B]);
  return 3;
}

int Possible(const QS_CHECK_VIEW *v, int options, bool with_options) {
  if (!v) return 0;
  const int type = v->header.type;
  if (type == SHAPE_NONE) return 0;
  const bool bit0 = options & 1, turned = Turned(v);
  if (v->header.catalogue > 0) {
    switch (Get_Profil_Typ(Profile_Name(v))) {
      case 1: case 7: case 11: case 12: return 1;
      case 2: return with_options ? !(turned && bit0) : 1;
      case 3: return with_options ? !(bit0 && !turned) : 1;
      case 4: return with_options && bit0;
      case 5: case 6: return !bit0;
      default: return 0;
    }
  }
  switch (type) {
    case 1: case 3: case 6: case 7: case 11: case 12: case 13: return 1;
    case 4: case 8: case 9: case 10: case 14: return with_options && bit0;
    case 2: case 5: return !bit0;
    default: return 0;
  }
}

}  // namespace

int Run_TSV_Nachweis(int field, QS_CHECK_VIEW *view, int options) {
  return view ? _Calc_TSV_Nachweis(field, view, options) : 2;
}
int Run_TSV_Nachweis_Default(int field, QS_CHECK_VIEW *view) { return Run_TSV_Nachweis(field, view, 0); }
int TSV_Querschnitt_Possible(const QS_CHECK_VIEW *view, int options) { return Possible(view, options, true); }
int TSV_Querschnitt_Possible_Default(const QS_CHECK_VIEW *view) { return Possible(view, 0, false); }

int Calc_TSV_Querschnitt(const double *forces, const double *material, const QS_CHECK_VIEW *view,
                         TSV_RESULT *result) {
  if (!view || !result) return 0;
  const CHECK_SLOT &slot = view->values.slot;
  const double *val = Get_DWQB_Values()->v;
  const double yc = 0.5 * (val[DWQB_V_YMIN] + val[DWQB_V_YMAX]), zc = 0.5 * (val[DWQB_V_ZMIN] + val[DWQB_V_ZMAX]);
  const float *d = slot.data;
  TSV_SECTION s{int((slot.state >> 4) & 0xFFFFF), int(slot.state & 0xF), val[DWQB_V_ALPHA],
                val[DWQB_V_YS] - yc, val[DWQB_V_ZS] - zc, val[DWQB_V_YM] - yc, val[DWQB_V_ZM] - zc,
                d[0], d[1], d[2], d[3], d[8], d[9], d[6], d[7], d[12], d[13], d[4], d[5], d[10], d[11]};
  if (slot.state & TSV_STATE_FILLET_FLANGES) {
    // The rolled I's flanges without their fillets, from the library the slot was built from.
    float r[35] = {};
    char code[8] = {};
    if (view->header.catalogue > 0 && Get_Profil_Typ(Profile_Name(view)) == 1 &&
        Get_Profil_Data(Profile_Name(view), r, code) == view->header.catalogue && r[1] > 0 && r[3] > 0) {
      s.b_o_v = s.b_u_v = r[1];
      s.t_o_v = s.t_u_v = r[3];
    }
  }
  return Calc_TSV_Teilschnittgroessen(forces, material, &s, result);
}

// ---------------------------------------------------------------- slot accessors
void Set_TSV_Result_State(QS_CHECK_VIEW *view, uint32_t state) {
  if (view) view->values.slot.state = state;
}
uint32_t Get_TSV_Result_State(const QS_CHECK_VIEW *view) { return view ? view->values.slot.state : 0; }
float *Get_TSV_Result_Data(QS_CHECK_VIEW *view) { return view ? view->values.slot.data : nullptr; }
void Set_PLO_Result_State(QS_CHECK_VIEW *view, uint32_t state) { Set_TSV_Result_State(view, state); }
uint32_t Get_PLO_Result_State(const QS_CHECK_VIEW *view) { return Get_TSV_Result_State(view); }
float *Get_PLO_Result_Data(QS_CHECK_VIEW *view) { return Get_TSV_Result_Data(view); }
void Set_TSV_EX_Result_State(QS_CHECK_VIEW *view, uint32_t state) { Set_TSV_Result_State(view, state); }
uint32_t Get_TSV_EX_Result_State(const QS_CHECK_VIEW *view) { return Get_TSV_Result_State(view); }
float *Get_TSV_EX_Result_Data(QS_CHECK_VIEW *view) { return Get_TSV_Result_Data(view); }
