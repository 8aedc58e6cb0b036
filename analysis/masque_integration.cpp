// Cross-section mask: integration of the stresses of a strain plane over the groups of a
// mask, giving the forces (N, My, Mz, F4) and their tangent stiffness. Every group is
// integrated in a frame in which its strain varies along y'' only; elements are cut where
// the strain crosses a segment bound of the group's line, and each piece is integrated
// in closed form (constant stress) or by a fixed Gauss-Legendre rule (3 points along
// edges and lines, 5 points in the angle of a circle). The frame turns are evaluated on
// the fly from the global node coordinates: the mask itself is not changed.
#include <algorithm>
#include <cmath>
#include <cstring>
#include <numbers>

#include "analysis/masque_solve_internal.h"

namespace {

// Gauss-Legendre rules on the unit interval.
const double kG3s[3] = {0.5 - 0.3872983346207417, 0.5, 0.5 + 0.3872983346207417};
const double kG3w[3] = {5.0 / 18.0, 8.0 / 18.0, 5.0 / 18.0};
const double kG5s[5] = {0.04691007703066802, 0.2307653449471585, 0.5, 0.7692346550528415, 0.9530899229693319};
const double kG5w[5] = {0.1184634425280945, 0.239314335249683, 0.2844444444444445, 0.239314335249683,
                        0.1184634425280945};

// Integrals of stress (S) and tangent (G) over an element, in the integration frame.
struct Moments {
  double S0, Sy, Sz;
  double G0, Gy, Gz, Gyy, Gzz, Gyz;
};

void _Add_Scaled(Moments &sum, const Moments &m, double f) {
  sum.S0 += f * m.S0;
  sum.Sy += f * m.Sy;
  sum.Sz += f * m.Sz;
  sum.G0 += f * m.G0;
  sum.Gy += f * m.Gy;
  sum.Gz += f * m.Gz;
  sum.Gyy += f * m.Gyy;
  sum.Gzz += f * m.Gzz;
  sum.Gyz += f * m.Gyz;
}

// Walks the strain interval [e_lo, e_hi] through the segments of the form in list order
// and calls piece(segment, ea, eb) for every piece inside one segment. A strain beyond the
// last upper bound is left out. Without a strain range the point rule picks the segment.
template <class Piece>
void _Walk(const SDL_ARBEITSFORM &form, double e_lo, double e_hi, Piece piece) {
  if (!(e_hi > e_lo)) {
    const int k = Find_SDL_Abschnitt(&form, e_lo);
    if (k >= 0) piece(form.abschnitt[k], e_lo, e_hi);
    return;
  }
  const int n = std::min(form.anzahl, SDL_MAX_ABSCHNITTE);
  double cur = e_lo;
  for (int k = 0; k < n; ++k) {
    const SDL_ABSCHNITT &seg = form.abschnitt[k];
    if (seg.hi <= cur) continue;
    if (e_hi <= seg.hi) {
      piece(seg, cur, e_hi);
      return;
    }
    piece(seg, cur, seg.hi);
    cur = seg.hi;
  }
}

// Position of strain e between the ends (u = 0 at e_lo, 1 at e_hi), exact at the ends.
double _Fraction(double e, double e_lo, double e_hi) {
  if (e <= e_lo) return 0.0;
  if (e >= e_hi) return 1.0;
  return (e - e_lo) / (e_hi - e_lo);
}

// Elements of a group's list, read straight from the array (the hot loops of the
// integration would otherwise pay two calls per element).
template <class T>
struct _Elements {
  T *const *items = nullptr;
  int count = 0;
  explicit _Elements(const MASQUE_GRUPPE *group) {
    if (group && group->elemente && group->elemente->items) {
      items = reinterpret_cast<T *const *>(group->elemente->items);
      count = group->elemente->count;
    }
  }
};

void _Local(const MasqueIntFrame &f, const MASQUE_KNOTEN *node, double *y, double *z) {
  const double dy = node->y - f.y0, dz = node->z - f.z0;
  *y = f.c * dy + f.s * dz;
  *z = f.c * dz - f.s * dy;
}

// Smallest and largest y of the group's elements, y taken from each node by coord.
template <class Coord>
int _Extent(const MASQUE_GRUPPE *group, double *min, double *max, Coord coord) {
  if (!group || !min || !max) return 0;
  double lo = MASQUE_NO_LIMIT, hi = -MASQUE_NO_LIMIT;
  auto take = [&](const MASQUE_KNOTEN *node, double r) {
    if (!node) return;
    const double y = coord(node);
    lo = std::min(lo, y - r);
    hi = std::max(hi, y + r);
  };
  switch (group->typ) {
    case MASQUE_PUNKTGRUPPE: {
      const _Elements<MASQUE_PUNKT> el(group);
      for (int i = 0; i < el.count; ++i) {
        if (el.items[i]) take(el.items[i]->knoten, 0.0);
      }
      break;
    }
    case MASQUE_FLAECHE: {
      const _Elements<MASQUE_KANTE> el(group);
      // Of an outline's shared nodes each is taken once (the extent is the same).
      for (int i = 0; i < el.count; ++i) {
        const MASQUE_KANTE *e = el.items[i];
        if (!e) continue;
        const MASQUE_KANTE *next = el.items[i + 1 < el.count ? i + 1 : 0];
        take(e->anfang, 0.0);
        if (!next || next->anfang != e->ende) take(e->ende, 0.0);
      }
      break;
    }
    case MASQUE_KREIS:
      take(group->mittelpunkt, group->radius);  // a hole gives min above max
      break;
    case MASQUE_LINIENGRUPPE: {
      const _Elements<MASQUE_LINIE> el(group);
      for (int i = 0; i < el.count; ++i) {
        const MASQUE_LINIE *l = el.items[i];
        if (l && l->kante) take(l->kante->anfang, 0.0), take(l->kante->ende, 0.0);
      }
      break;
    }
    default:
      return 0;
  }
  if (lo > hi) return 0;
  *min = lo;
  *max = hi;
  return 1;
}

// Strip between an area edge inside one linear stress segment and the axis z'' = 0, by the
// 3-point rule with the segment's stress evaluated in place: the same operations in the
// same order as the general walk, so the same sums, without its cuts and calls.
template <bool stiff>
inline void _Linear_Edge(const SDL_ABSCHNITT &seg, double eps0, double kappa, double ya, double za, double yb,
                         double zb, double sign, Moments &m) {
  const double d = yb - ya;
  const double g = seg.s1 * seg.q * 1.0;
  Moments e{};
  for (int i = 0; i < 3; ++i) {
    const double y = ya + kG3s[i] * d, z = za + kG3s[i] * (zb - za);
    const double s = seg.s0 + seg.s1 * ((eps0 + kappa * y - seg.lo) * seg.q);
    const double w = kG3w[i] * d;
    e.S0 += w * s * z;
    e.Sy += w * s * y * z;
    e.Sz += w * s * z * z / 2.0;
    if constexpr (stiff) {
      e.G0 += w * g * z;
      e.Gy += w * g * y * z;
      e.Gz += w * g * z * z / 2.0;
      e.Gyy += w * g * y * y * z;
      e.Gzz += w * g * z * z * z / 3.0;
      e.Gyz += w * g * y * z * z / 2.0;
    }
  }
  _Add_Scaled(m, e, sign);
}

// Area: the strip between the edge's chord and the axis z'' = 0.
void _Integrate_Edge(const SDL_ARBEITSFORM &form, double eps0, double kappa, double ya, double za, double yb,
                     double zb, bool stiff, Moments &m) {
  if (ya == yb) return;
  const double sign = yb > ya ? 1.0 : -1.0;
  if (ya > yb) {
    std::swap(ya, yb);
    std::swap(za, zb);
  }
  const double e1 = eps0 + kappa * ya, e2 = eps0 + kappa * yb;
  Moments e{};
  _Walk(form, e1, e2, [&](const SDL_ABSCHNITT &seg, double ea, double eb) {
    if (seg.kind < 0) return;
    const double u0 = e2 > e1 ? _Fraction(ea, e1, e2) : 0.0;
    const double u1 = e2 > e1 ? _Fraction(eb, e1, e2) : 1.0;
    const double y0 = ya + u0 * (yb - ya), y1 = u1 >= 1.0 ? yb : ya + u1 * (yb - ya);
    const double z0 = za + u0 * (zb - za), z1 = u1 >= 1.0 ? zb : za + u1 * (zb - za);
    const double d = y1 - y0;
    if (d == 0.0) return;
    if (seg.kind == SDL_KIND_KONSTANT) {
      const double s = seg.s0;
      e.S0 += s * d * (z0 + z1) / 2.0;
      e.Sz += s * d * (z0 * z0 + z0 * z1 + z1 * z1) / 6.0;
      e.Sy += s * d * (2.0 * y0 * z0 + 2.0 * y1 * z1 + y0 * z1 + y1 * z0) / 6.0;
      return;
    }
    for (int i = 0; i < 3; ++i) {
      const double y = y0 + kG3s[i] * d, z = z0 + kG3s[i] * (z1 - z0);
      double g = 0.0;
      const double s = Calc_SDL_Abschnitt_Spannung(&seg, eps0 + kappa * y, stiff ? &g : nullptr);
      const double w = kG3w[i] * d;
      e.S0 += w * s * z;
      e.Sy += w * s * y * z;
      e.Sz += w * s * z * z / 2.0;
      if (stiff) {
        e.G0 += w * g * z;
        e.Gy += w * g * y * z;
        e.Gz += w * g * z * z / 2.0;
        e.Gyy += w * g * y * y * z;
        e.Gzz += w * g * z * z * z / 3.0;
        e.Gyz += w * g * y * z * z / 2.0;
      }
    }
  });
  // A boundary running counter-clockwise encloses a positive area.
  _Add_Scaled(m, e, -sign);
}

// Area group: every edge's strip; an edge inside one linear segment (the segment the walk
// would take: the first whose upper bound lies above the smaller strain, or for a constant
// strain the point rule's) goes without the walk.
template <bool stiff>
void _Integrate_Masque_Flaeche(const MASQUE_GRUPPE *group, const SDL_ARBEITSFORM &form, const MasqueIntFrame &f,
                               double eps0, double kappa, Moments &out) {
  Moments m = out;
  const int n = std::min(form.anzahl, SDL_MAX_ABSCHNITTE);
  double hi[SDL_MAX_ABSCHNITTE];
  for (int k = 0; k < n; ++k) hi[k] = form.abschnitt[k].hi;
  const _Elements<MASQUE_KANTE> el(group);
  // An outline's edges share their nodes: the end of one is the start of the next.
  const MASQUE_KNOTEN *last = nullptr;
  double yl = 0.0, zl = 0.0;
  for (int i = 0; i < el.count; ++i) {
    const MASQUE_KANTE *e = el.items[i];
    if (!e || !e->anfang || !e->ende) continue;
    double ya, za, yb, zb;
    if (e->anfang == last) {
      ya = yl, za = zl;
    } else {
      _Local(f, e->anfang, &ya, &za);
    }
    _Local(f, e->ende, &yb, &zb);
    last = e->ende, yl = yb, zl = zb;
    if (ya == yb) continue;
    const double sign = yb > ya ? 1.0 : -1.0;
    double y0 = ya, z0 = za, y1 = yb, z1 = zb;
    if (y0 > y1) {
      std::swap(y0, y1);
      std::swap(z0, z1);
    }
    const double e1 = eps0 + kappa * y0, e2 = eps0 + kappa * y1;
    int k = -1;
    if (e2 > e1) {
      k = 0;
      while (k < n && hi[k] <= e1) ++k;
      if (k == n || e2 > hi[k]) k = -1;
    } else {
      k = Find_SDL_Abschnitt(&form, e1);
    }
    if (k >= 0 && form.abschnitt[k].kind == SDL_KIND_LINEAR) {
      // A boundary running counter-clockwise encloses a positive area.
      _Linear_Edge<stiff>(form.abschnitt[k], eps0, kappa, y0, z0, y1, z1, -sign, m);
    } else {
      _Integrate_Edge(form, eps0, kappa, ya, za, yb, zb, stiff, m);
    }
  }
  out = m;
}

// Line element of thickness 1 between two points.
void _Integrate_Line(const SDL_ARBEITSFORM &form, double eps0, double kappa, double ya, double za, double yb,
                     double zb, bool stiff, Moments &m) {
  if (ya > yb) {
    std::swap(ya, yb);
    std::swap(za, zb);
  }
  const double L = std::sqrt((yb - ya) * (yb - ya) + (zb - za) * (zb - za));
  if (L == 0.0) return;
  const double e1 = eps0 + kappa * ya, e2 = eps0 + kappa * yb;
  _Walk(form, e1, e2, [&](const SDL_ABSCHNITT &seg, double ea, double eb) {
    if (seg.kind < 0) return;
    const double u0 = e2 > e1 ? _Fraction(ea, e1, e2) : 0.0;
    const double u1 = e2 > e1 ? _Fraction(eb, e1, e2) : 1.0;
    const double Lp = (u1 - u0) * L;
    if (Lp == 0.0) return;
    if (seg.kind == SDL_KIND_KONSTANT) {
      const double um = (u0 + u1) / 2.0;
      const double s = seg.s0 * Lp;
      m.S0 += s;
      m.Sy += s * (ya + um * (yb - ya));
      m.Sz += s * (za + um * (zb - za));
      return;
    }
    for (int i = 0; i < 3; ++i) {
      const double u = u0 + kG3s[i] * (u1 - u0);
      const double y = ya + u * (yb - ya), z = za + u * (zb - za);
      double g = 0.0;
      const double s = Calc_SDL_Abschnitt_Spannung(&seg, eps0 + kappa * y, stiff ? &g : nullptr);
      const double w = kG3w[i] * Lp;
      m.S0 += w * s;
      m.Sy += w * s * y;
      m.Sz += w * s * z;
      if (stiff) {
        m.G0 += w * g;
        m.Gy += w * g * y;
        m.Gz += w * g * z;
        m.Gyy += w * g * y * y;
        m.Gzz += w * g * z * z;
        m.Gyz += w * g * y * z;
      }
    }
  });
}

// Circle of radius r > 0 about (yc, zc), parametrised by theta: y = yc − r cos theta.
void _Integrate_Circle(const SDL_ARBEITSFORM &form, double eps0, double kappa, double yc, double zc, double r,
                       bool stiff, Moments &m) {
  const double e1 = eps0 + kappa * (yc - r), e2 = eps0 + kappa * (yc + r);
  auto theta_of = [&](double e) {
    if (!(e2 > e1) || e <= e1) return e > e1 ? std::numbers::pi : 0.0;
    if (e >= e2) return std::numbers::pi;
    const double d = yc - (e - eps0) / kappa;
    return std::atan2(std::sqrt(std::max(r * r - d * d, 0.0)), d);
  };
  _Walk(form, e1, e2, [&](const SDL_ABSCHNITT &seg, double ea, double eb) {
    if (seg.kind < 0) return;
    const double ta = theta_of(ea), tb = e2 > e1 ? theta_of(eb) : std::numbers::pi;
    const double dt = tb - ta;
    if (dt == 0.0) return;
    if (seg.kind == SDL_KIND_KONSTANT) {
      const double A = r * r * (dt - std::sin(dt) * std::cos(ta + tb));
      const double sa = std::sin(ta), sb = std::sin(tb);
      const double Ay = yc * A + 2.0 / 3.0 * r * r * r * (sa * sa * sa - sb * sb * sb);
      m.S0 += seg.s0 * A;
      m.Sy += seg.s0 * Ay;
      m.Sz += seg.s0 * zc * A;
      return;
    }
    for (int i = 0; i < 5; ++i) {
      const double t = ta + kG5s[i] * dt;
      const double y = yc - r * std::cos(t), h = r * std::sin(t);
      const double w = kG5w[i] * dt;
      const double wa = w * 2.0 * h * h;
      double g = 0.0;
      const double s = Calc_SDL_Abschnitt_Spannung(&seg, eps0 + kappa * y, stiff ? &g : nullptr);
      m.S0 += wa * s;
      m.Sy += wa * s * y;
      m.Sz += wa * s * zc;
      if (stiff) {
        m.G0 += wa * g;
        m.Gy += wa * g * y;
        m.Gz += wa * g * zc;
        m.Gyy += wa * g * y * y;
        m.Gzz += w * g * 2.0 * (zc * zc * h * h + h * h * h * h / 3.0);
        m.Gyz += wa * g * y * zc;
      }
    }
  });
}

// Point group: every point's area at the stress of its node's strain; a point without a
// segment, or on a segment of negative kind, adds nothing.
void _Integrate_Masque_Punkte(const MASQUE_GRUPPE *group, const SDL_ARBEITSFORM &form, const MasqueIntFrame &f,
                              double eps0, double kappa, Moments &m) {
  for (int i = 0; i < Count_Masque_Punkte(group); ++i) {
    const MASQUE_PUNKT *p = Get_Masque_Punkt(group, i);
    if (!p || !p->knoten) continue;
    double y, z;
    _Local(f, p->knoten, &y, &z);
    const double eps = eps0 + kappa * y;
    const int k = Find_SDL_Abschnitt(&form, eps);
    if (k < 0 || form.abschnitt[k].kind < 0) continue;
    double g = 0.0;
    const double s = Calc_SDL_Abschnitt_Spannung(&form.abschnitt[k], eps, &g);
    const Moments e{s, s * y, s * z, g, g * y, g * z, g * y * y, g * z * z, g * y * z};
    _Add_Scaled(m, e, p->flaeche);
  }
}

// Circle group: the full circle about its centre with |radius|; a negative radius is a
// hole.
void _Integrate_Masque_Kreis(const MASQUE_GRUPPE *group, const SDL_ARBEITSFORM &form, const MasqueIntFrame &f,
                             double eps0, double kappa, bool stiff, Moments &m) {
  if (!group->mittelpunkt || group->radius == 0.0) return;
  double yc, zc;
  _Local(f, group->mittelpunkt, &yc, &zc);
  Moments c{};
  _Integrate_Circle(form, eps0, kappa, yc, zc, std::fabs(group->radius), stiff, c);
  _Add_Scaled(m, c, group->radius < 0.0 ? -1.0 : 1.0);
}

// Line group: every line element (_Integrate_Line) times its thickness.
void _Integrate_Masque_Linien(const MASQUE_GRUPPE *group, const SDL_ARBEITSFORM &form, const MasqueIntFrame &f,
                              double eps0, double kappa, bool stiff, Moments &m) {
  for (int i = 0; i < Count_Masque_Linien(group); ++i) {
    const MASQUE_LINIE *l = Get_Masque_Linie(group, i);
    if (!l || !l->kante || !l->kante->anfang || !l->kante->ende) continue;
    double ya, za, yb, zb;
    _Local(f, l->kante->anfang, &ya, &za);
    _Local(f, l->kante->ende, &yb, &zb);
    Moments e{};
    _Integrate_Line(form, eps0, kappa, ya, za, yb, zb, stiff, e);
    _Add_Scaled(m, e, l->dicke);
  }
}

// Turns the (1, 2) pairs of forces and stiffness from a frame turned by angle back.
void _Turn_Back(MASQUE_SCHNITTGROESSEN &r, double angle) {
  if (angle == 0.0) return;
  const double c = std::cos(angle), s = std::sin(angle);
  auto turn = [&](double &u, double &w) {
    const double u0 = u, w0 = w;
    u = u0 * c - w0 * s;
    w = w0 * c + u0 * s;
  };
  turn(r.F[1], r.F[2]);
  for (int i = 0; i < 4; ++i) turn(r.K[1][i], r.K[2][i]);
  for (int j = 0; j < 4; ++j) turn(r.K[j][1], r.K[j][2]);
}

void _Apply_Result_Factors(MASQUE_SCHNITTGROESSEN &r, bool stiffness) {
  double f[4];
  if (!Get_Masque_Result_Factors(f)) return;
  for (int i = 0; i < 4; ++i) r.F[i] *= f[i];
  if (!stiffness) return;
  static const int kPair[4] = {0, 2, 1, 3};
  for (int j = 0; j < 4; ++j) {
    for (int i = 0; i < 4; ++i) r.K[j][i] *= f[i] * f[kPair[j]];
    // A switched-off component keeps the stiffness matrix regular.
    if (f[kPair[j]] == 0.0) r.K[j][kPair[j]] = 1e-6;
  }
}

struct WholeMask {
  MASQUE *mask;
  double phi;      // angle of the integration frame against the mask frame
  DEHNUNGSEBENE p; // (0, eps0, kappa >= 0, x3) in that frame
};

// Integrates one group with the given line (not necessarily its own) and adds into out.
int _Calc_Gruppe_Dehnungsebene(const WholeMask &w, const SPANNUNGSDEHNUNGSLINIE *line, MASQUE_GRUPPE *group,
                               double weight, MASQUE_SCHNITTGROESSEN &out, bool stiffness, int depth) {
  if (weight == 0.0) return 1;
  if (!line) return 1;  // a group without a line carries nothing
  MasqueGroupPlane gp;
  Masque_Group_Plane(w.mask, line, group, w.phi, w.p, &gp);
  // The working plane of the group is kept in the line's scratch field.
  const_cast<SPANNUNGSDEHNUNGSLINIE *>(line)->arbeitsform.ebene = DEHNUNGSEBENE{0.0, gp.eps0, gp.kappa, 0.0};
  const MasqueIntFrame frame = Masque_Int_Frame(w.mask, w.phi + gp.alpha);
  MASQUE_SCHNITTGROESSEN r{};
  const double abc[3] = {gp.a, gp.b, gp.c};
  int ok = Masque_Integrate_Form(group, line->arbeitsform, frame, gp.eps0, gp.kappa, weight, stiffness,
                                 gp.initial ? abc : nullptr, &r);
  _Turn_Back(r, gp.alpha);
  if (stiffness) {
    Add_Masque_Schnittgroessen(&out, &r, &out);
  } else {
    for (int i = 0; i < 4; ++i) out.F[i] += r.F[i];  // the stiffness stays zero
  }
  const SPANNUNGSDEHNUNGSLINIE *second = line->extern_linie;
  if (ok && second && second != line && line->extern_faktor != 0.0 && depth < 8) {
    ok = _Calc_Gruppe_Dehnungsebene(w, second, group, weight * line->extern_faktor, out, stiffness, depth + 1);
  }
  return ok;
}

int _Integrate_Mask(MASQUE *mask, const DEHNUNGSEBENE *plane, double lastfaktor, MASQUE_SCHNITTGROESSEN &out,
                    bool stiffness) {
  out = MASQUE_SCHNITTGROESSEN{};
  if (!mask || !plane) return 0;
  // A plane or load factor that is not finite has no forces: reported as a failure, not
  // as zero forces of a successful integration.
  if (!std::isfinite(plane->phi) || !std::isfinite(plane->eps0) || !std::isfinite(plane->kappa) ||
      !std::isfinite(plane->x3) || !std::isfinite(lastfaktor)) {
    return 0;
  }
  WholeMask w{mask, plane->phi, DEHNUNGSEBENE{0.0, plane->eps0, plane->kappa, plane->x3}};
  if (plane->kappa < 0.0) {
    // The same plane turned by π with a positive curvature.
    w.phi += std::numbers::pi;
    w.p.kappa = -plane->kappa;
  }
  int ok = 1;
  for (int i = 0; i < Count_Masque_Gruppen(mask); ++i) {
    MASQUE_GRUPPE *group = Get_Masque_Gruppe(mask, i);
    if (!group) continue;
    const double W = Masque_Group_Weight(group, group->linie, lastfaktor);
    if (!_Calc_Gruppe_Dehnungsebene(w, group->linie, group, W, out, stiffness, 0)) ok = 0;
  }
  _Turn_Back(out, w.phi);
  _Apply_Result_Factors(out, stiffness);
  return ok;
}

}  // namespace

