// Cross-section mask: object headers, creation, cloning, reference counting and
// destruction of every object kind, the typed lists of the mask, the built-in
// stress-strain lines and the bilinear steel law.
#include <array>
#include <cmath>
#include <cstring>

#include "analysis/masque_solve.h"

const MASQUE_OBJECT_TYPE MASQUE_TYPE_QUERSCHNITT = {"Querschnitt", "Q", 4};
const MASQUE_OBJECT_TYPE MASQUE_TYPE_GRUPPE = {"Querschnittsgruppe", "G", 3};
const MASQUE_OBJECT_TYPE MASQUE_TYPE_KANTE = {"Querschnittskante", "E", 2};
const MASQUE_OBJECT_TYPE MASQUE_TYPE_KNOTEN = {"Querschnittsknoten", "N", 1};
const MASQUE_OBJECT_TYPE MASQUE_TYPE_SPANNUNGSDEHNUNGSLINIE = {"Spannungsdehnungslinie", "M", 0};

// ======================================================================= headers

int Init_Masque_Object_Header(MASQUE_OBJECT_HEADER *object, const MASQUE_OBJECT_TYPE *descriptor, int id,
                              int refcount) {
  if (!object) return 0;
  object->descriptor = descriptor;
  object->id = id;
  object->nummer = 0;
  object->refcount = refcount;
  return 1;
}

int Copy_Masque_Object_Header(MASQUE_OBJECT_HEADER *object, const MASQUE_OBJECT_HEADER *header) {
  if (!object || !header) return 0;
  *object = *header;
  return 1;
}

int Set_Masque_Object_Nummer(MASQUE_OBJECT_HEADER *object, int nummer) {
  if (!object) return 0;
  object->nummer = nummer;
  return 1;
}

int Masque_Object_Ref(MASQUE_OBJECT_HEADER *object) {
  if (!object) return 0;
  ++object->refcount;
  return 1;
}

int Masque_Object_Unref(MASQUE_OBJECT_HEADER *object) {
  if (!object) return 0;
  --object->refcount;
  return 1;
}

int Get_Masque_Object_RefCount(const MASQUE_OBJECT_HEADER *object) { return object ? object->refcount : 0; }
int Get_Masque_Object_Id(const MASQUE_OBJECT_HEADER *object) { return object ? object->id : 0; }
int Get_Masque_Object_Nummer(const MASQUE_OBJECT_HEADER *object) { return object ? object->nummer : 0; }
const MASQUE_OBJECT_TYPE *Get_Masque_Object_Descriptor(const MASQUE_OBJECT_HEADER *object) {
  return object ? object->descriptor : nullptr;
}

// Reference helpers on typed objects that may be null.
template <class T>
static void _Ref(T *object) {
  if (object) Masque_Object_Ref(&object->header);
}
template <class T>
static void _Unref(T *object) {
  if (object) Masque_Object_Unref(&object->header);
}

// ======================================================================= mask

MASQUE *Create_Masque_Querschnitt(int id, int extra_size) {
  if (extra_size < 0) return nullptr;
  auto *mask = static_cast<MASQUE *>(MEM_CALLOC(1, sizeof(MASQUE) + static_cast<std::size_t>(extra_size)));
  if (!mask) return nullptr;
  Init_Masque_Object_Header(&mask->header, &MASQUE_TYPE_QUERSCHNITT, id, 0);
  mask->extra_size = extra_size;
  mask->flags = Get_Masque_Default_Flags();
  mask->knoten = PtrArr_Create(0);
  mask->kanten = PtrArr_Create(0);
  mask->linien = PtrArr_Create(0);
  mask->gruppen = PtrArr_Create(0);
  if (!mask->knoten || !mask->kanten || !mask->linien || !mask->gruppen) {
    // The mask never reached its caller: it goes, whatever its keep bit says.
    Destroy_Masque_Querschnitt(mask);
    return nullptr;
  }
  return mask;
}

