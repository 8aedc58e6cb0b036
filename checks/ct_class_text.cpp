// checks/ct_class_text.cpp — cross-section class of a parametric profile by the c/t rules
// of EN 1993-1-1 Table 5.2, plate by plate, with the formula text of the print list; plate
// buckling verdicts, shear buckling of a web (EN 1993-1-5, 5.1) and the stiffener class.
#include <algorithm>
#include <cmath>
#include <cstring>

#include "checks/checks.h"
#include "checks/checks_internal.h"
#include "materials/materials.h"
#include "nad/nad.h"
#include "print/print.h"
#include "profil/profil.h"
#include "querschnitt/querschnitt.h"
#include "support/cp850.h"

namespace {

// Limits in units of epsilon (epsilon² for the tube) of one plate, EN 1993-1-1 Table 5.2.
struct PlateLimits {
  double limit[3];
  char load[96];
};

bool _Is_Outstand(int kind) {
  return kind == CT_TEXT_OUTSTAND || kind == CT_TEXT_ANGLE_1 || kind == CT_TEXT_ANGLE_2;
}

// alpha: the compressed share of the elastic distribution (1 for a plate wholly compressed,
// whole set), psi from it; alpha_pl: alpha of classes 1 and 2 of an internal part
// (EN 1993-1-1 Table 5.2, sheet 1: the plastic distribution where the caller worked it out,
// else the elastic share); out_pl: an outstand's classes 1 and 2 by the plastic distribution
// (sheet 2) with alpha_pl and its tip in tension (tip_pl) or compressed.
void _Limits(int kind, double alpha, bool whole, double alpha_pl, bool tip_tension, double psi, bool out_pl,
             bool tip_pl, PlateLimits *L) {
  double *l = L->limit;
  L->load[0] = '\0';
  if (kind == CT_TEXT_CHS) {
    l[0] = 50.0, l[1] = 70.0, l[2] = 90.0;
    std::snprintf(L->load, sizeof L->load, "%s", "Biegung/Druck");
    return;
  }
  if (_Is_Outstand(kind)) {
    if (std::fabs(alpha - 1.0) <= 0.01) {
      l[0] = 9.0, l[1] = 10.0, l[2] = 14.0;
      std::snprintf(L->load, sizeof L->load, "%s", "Druck");
    } else {
      double k;
      if (!tip_tension) {
        l[0] = 9.0 / alpha, l[1] = 10.0 / alpha;
        k = 0.57 - 0.21 * psi + 0.07 * psi * psi;
      } else {
        l[0] = 9.0 / (alpha * std::sqrt(alpha)), l[1] = 10.0 / (alpha * std::sqrt(alpha));
        k = 1.7 - 5.0 * psi + 17.1 * psi * psi;
      }
      l[2] = 21.0 * std::sqrt(k);
      CP850_CALL2(Oli_Snprintf, L->load, sizeof L->load, "Druck+Biegung (Ê = %.2lf, k╬\\╠╬r = %.2lf)", psi, k);
    }
    if (kind == CT_TEXT_ANGLE_1) l[2] = 15.0;    // EN 1993-1-1 Table 5.2 sheet 3: h/t <= 15 eps
    if (kind == CT_TEXT_ANGLE_2) l[2] = 11.5;    // (b + h)/2t <= 11.5 eps
    if (out_pl) {
      // Wholly in tension at the plastic resistance: class 1 up to class 3. The limits of
      // classes 1 and 2 end at class 3 (EN 1993-1-1, 5.5.2).
      if (alpha_pl <= 0.0) {
        l[0] = l[1] = l[2];
      } else {
        const double d = std::fabs(alpha_pl - 1.0) <= 0.01 ? 1.0 : tip_pl ? alpha_pl * std::sqrt(alpha_pl) : alpha_pl;
        l[0] = std::min(9.0 / d, l[2]), l[1] = std::min(10.0 / d, l[2]);
      }
    }
    return;
  }
  // Internal part, EN 1993-1-1 Table 5.2 sheet 1. Class 3 by psi of the elastic
  // distribution: 42 / (0.67 + 0.33 psi) for psi > −1, 62 (1 − psi) sqrt(−psi) for psi <= −1;
  // a wholly compressed part, whose psi in [0, 1] the share does not tell, as in uniform
  // compression (42, the smallest).
  if (whole) {
    l[2] = 42.0;
    std::snprintf(L->load, sizeof L->load, "%s", "Druck");
  } else {
    l[2] = psi > -1.0 ? 42.0 / (0.67 + 0.33 * psi) : 62.0 * (1.0 - psi) * std::sqrt(-psi);
    if (std::fabs(alpha - 0.5) <= 0.01) std::snprintf(L->load, sizeof L->load, "%s", "Biegung");
    else CP850_CALL2(Oli_Snprintf, L->load, sizeof L->load, "Druck+Biegung (Ê = %.2lf)", psi);
  }
  // Classes 1 and 2 by alpha.
  if (alpha_pl <= 0.0) {
    l[0] = l[1] = l[2];  // wholly in tension at the plastic resistance: class 1 up to class 3
  } else if (std::fabs(alpha_pl - 1.0) <= 0.01) {
    l[0] = 33.0, l[1] = 38.0;
  } else if (alpha_pl > 0.5) {
    l[0] = 396.0 / (13.0 * alpha_pl - 1.0), l[1] = 456.0 / (13.0 * alpha_pl - 1.0);
  } else {
    l[0] = 36.0 / alpha_pl, l[1] = 41.5 / alpha_pl;
  }
  // A part beyond the class-3 limit is class 4 (EN 1993-1-1, 5.5.2): the limits of classes
  // 1 and 2 end there.
  l[0] = std::min(l[0], l[2]), l[1] = std::min(l[1], l[2]);
}

}  // namespace

