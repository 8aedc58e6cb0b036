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
//   - the cross-section check Check_Querschnitt (elastic stresses, plastic N-V-M
//     interaction, DIN 18800-1 elastic rules, c/t classification, flexural buckling) with
//     its result block CHECK_RESULT and its print-list stream;
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
// first and second end (N/mm², compression negative); A_web the c·t (mm²) of the symmetric
// web(s) whose plastic neutral axis carries the table's normal force under the forces of
// the stresses, where the part is one of them (see Calc_CT_Alpha_Plastic), else 0.
struct CT_PLATE_PART {
  int32_t kind;
  double ct;
  double sigma_a, sigma_b;
  double A_web;
};
// A caller's plate-part table with the section's normal force N_Ed (N, compression
// negative) of its stresses; a request without one reads the section catalogue's current
// table (the plate parts of the section last built for the checks, with the normal force
// of their stresses and A_web of its symmetric webs where the moments of those stresses
// leave the web to carry it: the web of an I with equal flanges under M_y; the web of a
// channel, Z section or flat bar and the webs of a box under M_y alone; the flanges of a
// box under M_z alone). Under EN 1993-1-1 every other part of the catalogue's table takes
// alpha of classes 1 and 2 from the plastic neutral axis of the catalogue's whole plate
// model (N_Ed at the design strength, its moment pointing the way the stresses' does): an
// internal part its compressed share, an outstand its compressed share with its tip
// compressed or in tension by the axis (Table 5.2, sheets 1 and 2); where the stresses
// leave a part wholly compressed it keeps alpha 1. An angle of the catalogue whose legs are
// wholly compressed also meets sheet 3: h/t <= 15 eps and (b + h)/2t <= 11.5 eps (the legs'
// c/t, h the longer) for class 3, in the outstand group. A caller's table has no plate
// model: its parts other than symmetric webs take alpha 1 (internal) or the stresses'.
struct CT_PLATE_TABLE {
  int32_t count;
  const CT_PLATE_PART *parts;
  double N_Ed;
};

// Flag bits of the requests.
enum : int32_t {
  CT_FLAG_RAISE = 0x1,        // raise epsilon of the class-3 limit by the stress level
  CT_FLAG_ALPHA_ONE = 0x2,    // alpha = 1 for every part
  CT_FLAG_FACTOR = 0x4,       // multiply epsilon by the request's factor (fire: 0.85)
  CT_FLAG_HOT = 0x8,          // the hot state judged with the strength at normal temperature:
                              // alpha of classes 1 and 2 not below that of the stresses (the
                              // limits of classes 1 and 2 not above those of the stresses)
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
  double N_Ed;   // N_Ed and A_web as in CT_PART_REQUEST_EX below, at the strength fy / gamma
  double A_web;
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
  // The plastic neutral axis of an internal part in compression and bending under
  // EN 1993-1-1 (classes 1 and 2, see Calc_CT_Alpha_Plastic): the section's normal force
  // N_Ed (N, compression negative as the stresses) and A_web = c·t of the symmetric web(s)
  // that carry it (mm²). A_web 0: the part is no symmetric web, alpha = 1.
  double N_Ed;
  double A_web;
};
struct CT_PART_LIMITS_EX {
  double epsilon, epsilon_sigma, alpha, psi, k_sigma;
  double limit[3];
};

// Alpha of the plastic stress distribution of an internal part in compression and bending,
// for the class-1 and class-2 limits of EN 1993-1-1 Table 5.2 (sheet 1): the web(s) of a
// section symmetric about the web's mid-depth carry N_Ed by their plastic neutral axis while
// the flanges carry the moment, alpha = ½(1 + N_Ed / (f_y A_web)). N_Ed in N, compression
// positive; f_y the design yield strength (N/mm²); A_web = c·t of the web(s) carrying N
// (mm², both webs of a box). Limited to [0, 1]: 0 a web wholly in tension, 1 compression
// beyond the webs' capacity. Where the neutral axis is not worked out (A_web or f_y not above
// 0, a value not finite) the result is 1, on the safe side.
double Calc_CT_Alpha_Plastic(double N_Ed, double f_y, double A_web);

