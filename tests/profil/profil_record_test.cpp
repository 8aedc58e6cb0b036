// The profile record: copy, comparison, shape rules, torsion table, grade code, null calls.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <functional>
#include <string>

#include "dwqb/dwqb.h"
#include "profil/profil.h"
#include "support/shell.h"
#include "support/support.h"
#include "tests/profil/profil_shapes.h"

namespace {

class ProfilRecord : public ::testing::Test {
 protected:
  void SetUp() override {
    Reset_Profil_Module_For_Tests();
    Reset_Sections_For_Tests();
    Reset_DWQB_Module_For_Tests();
  }
};

// A kind-2 profile with `nodes` polygon nodes and `lines` wall lines, arcs included,
// holding one reference on entry.
void Make_Quer(PROFIL *p, QIMPORT_ENTRY *entry, int nodes, int lines) {
  Reset_Profil(p);
  p->kind = PROFIL_KIND_QUER;
  p->model_kind = 0;
  p->node_count = nodes;
  p->nodes = static_cast<PROFIL_NODE *>(MEM_CALLOC(nodes, sizeof(PROFIL_NODE)));
  for (int k = 0; k < nodes; ++k) p->nodes[k] = PROFIL_NODE{k + 1, -10.0 * k, 5.0 * k, 0.125, -1};
  p->line_count = lines;
  p->lines = static_cast<PROFIL_LINE *>(MEM_CALLOC(lines, sizeof(PROFIL_LINE)));
  for (int k = 0; k < lines; ++k)
    p->lines[k] = PROFIL_LINE{k + 1, k + 1, k + 2, 8.0, 9.0, 0.25, 1, 2, 3, 4};
  p->obj_a = 3;
  p->obj_b = 4;
  for (int k = 0; k < PROFIL_IMPORTED_COUNT; ++k) p->imported[k] = 100.0 + k;
  p->entry = entry;
  Add_QImport_Reference(entry, +1);
}

PROFIL Parametric_I() {
  PROFIL p = He280a_Profile();
  std::memcpy(p.name, "HE280A", 6);
  return p;
}

}  // namespace

// ---------------------------------------------------------------- reset and library
// The first reset of the run starts the library: profile manager and import enabled,
// the solver switched to part mode with wall terms; a lookup record is emptied.
TEST_F(ProfilRecord, LibraryStartSetsSolverSwitchesOnce) {
  DWQB_Part_Mode_Switch = DWQB_Wall_Terms_Switch = 0;
  EXPECT_EQ(Is_QUER_Import_Enabled(), 0);
  PROFIL p{};
  Reset_Profil(&p);
  EXPECT_EQ(DWQB_Part_Mode_Switch, 1);
  EXPECT_EQ(DWQB_Wall_Terms_Switch, 1);
  EXPECT_EQ(Is_QUER_Import_Enabled(), 1);

  // Later calls do not start it again (the switches stay as the solver's tests left them).
  DWQB_Part_Mode_Switch = 0;
  PROFIL_LIBREF ref;
  std::memset(&ref, 'x', sizeof ref);
  ref.entry = reinterpret_cast<const float *>(&ref);
  EXPECT_EQ(Init_Profil_Library(&ref), 0);
  EXPECT_EQ(DWQB_Part_Mode_Switch, 0);
  EXPECT_EQ(std::string(ref.name), std::string(39, ' '));
  EXPECT_EQ(ref.entry, nullptr);
}

TEST_F(ProfilRecord, TypeNamesAreTheTenCharacterLabels) {
  PROFIL p{};
  p.type = 7;
  Reset_Profil(&p);  // the empty record: type 0 "Default", a blank name
  EXPECT_STREQ(Get_Profil_Type_Name(p.type), "Default   ");
  EXPECT_EQ(std::string(p.name), std::string(39, ' '));
  EXPECT_STREQ(Get_Profil_Type_Name(1), "Flachstahl");
  EXPECT_STREQ(Get_Profil_Type_Name(15), "\xAB" "I-Profil ");  // '½' in code page 850
  EXPECT_STREQ(Get_Profil_Type_Name(17), "Trapez    ");
  for (int t = 0; t < PROFIL_TYPE_COUNT; ++t) EXPECT_EQ(std::strlen(Get_Profil_Type_Name(t)), 10u) << t;
  EXPECT_EQ(Get_Profil_Type_Name(18), nullptr);
  EXPECT_EQ(Get_Profil_Type_Name(-1), nullptr);
}

