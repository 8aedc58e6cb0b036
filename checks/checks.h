// checks/checks.h — cross-section classification and the switches of the section checks.
//
// What is here:
//   - the classification of plate parts by c/t (EN 1993-1-1 Table 5.2 with the k_sigma of
//     EN 1993-1-5 Tables 4.1/4.2, DIN 18800 limit ratios b/t, EN 1999-1-1 Table 6.2) in two
//     generations, each as a whole-section and a one-part form, and the buckling-curve
//     choice of EN 1993-1-1 Table 6.2;
//   - the check-data record CHECK_DATA of a check object;
//   - the module state of the checks (check standard, EN-symbol switch, keep switch with the
//     kept pair of plastic-method results, the constant C_Al) and the option words of the
//     section catalogue's value block;
//   - the c/t check print-out of a load combination (Print_CT_Check) and the cross-section
//     class of a profile with its formula text (Print_Querschnittsklasse and the routines
//     around it).
//
// Units: stresses in N/mm², compression negative in the plate-part tables (the profile
// routines take N compression positive in N and moments in Nmm, as their callers pass
// them); lengths in mm.
//
// Module state (one struct, Reset_Checks_For_Tests, registered with Host_Reset on its first
// change). Not re-entrant: the member flow's one thread only.
#pragma once

#include <cstdint>
#include <cstdio>

struct PROFIL;
struct QS_CHECK_VIEW;

// ================================================================ plate classification
// Plate part kinds of a plate-part table.
enum : int32_t {
  CT_KIND_NONE = -2,      // empty slot or index past the end: skipped
  CT_KIND_TUBE = -1,      // wall of a circular hollow section, ratio d/t
  CT_KIND_OUTSTAND_A = 0, // outstand whose free edge is its first end
  CT_KIND_OUTSTAND_B = 1, // outstand whose free edge is its second end
  CT_KIND_INTERNAL = 2,   // internal part, supported at both ends
};

// A plate part as the classification reads it: kind, c/t and the normal stresses at its
// first and second end (N/mm², compression negative).
struct CT_PLATE_PART {
  int32_t kind;
  double ct;
  double sigma_a, sigma_b;
};
// A caller's plate-part table; a request without one reads the section catalogue's
// current table (the plate parts of the section last built for the checks).
struct CT_PLATE_TABLE {
  int32_t count;
  const CT_PLATE_PART *parts;
};

// Flag bits of the requests.
enum : int32_t {
  CT_FLAG_RAISE = 0x1,        // raise epsilon of the class-3 limit by the stress level
  CT_FLAG_ALPHA_ONE = 0x2,    // alpha = 1 for every part
  CT_FLAG_FACTOR = 0x4,       // multiply epsilon by the request's factor (fire: 0.85)
  CT_FLAG_ALU_CLASS_B = 0x1000,  // EN 1999-1-1: buckling class B instead of A
  CT_FLAG_WELDED = 0x2000,       // EN 1999-1-1: welded part
};

// Rule sets: CT_REQUEST 1 EN 1993-1-1, other DIN 18800; CT_REQUEST_EX 0 DIN 18800,
// 1 EN 1993-1-1, 2 EN 1999-1-1, other epsilon from 235 with the DIN raising and limits.
enum : int32_t { CT_MODE_DIN = 0, CT_MODE_EN = 1, CT_MODE_ALU = 2 };

struct CT_REQUEST {
  int32_t mode;     // low 16 bits select the rules
  int32_t flags;    // CT_FLAG_RAISE, CT_FLAG_ALPHA_ONE, CT_FLAG_FACTOR
  double fy;        // N/mm²
  double gamma;     // f_d = fy / gamma when gamma > 0, else fy
  double factor;    // epsilon factor of CT_FLAG_FACTOR
  const CT_PLATE_TABLE *parts;  // null: the catalogue's current table
};
// Largest utilisations c/t / limit of class 1, 2, 3: [0..2] outstands (kinds 0, 1),
// [3..5] internal parts and tube walls, [6..8] all parts.
struct CT_RESULT {
  double u[9];
};