// Whole-section forms: 0 when the request or the result is missing (a given result is
// cleared first), else 1, also for a table without parts. Each part is classified as by
// the one-part forms with the table's N_Ed and the part's A_web, at the design strength
// f_d (Calc_CT_Limits fy / gamma; Classify_Querschnitt_Parts f_d, fy without it), and on the
// catalogue's table with the plastic neutral axis and the angle conditions of
// CT_PLATE_TABLE.
int Calc_CT_Limits(const CT_REQUEST *request, CT_RESULT *result);
int Classify_Querschnitt_Parts(const CT_REQUEST_EX *request, CT_RESULT_EX *result);
// One-part forms: 0 when the request is missing, else 1 with the limits filled. A part that
// is not in compression gets epsilon 1, alpha 0, psi −1000, k_sigma 1 and limits 0.
// Under EN 1993-1-1 an internal part in compression and bending (psi < 0) takes the alpha
// of classes 1 and 2 from the plastic neutral axis (Calc_CT_Alpha_Plastic with the request's
// N_Ed and A_web at the design strength; 1 without A_web or strength), psi of class 3 from
// the end stresses; with CT_FLAG_HOT alpha is not below 1 / (1 − psi) of the stresses (the
// hot state's reduced strength is not known, and the neutral axis at the strength of normal
// temperature lies too near the middle). The class-1 and class-2 limits never exceed the
// class-3 limit (EN 1993-1-1, 5.5.2: a part beyond the class-3 limit is class 4), and a web
// wholly in tension by the plastic distribution (alpha 0) takes the class-3 limit for all
// three. DIN 18800 and EN 1999-1-1 take alpha from the end stresses.
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

// The kept pair: the stress-point list of the last limit-strain run and the line list of the
// last line-section run of a check, owned by the stress methods.
struct PLO_POINT_LIST;
struct TSV_EX_LINE_LIST;
struct CHECK_KEPT_RESULTS {
  PLO_POINT_LIST *limit_strain;
  TSV_EX_LINE_LIST *line_section;
};
// The pair while the keep switch is on, else null.
CHECK_KEPT_RESULTS *Get_Check_Kept_Results();
// Free functions of the owner of the kept results (null: none).
void Set_Check_Kept_Free(void (*free_limit_strain)(PLO_POINT_LIST *), void (*free_line_section)(TSV_EX_LINE_LIST *));
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

// Bit 19 of kind word 1 (CQ_KIND_OWN_GRADE): the check reads the grade by the section's own
// code (the European or DIN half its header names) instead of the half the kind gives.
inline constexpr uint32_t CQ_KIND_OWN_GRADE = 0x80000;

// Check-flag word of a section for the cross-section check. kind_words: kind word 1 (low 16
// bits 1 Eurocode steel, 2 aluminium, other DIN steel; bit 16 no buckling in the plane,
// bit 17 no cross-section checks, bit 18 no buckling checks) and kind word 2 (bit 16 the
// fire case may be chosen); null counts as kind 0 with no bits. view: the section's check
// data (profile type, catalogue flag and interaction shape of the header, the option words
// and the slot's state word). spatial non-zero for a spatial check. Null view: 0.
uint32_t Get_Check_Flags(const uint32_t *kind_words, const QS_CHECK_VIEW *view, uint32_t spatial);

// Back to program start: standard 4096, switches 0, the pair empty (nothing freed), no free
// functions, C_Al 1.2; no stream of the cross-section check, the check-data statics cleared.
void Reset_Checks_For_Tests();

// ================================================================ c/t check print-out
// The c/t check of the profile under the section forces N, M_y, M_z, V_y, V_z, T_t, T_w, B
// (kN, kNm, kNm², compression negative) against class 3 (plastic <= 0) or class 2, to
// EN 1993-1-1 Table 5.2 on the section catalogue's plate model of the profile (classes 1
// and 2 with alpha from the plastic neutral axis, an angle in compression with sheet 3, see
// CT_PLATE_TABLE);
// in fire (fire non-zero) with fire_factor · epsilon (0.85 when below 0.001) and
// CT_FLAG_HOT. gamma: f_d = fy / gamma;
// no_raise 0 lets the class-3 limits rise with the stress level. *utilisation (when given):
// the governing utilisation, 0 when no check was made. Lines into stream (may be null) at
// level < 1 one short line, 1 a plain line, >= 2 the full block. T_w and B of a section
// without warping resistance go by Take_Warping_as_St_Venant; a row with no force left then
// gives 0 and no line (its stress check writes the note and says the forces are zero).
// Returns 1 when there is no result (no yield strength, no plate model, failed
// classification), else 0.
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
// fy / (gamma sigma_com) when gamma > 0.001. An internal plate takes psi = 1 − 1/alpha and
// the class-3 limit of EN 1993-1-1 Table 5.2 (42 / (0.67 + 0.33 psi), 62 (1 − psi) sqrt(−psi)
// for psi <= −1; 42 wholly compressed); its class-1 and class-2 limits end at the class-3
// limit. required > 0: *utilisation (when given) is the utilisation against class
// min(required, 3). Writes its line with a stream and level >= 1.
int Classify_CT_Part_Text(int kind, int required, double *utilisation, double ct, double fy, double E,
                          double alpha, double sigma_com, double gamma, FILE *stream, int level,
                          const char *label);
// The same for a plate given by its width c and thickness t (mm).
int Classify_CT_Part_Text_cb(int kind, int required, double *utilisation, double c, double t, double fy,
                             double E, double alpha, double sigma_com, double gamma, FILE *stream, int level,
                             const char *label);
