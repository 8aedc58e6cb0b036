// Section model: building, fault codes and their stickiness, lookups, the listed tables,
// record recycling and model keys.
#include <cstring>
#include <limits>

#include "support/support.h"
#include "tests/dwqb/dwqb_fixture.h"

namespace {
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

void Plate() {
  Add_DWQB_Node(1, 0, 0);
  Add_DWQB_Node(2, 10, 0);
}
}  // namespace

class DwqbFaults : public DwqbTest {};

TEST_F(DwqbFaults, EmptySectionGivesOneUntilReset) {
  EXPECT_EQ(Calc_DWQB_Querschnitt(), DWQB_FAULT_NO_NODES_OR_LINES);
  // Adding a valid model afterwards does not clear the sticky code.
  Plate();
  Add_DWQB_Line_Const_Thickness(1, 1, 2, 1.0);
  EXPECT_EQ(Calc_DWQB_Querschnitt(), DWQB_FAULT_NO_NODES_OR_LINES);
  Reset_DWQB_Querschnitt();
  Plate();
  Add_DWQB_Line_Const_Thickness(1, 1, 2, 1.0);
  EXPECT_EQ(Calc_DWQB_Querschnitt(), DWQB_OK);
  EXPECT_EQ(Calc_DWQB_Querschnitt(), DWQB_OK);
}

TEST_F(DwqbFaults, NodesWithoutLinesGiveOne) {
  Plate();
  EXPECT_EQ(Calc_DWQB_Querschnitt(), DWQB_FAULT_NO_NODES_OR_LINES);
}

TEST_F(DwqbFaults, LineBeforeItsEndNodeGivesSix) {
  Add_DWQB_Node(1, 0, 0);
  Add_DWQB_Line_Const_Thickness(1, 1, 2, 1.0);  // node 2 not there yet
  Add_DWQB_Node(2, 10, 0);
  Add_DWQB_Line_Const_Thickness(2, 1, 2, 1.0);
  EXPECT_EQ(Calc_DWQB_Querschnitt(), DWQB_FAULT_MISSING_NODE);
  EXPECT_EQ(Calc_DWQB_Querschnitt(), DWQB_FAULT_MISSING_NODE);
  const DWQB_LINE *l = Find_DWQB_Line_Record(1);
  ASSERT_NE(l, nullptr);  // the line stays in the list
  EXPECT_EQ(l->node_b, nullptr);
  // A line added with no node list at all.
  Reset_DWQB_Querschnitt();
  Add_DWQB_Line_Const_Thickness(1, 1, 2, 1.0);
  EXPECT_EQ(Calc_DWQB_Querschnitt(), DWQB_FAULT_MISSING_NODE);
}

TEST_F(DwqbFaults, LineBetweenEqualNodesGivesTwo) {
  Plate();
  Add_DWQB_Line_Const_Thickness(1, 1, 1, 1.0);
  const DWQB_LINE *l = Find_DWQB_Line_Record(1);
  EXPECT_EQ(l->node_a, l->node_b);
  EXPECT_EQ(l->node_a->use_count, 2);
  EXPECT_EQ(Calc_DWQB_Querschnitt(), DWQB_FAULT_ZERO_LENGTH);
  // Two distinct nodes at the same place are a zero length too.
  Reset_DWQB_Querschnitt();
  Add_DWQB_Node(1, 2, 3);
  Add_DWQB_Node(2, 2, 3);
  Add_DWQB_Line_Const_Thickness(1, 1, 2, 1.0);
  EXPECT_EQ(Calc_DWQB_Querschnitt(), DWQB_FAULT_ZERO_LENGTH);
}

TEST_F(DwqbFaults, ThicknessNotAboveZeroGivesThreeAndSticks) {
  Plate();
  Add_DWQB_Node(3, 10, 10);
  Add_DWQB_Line_Const_Thickness(1, 1, 2, 1.0);
  Add_DWQB_Line_Const_Thickness(2, 2, 3, 0.0);
  EXPECT_EQ(Calc_DWQB_Querschnitt(), DWQB_FAULT_THICKNESS);
  EXPECT_DOUBLE_EQ(Find_DWQB_Line_Record(1)->L, 10.0);  // lines before keep their length
  EXPECT_EQ(Calc_DWQB_Querschnitt(), DWQB_FAULT_THICKNESS);
  // Values null means thickness 0; tapered to a negative mean as well.
  Reset_DWQB_Querschnitt();
  Plate();
  Add_DWQB_Line(1, 0, 1, 2, nullptr);
  EXPECT_EQ(Calc_DWQB_Querschnitt(), DWQB_FAULT_THICKNESS);
  Reset_DWQB_Querschnitt();
  Plate();
  Line(1, 1, 2, 1.0, -1.5);
  EXPECT_EQ(Calc_DWQB_Querschnitt(), DWQB_FAULT_THICKNESS);
}

