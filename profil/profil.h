// profil/profil.h — the profile record of a member and the operations on it.
//
// A PROFIL is the cross-section of a member: a parametric steel shape (kind 0) given by
// its plate dimensions, a profile of the host's profile library (kind 1), or a section
// taken over from R7-PLAX (kind 2) as nodes, wall lines or polygons with the section
// values R7-PLAX computed.
//
// Units: every length in mm; section values in mm², mm⁴, mm⁶, mm³; the principal-axis
// angle alpha in degrees, the taper angle of Get_Profil_Taper_Angle in radians.
// Coordinates: z downward from the top edge of the profile; y from the reference edge so
// that it is 0 or negative over the section (a symmetric section of width b has
// y_s = −b/2). y_M and z_M are held relative to the centroid.
//
// Ownership: a PROFIL owns its node and line arrays (Mem_* blocks) and holds exactly one
// reference to its imported entry (see the reference protocol in sections/sections.h).
// A PROFIL must be value-initialised before its first use (PROFIL p{}; or a zeroed
// block): Reset_Profil and Copy_Profil free what the record holds, so they must never
// see an uninitialised record. Every record that embeds a PROFIL inherits that rule.
//
// Module state (one struct, Reset_Profil_Module_For_Tests, registered with Host_Reset on
// its first change): the profile-library flags of
// Init_Profil_Library (available, initialised), the two user-grade slots read by
// Get_Material_Guete_Code, the plastic-moduli switch of the section values (0 at start),
// the R7-PLAX import choice of the profile page (1 at start), the flag that the type
// message was shown, the two once-per-run notes of Read_Profil on the profile
// manager, the rib height mode (1 at start) and the unit stresses of the rib model's
// points. The section values also use the thin-walled solver's one current section
// (dwqb/dwqb.h): every computation rebuilds it. Not re-entrant.
#pragma once

#include <cstdint>

#include <cstdio>

#include "materials/materials.h"
#include "sections/sections.h"

// ---------------------------------------------------------------- shape types
enum : int32_t {
  PROFIL_KIND_PARAMETRIC = 0,  // steel shape by its plate dimensions
  PROFIL_KIND_LIBRARY = 1,     // profile of the host's library or profile manager
  PROFIL_KIND_QUER = 2,        // section taken over from R7-PLAX
};

// Shape types (PROFIL::type). The comment gives the shape group (Is_Profil_Type_in_Group).
enum : int32_t {
  PROFIL_DEFAULT = 0,     // no shape (after a reset)           group 0
  PROFIL_FLAT = 1,        // flat bar h × t (t in t_w)           group 1
  PROFIL_ROUND = 2,       // round bar of diameter d (in h)      group 2
  PROFIL_ANGLE = 3,       // angle l1 × t1 (h, t_w), l2 × t2 (b_fo, t_fo)   group 3
  PROFIL_I = 4,           // I shape                              group 4
  PROFIL_H = 5,           // I shape, series 'H'                  group 4
  PROFIL_C = 6,           // channel, series 'C'                  group 12
  PROFIL_DIL = 7,         // I shape, series 'D'                  group 4
  PROFIL_RHS = 8,         // rectangular hollow section           group 9
  PROFIL_CHS = 9,         // circular hollow section d × t (h, t_w)   group 9
  PROFIL_S = 10,          // I shape, series 'S'                  group 4
  PROFIL_T = 11,          // T section, series 'T'                group 11
  PROFIL_U = 12,          // channel                              group 12
  PROFIL_W = 13,          // I shape, series 'W'                  group 4
  PROFIL_Z = 14,          // Z section                            group 14
  PROFIL_HALF_I = 15,     // half I section (T cut from an I)     group 11
  PROFIL_BOX = 16,        // welded box girder with overhangs     group 16
  PROFIL_TRAPEZ = 17,     // trapezoid profile of one thickness   group 17
  PROFIL_TYPE_COUNT = 18,
};

// The label of a shape type: a 10-character blank-padded text in code page 850
// ("Default   ", "Flachstahl", …, "½I-Profil ", "Hohlkasten", "Trapez    "); null for a
// type outside 0..17.
const char *Get_Profil_Type_Name(int type);

// ---------------------------------------------------------------- records
// A node of an R7-PLAX section (mm, after the move of the take-over).
struct PROFIL_NODE {
  int32_t number;
  double y, z;
  double s_p;       // relative sagitta of the polygon edge to the next node; 0 = straight
  int32_t polygon;  // 1, 2, … cut-outs; −1, −2, … outer polygons; 0 in line models
};

// A wall line of an R7-PLAX line model (mm).
struct PROFIL_LINE {
  int32_t number;
  int32_t p_a, p_e;          // node numbers at start and end
  double d_a, d_e;           // wall thickness at start and end
  double s;                  // rise of an arc line at its middle, > 0 bulging left of p_a → p_e
  double r_al, r_ar, r_el, r_er;  // fillet radii: start left/right, end left/right
};

// Places of PROFIL::imported (values R7-PLAX computed, mm units, alpha in degrees).
enum : int {
  PROFIL_IMP_A = 0,
  PROFIL_IMP_U = 1,
  PROFIL_IMP_Y_S = 2,
  PROFIL_IMP_Z_S = 3,
  PROFIL_IMP_Y_M = 4,
  PROFIL_IMP_Z_M = 5,
  PROFIL_IMP_I_1 = 6,
  PROFIL_IMP_I_2 = 7,
  PROFIL_IMP_ALPHA = 8,
  PROFIL_IMP_I_T = 9,
  PROFIL_IMP_I_W = 10,
  PROFIL_IMP_WIDTH = 11,   // y_max − y_min
  PROFIL_IMP_HEIGHT = 12,  // z_max − z_min
  PROFIL_IMP_Y_REF = 13,   // y maximum by which the section was moved
  PROFIL_IMP_Z_REF = 14,   // z minimum by which the section was moved
  PROFIL_IMPORTED_COUNT = 15,
};

