// Section values of a run in part mode against section tables and closed forms of
// thin-walled beam theory (cm units).
#include <cmath>
#include <numbers>

#include "tests/dwqb/dwqb_fixture.h"
#include "tests/dwqb/section_models.h"

namespace {

const double *Run_Model(const SectionModel &m) {
  Reset_DWQB_Querschnitt();
  m.Build();
  EXPECT_EQ(Calc_DWQB_Querschnitt(), 0) << m.name;
  return Get_DWQB_Values()->v;
}

// Tolerances: outlines with fillets 0.1 %, exact centre-line values 1e-6 relative.
constexpr double kTable = 1e-3;
constexpr double kExact = 1e-6;
#define EXPECT_REL(a, b, rel) EXPECT_NEAR((a), (b), (rel) * std::fabs(b))

}  // namespace

// ---------------------------------------------------------------- IPE 300

class DwqbIpe300Values : public DwqbTest {};

TEST_F(DwqbIpe300Values, TableValuesWithRootRadii) {
  const double *v = Run_Model(Ipe300_Model(1.5));
  // EN 10365 / section tables: A 53.81 cm², I_y 8356 cm⁴, I_z 603.8 cm⁴, W_el,y 557.1 cm³.
  EXPECT_REL(v[DWQB_V_A], 53.81, kTable);
  EXPECT_NEAR(v[DWQB_V_YS], 0.0, 1e-9);
  EXPECT_NEAR(v[DWQB_V_ZS], 15.0, 1e-9);
  EXPECT_REL(v[DWQB_V_IM], 8356.0, kTable);
  EXPECT_REL(v[DWQB_V_IN], 603.8, kTable);
  EXPECT_NEAR(v[DWQB_V_IMN], 0.0, 1e-6);
  EXPECT_EQ(v[DWQB_V_ALPHA], 0.0);
  EXPECT_EQ(v[DWQB_V_I1], v[DWQB_V_IM]);
  EXPECT_EQ(v[DWQB_V_I2], v[DWQB_V_IN]);
  // Moduli about axis 1 at the two extreme fibres (±15 cm), about axis 2 at ±7.5 cm.
  EXPECT_REL(v[DWQB_V_W1A], 557.1, kTable);
  EXPECT_REL(v[DWQB_V_W1B], -557.1, kTable);
  EXPECT_REL(v[DWQB_V_W2A], 603.8 / 7.5, kTable);
  EXPECT_REL(v[DWQB_V_W2B], -603.8 / 7.5, kTable);
  // Moduli about y and z at the extreme fibres, also for unsymmetric bending (-z, +z, -y, +y).
  const DWQB_SECTION_RESULT *r = Get_DWQB_Section_Result();
  const double got[4] = {r->W_y_min, r->W_y_max, r->W_z_min, r->W_z_max};
  const double W[4] = {-557.1, 557.1, -603.8 / 7.5, 603.8 / 7.5};
  for (int k = 0; k < 4; ++k) EXPECT_REL(got[k], W[k], kTable) << k;
  // The torsion constant with the fillet terms (the open walls alone give 15.70 cm⁴) against
  // the table's I_t 20.12 cm⁴: the thin-walled approximation of the root comes within 3 %.
  EXPECT_REL(Get_DWQB_Root_Part()->values[47], 20.12, 0.03);
  // Extents of the walls and the thickest wall.
  EXPECT_NEAR(v[DWQB_V_YMIN], -7.5, 1e-9);
  EXPECT_NEAR(v[DWQB_V_YMAX], 7.5, 1e-9);
  EXPECT_NEAR(v[DWQB_V_ZMIN], 0.0, 1e-9);
  EXPECT_NEAR(v[DWQB_V_ZMAX], 30.0, 1e-9);
  EXPECT_EQ(v[DWQB_V_TMAX], 1.07);
}

