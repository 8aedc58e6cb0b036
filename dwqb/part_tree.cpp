// Part tree of a part-mode run: the section group, the line group, one group per
// connected part and one line element per line, with the shear groups (chains of lines
// along which a shear flow is integrated); the generic walk over the tree; and the
// readers of a line's unit shear and warping values.
#include <cmath>
#include <cstdio>
#include <cstring>

#include "dwqb/dwqb_internal.h"
#include "dwqb/dwqb_stress.h"
#include "support/support.h"

DWQB_LINE_RESULT *Dwqb_Line_Result(DWQB_PART *part) {
  if (!part || (part->kind != DWQB_PART_LINE && part->kind != DWQB_PART_LINE_CL)) return nullptr;
  return &reinterpret_cast<DWQB_LINE_ELEMENT *>(part)->result;
}

DWQB_PART *Get_DWQB_Root_Part() { return Dwqb_State().root; }

double Dwqb_Six_Point(const double *v, double s) {
  const double lin = ((1.0 - s) * v[0] + (1.0 + s) * v[1]) / 2.0;
  const double s2 = s * s;
  const double bubble = 8.138020833333336 * (0.36 - s2) * ((0.2 - s) * v[3] + (0.2 + s) * v[4]) -
                        4.069010416666667 * (0.04 - s2) * ((0.6 - s) * v[2] + (0.6 + s) * v[5]);
  return lin + (1.0 - s2) * bubble;
}

// ---------------------------------------------------------------- building the tree

// Grows one container of the part-tree buffer to hold `need` records; memory that cannot
// be had ends the run, since a run without its part tree would report empty values.
template <class T>
static void _Grow(T **block, int *cap, int need) {
  if (*block && *cap >= need) return;
  void *p = MEM_REALLOC(*block, sizeof(T) * static_cast<std::size_t>(need > 0 ? need : 1));
  if (!p) Exit_Memory_Exhausted();
  *block = static_cast<T *>(p);
  *cap = need > 0 ? need : 1;
}

static bool _Counts(const DWQB_LINE *l, bool links) {
  return links ? (l->flags_links & WE_CELL) && l->face_links : (l->flags_rechts & WE_CELL) && l->face_rechts;
}
static bool _Same_Face(const DWQB_LINE *f1, std::uint32_t fl1, const DWQB_LINE *f2, std::uint32_t fl2) {
  return f1 == f2 && (fl1 & 0x30u) == (fl2 & 0x30u);
}

// Key of a line without shear entry for the choice of a chain start in a part without
// free ends: lines with few cells, few cells beyond their neighbours and few sides
// already reached by placed entries come first.
static long _Chain_Key(const DWQB_LINE *X, const DWQB_PART *P, const DWQB_SHEAR_ENTRY *placed, int n_placed) {
  struct Face {
    const DWQB_LINE *ref;
    std::uint32_t flags;
    bool live;
  } faces[2];
  int nc = 0;
  if (_Counts(X, false)) faces[nc++] = {X->face_rechts, X->flags_rechts, true};
  if (_Counts(X, true)) faces[nc++] = {X->face_links, X->flags_links, true};
  if (nc == 0) return 10000001;
  auto is_x_face = [&](const DWQB_LINE *f, std::uint32_t fl) {
    for (int i = 0; i < nc; ++i)
      if (_Same_Face(faces[i].ref, faces[i].flags, f, fl)) return true;
    return false;
  };
  long k = nc;
  for (int i = 0; i < P->count; ++i) {
    const DWQB_PART *e = P->children[i];
    const DWQB_LINE *M = e ? e->line : nullptr;
    if (!M || M == X || !_Counts(M, true) || !_Counts(M, false)) continue;
    const bool l_x = is_x_face(M->face_links, M->flags_links), r_x = is_x_face(M->face_rechts, M->flags_rechts);
    if (l_x == r_x) continue;
    const DWQB_LINE *of = l_x ? M->face_rechts : M->face_links;
    const std::uint32_t off = l_x ? M->flags_rechts : M->flags_links;
    bool earlier = false;
    for (int j = 0; j < i && !earlier; ++j) {
      const DWQB_LINE *M2 = P->children[j] ? P->children[j]->line : nullptr;
      if (!M2 || M2 == X || !_Counts(M2, true) || !_Counts(M2, false)) continue;
      const bool a = _Same_Face(M2->face_links, M2->flags_links, of, off) && is_x_face(M2->face_rechts, M2->flags_rechts);
      const bool b = _Same_Face(M2->face_rechts, M2->flags_rechts, of, off) && is_x_face(M2->face_links, M2->flags_links);
      earlier = a || b;
    }
    if (!earlier) ++k;
  }
  long key = 10 * k + 1;
  int live = nc;
  for (int i = 0; i < n_placed && live > 0; ++i) {
    const DWQB_LINE *E = placed[i].line;
    int hits = 0;
    for (int f = 0; f < nc; ++f) {
      if (!faces[f].live) continue;
      const bool on = (_Counts(E, true) && _Same_Face(E->face_links, E->flags_links, faces[f].ref, faces[f].flags)) ||
                      (_Counts(E, false) && _Same_Face(E->face_rechts, E->flags_rechts, faces[f].ref, faces[f].flags));
      if (on) {
        ++hits;
        faces[f].live = false;
        --live;
      }
    }
    if (hits == 2) {
      key += 2000000;
      break;
    }
    if (hits == 1) key += 1000000;
  }
  return key;
}

