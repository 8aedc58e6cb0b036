// querschnitt/querschnitt.h — sections of the section catalogue.
//
// Sections of this header: the line model (QMODEL) of a caller's own drawing; the
// section record QUERSCHNITT with its check-data view, the request of the stress check,
// the catalogue's computation, stress points and plate parts; the export of a profile's
// model to an imported section; the section records built from a profile for the stress
// and plate checks.
//
// Line model (QMODEL): a thin-walled section given as nodes and wall lines in mm, in its
// caller's frame. The caller creates it, sets every node and line, computes it with the
// thin-walled solver (dwqb/dwqb.h) and writes it into the print list's open graphic
// block (print/print.h) as filled wall areas with their edges:
//
//     QMODEL *m = Create_Line_Model(nodes, lines);
//     Set_Line_Model_Node(m, i, y, z); ...
//     Set_Line_Model_Line(m, k, a, b, rise, t, t_end, rot_a, rot_b, r_la, r_ra, r_lb, r_rb); ...
//     if (Calc_Line_Model_Section(m) == 0) Write_Line_Model_Plot(stream, m, y0, z0, 1, 1);
//     Free_Line_Model(m);
//
// Sides and rises follow the solver: the left side of a line is left of its direction
// a → b with +z a quarter turn counter-clockwise from +y; a positive rise bulges left.
//
// Module state (Reset_Querschnitt_For_Tests, registered with Host_Reset on its first
// change): the plot style of Write_Line_Model_Plot (fill black with code 0, edges black
// with line type 1 at program start), and the profile of the last Refresh_Profil_XPR with
// its kind. Calc_Line_Model_Section replaces the solver's one current section. Not
// re-entrant.
#pragma once

#include <cstdint>
#include <cstdio>

#include "sections/sections.h"

struct PROFIL;
struct QIMPORT_ENTRY;

// ---------------------------------------------------------------- line model
struct QMODEL_NODE {
  double y, z;    // mm
  int use_count;  // line ends at the node
  int set;        // 1 once Set_Line_Model_Node gave it
};

struct QMODEL_LINE {
  int node_a, node_b;  // node indices; −1 while the line is not set
  double rise;         // signed rise of an arc line at its middle (mm); > 0 bulges left
  double t_a, t_b;     // wall thickness at a and b (mm)
  double rot_a, rot_b; // end rotations (radians)
  double r_la, r_ra, r_lb, r_rb;  // corner radii left / right at a, left / right at b (mm)
};

struct QMODEL {
  int node_count, line_count;
  QMODEL_NODE *nodes;
  QMODEL_LINE *lines;
  // Result of Calc_Line_Model_Section: −1 before it ran, else 0 or the solver's code.
  int status;
  // Outline of each set line as one closed polygon (mm, arcs in chords of at most π/64):
  // line k's points are outline_y/z[outline_first[k] .. outline_first[k + 1] − 1].
  int *outline_first;  // line_count + 1 entries
  double *outline_y, *outline_z;
  int outline_points, outline_capacity;
  double y_min, y_max, z_min, z_max;  // bounds of the outlines (mm)
  double area;                        // section area from the solver (mm²)
};

// A model of node_count nodes and line_count lines (none set); null for a negative count
// or more than 100000 of either.
QMODEL *Create_Line_Model(int node_count, int line_count);
// Sets node index (0-based) to (y, z) in mm; nothing for a null model or an index out of
// range.
void Set_Line_Model_Node(QMODEL *model, int index, double y, double z);
// Sets line index between the node indices a and b with the rise and the wall thickness
// at a (mm) and the seven further values: thickness at b, rotations at a and b (radians),
// corner radii left and right at a, left and right at b (mm); counts it at both nodes.
// Returns 1, or 0 for a null model or a line or node index out of range.
int Set_Line_Model_Line(QMODEL *model, int index, int a, int b, double rise, double t, double t_b, double rot_a,
                        double rot_b, double r_la, double r_ra, double r_lb, double r_rb);
