// Winged-edge topology: angle links, connected parts, faces and cells, Euler check.
#include <functional>
#include <set>
#include <string>
#include <utility>

#include "tests/dwqb/dwqb_fixture.h"
#include "tests/dwqb/section_models.h"

namespace {
using Face = std::pair<const DWQB_LINE *, unsigned>;

// Distinct faces of the section with their classification (WE_CELL / WE_OUTER).
struct Faces {
  std::set<Face> cells, outer, all;
};
Faces Collect() {
  Faces f;
  for (const DWQB_LINE *l = Get_DWQB_First_Line(); l; l = l->next) {
    const Face sides[2] = {{l->face_links, l->flags_links & 0x30u}, {l->face_rechts, l->flags_rechts & 0x30u}};
    const unsigned flags[2] = {l->flags_links, l->flags_rechts};
    for (int i = 0; i < 2; ++i) {
      EXPECT_NE(sides[i].first, nullptr) << "line " << l->nr;
      f.all.insert(sides[i]);
      if (flags[i] & WE_CELL) f.cells.insert(sides[i]);
      if (flags[i] & WE_OUTER) f.outer.insert(sides[i]);
    }
  }
  return f;
}

int Count_Parts() {
  int n = 0;
  for (const DWQB_LINE *l = Get_DWQB_First_Line(); l; l = l->next) n += l->part_line == l;
  return n;
}
}  // namespace

class DwqbWingedEdge : public DwqbTest {};

// One row per model: its connected parts, and its distinct faces, cells and outer faces.
TEST_F(DwqbWingedEdge, PartsFacesAndCells) {
  auto rectangle = [](bool reversed) {
    Add_DWQB_Node(1, 0, 0), Add_DWQB_Node(2, 20, 0), Add_DWQB_Node(3, 20, 10), Add_DWQB_Node(4, 0, 10);
    for (int i = 0; i < 4; ++i) {
      const int a = i + 1, b = i == 3 ? 1 : i + 2;
      Add_DWQB_Line_Const_Thickness(i + 1, reversed ? b : a, reversed ? a : b, 1.0);
    }
  };
  const struct {
    const char *name;
    std::function<void()> build;
    int parts;
    size_t faces, cells, outer;
    void (*check)() = nullptr;
  } cases[] = {
      {"one line", [] { Add_DWQB_Node(1, 0, 0), Add_DWQB_Node(2, 5, 0), Add_DWQB_Line_Const_Thickness(1, 1, 2, 1.0); },
       1, 1, 0, 1},
      {"rectangle", [&] { rectangle(false); }, 1, 2, 1, 1},
      {"rectangle reversed", [&] { rectangle(true); }, 1, 2, 1, 1},
      {"I", [] { I_Chain_Model(15, 30, 1.0, 0.5).Build(); }, 1, 1, 0, 1},
      // A plate and a bent plate joined to nothing else.
      {"separate plates",
       [] {
         Add_DWQB_Node(1, 0, 0), Add_DWQB_Node(2, 5, 0), Add_DWQB_Node(3, 0, 3), Add_DWQB_Node(4, 5, 3);
         Add_DWQB_Node(5, 9, 3);
         Add_DWQB_Line_Const_Thickness(1, 1, 2, 1.0), Add_DWQB_Line_Const_Thickness(2, 3, 4, 1.0);
         Add_DWQB_Line_Const_Thickness(3, 5, 4, 1.0);
       },
       2, 2, 0, 2, [] {
         EXPECT_EQ(Find_DWQB_Line_Record(1)->part_line, Find_DWQB_Line_Record(1));
         EXPECT_EQ(Find_DWQB_Line_Record(3)->part_line, Find_DWQB_Line_Record(2));
       }},
      // Two cells side by side; line 2 touches line 1 only through later lines.
      {"two cells",
       [] {
         Add_DWQB_Node(1, 0, 0), Add_DWQB_Node(2, 10, 0), Add_DWQB_Node(3, 20, 0);
         Add_DWQB_Node(4, 20, 10), Add_DWQB_Node(5, 10, 10), Add_DWQB_Node(6, 0, 10);
         const int ends[7][2] = {{1, 2}, {4, 5}, {2, 3}, {3, 4}, {5, 6}, {6, 1}, {2, 5}};
         for (int i = 0; i < 7; ++i) Add_DWQB_Line_Const_Thickness(i + 1, ends[i][0], ends[i][1], 1.0);
       },
       1, 3, 2, 1, [] {  // the middle wall has a cell on either side
         EXPECT_TRUE(Find_DWQB_Line_Record(7)->flags_links & WE_CELL);
         EXPECT_TRUE(Find_DWQB_Line_Record(7)->flags_rechts & WE_CELL);
       }},
  };
  for (const auto &c : cases) {
    Reset_DWQB_Querschnitt();
    c.build();
    _Winged_Edge_Structure();
    const Faces f = Collect();
    EXPECT_EQ(Count_Parts(), c.parts) << c.name;
    EXPECT_EQ(f.all.size(), c.faces) << c.name;
    EXPECT_EQ(f.cells.size(), c.cells) << c.name;
    EXPECT_EQ(f.outer.size(), c.outer) << c.name;
    if (c.check) c.check();
  }
  // Counter-clockwise lines have the cell on their left, clockwise ones on their right.
  for (bool reversed : {false, true}) {
    Reset_DWQB_Querschnitt();
    rectangle(reversed);
    _Winged_Edge_Structure();
    const DWQB_LINE *l = Get_DWQB_First_Line();
    EXPECT_TRUE((reversed ? l->flags_rechts : l->flags_links) & WE_CELL) << reversed;
  }
}