// Plates of Calc_Plate_Alpha.
enum : int { CT_PLATE_TOP = 0, CT_PLATE_BOTTOM = 1, CT_PLATE_WEB = 2 };
// Elastic alpha code and largest compression (N/mm², compression positive) of the top flange,
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
// A plate in compression and bending (partly in tension) takes alpha of classes 1 and 2
// from the plastic neutral axis: a symmetric web by Calc_CT_Alpha_Plastic with N and fy /
// gamma_M (the web of an I with equal flanges under M_y; the web of a channel, Z or flat bar
// and the webs of a box with equal flanges under M_y alone; the flanges of such a box under
// M_z alone); any other internal plate and every outstand by the axis of the profile's
// plates (full plates about their centre lines, N at fy / gamma_M, the moment pointing the
// way the elastic stresses' does): its compressed share, an outstand's tip compressed or in
// tension by the axis (EN 1993-1-1 Table 5.2, sheets 1 and 2). Where the axis is not worked
// out an internal plate takes alpha 1, an outstand the elastic one. At level >= 2, after
// Calc_Plate_Alpha's remark, "Der Beiwert α der Klassen 1 und 2 wird aus der plastischen
// Nulllinie ermittelt." says that some plate did.
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

// ================================================================ cross-section check
// Units of the plastic interaction: those of the section catalogue's value block. The
// program passes lengths in m and stresses in kN/m², so that N_pl and V_pl come out in kN
// and M_pl in kNm; p6 is the elastic section modulus in cm³, so that the moment cap
// 1.25e-6 · f_d · p6 is 1.25 · M_el in kNm (DIN 18800-1 (755): α_pl ≤ 1.25).
// Interaction shapes (p1 .. p6 = p[0] .. p[5]; p5 is always the design strength f_d):
//   1 I, bending about y, doubly symmetric: A, h_S (web between flange centres), s (web),
//     W_pl — DIN 18800-1 Table 16;
//   2 I, bending about y, singly symmetric: flanges A_1, A_2, web A_3, h_S;
//   3 I, bending about y, doubly symmetric: A, web A_S, h_S;
//   4 I, bending about z, doubly symmetric: one flange A_G, web A_S, flange width b; p6;
//   5 circular ring, any axis: mean diameter d_M, wall t; p6.
enum { NVM_SHAPE_I_Y = 1, NVM_SHAPE_I_Y_UNSYM = 2, NVM_SHAPE_I_Y_AREAS = 3, NVM_SHAPE_I_Z = 4, NVM_SHAPE_RING = 5 };
// Failure codes: n = N/N_pl, v = V/V_pl, n = N_0/N_pl (shape 2, signed) and M/M_pl (shape 5).
enum { NVM_FAIL_N = 1, NVM_FAIL_V = 2, NVM_FAIL_N0 = 3, NVM_FAIL_M = 4 };

// Plastic interaction of N, M, V for a shape: *M_gr the limit moment with the sign of M,
// *U = max(|M / M_gr|, |n|, v), *exceeded 1 when |M| > |M_gr| or U ≥ 1. Returns 0; −1 (U 0)
// for an unknown shape, null parameters or parameters giving N_pl, V_pl or M_pl not above 0;
// a failure code (U = ratio / limit, error_pair (when given) = (ratio, limit)). Shape 1 fails
// shear above v = 0.9, the end of DIN 18800-1 Table 16; the others at v > 1. A limit moment
// of 0 gives the moment term 0 for M = 0, else 1e6 (exceeded). p6 ≤ 0 applies no cap. The
// first argument is not read.
int Calc_Plastic_NVM_Interaction(uint32_t unused, double N, double M, double V, const double *p, int shape,
                                 double *M_gr, uint32_t *exceeded, double *U, double *error_pair);

// Multiplies the eight section forces by k; returns F (null unchanged).
double *Scale_Section_Forces(double *F, double k);
// |a| when b ≥ 0, else −|a|.
double Copy_Sign(double a, double b);

// Hook of the check data: a function that may deliver a result for a check object into three
// places. Nothing in the program sets it.
using CHECK_DATA_HOOK = int (*)(void *object, void *out_1, void *out_2, void *out_3);
// The hook's result when one is set, else 0.
int Get_Check_Hook_Result(void *object, void *out_1, void *out_2, void *out_3);
// Clears the statics of the check-data module: counters, pointers and the hook.
void Reset_Check_Data_Statics();

// A stress point copied into the result block: offsets from the centroid (cm) and the
// stresses there (kN/cm²).
struct CHECK_POINT_COPY {
  double dy, dz, sigma, tau, sigma_v;
};
// Points copied, in this order: σ_min, σ_max, τ_min, τ_max, σ_v,min, σ_v,max, |σ|max.
inline constexpr int CHECK_N_POINTS = 7;

