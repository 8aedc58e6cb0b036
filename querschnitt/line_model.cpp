// querschnitt/line_model.cpp — the line model of a thin-walled section: nodes and wall
// lines in mm, computed by the thin-walled solver, written as filled wall areas.
#include <algorithm>
#include <cmath>
#include <cstring>

#include "dwqb/dwqb.h"
#include "host/host.h"
#include "print/print.h"
#include "querschnitt/querschnitt.h"
#include "querschnitt/querschnitt_internal.h"
#include "support/support.h"

namespace {
struct LineModelStyle {
  int fill[3];
  int edge[3];
  int pen;
  int fill_code;
};
struct QuerschnittState {
  LineModelStyle style{{0, 0, 0}, {0, 0, 0}, 1, 0};
  bool registered = false;
};
QuerschnittState g;

constexpr int kMaxCount = 100000;
constexpr double kMaxChordAngle = M_PI / 64;  // largest angle of one chord of an arc
}  // namespace

void Reset_Querschnitt_For_Tests() {
  bool registered = g.registered;
  g = QuerschnittState{};
  g.registered = registered;
  Reset_Querschnitt_Catalogue();
  Reset_Querschnitt_Export();
}

void Querschnitt_Register_Reset() {
  if (!g.registered) {
    g.registered = true;
    Host_Register_Reset(Reset_Querschnitt_For_Tests);
  }
}

static void _Register_Reset() { Querschnitt_Register_Reset(); }

QMODEL *Create_Line_Model(int node_count, int line_count) {
  if (node_count < 0 || line_count < 0 || node_count > kMaxCount || line_count > kMaxCount) return nullptr;
  auto *m = static_cast<QMODEL *>(Tools_Alloc(nullptr, sizeof(QMODEL), 1));
  m->node_count = node_count;
  m->line_count = line_count;
  m->nodes = static_cast<QMODEL_NODE *>(Tools_Alloc(nullptr, sizeof(QMODEL_NODE) * node_count, 1));
  m->lines = static_cast<QMODEL_LINE *>(Tools_Alloc(nullptr, sizeof(QMODEL_LINE) * line_count, 1));
  for (int k = 0; k < line_count; ++k) m->lines[k].node_a = m->lines[k].node_b = -1;
  m->outline_first = static_cast<int *>(Tools_Alloc(nullptr, sizeof(int) * (line_count + 1), 1));
  m->status = -1;
  return m;
}

void Set_Line_Model_Node(QMODEL *model, int index, double y, double z) {
  if (!model || index < 0 || index >= model->node_count) return;
  model->nodes[index].y = y;
  model->nodes[index].z = z;
  model->nodes[index].set = 1;
}

int Set_Line_Model_Line(QMODEL *model, int index, int a, int b, double rise, double t, double t_b, double rot_a,
                        double rot_b, double r_la, double r_ra, double r_lb, double r_rb) {
  if (!model || index < 0 || index >= model->line_count) return 0;
  if (a < 0 || a >= model->node_count || b < 0 || b >= model->node_count) return 0;
  QMODEL_LINE &L = model->lines[index];
  if (L.node_a >= 0) {  // set again: the old ends no longer count
    --model->nodes[L.node_a].use_count;
    --model->nodes[L.node_b].use_count;
  }
  L = QMODEL_LINE{a, b, rise, t, t_b, rot_a, rot_b, r_la, r_ra, r_lb, r_rb};
  ++model->nodes[a].use_count;
  ++model->nodes[b].use_count;
  return 1;
}

// ---------------------------------------------------------------- outline collection

static void _Append_Point(QMODEL *m, double y, double z) {
  int n = m->outline_points;
  if (n >= m->outline_capacity) {
    int cap = m->outline_capacity < 64 ? 64 : 2 * m->outline_capacity;
    m->outline_y = static_cast<double *>(Tools_Alloc(m->outline_y, sizeof(double) * cap, 0));
    m->outline_z = static_cast<double *>(Tools_Alloc(m->outline_z, sizeof(double) * cap, 0));
    m->outline_capacity = cap;
  }
  m->outline_y[n] = y;
  m->outline_z[n] = z;
  m->outline_points = n + 1;
}