// ---------------------------------------------------------------- copy, reset and references
TEST_F(ProfilRecord, CopyOfImportedSectionIsDeepAndCounted) {
  QIMPORT_ENTRY entry{};
  PROFIL a{}, b{};
  Make_Quer(&a, &entry, 4, 3);
  EXPECT_EQ(entry.ref_count, 1);

  a.lib_available = 1;  // the copy keeps the target's library state
  Copy_Profil(&a, &b);
  EXPECT_EQ(b.lib_available, 0);
  EXPECT_EQ(entry.ref_count, 2);
  EXPECT_EQ(b.entry, &entry);
  ASSERT_EQ(b.node_count, 4);
  ASSERT_EQ(b.line_count, 3);
  EXPECT_NE(b.nodes, a.nodes);
  EXPECT_NE(b.lines, a.lines);
  // The arcs travel with the copy.
  EXPECT_EQ(b.nodes[2].s_p, 0.125);
  EXPECT_EQ(b.nodes[2].y, -20.0);
  EXPECT_EQ(b.nodes[3].polygon, -1);
  EXPECT_EQ(b.lines[1].s, 0.25);
  EXPECT_EQ(b.lines[1].r_er, 4);
  EXPECT_EQ(b.imported[PROFIL_IMP_Z_REF], 114.0);
  EXPECT_EQ(Compare_Profil(&a, &b), 1);

  // Copying over a record that holds another entry releases that one.
  QIMPORT_ENTRY other{};
  PROFIL c{};
  Make_Quer(&c, &other, 2, 1);
  Copy_Profil(&a, &c);
  EXPECT_EQ(other.ref_count, 0);
  EXPECT_EQ(entry.ref_count, 3);

  Reset_Profil(&a);
  Reset_Profil(&b);
  Reset_Profil(&c);
  EXPECT_EQ(entry.ref_count, 0);  // LeakSanitizer checks that the arrays went too
}

TEST_F(ProfilRecord, SelfCopyAndNullArgumentsChangeNothing) {
  QIMPORT_ENTRY entry{};
  PROFIL a{};
  Make_Quer(&a, &entry, 3, 2);
  PROFIL_NODE *nodes = a.nodes;
  Copy_Profil(&a, &a);
  EXPECT_EQ(a.nodes, nodes);
  EXPECT_EQ(a.node_count, 3);
  EXPECT_EQ(a.kind, PROFIL_KIND_QUER);
  EXPECT_EQ(entry.ref_count, 1);

  Copy_Profil(&a, nullptr);
  EXPECT_EQ(entry.ref_count, 1);
  // A null source leaves the target reset, its entry released.
  Copy_Profil(nullptr, &a);
  EXPECT_EQ(a.kind, 0);
  EXPECT_EQ(a.nodes, nullptr);
  EXPECT_EQ(entry.ref_count, 0);
}

// ---------------------------------------------------------------- comparison
// Dimensions agree within 0.01 mm; kind, type, rolling, finish and grade must agree;
// rolled shapes ignore the weld throats, welded shapes the radii.
TEST_F(ProfilRecord, CompareWithinHundredthOfMillimetre) {
  const PROFIL a = Parametric_I();
  double PROFIL::*dims[] = {&PROFIL::h,    &PROFIL::t_w,  &PROFIL::b_fo, &PROFIL::t_fo,
                            &PROFIL::b_fu, &PROFIL::t_fu, &PROFIL::ue_o, &PROFIL::ue_u, &PROFIL::r};
  for (double PROFIL::*d : dims) {
    PROFIL b = a;
    b.*d += 0.01;
    EXPECT_EQ(Compare_Profil(&a, &b), 1);
    b.*d += 0.01;
    EXPECT_EQ(Compare_Profil(&a, &b), 0);
  }
  const std::function<void(PROFIL &)> differ[] = {
      [](PROFIL &b) { b.rolled = 0; }, [](PROFIL &b) { b.type = PROFIL_I; },
      [](PROFIL &b) { b.kind = PROFIL_KIND_LIBRARY; }, [](PROFIL &b) { b.hot_finished = 1; },
      [](PROFIL &b) { b.grade.fy += 1; }};
  for (const auto &change : differ) {
    PROFIL b = a;
    change(b);
    EXPECT_EQ(Compare_Profil(&a, &b), 0);
  }
  PROFIL b = a;
  b.a_o = 5;
  EXPECT_EQ(Compare_Profil(&a, &b), 1);
  PROFIL wa = a, wb = a;
  wa.rolled = wb.rolled = 0;
  wb.r = 99;
  EXPECT_EQ(Compare_Profil(&wa, &wb), 1);
  wb.through_o = 2;
  EXPECT_EQ(Compare_Profil(&wa, &wb), 0);
}

