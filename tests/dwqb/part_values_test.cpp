// Part values: centre-line integrals of single lines against hand values and numerical
// quadrature, group sums of the part tree, centre-line principal values, the principal
// regularisation and the segment steps.
#include <vector>

#include "tests/dwqb/dwqb_fixture.h"

namespace {
constexpr double kPi = std::numbers::pi;

// A free-standing line record with its geometry (no section needed).
DWQB_LINE Make_Line(double ya, double za, double yb, double zb, double ta, double tb, double rise = 0.0,
                    double rel_tol = 0.001) {
  DWQB_LINE l{};
  l.t_a = ta;
  l.t_b = tb;
  l.t_m = (ta + tb) / 2;
  Set_DWQB_Line_Geometry(ya, za, yb, zb, rise, ta, tb, rel_tol, &l.geo);
  return l;
}

struct Integrals {
  double A, Sy, Sz, Iyy, Izz, Iyz;
};
Integrals Of(const DWQB_LINE &l, double t = 1.0) {
  Integrals r{};
  Calc_DWQB_Line_Integrals(&l, t, &r.A, &r.Sy, &r.Sz, &r.Iyy, &r.Izz, &r.Iyz);
  return r;
}

// Composite Simpson over the centre line from s = -1 to t: dA = t(s)·|dP/ds| ds.
Integrals Quadrature(const DWQB_LINE &l, double t) {
  const int n = 4000;
  const double h = (t + 1.0) / n;
  Integrals r{};
  for (int i = 0; i <= n; ++i) {
    const double s = -1.0 + i * h;
    const double wgt = (i == 0 || i == n) ? 1.0 : (i % 2 ? 4.0 : 2.0);
    double y, z, dy, dz;
    Calc_Line_Point(&l.geo, s, &y, &z);
    Get_DWQB_Line_Geometry_Tangent(s, 0.0, &l.geo, &dy, &dz);
    const double th = l.t_a + (l.t_b - l.t_a) * (s + 1.0) / 2.0;
    const double dA = wgt * h / 3.0 * th * std::sqrt(dy * dy + dz * dz);
    r.A += dA;
    r.Sy += y * dA;
    r.Sz += z * dA;
    r.Iyy += y * y * dA;
    r.Izz += z * z * dA;
    r.Iyz += y * z * dA;
  }
  return r;
}

void Expect_Near(const Integrals &a, const Integrals &b, double rel) {
  const double scale = std::fabs(b.Iyy) + std::fabs(b.Izz) + std::fabs(b.A) + 1.0;
  EXPECT_NEAR(a.A, b.A, rel * (std::fabs(b.A) + 1));
  EXPECT_NEAR(a.Sy, b.Sy, rel * scale);
  EXPECT_NEAR(a.Sz, b.Sz, rel * scale);
  EXPECT_NEAR(a.Iyy, b.Iyy, rel * scale);
  EXPECT_NEAR(a.Izz, b.Izz, rel * scale);
  EXPECT_NEAR(a.Iyz, b.Iyz, rel * scale);
}

// Line element with the centre-line integrals at t = 1 in value indices 18-23.
DWQB_PART Element(const DWQB_LINE &l, int kind = DWQB_PART_LINE) {
  DWQB_PART p{};
  p.kind = kind;
  p.count = 1;
  const Integrals r = Of(l);
  p.values[18] = r.A;
  p.values[19] = r.Sy;
  p.values[20] = r.Sz;
  p.values[21] = r.Iyy;
  p.values[22] = r.Iyz;
  p.values[23] = r.Izz;
  return p;
}
}  // namespace