// Hands the set lines and their nodes to the solver (lengths × 0.1, cm), computes the
// section and keeps each line's outline and the bounds. Returns 0, the solver's fault
// code, or 1 for a null model.
int Calc_Line_Model_Section(QMODEL *model);
// Colours of Write_Line_Model_Plot: the areas in (r1, g1, b1) with the fill code, the
// edges in (r2, g2, b2) with line type pen; a negative first component leaves that part
// out.
void Set_Line_Model_Plot_Style(int r1, int g1, int b1, int r2, int g2, int b2, int pen, int fill_code);
// Writes the computed model into the open graphic block of stream, in one state bracket:
// every line's area (filled polygon) at (y0 + ky·y, z0 + kz·z), then every line's edges
// (closed polyline). Nothing for a null stream or model, while no block is open on that
// stream, and after a failed or missing computation.
void Write_Line_Model_Plot(FILE *stream, const QMODEL *model, double y0, double z0, double ky, double kz);
// Frees the model; null is ignored.
void Free_Line_Model(QMODEL *model);

// ================================================================ section records
// A QUERSCHNITT is a section of the catalogue: a library profile by name, a family of
// parametric dimensions (tapered between a start and an end set), or an imported section
// (an entry of sections/sections.h). The catalogue builds its thin-walled model in the
// solver, keeps the solver's values, the stress points and the plate parts, and fills the
// check-data view that the checks read.
//
// Units and frames: the catalogue works in the solver's units (cm, cm², cm⁴, cm⁶, rad;
// forces kN, kNcm, kNcm²; stresses kN/cm²) except the plate-part stresses (N/mm²). The
// frame is the one of the section's model: library and family sections in the frame of
// Calc_Profil_DWQB_Querschnittswerte (y across, 0 on the web or the axis of symmetry; z
// downward from the top edge), imported sections in the frame of the take-over
// (Set_Profil_from_QImport: y ≤ 0, z ≥ 0 over the section). Tension positive,
// compression negative.
//
// Choices:
//   - Every catalogue run sets solver option DWQB_OPT_PART_MODE itself.
//   - A library profile is modelled as the PROFIL of the library (radii included), a
//     family as the welded PROFIL of shape type 4, 12, 11, 3, 14 or 4 (families 0, 2, 3,
//     4, 5, 12; Z: b_fo = 2·D1 − D2), without radii; an imported line model from its
//     entry's nodes and lines (rise = relative sagitta × chord). An imported polygon model
//     (thick-walled) has no thin-walled model: its computation fails.
//   - A run whose area comes out below 0.001 cm² fails.
//   - The option word (0x1E at start) is kept and reported; it changes nothing.

#include "dwqb/dwqb.h"

enum { QS_KIND_NONE = 0, QS_KIND_LIBRARY = 1, QS_KIND_FAMILY = 2, QS_KIND_IMPORTED = 3 };

// Families of Set_Querschnitt_Parametric; D0..D9 are the ten dimensions (cm):
//   0 symmetric I: D0 h, D1 b, D2 t_w, D3 t_f     2 channel, 3 T, 4 angle: the same
//   5 Z: D0 h, D1 (b + t_w)/2, D2 t_w, D3 t_f     12 I of two flanges: D0 h, D2 t_w,
//   D4 b_fo, D5 b_fu, D8 t_fo, D9 t_fu
enum { QS_FAMILY_I = 0, QS_FAMILY_U = 2, QS_FAMILY_T = 3, QS_FAMILY_L = 4, QS_FAMILY_Z = 5, QS_FAMILY_I2 = 12 };

inline constexpr int QS_NAME_SIZE = 44;  // name record: marker, three blanks, 39 + NUL
inline constexpr int QS_DIMS = 10;
inline constexpr int QS_TYPE_IMPORTED = 99;

