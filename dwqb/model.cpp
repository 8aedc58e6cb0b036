// The current section of the solver: module state, building, lookups, listed tables,
// model keys, and the driver's common start.
#include <cmath>
#include <cstdio>
#include <cstring>

#include "dwqb/dwqb_internal.h"
#include "dwqb/dwqb_plastic.h"
#include "dwqb/stress_internal.h"
#include "sections/sections.h"
#include "support/support.h"

int DWQB_Part_Mode_Switch = 0;
int DWQB_Wall_Terms_Switch = 0;

static void _Reset_Header(DWQB_HEADER *h);

namespace {
DwqbState g = [] {
  DwqbState s{};
  _Reset_Header(&s.header);
  return s;
}();
}  // namespace

DwqbState &Dwqb_State() { return g; }

// A, y_s, z_s, alpha, I_1, I_2, the four moduli, I_T, I_w, the ordinate shift, y_M, z_M,
// the warping values 25 to 27, W_pl,y and W_pl,z.
const int kDwqbPresetIndex[20] = {0, 1, 2, 13, 14, 15, 16, 17, 18, 19, 8, 29, 28, 22, 23, 25, 26, 27, 34, 35};

static void _Reset_Header(DWQB_HEADER *h) {
  std::memset(h->name, 0, sizeof h->name);
  h->name[0] = ' ';
  h->kind = -1;
  h->words[0] = h->words[1] = -1;
  h->options = 0;
  h->n_listed_lines = 0;
  h->n_listed_nodes = 0;
  h->n_cells = 0;
}

// Nodes and lines of a freed section wait on the module's free lists and are taken from
// there, cleared, for the next section; a record is allocated only when its free list is
// empty. The lists are doubly linked through next and prev.
template <class Record>
static Record *_Append_Record(Record *&free_list, Record *&head, Record *&tail) {
  Record *r = free_list;
  if (r)
    free_list = r->next;
  else
    r = static_cast<Record *>(Tools_Alloc(nullptr, sizeof(Record), 1));
  std::memset(r, 0, sizeof *r);
  r->prev = tail;
  if (tail)
    tail->next = r;
  else
    head = r;
  tail = r;
  return r;
}

// The whole list goes in front of the free list; no record is visited one by one.
template <class Record>
static void _Give_Back_Records(Record *&head, Record *&tail, Record *&free_list) {
  if (head) {
    tail->next = free_list;
    free_list = head;
  }
  head = tail = nullptr;
}

template <class Record>
static void _Free_Records(Record *&list) {
  for (Record *r = list; r;) {
    Record *next = r->next;
    Tools_Free(&r);
    r = next;
  }
  list = nullptr;
}

void Clear_DWQB_Outline_Piece(DWQB_OUTLINE_PIECE *p) {
  std::memset(p, 0, sizeof *p);
  p->flags = DWQB_PIECE_EMPTY;
  p->s0 = -1.0;
  p->s1 = 1.0;
  p->w0 = -1.0;
  p->w1 = -1.0;
}

void Free_DWQB_Querschnitt() {
  g.sticky_code = 0;
  _Give_Back_Records(g.line_head, g.line_tail, g.line_free);
  _Give_Back_Records(g.node_head, g.node_tail, g.node_free);
  // The part tree refers to the lines just given back.
  g.root = g.line_group = nullptr;
  g.node_by_nr.clear();
  g.line_by_nr.clear();
  g.repeated_node_nr = false;
  g.n_nodes = g.n_lines = 0;
  g.node_lines_valid = false;
  g.cache_nr = 0;
  g.cache_line = nullptr;
  // The plastic mask and the PLO mask of the section go with it, with their failed flags
  // and the PLO parameters; the line caches of the stress services go, and the result
  // object of an installed result hook goes to the hook's free function.
  Free_DWQB_Plastic_Masks();
  _Free_DWQB_Stress_Results();
}

int Reset_DWQB_Querschnitt() {
  Free_DWQB_Querschnitt();
  std::memset(&g.values, 0, sizeof g.values);
  _Reset_Header(&g.header);
  return 0;
}