// Hand values of straight lines up to the parameter t: a plate t 0.8 of length 7 (whole
// and half), and a line tapered from 1 to 3 over 6 (∫(1 + y/3) dy = 12, ∫y(...) = 42,
// ∫y²(...) = 180; its first half 4.5, 7.5 and 15.75).
TEST(DwqbLineIntegrals, StraightLinesByHand) {
  const struct {
    double L, ta, tb, t, A, Sy, Iyy;
  } rows[] = {{7, 0.8, 0.8, 1.0, 5.6, 0.8 * 49 / 2, 0.8 * 343 / 3},
              {7, 0.8, 0.8, 0.0, 2.8, 0.8 * 49 / 8, 0.8 * 343 / 24},
              {6, 1, 3, 1.0, 12, 42, 180},
              {6, 1, 3, 0.0, 4.5, 7.5, 15.75}};
  for (const auto &r : rows) {
    const Integrals i = Of(Make_Line(0, 0, r.L, 0, r.ta, r.tb), r.t);
    EXPECT_NEAR(i.A, r.A, 1e-12) << r.L << " " << r.t;
    EXPECT_NEAR(i.Sy, r.Sy, 1e-12) << r.L << " " << r.t;
    EXPECT_NEAR(i.Iyy, r.Iyy, 1e-12) << r.L << " " << r.t;
    EXPECT_EQ(i.Sz, 0.0);
    EXPECT_EQ(i.Izz, 0.0);
  }
  // Turned and moved: against quadrature.
  const DWQB_LINE m = Make_Line(2, -1, -3, 5, 0.4, 1.7);
  Expect_Near(Of(m, 0.35), Quadrature(m, 0.35), 1e-10);
  Expect_Near(Of(m), Quadrature(m, 1.0), 1e-10);
}

TEST(DwqbLineIntegrals, ArcsAgainstQuadrature) {
  const DWQB_LINE arcs[] = {Make_Line(0, 0, 10, 0, 1, 1, 5),     Make_Line(0, 0, 10, 0, 0.5, 2, -3),
                            Make_Line(3, 1, -2, 6, 1.2, 0.3, 1.5), Make_Line(1, 1, 4, 9, 0.7, 0.7, -6),
                            Make_Line(0, 0, 4, 4, 1, 2, 0.2)};
  for (const DWQB_LINE &l : arcs) {
    ASSERT_GE(l.geo.n_seg, 1);
    for (double t : {-0.9, -0.2, 0.5, 1.0}) Expect_Near(Of(l, t), Quadrature(l, t), 1e-10);
  }
  // Half circle of radius 5 with t = 1: A = 5π, centroid at 2R/π above the chord.
  const Integrals r = Of(arcs[0]);
  EXPECT_NEAR(r.A, 5 * kPi, 1e-12);
  EXPECT_NEAR(r.Sz / r.A, 10 / kPi, 1e-12);
  EXPECT_NEAR(r.Sy / r.A, 5.0, 1e-12);
}

// A piece of an arc whose half angle is below 1e-6 gives the integrals of its chord, up to
// the rounding of the chord end point taken from the arc.
TEST(DwqbLineIntegrals, TinyArcPieceEqualsItsChord) {
  const DWQB_LINE arc = Make_Line(1, 2, 7, 5, 0.5, 1.5, 1.0);
  const double t = -1.0 + 2e-6 / arc.geo.half_angle;  // x = φ (t + 1)/2 = 1e-6
  double ye, ze;
  Calc_Line_Point(&arc.geo, t, &ye, &ze);
  const DWQB_LINE chord = Make_Line(1, 2, ye, ze, 0.5, 0.5 + (t + 1.0) / 2.0);
  Expect_Near(Of(arc, t), Of(chord), 1e-9);
  // A very flat whole arc (rise 1e-8 of a chord of 6.7) against its chord.
  const DWQB_LINE flat = Make_Line(1, 2, 7, 5, 0.5, 1.5, 1e-8, 1e-12);
  ASSERT_GE(flat.geo.n_seg, 1);
  ASSERT_LT(std::fabs(flat.geo.half_angle), 1e-6);
  Expect_Near(Of(flat), Of(Make_Line(1, 2, 7, 5, 0.5, 1.5)), 1e-6);
}

