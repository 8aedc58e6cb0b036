// drawing/polygon_plot.cpp — a section of kind 2 (nodes with wall lines or closed
// polygons) as a graphic block of the print list.
//
// A section point (y, z) is drawn at (y0 − y, z0 + z): the section's y axis points
// left. Nodes, wall lines, arcs and numbers are mirrored alike, and so is the line
// model, whose left and right sides therefore trade places.
#include <algorithm>
#include <cmath>
#include <vector>

#include "drawing/drawing.h"
#include "drawing/drawing_state.h"
#include "drawing_base/drawing_base.h"
#include "host/oli_layout.h"
#include "print/print.h"
#include "querschnitt/querschnitt.h"
#include "support/support.h"

namespace {
// A contour of the split outline: points [first, first + count) of the work arrays.
struct Contour {
  int first, count;
};

struct PolyPlot {
  const PROFIL_PLOT_OPTIONS *o;
  const PROFIL *p;
  const PLOT_PALETTE *pal;
  int flags, axis_mode, dims;
  double y0, z0, S, angle;
  int fill_code;
};
}  // namespace

static int _Find_Node(const PROFIL &p, int number) {
  for (int i = 0; i < p.node_count; ++i)
    if (p.nodes[i].number == number) return i;
  return -1;
}

// A number in a box of 0.2 S (box in polygon_fill_color, number in text_color).
static void _Number(const PolyPlot &d, double y, double z, int number, int text_color) {
  Plot_Palette_Color(d.pal->polygon_fill_color);
  Oliplot_Rectangle_Centered(y, z, 0.2 * d.S, 0.2 * d.S);
  Plot_Palette_Color(text_color);
  char text[16];
  std::snprintf(text, sizeof text, "%d", number);
  Oliplot_Text_Box(y, z, text);
}

// The line model of the wall lines, written as filled wall areas and edges.
static void _Line_Model(const PolyPlot &d) {
  const PROFIL &p = *d.p;
  QMODEL *m = Create_Line_Model(p.node_count, p.line_count);
  if (!m) return;
  for (int i = 0; i < p.node_count; ++i) Set_Line_Model_Node(m, i, -p.nodes[i].y, p.nodes[i].z);
  for (int k = 0; k < p.line_count; ++k) {
    const PROFIL_LINE &L = p.lines[k];
    int a = _Find_Node(p, L.p_a), b = _Find_Node(p, L.p_e);
    if (a < 0 || b < 0) continue;
    // Mirrored nodes: the rise changes its sign, left and right radii trade places.
    Set_Line_Model_Line(m, k, a, b, -L.s, L.d_a, L.d_e, 0.0, 0.0, L.r_ar, L.r_al, L.r_er, L.r_el);
  }
  if (Calc_Line_Model_Section(m) == 0) {
    int fr = -1, fg = -1, fb = -1, lr = -1, lg = -1, lb = -1;
    if (d.o->fill_color >= 0 && Get_Plot_Palette_Entry(d.o->fill_color, &fr, &fg, &fb) != 0) fr = fg = fb = -1;
    if (d.o->fill_color < 0) fr = fg = fb = -1;
    if (Get_Plot_Palette_Entry(d.pal->pal_outline, &lr, &lg, &lb) != 0) lr = lg = lb = -1;
    Set_Line_Model_Plot_Style(fr, fg, fb, lr, lg, lb, 1, d.fill_code);
    Write_Line_Model_Plot(Oliplot_Stream(), m, d.y0, d.z0, 1.0, 1.0);
  }
  Free_Line_Model(m);
}

// Centre lines of the wall lines and their numbers.
static void _Wall_Lines(const PolyPlot &d) {
  const PROFIL &p = *d.p;
  const int outline = d.pal->pal_outline, lt = d.o->line_type;
  const bool numbers = d.dims && !(d.flags & PLOT_FLAG_NO_NUMBERS);
  for (int k = 0; k < p.line_count; ++k) {
    const PROFIL_LINE &L = p.lines[k];
    int a = _Find_Node(p, L.p_a), b = _Find_Node(p, L.p_e);
    if (a < 0 || b < 0) continue;
    const double ya = d.y0 - p.nodes[a].y, za = d.z0 + p.nodes[a].z;
    const double yb = d.y0 - p.nodes[b].y, zb = d.z0 + p.nodes[b].z;
    const double f = L.s, chord = std::hypot(yb - ya, zb - za);
    const bool arc = std::fabs(f) > 0.1 && chord > 0;
    if (outline >= 0 && lt >= 0) {
      if (!arc) {
        Plot_Colored_Line(ya, za, yb, zb, outline, lt);
      } else {
        const double R = (f * f + chord * chord / 4) / (2 * std::fabs(f));
        const double q = std::min(1.0, chord / (2 * R));  // 1 + 1 ulp for a half circle
        const bool major = std::fabs(f) > chord / 2;
        const double half = major ? M_PI - std::asin(q) : std::asin(q);
        double cy, cz;
        // Seen on the page z runs down: the side left of travel is the mathematical
        // right. A minor arc has its centre across the chord from its bulge.
        if (Circle_Intersection(ya, za, R, yb, zb, R, (f > 0) != major, &cy, &cz) == 0) {
          const double ty = f > 0 ? yb : ya, tz = f > 0 ? zb : za;
          const double start = std::atan2(-(tz - cz), ty - cy) * 180 / M_PI;
          Oliplot_Save_State();
          Plot_Palette_Color(outline);
          Tools_Fprintf(Oliplot_Stream(), " 4 %d\n", lt);
          Oliplot_Arc(cy, cz, 2 * R, start, 2 * half * 180 / M_PI);
          Oliplot_Restore_State();
        }
      }
    }
    if (numbers) {
      double ny = (ya + yb) / 2, nz = (za + zb) / 2;
      if (arc) {  // toward the bulge: left of travel as seen, (dz, −dy) on the page
        ny += f * (zb - za) / chord;
        nz -= f * (yb - ya) / chord;
      }
      _Number(d, ny, nz, L.number, d.pal->pal_brown);
    }
  }
}

