// analysis/masque.h — the cross-section mask: a section model of nodes, edges,
// stress-strain lines and groups on which the strain-plane integration and the
// limit-state solver work.
//
// Units: the mask itself is unit-agnostic in length, but every caller of this program
// builds its masks in METRES (the thin-walled solver hands its cm coordinates × 0.01);
// stresses in kN/m², strains in per mille (mm/m), curvatures in per mille per metre,
// angles in radians. Forces of an integration are then kN, kN·m and kN·m².
//
// Ownership: a mask owns every object in its four arrays and destroys them with itself.
// Objects are created free-standing (running number 0), then added to one mask. Reference
// counts record how many other objects use an object (edges on nodes; groups on lines,
// nodes and edges; lines on their referenced line); nothing is freed by them, but an
// object still referenced cannot be removed from its mask.
//
// Return values: 1 success, 0 failure; a null required argument gives 0 or null, index
// lookups −1. No function prints.
//
// Module state (process-wide, one thread, no lock; Reset_Masque_Module_For_Tests):
// the calculation mode word (bit 0x10000 switches the groups' initial strains on), the
// four result factors with their on/off switch, the line-plane factor, and the default
// flags word that new masks start with (0 in this program). The first change registers the
// reset with Host_Reset.
//
// Source files: xmasque.cpp (records, creation, reference counting, lists, built-in
// lines), masque_sdl.cpp (segment laws, strain planes, point stress, module state),
// masque_prepare.cpp (working form of a stress-strain line), masque_frame.cpp (frames,
// limits, options, initial strain planes of groups, update), masque_file.cpp (description
// file and dump).
#pragma once

#include "support/support.h"

// ======================================================================= objects

// Constant type descriptor of a mask object: long name, one-letter tag, type number.
struct MASQUE_OBJECT_TYPE {
  const char *name;
  const char *tag;
  int type;
};
extern const MASQUE_OBJECT_TYPE MASQUE_TYPE_QUERSCHNITT;             // "Querschnitt" "Q" 4
extern const MASQUE_OBJECT_TYPE MASQUE_TYPE_GRUPPE;                  // "Querschnittsgruppe" "G" 3
extern const MASQUE_OBJECT_TYPE MASQUE_TYPE_KANTE;                   // "Querschnittskante" "E" 2
extern const MASQUE_OBJECT_TYPE MASQUE_TYPE_KNOTEN;                  // "Querschnittsknoten" "N" 1
extern const MASQUE_OBJECT_TYPE MASQUE_TYPE_SPANNUNGSDEHNUNGSLINIE;  // "Spannungsdehnungslinie" "M" 0

// First member of every mask object.
struct MASQUE_OBJECT_HEADER {
  const MASQUE_OBJECT_TYPE *descriptor;
  int id;        // chosen by the caller
  int nummer;    // running number inside its mask; 0 until added
  int refcount;  // how many other objects use this one
};

// Node: section coordinates and the coordinates in the mask's local frame.
struct MASQUE_KNOTEN {
  MASQUE_OBJECT_HEADER header;
  double y, z;
  double y_lokal, z_lokal;  // set equal to y, z on creation; Transform_Masque_Knoten
};

// Edge between two nodes (one reference on each); an arc when the rise is not 0.
struct MASQUE_KANTE {
  MASQUE_OBJECT_HEADER header;
  int bogen;  // 1 when stich != 0
  MASQUE_KNOTEN *anfang;
  MASQUE_KNOTEN *ende;
  double stich;
};

// Strain plane, polar form: strain eps0 + kappa (y cos phi + z sin phi) in the frame;
// x3 is the multiple of every group's initial strain plane taken off the strain.
struct DEHNUNGSEBENE {
  double phi;
  double eps0;
  double kappa;
  double x3;
};

// The same plane in cartesian form: strain eps0 + b y + c z.
struct DEHNUNGSEBENE_KARTESISCH {
  double eps0;
  double b;
  double c;
  double x3;
};

// Segment kinds of a prepared stress-strain line: sigma = s0 + s1 f(xi),
// xi = (eps − lo) q; a negative kind carries nothing.
enum {
  SDL_KIND_NEUTRAL = -1,
  SDL_KIND_KONSTANT = 0,   // f = 0
  SDL_KIND_LINEAR = 1,     // f = xi
  SDL_KIND_PARABEL = 2,    // f = (2 − xi) xi
  SDL_KIND_POTENZ = 3,     // f = 1 − (1 − xi)^p, capped at xi = 1 (also every kind above 6)
  SDL_KIND_SARGIN = 4,     // f = (p − xi) xi / (1 + (p − 2) xi), capped
  SDL_KIND_KUBISCH = 5,    // f = 3 xi / (xi³ + 2), capped
  SDL_KIND_KREISBOGEN = 6  // f = 1 − sqrt(1 − xi²), capped
};

