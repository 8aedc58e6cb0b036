// Cross-section mask: convex hull of the limit strains. For one direction of the strain
// plane every point of the mask bounds the admissible strain lines e(x) = e0 + s x
// (x = local y' of the point) from below by its compression limit and, for symmetric
// lines, from above by its tension limit. The bounds are reduced to an upper convex chain
// (compression) and a lower convex chain (tension), joined by the diagonal of largest
// slope; the limit lines of the domain parameter t ∈ [0, 33] turn about the chains:
// t = 0 slope 0 through the highest compression bound, t = 16 the diagonal, t = 33 slope
// 0 through the lowest tension bound. The result is cached in the mask (one Mem_Malloc
// block), keyed by the frame it was computed for.
#include <algorithm>
#include <cmath>
#include <cstdio>

#include "analysis/masque_solve_internal.h"

namespace {

using Punkt = MASQUE_HULL_PUNKT;

// Signed area of the turn a → b → c: > 0 when c lies to the left of a → b (above it
// for x growing from a to b).
double _Seite(const Punkt &a, const Punkt &b, const Punkt &c) {
  return (b.x - a.x) * (c.value - a.value) - (b.value - a.value) * (c.x - a.x);
}

// Reduces the points to the upper (compression) or lower (tension) convex chain from the
// first to the last point by x, in place; returns the chain length.
int _Chain(Punkt *p, int n, bool upper) {
  if (n < 2) return n;
  std::sort(p, p + n, [](const Punkt &a, const Punkt &b) { return a.x < b.x || (a.x == b.x && a.value < b.value); });
  // Of points with equal x only the binding one stays: the largest compression bound,
  // the smallest tension bound.
  int m = 0;
  for (int k = 0; k < n; ++k) {
    if (m > 0 && p[m - 1].x == p[k].x) {
      if (upper) p[m - 1] = p[k];
      continue;
    }
    p[m++] = p[k];
  }
  if (m < 2) return m;
  const Punkt first = p[0], last = p[m - 1];
  int top = 1;
  for (int k = 1; k < m; ++k) {
    const Punkt c = p[k];
    if (k < m - 1) {
      const double s = _Seite(first, last, c);
      if (upper ? !(s > 0.0) : !(s < 0.0)) continue;
    }
    while (top >= 2 && (upper ? _Seite(p[top - 2], p[top - 1], c) >= 0.0 : _Seite(p[top - 2], p[top - 1], c) <= 0.0))
      --top;
    p[top++] = c;
  }
  return top;
}

// Capacity of a mask's hull: every point any group can add, and the pivot point.
int _Capacity(const MASQUE *mask) {
  int n = 1;
  for (int i = 0; i < Count_Masque_Gruppen(mask); ++i) {
    const MASQUE_GRUPPE *g = Get_Masque_Gruppe(mask, i);
    if (!g) continue;
    if (g->typ == MASQUE_FLAECHE) n += 2 * Count_Masque_Flaeche_Kanten(g);
    if (g->typ == MASQUE_LINIENGRUPPE) n += 2 * Count_Masque_Linien(g);
    if (g->typ == MASQUE_PUNKTGRUPPE) n += Count_Masque_Punkte(g);
    if (g->typ == MASQUE_KREIS) n += 2;
  }
  return n;
}

// The mask's hull record with room for cap points per list, reused when large enough.
MASQUE_HULL *_Obtain(MASQUE *mask, int cap) {
  if (mask->hull && mask->hull->capacity >= cap) return mask->hull;
  MEM_FREE(mask->hull);
  mask->hull = nullptr;
  const std::size_t bytes = sizeof(MASQUE_HULL) + 2 * static_cast<std::size_t>(cap) * sizeof(Punkt) +
                            2 * (static_cast<std::size_t>(cap) + 1) * sizeof(double);
  auto *h = static_cast<MASQUE_HULL *>(MEM_MALLOC(bytes));
  if (!h) return nullptr;
  char *rest = reinterpret_cast<char *>(h + 1);
  h->druck = reinterpret_cast<Punkt *>(rest);
  h->zug = h->druck + cap;
  h->druck_steigung = reinterpret_cast<double *>(h->zug + cap);
  h->zug_steigung = h->druck_steigung + cap + 1;
  h->capacity = cap;
  mask->hull = h;
  return h;
}

void _No_Indices(MASQUE_HULL *h) { h->i_druck_max = h->i_diag_druck = h->i_diag_zug = h->i_zug_min = -1; }

bool _Is_Druck_Line(const SPANNUNGSDEHNUNGSLINIE *line) {
  double lo, hi;
  return Get_Spannungsdehnungslinie_Limits(line, &lo, &hi) == 1;
}

// Points of one group: node points of its elements, or the two extreme fibres of a circle.
int _Add_Gruppe(MasqueHullKontext &c, const MASQUE_GRUPPE *g) {
  switch (g->typ) {
    case MASQUE_FLAECHE:
      for (int k = 0; k < Count_Masque_Flaeche_Kanten(g); ++k) {
        const MASQUE_KANTE *e = Get_Masque_Flaeche_Kante(g, k);
        if (!e || !e->anfang || !e->ende) return 0;
        if (!Add_Masque_Hull_Knoten(e->anfang, &c) || !Add_Masque_Hull_Knoten(e->ende, &c)) return 0;
      }
      return 1;
    case MASQUE_LINIENGRUPPE:
      for (int k = 0; k < Count_Masque_Linien(g); ++k) {
        const MASQUE_LINIE *l = Get_Masque_Linie(g, k);
        if (!l || !l->kante || !l->kante->anfang || !l->kante->ende) return 0;
        if (!Add_Masque_Hull_Knoten(l->kante->anfang, &c) || !Add_Masque_Hull_Knoten(l->kante->ende, &c)) return 0;
      }
      return 1;
    case MASQUE_PUNKTGRUPPE:
      for (int k = 0; k < Count_Masque_Punkte(g); ++k) {
        const MASQUE_PUNKT *p = Get_Masque_Punkt(g, k);
        if (!p || !p->knoten || !Add_Masque_Hull_Knoten(p->knoten, &c)) return 0;
      }
      return 1;
    case MASQUE_KREIS: {
      if (!g->mittelpunkt) return 0;
      // A hole (negative radius) has no fibres of its own.
      if (!(g->radius > 0.0)) return 1;
      double y, z;
      Masque_Hull_Local(c, g->mittelpunkt, &y, &z);
      return Add_Masque_Hull_Punkt(&c, y - g->radius, z) && Add_Masque_Hull_Punkt(&c, y + g->radius, z);
    }
    default:
      return 1;
  }
}

// Compression and tension chains, slopes and the diagonal of a filled hull.
void _Reduce(MASQUE_HULL *h) {
  _No_Indices(h);
  h->n_druck = _Chain(h->druck, h->n_druck, true);
  h->n_zug = _Chain(h->zug, h->n_zug, false);
  h->steigung_0 = h->steigung_33 = 0.0;
  h->diagonale = 0.0;
  const int nc = h->n_druck, nt = h->n_zug;
  const Punkt *C = h->druck, *T = h->zug;
  double *SC = h->druck_steigung, *ST = h->zug_steigung;
  if (nc > 0) {
    SC[0] = MASQUE_NO_LIMIT;
    for (int k = 1; k < nc; ++k) {
      const double dx = C[k].x - C[k - 1].x;
      SC[k] = dx > 0.0 ? (C[k].value - C[k - 1].value) / dx : SC[k - 1];
    }
    SC[nc] = -MASQUE_NO_LIMIT;
    h->i_druck_max = 0;
    for (int k = 1; k < nc; ++k)
      if (C[k].value > C[h->i_druck_max].value) h->i_druck_max = k;  // the first on ties
  }
  if (nt == 0) return;
  ST[nt] = MASQUE_NO_LIMIT;
  for (int k = nt - 1; k >= 1; --k) {
    const double dx = T[k].x - T[k - 1].x;
    ST[k] = dx > 0.0 ? (T[k].value - T[k - 1].value) / dx : ST[k + 1];
  }
  ST[0] = -MASQUE_NO_LIMIT;
  // The smallest tension bound (the last on ties), the mirror of the compression chain:
  // the limit lines beyond the diagonal turn about the vertices from the diagonal to it.
  h->i_zug_min = 0;
  for (int k = 1; k < nt; ++k)
    if (T[k].value <= T[h->i_zug_min].value) h->i_zug_min = k;
  if (nc == 0) return;
  if (C[h->i_druck_max].value > T[h->i_zug_min].value) std::printf("Convex_Hull: Druck > Zug !!!\n");
  // Diagonal: i walks up the compression chain while its next vertex lies above the line
  // C[i] → T[j], j walks down the tension chain while its previous vertex lies below it.
  const int i_max = h->i_druck_max, j_min = h->i_zug_min;
  int i = 0, j = nt - 1;
  for (bool moved = true; moved;) {
    moved = false;
    while (i < i_max && _Seite(C[i], T[j], C[i + 1]) > 0.0) ++i, moved = true;
    while (j > j_min && _Seite(C[i], T[j], T[j - 1]) < 0.0) --j, moved = true;
  }
  const bool tangent = (i + 1 >= nc || _Seite(C[i], T[j], C[i + 1]) <= 0.0) &&
                       (j == 0 || _Seite(C[i], T[j], T[j - 1]) >= 0.0);
  if (!tangent) std::printf("Convex_Hull: Keine Diagonale gefunden !!!\n");
  h->i_diag_druck = i;
  h->i_diag_zug = j;
  const double dx = T[j].x - C[i].x;
  h->diagonale = dx != 0.0 ? (T[j].value - C[i].value) / dx : 1.0;
}

// The hull for the mask frame turned by dphi; 0 when the record cannot be had or an
// element is missing (then no valid cache is left).
int _Convex_Hull(MASQUE *mask, double dphi) {
  mask->flags &= ~MASQUE_HULL_GUELTIG;
  MASQUE_HULL *h = _Obtain(mask, _Capacity(mask));
  if (!h) return 0;
  h->frame[0] = mask->frame[0];
  h->frame[1] = mask->frame[1];
  h->frame[2] = mask->frame[2];
  h->drehung = dphi;
  h->n_druck = h->n_zug = 0;
  _No_Indices(h);
  h->steigung_0 = h->steigung_33 = h->diagonale = 0.0;
  MasqueHullKontext c{};
  c.hull = h;
  c.frame = Masque_Int_Frame(mask, dphi);
  c.xmin = MASQUE_NO_LIMIT;
  c.xmax = -MASQUE_NO_LIMIT;
  double cl = -MASQUE_NO_LIMIT, ed = -MASQUE_NO_LIMIT;
  bool pivot = false;
  for (int i = 0; i < Count_Masque_Gruppen(mask); ++i) {
    const MASQUE_GRUPPE *g = Get_Masque_Gruppe(mask, i);
    if (!g || !g->linie) continue;
    const SPANNUNGSDEHNUNGSLINIE *line = g->linie;
    c.gruppe = g;
    c.a = c.b = c.c = 0.0;
    if (mask->flags & MASQUE_MIT_EIGENDEHNUNG) {
      // The line's own plane is given in the mask frame; here in the frame turned by dphi.
      const DEHNUNGSEBENE &own = line->arbeitsform.eigen;
      c.a = own.eps0;
      c.b = own.kappa * std::cos(own.phi - dphi);
      c.c = own.kappa * std::sin(own.phi - dphi);
    }
    const double epsu = std::fabs(line->param[SDL_EPS_U]);
    if (_Is_Druck_Line(line)) {
      c.art = 1;
      c.unten = -epsu;
      c.oben = MASQUE_NO_LIMIT;
      if (line->param[SDL_EPS_D] > -epsu) {
        pivot = true;
        ed = std::max(ed, line->param[SDL_EPS_D]);
      }
      cl = std::max(cl, -epsu);
    } else {
      c.art = 2;
      c.unten = -epsu;
      c.oben = epsu;
    }
    c.start_druck = h->n_druck;
    c.start_zug = h->n_zug;
    if (!_Add_Gruppe(c, g)) {
      _No_Indices(h);
      return 0;
    }
  }
  if (pivot && c.xmax >= c.xmin && cl < 0.0 && ed > cl) {
    // Concrete with epsD −2 and epsu −3.5: 3/7 of the width from the smallest x.
    const double r = (cl - ed) / cl;
    if (h->n_druck == h->capacity) return 0;
    h->druck[h->n_druck++] = Punkt{c.xmin * (1.0 - r) + c.xmax * r, ed, nullptr, nullptr};
  }
  _Reduce(h);
  mask->flags |= MASQUE_HULL_GUELTIG;
  return 1;
}

bool _Cached(const MASQUE *mask, double dphi) {
  const MASQUE_HULL *h = mask->hull;
  return (mask->flags & MASQUE_HULL_GUELTIG) && h && h->frame[0] == mask->frame[0] &&
         h->frame[1] == mask->frame[1] && h->frame[2] == mask->frame[2] && h->drehung == dphi;
}

}  // namespace

