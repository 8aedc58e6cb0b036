// Part tree and shear groups of a part-mode run, the tree walk, the cell system, the
// six-point rows, the presets of the result transfer and the plate groups.
#include <cmath>
#include <numbers>
#include <vector>

#include "tests/dwqb/dwqb_fixture.h"
#include "tests/dwqb/section_models.h"

namespace {
const DWQB_SHEAR_ENTRY *Entry_Of(int nr) { return Find_DWQB_Line_Record(nr)->element->shear; }
constexpr std::uint32_t kChainBits = 0x1 | 0x2 | 0x10000 | 0x20000 | 0x40000;
}  // namespace

// ---------------------------------------------------------------- shear groups

class DwqbPartTree : public DwqbTest {};

// The shear entries of one part in line order with their chain bits: 0x1/0x2 the chain
// kind, 0x10000 the cell cut, 0x20000 a chain start, 0x40000 a chain end.
TEST_F(DwqbPartTree, ShearChainsOfOnePart) {
  const struct {
    SectionModel model;
    int cells;
    std::vector<std::uint32_t> flags;
  } cases[] = {
      {Plate_Model(), 0, {0x60001}},
      {Box_Model(10, 20, 0.5), 1, {0x30001, 0x1, 0x1, 0x40001}},  // cut open at its first line
      {I_Chain_Model(10, 10, 1, 1), 0, {0x60001, 0x20002, 0x40001, 0x20001, 0x40001}},
  };
  for (const auto &c : cases) {
    Reset_DWQB_Querschnitt();
    c.model.Build();
    ASSERT_EQ(Calc_DWQB_Querschnitt(), 0);
    DWQB_PART *root = Get_DWQB_Root_Part();
    ASSERT_EQ(root->count, 1) << c.model.name;
    EXPECT_EQ(root->kind, DWQB_PART_GROUP);
    const DWQB_PART *P = root->children[0];
    EXPECT_EQ(P->n_cells, c.cells) << c.model.name;
    EXPECT_EQ(P->count, static_cast<int>(c.flags.size())) << c.model.name;
    ASSERT_EQ(P->n_entries, static_cast<int>(c.flags.size())) << c.model.name;
    for (int i = 0; i < P->n_entries; ++i) {
      EXPECT_EQ(P->shear[i].line->nr, i + 1) << c.model.name;
      EXPECT_EQ(P->shear[i].flags & kChainBits, c.flags[i]) << c.model.name << " " << i;
      EXPECT_EQ(Entry_Of(i + 1), &P->shear[i]);
    }
    EXPECT_EQ(P->children[0]->kind, DWQB_PART_LINE);
    EXPECT_EQ(P->children[0]->line, Get_DWQB_First_Line());
  }
  // The open flow is continuous through every node of the chains: at the top middle of the
  // I the flows of lines 1 and 2 run on into the web.
  double o1[5], o2[5], o3[5];
  Get_DWQB_Line_Shear_Values(Find_DWQB_Line_Record(1), 0, o1, 1.0, 0.0, 0);
  Get_DWQB_Line_Shear_Values(Find_DWQB_Line_Record(2), 0, o2, -1.0, 0.0, 0);
  Get_DWQB_Line_Shear_Values(Find_DWQB_Line_Record(3), 0, o3, -1.0, 0.0, 0);
  EXPECT_NEAR(o1[0] - o2[0], o3[0], 1e-12);
  EXPECT_NEAR(o1[1] - o2[1], o3[1], 1e-12);
}

TEST_F(DwqbPartTree, SeparatePlatesAndLinesOfPartOne) {
  Add_DWQB_Node(1, 0, 0);
  Add_DWQB_Node(2, 10, 0);
  Add_DWQB_Node(3, 0, 5);
  Add_DWQB_Node(4, 10, 5);
  Line(1, 1, 2, 1, 1);
  Line(2, 3, 4, 1, 1, 0.0, 1);
  ASSERT_EQ(Calc_DWQB_Querschnitt(), 0);
  DWQB_PART *root = Get_DWQB_Root_Part();
  EXPECT_EQ(root->count, 2);
  EXPECT_EQ(root->children[1]->children[0]->kind, DWQB_PART_LINE_CL);
  // The line of part number 1 adds only to the centre-line sums.
  EXPECT_NEAR(Get_DWQB_Values()->v[DWQB_V_A], 10.0, 1e-12);
  EXPECT_NEAR(Get_DWQB_Centreline_Result()[0], 20.0, 1e-12);
  // Its plate support is -2 with the mark 1 of the first plate.
  const DWQB_LINE *l2 = Find_DWQB_Line_Record(2);
  EXPECT_EQ(l2->plate_support, -2);
  EXPECT_EQ(l2->mark, 1);
}