// One strain segment of a prepared line. A strain belongs to the first segment whose hi
// is at least the strain; the first segment also serves every strain below its lo.
struct SDL_ABSCHNITT {
  double lo;          // lower strain bound, origin of xi
  double hi;          // upper strain bound
  double sprung[2];   // stress and tangent jump at hi to the next segment (not read by
                      // the evaluation)
  double s0;          // stress offset
  double s1;          // stress scale
  double q;           // inverse width
  double p;           // curve parameter (exponent of kind 3, k of kind 4, p of kind 6)
  int kind;
};

constexpr int SDL_MAX_ABSCHNITTE = 10;

// Working form of a stress-strain line, rebuilt by the line preparation.
struct SDL_ARBEITSFORM {
  DEHNUNGSEBENE ebene;   // current plane: scratch space of the integration
  DEHNUNGSEBENE eigen;   // the line's own strain plane (angle, strain, curvature, unused)
  int anzahl;            // number of segments
  SDL_ABSCHNITT abschnitt[SDL_MAX_ABSCHNITTE];
};

// Indices of the ten parameters of a stress-strain line (a "parameter block" is ten
// doubles in this order).
enum {
  SDL_BETA_D = 0,     // compressive strength, kN/m²
  SDL_BETA_Z = 1,     // tensile strength, kN/m²
  SDL_EPS_D = 2,      // strain at the compressive strength, ‰
  SDL_EPS_Z = 3,      // strain at the tensile strength, ‰
  SDL_EPS_U = 4,      // limit strain, ‰
  SDL_EPS_V = 5,      // initial strain of the line's own plane, ‰
  SDL_EXPONENT = 6,   // exponent of the curve up to the design strength
  SDL_STEIGUNG = 7,   // slope after yield, kN/m² per ‰
  SDL_KRUEMMUNG = 8,  // curvature of the line's own plane
  SDL_WINKEL = 9,     // angle of the line's own plane, radians
  SDL_PARAMETER = 10
};

// Type word of a stress-strain line.
constexpr unsigned SDL_TYP_GESETZ = 0x7fff;     // law type: 1 compression-limited, 2 symmetric
constexpr unsigned SDL_TYP_BUILTIN = 0x8000;    // parameters from the built-in table
constexpr unsigned SDL_TYP_EXTERN = 0x800000;   // refers to another line (files only)
constexpr int SDL_TYP_FUNKTION_SHIFT = 24;      // bits 24-31: function number

// Largest single-precision value: stands for "no limit" in limits and bounds.
constexpr double MASQUE_NO_LIMIT = 3.4028234663852886e38;

struct SPANNUNGSDEHNUNGSLINIE {
  MASQUE_OBJECT_HEADER header;
  unsigned typ;
  char *name;                       // owned, or null
  double param[SDL_PARAMETER];
  SPANNUNGSDEHNUNGSLINIE *extern_linie;  // referenced line (one reference) or null
  double extern_faktor;             // −1.0 on creation
  int extern_nummer;                // running number of the referenced line
  SDL_ARBEITSFORM arbeitsform;
};

// Initial strain plane of a group: a + b y + c z, active with flag 0x10000.
constexpr unsigned MASQUE_VORDEHNUNG_AKTIV = 0x10000;
struct MASQUE_VORDEHNUNG {
  double a, b, c;
  unsigned flags;
  unsigned wort;  // not read
};

// Flag word (load-factor switch) and weight of a group.
struct MASQUE_GEWICHT {
  int flags;
  double gewicht;
};

// Group types.
enum { MASQUE_PUNKTGRUPPE = 0, MASQUE_FLAECHE = 1, MASQUE_KREIS = 2, MASQUE_LINIENGRUPPE = 3 };

// Element of a point group: a node (one reference) with its area.
struct MASQUE_PUNKT {
  MASQUE_KNOTEN *knoten;
  double flaeche;
};
// Element of a line group: an edge (one reference) with its wall thickness.
struct MASQUE_LINIE {
  MASQUE_KANTE *kante;
  double dicke;
};

