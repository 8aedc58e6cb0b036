// Section models of the solver tests as plain data (cm), so that one model can be built
// as given, translated, turned or mirrored.
#pragma once

#include <cmath>
#include <numbers>
#include <string>
#include <vector>

#include "dwqb/dwqb.h"

struct ModelNode {
  int nr;
  double y, z;
};
struct ModelLine {
  int nr, a, b;
  double v[9];  // t_a, t_b, rise, rot_a, rot_b, r_left_a, r_right_a, r_left_b, r_right_b
  int part;
};
struct SectionModel {
  std::string name;
  std::vector<ModelNode> nodes;
  std::vector<ModelLine> lines;
  bool closed;  // has a closed cell

  void Build() const {
    for (const ModelNode &n : nodes) Add_DWQB_Node(n.nr, n.y, n.z);
    for (const ModelLine &l : lines) Add_DWQB_Line(l.nr, l.part, l.a, l.b, l.v);
  }
  SectionModel Moved(double dy, double dz) const {
    SectionModel m = *this;
    for (ModelNode &n : m.nodes) {
      n.y += dy;
      n.z += dz;
    }
    return m;
  }
  // Turned by phi about the origin (a turn keeps left and right of every line).
  SectionModel Turned(double phi) const {
    SectionModel m = *this;
    const double c = std::cos(phi), s = std::sin(phi);
    for (ModelNode &n : m.nodes) {
      const double y = n.y, z = n.z;
      n.y = c * y - s * z;
      n.z = s * y + c * z;
    }
    return m;
  }
  // Mirrored at the axis y = 0: left and right change, so rises and the radii swap sides.
  SectionModel Mirrored() const {
    SectionModel m = *this;
    for (ModelNode &n : m.nodes) n.y = -n.y;
    for (ModelLine &l : m.lines) {
      l.v[2] = -l.v[2];
      std::swap(l.v[5], l.v[6]);
      std::swap(l.v[7], l.v[8]);
    }
    return m;
  }
};

inline ModelLine Wall(int nr, int a, int b, double t, double rise = 0.0) {
  return ModelLine{nr, a, b, {t, t, rise, 0, 0, 0, 0, 0, 0}, 0};
}

// Rolled I-section IPE 300 (EN 10365: h 300, b 150, t_w 7.1, t_f 10.7, r 15 mm) on its
// centre lines, y = 0 on the web axis, z downward from the top face. The flanges run from
// the tips to the web node (lines 1, 2 top, 4, 5 bottom), the web (line 3) from top to
// bottom; each root radius r sits on the flange face towards the web.
inline SectionModel Ipe300_Model(double r) {
  const double tf = 1.07, tw = 0.71, zt = 0.535, zb = 29.465;
  SectionModel m{"IPE 300", {{1, -7.5, zt}, {2, 7.5, zt}, {3, 0, zt}, {4, -7.5, zb}, {5, 7.5, zb}, {6, 0, zb}}, {}, false};
  m.lines.push_back({1, 1, 3, {tf, tf, 0, 0, 0, 0, 0, r, 0}, 0});  // +y: the left face is below
  m.lines.push_back({2, 2, 3, {tf, tf, 0, 0, 0, 0, 0, 0, r}, 0});  // -y: the right face is below
  m.lines.push_back({3, 3, 6, {tw, tw, 0, 0, 0, r, r, r, r}, 0});
  m.lines.push_back({4, 4, 6, {tf, tf, 0, 0, 0, 0, 0, 0, r}, 0});
  m.lines.push_back({5, 5, 6, {tf, tf, 0, 0, 0, 0, 0, r, 0}, 0});
  return m;
}

// I section of straight walls, flange width b, height h between the flange centre lines:
// line 1 top left end -> top middle, 2 top middle -> top right end, 3 the web downward, 4
// bottom left end -> bottom middle, 5 bottom middle -> bottom right end; y = 0 on the web,
// z = 0 on the top flange.
inline SectionModel I_Chain_Model(double b, double h, double tf, double tw) {
  return SectionModel{"I chain",
                      {{1, -b / 2, 0}, {2, 0, 0}, {3, b / 2, 0}, {4, -b / 2, h}, {5, 0, h}, {6, b / 2, h}},
                      {Wall(1, 1, 2, tf), Wall(2, 2, 3, tf), Wall(3, 2, 5, tw), Wall(4, 4, 5, tf), Wall(5, 5, 6, tf)},
                      false};
}