TEST_F(DwqbPartTree, RerunOfASmallerSectionReusesTheBuffers) {
  Two_Cell_Model().Build();
  ASSERT_EQ(Calc_DWQB_Querschnitt(), 0);
  const void *groups = Dwqb_State().groups;
  const void *cells = Dwqb_State().cell_matrix;
  Reset_DWQB_Querschnitt();
  Box_Model(10, 10, 1).Build();
  ASSERT_EQ(Calc_DWQB_Querschnitt(), 0);
  EXPECT_EQ(Dwqb_State().groups, groups);
  EXPECT_EQ(Dwqb_State().cell_matrix, cells);
  EXPECT_NEAR(Get_DWQB_Values()->v[DWQB_V_IT], 1013.3333333, 1e-6);
}

// ---------------------------------------------------------------- walk

namespace {
struct WalkLog {
  std::vector<char> calls;
  int stop_at = -1;
};
int Log(void *ctx, char c) {
  auto *w = static_cast<WalkLog *>(ctx);
  w->calls.push_back(c);
  return static_cast<int>(w->calls.size()) - 1 != w->stop_at;
}
}  // namespace

TEST_F(DwqbPartTree, WalkVisitsPartsLinesAndEntriesInOrder) {
  Channel_Model().Build();
  ASSERT_EQ(Calc_DWQB_Querschnitt(), 0);
  WalkLog log;
  DWQB_WALK_STEPS st{};
  st.root_begin = [](DWQB_PART *, void *c) { return Log(c, 'R'); };
  st.part_begin = [](DWQB_PART *, void *c) { return Log(c, 'P'); };
  st.line_step = [](DWQB_LINE *, int, void *c) { return Log(c, 'L'); };
  st.entry_step = [](DWQB_SHEAR_ENTRY *, void *c) { return Log(c, 'E'); };
  st.part_end = [](DWQB_PART *, void *c) { return Log(c, 'p'); };
  st.root_end = [](DWQB_PART *, void *c) { return Log(c, 'r'); };
  st.root_ctx = st.part_ctx = st.line_ctx = st.entry_ctx = &log;
  EXPECT_EQ(Walk_DWQB_Part_Tree(&st), 1);
  EXPECT_EQ(std::string(log.calls.begin(), log.calls.end()), "RPLLLEEEpr");
  log = WalkLog{};
  log.stop_at = 3;
  EXPECT_EQ(Walk_DWQB_Part_Tree(&st), 0);
  EXPECT_EQ(log.calls.size(), 4u);
  // Without inner steps only the root steps run.
  log = WalkLog{};
  DWQB_WALK_STEPS outer{};
  outer.root_begin = st.root_begin;
  outer.root_end = st.root_end;
  outer.root_ctx = &log;
  EXPECT_EQ(Walk_DWQB_Part_Tree(&outer), 1);
  EXPECT_EQ(std::string(log.calls.begin(), log.calls.end()), "Rr");
  // A line element is no group.
  EXPECT_EQ(Walk_DWQB_Part(Get_DWQB_Root_Part()->children[0]->children[0], &st), 0);
  Reset_DWQB_Querschnitt();
  EXPECT_EQ(Walk_DWQB_Part_Tree(&st), 0);
}

// ---------------------------------------------------------------- cells and rows

class DwqbCells : public DwqbTest {};