struct CT_REQUEST_EX {
  int32_t mode;     // CT_MODE_*
  int32_t flags;    // CT_FLAG_*
  double fy;        // yield strength; 0.2 % proof strength f_o for aluminium
  double E;         // 0: not given
  double f_d;       // design stress limit, 0: not given
  double factor;
  const CT_PLATE_TABLE *parts;
};
// [0..8] as CT_RESULT; [9], [10] 0; [11] raised-epsilon indicator; [12], [13] epsilon of
// the part that last raised the overall class-1 / class-2 maximum; [14] epsilon_sigma of
// the part that last raised the overall class-3 maximum.
struct CT_RESULT_EX {
  double u[15];
};

struct CT_PART_REQUEST {
  int32_t mode, flags, kind;
  double fy, gamma;
  double sigma_a, sigma_b;  // stresses at the first and second end
  double factor;
};
struct CT_PART_LIMITS {
  double epsilon, alpha, psi, k_sigma;
  double limit[3];  // c/t limits of class 1, 2, 3
};
struct CT_PART_REQUEST_EX {
  int32_t mode, flags, kind;
  double fy, E, f_d;
  double sigma_a, sigma_b;
  double factor;
};
struct CT_PART_LIMITS_EX {
  double epsilon, epsilon_sigma, alpha, psi, k_sigma;
  double limit[3];
};

// Whole-section forms: 0 when the request or the result is missing (a given result is
// cleared first), else 1, also for a table without parts.
int Calc_CT_Limits(const CT_REQUEST *request, CT_RESULT *result);
int Classify_Querschnitt_Parts(const CT_REQUEST_EX *request, CT_RESULT_EX *result);
// One-part forms: 0 when the request is missing, else 1 with the limits filled. A part that
// is not in compression gets epsilon 1, alpha 0, psi −1000, k_sigma 1 and limits 0.
int Calc_CT_Limits_of_Part(const CT_PART_REQUEST *request, CT_PART_LIMITS *limits);
int Classify_Querschnitt_Part(const CT_PART_REQUEST_EX *request, CT_PART_LIMITS_EX *limits);

// Buckling curve of EN 1993-1-1 Table 6.2: 0 a0, 1 a, 2 b, 3 c, 4 d, −1 none. axis 0 y-y,
// other z-z; section kind as Get_Profil_Typ (1 I/H, 2 T, 3 U, 4 RHS, 5 L, 6 Z, 7 CHS,
// 11 flat, 12 round bar; 13 an I with unequal flanges, taken as welded); t the flange
// thickness in mm; rolled > 0 rolled, else welded. Grade codes 12 and 13 (low 16 bits) are
// the S460 rows.
int Choose_Buckling_Curve(int axis, int grade_code, int kind, double h_b, double t, int rolled);

// ================================================================ check-data record
// The template of a check type: a record of the caller's; extra_ints more integers are
// reserved behind the record's own (a negative count counts as 0).
struct CHECK_TEMPLATE {
  int32_t type;
  int32_t flags;
  int32_t extra_ints;
};
struct CHECK_DATA {
  int32_t type;
  int32_t n_doubles;        // never negative
  double *block;            // n_doubles doubles, then the integers (one allocation)
  int32_t n_ints;           // never negative
  int32_t *ints;            // behind the doubles
  int32_t *template_ints;   // behind the n_ints integers
  const CHECK_TEMPLATE *tmpl;  // what the template callback returned, null when none
  int32_t reserved;         // 0
};
// A check object of the cross-section check: the record it hands out.
struct CHECK_OBJECT {
  int32_t type;
  CHECK_DATA *data;
};
typedef const CHECK_TEMPLATE *(*CHECK_TEMPLATE_FN)(int type);

// A record of n doubles and m + template-count integers, all 0 (negative counts as 0).
// Null when memory is short. The caller frees it with Free_Check_Data.
CHECK_DATA *New_Check_Data(int type, int n, int m, CHECK_TEMPLATE_FN template_fn);
void Free_Check_Data(CHECK_DATA *data);  // null: nothing
CHECK_DATA *Get_Check_Data(const CHECK_OBJECT *object);                 // null object: null
const CHECK_TEMPLATE *Get_Check_Data_Template(const CHECK_OBJECT *object);  // null when none
int Get_Check_Data_Type(const CHECK_OBJECT *object);                    // 0 when none

// ================================================================ check options and switches
inline constexpr int32_t CHECK_STANDARD_AUTO = 4096;

