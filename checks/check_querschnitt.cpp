// checks/check_querschnitt.cpp — the cross-section check: elastic stresses of the section
// model, the plastic N-V-M interaction, the elastic stress checks with the DIN 18800-1 rules
// El. 747, 749 and 750, the plastic methods of the stress module, the c/t classification
// and flexural buckling.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <numbers>

#include "checks/checks.h"
#include "dwqb/dwqb.h"
#include "materials/materials.h"
#include "print/print.h"
#include "querschnitt/querschnitt.h"
#include "sections/sections.h"
#include "stress/stress_methods.h"
#include "support/cp850.h"

namespace {

struct CheckQsState {
  FILE *stream = nullptr;
  CHECK_TSV_CALC tsv_calc = nullptr;  // test seam of the plated method
} g;

constexpr const char *kPre = "   ";
constexpr double kInvSqrt3 = 0.5773502691896258;

// Symbol names by kind: slenderness, shear force, St Venant torsion, warping torsion, bimoment.
struct Names {
  const char *ct, *V, *T_t, *T_w, *B;
};

// Everything one check works with.
struct Ctx {
  uint32_t kind_1 = 0, kind_2 = 0;
  int kind = 0;  // low half of kind word 1
  bool alu = false, spatial = false;
  Names names{};
  uint32_t E_bits = 0, flags = 0, ret = 0;
  int code = 0;
  const QS_CHECK_VIEW *view = nullptr;
  int catalogue = 0;
  double F[8]{};  // N, V_1, V_2, T, M_1, M_2, T_w, B
  double gamma_M = 1, gamma_M1 = 1;
  double out[9]{};  // stress 1, stress 2, τ, σ_v, governing, M_limit, c/t internal, outstand, U
  double buckling = 0;
  int level = 0;
  double U_pl = 0;
  double fy = 0, E = 0, fy_eff = 0, fyd = 0, class_factor = 1;
  double s_min = 0, s_max = 0, s_abs = 0, tau_max = 0, sv_max = 0;
  double c_N = 0, c_1 = 0, c_2 = 0, c_w = 0;
  CHECK_RESULT res{};
};
enum { O_S1, O_S2, O_TAU, O_SV, O_GOV, O_MGR, O_CT_IN, O_CT_OUT, O_U };

const double *_V() { return Get_DWQB_Values()->v; }

void _Force_Lines(const Ctx &c) {
  FILE *s = g.stream;
  if (c.kind_2 & 0xFFFF) CP850_CALL(Oli_Printf, s, "%saußergewöhnliche Kombination:  %s╬\\M╬r = %.2f\n", kPre, "└"_cp, c.gamma_M);
  if (!c.spatial) {
    CP850_CALL(Oli_Printf, s, "%sSchnittgrößen:  N = %.2f kN,  %s = %.2f kN,  M = %.2f kNm\n", kPre, c.F[0], c.names.V,
               c.F[2], c.F[4]);
    return;
  }
  CP850_CALL(Oli_Printf, s,
             "%sSchnittkräfte:  N = %.2f kN,  %s╬\\┴╬r = %.2f kN,  %s╬\\Ë╬r = %.2f kN\n%sMomente:  T = %.3f kNm,  "
             "M╬\\┴╬r = %.2f kNm,  M╬\\Ë╬r = %.2f kNm\n",
             kPre, c.F[0], c.names.V, c.F[1], c.names.V, c.F[2], kPre, c.F[3] + c.F[6], c.F[4], c.F[5]);
  if (c.F[6] != 0.0 || c.F[7] != 0.0)
    CP850_CALL(Oli_Printf, s, "%sWölbkrafttorsion:  %s = %.3f kNm,  %s = %.3f kNm,  %s = %.3f kNm╬/2╬r\n", kPre,
               c.names.T_t, c.F[3], c.names.T_w, c.F[6], c.names.B, c.F[7]);
}

// Yield strength of the grade (aluminium: f_0) at thickness t (mm).
double _Fy(const Ctx &c, double t) { return c.alu ? Get_Alguete_f0(c.code) : Get_Stguete_fy(c.code, t); }
double _E_G(const Ctx &c, double *G) { return c.alu ? Get_Alguete_E_G(c.code, G) : Get_Stguete_E_G(c.code, G); }

// Section given by values only: N/A and M/W at both fibres (kN/m² × 0.001 = MN/m²).
void _Values_Only(Ctx &c) {
  const QS_VALUE_BLOCK &vb = c.view->values;
  const double sN = vb.A != 0.0f ? c.F[0] / vb.A : 0.0;
  const double M = c.F[4];
  c.out[O_S1] = (sN - (vb.W_lower != 0.0f ? std::fabs(M / vb.W_lower) : 0.0)) * 0.001;
  c.out[O_S2] = (sN + (vb.W_upper != 0.0f ? std::fabs(M / vb.W_upper) : 0.0)) * 0.001;
  c.ret = CQ_R_STRESSES;
  if (!(c.flags & CQ_F_ELASTIC)) return;
  double fy = _Fy(c, 0.0);
  if (c.flags & CQ_F_FIRE) fy *= vb.k_fy;
  c.fyd = fy / c.gamma_M;
  if (!(c.fyd > 0.0)) {  // no yield strength: as a section without values
    c.ret = CQ_R_NO_SECTION;
    c.out[O_S1] = c.out[O_S2] = 0.0;
    return;
  }
  const double gov = std::max(std::fabs(c.out[O_S1]), std::fabs(c.out[O_S2]));
  c.out[O_GOV] = gov;
  c.out[O_U] = gov / c.fyd;
  c.ret = 0x2900;
  CP850_CALL(Oli_Printf, g.stream, "%sSpannungen (elast.):  %s╬\\o╬r = %.2f MN/m╬/2╬r,  %s╬\\u╬r = %.2f MN/m╬/2╬r",
             kPre, "╠"_cp, c.out[O_S1], "╠"_cp, c.out[O_S2]);
  CP850_CALL(Oli_Printf, g.stream, ",  %s/%s╬\\R,d╬r = %.1f/%.1f = %.3f\n", "╠"_cp, "╠"_cp, gov, c.fyd, c.out[O_U]);
}

// Point stresses of the model, their extremes (MN/m²) and the copies of the extreme points.
void _Point_Stresses(Ctx &c) {
  const double *F = c.F;
  const int n = Calc_Profil_Point_Stresses(F[0], F[1], F[2], F[3] * 100, F[4] * 100, F[5] * 100, F[6] * 100,
                                           F[7] * 10000);
  const QUERSCHNITT *q = Get_Querschnitt_Current();
  if (!q) return;
  c.s_min = 10 * q->extreme[QS_EX_SIGMA_MIN];
  c.s_max = 10 * q->extreme[QS_EX_SIGMA_MAX];
  c.s_abs = 10 * q->extreme[QS_EX_SIGMA_ABS];
  c.tau_max = 10 * q->extreme[QS_EX_TAU_MAX];
  c.sv_max = 10 * q->extreme[QS_EX_SV_MAX];
  for (int k = 0; k < CHECK_N_POINTS; ++k) {
    const int p = q->extreme_point[k];
    double st[3];
    if (p < 0 || p >= n || !Get_Profil_Point_Stress(p, st)) continue;
    const double *r = q->points + p * QS_PT_COUNT;
    c.res.points[k] = {r[QS_PT_Y] - q->values[DWQB_V_YS], r[QS_PT_Z] - q->values[DWQB_V_ZS], st[0], st[1], st[2]};
  }
  CP850_CALL(Oli_Printf, g.stream, "%sNormalspannungen (elast.):  %s╬\\max╬r = %.2f MN/m╬/2╬r,  %s╬\\min╬r = %.2f MN/m╬/2╬r\n",
             kPre, "╠"_cp, c.s_max, "╠"_cp, c.s_min);
  CP850_CALL(Oli_Printf, g.stream,
             "%sextr. Spannungen (elast.):  %s = %.2f MN/m╬/2╬r,  %s = %.2f MN/m╬/2╬r,  %s╬\\v╬r = %.2f MN/m╬/2╬r\n",
             kPre, "╠"_cp, c.s_abs, "Í"_cp, c.tau_max, "╠"_cp, c.sv_max);
}

// Stress coefficients of El. 750 (DIN 18800-1: plastic moduli, for DIN capped at 1.25 W_el).
void _El750_Coefficients(Ctx &c) {
  const double *v = _V();
  if (c.catalogue <= 0) {
    c.flags &= ~CQ_F_EL750;
    return;
  }
  c.c_N = v[DWQB_V_A] > 0.0 ? 10000.0 / v[DWQB_V_A] : 0.0;
  const double Wel1 = std::min(std::fabs(v[DWQB_V_W1A]), std::fabs(v[DWQB_V_W1B]));
  const double Wel2 = std::min(std::fabs(v[DWQB_V_W2A]), std::fabs(v[DWQB_V_W2B]));
  double Wpl1 = v[DWQB_V_WPLY], Wpl2 = v[DWQB_V_WPLZ];
  if (c.kind != 1 && c.kind != 2) {
    Wpl1 = std::min(Wpl1, 1.25 * Wel1);
    if (c.spatial) Wpl2 = std::min(Wpl2, 1.25 * Wel2);
  }
  c.c_1 = Wpl1 > 0.0 ? 1e6 / Wpl1 : 0.0;
  const double Iw = v[DWQB_V_IW];
  const double omega = std::min(std::fabs(v[DWQB_V_OMEGA_MIN]), std::fabs(v[DWQB_V_OMEGA_MAX]));
  if (c.spatial) {
    c.c_2 = Wpl2 > 0.0 ? 1e6 / Wpl2 : 0.0;
    if (Iw > 0.0) c.c_w = omega / Iw * 1e8;
  }
  if (c.c_1 == 0.0 || (c.spatial && c.c_2 == 0.0) || (Iw > 0.0 && !(omega > 0.0)))
    c.flags &= ~CQ_F_EL750;
  else if (Get_Profil_Typ(c.view->name + 4) != 1)
    c.flags &= ~CQ_F_EL750;
}

// A plastic method failed: its bit cleared, the elastic checks E instead, no El. 750.
void _Plastic_Failed(Ctx &c, uint32_t bit) { c.flags = ((c.flags & ~bit) | c.E_bits) & ~CQ_F_EL750; }

void _Interaction(Ctx &c, uint32_t extra) {
  const QS_VALUE_BLOCK &vb = c.view->values;
  double p[6];
  for (int i = 0; i < 6; ++i) p[i] = vb.interaction[i];
  // The design strength of the shape, reduced in fire by k_y,θ as every other path reduces
  // f_y.
  if (c.flags & CQ_F_FIRE) p[4] *= vb.k_fy;
  p[4] /= c.gamma_M;
  double M_gr = 0, U = 0, pair[2] = {0, 0};
  uint32_t exceeded = 0;
  const int rc = Calc_Plastic_NVM_Interaction(0, c.F[0], c.F[4], c.F[2], p, c.view->header.interaction, &M_gr,
                                              &exceeded, &U, pair);
  if (U > 990000.0) std::fputs("  pl: U > 0.99e6\n", stdout);
  if (rc == 0) {
    c.U_pl = U;
    if (U <= 0.999)
      c.level = c.sv_max > 1.001 * c.fyd ? 1 : 0;
    else if (extra & 0x4)
      c.level = 2;
    c.ret = 0x4f00;
    c.out[O_MGR] = M_gr;
    CP850_CALL(Oli_Printf, g.stream, "%sAusnutzung aus Interaktion:  M╬\\gr╬r = %.2f kNm  %s  U╬\\%s╬r = %.3f\n", kPre,
               M_gr, "ê"_cp, "╠"_cp, U);
    return;
  }
  _Plastic_Failed(c, CQ_F_INTERACTION);
  CP850_CALL(Oli_Printf, g.stream, "%s╬bFehler╬r in Interaktion:  ", kPre);
  switch (rc) {
    case NVM_FAIL_N: CP850_CALL(Oli_Printf, g.stream, "N / N╬\\pl╬r = %.2f > %.2f", pair[0], pair[1]); break;
    case NVM_FAIL_V:
      CP850_CALL(Oli_Printf, g.stream, "%s / %s╬\\pl╬r = %.2f > %.2f", c.names.V, c.names.V, pair[0], pair[1]);
      break;
    case NVM_FAIL_N0: CP850_CALL(Oli_Printf, g.stream, "N╬\\0╬r / N╬\\pl╬r = %.2f > %.2f", pair[0], pair[1]); break;
    case NVM_FAIL_M: CP850_CALL(Oli_Printf, g.stream, "M / M╬\\pl╬r = %.2f > %.2f", pair[0], pair[1]); break;
    default: CP850_CALL(Oli_Printf, g.stream, "unbekannter Fehler !!!"); break;
  }
  Oli_Printf(g.stream, "\n");
  c.ret = 0x11008700;
  c.level = 0;
  c.U_pl = 0;
}

// Forces for the stress methods (kN, kNcm, kNcm²) in the check's axes: each method turns
// them into the principal axes itself, so they are handed over unturned.
void _Method_Forces(const Ctx &c, double *f) {
  f[0] = c.F[0];
  f[1] = c.F[1];
  f[2] = c.F[2];
  for (int i = 3; i < 7; ++i) f[i] = c.F[i] * 100;
  f[7] = c.F[7] * 10000;
}

template <class R>
void _Keep_Result(Ctx &c, uint32_t bit, const R &r) {
  static_assert(sizeof(R) <= sizeof c.res.plastic);
  c.res.plastic_method = bit;
  std::memcpy(c.res.plastic, &r, sizeof r);
}

void _Method_Failed(Ctx &c, uint32_t bit) {
  c.ret |= CQ_R_PLASTIC_FAILED;
  _Plastic_Failed(c, bit);
}

// A method that answered without a prepared result (state bit 24): it fails like a method
// that could not run, so the elastic checks stand in and U is never left at 0.
void _Method_Not_Reached(Ctx &c, uint32_t bit) {
  _Method_Failed(c, bit);
  CP850_CALL(Oli_Printf, g.stream, "%s╬bDer Nachweis wird elastisch geführt !!!\n", kPre);
}

// A method whose result reached its limit state: level, the plastic utilisation and the
// limit moment (kNcm to kNm).
void _Method_Reached(Ctx &c, double U, double M_limit, uint32_t extra) {
  if (U > 0.999)
    c.level = std::max(c.level, 1 + ((extra & 0x4) ? 1 : 0));
  else if (c.sv_max > 1.001 * c.fyd)
    c.level = std::max(c.level, 1);
  c.ret |= CQ_R_PLASTIC | CQ_R_U;
  c.out[O_MGR] = std::fabs(M_limit) * 0.01;
  c.U_pl = U;
}

void _Huge_U(double U) {
  if (U > 990000.0) std::fputs("  pl: U > 0.99e6\n", stdout);
}

// Plastic limit state by limit strains.
void _Limit_Strain(Ctx &c, uint32_t extra) {
  double f[8];
  _Method_Forces(c, f);
  const float *d = c.view->values.slot.data;
  const PLO_MATERIAL m{c.fy_eff * 0.1, c.fyd * 0.1, c.E * 0.1, d[3], d[4], d[5], nullptr};
  CHECK_KEPT_RESULTS *kept = Get_Check_Kept_Results();
  PLO_POINT_LIST *points = nullptr;
  PLO_RESULT r{};
  const int ok = Calc_PLO_Grenzzustand_Slot(f, &m, c.view, &r, (g.stream || kept) ? &points : nullptr);
  if (!ok) {
    Free_PLO_Point_List(points);
    _Method_Failed(c, CQ_F_PLO);
    CP850_CALL(Oli_Printf, g.stream, "%s╬bUnbekannter Fehler╬r im Verfahren der Dehnungsiteration !!!\n", kPre);
    return;
  }
  _Keep_Result(c, CQ_F_PLO, r);
  Print_PLO_Result(g.stream, kPre, f, &r, points);
  if (r.flags & CHECK_SLOT_PREPARED)
    _Method_Reached(c, r.U, r.F[4], extra);
  else
    _Method_Not_Reached(c, CQ_F_PLO);
  _Huge_U(r.U);
  if (kept && !kept->limit_strain)
    kept->limit_strain = points;
  else
    Free_PLO_Point_List(points);
}

// Partial internal forces of general line sections.
void _Line_Section(Ctx &c, uint32_t extra) {
  double f[8];
  _Method_Forces(c, f);
  const double m[2] = {c.fy_eff * 0.1, c.fyd * 0.1};
  CHECK_KEPT_RESULTS *kept = Get_Check_Kept_Results();
  TSV_EX_LINE_LIST *lines = nullptr;
  TSV_EX_RESULT r{};
  const int ok = Calc_TSV_EX_Slot(f, m, c.view, &r, (g.stream || kept) ? &lines : nullptr);
  if (!ok) {
    Free_TSV_EX_Line_List(lines);
    _Method_Failed(c, CQ_F_TSV_EX);
    CP850_CALL(Oli_Printf, g.stream, "%s╬bUnbekannter Fehler╬r im Teilschnittgrößen-Verfahren !!!\n", kPre);
    return;
  }
  _Keep_Result(c, CQ_F_TSV_EX, r);
  Print_TSV_EX_Result(g.stream, kPre, f, &r, lines);
  if (r.flags & CHECK_SLOT_PREPARED)
    _Method_Reached(c, r.U_pl, r.M_y, extra);
  else
    _Method_Not_Reached(c, CQ_F_TSV_EX);
  _Huge_U(r.U_pl);
  if (kept && !kept->line_section)
    kept->line_section = lines;
  else
    Free_TSV_EX_Line_List(lines);
}

// The first state bit of 4, 0, 1, 2, 3 that is clear names what the plates could not carry.
// Of the plate models named in the bending line, shape 15 (the flat bar) never reaches it:
// the flat pass sets all five state bits at once, whatever it finds, so its flange-bending
// bit is never clear. The tube (1) and the disc (14) clear it when the normal force alone
// exceeds their capacity.
void _Plated_Reason(const Ctx &c, uint32_t flags) {
  FILE *s = g.stream;
  const int shape = static_cast<int>(c.view->values.slot.state & 0xF);
  if (!(flags & TSV_F_PARTIAL))
    CP850_CALL(Oli_Printf, s, "%s╬bDer Querschnitt kann nicht nachgewiesen werden !!!╬r\n", kPre);
  else if (!(flags & TSV_F_SHEAR))
    CP850_CALL(Oli_Printf, s, "%s╬bDie Schubspannungen können vom Querschnitt nicht aufgenommen werden !!!╬r\n", kPre);
  else if (!(flags & TSV_F_FLANGE_BENDING) && (shape == 1 || shape == 14 || shape == 15))
    CP850_CALL(Oli_Printf, s,
               "%s╬bDie Biegemomente können vom Querschnitt (mit Schub) nicht aufgenommen werden !!!╬r\n", kPre);
  else if (!(flags & TSV_F_FLANGE_BENDING))
    CP850_CALL(Oli_Printf, s,
               "%s╬bDie Gurtbiegemomente können vom Querschnitt (mit Schub) nicht aufgenommen werden !!!╬r\n", kPre);
  else if (!(flags & TSV_F_NORMAL))
    CP850_CALL(Oli_Printf, s,
               "%s╬bDie Normalkraft kann vom Querschnitt (mit Schub und Gurtbiegung) nicht aufgenommen werden "
               "!!!╬r\n",
               kPre);
  else if (!(flags & TSV_F_MOMENT))
    CP850_CALL(Oli_Printf, s,
               "%s╬bDas y-Moment kann vom Querschnitt (mit Schub, Gurtbiegung und Normalkraft) nicht aufgenommen "
               "werden !!!╬r\n",
               kPre);
  else if (!(flags & TSV_F_FINAL))
    CP850_CALL(Oli_Printf, s, "%s╬bUnbekannter Fehler╬r in Teilschnittgrößenverfahren !!!\n", kPre);
}

// Partial internal forces of plated sections; the moments scaled by 0.8 × the plastic shape
// factor above 1.25 unless the check asks for them unscaled.
void _Plated(Ctx &c, uint32_t extra) {
  double f[8];
  _Method_Forces(c, f);
  if (!(c.flags & CQ_F_TSV_UNSCALED)) {
    const float *d = c.view->values.slot.data;
    if (d[TSV_D_KY] > 1.25) f[4] *= 0.8 * d[TSV_D_KY];
    if (d[TSV_D_KZ] > 1.25) {
      f[5] *= 0.8 * d[TSV_D_KZ];
      f[7] *= 0.8 * d[TSV_D_KZ];
    }
  }
  const double m[2] = {c.fy_eff * 0.1, c.fyd * 0.1};
  TSV_RESULT r{};
  if (!(g.tsv_calc ? g.tsv_calc : Calc_TSV_Querschnitt)(f, m, c.view, &r)) {
    _Method_Failed(c, CQ_F_TSV);
    CP850_CALL(Oli_Printf, g.stream, "%s╬bUnbekannter Fehler╬r in Teilschnittgrößenverfahren !!!\n", kPre);
    return;
  }
  _Keep_Result(c, CQ_F_TSV, r);
  Print_TSV_Result(g.stream, kPre, &r);
  if (!(r.flags & TSV_F_FINAL)) {
    _Method_Failed(c, CQ_F_TSV);
    _Plated_Reason(c, r.flags);
    CP850_CALL(Oli_Printf, g.stream, "%s╬bDer Nachweis wird elastisch geführt !!!\n", kPre);
    return;
  }
  // The limit moment on the side of the acting moment, as the method sees it: the scaled
  // M_1 turned into the principal axes.
  double m1 = f[4], m2 = f[5];
  Transform_Profil_Section_Forces(nullptr, nullptr, nullptr, nullptr, &m1, &m2, nullptr, nullptr, _V()[DWQB_V_ALPHA],
                                  0, c.code);
  _Method_Reached(c, r.U, m1 >= 0.0 ? r.M_hi : r.M_lo, extra);
  _Plated_Reason(c, r.flags);
}

void _Elastic_Checks(Ctx &c) {
  const double *v = _V();
  const double fyd = c.fyd, N = c.F[0], M1 = c.F[4], M2 = c.F[5], B = c.F[7];
  double u_sigma = (c.flags & CQ_F_SIGMA) ? c.s_abs / fyd : 0.0;
  bool el750 = false;
  double u_pl = 0, u_vpl = 0;
  if ((c.flags & CQ_F_SIGMA) && (c.flags & CQ_F_EL750)) {
    double s = (std::fabs(c.c_1 * M1) + (c.spatial ? std::fabs(c.c_2 * M2) : 0.0) + std::fabs(c.c_N * N)) * 0.001;
    if (B != 0.0) s += std::fabs(c.c_w * B) * 0.001;
    u_pl = s / fyd;
    u_vpl = std::sqrt(s * s + 3 * c.tau_max * c.tau_max) / fyd;
    c.flags &= ~CQ_F_EL750;
    el750 = true;
  }
  const double tauRd = kInvSqrt3 * fyd;
  const double u_tau = (c.flags & CQ_F_TAU) ? c.tau_max / tauRd : 0.0;
  const double u_t = std::max(c.U_pl, u_tau);
  double svRd = fyd, u_v = 0.0;
  if (c.flags & CQ_F_SIGMA_V) {
    if (!(c.flags & CQ_F_EL747) || (c.s_abs > 0.5 * fyd && c.tau_max > 0.5 * tauRd)) {
      if (c.flags & CQ_F_EL749) {
        // El. 749: 1.1 f_y,d where the normal stresses stay at most 0.8 f_y,d.
        c.flags &= ~CQ_F_EL749;
        bool withhold = false;
        if (!c.spatial) {
          withhold = c.s_abs > 0.8 * fyd;
        } else if (v[DWQB_V_W1A] != 0.0 && v[DWQB_V_W1B] != 0.0 && v[DWQB_V_W2A] != 0.0 && v[DWQB_V_W2B] != 0.0) {
          const double sN = N * 0.001 * c.c_N;
          for (double s : {sN + 1000 * M1 / v[DWQB_V_W1A], sN + 1000 * M1 / v[DWQB_V_W1B],
                           sN - 1000 * M2 / v[DWQB_V_W2A], sN - 1000 * M2 / v[DWQB_V_W2B]})
            if (std::fabs(s) > 0.8 * fyd) withhold = true;
        }
        if (!withhold) {
          c.flags |= CQ_F_EL749;
          svRd = 1.1 * fyd;
        }
      }
      if (c.alu) svRd = std::sqrt(Get_Alu_Interaction_C()) * svRd;
      c.flags &= ~CQ_F_EL747;
      u_v = c.sv_max / svRd;
    } else {
      c.flags &= ~CQ_F_EL749;  // El. 747: no comparison stress needed
    }
  }
  if (el750 && ((u_sigma > 1.0 && u_pl < u_sigma) || (u_v > 1.0 && u_vpl < u_v))) {
    if (c.level == 0) c.level = 1;
    c.flags = (c.flags & ~CQ_F_EL747) | CQ_F_EL750;
    u_sigma = u_pl;
    u_v = u_vpl;
    svRd = fyd;
  }
  const double U = std::max({u_v, u_sigma, u_t});
  c.ret |= CQ_R_U;
  c.res.fyd_10 = fyd / 10;
  c.res.tauRd_10 = tauRd / 10;
  c.res.svRd_10 = svRd / 10;
  c.res.u_sigma = u_sigma;
  c.res.u_tau = u_tau;
  c.res.u_v = u_v;
  c.res.U_el = U;
  FILE *s = g.stream;
  Oli_Printf(s, "%s", kPre);
  const char *sep = "";
  if (c.flags & CQ_F_SIGMA) {
    CP850_CALL(Oli_Printf, s, "%s%s/%s╬\\R,d╬r = %.1f/%.1f = %.3f", sep, "╠"_cp, "╠"_cp, u_sigma * fyd, fyd, u_sigma);
    sep = ",  ";
  }
  if (c.flags & CQ_F_TAU) {
    CP850_CALL(Oli_Printf, s, "%s%s/%s╬\\R,d╬r = %.1f/%.1f = %.3f", sep, "Í"_cp, "Í"_cp, u_tau * tauRd, tauRd, u_tau);
    sep = ",  ";
  }
  if ((c.flags & CQ_F_SIGMA_V) && !(c.flags & CQ_F_EL747))
    CP850_CALL(Oli_Printf, s, "%s%s╬\\v╬r/%s╬\\vR,d╬r = %.1f/%.1f = %.3f", sep, "╠"_cp, "╠"_cp, u_v * svRd, svRd, u_v);
  if (c.flags & CQ_F_EL747) Oli_Printf(s, "  (El. 747)");
  if (c.flags & CQ_F_EL749) Oli_Printf(s, "  (El. 749)");
  if (c.flags & CQ_F_EL750) Oli_Printf(s, "  (El. 750)");
  Oli_Printf(s, "\n");
  c.out[O_U] = U;
}

void _Classification(Ctx &c) {
  CT_REQUEST_EX rq{};
  rq.mode = static_cast<int32_t>(c.kind_1);
  rq.flags = CT_FLAG_RAISE;
  if (c.alu) {
    if (Get_Alguete_Buckling_Class(c.code) == 1) rq.flags |= CT_FLAG_ALU_CLASS_B;
    if (c.catalogue <= 0) rq.flags |= CT_FLAG_WELDED;
  }
  rq.factor = 1.0;
  if (c.class_factor != 1.0) {
    rq.flags |= CT_FLAG_FACTOR;
    rq.factor = c.class_factor;
  }
  rq.fy = c.fy;
  rq.E = c.E;
  rq.f_d = c.fyd;
  const int index = c.level == 1 ? 1 : c.level == 2 ? 0 : 2;
  CT_RESULT_EX r{};
  double internal = 0, outstand = 0, eps = 0;
  if (Classify_Querschnitt_Parts(&rq, &r)) {
    outstand = r.u[index];
    internal = r.u[3 + index];
    eps = r.u[12 + index];
  }
  c.ret |= CQ_R_CLASSIFIED;
  c.out[O_CT_IN] = internal;
  c.out[O_CT_OUT] = outstand;
  c.res.ct_internal = internal;
  c.res.ct_outstand = outstand;
  c.res.class_index = 2 - c.level;
  c.res.ct_max = std::max(internal, outstand);
  if (c.kind == 1 || c.kind == 2)
    CP850_CALL(Oli_Printf, g.stream, "%sAusnutzung %s (%s, cl%d, %s = %.3f):  %s╬\\o-o╬r = %.3f,  %s╬\\--o╬r = %.3f\n",
               kPre, c.names.ct, c.alu ? "EN 1999-1-1, Tab. 6.2" : "EN 1993-1-1, Tab. 5.2", 3 - c.level, "¥"_cp, eps,
               c.names.ct, internal, c.names.ct, outstand);
  else
    CP850_CALL(Oli_Printf, g.stream,
               "%sAusnutzung %s (DIN 18800, Tab. %s, %s = %.3f):  %s╬\\o-o╬r = %.3f,  %s╬\\--o╬r = %.3f\n", kPre,
               c.names.ct, c.level == 0 ? "12-14" : c.level == 1 ? "15" : "18", "¥"_cp, eps, c.names.ct, internal,
               c.names.ct, outstand);
}

// Flexural buckling: EN 1993-1-1 6.3.1.2 with the curves of Table 6.1/6.2; steel in fire
// EN 1993-1-2 4.2.3.2 (α = 0.65 √(235/f_y), no plateau).
void _Buckling(Ctx &c) {
  const double N = c.F[0];
  if (N >= 0.0) {
    c.buckling = 0.0;
    CP850_CALL(Oli_Printf, g.stream, "%sKnicken:  N = %.2f kN > 0,  Nachweis nicht erforderlich !!!\n", kPre, N);
    return;
  }
  const double *v = _V();
  const QS_VALUE_BLOCK &vb = c.view->values;
  const bool fire = (c.flags & CQ_F_FIRE) != 0;
  const double t = 10 * v[DWQB_V_TMAX];
  const double fy20 = _Fy(c, t);
  double G = 81000.0;
  double fy = fy20, E = _E_G(c, &G);
  if (fire) {
    fy *= vb.k_fy;
    E *= vb.k_E;
  }
  if (!(fy > 0.0) || !(E > 0.0)) return;
  const double A = v[DWQB_V_A];
  const double Npld = fy * 0.1 / c.gamma_M1 * A;
  const double lambda1 = std::numbers::pi * std::sqrt(E / fy);
  const bool turned = c.view->name[0] == '-';
  const int type = c.catalogue > 0 ? Get_Profil_Typ(c.view->name + 4) : c.view->header.type;
  const double dy = v[DWQB_V_YMAX] - v[DWQB_V_YMIN], dz = v[DWQB_V_ZMAX] - v[DWQB_V_ZMIN];
  double h_b = dy != 0.0 ? dz / dy : 0.0;
  if (turned) h_b = dz != 0.0 ? dy / dz : 0.0;
  const bool rotated = std::fabs(v[DWQB_V_ALPHA]) > 0.001;
  const double I_min = std::min(v[DWQB_V_I1], v[DWQB_V_I2]);
  struct Direction {
    uint32_t flag, done;
    double I, I_other, beta, L;
  } dirs[2] = {
      {CQ_F_BUCKLING_1, CQ_R_BUCKLING_1, c.spatial ? v[DWQB_V_I1] : (rotated ? I_min : v[DWQB_V_IM]),
       c.spatial ? v[DWQB_V_I2] : (rotated ? I_min : v[DWQB_V_IN]), vb.beta_in, vb.L_in},
      {CQ_F_BUCKLING_2, CQ_R_BUCKLING_2, c.spatial ? v[DWQB_V_I2] : (rotated ? I_min : v[DWQB_V_IN]),
       c.spatial ? v[DWQB_V_I1] : (rotated ? I_min : v[DWQB_V_IM]), vb.beta_out, vb.L_out},
  };
  static constexpr double kAlpha[5] = {0.13, 0.21, 0.34, 0.49, 0.76};  // EN 1993-1-1 Table 6.1
  static constexpr const char *kCurve[5] = {"a0", "a", "b", "c", "d"};
  for (int d = 0; d < 2; ++d) {
    const Direction &dir = dirs[d];
    if (!(c.flags & dir.flag) || !(dir.I > 1e-8)) continue;
    // The curve of the axis about which this direction buckles: y-y for the larger second
    // moment; a turned plane check buckles about the weak axis both ways.
    const int axis = (!c.spatial && rotated) || dir.I < dir.I_other ? 1 : 0;
    const int curve = Choose_Buckling_Curve(axis, c.code, type, h_b, t, c.catalogue);
    double alpha = curve >= 0 && curve < 5 ? kAlpha[curve] : 0.76;
    const char *name = curve >= 0 && curve < 5 ? kCurve[curve] : "?";
    const double L = 100.0 * dir.L, Lcr = dir.beta * L;
    const double lambda = Lcr / (std::sqrt(dir.I / A) * lambda1);
    double Phi, chi;
    if (fire && !c.alu) {
      alpha = 0.65 * std::sqrt(235.0 / fy20);
      name = "fi";
      Phi = 0.5 * (1.0 + alpha * lambda + lambda * lambda);
      chi = std::min(1.0, 1.0 / (Phi + std::sqrt(Phi * Phi - lambda * lambda)));
    } else {
      Phi = 0.5 * (1.0 + alpha * (lambda - 0.2) + lambda * lambda);
      chi = Phi < lambda ? 1.0 : std::min(1.0, 1.0 / (Phi + std::sqrt(Phi * Phi - lambda * lambda)));
    }
    const double Nbrd = chi * Npld;
    const double Ub = -N / Nbrd;
    c.buckling = std::max({c.buckling, Ub, 0.0});
    c.ret |= dir.done;
    if (!c.spatial)
      CP850_CALL(Oli_Printf, g.stream, d == 0 ? "%sKnicken in der Ebene" : "%sKnicken aus der Ebene heraus", kPre);
    else
      CP850_CALL(Oli_Printf, g.stream, "%sKnicken um die %s-Achse", kPre, d == 0 ? "┴"_cp : "Ë"_cp);
    CP850_CALL(Oli_Printf, g.stream,
               ":  L╬\\cr╬r = %s * L = %.2f * %.0f cm = %.0f cm,  %s╬\\quer╬r = %.3f, %s[%s] = %.2f\n", "╗"_cp,
               dir.beta, L, Lcr, "┼"_cp, lambda, "║"_cp, name, alpha);
    CP850_CALL(Oli_Printf, g.stream,
               "%s    %s = %.3f,  N╬\\b,Rd╬r = %s * N╬\\pl,d╬r = %.3f * %.2f kN = %.2f kN  %s  U╬\\b,Rd╬r = %.3f\n", kPre,
               "┌"_cp, Phi, "╝"_cp, chi, Npld, Nbrd, "ê"_cp, Ub);
  }
}

// Steps after the point stresses: strengths, El. 750 coefficients, the stress outputs, the
// plastic methods, the elastic checks and the governing stress. 0 when f_y is missing.
int _Section_Checks(Ctx &c, uint32_t extra) {
  const QS_VALUE_BLOCK &vb = c.view->values;
  c.fy = _Fy(c, 10 * _V()[DWQB_V_TMAX]);
  c.E = _E_G(c, nullptr);
  if (!(c.fy > 0.0)) return 0;
  c.fy_eff = c.fy;
  if (c.flags & CQ_F_FIRE) {
    c.fy_eff = c.fy * vb.k_fy;
    c.class_factor = 0.85;
  }
  c.fyd = c.fy_eff / c.gamma_M;
  if (!(c.fyd > 0.0)) return 0;
  c.res.flags_first = c.flags;
  _El750_Coefficients(c);
  // Plane: stress 1 is the stress at the fibre that M_1 compresses.
  const bool min_first = !c.spatial && (c.s_min - c.s_max) * c.F[4] < 0.0;
  c.out[O_S1] = min_first ? c.s_min : c.s_max;
  c.out[O_S2] = min_first ? c.s_max : c.s_min;
  c.out[O_TAU] = c.tau_max;
  c.out[O_SV] = c.sv_max;
  c.ret = CQ_R_POINTS;
  c.level = (c.flags & CQ_F_INTERACTION) ? 1 : 0;
  c.U_pl = 0;
  if (c.flags & CQ_F_INTERACTION) _Interaction(c, extra);
  if (c.flags & CQ_F_PLO) _Limit_Strain(c, extra);
  if (c.flags & CQ_F_TSV_EX) _Line_Section(c, extra);
  if (c.flags & CQ_F_TSV) _Plated(c, extra);
  if (c.flags & CQ_F_ELASTIC)
    _Elastic_Checks(c);
  else if (c.ret & CQ_R_U)
    c.out[O_U] = c.U_pl;
  if (!(c.flags & (CQ_F_INTERACTION | CQ_F_TSV | CQ_F_PLO | CQ_F_TSV_EX))) {
    c.ret |= CQ_R_GOVERNING;
    c.out[O_GOV] = c.out[O_U] * c.fyd;
  }
  return 1;
}

}  // namespace

