// Winged-edge topology of the current section: angle links of the lines around every
// node, connected parts, and the faces (closed cells and outer outlines) on both sides of
// every line.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <numbers>
#include <vector>

#include "dwqb/dwqb_internal.h"
#include "support/support.h"

namespace {
constexpr double kTwoPi = 2.0 * std::numbers::pi;
constexpr std::uint32_t kSideBits = WE_SIDE_LINKS | WE_SIDE_RECHTS;
constexpr std::uint32_t kRotBits = WE_NEXT_AT_B | WE_PREV_AT_B;
constexpr std::uint32_t kStartBits = WE_START_LINKS | WE_START_RECHTS;
}  // namespace

double Calc_Segment_Moment(int p, int q, double y1, double z1, double y2, double z2) {
  // y = ym + dy·s, z = zm + dz·s on s in [-1, 1]; mean of y^p z^q over s exactly.
  const double ym = (y1 + y2) / 2.0, zm = (z1 + z2) / 2.0;
  const double dy = (y2 - y1) / 2.0, dz = (z2 - z1) / 2.0;
  static const double kBinom[4][4] = {{1, 0, 0, 0}, {1, 1, 0, 0}, {1, 2, 1, 0}, {1, 3, 3, 1}};
  double cy[4] = {0, 0, 0, 0}, cz[4] = {0, 0, 0, 0};  // coefficients of s^k
  auto ipow = [](double x, int n) {
    double r = 1.0;
    for (int i = 0; i < n; ++i) r *= x;
    return r;
  };
  for (int k = 0; k <= p; ++k) cy[k] = kBinom[p][k] * ipow(ym, p - k) * ipow(dy, k);
  for (int k = 0; k <= q; ++k) cz[k] = kBinom[q][k] * ipow(zm, q - k) * ipow(dz, k);
  double mean = 0.0;
  for (int i = 0; i <= p; ++i)
    for (int j = 0; j <= q; ++j)
      if (((i + j) & 1) == 0) mean += cy[i] * cz[j] / (i + j + 1);
  return (y1 * z2 - y2 * z1) / (p + q + 2) * mean;
}

// Leaving angle of a line at the node under sort, in [0, 2π).
static double _Leaving_Angle(const DWQB_LINE *l, const DWQB_NODE *node) {
  double a = l->node_b == node ? l->geo.angle + std::numbers::pi - l->geo.half_angle
                               : l->geo.angle + l->geo.half_angle;
  a = std::fmod(a, kTwoPi);
  if (a < 0.0) a += kTwoPi;
  return a;
}

int Compare_Winged_Line_Angle(const void *pa, const void *pb) {
  const DWQB_LINE *a = *static_cast<DWQB_LINE *const *>(pa);
  const DWQB_LINE *b = *static_cast<DWQB_LINE *const *>(pb);
  const DWQB_NODE *node = Dwqb_State().sort_node;
  const double aa = _Leaving_Angle(a, node), ab = _Leaving_Angle(b, node);
  if (ab > aa) return -1;
  if (aa > ab) return 1;
  return 0;
}

// Signed area of the triangle fan (origin, centre-line polygon of the line a -> b).
static double _Line_Fan_Area(const DWQB_LINE *l) {
  const int n = l->geo.n_seg > 1 ? l->geo.n_seg : 1;
  double y0 = l->geo.y_a, z0 = l->geo.z_a, area = 0.0;
  for (int j = 1; j <= n; ++j) {
    double y1, z1;
    if (j == n) {
      y1 = l->geo.y_b;
      z1 = l->geo.z_b;
    } else {
      Calc_Line_Point(&l->geo, 2.0 * j / n - 1.0, &y1, &z1);
    }
    area += Calc_Segment_Moment(0, 0, y0, z0, y1, z1);
    y0 = y1;
    z0 = z1;
  }
  return area;
}

