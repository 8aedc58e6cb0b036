// dwqb/dwqb_internal.h — internals of the thin-walled section solver shared by its
// source files and its tests. Not for other folders: they use dwqb/dwqb.h.
//
// Source files: geometry.cpp (line geometry), model.cpp (module state, building, lookup,
// model keys, driver start), topology.cpp (winged-edge structure), part_values.cpp
// (part sums, line integrals, principal values, segment steps), outlines.cpp (line
// outlines and their small intersection solves), direct.cpp (direct mode: cells, walks,
// shear flows), direct_axes.cpp (direct mode: principal axes, warping), walk_steps.cpp
// (chord walk of a line geometry, segment steps, entry codes), unit_values.cpp (unit
// values of a line, outline extremes).
#pragma once

#include <cstdint>
#include <unordered_map>
#include <vector>

#include "dwqb/dwqb.h"

// One element of a closed cell of the direct mode: it runs `line` from node_a to node_b;
// the elements of a cell follow each other around it.
struct DWQB_CELL_ELEMENT {
  DWQB_NODE *node_a, *node_b;
  DWQB_LINE *line;
};

// Entry of the spanning tree of the direct mode (breadth first from the first node).
struct DwqbTreeEntry {
  DWQB_NODE *node;
  std::vector<DWQB_NODE *> parents;       // [0] the tree parent, then the nodes whose line closed a cell
  std::vector<DWQB_LINE *> parent_lines;  // the line that joined each parent
  std::vector<DWQB_NODE *> children;
  int cut;                                // parents not yet cut open by the shear-flow walk
  int depth;                              // tree steps from the first node
};

// Work data of the direct mode, grown and never shrunk.
struct DwqbDirect {
  std::vector<DwqbTreeEntry> entries;
  std::vector<int> entry_of;                        // node index -> entry, -1 none
  std::vector<std::vector<DWQB_CELL_ELEMENT>> cells;  // the first n_cells hold this run's cells
  int n_cells;
  std::vector<double> F;                            // n_cells x n_cells cell matrix as assembled
  std::vector<double> rhs;                          // 4 x n_cells: Q1, Q2, twice the areas, Q_omega
  std::vector<double> x;                            // solutions, same layout
  std::vector<double> solve;                        // work copy of F for the eliminations
  std::vector<double> torsion_flow;                 // cell flows at unit twist (G = 1)
  std::vector<std::vector<std::pair<int, int>>> line_cells;  // per line index: (cell, +1 a->b / -1)
  std::vector<DWQB_NODE *> nodes;                   // by node index
  std::vector<int> counter;                         // per node index: lines not yet walked
  std::vector<int> line_cursor;                     // per node index: first line not yet looked at
  double A, y_s, z_s, I_T;
  double I_w;                                       // of the warping step, before a preset scales it
  // cursor of Next_Cell_Element_Line
  int cursor_cell, cursor_pos, cursor_filter;
};

// The one module state of the solver (defined in model.cpp).
struct DwqbState {
  // current section
  DWQB_NODE *node_head, *node_tail, *node_free;
  DWQB_LINE *line_head, *line_tail, *line_free;
  int sticky_code;
  int cache_nr;
  DWQB_LINE *cache_line;
  DWQB_HEADER header;
  DWQB_VALUES values;

  // lookups: node number -> last node with it (a repeated number falls back to scans),
  // line number -> first line with it, list counts, and the lines at every node in list
  // order (rebuilt when the section changed)
  std::unordered_map<int, DWQB_NODE *> node_by_nr;
  std::unordered_map<int, DWQB_LINE *> line_by_nr;
  bool repeated_node_nr;
  int n_nodes, n_lines;
  std::vector<int> node_line_start;
  std::vector<DWQB_LINE *> node_lines;
  bool node_lines_valid;

  // run state of the driver (set at the start of every run)
  std::uint32_t run_options;
  int wall_terms;
  int part_mode;
  double presets[20];

  // winged-edge build: the node whose lines are being sorted, and the growable buffer
  // of the lines gathered at one node
  DWQB_NODE *sort_node;
  DWQB_LINE **gather;
  int gather_cap;

