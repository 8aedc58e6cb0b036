// materials/materials.h — materials of steel, stainless-steel and aluminium members and
// plates: the material record with its strength check and data-file block, the partial
// safety factors, the steel grade tables (stguete), the aluminium alloys (alguete), the
// Eurocode steel grade list, the plate record with its resistances, the concrete and
// reinforcing-steel grades with the bar routines, and the print paragraphs of materials.
//
// Units: thicknesses in mm, strengths and moduli in N/mm²; MATERIAL::alphaT in
// 10^-5 1/K, STEEL_GRADE::alphaT and ALU_GRADE::alphaT in 1/K.
// Print-list streams are plain FILE handles; every writer does nothing for null.
// Data-file readers and writers return 0 on success and 1 on failure.
//
// Module state: the user-defined steel grades and aluminium alloys (each list with the
// index of the last grade found), the DIN grade picker grid, the ring of grade-name
// buffers and the EC2 factor set with its user-values flag. Reset_Materials_For_Tests()
// brings all of it back to program start; Host_Reset calls it once a user grade or alloy
// was added or the EC2 set was loaded or flagged.
// Not re-entrant.
#pragma once

#include <cstdint>
#include <cstdio>

// ---------------------------------------------------------------- records

// Material families of MATERIAL::family.
enum : int32_t {
  MATERIAL_FAMILY_EC_STEEL = 0,  // Eurocode steel list with the stainless steels
  MATERIAL_FAMILY_DIN_STEEL = 1, // DIN steel grades of the stguete table
  MATERIAL_FAMILY_ALUMINIUM = 2, // alguete aluminium alloys
};

inline constexpr int MATERIAL_NAME_SIZE = 28;
// Names are kept blank-padded to 25 characters (Pad_With_Blanks with 26).
inline constexpr int MATERIAL_NAME_PAD = 26;
// Longest token the data-file reader accepts as a name.
inline constexpr int MATERIAL_NAME_READ_MAX = 27;
inline constexpr int MATERIAL_FILE_VERSION = 2;

struct MATERIAL {
  int32_t grade;       // row of the Eurocode list (0), DIN picker place (1), alloy code (2)
  char name[MATERIAL_NAME_SIZE];  // the user's identifier ("Kennung")
  int32_t user_values; // 1: the user gives the strengths ("Vorgabe")
  double fy_40, fu_40; // t <= 40 mm (aluminium: 0.2 % proof strength and fu)
  double fy_80, fu_80; // 40 < t <= 80 mm
  double fy_inf, fu_inf;  // t > 80 mm
  double E;
  double betaw;        // correlation factor of fillet welds
  int32_t grade_copy;  // set to grade by every strength check
  int32_t family;      // MATERIAL_FAMILY_*
  double fy, fu;       // for the current thickness
  double G;
  double nu;
  double alphaT;       // 10^-5 1/K
};

// Partial safety factors of the materials.
inline constexpr int SAFETY_FACTORS_FILE_VERSION = 2;

struct SAFETY_FACTORS {
  int32_t standardised;  // 1: taken from the active national annex ("genormt")
  double gamma_M0;
  double gamma_M1;
  double gamma_M2;
  double gamma_M3;
  double gamma_M4;
  double gamma_M5;
  double gamma_M6_ser;
  double gamma_M7;
  double gamma_M3_ser;
  double gamma_M_ser;
  double gamma_M_fi;
  int32_t source;        // 0 EC3 block (steel), 2 EC9 block (aluminium), else none
};

// Mask bits of the safety-factor rows (Print_Safety_Factors); 0 means all but gamma_M5.
enum : int {
  SF_MASK_M0 = 0x154,
  SF_MASK_M1 = 0x8,
  SF_MASK_M2 = 0x73,
  SF_MASK_M3 = 0x100,
  SF_MASK_M3_SER = 0x80,
  SF_MASK_M4 = 0x20,
  SF_MASK_M6_SER = 0x40,
  SF_MASK_M5 = 0x1000,
  SF_MASK_M7 = 0x200,
  SF_MASK_M_SER = 0x400,
  SF_MASK_M_FI = 0x800,
};

// A single plate: its material, thickness t, width b and length l (mm).
struct PLATE {
  MATERIAL material;
  double t;
  double b;
  double l;
};