void Release_Masque_Querschnitt(MASQUE *mask) {
  if (!mask || (mask->flags & MASQUE_KEEP)) return;
  Destroy_Masque_Querschnitt(mask);
}

template <class T>
static void _Destroy_Array(PTRARR *array, void (*destroy)(T *)) {
  if (!array) return;
  for (int i = 0; i < PtrArr_Count(array); ++i) {
    if (auto *object = static_cast<T *>(PtrArr_Get(array, i))) destroy(object);
  }
  PtrArr_Destroy(array);
}

void Destroy_Masque_Querschnitt(MASQUE *mask) {
  if (!mask) return;
  Forget_Masque_Auswertung_Masque(mask);  // the evaluation interface may hold it
  _Destroy_Array<MASQUE_GRUPPE>(mask->gruppen, Destroy_Masque_Gruppe);
  // Lines may refer to each other in any order: drop every such reference before the
  // first line is freed, so that no count is written into a freed line.
  if (mask->linien) {
    for (int i = 0; i < PtrArr_Count(mask->linien); ++i) {
      auto *line = static_cast<SPANNUNGSDEHNUNGSLINIE *>(PtrArr_Get(mask->linien, i));
      if (line && line->extern_linie) {
        _Unref(line->extern_linie);
        line->extern_linie = nullptr;
      }
    }
  }
  _Destroy_Array<SPANNUNGSDEHNUNGSLINIE>(mask->linien, Destroy_Masque_Spannungsdehnungslinie);
  _Destroy_Array<MASQUE_KANTE>(mask->kanten, Destroy_Masque_Kante);
  _Destroy_Array<MASQUE_KNOTEN>(mask->knoten, Destroy_Masque_Knoten);
  MEM_FREE(mask->hull);
  MEM_FREE(mask);
}

void *Get_Masque_Extra(MASQUE *mask) {
  if (!mask || mask->extra_size <= 0) return nullptr;
  return reinterpret_cast<char *>(mask) + sizeof(MASQUE);
}

// ======================================================================= nodes, edges

MASQUE_KNOTEN *Create_Masque_Knoten(int id, double y, double z) {
  auto *node = static_cast<MASQUE_KNOTEN *>(MEM_CALLOC(1, sizeof(MASQUE_KNOTEN)));
  if (!node) return nullptr;
  Init_Masque_Object_Header(&node->header, &MASQUE_TYPE_KNOTEN, id, 0);
  node->y = node->y_lokal = y;
  node->z = node->z_lokal = z;
  return node;
}

void Destroy_Masque_Knoten(MASQUE_KNOTEN *node) { MEM_FREE(node); }

int Set_Masque_Knoten_Coords(MASQUE_KNOTEN *node, double y, double z) {
  if (!node) return 0;
  node->y = y;
  node->z = z;
  return 1;
}

MASQUE_KANTE *Create_Masque_Kante(int id, MASQUE_KNOTEN *anfang, MASQUE_KNOTEN *ende, double stich) {
  if (!anfang || !ende) return nullptr;
  auto *edge = static_cast<MASQUE_KANTE *>(MEM_CALLOC(1, sizeof(MASQUE_KANTE)));
  if (!edge) return nullptr;
  Init_Masque_Object_Header(&edge->header, &MASQUE_TYPE_KANTE, id, 0);
  edge->anfang = anfang;
  edge->ende = ende;
  _Ref(anfang);
  _Ref(ende);
  edge->stich = stich;
  edge->bogen = stich != 0.0 ? 1 : 0;
  return edge;
}

void Destroy_Masque_Kante(MASQUE_KANTE *edge) {
  if (!edge) return;
  _Unref(edge->anfang);
  _Unref(edge->ende);
  MEM_FREE(edge);
}

int Set_Masque_Kante_Stich(MASQUE_KANTE *edge, double stich) {
  if (!edge) return 0;
  edge->stich = stich;
  edge->bogen = stich != 0.0 ? 1 : 0;
  return 1;
}

// ======================================================================= stress-strain lines