namespace {

// Classify_CT_Part_Text with the alpha of classes 1 and 2 of an internal part or an
// outstand given apart from the elastic share (alpha_pl null: the share itself; an
// outstand's negative for its tip in tension).
int _Classify_Plate(int kind, int required, double *utilisation, double ct, double fy, double E, double alpha,
                    const double *alpha_pl, double sigma_com, double gamma, FILE *stream, int level,
                    const char *label) {
  if (utilisation) *utilisation = 0.0;
  const double eps = Print_Epsilon(fy, E, nullptr);
  if (!(eps > 0.0)) return -1;  // no yield strength: no class
  const bool tube = kind == CT_TEXT_CHS;
  const double eps_u = tube ? eps * eps : eps;  // the unit of the limits
  const double r = ct / eps_u;
  if (!(r >= 0.001)) return 0;
  bool tip_tension = false;
  if (kind >= 1 && kind <= 4 && alpha < 0.0) {
    alpha = -alpha;
    tip_tension = _Is_Outstand(kind);
  }
  if (alpha < 0.01) return 0;
  const bool whole = alpha >= CT_ALPHA_COMPRESSED;
  if (whole) alpha = 1.0;
  const double psi = std::max(1.0 - 1.0 / alpha, -3.0);
  double alpha_12 = alpha;
  bool tip_12 = tip_tension;
  const bool out_pl = alpha_pl && kind == CT_TEXT_OUTSTAND;
  if (alpha_pl && kind == CT_TEXT_INTERNAL) alpha_12 = *alpha_pl;
  if (out_pl) alpha_12 = std::fabs(*alpha_pl), tip_12 = *alpha_pl < 0.0;
  PlateLimits L;
  _Limits(kind, alpha, whole, alpha_12, tip_tension, psi, out_pl, tip_12, &L);
  double *l = L.limit;

  // Class-3 limit raised by the stress level (EN 1993-1-1 5.5.2(9)).
  char raised[240] = "";
  if (sigma_com > 0.1 && gamma > 0.001) {
    double f = fy / (gamma * sigma_com);
    if (!tube) f = std::sqrt(f);
    if (f > 1.0) {
      const double old = l[2];
      l[2] *= f;
      const char *dot = Oli_Mult_Dot(), *sq = tube ? "²"_cp : "";
      CP850_CALL2(Oli_Snprintf, raised, sizeof raised,
                  "╠╬\\com,Ed╬r = %.2lf N/mm²:  max c/t = %.2f%s%.2lf%s¥%s = %.2lf%s¥%s = %.2lf", sigma_com, f,
                  dot, old, dot, sq, l[2], dot, sq, l[2] * eps_u);
    }
  }
  const int cls = r > l[2] ? 4 : r > l[1] ? 3 : r > l[0] ? 2 : 1;
  double u = 0.0;
  const int req = std::min(required, 3);
  if (required > 0) {
    u = r / l[req - 1];
    if (u > 1.0 && u <= 1.001) u = 1.0;
    if (utilisation) *utilisation = u;
  }
  if (!stream || level < 1) return cls;

  const char *pre = Oli_Line_Prefix();
  Oli_Printf(stream, "%s", pre);
  if (!label || !label[0]) {
    Oli_Printf(stream, "Q-Klasse %d", cls);
  } else if (level == 1) {
    Oli_Printf(stream, "%s: Q-Klasse %d", label, cls);
  } else {
    Oli_Printf(stream, "%s\n%s  Q-Klasse %d", label, pre, cls);
  }
  bool raised_written = false;
  if (level >= 2) {
    Oli_Printf(stream, "%s", " für"_cp);
    if (kind == CT_TEXT_ANGLE_1) {
      Oli_Printf(stream, " c/t = %.2lf", ct);
      Oli_Printf(stream, "%s", " (knickstabähnl. Verhalten)"_cp);
    } else if (tube) {
      Oli_Printf(stream, " c/t = %.2lf", ct);
      Oli_Printf(stream, " (runder Hohlquerschnitt)");
    } else {
      if (std::fabs(alpha_12 - 1.0) > 0.01) CP850_CALL(Oli_Printf, stream, " ║ = %.3lf, ", alpha_12);
      Oli_Printf(stream, " c/t = %.2lf", ct);
      CP850_CALL(Oli_Printf, stream, " (%s gestützt", _Is_Outstand(kind) ? "einseitig" : "beidseitig");
      if (std::strlen(L.load) > 5) Oli_Printf(stream, ", %s", L.load);
      Oli_Printf(stream, ")");
    }
    const double lim = l[std::min(cls, 3) - 1];
    CP850_CALL(Oli_Printf, stream, " %s %.2lf%s¥", Oli_Compare_Mark_Le(r, lim), lim, Oli_Mult_Dot());
    if (tube) Oli_Printf(stream, "%s", "²"_cp);
    Oli_Printf(stream, " = %.2lf", lim * eps_u);
    if (required > 2 && raised[0]) {
      Oli_Printf(stream, "\n%s  %s", pre, raised);
      raised_written = true;
    }
  }
  if (u > 0.001) {
    if (level >= 2) {
      Oli_Printf(stream, "\n%s  Ausnutzung %s = (c/t) / (max c/t) = %.3lf", pre, "U╬\\c/t╬r"_cp, u);
      if (!raised_written) {
        CP850_CALL(Oli_Printf, stream, ",  max c/t = %.2lf%s¥", l[req - 1], Oli_Mult_Dot());
        if (tube) Oli_Printf(stream, "%s", "²"_cp);
        Oli_Printf(stream, " = %.2lf", l[req - 1] * eps_u);
      }
    } else {
      Oli_Printf(stream, ",  Ausnutzung %s = %.3lf", "U╬\\c/t╬r"_cp, u);
    }
  }
  return cls;
}

}  // namespace

int Classify_CT_Part_Text(int kind, int required, double *utilisation, double ct, double fy, double E,
                          double alpha, double sigma_com, double gamma, FILE *stream, int level,
                          const char *label) {
  return _Classify_Plate(kind, required, utilisation, ct, fy, E, alpha, nullptr, sigma_com, gamma, stream, level,
                         label);
}

int Classify_CT_Part_Text_cb(int kind, int required, double *utilisation, double c, double t, double fy,
                             double E, double alpha, double sigma_com, double gamma, FILE *stream, int level,
                             const char *label) {
  const double ct = t > 0.0 ? c / t : 0.0;
  return Classify_CT_Part_Text(kind, required, utilisation, ct, fy, E, alpha, sigma_com, gamma, stream, level,
                               label);
}