inline constexpr int PROFIL_NAME_SIZE = 40;  // name blank-padded to 39 and terminated
inline constexpr int PROFIL_NOTE_SIZE = 400;  // a note on a profile read (Get_Profil_Read_Note)
// A fillet weld throat (mm) up to this is no weld: the section values raise a larger one
// below the least effective throat of 3 mm (and the list names the raise), and a library
// profile read as welded drops and names the weld data only where a throat is larger.
inline constexpr double PROFIL_NO_THROAT = 0.01;

struct PROFIL {
  int32_t kind;          // PROFIL_KIND_*
  int32_t type;          // shape type 0..17
  double h;              // height; diameter of types 2, 9; leg l1 of type 3
  double t_w;            // web thickness; t of types 1, 9, 17; t1 of type 3
  double b_fo;           // top flange width; overall width of types 8, 14; l2 of type 3
  double t_fo;           // top flange thickness; t2 of type 3
  double b_fu;           // bottom flange width (type 17: foot width)
  double t_fu;           // bottom flange thickness
  double ue_o;           // ü_o: overhang of the top flange beyond each web (type 16)
  double ue_u;           // ü_u: overhang of the bottom flange (type 16)
  int32_t rolled;        // 1 rolled (r, r_2 apply), 0 welded (throats apply)
  double r;              // root radius
  double r_2;            // second radius (toe or corner)
  double a_o;            // fillet weld throat at the top flange
  double a_u;            // fillet weld throat at the bottom flange
  int32_t through_o;     // non-zero: top joints welded through, no fillet weld
  int32_t through_u;     // the same at the bottom flange
  int32_t hot_finished;  // 1 hot-finished, 0 cold-formed (types 8, 9)
  int32_t model_kind;    // R7-PLAX: 0 thin-walled lines, 1 thick-walled polygons
  int32_t node_count;
  PROFIL_NODE *nodes;    // owned, null when none
  int32_t line_count;
  PROFIL_LINE *lines;    // owned, null when none
  int32_t obj_a;         // second and third number of the R7-PLAX object head, kept
  int32_t obj_b;
  double imported[PROFIL_IMPORTED_COUNT];  // PROFIL_IMP_*
  QIMPORT_ENTRY *entry;  // one counted reference, null when none
  double d_w;            // web depth without fillets or welds (16, 17: clear height)
  double c_fo;           // top-flange outstand without fillet or weld (16, 17: clear width)
  double c_fu;           // the same at the bottom flange
  double A_vy;           // shear area for shear along y (mm²)
  double A_vz;           // shear area for shear along z (mm²)
  double A;              // area (mm²)
  double U;              // perimeter (mm)
  double y_s;            // centroid from the reference edge (mm, ≤ 0)
  double z_s;            // centroid from the top edge (mm)
  double y_M;            // shear centre relative to the centroid (mm)
  double z_M;
  double I_y;            // second moments (mm⁴)
  double I_z;
  double I_yz;
  double I_T;            // torsion constant (mm⁴)
  double I_w;            // warping constant (mm⁶)
  double alpha;          // principal-axis angle (degrees)
  double W_pl_y;         // plastic moduli (mm³)
  double W_pl_z;
  int32_t equal_flanges; // 1 when top and bottom flange agree (set with the section values)
  int32_t lib_available; // profile manager available when the record was set
  MATERIAL grade;
  char name[PROFIL_NAME_SIZE];
};

// The lookup record of a library profile.
struct PROFIL_LIBREF {
  char name[PROFIL_NAME_SIZE];  // blank-padded to 39 characters
  const float *entry;           // values of the found library profile (cm), null if none
};

// ---------------------------------------------------------------- record operations
// Frees the node and line arrays, releases the entry reference, and sets every field to
// its empty state: kind and type 0, all numbers and flags 0, the grade reset
// (Reset_Material_Data), lib_available from Init_Profil_Library, the name 39 blanks.
// Null does nothing. Expects a value-initialised or valid record.
void Reset_Profil(PROFIL *profil);
// Deep copy: target reset, then every field of source but lib_available; new node and
// line arrays (sagittas and arc values included); one more reference on the entry.
// Null target: nothing; null source: target only reset; source == target: nothing.
// Ends the run through Exit_Memory_Exhausted when an array cannot be allocated.
void Copy_Profil(const PROFIL *source, PROFIL *target);
// 1 when both records exist and agree, else 0. Doubles agree within 0.01. Kinds 0 and 1
// compare type, name (trailing blanks ignored), dimensions, radii or throats and flags;
// kind 2 compares its model (nodes, lines, object numbers, imported values), never the
// sagittas; all kinds compare the grade (Compare_Material_Data).
int Compare_Profil(const PROFIL *a, const PROFIL *b);
// Makes the input of a kind-0 profile symmetric: I shapes and type 16 get the bottom
// flange (and the bottom weld throat when welded) from the top; types 3 and 17 get
// t_fo = t_fu = t_w. Other kinds and types are left alone.
void Symmetrize_Profil(PROFIL *profil);
// 1 when the shape group of type equals group (see the type list above), else 0.
int Is_Profil_Type_in_Group(int group, int type);

// Sizes at the flange joints that section models and drawings round or weld (mm):
// top and bottom joints (rolled: r; welded: throat·√2, 0 when welded through) and the
// second size (rolled: r_2). Each output may be null; a null profile gives 0.
void Get_Profil_Fillet_Sizes(const PROFIL *profil, double *top, double *bottom, double *second);
// Largest / smallest plate thickness of the shape (mm); 0 for kind 2, type 0, types
// above 17 and a null profile.
double Get_Profil_Max_Thickness(const PROFIL *profil);
double Get_Profil_Min_Thickness(const PROFIL *profil);
// Web inclination of types 16 and 17 (radians, positive when the bottom is wider);
// 0 for other types and when the flange widths differ by 0.001 mm or less.
double Get_Profil_Taper_Angle(const PROFIL *profil);
// Torsion constant of a solid a × b rectangle (mm⁴), β·L·S³ with
// β = (1/3)(1 − 0.630/q + 0.052/q⁵) over the side ratio q = L/S; writes the torsion modulus
// α·L·S² (mm³, α of the maximum shear stress, 0.208 for a square) to wt when wt is not
// null. 0 (wt untouched) when a side is below 0.001 mm.
double Calc_Rectangle_Torsion_Constants(double a, double b, double *wt);
// a·(b + c)/2 when c > b + 0.001, else a·b.
double Calc_Trapezoid_Area(double a, double b, double c);