// ======================================================================= shared pieces

MasqueIntFrame Masque_Int_Frame(const MASQUE *mask, double angle) {
  const double theta = mask->frame[2] + angle;
  // Every group of an integration, and every evaluation of a solve step, asks for the same
  // angle: the last cosine and sine are kept (for the bitwise same angle).
  static double last_theta = 0.0, last_c = 1.0, last_s = 0.0;
  if (std::memcmp(&theta, &last_theta, sizeof theta) != 0) {
    last_theta = theta;
    last_c = std::cos(theta);
    last_s = std::sin(theta);
  }
  return MasqueIntFrame{mask->frame[0], mask->frame[1], last_c, last_s};
}

int Masque_Group_Law(const MASQUE_GRUPPE *group) {
  return group && group->linie ? static_cast<int>(group->linie->typ & SDL_TYP_GESETZ) : 0;
}

double Masque_Group_Weight(const MASQUE_GRUPPE *group, const SPANNUNGSDEHNUNGSLINIE *line, double lastfaktor) {
  double W = 1.0;
  if (line && (line->typ & SDL_TYP_GESETZ) == 2 && group->gewicht.flags) W = lastfaktor;
  return W * group->gewicht.gewicht;
}

void Masque_Group_Plane(const MASQUE *mask, const SPANNUNGSDEHNUNGSLINIE *line, const MASQUE_GRUPPE *group,
                        double phi, const DEHNUNGSEBENE &plane, MasqueGroupPlane *out) {
  *out = MasqueGroupPlane{plane.eps0, plane.kappa, 0.0, false, 0.0, 0.0, 0.0};
  const bool initial = (mask->options.flags & MASQUE_OPTION_VORDEHNUNG) &&
                       (Get_Masque_Calc_Mode() & MASQUE_MODE_VORDEHNUNG) &&
                       (group->vordehnung.flags & MASQUE_VORDEHNUNG_AKTIV);
  MASQUE_VORDEHNUNG carried{};
  if (initial) {
    Transform_Dehnungsebene_to_Frame(&group->vordehnung, mask->frame[0], mask->frame[1], mask->frame[2] + phi,
                                     &carried);
  }
  const DEHNUNGSEBENE own = line ? line->arbeitsform.eigen : DEHNUNGSEBENE{};
  const bool has_own = own.eps0 != 0.0 || own.kappa != 0.0;
  const bool has_initial = initial && plane.x3 != 0.0;
  if (has_own || has_initial) {
    DEHNUNGSEBENE work{0.0, plane.eps0, plane.kappa, 0.0};
    if (has_own) {
      // The line's own plane is given in the mask frame.
      const double f = Get_Masque_Linienebene_Faktor();
      const DEHNUNGSEBENE o{own.phi - phi, own.eps0 * f, own.kappa * f, 0.0};
      Add_Dehnungsebenen(&work, &o, &work);
    }
    if (has_initial) {
      const DEHNUNGSEBENE_KARTESISCH k{carried.a, carried.b, carried.c, 0.0};
      DEHNUNGSEBENE v;
      Scaled_Dehnungsebene_to_Polar(&k, plane.x3, &v);  // −x3 (a, b, c)
      Add_Dehnungsebenen(&work, &v, &work);
    }
    out->eps0 = work.eps0;
    out->kappa = work.kappa;
    if (work.kappa != 0.0 && std::fabs(work.phi) > 1e-10) out->alpha = work.phi;
  }
  if (initial) {
    out->initial = true;
    const double c = std::cos(out->alpha), s = std::sin(out->alpha);
    out->a = carried.a;
    out->b = carried.b * c + carried.c * s;
    out->c = carried.c * c - carried.b * s;
  }
}