// ---------------------------------------------------------------- elastic alpha
namespace {

struct Segment {
  double y1, z1, y2, z2;  // first end (an outstand's tip), second end (mm, z downward)
};

// Up to two candidate lines per plate (left and right outstands, the two webs of a box);
// the more compressed one decides.
struct PlateLines {
  int n;
  Segment s[2];
  bool outstand;
};

struct StressPlane {
  double n_a;      // N/A
  double a, b;     // per mm of w (upward) and of u
  double y_c, z_c;
  double at(double y, double z) const { return n_a + a * (z_c - z) + b * (y - y_c); }
};

// Centroid across for the frame of the profile's own model (0 for shapes symmetric about
// the vertical axis): channels and angles have the web (or leg 1) on the right with its
// centre line at (b − t_w)/2 and the flanges (or leg 2) reaching left to −b/2.
double _Centroid_Across(const PROFIL *p) {
  if (p->type != PROFIL_C && p->type != PROFIL_U && p->type != PROFIL_ANGLE) return 0.0;
  const double tw = p->t_w, bo = p->b_fo, y0 = (bo - tw) / 2;
  const double a_w = p->h * tw, a_f = (bo - tw) * p->t_fo * (p->type == PROFIL_ANGLE ? 1.0 : 2.0);
  return (a_w * y0 - a_f * tw / 2) / (a_w + a_f);
}

// The linear stress plane of biaxial bending (compression positive) from N / A and the
// moments with I_y, I_z and I_yz about the centroid; the product moment in the frame of u
// across and w upward is minus the profile's I_yz (z downward). False without stiffness.
bool _Elastic_Plane(const PROFIL *p, double N, double M_y, double M_z, StressPlane *P) {
  const double I_uw = -p->I_yz;
  const double D = p->I_y * p->I_z - I_uw * I_uw;
  if (!(p->A > 0.0) || !(D > 0.0)) return false;
  P->n_a = N / p->A;
  P->a = (M_y * p->I_z - M_z * I_uw) / D;
  P->b = (M_z * p->I_y - M_y * I_uw) / D;
  P->y_c = _Centroid_Across(p);
  P->z_c = p->z_s > 0.0 ? p->z_s : p->h / 2;
  return true;
}

// Alpha code and largest compression of one plate (compression positive stresses).
void _Plate_Alpha(const StressPlane &P, const PlateLines &pl, double *alpha, double *sigma) {
  *alpha = 0.0;
  *sigma = 0.0;
  double best = -1e300;
  for (int i = 0; i < pl.n; ++i) {
    const Segment &s = pl.s[i];
    const double s1 = P.at(s.y1, s.z1), s2 = P.at(s.y2, s.z2);
    const double smax = std::max(s1, s2);
    if (i > 0 && smax <= best) continue;
    best = smax;
    *sigma = std::max(smax, 0.0);
    if (s1 > 0.0 && s2 > 0.0) {
      *alpha = CT_ALPHA_COMPRESSED;
    } else if (smax <= 0.0) {
      *alpha = 0.0;
    } else {
      // The zero line cuts the plate: the compressed share of its length.
      const double share = smax / (smax - std::min(s1, s2));
      if (share <= 0.01) {
        *alpha = 0.0;
        *sigma = 0.0;
      } else {
        // An outstand whose compressed end is its supported (second) end: tip in tension.
        *alpha = (pl.outstand && s2 > s1) ? -share : share;
      }
    }
  }
}

}  // namespace

int Calc_Plate_Alpha(const PROFIL *p, double N, double M_y, double M_z, double alpha[3], double sigma[3],
                     FILE *stream) {
  for (int i = 0; i < 3; ++i) alpha[i] = sigma[i] = 0.0;
  if (!p || !(p->A > 0.0)) return 0;
  const bool small_m = std::fabs(M_y) < 0.1 && std::fabs(M_z) < 0.1;
  if (small_m) {
    if (std::fabs(N) >= 0.1 && N > 0.001) {
      for (int i = 0; i < 3; ++i) alpha[i] = CT_ALPHA_COMPRESSED, sigma[i] = N / p->A;
    }
    return 0;
  }
  const int type = p->type;
  if (type == PROFIL_ROUND || type == PROFIL_CHS) {
    const double n_a = N / p->A;
    const double m = p->I_y > 0.0 ? p->h / 2.0 * std::hypot(M_y, M_z) / p->I_y : 0.0;
    const double smax = n_a + m, smin = n_a - m;
    double a = 0.0;
    if (smin > 0.0) a = CT_ALPHA_COMPRESSED;
    else if (smax > 0.0) a = smax / (smax - smin);
    if (a > 0.0 && a < CT_ALPHA_COMPRESSED && a <= 0.01) a = 0.0;
    for (int i = 0; i < 3; ++i) alpha[i] = a, sigma[i] = a > 0.0 ? smax : 0.0;
    if (stream) CP850_CALL(Oli_Printf, stream, "%sDer Beiwert ║ wird elastisch ermittelt.\n", Oli_Line_Prefix());
    return 1;
  }
  if (!(p->I_y > 0.0) || !(p->I_z > 0.0)) return 0;

  double f_o = 0.0, f_u = 0.0, f_2 = 0.0;
  Get_Profil_Fillet_Sizes(p, &f_o, &f_u, &f_2);
  const double h = p->h, tw = p->t_w, bo = p->b_fo, to = p->t_fo;
  const double bu = p->b_fu > 0.0 ? p->b_fu : bo, tu = p->t_fu > 0.0 ? p->t_fu : to;
  PlateLines pl[3] = {};
  switch (type) {
    case PROFIL_FLAT:
      pl[2] = {1, {{0, 0, 0, h}}, false};
      break;
    case PROFIL_I: case PROFIL_H: case PROFIL_DIL: case PROFIL_S: case PROFIL_W:
      pl[0] = {2, {{bo / 2, to / 2, tw / 2 + f_o, to / 2}, {-bo / 2, to / 2, -tw / 2 - f_o, to / 2}}, true};
      pl[1] = {2, {{bu / 2, h - tu / 2, tw / 2 + f_u, h - tu / 2}, {-bu / 2, h - tu / 2, -tw / 2 - f_u, h - tu / 2}},
               true};
      pl[2] = {1, {{0, to + f_o, 0, h - tu - f_u}}, false};
      break;
    case PROFIL_C: case PROFIL_U: case PROFIL_ANGLE: {
      // The frame of the profile's own model: the web (or leg 1) on the right with its centre
      // line at y0, the flanges (or leg 2, at the bottom) reaching left to -b/2.
      const double y0 = (bo - tw) / 2, face = y0 - tw / 2 - f_o;
      if (type == PROFIL_ANGLE) {
        pl[0] = {1, {{-bo / 2, h - to / 2, face, h - to / 2}}, true};
        pl[2] = {1, {{y0, 0, y0, h - to - f_o}}, true};
      } else {
        pl[0] = {1, {{-bo / 2, to / 2, face, to / 2}}, true};
        pl[1] = {1, {{-bo / 2, h - to / 2, face, h - to / 2}}, true};
        pl[2] = {1, {{y0, to + f_o, y0, h - to - f_o}}, false};
      }
      break;
    }
    case PROFIL_Z:
      pl[0] = {1, {{bo / 2, to / 2, tw / 2 + f_o, to / 2}}, true};
      pl[1] = {1, {{-bo / 2, h - to / 2, -tw / 2 - f_o, h - to / 2}}, true};
      pl[2] = {1, {{0, to + f_o, 0, h - to - f_o}}, false};
      break;
    case PROFIL_T: case PROFIL_HALF_I:
      pl[0] = {2, {{bo / 2, to / 2, tw / 2 + f_o, to / 2}, {-bo / 2, to / 2, -tw / 2 - f_o, to / 2}}, true};
      pl[2] = {1, {{0, h, 0, to + f_o}}, true};  // the stem is an outstand, tip at the bottom
      break;
    case PROFIL_RHS: {
      const double yw = bo / 2 - tw / 2;
      pl[0] = {1, {{-bo / 2 + tw + f_2, to / 2, bo / 2 - tw - f_2, to / 2}}, false};
      pl[1] = {1, {{-bo / 2 + tw + f_2, h - tu / 2, bo / 2 - tw - f_2, h - tu / 2}}, false};
      pl[2] = {2, {{yw, to + f_2, yw, h - tu - f_2}, {-yw, to + f_2, -yw, h - tu - f_2}}, false};
      break;
    }
    case PROFIL_BOX: {
      const double yw = bo / 2 - tw / 2;
      pl[0] = {1, {{-bo / 2 + tw + f_o, to / 2, bo / 2 - tw - f_o, to / 2}}, false};
      pl[1] = {1, {{-bu / 2 + tw + f_u, h - tu / 2, bu / 2 - tw - f_u, h - tu / 2}}, false};
      pl[2] = {2, {{yw, to + f_o, yw, h - tu - f_u}, {-yw, to + f_o, -yw, h - tu - f_u}}, false};
      break;
    }
    default:
      return 0;  // types without plates (17) or unknown
  }
  StressPlane P{};
  if (!_Elastic_Plane(p, N, M_y, M_z, &P)) return 0;
  for (int i = 0; i < 3; ++i)
    if (pl[i].n > 0) _Plate_Alpha(P, pl[i], &alpha[i], &sigma[i]);
  if (stream) CP850_CALL(Oli_Printf, stream, "%sDer Beiwert ║ wird elastisch ermittelt.\n", Oli_Line_Prefix());
  return 1;
}