// Grade code of a grade record for the steel grade tables: family 0 0x10000 | row (user
// values or list row 26: 0x18000 | Eurocode user-grade slot), family 1 the row (user
// values: 0x8000 | DIN user-grade slot); −1 for other families, a row without table
// entry and a null record.
int Get_Material_Guete_Code(const MATERIAL *material);
// Sets the user-grade slot of a family (0 Eurocode, 1 DIN) used by Get_Material_Guete_Code;
// both are −1 at program start.
void Set_Profil_User_Grade_Slot(int family, int row);
// The slot of a family (0 Eurocode, 1 DIN); −1 while unset and for other families.
int Get_Profil_User_Grade_Slot(int family);

// ---------------------------------------------------------------- library start
// First call of the run: enables the profile manager and the R7-PLAX import, takes the
// available flag from Is_Profilmanager_Available and switches the solver to part mode
// with wall terms (DWQB_Part_Mode_Switch = DWQB_Wall_Terms_Switch = 1). Every call empties
// a given lookup record (name 39 blanks, no entry). Returns the available flag.
int Init_Profil_Library(PROFIL_LIBREF *libref);

// ---------------------------------------------------------------- closed formulas
// Closed section formulas of parametric and library shapes (types 1..17). They read the
// dimensions, the rolled flag and the fillet sizes of the record; call them after the
// record's dimensions are checked and corrected.
//
// Clear web depth d_w and the flange outstands c_fo, c_fu.
void Calc_Profil_Plate_Widths(PROFIL *profil);
// A, U, A_vz, A_vy, z_s, y_s, I_y, I_z, I_yz in this order, each from the values before
// it. U is the whole outline of open shapes (tips of legs and flanges included), the
// outer outline of hollow sections and the hull of types 16 and 17. A centroid coordinate without closed formula (z_s of type 1; y_s of types 1, 4, 5,
// 7, 8, 10, 11, 13, 15) keeps the value in the record, and so does a centroid whose area
// or first moment is not above 0.001. A profile with sloped faces (Calc_Profil_Sloped_Values)
// takes A, U, both centroid coordinates, I_y and I_z from its outline. Types outside 1..17
// change nothing.
void Calc_Profil_Closed_Values(PROFIL *profil);
// c_fo (top non-zero) or c_fu (mm).
double Calc_Profil_Flange_Outstand(const PROFIL *profil, int top);
// Shear area for shear along z (mm²); reads A of the record.
double Calc_Profil_Shear_Area_z(const PROFIL *profil);
// Second moments about the horizontal / vertical axis through the centroid held in the
// record (mm⁴); I shapes and T shapes about the web's centre line. Types outside 1..17
// return the value in the record.
double Calc_Profil_I_y(const PROFIL *profil);
double Calc_Profil_I_z(const PROFIL *profil);

// ---------------------------------------------------------------- sloped faces
// Library channels of the UPN series (EN 10365) have sloped inner flange faces: 8 % for
// h ≤ 300 mm, 5 % above; t_fo is the flange thickness at x_tf from the back of the web
// (b/2 for h ≤ 300 mm, the middle of the outstand (b + t_w)/2 above), r the root and r_2
// the toe radius. Returns the slope (tan of the face's inclination) and x_tf (mm) when
// the profile is such a channel (kind 1, type 6 or 12, rolled, name beginning "UPN"),
// else 0 and x_tf 0. Parametric channels keep parallel flanges. x_tf may be null.
double Get_Profil_Flange_Slope(const PROFIL *profil, double *x_tf);
// Library tees (EN 10055) have the flange's inner faces and both flanks of the stem sloped
// 2 % each, thicker towards the root; t_fo = t_w holds at x_tf = b/4 from each flange toe
// and at the depth z_tw = (h + t_fo)/2 from the flange's outer face; r is the root radius,
// r_2 rounds the inner corner of each toe and both corners of the stem's tip, and the
// flange's outer face keeps square edges. Returns the slope 0.02 with x_tf and z_tw (mm)
// when the profile is such a tee (kind 1, type 11 or 15, rolled, name beginning "T"), else
// 0 with both 0. Parametric tees keep parallel plates. x_tf and z_tw may be null.
double Get_Profil_Tee_Slope(const PROFIL *profil, double *x_tf, double *z_tw);
// Section values of a profile with sloped faces (either kind above) from its exact outline
// (the fillets as arcs of 64 chords): area, perimeter, centroid (y_s = −u_s, u from the
// reference edge: the back of a channel's web, a tee's flange toe; z_s from the top edge)
// and the second moments about the centroid. Returns 0 when the profile has no sloped
// faces or no outline (a face that does not reach the tip or toe, a fillet that does not
// fit); *values is then untouched.
struct PROFIL_SLOPED_VALUES {
  double A, U, y_s, z_s, I_y, I_z;  // mm units
};
int Calc_Profil_Sloped_Values(const PROFIL *profil, PROFIL_SLOPED_VALUES *values);
// The same outline as a closed polygon for drawings: its points in the record's frame (y
// from the reference edge, ≤ 0 over the section; z down from the top edge; mm), each
// rounded corner as `chords` chords (chords + 1 points), into y and z with room for
// max_points. Returns the number of points; 0 (nothing written) when the profile has no
// sloped faces or no outline, chords is below 1 or the points do not fit.
int Get_Profil_Sloped_Outline(const PROFIL *profil, int chords, double *y, double *z, int max_points);