// Adds a point in cm unless it repeats the line's last point.
static void _Add_Point(QMODEL *m, int line_first, double y_cm, double z_cm) {
  double y = 10.0 * y_cm, z = 10.0 * z_cm;
  int n = m->outline_points;
  if (n > line_first && std::fabs(m->outline_y[n - 1] - y) < 1e-9 && std::fabs(m->outline_z[n - 1] - z) < 1e-9)
    return;
  _Append_Point(m, y, z);
}

namespace {
struct PieceWalk {
  QMODEL *m;
  int line_first;
};
}  // namespace

static int _Chord_Step(void *ctx, double y1, double z1, double, double y2, double z2, double) {
  auto *w = static_cast<PieceWalk *>(ctx);
  _Add_Point(w->m, w->line_first, y1, z1);
  _Add_Point(w->m, w->line_first, y2, z2);
  return 1;
}

// Chords in which an arc piece is walked so that none spans more than π/64.
static int _Arc_Chords(const DWQB_OUTLINE_PIECE &p) {
  double angle;
  if (p.line) {
    angle = std::fabs(p.s1 - p.s0) * std::fabs(p.line->geo.half_angle);
  } else {
    DWQB_LINE_GEOMETRY own;
    Set_DWQB_Line_Geometry(p.y0, p.z0, p.y1, p.z1, p.rise, 0.0, 0.0, 0.001, &own);
    angle = 2 * std::fabs(own.half_angle);
  }
  double n = std::ceil(angle / kMaxChordAngle - 1e-9);
  return n < 1 ? 1 : static_cast<int>(std::fmin(n, 4096.0));
}

static void _Collect_Line(QMODEL *m, const DWQB_OUTLINE_PIECE *pieces) {
  PieceWalk walk{m, m->outline_points};
  for (int i = 0; i < 10; ++i) {
    const DWQB_OUTLINE_PIECE &p = pieces[i];
    if (!(p.flags & DWQB_PIECE_COMPUTED) || (p.flags & DWQB_PIECE_EMPTY)) continue;
    if (p.flags & DWQB_PIECE_ARC)
      Walk_DWQB_Outline_Piece_Checked(&p, _Arc_Chords(p), _Chord_Step, &walk);
    else
      _Chord_Step(&walk, p.y0, p.z0, p.s0, p.y1, p.z1, p.s1);
  }
  // The loop closes on its first point: drop the repeat.
  int n = m->outline_points;
  if (n - walk.line_first > 1 && std::fabs(m->outline_y[n - 1] - m->outline_y[walk.line_first]) < 1e-9 &&
      std::fabs(m->outline_z[n - 1] - m->outline_z[walk.line_first]) < 1e-9)
    m->outline_points = n - 1;
}