// Non-finite input never reaches the computation: coordinates and rises give 2,
// thicknesses, rotations and radii give 3, whichever comes first in line order.
TEST_F(DwqbFaults, NonFiniteInput) {
  struct Case {
    double y2;
    int slot;  // index into the line values, -1 for none
    double value;
    int code;
  };
  const Case cases[] = {
      {kNaN, -1, 0, DWQB_FAULT_ZERO_LENGTH}, {kInf, -1, 0, DWQB_FAULT_ZERO_LENGTH},
      {10, 2, kNaN, DWQB_FAULT_ZERO_LENGTH}, {10, 0, kInf, DWQB_FAULT_THICKNESS},
      {10, 1, kNaN, DWQB_FAULT_THICKNESS},   {10, 3, kNaN, DWQB_FAULT_THICKNESS},
      {10, 4, -kInf, DWQB_FAULT_THICKNESS},  {10, 5, kNaN, DWQB_FAULT_THICKNESS},
      {10, 8, kInf, DWQB_FAULT_THICKNESS},   {10, 2, 1e300, DWQB_FAULT_ZERO_LENGTH},
      {1e300, -1, 0, DWQB_FAULT_ZERO_LENGTH},
  };
  for (const Case &c : cases) {
    Reset_DWQB_Querschnitt();
    Add_DWQB_Node(1, 0, 0);
    Add_DWQB_Node(2, c.y2, 0);
    double v[9] = {1, 1, 0, 0, 0, 0, 0, 0, 0};
    if (c.slot >= 0) v[c.slot] = c.value;
    Add_DWQB_Line(1, 0, 1, 2, v);
    EXPECT_EQ(Calc_DWQB_Querschnitt(), c.code) << "slot " << c.slot;
  }
  // Line order decides: a bad radius on line 1 comes before a bad coordinate on line 2.
  Reset_DWQB_Querschnitt();
  Add_DWQB_Node(1, 0, 0);
  Add_DWQB_Node(2, 10, 0);
  Add_DWQB_Node(3, kNaN, 5);
  const double bad_radius[9] = {1, 1, 0, 0, 0, 0, 0, kNaN, 0};
  Add_DWQB_Line(1, 0, 1, 2, bad_radius);
  Add_DWQB_Line_Const_Thickness(2, 2, 3, 1.0);
  EXPECT_EQ(Calc_DWQB_Querschnitt(), DWQB_FAULT_THICKNESS);
}

class DwqbModel : public DwqbTest {};

TEST_F(DwqbModel, ResetGivesTheEmptyHeader) {
  DWQB_HEADER *h = Get_DWQB_Header();
  std::strcpy(h->name, "IPE 300");
  h->kind = 4;
  h->options = 0x1000;
  Get_DWQB_Values()->v[DWQB_V_IT] = 20.0;
  Reset_DWQB_Querschnitt();
  EXPECT_STREQ(h->name, " ");
  EXPECT_EQ(h->kind, -1);
  EXPECT_EQ(h->words[0], -1);
  EXPECT_EQ(h->words[1], -1);
  EXPECT_EQ(h->options, 0u);
  EXPECT_EQ(h->n_cells, 0);
  for (double v : Get_DWQB_Values()->v) EXPECT_EQ(v, 0.0);
}

TEST_F(DwqbModel, ConstThicknessLine) {
  Add_DWQB_Node(1, 0, 0);
  Add_DWQB_Node(2, 3, 4);
  Add_DWQB_Line_Const_Thickness(7, 1, 2, 0.5);
  const DWQB_LINE *l = Find_DWQB_Line_Record(7);
  ASSERT_NE(l, nullptr);
  EXPECT_EQ(l->t_a, 0.5);
  EXPECT_EQ(l->t_b, 0.5);
  EXPECT_EQ(l->t_m, 0.5);
  EXPECT_EQ(l->part_nr, 0);
  EXPECT_EQ(l->geo.n_seg, 0);
  EXPECT_DOUBLE_EQ(l->geo.length, 5.0);
  for (const DWQB_OUTLINE_PIECE &p : l->outline) EXPECT_EQ(p.flags, DWQB_PIECE_EMPTY);
}