  // intersection solve of the outlines: the two curves, their w and the stop value
  const DWQB_LINE_GEOMETRY *curve_a, *curve_b;
  double w_a, w_b;
  double eps;

  // part-tree buffer of part mode, one container per record type, grown and never
  // shrunk: groups[0] section group, groups[1] line group, groups[2..] the parts; one
  // line element per line; the reference table (part slots, then line slots); one shear
  // entry per line.
  DWQB_PART *groups;
  int cap_groups;
  DWQB_LINE_ELEMENT *elements;
  int cap_elements;
  DWQB_PART **refs;
  int cap_refs;
  DWQB_SHEAR_ENTRY *shear;
  int cap_shear;
  DWQB_PART *root;        // section group of the last part-mode run, or null
  DWQB_PART *line_group;  // line group of the last part-mode run, or null

  // results of the last part-mode run
  DWQB_SECTION_RESULT section_result;
  double centre_line[14];
  double shear_centre[9];
  double shear_sums[8];   // over all lines: ∫q1 dy, ∫q2 dy, ∫q1 dz, ∫q2 dz, closed-cell torque
                          // at unit twist, then the three shear-deformation sums
  // coefficients of the unit shear flows: q1 = q1(a) + k1u S_u + k1v S_v, likewise q2
  double k1u, k1v, k2u, k2v;
  double pc_cos, pc_sin;  // principal frame of the centre-line model

  // cell table and cell system of the part being computed (separate containers)
  DWQB_LINE **cell_line;
  std::uint32_t *cell_flags;
  double *cell_matrix;    // count × count, then the three right-hand sides
  int cell_count, cell_cap;

  DwqbDirect direct;
};
DwqbState &Dwqb_State();

// The lines at a node in list order (count in *n); built once per section state.
DWQB_LINE *const *Dwqb_Node_Lines(const DWQB_NODE *node, int *n);

// Direct mode (neither the part-mode switch nor option 0x1000): the whole computation
// after the common checks. Returns 0, or 4 for nodes that are not connected (sticky,
// nothing written). A principal moment below 0.0001 stores the sticky code 5 and the run
// goes on to its end.
int _Calc_DWQB_Direct();
// Steps of the direct mode, on the lines' direct-mode fields and DWQB_VALUES: second
// moments, principal axes, moduli and third-moment ratios from A and the centroid of
// the run; warping ordinates, I_w and the torsion flows of the lines from the cell flows.
void Calc_DWQB_Principal_Axes();
void Calc_DWQB_Warping();
// 12 times ∫z² dA, ∫y² dA and ∫yz dA of the rectangle of thickness t on the segment
// (y1, z1)-(y2, z2) about the origin; 0 for a zero-length segment.
void Calc_Wall_Rectangle_Moments(double *Izz, double *Iyy, double *Iyz, double y1, double y2, double z1, double z2,
                                 double t);
// Cell element iterator of the direct mode: Start_Cell_Element_Walk(cell, filter) puts the
// cursor on the first element of the cell; each Next_Cell_Element_Line gives the next line
// (null at the end) with *orientation +1 when the element runs it from node a to node b.
// With filter >= 0 only lines that the filter cell also holds come, and *orientation is
// +1 when both cells run the line the same way.
void Start_Cell_Element_Walk(int cell, int filter);
DWQB_LINE *Next_Cell_Element_Line(int *orientation);

// The value numbers of DWQB_VALUES saved as presets at the start of a run, in order.
extern const int kDwqbPresetIndex[20];
// Under DWQB_OPT_PRESET_SHEAR in opt, a preset shear centre and the warping values 25 to 28
// stand: the presets P (order of kDwqbPresetIndex) go back over the run's own values v.
void Dwqb_Keep_Preset_Shear(double *v, const double *P, std::uint32_t opt);

// Driver: common start (run options, wall terms and mode, presets, sticky code, input
// checks); in part mode then the winged-edge structure and the line outlines. Returns 0
// or a fault code (also stored as sticky code).
int _Init_Result_Buffer();