// ======================================================================= collection

void Masque_Hull_Local(const MasqueHullKontext &c, const MASQUE_KNOTEN *node, double *y, double *z) {
  const double dy = node->y - c.frame.y0, dz = node->z - c.frame.z0;
  *y = c.frame.c * dy + c.frame.s * dz;
  *z = c.frame.c * dz - c.frame.s * dy;
}

int Add_Masque_Hull_Punkt(MasqueHullKontext *c, double x, double z) {
  if (!c || !c->hull) return 0;
  MASQUE_HULL *h = c->hull;
  const double L = c->a + c->b * x + c->c * z;
  if (h->n_druck == h->capacity || (c->art == 2 && h->n_zug == h->capacity)) return 0;
  h->druck[h->n_druck++] = Punkt{x, c->unten - L, nullptr, c->gruppe};
  if (c->art == 1) {
    c->xmin = std::min(c->xmin, x);
    c->xmax = std::max(c->xmax, x);
  } else {
    h->zug[h->n_zug++] = Punkt{x, c->oben - L, nullptr, c->gruppe};
  }
  return 1;
}

int Add_Masque_Hull_Knoten(const MASQUE_KNOTEN *node, MasqueHullKontext *c) {
  if (!node || !c || !c->hull) return 0;
  MASQUE_HULL *h = c->hull;
  for (int k = c->start_druck; k < h->n_druck; ++k)
    if (h->druck[k].knoten == node) return 1;  // once per group
  double y, z;
  Masque_Hull_Local(*c, node, &y, &z);
  const int nd = h->n_druck, nz = h->n_zug;
  if (!Add_Masque_Hull_Punkt(c, y, z)) return 0;
  h->druck[nd].knoten = node;
  if (h->n_zug > nz) h->zug[nz].knoten = node;
  return 1;
}