TEST_F(DwqbModel, LookupAndItsCache) {
  Plate();
  Add_DWQB_Node(3, 10, 10);
  Add_DWQB_Line_Const_Thickness(5, 1, 2, 1.0);
  Add_DWQB_Line_Const_Thickness(6, 2, 3, 1.0);
  DWQB_LINE *l6 = Find_DWQB_Line_Record(6);
  ASSERT_NE(l6, nullptr);
  EXPECT_EQ(Find_DWQB_Line(6), &l6->outline[0]);  // the outline, not the geometry
  EXPECT_EQ(Find_DWQB_Line(99), nullptr);
  EXPECT_EQ(Dwqb_State().cache_line, l6);  // a miss leaves the cache
  EXPECT_EQ(Dwqb_State().cache_nr, 6);
  double oa = 1, ob = 1;
  EXPECT_EQ(Get_DWQB_Line_End_Omega(5, &oa, &ob), 1);
  EXPECT_EQ(oa, 0.0);
  EXPECT_EQ(Get_DWQB_Line_End_Omega(99, &oa, &ob), 0);
  Reset_DWQB_Querschnitt();
  EXPECT_EQ(Find_DWQB_Line_Record(6), nullptr);
  EXPECT_EQ(Find_DWQB_Line(5), nullptr);
}

TEST_F(DwqbModel, RecordsAreRecycled) {
  auto build = [] {
    for (int i = 0; i < 30; ++i) Add_DWQB_Node(i + 1, i, 0);
    for (int i = 0; i < 29; ++i) Add_DWQB_Line_Const_Thickness(i + 1, i + 1, i + 2, 1.0);
  };
  build();
  Reset_DWQB_Querschnitt();
  const long live = Tools_Live_Blocks();
  build();
  EXPECT_EQ(Tools_Live_Blocks(), live);
  int n = 0;
  for (const DWQB_LINE *l = Get_DWQB_First_Line(); l; l = l->next) {
    EXPECT_EQ(l->nr, ++n);
    EXPECT_EQ(l->node_a->nr, n);
  }
  EXPECT_EQ(n, 29);
}

TEST_F(DwqbModel, PresetsAreSavedAtTheStart) {
  Plate();
  Add_DWQB_Line_Const_Thickness(1, 1, 2, 1.0);
  DWQB_VALUES *v = Get_DWQB_Values();
  for (int i = 0; i < DWQB_N_VALUES; ++i) v->v[i] = 100.0 + i;
  ASSERT_EQ(Calc_DWQB_Querschnitt(), 0);
  const int expected[20] = {0, 1, 2, 13, 14, 15, 16, 17, 18, 19, 8, 29, 28, 22, 23, 25, 26, 27, 34, 35};
  for (int i = 0; i < 20; ++i) EXPECT_EQ(Dwqb_State().presets[i], 100.0 + expected[i]);
  EXPECT_EQ(Dwqb_State().part_mode, 1);
  EXPECT_EQ(Dwqb_State().wall_terms, 1);
}

TEST_F(DwqbModel, RunModeFollowsSwitchesAndOptions) {
  DWQB_Part_Mode_Switch = 0;
  DWQB_Wall_Terms_Switch = 0;
  Plate();
  Add_DWQB_Line_Const_Thickness(1, 1, 2, 1.0);
  // Direct mode: the thin-line plate has no second moment across it.
  ASSERT_EQ(Calc_DWQB_Querschnitt(), DWQB_FAULT_PRINCIPAL);
  EXPECT_EQ(Dwqb_State().part_mode, 0);
  EXPECT_EQ(Dwqb_State().wall_terms, 0);
  Reset_DWQB_Querschnitt();
  Plate();
  Add_DWQB_Line_Const_Thickness(1, 1, 2, 1.0);
  Get_DWQB_Header()->options = DWQB_OPT_PART_MODE | DWQB_OPT_WALL_TERMS;
  ASSERT_EQ(Calc_DWQB_Querschnitt(), 0);
  EXPECT_EQ(Dwqb_State().part_mode, 1);
  EXPECT_EQ(Dwqb_State().wall_terms, 1);
  EXPECT_EQ(Dwqb_State().run_options, DWQB_OPT_PART_MODE | DWQB_OPT_WALL_TERMS);
}