// ---------------------------------------------------------------- library profiles
// Looks the trimmed name up in the profile library (Find_Profil_in_Database) and keeps
// the result as libref's entry; on a hit the trimmed name becomes libref's name. The name
// is then padded to 39 blanks. Nothing without libref or name.
void Find_Profil_in_Library(PROFIL_LIBREF *libref, const char *name);
// Fills the profile from libref's entry (looked up once more by libref's name when it has
// none): h, b_fo = b_fu, t_w, t_fo = t_fu, r, r_2 (mm), A, centroid, I_y, I_z, I_yz,
// alpha, W_pl, I_T, I_w (mm units), rolled 1, y_M = z_M = 0, the name from libref.
// Library floats are taken through their shortest decimal text, so that 2.4 cm gives
// r = 24 mm exactly. Without an entry the profile is named "???" and its dimensions and
// section values are 0. Kind, type, grade and the other fields are not touched.
void Set_Profil_from_Library(PROFIL_LIBREF *libref, PROFIL *profil);
// A library profile by name: reset (the grade kept), kind 1, filled from the library, the
// shape type from the series of the library's spelling (Set_Profil_Type_by_Series), then
// its section values (Calc_Profil_Querschnittswerte, no stream). The profile keeps the
// caller's trimmed name. Returns 1 for a null profile, a name that the library does not
// hold (the profile is then "???") or whose series gives no shape type (the profile then
// has type 0 and the default grade); else the result of the section values.
int Set_Profil_by_Library_Name(PROFIL *profil, const char *name);
// A library profile (kind 1) held to its library entry: the stored h, t_w, b_fo, t_fo,
// b_fu, t_fu, r and r_2 are compared with the library's (both made consistent by the
// library's shape type first, as the section values do) within Compare_Profil's tolerance,
// and so is the make: the library holds rolled profiles, so a record whose make is 0 after
// the shape rules (stored as welded) differs too, its radii then not compared apart; the
// radii of tubes, bars and plates, which their lists do not show, are never compared.
// A make flag other than 0 and 1 is left as it is for the section values to refuse: it is
// not named, its radii are not compared and its weld data stays, while its dimensions are
// compared and taken as a rolled record's. Where one differs, or the series does not
// accept the stored shape type, the library's dimensions and radii replace the stored
// ones (a welded record becomes rolled 1 with no throats nor through welds), a type the
// series does not accept becomes the series' own, and note (size bytes, may be null) gets
// one line in code page 850 naming the profile and the differences ("b_fu = <stored> statt
// <library> mm", "geschweißt statt gewalzt" for the make, "Profiltyp" for the type),
// ending with ", die Schweißnahtangaben entfallen" where the welded record's list showed a
// throat above PROFIL_NO_THROAT or a through weld. Returns 1 when the record took the
// library's values, 0 when it agrees (or is not of kind 1; note empty), −1 when the
// library does not hold the name (record untouched, note empty).
int Take_Profil_Library_Dimensions(PROFIL *profil, char *note, int size);
// Shape type from the series of a library name (its family by Get_Profil_Typ_Index and
// the first letter of the library's spelling, or of the name itself when the library does
// not hold it): *type 0 is set (I shapes 4, 'H' 5, 'D' 7, 'S' 10, 'W' 13; hollow
// rectangles 8; channels 12, 'C' 6; T sections 15, 'T' 11; angles 3; Z 14; tubes 9);
// another *type is only tested. 1 when the type fits, else 0 (also for null arguments).
int Set_Profil_Type_by_Series(const char *name, int *type);
// Rewrites a wide-flange name in place ("HEA280" -> "HE280A", "heb 300" -> "HE 300B", see
// Normalize_HE_Series_Text): the upper-cased result overwrites the trimmed part of the
// text where it starts; leading blanks and trailing padding stay. Other names and null:
// nothing.
void Normalize_HE_Profil_Name(char *name);
// The host message of the allowed profile types: the prefix (when not empty), the reason
// (library non-zero: not in the library; else: cannot be computed), the request and, per
// given type (0 = all), the type texts. Sets the flag of Is_Profil_Type_Message_Shown.
void Show_Profil_Type_Message(const char *prefix, int library, int count, const int *types);
// The flag of Show_Profil_Type_Message; the profile page clears it when another profile
// is chosen.
int Is_Profil_Type_Message_Shown();
void Clear_Profil_Type_Message_Shown();
// Switch under which the profile page offers the source "Profil aus R7-PLAX" (1 at start).
void Set_Profil_Import_Choice(int on);
int Get_Profil_Import_Choice();
// Profiles of the module: reset, kind and type, a library profile by name (the name with
// or without the profile manager) or the flat bar 100 × 10, trimmed name, grade S235
// (Init_Material_Data), then the result of Calc_Profil_Querschnittswerte. Only the
// default profile "HE280A" is used by the program.
int Set_Default_Profil(PROFIL *profil);
int Set_Sample_Profil_L150x100(PROFIL *profil);
int Set_Sample_Profil_L120(PROFIL *profil);
int Set_Sample_Profil_L100(PROFIL *profil);
int Set_Sample_Profil_Flat(PROFIL *profil);
int Set_Sample_Profil_T100(PROFIL *profil);
int Set_Sample_Profil_Tube(PROFIL *profil);

// ---------------------------------------------------------------- derived profiles
// The profile becomes the flat bar of a plate: reset, kind 0, type 1, h = the plate's
// width b, t_w = its thickness t (mm), the plate's material as grade; returns the result
// of Calc_Profil_Querschnittswerte (no stream). Null profile: 0; null plate: 1, profile
// untouched.
int Set_Profil_Flat_from_Plate(const PLATE *plate, PROFIL *profil);
// Net area A − n·d·t (mm²) of an angle with n holes of diameter d in a leg of thickness t.
// For type 3 a leg longer by more than 0.1 mm than the other is cut to it (cut_leg1
// non-zero: leg 1 to leg 2, else leg 2 to leg 1) and the area of that cut angle is used;
// otherwise the profile's own A. 0 for a null profile.
double Calc_Angle_Net_Area(const PROFIL *profil, int cut_leg1, int n, double d, double t);