// Cuts part P into chains of shear entries starting at shear[first]; lines_left is the
// number of entries still free. Returns the entries placed; *stop is set when a line
// could not be placed (placing ends for the whole tree).
static int _Cut_Shear_Groups(DWQB_PART *P, DWQB_SHEAR_ENTRY *entries, int lines_left, bool *stop) {
  int placed = 0;
  auto touches = [](const DWQB_LINE *l, const DWQB_NODE *n) { return l->node_a == n || l->node_b == n; };
  for (;;) {
    DWQB_LINE *L = nullptr;
    DWQB_NODE *N = nullptr;
    std::uint32_t sf = DWQB_SHEAR_FIRST;
    // 1. A line without entry whose node a, else node b, has exactly one unplaced line.
    for (int i = 0; i < P->count && !L; ++i) {
      DWQB_PART *e = P->children[i];
      if (!e || !e->line || e->shear) continue;
      if (e->line->node_a->work == 1)
        N = e->line->node_a;
      else if (e->line->node_b->work == 1)
        N = e->line->node_b;
      if (N) L = e->line;
    }
    // 2. Otherwise by key.
    if (!L) {
      long best_key = 0;
      int best_count = 0;
      for (int i = 0; i < P->count; ++i) {
        DWQB_PART *e = P->children[i];
        if (!e || !e->line || e->shear) continue;
        const long key = _Chain_Key(e->line, P, entries, placed);
        DWQB_NODE *cand[2] = {e->line->node_a, e->line->node_b};
        for (DWQB_NODE *c : cand) {
          if (c->work <= 0) continue;
          const bool first = !L;
          if ((first || key <= best_key) && (first || key < best_key || best_count == 0 || c->work < best_count)) {
            L = e->line;
            N = c;
            best_key = key;
            best_count = c->work;
          }
        }
      }
      if (!L) return placed;
      sf = N->work > 1 ? (DWQB_SHEAR_FIRST | DWQB_SHEAR_BRANCH) : DWQB_SHEAR_FIRST;
    }
    // 3. The chain.
    DWQB_SHEAR_ENTRY *last = nullptr;
    for (;;) {
      if (placed >= lines_left || L->node_a->work < 1 || L->node_b->work < 1) {
        std::printf("_Init_Result_Buffer: Linie %d kann nicht in Schub-Gruppe eingefuegt werden\n", L->nr);
        *stop = true;
        if (last) last->flags |= DWQB_SHEAR_LAST;
        return placed;
      }
      --L->node_a->work;
      --L->node_b->work;
      DWQB_SHEAR_ENTRY *e = &entries[placed];
      e->line = L;
      L->element->shear = e;
      DWQB_NODE *next;
      if (L->node_b == N) {
        e->flags = DWQB_SHEAR_B_TO_A;
        next = L->node_a;
      } else {
        e->flags = DWQB_SHEAR_A_TO_B;
        next = L->node_b;
      }
      e->flags |= sf;
      sf = 0;
      ++placed;
      last = e;
      if (next->work != 1) break;
      // The first line of P in child order (list order) at the next node without entry:
      // every line at the node belongs to P.
      DWQB_LINE *cont = nullptr;
      int count;
      DWQB_LINE *const *at_node = Dwqb_Node_Lines(next, &count);
      for (int i = 0; i < count && !cont; ++i) {
        const DWQB_PART *c = at_node[i]->element;
        if (c && !c->shear && touches(at_node[i], next)) cont = at_node[i];
      }
      if (!cont) break;
      L = cont;
      N = next;
    }
    last->flags |= DWQB_SHEAR_LAST;
  }
}