// The lines around one node are linked in the order of their angles there: each row gives
// the ring (line, end 'a' or 'b') counter-clockwise. Around the top middle node of an I:
// line 2 (0), the web (π/2), line 1 (π); lines at the same angle keep their line order; an
// arc orders by its tangent (+45° at node 1); a star of 150 spokes links all of them.
TEST_F(DwqbWingedEdge, LinesAroundANodeInAngleOrder) {
  using Ring = std::vector<std::pair<int, char>>;
  Ring star;
  for (int i = 1; i <= 150; ++i) star.push_back({i, 'a'});
  const struct {
    const char *name;
    std::function<void()> build;
    Ring ring;
  } cases[] = {
      {"I", [] { I_Chain_Model(15, 30, 1.0, 0.5).Build(); }, {{2, 'a'}, {3, 'a'}, {1, 'b'}}},
      {"equal angles",
       [] {
         Add_DWQB_Node(1, 0, 0), Add_DWQB_Node(2, 5, 0), Add_DWQB_Node(3, 10, 0), Add_DWQB_Node(4, 0, 5);
         Add_DWQB_Line_Const_Thickness(1, 1, 4, 1.0);  // angle π/2
         Add_DWQB_Line_Const_Thickness(2, 1, 3, 1.0);  // angle 0
         Add_DWQB_Line_Const_Thickness(3, 1, 2, 1.0);  // angle 0, after line 2
       },
       {{2, 'a'}, {3, 'a'}, {1, 'a'}}},
      {"star",
       [] {
         Add_DWQB_Node(0, 0, 0);
         for (int i = 1; i <= 150; ++i) {
           const double a = 2 * std::numbers::pi * i / 150;
           Add_DWQB_Node(i, 10 * std::cos(a), 10 * std::sin(a));
           Add_DWQB_Line_Const_Thickness(i, 0, i, 0.01);
         }
       },
       star},
      // A straight line and an arc bulging left (+z) from node 1 to 2, a line at -45°.
      {"arc",
       [] {
         Add_DWQB_Node(1, 0, 0), Add_DWQB_Node(2, 10, 0), Add_DWQB_Node(3, 5, -5);
         const double arc[9] = {1, 1, 5 * (1 - std::sqrt(0.5)) / std::sqrt(0.5), 0, 0, 0, 0, 0, 0};
         Add_DWQB_Line(1, 0, 1, 2, arc);
         Add_DWQB_Line_Const_Thickness(2, 1, 2, 1.0), Add_DWQB_Line_Const_Thickness(3, 1, 3, 1.0);
       },
       {{2, 'a'}, {1, 'a'}, {3, 'a'}}},
  };
  for (const auto &c : cases) {
    Reset_DWQB_Querschnitt();
    c.build();
    _Winged_Edge_Structure();
    for (size_t k = 0; k < c.ring.size(); ++k) {
      const auto [nr, end] = c.ring[k];
      const auto [next_nr, next_end] = c.ring[(k + 1) % c.ring.size()];
      const DWQB_LINE *l = Find_DWQB_Line_Record(nr), *n = Find_DWQB_Line_Record(next_nr);
      EXPECT_EQ(end == 'a' ? l->next_at_a : l->next_at_b, n) << c.name << " after line " << nr;
      EXPECT_EQ(next_end == 'a' ? n->prev_at_a : n->prev_at_b, l) << c.name << " before line " << next_nr;
    }
    EXPECT_TRUE(c.ring.size() != 150 || Collect().all.size() == 1u) << c.name;  // one face around the star
  }
  EXPECT_NEAR(Find_DWQB_Line_Record(1)->geo.half_angle, std::numbers::pi / 4, 1e-12);
  EXPECT_EQ(Collect().cells.size(), 1u);  // between the arc and the straight line
}

// Findings are printed and never stop the build: a node that no line uses breaks the
// Euler sum by one.
TEST_F(DwqbWingedEdge, UnusedNodeIsReportedByTheEulerCheck) {
  Add_DWQB_Node(1, 0, 0);
  Add_DWQB_Node(2, 5, 0);
  Add_DWQB_Node(3, 9, 9);
  Add_DWQB_Line_Const_Thickness(1, 1, 2, 1.0);
  ::testing::internal::CaptureStdout();
  _Winged_Edge_Structure();
  const std::string out = ::testing::internal::GetCapturedStdout();
  EXPECT_EQ(out, "_Winged_Edge_Structure: n_nodes + n_cells - n_lines - n_parts = 3 + 0 - 1 - 1 = 1 != 0\n");
  EXPECT_EQ(Collect().outer.size(), 1u);
}
