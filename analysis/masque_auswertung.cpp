// Cross-section mask: the reinforced-concrete builder, the equilibrium shortcut and the
// evaluation interface, which for one current mask computes a plane, an equilibrium
// state, a limit state, a limit factor or the resultants in one of five modes and fills a
// result block with the plane, its zero line, strain extremes and the stress and strain
// at every evaluation point.
#include <algorithm>
#include <cmath>
#include <cstring>
#include <numbers>

#include "analysis/masque_solve_internal.h"
#include "host/host.h"

// ======================================================================= builder

MASQUE *Build_Masque_Stahlbeton(int id, int n, const double *y, const double *z, int nb, const double *by,
                                const double *bz, const double *area, const SPANNUNGSDEHNUNGSLINIE *beton,
                                const SPANNUNGSDEHNUNGSLINIE *stahl) {
  if (n > 2 && (!y || !z)) return nullptr;
  if (nb > 0 && (!by || !bz || !area)) return nullptr;
  if (!beton) beton = Find_Builtin_Spannungsdehnungslinie("B25");
  if (!stahl) stahl = Find_Builtin_Spannungsdehnungslinie("BSt 500 SA");
  MASQUE *mask = Create_Masque_Querschnitt(id, 0);
  if (!mask) return nullptr;
  auto fail = [&]() -> MASQUE * {
    Destroy_Masque_Querschnitt(mask);
    return nullptr;
  };
  // Adds an object or destroys it; false on failure.
  auto add = [](auto *object, int (*adder)(MASQUE *, decltype(object)), MASQUE *m, void (*destroy)(decltype(object))) {
    if (!object) return false;
    if (adder(m, object)) return true;
    destroy(object);
    return false;
  };
  SPANNUNGSDEHNUNGSLINIE *lb = Clone_Masque_Spannungsdehnungslinie(beton);
  if (!add(lb, Add_Masque_Spannungsdehnungslinie, mask, Destroy_Masque_Spannungsdehnungslinie)) return fail();
  SPANNUNGSDEHNUNGSLINIE *ls = Clone_Masque_Spannungsdehnungslinie(stahl);
  if (!add(ls, Add_Masque_Spannungsdehnungslinie, mask, Destroy_Masque_Spannungsdehnungslinie)) return fail();
  if (n > 2) {
    MASQUE_GRUPPE *g = Create_Masque_Flaeche(1, lb);
    if (!add(g, Add_Masque_Gruppe, mask, Destroy_Masque_Gruppe)) return fail();
    MASQUE_KNOTEN *first = Create_Masque_Knoten(1, y[0], z[0]);
    if (!add(first, Add_Masque_Knoten, mask, Destroy_Masque_Knoten)) return fail();
    MASQUE_KNOTEN *prev = first;
    for (int i = 1; i <= n; ++i) {
      MASQUE_KNOTEN *next = first;
      if (i < n) {
        next = Create_Masque_Knoten(i + 1, y[i], z[i]);
        if (!add(next, Add_Masque_Knoten, mask, Destroy_Masque_Knoten)) return fail();
      }
      MASQUE_KANTE *e = Create_Masque_Kante(i, prev, next, 0.0);
      if (!add(e, Add_Masque_Kante, mask, Destroy_Masque_Kante) || !Add_Kante_to_Masque_Flaeche(g, e)) return fail();
      prev = next;
    }
  }
  for (int k = 1; k <= nb; ++k) {
    MASQUE_KNOTEN *node = Create_Masque_Knoten(k, by[k - 1], bz[k - 1]);
    if (!add(node, Add_Masque_Knoten, mask, Destroy_Masque_Knoten)) return fail();
    MASQUE_GRUPPE *g = Create_Masque_Punktgruppe(k + 1, ls);
    if (!add(g, Add_Masque_Gruppe, mask, Destroy_Masque_Gruppe) || !Add_Masque_Punkt(g, node, area[k - 1]))
      return fail();
  }
  return mask;
}

// ======================================================================= equilibrium

int Calc_Masque_Gleichgewicht_Default(MASQUE *mask, const double *forces, double *result) {
  if (!mask || !forces || !result) return 0;
  const SOLVER_TOLERANZ tol{1e-6, 100};
  GLEICHGEWICHTSLAGE g{};
  const int ok = Calc_Masque_Gleichgewicht(mask, forces, 1.0, &tol, &g, 0);
  result[0] = g.ebene.phi;
  result[1] = g.ebene.eps0;
  result[2] = g.ebene.kappa;
  result[3] = g.ebene.x3;
  return ok;
}