SPANNUNGSDEHNUNGSLINIE *Create_Masque_Spannungsdehnungslinie(int id, unsigned typ, const char *name,
                                                             const double *params) {
  if (!params) return nullptr;
  auto *line = static_cast<SPANNUNGSDEHNUNGSLINIE *>(MEM_CALLOC(1, sizeof(SPANNUNGSDEHNUNGSLINIE)));
  if (!line) return nullptr;
  if (name) {
    line->name = MEM_STRDUP(name);
    if (!line->name) {
      MEM_FREE(line);
      return nullptr;
    }
  }
  Init_Masque_Object_Header(&line->header, &MASQUE_TYPE_SPANNUNGSDEHNUNGSLINIE, id, 0);
  line->typ = typ;
  std::memcpy(line->param, params, sizeof line->param);
  line->extern_faktor = -1.0;
  return line;
}

SPANNUNGSDEHNUNGSLINIE *Clone_Masque_Spannungsdehnungslinie(const SPANNUNGSDEHNUNGSLINIE *line) {
  if (!line) return nullptr;
  auto *clone = static_cast<SPANNUNGSDEHNUNGSLINIE *>(MEM_MALLOC(sizeof(SPANNUNGSDEHNUNGSLINIE)));
  if (!clone) return nullptr;
  *clone = *line;
  clone->name = nullptr;
  if (line->name) {
    clone->name = MEM_STRDUP(line->name);
    if (!clone->name) {
      MEM_FREE(clone);
      return nullptr;
    }
  }
  // The clone is a new object: no mask has numbered it and nothing refers to it yet.
  clone->header.nummer = 0;
  clone->header.refcount = 0;
  _Ref(clone->extern_linie);
  return clone;
}

int Copy_Masque_Spannungsdehnungslinie(SPANNUNGSDEHNUNGSLINIE *target, const SPANNUNGSDEHNUNGSLINIE *source) {
  if (!target || !source) return 0;
  if (target == source) return 1;
  char *name = nullptr;
  if (source->name) {
    name = MEM_STRDUP(source->name);
    if (!name) return 0;
  }
  MEM_FREE(target->name);
  target->name = name;
  target->typ = source->typ;
  std::memcpy(target->param, source->param, sizeof target->param);
  // Take the new reference before dropping the old one: both may be the same line.
  _Ref(source->extern_linie);
  _Unref(target->extern_linie);
  target->extern_linie = source->extern_linie;
  target->extern_faktor = source->extern_faktor;
  target->extern_nummer = source->extern_nummer;
  return 1;
}

int Set_Masque_Spannungsdehnungslinie_Params(MASQUE *mask, SPANNUNGSDEHNUNGSLINIE *line, const double *params) {
  if (!line || !params) return 0;
  std::memmove(line->param, params, sizeof line->param);
  // The limits record is built from the same parameters.
  if (mask) mask->flags &= ~(MASQUE_SDL_PREPARED | MASQUE_LIMITS_GUELTIG);
  return 1;
}

int Set_Masque_Spannungsdehnungslinie_Extern(SPANNUNGSDEHNUNGSLINIE *line, SPANNUNGSDEHNUNGSLINIE *referenced,
                                             double faktor) {
  if (!line) return 0;
  if (referenced == line) return 0;  // a line cannot stand for itself
  _Ref(referenced);
  _Unref(line->extern_linie);
  line->extern_linie = referenced;
  line->extern_nummer = referenced ? referenced->header.nummer : 0;
  line->extern_faktor = faktor;
  return 1;
}

void Destroy_Masque_Spannungsdehnungslinie(SPANNUNGSDEHNUNGSLINIE *line) {
  if (!line) return;
  MEM_FREE(line->name);
  _Unref(line->extern_linie);
  MEM_FREE(line);
}