// Section header of the check data.
struct QS_CHECK_HEADER {
  int32_t grade_row;    // grade code & 0xFFFF (−1 for code −1)
  int32_t grade_kind;   // 1 when the grade code's high half is 1, else 0
  int32_t catalogue;    // library: Get_Profil_Data's source value (> 0); else 0
  int32_t type;         // library: Get_Profil_Typ; family: 1, 3, 2, 5, 6, 13 for families
                        // 0, 2, 3, 4, 5, 12; imported: 99
  int32_t interaction;  // interaction shape 1..5; 0 none (the catalogue sets none)
};

// The result slot a stress method owns: state word (bits 0-3 method state, 4-23 field,
// bit 24 prepared) and 16 floats.
struct CHECK_SLOT {
  uint32_t state;
  float data[16];
};

// Value block of the check data. The state word, the frame value, the three limit-strain
// inputs and the two plastic shape factors are those of the slot (state word, data[2],
// data[3..5], data[14..15]); the catalogue only clears the block.
struct QS_VALUE_BLOCK {
  float interaction[6];       // interaction parameters (0: the catalogue sets none)
  float options[4];           // option words
  float A, W_lower, W_upper;  // sections given by values only
  CHECK_SLOT slot;
  float beta_in, L_in;        // buckling in the plane: length factor, length (m)
  float beta_out, L_out;      // out of the plane
  float k_fy, k_E;            // fire reduction factors
};

struct QUERSCHNITT;

// The check-data view of a record: header, name record ("    name": byte 0 the marker,
// ' ' or '-' for a turned profile, bytes 1-3 blanks, the library name from byte 4),
// eight shape floats (family: the table above in cm; 0 for library and imported
// sections), the value block and the record it describes.
struct QS_CHECK_VIEW {
  QS_CHECK_HEADER header;
  char name[QS_NAME_SIZE];
  float shape[8];
  QS_VALUE_BLOCK values;
  QUERSCHNITT *record;
};

// Accessors of the slot's meanings (null view: null / 0).
CHECK_SLOT *Get_Check_Slot(QS_CHECK_VIEW *view);
float Get_Check_Frame_Value(const QS_CHECK_VIEW *view);
float Get_Check_Limit_Input(const QS_CHECK_VIEW *view, int index);  // index 0..2
float Get_Check_Shape_Factor(const QS_CHECK_VIEW *view, int axis);  // axis 0 (y), 1 (z)

// Check request of the stress check: one view and the words the check sets (state word 0:
// −1 while prepared, 2 when the values are in; words 5 and 7; four option floats).
struct QS_CHECK_REQUEST {
  int32_t state;
  int32_t word5, word7;
  float options[4];
  QS_CHECK_VIEW view;
};

// Stress-point table: first the station points (Calc_DWQB_Output_Points: listed line i,
// station k = 0..10 at s = 0.2 k − 1, place j = 0 centre line, 1 left, 2 right face; point
// 3 (11 i + k) + j), then the outline points: the nodes of the solver's outline
// triangulation of every line (default divisions), which reach the outer fibres: the
// corners of a box, the toes of an angle, the faces over the fillets. Per point ten
// doubles: y, z (cm), 1/A, c_1 = v/I_1, c_2 = −u/I_2 (principal normal-stress
// coefficients), τ of a unit V_y and of a unit V_z (kN/cm² per kN), τ of a unit St Venant
// torque (kN/cm² per kNcm: open walls the face value, closed cells their shear flow plus
// the through-thickness part), σ of a unit bimoment ω/I_w (per kNcm², ω about the shear
// centre) and τ of a unit warping torque S_ω/(I_w t) (per kNcm); all from
// Calc_DWQB_Line_Point_Values at the point, so that the outline points carry the
// coefficients of the triangulation's nodes.
enum {
  QS_PT_Y, QS_PT_Z, QS_PT_INV_A, QS_PT_C1, QS_PT_C2, QS_PT_TAU_VY, QS_PT_TAU_VZ,
  QS_PT_TAU_T, QS_PT_C_B, QS_PT_TAU_W, QS_PT_COUNT
};