// Result block of Check_Querschnitt (cleared, class index −1, at the start of every check).
struct CHECK_RESULT {
  uint32_t flags_first;      // check flags as first worked out
  uint32_t flags_end;        // check flags at the end
  uint32_t returned;         // the returned word
  int32_t class_index;       // 2, 1, 0 for level 0, 1, 2; −1 when not classified
  uint32_t kind_1, kind_2;   // the kind words
  CHECK_POINT_COPY points[CHECK_N_POINTS];
  double fyd_10, tauRd_10, svRd_10;  // f_y,d, τ_R,d, σ_v,R,d (kN/cm²)
  double u_sigma, u_tau, u_v, U_el;
  double ct_internal, ct_outstand;   // c/t utilisations
  double U;                  // the utilisation of the cross-section (output U)
  double ct_max;             // the larger c/t utilisation
  double U_buckling;         // flexural buckling
  double U_governing;        // max(U, ct_max, U_buckling)
  uint32_t plastic_method;   // the flag of the plastic method whose result follows, 0: none
  alignas(8) unsigned char plastic[312];  // its result (PLO_RESULT, TSV_EX_RESULT or TSV_RESULT)
};

// Check flags (Get_Check_Flags) and returned-word bits of Check_Querschnitt.
enum : uint32_t {
  CQ_F_INTERACTION = 0x1, CQ_F_SIGMA = 0x4, CQ_F_TAU = 0x8, CQ_F_SIGMA_V = 0x10, CQ_F_EL747 = 0x20,
  CQ_F_EL749 = 0x40, CQ_F_EL750 = 0x80, CQ_F_ELASTIC = 0x3fc, CQ_F_FIRE = 0x400, CQ_F_CLASSIFY = 0x1000,
  CQ_F_BUCKLING_1 = 0x10000, CQ_F_BUCKLING_2 = 0x20000, CQ_F_BUCKLING = 0x70000, CQ_F_TSV = 0x100000, CQ_F_TSV_UNSCALED = 0x200000,
  CQ_F_PLO = 0x400000, CQ_F_TSV_EX = 0x1000000,
};
enum : uint32_t {
  CQ_R_STRESSES = 0x100, CQ_R_POINTS = 0x700, CQ_R_U = 0x800, CQ_R_CLASSIFIED = 0x1000, CQ_R_GOVERNING = 0x2000,
  CQ_R_PLASTIC = 0x4000, CQ_R_PLASTIC_FAILED = 0x11008000, CQ_R_NO_SECTION = 0x1f008000,
  CQ_R_BUCKLING_1 = 0x10000, CQ_R_BUCKLING_2 = 0x20000,
};

// The check of one cross-section under the forces N, V_1, V_2, T, M_1, M_2, T_w, B (kN, kNm,
// kNm², tension positive; index 1 the first, 2 the second axis). kind_words: word 1 low half
// 1 steel EN 1993-1-1, 2 aluminium EN 1999-1-1, other steel DIN 18800; word 2 low half
// non-zero an accidental combination (null: kind 0). view: the section's check data (its
// record's model is built in the solver). Outputs (each may be null, all set to 0 first):
// stress 1 and 2, τ, σ_v, governing stress (MN/m²), limit moment (kNm), c/t utilisation of
// the internal and outstand parts, U; *buckling the utilisation of flexural buckling.
// extra bit 2: a plastic utilisation above 0.999 asks for class 1. spatial 0: plane check
// (N, V_2, M_1). pass_a, pass_b go to Calc_Profil_Section_Values. result may be null.
// Returns the word of what was done (CQ_R_*); 0x1f008000 when the section values or a
// positive yield strength cannot be had.
uint32_t Check_Querschnitt(const uint32_t *kind_words, double N, double V_1, double V_2, double T, double M_1,
                           double M_2, double T_w, double B, const QS_CHECK_VIEW *view, double gamma_M,
                           double *stress_1, double *stress_2, double *tau, double *sigma_v, double *governing,
                           double *M_limit, double *ct_internal, double *ct_outstand, double *U, double gamma_M1,
                           double *buckling, uint32_t extra, uint32_t spatial, int32_t pass_a, uint32_t pass_b,
                           CHECK_RESULT *result);
// gamma_M1 = gamma_M, the buckling utilisation not handed back.
uint32_t Check_Querschnitt_Entry(const uint32_t *kind_words, double N, double V_1, double V_2, double T,
                                 double M_1, double M_2, double T_w, double B, const QS_CHECK_VIEW *view,
                                 double gamma_M, double *stress_1, double *stress_2, double *tau, double *sigma_v,
                                 double *governing, double *M_limit, double *ct_internal, double *ct_outstand,
                                 double *U, uint32_t extra, uint32_t spatial, int32_t pass_a, uint32_t pass_b,
                                 CHECK_RESULT *result);
