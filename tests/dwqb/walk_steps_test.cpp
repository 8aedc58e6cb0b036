// The chord walk of a line geometry, the segment steps of the line shear constants and
// of clipping, and the entry codes of the part tree.
#include <cmath>
#include <numbers>
#include <string>
#include <vector>

#include "dwqb/dwqb_fixture.h"

namespace {

class DwqbWalkSteps : public DwqbTest {};

// Sums the chord lengths, keeps the parameters handed on, answers 0 after `limit` chords.
struct Chords {
  double length = 0;
  int calls = 0, limit = 0;
  std::vector<double> s{-1};
};
int Chord_Step(void *ctx, double y1, double z1, double, double y2, double z2, double s2) {
  auto *c = static_cast<Chords *>(ctx);
  c->s.push_back(s2);
  c->length += std::hypot(y2 - y1, z2 - z1);
  return ++c->calls == c->limit ? 0 : 1;
}

// A straight line walked in four chords sums to its length; a half circle's chords stay
// below π r and approach it (n < 0: the block's own count; 0: one chord); a step
// answering 0 ends the walk with 0.
TEST_F(DwqbWalkSteps, LineGeometryWalk) {
  DWQB_LINE_GEOMETRY line, arc;
  Set_DWQB_Line_Geometry(0, 0, 3, 4, 0, 1, 2, 0.001, &line);
  Set_DWQB_Line_Geometry(0, 0, 10, 0, 5, 1, 1, 0.001, &arc);
  Chords c;
  EXPECT_EQ(Walk_DWQB_Line_Geometry(&line, 4, Chord_Step, &c), 1);
  EXPECT_NEAR(c.length, 5, 1e-12);
  EXPECT_EQ(c.s, (std::vector<double>{-1, -0.5, 0, 0.5, 1}));
  double last = 0;
  for (int n : {0, 2, 8, -1, 64}) {
    Chords a;
    ASSERT_EQ(Walk_DWQB_Line_Geometry(&arc, n, Chord_Step, &a), 1);
    EXPECT_EQ(a.calls, n < 0 ? arc.n_seg : std::max(n, 1)) << n;
    EXPECT_LT(a.length, 5 * std::numbers::pi) << n;
    EXPECT_GT(a.length, last) << n;
    last = a.length;
  }
  EXPECT_NEAR(last, 5 * std::numbers::pi, 2e-3);
  Chords stop;
  stop.limit = 1;
  EXPECT_EQ(Walk_DWQB_Line_Geometry(&line, 4, Chord_Step, &stop), 0);
  EXPECT_EQ(stop.calls, 1);
  EXPECT_EQ(Walk_DWQB_Line_Geometry(nullptr, 4, Chord_Step, &c) + Walk_DWQB_Line_Geometry(&line, 4, nullptr, &c), 0);
}

// The outline pieces of one tapered wall (0 -> 10 along y, thickness 1 -> 3) are one closed
// loop: area 20, ∫y dA = 50 + 200/3, ∫z dA = 0, no jump. Two segments that do not meet
// print the jump line.
TEST_F(DwqbWalkSteps, LineShearConstantsOfAnOutline) {
  Add_DWQB_Node(1, 0, 0);
  Add_DWQB_Node(2, 10, 0);
  Line(1, 1, 2, 1.0, 3.0);
  ASSERT_EQ(Calc_DWQB_Querschnitt(), 0);
  DWQB_LINE_SHEAR_CONSTANTS c{};
  testing::internal::CaptureStdout();
  for (const DWQB_OUTLINE_PIECE &p : Find_DWQB_Line_Record(1)->outline)
    if ((p.flags & DWQB_PIECE_COMPUTED) && !(p.flags & DWQB_PIECE_EMPTY))
      Walk_DWQB_Outline_Piece_Checked(&p, -1, Apply_Init_Line_Shear_Constants, &c);
  EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
  EXPECT_NEAR(c.sums[0], 20, 1e-9);
  EXPECT_NEAR(c.sums[1], 50 + 200.0 / 3, 1e-9);
  EXPECT_NEAR(c.sums[2], 0, 1e-9);

  DWQB_LINE_SHEAR_CONSTANTS d{7, 0.5, {0, 0, 0}, 0, 0, 0};
  testing::internal::CaptureStdout();
  Apply_Init_Line_Shear_Constants(&d, 0, 0, -1, 1, 0, 0);
  Apply_Init_Line_Shear_Constants(&d, 1, 2, 0, 3, 2, 1);
  EXPECT_EQ(testing::internal::GetCapturedStdout(),
            "Apply_Init_Line_Shear_Constants(7, 0.50): Sprung (2.00e+00)\n"
            "    vor (0.00: 1.00,2.00) --> (1.00: 3.00,2.00)\n");
  EXPECT_NEAR(d.sums[0], Calc_Segment_Moment(0, 0, 1, 2, 3, 2), 1e-12);
}

// Clipping a walked line (0 -> 12 along y) at a parameter bound: the parts below it are
// exactly the line up to the bound, cut where the bound lies; a next step answering 0
// stops at the first part.
struct Clipped {
  DWQB_CLIP_SEGMENT clip;
  double below = 0;
  std::vector<double> ends;  // end point y of every part handed on
  int answer = 1;
};
int Clip_Sink(void *ctx, double y1, double, double, double y2, double, double) {
  auto *c = static_cast<Clipped *>(ctx);
  if (c->clip.side < 0) c->below += y2 - y1;
  c->ends.push_back(y2);
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
  } cases[] = {{0.0, 3, 6, {4, 6, 8, 12}}, {0.25, 1, 7.5, {7.5, 12}}, {-1.0, 2, 0, {6, 12}}, {-0.5, 4, 3, {3, 6, 9, 12}}};
  for (const Case &k : cases) {
    SCOPED_TRACE(::testing::Message() << k.bound << " in " << k.chords << " chords");
    Clipped c;
    c.clip = DWQB_CLIP_SEGMENT{k.bound, Clip_Sink, &c, 0};
    EXPECT_EQ(Walk_DWQB_Line_Geometry(&g, k.chords, Clip_Segment_Step, &c.clip), 1);
    EXPECT_NEAR(c.below, k.below, 1e-12);
    EXPECT_EQ(c.ends, k.ends);
  }
  Clipped back;  // a chord walked against the parameter: the part above the bound first
  back.clip = DWQB_CLIP_SEGMENT{0.0, Clip_Sink, &back, 0};
  EXPECT_EQ(Clip_Segment_Step(&back.clip, 12, 0, 1, 0, 0, -1) + Clip_Segment_Step(&back.clip, 6, 0, 0, 0, 0, -1), 2);
  EXPECT_EQ(back.ends, (std::vector<double>{6, 0, 0}));
  EXPECT_EQ(back.below, -12.0);
  Clipped stop;
  stop.answer = 0;
  stop.clip = DWQB_CLIP_SEGMENT{0.0, Clip_Sink, &stop, 0};
  EXPECT_EQ(Clip_Segment_Step(&stop.clip, 0, 0, -1, 12, 0, 1), 0);
  EXPECT_EQ(stop.ends.size(), 1u);
  DWQB_CLIP_SEGMENT none{0.0, nullptr, nullptr, 0};
  EXPECT_EQ(Clip_Segment_Step(&none, 0, 0, -1, 1, 0, 1) + Clip_Segment_Step(nullptr, 0, 0, -1, 1, 0, 1), 2);
}