TEST_F(DwqbIpe300Values, CentreLineTorsionWarpingAndPlasticValues) {
  const double *v = Run_Model(Ipe300_Model(1.5));
  // Open walls: I_T = Σ t³ L / 3 over the centre lines (h_m = 28.93).
  EXPECT_REL(v[DWQB_V_IT], 15.70189, kExact);
  // I_w = t_f b³ h_m² / 24 of a doubly symmetric I; ordinates ±b h_m / 4 at the tips.
  EXPECT_REL(v[DWQB_V_IW], 125934.05, kExact);
  EXPECT_REL(v[DWQB_V_OMEGA_MIN], -15.0 * 28.93 / 4, kExact);
  EXPECT_REL(v[DWQB_V_OMEGA_MAX], 15.0 * 28.93 / 4, kExact);
  // Centre-line plastic moduli; the web on the vertical axis is split through its thickness.
  EXPECT_REL(v[DWQB_V_WPLY], 612.8842, kExact);
  EXPECT_REL(v[DWQB_V_WPLZ], 124.0209, kExact);
  EXPECT_NEAR(v[DWQB_V_YPL], 0.0, 1e-9);
  EXPECT_NEAR(v[DWQB_V_ZPL], 15.0, 1e-9);
  // Doubly symmetric: the shear centre is the centroid.
  EXPECT_NEAR(v[DWQB_V_YM], v[DWQB_V_YS], 1e-9);
  EXPECT_NEAR(v[DWQB_V_ZM], v[DWQB_V_ZS], 1e-9);
  EXPECT_EQ(Get_DWQB_Header()->n_cells, 0);
}

TEST_F(DwqbIpe300Values, WithoutRadiiThePlatesAlone) {
  const double *v = Run_Model(Ipe300_Model(0.0));
  EXPECT_REL(v[DWQB_V_A], 2 * 15 * 1.07 + (30 - 2 * 1.07) * 0.71, 1e-12);
  EXPECT_REL(v[DWQB_V_IM], 7998.99, 1e-6);
  EXPECT_REL(v[DWQB_V_IN], 602.706, 1e-6);
  // Five plates: the web between the flanges, the flange outstands beside the web.
  int plates = 0;
  for (const DWQB_LINE *l = Get_DWQB_First_Line(); l; l = l->next) plates = std::max(plates, l->mark);
  EXPECT_EQ(plates, 5);
  EXPECT_NEAR(Find_DWQB_Line_Record(3)->plate_b, 27.86, 1e-9);
  EXPECT_EQ(Find_DWQB_Line_Record(3)->plate_support, 3);
  for (int nr : {1, 2, 4, 5}) {
    const DWQB_LINE *l = Find_DWQB_Line_Record(nr);
    EXPECT_NEAR(l->plate_b, 7.145, 1e-9) << nr;
    EXPECT_NEAR(l->plate_t, 1.07, 1e-12) << nr;
    EXPECT_EQ(l->plate_support, 2) << nr;  // free at the tip (node a), held by the web
  }
}

TEST_F(DwqbIpe300Values, RootRadiiShortenTheClearWidths) {
  Run_Model(Ipe300_Model(1.5));
  // The face pieces stop where the fillets begin: c = h - 2 t_f - 2 r, (b - t_w - 2 r) / 2.
  EXPECT_NEAR(Find_DWQB_Line_Record(3)->plate_b, 30 - 2 * 1.07 - 2 * 1.5, 1e-6);
  EXPECT_NEAR(Find_DWQB_Line_Record(1)->plate_b, (15 - 0.71 - 2 * 1.5) / 2, 1e-6);
}

// ---------------------------------------------------------------- channel

class DwqbChannelValues : public DwqbTest {};

TEST_F(DwqbChannelValues, ShearCentreAndWarpingConstant) {
  const double *v = Run_Model(Channel_Model());
  // e = 3 b² t_f / (6 b t_f + h t_w) beyond the web centre line (y = 0), away from the
  // flanges (+y), on the symmetry axis; I_w = t_f b³ h² / 12 (3 b t_f + 2 h t_w) / (6 b t_f + h t_w).
  EXPECT_REL(v[DWQB_V_YM], -3.5625, kExact);
  EXPECT_NEAR(v[DWQB_V_ZM], 9.5, 1e-9);
  EXPECT_REL(v[DWQB_V_IW], 22568.61, kExact);
  EXPECT_REL(v[DWQB_V_IT], (2 * 9.5 + 19.0) / 3.0, kExact);  // open walls
}