// Seven forces (T_w 0) / eight forces, without a result block.
uint32_t Check_Querschnitt_Short(const uint32_t *kind_words, double N, double V_1, double V_2, double T,
                                 double M_1, double M_2, double B, const QS_CHECK_VIEW *view, double gamma_M,
                                 double *stress_1, double *stress_2, double *tau, double *sigma_v, double *governing,
                                 double *M_limit, double *ct_internal, double *ct_outstand, double *U,
                                 uint32_t extra, uint32_t spatial, int32_t pass_a, uint32_t pass_b);
uint32_t Check_Querschnitt_Plain(const uint32_t *kind_words, double N, double V_1, double V_2, double T,
                                 double M_1, double M_2, double T_w, double B, const QS_CHECK_VIEW *view,
                                 double gamma_M, double *stress_1, double *stress_2, double *tau, double *sigma_v,
                                 double *governing, double *M_limit, double *ct_internal, double *ct_outstand,
                                 double *U, uint32_t extra, uint32_t spatial, int32_t pass_a, uint32_t pass_b);
// The check's print-list stream (module state, null at start: the check then writes no
// line). Returns the previous stream. Nothing in the program sets it; tests do.
FILE *Set_Check_Querschnitt_Stream(FILE *stream);
// Test seam: the calculation of the plated partial internal forces method inside the check
// (null, as at start: Calc_TSV_Querschnitt). Returns the previous one.
struct TSV_RESULT;
using CHECK_TSV_CALC = int (*)(const double *forces, const double *material, const QS_CHECK_VIEW *view,
                               TSV_RESULT *result);
CHECK_TSV_CALC Set_Check_TSV_Calc_For_Tests(CHECK_TSV_CALC calc);
// ================================================================ plastic resistance to EN 1993-1-1, 6.2
// Plastic resistance check of a steel profile (EN 1993-1-1, 6.2.3 to 6.2.10) for I-shapes
// with flanges equal within 10 %, rectangular and circular hollow sections and flat bars,
// one formula line per step into stream (null: the same computation without text; level 0
// verdict lines only). Forces in the check order, compression negative, in N, Nmm, Nmm²;
// no_raise and use_E go to the c/t classification. The slots (each may be null) are set to
// 0 first: U_pl the largest ratio of the partial checks (−1.0 when no normal resistance is
// left), U_ct the c/t utilisation against class 2, U_max the largest of U_pl, the ratios
// computed and U_ct (999.999 when a normal force or moment meets no resistance left). The
// class is worked out whether or not U_ct is asked for. Returns 0 (checked, or no forces
// with nachweis set, also none left once T_w and B of a section without warping resistance
// went by Take_Warping_as_St_Venant: the note, then the zero-forces line) or 2 when the
// clause cannot check the profile (the reason as a red line): a force that is no finite
// number, a profile outside the clause, an I-shape or a hollow section above class 2 under
// N or M, shear buckling of an I web, warping.
int Check_EC3_Plastic_Resistance(const PROFIL *profil, double gamma_M0, int no_raise, int use_E, int nachweis,
                                 double N, double M_y, double M_z, double V_y, double V_z, double T_t, double T_w,
                                 double B, double *U_max, double *U_pl, double *U_ct, FILE *stream, int level);
// Intermediate values of the last check (all 0 before a check reaches them), kN, kNm,
// N/mm², cm³: the plastic resistances, the torsion modulus and stress, the shear
// resistances after torsion, the shear reductions, the reduced normal and bending
// resistances, n, a, the reduction factors of bending by normal force and the exponents of
// biaxial bending.
struct EC3_PLASTIC_VALUES {
  double N_pl_Rd, M_pl_y_Rd, M_pl_z_Rd, V_pl_z_Rd, V_pl_y_Rd, tau_Rd;
  double W_t, tau_t_Ed;
  double V_z_Rd, V_y_Rd;
  double rho_z, rho_y;
  double N_V_Rd, M_V_y_Rd, M_V_z_Rd;
  double n, a, f_N_y, f_N_z, M_N_y_Rd, M_N_z_Rd;
  double alpha, beta;
};
const EC3_PLASTIC_VALUES *Get_EC3_Plastic_Values();