// A sample profile trims its name, the data-file reader pads it: still the same profile.
TEST_F(ProfilRecord, CompareIgnoresTrailingBlanksOfNames) {
  PROFIL a = Parametric_I(), b = Parametric_I();
  std::memset(a.name, 0, sizeof a.name);
  std::strcpy(a.name, "HE280A");
  Pad_With_Blanks(b.name, PROFIL_NAME_SIZE);
  EXPECT_EQ(Compare_Profil(&a, &b), 1);
  std::strcpy(b.name, " HE280A");
  EXPECT_EQ(Compare_Profil(&a, &b), 0);
  std::strcpy(b.name, "HE280B");
  EXPECT_EQ(Compare_Profil(&a, &b), 0);
}

// Imported sections compare by their model (nodes, lines with radii, imported values,
// objects, model kind), not by the arcs' sagitta, name or dimensions.
TEST_F(ProfilRecord, CompareImportedSectionsByModelNotSagitta) {
  QIMPORT_ENTRY e{};
  PROFIL a{}, b{};
  Make_Quer(&a, &e, 3, 2);
  Copy_Profil(&a, &b);
  b.nodes[1].s_p = 0.9;
  b.lines[0].s = 0.7;
  std::strcpy(b.name, "other");
  b.h = 77;
  EXPECT_EQ(Compare_Profil(&a, &b), 1);
  const std::function<void(PROFIL &)> differ[] = {
      [](PROFIL &q) { q.nodes[1].z += 0.02; }, [](PROFIL &q) { q.lines[1].r_al += 0.02; },
      [](PROFIL &q) { q.imported[PROFIL_IMP_I_W] += 0.02; }, [](PROFIL &q) { q.obj_b = 5; },
      [](PROFIL &q) { q.model_kind = 1; }};
  for (const auto &change : differ) {
    PROFIL c{};
    Copy_Profil(&b, &c);
    change(c);
    EXPECT_EQ(Compare_Profil(&a, &c), 0);
    Reset_Profil(&c);
  }
  Reset_Profil(&a);
  Reset_Profil(&b);
  EXPECT_EQ(e.ref_count, 0);
}

// ---------------------------------------------------------------- shape rules
TEST_F(ProfilRecord, SymmetrizeCopiesTopToBottom) {
  PROFIL p = Parametric_I();
  p.b_fu = 200;
  p.t_fu = 20;
  p.a_o = 4;
  p.a_u = 6;
  p.through_o = 2;
  Symmetrize_Profil(&p);
  EXPECT_EQ(p.b_fu, 280);
  EXPECT_EQ(p.t_fu, 13);
  EXPECT_EQ(p.a_u, 6);  // rolled: the throats are not touched
  p.rolled = 0;
  Symmetrize_Profil(&p);
  EXPECT_EQ(p.a_u, 4);
  EXPECT_EQ(p.through_u, 0);  // the weld kinds stay

  PROFIL t{};
  t.type = PROFIL_TRAPEZ;
  t.t_w = 6;
  t.t_fo = 9;
  t.t_fu = 1;
  Symmetrize_Profil(&t);
  EXPECT_EQ(t.t_fo, 6);
  EXPECT_EQ(t.t_fu, 6);

  PROFIL lib = Parametric_I();
  lib.kind = PROFIL_KIND_LIBRARY;
  lib.b_fu = 100;
  Symmetrize_Profil(&lib);
  EXPECT_EQ(lib.b_fu, 100);
  PROFIL ch{};
  ch.type = PROFIL_U;
  ch.b_fo = 80;
  Symmetrize_Profil(&ch);
  EXPECT_EQ(ch.b_fu, 0);
}

