// checks/ec3_resistance.cpp — plastic resistance of a steel profile to EN 1993-1-1, 6.2:
// resistances 6.2.3 to 6.2.7 and the interactions 6.2.8 to 6.2.10, one formula line per step.
//
// Internal units: N, mm, N/mm²; printed in kN, kNm, cm³.
#include <algorithm>
#include <cmath>

#include "checks/checks_internal.h"
#include "print/print.h"
#include "profil/profil.h"
#include "support/cp850.h"

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr double kSqrt3 = 1.7320508075688772;
// Ratio of an action effect to a resistance that is gone: the check cannot be met.
constexpr double kNoResistance = 999.999;

EC3_PLASTIC_VALUES g_values;  // the values of the last check

double _Ratio(double ed, double rd) {
  if (!(ed > 0.0)) return 0.0;
  return rd > 1e-9 ? ed / rd : kNoResistance;
}

// Shear reduction of EN 1993-1-1, 6.2.8(3): 0 up to half the resistance.
double _Rho(double v_ed, double v_rd) {
  if (!(v_ed > 0.5 * v_rd)) return 0.0;
  if (!(v_rd > 1e-9)) return 1.0;
  const double r = std::pow(2.0 * v_ed / v_rd - 1.0, 2);
  return std::min(r, 1.0);
}

struct Out {
  FILE *s;
  int level;
  const char *pre;
  const char *dot;
  double u_pl = 0.0;

  // " = u  sign  1  mark" with the line end; u in (1, 1.001] counts as 1.
  void Verdict(double u) {
    if (u > 1.0 && u <= 1.001) u = 1.0;
    u_pl = std::max(u_pl, u);
    if (!s) return;
    Oli_Printf(s, " = %.3lf  %s  1  %s%s\n", u, Oli_Compare_Mark_Le(u, 1.0),
               Oli_Mark_Verdict(u), "╬r"_cp);
  }
  // A check line: prefix, "Nachweis: " and the ratio text.
  void Check(const char *ratio_text, double u) {
    if (s) Oli_Printf(s, "%sNachweis: %s", pre, ratio_text);
    Verdict(u);
  }
  void Title(const char *title) {
    if (s && level >= 1) Oli_Printf(s, "%s%s", pre, title);
  }
  bool Full() const { return s && level >= 1; }
};

// One item of the force head: separator and line break by the rule of the stress print
// (the fourth counted item opens a new line; M_z is not counted).
struct Head {
  FILE *s;
  const char *pre;
  int counted = 0;
  bool first = true;
  void Item(bool counted_item) {
    if (counted_item && ++counted == 4) {
      Oli_Printf(s, "\n%s  ", pre);
      first = true;
    }
    if (!first) Oli_Printf(s, ", ");
    first = false;
  }
};

int _Gate(FILE *s, int level, const char *line) {
  if (s && level >= 0) Oli_Printf(s, line, Oli_Line_Prefix(), Oli_Mark_Red_Exclam());
  return 2;
}

}  // namespace

const EC3_PLASTIC_VALUES *Get_EC3_Plastic_Values() { return &g_values; }