struct MASQUE_GRUPPE {
  MASQUE_OBJECT_HEADER header;
  int typ;                        // MASQUE_PUNKTGRUPPE … MASQUE_LINIENGRUPPE
  SPANNUNGSDEHNUNGSLINIE *linie;  // one reference
  PTRARR *elemente;               // types 0, 1, 3: MASQUE_PUNKT*, MASQUE_KANTE*, MASQUE_LINIE*
  MASQUE_KNOTEN *mittelpunkt;     // type 2: centre node (one reference)
  double radius;                  // type 2
  MASQUE_GEWICHT gewicht;         // {0, 1.0} on creation
  MASQUE_VORDEHNUNG vordehnung;   // zero on creation
};

// Limits record of a mask (Calc_Masque_Limits).
struct MASQUE_LIMITS {
  double reserviert;  // 0
  double cmin;        // smallest −|epsu| of the compression-limited lines
  double cmax;        // largest epsD of the compression-limited lines
  double smin;        // smallest −|epsu| of the symmetric lines
  double smax;        // largest |epsu| of the symmetric lines
  double weitere[4];  // 0
};

// Calculation option block.
constexpr unsigned MASQUE_OPTION_WERT = 0x1;            // the option value applies
constexpr unsigned MASQUE_OPTION_NICHT_DRUCK = 0x2;     // … not to compression-limited lines
constexpr unsigned MASQUE_OPTION_NICHT_SYMM = 0x4;      // … not to symmetric lines
constexpr unsigned MASQUE_OPTION_OHNE_EIGEN = 0x1000;   // lines' own planes cleared
constexpr unsigned MASQUE_OPTION_VORDEHNUNG = 0x2000;   // groups' initial strains integrated
struct MASQUE_CALC_OPTIONS {
  unsigned flags;
  unsigned wort;
  double wert;
};

// Flags word of a mask.
constexpr unsigned MASQUE_KNOTEN_GUELTIG = 0x1;       // node local coordinates fit frame copy
constexpr unsigned MASQUE_LIMITS_GUELTIG = 0x2;       // limits record valid
constexpr unsigned MASQUE_SDL_PREPARED = 0x4;         // stress-strain lines prepared
constexpr unsigned MASQUE_HULL_GUELTIG = 0x800;       // hull cache valid for its angle
constexpr unsigned MASQUE_KEEP = 0x1000;              // Release does not destroy
constexpr unsigned MASQUE_EIGENDEHNUNG = 0x2000;      // some line has an own plane
constexpr unsigned MASQUE_MIT_EIGENDEHNUNG = 0x4000;  // hull/integration use own planes
constexpr unsigned MASQUE_HULL_LIMITS = 0x8000;       // limit planes from the convex hull
constexpr unsigned MASQUE_VORDEHNUNG_GESCANNT = 0x10000;
constexpr unsigned MASQUE_VORDEHNUNG_AKTIVE = 0x20000;
constexpr unsigned MASQUE_UPDATE_BITS = 0x10007;      // bits the update may be asked to clear

// Convex-hull cache (one Mem_Malloc block owned by the mask, freed with it).
struct MASQUE_HULL;

// The mask. Its frame and frame copy are (y0, z0, phi).
struct MASQUE {
  MASQUE_OBJECT_HEADER header;
  int max_nummer;  // largest running number given so far
  PTRARR *knoten;
  PTRARR *kanten;
  PTRARR *linien;
  PTRARR *gruppen;
  double frame[3];
  double frame_kopie[3];
  MASQUE_LIMITS limits;
  MASQUE_CALC_OPTIONS options;
  unsigned flags;
  int extra_size;     // bytes of the caller's area behind the record
  MASQUE_HULL *hull;  // null until first needed
};

// ======================================================================= headers
// Sets descriptor, id and reference count; running number 0. 1, or 0 for null.
int Init_Masque_Object_Header(MASQUE_OBJECT_HEADER *object, const MASQUE_OBJECT_TYPE *descriptor, int id,
                              int refcount);