// Splits the expanded outline into solid contours (negative ids) and holes (positive).
static void _Split(const DrawingState &st, int n, std::vector<Contour> *solid, std::vector<Contour> *holes) {
  for (int i = 0; i < n; ++i) {
    const int id = st.contour[i];
    if (id == 0) continue;
    std::vector<Contour> &list = id < 0 ? *solid : *holes;
    if (i > 0 && st.contour[i - 1] == id && !list.empty() && list.back().first + list.back().count == i)
      ++list.back().count;
    else
      list.push_back(Contour{i, 1});
  }
}

double Plot_Polygon_Querschnitt(const PROFIL_PLOT_OPTIONS *options, FILE *stream, int flags, int axis_mode,
                                int with_dimensions) {
  if (!options) return 0.0;
  const PROFIL *pp = options->profil;
  if (!pp || pp->kind != PROFIL_KIND_QUER || pp->node_count < 0 || !pp->nodes) return options->scale;
  const PROFIL &p = *pp;
  const bool polygons = p.model_kind != 0;
  if (polygons ? (p.line_count > 0) : (p.line_count < 1 || !p.lines)) return options->scale;
  DrawingState &st = Drawing_State();
  st.y.assign(OUTLINE_MAX_POINTS, 0.0);
  st.z.assign(OUTLINE_MAX_POINTS, 0.0);
  st.contour.assign(OUTLINE_MAX_POINTS, 0);
  st.number.assign(OUTLINE_MAX_POINTS, 0);
  const SECTION_OUTLINE outline{polygons ? 1 : 0, p.node_count, p.nodes};
  const int n = Expand_Outline_Arcs(&outline, st.y.data(), st.z.data(), st.contour.data(), st.number.data());
  if (n >= OUTLINE_MAX_POINTS || (polygons && n < 1)) return options->scale;
  double W = p.imported[PROFIL_IMP_WIDTH], H = p.imported[PROFIL_IMP_HEIGHT];
  if (polygons) {
    W = H = 0;
    for (int i = 0; i < n; ++i) {
      W = std::max(W, st.y[i]);
      H = std::max(H, st.z[i]);
    }
  }
  if (!(W >= 1.0) || !(H >= 1.0)) return options->scale;
  PolyPlot d{options, &p, Get_Plot_Palette(), flags, axis_mode, with_dimensions, 0, 0, 0, 0, 0};
  const bool free_standing = options->scale < 1e-8;
  if (free_standing) {
    if (!stream) return 0.0;
    const double m = with_dimensions ? 1.0 : 0.4, r = with_dimensions ? 0.6 : 0.0;
    const double s = Nice_Drawing_Scale(W, H, 16.0 - 0.8 - r, Get_Section_Plot_Height() - 0.8 - r, 1);
    d.S = 1.0 / s;
    if (Drawing_Begin_Free_Block(stream, -m * d.S, H + 0.4 * d.S, W + 0.4 * d.S, -m * d.S, s,
                                 options->angle * M_PI / 180, d.pal->pal_outline) != 0)
      return options->scale;
  } else {
    d.S = options->scale;
    d.y0 = options->y0;
    d.z0 = options->z0;
    d.angle = (axis_mode > 0 || with_dimensions) ? 0.0 : options->angle * M_PI / 180;
  }
  d.fill_code = options->fill_color == 0 ? 0 : d.pal->fill_code_section;
  const bool numbers = with_dimensions && !(flags & PLOT_FLAG_NO_NUMBERS);
  for (int i = 0; i < n; ++i) {  // into the drawing's frame
    st.y[i] += d.y0;
    st.z[i] += d.z0;
  }
  std::vector<Contour> solid, holes;
  Oliplot_Save_State();
  if (!polygons) {
    _Line_Model(d);
    _Wall_Lines(d);
  } else {
    _Split(st, n, &solid, &holes);
    for (const Contour &c : solid) Rotate_Points(&st.y[c.first], &st.z[c.first], c.count, d.y0, d.z0, d.angle);
    for (const Contour &c : holes) Rotate_Points(&st.y[c.first], &st.z[c.first], c.count, d.y0, d.z0, d.angle);
    if (options->fill_color >= 0) {
      Plot_Palette_Color(options->fill_color);
      Oliplot_Set_Color(d.fill_code);
      for (const Contour &c : solid) Oliplot_Filled_Polygon(c.count, &st.y[c.first], &st.z[c.first]);
      Plot_Palette_Color(d.pal->polygon_fill_color);
      Oliplot_Set_Color(d.pal->polygon_fill_code);
      for (const Contour &c : holes) Oliplot_Filled_Polygon(c.count, &st.y[c.first], &st.z[c.first]);
    }
    Plot_Palette_Color(options->line_color);
    auto edges = [&](const Contour &c) {
      for (int i = 1; i <= c.count; ++i) {
        int a = c.first + i - 1, b = c.first + i % c.count;
        Plot_Colored_Line(st.y[a], st.z[a], st.y[b], st.z[b], options->line_color, options->line_type);
      }
    };
    for (const Contour &c : solid) edges(c);
    if (!(flags & PLOT_FLAG_NO_INNER))
      for (const Contour &c : holes) edges(c);
  }
  if (numbers) {
    Plot_Palette_Color(d.pal->pal_blue);
    Oliplot_Axis_Pair(d.y0, d.z0, "yp", "zp", 0.5, M_PI);
    // One number per node: the first point of each run of equal node numbers.
    auto node_numbers = [&](int first, int count) {
      for (int i = first; i < first + count; ++i)
        if (st.number[i] > 0 && (i == first || st.number[i] != st.number[i - 1]))
          _Number(d, st.y[i], st.z[i], st.number[i], d.pal->pal_blue);
    };
    if (!polygons) {
      node_numbers(0, n);
    } else {
      for (const Contour &c : solid) node_numbers(c.first, c.count);
      if (!(flags & PLOT_FLAG_NO_INNER)) {
        for (const Contour &c : holes) node_numbers(c.first, c.count);
        int hole = 0;
        for (const Contour &c : holes) {
          ++hole;
          double sy = 0, sz = 0;
          int k = 0;
          for (int i = c.first; i < c.first + c.count; ++i)
            if (st.number[i] > 0 && (i == c.first || st.number[i] != st.number[i - 1])) {
              sy += st.y[i];
              sz += st.z[i];
              ++k;
            }
          if (k > 0) _Number(d, sy / k, sz / k, hole, d.pal->pal_brown);
        }
      }
    }
  }
  if (with_dimensions) {
    const double off = 0.3 * d.S;
    Plot_Palette_Color(d.pal->pal_outline);
    Oliplot_Dimension_Line(d.y0 - off, d.z0, d.y0 - off, d.z0 + H, 0.1, -2);
    Oliplot_Dimension_Line(d.y0 + W, d.z0 - off, d.y0, d.z0 - off, 0.1, -2);
  }
  if (axis_mode > 0) {
    const double sy = d.y0 - p.y_s, sz = d.z0 + p.z_s;
    if (axis_mode == 1) {
      if (std::fabs(p.alpha) > 0.1) {
        Plot_Palette_Color(d.pal->pal_brown);
        // The writer's arms: first along (cos θ, sin θ), second along (sin θ, −cos θ).
        Oliplot_Axis_Pair(sy, sz, "\xC1", "\xD3", 0.5, M_PI - p.alpha * M_PI / 180);
      }
      Plot_Palette_Color(d.pal->pal_green);
      Oliplot_Axis_Pair(sy, sz, "y", "z", 0.5, M_PI);
    } else if (axis_mode == 2) {
      Oliplot_Axis_Pair(sy, sz, "", "", 1.0, M_PI);
    } else if (axis_mode == 3) {
      Oliplot_Filled_Circle(sy, sz, 0.1 * d.S);
    }
    Oliplot_Set_Color(64);
    Plot_Palette_Color(d.pal->pal_green);
    Oliplot_Filled_Circle(sy, sz, 0.1 * d.S);
    Oliplot_Arc(sy, sz, 0.1 * d.S, 0, 360);
    Oliplot_Text_Printf(sy + 0.15 * d.S, sz, 4, 3, "S");
    if (std::fabs(p.y_M) > 0.1 || std::fabs(p.z_M) > 0.1) {
      const double my = sy - p.y_M, mz = sz + p.z_M;
      Oliplot_Filled_Circle(my, mz, 0.1 * d.S);
      Oliplot_Arc(my, mz, 0.1 * d.S, 0, 360);
      Oliplot_Text_Printf(my + 0.15 * d.S, mz, 4, 3, "M");
    }
  }
  Oliplot_Restore_State();
  if (!free_standing) return options->scale;
  Oliplot_End_Grafic(stream);
  OLI_setYPositionCM(stream, 1, -0.5);
  return d.S;
}