namespace {
// One row of the built-in table. Concrete: design strengths of the DIN 1045 classes B15 to
// B55 (and of the C classes mapped onto them), with the parabola-rectangle parameters
// (strain at the peak, ultimate strain, exponent) of DIN 1045-1:2001 Table 9 for C55/67 and
// above. Reinforcing steel: DIN 488 grades, bilinear (kink at fy/E with E = 210000 N/mm²).
struct BuiltinRow {
  const char *name;
  int id;
  unsigned typ;
  double betaD, betaZ, epsD, epsZ, epsu, exponent, steigung;
};

constexpr BuiltinRow kBuiltinRows[] = {
    {"B15", -15, 0x8001, 10500, 10500, -2, 0, -3.5, 2, 0},
    {"B25", -25, 0x8001, 17500, 17500, -2, 0, -3.5, 2, 0},
    {"B35", -35, 0x8001, 23000, 23000, -2, 0, -3.5, 2, 0},
    {"B45", -45, 0x8001, 27000, 27000, -2, 0, -3.5, 2, 0},
    {"B55", -55, 0x8001, 30000, 30000, -2, 0, -3.5, 2, 0},
    {"BSt 220/340", -220, 0x8002, 220000, 220000, -1.048, 1.048, 5, 1, 0},
    {"BSt 420 S", -420, 0x8002, 420000, 420000, -2, 2, 5, 1, 0},
    {"BSt 500 S", -500, 0x8002, 500000, 500000, -2.381, 2.381, 5, 1, 0},
    {"C12/15", -1215, 0x8001, 10500, 10500, -2, 0, -3.5, 2, 0},
    {"C16/20", -1620, 0x8001, 10500, 10500, -2, 0, -3.5, 2, 0},
    {"C20/25", -2025, 0x8001, 17500, 17500, -2, 0, -3.5, 2, 0},
    {"C25/30", -2530, 0x8001, 17500, 17500, -2, 0, -3.5, 2, 0},
    {"C30/37", -3037, 0x8001, 17500, 17500, -2, 0, -3.5, 2, 0},
    {"C35/45", -3545, 0x8001, 23000, 23000, -2, 0, -3.5, 2, 0},
    {"C40/50", -4050, 0x8001, 23000, 23000, -2, 0, -3.5, 2, 0},
    {"C45/55", -4555, 0x8001, 23000, 23000, -2, 0, -3.5, 2, 0},
    {"C50/60", -5060, 0x8001, 27000, 27000, -2, 0, -3.5, 2, 0},
    {"C55/67", -5567, 0x8001, 27000, 27000, -2.03, 0, -3.1, 2, 0},
    {"C60/75", -6075, 0x8001, 30000, 30000, -2.06, 0, -2.7, 1.9, 0},
    {"C70/85", -7085, 0x8001, 30000, 30000, -2.1, 0, -2.5, 1.8, 0},
    {"C80/95", -8095, 0x8001, 30000, 30000, -2.14, 0, -2.4, 1.7, 0},
    {"C90/105", -90105, 0x8001, 30000, 30000, -2.17, 0, -2.3, 1.6, 0},
    {"C100/115", -100115, 0x8001, 30000, 30000, -2.2, 0, -2.2, 1.55, 0},
    {"BSt 500 SA", -5001, 0x8002, 500000, 500000, -2.5, 2.5, 25, 1, 0},
    {"BSt 500 SB", -5002, 0x8002, 500000, 500000, -2.5, 2.5, 25, 1, 0},
};
constexpr int kBuiltinCount = static_cast<int>(sizeof kBuiltinRows / sizeof kBuiltinRows[0]);

// The complete, immutable line records of the table, built once on first use.
const std::array<SPANNUNGSDEHNUNGSLINIE, kBuiltinCount> &_Builtin_Lines() {
  static const std::array<SPANNUNGSDEHNUNGSLINIE, kBuiltinCount> lines = [] {
    std::array<SPANNUNGSDEHNUNGSLINIE, kBuiltinCount> out{};
    for (int i = 0; i < kBuiltinCount; ++i) {
      const BuiltinRow &r = kBuiltinRows[i];
      SPANNUNGSDEHNUNGSLINIE &l = out[i];
      l.header = {&MASQUE_TYPE_SPANNUNGSDEHNUNGSLINIE, r.id, 0, 1};
      l.typ = r.typ;
      l.name = const_cast<char *>(r.name);  // never written: the records are const
      l.param[SDL_BETA_D] = r.betaD;
      l.param[SDL_BETA_Z] = r.betaZ;
      l.param[SDL_EPS_D] = r.epsD;
      l.param[SDL_EPS_Z] = r.epsZ;
      l.param[SDL_EPS_U] = r.epsu;
      l.param[SDL_EXPONENT] = r.exponent;
      l.param[SDL_STEIGUNG] = r.steigung;
      l.extern_faktor = -1.0;
    }
    return out;
  }();
  return lines;
}
}  // namespace