// Large imported sections keep every line in the listed tables.
TEST_F(DwqbModel, ListingHoldsEveryNodeAndLine) {
  const int n = 250;
  for (int i = 0; i < n; ++i) Add_DWQB_Node(1000 + i, 0.5 * i, 0.25 * i);
  for (int i = 0; i + 1 < n; ++i) Line(i + 1, 1000 + i, 1000 + i + 1, 1.0, 2.0);
  Add_DWQB_Line_Const_Thickness(n, 1000, 5, 1.0);  // a missing end node
  EXPECT_EQ(List_DWQB_Section(), 0);
  const DWQB_HEADER *h = Get_DWQB_Header();
  ASSERT_EQ(h->n_listed_nodes, n);
  ASSERT_EQ(h->n_listed_lines, n);
  for (int i = 0; i < n; ++i) {
    EXPECT_EQ(h->listed_nodes[i + 1].nr, 1000 + i);
    EXPECT_FLOAT_EQ(h->listed_nodes[i + 1].y, static_cast<float>(0.5 * i));
    EXPECT_FLOAT_EQ(h->listed_nodes[i + 1].z, static_cast<float>(0.25 * i));
  }
  for (int i = 0; i + 1 < n; ++i) {
    EXPECT_EQ(h->listed_lines[i].nr, i + 1);
    EXPECT_EQ(h->listed_lines[i].node_a, i);
    EXPECT_EQ(h->listed_lines[i].node_b, i + 1);
    EXPECT_FLOAT_EQ(h->listed_lines[i].t_m, 1.5f);
  }
  EXPECT_EQ(h->listed_lines[n - 1].node_a, 0);
  EXPECT_EQ(h->listed_lines[n - 1].node_b, -1);
  // A smaller section after a reset reuses the tables.
  Reset_DWQB_Querschnitt();
  Plate();
  Add_DWQB_Line_Const_Thickness(1, 1, 2, 1.0);
  EXPECT_EQ(List_DWQB_Section(), 0);
  EXPECT_EQ(h->n_listed_nodes, 2);
  EXPECT_EQ(h->n_listed_lines, 1);
  EXPECT_EQ(h->listed_lines[0].node_b, 1);
}

TEST_F(DwqbModel, PointOnOutlinePieces) {
  DWQB_OUTLINE_PIECE p;
  Clear_DWQB_Outline_Piece(&p);
  p.flags = DWQB_PIECE_COMPUTED;
  p.y0 = 1;
  p.z0 = 2;
  p.y1 = 5;
  p.z1 = -2;
  double y, z;
  Get_DWQB_Line_Point(0, &p, &y, &z);
  EXPECT_DOUBLE_EQ(y, 3.0);
  EXPECT_DOUBLE_EQ(z, 0.0);
  Get_DWQB_Line_Point(1, &p, &y, &z);
  EXPECT_DOUBLE_EQ(y, 5.0);
  // An arc piece without a line: the middle lies at the rise, to the left of the chord.
  p.flags |= DWQB_PIECE_ARC;
  p.y0 = 0;
  p.z0 = 0;
  p.y1 = 4;
  p.z1 = 0;
  p.rise = 2;
  Get_DWQB_Line_Point(0, &p, &y, &z);
  EXPECT_NEAR(y, 2.0, 1e-14);
  EXPECT_NEAR(z, 2.0, 1e-14);
  Get_DWQB_Line_Point(0, nullptr, &y, &z);
  EXPECT_EQ(y, 0.0);
  Get_DWQB_Line_Point(0, &p, nullptr, nullptr);
}

class DwqbModelKey : public DwqbTest {};

TEST_F(DwqbModelKey, CompareCopyFree) {
  DWQB_MODEL_KEY a{}, b{}, c{};
  std::memset(a.head, 7, sizeof a.head);
  std::memset(b.head, 7, sizeof b.head);
  unsigned char x[3] = {1, 2, 3}, y[3] = {1, 2, 4};
  a.block = x;
  b.block = y;
  EXPECT_EQ(Compare_DWQB_Model_Key(&a, &b), 0);  // len 0: the blocks do not count
  a.len = b.len = 3;
  EXPECT_LT(Compare_DWQB_Model_Key(&a, &b), 0);
  EXPECT_GT(Compare_DWQB_Model_Key(&b, &a), 0);
  b.head[100] = 8;
  EXPECT_LT(Compare_DWQB_Model_Key(&a, &b), 0);
  EXPECT_EQ(Compare_DWQB_Model_Key(nullptr, nullptr), 0);
  EXPECT_LT(Compare_DWQB_Model_Key(nullptr, &a), 0);
  EXPECT_GT(Compare_DWQB_Model_Key(&a, nullptr), 0);

  const long live = Tools_Live_Blocks();
  EXPECT_EQ(Copy_DWQB_Model_Key(&c, &a), 1);
  EXPECT_EQ(Compare_DWQB_Model_Key(&c, &a), 0);
  EXPECT_NE(c.block, a.block);  // the copy owns its block
  EXPECT_EQ(c.cap, 3);
  EXPECT_EQ(Copy_DWQB_Model_Key(&c, &b), 1);  // same size: the block is reused
  EXPECT_EQ(Compare_DWQB_Model_Key(&c, &b), 0);
  EXPECT_EQ(Copy_DWQB_Model_Key(nullptr, &a), 0);
  EXPECT_EQ(Copy_DWQB_Model_Key(&c, nullptr), 0);
  Free_DWQB_Model_Key(&c);
  EXPECT_EQ(Tools_Live_Blocks(), live);
  Free_DWQB_Model_Key(nullptr);
}