// ================================================================ kind words and check texts
// A member object as the kind-word routines see it: object type (211 to 214 steel members,
// 261 to 264 aluminium members), its option words and its values (values[0] gamma_M).
struct CHECK_MEMBER {
  int32_t type;
  int32_t option_count;
  const int32_t *options;  // option_count words; null counts as none
  const double *values;
};
// Material kind word (the layout of kind word 1 of the cross-section check): types 211 and
// 261 give kinds 1 and 2 with bit 16 when the first option word is non-zero, 212 to 214
// kind 1 and 262 to 264 kind 2 with bit 16; bit 17 for a non-zero second, bit 18 for a
// non-zero third option word. 0 for a null object and any other type.
uint32_t Get_Material_Kind_Word(const CHECK_MEMBER *object);
// The kind word and the second word (bit 16 for type 214) as one value: word 1 in the low,
// word 2 in the high 32 bits.
uint64_t Get_Material_Kind_Pair(const CHECK_MEMBER *object);
// The same for a check object whose record holds the member: the record's type, its
// integers as the option words and its doubles as the values. Null object or record: 0.
uint32_t Get_Material_Kind_Word_Of(const CHECK_OBJECT *handle);
uint64_t Get_Material_Kind_Pair_Of(const CHECK_OBJECT *handle);
// Grade values by kind word (null: steel defaults): kind 2 the aluminium table
// (f_0, E and G, name), any other kind the steel grade table (fy at thickness t in mm).
// Without kind: 235.0, 210000.0 with G 81000.0, "?????". G (may be null) is set to 81000.0
// first.
double Get_Grade_fy(const uint32_t *kind, int grade_code, double t);
double Get_Grade_E_G(const uint32_t *kind, int grade_code, double *G);
const char *Get_Grade_Name(const uint32_t *kind, int grade_code);
// Normal stresses (MN/m²) of a section of kind flag 2, 5 or 8 under N (kN) and the moments
// M of the first and M_2 of the second axis (kNm; M_2 only when spatial is non-zero).
// Values-only sections (negative profile type): out[0] = (N/A − M/|W_lower|)·0.001,
// out[1] = (N/A + M/|W_upper|)·0.001 from the view's value block (m², m³), out[2] = out[3] = 0.
// Otherwise the section model of the view (Calc_Profil_Section_Values with the resolved
// check standard and the two pass-through values) gives the stresses at the extreme
// fibres: out[0], out[1] N/A + M/W_1 at the first axis' far fibres, out[2], out[3]
// N/A − M_2/W_2 at the second axis' far fibres. Returns 1 with the stresses; 0 with all
// four 0 for another flag, a null view or out, a zero area or a failed section model.
int Calc_Querschnitt_Stresses(uint32_t spatial, double N, double M, double M_2, const QS_CHECK_VIEW *view,
                              double out[4], int flag, int pass_a, unsigned pass_b);

// The report texts of a check object: each routine writes to the cross-section check's
// stream (Set_Check_Querschnitt_Stream) what the check-data hook delivers for the object
// (Get_Check_Hook_Result(object, &record, &which, null) with which one of CHECK_TEXT_*).
// Without a stream or without a record from the hook nothing is written; the program sets
// neither. Lengths in cm unless said, stresses in MN/m².
enum : int32_t {
  CHECK_TEXT_HEAD = 1,
  CHECK_TEXT_MATERIAL = 2,
  CHECK_TEXT_MATERIAL_SHORT = 3,
  CHECK_TEXT_NACHWEIS = 4,
  CHECK_TEXT_ELASTIC = 5,
};
// Section forms of the head.
enum : int32_t {
  CHECK_SECTION_VALUES = 0,    // values only: A, W_o, W_u
  CHECK_SECTION_IMPORTED = 1,  // taken over from R7-PLAX: name
  CHECK_SECTION_PROFILE = 2,   // catalogue profile: name ('-' first: bending about z), turned
  CHECK_SECTION_TYPE = 3,      // "Querschnitts-Typ %d"
  CHECK_SECTION_TYPE_S = 4,    // "Querschnitts-Typ S%d"
};
// Dimension lines of the head: none ("?????"), I (h, s, b, t), ring (r_a, r_i), h × b, d,
// I with two flanges (h, s, b_o, t_o, b_u, t_u).
enum : int32_t { CHECK_DIMS_NONE, CHECK_DIMS_I, CHECK_DIMS_RING, CHECK_DIMS_HB, CHECK_DIMS_D, CHECK_DIMS_I2 };
// Plastic method lines: none, the interaction of a shape, the strain iteration, the partial
// internal forces method and its extended form.
enum : int32_t { CHECK_PLASTIC_NONE, CHECK_PLASTIC_INTERACTION, CHECK_PLASTIC_STRAINS, CHECK_PLASTIC_PARTS,
                 CHECK_PLASTIC_PARTS_EX };