namespace {

// The elastic alpha code and largest compression of a box girder's overhang (top or bottom)
// from its own stresses: each overhang from its tip at b/2 + ü to its root at b/2, the more
// compressed of the two deciding (EN 1993-1-1 Table 5.2, sheet 2; psi from its own end
// stresses, not from the flange between the webs).
void _Overhang_Alpha(const PROFIL *p, const StressPlane &P, bool top, double *alpha, double *sigma) {
  const double to = p->t_fo, tu = p->t_fu > 0.0 ? p->t_fu : to;
  const double b = top ? p->b_fo : (p->b_fu > 0.0 ? p->b_fu : p->b_fo), ue = top ? p->ue_o : p->ue_u;
  const double z = top ? to / 2 : p->h - tu / 2, tip = b / 2 + ue, root = b / 2;
  const PlateLines pl{2, {{tip, z, root, z}, {-tip, z, -root, z}}, true};
  _Plate_Alpha(P, pl, alpha, sigma);
}

}  // namespace

// ---------------------------------------------------------------- plastic alpha
namespace {

// Plates of the plastic neutral axis: the plates of Calc_Plate_Alpha and the overhangs of a
// box girder.
enum { kPlTop, kPlBottom, kPlWeb, kPlOverTop, kPlOverBottom, kPlSlots };

// The plate model of a profile for its plastic neutral axis (its plates at full size about
// their centre lines, without fillets or welds, in the frame of Calc_Plate_Alpha) and the
// stretches of its plates as Calc_Plate_Alpha takes them (an outstand from its tip; up to
// two per plate).
struct PlasticModel {
  int n_walls;
  CT_WALL walls[5];
  int n_seg[kPlSlots];
  CT_WALL seg[kPlSlots][2];
};

CT_WALL _W(double y_a, double z_a, double y_b, double z_b, double t) { return CT_WALL{y_a, z_a, y_b, z_b, t, t}; }

bool _Plastic_Model(const PROFIL *p, PlasticModel *m) {
  *m = PlasticModel{};
  double f_o = 0.0, f_u = 0.0, f_2 = 0.0;
  Get_Profil_Fillet_Sizes(p, &f_o, &f_u, &f_2);
  const double h = p->h, tw = p->t_w, bo = p->b_fo, to = p->t_fo;
  const double bu = p->b_fu > 0.0 ? p->b_fu : bo, tu = p->t_fu > 0.0 ? p->t_fu : to;
  auto wall = [&](CT_WALL w) { m->walls[m->n_walls++] = w; };
  auto seg = [&](int slot, CT_WALL w) { m->seg[slot][m->n_seg[slot]++] = w; };
  switch (p->type) {
    case PROFIL_FLAT:
      wall(_W(0, 0, 0, h, tw));
      seg(kPlWeb, _W(0, 0, 0, h, tw));
      break;
    case PROFIL_I: case PROFIL_H: case PROFIL_DIL: case PROFIL_S: case PROFIL_W:
      wall(_W(-bo / 2, to / 2, bo / 2, to / 2, to));
      wall(_W(-bu / 2, h - tu / 2, bu / 2, h - tu / 2, tu));
      wall(_W(0, to, 0, h - tu, tw));
      for (int sd : {1, -1}) {
        seg(kPlTop, _W(sd * bo / 2, to / 2, sd * (tw / 2 + f_o), to / 2, to));
        seg(kPlBottom, _W(sd * bu / 2, h - tu / 2, sd * (tw / 2 + f_u), h - tu / 2, tu));
      }
      seg(kPlWeb, _W(0, to + f_o, 0, h - tu - f_u, tw));
      break;
    case PROFIL_C: case PROFIL_U: case PROFIL_ANGLE: {
      const double y0 = (bo - tw) / 2, face = y0 - tw / 2 - f_o;
      if (p->type == PROFIL_ANGLE) {
        wall(_W(-bo / 2, h - to / 2, bo / 2, h - to / 2, to));
        wall(_W(y0, 0, y0, h - to, tw));
        seg(kPlTop, _W(-bo / 2, h - to / 2, face, h - to / 2, to));
        seg(kPlWeb, _W(y0, 0, y0, h - to - f_o, tw));
      } else {
        wall(_W(-bo / 2, to / 2, bo / 2, to / 2, to));
        wall(_W(-bo / 2, h - to / 2, bo / 2, h - to / 2, to));
        wall(_W(y0, to, y0, h - to, tw));
        seg(kPlTop, _W(-bo / 2, to / 2, face, to / 2, to));
        seg(kPlBottom, _W(-bo / 2, h - to / 2, face, h - to / 2, to));
        seg(kPlWeb, _W(y0, to + f_o, y0, h - to - f_o, tw));
      }
      break;
    }
    case PROFIL_Z:
      wall(_W(-tw / 2, to / 2, bo / 2, to / 2, to));
      wall(_W(-bo / 2, h - to / 2, tw / 2, h - to / 2, to));
      wall(_W(0, to, 0, h - to, tw));
      seg(kPlTop, _W(bo / 2, to / 2, tw / 2 + f_o, to / 2, to));
      seg(kPlBottom, _W(-bo / 2, h - to / 2, -tw / 2 - f_o, h - to / 2, to));
      seg(kPlWeb, _W(0, to + f_o, 0, h - to - f_o, tw));
      break;
    case PROFIL_T: case PROFIL_HALF_I:
      wall(_W(-bo / 2, to / 2, bo / 2, to / 2, to));
      wall(_W(0, to, 0, h, tw));
      for (int sd : {1, -1}) seg(kPlTop, _W(sd * bo / 2, to / 2, sd * (tw / 2 + f_o), to / 2, to));
      seg(kPlWeb, _W(0, h, 0, to + f_o, tw));  // the stem: an outstand, tip at the bottom
      break;
    case PROFIL_RHS: case PROFIL_BOX: {
      // The box girder's webs with their outer faces at half the wider flange, its flanges
      // with their overhangs.
      const bool box = p->type == PROFIL_BOX;
      const double half = box ? std::max(bo, bu) / 2 : bo / 2, yw = half - tw / 2;
      const double eo = box ? bo / 2 + p->ue_o : bo / 2, eu = box ? bu / 2 + p->ue_u : bo / 2;
      const double jo = box ? f_o : f_2, ju = box ? f_u : f_2;
      wall(_W(-eo, to / 2, eo, to / 2, to));
      wall(_W(-eu, h - tu / 2, eu, h - tu / 2, tu));
      for (int sd : {1, -1}) {
        wall(_W(sd * yw, to, sd * yw, h - tu, tw));
        seg(kPlWeb, _W(sd * yw, to + jo, sd * yw, h - tu - ju, tw));
      }
      seg(kPlTop, _W(-yw + tw / 2 + jo, to / 2, yw - tw / 2 - jo, to / 2, to));
      seg(kPlBottom, _W(-yw + tw / 2 + ju, h - tu / 2, yw - tw / 2 - ju, h - tu / 2, tu));
      // An overhang's stretch is its c: from the tip to its own flange's edge (the web's outer
      // face of the wider flange), so that the narrower flange's overhang keeps its length.
      for (int sd : {1, -1}) {
        if (box && p->ue_o > 0.001) seg(kPlOverTop, _W(sd * eo, to / 2, sd * bo / 2, to / 2, to));
        if (box && p->ue_u > 0.001) seg(kPlOverBottom, _W(sd * eu, h - tu / 2, sd * bu / 2, h - tu / 2, tu));
      }
      break;
    }
    default:
      return false;
  }
  return true;
}

// The alpha code of classes 1 and 2 of a plate (slots) by the axis: the compressed share of
// its stretch with the smallest class-2 limit, an outstand's negative when its tip (the
// stretch's first end) is in tension. False where the axis is not worked out.
bool _Plastic_Alpha(const CT_PLASTIC_AXIS &axis, const PlasticModel &m, const int *slots, int n_slots, bool outstand,
                    double *alpha) {
  double worst = -1.0;
  for (int k = 0; k < n_slots; ++k)
    for (int i = 0; i < m.n_seg[slots[k]]; ++i) {
      int end = -1;
      const double sh = CT_Plastic_Share(axis, m.seg[slots[k]][i], &end);
      if (sh < 0.0) return false;
      const bool tip_tension = outstand && end == 1;
      const double rate = tip_tension ? sh * std::sqrt(sh) : sh;  // 1 / the class-2 limit
      if (rate > worst) worst = rate, *alpha = tip_tension ? -sh : sh;
    }
  return worst >= 0.0;
}

}  // namespace