void Add_DWQB_Node(int nr, double y, double z) {
  DWQB_NODE *n = _Append_Record(g.node_free, g.node_head, g.node_tail);
  n->nr = nr;
  n->index = g.n_nodes++;
  n->y = y;
  n->z = z;
  auto [it, fresh] = g.node_by_nr.try_emplace(nr, n);
  if (!fresh) {
    it->second = n;
    g.repeated_node_nr = true;
  }
  g.node_lines_valid = false;
}

void Add_DWQB_Line(int nr, int part, int node_a, int node_b, const double *values) {
  DWQB_LINE *l = _Append_Record(g.line_free, g.line_head, g.line_tail);
  l->geo.cos = 1.0;
  l->geo.tol = 0.001;
  for (DWQB_OUTLINE_PIECE &p : l->outline) Clear_DWQB_Outline_Piece(&p);

  static const double kZeros[9] = {0, 0, 0, 0, 0, 0, 0, 0, 0};
  const double *v = values ? values : kZeros;
  l->t_a = v[0];
  l->t_b = v[1];
  l->t_m = (v[0] + v[1]) * 0.5;
  l->rot_a = v[3];
  l->rot_b = v[4];
  l->rad_links_a = v[5];
  l->rad_rechts_a = v[6];
  l->rad_links_b = v[7];
  l->rad_rechts_b = v[8];
  l->nr = nr;
  l->index = g.n_lines++;
  l->part_nr = part;
  g.line_by_nr.try_emplace(nr, l);
  g.node_lines_valid = false;

  // Every node with the number is counted; the last one is referenced.
  if (g.repeated_node_nr) {
    for (DWQB_NODE *n = g.node_head; n; n = n->next) {
      if (n->nr == node_a) {
        l->node_a = n;
        ++n->use_count;
      }
      if (n->nr == node_b) {
        l->node_b = n;
        ++n->use_count;
      }
    }
  } else {
    for (int k = 0; k < 2; ++k) {
      auto it = g.node_by_nr.find(k ? node_b : node_a);
      if (it == g.node_by_nr.end()) continue;
      (k ? l->node_b : l->node_a) = it->second;
      ++it->second->use_count;
    }
  }
  if (!g.node_head || !l->node_a || !l->node_b) {
    g.sticky_code = DWQB_FAULT_MISSING_NODE;
    return;
  }
  Set_DWQB_Line_Geometry(l->node_a->y, l->node_a->z, l->node_b->y, l->node_b->z, v[2], l->t_a, l->t_b, 0.001,
                         &l->geo);
}

void Add_DWQB_Line_Const_Thickness(int nr, int node_a, int node_b, double t) {
  const double v[9] = {t, t, 0, 0, 0, 0, 0, 0, 0};
  Add_DWQB_Line(nr, 0, node_a, node_b, v);
}

DWQB_VALUES *Get_DWQB_Values() { return &g.values; }
DWQB_HEADER *Get_DWQB_Header() { return &g.header; }
DWQB_NODE *Get_DWQB_First_Node() { return g.node_head; }
DWQB_LINE *Get_DWQB_First_Line() { return g.line_head; }

DWQB_LINE *Find_DWQB_Line_Record(int nr) {
  if (g.cache_line && g.cache_nr == nr) return g.cache_line;
  auto it = g.line_by_nr.find(nr);
  if (it == g.line_by_nr.end()) return nullptr;
  g.cache_nr = nr;
  g.cache_line = it->second;
  return it->second;
}