// ---------------------------------------------------------------- closed sections

class DwqbClosedValues : public DwqbTest {};

TEST_F(DwqbClosedValues, RectangularTube) {
  const double b = 10, h = 20, t = 0.5;
  const double *v = Run_Model(Box_Model(b, h, t));
  EXPECT_EQ(Get_DWQB_Header()->n_cells, 1);
  const double Am = b * h, p = 2 * (b + h);
  // Bredt plus the open-wall term that the solver adds for cell walls too.
  EXPECT_REL(v[DWQB_V_IT], 4 * Am * Am * t / p + p * t * t * t / 3, kExact);
  EXPECT_REL(v[DWQB_V_IT], 1335.8333, kExact);
  EXPECT_REL(v[DWQB_V_IW], t * b * b * h * h * (b - h) * (b - h) / (24 * (b + h)), kExact);
  EXPECT_REL(v[DWQB_V_IW], 2777.778, kExact);
  EXPECT_NEAR(v[DWQB_V_YM], 5.0, 1e-9);
  EXPECT_NEAR(v[DWQB_V_ZM], 10.0, 1e-9);
  // The cell's share R46 / (R45 + R46) of the Bredt flow 1 / (2 A_m).
  const double closed = 4 * Am * Am * t / p, open = p * t * t * t / 3;
  EXPECT_NEAR(v[DWQB_V_TFLOW_MAX], closed / (closed + open) / (2 * Am), 1e-12);
  EXPECT_REL(v[DWQB_V_TFLOW_MAX], 2.495321e-3, 1e-6);
}

TEST_F(DwqbClosedValues, SquareBox) {
  const double *v = Run_Model(Box_Model(10, 10, 1));
  EXPECT_REL(v[DWQB_V_IT], 1013.3333, kExact);
  // A square box does not warp.
  EXPECT_EQ(v[DWQB_V_IW], 0.0);
}

TEST_F(DwqbClosedValues, TwoCellBoxAgainstBredtSystem) {
  const double *v = Run_Model(Two_Cell_Model());
  EXPECT_EQ(Get_DWQB_Header()->n_cells, 2);
  // Cells 10 × 10 and 20 × 10, outer wall 1, middle web 0.5. Unit twist: δ x = 2 A.
  const double A1 = 100, A2 = 200, tw = 0.5;
  const double d11 = (10 + 10 + 10) / 1.0 + 10 / tw, d22 = (20 + 10 + 20) / 1.0 + 10 / tw, d12 = -10 / tw;
  const double det = d11 * d22 - d12 * d12;
  const double x1 = (2 * A1 * d22 - d12 * 2 * A2) / det, x2 = (d11 * 2 * A2 - d12 * 2 * A1) / det;
  const double open = 80 * 1.0 / 3 + 10 * tw * tw * tw / 3;
  EXPECT_REL(v[DWQB_V_IT], 2 * A1 * x1 + 2 * A2 * x2 + open, kExact);
  // Symmetric about z = 5: the shear centre lies on that axis.
  EXPECT_NEAR(v[DWQB_V_ZM], 5.0, 1e-9);
}

