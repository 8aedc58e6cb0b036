// The chord walk of a line geometry, the segment steps of the line shear constants and
// of clipping, and the entry codes of the part tree.
#include <cmath>
#include <numbers>
#include <string>
#include <vector>

#include "dwqb/dwqb_fixture.h"
#include "dwqb/section_models.h"

namespace {

class DwqbWalkSteps : public DwqbTest {};

// Length of the walked chords; answers 0 after `limit` chords when limit > 0.
struct Chords {
  double length = 0;
  int calls = 0, limit = 0;
  std::vector<double> s;
};
int Chord_Step(void *ctx, double y1, double z1, double s1, double y2, double z2, double s2) {
  auto *c = static_cast<Chords *>(ctx);
  if (c->s.empty()) c->s.push_back(s1);
  c->s.push_back(s2);
  c->length += std::hypot(y2 - y1, z2 - z1);
  ++c->calls;
  return c->limit > 0 && c->calls >= c->limit ? 0 : 1;
}

// A straight line walked in four chords sums to its length at s = -1, -0.5, 0, 0.5, 1; a
// half circle's chords stay below pi r and approach it; n < 0 takes the block's own count,
// n = 0 one chord; a step answering 0 ends the walk with 0.
TEST_F(DwqbWalkSteps, LineGeometryWalk) {
  DWQB_LINE_GEOMETRY line, arc;
  Set_DWQB_Line_Geometry(0, 0, 3, 4, 0, 1, 2, 0.001, &line);
  Chords c;
  EXPECT_EQ(Walk_DWQB_Line_Geometry(&line, 4, Chord_Step, &c), 1);
  EXPECT_NEAR(c.length, 5, 1e-12);
  EXPECT_EQ(c.s, (std::vector<double>{-1, -0.5, 0, 0.5, 1}));

  Set_DWQB_Line_Geometry(0, 0, 10, 0, 5, 1, 1, 0.001, &arc);  // half circle of radius 5
  const double half = std::numbers::pi * 5;
  double last = 0;
  for (int n : {1, 2, 4, 8, 64}) {
    SCOPED_TRACE(n);
    Chords a;
    ASSERT_EQ(Walk_DWQB_Line_Geometry(&arc, n, Chord_Step, &a), 1);
    EXPECT_EQ(a.calls, n);
    EXPECT_LT(a.length, half);
    EXPECT_GT(a.length, last);
    last = a.length;
  }
  EXPECT_NEAR(last, half, 1e-3 * half);
  Chords own, one;
  Walk_DWQB_Line_Geometry(&arc, -1, Chord_Step, &own);
  EXPECT_EQ(own.calls, arc.n_seg);
  Walk_DWQB_Line_Geometry(&arc, 0, Chord_Step, &one);
  EXPECT_NEAR(one.length, 10, 1e-12);

  Chords stop;
  stop.limit = 1;
  EXPECT_EQ(Walk_DWQB_Line_Geometry(&line, 4, Chord_Step, &stop), 0);
  EXPECT_EQ(stop.calls, 1);
  EXPECT_EQ(Walk_DWQB_Line_Geometry(nullptr, 4, Chord_Step, &c), 0);
  EXPECT_EQ(Walk_DWQB_Line_Geometry(&line, 4, nullptr, &c), 0);
}

// The ten outline pieces of one tapered wall (0 -> 10 along y, thickness 1 -> 3) are one
// closed loop: the sums are its area 20, ∫y dA = 50 + 200/3 and ∫z dA = 0, with no jump.
// Two segments that do not meet print the jump line.
TEST_F(DwqbWalkSteps, LineShearConstantsOfAnOutline) {
  Add_DWQB_Node(1, 0, 0);
  Add_DWQB_Node(2, 10, 0);
  Line(1, 1, 2, 1.0, 3.0);
  ASSERT_EQ(Calc_DWQB_Querschnitt(), 0);
  DWQB_LINE *L = Find_DWQB_Line_Record(1);
  DWQB_LINE_SHEAR_CONSTANTS c{};
  testing::internal::CaptureStdout();
  for (const DWQB_OUTLINE_PIECE &p : L->outline)
    if ((p.flags & DWQB_PIECE_COMPUTED) && !(p.flags & DWQB_PIECE_EMPTY))
      Walk_DWQB_Outline_Piece_Checked(&p, -1, Apply_Init_Line_Shear_Constants, &c);
  EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
  EXPECT_NEAR(c.sums[0], 20, 1e-9);
  EXPECT_NEAR(c.sums[1], 50 + 200.0 / 3, 1e-9);
  EXPECT_NEAR(c.sums[2], 0, 1e-9);

  DWQB_LINE_SHEAR_CONSTANTS d{};
  d.line_nr = 7;
  d.value = 0.5;
  testing::internal::CaptureStdout();
  EXPECT_EQ(Apply_Init_Line_Shear_Constants(&d, 0, 0, -1, 1, 0, 0), 1);
  EXPECT_EQ(Apply_Init_Line_Shear_Constants(&d, 1, 2, 0, 3, 2, 1), 1);
  EXPECT_EQ(testing::internal::GetCapturedStdout(),
            "Apply_Init_Line_Shear_Constants(7, 0.50): Sprung (2.00e+00)\n"
            "    vor (0.00: 1.00,2.00) --> (1.00: 3.00,2.00)\n");
  EXPECT_NEAR(d.sums[0], Calc_Segment_Moment(0, 0, 1, 2, 3, 2), 1e-12);
  EXPECT_EQ(Apply_Init_Line_Shear_Constants(nullptr, 0, 0, 0, 1, 1, 1), 1);
}

// Clipping at a parameter bound: the parts below the bound of a walked line are exactly
// its first half at s = 0 (cut in the middle chord at the line's middle point); the cut
// point follows the bound; a next step answering 0 stops at the first part.
struct Clipped {
  DWQB_CLIP_SEGMENT clip;
  double below = 0, above = 0;
  std::vector<double> cuts;  // end points y of the parts handed on
  int answer = 1;
};
int Clip_Sink(void *ctx, double y1, double z1, double, double y2, double z2, double) {
  auto *c = static_cast<Clipped *>(ctx);
  (c->clip.side < 0 ? c->below : c->above) += std::hypot(y2 - y1, z2 - z1);
  c->cuts.push_back(y2);
  return c->answer;
}

TEST_F(DwqbWalkSteps, ClipAtAParameterBound) {
  DWQB_LINE_GEOMETRY g;
  Set_DWQB_Line_Geometry(0, 0, 12, 0, 0, 1, 1, 0.001, &g);
  struct Case {
    double bound;
    int chords;
    double below;
    std::vector<double> ends;
  } cases[] = {{0.0, 3, 6, {4, 6, 8, 12}},  {0.25, 1, 7.5, {7.5, 12}}, {-1.0, 2, 0, {6, 12}},
               {1.0, 2, 12, {6, 12}},       {-0.5, 4, 3, {3, 6, 9, 12}}};
  for (const Case &k : cases) {
    SCOPED_TRACE(std::to_string(k.bound) + " in " + std::to_string(k.chords) + " chords");
    Clipped c;
    c.clip = DWQB_CLIP_SEGMENT{k.bound, Clip_Sink, &c, 0};
    EXPECT_EQ(Walk_DWQB_Line_Geometry(&g, k.chords, Clip_Segment_Step, &c.clip), 1);
    EXPECT_NEAR(c.below, k.below, 1e-12);
    EXPECT_NEAR(c.above, 12 - k.below, 1e-12);
    ASSERT_EQ(c.cuts.size(), k.ends.size());
    for (std::size_t i = 0; i < k.ends.size(); ++i) EXPECT_NEAR(c.cuts[i], k.ends[i], 1e-12) << i;
  }
  Clipped stop;
  stop.answer = 0;
  stop.clip = DWQB_CLIP_SEGMENT{0.0, Clip_Sink, &stop, 0};
  EXPECT_EQ(Clip_Segment_Step(&stop.clip, 0, 0, -1, 12, 0, 1), 0);
  EXPECT_EQ(stop.cuts.size(), 1u);
  DWQB_CLIP_SEGMENT none{0.0, nullptr, nullptr, 0};
  EXPECT_EQ(Clip_Segment_Step(&none, 0, 0, -1, 1, 0, 1), 1);
  EXPECT_EQ(Clip_Segment_Step(nullptr, 0, 0, -1, 1, 0, 1), 1);
}

// Entry codes of a chain whose middle line runs against the chain: position, +1000 at the
// chain's first entry, +2000 at its last, negative with go-on -1 for the turned line. A line
// no entry holds, a missing line and a section without part tree give 0 with go-on 0.
TEST_F(DwqbWalkSteps, EntryCodes) {
  Add_DWQB_Node(1, 0, 0);
  Add_DWQB_Node(2, 10, 0);
  Add_DWQB_Node(3, 10, 10);
  Add_DWQB_Node(4, 20, 10);
  Line(1, 1, 2, 1, 1);
  Line(2, 3, 2, 1, 1);
  Line(3, 3, 4, 1, 1);
  ASSERT_EQ(Calc_DWQB_Querschnitt(), 0);
  struct Case {
    int line, code, go_on;
  } cases[] = {{1, 1001, 1}, {2, -2, -1}, {3, 2003, 1}, {9, 0, 0}};
  for (const Case &c : cases) {
    SCOPED_TRACE(c.line);
    int go_on = 5;
    EXPECT_EQ(Get_DWQB_Line_Entry_Code(c.line, &go_on), c.code);
    EXPECT_EQ(go_on, c.go_on);
  }
  // The part's entry list cut short: line 3 has no entry in the walk.
  DWQB_PART *part = Get_DWQB_Root_Part()->children[0];
  part->n_entries = 2;
  int go_on = 5;
  EXPECT_EQ(Get_DWQB_Line_Entry_Code(3, &go_on), 0);
  EXPECT_EQ(go_on, 0);
  EXPECT_EQ(Get_DWQB_Line_Entry_Code(1, nullptr), 1001);
  DWQB_Part_Mode_Switch = 0;
  DWQB_Wall_Terms_Switch = 0;
  ASSERT_EQ(Calc_DWQB_Querschnitt(), 0);
  EXPECT_EQ(Get_DWQB_Line_Entry_Code(1, &go_on), 0);
  EXPECT_EQ(go_on, 0);
}

}  // namespace