struct CHECK_TEXT_RECORD {
  uint32_t kind;                 // low 16 bits: 1 EN 1993 steel, 2 EN 1999 aluminium, other DIN 18800
  // Section head.
  int32_t section;               // CHECK_SECTION_*
  int32_t type;                  // number of CHECK_SECTION_TYPE(_S)
  int32_t turned;                // " (90° gedreht)"
  char name[48];
  char title[48];                // the text after ":  " of a profile or type
  int32_t dims_form;             // CHECK_DIMS_*
  double dims[6];
  int32_t spatial;               // 0: A, I_m; else also I_n, I_mn, the principal and torsion lines
  double A, W_o, W_u, I_m, I_n, I_mn;
  char axis_1[8], axis_2[8];     // names of the principal axes
  double I_1, I_2, angle;        // cm⁴, degrees
  double I_T, I_w;               // cm⁴, cm⁶
  // Material.
  char label[24];                // " (%s)" when not empty
  char grade[24];
  double t_max, d;               // mm
  int32_t fire;
  double T_fi, f_yk, k_y_fi;     // °C, MN/m², factor
  int32_t interaction;           // shape 1..5 of the interaction values, 0 none
  double inter[4];               // its values in the order of its line
  int32_t shape_factors;         // 0 none, 1 one, 2 one per principal axis
  double alpha_pl[2];
  int32_t section_form;          // 0 none, 1 tube (d, t), 2 round bar (d), 3 ring (d_a, d_i), 4 flat (h, b),
                                 // 5 plated (the plate model below)
  double form[2];
  // Plate model of the partial internal forces method as its prepared slot holds it: the
  // state word (low four bits: 2 one flange and the web, 3 two flanges and the web; other
  // models print no plate lines) and the data floats (cm: reference point, top flange,
  // web, bottom flange centres; b_o, t_o, h_w, t_w, b_u, t_u), with the principal angle
  // (degrees). Lines in print/FORMAT.md.
  uint32_t plate_state;
  float plate_data[16];
  double plate_angle;
  // Checks.
  int32_t plastic;               // CHECK_PLASTIC_*
  int32_t interaction_no;
  double gamma_M, sigma_Sd;
  double tol;                    // shear iteration of the strain method; 0 none
  int32_t limit;                 // 0 no limit, 1 none after El. 755, 2 the two factors
  double limit_factor[2];
  int32_t redistribution;
  double parts[4][2];            // N_pl (kN), M_pl (kNm) of section, upper flange, web, lower flange
  double C_Al;
  uint32_t check_bits;           // 0x4 sigma, 0x8 tau, 0x10 sigma_v
  int32_t local_element;         // 747, 749 or 750; 0 none
  int32_t buckling[2];           // in / out of the plane: 0 none
  char buckling_axis[8];         // axis of buckling in the plane; empty: "in der Ebene"
  double beta[2], L[2];          // length factor, length (cm)
};
// Hook of the check data for tests (null: none); returns the previous one.
CHECK_DATA_HOOK Set_Check_Hook(CHECK_DATA_HOOK hook);
void Print_Querschnitt_Kopf(void *object);
void Print_Material_Kopf(void *object);
void Print_Material_Kopf_Short(void *object);
void Print_Querschnitt_Nachweis(void *object);
void Print_Elastic_Nachweis(void *object);


// ================================================================ stress check of a member section
// Module state of the stress check (reset with Reset_Checks_For_Tests): the result-file
// switch (0), the plastic flag (0), the result number (0) and the stress-strain constant
// of the plastic limit state (150). The member flow sets only the constant.
void Set_Stress_Result_Files(int on);
void Set_Stress_PLO_Flag(int on);
void Set_Stress_Result_Number(int number);
void Set_Stress_Check_Constant(double c);
int Get_Stress_Result_Files();
int Get_Stress_PLO_Flag();
double Get_Stress_Check_Constant();
// "_%d" of the result number; valid until the next call.
const char *Get_Stress_Result_Suffix();
// Name of a stress result file: member file stem, work-file number ("_%02d"), the result
// suffix, then "e.res" (kind 'e', elastic) or "p.res" (kind 'p', plastic).
const char *Get_Stress_Result_File_Name(char kind);

// Result codes of the stress check.
enum : int {
  STRESS_DONE = 0x100,             // check done
  STRESS_PLASTIC_ONLY = 0x4000,    // plastic limit values only
  STRESS_NOT_CHECKABLE = 0x8000,   // the section cannot be checked
  STRESS_GRADE_MISMATCH = 0x80000, // the grade table's fy differs from the material's (or fy ≤ 0)
};

// A utilisation above 1 and below 1.001 counts as 1; any other value is returned as given.
double Round_Stress_Utilisation(double u);

