// stress/stress_methods.h — stress methods on the solver's current section: the partial
// internal forces method of plated sections (tsv), its front end for general line
// sections (tsv_ex), and the accessors of the result slot the three methods share.
//
// Units: lengths cm, forces kN, moments kNcm, bimoments kNcm², stresses and f_y kN/cm².
// Section forces are eight doubles in the method order N, V_y, V_z, M_xp (St Venant
// torsion), M_y, M_z, M_xs (warping torsion), B, about the centroid in the solver's y-z
// axes (z downward, compression negative); each method turns V and M once into the
// principal axes with Transform_Profil_Section_Forces. A material pair is two doubles
// whose second is f_y.
//
// The methods keep no state between calls; they read the solver's current section
// (dwqb/dwqb.h), so a caller must not change it between preparation and calculation.
// Not re-entrant.
#pragma once

#include <cstdint>
#include <cstdio>

#include "analysis/masque.h"
#include "dwqb/dwqb_stress.h"
#include "querschnitt/querschnitt.h"

// ================================================================ result slot
// State word: bits 0-3 the method's state, bits 4-23 the caller's field, bit 24 prepared.
inline constexpr uint32_t CHECK_SLOT_PREPARED = 0x1000000;
// tsv, bit 25: the flange plates are those of a library rolled I with its root fillets
// (option bit 2); the flanges take shear and torsion on the library's b and t_f.
inline constexpr uint32_t TSV_STATE_FILLET_FLANGES = 0x2000000;

// Accessors of the slot in the value block of a check-data view (null view: nothing, 0 or
// null). The three methods share the one slot.
void Set_TSV_Result_State(QS_CHECK_VIEW *view, uint32_t state);
uint32_t Get_TSV_Result_State(const QS_CHECK_VIEW *view);
float *Get_TSV_Result_Data(QS_CHECK_VIEW *view);
void Set_PLO_Result_State(QS_CHECK_VIEW *view, uint32_t state);
uint32_t Get_PLO_Result_State(const QS_CHECK_VIEW *view);
float *Get_PLO_Result_Data(QS_CHECK_VIEW *view);
void Set_TSV_EX_Result_State(QS_CHECK_VIEW *view, uint32_t state);
uint32_t Get_TSV_EX_Result_State(const QS_CHECK_VIEW *view);
float *Get_TSV_EX_Result_Data(QS_CHECK_VIEW *view);

// ================================================================ tsv: plated sections
// Plate models (low four bits of the slot's state word).
enum { TSV_MODE_TUBE = 1, TSV_MODE_ONE_FLANGE = 2, TSV_MODE_TWO_FLANGES = 3, TSV_MODE_DISC = 14, TSV_MODE_FLAT = 15 };

// Slot data block of tsv: 0, 1 reference point (web centre); 2, 3 top flange centre;
// 4, 5 web centre; 6, 7 bottom flange centre; 8, 9 b_o, t_o; 10, 11 h_w, t_w (tube: D, t;
// flat bar: its two sides); 12, 13 b_u, t_u; 14, 15 plastic shape factors about y and z.
enum { TSV_D_Y0, TSV_D_Z0, TSV_D_YO, TSV_D_ZO, TSV_D_YW, TSV_D_ZW, TSV_D_YU, TSV_D_ZU, TSV_D_BO, TSV_D_TO, TSV_D_HW,
       TSV_D_TW, TSV_D_BU, TSV_D_TU, TSV_D_KY, TSV_D_KZ };

// Result flags.
enum : uint32_t {
  TSV_F_SHEAR = 0x1, TSV_F_FLANGE_BENDING = 0x2, TSV_F_NORMAL = 0x4, TSV_F_MOMENT = 0x8, TSV_F_PARTIAL = 0x10,
  TSV_F_FLAT = 0x80000, TSV_F_TOP = 0x100000, TSV_F_BOTTOM = 0x200000, TSV_F_WEB = 0x400000,
  TSV_F_CIRCULAR = 0x800000, TSV_F_FINAL = 0x1000000,
};