DWQB_LINE *const *Dwqb_Node_Lines(const DWQB_NODE *node, int *n) {
  if (!g.node_lines_valid) {
    // Counting sort of the line ends by node: every node keeps its lines in list order.
    std::vector<int> &start = g.node_line_start;
    start.assign(static_cast<std::size_t>(g.n_nodes) + 2, 0);
    for (DWQB_LINE *l = g.line_head; l; l = l->next) {
      if (l->node_a) ++start[static_cast<std::size_t>(l->node_a->index) + 2];
      if (l->node_b && l->node_b != l->node_a) ++start[static_cast<std::size_t>(l->node_b->index) + 2];
    }
    for (std::size_t k = 2; k < start.size(); ++k) start[k] += start[k - 1];
    g.node_lines.resize(static_cast<std::size_t>(start.back()));
    for (DWQB_LINE *l = g.line_head; l; l = l->next) {
      if (l->node_a) g.node_lines[static_cast<std::size_t>(start[static_cast<std::size_t>(l->node_a->index) + 1]++)] = l;
      if (l->node_b && l->node_b != l->node_a)
        g.node_lines[static_cast<std::size_t>(start[static_cast<std::size_t>(l->node_b->index) + 1]++)] = l;
    }
    g.node_lines_valid = true;
  }
  const std::size_t k = static_cast<std::size_t>(node->index);
  *n = g.node_line_start[k + 1] - g.node_line_start[k];
  return g.node_lines.data() + g.node_line_start[k];
}

DWQB_OUTLINE_PIECE *Find_DWQB_Line(int nr) {
  DWQB_LINE *l = Find_DWQB_Line_Record(nr);
  return l ? &l->outline[0] : nullptr;
}

void Get_DWQB_Line_Point(double t, const DWQB_OUTLINE_PIECE *p, double *y, double *z) {
  double yy = 0.0, zz = 0.0;
  if (p) {
    if ((p->flags & DWQB_PIECE_ARC) && p->line) {
      const double s = ((p->s1 - p->s0) * t + (p->s1 + p->s0)) / 2.0;
      const double w = ((p->w1 - p->w0) * t + (p->w1 + p->w0)) / 2.0;
      Get_DWQB_Line_Geometry_Point(s, w, &p->line->geo, &yy, &zz);
    } else if (p->flags & DWQB_PIECE_ARC) {
      DWQB_LINE_GEOMETRY arc;
      Set_DWQB_Line_Geometry(p->y0, p->z0, p->y1, p->z1, p->rise, 0.0, 0.0, 0.001, &arc);
      Calc_Line_Point(&arc, t, &yy, &zz);
    } else {
      yy = ((p->y1 - p->y0) * t + (p->y1 + p->y0)) / 2.0;
      zz = ((p->z1 - p->z0) * t + (p->z1 + p->z0)) / 2.0;
    }
  }
  if (y) *y = yy;
  if (z) *z = zz;
}

int Get_DWQB_Line_End_Omega(int nr, double *omega_a, double *omega_b) {
  DWQB_LINE *l = Find_DWQB_Line_Record(nr);
  if (!l) return 0;
  // Part mode keeps the ordinates in the line's result block.
  const DWQB_LINE_RESULT *r = g.root ? Dwqb_Line_Result(l->element) : nullptr;
  if (omega_a) *omega_a = r ? r->omega_a : l->omega_a;
  if (omega_b) *omega_b = r ? r->omega_b : l->omega_b;
  return 1;
}

int Grow_DWQB_Listed_Tables(int n_nodes, int n_lines) {
  DWQB_HEADER &h = g.header;
  if (n_nodes > h.cap_listed_nodes || !h.listed_nodes) {
    // Rows 0..n_nodes; row 0 stays unused.
    const std::size_t old_rows = h.listed_nodes ? static_cast<std::size_t>(h.cap_listed_nodes) + 1 : 0;
    const std::size_t new_rows = static_cast<std::size_t>(n_nodes > h.cap_listed_nodes ? n_nodes : h.cap_listed_nodes) + 1;
    h.listed_nodes =
        static_cast<DWQB_LISTED_NODE *>(Tools_Alloc(h.listed_nodes, sizeof(DWQB_LISTED_NODE) * new_rows, 0));
    std::memset(h.listed_nodes + old_rows, 0, sizeof(DWQB_LISTED_NODE) * (new_rows - old_rows));
    h.cap_listed_nodes = static_cast<int>(new_rows - 1);
  }
  if (n_lines > h.cap_listed_lines) {
    h.listed_lines = static_cast<DWQB_LISTED_LINE *>(
        Tools_Alloc(h.listed_lines, sizeof(DWQB_LISTED_LINE) * static_cast<std::size_t>(n_lines), 0));
    std::memset(h.listed_lines + h.cap_listed_lines, 0,
                sizeof(DWQB_LISTED_LINE) * static_cast<std::size_t>(n_lines - h.cap_listed_lines));
    h.cap_listed_lines = n_lines;
  }
  return 0;
}

