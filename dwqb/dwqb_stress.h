// dwqb/dwqb_stress.h — stresses and services of the thin-walled section solver after a
// part-mode run: unit stresses at a point, the outline triangulation with node stresses,
// the stress points of the plastic analysis, the output point tables of the section
// catalogue, result hooks, extents and the move of a whole section.
//
// Units as in dwqb/dwqb.h: cm, cm², cm⁴, cm⁶, radians. Section forces in kN, kNcm and
// kNcm² give stresses in kN/cm². Everything reads the current section of the last run
// (Calc_DWQB_Querschnitt); the results are snapshots that go stale when the section
// changes. Part mode means DWQB_Part_Mode_Switch set or option DWQB_OPT_PART_MODE.
//
// Signs: a shear flow or shear stress is positive in the direction node a -> node b of its
// line. The right face of a line is e = -1, the left face e = +1 (left of a -> b, +z a
// quarter turn counter-clockwise from +y). A positive torque T_t turns from +y towards
// +z; a normal stress is positive in tension. The moments are those of the bending frame:
// M_y turns its first axis (at angle phi from y), M_z its second; for phi = alpha = 0,
// sigma = N/A + M_y (z - z_s)/I_y - M_z (y - y_s)/I_z.
#pragma once

#include <cstdint>

#include "dwqb/dwqb.h"

// ---------------------------------------------------------------- frames and forces
// Frame kinds of a point: 0 the section origin, 1 the centroid (outline model), 2 the
// shear centre. Angle kinds: 0 against y, 1 against principal axis 1 (alpha of the outline
// model added). Other kinds leave the value as passed.
enum { DWQB_FRAME_ORIGIN = 0, DWQB_FRAME_CENTROID = 1, DWQB_FRAME_SHEAR_CENTRE = 2 };
enum { DWQB_ANGLE_Y = 0, DWQB_ANGLE_PRINCIPAL = 1 };
// The eight section forces, in this order: N (kN, acting at the load point), M_y, M_z
// (kNcm, bending frame), V_y, V_z (kN, along the bending frame's axes), T_t (St. Venant
// torque, kNcm), B (bimoment, kNcm²), T_w (warping torsion moment, kNcm).
enum { DWQB_F_N, DWQB_F_MY, DWQB_F_MZ, DWQB_F_VY, DWQB_F_VZ, DWQB_F_TT, DWQB_F_B, DWQB_F_TW };
// Unit-stress coefficients per unit force of the same index (kN/cm² per kN, kNcm, kNcm²).
enum { DWQB_C_N, DWQB_C_MY, DWQB_C_MZ, DWQB_C_VY, DWQB_C_VZ, DWQB_C_TT, DWQB_C_B, DWQB_C_TW };
// Flags of a point record: coefficients left out (then 0).
enum { DWQB_PV_NO_NORMAL = 0x1, DWQB_PV_NO_SHEAR = 0x2, DWQB_PV_NO_WARPING = 0x4 };

// ---------------------------------------------------------------- unit stresses
// Point record of Calc_DWQB_Line_Point_Values.
struct DWQB_POINT_VALUES {
  int flags;               // DWQB_PV_* as asked
  int line;                // line number
  double y, z;             // the point (origin frame)
  double s;                // line parameter of its projection onto the centre line, [-1, 1]
  double e;                // offset from the centre line / half the thickness at s, [-1, 1]
  double unused[3];
  int frame;               // frame kind of the load point
  int angle_kind;          // angle kind of the bending frame
  int frame2;              // frame kind of the warping pole
  double y_p, z_p;         // load point as passed
  double theta;            // angle of the bending frame as passed
  double y_w, z_w;         // warping pole as passed
  double y_p0, z_p0;       // load point in the origin frame
  double y_w0, z_w0;       // warping pole in the origin frame
  double t;                // wall thickness at s
  double rt;               // 1/t (0 when t is 0)
  double omega;            // warping ordinate about the warping pole (cm²)
  double c[8];             // DWQB_C_*: c_N, c_My, c_Mz, c_Vy, c_Vz, c_Tt, c_B, c_Tw
};

