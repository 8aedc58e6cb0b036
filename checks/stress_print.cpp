// checks/stress_print.cpp — the stress check print of one member section: gates, warping
// notes, the closed formulas of flat and round bars and their print.
#include <algorithm>
#include <cmath>
#include <numbers>

#include "checks/checks_internal.h"
#include "print/print.h"
#include "profil/profil.h"
#include "querschnitt/querschnitt.h"

namespace {

// The eight section forces in the check order.
struct Forces {
  double N, M_y, M_z, V_y, V_z, T_t, T_w, B;
};

void _Round_to_Zero(Forces &f) {
  auto cut = [](double &v, double eps) {
    if (std::fabs(v) < eps) v = 0.0;
  };
  cut(f.N, 0.01), cut(f.M_y, 0.0001), cut(f.M_z, 0.0001), cut(f.V_y, 0.01), cut(f.V_z, 0.01);
  cut(f.T_t, 0.0001), cut(f.T_w, 0.0001), cut(f.B, 0.000001);
}

bool _All_Zero(const Forces &f) {
  for (double v : {f.N, f.M_y, f.M_z, f.V_y, f.V_z, f.T_t, f.T_w, f.B})
    if (std::fabs(v) >= 0.001) return false;
  return true;
}

void _Set(double *slot, double v) {
  if (slot) *slot = v;
}

void _Red_Line(FILE *stream, int level, const char *text) {
  if (stream && level >= 1) Oli_Printf(stream, "%s%s %s\n", Oli_Line_Prefix(), text, Oli_Mark_Red_Exclam());
}

// Results of the closed formulas (N/mm²).
struct Closed {
  double sigma_Rd, sigma_max, sigma_min, tau, sigma_v, U_sigma, U_ct, U_max;
};

// Head line: the forces above 0.001 in the order N, M_y, V_z, M_z, V_y, T_t; M_z is not
// counted, the fourth counted item starts a new line.
void _Print_Head(FILE *s, const Forces &f, bool round) {
  const char *pre = Oli_Line_Prefix();
  Oli_Printf(s, "%s%s%s", pre, "elastischer Spannungsnachweis", " für  "_cp);
  const char *y = round ? "" : "y", *z = round ? "" : "z";
  struct Item {
    double v;
    int kind;  // 0 N, 1 moment, 2 shear, 3 torsion
    const char *axis;
    bool counted;
  } items[] = {{f.N, 0, "", true},  {f.M_y, 1, y, true},  {f.V_z, 2, z, true},
               {f.M_z, 1, z, false}, {f.V_y, 2, y, true}, {f.T_t, 3, "", true}};
  int count = 0;
  const char *sep = "";
  for (const Item &it : items) {
    if (std::fabs(it.v) <= 0.001) continue;
    if (it.counted && ++count == 4) Oli_Printf(s, "\n%s  ", pre), sep = "";
    switch (it.kind) {
      case 0: CP850_CALL(Oli_Printf, s, "%sN╬\\Ed╬r = %.2lf kN", sep, it.v); break;
      case 1: CP850_CALL(Oli_Printf, s, "%sM╬\\%s,Ed╬r = %.2lf kNm", sep, it.axis, it.v); break;
      case 2: CP850_CALL(Oli_Printf, s, "%sV╬\\%s,Ed╬r = %.2lf kN", sep, it.axis, it.v); break;
      default: CP850_CALL(Oli_Printf, s, "%sT╬\\t,Ed╬r = %.2lf kNm", sep, it.v); break;
    }
    sep = ", ";
  }
  Oli_Printf(s, "\n");
}

void _Print_Closed(FILE *s, int level, int nachweis, const Forces &f, bool round, const Closed &c) {
  const char *pre = Oli_Line_Prefix();
  if (level >= 1) _Print_Head(s, f, round);
  if (level >= 2)
    CP850_CALL(Oli_Printf, s,
               "%selastische Spannungen: min / max ╠╬\\x╬r = %.2lf / %.2lf N/mm², max Í = %.2lf N/mm²,  "
               "max ╠╬\\v╬r = %.2lf N/mm²\n",
               pre, c.sigma_min, c.sigma_max, c.tau, c.sigma_v);
  const double tab = 8.0;
  Oli_Para_Set_Tabs(0, nullptr, &tab, 1);
  if (level >= 2 && nachweis)
    CP850_CALL(Oli_Printf, s, "%szul. Vergleichsspannung: ╠╬\\v,Rd╬r = %.1lf N/mm²\n", pre, c.sigma_Rd);
  Oli_Printf(s, "%s", pre);
  if (level >= 1) Oli_Printf(s, "%s", "Nachweis: ╬t"_cp);
  CP850_CALL(Oli_Printf, s, "╠╬\\v╬r = %.2lf N/mm²  %s  ╠╬\\v,Rd╬r = %.2lf N/mm²  ê  U%s = %.3lf  %s  1  %s\n",
             c.sigma_v, Oli_Compare_Mark_Le(c.sigma_v, c.sigma_Rd), c.sigma_Rd, level >= 2 ? "╬\\╠v╬r"_cp : "",
             c.U_sigma, Oli_Compare_Mark_Le(c.U_sigma, 1.0), Oli_Mark_Verdict(c.U_sigma));
  if (c.U_sigma > 0.001 && c.U_ct > 0.001) {
    Oli_Printf(s, "%s", pre);
    if (level >= 1) Oli_Printf(s, "%s", "Ausnutzungen: Tragfähigkeit "_cp);
    CP850_CALL(Oli_Printf, s, "U╬\\╠╬r = %.3lf  %s  1  %s╬r,  ", c.U_sigma, Oli_Compare_Mark_Le(c.U_sigma, 1.0),
               Oli_Mark_Verdict(c.U_sigma));
    if (level >= 1) Oli_Printf(s, "%s", "c/t-Verhältnis "_cp);
    CP850_CALL(Oli_Printf, s, "U╬\\c/t╬r = %.3lf  %s  1  %s╬r\n", c.U_ct, Oli_Compare_Mark_Le(c.U_ct, 1.0),
               Oli_Mark_Verdict(c.U_ct));
  }
  Oli_Para_Flush_Tabs();
}

// Closed formulas of a flat bar h × t (h along z) or a round bar of diameter h. f.M_y, f.V_z
// of a round bar become the resultants (M_z, V_y 0) for the print and the c/t check; the
// bending stress takes the resultant moment about the one second moment. 0 when the
// profile holds no section values.
int _Closed_Formulas(PROFIL *p, double gamma_M, int pass_a, int pass_b, Forces &f, double *U_ct_slot, FILE *stream,
                     int level, Closed &c) {
  const bool round = p->type == PROFIL_ROUND;
  const double h = p->h, t = p->t_w, A = p->A;
  if (A <= 0.0 || p->I_y <= 0.0 || (!round && p->I_z <= 0.0)) return 0;
  c.sigma_Rd = p->grade.fy / gamma_M;
  const double sigma_N = 1000.0 * f.N / A;
  double sigma_M, W_t = 0.0, tau_V;
  if (round) {
    f.M_y = std::hypot(f.M_y, f.M_z), f.V_z = std::hypot(f.V_y, f.V_z);
    f.M_z = f.V_y = 0.0;
    sigma_M = 1e6 * f.M_y / p->I_y * h / 2.0;
    const double r = h / 2.0;
    W_t = std::numbers::pi / 2.0 * r * r * r;
    tau_V = 4000.0 / 3.0 * f.V_z / A;
  } else {
    sigma_M = 1e6 * (std::fabs(f.M_y) / p->I_y * h / 2.0 + std::fabs(f.M_z) / p->I_z * t / 2.0);
    Calc_Rectangle_Torsion_Constants(t, h, &W_t);
    tau_V = 1500.0 * std::hypot(f.V_y, f.V_z) / A;
  }
  c.sigma_max = sigma_N + sigma_M, c.sigma_min = sigma_N - sigma_M;
  const double sigma_abs = std::max(std::fabs(c.sigma_max), std::fabs(c.sigma_min));
  const double tau_T = W_t > 0.001 ? std::fabs(1e6 * f.T_t) / W_t : 0.0;
  c.tau = tau_V + tau_T;
  // Comparison stress of EN 1993-1-1, 6.2.1(5) with the peaks of σ and τ taken together:
  // an upper bound wherever they meet.
  c.sigma_v = std::sqrt(sigma_abs * sigma_abs + 3.0 * c.tau * c.tau);
  c.U_ct = 0.0;
  if (U_ct_slot) {
    Print_Querschnittsklasse(p, -1000.0 * f.N, -1e6 * f.M_y, -1e6 * f.M_z, gamma_M, pass_a, pass_b, nullptr, nullptr,
                             nullptr, 3, &c.U_ct, stream, level, "");
    c.U_ct = Round_Stress_Utilisation(c.U_ct);
  }
  c.U_sigma = Round_Stress_Utilisation(c.sigma_v / c.sigma_Rd);
  c.U_max = std::max(std::max(c.U_sigma, 0.0), c.U_ct);
  return 1;
}

}  // namespace