// One row of the steel grade tables.
struct STEEL_GRADE {
  int32_t code;      // row number; user grades: identifier | 0x8000
  const char *name;
  double E, G, nu;
  double alphaT;     // 1/K
  double fy1;        // t <= t1
  double fy2;        // t > t1
  double t1;         // mm
  double t_max;      // mm
  double fu;
  double alpha_w;    // correlation factor of the old German weld check
};

// One row of the Eurocode steel grade list (family 0 of MATERIAL).
inline constexpr int EC_GRADE_NAME_SIZE = 16;
struct STEEL_GRADE_LIST {
  char name[EC_GRADE_NAME_SIZE];  // blank-padded to 15 characters
  double fy_40, fu_40;   // t <= 40 mm
  double fy_80, fu_80;   // 40 < t <= 80 mm (0 where the list has no values)
  double betaw;
};
inline constexpr int EC_GRADE_LIST_COUNT = 31;   // rows 0-25 carbon, 26-30 stainless
inline constexpr int EC_GRADE_LAST_CARBON = 25;

// One row of the aluminium alloy table (EN 1999-1-1).
struct ALU_GRADE {
  int32_t number;        // row number; user alloys: identifier | 0x8000
  const char *name;      // e.g. "3004 H14"
  const char *alloy;     // e.g. "3004"
  const char *temper;    // temper and range
  double t_min, t_max;   // mm
  double E, G, nu;
  double alphaT;         // 1/K
  double f0;             // 0.2 % proof strength
  double fu;
  double A;              // elongation at fracture, %
  double f0_haz, fu_haz; // heat-affected zone
  double rho0_haz, rhou_haz;
  const char *buckling_class;  // "A" or "B"
  int32_t reserved;
  double n_p;            // exponent of the material law, 0 where none
};
inline constexpr int ALU_GRADE_COUNT = 97;

// ---------------------------------------------------------------- material record

// Clears the record (name 25 blanks) and sets the family-0 constants: E 210000,
// betaw 0.8, nu 0.3, G = E/2.6, alphaT 1.2. Null does nothing.
void Reset_Material_Data(MATERIAL *m);
// Reset, then the strength check at t = 0 without output: grade 0 "S235" with its values.
void Init_Material_Data(MATERIAL *m);
// Resets dst and copies every field of src into it (src null: dst only reset).
void Copy_Material_Data(const MATERIAL *src, MATERIAL *dst);
// As Copy_Material_Data, then fy, fu from the range pair of t (mm): t < 40.001 the
// first, t < 80.001 the second, else the third. No grade table is read.
void Copy_Material_for_Thickness(const MATERIAL *src, MATERIAL *dst, double t);
// Sets fy, fu (with table values all strengths and constants of the family) for the
// plate thickness t (mm) and checks the lower limits. Failures go as red lines into
// list (when not null) and as message boxes when show is set; prefix (null: empty)
// opens every message and line. Returns 1 when a limit failed, a table strength is 0 for
// t, or a negative grade was replaced; else 0 (null m: 0). A grade its family's table
// does not hold (Eurocode list row above 30, DIN picker place above 10, an alloy code
// answered by the fallback row) gets fy = fu = 0 and is reported as a missing strength;
// the grade and the stored range strengths stay.
int Check_Material_Strength(MATERIAL *m, double t, FILE *list, int show, const char *prefix);
// 1 when grade, user_values and family agree, fy, fu, G, nu, alphaT within 0.01 and,
// with user values, also the six range strengths, E and betaw; else 0 (also for null).
int Compare_Material_Data(const MATERIAL *a, const MATERIAL *b);
// Data-file block, text, version 2. The family is not stored. 1, and nothing written,
// for a null argument or a value that is not finite (the reader would refuse it); 1 for a
// failed write.
int Write_Material_Data(FILE *f, const MATERIAL *m);
// Reads versions 0 to 2 and ends with the strength check at t = 0. A short, garbled or
// newer record returns 1: fields read before the failure keep their new values, the
// others their old ones, and no strength check runs.
int Read_Material_Data(FILE *f, MATERIAL *m);

