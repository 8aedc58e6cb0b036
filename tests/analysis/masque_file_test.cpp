// Mask description file: the exact bytes of a small mask, round trips of every object
// kind, built-in and referring lines, and the reader's and writer's refusals.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>

#include "analysis/masque.h"
#include "common/written_text.h"
#include "support/cp850.h"

namespace {

std::string Write(const MASQUE *mask, int *rc) {
  return Written_Text([&](FILE *f) { return Write_Masque_Querschnitt(f, mask); }, rc);
}

MASQUE *Read(const std::string &text) {
  std::string copy = text.empty() ? std::string(" ") : text;
  FILE *f = fmemopen(copy.data(), text.empty() ? 0 : copy.size(), "r");
  if (!f) f = fmemopen(copy.data(), 1, "r");  // an empty stream
  MASQUE *mask = Read_Masque_Querschnitt(f);
  std::fclose(f);
  return mask;
}

// Mask 7: the steel rectangle 0.2 × 0.1 as an area group over four edges.
MASQUE *Rectangle() {
  MASQUE *mask = Create_Masque_Querschnitt(7, 0);
  double p[SDL_PARAMETER];
  Fill_Stahl_Spannungsdehnungslinie(210000, 235, 150, 0, p);
  SPANNUNGSDEHNUNGSLINIE *line = Create_Masque_Spannungsdehnungslinie(1, 2, "DWQB", p);
  Add_Masque_Spannungsdehnungslinie(mask, line);
  const double yz[4][2] = {{0, 0}, {0.2, 0}, {0.2, 0.1}, {0, 0.1}};
  MASQUE_KNOTEN *n[4];
  for (int i = 0; i < 4; ++i) {
    n[i] = Create_Masque_Knoten(i + 1, yz[i][0], yz[i][1]);
    Add_Masque_Knoten(mask, n[i]);
  }
  MASQUE_GRUPPE *g = Create_Masque_Flaeche(1, line);
  for (int i = 0; i < 4; ++i) {
    MASQUE_KANTE *e = Create_Masque_Kante(i + 1, n[i], n[(i + 1) % 4], 0.0);
    Add_Masque_Kante(mask, e);
    Add_Kante_to_Masque_Flaeche(g, e);
  }
  Add_Masque_Gruppe(mask, g);
  return mask;
}

const std::string kExample = std::string(
    "Q 7 0\n4\nN 1 2\n0 0\nN 2 3\n0.2 0\nN 3 4\n0.2 0.1\nN 4 5\n0 0.1\n4\n"
    "E 1 6\n0 2 3 0\nE 2 7\n0 3 4 0\nE 3 8\n0 4 5 0\nE 4 9\n0 5 2 0\n1\nM 1 1\n2 ") +
    "«DWQB»"_cp + "\n 235000 235000 -1.11905 1.11905 150 0 1 0 0 0\n1\nG 1 10\n1 1\n4\n6\n7\n8\n9\n";

TEST(MasqueFile, ExampleBytesAndRoundTrip) {
  MASQUE *mask = Rectangle();
  int rc;
  const std::string text = Write(mask, &rc);
  EXPECT_EQ(rc, 1);
  EXPECT_EQ(text, kExample);
  MASQUE *back = Read(text);
  ASSERT_NE(back, nullptr);
  EXPECT_EQ(back->header.id, 7);
  EXPECT_EQ(back->max_nummer, 10);
  EXPECT_EQ(Get_Masque_Knoten(back, 2)->y_lokal, 0.2);
  EXPECT_EQ(Get_Masque_Knoten(back, 0)->header.refcount, 2);
  EXPECT_EQ(Write(back, &rc), text);
  Destroy_Masque_Querschnitt(back);
  Destroy_Masque_Querschnitt(mask);
}

// Built-in lines without values, a referring line with bit 23, a nameless line, point,
// circle and line groups, an arc and a negative type word keep their values.
TEST(MasqueFile, EveryObjectKindRoundTrips) {
  MASQUE *mask = Create_Masque_Querschnitt(-3, 0);
  SPANNUNGSDEHNUNGSLINIE *c = Clone_Masque_Spannungsdehnungslinie(Find_Builtin_Spannungsdehnungslinie("C30/37"));
  Add_Masque_Spannungsdehnungslinie(mask, c);
  const double p[SDL_PARAMETER] = {1, 2, -3, 4, 5.5, 0, 1, 0.25, 0, 0};
  SPANNUNGSDEHNUNGSLINIE *own = Create_Masque_Spannungsdehnungslinie(9, 0x85000002u, nullptr, p);
  Set_Masque_Spannungsdehnungslinie_Extern(own, c, 0.5);
  Add_Masque_Spannungsdehnungslinie(mask, own);
  MASQUE_KNOTEN *a = Create_Masque_Knoten(11, 0.05, -0.25), *b = Create_Masque_Knoten(12, 1e-7, 3);
  Add_Masque_Knoten(mask, a);
  Add_Masque_Knoten(mask, b);
  MASQUE_KANTE *e = Create_Masque_Kante(21, a, b, 0.125);
  Add_Masque_Kante(mask, e);
  MASQUE_GRUPPE *pg = Create_Masque_Punktgruppe(31, own);
  Add_Masque_Punkt(pg, b, 3.14159e-4);
  Add_Masque_Gruppe(mask, pg);
  Add_Masque_Gruppe(mask, Create_Masque_Kreis(32, c, a, 0.15));
  MASQUE_GRUPPE *lg = Create_Masque_Liniengruppe(33, own);
  Add_Masque_Linie(lg, e, 0.012);
  Add_Masque_Gruppe(mask, lg);
  int rc;
  const std::string text = Write(mask, &rc);
  ASSERT_EQ(rc, 1);
  EXPECT_NE(text.find("32769 «C30/37»\n"_cp), std::string::npos);
  EXPECT_NE(text.find(std::to_string(static_cast<int>(0x85800002u)) + " «???»\n"_cp), std::string::npos);
  EXPECT_NE(text.find(" 0.500000 1\n"), std::string::npos);
  MASQUE *back = Read(text);
  ASSERT_NE(back, nullptr);
  const SPANNUNGSDEHNUNGSLINIE *bc = Get_Masque_Spannungsdehnungslinie(back, 0);
  const SPANNUNGSDEHNUNGSLINIE *bo = Get_Masque_Spannungsdehnungslinie(back, 1);
  EXPECT_EQ(bc->param[SDL_BETA_D], 17500);
  EXPECT_EQ(bo->extern_linie, bc);
  EXPECT_EQ(bc->header.refcount, 2);  // the referring line and the circle
  // Writing the read mask gives the same bytes: ids, running numbers, names, type words,
  // references and values came back.
  EXPECT_EQ(Write(back, &rc), text);
  Destroy_Masque_Querschnitt(back);
  Destroy_Masque_Querschnitt(mask);
}

// Every proper prefix of a valid file and every damaged file is refused whole, without a
// leak (the sanitizer build checks), also under the keep bit. A prefix that ends inside (or
// right after) the last number is cut too: its last token lacks the line end that the writer
// puts behind every number (a node at z = 0.012 cut to "0.01" would read as another mask).
TEST(MasqueFile, BadAndTruncatedFilesFail) {
  for (size_t n = 0; n < kExample.size(); ++n) {
    SCOPED_TRACE(n);
    EXPECT_EQ(Read(kExample.substr(0, n)), nullptr);
  }
  const std::string point = "Q 7 0\n1\nN 1 2\n0 0.012\n0\n0\n0\n";
  MASQUE *whole = Read(point);
  ASSERT_NE(whole, nullptr);
  EXPECT_EQ(Get_Masque_Knoten(whole, 0)->z, 0.012);
  Destroy_Masque_Querschnitt(whole);
  EXPECT_EQ(Read(point.substr(0, point.size() - 1)), nullptr);  // the last count without its line end
  auto replace = [](std::string s, const std::string &from, const std::string &to) {
    const size_t k = s.find(from);
    EXPECT_NE(k, std::string::npos) << from;
    return s.replace(k, from.size(), to);
  };
  const std::string bad[] = {
      replace(kExample, "Q 7 0", "QQ 7 0"),                 // tag
      replace(kExample, "N 2 3", "E 2 3"),                  // wrong object
      replace(kExample, "N 2 3", "N 2 2"),                  // running number twice
      replace(kExample, "0 3 4 0", "0 3 44 0"),             // end node missing
      replace(kExample, "E 3 8\n0 4 5 0", "E 3 8\n0 4 9 0"), // edge on a later number
      replace(kExample, "0.2 0.1", "nan 0.1"),              // not finite
      replace(kExample, "0.2 0.1", "1e999 0.1"),
      replace(kExample, "N 4 5", "N 4 2147483648"),         // beyond 32 bits
      replace(kExample, "2 «DWQB»"_cp, "32770 «C31/37»"_cp), // unknown built-in line
      replace(kExample, "2 «DWQB»"_cp, "8388610 «DWQB»"_cp), // refers without a number
      replace(kExample, "G 1 10\n1 1", "G 1 10\n4 1"),      // group type
      replace(kExample, "G 1 10\n1 1", "G 1 10\n1 2"),      // group line missing
      replace(kExample, "\n8\n9\n", "\n8\n19\n"),           // group edge missing
      replace(kExample, "«DWQB»"_cp, "«"_cp + std::string(128, 'x') + "»"_cp),  // long name
      replace(kExample, "«DWQB»"_cp, "DWQB"),               // no guillemets
      replace(kExample, "1.11905", std::string(70, '1')),   // token too long
  };
  for (const std::string &text : bad) {
    SCOPED_TRACE(text.substr(0, 60));
    EXPECT_EQ(Read(text), nullptr);
  }
  Set_Masque_Default_Flags(MASQUE_KEEP);
  EXPECT_EQ(Read(bad[3]), nullptr);
  Set_Masque_Default_Flags(0);
  // Limits that still read: a 127-byte name, the empty name, a hexadecimal type word.
  const std::string name127(127, 'y');
  for (const std::string &text : {replace(kExample, "DWQB", name127), replace(kExample, "DWQB", ""),
                                  replace(kExample, "2 «DWQB»"_cp, "0x2 «DWQB»"_cp)}) {
    MASQUE *m = Read(text);
    ASSERT_NE(m, nullptr);
    EXPECT_EQ(Get_Masque_Spannungsdehnungslinie(m, 0)->typ, 2u);
    Destroy_Masque_Querschnitt(m);
  }
}

// The writer refuses, writing nothing, every mask its reader could not read back.
TEST(MasqueFile, WriterRefusesUnreadableMasks) {
  auto check = [](MASQUE *mask, const char *what) {
    SCOPED_TRACE(what);
    int rc;
    EXPECT_EQ(Write(mask, &rc), "");
    EXPECT_EQ(rc, 0);
    Destroy_Masque_Querschnitt(mask);
  };
  MASQUE *m = Rectangle();
  std::string name = "a»b"_cp;
  MEM_FREE(Get_Masque_Spannungsdehnungslinie(m, 0)->name);
  Get_Masque_Spannungsdehnungslinie(m, 0)->name = MEM_STRDUP(name.c_str());
  check(m, "name with the closing guillemet");
  m = Rectangle();
  const double p[SDL_PARAMETER] = {};
  SPANNUNGSDEHNUNGSLINIE *later = Create_Masque_Spannungsdehnungslinie(2, 2, "later", p);
  Add_Masque_Spannungsdehnungslinie(m, later);
  Set_Masque_Spannungsdehnungslinie_Extern(Get_Masque_Spannungsdehnungslinie(m, 0), later, 1.0);
  check(m, "line referring to a later line");
  m = Rectangle();
  Get_Masque_Gruppe(m, 0)->typ = 5;
  check(m, "group type");
  m = Rectangle();
  MASQUE_KNOTEN *stray = Create_Masque_Knoten(9, 1, 1);
  Add_Masque_Kante(m, Create_Masque_Kante(9, Get_Masque_Knoten(m, 0), stray, 0.0));
  check(m, "edge on a node outside the mask");
  Destroy_Masque_Knoten(stray);
  m = Rectangle();
  Get_Masque_Knoten(m, 1)->header.nummer = 2;
  check(m, "running number twice");
}

// Numbers the reader refuses, a reference factor whose " %lf" text is longer than a token,
// and group weights and initial strain planes, which the format cannot hold: the writer
// refuses them before its first byte. A buffered write to a full device fails.
TEST(MasqueFile, WriterRefusesWhatTheFormatCannotHold) {
  const double nan = std::nan(""), inf = HUGE_VAL;
  // The rectangle with a second line referring to the first, a point group, a circle and a
  // line group on it.
  auto full_mask = []() {
    MASQUE *m = Rectangle();
    SPANNUNGSDEHNUNGSLINIE *first = Get_Masque_Spannungsdehnungslinie(m, 0);
    SPANNUNGSDEHNUNGSLINIE *second = Create_Masque_Spannungsdehnungslinie(2, 2, "Zweite", first->param);
    Set_Masque_Spannungsdehnungslinie_Extern(second, first, 0.5);
    Add_Masque_Spannungsdehnungslinie(m, second);
    MASQUE_GRUPPE *points = Create_Masque_Punktgruppe(2, second);
    Add_Masque_Punkt(points, Get_Masque_Knoten(m, 2), 3.0e-4);
    Add_Masque_Gruppe(m, points);
    Add_Masque_Gruppe(m, Create_Masque_Kreis(3, first, Get_Masque_Knoten(m, 0), 0.01));
    MASQUE_GRUPPE *walls = Create_Masque_Liniengruppe(4, first);
    Add_Masque_Linie(walls, Get_Masque_Kante(m, 1), 0.008);
    Add_Masque_Gruppe(m, walls);
    return m;
  };
  auto builtin = [](MASQUE *m, int k, char first) {  // a copy of B25, parameter k changed
    SPANNUNGSDEHNUNGSLINIE *l = Clone_Masque_Spannungsdehnungslinie(Get_Builtin_Spannungsdehnungslinie("B25"));
    if (k >= 0) l->param[k] += 1.5;
    l->name[0] = first;
    Add_Masque_Spannungsdehnungslinie(m, l);
  };
  const struct {
    const char *name;
    std::function<void(MASQUE *)> spoil;
  } cases[] = {
      {"node y", [=](MASQUE *m) { Get_Masque_Knoten(m, 3)->y = nan; }},
      {"node z", [=](MASQUE *m) { Get_Masque_Knoten(m, 1)->z = -inf; }},
      {"edge rise", [=](MASQUE *m) { Get_Masque_Kante(m, 2)->stich = inf; }},
      {"line parameter", [=](MASQUE *m) { Get_Masque_Spannungsdehnungslinie(m, 0)->param[4] = nan; }},
      {"infinite line parameter", [=](MASQUE *m) { Get_Masque_Spannungsdehnungslinie(m, 1)->param[0] = inf; }},
      {"line referring to itself", [](MASQUE *m) {
         SPANNUNGSDEHNUNGSLINIE *l = Get_Masque_Spannungsdehnungslinie(m, 0);
         l->extern_linie = l, l->extern_faktor = 1.0;
       }},
      {"reference factor", [=](MASQUE *m) { Get_Masque_Spannungsdehnungslinie(m, 1)->extern_faktor = inf; }},
      {"reference factor of 57 digits", [](MASQUE *m) { Get_Masque_Spannungsdehnungslinie(m, 1)->extern_faktor = -1e56; }},
      {"point area", [=](MASQUE *m) { Get_Masque_Punkt(Get_Masque_Gruppe(m, 1), 0)->flaeche = nan; }},
      {"circle radius", [=](MASQUE *m) { Get_Masque_Gruppe(m, 2)->radius = -inf; }},
      {"wall thickness", [=](MASQUE *m) { Get_Masque_Linie(Get_Masque_Gruppe(m, 3), 0)->dicke = nan; }},
      {"built-in line with a first parameter of its own", [=](MASQUE *m) { builtin(m, 0, 'B'); }},
      {"built-in line with a last parameter of its own", [=](MASQUE *m) { builtin(m, SDL_PARAMETER - 1, 'B'); }},
      {"built-in line not in the table", [=](MASQUE *m) { builtin(m, -1, 'X'); }},
      {"group weight", [](MASQUE *m) { Get_Masque_Gruppe(m, 0)->gewicht.gewicht = 1.35; }},
      {"group weight flag", [](MASQUE *m) { Get_Masque_Gruppe(m, 3)->gewicht.flags = 1; }},
      {"active strain plane", [](MASQUE *m) { Get_Masque_Gruppe(m, 1)->vordehnung = {0.001, 0, 0, MASQUE_VORDEHNUNG_AKTIV, 0}; }},
      {"strain plane slope", [](MASQUE *m) { Get_Masque_Gruppe(m, 2)->vordehnung.c = 0.5; }},
      {"strain plane switched on alone", [](MASQUE *m) { Get_Masque_Gruppe(m, 3)->vordehnung.flags = MASQUE_VORDEHNUNG_AKTIV; }},
  };
  for (const auto &c : cases) {
    SCOPED_TRACE(c.name);
    MASQUE *m = full_mask();
    int rc = 0;
    ASSERT_NE(Write(m, &rc), "");
    ASSERT_EQ(rc, 1);
    c.spoil(m);
    EXPECT_EQ(Write(m, &rc), "");
    EXPECT_EQ(rc, 0);
    Destroy_Masque_Querschnitt(m);
  }
  MASQUE *m = full_mask();
  Get_Masque_Spannungsdehnungslinie(m, 1)->extern_faktor = -1e54;  // 55 digits: still a token
  int rc = 0;
  MASQUE *back = Read(Write(m, &rc));
  EXPECT_EQ(rc, 1);
  ASSERT_NE(back, nullptr);
  EXPECT_EQ(Get_Masque_Spannungsdehnungslinie(back, 1)->extern_faktor, -1e54);
  Destroy_Masque_Querschnitt(back);
  FILE *full = std::fopen("/dev/full", "w");
  ASSERT_NE(full, nullptr);
  EXPECT_EQ(Write_Masque_Querschnitt(full, m), 0);  // buffered: only the flush sees it
  std::fclose(full);
  Destroy_Masque_Querschnitt(m);
}

// The dump lists headers as "name id (number, Rrefs)", edges by their nodes' ids.
TEST(MasqueFile, DumpListing) {
  MASQUE *mask = Rectangle();
  char *buf = nullptr;
  size_t len = 0;
  FILE *f = open_memstream(&buf, &len);
  Dump_Masque_Querschnitt(f, mask);
  std::fclose(f);
  const std::string text(buf, len);
  std::free(buf);
  for (const char *line : {" Querschnitt 7 (0, R0)\n Groesste interne Elementnummer: 10\n *** 4 Querschnittsknoten ***\n",
                           " Querschnittsknoten 2 (3, R2)\n     y = 0.2, z = 0\n",
                           " Querschnittskante 4 (9, R1)\n     type = 0, anf = 4, end = 1, stich = 0\n",
                           "     typ = 2, fkt = 0 (intern)\n     name = DWQB\n     betaD = 235000 (Druckfestigkeit in kN/m2)\n",
                           " Querschnittsflaeche mit 4 Kanten:\n Querschnittskante 1 (6, R1)\n"})
    EXPECT_NE(text.find(line), std::string::npos) << line;
  Destroy_Masque_Querschnitt(mask);
}

}  // namespace
