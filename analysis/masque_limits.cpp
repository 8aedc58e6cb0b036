// Cross-section mask: strain extremes of a plane per material family, the ratios of a
// plane's strains to the mask's limit strains, the limit-strain planes of the strain
// domain (direction phi, parameter t from 0 to 33) and their forces, zero lines, force
// transforms, node extents, section values by integration, tension and compression
// resultants, the plane of the lines' own strains and the stress of a line.
#include <algorithm>
#include <cmath>
#include <numbers>

#include "analysis/masque_solve_internal.h"

namespace {

constexpr double kPi = std::numbers::pi;

// The plane with a curvature not below 0 (turned by π when it was negative).
DEHNUNGSEBENE _Normalised(const DEHNUNGSEBENE &p) {
  if (p.kappa >= 0.0) return p;
  return DEHNUNGSEBENE{p.phi + kPi, p.eps0, -p.kappa, p.x3};
}

// Strains of the group's working plane at the ends of its extent; 0 when the group is
// not of family 1 or 2 or has no extent.
int _Gruppe_Strains(MASQUE *mask, const MASQUE_GRUPPE *group, const DEHNUNGSEBENE &plane, double *emin,
                    double *emax, double *ymin, double *ymax) {
  const int law = Masque_Group_Law(group);
  if (law != 1 && law != 2) return 0;
  MasqueGroupPlane gp;
  const DEHNUNGSEBENE p{0.0, plane.eps0, plane.kappa, plane.x3};
  Masque_Group_Plane(mask, group->linie, group, plane.phi, p, &gp);
  const MasqueIntFrame frame = Masque_Int_Frame(mask, plane.phi + gp.alpha);
  if (!Masque_Group_Extent(group, frame, ymin, ymax)) return 0;
  *emin = gp.eps0 + gp.kappa * *ymin;
  *emax = gp.eps0 + gp.kappa * *ymax;
  return law;
}

void _Gruppe_Dehnung_Extremes(MASQUE *mask, const DEHNUNGSEBENE &plane, const MASQUE_GRUPPE *group,
                              MASQUE_DEHNUNG_EXTREMES &r) {
  double emin, emax, ymin, ymax;
  const int law = _Gruppe_Strains(mask, group, plane, &emin, &emax, &ymin, &ymax);
  if (law == 1) {
    if (emin < r.min1) r.min1 = emin, r.y_min1 = ymin;
    if (emax > r.max1) r.max1 = emax, r.y_max1 = ymax;
  } else if (law == 2) {
    if (emin < r.min2) r.min2 = emin, r.y_min2 = ymin;
    if (emax > r.max2) r.max2 = emax, r.y_max2 = ymax;
  }
}

int _Masque_Dehnung_Extremes(MASQUE *mask, const DEHNUNGSEBENE &plane_in, MASQUE_DEHNUNG_EXTREMES &r) {
  const DEHNUNGSEBENE plane = _Normalised(plane_in);
  r = MASQUE_DEHNUNG_EXTREMES{plane.phi, MASQUE_NO_LIMIT, -MASQUE_NO_LIMIT, MASQUE_NO_LIMIT, -MASQUE_NO_LIMIT,
                              0.0, 0.0, 0.0, 0.0};
  for (int i = 0; i < Count_Masque_Gruppen(mask); ++i) {
    const MASQUE_GRUPPE *group = Get_Masque_Gruppe(mask, i);
    if (group) _Gruppe_Dehnung_Extremes(mask, plane, group, r);
  }
  const bool has1 = r.min1 <= r.max1, has2 = r.min2 <= r.max2;
  if (!has1 && !has2) {
    r.min1 = r.max1 = r.min2 = r.max2 = 0.0;
  } else if (!has1) {
    r.min1 = r.min2, r.max1 = r.max2, r.y_min1 = r.y_min2, r.y_max1 = r.y_max2;
  } else if (!has2) {
    r.min2 = r.min1, r.max2 = r.max1, r.y_min2 = r.y_min1, r.y_max2 = r.y_max1;
  }
  return 1;
}

// Fibres and strains of the strain domain at t (the domain table).
void _Domain(const MASQUE_LIMITS &L, const MASQUE_DEHNUNG_EXTREMES &x, double t, double *e1, double *e2,
             double *y2) {
  t = std::clamp(t, 0.0, 33.0);
  if (t <= 5.0) {
    *e1 = L.cmax + (L.cmin - L.cmax) * t / 5.0;
    *e2 = L.cmax * (5.0 - t) / 5.0;
    *y2 = x.y_max1;
  } else if (t <= 6.0) {
    *e1 = L.cmin;
    *e2 = 0.0;
    *y2 = (6.0 - t) * x.y_max1 + (t - 5.0) * x.y_max2;
  } else if (t <= 16.0) {
    *e1 = L.cmin;
    *e2 = L.smax * (t - 6.0) / 10.0;
    *y2 = x.y_max2;
  } else {
    *e1 = L.cmin + (t - 16.0) / 17.0 * (L.smax - L.cmin);
    *e2 = L.smax;
    *y2 = x.y_max2;
  }
}

// Plane at phi through (y1, e1) and (y2, e2); the zero plane when y2 is not above y1.
DEHNUNGSEBENE _Plane_Through(double phi, double y1, double e1, double y2, double e2) {
  if (!(y2 > y1)) return DEHNUNGSEBENE{phi, 0.0, 0.0, 0.0};
  return DEHNUNGSEBENE{phi, (y1 * e2 - y2 * e1) / (y1 - y2), (e2 - e1) / (y2 - y1), 0.0};
}

}  // namespace