// Row of the Eurocode steel list, null outside 0..30.
const STEEL_GRADE_LIST *Get_EC_Grade_List_Row(int row);
// List name of family 0 rows 0..25 without trailing blanks, else "". The text lives in
// a ring of ten buffers: valid until ten further calls.
const char *Get_EC_Grade_Name(int family, int row);
// 150 for family 0 and row < 26, else deflt.
double Get_Grade_Default_Value(int family, int row, double deflt);
// Grade groups of the Eurocode list; 1 or 0.
int Is_EC_Grade_S235(int row);
int Is_EC_Grade_S275(int row);
int Is_EC_Grade_S355(int row);
int Is_EC_Grade_S420(int row);
int Is_EC_Grade_S450_S460(int row);
int Is_EC_Grade_Weathering(int row);

// Clears a plate: material as Reset_Material_Data, t, b, l 0.
void Reset_Plate_Data(PLATE *p);

// ---------------------------------------------------------------- safety factors

// Every field 0. Null does nothing.
void Reset_Safety_Factors(SAFETY_FACTORS *sf);
// Resets dst and copies every field of src (src null: dst only reset).
void Copy_Safety_Factors(const SAFETY_FACTORS *src, SAFETY_FACTORS *dst);
// 1 when the standardised flags agree and the eleven factors within 0.01 (source not
// compared); 0 otherwise or for null.
int Compare_Safety_Factors(const SAFETY_FACTORS *a, const SAFETY_FACTORS *b);
// For a standardised record: the factors from the active national annex by source
// (0 the EC3 block, 2 the EC9 block, other: nine factors 0); gamma_M,ser and gamma_M,fi
// always from the EC3 block (0 without one).
void Load_Safety_Factors_from_NAD(SAFETY_FACTORS *sf);
// Mode 0: the EC3 block, its nine factors gamma_M0..gamma_M3,ser into out (when given);
// mode 2: the EC9 block, its two factors into out[0], out[1]; other modes clear out[0..8]
// and return null. Returns the block read (NAD_EC3_PARAMETERS or NAD_EC9_PARAMETERS) or null.
const void *Get_NAD_Safety_Factors(int mode, double *out);
// gamma_M,ser and gamma_M,fi of the active EC3 block, 0 without one.
double Get_NAD_Gamma_M_ser();
double Get_NAD_Gamma_M_fi();
// Data-file block, text, version 2; the source is not stored. 1, and nothing written, for
// a null argument or a factor that is not finite; 1 for a failed write.
int Write_Safety_Factors(FILE *f, const SAFETY_FACTORS *sf);
// Reads versions 0 to 2; older files leave the missing factors as they were. A short,
// garbled or newer record returns 1 with the unread fields unchanged.
int Read_Safety_Factors(FILE *f, SAFETY_FACTORS *sf);
// The safety-factor paragraph of the print list for the rows of mask (SF_MASK_*).
void Print_Safety_Factors(const SAFETY_FACTORS *sf, FILE *list, int mask);

// ---------------------------------------------------------------- steel grades (stguete)
// Grade code: bits 0-14 row (built-in) or identifier (user grade), bit 15 user grade,
// high half 1 the European values, any other the DIN values.

inline constexpr int STGUETE_ROW_COUNT = 44;
inline constexpr int STGUETE_USER_BIT = 0x8000;
inline constexpr int STGUETE_EUROPEAN = 0x10000;  // high half 1
inline constexpr int STGUETE_GRID_PLACES = 11;

// The row of a code; the fallback row "?????" of the code's table when there is none.
const STEEL_GRADE *Get_Stguete_Record(int code);
// fy2 when t (mm) > t1 + 0.001, else fy1.
double Get_Stguete_fy(int code, double t);
// E of the row; G through the pointer when given.
double Get_Stguete_E_G(int code, double *G);
// Name of the row, "?????" for a code not in the tables.
const char *Get_Stguete_Name(int code);
// fy for t as Get_Stguete_fy; out[0], out[1], out[3] := fy/gamma, out[2] := fy/(gamma·√3);
// gamma 0: all four fy. Returns 1 for a built-in row 0..43 or a user grade in the list,
// 0 when the fallback row answered (an unknown user grade included) and without out.
int Get_Stguete_fy_Checked(int code, double t, double gamma, double out[4]);
// Adds or replaces a user grade (the name is copied); returns its code
// (code & 0x7FFF) | 0x8000, 0 for null or when the list cannot grow.
int Set_User_Stguete(const STEEL_GRADE *row);
// 1 when the user grade was found and removed, else 0.
int Remove_User_Stguete(int code);
// Frees the names of every user grade and empties the list.
void Clear_User_Stguete();
int Get_User_Stguete_Count();
// The user row at index, the European fallback outside the list.
const STEEL_GRADE *Get_User_Stguete_Row(int index);
// high 1: the European fallback row, else the DIN fallback row.
const STEEL_GRADE *Get_Stguete_Fallback_Row(int high);
// Built-in row of a Eurocode-list row (0..25); -1 for stainless rows and others.
int Get_Stguete_Code_of_Grade(int ec_row);
// Inverse for the first twelve list rows; -1 otherwise.
int Get_EC_Index_of_Stguete_Row(int row);
// Fills the DIN grade picker grid once (later calls do nothing).
void Init_Stguete_Name_Grid();
// Name of a picker place 0..10 (after Init_Stguete_Name_Grid), "" otherwise.
const char *Get_Stguete_Name_Grid_Entry(int place);
// The code at index, 5 when index is outside 0..count-1 (or codes null).
int Get_Stguete_Code_by_Index(int index, const int *codes, int count);