// Unit stresses at the point (y, z) of line nr:
//  c_N = 1/A + c_1 v_p - c_2 u_p with c_1 = v/I_1, c_2 = -u/I_2 (principal coordinates about
//        the centroid, (u_p, v_p) the load point); c_My, c_Mz: (c_1, c_2) turned into the
//        bending frame at phi = theta (+ alpha for angle kind 1). Left out for lines of
//        part number 1.
//  c_Vy, c_Vz: shear stress of unit forces along the bending frame's axes (centre-line
//        flows / t); c_Tt = closed-cell flow / t - e t/I_T (t/I_T,preset with option 0x4 and
//        a preset I_T > 0); c_B = omega_M / I_w (I_w,preset with option 0x8), omega_M about
//        the shear centre; c_Tw = secondary flow / t per unit T_w.
// Returns 1; 0 for a null record, or when the line is missing and coefficients beyond the
// normal stress were asked for.
int Calc_DWQB_Line_Point_Values(int line, double y, double z, int flags, int frame, double y_p, double z_p,
                                int angle_kind, double theta, int frame2, double y_w, double z_w,
                                DWQB_POINT_VALUES *record);
// out = (sigma, tau, sigma_v = sqrt(sigma² + 3 tau²)) of a record under the eight forces.
// 0 when an argument is null (out cleared when given), else 1.
int Combine_DWQB_Unit_Stresses(const DWQB_POINT_VALUES *record, const double *forces, double *out);
// out = (c_N, c_My, c_Mz) at (y, z). 1, also with zeros when there is no section result;
// 0 for a null out.
int Calc_DWQB_Normal_Stress_Plane(double y, double z, int frame, double y_p, double z_p, int angle_kind,
                                  double theta, double *out);
// A point / an angle of the given kind in the origin frame; 1 for a known kind, else 0
// (value as passed).
int Convert_DWQB_Point(int frame, double y, double z, double *y0, double *z0);
int Convert_DWQB_Angle(int angle_kind, double angle, double *angle0);
// Face points of a line at parameter s: right (e = -1) and left (e = +1), each from the
// side's fillet or face piece that covers s (a parameter beyond the faces takes the face's
// end). Zeros for a null line. The routine's original form also takes an `offset`
// argument whose meaning is given nowhere; it is left out.
void Get_DWQB_Line_Face_Points(const DWQB_LINE *line, double s, double *right_y, double *right_z, double *left_y,
                               double *left_z);
// Centre-line point of a line at s; (0, 0) for a null line.
void Get_DWQB_Line_Centre_Point(const DWQB_LINE *line, double s, double *y, double *z);
// Line parameter s and relative offset e (both limited to [-1, 1]) of the point (y, z)
// projected onto the line's centre line; (0, 0) for a null line.
void Project_DWQB_Point_On_Line(const DWQB_LINE *line, double y, double z, double *s, double *e);
// Point of the line's area at (s, e) in [-1, 1]²: the face point at s mapped onto the face
// pieces (e <= 0 right, e > 0 left), the centre point mapped between the joins, and
// centre + |e| (face - centre). Null line: (0, 0).
void Get_DWQB_Line_Area_Point(const DWQB_LINE *line, double s, double e, double *y, double *z);