TEST(DwqbLineIntegrals, NullLineAndNullOutputs) {
  double A = 5, Sy = 5;
  Calc_DWQB_Line_Integrals(nullptr, 1.0, &A, &Sy, nullptr, nullptr, nullptr, nullptr);
  EXPECT_EQ(A, 0.0);
  EXPECT_EQ(Sy, 0.0);
  const DWQB_LINE l = Make_Line(0, 0, 1, 0, 1, 1);
  Calc_DWQB_Line_Integrals(&l, 1.0, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr);
}

// An I-part of three centre lines (b 15, h 30, t_f 1, t_w 0.5): the group sums are the
// sums over its lines and match the hand values of the centre-line model.
TEST(DwqbPartSums, IPartCentreLine) {
  const double b = 15, h = 30, tf = 1, tw = 0.5;
  const DWQB_LINE lines[3] = {Make_Line(-b / 2, 0, b / 2, 0, tf, tf), Make_Line(0, 0, 0, h, tw, tw),
                              Make_Line(b / 2, h, -b / 2, h, tf, tf)};
  DWQB_PART el[3] = {Element(lines[0]), Element(lines[1]), Element(lines[2])};
  DWQB_PART *children[3] = {&el[0], &el[1], &el[2]};
  DWQB_PART part{};
  part.kind = DWQB_PART_GROUP;
  part.count = 3;
  part.children = children;
  part.values[30] = 99;  // cleared by the sum
  Sum_DWQB_Part_Values(&part);
  for (int k = 18; k <= 23; ++k)
    EXPECT_NEAR(part.values[k], el[0].values[k] + el[1].values[k] + el[2].values[k], 1e-9) << k;
  EXPECT_EQ(part.values[30], 0.0);
  const double A = 2 * b * tf + h * tw;
  EXPECT_NEAR(part.values[18], A, 1e-12);
  EXPECT_NEAR(part.values[19], 0.0, 1e-12);
  EXPECT_NEAR(part.values[20], b * tf * h + h * tw * h / 2, 1e-9);
  EXPECT_NEAR(part.values[21], 2 * tf * b * b * b / 12, 1e-9);
  EXPECT_NEAR(part.values[23], b * tf * h * h + tw * h * h * h / 3, 1e-7);

  double r[14];
  EXPECT_EQ(Calc_DWQB_Centreline_Values(part.values, r), 0);
  EXPECT_NEAR(r[1], 0.0, 1e-12);
  EXPECT_NEAR(r[2], h / 2, 1e-12);
  const double Iy = 2 * b * tf * (h / 2) * (h / 2) + tw * h * h * h / 12;
  const double Iz = 2 * tf * b * b * b / 12;
  EXPECT_NEAR(r[8], Iy, 1e-7);
  EXPECT_NEAR(r[9], Iz, 1e-9);
  EXPECT_NEAR(r[10], 0.0, 1e-9);
  EXPECT_EQ(r[11], 0.0);
  EXPECT_NEAR(r[12], Iy, 1e-7);
  EXPECT_NEAR(r[13], Iz, 1e-9);
}