// ---------------------------------------------------------------- check family
// A profile with a plate welded to it (a bracket, an end plate or a gusset): the record of
// the profile's check family. Value-initialise it before its first reset (see PROFIL).
inline constexpr int PROFIL_CHECK_TEXT_SIZE = 80;
struct PROFIL_CHECK {
  PROFIL profil;
  PLATE plate;
  char name[PROFIL_NAME_SIZE];          // name of the connection
  char text[PROFIL_CHECK_TEXT_SIZE];    // free text (position, remark)
  double angle;                         // angle between plate and profile axis (degrees)
  double F_Ed;                          // design force on the weld of the plate (kN)
  double gamma_M2;                      // partial factor of welds; 0: the weld's own (1.25)
  double U;                             // largest weld utilisation of Check_Profil_Weld
};
// Resets the profile (Reset_Profil) and the plate (Reset_Plate_Data), empties both texts,
// sets the angle to 90 and every other value to 0. Returns 0 (also for null: nothing).
int Reset_Profil_Check_Record(PROFIL_CHECK *record);
// The fillet weld of the record's plate to the profile, checked by Check_Weld_Seam
// (welds/welds.h) with one print line into stream after prefix: throat a and the weld
// lengths along the flange and along the web (mm), the record's F_Ed and gamma_M2, f_u
// (for the current thickness, else for t <= 40 mm) and betaw of the grade (null: the
// profile's grade). The record keeps the larger of its U and the weld's utilisation.
// Returns 1 when the weld check returned non-zero (record unchanged; also for a null
// record), else 0.
int Check_Profil_Weld(PROFIL_CHECK *record, double a, double l_flange, double l_web, const MATERIAL *grade,
                      FILE *stream, const char *prefix);

// Codes of the outline parts of Get_Profil_Outline_Parts.
enum : int {
  PROFIL_PART_NONE = 0,
  PROFIL_PART_END = 1,            // end of a flat bar, tip of a flange or leg, web foot
  PROFIL_PART_SIDE = 2,           // side of a flat bar
  PROFIL_PART_CIRCUMFERENCE = 3,  // round bar, tube
  PROFIL_PART_WALL = 4,           // flat of a rectangular hollow section's wall
  PROFIL_PART_OUTER = 5,          // outer face of a flange or leg, back of a channel web
  PROFIL_PART_INNER = 6,          // inner face of an outstand, from the tip to the fillet
  PROFIL_PART_WEB = 7,            // web face between fillets
  PROFIL_PART_FILLET = 8,         // root fillet (arc π r / 2) or fillet-weld face (√2 × leg)
  PROFIL_PART_TOE = 9,            // toe arc of an angle's leg (π r_2 / 2)
};
inline constexpr int PROFIL_OUTLINE_PARTS_MAX = 20;
// Outline parts of a profile in the order of a walk around its outline (mm, from the
// record's dimensions, d_w, c_fo, c_fu and Get_Profil_Fillet_Sizes: s top, s_u bottom,
// s_2 second size; negative lengths are 0). lengths and codes (20 each, cleared first;
// either may be null) receive, by type:
//   1 flat bar (4): end t_w, side h, side h, end t_w;
//   2, 9 round bar, tube (1): circumference π h;
//   3 angle (10): outer h, tip t_w - s_2, toe, inner d_w - s_2, half fillet; half fillet,
//     inner c_fo - s_2, toe, tip t_fo - s_2, outer b_fo;
//   4, 5, 7, 10, 13 I shapes (12): outer b_fo, tip t_fo, inner c_fo, web d_w, inner c_fu,
//     tip t_fu, outer b_fu, tip t_fu, inner c_fu, web d_w, inner c_fo, tip t_fo;
//   6, 12 channels (10): back h, outer b_fo, tip t_fo, inner c_fo, fillet s, web d_w,
//     fillet s, inner c_fu, tip t_fo, outer b_fo;
//   8 rectangular hollow section (4): walls b_fo - 2s, h - 2s, h - 2s, b_fo - 2s;
//   11, 15 T shapes (11): outer b_fo / 2 (from the axis), tip t_fo, inner c_fo, fillet s,
//     web d_w, web foot t_w, web d_w, fillet s, inner c_fo, tip t_fo, outer b_fo / 2;
//   14 Z (10): outer (b_fo + t_w) / 2, tip t_fo, inner c_fo, fillet s, web h - t_fo - s,
//     outer (b_fo + t_w) / 2, tip t_fu, inner c_fu, fillet s_u, web h - t_fu - s_u.
// A fillet is the arc π s / 2 of a rolled shape and the weld face √2 s of a welded one.
// Returns the number of parts, -1 for type 0, the box girder, the trapezoid, kind 2 and a
// null profile (the outputs then stay cleared).
int Get_Profil_Outline_Parts(const PROFIL *profil, double *lengths, int *codes);
// Lowers each of the first 12 caller lengths that has a part (index below the part count)
// to that part's length; the others stay. Returns the part count as above (-1: nothing
// changed).
int Min_Profil_Outline_Parts(const PROFIL *profil, double *lengths);

// ---------------------------------------------------------------- profile page
// Lays out the profile block of a member input page on view area `area` and acts on what
// the user changed since the last pass: the source (profile manager, parametric shape,
// R7-PLAX), the shape type (a choice of 16 entries, 18 under host applications 160, 162,
// 163 and 180), the dimension rows of the shape (mm, a negative entry becomes 0), rolled
// or welded make with radii and welds, cold- or hot-finished hollow sections; then the
// grade block when options bit 0 is set (bits 1 and 2 go to it as its bits 2 and 4), and
// last the section values of the profile (no output). x, *y in content pixels; *y is the
// first line on entry and the next free line on return. active 0 greys everything.
// types: allowed shape types ended by a negative entry (at most 18 read; 0 allows all).
// slot 0..9 keeps the button flag, name buffer and choice entries of one page. With
// separate_flanges 0 the top flange and weld are copied to the bottom. name_width 1..39:
// characters the name field shows (26 also moves the library block); library_beside 1
// places the library block right of the source choice. message_context prefixes the
// message on a type that is not allowed. Nothing for a null profile or y, or a bad slot.
void Edit_Profil_Page(PROFIL *profil, int area, int x, int *y, int row_pitch, int radio_pitch, int column_width,
                      int active, const int *types, int options, int slot, int separate_flanges, int name_width,
                      int library_beside, const char *message_context);