int Add_Masque_Hull_Liniengruppe(const MASQUE_GRUPPE *group, MasqueHullKontext *c) {
  if (!group || !c || group->typ != MASQUE_LINIENGRUPPE) return 0;
  for (int k = 0; k < Count_Masque_Linien(group); ++k) {
    const MASQUE_LINIE *l = Get_Masque_Linie(group, k);
    if (!l || !l->kante || !l->kante->anfang || !l->kante->ende) return 0;
    // The start node as a plain point, then recorded in the vertices it gave.
    MASQUE_HULL *h = c->hull;
    const int nd = h->n_druck, nz = h->n_zug;
    double y, z;
    Masque_Hull_Local(*c, l->kante->anfang, &y, &z);
    if (!Add_Masque_Hull_Punkt(c, y, z)) return 0;
    h->druck[nd].knoten = l->kante->anfang;
    if (h->n_zug > nz) h->zug[nz].knoten = l->kante->anfang;
    if (!Add_Masque_Hull_Knoten(l->kante->ende, c)) return 0;
  }
  return 1;
}

// ======================================================================= public

int Convex_Hull(MASQUE *mask) { return mask ? _Convex_Hull(mask, 0.0) : 0; }

int Compute_Masque_Hull(MASQUE *mask) { return Convex_Hull(mask); }