int Masque_Group_Extent(const MASQUE_GRUPPE *group, const MasqueIntFrame &f, double *min, double *max) {
  return _Extent(group, min, max, [&](const MASQUE_KNOTEN *node) {
    double y, z;
    _Local(f, node, &y, &z);
    return y;
  });
}

int Masque_Integrate_Form(const MASQUE_GRUPPE *group, const SDL_ARBEITSFORM &form, const MasqueIntFrame &f,
                          double eps0, double kappa, double weight, bool stiff, const double *abc,
                          MASQUE_SCHNITTGROESSEN *out) {
  Moments m{};
  switch (group->typ) {
    case MASQUE_PUNKTGRUPPE:
      _Integrate_Masque_Punkte(group, form, f, eps0, kappa, m);
      break;
    case MASQUE_FLAECHE:
      if (stiff) {
        _Integrate_Masque_Flaeche<true>(group, form, f, eps0, kappa, m);
      } else {
        _Integrate_Masque_Flaeche<false>(group, form, f, eps0, kappa, m);
      }
      break;
    case MASQUE_KREIS:
      _Integrate_Masque_Kreis(group, form, f, eps0, kappa, stiff, m);
      break;
    case MASQUE_LINIENGRUPPE:
      _Integrate_Masque_Linien(group, form, f, eps0, kappa, stiff, m);
      break;
    default:
      return 0;
  }
  MASQUE_SCHNITTGROESSEN r{};
  r.F[0] = weight * m.S0;
  r.F[1] = weight * m.Sz;
  r.F[2] = -weight * m.Sy;
  if (stiff) {
    const double K[3][3] = {{m.G0, m.Gz, -m.Gy}, {m.Gy, m.Gyz, -m.Gyy}, {m.Gz, m.Gzz, -m.Gyz}};
    for (int j = 0; j < 3; ++j)
      for (int i = 0; i < 3; ++i) r.K[j][i] = weight * K[j][i];
  }
  if (abc) {
    // Initial strain ε_g = a + b y'' + c z'': F3 = ∫σ ε_g and its row and column.
    const double a = abc[0], b = abc[1], c = abc[2];
    r.F[3] = a * r.F[0] + c * r.F[1] - b * r.F[2];
    if (stiff) {
      for (int j = 0; j < 3; ++j) r.K[j][3] = a * r.K[j][0] + c * r.K[j][1] - b * r.K[j][2];
      r.K[3][0] = -r.K[0][3];
      r.K[3][1] = -r.K[2][3];
      r.K[3][2] = r.K[1][3];
      r.K[3][3] = a * r.K[3][0] + c * r.K[3][1] - b * r.K[3][2];
    }
  }
  if (stiff) {
    Add_Masque_Schnittgroessen(out, &r, out);
  } else {
    for (int i = 0; i < 4; ++i) out->F[i] += r.F[i];
  }
  return 1;
}