// Stores the check standard and returns the previous one; only a change invalidates the
// catalogue's cached section model. Start-up sets 2.
int32_t Set_Check_Standard(int32_t standard);
int32_t Get_Check_Standard();
// The stored standard; for CHECK_STANDARD_AUTO: 4 when flag is 0, else 7 for profile
// type 12 and 1 for every other type.
int32_t Resolve_Check_Standard(int32_t profile_type, int32_t flag);
// Bit 0: DIN checks print the Eurocode symbol names. Returns the previous word.
uint32_t Set_Check_EN_Symbols(uint32_t word);
uint32_t Get_Check_EN_Symbols();
// Keep switch of the plastic-method results (stores 1 for any non-zero value).
int32_t Set_Check_Keep_Results(int32_t on);
int32_t Get_Check_Keep_Results();
// Constant C_Al of the aluminium comparison stress; a value not above 0 stores 1.2.
double Set_Alu_Interaction_C(double c);
double Get_Alu_Interaction_C();

// The kept pair: the last limit-strain result and the last line-section result of a check,
// owned by the stress methods.
struct PLO_RESULT;
struct TSV_EX_RESULT;
struct CHECK_KEPT_RESULTS {
  PLO_RESULT *limit_strain;
  TSV_EX_RESULT *line_section;
};
// The pair while the keep switch is on, else null.
CHECK_KEPT_RESULTS *Get_Check_Kept_Results();
// Free functions of the owner of the kept results (null: none).
void Set_Check_Kept_Free(void (*free_limit_strain)(PLO_RESULT *), void (*free_line_section)(TSV_EX_RESULT *));
// Frees what the pair holds through the registered functions (without them it only
// forgets) and empties it.
void Clear_Check_Kept_Results();

// Option words: four 32-bit floats of the value block, each holding an integer whose high
// 16 bits are the options for the material kinds 1 and 2 and whose low 16 bits those of the
// other kinds. Order: a method, b c/t classification, c stress checks, d further options.
struct CHECK_OPTIONS {
  int32_t a, b, c, d;
};
// The word truncated toward zero and split (high half by arithmetic shift, low & 0xFFFF);
// a word outside the 32-bit range counts as 0.
void Split_Check_Option_Word(float word, int32_t *high, int32_t *low);
// The four values for material kind (low 16 bits of kind word 1).
CHECK_OPTIONS Decode_Check_Options(const float words[4], uint32_t kind);
// Writes v·65536 + v + 0.1 (v for both halves) into *word; 0, or 1 (nothing written) when
// the float cannot hold v in both halves.
int Encode_Check_Option_Word(int32_t v, float *word);

// Check-flag word of a section for the cross-section check. kind_words: kind word 1 (low 16
// bits 1 Eurocode steel, 2 aluminium, other DIN steel; bit 16 no buckling in the plane,
// bit 17 no cross-section checks, bit 18 no buckling checks) and kind word 2 (bit 16 the
// fire case may be chosen); null counts as kind 0 with no bits. view: the section's check
// data (profile type, catalogue flag and interaction shape of the header, the option words
// and the slot's state word). spatial non-zero for a spatial check. Null view: 0.
uint32_t Get_Check_Flags(const uint32_t *kind_words, const QS_CHECK_VIEW *view, uint32_t spatial);

// Back to program start: standard 4096, switches 0, the pair empty (nothing freed), no free
// functions, C_Al 1.2.
void Reset_Checks_For_Tests();

// ================================================================ c/t check print-out
// The c/t check of the profile under the section forces N, M_y, M_z, V_y, V_z, T_t, T_w, B
// (kN, kNm, kNm², compression negative) against class 3 (plastic <= 0) or class 2, to
// EN 1993-1-1 Table 5.2 on the section catalogue's plate model of the profile; in fire
// (fire non-zero) with fire_factor · epsilon (0.85 when below 0.001). gamma: f_d = fy / gamma;
// no_raise 0 lets the class-3 limits rise with the stress level. *utilisation (when given):
// the governing utilisation, 0 when no check was made. Lines into stream (may be null) at
// level < 1 one short line, 1 a plain line, >= 2 the full block. Returns 1 when there is no
// result (no yield strength, no plate model, failed classification), else 0.
int Print_CT_Check(PROFIL *profil, double gamma, int no_raise, int fire, double fire_factor, int plastic,
                   double N, double M_y, double M_z, double V_y, double V_z, double T_t, double T_w, double B,
                   double *utilisation, FILE *stream, int level);