// Extremes of the last Calc_Profil_Point_Stresses (kN/cm²) with their point numbers.
enum { QS_EX_SIGMA_MIN, QS_EX_SIGMA_MAX, QS_EX_TAU_MIN, QS_EX_TAU_MAX, QS_EX_SV_MIN, QS_EX_SV_MAX, QS_EX_SIGMA_ABS,
       QS_EX_COUNT };

// Symmetric webs (the plastic neutral axis of the c/t classification): a plate that the
// section's other plates leave to carry the normal force alone, because they lie in equal
// halves on both sides of its middle. Shapes of a record:
enum {
  QS_WEB_SHAPE_NONE = 0,     // none worked out (unequal flanges, T, angle, tube, imported)
  QS_WEB_SHAPE_I = 1,        // I with equal flanges: the web, bent by M_y (M_z stays in the flanges)
  QS_WEB_SHAPE_CHANNEL = 2,  // channel, Z, flat bar: the web, bent by M_y alone
  QS_WEB_SHAPE_BOX = 3,      // box with equal flanges, RHS: the webs by M_y alone, the flanges by M_z alone
};
// Roles of a plate part: none; a web (along z) bent by M_y with or without M_z; a web bent
// by M_y alone; a flange (along y) of a box bent by M_z alone.
enum { QS_WEB_NONE = 0, QS_WEB_Y_ANY = 1, QS_WEB_Y = 2, QS_WEB_Z = 3 };
// The role of an internal plate of a section with web shape web_shape: along z a web, along
// y a box's flange.
inline int QS_Web_Role(int web_shape, bool along_z) {
  if (web_shape == QS_WEB_SHAPE_NONE) return QS_WEB_NONE;
  if (along_z) return web_shape == QS_WEB_SHAPE_I ? QS_WEB_Y_ANY : QS_WEB_Y;
  return web_shape == QS_WEB_SHAPE_BOX ? QS_WEB_Z : QS_WEB_NONE;
}

// Wall of listed line i of the stress-point table (the thin-walled model the plate parts are
// cut from): centre line from node a to node b (cm) and the thickness at a and at b (cm).
enum { QS_WALL_YA, QS_WALL_ZA, QS_WALL_YB, QS_WALL_ZB, QS_WALL_TA, QS_WALL_TB, QS_WALL_COUNT };

// A plate part (c/t classification). kind: −1 tube wall, 0 outstand free at its first
// end, 1 outstand free at its second end, 2 internal part, −2 none. c/t ≥ 1.
struct QS_PLATE_PART {
  int kind;
  double ct;
  double c, t;           // width between the cuts and thickness (cm)
  int line;              // line number (tube: 0)
  int list_pos;          // its row in the stress-point table's lines
  int node_a, node_b;    // end nodes
  double s_a, s_b;       // line parameters of the two ends (cuts), in [−1, 1]
  double sigma_a, sigma_b;  // stresses at the ends on the centre line (N/mm²), last evaluation
  int web;               // QS_WEB_*: an internal part of the record's symmetric webs
  double A_web;          // c·t of all parts of its role (cm², both webs of a box); 0 without
};

// How the plate parts of a record are made: from the solver's plate groups, as one tube
// wall (d/t), or none (solid bars).
enum { QS_PARTS_PLATES = 0, QS_PARTS_TUBE = 1, QS_PARTS_NONE = 2 };