// Copies descriptor, id, running number and reference count.
int Copy_Masque_Object_Header(MASQUE_OBJECT_HEADER *object, const MASQUE_OBJECT_HEADER *header);
int Set_Masque_Object_Nummer(MASQUE_OBJECT_HEADER *object, int nummer);
// Add or take 1 from the reference count (nothing is freed at 0); 1, or 0 for null.
int Masque_Object_Ref(MASQUE_OBJECT_HEADER *object);
int Masque_Object_Unref(MASQUE_OBJECT_HEADER *object);
// Field getters; 0 (null) for a null object.
int Get_Masque_Object_RefCount(const MASQUE_OBJECT_HEADER *object);
int Get_Masque_Object_Id(const MASQUE_OBJECT_HEADER *object);
int Get_Masque_Object_Nummer(const MASQUE_OBJECT_HEADER *object);
const MASQUE_OBJECT_TYPE *Get_Masque_Object_Descriptor(const MASQUE_OBJECT_HEADER *object);

// ======================================================================= description file
// Text stream in code page 850: the mask header "Q id nummer", then the node, edge, line
// and group sections, each a count and its objects ("tag id nummer" and their values);
// references are running numbers of objects written before. Numbers "%.6g" (the reference
// factor " %lf"), names between « and » (at most 127 bytes, "???" for none), the type word
// as a signed decimal (read as "%i"). A round trip keeps ids, running numbers, names and
// type words exactly, doubles to six significant digits; group weights and initial
// strain planes are not written.
//
// Writers: 1, or 0 at the first failed write. Write_Masque_Querschnitt refuses (0, before
// its first byte) every mask its reader could not read back, or would read back as
// another mask: a null entry, a name with "»" or over 127 bytes, a group type outside 0
// to 3, a reference to an object outside the mask, a line referring to a later line, a
// running number not positive or not unique, a number that is not finite, a reference
// factor too large for its " %lf" token, a built-in line whose parameters differ from its
// table's, a group weight other than {0, 1.0} or an active or non-zero initial strain
// plane; it flushes the stream before its result, so that a full disk shows there.
// Readers: the new object added to the mask (header id and running number from the file),
// or null; they read nothing unbounded (short tokens, finite doubles, 32-bit ints) and a
// positive running number met twice fails. Read_Masque_Querschnitt destroys the partial
// mask on any failure, whatever its keep bit.
int Write_Masque_Object_Header(FILE *f, const MASQUE_OBJECT_HEADER *object);
// 1 when the tag equals the expected one and id and running number were read.
int Read_Masque_Object_Header(FILE *f, const MASQUE_OBJECT_TYPE *expected, MASQUE_OBJECT_HEADER *header);
int Write_Masque_Querschnitt(FILE *f, const MASQUE *mask);
MASQUE *Read_Masque_Querschnitt(FILE *f);
int Write_Masque_Knoten(FILE *f, const MASQUE_KNOTEN *node);
MASQUE_KNOTEN *Read_Masque_Knoten(FILE *f, MASQUE *mask);
int Write_Masque_Kante(FILE *f, const MASQUE_KANTE *edge);
MASQUE_KANTE *Read_Masque_Kante(FILE *f, MASQUE *mask);
int Write_Masque_Spannungsdehnungslinie(FILE *f, const SPANNUNGSDEHNUNGSLINIE *line);
SPANNUNGSDEHNUNGSLINIE *Read_Masque_Spannungsdehnungslinie(FILE *f, MASQUE *mask);
int Write_Masque_Gruppe(FILE *f, const MASQUE_GRUPPE *group);
MASQUE_GRUPPE *Read_Masque_Gruppe(FILE *f, MASQUE *mask);
// Listing for a person (German texts of the file format's dump); null entries skipped.
void Dump_Masque_Object_Header(FILE *f, const MASQUE_OBJECT_HEADER *object);
void Dump_Masque_Querschnitt(FILE *f, const MASQUE *mask);
void Dump_Masque_Knoten(FILE *f, const MASQUE_KNOTEN *node);
void Dump_Masque_Kante(FILE *f, const MASQUE_KANTE *edge);
void Dump_Masque_Spannungsdehnungslinie(FILE *f, const SPANNUNGSDEHNUNGSLINIE *line);
void Dump_Masque_Gruppe(FILE *f, const MASQUE_GRUPPE *group);

// ======================================================================= mask
// New empty mask with extra_size zeroed bytes behind the record; flags from the default
// word. Null when memory is short (nothing is kept then) or extra_size < 0.
MASQUE *Create_Masque_Querschnitt(int id, int extra_size);
// Destroys the mask unless it is null or its keep bit 0x1000 is set.
void Release_Masque_Querschnitt(MASQUE *mask);
// Destroys the mask and every object in its arrays: groups, then lines (all references
// between lines dropped first), edges, nodes, the hull cache.
void Destroy_Masque_Querschnitt(MASQUE *mask);
// The caller's extra area, or null when its size is 0.
void *Get_Masque_Extra(MASQUE *mask);