// ======================================================================= evaluation interface

namespace {

constexpr double kRadToDeg = 57.29577951308232;
constexpr double kDegToRad = 0.017453292519943295;
constexpr double kRandFaktor = 0.11666666666666665;
constexpr int kKreisPunkte = 32;

struct AuswertungState {
  MASQUE *mask = nullptr;
  bool set = false;
  bool centroid_frame = false;  // the given moments are about the centroid
  bool reset_registered = false;
} g;

void _Changing_State() {
  if (g.reset_registered) return;
  Host_Register_Reset(&Reset_Masque_Auswertung_For_Tests);
  g.reset_registered = true;
}

void _Clear(MASQUE_AUSWERTUNG *b) { std::memset(b, 0, sizeof *b); }

// Area and centroid of the mask (depth 1).
MASQUE_QUERSCHNITTSWERTE _Werte(MASQUE *mask, int depth) {
  MASQUE_QUERSCHNITTSWERTE v;
  Calc_Masque_Querschnittswerte(mask, MASQUE_WERTE_ALLE, depth, &v);
  return v;
}

// The slots every plane driver fills: angle, ε0, curvature, centroid, extremes, zero line,
// points; the forces F (about the mask origin) about the centroid into 3 to 5, F4 into 7.
int _Plane_Slots(MASQUE *mask, const DEHNUNGSEBENE &p, const double *F, MASQUE_AUSWERTUNG *b) {
  const MASQUE_QUERSCHNITTSWERTE v = _Werte(mask, 1);
  double *w = b->wert;
  w[8] = p.phi * kRadToDeg;
  w[12] = p.eps0;
  w[13] = p.kappa;
  w[20] = v.ys;
  w[21] = v.zs;
  if (F) {
    w[3] = F[0];
    w[4] = F[1] - v.zs * F[0];
    w[5] = F[2] + v.ys * F[0];
    w[7] = F[3];
  }
  MASQUE_DEHNUNG_EXTREMES x;
  if (!Get_Masque_Dehnung_Extremes(mask, &p, &x)) return 0;
  w[14] = x.min1;
  w[15] = x.max1;
  w[16] = x.min2;
  w[17] = x.max2;
  double line[3];
  Dehnungsebene_to_Nulllinie(mask, &p, line);
  w[9] = line[0] * kRadToDeg;
  w[10] = line[1];
  w[11] = line[2];
  return Fill_Masque_Auswertung_Punkte(mask, &p, b);
}

// Limit-strain ratio of a plane (third value of the ratios).
double _Ratio(MASQUE *mask, const DEHNUNGSEBENE &p) {
  double r[3] = {};
  Get_Masque_Grenzdehnung_Ratios(mask, &p, r);
  return r[2];
}

// Forces P about the centroid as seen from the mask origin.
void _To_Origin(MASQUE *mask, const double *P, double *T) {
  const MASQUE_QUERSCHNITTSWERTE v = _Werte(mask, 1);
  T[0] = P[0];
  T[1] = P[1] + v.zs * P[0];
  T[2] = P[2] - v.ys * P[0];
  T[3] = 0.0;
}

// Every evaluation point in group order: visit(group, y, z) with local coordinates;
// false when an element is missing.
template <class Visit>
bool _Punkte(const MASQUE *mask, Visit visit_global) {
  // Local coordinates from the global ones and the mask frame.
  const MasqueIntFrame f = Masque_Int_Frame(mask, 0.0);
  auto visit = [&](const MASQUE_GRUPPE *gr, double y, double z) {
    const double dy = y - f.y0, dz = z - f.z0;
    visit_global(gr, f.c * dy + f.s * dz, f.c * dz - f.s * dy);
  };
  for (int i = 0; i < Count_Masque_Gruppen(mask); ++i) {
    const MASQUE_GRUPPE *gr = Get_Masque_Gruppe(mask, i);
    if (!gr) continue;
    switch (gr->typ) {
      case MASQUE_FLAECHE:
        for (int k = 0; k < Count_Masque_Flaeche_Kanten(gr); ++k) {
          const MASQUE_KANTE *e = Get_Masque_Flaeche_Kante(gr, k);
          if (!e || !e->anfang) return false;
          visit(gr, e->anfang->y, e->anfang->z);
        }
        break;
      case MASQUE_PUNKTGRUPPE:
        for (int k = 0; k < Count_Masque_Punkte(gr); ++k) {
          const MASQUE_PUNKT *p = Get_Masque_Punkt(gr, k);
          if (!p || !p->knoten) return false;
          visit(gr, p->knoten->y, p->knoten->z);
        }
        break;
      case MASQUE_KREIS: {
        if (!gr->mittelpunkt) return false;
        // The regular 32-gon of the circle's area.
        const double phi = 2.0 * std::numbers::pi / kKreisPunkte;
        const double r = gr->radius * std::sqrt(phi / std::sin(phi));
        for (int k = 0; k < kKreisPunkte; ++k)
          visit(gr, gr->mittelpunkt->y + r * std::cos(k * phi), gr->mittelpunkt->z + r * std::sin(k * phi));
        break;
      }
      case MASQUE_LINIENGRUPPE:
        for (int k = 0; k < Count_Masque_Linien(gr); ++k) {
          const MASQUE_LINIE *l = Get_Masque_Linie(gr, k);
          if (!l || !l->kante || !l->kante->anfang || !l->kante->ende) return false;
          visit(gr, l->kante->anfang->y, l->kante->anfang->z);
          visit(gr, l->kante->ende->y, l->kante->ende->z);
        }
        break;
      default:
        break;
    }
  }
  return true;
}

}  // namespace