// ======================================================================= extremes, ratios

int Get_Masque_Dehnung_Extremes(MASQUE *mask, const DEHNUNGSEBENE *plane, MASQUE_DEHNUNG_EXTREMES *out) {
  if (!mask || !plane || !out) return 0;
  return _Masque_Dehnung_Extremes(mask, *plane, *out);
}

int Get_Masque_Grenzdehnung_Ratios(MASQUE *mask, const DEHNUNGSEBENE *plane_in, double *out) {
  if (!mask || !plane_in || !out) return 0;
  out[0] = out[1] = out[2] = 0.0;
  const DEHNUNGSEBENE plane = _Normalised(*plane_in);
  const MASQUE_LIMITS &L = mask->limits;
  // The groups' strains, kept from the pass that finds the largest family-1 strain M (the
  // mask's extremes) for the pass of the ratios.
  constexpr int kKept = 64;
  struct Strains { int law; double emin, emax; } kept[kKept];
  const int n = Count_Masque_Gruppen(mask);
  double max1 = -MASQUE_NO_LIMIT, max2 = -MASQUE_NO_LIMIT;
  auto strains = [&](int i, double *emin, double *emax) {
    const MASQUE_GRUPPE *group = Get_Masque_Gruppe(mask, i);
    double ymin, ymax;
    return group ? _Gruppe_Strains(mask, group, plane, emin, emax, &ymin, &ymax) : 0;
  };
  for (int i = 0; i < n; ++i) {
    double emin = 0.0, emax = 0.0;
    const int law = strains(i, &emin, &emax);
    if (i < kKept) kept[i] = Strains{law, emin, emax};
    if (law == 1) max1 = std::max(max1, emax);
    if (law == 2) max2 = std::max(max2, emax);
  }
  // A family without groups takes the other's values; with neither M is 0.
  const double M = max1 > -MASQUE_NO_LIMIT ? max1 : max2 > -MASQUE_NO_LIMIT ? max2 : 0.0;
  auto take = [&](double r) {
    if (r > 0.0 && r > out[1]) out[1] = r;
    if (r < 0.0 && r < out[0]) out[0] = r;
  };
  for (int i = 0; i < n; ++i) {
    if (!Get_Masque_Gruppe(mask, i)) continue;
    double emin, emax;
    int law;
    if (i < kKept) {
      law = kept[i].law, emin = kept[i].emin, emax = kept[i].emax;
    } else {
      law = strains(i, &emin, &emax);
    }
    if (law == 2) {
      if (L.smax > 0.0) take(emin / L.smax), take(emax / L.smax);
      if (L.smin < 0.0) take(emin / L.smin), take(emax / L.smin);
    } else if (law == 1) {
      if (L.cmax >= 0.0 || emax > 0.0 || M > 0.0) {
        if (L.cmax > 0.0) take(emin / L.cmax), take(emax / L.cmax);
        if (L.cmin < 0.0) take(emin / L.cmin), take(emax / L.cmin);
      } else {
        // Fully compressed: the limit follows the line from cmin at the most compressed
        // fibre to cmax at the least compressed one.
        double r;
        const double k = (L.cmin - L.cmax) * M / L.cmax;
        if (k < 0.0) {
          const double D = L.cmin * L.cmin - 4.0 * k * emin;
          const double lambda = D < 0.0 ? 0.0 : (std::sqrt(D) + L.cmin) / (2.0 * k);
          if (D < 0.0 || L.cmax * lambda < emin) {
            r = emin / L.cmax;
          } else if (emin < lambda * L.cmin) {
            r = emin / L.cmin;
          } else {
            r = lambda;
          }
        } else {
          r = emin / L.cmin;
        }
        if (r > out[1]) out[1] = r;
      }
    }
    out[2] = out[1];
  }
  return 1;
}