void _Winged_Edge_Outline(DWQB_LINE *start, std::uint32_t start_flags) {
  DWQB_LINE *L = start;
  std::uint32_t F = start_flags;
  int k = 0;
  double area = 0.0;
  for (;;) {
    // 1. Mark the side.
    if (F & WE_SIDE_LINKS) {
      if (L->face_links) {
        std::printf("Fehler in _Winged_Edge_Outline: line %d\n", start->nr);
        return;
      }
      L->flags_links = F;
      L->face_links = start;
    } else if (F & WE_SIDE_RECHTS) {
      if (L->face_rechts) {
        std::printf("Fehler in _Winged_Edge_Outline: line %d\n", start->nr);
        return;
      }
      L->flags_rechts = F;
      L->face_rechts = start;
    } else {
      std::printf("Fehler in _Winged_Edge_Outline: line %d\n", start->nr);
      return;
    }
    // 2. A line with this face on both sides adds nothing.
    const bool links = (F & WE_SIDE_LINKS) != 0;
    const DWQB_LINE *other_face = links ? L->face_rechts : L->face_links;
    const std::uint32_t other_flags = links ? L->flags_rechts : L->flags_links;
    if (other_face == start && (other_flags & kStartBits) == (F & kStartBits))
      --k;
    else
      ++k;
    // 3. Area.
    const double a = _Line_Fan_Area(L);
    area += links ? a : -a;
    // 4./5. Arrival node and next line.
    const DWQB_NODE *arrival = links ? L->node_b : L->node_a;
    const bool standard = links ? (F & WE_PREV_AT_B) != 0 : (F & WE_NEXT_AT_B) != 0;
    const bool opposite = links ? (F & WE_NEXT_AT_B) != 0 : (F & WE_PREV_AT_B) != 0;
    if (!standard && !opposite) {
      std::printf("Fehler in _Next_Winged_Outline_Line: line %d, flags = 0x%x\n", L->nr, F);
      std::printf("Fehler in _Winged_Edge_Outline: line %d\n", start->nr);
      return;
    }
    DWQB_LINE *link;
    if (F & WE_NEXT_AT_B)
      link = links ? L->next_at_b : L->prev_at_a;
    else
      link = links ? L->prev_at_b : L->next_at_a;
    // Rotation bit that goes with each side in this walk's pairing.
    const std::uint32_t rot_links = standard ? WE_PREV_AT_B : WE_NEXT_AT_B;
    const std::uint32_t rot_rechts = standard ? WE_NEXT_AT_B : WE_PREV_AT_B;
    const std::uint32_t keep = F & ~(kSideBits | kRotBits);
    DWQB_LINE *nextL;
    std::uint32_t nextF;
    if (!link) {
      // Free end: turn onto the other side of the same line.
      nextL = L;
      nextF = keep | (links ? (WE_SIDE_RECHTS | rot_rechts) : (WE_SIDE_LINKS | rot_links));
    } else if (link->node_b == arrival) {
      nextL = link;
      nextF = keep | WE_SIDE_RECHTS | rot_rechts;
    } else if (link->node_a == arrival) {
      nextL = link;
      nextF = keep | WE_SIDE_LINKS | rot_links;
    } else {
      std::printf("Fehler in _Next_Winged_Outline_Line: line %d, flags = 0x%x\n", L->nr, F);
      std::printf("Fehler in _Winged_Edge_Outline: line %d\n", start->nr);
      return;
    }
    // 6. Closed?
    if (nextL == start && nextF == start_flags) {
      const std::uint32_t cls = (k == 0 || area < 0.0) ? WE_OUTER : WE_CELL;
      if (start_flags & WE_START_LINKS)
        start->flags_links |= cls;
      else
        start->flags_rechts |= cls;
      return;
    }
    L = nextL;
    F = nextF;
  }
}