struct QUERSCHNITT;
// Options record of Run_Querschnitt_Stress_Check: [0] method (0 elastic, 1 partial internal
// forces, 2 plastic limit state), [1], [2] non-zero add 1, 2 to the check's option bits,
// [9] the c/t code handed to the check; [3..8] not read.
inline constexpr int STRESS_N_OPTIONS = 10;
// The stress check of a catalogue section (Build_Profil_Stress_Section) under the eight
// forces as Print_Stress_Check, for the method of options[0]:
//   - method 1 prepares the partial internal forces of the plated section (Run_TSV_Nachweis
//     with option bit 2: a rolled I of the library takes the fillet-area model), method 2 the plastic limit state (Prepare_PLO_Result with the stress-strain constant
//     and, with the plastic flag, warping off); a preparation that fails gives the red
//     method line and 0;
//   - the cross-section check, spatial, as steel to the Eurocode for a grade code of the
//     Eurocode values and to DIN 18800 for one of the DIN values (the section's own code);
//   - the stresses on the triangulated outline of the solver's current section: elastic
//     (file "e.res") when the check kept no plastic result, the limit strains and stresses
//     of the limit state (file "p.res") when it kept one; the files only while
//     Set_Stress_Result_Files is on, written through the file-replace helper (a failed
//     write leaves no file behind and changes nothing else);
//   - the verdict lines (the limit state's lines during its evaluation, the plated
//     section's block of parts) and the slots as Print_Stress_Check.
// tube non-zero: a circular tube. The keep switch is as before and the kept lists freed on
// every exit (the driver registers the stress methods' free functions). Returns the check's
// code (STRESS_DONE when done; methods 1 and 2 add STRESS_PLASTIC_ONLY when the elastic
// checks stood in), 0 when the preparation failed or the check was not done.
int Run_Querschnitt_Stress_Check(QUERSCHNITT *record, const int options[STRESS_N_OPTIONS], int nachweis,
                                 double gamma_M, int tube, double N, double M_y, double M_z, double V_y, double V_z,
                                 double T_t, double T_w, double B, double *U_max, double *U_sigma, double *U_ct,
                                 double *sigma_x_max, double *sigma_x_min, double *tau, double *sigma_v,
                                 double *further, FILE *stream, int level);
// The result block of the driver's last cross-section check (cleared by the reset).
const CHECK_RESULT *Get_Stress_Check_Result();

// The stress check of one member section under N, M_y, M_z, V_y, V_z, T_t, T_w, B (kN, kNm,
// kNm²; compression negative) with the design strength fy / gamma_M of the profile's
// material. pass_a, pass_b go to Print_Querschnittsklasse. nachweis 0: stresses only.
// method 0 elastic, 1 plastic by partial internal forces, 2 plastic limit state. Flat and
// round bars under method 0 are checked with closed formulas (σ_v = √(σ² + 3τ²)); the
// c/t check runs only when U_ct is given. Slots (each may be null): U_max, U_sigma, U_ct,
// σ_x,max, σ_x,min, τ, σ_v (N/mm²) and a further stress (0 here). Lines into stream (may be
// null) at level 0 verdicts only, 1 short, ≥ 2 full. Returns STRESS_* bits, 0 when nothing
// was checked (zero forces, a gate, no section values, γ_M ≤ 0). A section without warping
// resistance takes T_w and B by Take_Warping_as_St_Venant and writes the note; a row with no
// force left then writes the zero-forces line and returns STRESS_DONE with every slot 0.
// Every other profile and method goes through the section catalogue to
// Run_Querschnitt_Stress_Check.
int Print_Stress_Check(PROFIL *profil, double gamma_M, int pass_a, int pass_b, int nachweis, int method, double N,
                       double M_y, double M_z, double V_y, double V_z, double T_t, double T_w, double B,
                       double *U_max, double *U_sigma, double *U_ct, double *sigma_x_max, double *sigma_x_min,
                       double *tau, double *sigma_v, double *further, FILE *stream, int level);
// ================================================================ sections without warping
// 1 when the profile has no warping resistance: a circular tube, a flat bar or a round bar
// by its shape (not an R7-PLAX section), and any profile whose I_w is zero within 1e-6 of
// (I_y + I_z)² / A (angles, tees, square tubes: the sectorial coordinate is zero). The values
// are the record's; a record without them (A not above 0) and an R7-PLAX section take those of
// the thin-walled model (the solver's current section changes; no model: 0). Null: 0.
int Profil_Without_Warping_Resistance(const PROFIL *profil);
// The warping torque of a profile without warping resistance is carried as St Venant
// torsion (EN 1993-1-1, 6.2.7(2), (7)): *T_t := *T_t + *T_w (0 when below T_zero in
// magnitude), *T_w := *B := 0. Returns 1 when it did so and T_w or B was not 0 (the caller
// writes Print_St_Venant_Note once), else 0 with the forces untouched. Any units.
int Take_Warping_as_St_Venant(const PROFIL *profil, double *T_t, double *T_w, double *B, double T_zero);
// The note of that rule (stream given, level at least 1) for the forces as given to it
// (kNm, kNm²): "Hohlprofil", "Flachstahl", "Rundstahl" or "Profil ohne Wölbwiderstand",
// then, where T_w is not 0, that the warping torque is taken as St Venant torsion with the
// sum "T_t + T_ω = 5.00 + (-2.50) = 2.50 kNm", and, where B is not 0, that the bimoment
// "B = 0.50 kNm²" is not taken into account.
void Print_St_Venant_Note(const PROFIL *profil, double T_t, double T_w, double B, FILE *stream, int level);

// 1 when Print_Stress_Check takes the forces, as given, as zero (each rounded to zero below
// its threshold, then every one below 0.001), else 0: a check that finds nothing to prove.
int Stress_Check_Forces_Zero(double N, double M_y, double M_z, double V_y, double V_z, double T_t, double T_w,
                             double B);