// ======================================================================= limit-strain planes

int Get_Masque_Grenzdehnungsebene(MASQUE *mask, const double *pair, DEHNUNGSEBENE *out) {
  if (!mask || !pair || !out) return 0;
  if (mask->flags & MASQUE_HULL_LIMITS) {
    // From the convex hull; a hull without diagonal leaves it to the domain table.
    const int r = Masque_Hull_Grenzdehnungsebene(mask, pair, out);
    if (r >= 0) return r;
  }
  const double phi = pair[0];
  MASQUE_DEHNUNG_EXTREMES x;
  if (!_Masque_Dehnung_Extremes(mask, DEHNUNGSEBENE{phi, 0.0, 1.0, 0.0}, x)) return 0;
  double e1, e2, y2;
  _Domain(mask->limits, x, pair[1], &e1, &e2, &y2);
  *out = _Plane_Through(phi, x.y_min1, e1, y2, e2);
  return 1;
}

int Get_Masque_Grenzdehnungsebene_Extremes(MASQUE *mask, const double *pair, MASQUE_DEHNUNG_EXTREMES *out) {
  if (!out) return 0;
  DEHNUNGSEBENE plane;
  if (!Get_Masque_Grenzdehnungsebene(mask, pair, &plane)) return 0;
  return _Masque_Dehnung_Extremes(mask, plane, *out);
}

int Get_Masque_Grenzdehnung_Jacobian(MASQUE *mask, const double *pair, double h, double *out) {
  if (!mask || !pair || !out) return 0;
  if (!(h > 0.0)) h = 0.0001;
  const double dphi = 2.0 * kPi * h, dt = 33.0 * h;
  DEHNUNGSEBENE p[4];
  const double probes[4][2] = {{pair[0] + dphi, pair[1]},
                               {pair[0] - dphi, pair[1]},
                               {pair[0], pair[1] + dt},
                               {pair[0], pair[1] - dt}};
  for (int i = 0; i < 4; ++i) {
    if (!Get_Masque_Grenzdehnungsebene(mask, probes[i], &p[i])) return 0;
  }
  const double J00 = (p[0].eps0 - p[1].eps0) / (2.0 * dphi), J01 = (p[2].eps0 - p[3].eps0) / (2.0 * dt);
  const double J10 = (p[0].kappa - p[1].kappa) / (2.0 * dphi), J11 = (p[2].kappa - p[3].kappa) / (2.0 * dt);
  const double det = J00 * J11 - J01 * J10;
  if (det == 0.0) return 0;
  out[0] = J11 / det;
  out[1] = -J01 / det;
  out[2] = -J10 / det;
  out[3] = J00 / det;
  return 1;
}

int Set_Masque_Plane_by_Fibres(MASQUE *mask, const double *v, unsigned flags, DEHNUNGSEBENE *out) {
  if (!mask || !v || !out) return 0;
  MASQUE_DEHNUNG_EXTREMES x;
  if (!_Masque_Dehnung_Extremes(mask, DEHNUNGSEBENE{v[0], 0.0, 1.0, 0.0}, x)) return 0;
  const double ya = (flags & 0x2) ? x.y_min2 : x.y_min1;
  const double yb = (flags & 0x10) ? x.y_max2 : x.y_max1;
  if (!(yb > ya)) return 0;  // the second fibre must lie beyond the first
  const double kappa = (v[2] - v[1]) / (yb - ya);
  const DEHNUNGSEBENE p{v[0], v[1] - kappa * ya, kappa, 0.0};
  *out = _Normalised(p);
  return 1;
}

int Calc_Masque_Dehnungsbereich_Forces(MASQUE *mask, const double *pair, double lastfaktor, double *forces) {
  if (!mask || !pair || !forces) return 0;
  DEHNUNGSEBENE plane;
  if (!Get_Masque_Grenzdehnungsebene(mask, pair, &plane)) {
    for (int i = 0; i < 4; ++i) forces[i] = 0.0;
    return 0;
  }
  return Calc_Masque_Dehnungsebene_Forces(mask, &plane, lastfaktor, forces);
}