// ======================================================================= nodes, edges
MASQUE_KNOTEN *Create_Masque_Knoten(int id, double y, double z);
void Destroy_Masque_Knoten(MASQUE_KNOTEN *node);
int Set_Masque_Knoten_Coords(MASQUE_KNOTEN *node, double y, double z);  // y, z only

// Edge from start to end (both required; one reference on each); stich 0 = straight.
MASQUE_KANTE *Create_Masque_Kante(int id, MASQUE_KNOTEN *anfang, MASQUE_KNOTEN *ende, double stich);
void Destroy_Masque_Kante(MASQUE_KANTE *edge);
int Set_Masque_Kante_Stich(MASQUE_KANTE *edge, double stich);

// ======================================================================= stress-strain lines
// New line from a ten-double parameter block (required); the name is copied.
SPANNUNGSDEHNUNGSLINIE *Create_Masque_Spannungsdehnungslinie(int id, unsigned typ, const char *name,
                                                             const double *params);
// Copy of a line (also of a built-in one) with its own name; running number and
// reference count start at 0; one further reference on the referenced line.
SPANNUNGSDEHNUNGSLINIE *Clone_Masque_Spannungsdehnungslinie(const SPANNUNGSDEHNUNGSLINIE *line);
// Copies name, type word, parameters and reference block of source into target,
// moving the reference from the old to the new referenced line.
int Copy_Masque_Spannungsdehnungslinie(SPANNUNGSDEHNUNGSLINIE *target, const SPANNUNGSDEHNUNGSLINIE *source);
// Copies ten parameters into the line and clears the mask's bits 0x4 (lines prepared) and
// 0x2 (limits), both built from the parameters; mask may be null.
int Set_Masque_Spannungsdehnungslinie_Params(MASQUE *mask, SPANNUNGSDEHNUNGSLINIE *line, const double *params);
// Sets the referenced line (or none) and its factor.
int Set_Masque_Spannungsdehnungslinie_Extern(SPANNUNGSDEHNUNGSLINIE *line, SPANNUNGSDEHNUNGSLINIE *referenced,
                                             double faktor);
void Destroy_Masque_Spannungsdehnungslinie(SPANNUNGSDEHNUNGSLINIE *line);
// The built-in line of that exact name ("B25", "BSt 500 S", "C30/37", …), or null. The
// table is immutable: a built-in line enters a mask only as a clone.
const SPANNUNGSDEHNUNGSLINIE *Find_Builtin_Spannungsdehnungslinie(const char *name);
const SPANNUNGSDEHNUNGSLINIE *Get_Builtin_Spannungsdehnungslinie(const char *name);
int Count_Builtin_Spannungsdehnungslinien();  // 25
// Fills a ten-double block with a bilinear steel law: E and fy in N/mm², epsu in ‰
// (not above 0 means 150), steigung in kN/m² per ‰ after yield. 1, or 0 for a null block
// or a law without positive stiffness (the block is then zero).
int Fill_Stahl_Spannungsdehnungslinie(double E, double fy, double epsu, double steigung, double *block);

// ======================================================================= groups
// Groups of type 0, 1, 3 with an empty element list; the line (required) gets a reference.
MASQUE_GRUPPE *Create_Masque_Punktgruppe(int id, SPANNUNGSDEHNUNGSLINIE *line);
MASQUE_GRUPPE *Create_Masque_Flaeche(int id, SPANNUNGSDEHNUNGSLINIE *line);
MASQUE_GRUPPE *Create_Masque_Liniengruppe(int id, SPANNUNGSDEHNUNGSLINIE *line);
// Circle about a centre node (a negative radius is a hole); line and node required.
MASQUE_GRUPPE *Create_Masque_Kreis(int id, SPANNUNGSDEHNUNGSLINIE *line, MASQUE_KNOTEN *mittelpunkt, double radius);
// Drops every reference the group holds, frees its elements and the group.
void Destroy_Masque_Gruppe(MASQUE_GRUPPE *group);
// Moves the group's reference to another line.
int Set_Masque_Gruppe_Linie(MASQUE_GRUPPE *group, SPANNUNGSDEHNUNGSLINIE *line);