int List_DWQB_Section() {
  DWQB_HEADER &h = g.header;
  h.n_listed_lines = h.n_listed_nodes = 0;
  int n_nodes = 0, n_lines = 0;
  for (DWQB_NODE *n = g.node_head; n; n = n->next) ++n_nodes;
  for (DWQB_LINE *l = g.line_head; l; l = l->next) ++n_lines;
  Grow_DWQB_Listed_Tables(n_nodes, n_lines);

  int k = 0;
  for (DWQB_NODE *n = g.node_head; n; n = n->next, ++k) {
    n->work = k;
    DWQB_LISTED_NODE &row = h.listed_nodes[k + 1];
    row.nr = n->nr;
    row.y = static_cast<float>(n->y);
    row.z = static_cast<float>(n->z);
  }
  h.n_listed_nodes = n_nodes;
  k = 0;
  for (DWQB_LINE *l = g.line_head; l; l = l->next, ++k) {
    DWQB_LISTED_LINE &row = h.listed_lines[k];
    row.nr = l->nr;
    row.node_a = l->node_a ? l->node_a->work : -1;
    row.node_b = l->node_b ? l->node_b->work : -1;
    row.t_m = static_cast<float>(l->t_m);
  }
  h.n_listed_lines = n_lines;
  return 0;
}

int Compare_DWQB_Model_Key(const DWQB_MODEL_KEY *a, const DWQB_MODEL_KEY *b) {
  if (!a) return b ? -1 : 0;
  if (!b) return 1;
  int c = std::memcmp(a->head, b->head, sizeof a->head);
  if (c) return c;
  c = std::memcmp(&a->len, &b->len, sizeof a->len);
  if (c) return c;
  if (a->len < 1) return 0;
  if (!a->block) return b->block ? -1 : 0;
  if (!b->block) return 1;
  return std::memcmp(a->block, b->block, static_cast<std::size_t>(a->len));
}

int Copy_DWQB_Model_Key(DWQB_MODEL_KEY *dst, const DWQB_MODEL_KEY *src) {
  if (!dst || !src) return 0;
  std::memcpy(dst->head, src->head, sizeof dst->head);
  dst->len = src->len;
  if (src->len < 1) return 1;
  if (!src->block) {
    dst->len = 0;
    return 0;
  }
  if (dst->cap < src->len || !dst->block) {
    dst->block = static_cast<unsigned char *>(Tools_Alloc(dst->block, static_cast<std::size_t>(src->len), 0));
    dst->cap = src->len;
  }
  std::memcpy(dst->block, src->block, static_cast<std::size_t>(src->len));
  return 1;
}

void Free_DWQB_Model_Key(DWQB_MODEL_KEY *key) {
  if (!key || !key->block) return;
  Tools_Free(&key->block);
  key->cap = 0;
  key->len = 0;
}

// ---------------------------------------------------------------- driver start