int Check_EC3_Plastic_Resistance(const PROFIL *profil, double gamma_M0, int no_raise, int use_E, int nachweis,
                                 double N, double M_y, double M_z, double V_y, double V_z, double T_t, double T_w,
                                 double B, double *U_max, double *U_pl, double *U_ct, FILE *stream, int level) {
  g_values = EC3_PLASTIC_VALUES{};
  if (U_max) *U_max = 0.0;
  if (U_pl) *U_pl = 0.0;
  if (U_ct) *U_ct = 0.0;
  auto finish = [&](double u_pl, double u_ct) {
    if (U_pl) *U_pl = u_pl;
    if (U_ct) *U_ct = u_ct;
    if (U_max) *U_max = std::max(u_pl, u_ct);
  };
  if (!profil) return 2;
  const char *pre = Oli_Line_Prefix();

  // 0. A force that is no finite number cannot be checked (it would pass every comparison).
  for (double f : {N, M_y, M_z, V_y, V_z, T_t, T_w, B})
    if (!std::isfinite(f)) return _Gate(stream, level, "%sSchnittgrößen ungültig %s\n"_cp);

  // 1. Small forces count as zero.
  auto zero = [](double &v, double lim) { if (std::fabs(v) < lim) v = 0.0; };
  zero(N, 10.0), zero(V_y, 10.0), zero(V_z, 10.0);
  zero(M_y, 100.0), zero(M_z, 100.0), zero(T_t, 100.0), zero(T_w, 100.0);
  zero(B, 1000.0);

  // 2. Nothing to check.
  auto none = [&]() {
    return nachweis && N == 0.0 && M_y == 0.0 && M_z == 0.0 && V_y == 0.0 && V_z == 0.0 && T_t == 0.0 &&
           T_w == 0.0 && B == 0.0;
  };
  auto no_forces = [&]() {
    Print_Zero_Forces_Line(stream, level);
    finish(0.0, 0.0);
    return 0;
  };
  if (none()) return no_forces();

  // 3. Gates.
  const PROFIL *p = profil;
  if (p->kind == PROFIL_KIND_QUER) return _Gate(stream, level, "%sR7-PLAX-Profil: Berechnung nicht möglich %s\n"_cp);
  const bool is_i = Is_Profil_Type_in_Group(4, p->type);
  const bool rhs = p->type == PROFIL_RHS, chs = p->type == PROFIL_CHS, flat = p->type == PROFIL_FLAT;
  if (!is_i && !rhs && !chs && !flat)
    return _Gate(stream, level, "%sBerechnung nach EC 3-1-1, 6.2 für dieses Profil nicht möglich %s\n"_cp);
  if (is_i) {
    const double b_max = std::max(p->b_fo, p->b_fu), t_max = std::max(p->t_fo, p->t_fu);
    if (std::fabs(p->b_fo - p->b_fu) > 0.1 * b_max + 1e-9 || std::fabs(p->t_fo - p->t_fu) > 0.1 * t_max + 1e-9)
      return _Gate(stream, level,
                   "%sI-Profil mit ungleichen Flanschen: Berechnung nach EC 3-1-1, 6.2 nicht möglich %s\n"_cp);
  }

  // Plastic section values on a copy: the caller's record stays as it was.
  PROFIL q{};
  Copy_Profil(p, &q);
  Set_Profil_Plastic_Moduli_Flag(1);
  const int failed = Calc_Profil_Querschnittswerte(&q, nullptr, 0, nullptr);
  Set_Profil_Plastic_Moduli_Flag(0);
  const double fy = q.grade.fy, E = q.grade.E;
  const double A = q.A, W_pl_y = q.W_pl_y, W_pl_z = q.W_pl_z, A_vz = q.A_vz, A_vy = q.A_vy, I_T = q.I_T;
  const double h = q.h, t_w = q.t_w, b_fo = q.b_fo, t_fo = q.t_fo, b_fu = q.b_fu, t_fu = q.t_fu;
  double fillet_outer = 0.0, fillet_inner = 0.0;
  Get_Profil_Fillet_Sizes(&q, &fillet_outer, nullptr, &fillet_inner);
  Reset_Profil(&q);
  if (failed || !(fy > 0.0) || !(A > 0.0) || !(gamma_M0 > 0.0))
    return _Gate(stream, level, "%sBerechnung nach EC 3-1-1, 6.2 für dieses Profil nicht möglich %s\n"_cp);

  // 4. Classification and the admissions of the plastic method: the plastic resistances and
  // the interaction of 6.2.9.1 hold for classes 1 and 2 only (EN 1993-1-1, 6.2.5(2),
  // 6.2.9.1(1)); class 3 needs the elastic check of 6.2.9.2, class 4 effective values
  // (6.2.4(2), 6.2.9.3), neither of which is computed here. The class is worked out whether
  // or not the caller asks for U_ct.
  double u_ct = 0.0;
  if (!flat) {
    const bool indent = stream && level >= 2;
    u_ct = Get_Querschnittsklasse_Utilisation(p, 1, -N, M_y, M_z, gamma_M0, no_raise, use_E, nullptr, 0);
    if (indent && u_ct > 0.001) Oli_Para_Add_Indent(0.3);
    if (stream && u_ct > 0.001)
      Get_Querschnittsklasse_Utilisation(p, 1, -N, M_y, M_z, gamma_M0, no_raise, use_E, stream, level);
    if (indent && u_ct > 0.001) Oli_Para_Add_Indent(-0.3);
  }
  if (is_i || rhs || chs) {
    int fail = 0;
    if (std::fabs(N) > 10.0 || std::fabs(M_y) > 10.0 || std::fabs(M_z) > 10.0)
      fail |= Check_Plattenbeulen_Profil(p, 1, -N, M_y, M_z, gamma_M0, stream, level);
    if (is_i && !fail && (std::fabs(V_y) > 10.0 || std::fabs(V_z) > 10.0))
      fail |= Check_Schubbeulen(h - t_fo - t_fu, t_w, fy, use_E ? E : 0.0, stream, level);
    if (fail) {
      finish(0.0, u_ct);
      return _Gate(stream, level, "%sNachweis nicht möglich %s\n"_cp);
    }
  }

  // 5. Circular tube: resultants.
  if (chs) {
    const bool two_v = V_y != 0.0 && V_z != 0.0, two_m = M_y != 0.0 && M_z != 0.0;
    if (stream && level >= 1 && (two_v || two_m)) {
      Oli_Printf(stream, "%sKreis-Hohlprofil:  ", pre);
      if (two_v) CP850_CALL(Oli_Printf, stream, "V = (V╬\\y╬r²+V╬\\z╬r²)╬/1/2╬r = %.2lf kN", std::hypot(V_y, V_z) / 1e3);
      if (two_v && two_m) Oli_Printf(stream, ",  ");
      if (two_m)
        CP850_CALL(Oli_Printf, stream, "M = (M╬\\y╬r²+M╬\\z╬r²)╬/1/2╬r = %.2lf kNm", std::hypot(M_y, M_z) / 1e6);
      Oli_Printf(stream, "\n");
    }
    V_z = std::hypot(V_y, V_z), V_y = 0.0;
    M_y = std::hypot(M_y, M_z), M_z = 0.0;
  }

  // 6. Warping torsion: a section without warping resistance (tubes, flat bars, square
  // hollow sections) carries the warping torque as St Venant torsion (EN 1993-1-1, 6.2.7(2),
  // (7)); the other shapes are not covered by this clause. The note names the forces as
  // given (kNm, kNm²); a row with no force left then reads as a row of zero forces (2.).
  if (T_w != 0.0 || B != 0.0) {
    const double given[3] = {T_t / 1e6, T_w / 1e6, B / 1e9};
    if (!Take_Warping_as_St_Venant(p, &T_t, &T_w, &B, 100.0)) {
      finish(0.0, u_ct);
      return _Gate(stream, level, "%sWölbkrafttorsion: Nachweis nach EC 3-1-1, 6.2 nicht möglich %s\n"_cp);
    }
    Print_St_Venant_Note(p, given[0], given[1], given[2], stream, level);
    if (none()) return no_forces();
  }

  Out o{stream, level, pre, Oli_Mult_Dot()};
  const char *dot = o.dot;

  // 7. Head.
  if (o.Full()) {
    Oli_Printf(stream, "%s%s%s", pre, "plastischer Spannungsnachweis", " für  "_cp);
    Head hd{stream, pre};
    if (N != 0.0) hd.Item(true), CP850_CALL(Oli_Printf, stream, "N╬\\Ed╬r = %.2lf kN", N / 1e3);
    if (chs) {
      if (M_y != 0.0) hd.Item(true), CP850_CALL(Oli_Printf, stream, "M╬\\Ed╬r = %.2lf kNm", M_y / 1e6);
      if (V_z != 0.0) hd.Item(true), CP850_CALL(Oli_Printf, stream, "V╬\\Ed╬r = %.2lf kN", V_z / 1e3);
    } else {
      if (M_y != 0.0) hd.Item(true), CP850_CALL(Oli_Printf, stream, "M╬\\%s,Ed╬r = %.2lf kNm", "y", M_y / 1e6);
      if (V_z != 0.0) hd.Item(true), CP850_CALL(Oli_Printf, stream, "V╬\\%s,Ed╬r = %.2lf kN", "z", V_z / 1e3);
      if (M_z != 0.0) hd.Item(false), CP850_CALL(Oli_Printf, stream, "M╬\\%s,Ed╬r = %.2lf kNm", "z", M_z / 1e6);
      if (V_y != 0.0) hd.Item(true), CP850_CALL(Oli_Printf, stream, "V╬\\%s,Ed╬r = %.2lf kN", "y", V_y / 1e3);
    }
    if (T_t != 0.0) hd.Item(true), CP850_CALL(Oli_Printf, stream, "T╬\\t,Ed╬r = %.2lf kNm", T_t / 1e6);
    Oli_Printf(stream, "\n");
  }

  // 8. Plastic resistances (EN 1993-1-1, 6.2.3 to 6.2.6).
  EC3_PLASTIC_VALUES &v = g_values;
  const double f_d = fy / gamma_M0;
  const double N_pl = A * f_d, M_pl_y = W_pl_y * f_d, M_pl_z = W_pl_z * f_d;
  const double V_pl_z = A_vz * f_d / kSqrt3, V_pl_y = A_vy * f_d / kSqrt3;
  const double tau_Rd = f_d / kSqrt3;
  v.N_pl_Rd = N_pl / 1e3, v.M_pl_y_Rd = M_pl_y / 1e6, v.M_pl_z_Rd = M_pl_z / 1e6;
  v.V_pl_z_Rd = V_pl_z / 1e3, v.V_pl_y_Rd = V_pl_y / 1e3, v.tau_Rd = tau_Rd;
  if (o.Full()) {
    CP850_CALL(Oli_Printf, stream, "%splastische Kenngrößen: ", pre);
    CP850_CALL(Oli_Printf, stream, "%sN╬\\pl,Rd╬r = A%sf╬\\y╬r/└╬\\M0╬r = %.2lf kN", "", dot, N_pl / 1e3);
    if (chs) {
      CP850_CALL(Oli_Printf, stream, "%sM╬\\pl,Rd╬r = W╬\\pl╬r%sf╬\\y╬r/└╬\\M0╬r = %.2lf kNm", ",  ", dot,
                 M_pl_y / 1e6);
      CP850_CALL(Oli_Printf, stream, "%sV╬\\pl,Rd╬r = A╬\\v╬r%sf╬\\y╬r/(3╬/1/2╬r%s└╬\\M0╬r) = %.2lf kN", ",  ", dot,
                 dot, V_pl_z / 1e3);
    } else {
      CP850_CALL(Oli_Printf, stream, "%sM╬\\pl,y,Rd╬r = W╬\\pl,y╬r%sf╬\\y╬r/└╬\\M0╬r = %.2lf kNm", ",  ", dot,
                 M_pl_y / 1e6);
      CP850_CALL(Oli_Printf, stream, "%sV╬\\pl,z,Rd╬r = A╬\\vz╬r%sf╬\\y╬r/(3╬/1/2╬r%s└╬\\M0╬r) = %.2lf kN", "\n  ",
                 dot, dot, V_pl_z / 1e3);
      CP850_CALL(Oli_Printf, stream, "%sM╬\\pl,z,Rd╬r = W╬\\pl,z╬r%sf╬\\y╬r/└╬\\M0╬r = %.2lf kNm", ",  ", dot,
                 M_pl_z / 1e6);
      CP850_CALL(Oli_Printf, stream, "%sV╬\\pl,y,Rd╬r = A╬\\vy╬r%sf╬\\y╬r/(3╬/1/2╬r%s└╬\\M0╬r) = %.2lf kN", ",  ",
                 dot, dot, V_pl_y / 1e3);
    }
    Oli_Printf(stream, "\n");
  }

  // 9. Torsion (EN 1993-1-1, 6.2.7). Torsion moduli W_t (mm³): the tube 2 pi r_m² t; the
  // rectangular hollow section 2 t A_m with the enclosed area of the wall centre lines less
  // the rounding of the corners (mean of the outer and inner radius as EN 10219-2 and
  // EN 10210-2 give them); I-shapes I_T / t at the web (W_t,z) and at the flanges (W_t,y);
  // the flat bar its own modulus.
  double W_t_z = 0.0, W_t_y = 0.0;
  if (chs) {
    const double r_m = (h - t_w) / 2.0;
    W_t_z = W_t_y = 2.0 * kPi * r_m * r_m * t_w;
  } else if (rhs) {
    const double R_c = (fillet_outer + fillet_inner) / 2.0;
    const double A_m = (h - t_fo) * (b_fo - t_w) - R_c * R_c * (4.0 - kPi);
    W_t_z = W_t_y = 2.0 * std::min(t_w, t_fo) * A_m;
  } else if (is_i) {
    W_t_z = t_w > 0.0 ? I_T / t_w : 0.0;
    const double t_f = std::max(t_fo, t_fu);
    W_t_y = t_f > 0.0 ? I_T / t_f : 0.0;
  } else {
    double wt = 0.0;
    Calc_Rectangle_Torsion_Constants(h, t_w, &wt);
    W_t_z = W_t_y = wt;
  }
  const double W_t = std::min(W_t_z, W_t_y);
  // A torsion moment without a modulus to carry it: a stress far beyond any strength.
  auto tau_of = [&](double w) { return T_t == 0.0 ? 0.0 : w > 1e-9 ? std::fabs(T_t) / w : 1e9; };
  const double tau_t_Ed = tau_of(W_t), tau_t_z = tau_of(W_t_z), tau_t_y = tau_of(W_t_y);
  v.W_t = W_t / 1e3, v.tau_t_Ed = tau_t_Ed;
  if (T_t != 0.0) {
    o.Title("╬_Torsion\n"_cp);
    if (o.Full()) {
      if (is_i)
        CP850_CALL(Oli_Printf, stream, "%sÍ╬\\t,Ed╬r = |T╬\\t,Ed╬r|/min W╬\\t╬r = %.2lf N/mm²%s", pre, tau_t_Ed, "");
      else
        CP850_CALL(Oli_Printf, stream, "%sÍ╬\\t,Ed╬r = |T╬\\t,Ed╬r|/W╬\\t╬r = %.2lf N/mm²%s", pre, tau_t_Ed, "");
      if (is_i) CP850_CALL(Oli_Printf, stream, ",  min W╬\\t╬r = %.2lf cm³", W_t / 1e3);
      else CP850_CALL(Oli_Printf, stream, ",  W╬\\t╬r = %.2lf cm³", W_t / 1e3);
      CP850_CALL(Oli_Printf, stream, ",  Í╬\\Rd╬r = %.2lf N/mm²\n", tau_Rd);
    }
    o.Check("Í╬\\t,Ed╬r/Í╬\\Rd╬r"_cp, tau_t_Ed / tau_Rd);
  }

  // 10. Shear resistances with torsion (EN 1993-1-1, 6.2.7(9)): hollow sections
  // (1 − tau_t/tau_Rd), open sections per direction, the web with the factor 1.25 of
  // equation (6.26); a ratio above 1 leaves no resistance.
  double f_T_z = 1.0, f_T_y = 1.0;
  if (T_t != 0.0) {
    if (rhs || chs) {
      f_T_z = f_T_y = std::max(0.0, 1.0 - tau_t_Ed / tau_Rd);
    } else {
      const double rz = tau_t_z / (1.25 * tau_Rd), ry = tau_t_y / tau_Rd;
      f_T_z = rz > 1.0 ? 0.0 : std::sqrt(1.0 - rz);
      f_T_y = ry > 1.0 ? 0.0 : std::sqrt(1.0 - ry);
    }
  }
  const double V_z_Rd = V_pl_z * f_T_z, V_y_Rd = V_pl_y * f_T_y;
  v.V_z_Rd = V_z_Rd / 1e3, v.V_y_Rd = V_y_Rd / 1e3;
  const char *T = T_t != 0.0 ? "T," : "";  // index of the torsion-reduced resistances
  if (T_t != 0.0 && (V_z != 0.0 || V_y != 0.0)) {
    o.Title("╬_Querkraft und Torsion\n"_cp);
    if (o.Full()) {
      if (chs) {
        CP850_CALL(Oli_Printf, stream, "%sV╬\\T,Rd╬r = V╬\\pl,Rd╬r%s(1 - Í╬\\t,Ed╬r/Í╬\\Rd╬r) = %.2lf kN\n", pre, dot,
                   V_z_Rd / 1e3);
      } else {
        CP850_CALL(Oli_Printf, stream, "%sAbminderung V╬\\z╬r:  ", pre);
        CP850_CALL(Oli_Printf, stream, "f╬\\T,z╬r = %.3lf,  ", f_T_z);
        CP850_CALL(Oli_Printf, stream, "V╬\\%sz,Rd╬r = V╬\\pl,z,Rd╬r%sf╬\\T,z╬r = %.2lf kN\n", T, dot, V_z_Rd / 1e3);
        CP850_CALL(Oli_Printf, stream, "%sAbminderung V╬\\y╬r:  ", pre);
        CP850_CALL(Oli_Printf, stream, "f╬\\T,y╬r = %.3lf,  ", f_T_y);
        CP850_CALL(Oli_Printf, stream, "V╬\\%sy,Rd╬r = V╬\\pl,y,Rd╬r%sf╬\\T,y╬r = %.2lf kN\n", T, dot, V_y_Rd / 1e3);
      }
    }
  }

  // 11. Shear (EN 1993-1-1, 6.2.6).
  const double aVz = std::fabs(V_z), aVy = std::fabs(V_y);
  char text[96];
  if (V_z != 0.0 || V_y != 0.0) {
    o.Title("╬_Querkraft\n"_cp);
    if (chs) {
      CP850_CALL2(std::snprintf, text, sizeof text, "V╬\\Ed╬r/V╬\\%sRd╬r", T);
      o.Check(text, _Ratio(aVz, V_z_Rd));
    } else {
      if (V_z != 0.0) {
        CP850_CALL2(std::snprintf, text, sizeof text, "|V╬\\z,Ed╬r|/V╬\\%sz,Rd╬r", T);
        o.Check(text, _Ratio(aVz, V_z_Rd));
      }
      if (V_y != 0.0) {
        CP850_CALL2(std::snprintf, text, sizeof text, "|V╬\\y,Ed╬r|/V╬\\%sy,Rd╬r", T);
        o.Check(text, _Ratio(aVy, V_y_Rd));
      }
    }
  }

  // 12. Reduction for shear (EN 1993-1-1, 6.2.8(3), (4)): with torsion against the
  // torsion-reduced resistance; the common factor of the torsional shear stress replaces
  // a smaller one.
  double rho_z = _Rho(aVz, V_z_Rd), rho_y = _Rho(aVy, V_y_Rd);
  double rho_t = 0.0;
  if (T_t != 0.0) {
    const double r = tau_t_Ed / tau_Rd;
    rho_t = r >= 1.0 ? 1.0 : 1.0 - std::sqrt(1.0 - r * r);
    rho_z = std::max(rho_z, rho_t), rho_y = std::max(rho_y, rho_t);
  }
  v.rho_z = rho_z, v.rho_y = rho_y;
  auto print_rho = [&](const char *label, const char *axis, double ved, double vrd) {
    if (!o.Full() || ved == 0.0) return;
    Oli_Printf(stream, "%s%s", pre, label);
    CP850_CALL(Oli_Printf, stream, "%.1lf%sV╬\\%sRd╬r = %.2lf kN  %s  V╬\\Ed╬r = %.2lf kN", 0.5, dot, axis,
               0.5 * vrd / 1e3, Oli_Compare_Mark_Le(0.5 * vrd, ved), ved / 1e3);
    if (!(ved > 0.5 * vrd)) {
      CP850_CALL(Oli_Printf, stream, ":  ╦ = %.0lf  (keine Abminderung)\n", 0.0);
      return;
    }
    const double r = vrd > 1e-9 ? std::pow(2.0 * ved / vrd - 1.0, 2) : 1e6;
    CP850_CALL(Oli_Printf, stream, ":  ╦ = (V╬\\Ed╬r/(%.1lf%sV╬\\%sRd╬r) - 1)² = %.3lf", 0.5, dot, axis,
               std::min(r, 999.999));
    if (r > 1.0) CP850_CALL(Oli_Printf, stream, "%s", " > 1  ê  ╦ = 1");
    Oli_Printf(stream, "\n");
  };
  if (V_z != 0.0 || V_y != 0.0 || T_t != 0.0) {
    char az[16], ay[16];
    std::snprintf(az, sizeof az, "%s%s", T, chs ? "" : "z,");
    std::snprintf(ay, sizeof ay, "%sy,", T);
    if (chs) {
      print_rho("", az, aVz, V_z_Rd);
    } else {
      print_rho(is_i ? "Steg:  " : "z-Ri:  ", az, aVz, V_z_Rd);
      print_rho(is_i ? "Flansche:  " : "y-Ri:  ", ay, aVy, V_y_Rd);
    }
    if (T_t != 0.0 && o.Full()) {
      Oli_Printf(stream, "%s%s", pre, chs || rhs ? "Abminderungsfaktor" : "Abminderungsfaktoren");
      Oli_Printf(stream, "%s", chs || rhs ? ":  ╦ = "_cp : ":  ╦╬\\y╬r = ╦╬\\z╬r = "_cp);
      CP850_CALL(Oli_Printf, stream, "1 - (1 - (Í╬\\t,Ed╬r/Í╬\\Rd╬r)²)╬/1/2╬r = %.3lf\n", rho_t);
    }
  }

  // 13. Normal force with shear (EN 1993-1-1, 6.2.10(3)): the yield strength is reduced by
  // (1 − rho) on the shear area of 6.2.6(3), A_vz for rho_z and A_vy for rho_y of an
  // I-shape; hollow sections and flat bars lose (1 − rho) of the whole area (on the safe
  // side).
  const double h_w = h - t_fo - t_fu;
  const double A_w = h_w * t_w;
  double A_V;
  if (is_i) A_V = A - rho_z * A_vz - rho_y * A_vy;
  else A_V = A * (1.0 - std::max(rho_z, rho_y));
  const double N_V = std::max(0.0, A_V * f_d);
  v.N_V_Rd = N_V / 1e3;
  const bool sheared = rho_z > 0.0 || rho_y > 0.0;
  const char *V = sheared ? "V," : "";  // index of the shear-reduced resistances
  const double aN = std::fabs(N);
  if (N != 0.0) {
    o.Title(T_t != 0.0 ? "╬_Normalkraft und Querkraft/Torsion\n"_cp : "╬_Normalkraft und Querkraft\n"_cp);
    if (o.Full() && sheared) {
      if (is_i)
        CP850_CALL(Oli_Printf, stream,
                   "%sN╬\\V,Rd╬r = (A - ╦╬\\z╬r%sA╬\\vz╬r - ╦╬\\y╬r%sA╬\\vy╬r)%sf╬\\y╬r/└╬\\M0╬r = %.2lf kN\n", pre, dot,
                   dot, dot, N_V / 1e3);
      else
        CP850_CALL(Oli_Printf, stream, "%sN╬\\V,Rd╬r = A%s(1 - ╦)%sf╬\\y╬r/└╬\\M0╬r = %.2lf kN\n", pre, dot, dot,
                   N_V / 1e3);
    }
  }
  // Bending lines, one per moment: |M_Ed| / M_idx,Rd of the tube, else |M_y,Ed| / M_idx,y,Rd
  // and |M_z,Ed| / M_idx,z,Rd (EN 1993-1-1, 6.2.5, 6.2.9.1(2)).
  const bool bent = M_y != 0.0 || M_z != 0.0;
  auto moment_lines = [&](const char *idx, double ry, double rz) {
    if (chs) {
      CP850_CALL2(std::snprintf, text, sizeof text, "|M╬\\Ed╬r|/M╬\\%sRd╬r", idx);
      o.Check(text, ry);
      return;
    }
    if (M_y != 0.0) {
      CP850_CALL2(std::snprintf, text, sizeof text, "|M╬\\y,Ed╬r|/M╬\\%sy,Rd╬r", idx);
      o.Check(text, ry);
    }
    if (M_z != 0.0) {
      CP850_CALL2(std::snprintf, text, sizeof text, "|M╬\\z,Ed╬r|/M╬\\%sz,Rd╬r", idx);
      o.Check(text, rz);
    }
  };
  // No normal resistance left (rho = 1 takes all of a hollow section or a flat bar): any
  // normal force or moment exceeds it. U_pl is −1 as its signal, U_max the exceeded ratio.
  const bool no_normal = N_V < 0.001;
  if (N != 0.0) {
    char t2[64];
    CP850_CALL2(std::snprintf, t2, sizeof t2, "|N╬\\Ed╬r|/N╬\\%sRd╬r", sheared ? "V," : "pl,");
    o.Check(t2, no_normal ? kNoResistance : _Ratio(aN, N_V));
  }
  if (no_normal) {
    if (bent) {
      o.Title("╬_Biegung\n"_cp);
      moment_lines("V,", kNoResistance, kNoResistance);
    }
    finish(-1.0, u_ct);
    if (U_max) *U_max = std::max(o.u_pl, u_ct);
    return 0;
  }

  // 14. Bending with shear (EN 1993-1-1, 6.2.8(5), (6)): the sheared plate parts lose rho of
  // their plastic modulus.
  double W_V_y, W_V_z;
  if (chs) {
    W_V_y = W_pl_y * (1.0 - rho_z), W_V_z = W_pl_z * (1.0 - rho_z);
  } else if (flat) {
    W_V_y = (1.0 - rho_z) * W_pl_y, W_V_z = (1.0 - rho_y) * W_pl_z;
  } else {
    double W_pl_y_f, W_pl_z_f;
    if (is_i) {
      W_pl_y_f = b_fo * t_fo * (h - t_fo) / 2.0 + b_fu * t_fu * (h - t_fu) / 2.0;
      W_pl_z_f = (b_fo * b_fo * t_fo + b_fu * b_fu * t_fu) / 4.0;
    } else {
      W_pl_y_f = 2.0 * b_fo * t_fo * (h - t_fo) / 2.0;
      W_pl_z_f = 2.0 * b_fo * t_fo * b_fo / 4.0;
    }
    const double W_pl_w = std::max(0.0, W_pl_y - W_pl_y_f);
    W_V_y = W_pl_y - rho_z * W_pl_w;
    W_V_z = W_pl_z - rho_y * std::min(W_pl_z_f, W_pl_z);
  }
  const double M_V_y = std::max(0.0, W_V_y) * f_d, M_V_z = std::max(0.0, W_V_z) * f_d;
  v.M_V_y_Rd = M_V_y / 1e6, v.M_V_z_Rd = M_V_z / 1e6;
  if (sheared && (M_y != 0.0 || M_z != 0.0)) {
    o.Title("╬_Biegung und Querkraft\n"_cp);
    if (o.Full()) {
      if (chs) {
        CP850_CALL(Oli_Printf, stream, "%sM╬\\V,Rd╬r = W╬\\pl╬r%s(1 - ╦)%sf╬\\y╬r/└╬\\M0╬r = %.2lf kNm\n", pre, dot,
                   dot, M_V_y / 1e6);
      } else {
        Oli_Printf(stream, "%s%s", pre, flat ? "" : is_i ? "Steg:  " : "z-Ri:  ");
        CP850_CALL(Oli_Printf, stream, "M╬\\V,y,Rd╬r = W╬\\V,y╬r%sf╬\\y╬r/└╬\\M0╬r = %.2lf kNm\n", dot, M_V_y / 1e6);
        Oli_Printf(stream, "%s%s", pre, flat ? "" : is_i ? "Flansche:  " : "y-Ri:  ");
        CP850_CALL(Oli_Printf, stream, "M╬\\V,z,Rd╬r = W╬\\V,z╬r%sf╬\\y╬r/└╬\\M0╬r = %.2lf kNm\n", dot, M_V_z / 1e6);
      }
    }
  }

  // 15. Bending with normal force (EN 1993-1-1, 6.2.9.1(3) to (5)).
  const double n = aN / N_V;
  double f_N_y = 1.0, f_N_z = 1.0, a = 0.0;
  if (N != 0.0) {
    if (flat) {
      f_N_y = f_N_z = 1.0 - n * n;
    } else if (chs) {
      f_N_y = f_N_z = 1.0 - std::pow(n, 1.7);
    } else if (rhs) {
      const double a_w = std::min((A - 2.0 * b_fo * t_fo) / A, 0.5);  // (6.39)
      const double a_f = std::min((A - 2.0 * h * t_w) / A, 0.5);      // (6.40)
      a = a_w;
      f_N_y = std::min((1.0 - n) / (1.0 - 0.5 * a_w), 1.0);
      f_N_z = std::min((1.0 - n) / (1.0 - 0.5 * a_f), 1.0);
    } else {
      a = std::min((A - 2.0 * b_fo * t_fo) / A, 0.5);
      const double web = A_w * f_d;
      const double N_c_lim = std::min(0.25 * N_V, 0.5 * web);  // (6.33), (6.34)
      if (aN > N_c_lim) f_N_y = std::min((1.0 - n) / (1.0 - 0.5 * a), 1.0);
      if (aN > web && n > a) f_N_z = 1.0 - std::pow((n - a) / (1.0 - a), 2);
    }
    f_N_y = std::max(0.0, f_N_y), f_N_z = std::max(0.0, f_N_z);
  }
  const double M_N_y = M_V_y * f_N_y, M_N_z = M_V_z * f_N_z;
  v.n = n, v.a = a, v.f_N_y = f_N_y, v.f_N_z = f_N_z;
  v.M_N_y_Rd = M_N_y / 1e6, v.M_N_z_Rd = M_N_z / 1e6;
  if (N != 0.0 && bent) {
    o.Title("╬_Biegung und Normalkraft\n"_cp);
    if (o.Full()) {
      CP850_CALL(Oli_Printf, stream, "%sn = |N╬\\Ed╬r|/N╬\\%sRd╬r = %.3lf", pre, sheared ? "V," : "pl,", n);
      if (is_i || rhs) Oli_Printf(stream, ",  a = %.3lf", a);
      if (chs) {
        CP850_CALL(Oli_Printf, stream, ",  M╬\\N,Rd╬r = M╬\\%sRd╬r%s(1 - n╬/1,7╬r) = %.2lf kNm\n", V, dot,
                   M_N_y / 1e6);
      } else {
        CP850_CALL(Oli_Printf, stream, ",  M╬\\N,y,Rd╬r = %.2lf kNm,  M╬\\N,z,Rd╬r = %.2lf kNm\n", M_N_y / 1e6,
                   M_N_z / 1e6);
      }
    }
  }

  // 16. Bending, biaxial with the exponents of EN 1993-1-1, 6.2.9.1(6).
  double alpha = 1.0, beta = 1.0;
  if (is_i) {
    alpha = 2.0, beta = std::max(5.0 * n, 1.0);
  } else if (chs) {
    alpha = beta = 2.0;
  } else if (rhs) {
    // 1.66 / (1 − 1.13 n²) reaches 6 at n = 0.80007 and turns negative beyond 0.9407.
    alpha = beta = n >= 0.80007 ? 6.0 : std::min(1.66 / (1.0 - 1.13 * n * n), 6.0);
  }
  v.alpha = alpha, v.beta = beta;
  const char *idx = N != 0.0 ? "N," : sheared ? "V," : "pl,";
  if (bent) {
    o.Title("╬_Biegung\n"_cp);
    const double ry = _Ratio(std::fabs(M_y), M_N_y), rz = _Ratio(std::fabs(M_z), M_N_z);
    if (chs) {
      moment_lines(idx, ry, rz);
    } else if (flat) {
      CP850_CALL2(std::snprintf, text, sizeof text, "|M╬\\y,Ed╬r|/M╬\\%sy,Rd╬r + |M╬\\z,Ed╬r|/M╬\\%sz,Rd╬r", idx,
                  idx);
      o.Check(text, ry + rz);
    } else {
      // Each moment against its resistance reduced by N (6.31, 6.32; 6.12 without N), and
      // with two moments the criterion of biaxial bending (6.41) beside them.
      moment_lines(idx, ry, rz);
    }
    if (!chs && !flat && M_y != 0.0 && M_z != 0.0) {
      if (o.Full())
        CP850_CALL(Oli_Printf, stream, "%s  mit ║ = %.2lf,  ╗ = %.2lf%s\n", pre, alpha, beta,
                   is_i ? " = 5╬/.╬rn ‗ 1"_cp : "");
      CP850_CALL2(std::snprintf, text, sizeof text,
                  "(|M╬\\y,Ed╬r|/M╬\\%sy,Rd╬r)╬/║╬r + (|M╬\\z,Ed╬r|/M╬\\%sz,Rd╬r)╬/╗╬r", idx, idx);
      o.Check(text, std::pow(ry, alpha) + std::pow(rz, beta));
    }
  }

  finish(o.u_pl, u_ct);
  return 0;
}