// Element operations; a group of another type gives 0 / null and is left unchanged.
MASQUE_PUNKT *Add_Masque_Punkt(MASQUE_GRUPPE *group, MASQUE_KNOTEN *node, double flaeche);  // type 0
int Count_Masque_Punkte(const MASQUE_GRUPPE *group);
MASQUE_PUNKT *Get_Masque_Punkt(const MASQUE_GRUPPE *group, int index);
int Set_Masque_Punkt_Flaeche(MASQUE_PUNKT *element, double flaeche);
int Set_Masque_Punkt_Flaeche(MASQUE_LINIE *element, double dicke);  // any element: its value
int Add_Kante_to_Masque_Flaeche(MASQUE_GRUPPE *group, MASQUE_KANTE *edge);  // type 1
int Count_Masque_Flaeche_Kanten(const MASQUE_GRUPPE *group);
MASQUE_KANTE *Get_Masque_Flaeche_Kante(const MASQUE_GRUPPE *group, int index);
int Set_Masque_Kreis_Radius(MASQUE_GRUPPE *group, double radius);  // type 2
MASQUE_LINIE *Add_Masque_Linie(MASQUE_GRUPPE *group, MASQUE_KANTE *edge, double dicke);  // type 3
int Count_Masque_Linien(const MASQUE_GRUPPE *group);
MASQUE_LINIE *Get_Masque_Linie(const MASQUE_GRUPPE *group, int index);

// ======================================================================= lists of the mask
// Add: gives the object a running number when it has none (one counter for the whole
// mask; a larger number it carries raises the counter) and appends it; 1 when it now
// stands at the end of the array. On 0 the object stays with the caller. An object
// belongs to one mask and is added once.
// Remove: takes the object at index out of the mask and returns it (not destroyed); null
// for a bad index or an object that other objects still reference.
// Adding or removing clears the mask's bits of what the object makes stale: nodes 0x1,
// lines 0x2 and 0x4, groups 0x10000, every kind the hull bit 0x800.
// Index_of: index of that very object, −1 when absent or for a null mask.
int Add_Masque_Knoten(MASQUE *mask, MASQUE_KNOTEN *node);
MASQUE_KNOTEN *Remove_Masque_Knoten(MASQUE *mask, int index);
int Count_Masque_Knoten(const MASQUE *mask);
int Index_of_Masque_Knoten(const MASQUE *mask, const MASQUE_KNOTEN *node);
MASQUE_KNOTEN *Get_Masque_Knoten(const MASQUE *mask, int index);
MASQUE_KNOTEN *Find_Masque_Knoten_by_Id(const MASQUE *mask, int id);
MASQUE_KNOTEN *Find_Masque_Knoten_by_Nummer(const MASQUE *mask, int nummer);

int Add_Masque_Kante(MASQUE *mask, MASQUE_KANTE *edge);
MASQUE_KANTE *Remove_Masque_Kante(MASQUE *mask, int index);
int Count_Masque_Kanten(const MASQUE *mask);
int Index_of_Masque_Kante(const MASQUE *mask, const MASQUE_KANTE *edge);
MASQUE_KANTE *Get_Masque_Kante(const MASQUE *mask, int index);
MASQUE_KANTE *Find_Masque_Kante_by_Id(const MASQUE *mask, int id);
MASQUE_KANTE *Find_Masque_Kante_by_Nummer(const MASQUE *mask, int nummer);

int Add_Masque_Spannungsdehnungslinie(MASQUE *mask, SPANNUNGSDEHNUNGSLINIE *line);
SPANNUNGSDEHNUNGSLINIE *Remove_Masque_Spannungsdehnungslinie(MASQUE *mask, int index);
int Count_Masque_Spannungsdehnungslinien(const MASQUE *mask);
int Index_of_Masque_Spannungsdehnungslinie(const MASQUE *mask, const SPANNUNGSDEHNUNGSLINIE *line);
SPANNUNGSDEHNUNGSLINIE *Get_Masque_Spannungsdehnungslinie(const MASQUE *mask, int index);
SPANNUNGSDEHNUNGSLINIE *Find_Masque_Spannungsdehnungslinie_by_Id(const MASQUE *mask, int id);
SPANNUNGSDEHNUNGSLINIE *Find_Masque_Spannungsdehnungslinie_by_Nummer(const MASQUE *mask, int nummer);