// ======================================================================= zero line, strain, transforms

int Dehnungsebene_to_Nulllinie(const MASQUE *mask, const DEHNUNGSEBENE *plane, double *line) {
  if (!mask || !plane || !line) return 0;
  const double phi = plane->phi, e = plane->eps0, k = plane->kappa;
  line[0] = phi < -kPi / 2.0 ? phi + 5.0 * kPi / 2.0 : phi + kPi / 2.0;
  double d;
  if (k != 0.0 && std::fabs(k) * 1e10 >= std::fabs(e)) {
    d = -e / k;
  } else {
    // No zero line within reach (also the zero plane): a point far out.
    d = e * k > 0.0 ? -1e10 : 1e10;
  }
  line[1] = d * std::cos(phi);
  line[2] = d * std::sin(phi);
  return 1;
}

int Get_Dehnungsebene_Dehnung(const MASQUE *, const DEHNUNGSEBENE *plane, double y, double z, double *strain) {
  if (!plane || !strain) return 0;
  *strain = plane->eps0 + plane->kappa * (y * std::cos(plane->phi) + z * std::sin(plane->phi));
  return 1;
}

int Transform_Schnittgroessen(const double *in, double y0, double z0, double theta, double *out, int mode) {
  if (!in || !out) return 0;
  if (mode) {
    double f[3] = {y0, z0, theta};
    Invert_Masque_Frame(f, f, mode);
    y0 = f[0], z0 = f[1], theta = f[2];
  }
  const double N = in[0], F4 = in[3];
  double My = in[1] - z0 * N, Mz = in[2] + y0 * N;
  if (theta != 0.0) {
    const double c = std::cos(theta), s = std::sin(theta);
    const double a = My * c + Mz * s, b = Mz * c - My * s;
    My = a, Mz = b;
  }
  out[0] = N, out[1] = My, out[2] = Mz, out[3] = F4;
  return 1;
}

int Transform_Schnittgroessen_by_Frame(const double *in, const double *frame, double *out, int mode) {
  if (!frame) return 0;
  return Transform_Schnittgroessen(in, frame[0], frame[1], frame[2], out, mode);
}

int Transform_Schnittgroessen_Back(const double *in, double y0, double z0, double theta, double *out, int mode) {
  if (!in || !out) return 0;
  if (mode) {
    double f[3] = {y0, z0, theta};
    Invert_Masque_Frame(f, f, mode);
    y0 = f[0], z0 = f[1], theta = f[2];
  }
  const double N = in[0], F4 = in[3];
  double My = in[1], Mz = in[2];
  if (theta != 0.0) {
    const double c = std::cos(theta), s = std::sin(theta);
    const double a = My * c - Mz * s, b = My * s + Mz * c;
    My = a, Mz = b;
  }
  out[0] = N, out[1] = My + z0 * N, out[2] = Mz - y0 * N, out[3] = F4;
  return 1;
}

int Transform_Schnittgroessen_Back_by_Frame(const double *in, const double *frame, double *out, int mode) {
  if (!frame) return 0;
  return Transform_Schnittgroessen_Back(in, frame[0], frame[1], frame[2], out, mode);
}

int Get_Masque_Knoten_Extent(const MASQUE *mask, double *extent, int lokal) {
  if (!mask || !extent) return 0;
  const int n = Count_Masque_Knoten(mask);
  if (n == 0) return 1;
  double e[4] = {MASQUE_NO_LIMIT, -MASQUE_NO_LIMIT, MASQUE_NO_LIMIT, -MASQUE_NO_LIMIT};
  for (int i = 0; i < n; ++i) {
    const MASQUE_KNOTEN *node = Get_Masque_Knoten(mask, i);
    if (!node) continue;
    const double y = lokal ? node->y_lokal : node->y, z = lokal ? node->z_lokal : node->z;
    e[0] = std::min(e[0], y), e[1] = std::max(e[1], y);
    e[2] = std::min(e[2], z), e[3] = std::max(e[3], z);
  }
  for (int i = 0; i < 4; ++i) extent[i] = e[i];
  return 1;
}

// ======================================================================= section values