// ---------------------------------------------------------------- section values
// Checks and completes the record and fills its section values: for kinds 0 and 1 the
// make flag (1 rolled or 0 welded: any other number is a failed check whose list line and
// box name it, before any shape rule could overwrite it), the checks and corrections by
// shape type, raised weld throats, d_w, c_fo, c_fu, the
// thin-walled solver route (Get_Profil_DWQB_Querschnittswerte) and over it the closed
// formulas (A, U, shear areas, centroid, I_y, I_z, I_yz), equal_flanges; for kind 2 the
// values R7-PLAX computed, turned from principal axes to y/z. Then the strengths of the
// grade for the largest plate thickness (Check_Material_Strength).
// stream: the print list or null (failure and weld lines); show_box non-zero: failures
// also as host message boxes; title opens every message (null: empty).
// Returns 0 when the values were computed, 1 on a failed check (values then untouched,
// no grade check), a failed solver route (the closed-formula values are still written,
// W_pl stays 0, the grade check still runs), an unusable R7-PLAX section or a grade
// check that reports a violated limit. Null profile: 0. Kinds 0 and 1 of type 0: 0,
// record untouched.
int Calc_Profil_Querschnittswerte(PROFIL *profil, FILE *stream, int show_box, const char *title);

// ---------------------------------------------------------------- thin-walled model
// ---------------------------------------------------------------- rib model
// A richer thin-walled model of a profile: ribs standing on its plates, holes that
// interrupt them, and stress points placed on its walls. Plate index 0 is the web (the
// single plate of a flat bar, both webs of a rectangular hollow section or a box girder),
// 1 the top flange, 2 the bottom flange. Positions along a web are z (mm, down from the top
// edge); along a flange they are measured from its right-hand end node (the tip at y = b/2
// of an I flange, the overhang's tip or the web joint of a box girder, the web joint of a
// rectangular hollow section) towards smaller y.
inline constexpr int PROFIL_RIB_MAX = 20;     // ribs per plate
inline constexpr int PROFIL_HOLE_MAX = 21;    // holes per plate
inline constexpr int PROFIL_POINT_MAX = 50;   // stress points of a model

enum : int { PROFIL_PLATE_WEB = 0, PROFIL_PLATE_TOP = 1, PROFIL_PLATE_BOTTOM = 2 };
// Plate flags of a stress point.
enum : uint8_t { PROFIL_POINT_TOP = 0x20, PROFIL_POINT_BOTTOM = 0x40, PROFIL_POINT_WEB = 0x80 };

// The ribs of one plate. Rib i stands at the running sum of spacing[0..i] from the plate's
// start (z = 0 on a flat bar, z = t_fo on an I or box web, the right-hand end of a flange).
// Rib types: 1 flat, 3 angle, 6 and 12 channel, 11 and 15 T, 17 trapezoid (of the rib
// profile only type, h, t_w, b_fo, t_fo, b_fu, rolled, r, r_2, a_o, a_u are read).
struct PROFIL_RIB_SPEC {
  int32_t count;                    // 0..20; 0 = no ribs
  PROFIL rib;                       // value-initialise before use (see PROFIL)
  double spare;                     // kept, not read
  double spacing[PROFIL_RIB_MAX];   // mm, not negative
  int32_t spare_ints[PROFIL_RIB_MAX];
  int32_t spare_int;
  int32_t side;                     // I web: 0 ribs on one side (growing to +y), 1 the other, 2 both
};

// The holes of one plate: hole k exists when width[k] > 0.001 mm (positions as above).
struct PROFIL_HOLE_TABLE {
  double width[PROFIL_HOLE_MAX];
  double centre[PROFIL_HOLE_MAX];
};

// A point where stresses are read. y, z in the model frame of the thin-walled model (mm;
// y = 0 on the web axis of I and T shapes, on the axis of symmetry otherwise, and on the
// centre of round sections, where z = 0 is the centre too; z down from the top edge).
struct PROFIL_STRESS_POINT {
  int32_t number;      // in use when 0 or more
  uint8_t flags;       // PROFIL_POINT_*: the plate it lies on (web also: single plate, tube wall)
  int32_t line;        // set by the model: the wall line that holds the point (0 = none)
  double y, z;         // mm
  double stress[3];    // sigma, tau, sigma_v (N/mm²) of Calc_Profil_Rib_Model_Stress_Points
};

struct PROFIL_RIB_MODEL {
  PROFIL base;
  PROFIL_RIB_SPEC ribs[3];
  PROFIL_HOLE_TABLE holes[3];
  int32_t mirror;
  int32_t point_count;  // 0..50
  PROFIL_STRESS_POINT points[PROFIL_POINT_MAX];
};

// Frees what the base profile and the three rib profiles hold (Reset_Profil) and sets every
// count, side, spacing, spare, hole value, the mirror and the point count to 0 and every
// point's number, flags, line, position and stresses to 0. Null: nothing. The record must
// be value-initialised before its first reset.
void Reset_Profil_Rib_Model(PROFIL_RIB_MODEL *model);

// Builds the profile's thin-walled model in the solver (nodes and wall lines along the
// plate centre lines, in cm, with the fillet sizes of rolled shapes), runs it and writes
// A, y_s, z_s, y_M, z_M, I_y, I_z, I_yz, I_T, I_w, alpha (mm units, degrees) and, when the
// plastic-moduli switch is on, W_pl,y and W_pl,z; all of them are set to 0 first. Flat and
// round bars take closed formulas when they have no ribs, holes or points.
// rib_specs and hole_tables (three each, or null), n_points and points (or null) are the
// rib model: holes on flat bars, I shapes, rectangular hollow sections and box girders;
// ribs on flat bars, I shapes and box girders; the ribs and holes of a plate must follow
// each other along it without overlap, inside it and clear of its joints. Every point in
// use gets the number of the wall line that holds it (line 0 when none). mirror turns the
// angle (type 3) to the other side.
// Returns 0; the solver's fault code (values stay 0); 1 when the area came out below
// 0.001 cm² or the plastic moduli could not be computed, or when a point in use found no
// wall (the values are written); 1 with the values 0 for a refused rib model: a rib count
// outside 0..20, a negative or non-finite spacing or hole value, a rib type without a rib
// form, ribs or holes on a plate the shape does not have or does not take, overlapping
// holes, a rib inside a hole or beyond its plate, a point count outside 0..50.
// A type-17 trapezoid has no base-plate lines (its walls are built as rib walls), so a
// stress point in use on it finds no wall: its line stays 0 and the result is 1.
int Calc_Profil_DWQB_Querschnittswerte(PROFIL *profil, const PROFIL_RIB_SPEC *rib_specs,
                                       const PROFIL_HOLE_TABLE *hole_tables, int mirror, int n_points,
                                       PROFIL_STRESS_POINT *points);