// Fillet sizes (top, bottom, second) by shape: rolled shapes the radii (a rolled I drops a
// flange's fillet when 2r + t_w exceeds its width), welded ones the weld leg a·√2 (none
// through-welded); HE 280 A with r 24, r_2 3, throats 5 and 4, bottom through-welded.
TEST_F(ProfilRecord, FilletSizesByShape) {
  const double leg = 5 * std::sqrt(2.0);
  struct Case {
    int type, rolled;
    double b_fo;
    int kind;
    double top, bottom, second;
  } cases[] = {
      {PROFIL_H, 1, 280, 0, 24, 24, 3},       {PROFIL_H, 1, 55, 0, 0, 24, 3},
      {PROFIL_H, 1, 56, 0, 24, 24, 3},        {PROFIL_H, 0, 280, 0, leg, 0, 0},
      {PROFIL_ANGLE, 0, 280, 0, 0, 0, 0},     {PROFIL_ANGLE, 1, 280, 0, 24, 0, 3},
      {PROFIL_BOX, 1, 280, 0, 0, 0, 3},       {PROFIL_RHS, 1, 280, 0, 24, 24, 3},
      {PROFIL_RHS, 0, 280, 0, 0, 0, 0},       {PROFIL_T, 0, 280, 0, leg, 0, 0},
      {PROFIL_CHS, 1, 280, 0, 0, 0, 0},       {PROFIL_I, 1, 280, PROFIL_KIND_QUER, 0, 0, 0},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(::testing::Message() << "type " << c.type << " rolled " << c.rolled << " b " << c.b_fo);
    PROFIL p = Parametric_I();
    p.r_2 = 3, p.a_o = 5, p.a_u = 4, p.through_u = 2;
    p.type = c.type, p.rolled = c.rolled, p.b_fo = c.b_fo, p.kind = c.kind;
    double top = -1, bottom = -1, second = -1;
    Get_Profil_Fillet_Sizes(&p, &top, &bottom, &second);
    EXPECT_DOUBLE_EQ(top, c.top);
    EXPECT_DOUBLE_EQ(bottom, c.bottom);
    EXPECT_DOUBLE_EQ(second, c.second);
  }
}

// Half the widening of a trapezoid over its height (of a box girder over its clear web
// height); equal widths within 0.001 mm and other shapes give 0.
TEST_F(ProfilRecord, TaperAngle) {
  struct Case {
    int type;
    double b_fo, b_fu, h, t_fu, angle;
  } cases[] = {
      {PROFIL_TRAPEZ, 100, 200, 50, 0, M_PI / 4}, {PROFIL_TRAPEZ, 100, 0, 50, 0, -M_PI / 4},
      {PROFIL_TRAPEZ, 100, 100.0009, 50, 0, 0},   {PROFIL_BOX, 100, 100, 50, 0, 0},
      {PROFIL_BOX, 100, 200, 70, 10, M_PI / 4},   {PROFIL_I, 100, 200, 70, 10, 0},
  };
  for (const Case &c : cases) {
    PROFIL p{};
    p.type = c.type, p.b_fo = c.b_fo, p.b_fu = c.b_fu, p.h = c.h, p.t_fo = 10, p.t_fu = c.t_fu;
    EXPECT_DOUBLE_EQ(Get_Profil_Taper_Angle(&p), c.angle) << c.type << " " << c.b_fu;
  }
}

// Torsion of a solid rectangle against Saint-Venant's exact series (I_T) and the tabulated
// stress coefficient α (Roark, table 10.7: 0.208, 0.246, 0.312 at q = 1, 2, 10), sides in
// either order, smooth beyond q = 10 (no jump to 1/3).
TEST_F(ProfilRecord, RectangleTorsionTable) {
  struct Case { double a, b, it, alpha; };
  const Case cases[] = {{50, 50, 878606, 0.208}, {30, 12, 12927, 0}, {12, 30, 12927, 0}, {10, 20, 0, 0.246},
                        {100, 10, 0, 0.312},   {150, 10, 47899, 0}};
  for (const Case &c : cases) {
    double wt = -1;
    const double it = Calc_Rectangle_Torsion_Constants(c.a, c.b, &wt);
    const double L = std::fmax(c.a, c.b), S = std::fmin(c.a, c.b);
    if (c.it > 0) {
      EXPECT_NEAR(it, c.it, 0.005 * c.it) << c.a << " x " << c.b;
    }
    if (c.alpha > 0) {
      EXPECT_NEAR(wt / (L * S * S), c.alpha, 0.001) << c.a << " x " << c.b;
    }
  }
  // Either side of q = 10 the constant moves by less than 0.1 % (the old table jumped 6 %).
  EXPECT_NEAR(Calc_Rectangle_Torsion_Constants(100.01, 10, nullptr) / 100.01,
              Calc_Rectangle_Torsion_Constants(99.99, 10, nullptr) / 99.99, 0.03);
  double wt = -1;
  EXPECT_EQ(Calc_Rectangle_Torsion_Constants(0.0005, 10, &wt), 0);
  EXPECT_EQ(wt, -1);
}