// ---------------------------------------------------------------- unit values of a line
// Five unit values of line nr at the parameter s in [-1, 1], read from the line's result
// block (six-point rows through s = -1, -0.6, -0.2, 0.2, 0.6, 1) as Get_DWQB_Line_Shear_Values
// and Get_DWQB_Line_Warping_Values read them; out[4] is always 1/t(s) =
// 2 / ((1 - s) t_a + (1 + s) t_b) (0 for t = 0). Each returns 1, or 0 (out untouched) for
// a null out, a line that is missing or has no result block (outside part mode).
// Shear flows (1/cm, a -> b positive): out[0], out[1] of unit forces along the second and
// the first axis of a frame at angle to y (angle_kind DWQB_ANGLE_Y) or to the principal
// axis 1 of the centre-line model (DWQB_ANGLE_PRINCIPAL); out[2] the closed-cell torsion
// flow per unit T_t; out[3] the line's St. Venant share I_T,line / (L I_T).
int Get_DWQB_Line_Shear_Flows(int line, double s, int angle_kind, double angle, double *out);
// Shear stresses (1/cm²): out[0..2] the flows divided by t(s); out[3] t(s) / I_T, the
// St. Venant face stress per unit T_t.
int Get_DWQB_Line_Shear_Stresses(int line, double s, int angle_kind, double angle, double *out);
// Warping flow: out[0] the warping ordinate (cm²) about the pole (y_p, z_p) given in the
// frame of kind `frame` (DWQB_FRAME_*), out[1], out[2] the pole in the origin frame, out[3]
// the secondary (warping) shear flow per unit T_w (1/cm).
int Get_DWQB_Line_Warping_Flow(int line, double s, int frame, double y_p, double z_p, double *out);
// Warping stress: out[0] the ordinate about the shear centre divided by I_w (the normal
// stress per unit bimoment, 1/cm⁴) with out[1], out[2] the shear centre, when I_w > 0
// (else out[0..2] are not written); out[3] the warping shear stress per unit T_w (1/cm²).
int Get_DWQB_Line_Warping_Stress(int line, double s, double *out);

// Smallest (minima[3]) and largest (maxima[3]) of the normal-stress coefficients c_N,
// c_My, c_Mz (Calc_DWQB_Normal_Stress_Plane, same load point and bending frame) over the
// points of every present outline piece of every line of the part tree; lines of part
// number 1 (kind-2 result blocks) are skipped, arc pieces walked in their count of chords.
// Either out may be null. 1, or 0 with zeros when there is no part tree or no point.
int Get_DWQB_Outline_Stress_Extremes(int frame, double y_p, double z_p, int angle_kind, double theta,
                                     double *minima, double *maxima);

// Variants of Get_DWQB_Extreme_Values: which five unit values of a line are sampled.
enum {
  DWQB_EXTREME_SHEAR_FLOWS = 0,       // Get_DWQB_Line_Shear_Flows
  DWQB_EXTREME_SHEAR_STRESSES = 1,    // Get_DWQB_Line_Shear_Stresses
  DWQB_EXTREME_WARPING_FLOWS = 2,     // Get_DWQB_Line_Warping_Flow
  DWQB_EXTREME_WARPING_STRESSES = 3,  // Get_DWQB_Line_Warping_Stress
};
// Smallest and largest of each of the five values of the variant over every line of the
// part tree, each line sampled at n points s = -1 + 2k / (n - 1) (n = 11 when below 2).
// The mode is the kind argument of the variant's routine: for the two shear variants the
// angle kind of the frame at angle a (the two modes: DWQB_ANGLE_Y, DWQB_ANGLE_PRINCIPAL;
// b unused); for the warping flows the frame kind of the pole (a, b); the warping
// stresses take the shear centre (mode, a, b unused). Either out (5 doubles) may be null.
// 1; 0 with zeros for an unknown variant; zeros without part tree.
int Get_DWQB_Extreme_Values(int variant, int mode, int n, double a, double b, double *minima, double *maxima);
// Not built: Find_DWQB_Outline_Point (a search of a line's outline pieces for a point at a
// given value), of which nothing more is known.