// ---------------------------------------------------------------- class of a profile
namespace {

enum Slot { kF1, kF2, kWeb };

struct Plate {
  const char *label;  // code page 850, null: none
  int kind;
  double ct;
  int alpha_from;     // CT_PLATE_* or 3: the more compressed flange
  Slot slot;
  int web = QS_WEB_NONE;  // its role among the symmetric webs, whose plastic axis carries N
  double A_web = 0.0;     // c·t of the symmetric web(s) of that role (mm²)
  int plastic_from = -1;  // its stretches in the plastic model (kPl*), −1: those of alpha_from
};

double _Ratio(double c, double t) { return t > 0.0 ? c / t : 0.0; }

// The plates of a shape type in print order; −1 for a type without rule.
int _Plates(const PROFIL *p, const double alpha[3], Plate out[5]) {
  const double ct_w = _Ratio(p->d_w, p->t_w), ct_fo = _Ratio(p->c_fo, p->t_fo);
  const double tu = p->t_fu > 0.0 ? p->t_fu : p->t_fo;
  const double ct_fu = _Ratio(p->c_fu > 0.0 ? p->c_fu : p->c_fo, tu);
  // The roles of the webs and of a box's flanges, as the section catalogue's plate parts.
  const int shape = Get_Profil_Web_Shape(p);
  const int web = QS_Web_Role(shape, true), flange = QS_Web_Role(shape, false);
  const double A_w = p->d_w * p->t_w;  // one web between the fillets
  int n = 0;
  switch (p->type) {
    case PROFIL_FLAT:
      out[n++] = {nullptr, CT_TEXT_INTERNAL, _Ratio(p->h, p->t_w), CT_PLATE_WEB, kWeb, web, p->h * p->t_w};
      break;
    case PROFIL_ROUND:
      break;
    case PROFIL_ANGLE:
      if (!(alpha[CT_PLATE_TOP] >= CT_ALPHA_COMPRESSED && alpha[CT_PLATE_WEB] >= CT_ALPHA_COMPRESSED)) {
        out[n++] = {"Schenkel 2", CT_TEXT_OUTSTAND, ct_fo, CT_PLATE_TOP, kF1};
        out[n++] = {"Schenkel 1", CT_TEXT_OUTSTAND, ct_w, CT_PLATE_WEB, kWeb};
      } else {
        const double h_t = _Ratio(p->h, p->t_w), b_t = _Ratio(p->b_fo, p->t_fo);
        out[n++] = {"Bedingung 1", CT_TEXT_ANGLE_1, h_t, CT_PLATE_WEB, kF1};
        out[n++] = {"Bedingung 2", CT_TEXT_ANGLE_2, (h_t + b_t) / 2, CT_PLATE_WEB, kF2};
      }
      break;
    case PROFIL_I: case PROFIL_H: case PROFIL_DIL: case PROFIL_S: case PROFIL_W:
      out[n++] = {"Flansch oben", CT_TEXT_OUTSTAND, ct_fo, CT_PLATE_TOP, kF1};
      out[n++] = {"Flansch unten", CT_TEXT_OUTSTAND, ct_fu, CT_PLATE_BOTTOM, kF2};
      out[n++] = {"Steg", CT_TEXT_INTERNAL, ct_w, CT_PLATE_WEB, kWeb, web, A_w};
      break;
    case PROFIL_C: case PROFIL_U: case PROFIL_Z:
      out[n++] = {"Flansche", CT_TEXT_OUTSTAND, ct_fo, 3, kF1};
      out[n++] = {"Steg", CT_TEXT_INTERNAL, ct_w, CT_PLATE_WEB, kWeb, web, A_w};
      break;
    case PROFIL_RHS: {
      const double A_f = 2.0 * p->c_fo * p->t_fo;  // both flanges between the webs
      out[n++] = {"Flansch oben", CT_TEXT_INTERNAL, ct_fo, CT_PLATE_TOP, kF1, flange, A_f};
      out[n++] = {"Flansch unten", CT_TEXT_INTERNAL, ct_fu, CT_PLATE_BOTTOM, kF2, flange, A_f};
      out[n++] = {"Stege", CT_TEXT_INTERNAL, ct_w, CT_PLATE_WEB, kWeb, web, 2.0 * A_w};
      break;
    }
    case PROFIL_CHS:
      out[n++] = {nullptr, CT_TEXT_CHS, _Ratio(p->h, p->t_w), CT_PLATE_WEB, kWeb};
      break;
    case PROFIL_T: case PROFIL_HALF_I:
      out[n++] = {"Flansch", CT_TEXT_OUTSTAND, ct_fo, CT_PLATE_TOP, kF1};
      out[n++] = {"Steg", CT_TEXT_OUTSTAND, ct_w, CT_PLATE_WEB, kWeb};
      break;
    case PROFIL_BOX: {
      const double A_f = 2.0 * p->c_fo * p->t_fo;
      out[n++] = {"Flansch oben", CT_TEXT_INTERNAL, ct_fo, CT_PLATE_TOP, kF1, flange, A_f};
      if (p->ue_o > 0.001)
        out[n++] = {"Überstand oben", CT_TEXT_OUTSTAND, _Ratio(p->ue_o, p->t_fo), CT_PLATE_TOP, kF1, QS_WEB_NONE,
                    0.0, kPlOverTop};
      out[n++] = {"Flansch unten", CT_TEXT_INTERNAL, ct_fu, CT_PLATE_BOTTOM, kF2, flange, A_f};
      if (p->ue_u > 0.001)
        out[n++] = {"Überstand unten", CT_TEXT_OUTSTAND, _Ratio(p->ue_u, tu), CT_PLATE_BOTTOM, kF2, QS_WEB_NONE,
                    0.0, kPlOverBottom};
      out[n++] = {"Stege", CT_TEXT_INTERNAL, ct_w, CT_PLATE_WEB, kWeb, web, 2.0 * A_w};
      break;
    }
    case PROFIL_TRAPEZ:
      break;
    default:
      return -1;
  }
  return n;
}

const char *_Label_Cp(const char *label) {
  if (!label) return nullptr;
  if (!std::strcmp(label, "Überstand oben")) return "Überstand oben"_cp;
  if (!std::strcmp(label, "Überstand unten")) return "Überstand unten"_cp;
  return label;  // plain ASCII
}

}  // namespace