// Winged-edge structure of the current section: angle links at every node, connected
// parts (part_line), faces with WE_CELL / WE_OUTER; diagnostics on standard output.
// Uses the nodes' `work` fields as scratch.
void _Winged_Edge_Structure();
// Part-mode steps of the driver (after the outlines): the part tree with its shear
// groups; the section values by parts; warping and torsion results; the transfer into
// DWQB_VALUES. A part-tree buffer that cannot grow ends the run (Exit_Memory_Exhausted).
void _Build_DWQB_Part_Tree();
int _Calc_Part_Values();
int _Calc_Warping_Results();
int _Calc_Torsion_Results();
void _Transfer_DWQB_Results();
// Clears the part-mode result blocks and drops the part tree (reset and free).
void _Clear_DWQB_Part_Results();

// Section result values (38, layout in the solver note) from a summed value block;
// root null skips the outline walk (indices 26-37 stay 0). Returns 0.
int _Calc_Section_Result_Values(DWQB_PART *root, const double *S, DWQB_SECTION_RESULT *result);
int Calc_DWQB_Part_Result_Values(const double *values, double *result);
// Principal axes of the centroidal tensor (I_y, I_z, I_yz), cm⁴: *alpha (rad) within
// ±π/4, *I1 the value about the axis at alpha, *I2 the other. A product I_yz within
// 1e-6 of |I_y| + |I_z| counts as none: alpha 0, I1 = I_y, I2 = I_z.
void Dwqb_Principal_Axes(double Iy, double Iz, double Iyz, double *alpha, double *I1, double *I2);
// Shear centre, warping constant and sectorial values of a part's value block into 9.
int Calc_DWQB_Part_Shear_Centre(const double *values, double *result);
// Walks one outline piece in n chords (n < 0: its count) handing each chord to the step;
// returns the step's last answer. The checked form answers 0 for a null piece or step.
int Walk_DWQB_Outline_Piece(const DWQB_OUTLINE_PIECE *piece, int n, DWQB_SEGMENT_STEP step, void *ctx);
// ∫ds/t along the centre line of a line from node a to s (exact for linear t).
double Dwqb_Line_Flexibility(const DWQB_LINE *line, double s);
// ∫(y dz - z dy) along the centre line from node a to s.
double Dwqb_Line_Sweep(const DWQB_LINE *line, double s);
// Closed-cell steps of one group part (cell table in the module state).
int REALLOC_DWQB_CELLS_BUFFER(DWQB_LINE *start, std::uint32_t flags);
// Gaussian elimination without pivoting on the n × n matrix for 1 to 3 right-hand sides
// (mode), which become the solutions; zero pivots give zero unknowns. Returns 1.
int Solve_Cell_System(double *M, double *r1, double *r2, double *r3, int n, int mode);
int Solve_Cell_System_1(double *M, double *rhs, int n);
// Cell visits of a group part: for every cell whose start line lies in the part (left
// face before right), begin, line (each line of the part bordering it) and end; a zero
// answer stops the visit. 1 when all cells were visited, 0 otherwise.
struct DWQB_CELL_CALLBACKS {
  int (*begin)(DWQB_LINE *start, std::uint32_t flags, void *user);
  int (*line)(DWQB_LINE *start, std::uint32_t flags, DWQB_LINE *line, void *user);
  int (*end)(DWQB_LINE *start, std::uint32_t flags, void *user);
  void *user;
};
int For_Each_Part_Cell(DWQB_PART *part, const DWQB_CELL_CALLBACKS *callbacks);
// Line steps of the cell system (three cases / the secondary case); return 1.
int Assemble_Cell_Line(DWQB_LINE *line, int kind, void *ctx);
int Assemble_Cell_Line_Secondary(DWQB_LINE *line, int kind, void *ctx);
int Apply_Cell_Flows(DWQB_LINE *line, int kind, void *ctx);
int Apply_Cell_Flows_Secondary(DWQB_LINE *line, int kind, void *ctx);
int _Calc_Part_Warping(DWQB_PART *part);
// Walk steps of the part results. The context of the result steps: the part's result
// values (38), its centre-line block (14) and the reference point (y0, z0); the ref step
// also puts the centre-line centroid and principal values beside the results and turns
// the second moments [8] to [10] into moments about (y0, z0). The shear-centre steps write
// the 9 values of Calc_DWQB_Part_Shear_Centre into a double[9]; the reset step zeroes a
// warping constant below 1e-6 A³. Scale_Line_Result sets a line's torsion flow per unit
// closed-cell torque from its flow at unit twist times the factor (double*). All return 1.
struct DWQB_PART_RESULT_CONTEXT {
  double result[38];
  double centre_line[14];
  double y0, z0;
};
int Calc_Part_Result_Step(DWQB_PART *part, void *ctx);
int Calc_Part_Result_Ref_Step(DWQB_PART *part, void *ctx);
int Calc_Part_Shear_Centre_Step(DWQB_PART *part, void *ctx);
int Calc_Part_Shear_Centre_Reset_Step(DWQB_PART *part, void *ctx);
int Scale_Line_Result(DWQB_LINE *line, int kind, void *ctx);
// Torque of the secondary (warping) flows about the shear centre; 1 when I_w > 0.
double Dwqb_Secondary_Torque();