// ---------------------------------------------------------------- triangulation
// Parameters of the triangulation (null: the defaults 10, 20, 1, 10, 1, 0).
struct DWQB_TRI_PARAMS {
  int n_face;       // divisions of the face strip
  int n_face_arc;   // upper limit for a face strip along an arc piece
  int n_end;        // divisions of each end strip (fillets)
  int n_end_arc;    // upper limit for an end strip along an arc piece
  int refine;       // 1 none, 2 four triangles, 3 nine (refined triangles get nodes of their own)
  int options;      // bit 0: also lines of part number 1
};
// The defaults. A caller with a check standard other than 2 sets options bit 0 in a copy
// of them; otherwise it passes null.
constexpr DWQB_TRI_PARAMS DWQB_TRI_DEFAULT_PARAMS = {10, 20, 1, 10, 1, 0};
// Results written into a node by the stress routines below (zeros before), kN/cm².
enum {
  DWQB_R_SIGMA, DWQB_R_TAU, DWQB_R_SIGMA_V,
  DWQB_R_SIGMA_N, DWQB_R_SIGMA_MY, DWQB_R_SIGMA_MZ, DWQB_R_SIGMA_B,  // parts of sigma
  DWQB_R_TAU_V,    // from V_y and V_z
  DWQB_R_TAU_T,    // from T_t and T_w
  DWQB_N_RESULTS
};
struct DWQB_TRI_NODE {
  int index;        // position in nodes
  int list_pos;     // 0-based row of its line in the listed line table
  int line_nr;
  int part_nr;      // the line's part number
  double y, z;      // the point (cm, origin frame)
  double omega;     // warping ordinate about the pole of the build
  double s, e;      // of its point record
  double c[8];      // unit-stress coefficients (DWQB_C_*)
  double res[DWQB_N_RESULTS];
};
struct DWQB_TRI_ELEMENT {
  int index, list_pos, line_nr;
  int node[3];      // indices into nodes
};
// Owned by the caller once returned; free with Free_DWQB_OUTLINE_TRIANGULATION before the
// section changes. The arrays grow by 20 records.
struct DWQB_OUTLINE_TRIANGULATION {
  int n_nodes, n_elements;
  DWQB_TRI_NODE *nodes;
  DWQB_TRI_ELEMENT *elements;
  int nodes_max, elements_max;
};
// Covers every listed line (rows of DWQB_HEADER::listed_lines, filled by a run) with
// triangles: the face strip along both faces and, where there are fillets, an end strip at
// each end; every node carries the coefficients of Calc_DWQB_Line_Point_Values for the
// load point, bending frame and warping pole given (the program passes frame kind 1 and
// second frame kind 2). Lines of part number 1 only with params->options bit 0.
// Returns null when part mode is off, a listed line is missing or memory runs out. An empty
// listed table gives a record without nodes (and so does a section of part-number-1 lines
// only without bit 0): callers that judge extremes test n_nodes > 0.
DWQB_OUTLINE_TRIANGULATION *Calc_DWQB_OUTLINE_TRIANGULATION(int frame, double y_p, double z_p, int angle_kind,
                                                             double theta, int frame2, double y_w, double z_w,
                                                             const DWQB_TRI_PARAMS *params);
void Free_DWQB_OUTLINE_TRIANGULATION(DWQB_OUTLINE_TRIANGULATION *tri);  // null ignored
// out = (sigma, tau, sigma_v) of one node under the eight forces; also writes the node's
// res. 0 when an argument is null, else 1.
int Calc_DWQB_OUTLINE_TRIANGULATION_NODE_Stresses(DWQB_TRI_NODE *node, const double *forces, double *out);
// Smallest and largest (sigma, tau, sigma_v) over all nodes / the nodes of one line number
// / of one list position; each node evaluated gets its res. Either out may be null. 1, also
// with all six 0 when no node matches; 0 when the triangulation or the forces are null
// (outs cleared) or it counts nodes without a node array.
int Calc_DWQB_OUTLINE_TRIANGULATION_NODE_Stresses_MinMax(DWQB_OUTLINE_TRIANGULATION *tri, const double *forces,
                                                         double *min_out, double *max_out);
int Calc_DWQB_OUTLINE_TRIANGULATION_LINE_NR_Stresses_MinMax(DWQB_OUTLINE_TRIANGULATION *tri, int line_nr,
                                                            const double *forces, double *min_out, double *max_out);
int Calc_DWQB_OUTLINE_TRIANGULATION_LINE_Stresses_MinMax(DWQB_OUTLINE_TRIANGULATION *tri, int list_pos,
                                                         const double *forces, double *min_out, double *max_out);