// Grade code of a row index for the checks by material kind (low 16 bits of the kind
// word): kind 1 (steel to the Eurocode) and no kind word give index | 0x10000 (European
// values), every other kind the bare index (DIN values; aluminium: the alloy code).
uint32_t Make_Stguete_Code(const uint32_t *kind_word, uint16_t index);
uint32_t Make_Grade_Code(uint16_t kind, uint16_t index);

// ---------------------------------------------------------------- aluminium (alguete)
// Alloy code: 16 bits; 0..96 built-in rows, bit 15 a user alloy (identifier in the low
// 15 bits), any other value the fallback row.

inline constexpr int ALGUETE_USER_BIT = 0x8000;

const ALU_GRADE *Get_Alguete_Record(int code);
double Get_Alguete_t_min(int code);
double Get_Alguete_t_max(int code);
double Get_Alguete_f0(int code);
double Get_Alguete_fu(int code);
// E of the row; G through the pointer when given.
double Get_Alguete_E_G(int code, double *G);
const char *Get_Alguete_Name(int code);
const char *Get_Alguete_Alloy(int code);
const char *Get_Alguete_Temper(int code);
// 1 for buckling class B, 0 for A and for a code not in the table.
int Get_Alguete_Buckling_Class(int code);
// Adds or replaces a user alloy (texts copied, class "B" or "A"); returns
// (number & 0x7FFF) | 0x8000, 0 for null or when the list cannot grow.
int Set_User_Alguete(const ALU_GRADE *row);
int Remove_User_Alguete(int code);
void Clear_User_Alguete();
int Get_User_Alguete_Count();
const ALU_GRADE *Get_User_Alguete_Row(int index);
const ALU_GRADE *Get_Alguete_Fallback_Row();

// ---------------------------------------------------------------- plates
// Dimensions in mm, strengths in N/mm²; resistances in kN and kNm.

inline constexpr int PLATE_FILE_VERSION = 0;

// Resets dst and, with a source, copies the material part and t, b, l.
void Copy_Plate_Data(const PLATE *src, PLATE *dst);
// 1 when the material parts agree as in Compare_Material_Data and t, b, l each within
// 0.01; 0 otherwise or for null.
int Compare_Plate_Data(const PLATE *a, const PLATE *b);
// Table values only (user values: 0): t above 80.1 mm switches the plate to user values
// (with show the message box "…Blechdicke t = … mm > 80 mm -> Vorgabe der
// Stahlparameter notwendig") and returns 1; 80 < t <= 80.1 becomes 80; else 0.
int Check_Plate_Thickness_Limit(PLATE *p, const char *prefix, int show);
// Checks of flags: 0x40 t, 0x10 l, 0x20 b below 1 mm (red line into list, message box
// with show), then always the strength check of the material at the plate's t; the
// "Stahldicke" box of that check only with flag 0x1. 1 when any check failed.
int Check_Plate_Material(PLATE *p, FILE *list, int show, int flags, const char *prefix);
// Data-file block, text, version 0: the version, t b l, then the material block. The
// reader takes material blocks of versions 0 to 2, ends with the silent strength check
// at the plate's t and changes nothing on a short, garbled or newer block. The writer
// writes nothing for a t, b or l that is not finite (1).
int Write_Plate_Data(FILE *f, const PLATE *p);
int Read_Plate_Data(FILE *f, PLATE *p);
// The material paragraph of Print_Material_Data; with user values fy and fu of all three
// thickness ranges on two lines.
void Print_Plate_Material(const PLATE *p, FILE *list, int mask, int with_values, const char *subscript);
// One line of the dimensions of mask (64 t, 32 b, 16 l) separated by ",  "; with mask 1
// the material paragraph follows (its value mask: the bits 2 and 4 of mask), on the same
// line after ",  " when with_values is 0 and the plate has table values, else on the
// next line. Returns 0, or -1 when a write failed; -1 and nothing written for a null
// plate or stream or mask 0.
int Print_Plate_Dimensions(const PLATE *p, FILE *list, int mask, int with_values, const char *subscript);