int Add_Masque_Gruppe(MASQUE *mask, MASQUE_GRUPPE *group);
MASQUE_GRUPPE *Remove_Masque_Gruppe(MASQUE *mask, int index);
int Count_Masque_Gruppen(const MASQUE *mask);
int Index_of_Masque_Gruppe(const MASQUE *mask, const MASQUE_GRUPPE *group);
MASQUE_GRUPPE *Get_Masque_Gruppe(const MASQUE *mask, int index);
MASQUE_GRUPPE *Find_Masque_Gruppe_by_Id(const MASQUE *mask, int id);
MASQUE_GRUPPE *Find_Masque_Gruppe_by_Nummer(const MASQUE *mask, int nummer);

// ======================================================================= module state
// Calculation mode word (bit 0x10000: initial strains of groups on). Callers set it for
// their calls and write the old word back.
constexpr unsigned MASQUE_MODE_VORDEHNUNG = 0x10000;
unsigned Get_Masque_Calc_Mode();
void Set_Masque_Calc_Mode(unsigned mode);
// Result factors: null switches scaling off and sets the four factors to 1.0; else
// copies them and switches scaling on. Returns 1.
int Set_Masque_Result_Factors(const double *factors);
// Copies the four factors out (when out is not null); non-zero when scaling is on.
int Get_Masque_Result_Factors(double *factors);
// values[i] *= factors[i] for four values; 0 when either is null.
int Scale_Masque_Forces(double *values, const double *factors);
// Multiplies four values by the result factors when scaling is on; 0 for null.
int Apply_Masque_Result_Factors(double *values);
// Line-plane factor (1.0): the multiple of every line's own plane that enters a strain;
// only the equilibrium continuation of the limit state changes it, and restores it.
double Get_Masque_Linienebene_Faktor();
void Set_Masque_Linienebene_Faktor(double faktor);
// Flags word that new masks start with (0 in this program).
unsigned Get_Masque_Default_Flags();
void Set_Masque_Default_Flags(unsigned flags);
void Reset_Masque_Module_For_Tests();

// ======================================================================= segments, planes
// Index of the segment serving eps (first with hi >= eps), −1 when none.
int Find_SDL_Abschnitt(const SDL_ARBEITSFORM *form, double eps);
// Stress of one segment at eps; tangent dsigma/deps into *tangent when not null.
double Calc_SDL_Abschnitt_Spannung(const SDL_ABSCHNITT *segment, double eps, double *tangent);

// 1 when the mode bit 0x10000 is set and the mask's bit 0x20000 says some group has an
// active initial strain plane.
int Masque_Uses_Vordehnung(const MASQUE *mask);
// a + b y + c z of an active plane while the mode bit 0x10000 is set, else 0.
double Get_Gruppe_Vordehnung_Value(const MASQUE_VORDEHNUNG *plane, double y, double z);
// 1 when the mode bit 0x10000 is set and the plane is active with a, b or c not zero.
int Has_Gruppe_Vordehnung(const MASQUE_VORDEHNUNG *plane);

int Dehnungsebene_to_Polar(const DEHNUNGSEBENE_KARTESISCH *cartesian, DEHNUNGSEBENE *polar);  // phi in [0, 2π)
int Dehnungsebene_to_Cartesian(const DEHNUNGSEBENE *polar, DEHNUNGSEBENE_KARTESISCH *cartesian);
// Polar form of −f (eps0, b, c); x3 of the result 0.
int Scaled_Dehnungsebene_to_Polar(const DEHNUNGSEBENE_KARTESISCH *cartesian, double f, DEHNUNGSEBENE *polar);
// Sum of two polar planes (null counts as zero); angle in (−π, π]; 0 when out is null.
int Add_Dehnungsebenen(const DEHNUNGSEBENE *p, const DEHNUNGSEBENE *q, DEHNUNGSEBENE *out);
// Component-wise sum of two four-double planes; null counts as zero.
int Add_Dehnungsebene_Values(const DEHNUNGSEBENE *p, const DEHNUNGSEBENE *q, DEHNUNGSEBENE *out);
int Add_Dehnungsebene_Values(const DEHNUNGSEBENE_KARTESISCH *p, const DEHNUNGSEBENE_KARTESISCH *q,
                             DEHNUNGSEBENE_KARTESISCH *out);
// The plane in the frame with origin (y0, z0) turned by theta (mode bit 0x1: the frame is
// given inverted); in and out may be the same record.
int Transform_Dehnungsebene(const DEHNUNGSEBENE *in, double y0, double z0, double theta, DEHNUNGSEBENE *out,
                            int mode);