// ---------------------------------------------------------------- stress points
struct DWQB_STRESS_POINT;
// Child list of a stress point: head, then `capacity` records in the same block.
struct DWQB_STRESS_POINT_LIST {
  DWQB_STRESS_POINT *records;
  int count, capacity;
};
// One wall line (21 doubles). The forces are the line's resultants (kN per unit case):
// case 1 a unit force along principal axis 1 (near y), case 2 along axis 2 (near z), both
// of the centre-line model; warping: per unit T_w; torsion: per unit T_t.
struct DWQB_STRESS_POINT {
  int line_nr, part_nr;        // [0]
  double y, z;                 // [1] [2] centroid of the line's area (cm)
  double angle;                // [3] chord direction (rad; of the piece for children)
  double force[6];             // [4]-[9] case 1 y, case 2 y, case 1 z, case 2 z, warping y, z
  double share;                // [10] I_T,line / I_T
  double torsion_y, torsion_z; // [11] [12] closed-cell torsion flow x L along y and z
  double area;                 // [13] A (cm²)
  double inv_area[2];          // [14] [15] 1/A twice
  double thick;                // [16] t_max / I_T,line (0 without I_T,line): thick x share x T
                               //      is the face stress T t_max / I_T
  double omega;                // [17] mean warping ordinate about the shear centre (cm²)
  double length;               // [18] (cm)
  double area_per_length;      // [19] A / length (the line's, also in children)
  DWQB_STRESS_POINT_LIST *children;  // [20] arc pieces, or null
};
// The set: head, then the records in the same block. sums: [0]-[7] s0..s7 and [8]-[11]
// m1..m4 of Sum_DWQB_Stress_Point_Resultant about (y_0, z_0), [12] the total area.
struct DWQB_STRESS_POINT_SET {
  DWQB_STRESS_POINT *records;
  int count, capacity;
  int status;                  // the header options of the build
  double y_0, z_0;             // reference point: the shear centre
  double sums[16];
};
// Builds one record per line element (part-tree order) into *holder, reusing a set whose
// capacity is at least max(lines, minimum), then scales the case forces so that they sum
// to unit forces along the principal axes (case 1 (cos a, sin a), case 2 (-sin a, cos a) in
// y, z; a the centre-line alpha) when they miss that by more than 1e-5. Returns 1; 0 for a null
// holder or without part tree or torsion block (holder untouched), or when memory fails
// (*holder null) or a line fails (the partial set stays in *holder).
int Build_DWQB_Stress_Points(DWQB_STRESS_POINT_SET **holder, int minimum);
// Sorts the records by line number; returns the count (0 for null).
int Sort_DWQB_Stress_Points(DWQB_STRESS_POINT_SET *set);
void Free_DWQB_Stress_Points(DWQB_STRESS_POINT_SET *set);       // children too; null ignored
void Free_DWQB_Stress_Point_Children(DWQB_STRESS_POINT *record);
// Clears and fills a record for one line; 0 for a null line or when it has no result.
int Get_DWQB_Line_Stress_Point(DWQB_LINE *line, DWQB_STRESS_POINT *record);
// Fills a record for one line without clearing it first (Get_DWQB_Line_Stress_Point clears,
// then calls this): 1, or 0 when the line has no result (a curved line whose child list
// cannot be allocated keeps one record for the whole arc). Neither may be null.
int Set_DWQB_Line_Stress_Point(DWQB_LINE *line, DWQB_STRESS_POINT *record);
// Adds the resultants of a point (leaves only, children first) about (y0, z0) to sums[12]
// and its area to *weight: s0 += f[4], s1 += f[5], s4 += f[6], s5 += f[7], s2 += f[8],
// s6 += f[9], s3 += [11], s7 += [12], m1 += f6 dy - f4 dz, m2 += f7 dy - f5 dz,
// m3 += f9 dy - f8 dz, m4 += share + [12] dy - [11] dz (f = record fields by index).
void Sum_DWQB_Stress_Point_Resultant(double *sums, double *weight, const DWQB_STRESS_POINT *point, double y0,
                                     double z0);
int Compare_DWQB_Int(const void *a, const void *b);