// Plate resistances (EN 1993-1-1, 6.2.3 and 6.2.6): each computes and, with a stream,
// writes its formula: level 0 the short form, above 0 the long form with the
// intermediate values. An input of 0.01 or less counts as absent; a resistance whose
// inputs are absent is left out, and the function returns 0 when none is left.
// Shear of a plate section of length l (net length l_net) and thickness t: V_Rd =
// min(V_pl,Rd, V_u,Rd) in kN; symbol names the length in the formula ("l", "h").
double Print_Plate_Shear_Resistance(FILE *list, int level, const char *symbol, double l, double l_net, double t,
                                    double fy, double fu, double gamma_M0, double gamma_M2);
// Torsion of a plate of height h: M_Rd = W_t fy / (√3 γM0), W_t = t h²/6, in kNm.
double Print_Plate_Torsion_Resistance(FILE *list, int level, const char *symbol, double h, double t, double fy,
                                      double gamma_M0);
// Tension of a plate of width b (net width b_net): N_t,Rd = min(N_pl,Rd, N_u,Rd) in kN.
double Print_Plate_Tension_Resistance(FILE *list, int level, double b, double b_net, double t, double fy,
                                      double fu, double gamma_M0, double gamma_M2);
// a / (√3 b) and a / b; 0 for b <= 0.
double Calc_Shear_Resistance(double a, double b);
double Calc_Ratio(double a, double b);

// ---------------------------------------------------------------- concrete and reinforcing steel
// EN 1992-1-1 grades with the German national values, and the grades of DIN 1045 (7.88)
// for existing structures. Units: strengths and moduli kN/m², lengths m, densities
// kg/m³, strains as ratios (negative in compression).

inline constexpr int CONCRETE_NAME_SIZE = 50;        // 49 characters
inline constexpr int CONCRETE_GRADE_COUNT = 15;      // C12/15 .. C100/115
inline constexpr int CONCRETE_LIGHTWEIGHT_COUNT = 11;  // LC12/13 .. LC60/66
inline constexpr int REBAR_GRADE_COUNT = 2;          // BSt 500 (A), (B)
inline constexpr int DIN1045_CONCRETE_COUNT = 5;     // B15 .. B55
inline constexpr int DIN1045_REBAR_COUNT = 3;        // BSt 220/340 .. BSt 500 S
inline constexpr int BAR_DIAMETER_COUNT = 10;
inline constexpr double CONCRETE_FILE_VERSION = 1.2;
inline constexpr double REBAR_FILE_VERSION = 1.0;
// The grade choice lists number the grades from 5 (0 to 4 are the DIN 1045 grades):
// choice value v names table row v − 5. Widths of the choice lists' name fields.
inline constexpr int CONCRETE_NAME_FIRST_ROW = 5;
inline constexpr int CONCRETE_LIST_NAME_WIDTH = 9;
inline constexpr int DIN1045_CONCRETE_NAME_WIDTH = 5;
inline constexpr int DIN1045_REBAR_NAME_WIDTH = 13;

struct CONCRETE_GRADE {
  char name[CONCRETE_NAME_SIZE];
  double fck;          // characteristic cylinder strength
  double alpha;        // long-term factor: 0.85, lightweight concrete 0.8
  double eps_c1, eps_cu1;  // parabola-rectangle law of non-linear analysis
  double eps_c2, eps_cu2;  // design law
  double n;            // exponent of the design law
  int32_t lightweight;
  double density;      // 2200 for normal concrete
  int32_t e_automatic; // 1: E_cm follows from fck
  double E_cm;
};

struct REBAR_GRADE {
  char name[CONCRETE_NAME_SIZE];
  double fyk, ftk;
  double eps_uk;
  double Es;
};