struct QUERSCHNITT {
  int kind;                          // QS_KIND_*
  int grade_code, second_code;
  char name[40];                     // library name (empty for the other kinds)
  int family, tapered;
  double dims_start[QS_DIMS], dims_end[QS_DIMS];  // cm
  QIMPORT_ENTRY *entry;              // one counted reference, null when none
  int type;                          // shape or profile type of the header
  int part_shape;                    // QS_PARTS_*
  int web_shape;                     // QS_WEB_SHAPE_*
  double tube_d, tube_t;             // tube wall of QS_PARTS_TUBE (cm)
  int computed;                      // 1 after a successful computation
  double factor;                     // position factor of it
  double values[DWQB_N_VALUES];      // the solver's values of it (cm units)
  QS_CHECK_VIEW view;
  int n_lines;                       // listed lines of the stress-point table
  int n_points;                      // station points (33 per listed line)
  int n_outline;                     // outline points behind them
  double *points;                    // (n_points + n_outline) × QS_PT_COUNT (owned)
  int cap_points;
  double *walls;                     // n_lines × QS_WALL_COUNT (owned)
  int cap_walls;
  double extreme[QS_EX_COUNT];
  int extreme_point[QS_EX_COUNT];
  int n_parts;
  QS_PLATE_PART *parts;              // owned
  int cap_parts;
};

// ---------------------------------------------------------------- record operations
// A record must be value-initialised before its first use (QUERSCHNITT q{}).
// Init: frees the tables, releases the entry, every field to its default (kind none,
// grade −1, view cleared and referring to the record). Null: nothing.
void Init_Querschnitt_Record(QUERSCHNITT *record);
// Frees what the record holds (tables, entry reference); the record stays initialised.
void Free_Querschnitt_Record(QUERSCHNITT *record);
// A library profile by name (at most 36 characters, trimmed): 1, or 0 (record unchanged)
// for a null record or name, a longer name or a name the library does not hold. Its
// symmetric webs by type: I/H an I, U and Z a channel, RHS a box.
int Set_Querschnitt_Profil(QUERSCHNITT *record, int grade_code, int second_code, const char *name);
// A family with ten start and ten end dimensions (cm; end null: the start set): 1, or 0
// (record unchanged) for a null record or start set or a family not listed above. Its
// symmetric webs: family 0 (and 12 with equal flanges at both ends) an I, 2 and 5 a channel.
int Set_Querschnitt_Parametric(QUERSCHNITT *record, int grade_code, int second_code, int family, int tapered,
                               const double *start, const double *end);
// An imported section: the old entry released, one reference on the new: 1, or 0
// (record unchanged) for a null record or entry. No symmetric webs are worked out.
int Set_Querschnitt_Imported(QUERSCHNITT *record, int grade_code, int second_code, QIMPORT_ENTRY *entry);

// ---------------------------------------------------------------- computation
// Computes the record at the position factor (dimensions start + factor·(end − start)):
// mode 1 the section values, mode 2 also the stress points and the plate parts (those of
// a library tee, whose walls follow its sloped faces, are its nominal plates: c_fo × t_fo,
// d_w × t_w, each from its free end). Each computation first clears the stress points,
// extremes and plate parts. Returns 1, or 0
// for a null record, another mode, a record of no kind, a model the solver refuses, an
// area below 0.001 cm² or a section without thin-walled model. The model stays the
// solver's current section (cached by (record, factor) until the solver runs again).
int Calc_Querschnitt_Values(QUERSCHNITT *record, double factor, int mode);
// Computes the record at factor when the cache does not hold it (mode 2) and copies its
// view into request (state word 2); 0 when a pointer is missing or the computation fails.
int Get_Querschnitt_at_Factor(QUERSCHNITT *record, double factor, QS_CHECK_REQUEST *request);
// The thin-walled model of the view's record in the solver with its values and stress
// points (at the record's factor, 0.5 before its first computation): 0, or 1 (null view or
// record, failed computation). Calc_Profil_Section_Values does the same for the checks:
// the standard and the two pass-through values change nothing; ≤ 0 when ready.
int Build_Profil_Thin_Walled_Model(const QS_CHECK_VIEW *view);
int Calc_Profil_Section_Values(const QS_CHECK_VIEW *view, int standard, int pass_a, unsigned pass_b);
// The section-value option word (0x1E at program start).
void Set_Querschnitt_Option_Word(unsigned word);
unsigned Get_Querschnitt_Option_Word();