int Fill_Masque_Auswertung_Punkte(MASQUE *mask, const DEHNUNGSEBENE *plane, MASQUE_AUSWERTUNG *b) {
  if (!mask || !plane || !b) return 0;
  int n = 0;
  const bool ok = _Punkte(mask, [&](const MASQUE_GRUPPE *gr, double y, double z) {
    if (n < MASQUE_AUSWERTUNG_PUNKTE) {
      double eps = 0.0, sigma = 0.0;
      Get_Dehnungsebene_Dehnung(mask, plane, y, z, &eps);
      Get_Spannungsdehnungslinie_Spannung(gr->linie, eps, &sigma);
      b->wert[MASQUE_AUSWERTUNG_SPANNUNG + n] = sigma;
      b->wert[MASQUE_AUSWERTUNG_DEHNUNG + n] = eps;
    }
    ++n;
  });
  b->wort[0] = n;
  return ok ? 1 : 0;
}

int Calc_Masque_Auswertung_Abstaende(MASQUE *mask, const DEHNUNGSEBENE *plane, double *out) {
  if (!mask || !plane || !out) return 0;
  out[0] = out[1] = 1e10;
  if (plane->kappa == 0.0) return 1;  // no zero line within reach
  double lo = 0.0, hi = 0.0;
  const bool ok = _Punkte(mask, [&](const MASQUE_GRUPPE *, double y, double z) {
    double eps = 0.0;
    Get_Dehnungsebene_Dehnung(mask, plane, y, z, &eps);
    lo = std::min(lo, eps);
    hi = std::max(hi, eps);
  });
  // The distance of a point from the zero line is its strain over the curvature.
  if (lo < 0.0) out[0] = -lo / std::fabs(plane->kappa);
  if (hi > 0.0) out[1] = hi / std::fabs(plane->kappa);
  return ok ? 1 : 0;
}

int Calc_Masque_Auswertung_Ebene(MASQUE *mask, const double *v, unsigned flags, MASQUE_AUSWERTUNG *b) {
  if (!mask || !v || !b) return 0;
  DEHNUNGSEBENE p;
  double F[4];
  if (!Set_Masque_Plane_by_Fibres(mask, v, flags, &p) || !Calc_Masque_Dehnungsebene_Forces(mask, &p, 1.0, F))
    return 0;
  b->wert[6] = _Ratio(mask, p);
  return _Plane_Slots(mask, p, F, b);
}

