// Mask model: running numbers, typed element operations, built-in lines, cloning,
// reference counts and destruction of a mask holding every object kind.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <string>

#include "analysis/masque.h"

namespace {

class MasqueModel : public ::testing::Test {
 protected:
  void SetUp() override { Reset_Masque_Module_For_Tests(); }
  void TearDown() override { Reset_Masque_Module_For_Tests(); }
};

SPANNUNGSDEHNUNGSLINIE *Steel(int id) {
  double law[SDL_PARAMETER];
  Fill_Stahl_Spannungsdehnungslinie(210000, 235, 150, 0, law);
  return Create_Masque_Spannungsdehnungslinie(id, 2, "S235", law);
}

TEST_F(MasqueModel, RunningNumbersAreUniqueAcrossAllArraysAndRespectCarriedNumbers) {
  MASQUE *mask = Create_Masque_Querschnitt(1, 0);
  ASSERT_NE(mask, nullptr);
  MASQUE_KNOTEN *a = Create_Masque_Knoten(10, 0, 0);
  MASQUE_KNOTEN *b = Create_Masque_Knoten(11, 1, 0);
  ASSERT_EQ(Add_Masque_Knoten(mask, a), 1);
  ASSERT_EQ(Add_Masque_Knoten(mask, b), 1);
  MASQUE_KANTE *e = Create_Masque_Kante(20, a, b, 0);
  ASSERT_EQ(Add_Masque_Kante(mask, e), 1);
  EXPECT_EQ(a->header.nummer, 1);
  EXPECT_EQ(b->header.nummer, 2);
  EXPECT_EQ(e->header.nummer, 3);

  // An object that already carries 7 keeps it and raises the counter; the next gets 8.
  SPANNUNGSDEHNUNGSLINIE *line = Steel(30);
  Set_Masque_Object_Nummer(&line->header, 7);
  ASSERT_EQ(Add_Masque_Spannungsdehnungslinie(mask, line), 1);
  EXPECT_EQ(line->header.nummer, 7);
  EXPECT_EQ(mask->max_nummer, 7);
  MASQUE_GRUPPE *g = Create_Masque_Flaeche(40, line);
  ASSERT_EQ(Add_Masque_Gruppe(mask, g), 1);
  EXPECT_EQ(g->header.nummer, 8);
  // A carried number below the counter is kept and leaves the counter alone.
  MASQUE_KNOTEN *c = Create_Masque_Knoten(12, 2, 0);
  Set_Masque_Object_Nummer(&c->header, 5);
  ASSERT_EQ(Add_Masque_Knoten(mask, c), 1);
  EXPECT_EQ(c->header.nummer, 5);
  EXPECT_EQ(mask->max_nummer, 8);

  EXPECT_EQ(Find_Masque_Knoten_by_Nummer(mask, 2), b);
  EXPECT_EQ(Find_Masque_Knoten_by_Id(mask, 12), c);
  EXPECT_EQ(Find_Masque_Kante_by_Id(mask, 20), e);
  EXPECT_EQ(Find_Masque_Spannungsdehnungslinie_by_Nummer(mask, 7), line);
  EXPECT_EQ(Find_Masque_Gruppe_by_Id(mask, 40), g);
  EXPECT_EQ(Find_Masque_Gruppe_by_Id(mask, 41), nullptr);
  EXPECT_EQ(Find_Masque_Knoten_by_Nummer(mask, 3), nullptr);  // 3 is an edge

  EXPECT_EQ(Index_of_Masque_Knoten(mask, c), 2);
  MASQUE_KNOTEN *loose = Create_Masque_Knoten(99, 0, 0);
  EXPECT_EQ(Index_of_Masque_Knoten(mask, loose), -1);
  EXPECT_EQ(Index_of_Masque_Knoten(nullptr, a), -1);
  EXPECT_EQ(Count_Masque_Knoten(mask), 3);
  EXPECT_EQ(Count_Masque_Kanten(nullptr), 0);
  Destroy_Masque_Knoten(loose);
  Destroy_Masque_Querschnitt(mask);
}

TEST_F(MasqueModel, RemovingRefusesReferencedObjectsAndHandsBackFreeOnes) {
  MASQUE *mask = Create_Masque_Querschnitt(1, 0);
  MASQUE_KNOTEN *a = Create_Masque_Knoten(1, 0, 0);
  MASQUE_KNOTEN *b = Create_Masque_Knoten(2, 1, 0);
  Add_Masque_Knoten(mask, a);
  Add_Masque_Knoten(mask, b);
  MASQUE_KANTE *e = Create_Masque_Kante(3, a, b, 0.5);
  EXPECT_EQ(e->bogen, 1);
  Add_Masque_Kante(mask, e);
  EXPECT_EQ(Remove_Masque_Knoten(mask, 0), nullptr);  // the edge uses it
  EXPECT_EQ(Count_Masque_Knoten(mask), 2);
  EXPECT_EQ(Remove_Masque_Knoten(mask, 5), nullptr);
  MASQUE_KANTE *removed = Remove_Masque_Kante(mask, 0);
  ASSERT_EQ(removed, e);
  Destroy_Masque_Kante(removed);
  EXPECT_EQ(a->header.refcount, 0);
  MASQUE_KNOTEN *n = Remove_Masque_Knoten(mask, 0);
  ASSERT_EQ(n, a);
  EXPECT_EQ(Get_Masque_Knoten(mask, 0), b);
  Destroy_Masque_Knoten(n);
  Destroy_Masque_Querschnitt(mask);
}

TEST_F(MasqueModel, ElementOperationsRefuseGroupsOfAnotherType) {
  SPANNUNGSDEHNUNGSLINIE *line = Steel(1);
  MASQUE_KNOTEN *a = Create_Masque_Knoten(1, 0, 0);
  MASQUE_KNOTEN *b = Create_Masque_Knoten(2, 1, 0);
  MASQUE_KANTE *e = Create_Masque_Kante(3, a, b, 0);
  MASQUE_GRUPPE *points = Create_Masque_Punktgruppe(1, line);
  MASQUE_GRUPPE *area = Create_Masque_Flaeche(2, line);
  MASQUE_GRUPPE *lines = Create_Masque_Liniengruppe(3, line);
  MASQUE_GRUPPE *circle = Create_Masque_Kreis(4, line, a, 0.1);
  ASSERT_TRUE(points && area && lines && circle);
  EXPECT_EQ(line->header.refcount, 4);
  EXPECT_EQ(a->header.refcount, 2);  // edge and circle

  EXPECT_EQ(Add_Kante_to_Masque_Flaeche(lines, e), 0);
  EXPECT_EQ(Count_Masque_Linien(lines), 0);
  EXPECT_EQ(Add_Masque_Punkt(area, a, 1.0), nullptr);
  EXPECT_EQ(Add_Masque_Linie(points, e, 0.01), nullptr);
  EXPECT_EQ(Add_Masque_Punkt(circle, a, 1.0), nullptr);
  EXPECT_EQ(Set_Masque_Kreis_Radius(area, 2.0), 0);
  EXPECT_EQ(e->header.refcount, 0);
  EXPECT_EQ(a->header.refcount, 2);

  ASSERT_EQ(Add_Kante_to_Masque_Flaeche(area, e), 1);
  MASQUE_PUNKT *p = Add_Masque_Punkt(points, b, 0.5);
  MASQUE_LINIE *l = Add_Masque_Linie(lines, e, 0.01);
  ASSERT_TRUE(p && l);
  EXPECT_EQ(Count_Masque_Punkte(area), 0);
  EXPECT_EQ(Count_Masque_Punkte(points), 1);
  EXPECT_EQ(Count_Masque_Flaeche_Kanten(area), 1);
  EXPECT_EQ(Count_Masque_Flaeche_Kanten(points), 0);
  EXPECT_EQ(Get_Masque_Punkt(points, 0), p);
  EXPECT_EQ(Get_Masque_Punkt(lines, 0), nullptr);
  EXPECT_EQ(Get_Masque_Linie(lines, 0), l);
  EXPECT_EQ(Get_Masque_Flaeche_Kante(area, 0), e);
  EXPECT_EQ(Get_Masque_Flaeche_Kante(area, 1), nullptr);
  EXPECT_EQ(Set_Masque_Punkt_Flaeche(p, 0.25), 1);
  EXPECT_EQ(p->flaeche, 0.25);
  EXPECT_EQ(Set_Masque_Kreis_Radius(circle, 0.2), 1);
  EXPECT_EQ(e->header.refcount, 2);
  EXPECT_EQ(b->header.refcount, 2);

  // Every reference the groups took is given back.
  Destroy_Masque_Gruppe(points);
  Destroy_Masque_Gruppe(area);
  Destroy_Masque_Gruppe(lines);
  Destroy_Masque_Gruppe(circle);
  EXPECT_EQ(line->header.refcount, 0);
  EXPECT_EQ(e->header.refcount, 0);
  EXPECT_EQ(a->header.refcount, 1);
  EXPECT_EQ(b->header.refcount, 1);
  Destroy_Masque_Kante(e);
  EXPECT_EQ(a->header.refcount, 0);
  Destroy_Masque_Knoten(a);
  Destroy_Masque_Knoten(b);
  Destroy_Masque_Spannungsdehnungslinie(line);
}

TEST_F(MasqueModel, BuiltinLinesAreFoundByExactNameInTableOrder) {
  EXPECT_EQ(Count_Builtin_Spannungsdehnungslinien(), 25);
  struct Row {
    const char *name;
    int id;
    unsigned typ;
    double betaD, epsD, epsu, exponent;
  };
  // Design strengths of DIN 1045 (B25: 17.5 N/mm²), DIN 1045-1 Table 9 for the
  // high-strength classes, DIN 488 reinforcing steel.
  const Row rows[] = {{"B25", -25, 0x8001, 17500, -2, -3.5, 2},
                      {"BSt 500 S", -500, 0x8002, 500000, -2.381, 5, 1},
                      {"C30/37", -3037, 0x8001, 17500, -2, -3.5, 2},
                      {"B55", -55, 0x8001, 30000, -2, -3.5, 2},
                      {"C55/67", -5567, 0x8001, 27000, -2.03, -3.1, 2},
                      {"C90/105", -90105, 0x8001, 30000, -2.17, -2.3, 1.6},
                      {"C100/115", -100115, 0x8001, 30000, -2.2, -2.2, 1.55},
                      {"BSt 500 SB", -5002, 0x8002, 500000, -2.5, 25, 1}};
  for (const Row &r : rows) {
    const SPANNUNGSDEHNUNGSLINIE *line = Find_Builtin_Spannungsdehnungslinie(r.name);
    ASSERT_NE(line, nullptr) << r.name;
    EXPECT_STREQ(line->name, r.name);
    EXPECT_EQ(line->header.id, r.id);
    EXPECT_EQ(line->header.refcount, 1);
    EXPECT_EQ(line->typ, r.typ);
    EXPECT_EQ(line->param[SDL_BETA_D], r.betaD);
    EXPECT_EQ(line->param[SDL_EPS_D], r.epsD);
    EXPECT_EQ(line->param[SDL_EPS_U], r.epsu);
    EXPECT_EQ(line->param[SDL_EXPONENT], r.exponent);
    EXPECT_EQ(line->param[SDL_EPS_V], 0.0);
    EXPECT_EQ(Get_Builtin_Spannungsdehnungslinie(r.name), line);
  }
  // "BSt 500 S" must not be taken for "BSt 500 SA" or the other way round.
  EXPECT_EQ(Find_Builtin_Spannungsdehnungslinie("BSt 500 SA")->header.id, -5001);
  EXPECT_EQ(Find_Builtin_Spannungsdehnungslinie("b25"), nullptr);
  EXPECT_EQ(Find_Builtin_Spannungsdehnungslinie("B25 "), nullptr);
  EXPECT_EQ(Find_Builtin_Spannungsdehnungslinie("C35"), nullptr);
  EXPECT_EQ(Find_Builtin_Spannungsdehnungslinie(""), nullptr);
  EXPECT_EQ(Find_Builtin_Spannungsdehnungslinie(nullptr), nullptr);
}

TEST_F(MasqueModel, CloneIsANewObjectWithItsOwnNameAndReference) {
  const SPANNUNGSDEHNUNGSLINIE *builtin = Find_Builtin_Spannungsdehnungslinie("C30/37");
  SPANNUNGSDEHNUNGSLINIE *clone = Clone_Masque_Spannungsdehnungslinie(builtin);
  ASSERT_NE(clone, nullptr);
  EXPECT_NE(clone->name, builtin->name);
  EXPECT_STREQ(clone->name, "C30/37");
  EXPECT_EQ(clone->header.id, -3037);
  EXPECT_EQ(clone->header.nummer, 0);
  EXPECT_EQ(clone->header.refcount, 0);
  EXPECT_EQ(std::memcmp(clone->param, builtin->param, sizeof clone->param), 0);
  EXPECT_EQ(builtin->header.refcount, 1);  // the table is never touched

  SPANNUNGSDEHNUNGSLINIE *second = Clone_Masque_Spannungsdehnungslinie(clone);
  ASSERT_EQ(Set_Masque_Spannungsdehnungslinie_Extern(second, clone, 0.5), 1);
  EXPECT_EQ(clone->header.refcount, 1);
  SPANNUNGSDEHNUNGSLINIE *third = Clone_Masque_Spannungsdehnungslinie(second);
  EXPECT_EQ(third->extern_linie, clone);
  EXPECT_EQ(clone->header.refcount, 2);
  // Copying a line without reference over the third moves the reference away.
  ASSERT_EQ(Copy_Masque_Spannungsdehnungslinie(third, builtin), 1);
  EXPECT_EQ(third->extern_linie, nullptr);
  EXPECT_EQ(clone->header.refcount, 1);
  EXPECT_EQ(Set_Masque_Spannungsdehnungslinie_Extern(second, second, 1.0), 0);  // not itself
  Destroy_Masque_Spannungsdehnungslinie(third);
  Destroy_Masque_Spannungsdehnungslinie(second);
  EXPECT_EQ(clone->header.refcount, 0);
  Destroy_Masque_Spannungsdehnungslinie(clone);
}

// The whole model in one mask: all four group types, a line that refers to an earlier
// line, a clone of a built-in line. Destruction must be clean under the sanitizers.
TEST_F(MasqueModel, MaskWithEveryObjectKindIsDestroyedWithBalancedCounts) {
  MASQUE *mask = Create_Masque_Querschnitt(5, 64);
  ASSERT_NE(mask, nullptr);
  auto *extra = static_cast<unsigned char *>(Get_Masque_Extra(mask));
  ASSERT_NE(extra, nullptr);
  for (int i = 0; i < 64; ++i) EXPECT_EQ(extra[i], 0);
  std::memset(extra, 0x5a, 64);

  MASQUE_KNOTEN *n[4];
  const double yz[4][2] = {{-0.1, -0.05}, {0.1, -0.05}, {0.1, 0.05}, {-0.1, 0.05}};
  for (int i = 0; i < 4; ++i) {
    n[i] = Create_Masque_Knoten(i + 1, yz[i][0], yz[i][1]);
    ASSERT_EQ(Add_Masque_Knoten(mask, n[i]), 1);
  }
  MASQUE_KANTE *e[4];
  for (int i = 0; i < 4; ++i) {
    e[i] = Create_Masque_Kante(i + 1, n[i], n[(i + 1) % 4], 0);
    ASSERT_EQ(Add_Masque_Kante(mask, e[i]), 1);
  }
  SPANNUNGSDEHNUNGSLINIE *base = Steel(1);
  ASSERT_EQ(Add_Masque_Spannungsdehnungslinie(mask, base), 1);
  SPANNUNGSDEHNUNGSLINIE *ref = Steel(2);
  Set_Masque_Spannungsdehnungslinie_Extern(ref, base, -1.0);
  ASSERT_EQ(Add_Masque_Spannungsdehnungslinie(mask, ref), 1);
  SPANNUNGSDEHNUNGSLINIE *concrete = Clone_Masque_Spannungsdehnungslinie(Find_Builtin_Spannungsdehnungslinie("B25"));
  ASSERT_EQ(Add_Masque_Spannungsdehnungslinie(mask, concrete), 1);
  EXPECT_EQ(concrete->header.nummer, 11);

  MASQUE_GRUPPE *area = Create_Masque_Flaeche(1, concrete);
  for (MASQUE_KANTE *edge : e) Add_Kante_to_Masque_Flaeche(area, edge);
  MASQUE_GRUPPE *points = Create_Masque_Punktgruppe(2, base);
  Add_Masque_Punkt(points, n[0], 1e-4);
  Add_Masque_Punkt(points, n[2], 1e-4);
  MASQUE_GRUPPE *circle = Create_Masque_Kreis(3, ref, n[1], 0.01);
  MASQUE_GRUPPE *walls = Create_Masque_Liniengruppe(4, base);
  Add_Masque_Linie(walls, e[0], 0.01);
  for (MASQUE_GRUPPE *g : {area, points, circle, walls}) ASSERT_EQ(Add_Masque_Gruppe(mask, g), 1);

  EXPECT_EQ(base->header.refcount, 3);  // referenced line, point group, line group
  EXPECT_EQ(ref->header.refcount, 1);
  EXPECT_EQ(n[0]->header.refcount, 3);  // two edges and a point
  EXPECT_EQ(n[1]->header.refcount, 3);  // two edges and the circle
  EXPECT_EQ(e[0]->header.refcount, 2);  // area and line group

  // Groups taken out and destroyed give back exactly what they held.
  for (int i = Count_Masque_Gruppen(mask) - 1; i >= 2; --i) Destroy_Masque_Gruppe(Remove_Masque_Gruppe(mask, i));
  EXPECT_EQ(base->header.refcount, 2);
  EXPECT_EQ(n[1]->header.refcount, 2);
  EXPECT_EQ(e[0]->header.refcount, 1);
  EXPECT_EQ(std::memcmp(extra, std::string(64, '\x5a').data(), 64), 0);  // the record left it alone

  // The referenced line stands first: the destruction must not write into it once freed.
  Destroy_Masque_Querschnitt(mask);
}

TEST_F(MasqueModel, KeepBitProtectsAgainstReleaseOnly) {
  Release_Masque_Querschnitt(nullptr);
  Set_Masque_Default_Flags(MASQUE_KEEP);
  MASQUE *mask = Create_Masque_Querschnitt(1, 0);
  ASSERT_NE(mask, nullptr);
  EXPECT_EQ(mask->flags, MASQUE_KEEP);
  EXPECT_EQ(Get_Masque_Extra(mask), nullptr);
  Release_Masque_Querschnitt(mask);
  EXPECT_EQ(Add_Masque_Knoten(mask, Create_Masque_Knoten(1, 0, 0)), 1);  // still alive
  Destroy_Masque_Querschnitt(mask);
  EXPECT_EQ(Create_Masque_Querschnitt(1, -1), nullptr);
}

TEST_F(MasqueModel, NullArgumentsGiveZeroOrNullWithoutCrashing) {
  double law[SDL_PARAMETER] = {};
  EXPECT_EQ(Create_Masque_Kante(1, nullptr, nullptr, 0), nullptr);
  EXPECT_EQ(Create_Masque_Spannungsdehnungslinie(1, 2, "x", nullptr), nullptr);
  EXPECT_EQ(Create_Masque_Flaeche(1, nullptr), nullptr);
  EXPECT_EQ(Create_Masque_Kreis(1, nullptr, nullptr, 1), nullptr);
  EXPECT_EQ(Clone_Masque_Spannungsdehnungslinie(nullptr), nullptr);
  EXPECT_EQ(Add_Masque_Knoten(nullptr, nullptr), 0);
  EXPECT_EQ(Add_Masque_Gruppe(nullptr, nullptr), 0);
  EXPECT_EQ(Get_Masque_Gruppe(nullptr, 0), nullptr);
  EXPECT_EQ(Find_Masque_Gruppe_by_Id(nullptr, 0), nullptr);
  EXPECT_EQ(Remove_Masque_Spannungsdehnungslinie(nullptr, 0), nullptr);
  EXPECT_EQ(Count_Masque_Punkte(nullptr), 0);
  EXPECT_EQ(Add_Kante_to_Masque_Flaeche(nullptr, nullptr), 0);
  EXPECT_EQ(Set_Masque_Gruppe_Linie(nullptr, nullptr), 0);
  EXPECT_EQ(Set_Masque_Spannungsdehnungslinie_Params(nullptr, nullptr, law), 0);
  EXPECT_EQ(Copy_Masque_Spannungsdehnungslinie(nullptr, nullptr), 0);
  EXPECT_EQ(Get_Masque_Object_Id(nullptr), 0);
  EXPECT_EQ(Get_Masque_Object_Descriptor(nullptr), nullptr);
  EXPECT_EQ(Masque_Object_Ref(nullptr), 0);
  EXPECT_EQ(Get_Masque_Extra(nullptr), nullptr);
  Destroy_Masque_Querschnitt(nullptr);
  Destroy_Masque_Gruppe(nullptr);
  Destroy_Masque_Kante(nullptr);
  Destroy_Masque_Knoten(nullptr);
  Destroy_Masque_Spannungsdehnungslinie(nullptr);
}

}  // namespace