namespace {

// Working forms of unit laws: constant stress 1 and stress equal to the strain.
SDL_ARBEITSFORM _Unit_Form(int kind) {
  SDL_ARBEITSFORM f{};
  f.anzahl = 1;
  SDL_ABSCHNITT &s = f.abschnitt[0];
  s.lo = 0.0;
  s.hi = MASQUE_NO_LIMIT;
  s.q = 1.0;
  s.kind = kind;
  if (kind == SDL_KIND_KONSTANT) s.s0 = 1.0; else s.s1 = 1.0;
  return f;
}

bool _Selected(const MASQUE_GRUPPE *group, unsigned kinds) {
  const int law = Masque_Group_Law(group);
  if (law == 1) return kinds & 0x1;
  if (law == 2) return group->gewicht.flags ? (kinds & 0x2) : (kinds & 0x4);
  return kinds & 0x10000;
}

}  // namespace

int Calc_Masque_Querschnittswerte(MASQUE *mask, unsigned kinds, int depth, MASQUE_QUERSCHNITTSWERTE *out) {
  if (!out) return 0;
  *out = MASQUE_QUERSCHNITTSWERTE{};
  if (!mask) return 0;
  if (depth <= 0) depth = 1000;
  const SDL_ARBEITSFORM one = _Unit_Form(SDL_KIND_KONSTANT), lin = _Unit_Form(SDL_KIND_LINEAR);
  const MasqueIntFrame f0 = Masque_Int_Frame(mask, 0.0), f90 = Masque_Int_Frame(mask, kPi / 2.0);
  MASQUE_QUERSCHNITTSWERTE &v = *out;
  int ok = 1;
  for (int i = 0; i < Count_Masque_Gruppen(mask); ++i) {
    const MASQUE_GRUPPE *group = Get_Masque_Gruppe(mask, i);
    if (!group || !group->linie) continue;
    const double W = group->gewicht.gewicht;
    if (W == 0.0 || !_Selected(group, kinds)) continue;
    MASQUE_SCHNITTGROESSEN r{};
    if (!Masque_Integrate_Form(group, one, f0, 1.0, 0.0, W, false, nullptr, &r)) {
      ok = 0;
      continue;
    }
    v.A += r.F[0];
    v.ys += -r.F[2];
    v.zs += r.F[1];
    if (depth >= 2) {
      MASQUE_SCHNITTGROESSEN a{}, b{};
      Masque_Integrate_Form(group, lin, f0, 0.0, 1.0, W, false, nullptr, &a);
      Masque_Integrate_Form(group, lin, f90, 0.0, 1.0, W, false, nullptr, &b);
      v.raw_yy += -a.F[2];
      v.raw_yz += a.F[1];
      v.raw_zz += -b.F[2];
    }
    if (depth >= 3 && Has_Gruppe_Vordehnung(&group->vordehnung)) {
      // ∫ ε_g² dA: the stress equal to the initial strain, integrated against it.
      MASQUE_VORDEHNUNG c;
      Transform_Dehnungsebene_to_Frame(&group->vordehnung, mask->frame[0], mask->frame[1], mask->frame[2], &c);
      const double kappa = std::sqrt(c.b * c.b + c.c * c.c);
      const double angle = kappa > 0.0 ? std::atan2(c.c, c.b) : 0.0;
      const double abc[3] = {c.a, kappa, 0.0};
      MASQUE_SCHNITTGROESSEN g{};
      Masque_Integrate_Form(group, lin, Masque_Int_Frame(mask, angle), c.a, kappa, W, false, abc, &g);
      v.vordehnung += g.F[3];
    }
  }
  if (v.A != 0.0) {
    v.ys /= v.A;
    v.zs /= v.A;
  }
  if (depth < 2) return ok;
  const double Iz = v.raw_zz - v.A * v.zs * v.zs;
  const double Iy = v.raw_yy - v.A * v.ys * v.ys;
  const double Iyz = v.raw_yz - v.A * v.ys * v.zs;
  if (std::fabs(Iyz) <= 1e-10 * (std::fabs(Iz) + std::fabs(Iy))) {
    v.I1 = Iz;
    v.I2 = Iy;
    v.alpha = 0.0;
    return ok;
  }
  double alpha = std::atan2(-2.0 * Iyz, Iz - Iy) / 2.0;
  const double R = std::sqrt(4.0 * Iyz * Iyz + (Iz - Iy) * (Iz - Iy));
  double I1 = (Iz + Iy + R) / 2.0, I2 = (Iz + Iy - R) / 2.0;
  if (alpha >= kPi / 2.0) alpha -= kPi;
  if (alpha <= -kPi / 2.0) alpha += kPi;
  if (alpha > kPi / 4.0) {
    alpha -= kPi / 2.0;
    std::swap(I1, I2);
  } else if (alpha < -kPi / 4.0) {
    alpha += kPi / 2.0;
    std::swap(I1, I2);
  }
  v.I1 = I1;
  v.I2 = I2;
  v.alpha = alpha;
  return ok;
}