const SPANNUNGSDEHNUNGSLINIE *Find_Builtin_Spannungsdehnungslinie(const char *name) {
  if (!name) return nullptr;
  for (const SPANNUNGSDEHNUNGSLINIE &line : _Builtin_Lines()) {
    if (std::strcmp(line.name, name) == 0) return &line;
  }
  return nullptr;
}

const SPANNUNGSDEHNUNGSLINIE *Get_Builtin_Spannungsdehnungslinie(const char *name) {
  return Find_Builtin_Spannungsdehnungslinie(name);
}

int Count_Builtin_Spannungsdehnungslinien() { return kBuiltinCount; }

int Fill_Stahl_Spannungsdehnungslinie(double E, double fy, double epsu, double steigung, double *block) {
  if (!block) return 0;
  for (int i = 0; i < SDL_PARAMETER; ++i) block[i] = 0.0;
  if (!(epsu > 0.0)) epsu = 150.0;
  const double F = 1000.0 * fy;  // N/mm² → kN/m²
  // A modulus too low to reach fy within epsu is raised so that the line reaches fy at epsu.
  if (F > epsu * E) E = F / epsu;
  if (!(E > 0.0) || !std::isfinite(E) || !std::isfinite(F)) return 0;
  double s = steigung > 0.0 ? steigung : 0.0;
  if (steigung >= 0.9999 * E) s = 0.9999 * E;
  // A slope above the secant F / epsu cannot reach F at epsu from a positive kink (the
  // strengths would turn negative): the law becomes the straight secant instead.
  if (s > F / epsu) s = F / epsu;
  const double k = (F - epsu * s) / (E - s);  // kink strain, ‰
  block[SDL_BETA_D] = E * k;
  block[SDL_BETA_Z] = E * k;
  block[SDL_EPS_D] = -k;
  block[SDL_EPS_Z] = k;
  block[SDL_EPS_U] = epsu;
  block[SDL_EXPONENT] = 1.0;
  block[SDL_STEIGUNG] = s;
  return 1;
}

// ======================================================================= groups

static MASQUE_GRUPPE *_Create_Gruppe(int id, int typ, SPANNUNGSDEHNUNGSLINIE *line) {
  if (!line) return nullptr;
  auto *group = static_cast<MASQUE_GRUPPE *>(MEM_CALLOC(1, sizeof(MASQUE_GRUPPE)));
  if (!group) return nullptr;
  Init_Masque_Object_Header(&group->header, &MASQUE_TYPE_GRUPPE, id, 0);
  group->typ = typ;
  group->gewicht = {0, 1.0};
  if (typ != MASQUE_KREIS) {
    group->elemente = PtrArr_Create(0);
    if (!group->elemente) {
      MEM_FREE(group);
      return nullptr;
    }
  }
  group->linie = line;
  _Ref(line);
  return group;
}

MASQUE_GRUPPE *Create_Masque_Punktgruppe(int id, SPANNUNGSDEHNUNGSLINIE *line) {
  return _Create_Gruppe(id, MASQUE_PUNKTGRUPPE, line);
}
MASQUE_GRUPPE *Create_Masque_Flaeche(int id, SPANNUNGSDEHNUNGSLINIE *line) {
  return _Create_Gruppe(id, MASQUE_FLAECHE, line);
}
MASQUE_GRUPPE *Create_Masque_Liniengruppe(int id, SPANNUNGSDEHNUNGSLINIE *line) {
  return _Create_Gruppe(id, MASQUE_LINIENGRUPPE, line);
}