// Entry codes of a chain whose middle line runs against it: position, +1000 at the chain's
// first entry, +2000 at its last, negative with go-on -1 for the turned line. A line no
// entry holds, a missing line and a section without part tree give 0 with go-on 0.
TEST_F(DwqbWalkSteps, EntryCodes) {
  Add_DWQB_Node(1, 0, 0);
  Add_DWQB_Node(2, 10, 0);
  Add_DWQB_Node(3, 10, 10);
  Add_DWQB_Node(4, 20, 10);
  Line(1, 1, 2, 1, 1);
  Line(2, 3, 2, 1, 1);
  Line(3, 3, 4, 1, 1);
  ASSERT_EQ(Calc_DWQB_Querschnitt(), 0);
  auto code = [](int line, int expected, int expected_go_on) {
    int go_on = 5;
    EXPECT_EQ(Get_DWQB_Line_Entry_Code(line, &go_on), expected) << line;
    EXPECT_EQ(go_on, expected_go_on) << line;
  };
  code(1, 1001, 1);
  code(2, -2, -1);
  code(3, 2003, 1);
  code(9, 0, 0);
  Get_DWQB_Root_Part()->children[0]->n_entries = 2;  // line 3 loses its entry
  code(3, 0, 0);
  DWQB_Part_Mode_Switch = DWQB_Wall_Terms_Switch = 0;
  ASSERT_EQ(Calc_DWQB_Querschnitt(), 0);
  code(1, 0, 0);
}

}  // namespace