int Calc_Masque_Resultierende(MASQUE *mask, const DEHNUNGSEBENE *plane, double lastfaktor, double *out) {
  if (!mask || !plane || !out) return 0;
  int ok = 1;
  for (int cut = 1; cut <= 2; ++cut) {
    Prepare_Masque_Spannungsdehnungslinien_Cut(mask, cut);
    double F[4];
    if (!Calc_Masque_Dehnungsebene_Forces(mask, plane, lastfaktor, F)) ok = 0;
    double *r = out + 3 * (cut - 1);
    r[0] = F[0];
    r[1] = F[0] != 0.0 ? -F[2] / F[0] : 0.0;
    r[2] = F[0] != 0.0 ? F[1] / F[0] : 0.0;
  }
  // The lines go back to their full laws on every path.
  Prepare_Masque_Spannungsdehnungslinien_Cut(mask, 0);
  return ok;
}

int Calc_Masque_Vordehnungsebene(MASQUE *mask, unsigned kinds, DEHNUNGSEBENE *out) {
  if (!mask || !out) return 0;
  const SDL_ARBEITSFORM one = _Unit_Form(SDL_KIND_KONSTANT), lin = _Unit_Form(SDL_KIND_LINEAR);
  const MasqueIntFrame f0 = Masque_Int_Frame(mask, 0.0);
  double N = 0.0, My = 0.0, Mz = 0.0, W = 0.0;
  int ok = 1;
  for (int i = 0; i < Count_Masque_Gruppen(mask); ++i) {
    const MASQUE_GRUPPE *group = Get_Masque_Gruppe(mask, i);
    if (!group || !group->linie) continue;
    const double w = group->gewicht.gewicht;
    if (w == 0.0 || !_Selected(group, kinds)) continue;
    MASQUE_SCHNITTGROESSEN a{}, r{};
    if (!Masque_Integrate_Form(group, one, f0, 1.0, 0.0, w, false, nullptr, &a)) {
      ok = 0;
      continue;
    }
    W += a.F[0];
    const DEHNUNGSEBENE own = _Normalised(group->linie->arbeitsform.eigen);
    Masque_Integrate_Form(group, lin, Masque_Int_Frame(mask, own.phi), own.eps0, own.kappa, w, false, nullptr, &r);
    // Back from the frame of the own plane to the mask frame.
    const double c = std::cos(own.phi), s = std::sin(own.phi);
    N += r.F[0];
    My += r.F[1] * c - r.F[2] * s;
    Mz += r.F[2] * c + r.F[1] * s;
  }
  if (W > 0.0) {
    N /= W;
    My /= W;
    Mz /= W;
  }
  const double b = -Mz, c = My;
  *out = DEHNUNGSEBENE{b * b + c * c > 0.0 ? std::atan2(c, b) : 0.0, N, std::sqrt(b * b + c * c), 0.0};
  return ok;
}

int Get_SDL_Arbeitsform_Spannung(const SDL_ARBEITSFORM *form, double strain, double *stress, double *tangent) {
  if (stress) *stress = 0.0;
  if (tangent) *tangent = 0.0;
  if (!form) return 0;
  const int k = Find_SDL_Abschnitt(form, strain);
  if (k < 0) return 1;
  const double s = Calc_SDL_Abschnitt_Spannung(&form->abschnitt[k], strain, tangent);
  if (stress) *stress = s;
  return 1;
}

int Get_Spannungsdehnungslinie_Spannung(const SPANNUNGSDEHNUNGSLINIE *line, double strain, double *stress) {
  if (stress) *stress = 0.0;
  if (!line) return 0;
  SPANNUNGSDEHNUNGSLINIE copy = *line;  // the preparation touches only the working form
  if (!Prepare_Masque_Spannungsdehnungslinie(&copy, nullptr) || copy.arbeitsform.anzahl <= 0) return 0;
  return Get_SDL_Arbeitsform_Spannung(&copy.arbeitsform, strain, stress, nullptr);
}
