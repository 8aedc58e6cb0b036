// materials/materials.h — materials of steel, stainless-steel and aluminium members and
// plates: the material record with its strength check and data-file block, the partial
// safety factors, the steel grade tables (stguete), the aluminium alloys (alguete), the
// Eurocode steel grade list and the print paragraphs of materials.
//
// Units: thicknesses in mm, strengths and moduli in N/mm²; MATERIAL::alphaT in
// 10^-5 1/K, STEEL_GRADE::alphaT and ALU_GRADE::alphaT in 1/K.
// Print-list streams are plain FILE handles; every writer does nothing for null.
// Data-file readers and writers return 0 on success and 1 on failure.
//
// Module state: the user-defined steel grades and aluminium alloys (each list with the
// index of the last grade found), the DIN grade picker grid and the ring of grade-name
// buffers. Reset_Materials_For_Tests() brings all of it back to program start; Host_Reset
// calls it once a user grade or alloy was added.
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
// t, or a negative grade was replaced; else 0 (null m: 0).
int Check_Material_Strength(MATERIAL *m, double t, FILE *list, int show, const char *prefix);
// 1 when grade, user_values and family agree, fy, fu, G, nu, alphaT within 0.01 and,
// with user values, also the six range strengths, E and betaw; else 0 (also for null).
int Compare_Material_Data(const MATERIAL *a, const MATERIAL *b);
// Data-file block, text, version 2. The family is not stored.
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
// Data-file block, text, version 2; the source is not stored.
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

// ---------------------------------------------------------------- print paragraphs

// Material paragraph of the print list: the grade line and, with values or user values,
// fy, fu and the rows of mask (2 betaw, 4 E, 0x80 alphaT); subscript after the indices.
void Print_Material_Data(const MATERIAL *m, FILE *list, int mask, int with_values,
                         const char *subscript);
// epsilon = sqrt(235/fy · E/210000) (E below 0.001 taken as 210000); 0 for fy below
// 0.001. With a stream the formula is written (without a line end).
double Print_Epsilon(double fy, double E, FILE *list);

// Back to program start: user grade and alloy lists emptied (and freed), picker grid and
// name ring cleared.
void Reset_Materials_For_Tests();