TEST(DwqbPartSums, ExtremesNestingAndKindTwo) {
  DWQB_PART a{}, b{}, c{};
  a.kind = b.kind = DWQB_PART_LINE;
  c.kind = DWQB_PART_LINE_CL;
  const double ext_a[6] = {-1, 2, 0, 5, 0.5, 1.0}, ext_b[6] = {-3, 1, 1, 7, 0.2, 0.8};
  for (int k = 0; k < 6; ++k) {
    a.values[10 + k] = ext_a[k];
    b.values[10 + k] = ext_b[k];
    c.values[10 + k] = -100;
  }
  for (DWQB_PART *p : {&a, &b, &c}) {
    for (int k = 0; k <= 9; ++k) p->values[k] = 1;
    for (int k = 18; k <= 27; ++k) p->values[k] = 2;
    p->values[45] = p->values[47] = p->values[48] = p->values[49] = 3;
    p->values[46] = 4;
    for (int k = 28; k <= 34; ++k) p->values[k] = 5;
  }
  DWQB_PART *inner_children[2] = {&b, nullptr};
  DWQB_PART inner{};
  inner.kind = DWQB_PART_GROUP;
  inner.count = 2;
  inner.children = inner_children;
  DWQB_PART *root_children[3] = {&a, &inner, &c};
  DWQB_PART root{};
  root.kind = DWQB_PART_GROUP;
  root.count = 3;
  root.children = root_children;
  Sum_DWQB_Part_Values(&root);
  EXPECT_EQ(root.values[0], 2.0);   // a and the inner group; c stays out
  EXPECT_EQ(root.values[18], 6.0);  // all three in the centre-line sums
  EXPECT_EQ(root.values[45], 9.0);
  EXPECT_EQ(root.values[46], 0.0);  // not summed
  EXPECT_EQ(root.values[28], 0.0);
  const double expect[6] = {-3, 2, 0, 7, 0.2, 1.0};
  for (int k = 0; k < 6; ++k) EXPECT_EQ(root.values[10 + k], expect[k]) << 10 + k;

  Sum_DWQB_Part_Sectorial(&root);
  EXPECT_EQ(root.values[28], 15.0);
  EXPECT_EQ(inner.values[34], 5.0);

  // Children of kind 2 only: area moments and extremes stay 0.
  DWQB_PART *only_c[1] = {&c};
  DWQB_PART g{};
  g.kind = DWQB_PART_GROUP;
  g.count = 1;
  g.children = only_c;
  Sum_DWQB_Part_Values(&g);
  for (int k = 0; k <= 15; ++k) EXPECT_EQ(g.values[k], 0.0);
  EXPECT_EQ(g.values[18], 2.0);
  Sum_DWQB_Part_Values(nullptr);
  Sum_DWQB_Part_Values(&a);  // not a group: nothing
  EXPECT_EQ(a.values[0], 1.0);
}

TEST(DwqbPrincipal, CentreLineValuesOfATurnedPlate) {
  // A plate of length 10, t = 1, along the direction 30°: I about the plate axis 0.
  const double ang = kPi / 6;
  const DWQB_LINE l = Make_Line(0, 0, 10 * std::cos(ang), 10 * std::sin(ang), 1, 1);
  DWQB_PART p = Element(l);
  double r[14];
  Calc_DWQB_Centreline_Values(p.values, r);
  EXPECT_NEAR(r[11], ang, 1e-12);  // brought into [-45°, 45°]: the plate axis
  EXPECT_NEAR(r[12], 0.0, 1e-9);    // about the axis at alpha
  EXPECT_NEAR(r[13], 1000.0 / 12, 1e-9);
  // Exactly zero product: alpha 0, the moments as they are.
  double v[50] = {};
  v[18] = 2;
  v[21] = 8;
  v[23] = 3;
  Calc_DWQB_Centreline_Values(v, r);
  EXPECT_EQ(r[11], 0.0);
  EXPECT_EQ(r[12], 3.0);
  EXPECT_EQ(r[13], 8.0);
}