int Update_Masque_Hull(MASQUE *mask) {
  if (!mask) return 0;
  return _Cached(mask, 0.0) ? 1 : _Convex_Hull(mask, 0.0);
}

int Masque_Hull_Grenzdehnungsebene(MASQUE *mask, const double *pair, DEHNUNGSEBENE *out) {
  if (!mask || !pair || !out) return 0;
  const double dphi = pair[0];
  if (!_Cached(mask, dphi) && !_Convex_Hull(mask, dphi)) return 0;
  const MASQUE_HULL *h = mask->hull;
  if (h->i_diag_druck < 0 || h->i_diag_zug < 0) return -1;  // no diagonal
  const double t = pair[1];
  const double d = h->diagonale;
  if (t > 16.0) {
    const double s = d + (std::min(t, 33.0) - 16.0) / 17.0 * (h->steigung_33 - d);
    const int lo = std::min(h->i_diag_zug, h->i_zug_min), hi = std::max(h->i_diag_zug, h->i_zug_min);
    for (int k = lo; k <= hi; ++k) {
      if (h->zug_steigung[k] <= s && s <= h->zug_steigung[k + 1]) {
        *out = DEHNUNGSEBENE{dphi, h->zug[k].value - h->zug[k].x * s, s, 0.0};
        return 1;
      }
    }
    return 0;
  }
  const double s = h->steigung_0 + std::max(t, 0.0) / 16.0 * (d - h->steigung_0);
  const int lo = std::min(h->i_diag_druck, h->i_druck_max), hi = std::max(h->i_diag_druck, h->i_druck_max);
  for (int k = lo; k <= hi; ++k) {
    if (h->druck_steigung[k] >= s && s >= h->druck_steigung[k + 1]) {
      *out = DEHNUNGSEBENE{dphi, h->druck[k].value - h->druck[k].x * s, s, 0.0};
      return 1;
    }
  }
  return 0;
}

int Get_Masque_Hull_Grenzdehnungsebene(MASQUE *mask, const double *pair, DEHNUNGSEBENE *out) {
  return Masque_Hull_Grenzdehnungsebene(mask, pair, out) == 1 ? 1 : 0;
}