void _Winged_Edge_Structure() {
  DwqbState &g = Dwqb_State();
  int n_nodes = 0, n_lines = 0, n_parts = 0, n_cells = 0;

  // 1. Clear the winged-edge block of every line.
  for (DWQB_LINE *l = g.line_head; l; l = l->next) {
    l->flags_links = l->flags_rechts = 0;
    l->next_at_a = l->prev_at_a = l->prev_at_b = l->next_at_b = nullptr;
    l->face_links = l->face_rechts = l->part_line = nullptr;
    ++n_lines;
  }

  // 2. Angle links around every node with at least two line ends.
  for (DWQB_NODE *node = g.node_head; node; node = node->next) {
    ++n_nodes;
    if (node->use_count < 2) continue;
    int count = 0;
    DWQB_LINE *const *at_node = Dwqb_Node_Lines(node, &count);
    if (count < 2) continue;
    if (count > g.gather_cap) {
      g.gather_cap = std::max(count, g.gather_cap ? 2 * g.gather_cap : 32);
      g.gather = static_cast<DWQB_LINE **>(
          Tools_Alloc(g.gather, sizeof(DWQB_LINE *) * static_cast<std::size_t>(g.gather_cap), 0));
    }
    std::copy_n(at_node, count, g.gather);
    // Stable sort: lines leaving at equal angles keep their line order.
    g.sort_node = node;
    std::stable_sort(g.gather, g.gather + count,
                     [](DWQB_LINE *a, DWQB_LINE *b) { return Compare_Winged_Line_Angle(&a, &b) < 0; });
    g.sort_node = nullptr;
    for (int i = 0; i < count; ++i) {
      DWQB_LINE *l = g.gather[i];
      DWQB_LINE *P = g.gather[i == 0 ? count - 1 : i - 1];
      DWQB_LINE *N = g.gather[i == count - 1 ? 0 : i + 1];
      if (l->node_a == node) {
        l->prev_at_a = P;
        l->next_at_a = N;
      } else if (l->node_b == node) {
        l->prev_at_b = P;
        l->next_at_b = N;
      } else {
        std::printf("Fehler in _Winged_Edge_Structure: node %d, line %d\n", node->nr, l->nr);
      }
    }
  }

  // 3. Connected parts: every line reached from the first line of a part over shared
  // nodes refers to that line; the nodes' work field holds the number of the part reached.
  for (DWQB_NODE *node = g.node_head; node; node = node->next) node->work = 0;
  std::vector<DWQB_NODE *> stack;
  for (DWQB_LINE *R = g.line_head; R; R = R->next) {
    if (R->part_line) continue;
    const int id = ++n_parts;
    R->part_line = R;
    stack.clear();
    for (DWQB_NODE *e : {R->node_a, R->node_b})
      if (e && e->work != id) {
        e->work = id;
        stack.push_back(e);
      }
    while (!stack.empty()) {
      DWQB_NODE *node = stack.back();
      stack.pop_back();
      int count;
      DWQB_LINE *const *at_node = Dwqb_Node_Lines(node, &count);
      for (int k = 0; k < count; ++k) {
        DWQB_LINE *M = at_node[k];
        if (M->part_line) continue;
        M->part_line = R;
        for (DWQB_NODE *e : {M->node_a, M->node_b})
          if (e && e->work != id) {
            e->work = id;
            stack.push_back(e);
          }
      }
    }
  }

  // 4. Faces.
  for (DWQB_LINE *l = g.line_head; l; l = l->next) {
    if (!l->face_links) {
      _Winged_Edge_Outline(l, WE_SIDE_LINKS | WE_PREV_AT_B | WE_START_LINKS);
      if (l->flags_links & WE_CELL) ++n_cells;
    }
    if (!l->face_rechts) {
      _Winged_Edge_Outline(l, WE_SIDE_RECHTS | WE_NEXT_AT_B | WE_START_RECHTS);
      if (l->flags_rechts & WE_CELL) ++n_cells;
    }
  }

  // 5. Copy the classification of every face to all its sides.
  for (DWQB_LINE *l = g.line_head; l; l = l->next) {
    for (int side = 0; side < 2; ++side) {
      const bool rechts = side == 0;
      DWQB_LINE *face = rechts ? l->face_rechts : l->face_links;
      std::uint32_t &flags = rechts ? l->flags_rechts : l->flags_links;
      if (!face) {
        std::printf("_Winged_Edge_Structure: Line[%d,%s] nicht verknuepft.\n", l->nr, rechts ? "rechts" : "links");
        continue;
      }
      std::uint32_t cls = 0;
      if (flags & WE_START_LINKS)
        cls = face->flags_links;
      else if (flags & WE_START_RECHTS)
        cls = face->flags_rechts;
      flags |= cls & (WE_CELL | WE_OUTER);
    }
  }

  // 6. Euler check: one outer face per part.
  const int d = n_nodes + n_cells - n_lines - n_parts;
  if (d != 0)
    std::printf("_Winged_Edge_Structure: n_nodes + n_cells - n_lines - n_parts = %d + %d - %d - %d = %d != 0\n",
                n_nodes, n_cells, n_lines, n_parts, d);
}