TEST(DwqbPrincipal, InverseRegularisesSingularTensors) {
  double Iy = 0, Iz = 5, Iyz = 0, inv = 0;
  EXPECT_EQ(Calc_DWQB_Principal_Inverse(&Iy, &Iz, &Iyz, &inv), 0);
  EXPECT_NEAR(Iy, 5e-6, 1e-18);
  EXPECT_NEAR(Iz, 5.0, 1e-12);
  EXPECT_NEAR(Iyz, 0.0, 1e-12);
  EXPECT_NEAR(inv, 1.0 / (5.0 * 5e-6), 1e-3);

  double a = 4, b = 2, c = 1;
  EXPECT_EQ(Calc_DWQB_Principal_Inverse(&a, &b, &c, &inv), 1);
  EXPECT_EQ(a, 4.0);
  EXPECT_EQ(c, 1.0);
  EXPECT_NEAR(inv, 1.0 / (4 * 2 - 1), 1e-15);  // 1 / det

  // A rank-one tensor of a turned plate keeps its direction and gains a second
  // eigenvalue of 1e-6 times the first (its sign follows the rounding of the zero one).
  const double cs = std::cos(0.4), sn = std::sin(0.4);
  double y = 10 * cs * cs, z = 10 * sn * sn, yz = -10 * cs * sn;
  EXPECT_EQ(Calc_DWQB_Principal_Inverse(&y, &z, &yz, &inv), 0);
  EXPECT_NEAR(std::fabs(y * z - yz * yz), 10 * 1e-5, 1e-9);
  EXPECT_NEAR(y, 10 * cs * cs, 1e-4);
  EXPECT_NEAR(yz, -10 * cs * sn, 1e-4);
}

TEST(DwqbSegments, MomentsOfAUnitSquare) {
  // Counter-clockwise unit square: ∫dA 1, ∫y 1/2, ∫y² 1/3, ∫yz 1/4, ∫y³ 1/4, ∫y²z 1/6.
  const double P[5][2] = {{0, 0}, {1, 0}, {1, 1}, {0, 1}, {0, 0}};
  DWQB_SEGMENT_MOMENTS acc{};
  for (int i = 0; i < 4; ++i) EXPECT_EQ(Add_Segment_Moments(&acc, P[i][0], P[i][1], 0, P[i + 1][0], P[i + 1][1], 0), 1);
  const double expect[10] = {1, 0.5, 0.5, 1.0 / 3, 0.25, 1.0 / 3, 0.25, 1.0 / 6, 1.0 / 6, 0.25};
  for (int k = 0; k < 10; ++k) EXPECT_NEAR(acc.values[k], expect[k], 1e-15) << k;
  EXPECT_EQ(acc.values[10], 0.0);
  EXPECT_EQ(acc.values[11], 1.0);
  EXPECT_EQ(acc.values[12], 0.0);
  EXPECT_EQ(acc.values[13], 1.0);
  EXPECT_EQ(Calc_Segment_Moment(0, 0, 1, 0, 0, 1), 0.5);
  EXPECT_EQ(Calc_Segment_Moment(0, 0, 0, 1, 1, 0), -0.5);
  EXPECT_EQ(Add_Segment_Moments(nullptr, 0, 0, 0, 1, 1, 0), 1);
}

TEST(DwqbSegments, LengthAndBounds) {
  double len = 1.0;
  Add_Segment_Length(&len, 0, 0, 0, 3, 4, 0);
  EXPECT_EQ(len, 6.0);
  DWQB_SEGMENT_BOUNDS b{};
  b.y0 = 1;
  b.z0 = 1;
  b.rotate = 1;
  b.cos = 0;
  b.sin = 1;  // turned by 90°
  b.matrix[0] = 2;
  b.matrix[3] = 1;
  Add_Segment_Bounds(&b, 1, 1, 0, 3, 2, 0);
  Add_Segment_Bounds(&b, 3, 2, 0, 0, 5, 0);
  // Relative points (0,0), (2,1), (-1,4); turned: (0,0), (1,-2), (4,1).
  const double expect[8] = {0, 4, -2, 1, -2, 4, 0, 4};
  for (int k = 0; k < 8; ++k) EXPECT_EQ(b.extremes[k], expect[k]) << k;
  EXPECT_EQ(Add_Segment_Bounds(nullptr, 0, 0, 0, 0, 0, 0), 1);
  EXPECT_EQ(Add_Segment_Length(nullptr, 0, 0, 0, 0, 0, 0), 1);
}