// The method's input frame.
struct TSV_SECTION {
  int field, mode;
  double alpha;                     // principal angle (rad)
  double y_s, z_s, y_M, z_M;        // centroid and shear centre
  double y0, z0;                    // reference point
  double y_o, z_o, b_o, t_o;        // top flange centre, width, thickness
  double y_u, z_u, b_u, t_u;        // bottom flange
  double y_w, z_w, h_w, t_w;        // web centre, height, thickness (tube: D, t; flat: sides)
  // Width and thickness with which a flange takes its shear (V/(b t)) and its St Venant
  // torsion (b t³/3) where they differ from its plate (the rolled I's flange without its
  // fillets); 0: the plate's.
  double b_o_v = 0, t_o_v = 0, b_u_v = 0, t_u_v = 0;
};

// Result of one run (312 bytes; written whole by every run). Utilisations not computed
// stay −1.
struct TSV_RESULT {
  uint32_t flags;
  double V_o, V_u, V_s;
  double M_xp_o, M_xp_u, M_xp_s;
  double M_Sa_o, M_Sa_u;
  double N, M_y_ref, M_y_s;
  double N_lo_o, N_hi_o, N_lo_u, N_hi_u, N_lo_s, N_hi_s;
  double N_lo, N_hi, M_lo, M_hi, M_y_s_lo, M_y_s_hi;
  double f_y, tau_R;
  double rho_o, rho_u, rho_s;
  double U_tau, U_tau_o, U_tau_u, U_tau_s;
  double U_MS, U_MS_o, U_MS_u;
  double U_N, U_My, U;
};

// Prepares the slot of the view for the method: 2 when it does not apply (null view,
// shape 99, a shape or option combination without plate model, a library source value
// that differs from the library's; slot cleared), 3 when the slot holds the plate model
// (and the shape factors when the solver model could be built). Options: bit 0 the
// alternative models of turned and hollow shapes, bit 1 the root-fillet model of rolled
// I sections, bit 2 the fillet-area model of rolled I sections (web h − 2 t_f; each flange
// with the area b t_f + 2 (1 − π/4) r² at the centroid of the flange and its two fillets,
// as wide as gives it their own plastic modulus about the web's axis: A and W_pl,y of the
// rolled section, never more than it under N with M_y or M_z; shear and torsion of the
// flanges on b and t_f (state bit TSV_STATE_FILLET_FLANGES); it goes before bit 1). The
// Default form passes options 0.
int Run_TSV_Nachweis(int field, QS_CHECK_VIEW *view, int options);
int Run_TSV_Nachweis_Default(int field, QS_CHECK_VIEW *view);
// 1 when the preparation would find a plate model (no solver work), else 0 (null view).
int TSV_Querschnitt_Possible(const QS_CHECK_VIEW *view, int options);
int TSV_Querschnitt_Possible_Default(const QS_CHECK_VIEW *view);

// Builds the frame from the view's slot and the solver's DWQB_VALUES (alpha; centroid
// and shear centre relative to the centre of the section's extents, the frame of the
// plate tables) and runs Calc_TSV_Teilschnittgroessen; a slot with the rolled I's fillet
// flanges takes their shear plates (b, t_f) from the library. Returns its value; 0 for a
// null view or result.
int Calc_TSV_Querschnitt(const double *forces, const double *material, const QS_CHECK_VIEW *view,
                         TSV_RESULT *result);
// The method with the load-increase search. The result is required (0 without it). Null
// forces or frame: the template, 0. f_y (material[1]) not above 0 or not finite: the
// template, 0. Returns 1 when no load increase ran, else whether the final evaluation
// succeeded.
int Calc_TSV_Teilschnittgroessen(const double *forces, const double *material, const TSV_SECTION *frame,
                                 TSV_RESULT *result);
// Prints the result into the print list: 1, or 0 for a null stream or result. Nothing is
// written unless flag 0x10.
int Print_TSV_Result(FILE *stream, const char *prefix, const TSV_RESULT *result);

