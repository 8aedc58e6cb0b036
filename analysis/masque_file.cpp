// Cross-section mask: the mask description file (a text stream of nodes, edges,
// stress-strain lines and groups, references between them as running numbers of objects
// written before them) and the readable dump of a mask.
//
// The reader reads nothing unbounded: tokens are short, a name is at most 127 bytes up
// to "»", every number is a finite double or a 32-bit int, counts reserve nothing in
// advance. The writer refuses, before its first byte, every mask its reader could not
// read back.
#include <algorithm>
#include <cerrno>
#include <climits>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <initializer_list>
#include <vector>

#include "analysis/masque.h"
#include "support/cp850.h"
#include "support/support.h"

namespace {

const char *const kAuf = "«"_cp;  // 0xAE
const char *const kZu = "»"_cp;   // 0xAF
constexpr int kMaxName = 127;
constexpr int kMaxToken = 63;

// ======================================================================= reading

// Next whitespace-separated token into buf; 0 at the end of the stream, for a token longer
// than kMaxToken bytes, and for a token that the end of the stream cuts: the writer ends
// every token with a blank or a line end, so "0.01" at the end is "0.012" cut.
int _Token(FILE *f, char *buf) {
  int c;
  do {
    c = std::fgetc(f);
  } while (c != EOF && (c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f'));
  if (c == EOF) return 0;
  int n = 0;
  while (c != EOF && !(c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f')) {
    if (n == kMaxToken) return 0;
    buf[n++] = static_cast<char>(c);
    c = std::fgetc(f);
  }
  if (c == EOF) return 0;
  buf[n] = '\0';
  return 1;
}

// A 32-bit int; base 0 reads like "%i" (0x prefix hexadecimal), base 10 like "%d".
int _Int(FILE *f, int *out, int base = 10) {
  char buf[kMaxToken + 1];
  if (!_Token(f, buf)) return 0;
  char *end = nullptr;
  errno = 0;
  const long long v = std::strtoll(buf, &end, base);
  if (errno || end == buf || *end || v < INT_MIN || v > INT_MAX) return 0;
  *out = static_cast<int>(v);
  return 1;
}

// A type word read like "%i": any 32-bit pattern, written as a signed or unsigned number.
int _Typ(FILE *f, unsigned *out) {
  char buf[kMaxToken + 1];
  if (!_Token(f, buf)) return 0;
  char *end = nullptr;
  errno = 0;
  const long long v = std::strtoll(buf, &end, 0);
  if (errno || end == buf || *end || v < INT_MIN || v > static_cast<long long>(UINT_MAX)) return 0;
  *out = static_cast<unsigned>(v);
  return 1;
}

int _Double(FILE *f, double *out) {
  char buf[kMaxToken + 1];
  if (!_Token(f, buf)) return 0;
  char *end = nullptr;
  const double v = std::strtod(buf, &end);
  if (end == buf || *end || !std::isfinite(v)) return 0;
  *out = v;
  return 1;
}

// " «name»": at most kMaxName bytes without "»" and NUL; "«»" is the empty name.
int _Name(FILE *f, char *buf) {
  int c;
  do {
    c = std::fgetc(f);
  } while (c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f');
  if (c != static_cast<unsigned char>(kAuf[0])) return 0;
  int n = 0;
  for (;;) {
    c = std::fgetc(f);
    if (c == EOF || c == '\0') return 0;
    if (c == static_cast<unsigned char>(kZu[0])) break;
    if (n == kMaxName) return 0;
    buf[n++] = static_cast<char>(c);
  }
  buf[n] = '\0';
  return 1;
}

// True when a positive running number is already taken by an object of the mask.
bool _Nummer_Taken(const MASQUE *mask, int nummer) {
  if (nummer < 1) return false;
  return Find_Masque_Knoten_by_Nummer(mask, nummer) || Find_Masque_Kante_by_Nummer(mask, nummer) ||
         Find_Masque_Spannungsdehnungslinie_by_Nummer(mask, nummer) || Find_Masque_Gruppe_by_Nummer(mask, nummer);
}

// Header of an object about to be added to the mask: the tag and a running number that
// no object of the mask has yet.
int _Read_Header(FILE *f, const MASQUE *mask, const MASQUE_OBJECT_TYPE *type, MASQUE_OBJECT_HEADER *h) {
  if (!Read_Masque_Object_Header(f, type, h)) return 0;
  return mask && _Nummer_Taken(mask, h->nummer) ? 0 : 1;
}

// ======================================================================= writing

bool _Name_Writable(const char *name) {
  if (!name) return true;
  const std::size_t n = std::strlen(name);
  return n <= static_cast<std::size_t>(kMaxName) && !std::strchr(name, kZu[0]);
}

// The reference factor is written " %lf": its text must stay a token the reader takes.
bool _Factor_Writable(double v) {
  char buf[512];
  return std::isfinite(v) && std::snprintf(buf, sizeof buf, "%lf", v) <= kMaxToken;
}

// A group weight or initial strain plane other than the one of a new group: the file
// has no place for it, and the mask read back would compute otherwise.
bool _Group_Extras_Default(const MASQUE_GRUPPE *g) {
  const MASQUE_VORDEHNUNG &v = g->vordehnung;
  return g->gewicht.flags == 0 && g->gewicht.gewicht == 1.0 && v.a == 0.0 && v.b == 0.0 && v.c == 0.0 &&
         v.flags == 0;
}

// Every check the reader makes, done before the first byte is written.
bool _Writable(const MASQUE *mask) {
  const int nk = Count_Masque_Knoten(mask), ne = Count_Masque_Kanten(mask);
  const int nl = Count_Masque_Spannungsdehnungslinien(mask), ng = Count_Masque_Gruppen(mask);
  for (int i = 0; i < nk; ++i) {
    const MASQUE_KNOTEN *n = Get_Masque_Knoten(mask, i);
    if (!n || !All_Finite({n->y, n->z})) return false;
  }
  for (int i = 0; i < ne; ++i) {
    const MASQUE_KANTE *e = Get_Masque_Kante(mask, i);
    if (!e || !All_Finite({e->stich})) return false;
  }
  for (int i = 0; i < nl; ++i)
    if (!Get_Masque_Spannungsdehnungslinie(mask, i)) return false;
  for (int i = 0; i < ng; ++i)
    if (!Get_Masque_Gruppe(mask, i)) return false;
  // Running numbers: positive and unique in the mask (the reader resolves by them).
  std::vector<int> numbers;
  for (int i = 0; i < nk; ++i) numbers.push_back(Get_Masque_Knoten(mask, i)->header.nummer);
  for (int i = 0; i < ne; ++i) numbers.push_back(Get_Masque_Kante(mask, i)->header.nummer);
  for (int i = 0; i < nl; ++i) numbers.push_back(Get_Masque_Spannungsdehnungslinie(mask, i)->header.nummer);
  for (int i = 0; i < ng; ++i) numbers.push_back(Get_Masque_Gruppe(mask, i)->header.nummer);
  std::sort(numbers.begin(), numbers.end());
  if (!numbers.empty() && numbers.front() < 1) return false;
  if (std::adjacent_find(numbers.begin(), numbers.end()) != numbers.end()) return false;
  for (int i = 0; i < ne; ++i) {
    const MASQUE_KANTE *e = Get_Masque_Kante(mask, i);
    if (Index_of_Masque_Knoten(mask, e->anfang) < 0 ||
        Index_of_Masque_Knoten(mask, e->ende) < 0)
      return false;
  }
  for (int i = 0; i < nl; ++i) {
    const SPANNUNGSDEHNUNGSLINIE *l = Get_Masque_Spannungsdehnungslinie(mask, i);
    if (!_Name_Writable(l->name)) return false;
    if (!(l->typ & SDL_TYP_BUILTIN))
      for (double v : l->param)
        if (!std::isfinite(v)) return false;
    if (l->extern_linie) {
      if (!_Factor_Writable(l->extern_faktor)) return false;
      // A referenced line must stand before the line: the reader resolves backwards only.
      const int k = Index_of_Masque_Spannungsdehnungslinie(mask, l->extern_linie);
      if (k < 0 || k >= i) return false;
    }
    if (l->typ & SDL_TYP_BUILTIN) {
      // A built-in line is written by its name: it must be in the table, with the table's
      // parameters (others would come back as the table's).
      const SPANNUNGSDEHNUNGSLINIE *b = Get_Builtin_Spannungsdehnungslinie(l->name ? l->name : "???");
      if (!b) return false;
      for (int k = 0; k < SDL_PARAMETER; ++k)
        if (!(l->param[k] == b->param[k])) return false;
    }
  }
  for (int i = 0; i < ng; ++i) {
    const MASQUE_GRUPPE *g = Get_Masque_Gruppe(mask, i);
    if (Index_of_Masque_Spannungsdehnungslinie(mask, g->linie) < 0 || !_Group_Extras_Default(g)) return false;
    switch (g->typ) {
      case MASQUE_FLAECHE:
        for (int k = 0; k < Count_Masque_Flaeche_Kanten(g); ++k)
          if (Index_of_Masque_Kante(mask, Get_Masque_Flaeche_Kante(g, k)) < 0) return false;
        break;
      case MASQUE_PUNKTGRUPPE:
        for (int k = 0; k < Count_Masque_Punkte(g); ++k) {
          const MASQUE_PUNKT *p = Get_Masque_Punkt(g, k);
          if (!p || Index_of_Masque_Knoten(mask, p->knoten) < 0 || !All_Finite({p->flaeche})) return false;
        }
        break;
      case MASQUE_KREIS:
        if (Index_of_Masque_Knoten(mask, g->mittelpunkt) < 0 || !All_Finite({g->radius})) return false;
        break;
      case MASQUE_LINIENGRUPPE:
        for (int k = 0; k < Count_Masque_Linien(g); ++k) {
          const MASQUE_LINIE *l = Get_Masque_Linie(g, k);
          if (!l || Index_of_Masque_Kante(mask, l->kante) < 0 || !All_Finite({l->dicke})) return false;
        }
        break;
      default:
        return false;
    }
  }
  return true;
}

int _Dump_Header(FILE *f, const MASQUE_OBJECT_HEADER *h) {
  if (!h || !h->descriptor) return 0;
  return std::fprintf(f, " %s %d (%d, R%d)\n", h->descriptor->name, h->id, h->nummer, h->refcount) > 0;
}

}  // namespace

// ======================================================================= headers

int Write_Masque_Object_Header(FILE *f, const MASQUE_OBJECT_HEADER *object) {
  if (!f || !object || !object->descriptor) return 0;
  return std::fprintf(f, "%s %d %d\n", object->descriptor->tag, object->id, object->nummer) > 0;
}

int Read_Masque_Object_Header(FILE *f, const MASQUE_OBJECT_TYPE *expected, MASQUE_OBJECT_HEADER *header) {
  if (!f || !expected || !header) return 0;
  char tag[kMaxToken + 1];
  int id, nummer;
  if (!_Token(f, tag) || !_Int(f, &id) || !_Int(f, &nummer)) return 0;
  if (std::strcmp(tag, expected->tag) != 0) return 0;
  header->descriptor = expected;
  header->id = id;
  header->nummer = nummer;
  header->refcount = 0;
  return 1;
}

void Dump_Masque_Object_Header(FILE *f, const MASQUE_OBJECT_HEADER *object) {
  if (f) _Dump_Header(f, object);
}

// ======================================================================= objects

int Write_Masque_Knoten(FILE *f, const MASQUE_KNOTEN *node) {
  if (!f || !node) return 0;
  return Write_Masque_Object_Header(f, &node->header) && std::fprintf(f, "%.6g %.6g\n", node->y, node->z) > 0;
}

MASQUE_KNOTEN *Read_Masque_Knoten(FILE *f, MASQUE *mask) {
  if (!f || !mask) return nullptr;
  MASQUE_OBJECT_HEADER h;
  double y, z;
  if (!_Read_Header(f, mask, &MASQUE_TYPE_KNOTEN, &h) || !_Double(f, &y) || !_Double(f, &z)) return nullptr;
  MASQUE_KNOTEN *node = Create_Masque_Knoten(h.id, y, z);
  if (!node) return nullptr;
  node->header.nummer = h.nummer;
  if (!Add_Masque_Knoten(mask, node)) {
    Destroy_Masque_Knoten(node);
    return nullptr;
  }
  return node;
}

int Write_Masque_Kante(FILE *f, const MASQUE_KANTE *edge) {
  if (!f || !edge || !edge->anfang || !edge->ende) return 0;
  return Write_Masque_Object_Header(f, &edge->header) &&
         std::fprintf(f, "%d %d %d %.6g\n", edge->bogen, edge->anfang->header.nummer, edge->ende->header.nummer,
                      edge->stich) > 0;
}

MASQUE_KANTE *Read_Masque_Kante(FILE *f, MASQUE *mask) {
  if (!f || !mask) return nullptr;
  MASQUE_OBJECT_HEADER h;
  int bogen, a, b;
  double stich;
  if (!_Read_Header(f, mask, &MASQUE_TYPE_KANTE, &h) || !_Int(f, &bogen) || !_Int(f, &a) || !_Int(f, &b) ||
      !_Double(f, &stich))
    return nullptr;
  MASQUE_KNOTEN *na = Find_Masque_Knoten_by_Nummer(mask, a), *nb = Find_Masque_Knoten_by_Nummer(mask, b);
  if (!na || !nb) return nullptr;
  MASQUE_KANTE *edge = Create_Masque_Kante(h.id, na, nb, stich);
  if (!edge) return nullptr;
  edge->header.nummer = h.nummer;
  if (!Add_Masque_Kante(mask, edge)) {
    Destroy_Masque_Kante(edge);
    return nullptr;
  }
  return edge;
}

int Write_Masque_Spannungsdehnungslinie(FILE *f, const SPANNUNGSDEHNUNGSLINIE *line) {
  if (!f || !line || !_Name_Writable(line->name)) return 0;
  unsigned typ = line->typ & ~SDL_TYP_EXTERN;
  if (line->extern_linie) typ |= SDL_TYP_EXTERN;
  if (!Write_Masque_Object_Header(f, &line->header)) return 0;
  if (std::fprintf(f, "%d %s%s%s\n", static_cast<int>(typ), kAuf, line->name ? line->name : "???", kZu) <= 0)
    return 0;
  if (!(typ & SDL_TYP_BUILTIN)) {
    for (double v : line->param)
      if (std::fprintf(f, " %.6g", v) <= 0) return 0;
    if (std::fputc('\n', f) == EOF) return 0;
  }
  if (typ & SDL_TYP_EXTERN) {
    if (std::fprintf(f, " %lf %d\n", line->extern_faktor, line->extern_linie->header.nummer) <= 0) return 0;
  }
  return 1;
}

SPANNUNGSDEHNUNGSLINIE *Read_Masque_Spannungsdehnungslinie(FILE *f, MASQUE *mask) {
  if (!f || !mask) return nullptr;
  MASQUE_OBJECT_HEADER h;
  unsigned typ;
  char name[kMaxName + 1];
  if (!_Read_Header(f, mask, &MASQUE_TYPE_SPANNUNGSDEHNUNGSLINIE, &h) || !_Typ(f, &typ) || !_Name(f, name))
    return nullptr;
  double p[SDL_PARAMETER];
  if (typ & SDL_TYP_BUILTIN) {
    const SPANNUNGSDEHNUNGSLINIE *b = Get_Builtin_Spannungsdehnungslinie(name);
    if (!b) return nullptr;
    std::memcpy(p, b->param, sizeof p);
  } else {
    for (double &v : p)
      if (!_Double(f, &v)) return nullptr;
  }
  double faktor = -1.0;
  int ref = 0;
  if ((typ & SDL_TYP_EXTERN) && (!_Double(f, &faktor) || !_Int(f, &ref))) return nullptr;
  SPANNUNGSDEHNUNGSLINIE *referenced = nullptr;
  if (ref > 0) {
    referenced = Find_Masque_Spannungsdehnungslinie_by_Nummer(mask, ref);
    if (!referenced) return nullptr;
  }
  SPANNUNGSDEHNUNGSLINIE *line = Create_Masque_Spannungsdehnungslinie(h.id, typ & ~SDL_TYP_EXTERN, name, p);
  if (!line) return nullptr;
  line->header.nummer = h.nummer;
  if (typ & SDL_TYP_EXTERN) Set_Masque_Spannungsdehnungslinie_Extern(line, referenced, faktor);
  if (!Add_Masque_Spannungsdehnungslinie(mask, line)) {
    Destroy_Masque_Spannungsdehnungslinie(line);
    return nullptr;
  }
  return line;
}

int Write_Masque_Gruppe(FILE *f, const MASQUE_GRUPPE *group) {
  if (!f || !group || !group->linie || group->typ < 0 || group->typ > 3) return 0;
  if (!Write_Masque_Object_Header(f, &group->header)) return 0;
  if (std::fprintf(f, "%d %d\n", group->typ, group->linie->header.nummer) <= 0) return 0;
  switch (group->typ) {
    case MASQUE_FLAECHE: {
      const int n = Count_Masque_Flaeche_Kanten(group);
      if (std::fprintf(f, "%d\n", n) <= 0) return 0;
      for (int i = 0; i < n; ++i) {
        const MASQUE_KANTE *e = Get_Masque_Flaeche_Kante(group, i);
        if (!e || std::fprintf(f, "%d\n", e->header.nummer) <= 0) return 0;
      }
      return 1;
    }
    case MASQUE_PUNKTGRUPPE: {
      const int n = Count_Masque_Punkte(group);
      if (std::fprintf(f, "%d\n", n) <= 0) return 0;
      for (int i = 0; i < n; ++i) {
        const MASQUE_PUNKT *p = Get_Masque_Punkt(group, i);
        if (!p || !p->knoten || std::fprintf(f, "%d %.6g\n", p->knoten->header.nummer, p->flaeche) <= 0) return 0;
      }
      return 1;
    }
    case MASQUE_KREIS:
      if (!group->mittelpunkt) return 0;
      return std::fprintf(f, "%d %.6g\n", group->mittelpunkt->header.nummer, group->radius) > 0;
    default: {
      const int n = Count_Masque_Linien(group);
      if (std::fprintf(f, "%d\n", n) <= 0) return 0;
      for (int i = 0; i < n; ++i) {
        const MASQUE_LINIE *l = Get_Masque_Linie(group, i);
        if (!l || !l->kante || std::fprintf(f, "%d %.6g\n", l->kante->header.nummer, l->dicke) <= 0) return 0;
      }
      return 1;
    }
  }
}

MASQUE_GRUPPE *Read_Masque_Gruppe(FILE *f, MASQUE *mask) {
  if (!f || !mask) return nullptr;
  MASQUE_OBJECT_HEADER h;
  int typ, nr;
  if (!_Read_Header(f, mask, &MASQUE_TYPE_GRUPPE, &h) || !_Int(f, &typ) || !_Int(f, &nr)) return nullptr;
  SPANNUNGSDEHNUNGSLINIE *line = Find_Masque_Spannungsdehnungslinie_by_Nummer(mask, nr);
  if (!line) return nullptr;
  MASQUE_GRUPPE *group = nullptr;
  int n = 0;
  auto fail = [&]() -> MASQUE_GRUPPE * {
    Destroy_Masque_Gruppe(group);
    return nullptr;
  };
  switch (typ) {
    case MASQUE_FLAECHE:
      group = Create_Masque_Flaeche(h.id, line);
      if (!group || !_Int(f, &n)) return fail();
      for (int i = 0; i < n; ++i) {
        int k;
        if (!_Int(f, &k)) return fail();
        MASQUE_KANTE *e = Find_Masque_Kante_by_Nummer(mask, k);
        if (!e || !Add_Kante_to_Masque_Flaeche(group, e)) return fail();
      }
      break;
    case MASQUE_PUNKTGRUPPE:
      group = Create_Masque_Punktgruppe(h.id, line);
      if (!group || !_Int(f, &n)) return fail();
      for (int i = 0; i < n; ++i) {
        int k;
        double a;
        if (!_Int(f, &k) || !_Double(f, &a)) return fail();
        MASQUE_KNOTEN *node = Find_Masque_Knoten_by_Nummer(mask, k);
        if (!node || !Add_Masque_Punkt(group, node, a)) return fail();
      }
      break;
    case MASQUE_KREIS: {
      int k;
      double r;
      if (!_Int(f, &k) || !_Double(f, &r)) return nullptr;
      MASQUE_KNOTEN *node = Find_Masque_Knoten_by_Nummer(mask, k);
      if (!node) return nullptr;
      group = Create_Masque_Kreis(h.id, line, node, r);
      if (!group) return nullptr;
      break;
    }
    case MASQUE_LINIENGRUPPE:
      group = Create_Masque_Liniengruppe(h.id, line);
      if (!group || !_Int(f, &n)) return fail();
      for (int i = 0; i < n; ++i) {
        int k;
        double t;
        if (!_Int(f, &k) || !_Double(f, &t)) return fail();
        MASQUE_KANTE *e = Find_Masque_Kante_by_Nummer(mask, k);
        if (!e || !Add_Masque_Linie(group, e, t)) return fail();
      }
      break;
    default:
      return nullptr;
  }
  group->header.nummer = h.nummer;
  if (!Add_Masque_Gruppe(mask, group)) return fail();
  return group;
}

// ======================================================================= mask

int Write_Masque_Querschnitt(FILE *f, const MASQUE *mask) {
  if (!f || !mask || !_Writable(mask)) return 0;
  if (!Write_Masque_Object_Header(f, &mask->header)) return 0;
  const int nk = Count_Masque_Knoten(mask), ne = Count_Masque_Kanten(mask);
  const int nl = Count_Masque_Spannungsdehnungslinien(mask), ng = Count_Masque_Gruppen(mask);
  if (std::fprintf(f, "%d\n", nk) <= 0) return 0;
  for (int i = 0; i < nk; ++i)
    if (!Write_Masque_Knoten(f, Get_Masque_Knoten(mask, i))) return 0;
  if (std::fprintf(f, "%d\n", ne) <= 0) return 0;
  for (int i = 0; i < ne; ++i)
    if (!Write_Masque_Kante(f, Get_Masque_Kante(mask, i))) return 0;
  if (std::fprintf(f, "%d\n", nl) <= 0) return 0;
  for (int i = 0; i < nl; ++i)
    if (!Write_Masque_Spannungsdehnungslinie(f, Get_Masque_Spannungsdehnungslinie(mask, i))) return 0;
  if (std::fprintf(f, "%d\n", ng) <= 0) return 0;
  for (int i = 0; i < ng; ++i)
    if (!Write_Masque_Gruppe(f, Get_Masque_Gruppe(mask, i))) return 0;
  // A write that the buffer still holds fails only when it is flushed.
  return std::fflush(f) == 0 && !std::ferror(f) ? 1 : 0;
}

MASQUE *Read_Masque_Querschnitt(FILE *f) {
  if (!f) return nullptr;
  MASQUE *mask = Create_Masque_Querschnitt(0, 0);
  if (!mask) return nullptr;
  // A failed read destroys the partial mask whatever its keep bit: nobody holds it.
  auto fail = [&]() -> MASQUE * {
    Destroy_Masque_Querschnitt(mask);
    return nullptr;
  };
  MASQUE_OBJECT_HEADER h;
  if (!Read_Masque_Object_Header(f, &MASQUE_TYPE_QUERSCHNITT, &h)) return fail();
  mask->header.id = h.id;
  mask->header.nummer = h.nummer;
  int n;
  if (!_Int(f, &n)) return fail();
  for (int i = 0; i < n; ++i)
    if (!Read_Masque_Knoten(f, mask)) return fail();
  if (!_Int(f, &n)) return fail();
  for (int i = 0; i < n; ++i)
    if (!Read_Masque_Kante(f, mask)) return fail();
  if (!_Int(f, &n)) return fail();
  for (int i = 0; i < n; ++i)
    if (!Read_Masque_Spannungsdehnungslinie(f, mask)) return fail();
  if (!_Int(f, &n)) return fail();
  for (int i = 0; i < n; ++i)
    if (!Read_Masque_Gruppe(f, mask)) return fail();
  return mask;
}

// ======================================================================= dump

void Dump_Masque_Knoten(FILE *f, const MASQUE_KNOTEN *node) {
  if (!f || !node) return;
  _Dump_Header(f, &node->header);
  std::fprintf(f, "     y = %.6g, z = %.6g\n", node->y, node->z);
}

void Dump_Masque_Kante(FILE *f, const MASQUE_KANTE *edge) {
  if (!f || !edge) return;
  _Dump_Header(f, &edge->header);
  std::fprintf(f, "     type = %d, anf = %d, end = %d, stich = %.6g\n", edge->bogen, Get_Masque_Object_Id(&edge->anfang->header),
               Get_Masque_Object_Id(&edge->ende->header), edge->stich);
}

void Dump_Masque_Spannungsdehnungslinie(FILE *f, const SPANNUNGSDEHNUNGSLINIE *line) {
  if (!f || !line) return;
  _Dump_Header(f, &line->header);
  std::fprintf(f, "     typ = %d, fkt = %d (%s)\n", static_cast<int>(line->typ & 0x7fff),
               static_cast<int>(line->typ >> SDL_TYP_FUNKTION_SHIFT), (line->typ & SDL_TYP_BUILTIN) ? "extern" : "intern");
  std::fprintf(f, "     name = %s\n", line->name ? line->name : "???");
  static const char *const kText[8] = {
      "     betaD = %.6g (Druckfestigkeit in kN/m2)\n",
      "     betaZ = %.6g (Zugfestigkeit in kN/m2)\n",
      "     epsD = %.6g (Dehnung bei Erreichen der Druckfestigkeit in mm/m)\n",
      "     epsZ = %.6g (Dehnung bei Erreichen der Zugfestigkeit in mm/m)\n",
      "     epsu = %.6g (Grenzdehnung in mm/m)\n",
      "     epsV = %.6g (Vordehnung in mm/m)\n",
      "     exponent = %.6g (Exponent bis zum Erreichen der Rechenfestigkeit)\n",
      "     steigung = %.6g (Steigung ftd/fyk)\n"};
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wformat-nonliteral"
  for (int i = 0; i < 8; ++i) std::fprintf(f, kText[i], line->param[i]);
#pragma GCC diagnostic pop
}

void Dump_Masque_Gruppe(FILE *f, const MASQUE_GRUPPE *group) {
  if (!f || !group) return;
  _Dump_Header(f, &group->header);
  if (group->linie) _Dump_Header(f, &group->linie->header);
  switch (group->typ) {
    case MASQUE_FLAECHE:
      std::fprintf(f, " Querschnittsflaeche mit %d Kanten:\n", Count_Masque_Flaeche_Kanten(group));
      for (int i = 0; i < Count_Masque_Flaeche_Kanten(group); ++i) {
        const MASQUE_KANTE *e = Get_Masque_Flaeche_Kante(group, i);
        if (e) _Dump_Header(f, &e->header);
      }
      break;
    case MASQUE_PUNKTGRUPPE:
      std::fprintf(f, " Querschnittspunktgruppe mit %d Punkten:\n", Count_Masque_Punkte(group));
      for (int i = 0; i < Count_Masque_Punkte(group); ++i) {
        const MASQUE_PUNKT *p = Get_Masque_Punkt(group, i);
        if (!p || !p->knoten) continue;
        std::fprintf(f, " Flaeche %.6g bei ", p->flaeche);
        _Dump_Header(f, &p->knoten->header);
      }
      break;
    case MASQUE_KREIS:
      std::fprintf(f, " Querschnittskreis mit Radius %.6g und ", group->radius);
      if (group->mittelpunkt) _Dump_Header(f, &group->mittelpunkt->header);
      break;
    case MASQUE_LINIENGRUPPE:
      std::fprintf(f, " Querschnittsliniengruppe mit %d Linien:\n", Count_Masque_Linien(group));
      for (int i = 0; i < Count_Masque_Linien(group); ++i) {
        const MASQUE_LINIE *l = Get_Masque_Linie(group, i);
        if (!l || !l->kante) continue;
        std::fprintf(f, " Dicke %.6g bei ", l->dicke);
        _Dump_Header(f, &l->kante->header);
      }
      break;
    default:
      break;
  }
}

void Dump_Masque_Querschnitt(FILE *f, const MASQUE *mask) {
  if (!f || !mask) return;
  _Dump_Header(f, &mask->header);
  std::fprintf(f, " Groesste interne Elementnummer: %d\n", mask->max_nummer);
  std::fprintf(f, " *** %d Querschnittsknoten ***\n", Count_Masque_Knoten(mask));
  for (int i = 0; i < Count_Masque_Knoten(mask); ++i) Dump_Masque_Knoten(f, Get_Masque_Knoten(mask, i));
  std::fprintf(f, " *** %d Querschnittskanten ***\n", Count_Masque_Kanten(mask));
  for (int i = 0; i < Count_Masque_Kanten(mask); ++i) Dump_Masque_Kante(f, Get_Masque_Kante(mask, i));
  std::fprintf(f, " *** %d Spannungsdehnungslinien ***\n", Count_Masque_Spannungsdehnungslinien(mask));
  for (int i = 0; i < Count_Masque_Spannungsdehnungslinien(mask); ++i)
    Dump_Masque_Spannungsdehnungslinie(f, Get_Masque_Spannungsdehnungslinie(mask, i));
  std::fprintf(f, " *** %d Querschnittsgruppen ***\n", Count_Masque_Gruppen(mask));
  for (int i = 0; i < Count_Masque_Gruppen(mask); ++i) Dump_Masque_Gruppe(f, Get_Masque_Gruppe(mask, i));
}