MASQUE_GRUPPE *Create_Masque_Kreis(int id, SPANNUNGSDEHNUNGSLINIE *line, MASQUE_KNOTEN *mittelpunkt, double radius) {
  if (!line || !mittelpunkt) return nullptr;
  MASQUE_GRUPPE *group = _Create_Gruppe(id, MASQUE_KREIS, line);
  if (!group) return nullptr;
  group->mittelpunkt = mittelpunkt;
  _Ref(mittelpunkt);
  group->radius = radius;
  return group;
}

void Destroy_Masque_Gruppe(MASQUE_GRUPPE *group) {
  if (!group) return;
  PTRARR *elements = group->elemente;
  const int n = elements ? PtrArr_Count(elements) : 0;
  switch (group->typ) {
    case MASQUE_FLAECHE:
      for (int i = 0; i < n; ++i) _Unref(static_cast<MASQUE_KANTE *>(PtrArr_Get(elements, i)));
      break;
    case MASQUE_PUNKTGRUPPE:
      for (int i = 0; i < n; ++i) {
        auto *e = static_cast<MASQUE_PUNKT *>(PtrArr_Get(elements, i));
        if (!e) continue;
        _Unref(e->knoten);
        MEM_FREE(e);
      }
      break;
    case MASQUE_LINIENGRUPPE:
      for (int i = 0; i < n; ++i) {
        auto *e = static_cast<MASQUE_LINIE *>(PtrArr_Get(elements, i));
        if (!e) continue;
        _Unref(e->kante);
        MEM_FREE(e);
      }
      break;
    case MASQUE_KREIS:
      _Unref(group->mittelpunkt);
      break;
    default:
      break;
  }
  if (elements) PtrArr_Destroy(elements);
  _Unref(group->linie);
  MEM_FREE(group);
}

int Set_Masque_Gruppe_Linie(MASQUE_GRUPPE *group, SPANNUNGSDEHNUNGSLINIE *line) {
  if (!group) return 0;
  if (group->linie == line) return 1;
  _Ref(line);
  _Unref(group->linie);
  group->linie = line;
  return 1;
}

// Appends an item to a group's element array; 1 when it now stands at the end.
static int _Append(PTRARR *array, void *item) {
  if (!array) return 0;
  const int index = PtrArr_Count(array);
  PtrArr_Set(array, index, item);
  return PtrArr_Get(array, index) == item ? 1 : 0;
}

static bool _Is(const MASQUE_GRUPPE *group, int typ) { return group && group->typ == typ && group->elemente; }

MASQUE_PUNKT *Add_Masque_Punkt(MASQUE_GRUPPE *group, MASQUE_KNOTEN *node, double flaeche) {
  if (!_Is(group, MASQUE_PUNKTGRUPPE) || !node) return nullptr;
  auto *e = static_cast<MASQUE_PUNKT *>(MEM_MALLOC(sizeof(MASQUE_PUNKT)));
  if (!e) return nullptr;
  *e = {node, flaeche};
  if (!_Append(group->elemente, e)) {
    MEM_FREE(e);
    return nullptr;
  }
  _Ref(node);
  return e;
}

int Count_Masque_Punkte(const MASQUE_GRUPPE *group) {
  return _Is(group, MASQUE_PUNKTGRUPPE) ? PtrArr_Count(group->elemente) : 0;
}

MASQUE_PUNKT *Get_Masque_Punkt(const MASQUE_GRUPPE *group, int index) {
  return _Is(group, MASQUE_PUNKTGRUPPE) ? static_cast<MASQUE_PUNKT *>(PtrArr_Get(group->elemente, index)) : nullptr;
}

int Set_Masque_Punkt_Flaeche(MASQUE_PUNKT *element, double flaeche) {
  if (!element) return 0;
  element->flaeche = flaeche;
  return 1;
}