// ================================================================ tsv_ex: line sections
struct TSV_EX_OPTIONS {
  uint32_t flags;  // bit 0 warping off, bit 2 warping on
  uint32_t word;
  double alpha, y_s, z_s, y_M, z_M, L, extra;
};
enum : uint32_t { TSV_EX_F_REACHED = 0x10, TSV_EX_F_NO_WARPING = 0x10000, TSV_EX_F_LIMIT = 0x1000000 };

struct TSV_EX_RESULT {
  uint32_t flags;
  double f_pl, U_pl;
  double values[7];
  double B_lim;
  double value_b;
  double V_y, V_z;
  double value_c;
  double M_y, M_z;
  double tail[3];
};

// One wall line as the result component writes it.
struct TSV_EX_LINE {
  int nr;
  int kind;          // 1 weld line
  double unused_a[3];
  double angle;      // [4]      // rad
  double V_y, V_z, T;
  double unused_b;
  double U_tau;
  double y_s, z_s, w_s;
  double t, b;
  double N, M_y, M_z;
  double U_sigma, U;
  double unused_c;
  int sub_line;      // index of a sub-line ('a' + index), negative: none
};
struct TSV_EX_LINE_LIST {
  TSV_EX_LINE *records;
  int count, capacity;
};
// Creates the list (zeroed) when null and grows it to n records: the list, or null when
// memory is short (a given list is left as it was, still the caller's).
TSV_EX_LINE_LIST *Alloc_TSV_EX_Line_List(TSV_EX_LINE_LIST *list, int n);
void Free_TSV_EX_Line_List(TSV_EX_LINE_LIST *list);  // null ignored
TSV_EX_LINE *Find_TSV_EX_Line(TSV_EX_LINE_LIST *list, int nr);

// 0 when part mode is off or the view is null; 1 for shape 99; 0 for flat and solid
// round bars (shapes 11, 12); else 1.
int TSV_EX_Querschnitt_Possible(const QS_CHECK_VIEW *view);
// 2 not applicable (data floats 0, 1 cleared), 5 prepared (floats 0, 1 := 1; state word
// := field & 0xFFFFF | bit 24).
int Prepare_TSV_EX_Result(const uint32_t *field, QS_CHECK_VIEW *view);
// The calculation through the solver's result component (keyed by f_y): 0 for a null
// result, forces or material, or without component; else the component's answer.
int Calc_TSV_EX_Querschnitt(const double *forces, const double *material, const TSV_EX_OPTIONS *options,
                            TSV_EX_RESULT *result, TSV_EX_LINE_LIST **lines);
int Calc_TSV_EX_Slot(const double *forces, const double *material, const QS_CHECK_VIEW *view,
                     TSV_EX_RESULT *result, TSV_EX_LINE_LIST **lines);
// The line table of the current section from the component: 1 when printed, else 0.
int Print_TSV_EX_Linien(FILE *stream, const char *prefix);
// The result with its lines: 1, or 0 for a null stream or result.
int Print_TSV_EX_Result(FILE *stream, const char *prefix, const double *forces, const TSV_EX_RESULT *result,
                        const TSV_EX_LINE_LIST *lines);
// 1 when the record's second (third) word equals *key, else 0.
int Record_Word1_Equals(const void *record, const void *key);
int Record_Word2_Equals(const void *record, const void *key);

// ================================================================ plo: plastic limit state
// The load factor at which the current section, every wall line a bilinear steel law with
// its yield strength reduced by its elastic shear utilisation, reaches its limit strains
// (the PLO mask of dwqb/dwqb_plastic.h, solved by the mask solver); an outer iteration
// makes the shear reduction and the load factor consistent. The calculation changes the
// mask solver's mode word, result factors and the mask's option block and gives all three
// back on every return.