// DIN 1045 (7.88): nominal strength beta_WN, calculation strength beta_R (Table 12), the
// shear stress limits tau_011, tau_012, tau_02 (Table 13), the permissible bond stresses of
// ribbed bars in good and moderate bond (Table 19), E. Stored and copied; no routine here
// reads the limits.
struct DIN1045_CONCRETE {
  char name[CONCRETE_NAME_SIZE];
  double beta_wn, beta_r;
  double tau_011, tau_012;
  double tau_02;
  double bond_good, bond_moderate;
  double E;
};

struct DIN1045_REBAR {
  char name[CONCRETE_NAME_SIZE];
  double fyk;
  double eps;     // strain
  double factor;
  double Es;
};

// Row 0..14 of the concrete table, lightweight rows 0..10 (the given density); any other
// row leaves the record unchanged. Sets every field; E_cm by Calc_Concrete_Ecm, for
// lightweight concrete times (density/2200)², and eps_c1 = eps_cu1 = −1.2 (fcm + 8) /
// E_cm,plain (N/mm²).
void Set_Concrete_Grade(CONCRETE_GRADE *c, int row, int lightweight, double density);
// eps_c1, eps_cu1 of fck, linear between the table rows (clamped at both ends).
void Interpolate_Concrete_Strains(double *eps_c1, double *eps_cu1, double fck);
// A DIN 1045 grade (row clamped to 0..4) as an EN record "B25 (nicht mehr genormt!)":
// fck = 0.78125 beta_WN, strains interpolated, E_cm the DIN modulus.
void Set_Old_Concrete_Grade(CONCRETE_GRADE *c, int row);
// The DIN 1045 rows (row clamped to the table).
void Set_DIN1045_Concrete_Grade(DIN1045_CONCRETE *c, int row);
void Set_DIN1045_Rebar_Grade(DIN1045_REBAR *r, int row);
// A free DIN 1045 grade cannot be given: a message box says so and the record becomes
// "B25" or "BSt 500 S". Return 1.
int Default_DIN1045_Concrete(DIN1045_CONCRETE *c);
int Default_DIN1045_Rebar(DIN1045_REBAR *r);
// Grade 0 "BSt 500 (A)", 1 "BSt 500 (B)" (other grades: unchanged); the short names
// "B500A", "B500B"; the DIN rows as "… (nicht mehr genormt!)" (row clamped).
void Set_Rebar_Grade(REBAR_GRADE *r, int grade);
void Set_Rebar_Grade_Short_Name(REBAR_GRADE *r, int grade);
void Set_Old_Rebar_Grade(REBAR_GRADE *r, int row);
// Every field; the name cut to 49 characters.
void Copy_Concrete_Grade(CONCRETE_GRADE *dst, const CONCRETE_GRADE *src);
// Names of the grade choice lists: concrete choice value 5..19 (lightweight 5..15), the
// DIN rows 0..4 and 0..2; "" outside.
const char *Get_Concrete_Grade_Name(int value, int lightweight);
const char *Get_DIN1045_Concrete_Name(int row);
const char *Get_DIN1045_Rebar_Name(int row);

// E_cm = E_c0m min(1, 0.8 + fcm/440), E_c0m = 9.5·10^6 fcm^(1/3), fcm = fck/1000 + 8.
double Calc_Concrete_Ecm(double fck);
double Calc_Concrete_Ecm_Plain(double fck);
// 1000 f eta_1 with f = fctm (N/mm², one decimal) of EN 1992-1-1 Table 3.1; fctk;0,05
// with 0.7 f.
double Calc_Concrete_fctm(double fck, double density);
double Calc_Concrete_fctk005(double fck, double density);
double Calc_Lightweight_eta1(double density);
// Partial factors by design situation (1 accidental, 4 none), raised for high strengths.
double Calc_Concrete_gamma_c(double fck, int situation);
double Calc_Steel_gamma_s(int situation);
// beta_cc(t) of EN 1992-1-1 (3.2); class 1, 2, 3: s = 0.38, 0.25, 0.2, else 0.21.
double Calc_Concrete_beta_cc(double days, int cement_class);
// −a b / c; 0 for |c| < 1e-5.
double Calc_Strain_Ratio(double a, double b, double c);