int Print_Querschnittsklasse(const PROFIL *p, double N, double M_y, double M_z, double gamma_M, int no_raise,
                             int use_E, int *class_f1, int *class_f2, int *class_web, int required,
                             double *utilisation, FILE *stream, int level, const char *label) {
  int cls_slot[3] = {0, 0, 0};
  double util = 0.0;
  auto give = [&](int result) {
    if (class_f1) *class_f1 = cls_slot[kF1];
    if (class_f2) *class_f2 = cls_slot[kF2];
    if (class_web) *class_web = cls_slot[kWeb];
    if (utilisation) *utilisation = util;
    return result;
  };
  if (!p) return give(-1);
  if ((N <= 0.01 && std::fabs(M_y) <= 0.0001 && std::fabs(M_z) <= 0.0001) || p->kind == PROFIL_KIND_QUER)
    return give(0);
  if (p->type <= PROFIL_DEFAULT || p->type >= PROFIL_TYPE_COUNT) return give(-1);
  const double fy = p->grade.fy;
  if (!(fy > 0.0)) return give(-1);  // no yield strength: not classified
  if (p->type == PROFIL_TRAPEZ) return give(0);
  const double f_yd = gamma_M > 0.0 ? fy / gamma_M : fy;  // the plastic neutral axis of a web
  if (no_raise) gamma_M = 0.0;
  const double E = use_E ? p->grade.E : 0.0;  // 0: Print_Epsilon takes 210000
  const double eps = Print_Epsilon(fy, E, nullptr);
  const char *pre = Oli_Line_Prefix();
  if (!stream) level = 0;

  if (stream && level == 1 && required > 0)
    CP850_CALL(Oli_Printf, stream, "%s╬Sc/t-Ausnutzung bzgl. Q-Klasse %d\n", pre, required);
  if (stream && level >= 2) {
    Oli_Printf(stream, "%sQuerschnittsklasse", pre);
    if (label && label[0]) Oli_Printf(stream, "%s", label);
    CP850_CALL(Oli_Printf, stream, " (¥ = %.2lf)", eps);
    if (required > 0) Oli_Printf(stream, ",  c/t-Ausnutzung bzgl. Q-Klasse %d", required);
    Oli_Printf(stream, ": ");
    // A round bar has no plate line: its class ends the head line.
    if (p->type != PROFIL_ROUND) Oli_Printf(stream, "\n");
    else Oli_Printf(stream, "Q-Klasse 1\n");
  }
  if (p->type == PROFIL_ROUND) return give(1);

  double alpha[3], sigma[3];
  Calc_Plate_Alpha(p, N, M_y, M_z, alpha, sigma, level >= 2 ? stream : nullptr);
  Plate plates[5];
  const int n = _Plates(p, alpha, plates);
  // The plastic neutral axis of the profile's plates: N at the design strength, the moments
  // pointing the way those of the elastic stresses do.
  CT_PLASTIC_AXIS axis{};
  PlasticModel model;
  StressPlane P{};
  const bool have_plane = n > 0 && _Elastic_Plane(p, N, M_y, M_z, &P);
  if (have_plane && _Plastic_Model(p, &model)) {
    const double plane[3] = {P.n_a + P.a * P.z_c - P.b * P.y_c, P.b, -P.a};
    CT_Find_Plastic_Axis(model.walls, model.n_walls, N, f_yd, plane, &axis);
  }
  struct Taken {
    double a, s, alpha_pl;
    bool given;  // alpha_pl serves classes 1 and 2
  } taken[5];
  bool by_axis = false;  // some plate's classes 1 and 2 by the plastic neutral axis
  for (int i = 0; i < n; ++i) {
    const Plate &pl = plates[i];
    Taken &t = taken[i];
    if (pl.alpha_from == 3) {
      const int k = sigma[CT_PLATE_BOTTOM] > sigma[CT_PLATE_TOP] ? CT_PLATE_BOTTOM : CT_PLATE_TOP;
      t.a = alpha[k], t.s = sigma[k];
    } else {
      t.a = alpha[pl.alpha_from], t.s = sigma[pl.alpha_from];
    }
    if (pl.kind == CT_TEXT_ANGLE_1 || pl.kind == CT_TEXT_ANGLE_2) {
      t.a = CT_ALPHA_COMPRESSED;
      t.s = std::max(sigma[CT_PLATE_TOP], sigma[CT_PLATE_WEB]);
    }
    // A box's overhang under bending: its own stresses (its line stays whenever any part of it
    // is compressed, whatever the flange between the webs carries).
    const bool bent = std::fabs(M_y) >= 0.1 || std::fabs(M_z) >= 0.1;
    if (have_plane && bent && (pl.plastic_from == kPlOverTop || pl.plastic_from == kPlOverBottom))
      _Overhang_Alpha(p, P, pl.plastic_from == kPlOverTop, &t.a, &t.s);
    // Classes 1 and 2 of a plate in compression and bending (partly in tension) take alpha
    // from the plastic neutral axis (EN 1993-1-1 Table 5.2, sheets 1 and 2): a symmetric web
    // by its area, any other plate by the axis of the profile's plates; where that is not
    // worked out an internal plate takes 1, an outstand the elastic alpha.
    t.alpha_pl = 1.0;
    t.given = false;
    if (!(std::fabs(t.a) >= 0.01 && std::fabs(t.a) < CT_ALPHA_COMPRESSED)) continue;
    const int slots_of[4][2] = {{kPlTop, 0}, {kPlBottom, 0}, {kPlWeb, 0}, {kPlTop, kPlBottom}};
    const int *slots = pl.plastic_from >= 0 ? &pl.plastic_from : slots_of[pl.alpha_from];
    const int n_slots = pl.plastic_from < 0 && pl.alpha_from == 3 ? 2 : 1;
    if (pl.kind == CT_TEXT_INTERNAL) {
      t.given = true;
      if (CT_Web_Carries_N(pl.web, std::fabs(M_y) >= 0.1, std::fabs(M_z) >= 0.1)) {
        t.alpha_pl = Calc_CT_Alpha_Plastic(N, f_yd, pl.A_web);
        by_axis = true;
      } else if (_Plastic_Alpha(axis, model, slots, n_slots, false, &t.alpha_pl)) {
        by_axis = true;
      }
    } else if (pl.kind == CT_TEXT_OUTSTAND && _Plastic_Alpha(axis, model, slots, n_slots, true, &t.alpha_pl)) {
      t.given = by_axis = true;
    }
  }
  if (by_axis && stream && level >= 2)
    CP850_CALL(Oli_Printf, stream, "%sDer Beiwert ║ der Klassen 1 und 2 wird aus der plastischen Nulllinie ermittelt.\n",
               pre);
  int cls = 0;
  for (int i = 0; i < n; ++i) {
    const Plate &pl = plates[i];
    const double a = taken[i].a, s = taken[i].s;
    const double *pl_alpha = taken[i].given ? &taken[i].alpha_pl : nullptr;
    double u = 0.0;
    const int c = _Classify_Plate(pl.kind, required, &u, pl.ct, fy, E, a, pl_alpha, s, gamma_M, stream, level,
                                  _Label_Cp(pl.label));
    if (stream && level >= 1 && c >= 1) Oli_Printf(stream, "\n");  // a plate line was written
    cls_slot[pl.slot] = std::max(cls_slot[pl.slot], c);
    cls = std::max(cls, c);
    util = std::max(util, u);
  }
  if (util > 1.0 && util <= 1.001) util = 1.0;
  if (stream && cls >= 1 && (cls_slot[kF1] >= 1 || cls_slot[kF2] >= 1)) {
    Oli_Printf(stream, "%s", pre);
    if (level < 1) Oli_Printf(stream, "Q-Klasse %d", cls);
    else Oli_Printf(stream, "Gesamt: Q-Klasse %d", cls);
    if (util > 0.001) {
      Oli_Printf(stream, ",  ");
      if (level >= 1) Oli_Printf(stream, "c/t-Ausnutzung ");
      Oli_Printf(stream, "%s = %.3lf", "U╬\\c/t╬r"_cp, util);
      Oli_Printf(stream, "  %s  1  %s%s", Oli_Compare_Mark_Le(util, 1.0),
                 Oli_Mark_Verdict(util), "╬r"_cp);
    }
    Oli_Printf(stream, "\n");
  }
  return give(cls);
}