// ================================================================ class of a profile
// Plate kinds of Classify_CT_Part_Text.
enum : int {
  CT_TEXT_INTERNAL = 0,  // "beidseitig" supported
  CT_TEXT_OUTSTAND = 1,  // "einseitig"
  CT_TEXT_CHS = 2,       // circular hollow section, d/t
  CT_TEXT_ANGLE_1 = 3,   // angle, condition h/t
  CT_TEXT_ANGLE_2 = 4,   // angle, condition (b + h)/2t
};
// Alpha code: the compressed share of a plate; 1000 wholly compressed, 0 none; negative
// for an outstand whose compressed end is the supported one (tip in tension).
inline constexpr double CT_ALPHA_COMPRESSED = 1000.0;

// Class 1..4 of one plate (0 when nothing is compressed, −1 without a yield strength) from
// c/t, alpha and its largest compression sigma_com (N/mm²); the class-3 limit rises with
// fy / (gamma sigma_com) when gamma > 0.001. required > 0: *utilisation (when given) is the
// utilisation against class min(required, 3). Writes its line with a stream and level >= 1.
int Classify_CT_Part_Text(int kind, int required, double *utilisation, double ct, double fy, double E,
                          double alpha, double sigma_com, double gamma, FILE *stream, int level,
                          const char *label);
// The same for a plate given by its width c and thickness t (mm).
int Classify_CT_Part_Text_cb(int kind, int required, double *utilisation, double c, double t, double fy,
                             double E, double alpha, double sigma_com, double gamma, FILE *stream, int level,
                             const char *label);
// Plates of Calc_Plate_Alpha.
enum : int { CT_PLATE_TOP = 0, CT_PLATE_BOTTOM = 1, CT_PLATE_WEB = 2 };
// Alpha code and largest compression (N/mm², compression positive) of the top flange,
// bottom flange and web (angles: leg 2 and leg 1) under N (N, compression positive), M_y,
// M_z (Nmm) from the elastic stress distribution in the frame of the profile's model (z
// downward): a positive M_y compresses the top, a positive M_z the side of positive y. Returns 1 when alpha came from a distribution with bending (and
// then writes its remark with a stream), else 0.
int Calc_Plate_Alpha(const PROFIL *profil, double N, double M_y, double M_z, double alpha[3], double sigma[3],
                     FILE *stream);
// Class of the profile (largest plate class): 0 when nothing is compressed or for an
// R7-PLAX section, −1 for shape types without rule and without a yield strength.
// no_raise non-zero: no class-3 limit rises with the stress level; use_E non-zero: epsilon
// with the material's E instead of 210000. Out-values (each may be null): classes of the
// first flange, second flange and web; the utilisation against class min(required, 3).
int Print_Querschnittsklasse(const PROFIL *profil, double N, double M_y, double M_z, double gamma_M,
                             int no_raise, int use_E, int *class_f1, int *class_f2, int *class_web,
                             int required, double *utilisation, FILE *stream, int level, const char *label);
// Utilisation against class 2 (plastic non-zero) or 3; 0 for a negative plastic switch or
// an R7-PLAX section.
double Get_Querschnittsklasse_Utilisation(const PROFIL *profil, int plastic, double N, double M_y, double M_z,
                                          double gamma_M, int no_raise, int use_E, FILE *stream, int level);
// "Plattenbeulen" verdicts of the profile and of its web against the class the method
// allows (2 plastic, 3 elastic): 1 when exceeded (or without a yield strength), else 0.
int Check_Plattenbeulen_Profil(const PROFIL *profil, int plastic, double N, double M_y, double M_z,
                               double gamma_M, FILE *stream, int level);
int Check_Plattenbeulen_Stegblech(const PROFIL *profil, int plastic, double N, double M_y, double M_z,
                                  double gamma_M, FILE *stream, int level);
// Shear buckling of a web (EN 1993-1-5, 5.1): 1 when h_w / t_w > 72 epsilon / eta + 0.001
// (or without a yield strength), else 0; eta of the active national annex, 1.0 without one.
int Check_Schubbeulen(double h_w, double t_w, double fy, double E, FILE *stream, int level);
// Class of a stiffener c × t (mm) under force (N) as an outstand in compression: 1 when it
// is class 4 (or without a yield strength), else 0.
int Print_Steifen_Klasse(double c, double t, double fy, double force, double gamma, FILE *stream, int level);