// Stresses at every stress point (station and outline points) of the record last computed
// in mode 2 under the forces N, V_1, V_2, T, M_1, M_2, T_w, B (kN, kNcm, kNcm²; V and M
// about y and z through the centroid): σ = N/A + c_1 M_I + c_2 M_II + ω/I_w B with the
// moments turned into the principal axes (M_I = M_y cos α + M_z sin α, M_II = M_z cos α −
// M_y sin α), τ = τ_Vy V_y + τ_Vz V_z + τ_T T + τ_W T_w, σ_v = √(σ² + 3τ²). Keeps the
// extremes (τ as magnitudes) with their point numbers and sets the plate parts' end
// stresses (centre line, B·ω/I_w included). Returns the point count n_points + n_outline
// (0 when there is no record or no point: extremes and stresses then 0).
int Calc_Profil_Point_Stresses(double N, double V_1, double V_2, double T, double M_1, double M_2, double T_w,
                               double B);
// σ, τ (magnitude) and σ_v (kN/cm²) at stress point `point` of the record last computed in
// mode 2 under the forces of the last Calc_Profil_Point_Stresses: 1, or 0 (zeros) when
// there is no such point.
int Get_Profil_Point_Stress(int point, double out[3]);
// The eight forces of the last Calc_Profil_Point_Stresses.
void Get_Profil_Point_Stress_Forces(double forces[8]);
// Turns V_y, V_z and M_y, M_z in place by alpha (rad) into the principal axes:
// V_1 = V_y cos α + V_z sin α, V_2 = V_z cos α − V_y sin α, M alike. N, T, T_w, B, family
// and grade code are untouched. Null forces: nothing.
void Transform_Profil_Section_Forces(double *N, double *V_y, double *V_z, double *T, double *M_y, double *M_z,
                                     double *T_w, double *B, double alpha, int family, int grade_code);
// The plate part of the record last computed in mode 2: its kind, c/t and end stresses
// (N/mm²); −2 and zeros outside 0..count − 1.
int Get_Profil_Plate_Part(int index, double *ct, double *sigma_a, double *sigma_b);
// The same part's role among the symmetric webs (QS_WEB_*) and *A_web (cm², may be null)
// the c·t of all parts of that role; QS_WEB_NONE and 0 outside 0..count − 1. The moments
// that decide whether the role applies are those of the last Calc_Profil_Point_Stresses.
int Get_Profil_Plate_Part_Web(int index, double *A_web);
// The record last computed in mode 2 (null when none).
const QUERSCHNITT *Get_Querschnitt_Current();