// ---------------------------------------------------------------- grade code
// Eurocode list rows give 0x10000 | built-in row, DIN picker places the row itself, user
// values (and list row 26) the user slot with 0x18000 or 0x8000; aluminium has none.
TEST_F(ProfilRecord, GradeCodeByFamily) {
  Set_Profil_User_Grade_Slot(MATERIAL_FAMILY_EC_STEEL, 101);
  Set_Profil_User_Grade_Slot(MATERIAL_FAMILY_DIN_STEEL, 100);
  struct Case {
    int family, grade, user, code;
  } cases[] = {
      {MATERIAL_FAMILY_EC_STEEL, 0, 0, 0x10005},  {MATERIAL_FAMILY_EC_STEEL, 3, 0, 0x10020},
      {MATERIAL_FAMILY_EC_STEEL, 0, 1, 0x18065},  {MATERIAL_FAMILY_EC_STEEL, 26, 0, 0x18065},
      {MATERIAL_FAMILY_EC_STEEL, 27, 0, -1},      {MATERIAL_FAMILY_DIN_STEEL, 0, 0, 5},
      {MATERIAL_FAMILY_DIN_STEEL, 2, 0, 7},       {MATERIAL_FAMILY_DIN_STEEL, 0, 1, 0x8064},
      {MATERIAL_FAMILY_DIN_STEEL, 30, 0, -1},     {MATERIAL_FAMILY_ALUMINIUM, 2, 0, -1},
  };
  for (const Case &c : cases) {
    MATERIAL m{};
    m.family = c.family, m.grade = c.grade, m.user_values = c.user;
    EXPECT_EQ(Get_Material_Guete_Code(&m), c.code) << c.family << "/" << c.grade << "/" << c.user;
  }
}

// ---------------------------------------------------------------- null arguments
// Every function of the module takes a null record or name: it does nothing and gives
// its "nothing" result.
TEST_F(ProfilRecord, NullArgumentsDoNothing) {
  PROFIL p = Parametric_I();
  double top = 5, bottom = 5, second = 5, g = 5;
  int type = 3;
  PLATE plate{};
  Reset_Profil(nullptr);
  Copy_Profil(&p, nullptr);
  Calc_Profil_Closed_Values(nullptr);
  Calc_Profil_Plate_Widths(nullptr);
  Normalize_HE_Profil_Name(nullptr);
  Get_Profil_Fillet_Sizes(nullptr, &top, &bottom, &second);
  Get_Profil_Rib_Geometry(nullptr, 8, nullptr, nullptr, nullptr, &g);
  EXPECT_EQ(top + bottom + second + g, 0.0);
  EXPECT_EQ(Compare_Profil(&p, nullptr), 0);
  EXPECT_EQ(Compare_Profil(nullptr, nullptr), 0);
  EXPECT_EQ(Get_Material_Guete_Code(nullptr), -1);
  EXPECT_EQ(Calc_Profil_I_y(nullptr), 0);
  EXPECT_EQ(Get_Profil_Taper_Angle(nullptr), 0);
  EXPECT_EQ(Calc_Angle_Net_Area(nullptr, 1, 2, 18, 10), 0.0);
  EXPECT_EQ(Calc_Profil_Querschnittswerte(nullptr, nullptr, 0, nullptr), 0);
  EXPECT_EQ(Set_Profil_by_Library_Name(nullptr, "HEB 300"), 1);
  EXPECT_EQ(Set_Profil_Type_by_Series(nullptr, &type), 0);
  EXPECT_EQ(Set_Profil_Type_by_Series("IPE 300", nullptr), 0);
  EXPECT_EQ(Set_Profil_Flat_from_Plate(&plate, nullptr), 0);
  EXPECT_EQ(Set_Profil_Flat_from_Plate(nullptr, &p), 1);
  EXPECT_EQ(p.h, 270.0);  // the record stays
}