int Set_Masque_Punkt_Flaeche(MASQUE_LINIE *element, double dicke) {
  if (!element) return 0;
  element->dicke = dicke;
  return 1;
}

int Add_Kante_to_Masque_Flaeche(MASQUE_GRUPPE *group, MASQUE_KANTE *edge) {
  if (!_Is(group, MASQUE_FLAECHE) || !edge) return 0;
  if (!_Append(group->elemente, edge)) return 0;
  _Ref(edge);
  return 1;
}

int Count_Masque_Flaeche_Kanten(const MASQUE_GRUPPE *group) {
  return _Is(group, MASQUE_FLAECHE) ? PtrArr_Count(group->elemente) : 0;
}

MASQUE_KANTE *Get_Masque_Flaeche_Kante(const MASQUE_GRUPPE *group, int index) {
  return _Is(group, MASQUE_FLAECHE) ? static_cast<MASQUE_KANTE *>(PtrArr_Get(group->elemente, index)) : nullptr;
}

int Set_Masque_Kreis_Radius(MASQUE_GRUPPE *group, double radius) {
  if (!group || group->typ != MASQUE_KREIS) return 0;
  group->radius = radius;
  return 1;
}

MASQUE_LINIE *Add_Masque_Linie(MASQUE_GRUPPE *group, MASQUE_KANTE *edge, double dicke) {
  if (!_Is(group, MASQUE_LINIENGRUPPE) || !edge) return nullptr;
  auto *e = static_cast<MASQUE_LINIE *>(MEM_MALLOC(sizeof(MASQUE_LINIE)));
  if (!e) return nullptr;
  *e = {edge, dicke};
  if (!_Append(group->elemente, e)) {
    MEM_FREE(e);
    return nullptr;
  }
  _Ref(edge);
  return e;
}

int Count_Masque_Linien(const MASQUE_GRUPPE *group) {
  return _Is(group, MASQUE_LINIENGRUPPE) ? PtrArr_Count(group->elemente) : 0;
}

MASQUE_LINIE *Get_Masque_Linie(const MASQUE_GRUPPE *group, int index) {
  return _Is(group, MASQUE_LINIENGRUPPE) ? static_cast<MASQUE_LINIE *>(PtrArr_Get(group->elemente, index)) : nullptr;
}

// ======================================================================= lists of the mask
// The four families share these helpers; T is the object record, whose first member is
// its header.

// Derived data of the mask that a new or removed object of each kind makes stale.
constexpr unsigned kStaleKnoten = MASQUE_KNOTEN_GUELTIG | MASQUE_HULL_GUELTIG;
constexpr unsigned kStaleKante = MASQUE_HULL_GUELTIG;
constexpr unsigned kStaleLinie = MASQUE_LIMITS_GUELTIG | MASQUE_SDL_PREPARED | MASQUE_HULL_GUELTIG;
constexpr unsigned kStaleGruppe = MASQUE_VORDEHNUNG_GESCANNT | MASQUE_HULL_GUELTIG;

static int _Add_Object(MASQUE *mask, PTRARR *array, MASQUE_OBJECT_HEADER *header, void *object, unsigned stale) {
  if (!mask || !array || !object) return 0;
  mask->flags &= ~stale;
  // One counter numbers all four arrays, so running numbers are unique in the mask.
  if (header->nummer < 1) {
    header->nummer = ++mask->max_nummer;
  } else if (header->nummer > mask->max_nummer) {
    mask->max_nummer = header->nummer;
  }
  return _Append(array, object);
}

template <class T>
static T *_Remove_Object(MASQUE *mask, PTRARR *array, int index, unsigned stale) {
  auto *object = static_cast<T *>(PtrArr_Get(array, index));
  if (!object) return nullptr;
  // An object that others still use would leave them pointing into a freed record.
  if (object->header.refcount > 0) return nullptr;
  mask->flags &= ~stale;
  return static_cast<T *>(PtrArr_Remove(array, index));
}

template <class T>
static int _Index_of(const PTRARR *array, const T *object) {
  if (!array || !object) return -1;
  for (int i = 0; i < PtrArr_Count(array); ++i) {
    if (PtrArr_Get(array, i) == object) return i;
  }
  return -1;
}