double Get_Querschnittsklasse_Utilisation(const PROFIL *p, int plastic, double N, double M_y, double M_z,
                                          double gamma_M, int no_raise, int use_E, FILE *stream, int level) {
  if (plastic < 0 || !p || p->kind == PROFIL_KIND_QUER) return 0.0;
  double u = 0.0;
  Print_Querschnittsklasse(p, N, M_y, M_z, gamma_M, no_raise, use_E, nullptr, nullptr, nullptr, plastic ? 2 : 3,
                           &u, stream, level, nullptr);
  return u;
}

namespace {

int _Check_Plattenbeulen(const PROFIL *p, int plastic, double N, double M_y, double M_z, double gamma_M,
                         FILE *stream, int level, bool web_only) {
  if (!p || !(p->grade.fy > 0.0)) return 1;  // without a yield strength the check is not passed
  int c_web = 0;
  int cls = Print_Querschnittsklasse(p, N, M_y, M_z, gamma_M, 1, 0, nullptr, nullptr, &c_web, 0, nullptr,
                                     nullptr, 0, nullptr);
  if (web_only) cls = c_web;
  const int allowed = plastic ? 2 : 3;
  const int fail = cls > allowed ? 1 : 0;
  if (!stream) return fail;
  const char *pre = Oli_Line_Prefix();
  if (level > 1)
    CP850_CALL(Oli_Printf, stream, "Nachweisverfahren '%s' ê zul. Q-Klasse %d\n",
               plastic ? "Elastisch-Plastisch" : "Elastisch-Elastisch", allowed);
  if (web_only) Oli_Printf(stream, "%sPlattenbeulen: Q-Klasse des Stegblechs %d", pre, cls);
  else Oli_Printf(stream, "%sPlattenbeulen: Q-Klasse des Profils %d", pre, cls);
  if (!fail) {
    Oli_Printf(stream, "%s", " ¾ "_cp);
    Oli_Printf(stream, "%d", allowed);
    Oli_Printf(stream, "  %s", Oli_Mark_Ok());
  } else {
    CP850_CALL(Oli_Printf, stream, " %s╬H>╬r%s ", Oli_Color_Red(), Oli_Color_Reset());
    Oli_Printf(stream, "%d", allowed);
    CP850_CALL(Oli_Printf, stream, "  ê  genauer Nachweis erforderlich %s", Oli_Mark_Red_Exclam());
  }
  Oli_Printf(stream, "\n");
  return fail;
}

}  // namespace