// Walks one face from a start line and start flags (0x29 or 0x16).
void _Winged_Edge_Outline(DWQB_LINE *start, std::uint32_t start_flags);
// qsort comparator of two DWQB_LINE* by leaving angle at the node under sort.
int Compare_Winged_Line_Angle(const void *a, const void *b);

// Line outlines: all ten pieces of all lines (needs the winged-edge links).
void _Set_Line_Outlines();
// The join of an in-line (code 5: node is its node b, 10: its node a) with an out-line
// (code 5: node is its node a, 10: its node b) at a node; writes the four pieces.
void _Line_Outline(const DWQB_NODE *node, DWQB_LINE *l1, int c1, DWQB_OUTLINE_PIECE *f1, DWQB_OUTLINE_PIECE *j1,
                   DWQB_LINE *l2, int c2, DWQB_OUTLINE_PIECE *j2, DWQB_OUTLINE_PIECE *f2);
// s of the point where the ray from the node in direction (-sin angle, cos angle) meets
// the line's face w; 1 when found (s updated), else 0 (message, s unchanged).
int _Calc_Line_Node_Rot_Outline(const DWQB_NODE *node, const DWQB_LINE *line, double *s, double angle, double w);
// Sets the two curves of the next Solve_Outline_Intersection.
void Set_Outline_Intersection_Curves(const DWQB_LINE_GEOMETRY *a, double w_a, const DWQB_LINE_GEOMETRY *b,
                                     double w_b);
// Residual and Jacobian of the intersection solve (hybrid driver callback).
void _Outline_Intersection_Fcn(int *n, double *x, double *fvec, double *fjac, int *ldfjac, int *iflag);

// Marks one outline piece unset (flags EMPTY, points 0, s0 -1, s1 +1, w0 = w1 = -1).
void Clear_DWQB_Outline_Piece(DWQB_OUTLINE_PIECE *piece);
// Present: computed and not empty.
inline bool Dwqb_Piece_Computed(const DWQB_OUTLINE_PIECE &p) { return (p.flags & DWQB_PIECE_COMPUTED) != 0; }

// Five-point Gauss-Legendre rule along a line: m intervals of s in [-1, 1] (an arc's
// segment count limited to 1..4, a straight line 1); f(s, w) with weights that integrate
// over s (they sum to 2). Multiply by length / 2 for the arc length.
template <class F>
inline void Dwqb_Gauss_Line(const DWQB_LINE *l, F f) {
  static constexpr double kGx[5] = {-0.906179845938664, -0.538469310105683, 0.0, 0.538469310105683,
                                    0.906179845938664};
  static constexpr double kGw[5] = {0.1184634425280945, 0.239314335249683, 0.2844444444444445, 0.239314335249683,
                                    0.1184634425280945};
  int m = l->geo.n_seg;
  if (m < 1) m = 1;
  if (m > 4) m = 4;
  for (int j = 0; j < m; ++j)
    for (int i = 0; i < 5; ++i) f((kGx[i] + 2.0 * j + 1.0) / m - 1.0, 2.0 * kGw[i] / m);
}
