// Fuzz target: the member, profile and mask records filled from raw bytes (every double
// any bit pattern: NaN, infinities, denormals, huge values; names any bytes) are written,
// and each write either fails having written nothing or reads back as the record written:
// every number as its file format prints it ("%lf" or "%.6g"), every int and count, the
// names as the format keeps them (blanks and '~' as blanks, cut to the field), the
// references of the mask by running number; a second write gives the same bytes.
#include <fuzzer/FuzzedDataProvider.h>

#include <cctype>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "analysis/masque.h"
#include "profil/profil.h"
#include "stahl_ec3/stahl_ec3.h"
#include "support/shell.h"
#include "support/support.h"
#include "tests/common/written_text.h"

namespace {

void Check(bool ok, const char *what) {
  if (ok) return;
  std::fprintf(stderr, "round trip broken: %s\n", what);
  std::abort();
}

FILE *Text_Stream(std::string &text) { return fmemopen(text.data(), text.size(), "r"); }

// A number as its format prints it: what a round trip must keep.
std::string Lf(double v) {
  char buf[400];
  std::snprintf(buf, sizeof buf, "%lf", v);
  return buf;
}
std::string G6(double v) {
  char buf[64];
  std::snprintf(buf, sizeof buf, "%.6g", v);
  return buf;
}
void Same_Lf(double a, double b, const char *what) {
  if (Lf(a) != Lf(b)) std::fprintf(stderr, "%s: %s written, %s read\n", what, Lf(a).c_str(), Lf(b).c_str());
  Check(Lf(a) == Lf(b), what);
}
void Same_Int(long a, long b, const char *what) {
  if (a != b) std::fprintf(stderr, "%s: %ld written, %ld read\n", what, a, b);
  Check(a == b, what);
}

// A name as a token of the data file keeps it: cut to max bytes, white space and '~' as
// blanks, trailing blanks not told apart from none.
std::string Token_Name(const char *name, std::size_t max) {
  std::string s(name, strnlen(name, max));
  for (char &c : s)
    if (std::isspace(static_cast<unsigned char>(c)) || c == '~') c = ' ';
  while (!s.empty() && s.back() == ' ') s.pop_back();
  return s;
}

// Doubles from any 8 bytes most of the time, else a plain value of the unit range.
double Any_Double(FuzzedDataProvider &in) {
  if (in.ConsumeBool()) {
    const uint64_t bits = in.ConsumeIntegral<uint64_t>();
    double v;
    std::memcpy(&v, &bits, sizeof v);
    return v;
  }
  return in.ConsumeFloatingPointInRange(-1.0e4, 1.0e4);
}

void Fill_Name(FuzzedDataProvider &in, char *name, std::size_t size) {
  const std::string s = in.ConsumeRandomLengthString(size + 4);
  std::memset(name, 0, size);
  std::memcpy(name, s.data(), std::min(s.size(), size - 1));
}

void Fill_Material(FuzzedDataProvider &in, MATERIAL *m) {
  Init_Material_Data(m);
  m->grade = in.ConsumeIntegralInRange(-2, 40);
  m->user_values = in.ConsumeIntegralInRange(0, 1);
  for (double *v : {&m->fy_40, &m->fu_40, &m->fy_80, &m->fu_80, &m->fy_inf, &m->fu_inf, &m->E, &m->betaw, &m->G,
                    &m->nu, &m->alphaT})
    if (in.ConsumeBool()) *v = Any_Double(in);
  if (in.ConsumeBool()) Fill_Name(in, m->name, sizeof m->name);
  // A grade as the program holds it: checked (the reader checks what it read, which puts
  // the table's strengths, nu and G in place).
  Check_Material_Strength(m, 0.0, nullptr, 0, nullptr);
}

void Same_Material(const MATERIAL &a, const MATERIAL &b) {
  Same_Int(a.grade, b.grade, "grade");
  Same_Int(a.user_values, b.user_values, "user values");
  // nu and G are not compared: the check after reading derives them from E.
  const double *x[] = {&a.fy_40, &a.fu_40, &a.fy_80, &a.fu_80, &a.fy_inf, &a.fu_inf, &a.E, &a.betaw, &a.alphaT};
  const double *y[] = {&b.fy_40, &b.fu_40, &b.fy_80, &b.fu_80, &b.fy_inf, &b.fu_inf, &b.E, &b.betaw, &b.alphaT};
  for (std::size_t k = 0; k < sizeof x / sizeof x[0]; ++k) Same_Lf(*x[k], *y[k], "grade value");
  Check(Token_Name(a.name, MATERIAL_NAME_SIZE - 1) == Token_Name(b.name, MATERIAL_NAME_SIZE), "grade name");
}

void Fill_Profil(FuzzedDataProvider &in, PROFIL *p) {
  Reset_Profil(p);
  p->kind = in.ConsumeIntegralInRange(0, 2);
  p->type = in.ConsumeIntegralInRange(0, 17);
  p->rolled = in.ConsumeIntegralInRange(0, 1);
  for (double *v : {&p->h, &p->t_w, &p->b_fo, &p->t_fo, &p->b_fu, &p->t_fu, &p->r, &p->a_o, &p->a_u, &p->r_2,
                    &p->ue_o, &p->ue_u})
    if (in.ConsumeBool()) *v = Any_Double(in);
  p->through_o = in.ConsumeIntegral<int8_t>();
  p->through_u = in.ConsumeIntegral<int8_t>();
  p->hot_finished = in.ConsumeIntegralInRange(0, 1);
  p->lib_available = Init_Profil_Library(nullptr);  // a read takes the present state
  if (in.ConsumeBool()) Fill_Name(in, p->name, sizeof p->name);
  Fill_Material(in, &p->grade);
  // A read holds a library profile to its library entry: the record as a read gives it,
  // looked up by the name as the file keeps it (a line break in the name is a blank there,
  // so "\nIPE80" is read as IPE 80 and takes its dimensions).
  {
    const std::string kept = Token_Name(p->name, PROFIL_NAME_SIZE - 1);
    PROFIL as_read = *p;
    std::memset(as_read.name, 0, sizeof as_read.name);
    std::memcpy(as_read.name, kept.data(), kept.size());
    Take_Profil_Library_Dimensions(&as_read, nullptr, 0);
    std::memcpy(as_read.name, p->name, sizeof p->name);
    *p = as_read;
  }
  if (p->kind != PROFIL_KIND_QUER) return;
  p->model_kind = in.ConsumeIntegralInRange(0, 1);
  p->obj_a = in.ConsumeIntegral<int16_t>();
  p->obj_b = in.ConsumeIntegral<int16_t>();
  p->node_count = in.ConsumeIntegralInRange(0, 9);
  p->line_count = in.ConsumeIntegralInRange(0, 5);
  if (p->node_count) p->nodes = static_cast<PROFIL_NODE *>(MEM_CALLOC(p->node_count, sizeof(PROFIL_NODE)));
  if (p->line_count) p->lines = static_cast<PROFIL_LINE *>(MEM_CALLOC(p->line_count, sizeof(PROFIL_LINE)));
  for (int k = 0; k < p->node_count; ++k) {
    PROFIL_NODE &n = p->nodes[k];
    n.number = in.ConsumeIntegral<int16_t>();
    n.polygon = in.ConsumeIntegral<int8_t>();
    n.y = Any_Double(in), n.z = Any_Double(in), n.s_p = in.ConsumeBool() ? Any_Double(in) : 0.0;
  }
  for (int k = 0; k < p->line_count; ++k) {
    PROFIL_LINE &l = p->lines[k];
    l.number = in.ConsumeIntegral<int16_t>();
    l.p_a = in.ConsumeIntegral<int16_t>(), l.p_e = in.ConsumeIntegral<int16_t>();
    for (double *v : {&l.d_a, &l.d_e, &l.s, &l.r_al, &l.r_ar, &l.r_el, &l.r_er})
      if (in.ConsumeBool()) *v = Any_Double(in);
  }
  for (double &v : p->imported)
    if (in.ConsumeBool()) v = Any_Double(in);
}

void Same_Profil(const PROFIL &a, const PROFIL &b) {
  Check(a.kind == b.kind && a.type == b.type && a.rolled == b.rolled && a.through_o == b.through_o &&
            a.through_u == b.through_u && a.hot_finished == b.hot_finished && a.lib_available == b.lib_available,
        "profile ints");
  const double x[] = {a.h, a.t_w, a.b_fo, a.t_fo, a.b_fu, a.t_fu, a.r, a.a_o, a.a_u, a.r_2, a.ue_o, a.ue_u};
  const double y[] = {b.h, b.t_w, b.b_fo, b.t_fo, b.b_fu, b.t_fu, b.r, b.a_o, b.a_u, b.r_2, b.ue_o, b.ue_u};
  for (std::size_t k = 0; k < sizeof x / sizeof x[0]; ++k) Same_Lf(x[k], y[k], "profile dimension");
  Check(Token_Name(a.name, PROFIL_NAME_SIZE - 1) == Token_Name(b.name, PROFIL_NAME_SIZE), "profile name");
  Same_Material(a.grade, b.grade);
  if (a.kind != PROFIL_KIND_QUER) return;
  Check(a.model_kind == b.model_kind && a.obj_a == b.obj_a && a.obj_b == b.obj_b && a.node_count == b.node_count &&
            a.line_count == b.line_count,
        "section head");
  for (int k = 0; k < a.node_count; ++k) {
    const PROFIL_NODE &m = a.nodes[k], &n = b.nodes[k];
    Check(m.number == n.number && m.polygon == n.polygon, "node ints");
    Same_Lf(m.y, n.y, "node y"), Same_Lf(m.z, n.z, "node z"), Same_Lf(m.s_p, n.s_p, "node sagitta");
  }
  for (int k = 0; k < a.line_count; ++k) {
    const PROFIL_LINE &l = a.lines[k], &m = b.lines[k];
    Check(l.number == m.number && l.p_a == m.p_a && l.p_e == m.p_e, "line ints");
    const double x2[] = {l.d_a, l.d_e, l.s, l.r_al, l.r_ar, l.r_el, l.r_er};
    const double y2[] = {m.d_a, m.d_e, m.s, m.r_al, m.r_ar, m.r_el, m.r_er};
    for (int i = 0; i < 7; ++i) Same_Lf(x2[i], y2[i], "line value");
  }
  for (int k = 0; k < PROFIL_IMPORTED_COUNT; ++k) Same_Lf(a.imported[k], b.imported[k], "imported value");
}

// The member: write, then read back and compare, then write again.
void Member(FuzzedDataProvider &in) {
  BAUTEIL a{}, b{};
  Reset_Bauteil(&a);
  a.safety.standardised = in.ConsumeIntegralInRange(0, 1);
  for (double *v : {&a.safety.gamma_M0, &a.safety.gamma_M1, &a.safety.gamma_M2, &a.safety.gamma_M3,
                    &a.safety.gamma_M4, &a.safety.gamma_M5, &a.safety.gamma_M6_ser, &a.safety.gamma_M7,
                    &a.safety.gamma_M3_ser, &a.safety.gamma_M_ser, &a.safety.gamma_M_fi})
    *v = in.ConsumeBool() ? Any_Double(in) : 1.1;
  Fill_Material(in, &a.material);
  Fill_Profil(in, &a.profil);
  a.method = in.ConsumeIntegralInRange(0, 3);
  a.ct_check = in.ConsumeIntegralInRange(0, 2);
  Fill_Material(in, &a.material_2);
  Alloc_Brandlasten(&a, in.ConsumeIntegralInRange(1, 6));
  for (int i = 0; i < a.brandlast_count; ++i) {
    BRANDLAST &r = a.brandlasten[i];
    Fill_Name(in, r.name, sizeof r.name);
    for (double *v : {&r.N, &r.M_y, &r.M_z, &r.V_y, &r.V_z, &r.T_t, &r.T_w, &r.B})
      if (in.ConsumeBool()) *v = Any_Double(in);
  }
  int rc;
  std::string text = Written_Text([&](FILE *f) { return Write_Bauteil(f, &a); }, &rc);
  if (rc != 0) {
    Check(text.empty(), "a refused member wrote bytes");
  } else {
    FILE *f = Text_Stream(text);
    Check(Read_Bauteil(f, &b) == 0, "a written member does not read");
    std::fclose(f);
    Check(a.method == b.method && a.ct_check == b.ct_check && a.brandlast_count == b.brandlast_count &&
              a.safety.standardised == b.safety.standardised,
          "member ints");
    const double *sa = &a.safety.gamma_M0, *sb = &b.safety.gamma_M0;
    for (int k = 0; k < 11; ++k) Same_Lf(sa[k], sb[k], "safety factor");
    Same_Material(a.material, b.material);
    Same_Material(a.material_2, b.material_2);
    Same_Profil(a.profil, b.profil);
    for (int i = 0; i < a.brandlast_count; ++i) {
      const BRANDLAST &r = a.brandlasten[i], &s = b.brandlasten[i];
      Check(Token_Name(r.name, BRANDLAST_NAME_SIZE - 1) == Token_Name(s.name, BRANDLAST_NAME_SIZE), "row name");
      const double *x = &r.N, *y = &s.N;
      for (int k = 0; k < 8; ++k) Same_Lf(x[k], y[k], "force");
    }
    std::string again = Written_Text([&](FILE *g) { return Write_Bauteil(g, &b); }, &rc);
    Check(rc == 0, "a member read back does not write");
    FILE *g = Text_Stream(again);
    BAUTEIL c{};
    Check(Read_Bauteil(g, &c) == 0, "a rewritten member does not read");
    std::fclose(g);
    Check(Written_Text([&](FILE *h) { return Write_Bauteil(h, &c); }, &rc) == again, "a third write differs");
    Reset_Bauteil(&c);
  }
  Reset_Bauteil(&a);
  Reset_Bauteil(&b);
}

// The profile block alone.
void Profile(FuzzedDataProvider &in) {
  PROFIL a{}, b{};
  Fill_Profil(in, &a);
  int rc;
  std::string text = Written_Text([&](FILE *f) { return Write_Profil(f, &a); }, &rc);
  if (rc == 0) {
    FILE *f = Text_Stream(text);
    Check(Read_Profil(f, &b) == 0, "a written profile does not read");
    std::fclose(f);
    Same_Profil(a, b);
  }
  Reset_Profil(&a);
  Reset_Profil(&b);
}

// A mask of a few objects of every kind, with running numbers, weights and planes that
// the bytes may spoil.
MASQUE *Build_Mask(FuzzedDataProvider &in) {
  MASQUE *m = Create_Masque_Querschnitt(in.ConsumeIntegral<int16_t>(), 0);
  const int nk = in.ConsumeIntegralInRange(0, 6), nl = in.ConsumeIntegralInRange(1, 3);
  for (int i = 0; i < nk; ++i) {
    const double y = in.ConsumeBool() ? Any_Double(in) : in.ConsumeFloatingPointInRange(-1.0, 1.0);
    Add_Masque_Knoten(m, Create_Masque_Knoten(in.ConsumeIntegral<int16_t>(), y, in.ConsumeFloatingPointInRange(-1.0, 1.0)));
  }
  for (int i = 0; nk > 0 && i < in.ConsumeIntegralInRange(0, 6); ++i) {
    MASQUE_KNOTEN *a = Get_Masque_Knoten(m, in.ConsumeIntegralInRange(0, nk - 1));
    MASQUE_KNOTEN *b = Get_Masque_Knoten(m, in.ConsumeIntegralInRange(0, nk - 1));
    Add_Masque_Kante(m, Create_Masque_Kante(in.ConsumeIntegral<int16_t>(), a, b, in.ConsumeBool() ? Any_Double(in) : 0.0));
  }
  for (int i = 0; i < nl; ++i) {
    SPANNUNGSDEHNUNGSLINIE *line;
    if (in.ConsumeBool()) {
      line = Clone_Masque_Spannungsdehnungslinie(Get_Builtin_Spannungsdehnungslinie(in.ConsumeBool() ? "B25" : "C30/37"));
      if (in.ConsumeBool()) line->param[in.ConsumeIntegralInRange(0, SDL_PARAMETER - 1)] += 1.0;
    } else {
      double p[SDL_PARAMETER];
      for (double &v : p) v = in.ConsumeBool() ? Any_Double(in) : in.ConsumeFloatingPointInRange(-100.0, 100.0);
      const std::string name = in.ConsumeRandomLengthString(140);
      line = Create_Masque_Spannungsdehnungslinie(in.ConsumeIntegral<int16_t>(), in.ConsumeIntegral<uint32_t>() & ~SDL_TYP_BUILTIN,
                                                  name.c_str(), p);
    }
    if (i > 0 && in.ConsumeBool())
      Set_Masque_Spannungsdehnungslinie_Extern(line, Get_Masque_Spannungsdehnungslinie(m, in.ConsumeIntegralInRange(0, i - 1)),
                                               in.ConsumeBool() ? Any_Double(in) : 0.5);
    Add_Masque_Spannungsdehnungslinie(m, line);
  }
  const int ne = Count_Masque_Kanten(m);
  for (int i = 0; i < in.ConsumeIntegralInRange(0, 4); ++i) {
    SPANNUNGSDEHNUNGSLINIE *line = Get_Masque_Spannungsdehnungslinie(m, in.ConsumeIntegralInRange(0, nl - 1));
    const int id = in.ConsumeIntegral<int16_t>();
    MASQUE_GRUPPE *g = nullptr;
    switch (in.ConsumeIntegralInRange(0, 3)) {
      case MASQUE_PUNKTGRUPPE:
        g = Create_Masque_Punktgruppe(id, line);
        for (int k = 0; nk > 0 && k < in.ConsumeIntegralInRange(0, 3); ++k)
          Add_Masque_Punkt(g, Get_Masque_Knoten(m, in.ConsumeIntegralInRange(0, nk - 1)), Any_Double(in));
        break;
      case MASQUE_FLAECHE:
        g = Create_Masque_Flaeche(id, line);
        for (int k = 0; ne > 0 && k < in.ConsumeIntegralInRange(0, 3); ++k)
          Add_Kante_to_Masque_Flaeche(g, Get_Masque_Kante(m, in.ConsumeIntegralInRange(0, ne - 1)));
        break;
      case MASQUE_KREIS:
        if (nk > 0) g = Create_Masque_Kreis(id, line, Get_Masque_Knoten(m, in.ConsumeIntegralInRange(0, nk - 1)), Any_Double(in));
        break;
      default:
        g = Create_Masque_Liniengruppe(id, line);
        for (int k = 0; ne > 0 && k < in.ConsumeIntegralInRange(0, 3); ++k)
          Add_Masque_Linie(g, Get_Masque_Kante(m, in.ConsumeIntegralInRange(0, ne - 1)), Any_Double(in));
        break;
    }
    if (!g) continue;
    switch (in.ConsumeIntegralInRange(0, 7)) {
      case 0: g->gewicht.gewicht = Any_Double(in); break;
      case 1: g->gewicht.flags = 1; break;
      case 2: g->vordehnung = {Any_Double(in), 0.0, 0.0, MASQUE_VORDEHNUNG_AKTIV, 0}; break;
      default: break;
    }
    Add_Masque_Gruppe(m, g);
  }
  // A running number spoilt now and then: zero, negative or another object's.
  if (nk > 1 && in.ConsumeIntegralInRange(0, 7) == 0)
    Get_Masque_Knoten(m, 0)->header.nummer = in.ConsumeIntegralInRange(-1, 3);
  return m;
}

void Same_Mask(const MASQUE *a, const MASQUE *b) {
  Check(a->header.id == b->header.id && a->header.nummer == b->header.nummer, "mask header");
  Check(Count_Masque_Knoten(a) == Count_Masque_Knoten(b) && Count_Masque_Kanten(a) == Count_Masque_Kanten(b) &&
            Count_Masque_Spannungsdehnungslinien(a) == Count_Masque_Spannungsdehnungslinien(b) &&
            Count_Masque_Gruppen(a) == Count_Masque_Gruppen(b),
        "mask counts");
  auto same_header = [](const MASQUE_OBJECT_HEADER &x, const MASQUE_OBJECT_HEADER &y) {
    Check(x.id == y.id && x.nummer == y.nummer, "object id and running number");
  };
  for (int i = 0; i < Count_Masque_Knoten(a); ++i) {
    const MASQUE_KNOTEN *x = Get_Masque_Knoten(a, i), *y = Get_Masque_Knoten(b, i);
    same_header(x->header, y->header);
    Check(G6(x->y) == G6(y->y) && G6(x->z) == G6(y->z), "node coordinates");
  }
  for (int i = 0; i < Count_Masque_Kanten(a); ++i) {
    const MASQUE_KANTE *x = Get_Masque_Kante(a, i), *y = Get_Masque_Kante(b, i);
    same_header(x->header, y->header);
    Check(x->anfang->header.nummer == y->anfang->header.nummer && x->ende->header.nummer == y->ende->header.nummer &&
              G6(x->stich) == G6(y->stich),
          "edge");
  }
  for (int i = 0; i < Count_Masque_Spannungsdehnungslinien(a); ++i) {
    const SPANNUNGSDEHNUNGSLINIE *x = Get_Masque_Spannungsdehnungslinie(a, i), *y = Get_Masque_Spannungsdehnungslinie(b, i);
    same_header(x->header, y->header);
    Check((x->typ & ~SDL_TYP_EXTERN) == y->typ, "line type word");
    Check(std::string(x->name ? x->name : "???") == (y->name ? y->name : ""), "line name");
    for (int k = 0; k < SDL_PARAMETER; ++k) Check(G6(x->param[k]) == G6(y->param[k]), "line parameter");
    Check(!x->extern_linie == !y->extern_linie, "line reference");
    if (x->extern_linie)
      Check(x->extern_linie->header.nummer == y->extern_linie->header.nummer && Lf(x->extern_faktor) == Lf(y->extern_faktor),
            "line reference and factor");
  }
  for (int i = 0; i < Count_Masque_Gruppen(a); ++i) {
    const MASQUE_GRUPPE *x = Get_Masque_Gruppe(a, i), *y = Get_Masque_Gruppe(b, i);
    same_header(x->header, y->header);
    Check(x->typ == y->typ && x->linie->header.nummer == y->linie->header.nummer, "group type and line");
    Check(x->gewicht.flags == y->gewicht.flags && x->gewicht.gewicht == y->gewicht.gewicht &&
              x->vordehnung.a == y->vordehnung.a && x->vordehnung.flags == y->vordehnung.flags,
          "group weight and plane");
    switch (x->typ) {
      case MASQUE_PUNKTGRUPPE:
        Check(Count_Masque_Punkte(x) == Count_Masque_Punkte(y), "point count");
        for (int k = 0; k < Count_Masque_Punkte(x); ++k)
          Check(Get_Masque_Punkt(x, k)->knoten->header.nummer == Get_Masque_Punkt(y, k)->knoten->header.nummer &&
                    G6(Get_Masque_Punkt(x, k)->flaeche) == G6(Get_Masque_Punkt(y, k)->flaeche),
                "point");
        break;
      case MASQUE_FLAECHE:
        Check(Count_Masque_Flaeche_Kanten(x) == Count_Masque_Flaeche_Kanten(y), "area edge count");
        for (int k = 0; k < Count_Masque_Flaeche_Kanten(x); ++k)
          Check(Get_Masque_Flaeche_Kante(x, k)->header.nummer == Get_Masque_Flaeche_Kante(y, k)->header.nummer, "area edge");
        break;
      case MASQUE_KREIS:
        Check(x->mittelpunkt->header.nummer == y->mittelpunkt->header.nummer && G6(x->radius) == G6(y->radius), "circle");
        break;
      default:
        Check(Count_Masque_Linien(x) == Count_Masque_Linien(y), "wall count");
        for (int k = 0; k < Count_Masque_Linien(x); ++k)
          Check(Get_Masque_Linie(x, k)->kante->header.nummer == Get_Masque_Linie(y, k)->kante->header.nummer &&
                    G6(Get_Masque_Linie(x, k)->dicke) == G6(Get_Masque_Linie(y, k)->dicke),
                "wall");
        break;
    }
  }
}

void Mask(FuzzedDataProvider &in) {
  MASQUE *a = Build_Mask(in);
  int rc;
  std::string text = Written_Text([&](FILE *f) { return Write_Masque_Querschnitt(f, a); }, &rc);
  if (rc == 0) {
    Check(text.empty(), "a refused mask wrote bytes");
  } else {
    FILE *f = Text_Stream(text);
    MASQUE *b = Read_Masque_Querschnitt(f);
    std::fclose(f);
    Check(b != nullptr, "a written mask does not read");
    Same_Mask(a, b);
    Check(Written_Text([&](FILE *g) { return Write_Masque_Querschnitt(g, b); }, &rc) == text && rc == 1,
          "a mask read back writes other bytes");
    Destroy_Masque_Querschnitt(b);
  }
  Destroy_Masque_Querschnitt(a);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  static const int once = (Set_Refresh_Mode(1), Set_Bauteil_Path("/nonexistent/fuzz"), 0);
  (void)once;
  FuzzedDataProvider in(data, size);
  switch (in.ConsumeIntegralInRange(0, 2)) {
    case 0: Member(in); break;
    case 1: Profile(in); break;
    default: Mask(in); break;
  }
  return 0;
}