TEST_F(DwqbCells, SolverAgainstAKnownSystem) {
  // [4 -1 0; -1 4 -1; 0 -1 4] x = b for three right-hand sides.
  double M[9] = {4, -1, 0, -1, 4, -1, 0, -1, 4};
  double x1[3] = {3, 2, 3}, x2[3] = {4, -1, 0}, x3[3] = {0, 0, 0};
  Solve_Cell_System(M, x1, x2, x3, 3, 3);
  for (double v : x1) EXPECT_NEAR(v, 1.0, 1e-14);
  EXPECT_NEAR(x2[0], 1.0, 1e-14);
  EXPECT_NEAR(x2[1], 0.0, 1e-14);
  EXPECT_NEAR(x2[2], 0.0, 1e-14);
  // A zero pivot gives a zero unknown.
  double Z[4] = {0, 0, 0, 2};
  double r[2] = {5, 4};
  Solve_Cell_System_1(Z, r, 2);
  EXPECT_EQ(r[0], 0.0);
  EXPECT_NEAR(r[1], 2.0, 1e-15);
}

TEST_F(DwqbCells, SixPointRowReadsEveryStoredValue) {
  // A quintic through its six points: the row keeps the ends and the residuals inside.
  auto f = [](double s) { return 1 - 2 * s + 3 * s * s * s - s * s * s * s * s + 0.5 * s * s; };
  const double in[4] = {-0.6, -0.2, 0.2, 0.6};
  double row[6] = {f(-1), f(1)};
  for (int k = 0; k < 4; ++k) row[2 + k] = f(in[k]) - ((1 - in[k]) * f(-1) + (1 + in[k]) * f(1)) / 2;
  for (double s = -1.0; s <= 1.0; s += 0.125) EXPECT_NEAR(Dwqb_Six_Point(row, s), f(s), 1e-12) << s;
  const double lin[6] = {2, 6, 0, 0, 0, 0};
  EXPECT_NEAR(Dwqb_Six_Point(lin, 0.3), 4 + 2 * 0.3, 1e-15);
}

TEST_F(DwqbCells, ShearFactorsAndExtremesOfTheBox) {
  const double *v = (Box_Model(10, 10, 1).Build(), Calc_DWQB_Querschnitt(), Get_DWQB_Values()->v);
  // Square box: the same factor both ways; the flows of the shear cases are symmetric.
  EXPECT_NEAR(v[DWQB_V_SHEAR_Y], v[DWQB_V_SHEAR_Z], 1e-12);
  EXPECT_NEAR(v[DWQB_V_Q_MIN], -v[DWQB_V_Q_MAX], 1e-12);
  EXPECT_NEAR(v[DWQB_V_TAU_MIN], -v[DWQB_V_TAU_MAX], 1e-12);
  // Largest flow of a thin square box at its neutral axis: V S / I with S = 1·5·5 + 1·10·5.
  EXPECT_NEAR(v[DWQB_V_Q_MAX], (5.0 * 5 / 2 * 2 + 10 * 5) / 2 / (2 * 10 * 25 + 2 * 1000.0 / 12), 1e-9);
}

// ---------------------------------------------------------------- presets

class DwqbPresets : public DwqbTest {
 protected:
  double *Values() { return Get_DWQB_Values()->v; }
  const double *Run_With(std::uint32_t options) {
    Get_DWQB_Header()->options = options;
    Channel_Model().Build();
    EXPECT_EQ(Calc_DWQB_Querschnitt(), 0);
    return Values();
  }
};