CHECK_TSV_CALC Set_Check_TSV_Calc_For_Tests(CHECK_TSV_CALC calc) {
  const CHECK_TSV_CALC old = g.tsv_calc;
  g.tsv_calc = calc;
  return old;
}

FILE *Set_Check_Querschnitt_Stream(FILE *stream) {
  FILE *old = g.stream;
  g.stream = stream;
  return old;
}

uint32_t Check_Querschnitt(const uint32_t *kind_words, double N, double V_1, double V_2, double T, double M_1,
                           double M_2, double T_w, double B, const QS_CHECK_VIEW *view, double gamma_M,
                           double *stress_1, double *stress_2, double *tau, double *sigma_v, double *governing,
                           double *M_limit, double *ct_internal, double *ct_outstand, double *U, double gamma_M1,
                           double *buckling, uint32_t extra, uint32_t spatial, int32_t pass_a, uint32_t pass_b,
                           CHECK_RESULT *result) {
  Ctx c;
  // 1. Kind, names, the result template, the kept pair, the grade code.
  c.kind_1 = kind_words ? kind_words[0] : 0;
  c.kind_2 = kind_words ? kind_words[1] : 0;
  c.kind = static_cast<int>(c.kind_1 & 0xFFFF);
  c.alu = c.kind == 2;
  c.spatial = spatial != 0;
  const bool en_names = c.kind == 1 || c.kind == 2 || (Get_Check_EN_Symbols() & 1);
  c.names = en_names ? Names{"c/t", "V", "T╬\\t╬r"_cp, "T╬\\w╬r"_cp, "B"}
                     : Names{"b/t", "Q", "T╬\\p╬r"_cp, "T╬\\s╬r"_cp, "M╬\\ð╬r"_cp};
  c.res.class_index = -1;
  c.res.kind_1 = c.kind_1;
  c.res.kind_2 = c.kind_2;
  c.E_bits = c.kind == 1 ? 0x10 : 0x3fc;
  if (Get_Check_Keep_Results()) Clear_Check_Kept_Results();
  const double F[8] = {N, V_1, V_2, T, M_1, M_2, T_w, B};
  std::memcpy(c.F, F, sizeof F);
  c.gamma_M = gamma_M;
  c.gamma_M1 = gamma_M1;
  c.view = view;
  if (view) {
    const uint16_t row = static_cast<uint16_t>(view->header.grade_row);
    // The section's own code (its European or DIN half) when the kind word asks for it.
    if (kind_words && (kind_words[0] & CQ_KIND_OWN_GRADE))
      c.code = static_cast<int>(view->header.grade_kind == 1 ? (row | STGUETE_EUROPEAN) : row);
    else
      c.code = kind_words ? static_cast<int>(Make_Stguete_Code(kind_words, row)) : row;
    // 2. Check flags.
    c.flags = Get_Check_Flags(kind_words, view, spatial);
    c.catalogue = view->header.type == QS_TYPE_IMPORTED ? 0 : view->header.catalogue;
  }
  bool model = false;
  if (!view) {
    c.ret = CQ_R_NO_SECTION;
  } else {
    if (view->header.type < 0) {
      _Force_Lines(c);
      _Values_Only(c);
    } else if (Calc_Profil_Section_Values(view, Resolve_Check_Standard(view->header.type, spatial), pass_a,
                                          pass_b) > 0) {
      c.ret = CQ_R_NO_SECTION;
    } else {
      _Force_Lines(c);
      _Point_Stresses(c);
      if (!_Section_Checks(c, extra)) {
        // No yield strength: nothing can be divided by f_y,d.
        c.ret = CQ_R_NO_SECTION;
        std::fill(std::begin(c.out), std::end(c.out), 0.0);
        std::fill(std::begin(c.res.points), std::end(c.res.points), CHECK_POINT_COPY{});
      } else {
        model = true;
        if (c.flags & CQ_F_CLASSIFY) _Classification(c);
      }
    }
    // Buckling needs the section model; values-only sections have none.
    if (model && (c.flags & CQ_F_BUCKLING)) _Buckling(c);
  }
  double *outs[9] = {stress_1, stress_2, tau, sigma_v, governing, M_limit, ct_internal, ct_outstand, U};
  for (int i = 0; i < 9; ++i)
    if (outs[i]) *outs[i] = c.out[i];
  if (buckling) *buckling = c.buckling;
  if (result) {
    c.res.flags_end = c.flags;
    c.res.returned = c.ret;
    c.res.U = c.out[O_U];
    c.res.U_buckling = c.buckling;
    c.res.U_governing = std::max({c.out[O_U], c.res.ct_max, c.buckling});
    *result = c.res;
  }
  return c.ret;
}