// ---------------------------------------------------------------- output point tables
// Tables of the listed lines (n rows of the listed line table), filled by
// Calc_DWQB_Output_Points; stations k = 0..10 at s = 0.2 k - 1 (index 11 i + k), points
// 3 per station (index 3 (11 i + k) + j): j = 0 centre line, 1 left face, 2 right face.
enum {
  DWQB_OP_Y, DWQB_OP_Z,
  DWQB_OP_INV_A,      // 1/A
  DWQB_OP_C1,         // v / I_1
  DWQB_OP_C2,         // -u / I_2
  DWQB_OP_TAU_VY,     // shear stress of a unit V_y (along y)
  DWQB_OP_TAU_VZ,     // of a unit V_z
  DWQB_OP_TAU_T,      // c_Tt: t_0, t_0 - k, t_0 + k at centre, left, right
  DWQB_OP_OMEGA,      // ordinate about the shear centre
  DWQB_OP_INV_T,      // 1/t
  DWQB_N_OP
};
struct DWQB_OUTPUT_TABLES {
  int n_lines, n_stations, n_points;
  double alpha, y_s, z_s, I_1, I_2, cos_alpha, sin_alpha;   // section values used
  // per listed line
  double *omega_a, *omega_b;   // ordinates about the shear centre at both ends
  double *t_m;                 // mean thickness
  int *kind;                   // Set_DWQB_Output_Line_Table: 1, 0, 2 or -2 (no output line)
  double *ratio;
  int *code_a, *code_b;
  double *value_a, *value_b;
  // per station: unit flows (1/cm, a -> b) of V_y, V_z and T_w
  double *q_vy, *q_vz, *q_w;
  // per point, one table per DWQB_OP_*
  double *point[DWQB_N_OP];
  int cap_lines;               // capacity in lines (tables grow, never shrink)
};
// Fills the tables after a run. 0, or 10 when a listed line is missing or the section has
// no lines (entries of earlier lines stay filled). No listed lines: 0, tables untouched.
// Part mode takes the points from the outline pieces; direct mode from the line record
// found by number: its chord and t_m, stations at k/10 from node a, points centre line,
// left face, right face (±t_m/2 along the left normal), per-station tables -Q2, -Q1,
// -Q_omega of the line.
int Calc_DWQB_Output_Points();
// Per listed line from the plate words of DWQB_LINE (plate_rev_start, plate_rev_end,
// plate_first, plate_last, plate_support; plate_t, plate_b; cut_start, cut_end):
// kind from plate_support (1 -> 1, 2 -> 0, 3 -> 2, else -2), ratio |plate_b / plate_t|,
// code_a = plate_first x 33 (+30 when plate_rev_start is 1), value_a = cut_start, and b
// likewise. 0, or 11 when a listed line is missing or the section has no lines.
int Set_DWQB_Output_Line_Table();
const DWQB_OUTPUT_TABLES *Get_DWQB_Output_Tables();
// The raw plate words of one line; 1 when found.
int Get_DWQB_Line_Output_Words(int line, int *kind, int *code_a, int *flag_a, double *value_a, int *code_b,
                               int *flag_b, double *value_b, double *double_2, double *double_1);

// ---------------------------------------------------------------- hooks and services
// A result component attached from outside (referenced, not owned).
struct DWQB_RESULT_HOOKS {
  void *(*create)(const double *key, void *context);
  int (*query)(void *object, void *options, const double *forces, const double *material, void *result,
               void **line_list, const DWQB_RESULT_HOOKS *table, void *context);
  void (*free)(void *object, void *context);
  void *context;
};
// Installs a table (or none); returns the previous one. A change of table frees the cached
// result through the table that created it and forgets a failed create.
const DWQB_RESULT_HOOKS *Set_DWQB_Result_Hooks(const DWQB_RESULT_HOOKS *table);
const DWQB_RESULT_HOOKS *Get_DWQB_Result_Hooks();
// The cached result for *key (kept while the key stays within 1e-8; a new key frees the
// old result through the table), created once per key; 0 outside part mode, for a null key,
// without table or create, or after a failed create for the same key (failed flag).
void *Get_DWQB_Hook_Result(const double *key);
void *Get_DWQB_Cached_Hook_Result();
int Query_DWQB_Hook_Result(void *object, void *options, const double *forces, const double *material, void *result,
                           void **line_list);