int Calc_Masque_Auswertung_Kraefte(MASQUE *mask, const double *P, MASQUE_AUSWERTUNG *b) {
  if (!mask || !P || !b) return 0;
  double T[4];
  _To_Origin(mask, P, T);
  const SOLVER_TOLERANZ tol{1e-6, 100};
  GLEICHGEWICHTSLAGE q{};
  if (!Calc_Masque_Gleichgewicht(mask, T, 1.0, &tol, &q, 0)) return 0;
  DEHNUNGSEBENE p = q.ebene;
  double r = _Ratio(mask, p);
  if (r > 1.0) {
    // Beyond the limit strains by less than a fifth: the limit state stands for it.
    if (!(r < 1.2)) return 0;
    GRENZZUSTAND gz{};
    if (!Calc_Masque_Grenzzustand(mask, T, 1.0, &tol, &gz, 0)) return 0;
    p = gz.ebene;
    r = _Ratio(mask, p);
    if (!(r > 0.995)) return 0;
  }
  double F[4];
  if (!Calc_Masque_Dehnungsebene_Forces(mask, &p, 1.0, F)) return 0;
  b->wert[6] = r;
  return _Plane_Slots(mask, p, F, b);
}

int Calc_Masque_Auswertung_Grenzzustand(MASQUE *mask, const double *P, MASQUE_AUSWERTUNG *b) {
  if (!mask || !P || !b) return 0;
  double T[4];
  _To_Origin(mask, P, T);
  const SOLVER_TOLERANZ tol{1e-6, 100};
  GRENZZUSTAND gz{};
  if (!Calc_Masque_Grenzzustand(mask, T, 1.0, &tol, &gz, 0)) return 0;
  const double l = gz.lambda;
  double F[4];
  for (int i = 0; i < 4; ++i) F[i] = l != 0.0 ? gz.F[i] / l : 0.0;
  b->wert[6] = l;
  return _Plane_Slots(mask, gz.ebene, F, b);
}

int Calc_Masque_Auswertung_Grenzzustand_Bounded(MASQUE *mask, const double *P, double faktor, double margin,
                                                MASQUE_AUSWERTUNG *b) {
  if (!mask || !P || !b) return 0;
  // Moments held at least at margin |N| in each direction (a minimum eccentricity).
  const double m = std::fabs(margin * P[0]);
  double Q[3] = {P[0], P[1], P[2]};
  for (int i = 1; i <= 2; ++i)
    if (std::fabs(Q[i]) < m) Q[i] = Q[i] < 0.0 ? -m : m;
  double T[4];
  _To_Origin(mask, Q, T);
  const SOLVER_TOLERANZ tol{1e-6, 100};
  GRENZZUSTAND gz{};
  if (!Calc_Masque_Grenzzustand(mask, T, faktor, &tol, &gz, 0)) return 0;
  const double l = gz.lambda;
  double F[4];
  for (int i = 0; i < 4; ++i) F[i] = l != 0.0 ? gz.F[i] / l : 0.0;
  b->wert[6] = l;
  return _Plane_Slots(mask, gz.ebene, F, b);
}

int Calc_Masque_Auswertung_Grenzfaktor(MASQUE *mask, const double *P, double lambda_req, double e_rel, double e_abs,
                                       MASQUE_AUSWERTUNG *b) {
  if (!mask || !P || !b) return 0;
  const MASQUE_QUERSCHNITTSWERTE v = _Werte(mask, 2);
  const double h = v.A > 0.0 ? std::sqrt(12.0 * std::max(v.I1, v.I2) / v.A) : 0.0;
  const double margin = std::max({kRandFaktor * h, e_rel, e_abs});
  double faktor = 1.0;
  if (lambda_req > 0.0) {
    // The load factor of the switched groups at which the bounded forces reach lambda_req.
    double Q[3] = {P[0], P[1], P[2]};
    const double m = std::fabs(margin * P[0]);
    for (int i = 1; i <= 2; ++i)
      if (std::fabs(Q[i]) < m) Q[i] = Q[i] < 0.0 ? -m : m;
    double T[4];
    _To_Origin(mask, Q, T);
    const double range[4] = {0.0, 1.0, 0.0, lambda_req};
    const SOLVER_TOLERANZ tol{1e-6, 100};
    GRENZZUSTAND_FAKTOR r{};
    if (!Calc_Masque_Grenzfaktor(mask, T, range, &tol, &r)) return 0;
    faktor = r.faktor;
  }
  return Calc_Masque_Auswertung_Grenzzustand_Bounded(mask, P, faktor, margin, b);
}