// ================================================================ section export
// Exports a parametric profile's thin-walled model (the model of Build_Profil_Model,
// cm, lines with r_al, r_ar, r_el, r_er; channels and Z sections numbered top flange, web,
// bottom flange, T sections tips first) as an imported section: writes the exchange file
// (name "DWQB_QImport", object 14) with a new entry of the text written, makes record
// refer to it (grade_code, second_code; Save_QImport_Sections after it) or, without a
// record, drops it again; writes the member's ".XPR" (stem, work-file suffix) through the
// replace helper as that text (from memory, never the exchange file read again) followed by
// a VALUES block (.EY_ 0, .EZ_ 0, .I11, .I22 cm⁴, .ALF rad; Calc_Profil_Principal_Moments)
// unless the text holds one, then removes the exchange file while it still holds this
// export's text (kept when the ".XPR" could not be written, which is no failure here, and
// when another run has written the file since). Returns 0, or 1
// for a null profile, a kind-2 profile (refused before any file is touched), no model,
// a refused exchange file or a record that cannot be set.
int DWQB_QImport(QUERSCHNITT *record, int grade_code, int second_code, PROFIL *profil);
// 1 for a null or non-parametric profile, else DWQB_QImport.
int Export_Profil_QImport(QUERSCHNITT *record, int grade_code, int second_code, PROFIL *profil);
// Keeps the member's ".XPR" (stem, work-file suffix) in step with the profile and hands it
// to the suite's FEM program (Read_FEM_Object_File). Nothing is written when the profile
// equals the one of the last refresh (same kind, Compare_Profil; its grade does not count)
// unless force is set. Otherwise by kind: a library profile drops its node and line
// lists and writes "\nOBJECT\n3 1 1\n\nPROFILNAME\n<name>\n" (trailing blanks of the
// name dropped) through the replace helper; a parametric profile is exported
// (Export_Profil_QImport without record); an R7-PLAX section with an entry hands on its
// ".XPR" as it is. A FEM program that is not installed is no failure: the file stays. A
// library or parametric ".XPR" that cannot be written or produced, or that the FEM reader
// refuses, is removed together with the member's ".res"; an R7-PLAX section's ".XPR" (the
// user's section) and its ".res" are never removed. Every call ends with the profile
// saved as the last one. Returns 0 when the file is in step, 1 otherwise (also for null).
int Refresh_Profil_XPR(PROFIL *profil, int force);
// The exchange callbacks of the last export: record index 0..99 (1), 0 above or beyond
// the model. Set_QImport_Model_Line sets line record nr − 1 (nr below 1 as 1, above 100
// ignored) from nine line values in mm (null clears it).
int Get_QImport_Model_Node(int index, XPRT_NODE *out);
int Get_QImport_Model_Line(int index, XPRT_LINE *out);
void Set_QImport_Model_Line(int nr, int node_a, int node_b, const double *values_mm);

// ================================================================ check sections
// The one section record of the checks (valid until the next call of either):
// registers a user grade for profiles with user values or grade row 26 (Eurocode slot
// 101, code 0x18065; DIN slot 100, code 0x8064; made once, then reused; aluminium with
// user values registers none and gets code −1), sets the option word 0x1E01E, then makes
// the record: library by name; parametric shape types 3-7, 10-15 as a family when both
// flags are 0, every other type (and with a flag set) through DWQB_QImport; kind 2
// through its entry; a parametric profile's symmetric webs are Get_Profil_Web_Shape's.
// Computes it at 0.5 in mode 2. Returns the record, or null on failure and for a
// thick-walled imported section.
QUERSCHNITT *Build_Profil_Stress_Section(PROFIL *profil, int export_a, int export_b);
// The same record for the c/t check, then the stresses for f1..f8 (N, M_y, M_z kNm,
// V_y, V_z kN, T, T_w kNm, B kNm²) handed on as (f1, f4, f5, 100 f6, 100 f2, 100 f3,
// 100 f7, 10000 f8); out1 = σ_max, out2 = σ_min, out3 = τ_max (N/mm²), out4 = the first
// value of the stress-point table. Returns 0 (outputs set; all forces below 0.001: zeros,
// nothing built) or 1 (failure, thick-walled section).
int Build_Profil_Plate_Section(PROFIL *profil, double f1, double f2, double f3, double f4, double f5, double f6,
                               double f7, double f8, double *out1, double *out2, double *out3, double *out4);

// The symmetric webs of a profile's shape (QS_WEB_SHAPE_*): I shapes and the box girder
// when top and bottom flange agree in width, thickness, joint size and overhang; channels,
// Z sections and flat bars; rectangular hollow sections. Null and other shapes: none.
int Get_Profil_Web_Shape(const PROFIL *profil);

// Back to program start: the default plot style, option word 0x1E, no cache, the check
// record freed.
void Reset_Querschnitt_For_Tests();