int Calc_Line_Model_Section(QMODEL *m) {
  if (!m) return 1;
  m->outline_points = 0;
  for (int k = 0; k <= m->line_count; ++k) m->outline_first[k] = 0;
  m->y_min = m->y_max = m->z_min = m->z_max = 0;
  m->area = 0;
  Reset_DWQB_Querschnitt();
  for (int i = 0; i < m->node_count; ++i)
    if (m->nodes[i].use_count > 0) Add_DWQB_Node(i + 1, 0.1 * m->nodes[i].y, 0.1 * m->nodes[i].z);
  for (int k = 0; k < m->line_count; ++k) {
    const QMODEL_LINE &L = m->lines[k];
    if (L.node_a < 0) continue;
    // Lengths in cm; the rotations are angles.
    const double values[9] = {0.1 * L.t_a, 0.1 * L.t_b, 0.1 * L.rise, L.rot_a, L.rot_b,
                              0.1 * L.r_la, 0.1 * L.r_ra, 0.1 * L.r_lb, 0.1 * L.r_rb};
    Add_DWQB_Line(k + 1, 0, L.node_a + 1, L.node_b + 1, values);
  }
  // The outlines of the wall lines come from part mode, whatever the module switches say.
  Get_DWQB_Header()->options |= DWQB_OPT_PART_MODE;
  int code = Calc_DWQB_Querschnitt();
  m->status = code;
  if (code != 0) return code;
  m->area = 100.0 * Get_DWQB_Values()->v[DWQB_V_A];
  bool first = true;
  for (int k = 0; k < m->line_count; ++k) {
    m->outline_first[k] = m->outline_points;
    if (m->lines[k].node_a < 0) continue;
    const DWQB_OUTLINE_PIECE *pieces = Find_DWQB_Line(k + 1);
    if (!pieces) continue;
    _Collect_Line(m, pieces);
  }
  m->outline_first[m->line_count] = m->outline_points;
  for (int i = 0; i < m->outline_points; ++i) {
    double y = m->outline_y[i], z = m->outline_z[i];
    if (first || y < m->y_min) m->y_min = y;
    if (first || y > m->y_max) m->y_max = y;
    if (first || z < m->z_min) m->z_min = z;
    if (first || z > m->z_max) m->z_max = z;
    first = false;
  }
  return 0;
}

// ---------------------------------------------------------------- plot

void Set_Line_Model_Plot_Style(int r1, int g1, int b1, int r2, int g2, int b2, int pen, int fill_code) {
  _Register_Reset();
  g.style = LineModelStyle{{r1, g1, b1}, {r2, g2, b2}, pen, fill_code};
}

void Write_Line_Model_Plot(FILE *stream, const QMODEL *m, double y0, double z0, double ky, double kz) {
  if (!stream || !m || stream != Oliplot_Stream() || m->status != 0) return;
  const LineModelStyle &s = g.style;
  int most = 0;
  for (int k = 0; k < m->line_count; ++k)
    most = std::max(most, m->outline_first[k + 1] - m->outline_first[k]);
  auto *x = static_cast<double *>(Tools_Alloc(nullptr, sizeof(double) * (most + 1), 0));
  auto *z = static_cast<double *>(Tools_Alloc(nullptr, sizeof(double) * (most + 1), 0));
  auto place = [&](int k) {
    int first = m->outline_first[k], n = m->outline_first[k + 1] - first;
    for (int i = 0; i < n; ++i) {
      x[i] = y0 + ky * m->outline_y[first + i];
      z[i] = z0 + kz * m->outline_z[first + i];
    }
    return n;
  };
  Oliplot_Save_State();
  if (s.fill[0] >= 0) {
    Oliplot_Fill_Color(s.fill[0], s.fill[1], s.fill[2]);
    Oliplot_Set_Color(s.fill_code);
    for (int k = 0; k < m->line_count; ++k) {
      int n = place(k);
      if (n >= 3) Oliplot_Filled_Polygon(n, x, z);
    }
  }
  if (s.edge[0] >= 0 && s.pen >= 0) {
    Oliplot_Fill_Color(s.edge[0], s.edge[1], s.edge[2]);
    Tools_Fprintf(stream, " 4 %d\n", s.pen);
    for (int k = 0; k < m->line_count; ++k) {
      int n = place(k);
      if (n >= 2) Oliplot_Polyline(n, x, z);
    }
  }
  Oliplot_Restore_State();
  Tools_Free(&x);
  Tools_Free(&z);
}

void Free_Line_Model(QMODEL *m) {
  if (!m) return;
  Tools_Free(&m->nodes);
  Tools_Free(&m->lines);
  Tools_Free(&m->outline_first);
  Tools_Free(&m->outline_y);
  Tools_Free(&m->outline_z);
  Tools_Free(&m);
}