// 0 without any work for kind 2 (R7-PLAX section), else Calc_Profil_DWQB_Querschnittswerte.
int Get_Profil_DWQB_Querschnittswerte(PROFIL *profil, const PROFIL_RIB_SPEC *rib_specs,
                                      const PROFIL_HOLE_TABLE *hole_tables, int mirror, int n_points,
                                      PROFIL_STRESS_POINT *points);
// Section values of the record's base profile with its ribs and holes (empty point list)
// after its closed-formula values (Calc_Profil_Querschnittswerte, no stream); returns that
// call's failure when there is one. A failure of the rib model writes
// "Querschnittswerte nicht ermittelbar !!" (red mark) when a stream is given and returns 1.
// With a stream and mode ≥ 1: "Querschnittswerte" (mode 1: followed by ": ", else on a line
// of its own), one line with A (cm²), z_s (mm), I_y (cm⁴), the change of y_s by the ribs
// (mm) and I_z (cm⁴), and with with_plastic and W_pl,y or W_pl,z above 0.1 mm³ a line with
// both (cm³). The profile (or, when null, the record's base) receives the values. 1 for a
// null record.
int Print_Profil_DWQB_Querschnittswerte(PROFIL_RIB_MODEL *model, PROFIL *profil, FILE *stream, int mode,
                                        int with_plastic);
// Stresses at the record's points. Without forces: clears every point's stresses, computes
// the rib model with its mirror and points (a failure is reported as by the print above
// and gives 1) and keeps the unit stresses of every point in use. With forces (N, M_y,
// V_z, M_z, V_y, T_t in N and Nmm; T_t is not used): 0 at once with every point's stresses
// 0 when all six are below 0.001 in size; else sigma, tau, sigma_v (N/mm²) of every point
// in use from the unit stresses kept by the last call without forces. 0 when done or when
// the record has no points; 1 for a null record or when a point could not be evaluated.
int Calc_Profil_Rib_Model_Stress_Points(PROFIL_RIB_MODEL *model, const double *forces, FILE *stream);

// Small rib helpers: 1 for the two-foot rib types 6, 12, 17; the foot width (t_fo for 6 and
// 12, t_w / cos α for 17, t_w otherwise, 0 for null); the height mode switch (1 at start);
// the rib height on a plate of thickness t_p (6, 12: h − t_fo, + t_fo in height mode;
// 17: b_fu − t_w / cos α + t_p·tan α; others: 0, + t_w in height mode; 0 for null);
// six doubles set to 0 (null: nothing).
int Is_Profil_Rib_Type(int type);
double Get_Profil_Rib_Foot_Width(const PROFIL *rib);
void Set_Profil_Rib_Height_Mode(int on);
int Get_Profil_Rib_Height_Mode();
double Get_Profil_Rib_Height(const PROFIL *rib, double t_p);
void Clear_Six_Doubles(double *values);
// The type-17 values of Get_Profil_Rib_Geometry for a profile of any type: the taper angle
// of its widths over h, w = t_w / cos α, e and g as there. Every output set first, may be null.
void Get_Profil_Taper_Geometry(const PROFIL *profil, double t_p, double *angle, double *w, double *e, double *g);

// Process-wide switch: non-zero makes the section values include the plastic moduli
// (0 at start): W_pl,y and W_pl,z from the solver's plastic values (Calc_DWQB_Plastic_Values,
// dwqb/dwqb_plastic.h), closed formulas for flat and round bars. The callers set it, compute
// and set it back to 0.
void Set_Profil_Plastic_Moduli_Flag(int on);
// Receiver of the thin-walled model of Build_Profil_Model: every node (number, y, z in mm,
// the model frame of Calc_Profil_DWQB_Querschnittswerte) and every wall line (number, end
// nodes, the nine line values in mm: thickness at a and b, rise, two rotations (radians),
// radii left/right at a, left/right at b).
struct PROFIL_MODEL_SINK {
  void (*node)(void *context, int nr, double y, double z);
  void (*line)(void *context, int nr, int node_a, int node_b, const double *values_mm);
  void *context;
};
// Hands the profile's thin-walled model (the one that Calc_Profil_DWQB_Querschnittswerte
// gives the solver, fillet sizes of rolled shapes included) to the sink instead of the
// solver. *node_count and *line_count (when given) get the numbers handed over. Returns 0,
// or 1 when no line was made (type 0, types above 17, a null profile or sink).
int Build_Profil_Model(const PROFIL *profil, const PROFIL_MODEL_SINK *sink, int mirror, int *node_count,
                       int *line_count);
// Solver option bits (DWQB_OPT_*) that every model run of Calc_Profil_DWQB_Querschnittswerte
// adds to the reset header (0 at start; the section catalogue sets part mode around its
// own runs and sets it back).
void Set_Profil_Model_Options(unsigned options);
// Add_DWQB_Line with number nr, part 0, nodes a and b and the nine line values given in
// mm (thickness at a and b, rise, two rotations, radii left/right at a, left/right at b),
// handed over × 0.1 (cm).
void Add_Profil_DWQB_Line(int nr, int node_a, int node_b, const double *values_mm);
// Feet distance and taper values of a rib standing on a plate of thickness t_p (mm):
// types 6, 12: g = (h − t_fo)/2; type 17: angle = taper angle (radians), w = t_w / cos α,
// e = (h + t_p/2 − t_fo/2)·tan α, g = (t_p·tan α − w + b_fu)/2; other types and a null
// profile: all 0. Every output is set to 0 first and may be null.
void Get_Profil_Rib_Geometry(const PROFIL *rib, double t_p, double *angle, double *w, double *e, double *g);
// Appends the nodes and walls of a rib to the solver's section: values is the nine-value
// line array in mm (left with thicknesses and radii 0), *node_counter and *line_counter the
// next numbers (advanced), t_p the plate thickness, foot the foot node (the second foot of
// a two-foot rib; the first is foot − 1), u the position across and s the plate level (a
// horizontal plate: u = y of the rib, s = z of the plate; a vertical plate: u = y of the
// plate, s = z of the rib), d the growth direction (+1 or −1: towards larger z on a
// horizontal plate, towards smaller y on a vertical one), horizontal 1 for a horizontal
// plate. Rib types 1, 3, 6, 11, 12, 15, 17; other types, negative numbers and a null rib
// build nothing. Fillets of rolled ribs (r, r_2) or welded ones (a_o·√2) lie in the
// re-entrant corners.
void Add_Profil_DWQB_Rib(double *values, const PROFIL *rib, int *node_counter, double t_p, int *line_counter,
                         int foot, double u, double s, double d, int horizontal);