// Preset values with their option bits survive the run, in part mode and in direct mode
// (both switches off); the values derived from them follow.
TEST_F(DwqbPresets, PresetValuesAreKept) {
  const struct {
    std::uint32_t option;
    std::vector<std::pair<int, double>> values;
  } cases[] = {
      {DWQB_OPT_PRESET_MAIN,
       {{DWQB_V_A, 40}, {DWQB_V_YS, 2}, {DWQB_V_ZS, 9}, {DWQB_V_ALPHA, 0.1}, {DWQB_V_I1, 2300}, {DWQB_V_I2, 360},
        {DWQB_V_W1A, 100}, {DWQB_V_W1B, 101}, {DWQB_V_W2A, 102}, {DWQB_V_W2B, 103}}},
      {DWQB_OPT_PRESET_IT | DWQB_OPT_PRESET_IW | DWQB_OPT_PRESET_SHEAR | DWQB_OPT_PRESET_WPL,
       {{DWQB_V_IT, 99}, {DWQB_V_IW, 5000}, {DWQB_V_YM, -1}, {DWQB_V_ZM, 8}, {25, 1}, {26, 2}, {27, 3}, {28, 4},
        {DWQB_V_WPLY, 300}, {DWQB_V_WPLZ, 100}}},
  };
  for (const int part : {1, 0}) {
    SCOPED_TRACE(part ? "part mode" : "direct mode");
    DWQB_Part_Mode_Switch = DWQB_Wall_Terms_Switch = part;
    for (const auto &c : cases) {
      Reset_DWQB_Querschnitt();
      for (const auto &[k, x] : c.values) Values()[k] = x;
      const double *v = Run_With(c.option);
      for (const auto &[k, x] : c.values) EXPECT_EQ(v[k], x) << k;
    }
    // The main values: first moments and the centroidal tensor turned back from the
    // principal values; everything else is computed.
    Reset_DWQB_Querschnitt();
    for (const auto &[k, x] : cases[0].values) Values()[k] = x;
    const double *v = Run_With(DWQB_OPT_PRESET_MAIN);
    EXPECT_EQ(v[DWQB_V_SY], 80);
    EXPECT_EQ(v[DWQB_V_SZ], 360);
    const double c = std::cos(0.1), s = std::sin(0.1);
    EXPECT_NEAR(v[DWQB_V_IM], c * c * 2300 + s * s * 360, 1e-9);
    EXPECT_NEAR(v[DWQB_V_IN], s * s * 2300 + c * c * 360, 1e-9);
    EXPECT_NEAR(v[DWQB_V_IMN], s * c * (360 - 2300), 1e-9);
    EXPECT_NEAR(v[DWQB_V_IZZ0], v[DWQB_V_IM] + 40 * 81, 1e-9);
    EXPECT_NEAR(v[DWQB_V_IYY0], v[DWQB_V_IN] + 40 * 4, 1e-9);
    EXPECT_NEAR(v[DWQB_V_IYZ0], v[DWQB_V_IMN] + 40 * 18, 1e-9);
    EXPECT_NEAR(v[DWQB_V_IT], 38.0 / 3, 1e-9);
  }
}

TEST_F(DwqbPresets, PresetsWithoutTheirBitsOrNotPositiveAreReplaced) {
  double *v = Values();
  v[DWQB_V_IT] = 0;      // bit set, but not > 0
  v[DWQB_V_IW] = 5000;   // no bit
  v[DWQB_V_WPLY] = 300;  // bit set, but W_pl,z is 0
  v[DWQB_V_WPLZ] = 0;
  Run_With(DWQB_OPT_PRESET_IT | DWQB_OPT_PRESET_WPL);
  EXPECT_NEAR(v[DWQB_V_IT], 38.0 / 3, 1e-9);
  EXPECT_NEAR(v[DWQB_V_IW], 22568.61, 0.01);
  EXPECT_NEAR(v[DWQB_V_WPLY], 2 * 9.5 * 9.5 + 19 * 19 / 4.0, 1e-6);
  EXPECT_GT(v[DWQB_V_WPLZ], 0.0);
}

TEST_F(DwqbPresets, PresetWarpingConstantSetsTheOrdinateShift) {
  Values()[DWQB_V_IW] = 1000;
  const double *v = Run_With(DWQB_OPT_PRESET_IW);
  EXPECT_EQ(v[DWQB_V_IW], 1000);
  EXPECT_GE(v[DWQB_V_WARP_SHIFT], 1000);
}

// ---------------------------------------------------------------- plate groups

class DwqbPlateGroups : public DwqbTest {};