// One line of a line list: a stress-point result (nine doubles' room) whose first word is
// the line number and whose last double is the line's shear utilisation at load factor 1.
struct PLO_LINE {
  int32_t nr, word;
  double y, z, angle, F_y, F_z, T, tau;
  double u;
};
struct PLO_LINE_LIST {
  const PLO_LINE *records;
  int count;
};
// Material block: [0] not read, f_y, E (kN/cm²), limit strain (‰; ≤ 0: 150), hardening
// ratio, the mask's option value (> 0 switches its option bit 0 on), a line list.
struct PLO_MATERIAL {
  double unused, f_y, E, eps_u, ratio, option;
  const PLO_LINE_LIST *lines;
};
enum : uint32_t { PLO_O_NO_WARPING = 0x1, PLO_O_NO_SHEAR_ITERATION = 0x2, PLO_O_WARPING = 0x4 };
struct PLO_OPTIONS {
  uint32_t flags, word;
  double alpha, y_s, z_s, y_M, z_M, tol, L, extra;
  // Shear areas of EN 1993-1-1, 6.2.6(3) for V_y and V_z of the section's axes (cm², 0 when
  // the section has none); resultant: one area A_v_z for the resultant shear of every line
  // (circular tubes). A line parallel to z (to y) keeps no more than (1 − ρ) f_y of 6.2.8(3)
  // with ρ = (2 V_Ed/V_pl,Rd − 1)² of V_z (V_y) once V_Ed > 0.5 V_pl,Rd.
  double A_v_y = 0.0, A_v_z = 0.0;
  int resultant = 0;
};
// Default options: flags 0, tolerance 0.001, L = 100, alpha, centroid and shear centre of
// the solver's DWQB_VALUES.
PLO_OPTIONS Default_PLO_Options();
enum : uint32_t {
  PLO_F_WRITTEN = 0x10, PLO_F_NO_NORMAL = 0x1000, PLO_F_NO_SHEAR = 0x2000, PLO_F_NO_WARPING = 0x10000,
  PLO_F_COMBINED = 0x20000, PLO_F_LIMIT = 0x1000001,
};
struct PLO_RESULT {
  uint32_t flags;
  double f_tau, f_sigma, f_min, U;
  double plane[4];   // limit strain plane of the mask solver (phi, eps0, kappa, twist)
  double angle;      // zero line direction (rad)
  double y0, z0;     // its point (cm)
  double F[8];       // forces at the limit state in the method order (centroid, y-z axes)
};
// One stress point with its shear result (22 words).
struct PLO_POINT {
  int32_t nr, word;  // line and part number of the stress point
  PLO_LINE item;     // its result at load factor 1
  double value;      // y of the stress point (cm)
};
struct PLO_POINT_LIST {
  PLO_POINT *records;
  int count, capacity;
};
PLO_POINT *Find_PLO_Point(PLO_POINT_LIST *list, int nr);  // first with that number, or null
void Free_PLO_Point_List(PLO_POINT_LIST *list);              // null ignored

// 0 when part mode is off or the view is null; 1 for shape 99; 0 for flat and solid round
// bars (11, 12); else 1.
int PLO_Querschnitt_Possible(const QS_CHECK_VIEW *view);
// Default slot block when options is null: flags 0, then 0.001, 150, 0.001, 1.0.
struct PLO_PREPARE_OPTIONS {
  uint32_t flags;
  double tol, eps_u, third, fourth;
};
// 2 not applicable (data block cleared first), 4 prepared: data := 1, 1 and the four
// values; state word := flags & 0xFFFFF | bit 24.
int Prepare_PLO_Result(const PLO_PREPARE_OPTIONS *options, QS_CHECK_VIEW *view);
// The calculation: 1 on success, 0 on failure (null result, forces or material, f_y or E
// not above 0, no mask, stress points or shear results, a failed limit-state run). The
// point list, when a holder is given, gets one record per stress point.
int Calc_PLO_Grenzzustand(const double *forces, const PLO_MATERIAL *material, const PLO_OPTIONS *options,
                          PLO_RESULT *result, PLO_POINT_LIST **points);
// The same with the options of the prepared slot: flags its state word, the tolerance its
// data float 2, the shear areas of the view's section (Get_PLO_Shear_Areas).
int Calc_PLO_Grenzzustand_Slot(const double *forces, const PLO_MATERIAL *material, const QS_CHECK_VIEW *view,
                               PLO_RESULT *result, PLO_POINT_LIST **points);
