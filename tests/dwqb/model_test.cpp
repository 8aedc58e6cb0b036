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

// Each faulty model gives its code, on every later run too (the code sticks until a reset).
TEST_F(DwqbFaults, FaultyModelsGiveTheirCodeUntilReset) {
  const struct {
    const char *what;
    void (*build)();
    int code;
  } cases[] = {
      {"empty", [] {}, DWQB_FAULT_NO_NODES_OR_LINES},
      {"nodes only", [] { Plate(); }, DWQB_FAULT_NO_NODES_OR_LINES},
      {"line before its end node", [] { Add_DWQB_Node(1, 0, 0), Add_DWQB_Line_Const_Thickness(1, 1, 2, 1.0),
                                        Add_DWQB_Node(2, 10, 0), Add_DWQB_Line_Const_Thickness(2, 1, 2, 1.0); },
       DWQB_FAULT_MISSING_NODE},
      {"no nodes at all", [] { Add_DWQB_Line_Const_Thickness(1, 1, 2, 1.0); }, DWQB_FAULT_MISSING_NODE},
      {"line on one node", [] { Plate(), Add_DWQB_Line_Const_Thickness(1, 1, 1, 1.0); }, DWQB_FAULT_ZERO_LENGTH},
      {"two nodes at one place",
       [] { Add_DWQB_Node(1, 2, 3), Add_DWQB_Node(2, 2, 3), Add_DWQB_Line_Const_Thickness(1, 1, 2, 1.0); },
       DWQB_FAULT_ZERO_LENGTH},
      {"thickness 0 on the second line",
       [] { Plate(), Add_DWQB_Node(3, 10, 10), Line(1, 1, 2, 1.0, 1.0), Add_DWQB_Line_Const_Thickness(2, 2, 3, 0.0); },
       DWQB_FAULT_THICKNESS},
      {"no values", [] { Plate(), Add_DWQB_Line(1, 0, 1, 2, nullptr); }, DWQB_FAULT_THICKNESS},
      {"negative mean", [] { Plate(), Line(1, 1, 2, 1.0, -1.5); }, DWQB_FAULT_THICKNESS},
  };
  for (const auto &c : cases) {
    Reset_DWQB_Querschnitt();
    c.build();
    EXPECT_EQ(Calc_DWQB_Querschnitt(), c.code) << c.what;
    EXPECT_EQ(Get_DWQB_Root_Part(), nullptr) << c.what;
    Plate();  // a valid model added afterwards does not clear it
    Add_DWQB_Line_Const_Thickness(9, 1, 2, 1.0);
    EXPECT_EQ(Calc_DWQB_Querschnitt(), c.code) << c.what;
  }
  // What stays of the faulty models: the line without its end node, the lengths before.
  Reset_DWQB_Querschnitt();
  cases[2].build();
  ASSERT_NE(Find_DWQB_Line_Record(1), nullptr);
  EXPECT_EQ(Find_DWQB_Line_Record(1)->node_b, nullptr);
  Reset_DWQB_Querschnitt();
  cases[4].build();
  EXPECT_EQ(Find_DWQB_Line_Record(1)->node_a->use_count, 2);
  Reset_DWQB_Querschnitt();
  cases[6].build();
  Calc_DWQB_Querschnitt();
  EXPECT_DOUBLE_EQ(Find_DWQB_Line_Record(1)->L, 10.0);
  // After a reset the valid model runs.
  Reset_DWQB_Querschnitt();
  Plate();
  Add_DWQB_Line_Const_Thickness(1, 1, 2, 1.0);
  EXPECT_EQ(Calc_DWQB_Querschnitt(), DWQB_OK);
  EXPECT_EQ(Calc_DWQB_Querschnitt(), DWQB_OK);
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
  EXPECT_DOUBLE_EQ(Find_DWQB_Line_Record(6)->geo.length, 10.0);
  double oa = 1, ob = 1;
  EXPECT_EQ(Get_DWQB_Line_End_Omega(5, &oa, &ob), 1);
  EXPECT_EQ(oa, 0.0);
  EXPECT_EQ(Get_DWQB_Line_End_Omega(99, &oa, &ob), 0);
  Reset_DWQB_Querschnitt();
  EXPECT_EQ(Find_DWQB_Line_Record(6), nullptr);
  EXPECT_EQ(Find_DWQB_Line(5), nullptr);
}

// The header's option word switches part mode and the wall terms on for a run.
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

// Points of a straight piece by linear interpolation; an arc piece without a line has its
// middle at the rise, to the left of the chord.
TEST_F(DwqbModel, PointOnOutlinePieces) {
  const struct {
    unsigned flags;
    double y0, z0, y1, z1, rise, s, y, z;
  } rows[] = {{DWQB_PIECE_COMPUTED, 1, 2, 5, -2, 0, 0, 3, 0},
              {DWQB_PIECE_COMPUTED, 1, 2, 5, -2, 0, 1, 5, -2},
              {DWQB_PIECE_COMPUTED | DWQB_PIECE_ARC, 0, 0, 4, 0, 2, 0, 2, 2}};
  for (const auto &r : rows) {
    DWQB_OUTLINE_PIECE p;
    Clear_DWQB_Outline_Piece(&p);
    p.flags = r.flags, p.y0 = r.y0, p.z0 = r.z0, p.y1 = r.y1, p.z1 = r.z1, p.rise = r.rise;
    double y, z;
    Get_DWQB_Line_Point(r.s, &p, &y, &z);
    EXPECT_NEAR(y, r.y, 1e-14) << r.flags << " " << r.s;
    EXPECT_NEAR(z, r.z, 1e-14) << r.flags << " " << r.s;
    Get_DWQB_Line_Point(0, &p, nullptr, nullptr);
  }
  double y = 1, z = 1;
  Get_DWQB_Line_Point(0, nullptr, &y, &z);
  EXPECT_EQ(y, 0.0);
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