void _Clear_DWQB_Part_Results() {
  DwqbState &g = Dwqb_State();
  g.root = g.line_group = nullptr;
  g.section_result = DWQB_SECTION_RESULT{};
  std::memset(g.centre_line, 0, sizeof g.centre_line);
  std::memset(g.shear_centre, 0, sizeof g.shear_centre);
  std::memset(g.shear_sums, 0, sizeof g.shear_sums);
  g.k1u = g.k1v = g.k2u = g.k2v = 0.0;
  g.pc_cos = 1.0;
  g.pc_sin = 0.0;
}

void _Build_DWQB_Part_Tree() {
  DwqbState &g = Dwqb_State();
  _Clear_DWQB_Part_Results();
  for (DWQB_NODE *n = g.node_head; n; n = n->next) {
    n->flags = 0;
    std::memset(n->work_values, 0, sizeof n->work_values);
    n->work = n->use_count;
  }
  int n_lines = 0, n_parts = 0;
  for (DWQB_LINE *l = g.line_head; l; l = l->next) {
    ++n_lines;
    if (l->part_line == l) ++n_parts;
    l->element = nullptr;
  }
  _Grow(&g.groups, &g.cap_groups, 2 + n_parts);
  _Grow(&g.elements, &g.cap_elements, n_lines);
  _Grow(&g.refs, &g.cap_refs, n_parts + n_lines);
  _Grow(&g.shear, &g.cap_shear, n_lines);
  std::memset(g.groups, 0, sizeof(DWQB_PART) * static_cast<std::size_t>(2 + n_parts));
  std::memset(g.elements, 0, sizeof(DWQB_LINE_ELEMENT) * static_cast<std::size_t>(n_lines));
  std::memset(g.refs, 0, sizeof(DWQB_PART *) * static_cast<std::size_t>(n_parts + n_lines));
  std::memset(g.shear, 0, sizeof(DWQB_SHEAR_ENTRY) * static_cast<std::size_t>(n_lines));

  DWQB_PART *sec = &g.groups[0], *lg = &g.groups[1];
  sec->kind = lg->kind = DWQB_PART_GROUP;
  sec->children = g.refs;
  lg->children = g.refs + n_parts;
  int ip = 0, ie = 0, slot = n_parts, ns = 0;
  bool stop = false;
  for (DWQB_LINE *R = g.line_head; R && !stop; R = R->next) {
    if (R->part_line != R) continue;
    DWQB_PART *P = &g.groups[2 + ip++];
    P->kind = DWQB_PART_GROUP;
    g.refs[sec->count++] = P;
    P->children = g.refs + slot;
    for (DWQB_LINE *L = R; L; L = L->next) {
      if (L->part_line != R) continue;
      DWQB_LINE_ELEMENT *E = &g.elements[ie++];
      E->part.kind = L->part_nr == 1 ? DWQB_PART_LINE_CL : DWQB_PART_LINE;
      E->part.count = 1;
      E->part.line = L;
      g.refs[slot++] = &E->part;
      ++P->count;
      L->element = &E->part;
    }
    P->shear = g.shear + ns;
    P->n_entries = _Cut_Shear_Groups(P, P->shear, n_lines - ns, &stop);
    ns += P->n_entries;
  }
  lg->count = ie;
  lg->n_entries = ns;
  lg->shear = g.shear;
  if (ip != n_parts || ie != n_lines || ns != n_lines)
    std::printf("_Init_Result_Buffer: (%d Teile, %d Linien, %d Schub-Linien) != (%d Teile, %d Linien, %d Schub-Linien)\n",
                ip, ie, ns, n_parts, n_lines, n_lines);
  g.root = sec;
  g.line_group = lg;
}

// ---------------------------------------------------------------- walking the tree