TEST_F(DwqbClosedValues, CircularTubeOfQuarterArcs) {
  const double R = 10, t = 0.5;
  const double *v = Run_Model(Tube_Model(R, t));
  EXPECT_EQ(Get_DWQB_Header()->n_cells, 1);
  const double pi = std::numbers::pi;
  EXPECT_REL(v[DWQB_V_IT], 2 * pi * R * R * R * t + 2 * pi * R * t * t * t / 3, kExact);
  const double A_cl = Get_DWQB_Centreline_Result()[0];
  EXPECT_LT(std::fabs(v[DWQB_V_IW]), 1e-6 * A_cl * A_cl * A_cl);
  EXPECT_NEAR(v[DWQB_V_YM], 0.0, 1e-9);
  EXPECT_NEAR(v[DWQB_V_ZM], 0.0, 1e-9);
  // The outline follows the arcs in chords: within 0.3 % of the ring.
  EXPECT_REL(v[DWQB_V_A], 2 * pi * R * t, 3e-3);
  EXPECT_REL(v[DWQB_V_IM], pi * R * R * R * t * (1 + t * t / (4 * R * R)), 3e-3);
  EXPECT_REL(v[DWQB_V_IN], v[DWQB_V_IM], 1e-9);
}

// ---------------------------------------------------------------- plate

TEST_F(DwqbTest, SinglePlateValues) {
  const double *v = Run_Model(Plate_Model());
  EXPECT_NEAR(v[DWQB_V_A], 10.0, 1e-12);
  EXPECT_NEAR(v[DWQB_V_IM], 10.0 / 12, 1e-12);
  EXPECT_NEAR(v[DWQB_V_IN], 1000.0 / 12, 1e-9);
  EXPECT_NEAR(v[DWQB_V_IT], 10.0 / 3, 1e-12);
  // Shear along the plate: the rectangle's factor 6/5; across the wall nothing.
  EXPECT_NEAR(v[DWQB_V_SHEAR_Y], 1.2, 1e-9);
  EXPECT_EQ(v[DWQB_V_SHEAR_Z], 0.0);
  EXPECT_EQ(v[DWQB_V_IW], 0.0);
  EXPECT_NEAR(v[DWQB_V_YM], 5.0, 1e-12);
  // One plate, free at both ends.
  EXPECT_EQ(Get_DWQB_First_Line()->plate_support, 0);
  EXPECT_NEAR(Get_DWQB_First_Line()->plate_b, 10.0, 1e-12);
}

TEST_F(DwqbTest, PointUnitStressesAtTheCentroid) {
  const double *v = Run_Model(Ipe300_Model(0.0));
  double c[3];
  ASSERT_EQ(Calc_Point_Unit_Stresses(c, v[DWQB_V_YS], v[DWQB_V_ZS]), 1);
  EXPECT_NEAR(c[0], 1.0 / v[DWQB_V_A], 1e-15);
  EXPECT_NEAR(c[1], 0.0, 1e-15);
  EXPECT_NEAR(c[2], 0.0, 1e-15);
  ASSERT_EQ(Calc_Point_Unit_Stresses(c, 0.0, 30.0), 1);
  EXPECT_NEAR(c[1], 15.0 / v[DWQB_V_I1], 1e-12);
  EXPECT_EQ(Calc_Point_Unit_Stresses(nullptr, 0, 0), 0);
}

// Perimeters of the outlines: the faces towards a cell are inner perimeter.
TEST_F(DwqbClosedValues, OuterAndInnerPerimeter) {
  Run_Model(Box_Model(10, 10, 1));
  const double *R = Get_DWQB_Root_Part()->values;
  EXPECT_NEAR(R[48], 4 * 11.0, 1e-9);
  EXPECT_NEAR(R[49], 4 * 9.0, 1e-9);
  Run_Model(Plate_Model());
  R = Get_DWQB_Root_Part()->values;
  EXPECT_NEAR(R[48], 2 * (10 + 1.0), 1e-12);
  EXPECT_EQ(R[49], 0.0);
  // A lone wall has no fillets: both torsion constants are L t³ / 3.
  EXPECT_NEAR(R[45], 10.0 / 3, 1e-12);
  EXPECT_NEAR(R[47], 10.0 / 3, 1e-12);
}