// ======================================================================= public

int Add_Masque_Schnittgroessen(const MASQUE_SCHNITTGROESSEN *p, const MASQUE_SCHNITTGROESSEN *q,
                               MASQUE_SCHNITTGROESSEN *out) {
  if (!out) return 0;
  const MASQUE_SCHNITTGROESSEN zero{};
  const MASQUE_SCHNITTGROESSEN &a = p ? *p : zero, &b = q ? *q : zero;
  MASQUE_SCHNITTGROESSEN r;
  for (int i = 0; i < 4; ++i) {
    r.F[i] = a.F[i] + b.F[i];
    for (int j = 0; j < 4; ++j) r.K[i][j] = a.K[i][j] + b.K[i][j];
  }
  *out = r;
  return 1;
}

int Get_Masque_Gruppe_Extent(const MASQUE_GRUPPE *group, double *min, double *max) {
  return _Extent(group, min, max, [](const MASQUE_KNOTEN *node) { return node->y_lokal; });
}

int _Calc_Masque_Dehnungsebene_Forces(MASQUE *mask, const DEHNUNGSEBENE *plane, double *forces, double lastfaktor) {
  MASQUE_SCHNITTGROESSEN r;
  const int ok = _Integrate_Mask(mask, plane, lastfaktor, r, false);
  for (int i = 0; i < 4; ++i) forces[i] = r.F[i];
  return ok;
}

int Calc_Masque_Dehnungsebene_Forces(MASQUE *mask, const DEHNUNGSEBENE *plane, double lastfaktor, double *forces) {
  if (!forces) return 0;
  return _Calc_Masque_Dehnungsebene_Forces(mask, plane, forces, lastfaktor);
}

int Calc_Masque_Dehnungsebene_Steifigkeit(MASQUE *mask, const DEHNUNGSEBENE *plane, double lastfaktor,
                                          MASQUE_SCHNITTGROESSEN *out) {
  if (!out) return 0;
  return _Integrate_Mask(mask, plane, lastfaktor, *out, true);
}