int Walk_DWQB_Part(DWQB_PART *P, const DWQB_WALK_STEPS *st) {
  if (!P || !st || P->kind != DWQB_PART_GROUP) return 0;
  if (st->part_begin && !st->part_begin(P, st->part_ctx)) return 0;
  if (st->line_step)
    for (int i = 0; i < P->count; ++i) {
      DWQB_PART *e = P->children[i];
      if (e && e->kind != DWQB_PART_GROUP && !st->line_step(e->line, e->kind, st->line_ctx)) return 0;
    }
  if (st->entry_step)
    for (int i = 0; i < P->n_entries; ++i)
      if (!st->entry_step(&P->shear[i], st->entry_ctx)) return 0;
  if (st->part_end && !st->part_end(P, st->part_ctx)) return 0;
  return 1;
}

int Walk_DWQB_Part_Tree(const DWQB_WALK_STEPS *st) {
  DWQB_PART *root = Dwqb_State().root;
  if (!st || !root || root->kind != DWQB_PART_GROUP) return 0;
  if (st->root_begin && !st->root_begin(root, st->root_ctx)) return 0;
  const bool inner = st->part_begin || st->line_step || st->entry_step || st->part_end;
  if (inner)
    for (int i = 0; i < root->count; ++i) {
      DWQB_PART *P = root->children[i];
      if (!P || P->kind != DWQB_PART_GROUP) return 0;
      if (!Walk_DWQB_Part(P, st)) return 0;
    }
  return st->root_end ? st->root_end(root, st->root_ctx) : 1;
}

// ---------------------------------------------------------------- line values

static double _Recip_Thickness(const DWQB_LINE *l, double s) {
  const double d = (1.0 - s) * l->t_a + (1.0 + s) * l->t_b;
  return d != 0.0 ? 2.0 / d : 0.0;
}

int Get_DWQB_Line_Shear_Values(DWQB_LINE *line, int mode, double *out, double s, double angle, int per_t) {
  DWQB_LINE_RESULT *r = line ? Dwqb_Line_Result(line->element) : nullptr;
  if (!r || !out) return 0;
  const DwqbState &g = Dwqb_State();
  // The rows hold the flows of unit forces along the principal axes of the centre-line
  // model (q1 along axis 2, q2 along axis 1); the pair asked for belongs to the axes
  // turned by angle from y (mode 0) or from axis 1 (mode 1).
  double a = Dwqb_Six_Point(r->q1, s), b = Dwqb_Six_Point(r->q2, s);
  const double turn = angle + (mode == 1 ? g.centre_line[11] : 0.0) - g.centre_line[11];
  if (turn != 0.0) {
    const double c = std::cos(turn), sn = std::sin(turn);
    const double q_u = b, q_v = a;
    b = c * q_u + sn * q_v;
    a = c * q_v - sn * q_u;
  }
  const double rt = _Recip_Thickness(line, s);
  out[0] = a;
  out[1] = b;
  out[2] = r->q_torsion;
  out[4] = rt;
  if (per_t) {
    out[0] *= rt;
    out[1] *= rt;
    out[2] *= rt;
  }
  const DWQB_PART *root = g.root;
  const double IT = root ? root->values[45] + root->values[46] : 0.0;
  if (IT > 0.0 && per_t) {
    out[3] = (rt != 0.0 ? 1.0 / rt : 0.0) / IT;
  } else {
    out[3] = (IT > 0.0 && line->geo.length != 0.0) ? line->element->values[45] / (IT * line->geo.length) : 0.0;
  }
  return 1;
}

int Get_DWQB_Line_Warping_Values(DWQB_LINE *line, int mode, double *out, double s, double py, double pz, int per_t) {
  DWQB_LINE_RESULT *r = line ? Dwqb_Line_Result(line->element) : nullptr;
  if (!r || !out) return 0;
  const DwqbState &g = Dwqb_State();
  const double rt = _Recip_Thickness(line, s);
  out[3] = Dwqb_Six_Point(r->q4, s);
  out[4] = rt;
  double y, z;
  Calc_Line_Point(&line->geo, s, &y, &z);
  const double om = Calc_Line_Omega(line, s);
  if (!per_t) {
    if (mode == 1) {
      py += g.section_result.y_s;
      pz += g.section_result.z_s;
    } else if (mode == 2) {
      py += g.shear_centre[0];
      pz += g.shear_centre[1];
    }
    out[0] = om + (y - r->y0) * pz + (r->z0 - z) * py;
    out[1] = py;
    out[2] = pz;
    return 1;
  }
  if (g.shear_centre[4] > 0.0) {
    py = g.shear_centre[0];
    pz = g.shear_centre[1];
    out[0] = (om + (y - r->y0) * pz + (r->z0 - z) * py) / g.shear_centre[4];
    out[1] = py;
    out[2] = pz;
  }
  out[3] *= rt;
  return 1;
}