TEST_F(DwqbPlateGroups, CollinearLinesFormOnePlate) {
  // Two lines at 5° through a node with two lines, then a bend of 30°.
  const double a = 5 * std::numbers::pi / 180, b = 30 * std::numbers::pi / 180;
  Add_DWQB_Node(1, 0, 0);
  Add_DWQB_Node(2, 10, 0);
  Add_DWQB_Node(3, 10 + 10 * std::cos(a), 10 * std::sin(a));
  Add_DWQB_Node(4, 10 + 10 * std::cos(a) + 10 * std::cos(b), 10 * std::sin(a) + 10 * std::sin(b));
  Line(1, 1, 2, 1, 1);
  Line(2, 2, 3, 1, 1);
  Line(3, 3, 4, 1, 1);
  ASSERT_EQ(Calc_DWQB_Querschnitt(), 0);
  EXPECT_EQ(Find_DWQB_Line_Record(1)->mark, 1);
  EXPECT_EQ(Find_DWQB_Line_Record(2)->mark, 1);
  EXPECT_EQ(Find_DWQB_Line_Record(3)->mark, 2);
  EXPECT_EQ(Find_DWQB_Line_Record(1)->plate_support, 2);  // free at node 1, the bend holds it
  EXPECT_EQ(Find_DWQB_Line_Record(2)->plate_support, -2);
  EXPECT_EQ(Find_DWQB_Line_Record(1)->plate_first, 0);
  EXPECT_EQ(Find_DWQB_Line_Record(1)->plate_last, 1);
  // Without cuts the plate is the two centre lines.
  EXPECT_EQ(Calc_DWQB_Plate_Groups(0, 0), 2);
  EXPECT_NEAR(Find_DWQB_Line_Record(1)->plate_b, 20.0, 1e-12);
}

TEST_F(DwqbPlateGroups, VerticalLinesNearBothEndsOfTheAngleRange) {
  // Directions just beside the z axis have plate angles near 0 and near π.
  Add_DWQB_Node(1, 0, 0);
  Add_DWQB_Node(2, 0.05, 10);
  Add_DWQB_Node(3, -0.05, 20);
  Line(1, 1, 2, 1, 1);
  Line(2, 2, 3, 1, 1);
  ASSERT_EQ(Calc_DWQB_Querschnitt(), 0);
  EXPECT_EQ(Find_DWQB_Line_Record(2)->mark, 1);
}

TEST_F(DwqbPlateGroups, AngleLegsAreMeasuredBeyondTheCorner) {
  Add_DWQB_Node(1, 10, 0);
  Add_DWQB_Node(2, 0, 0);
  Add_DWQB_Node(3, 0, 10);
  Line(1, 1, 2, 1, 1);
  Line(2, 2, 3, 1, 1);
  ASSERT_EQ(Calc_DWQB_Querschnitt(), 0);
  // The first pass finds two plates in one part, so the legs are measured with the faces
  // that reach beyond the corner: 10 + t/2.
  EXPECT_NEAR(Find_DWQB_Line_Record(1)->plate_b, 10.5, 1e-9);
  EXPECT_NEAR(Find_DWQB_Line_Record(2)->plate_b, 10.5, 1e-9);
  EXPECT_EQ(Calc_DWQB_Plate_Groups(1, 0), 2);
  EXPECT_NEAR(Find_DWQB_Line_Record(1)->plate_b, 9.5, 1e-9);
  EXPECT_NEAR(Find_DWQB_Line_Record(1)->cut_end, 0.05, 1e-9);
}

// The closed polygon forms of the segment step agree with the general triangle moment.
TEST(DwqbSegmentMoments, ClosedFormsMatchTheTriangleMoments) {
  const double P[3][4] = {{1.0, 2.0, -3.0, 0.5}, {-2.5, 4.0, 7.0, -1.25}, {0.0, 0.0, 3.0, 3.0}};
  static const int kP[10] = {0, 1, 0, 2, 1, 0, 3, 2, 1, 0};
  static const int kQ[10] = {0, 0, 1, 0, 1, 2, 0, 1, 2, 3};
  for (const auto &p : P) {
    DWQB_SEGMENT_MOMENTS acc{};
    Add_Segment_Moments(&acc, p[0], p[1], 0.0, p[2], p[3], 0.0);
    for (int i = 0; i < 10; ++i) {
      const double ref = Calc_Segment_Moment(kP[i], kQ[i], p[0], p[1], p[2], p[3]);
      EXPECT_NEAR(acc.values[i], ref, 1e-12 * (1 + std::fabs(ref))) << i;
    }
  }
}