// ---------------------------------------------------------------- R7-PLAX take-over
// Fills the node and line lists and the imported values from the record's entry (cm in
// the entry, mm in the record) and moves the section so that its y maximum and z minimum
// are the origin: y ≤ 0 and z ≥ 0 over the section, the centroid with it, the shear
// centre only when I_T > 0.001 mm⁴. Lists, object numbers and imported values are
// cleared first. 0 when taken or when there is nothing to take (no entry, no nodes or
// polygon nodes); 1 on failure: lists and values empty, the record's reference on the
// entry released and dropped. Messages (node limit, line limit, the general import
// failure) only when show_messages is non-zero. At most 10000 nodes and 10000 lines;
// "NEWLINES" takes at most the "LINES" count, and line_count is the number taken.
int Set_Profil_from_QImport(PROFIL *profil, int show_messages);

// ---------------------------------------------------------------- data file
// The profile block of the member data file (text, version 10, written in the C locale
// whatever the program's locale): 0, or 1 for a null stream or record, an R7-PLAX section
// of more than 10000 nodes or lines or a number that is not finite (nothing written: the
// reader would refuse the block), or a failed write (the stream is flushed first, so that
// a full disk shows here and not only when the file is closed).
int Write_Profil(FILE *stream, const PROFIL *profil);
// Reads a block of any version up to 10 (the record is reset first): 0, or 1 for a null
// stream or record, a value that cannot be read (non-finite numbers included), a name
// token longer than 39 bytes, node or line counts outside 0..10000, a failed grade
// read or a newer version (after the input-file warning, none in refresh mode). Versions
// 0 and 1 rebuild a library profile from the library by its name (an unknown name keeps
// what was read). A library profile stored while the profile manager was available
// becomes parametric when it is not available now (one note per run); a block older than
// version 4 of a library profile notes once per run that the manager is available. An
// R7-PLAX section is renewed from the member's ".XPR" file (stem, work-file suffix) into
// a new entry on which the record holds one reference; without that file, or when the
// take-over fails, the lists and values read from the block stay, with no entry, and the
// file is left untouched. Section values are not computed (Calc_Profil_Querschnittswerte).
// A make flag other than 0 and 1 is kept as read, for the section values to refuse; such
// a library profile is not held to its entry.
int Read_Profil(FILE *stream, PROFIL *profil);
// After a read of version 2 or later, a library profile of make 0 or 1 is held to its library entry
// (Take_Profil_Library_Dimensions): the note of the last Read_Profil whose record took the
// library's dimensions, else an empty text (also before any read).
const char *Get_Profil_Read_Note();

// ---------------------------------------------------------------- print tables
// The profile paragraph of the print list (code page 850): for kinds 0 and 1 the head
// ("Profilparameter (<type>):" or "Profil  <name>"), the dimensions (compact lines, or one
// labelled line per pair and the joint line when long_form is non-zero) and, with
// with_values, the section values computed first (plastic moduli included); kind 1
// without values prints only its head. Kind 2 computes its values first and prints the
// R7-PLAX outline block ("Fehler beim Datencheck des Profils" when they fail); the long
// form of a polygon model with values adds its point table. A library UPN or tee with
// sloped faces (Get_Profil_Flange_Slope, Get_Profil_Tee_Slope) whose faces leave an outline
// (Calc_Profil_Sloped_Values; else its values are the plates' and no slope is named), the
// UPN's as well as the tee's: the long form's joint line is followed by a line that names
// the sloped faces, the slope and where t holds, and the short form names the sloped faces
// and the slope after the radii. Type 0 or above 17 prints the red "Profil nicht möglich"
// line and nothing else. grade_flags bit 0 adds the grade
// paragraph (Print_Material_Data with mask 2 for bit 1 plus 4 for bit 2, with_values as
// given). Every text goes through the print writers; the profile's values are updated by
// the computation. Nothing for a null profile or stream.
void Print_Profil_Parameters(PROFIL *profil, FILE *stream, int long_form, int with_values, int grade_flags);
// The node and plate tables of an R7-PLAX line model (mm): legend, node table, legend,
// line table with a second thickness, sagitta and fillet radius columns as the lines
// need them. Nothing for a null stream or arrays, no nodes or no lines.
void Print_Profil_Plate_Table(const PROFIL_NODE *nodes, int node_count, const PROFIL_LINE *lines, int line_count,
                              FILE *stream);
// Principal second moments of I_y, I_z, I_yz (any one unit) for the print and the section
// export: 2θ = atan2(−2 I_yz, I_y − I_z); the angle taken is the one of θ, θ ± 90° nearest
// alpha_deg (the profile's own angle), so that I_1 belongs to the axis at that angle
// even where I_y − I_z is a rounding residue. I_1 = m + (Δ/2)·cos 2α − I_yz·sin 2α with
// m = (I_y + I_z)/2, Δ = I_y − I_z; I_2 = I_y + I_z − I_1. Each output may be null; the
// angle is written in degrees.
void Calc_Profil_Principal_Moments(double I_y, double I_z, double I_yz, double alpha_deg, double *I_1, double *I_2,
                                   double *alpha_out);

// Back to program start: library not initialised, both user-grade slots −1, plastic
// moduli off, import choice on, type message not shown.
void Reset_Profil_Module_For_Tests();
