// checks/ct_check_print.cpp — the c/t check of a profile under one set of section forces
// (EN 1993-1-1 Table 5.2; in fire EN 1993-1-2, 4.2.2 with 0.85 epsilon) and its print lines.
#include <cmath>

#include "checks/checks_internal.h"
#include "materials/materials.h"
#include "print/print.h"
#include "profil/profil.h"
#include "querschnitt/querschnitt.h"
#include "support/cp850.h"

namespace {

// Cross-section class from the overall utilisations of classes 1, 2, 3 with the tolerance
// 1.001; 4 when none meets its limits (EN 1993-1-1, 5.5.2).
int _Class_Of(double u1, double u2, double u3) {
  const double tol = 1.001;
  const bool c1 = u1 > 0.0 && u1 < tol;
  const double ref = c1 ? u1 : 0.0;
  if (u2 > ref && u2 < tol) return (u3 > u2 && u3 < tol) ? 3 : 2;
  if (u3 < tol && u3 > ref) return 3;
  if (c1) return 1;
  return (u1 >= tol && u2 >= tol && u3 >= tol) ? 4 : 3;
}

void _Verdict(FILE *s, double u) {
  Oli_Printf(s, "  %s  1  %s%s", Oli_Compare_Mark_Le(u, 1.0), Oli_Mark_Verdict(u),
             "╬r"_cp);
}

double _Zero_Below(double v, double limit) { return std::fabs(v) < limit ? 0.0 : v; }

}  // namespace

int Print_CT_Check(PROFIL *profil, double gamma, int no_raise, int fire, double fire_factor, int plastic,
                   double N, double M_y, double M_z, double V_y, double V_z, double T_t, double T_w, double B,
                   double *utilisation, FILE *stream, int level) {
  if (utilisation) *utilisation = 0.0;
  if (!profil) return 1;
  if (fire_factor < 0.001) fire_factor = 0.85;
  const double fy = profil->grade.fy;
  CT_REQUEST q{CT_MODE_EN, 0, fy, gamma, 1.0, nullptr};
  if (!no_raise) q.flags |= CT_FLAG_RAISE;
  if (fire) {
    // The hot state's strength is not known here: the plastic neutral axis of a web at fy /
    // gamma would lie too near the middle, so alpha stays at least that of the stresses.
    q.flags |= CT_FLAG_FACTOR | CT_FLAG_HOT;
    q.factor = fire_factor;
  }
  N = _Zero_Below(N, 0.01), V_y = _Zero_Below(V_y, 0.01), V_z = _Zero_Below(V_z, 0.01);
  M_y = _Zero_Below(M_y, 1e-4), M_z = _Zero_Below(M_z, 1e-4), T_t = _Zero_Below(T_t, 1e-4);
  T_w = _Zero_Below(T_w, 1e-4), B = _Zero_Below(B, 1e-6);
  const char *pre = Oli_Line_Prefix();
  if (Stress_Check_Forces_Zero(N, M_y, M_z, V_y, V_z, T_t, T_w, B)) {
    Print_Zero_Forces_Line(stream, level);
    return 0;
  }
  // The warping torque of a section without warping resistance is St Venant torsion here
  // too, and its bimoment is left out. A row with no force left has nothing to classify (the
  // plate model would keep the stresses of the row before): no result and no line; the
  // stress check of the row writes the note and the zero-forces line.
  if (Take_Warping_as_St_Venant(profil, &T_t, &T_w, &B, 1e-4) &&
      Stress_Check_Forces_Zero(N, M_y, M_z, V_y, V_z, T_t, T_w, B))
    return 0;
  // Without a yield strength there is no epsilon to classify with: no result.
  if (!(fy > 0.0)) return 1;
  // A plate model that cannot be built leaves the previous section's table: no result.
  if (Build_Profil_Plate_Section(profil, N, M_y, M_z, V_y, V_z, T_t, T_w, B, nullptr, nullptr, nullptr,
                                 nullptr) != 0)
    return 1;
  CT_RESULT R{};
  if (!Calc_CT_Limits(&q, &R)) return 1;
  const int idx = plastic <= 0 ? 2 : 1;
  const double u = R.u[6 + idx];
  if (u <= 0.001) return 0;
  if (utilisation) *utilisation = u;
  if (!stream) return 0;
  if (level < 1) {
    Oli_Printf(stream, "%s", pre);
    Oli_Printf(stream, "%s = %.3lf", "U╬\\c/t╬r"_cp, u);
    _Verdict(stream, u);
    Oli_Printf(stream, "\n");
    return 0;
  }
  const double tab = 10.0;
  Oli_Para_Set_Tabs(2, nullptr, &tab, 1);
  const bool tube = profil->type == PROFIL_CHS;
  const double u_out = R.u[idx], u_in = R.u[3 + idx];
  if (level >= 2) {
    Oli_Printf(stream, "%sQuerschnitt in Klasse %d", pre, _Class_Of(R.u[6], R.u[7], R.u[8]));
    Oli_Printf(stream, ",  Materialbeiwert ");
    // The epsilon of the limits: sqrt(235 / fy), no modulus term (EN 1993-1-2, 4.2.2).
    const double eps = Print_Epsilon(fy, 0.0, stream);
    if (fire && std::fabs(fire_factor - 1.0) > 0.01)
      CP850_CALL(Oli_Printf, stream, ",  Brandfall: %.2lf%s¥ = %.3lf", fire_factor, Oli_Mult_Dot(),
                 fire_factor * eps);
    Oli_Printf(stream, "\n");
    Oli_Printf(stream, "%sc/t-Nachweis: ", pre);
    const struct {
      double u;
      const char *label;
    } groups[2] = {{u_out, "einseitig gestützt: "_cp}, {u_in, "beidseitig gestützt: "_cp}};
    for (const auto &g : groups) {
      if (g.u <= 0.001) continue;
      Oli_Printf(stream, "%s", "╬t"_cp);
      if (!tube) Oli_Printf(stream, "%s", g.label);
      Oli_Printf(stream, "Ausnutzung %s = %.3lf", "U╬\\c/t╬r"_cp, g.u);
      _Verdict(stream, g.u);
      Oli_Printf(stream, "\n");
    }
  } else {
    Oli_Printf(stream, "%sc/t-Nachweis: ", pre);
  }
  Oli_Printf(stream, "%s", "╬t"_cp);
  if (u_out > 0.001 && u_in > 0.001 && level >= 2 && !tube) Oli_Printf(stream, "gesamt: ");
  Oli_Printf(stream, "Ausnutzung %s = %.3lf", "U╬\\c/t╬r"_cp, u);
  _Verdict(stream, u);
  if (level != 1) Oli_Printf(stream, "  (bzgl. Querschnittsklasse %d)", plastic <= 0 ? 3 : 2);
  Oli_Printf(stream, "\n");
  Oli_Para_Flush_Tabs();
  return 0;
}