// Shear areas of EN 1993-1-1, 6.2.6(3) of the view's section in its y and z axes (cm²):
// rolled I, T and channel of the library (a) to (c), with 2 b t_f (b t_f for the T) across
// the web; hot-rolled and hot-finished hollow sections (f), A h/(b + h) and A b/(b + h) of
// their extents; circular tubes (g), 2A/π for the resultant; welded I of one or two flange
// sizes (d), (e) with η = 1: the web h_w t_w, and A − h_w t_w across it. 1 when found, else
// 0 with both areas 0 (the limit state then keeps its line rule alone).
int Get_PLO_Shear_Areas(const QS_CHECK_VIEW *view, PLO_OPTIONS *options);
// The PLO mask with every listed line's law reduced by shear factor × its utilisation: the
// yield strength √(1 − r²) f_y and no more than (1 − ρ) f_y of EN 1993-1-1, 6.2.8 at the
// larger of r (the wall as its own shear area) and, with en_ratio (one per line: V_Ed/V_pl,Rd
// of the line's shear area at factor 1, 0 outside one), shear factor × that ratio.
MASQUE *Get_DWQB_PLO_TSG_Querschnitt(const double *material5, const PLO_LINE_LIST *lines, double shear_factor,
                                     const double *en_ratio = nullptr);
// Limit strain (‰) and (σ, τ, σ_v) in kN/cm² at a node of the outline triangulation: 1,
// or 0 with zeros.
int Get_DWQB_OUTLINE_TRIANGULATION_NODE_PLO_Result(const DWQB_TRI_NODE *node, const PLO_RESULT *result,
                                                   PLO_POINT_LIST *points, double *strain, double *stress);
int Calc_DWQB_OUTLINE_TRIANGULATION_NODE_PLO_Result(const DWQB_TRI_NODE *node, MASQUE *mask,
                                                    const MASQUE_GRUPPE *group, const PLO_RESULT *result,
                                                    PLO_POINT_LIST *points, double *strain, double *stress);
// Extremes over all nodes / the nodes of one line / of one part: 1 when every node
// succeeded (failures are reported on the console and skipped).
int Calc_DWQB_OUTLINE_TRIANGULATION_NODE_PLO_Result_MinMax(const DWQB_OUTLINE_TRIANGULATION *tri,
                                                           const PLO_RESULT *result, PLO_POINT_LIST *points,
                                                           double *eps_min, double *eps_max, double *min3,
                                                           double *max3);
int Calc_DWQB_OUTLINE_TRIANGULATION_LINE_NR_PLO_Result_MinMax(const DWQB_OUTLINE_TRIANGULATION *tri, int line_nr,
                                                              const PLO_RESULT *result, PLO_POINT_LIST *points,
                                                              double *eps_min, double *eps_max, double *min3,
                                                              double *max3);
int Calc_DWQB_OUTLINE_TRIANGULATION_PART_NR_PLO_Result_MinMax(const DWQB_OUTLINE_TRIANGULATION *tri, int part_nr,
                                                              const PLO_RESULT *result, PLO_POINT_LIST *points,
                                                              double *eps_min, double *eps_max, double *min3,
                                                              double *max3);
// The zero line of a limit state whose strains over the section run from eps_min to
// eps_max (‰): null when it crosses the section (the strains change sign), else the words
// the list prints instead of its point, which lies outside: "keine (Querschnitt vollständig
// gedrückt)" or "… gezogen)" (code page 850).
const char *PLO_Zero_Line_Outside_Text(double eps_min, double eps_max);
// Prints the result: 1, or 0 for a null stream or result. The zero line's point is printed
// only when the line crosses the section (PLO_Zero_Line_Outside_Text over the points).
int Print_PLO_Result(FILE *stream, const char *prefix, const double *forces, const PLO_RESULT *result,
                     PLO_POINT_LIST *points);
// Limit-state runs since program start.
long Get_PLO_Run_Count();