void Print_Zero_Forces_Line(FILE *stream, int level) {
  if (stream && level >= 1)
    CP850_CALL(Oli_Printf, stream, "%sSchnittgrößen = 0: Nachweis nicht erforderlich %s\n", Oli_Line_Prefix(),
               Oli_Mark_Blue_Exclam());
}

int Stress_Check_Forces_Zero(double N, double M_y, double M_z, double V_y, double V_z, double T_t, double T_w,
                             double B) {
  Forces f{N, M_y, M_z, V_y, V_z, T_t, T_w, B};
  _Round_to_Zero(f);
  return _All_Zero(f) ? 1 : 0;
}

int Print_Stress_Check(PROFIL *p, double gamma_M, int pass_a, int pass_b, int nachweis, int method, double N,
                       double M_y, double M_z, double V_y, double V_z, double T_t, double T_w, double B,
                       double *U_max, double *U_sigma, double *U_ct, double *sigma_x_max, double *sigma_x_min,
                       double *tau, double *sigma_v, double *further, FILE *stream, int level) {
  if (!p) return 0;
  Forces f{N, M_y, M_z, V_y, V_z, T_t, T_w, B};
  _Round_to_Zero(f);
  if (nachweis && _All_Zero(f)) {
    Print_Zero_Forces_Line(stream, level);
    return 0;
  }
  const bool quer = p->kind == PROFIL_KIND_QUER;
  const bool bar = p->type == PROFIL_FLAT || p->type == PROFIL_ROUND;
  if (method == 1 && quer) {
    _Red_Line(stream, level, "R7-PLAX-Profil: Nachweis nicht möglich"_cp);
    return 0;
  }
  if (!quer && (((method == 1 || method == 2) && bar) || (method == 1 && Is_Profil_Type_in_Group(9, p->type)))) {
    _Red_Line(stream, level, "plastischer Nachweis für dieses Profil nicht möglich"_cp);
    return 0;
  }
  // A material without a positive yield strength (the Eurocode list above 40 mm) cannot be
  // checked on either road; without a positive partial factor nothing is checked.
  if (p->grade.fy <= 0.0) return STRESS_GRADE_MISMATCH;
  if (gamma_M <= 0.0) return 0;

  // A section without warping resistance carries the warping torque as St Venant torsion
  // and leaves the bimoment out. A row that has no force left then (a bimoment alone, a
  // warping torque that takes back the St Venant torque) reads as a row of zero forces after
  // the note: its verdict is settled, with zero results.
  const Forces given = f;
  if (Take_Warping_as_St_Venant(p, &f.T_t, &f.T_w, &f.B, 0.0001)) {
    Print_St_Venant_Note(p, given.T_t, given.T_w, given.B, stream, level);
    if (nachweis && _All_Zero(f)) {
      Print_Zero_Forces_Line(stream, level);
      for (double *slot : {U_max, U_sigma, U_ct, sigma_x_max, sigma_x_min, tau, sigma_v, further}) _Set(slot, 0.0);
      return STRESS_DONE;
    }
  }

  if (method == 0 && bar && !quer) {
    Closed c{};
    if (!_Closed_Formulas(p, gamma_M, pass_a, pass_b, f, U_ct, stream, level, c)) return 0;
    _Set(U_max, c.U_max), _Set(U_sigma, c.U_sigma), _Set(U_ct, c.U_ct), _Set(sigma_x_max, c.sigma_max);
    _Set(sigma_x_min, c.sigma_min), _Set(tau, c.tau), _Set(sigma_v, c.sigma_v), _Set(further, 0.0);
    if (stream) _Print_Closed(stream, level, nachweis, f, p->type == PROFIL_ROUND, c);
    return STRESS_DONE;
  }

  // Section-model road: elastic mode 1 for method 0, plastic mode 0 for methods 1 and 2.
  QUERSCHNITT *q = Build_Profil_Stress_Section(p, method == 0 ? 1 : 0, 0);
  if (!q) return 0;
  const double fy_table = Get_Stguete_fy(Get_Material_Guete_Code(&p->grade), Get_Profil_Max_Thickness(p));
  if (std::fabs(fy_table - p->grade.fy) > 1.0) return STRESS_GRADE_MISMATCH;
  int options[STRESS_N_OPTIONS] = {method, 0, 0, 1, 0, 0, 0, 0, 1, 1};
  const int code = Run_Querschnitt_Stress_Check(q, options, nachweis, gamma_M, p->type == PROFIL_CHS, f.N, f.M_y, f.M_z,
                                                f.V_y, f.V_z, f.T_t, f.T_w, f.B, U_max, U_sigma, U_ct, sigma_x_max,
                                                sigma_x_min, tau, sigma_v, further, stream, level);
  return quer && method == 2 && code ? code | STRESS_PLASTIC_ONLY : code;
}