// Records in the versioned value stream (support/datastream.h) of the open writer and
// reader: 0, or 1 on a failed write or read. A reader takes blocks without a version
// line as version 1.0 and changes the record only when the whole block was read;
// missing fields: density 2200, e_automatic 1, E_cm as Set_Concrete_Grade computes it.
// eps_c1 and eps_cu1 are not stored. A block whose flags are not 0 or 1 or whose density or
// E_cm (read or computed) is not a positive finite number is refused.
int Write_Concrete_Grade(const CONCRETE_GRADE *c);
int Read_Concrete_Grade(CONCRETE_GRADE *c);
int Write_Rebar_Grade(const REBAR_GRADE *r);
int Read_Rebar_Grade(REBAR_GRADE *r);

// The EC2 factor set (module state): a copy of the active set's EC2 block. Both loaders
// return the module's set, never null; without an active set it keeps its values.
// Get_Rebar_NAD_Block reloads only while the user-values flag is clear.
struct NAD_EC2_PARAMETERS;
NAD_EC2_PARAMETERS *Load_Rebar_NAD_Parameters();
NAD_EC2_PARAMETERS *Get_Rebar_NAD_Block();
void Set_Rebar_NAD_User_Values(int on);
int Get_Rebar_NAD_User_Values();
// gamma_c, gamma_s of design situation 0..4 (through Get_Rebar_NAD_Block); 0 outside.
double Get_EC2_Concrete_Factor(int situation);
double Get_EC2_Steel_Factor(int situation);
// value · alpha_cc / gamma_c of the situation; 0 when that factor is 0.
double Calc_Design_Strength(double value, int situation);

// Bar reinforcement. Diameters in m, areas in m² (per metre: m²/m). No routine returns
// a value that is not finite: a divisor that is not positive gives 0.
double Get_Bar_Diameter(int index);  // table index 0..9, else 0
// Largest table diameter below d; −1 when d <= 0.006.
double Next_Smaller_Bar_Diameter(double d);
// c + s + d/2 (two layers and more: c + s + d).
double Calc_Bar_Centre_Distance(double c, double s, int layers, double d);
// ceil(A / (π d²/4)); ceil((A − A0) / (|n| π d²/4)).
int Calc_Bar_Count(double A, double d);
int Calc_Bar_Count_Rest(double A, double d, int n, double A0);
// Spacing in cm of bars d that give the area a per metre, rounded down to 0.5 cm.
double Calc_Bar_Spacing_for_Area(double a, double d);
// First table index whose n bars, m times, reach A; −1 when none.
int Find_Bar_Diameter(double A, int n, double m);
// From n0 bars upwards the first count and table index i0..i1 whose area, m times,
// reaches A: 1 with *n, *i; 0 when none (nothing stored).
int Find_Bar_Count_and_Diameter(double A, int n0, int i0, int i1, double m, int *n, int *i);
// n π d²/4 (6 decimals); bundles of m bars: n π (√m d)²/4.
double Calc_Bar_Area(int n, double d);
double Calc_Bundle_Area(int n, int m, double d);
// π d²/4 / a (6 decimals): the area per metre of bars d at spacing a.
double Calc_Area_per_Spacing(double a, double d);
// max(2, L/s + 1).
double Calc_Bar_Count_for_Length(double L, double s);
// (b − 2c − d) / (d + e), not below 0.
double Calc_Bars_in_Width(double b, double c, double e, double d);
// Chord 2 r sin(π/n) of n bars on a circle (1e100 for n < 1); pitch L/(n − 1) (1e100
// for n < 2); bars of spacing s on a circle of radius r: π / asin(s/2r), 2 for s >= 2r.
double Calc_Bar_Chord(int n, double r);
double Calc_Bar_Pitch(int n, double L);
double Calc_Bars_on_Circle(double s, double r);

// ---------------------------------------------------------------- print paragraphs

// Material paragraph of the print list: the grade line and, with values or user values,
// fy, fu and the rows of mask (2 betaw, 4 E, 0x80 alphaT); subscript after the indices.
void Print_Material_Data(const MATERIAL *m, FILE *list, int mask, int with_values,
                         const char *subscript);
// epsilon = sqrt(235/fy · E/210000) (E below 0.001 taken as 210000); 0 for fy below
// 0.001. With a stream the formula is written (without a line end).
double Print_Epsilon(double fy, double E, FILE *list);

// Back to program start: user grade and alloy lists emptied (and freed), picker grid and
// name ring cleared, the EC2 factor set back to the default set's block, its user-values
// flag clear.
void Reset_Materials_For_Tests();