TEST_F(DwqbTest, TaperedWallTorsionAndCentreLineIntegrals) {
  Add_DWQB_Node(1, 0, 0);
  Add_DWQB_Node(2, 6, 0);
  Line(1, 1, 2, 1.0, 3.0);
  ASSERT_EQ(Calc_DWQB_Querschnitt(), 0);
  const double *R = Get_DWQB_Root_Part()->values;
  // I_T = t_m (t_m² + dt²/4) L / 3 = ∫t³ ds / 3 of the linear thickness.
  EXPECT_NEAR(R[45], 2.0 * (4.0 + 1.0) * 6 / 3, 1e-12);
  EXPECT_NEAR(Get_DWQB_Values()->v[DWQB_V_IT], 20.0, 1e-12);
  EXPECT_NEAR(R[18], 12.0, 1e-12);
  EXPECT_NEAR(R[19], 42.0, 1e-12);
  // The outline is the trapezoid: A = 12 as well.
  EXPECT_NEAR(Get_DWQB_Values()->v[DWQB_V_A], 12.0, 1e-12);
}

// The plastic step follows arc walls in chords: a thin ring has W_pl = 4 R² t about every
// axis through its centre.
TEST_F(DwqbClosedValues, CircularTubePlasticModuli) {
  const double *v = Run_Model(Tube_Model(10, 0.5));
  EXPECT_NEAR(v[DWQB_V_YPL], 0.0, 1e-6);
  EXPECT_NEAR(v[DWQB_V_ZPL], 0.0, 1e-6);
  EXPECT_REL(v[DWQB_V_WPLY], 4 * 100 * 0.5, 3e-3);
  EXPECT_REL(v[DWQB_V_WPLZ], 4 * 100 * 0.5, 3e-3);
}

// The end ordinates of the flange tips of the channel differ by the swept area of the
// web and flanges; the web ends are the mirror images of each other.
TEST_F(DwqbChannelValues, EndOrdinatesOfTheLines) {
  Run_Model(Channel_Model());
  double a1, b1, a3, b3;
  ASSERT_EQ(Get_DWQB_Line_End_Omega(1, &a1, &b1), 1);
  ASSERT_EQ(Get_DWQB_Line_End_Omega(3, &a3, &b3), 1);
  // Origin as pole: flange 1 at z = 0 sweeps nothing, the web sweeps 0, flange 3 at
  // z = 19 sweeps -19 · 9.5 from its start.
  EXPECT_NEAR(b1 - a1, 0.0, 1e-12);
  EXPECT_NEAR(b3 - a3, -19 * 9.5, 1e-12);
  EXPECT_EQ(Get_DWQB_Line_End_Omega(99, &a1, &b1), 0);
}

// Third-moment ratio of the tapered wall against the trapezoid integrated by Simpson:
// value 21 = ∫ȳ (ȳ² + z̄²) dA / I_z, value 20 = 0 by symmetry about the centre line.
TEST_F(DwqbTest, ThirdMomentRatioOfATrapezoid) {
  Add_DWQB_Node(1, 0, 0);
  Add_DWQB_Node(2, 6, 0);
  Line(1, 1, 2, 1.0, 3.0);
  ASSERT_EQ(Calc_DWQB_Querschnitt(), 0);
  const double *v = Get_DWQB_Values()->v;
  const int n = 600;
  double A = 0, Sy = 0, Y = 0, Iz = 0;
  for (int pass = 0; pass < 2; ++pass) {
    const double ys = pass ? Sy / A : 0.0;
    for (int i = 0; i <= n; ++i) {
      const double y = 6.0 * i / n, t = 1 + y / 3, w = (i == 0 || i == n ? 1 : (i % 2 ? 4 : 2)) * 6.0 / n / 3;
      const double d = y - ys;
      if (!pass) {
        A += w * t;
        Sy += w * t * y;
      } else {
        Y += w * d * (d * d * t + t * t * t / 12);
        Iz += w * d * d * t;
      }
    }
  }
  EXPECT_NEAR(v[DWQB_V_YS], Sy / A, 1e-12);
  EXPECT_NEAR(v[DWQB_V_IN], Iz, 1e-9);
  EXPECT_NEAR(v[DWQB_V_R2], Y / Iz, 1e-9);
  EXPECT_NEAR(v[DWQB_V_R1], 0.0, 1e-12);
}