uint32_t Check_Querschnitt_Entry(const uint32_t *kind_words, double N, double V_1, double V_2, double T,
                                 double M_1, double M_2, double T_w, double B, const QS_CHECK_VIEW *view,
                                 double gamma_M, double *stress_1, double *stress_2, double *tau, double *sigma_v,
                                 double *governing, double *M_limit, double *ct_internal, double *ct_outstand,
                                 double *U, uint32_t extra, uint32_t spatial, int32_t pass_a, uint32_t pass_b,
                                 CHECK_RESULT *result) {
  double buckling = 0.0;
  return Check_Querschnitt(kind_words, N, V_1, V_2, T, M_1, M_2, T_w, B, view, gamma_M, stress_1, stress_2, tau,
                           sigma_v, governing, M_limit, ct_internal, ct_outstand, U, gamma_M, &buckling, extra,
                           spatial, pass_a, pass_b, result);
}

uint32_t Check_Querschnitt_Short(const uint32_t *kind_words, double N, double V_1, double V_2, double T,
                                 double M_1, double M_2, double B, const QS_CHECK_VIEW *view, double gamma_M,
                                 double *stress_1, double *stress_2, double *tau, double *sigma_v, double *governing,
                                 double *M_limit, double *ct_internal, double *ct_outstand, double *U,
                                 uint32_t extra, uint32_t spatial, int32_t pass_a, uint32_t pass_b) {
  return Check_Querschnitt_Entry(kind_words, N, V_1, V_2, T, M_1, M_2, 0.0, B, view, gamma_M, stress_1, stress_2,
                                 tau, sigma_v, governing, M_limit, ct_internal, ct_outstand, U, extra, spatial,
                                 pass_a, pass_b, nullptr);
}

uint32_t Check_Querschnitt_Plain(const uint32_t *kind_words, double N, double V_1, double V_2, double T,
                                 double M_1, double M_2, double T_w, double B, const QS_CHECK_VIEW *view,
                                 double gamma_M, double *stress_1, double *stress_2, double *tau, double *sigma_v,
                                 double *governing, double *M_limit, double *ct_internal, double *ct_outstand,
                                 double *U, uint32_t extra, uint32_t spatial, int32_t pass_a, uint32_t pass_b) {
  return Check_Querschnitt_Entry(kind_words, N, V_1, V_2, T, M_1, M_2, T_w, B, view, gamma_M, stress_1, stress_2,
                                 tau, sigma_v, governing, M_limit, ct_internal, ct_outstand, U, extra, spatial,
                                 pass_a, pass_b, nullptr);
}