static int _Match_Id(const void *item, const void *key) {
  return item && static_cast<const MASQUE_OBJECT_HEADER *>(item)->id == *static_cast<const int *>(key);
}
static int _Match_Nummer(const void *item, const void *key) {
  return item && static_cast<const MASQUE_OBJECT_HEADER *>(item)->nummer == *static_cast<const int *>(key);
}

static void *_Find(const PTRARR *array, int key, int (*match)(const void *, const void *)) {
  if (!array) return nullptr;
  int index = 0;
  return PtrArr_Find(array, &key, match, &index);
}

#define MASQUE_LIST_FAMILY(TYPE, ARRAY, STALE, ADD, REMOVE, COUNT, INDEX, GET, BY_ID, BY_NR)           \
  int ADD(MASQUE *mask, TYPE *object) {                                                              \
    if (!mask || !object) return 0;                                                                  \
    return _Add_Object(mask, mask->ARRAY, &object->header, object, STALE);                           \
  }                                                                                                  \
  TYPE *REMOVE(MASQUE *mask, int index) {                                                            \
    return mask ? _Remove_Object<TYPE>(mask, mask->ARRAY, index, STALE) : nullptr;                   \
  }                                                                                                  \
  int COUNT(const MASQUE *mask) { return mask && mask->ARRAY ? PtrArr_Count(mask->ARRAY) : 0; }       \
  int INDEX(const MASQUE *mask, const TYPE *object) { return mask ? _Index_of(mask->ARRAY, object) : -1; } \
  TYPE *GET(const MASQUE *mask, int index) {                                                         \
    return mask && mask->ARRAY ? static_cast<TYPE *>(PtrArr_Get(mask->ARRAY, index)) : nullptr;      \
  }                                                                                                  \
  TYPE *BY_ID(const MASQUE *mask, int id) {                                                          \
    return mask ? static_cast<TYPE *>(_Find(mask->ARRAY, id, _Match_Id)) : nullptr;                  \
  }                                                                                                  \
  TYPE *BY_NR(const MASQUE *mask, int nummer) {                                                      \
    return mask ? static_cast<TYPE *>(_Find(mask->ARRAY, nummer, _Match_Nummer)) : nullptr;          \
  }

MASQUE_LIST_FAMILY(MASQUE_KNOTEN, knoten, kStaleKnoten, Add_Masque_Knoten, Remove_Masque_Knoten, Count_Masque_Knoten,
                   Index_of_Masque_Knoten, Get_Masque_Knoten, Find_Masque_Knoten_by_Id,
                   Find_Masque_Knoten_by_Nummer)
MASQUE_LIST_FAMILY(MASQUE_KANTE, kanten, kStaleKante, Add_Masque_Kante, Remove_Masque_Kante, Count_Masque_Kanten,
                   Index_of_Masque_Kante, Get_Masque_Kante, Find_Masque_Kante_by_Id, Find_Masque_Kante_by_Nummer)
MASQUE_LIST_FAMILY(SPANNUNGSDEHNUNGSLINIE, linien, kStaleLinie, Add_Masque_Spannungsdehnungslinie,
                   Remove_Masque_Spannungsdehnungslinie, Count_Masque_Spannungsdehnungslinien,
                   Index_of_Masque_Spannungsdehnungslinie, Get_Masque_Spannungsdehnungslinie,
                   Find_Masque_Spannungsdehnungslinie_by_Id, Find_Masque_Spannungsdehnungslinie_by_Nummer)
MASQUE_LIST_FAMILY(MASQUE_GRUPPE, gruppen, kStaleGruppe, Add_Masque_Gruppe, Remove_Masque_Gruppe, Count_Masque_Gruppen,
                   Index_of_Masque_Gruppe, Get_Masque_Gruppe, Find_Masque_Gruppe_by_Id, Find_Masque_Gruppe_by_Nummer)

#undef MASQUE_LIST_FAMILY