int Transform_Dehnungsebene_by_Frame(const DEHNUNGSEBENE *in, const double *frame, DEHNUNGSEBENE *out, int mode);
// Strain (and stress from the group's prepared line) at the point (y, z) of the frame
// under the plane (null: zero plane). The first argument is not read. Returns 1.
int Calc_Masque_Gruppe_Spannung(const MASQUE *mask, const MASQUE_GRUPPE *group, const DEHNUNGSEBENE *plane,
                                double y, double z, double *strain, double *stress);

// ======================================================================= preparation
// Rebuilds the line's own plane and segments from its parameters and the option block
// (null: all zero). 1, or 0 for a null line.
int Prepare_Masque_Spannungsdehnungslinie(SPANNUNGSDEHNUNGSLINIE *line, const MASQUE_CALC_OPTIONS *options);

// ======================================================================= frames, limits, update
// Stores the frame (mode bit 0x1: stores its inverse). Derived data are not invalidated
// here: the update compares frame and frame copy.
int Set_Masque_Frame(MASQUE *mask, double y0, double z0, double phi, int mode);
// The same from a three-double block, which may be the mask's own frame.
int Copy_Masque_Frame(MASQUE *mask, const double *frame, int mode);
// Copies source to target (unless the same) and inverts it there with mode bit 0x1.
int Invert_Masque_Frame(const double *source, double *target, int mode);
// Local coordinates of every node in the current frame; sets 0x1 and the frame copy.
int Transform_Masque_Knoten(MASQUE *mask);
// A plane a + b y + c z in section coordinates expressed in the frame (y0, z0, phi);
// a null plane clears the target and gives 0.
int Transform_Dehnungsebene_to_Frame(const MASQUE_VORDEHNUNG *plane, double y0, double z0, double phi,
                                     MASQUE_VORDEHNUNG *target);
// Limit strains of a line: 1 compression-limited (min −|epsu|, max MASQUE_NO_LIMIT),
// 2 symmetric (−|epsu|, |epsu|); 0 for a null argument.
int Get_Spannungsdehnungslinie_Limits(const SPANNUNGSDEHNUNGSLINIE *line, double *min, double *max);
int Calc_Masque_Limits(MASQUE *mask);  // fills mask->limits, sets 0x2
// Stores the option block (null: zero) and clears 0x4 when it differs.
int Set_Masque_Calc_Options(MASQUE *mask, const MASQUE_CALC_OPTIONS *options);
int Get_Masque_Calc_Options(const MASQUE *mask, MASQUE_CALC_OPTIONS *options);
// Sets or clears bit 0x8000 and clears the hull bit; returns the previous state (0/1).
int Set_Masque_Option_Flag(MASQUE *mask, int on);
// Clears the given bits, restricted to 0x10007.
int Clear_Masque_Flags(MASQUE *mask, unsigned bits);
// Copies an active, non-zero plane (Has_Gruppe_Vordehnung, so the mode bit 0x10000 must
// be set) into the group, else clears the group's plane; a null plane clears.
int Set_Masque_Gruppe_Vordehnung(MASQUE_GRUPPE *group, const MASQUE_VORDEHNUNG *plane);
// Sets 0x20000 when some group has an active plane, then 0x10000.
int Scan_Masque_Gruppen_Vordehnung(MASQUE *mask);
// Prepares every line with the mask's option block; sets 0x4 (and 0x2000 when a line has
// an own plane); 1 when every entry is present and prepared.
int Prepare_Masque_Spannungsdehnungslinien(MASQUE *mask);
// As above, then mode 1 removes the compression branch of every line, mode 2 the tension
// branch (segments replaced by neutral ones).
int Prepare_Masque_Spannungsdehnungslinien_Cut(MASQUE *mask, int mode);
// Brings node coordinates, limits, prepared lines and the group scan up to date after
// clearing (bits & 0x10007). 1, or 0 when a step failed.
int Update_Masque_Querschnitt(MASQUE *mask, unsigned bits);

// Group helpers: weight pair and line parameters, with defaults ({0, 1.0}; the
// parameters of "B35" for a null group).
int Swap_Masque_Gruppe_Gewicht(MASQUE_GEWICHT *out, MASQUE_GRUPPE *group, const MASQUE_GEWICHT *neu);
int Get_Masque_Gruppe_Gewicht(MASQUE_GEWICHT *out, const MASQUE_GRUPPE *group);
int Swap_Masque_Gruppe_Linie_Params(double *out, MASQUE_GRUPPE *group, const double *neu);
int Get_Masque_Gruppe_Linie_Params(double *out, const MASQUE_GRUPPE *group);