int Check_Plattenbeulen_Profil(const PROFIL *p, int plastic, double N, double M_y, double M_z, double gamma_M,
                               FILE *stream, int level) {
  return _Check_Plattenbeulen(p, plastic, N, M_y, M_z, gamma_M, stream, level, false);
}

int Check_Plattenbeulen_Stegblech(const PROFIL *p, int plastic, double N, double M_y, double M_z,
                                  double gamma_M, FILE *stream, int level) {
  return _Check_Plattenbeulen(p, plastic, N, M_y, M_z, gamma_M, stream, level, true);
}

int Check_Schubbeulen(double h_w, double t_w, double fy, double E, FILE *stream, int level) {
  const double eps = Print_Epsilon(fy, E, nullptr);
  if (!(eps > 0.0) || !(t_w > 0.0)) return 1;  // nothing to judge by: not passed
  const NAD_EC3_PARAMETERS *nad = Get_NAD_EC3_Parameters();
  const double eta = (nad && nad->eta > 0.0) ? nad->eta : 1.0;
  const double ratio = h_w / t_w, limit = 72.0 * eps / eta;  // EN 1993-1-5, 5.1(2)
  const int fail = ratio > limit + 0.001 ? 1 : 0;
  if (!stream) return fail;
  Oli_Printf(stream, "%sSchubbeulen: ", Oli_Line_Prefix());
  CP850_CALL(Oli_Printf, stream, "h╬\\p╬r/t╬\\p╬r = %.2lf", ratio);
  if (!fail) Oli_Printf(stream, "%s", " ¾ "_cp);
  else Oli_Printf(stream, " %s>%s ", Oli_Color_Red(), Oli_Color_Reset());
  CP850_CALL(Oli_Printf, stream, "72%s¥/┴ = %.2lf", Oli_Mult_Dot(), limit);
  if (level > 1) CP850_CALL(Oli_Printf, stream, ",  h╬\\p╬r = %.1lf mm,  t╬\\p╬r = %.1lf mm", h_w, t_w);
  if (!fail) Oli_Printf(stream, "  %s", Oli_Mark_Ok());
  else CP850_CALL(Oli_Printf, stream, "  ê  genauer Nachweis erforderlich %s", Oli_Mark_Red_Exclam());
  Oli_Printf(stream, "\n");
  return fail;
}

int Print_Steifen_Klasse(double c, double t, double fy, double force, double gamma, FILE *stream, int level) {
  if (!(fy > 0.0)) return 1;  // no yield strength: not passed
  const double sigma = (c > 0.0 && t > 0.0) ? force / (c * t) : 0.0;
  const char *pre = Oli_Line_Prefix();
  if (stream) CP850_CALL(Oli_Printf, stream, "%sVoraussetzung: Steifen nicht beulgefährdet:\n", pre);
  const int cls = Classify_CT_Part_Text_cb(CT_TEXT_OUTSTAND, 0, nullptr, c, t, fy, 0.0, 1.0, sigma, gamma,
                                           stream, level, nullptr);
  if (stream) {
    if (level >= 1) Oli_Printf(stream, "\n");
    Oli_Printf(stream, "%sQ-Klasse der Steifen %d", pre, cls);
    if (cls < 4) Oli_Printf(stream, "  %s", Oli_Mark_Ok());
    else Oli_Printf(stream, " %s>%s 3  %s", Oli_Color_Red(), Oli_Color_Reset(), Oli_Mark_Nicht_Ok());
    Oli_Printf(stream, "\n");
  }
  return cls == 4 ? 1 : 0;
}