// Extents including the wall thickness. Result 0 with the extents of DWQB_VALUES when they
// are valid (min < max), else 1 with extents of the wall rectangles (outside part mode) or
// of the line outlines (part mode; builds the links and outlines).
int Build_DWQB_Outlines(double *y_min, double *y_max, double *z_min, double *z_max);
// Moves the section: node -> R(angle) (node + (dy, dz)); line geometry rebuilt; results of
// the old coordinates dropped (masks, hook result, extents). move = (dy, dz, angle). 1.
int Move_DWQB_Querschnitt(const double *move);
int Get_DWQB_Line_Part_Nr(const DWQB_LINE *line);  // 0 for null

// ---------------------------------------------------------------- section summary
// All section values of the last part-mode run in one record (cm units, radians), from the
// root part, the section result and the torsion and shear-centre block. u, v are the
// principal coordinates about the centroid (u along axis 1 at alpha). Radii of gyration
// are sqrt(|I / A|), 0 when |A| <= 0.001. Moduli are absolute values; "min" is the smaller
// of a pair. The tail from torsion_fillets on (further torsion and shear values) is this
// solver's own choice of values.
struct DWQB_SUMMARY {
  int n_lines;            // line elements of the part tree
  int n_parts;            // the root's count word: connected parts
  // [0]-[16] extents, thickness and perimeter
  double y_min, y_max, z_min, z_max;  // origin frame, walls included
  double u_min, u_max, v_min, v_max;  // over the outline points
  double width_y, width_z, width_u, width_v;
  double t_min, t_max;
  double U_outer, U_inner, U;         // perimeters: outer, bordering closed cells, sum
  // [17]-[25] area, centroid, principal angle, moments about the origin
  double A, y_s, z_s, alpha;
  double S_y, S_z;                    // ∫y dA, ∫z dA
  double I_zz0, I_yy0, I_yz0;         // ∫z² dA, ∫y² dA, ∫yz dA
  // [26]-[37] centroidal moments, radii, moduli
  double I_y, I_z, I_yz;
  double i_y, i_z, i_yz;
  double W_y_zmin, W_y_zmax, W_z_ymin, W_z_ymax;  // I_y / |z - z_s|, I_z / |y - y_s| at the extremes
  double W_y, W_z;                                // the smaller of each pair
  // [38]-[49] principal values
  double I_1, I_2, I_p;               // I_p = I_1 + I_2
  double i_1, i_2, i_p;
  double W_1_vmin, W_1_vmax, W_2_umin, W_2_umax;
  double W_1, W_2;
  // [50]-[60] shear centre and warping (torsion and shear-centre block)
  double y_M, z_M;                    // origin frame
  double y_M_s, z_M_s;                // relative to the centroid
  double omega_min, omega_max;        // warping ordinates about the shear centre
  double I_w;
  double I_w_centroid;                // block value 5: I_w with the shear-centre terms
  double I_omega_z, I_omega_y;        // sectorial products about the centroid
  double warping_ratio;               // block value 8
  // [61]-[63] torsion constant
  double I_T, I_T_open, I_T_cells;    // I_T = walls + closed cells
  // [64]-[83] further torsion and shear values
  double torsion_fillets;             // I_T of the walls with their corner fillets
  double shear_1, shear_2, shear_3;   // root part values 41, 42, 43
  double W_y_unsym_min, W_y_unsym_max, W_z_unsym_min, W_z_unsym_max;  // section result 26-29
  double r_u, r_v;                    // ∫u (u² + v²) dA / I_2, ∫v (u² + v²) dA / I_1
  double q_T_min, q_T_max;            // closed-cell torsion flow per unit T_t
  double q_min, q_max;                // unit shear flows (DWQB_VALUES 40, 41)
  double tau_min, tau_max;            // unit shear stresses (42, 43)
  double shear_y, shear_z;            // DWQB_VALUES 32, 33
  double n_cells;                     // closed cells
  double A_centre_line;               // area of the centre-line model
  // [84], [85] Wagner values
  double wagner_1;                    // r_v - 2 v_M
  double wagner_2;                    // r_u - 2 u_M
};
// Fills the record (cleared first): 1, or 0 (record cleared when given) for a null record
// or when the last run left no part tree (no run, a direct-mode run, a fault).
int Get_DWQB_Querschnitt_Summary(DWQB_SUMMARY *record);