namespace {
// Context of the extreme-value line steps: the sampling and the extremes so far.
struct LineExtremes {
  int mode, n, per_t;
  double a, b;          // angle (shear) or pole offsets (warping)
  double lo[5], hi[5];
  bool first;
};
void _Widen(LineExtremes &c, const double *v) {
  for (int j = 0; j < 5; ++j) {
    if (c.first || v[j] < c.lo[j]) c.lo[j] = v[j];
    if (c.first || v[j] > c.hi[j]) c.hi[j] = v[j];
  }
  c.first = false;
}
}  // namespace

// Line step of Calc_DWQB_Line_Shear_Extremes: the five shear values of the line at its n
// sample points widen the extremes of the context. Returns 1.
static int _Line_Shear_Extremes_Step(DWQB_LINE *line, int, void *ctx) {
  auto *c = static_cast<LineExtremes *>(ctx);
  if (!line || !c) return 1;
  for (int k = 0; k < c->n; ++k) {
    double v[5];
    if (Get_DWQB_Line_Shear_Values(line, c->mode, v, -1.0 + 2.0 * k / (c->n - 1), c->a, c->per_t)) _Widen(*c, v);
  }
  return 1;
}

int Calc_DWQB_Line_Shear_Extremes(int mode, int n, double *minima, double angle, double *maxima, int per_t) {
  return Get_DWQB_Extreme_Values(per_t ? DWQB_EXTREME_SHEAR_STRESSES : DWQB_EXTREME_SHEAR_FLOWS, mode, n, angle, 0.0,
                                 minima, maxima);
}

// Line step of the warping extremes: the five warping values of the line (pole kind in
// mode, pole offsets a, b) at its n sample points widen the extremes. Returns 1.
static int _Line_Warping_Extremes_Step(DWQB_LINE *line, int, void *ctx) {
  auto *c = static_cast<LineExtremes *>(ctx);
  if (!line || !c) return 1;
  for (int k = 0; k < c->n; ++k) {
    double v[5] = {0, 0, 0, 0, 0};
    if (Get_DWQB_Line_Warping_Values(line, c->mode, v, -1.0 + 2.0 * k / (c->n - 1), c->a, c->b, c->per_t))
      _Widen(*c, v);
  }
  return 1;
}

int Get_DWQB_Extreme_Values(int variant, int mode, int n, double a, double b, double *minima, double *maxima) {
  LineExtremes c{mode, n < 2 ? 11 : n, 0, a, b, {0, 0, 0, 0, 0}, {0, 0, 0, 0, 0}, true};
  DWQB_WALK_STEPS st{};
  st.line_ctx = &c;
  int known = 1;
  switch (variant) {
    case DWQB_EXTREME_SHEAR_FLOWS:
    case DWQB_EXTREME_SHEAR_STRESSES:
      st.line_step = _Line_Shear_Extremes_Step;
      c.per_t = variant == DWQB_EXTREME_SHEAR_STRESSES;
      break;
    case DWQB_EXTREME_WARPING_FLOWS:
      st.line_step = _Line_Warping_Extremes_Step;
      break;
    case DWQB_EXTREME_WARPING_STRESSES:
      st.line_step = _Line_Warping_Extremes_Step;
      c.mode = DWQB_FRAME_SHEAR_CENTRE;
      c.a = c.b = 0.0;
      c.per_t = 1;
      break;
    default:
      known = 0;
  }
  if (known) Walk_DWQB_Part_Tree(&st);
  if (minima) std::memcpy(minima, c.lo, sizeof c.lo);
  if (maxima) std::memcpy(maxima, c.hi, sizeof c.hi);
  return known;
}