// Channel 10 × 20 × 1: centre lines b' = 9.5, h' = 19, web on y = 0, flanges towards +y.
inline SectionModel Channel_Model() {
  return SectionModel{"channel", {{1, 9.5, 0}, {2, 0, 0}, {3, 0, 19}, {4, 9.5, 19}},
                      {Wall(1, 1, 2, 1.0), Wall(2, 2, 3, 1.0), Wall(3, 3, 4, 1.0)}, false};
}

// Closed rectangle of centre lines b × h, wall t, counter-clockwise.
inline SectionModel Box_Model(double b, double h, double t) {
  return SectionModel{"box", {{1, 0, 0}, {2, b, 0}, {3, b, h}, {4, 0, h}},
                      {Wall(1, 1, 2, t), Wall(2, 2, 3, t), Wall(3, 3, 4, t), Wall(4, 4, 1, t)}, true};
}

// Two cells: a 30 × 10 rectangle of wall 1 with a middle web of wall 0.5 at y = 10.
inline SectionModel Two_Cell_Model() {
  return SectionModel{"two cells",
                      {{1, 0, 0}, {2, 10, 0}, {3, 30, 0}, {4, 30, 10}, {5, 10, 10}, {6, 0, 10}},
                      {Wall(1, 1, 2, 1.0), Wall(2, 2, 3, 1.0), Wall(3, 3, 4, 1.0), Wall(4, 4, 5, 1.0),
                       Wall(5, 5, 6, 1.0), Wall(6, 6, 1, 1.0), Wall(7, 2, 5, 0.5)},
                      true};
}

// Circular tube of four quarter arcs, radius R about the origin, wall t.
inline SectionModel Tube_Model(double R, double t) {
  const double rise = -R * (1.0 - std::cos(std::numbers::pi / 4.0));  // bulging outwards (right)
  return SectionModel{"tube", {{1, R, 0}, {2, 0, R}, {3, -R, 0}, {4, 0, -R}},
                      {Wall(1, 1, 2, t, rise), Wall(2, 2, 3, t, rise), Wall(3, 3, 4, t, rise), Wall(4, 4, 1, t, rise)},
                      true};
}

// Cold-formed channel: straight flanges and web joined by quarter arcs of radius 2.
inline SectionModel Rounded_Channel_Model() {
  const double rise = 2.0 * (1.0 - std::cos(std::numbers::pi / 4.0));
  return SectionModel{"rounded channel",
                      {{1, 9.5, 0}, {2, 2, 0}, {3, 0, 2}, {4, 0, 17}, {5, 2, 19}, {6, 9.5, 19}},
                      {Wall(1, 1, 2, 1.0), Wall(2, 2, 3, 1.0, rise), Wall(3, 3, 4, 1.0), Wall(4, 4, 5, 1.0, rise),
                       Wall(5, 5, 6, 1.0)},
                      false};
}

inline SectionModel Plate_Model() { return SectionModel{"plate", {{1, 0, 0}, {2, 10, 0}}, {Wall(1, 1, 2, 1.0)}, false}; }

// Unequal angle of wall 1: leg of 15 along y and leg of 10 along z from the corner (0, 0)
// (line 1 from the y tip to the corner, line 2 from the corner to the z tip).
inline SectionModel Angle_Model() {
  return SectionModel{"angle", {{1, 15, 0}, {2, 0, 0}, {3, 0, 10}}, {Wall(1, 1, 2, 1.0), Wall(2, 2, 3, 1.0)}, false};
}

// Open zigzag polyline of n straight lines of wall 0.2 (lines 1..n, nodes 1..n + 1).
inline SectionModel Polyline_Model(int n) {
  SectionModel m{"polyline", {}, {}, false};
  for (int i = 0; i <= n; ++i) m.nodes.push_back({i + 1, 1.0 * i, (i % 2) * 0.5});
  for (int i = 1; i <= n; ++i) m.lines.push_back(Wall(i, i, i + 1, 0.2));
  return m;
}