// Input checks of one line, in this order: non-finite node coordinates or rise, a zero
// length and an arc that overflows give 2; non-finite thickness, rotations or radii and
// t_m <= 0 give 3. Sets the line's length L on the way.
static int _Check_Line(DWQB_LINE *l) {
  const DWQB_NODE *a = l->node_a, *b = l->node_b;
  if (!a || !b) return DWQB_FAULT_MISSING_NODE;
  if (!std::isfinite(a->y) || !std::isfinite(a->z) || !std::isfinite(b->y) || !std::isfinite(b->z) ||
      !std::isfinite(l->geo.rise))
    return DWQB_FAULT_ZERO_LENGTH;
  const double dy = b->y - a->y, dz = b->z - a->z;
  const double L2 = dy * dy + dz * dz;
  l->L = std::sqrt(L2);
  if (L2 == 0.0 || !std::isfinite(L2)) return DWQB_FAULT_ZERO_LENGTH;
  // A rise so large that the arc overflows is no usable line either.
  const DWQB_LINE_GEOMETRY &geo = l->geo;
  if (!std::isfinite(geo.radius) || !std::isfinite(geo.y_c) || !std::isfinite(geo.z_c) ||
      !std::isfinite(geo.length))
    return DWQB_FAULT_ZERO_LENGTH;
  const double v[8] = {l->t_a, l->t_b, l->rot_a, l->rot_b, l->rad_links_a, l->rad_rechts_a, l->rad_links_b,
                       l->rad_rechts_b};
  for (double x : v)
    if (!std::isfinite(x)) return DWQB_FAULT_THICKNESS;
  if (!(l->t_m > 0.0) || !std::isfinite(l->t_m)) return DWQB_FAULT_THICKNESS;
  return DWQB_OK;
}

int _Init_Result_Buffer() {
  g.run_options = g.header.options;
  g.wall_terms = (g.run_options & DWQB_OPT_WALL_TERMS) ? 1 : 0;
  if (DWQB_Wall_Terms_Switch) g.wall_terms = 1;
  g.part_mode = DWQB_Part_Mode_Switch ? 1 : ((g.run_options & DWQB_OPT_PART_MODE) ? 1 : 0);
  for (int i = 0; i < 20; ++i) g.presets[i] = g.values.v[kDwqbPresetIndex[i]];

  if (g.sticky_code != 0) return g.sticky_code;
  if (!g.node_head || !g.line_head) return g.sticky_code = DWQB_FAULT_NO_NODES_OR_LINES;
  for (DWQB_LINE *l = g.line_head; l; l = l->next) {
    const int code = _Check_Line(l);
    if (code) return g.sticky_code = code;
  }

  if (!g.part_mode) {
    // The part tree and the part-mode results belong to an earlier section.
    _Clear_DWQB_Part_Results();
    g.header.n_cells = 0;
    const int code = _Calc_DWQB_Direct();
    if (code) return code;
    Calc_DWQB_Plate_Groups(0, 0);
    // Code 5 of the principal-axes step is returned by the run that stored it.
    return g.sticky_code;
  }
  _Winged_Edge_Structure();
  _Set_Line_Outlines();
  _Build_DWQB_Part_Tree();
  _Calc_Part_Values();
  _Calc_Warping_Results();
  _Calc_Torsion_Results();
  _Transfer_DWQB_Results();
  if (Calc_DWQB_Plate_Groups(1, 0) == 2 && g.root && g.root->count == 1) Calc_DWQB_Plate_Groups(1, 1);
  return DWQB_OK;
}

int Calc_DWQB_Querschnitt() {
  const int code = _Init_Result_Buffer();
  // Every run replaces the one current section: the catalogue's cached standard-profile
  // model is no longer in the solver.
  Invalidate_Profil_Section_Cache();
  return code;
}

void Reset_DWQB_Module_For_Tests() {
  Free_DWQB_Querschnitt();
  Reset_DWQB_Plastic_For_Tests();
  _Reset_DWQB_Stress_For_Tests();
  _Free_Records(g.node_free);
  _Free_Records(g.line_free);
  Tools_Free(&g.header.listed_nodes);
  Tools_Free(&g.header.listed_lines);
  Tools_Free(&g.gather);
  MEM_FREE(g.groups);
  MEM_FREE(g.elements);
  MEM_FREE(g.refs);
  MEM_FREE(g.shear);
  MEM_FREE(g.cell_line);
  MEM_FREE(g.cell_flags);
  MEM_FREE(g.cell_matrix);
  g = DwqbState{};
  _Reset_Header(&g.header);
  // As the profile library initialisation leaves them for the rest of a run.
  DWQB_Part_Mode_Switch = 1;
  DWQB_Wall_Terms_Switch = 1;
}