int Calc_Masque_Auswertung_Resultierende(MASQUE *mask, const double *v, unsigned flags, MASQUE_AUSWERTUNG *b) {
  if (!mask || !v || !b) return 0;
  DEHNUNGSEBENE p;
  double R[6];
  if (!Set_Masque_Plane_by_Fibres(mask, v, flags, &p) || !Calc_Masque_Resultierende(mask, &p, 1.0, R)) return 0;
  double *w = b->wert;
  for (int i = 0; i < 6; ++i) w[3 + i] = R[i];
  // Lever arm of the two resultants while both carry a force.
  if (R[0] != 0.0 && R[3] != 0.0) w[13] = std::hypot(R[1] - R[4], R[2] - R[5]);
  double line[3];
  Dehnungsebene_to_Nulllinie(mask, &p, line);
  w[9] = line[0] * kRadToDeg;
  w[10] = line[1];
  w[11] = line[2];
  if (!Calc_Masque_Auswertung_Abstaende(mask, &p, &w[14])) return 0;
  return Fill_Masque_Auswertung_Punkte(mask, &p, b);
}

int Set_Masque_Auswertung_Masque(int, int, int, MASQUE *mask, int frame_mode, int reset) {
  _Changing_State();
  if (g.set && reset) {
    g.mask = nullptr;
    g.set = false;
  }
  if (!mask) return 0;
  g.mask = mask;
  g.set = true;
  g.centroid_frame = frame_mode == 1;
  return 1;
}

int Clear_Masque_Auswertung_Masque() {
  if (!g.set) return 0;
  g.mask = nullptr;
  g.set = false;
  return 1;
}

void Forget_Masque_Auswertung_Masque(const MASQUE *mask) {
  if (g.set && g.mask == mask) {
    g.mask = nullptr;
    g.set = false;
  }
}

void Reset_Masque_Auswertung_For_Tests() {
  const bool registered = g.reset_registered;
  g = AuswertungState{};
  g.reset_registered = registered;
}

int Calc_Masque_Auswertung(int mode, const double *p, MASQUE_AUSWERTUNG *b) {
  if (!b) return 1;
  _Clear(b);
  MASQUE *mask = g.set ? g.mask : nullptr;
  if (!mask || !p) return 1;
  Update_Masque_Querschnitt(mask, MASQUE_UPDATE_BITS);
  double P[3] = {};
  if (mode >= 2 && mode <= 4) {
    P[0] = p[0], P[1] = p[1], P[2] = p[2];
    if (!g.centroid_frame) {
      // Moments about the mask origin, moved to the centroid (forces only: the planes of
      // modes 1 and 5 are strains, not moments).
      const MASQUE_QUERSCHNITTSWERTE v = _Werte(mask, 1);
      P[1] -= v.zs * P[0];
      P[2] += v.ys * P[0];
    }
    b->wert[0] = P[0], b->wert[1] = P[1], b->wert[2] = P[2];
  }
  int ok = 0;
  switch (mode) {
    case 1:
    case 5: {
      const double v[3] = {p[0] * kDegToRad, p[1], p[2]};
      const unsigned flags = p[3] == 1.0 ? 0x10 : 0x20;
      ok = mode == 1 ? Calc_Masque_Auswertung_Ebene(mask, v, flags, b)
                     : Calc_Masque_Auswertung_Resultierende(mask, v, flags, b);
      break;
    }
    case 2:
      ok = Calc_Masque_Auswertung_Kraefte(mask, P, b);
      break;
    case 3:
      ok = Calc_Masque_Auswertung_Grenzzustand(mask, P, b);
      break;
    case 4: {
      // Relative eccentricity p4 in percent of the section depth, the absolute one p5 in
      // hundredths of the length unit (cm for masks in metres).
      const MASQUE_QUERSCHNITTSWERTE v = _Werte(mask, 2);
      const double h = v.A > 0.0 ? std::sqrt(12.0 * std::max(v.I1, v.I2) / v.A) : 0.0;
      ok = Calc_Masque_Auswertung_Grenzfaktor(mask, P, p[3], 0.01 * p[4] * h, 0.01 * p[5], b);
      break;
    }
    default:
      break;
  }
  if (!ok) _Clear(b);
  return 1;
}
