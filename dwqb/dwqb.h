// dwqb/dwqb.h — thin-walled section solver.
//
// The solver works on ONE current section held in module state (no handles, not
// re-entrant). A caller builds it in a fixed order and then reads the results:
//
//     Reset_DWQB_Querschnitt();                    // empty section, header reset
//     Get_DWQB_Header()->options = ...;             // optional: options, presets
//     Add_DWQB_Node(1, y, z); ...                   // all nodes first (cm)
//     Add_DWQB_Line(1, 0, 1, 2, values); ...        // then the wall lines
//     int code = Calc_DWQB_Querschnitt();           // 0 or a sticky fault code
//     Get_DWQB_Values()->v[DWQB_V_A] ...            // section values (cm units)
//
// Units: lengths cm, areas cm², second moments cm⁴, warping constant cm⁶, moduli cm³,
// angles radians. Callers convert their own units on the way in and out.
//
// Module state: the node and line lists with their free lists (records are recycled,
// never given back), the sticky fault code, the one-entry line lookup cache, the header
// DWQB_HEADER with its growable listed tables, the 49 values DWQB_VALUES, the two switch
// words below and the driver's work buffers (grown, never shrunk): the part tree of the
// last run (groups, line elements with their result blocks, shear entries), the cell
// table, and the result blocks of the run (section result, centre-line block, torsion and
// shear-centre block). Reset_DWQB_Module_For_Tests() brings all of it back to program
// start. The definitions behind the values are in dwqb/THEORY.md. Unit stresses, the
// outline triangulation, stress points, output tables, result hooks, extents and the move
// of a section are in dwqb/dwqb_stress.h.
//
// Side conventions: the left side ("links") of a wall line is the side to the left of
// the direction node a -> node b, with +z a quarter turn counter-clockwise from +y;
// positive signed areas run counter-clockwise.
#pragma once

#include <cstdint>

// ---------------------------------------------------------------- fault codes
// Results of Calc_DWQB_Querschnitt. Every fault is also kept as a sticky code that each
// further run returns at once until the section is reset.
enum {
  DWQB_OK = 0,
  DWQB_FAULT_NO_NODES_OR_LINES = 1,
  DWQB_FAULT_ZERO_LENGTH = 2,      // the nodes of a line coincide; non-finite coordinate or rise
  DWQB_FAULT_THICKNESS = 3,        // mean thickness <= 0, or a non-finite thickness, rotation or radius
  DWQB_FAULT_NOT_CONNECTED = 4,    // direct mode only
  DWQB_FAULT_PRINCIPAL = 5,        // direct mode only
  DWQB_FAULT_MISSING_NODE = 6,     // Add_DWQB_Line did not find node a or node b
};

// Option bits of DWQB_HEADER::options.
enum : std::uint32_t {
  DWQB_OPT_WALL_TERMS = 0x1,       // second moments from the full wall rectangles
  DWQB_OPT_PRESET_MAIN = 0x2,      // A, centroid, alpha, I_1, I_2, the four moduli kept
  DWQB_OPT_PRESET_IT = 0x4,        // I_T kept when the preset is > 0
  DWQB_OPT_PRESET_IW = 0x8,        // I_w kept when the preset is > 0
  DWQB_OPT_PRESET_WPL = 0x10,      // W_pl,y and W_pl,z kept when both are non-zero
  DWQB_OPT_PRESET_SHEAR = 0x20,    // shear centre and warping values 25..28 kept
  DWQB_OPT_PART_MODE = 0x1000,     // part mode
};

// ---------------------------------------------------------------- switch words
// Set to 1 by the profile library initialisation (Init_Profil_Library) and never
// cleared in the program: while DWQB_Part_Mode_Switch is set every run works in part
// mode, while DWQB_Wall_Terms_Switch is set option 0x1 is forced on.
// Reset_DWQB_Module_For_Tests() sets both, as they stay after that initialisation; a
// direct-mode run needs both cleared.
extern int DWQB_Part_Mode_Switch;
extern int DWQB_Wall_Terms_Switch;

// ---------------------------------------------------------------- line geometry
// Local geometry block of a straight or circular-arc wall line whose thickness varies
// linearly from t_a at node a to t_b at node b (all cm / radians).
// Line coordinates (s, w): s from -1 at node a to +1 at node b (on an arc in proportion
// to the angle); w from -1 on the right face over 0 on the centre line to +1 on the left
// face. Half thickness h(s) = h0 + h1·s.
struct DWQB_LINE_GEOMETRY {
  double y_a, z_a;       // start point (node a)
  double y_b, z_b;       // end point (node b)
  double rise;           // signed rise of the arc over the chord middle; > 0 bulges left
  double h0;             // (t_a + t_b) / 4
  double h1;             // (t_b - t_a) / 4
  double length;         // chord length (straight) or arc length
  double half_chord;     // half the chord (straight); 0 for an arc
  double y_c, z_c;       // chord middle (straight) or circle centre (arc)
  double radius;         // signed arc radius; 0 for a stored straight line. On straight
                         // lines a non-zero value moves the faces sideways (moved copies
                         // of the outline step): v = radius + w·h(s).
  double angle;          // chord direction atan2(dz, dy)
  double half_angle;     // half opening angle of the arc, sign of rise; 0 when straight
  double cos, sin;       // of the chord direction; 1 and 0 for a zero-length line
  double tol;            // always 0.001
  int n_seg;             // 0 straight; chords in which an arc is drawn (>= 1)
};

// Fills the block from two points, the rise and the two thicknesses (cm); a rise up to
// rel_tol times the chord is straight. Every caller passes 0.001. Null block: nothing.
void Set_DWQB_Line_Geometry(double y_a, double z_a, double y_b, double z_b, double rise, double t_a,
                            double t_b, double rel_tol, DWQB_LINE_GEOMETRY *geo);
// The point at line coordinates (s, w); null block gives (0, 0); either out may be null.
void Get_DWQB_Line_Geometry_Point(double s, double w, const DWQB_LINE_GEOMETRY *geo, double *y, double *z);
// d(point)/ds at (s, w); null block gives (0, 0).
void Get_DWQB_Line_Geometry_Tangent(double s, double w, const DWQB_LINE_GEOMETRY *geo, double *dy, double *dz);
// Line coordinates (s, w) of the point (y, z); null block gives (0, 0).
void Get_DWQB_Line_Geometry_Coordinates(double y, double z, const DWQB_LINE_GEOMETRY *geo, double *s, double *w);
// The centre-line point at t in [-1, 1] (w = 0).
void Calc_Line_Point(const DWQB_LINE_GEOMETRY *geo, double t, double *y, double *z);

// Segment steps handed to walks of lines and outlines: (context, start point and its
// parameter, end point and its parameter); each returns 1 to go on, 0 to stop.
typedef int (*DWQB_SEGMENT_STEP)(void *context, double y1, double z1, double s1, double y2, double z2,
                                 double s2);
// Walks the centre line of a block in n chords (n < 0: its n_seg; at least 1) from
// s = -1 to s = 1, handing each chord with its end parameters to the step. Returns the
// step's last answer, 0 as soon as it answers 0, 0 for a null block or step.
int Walk_DWQB_Line_Geometry(const DWQB_LINE_GEOMETRY *geo, int n, DWQB_SEGMENT_STEP step, void *context);

// ---------------------------------------------------------------- section records
struct DWQB_LINE;
struct DWQB_PART;

// One node of the current section.
struct DWQB_NODE {
  int nr;                // node number given by the caller
  int index;             // 0-based position in the node list (set when appended)
  int use_count;         // number of line ends at this node
  int work;              // traversal counter; List_DWQB_Section writes the list position
  double y, z;           // coordinates (cm)
  double yc, zc;         // y - y_s, z - z_s (direct mode), then principal coordinates
  double s1, s2;         // running first-moment sums (direct mode)
  double s_omega;        // running sectorial sum (direct mode)
  DWQB_NODE *prev, *next;
  std::uint32_t flags;   // bits of the part-mode steps
  double work_values[4]; // per-node values of the part-mode steps
};

// Outline piece flags (low four bits: the piece index 0..9).
enum : std::uint32_t {
  DWQB_PIECE_EMPTY = 0x80000000u,     // unset, or a fillet of zero length (one point)
  DWQB_PIECE_JOINED = 0x40000000u,    // the node of this join has winged-edge neighbours
  DWQB_PIECE_ARC = 0x20000000u,       // walk it in `count` chords
  DWQB_PIECE_COMPUTED = 0x10000000u,
  DWQB_PIECE_INDEX_MASK = 0xFu,
};

// One of the ten outline pieces of a line, in index order a closed loop around the
// line's area: 0 join at a (right face), 1 fillet at a (right), 2 right face, 3 fillet
// at b (right), 4 join at b (right), 5 join at b (left), 6 fillet at b (left), 7 left
// face, 8 fillet at a (left), 9 join at a (left). A piece is present when COMPUTED is set
// and EMPTY is clear. An arc piece with a `line` follows that line's geometry between
// (s0, w0) and (s1, w1); without one it is the circular arc from start to end with `rise`;
// otherwise it is the straight segment.
struct DWQB_OUTLINE_PIECE {
  std::uint32_t flags;
  int count;             // chords of an arc piece
  double y0, z0;         // start point (cm)
  double y1, z1;         // end point
  double rise;           // rise of a fillet arc; 0 otherwise
  double s0, s1;         // line coordinate s at start and end
  double w0, w1;         // line coordinate w at start and end
  DWQB_LINE *line;       // line whose geometry draws the piece, or null
};

// Winged-edge face flags of DWQB_LINE::flags_links / flags_rechts.
enum : std::uint32_t {
  WE_SIDE_LINKS = 0x1,
  WE_SIDE_RECHTS = 0x2,
  WE_NEXT_AT_B = 0x4,
  WE_PREV_AT_B = 0x8,
  WE_START_RECHTS = 0x10,
  WE_START_LINKS = 0x20,
  WE_CELL = 0x10000,
  WE_OUTER = 0x20000,
};

// One wall line of the current section: a straight or circular strip between two nodes.
struct DWQB_LINE {
  int nr;                          // line number given by the caller
  int index;                       // 0-based position in the line list (set when appended)
  DWQB_NODE *node_a, *node_b;      // null when the number was not found
  int part_nr;                     // 1: takes part in no outline join, line element kind 2
  double t_a, t_b;                 // wall thickness at node a and b (line values 0, 1)
  double rot_a, rot_b;             // line values 3, 4: end rotations (radians)
  double rad_links_a, rad_rechts_a;  // line values 5, 6: corner radii at node a
  double rad_links_b, rad_rechts_b;  // line values 7, 8: corner radii at node b
  int mark;                        // traversal mark / plate number
  int plate_rev_start, plate_rev_end, plate_first, plate_last, plate_support;
  double t_m;                      // (t_a + t_b) / 2
  double plate_t, plate_b;         // plate thickness and width of the group step
  double L;                        // length, set by the driver before anything else
  double A_L;                      // t_m · L (direct mode)
  double omega_a, omega_b;         // warping ordinates at node a and b
  double q_torsion;                // direct mode: torsion flow per unit torque (1/cm), a -> b positive
  double S1[11], S2[11], S_omega[11];  // direct mode, 11 points a -> b
  double Q1[11], Q2[11], Q_omega[11];
  DWQB_LINE *prev, *next;
  // winged-edge block (rebuilt by every part-mode run)
  std::uint32_t flags_links, flags_rechts;
  DWQB_LINE *next_at_a, *prev_at_a, *prev_at_b, *next_at_b;
  DWQB_LINE *face_links, *face_rechts;
  DWQB_LINE *part_line;            // first line (list order) of the connected part
  DWQB_LINE_GEOMETRY geo;
  DWQB_OUTLINE_PIECE outline[10];
  DWQB_PART *element;              // line element in the part tree (part mode) or null
  double cut_start, cut_end;       // of the group step
};

// Row of the listed node table (rows 1..n_listed_nodes; row 0 unused).
struct DWQB_LISTED_NODE {
  int nr;
  float y, z;
};
// Row of the listed line table (rows 0..n_listed_lines - 1); node_a / node_b are the
// 0-based list positions of the end nodes, -1 when missing.
struct DWQB_LISTED_LINE {
  int nr;
  int node_a, node_b;
  float t_m;
};

// Section head. The listed tables grow as needed (Grow_DWQB_Listed_Tables).
struct DWQB_HEADER {
  char name[28];                   // callers copy at most 27 characters
  int kind;                        // set and read by the section catalogue; reset -1
  int words[2];                    // set by the section catalogue; reset -1, -1
  std::uint32_t options;           // DWQB_OPT_* bits
  int n_listed_lines;
  int n_listed_nodes;
  DWQB_LISTED_NODE *listed_nodes;  // capacity cap_listed_nodes + 1 rows (row 0 unused)
  DWQB_LISTED_LINE *listed_lines;  // capacity cap_listed_lines rows
  int cap_listed_nodes, cap_listed_lines;
  int n_cells;                     // closed cells (see the solver's result transfer)
};

// Indices of the 49 section values.
enum {
  DWQB_V_A = 0, DWQB_V_YS = 1, DWQB_V_ZS = 2,
  DWQB_V_SY = 3, DWQB_V_SZ = 4,                 // ∫y dA, ∫z dA about the origin
  DWQB_V_IZZ0 = 5, DWQB_V_IYY0 = 6, DWQB_V_IYZ0 = 7,  // ∫z² dA, ∫y² dA, ∫yz dA
  DWQB_V_IT = 8,
  DWQB_V_IM = 9, DWQB_V_IN = 10, DWQB_V_IMN = 11, DWQB_V_IM_PLUS_IN = 12,
  DWQB_V_ALPHA = 13, DWQB_V_I1 = 14, DWQB_V_I2 = 15,
  DWQB_V_W1A = 16, DWQB_V_W1B = 17, DWQB_V_W2A = 18, DWQB_V_W2B = 19,
  // Wagner radii ∫v (u² + v²) dA / I_1 and ∫u (u² + v²) dA / I_2 in the principal frame
  // about the centroid. Part mode integrates the walls' outlines, so they hold the walls'
  // own thickness terms; direct mode integrates the centre lines (option 0x1 gives only its
  // second moments the walls' own terms): the two differ by a term of order t², 1.4 % for
  // a channel 19 × 9.5 of wall 1 (r_2 10.304 part mode, 10.450 direct).
  DWQB_V_R1 = 20, DWQB_V_R2 = 21,
  DWQB_V_YM = 22, DWQB_V_ZM = 23,
  DWQB_V_IP_BY_A = 24,
  DWQB_V_WARP_RATIO = 25, DWQB_V_WARP_PROD1 = 26, DWQB_V_WARP_PROD2 = 27, DWQB_V_WARP_SHIFT = 28,
  DWQB_V_IW = 29,
  DWQB_V_YPL = 30, DWQB_V_ZPL = 31,
  DWQB_V_SHEAR_Y = 32, DWQB_V_SHEAR_Z = 33,
  DWQB_V_WPLY = 34, DWQB_V_WPLZ = 35,
  DWQB_V_OMEGA_MIN = 36, DWQB_V_OMEGA_MAX = 37, DWQB_V_TFLOW_MIN = 38, DWQB_V_TFLOW_MAX = 39,
  DWQB_V_Q_MIN = 40, DWQB_V_Q_MAX = 41, DWQB_V_TAU_MIN = 42, DWQB_V_TAU_MAX = 43,
  DWQB_V_YMIN = 44, DWQB_V_YMAX = 45, DWQB_V_ZMIN = 46, DWQB_V_ZMAX = 47,
  DWQB_V_TMAX = 48,
  DWQB_N_VALUES = 49,
};
struct DWQB_VALUES {
  double v[DWQB_N_VALUES];
};

// A caller's description of the model it built, compared before rebuilding.
struct DWQB_MODEL_KEY {
  unsigned char head[224];
  int len;                 // bytes of the variable block
  int cap;                 // allocated size of the block
  unsigned char *block;    // owned by the key
};

// ---------------------------------------------------------------- part tree
// Shear entry of the part tree: one per line.
enum : std::uint32_t {
  DWQB_SHEAR_A_TO_B = 0x1,
  DWQB_SHEAR_B_TO_A = 0x2,
  DWQB_SHEAR_BRANCH = 0x10000,     // chain starts at a node with further unplaced lines
  DWQB_SHEAR_FIRST = 0x20000,
  DWQB_SHEAR_LAST = 0x40000,
};
struct DWQB_SHEAR_ENTRY {
  std::uint32_t flags;
  DWQB_LINE *line;
};

enum { DWQB_PART_LINE = 1, DWQB_PART_LINE_CL = 2, DWQB_PART_GROUP = 3 };
enum { DWQB_PART_N_VALUES = 50 };

// Part-tree record: a line element (kind 1, or 2 when its area moments stay out of the
// group sums) or a group (kind 3). Value block indices: 0-9 area moments ∫y^p z^q dA for
// (p,q) = (0,0),(1,0),(0,1),(2,0),(1,1),(0,2),(3,0),(2,1),(1,2),(0,3); 10-15 y_min,
// y_max, z_min, z_max, t_min, t_max; 16, 17 sectorial values (not summed); 18-23 centre-
// line A, ∫y, ∫z, ∫y², ∫yz, ∫z²; 24-27 centre-line third moments; 28-34 sectorial sums;
// 41-43 shear values; 45 I_T open walls; 46 second torsion share; 47 I_T with fillets;
// 48, 49 outer and inner perimeter.
struct DWQB_PART {
  int kind;
  int count;                       // 1 for a line element; children of a group
  int n_entries;                   // a group's shear entries
  int n_cells;                     // closed cells of the part
  DWQB_LINE *line;                 // a line element's line
  DWQB_PART **children;            // a group's `count` children (entries may be null)
  DWQB_SHEAR_ENTRY *shear;         // group: first entry; line element: its line's entry
  double values[DWQB_PART_N_VALUES];
};

// Result block of one line in part mode (the longer line-element form of DWQB_PART).
// Six-point rows hold v(-1), v(1), then at s = -0.6, -0.2, 0.2, 0.6 the value minus the
// straight line through the two end values (read with Dwqb_Six_Point). Flows are positive
// in the direction node a -> node b; "axis 1" and "axis 2" are the principal axes of the
// centre-line model (axis 1 the one nearer y).
struct DWQB_LINE_RESULT {
  double omega_a, omega_b;   // warping ordinates at node a and b (cm²)
  double y0, z0;             // reference point of the ordinates (the centre-line centroid)
  double y_ref, z_ref;       // point about which row_u, row_v are taken (its part's centroid)
  double row_u[6], row_v[6]; // first moments ∫u dA, ∫v dA from node a (cm³), principal frame
  double q1[6], q2[6];       // unit shear flows (1/cm) for a unit force along axis 2 and axis 1
  double q4[6];              // secondary (warping) shear flow per unit bimoment rate
  double qTa, qTb;           // closed-cell torsion flow at unit rate of twist (G = 1), cm²
  double q_torsion;          // the same per unit torque T_t = 1: qTa / (I_T,open + I_T,closed) (1/cm)
  double f;                  // ∫ds/t over the line
  double r1, r2, r4;         // ∫q1/t ds, ∫q2/t ds, ∫q4/t ds
  double sweep;              // ∫(y dz - z dy) along the centre line from a to b (cm²)
  double force[4];           // ∫q1 dy, ∫q2 dy, ∫q1 dz, ∫q2 dz
  double torque;             // ∫qT (y dz - z dy) at unit twist
  double deform[3];          // A∫q1²/t ds, A∫q1 q2/t ds, A∫q2²/t ds (A: section area)
  double omega_min, omega_max; // warping ordinate about the shear centre, normalised
};
struct DWQB_LINE_ELEMENT {
  DWQB_PART part;            // first member: a DWQB_PART* of a line element points here
  DWQB_LINE_RESULT result;
};
// The result block of a line element (kind 1 or 2), or null for groups and null.
DWQB_LINE_RESULT *Dwqb_Line_Result(DWQB_PART *part);
// Value of a six-point row at s in [-1, 1].
double Dwqb_Six_Point(const double *row, double s);

// Steps of a part-tree walk; every step may be null and answers nonzero to go on.
struct DWQB_WALK_STEPS {
  int (*root_begin)(DWQB_PART *root, void *ctx);
  int (*part_begin)(DWQB_PART *part, void *ctx);
  int (*line_step)(DWQB_LINE *line, int kind, void *ctx);
  int (*entry_step)(DWQB_SHEAR_ENTRY *entry, void *ctx);
  int (*part_end)(DWQB_PART *part, void *ctx);
  int (*root_end)(DWQB_PART *root, void *ctx);
  void *root_ctx, *part_ctx, *line_ctx, *entry_ctx;
};
// Walks the part tree of the last part-mode run (root, its parts, their line elements
// and shear entries). 1 when the walk ran to its end; 0 when a step answered 0 or the
// tree is missing or broken.
int Walk_DWQB_Part_Tree(const DWQB_WALK_STEPS *steps);
// The inner walk for one group (part_begin, line steps, entry steps, part_end); 0 for a
// null or non-group part.
int Walk_DWQB_Part(DWQB_PART *part, const DWQB_WALK_STEPS *steps);
// Root of the part tree (the section group) of the last part-mode run, or null.
DWQB_PART *Get_DWQB_Root_Part();

// Context of Count_Line_Side_Step: the line looked for, the entries counted so far and
// the direction word (0 while the line's entry was not met; +1 when the entry runs the
// line from node a to node b, -1 when from b to a).
struct DWQB_ENTRY_CODE_CONTEXT {
  DWQB_LINE *line;
  int count;
  int go_on;
};
// Entry step: adds 1 per shear entry; at the entry of the context's line also 1000 for
// DWQB_SHEAR_FIRST, 2000 for DWQB_SHEAR_LAST and 10000 for DWQB_SHEAR_BRANCH, sets the
// direction word (-1 negating the count for an entry walked from b to a, else +1) and
// answers 0 to stop the walk. 1 for a null entry or context.
int Count_Line_Side_Step(DWQB_SHEAR_ENTRY *entry, void *context);
// Entry step: adds 1 to the int counter behind context for an entry that has a line (the
// line elements of a part tree). 1 always.
int Count_Set_Entries(DWQB_SHEAR_ENTRY *entry, void *context);
// Entry code of line nr in the part tree of the last part-mode run: the position of its
// shear entry in walk order (1 for the first entry of the tree) plus the flag codes of
// Count_Line_Side_Step, negative when the entry runs from node b to node a; *go_on (when
// given) +1 or -1 by the same direction. A line that is missing, or that no entry of the
// tree holds (also outside part mode), gives 0 with *go_on 0.
int Get_DWQB_Line_Entry_Code(int nr, int *go_on);

// Unit shear values of a line at s: out[0], out[1] the flows (1/cm, a -> b positive) of
// unit forces along the second and the first of two axes: y and z turned by angle (mode
// 0; angle 0 gives the forces along z and y) or the principal axes of the centre-line
// model turned by angle (mode 1); out[2] the closed-cell torsion flow per unit torque
// T_t (the cells' share R46 / (R45 + R46) of it), out[3] the line's torsion share, out[4] 1/t(s). With per_t the
// first three (and out[3]) are stresses per thickness. Returns 1 (0 without a result).
int Get_DWQB_Line_Shear_Values(DWQB_LINE *line, int mode, double *out, double s, double angle, int per_t);
// Warping values of a line at s: out[0] the ordinate about the pole, out[1], out[2] the
// pole, out[3] the secondary flow, out[4] 1/t(s). Pole: (py, pz) plus the centroid for
// mode 1 or plus the shear centre for mode 2; with per_t the pole is the shear centre and
// out[0] is divided by I_w. Returns 1 (0 without a result).
int Get_DWQB_Line_Warping_Values(DWQB_LINE *line, int mode, double *out, double s, double py, double pz, int per_t);
// Smallest and largest of the five shear values over all line elements, sampled at n
// points per line (11 when n < 2). Either out may be null. Returns 1.
int Calc_DWQB_Line_Shear_Extremes(int mode, int n, double *minima, double angle, double *maxima, int per_t);
// Warping ordinate of a line at t in [-1, 1] (pole: origin, part-mode result block).
double Calc_Line_Omega(const DWQB_LINE *line, double t);
// Unit-stress coefficients at (y, z) from the section result of the last run:
// [0] 1/A, [1] v/I_1, [2] -u/I_2 (principal coordinates about the centroid); 0 for a
// missing divisor. Returns 1, or 0 for a null output.
int Calc_Point_Unit_Stresses(double *out, double y, double z);
// The section result block of a solver run (cm units; u, v the principal coordinates about
// the centroid, u along axis 1). A part's result values (Calc_DWQB_Part_Result_Values) are
// 38 doubles in the same order.
struct DWQB_SECTION_RESULT {
  double A;
  double y_s, z_s;                   // centroid
  double int_y, int_z;               // ∫y dA, ∫z dA about the origin
  double int_zz, int_yy, int_yz;     // ∫z² dA, ∫y² dA, ∫yz dA about the origin
  double I_y, I_z, I_yz;             // about the centroid (I_y = ∫z² dA)
  double alpha;                      // principal angle (rad), −π/4 … π/4
  double I_1, I_2;                   // about axis 1 (at alpha) and axis 2
  double r_u;                        // ∫u (u² + v²) dA / I_2 (0 when I_2 <= 0)
  double r_v;                        // ∫v (u² + v²) dA / I_1 (0 when I_1 <= 0)
  double dy_min, dy_max;             // y_min − y_s, y_max − y_s
  double dz_min, dz_max;             // z_min − z_s, z_max − z_s
  double t_min, t_max;               // wall thickness range of the section
  double W_y_min, W_y_max;           // I_y / (z_min − z_s), I_y / (z_max − z_s) (0 at distance 0)
  double W_z_min, W_z_max;           // I_z / (y_min − y_s), I_z / (y_max − y_s)
  // Moduli for unsymmetric bending: the reciprocals of the smallest and the largest unit
  // stress over the outline, c_y = (I_z z − I_yz y)/D for M_y and c_z = (I_yz z − I_y y)/D
  // for M_z (D = I_y I_z − I_yz²); 0 stays 0.
  double W_y_unsym_min, W_y_unsym_max;
  double W_z_unsym_min, W_z_unsym_max;
  double u_min, u_max, v_min, v_max;  // principal extents over the outline
  double W_1_vmin, W_1_vmax;          // I_1 / v_min, I_1 / v_max
  double W_2_umin, W_2_umax;          // I_2 / u_min, I_2 / u_max
};
static_assert(sizeof(DWQB_SECTION_RESULT) == 38 * sizeof(double), "38 doubles, no padding");

// Section result of the last part-mode run, the centre-line block (14) and the torsion and
// shear-centre block (9: y_M, z_M, ω_min, ω_max, I_w, ordinate shift, I_ωz and I_ωy about
// the centroid, Wagner ratio).
const DWQB_SECTION_RESULT *Get_DWQB_Section_Result();
const double *Get_DWQB_Centreline_Result();
const double *Get_DWQB_Shear_Centre_Result();

// Plates of collinear lines between supports (plate fields of the lines). cut_mode 1
// measures clear widths between the face outlines; selector 0 takes the larger positive
// face cut, 1 the smaller negative one. Returns the number of plates.
int Calc_DWQB_Plate_Groups(int cut_mode, int selector);
// The line at node N other than L that continues R's direction within 0.1 rad, or null.
DWQB_LINE *Find_Collinear_Line(const DWQB_LINE *R, const DWQB_LINE *L, const DWQB_NODE *N);
// Plastic axes (values 30, 31) and centre-line plastic moduli (34, 35) of the current
// section from A and the centroid (cm).
void Calc_DWQB_Plastic_Axes(double A, double y_s, double z_s);

// Sums a group: clears its values 0-49, sums child groups first, then adds the children
// (kind 2 children only to the centre-line sums). Non-groups and null: nothing.
void Sum_DWQB_Part_Values(DWQB_PART *part);
// Adds values 28-34 of every child to a group (child groups summed first); no clearing.
void Sum_DWQB_Part_Sectorial(DWQB_PART *part);
// The six centre-line integrals of a line from its start (t = -1) to t, thickness linear
// along the line: A, ∫y dA, ∫z dA, ∫y² dA, ∫z² dA, ∫yz dA (cm units). Each out may be
// null; a null line gives zeros.
void Calc_DWQB_Line_Integrals(const DWQB_LINE *line, double t, double *A, double *Sy, double *Sz,
                              double *Iyy, double *Izz, double *Iyz);
// Centroid and principal values of the centre-line model from value indices 18-23 into
// 14 results: [0] A, [1] y_s, [2] z_s, [3] Sy, [4] Sz, [5] Izz, [6] Iyy, [7] Iyz, [8] I_y,
// [9] I_z, [10] I_yz (centroidal), [11] alpha, [12] I about alpha, [13] the other. Returns 0.
int Calc_DWQB_Centreline_Values(const double *values, double *result);
// Principal check of the tensor (I_y, I_z, I_yz): returns 1 and leaves it when well
// conditioned; 0 after lifting the small eigenvalue to 1e-6 times the large one and
// rebuilding the tensor. *inv_det = 1/(l1 l2) when l1 l2 > 0, else l1 l2.
int Calc_DWQB_Principal_Inverse(double *I_y, double *I_z, double *I_yz, double *inv_det);
// ∫ y^p z^q over the triangle (origin, P1, P2), p, q in 0..3; p = q = 0 is the signed area.
double Calc_Segment_Moment(int p, int q, double y1, double z1, double y2, double z2);

// The segment steps below return 1 on a null context.
// Context of Add_Segment_Moments: [0-9] the ten area moments, [10-13] y_min, y_max,
// z_min, z_max (the first point sets them and first_set).
struct DWQB_SEGMENT_MOMENTS {
  double values[14];
  int first_set;
};
int Add_Segment_Moments(void *context, double y1, double z1, double s1, double y2, double z2, double s2);
// Context of Add_Segment_Length: a double that the chord lengths are added to.
int Add_Segment_Length(void *context, double y1, double z1, double s1, double y2, double z2, double s2);
// Context of Add_Segment_Bounds: points taken relative to (y0, z0); extremes [0..3]
// min/max of the two coordinates (turned by cos, sin when rotate is set), [4..7] min/max
// of the two components of matrix·(unturned relative point); matrix row-major 2 × 2.
struct DWQB_SEGMENT_BOUNDS {
  double y0, z0;
  int rotate;
  double cos, sin;
  double matrix[4];
  double extremes[8];
  int first_set;
};
int Add_Segment_Bounds(void *context, double y1, double z1, double s1, double y2, double z2, double s2);

// Context of Apply_Init_Line_Shear_Constants: line number and a value of the caller (both
// only printed), the three sums of the origin-triangle moments (p, q) = (0, 0), (1, 0),
// (0, 1) of the segments (signed area, ∫y dA, ∫z dA of a closed walk), the segments taken
// and the end point of the last one. Clear it before a walk.
struct DWQB_LINE_SHEAR_CONSTANTS {
  int line_nr;
  double value;
  double sums[3];
  int segments;
  double y_prev, z_prev;
};
// Segment step: adds the three moments of the segment to the sums; from the second
// segment on a start point farther than 1e-6 (|dy| + |dz|) from the last end point
// prints "Apply_Init_Line_Shear_Constants(<nr>, <value>): Sprung (<jump>)" with both
// end points on standard output. Keeps the end point; returns 1.
int Apply_Init_Line_Shear_Constants(void *context, double y1, double z1, double s1, double y2, double z2, double s2);
// Context of Clip_Segment_Step: the bound on the segment parameter, the next step with its
// context, and the side word that tells the next step, during each of its calls, on which
// side of the bound the part handed over lies (-1 below, +1 at or above).
struct DWQB_CLIP_SEGMENT {
  double bound;
  DWQB_SEGMENT_STEP step;
  void *step_context;
  int side;
};
// Segment step: a segment whose parameters lie on both sides of the bound is cut there
// (the cut point interpolated linearly along the segment at parameter = bound) and both
// parts go to the next step in their order, each with its side; any other segment goes
// whole, its side from its middle parameter. Returns the next step's last answer (0 stops
// at once); 1 for a null context or a context without a next step.
int Clip_Segment_Step(void *context, double y1, double z1, double s1, double y2, double z2, double s2);

// Walks one outline piece in n chords (n < 0: the piece's count), handing every chord
// (start point and parameter, end point and parameter) to the step; returns the step's
// last answer, or 0 for a null piece or step.
int Walk_DWQB_Outline_Piece_Checked(const DWQB_OUTLINE_PIECE *piece, int n, DWQB_SEGMENT_STEP step, void *ctx);
// Length of an outline piece (cm): its chord, or the chords of an arc walked in 2 × count.
double Get_DWQB_Piece_Length(const DWQB_OUTLINE_PIECE *piece);

// ---------------------------------------------------------------- building and reading
// Empties the section (Free_DWQB_Querschnitt), clears DWQB_VALUES and resets the header
// (name " ", kind -1, words -1, options 0, listed counts 0, n_cells 0). Returns 0.
int Reset_DWQB_Querschnitt();
// Returns all nodes and lines to the free lists, clears the sticky code and the lookup
// cache, and drops the results that depend on them (the plastic and PLO masks of
// dwqb/dwqb_plastic.h, the line caches and the hook result of dwqb/dwqb_stress.h). Header and work buffers stay.
void Free_DWQB_Querschnitt();
// Appends a node (cm). Node numbers are expected to be unique; a lookup by number finds
// the last node with that number.
void Add_DWQB_Node(int nr, double y, double z);
// Appends a wall line between two nodes given by number. values: 9 doubles (t_a, t_b,
// rise, rotation at a, at b, radius left at a, right at a, left at b, right at b; cm and
// radians) or null (nine zeros). A missing node sets the sticky code 6.
void Add_DWQB_Line(int nr, int part, int node_a, int node_b, const double *values);
// Add_DWQB_Line with part 0 and the values t, t and seven zeros.
void Add_DWQB_Line_Const_Thickness(int nr, int node_a, int node_b, double t);
// Computes the current section; returns 0 or a fault code DWQB_FAULT_* (sticky).
// Part mode (DWQB_Part_Mode_Switch or option 0x1000): the run checks the model (codes 1,
// 2, 3, 6), builds the winged-edge links, the line outlines, the part tree with its shear
// groups, and fills DWQB_VALUES: area, centroid and second moments from the outlines
// (fillets included), torsion constant, shear centre, warping constant and shear factors
// of the centre-line model, plastic moduli, extents; then the plate groups of the lines.
// Direct mode (neither): every wall is its chord with the mean thickness t_m (an arc line
// comes out as its chord; radii and turned ends count for nothing); the run checks that
// the nodes are connected (code 4, nothing written), finds the closed cells by a spanning
// tree, and fills DWQB_VALUES, the lines' 11-point arrays S1, S2, S_omega, Q1, Q2,
// Q_omega (unit flows, positive from node a to b: Q1 of -V_z, Q2 of -V_y, Q_omega of the
// warping torsion moment), omega_a, omega_b and q_torsion, and the header's n_cells. A
// principal second moment below 0.0001 gives code 5 after all values are written. A
// direct run drops the part tree and the part-mode results: stress points, plastic values
// and the triangulation answer as for a section that was not run.
int Calc_DWQB_Querschnitt();

// Current section values and header (module state; valid until the next reset).
DWQB_VALUES *Get_DWQB_Values();
DWQB_HEADER *Get_DWQB_Header();
// Grows the listed tables to hold n_nodes node rows (1..n_nodes) and n_lines line rows;
// never shrinks. Returns 0.
int Grow_DWQB_Listed_Tables(int n_nodes, int n_lines);
// Fills the listed node and line tables from the model (every node and line); returns 0.
// A node's `work` becomes its 0-based list position.
int List_DWQB_Section();
// Heads of the node and line lists (walk with ->next); null when empty.
DWQB_NODE *Get_DWQB_First_Node();
DWQB_LINE *Get_DWQB_First_Line();

// The OUTLINE of the line with number nr: a pointer to its outline piece 0 (the ten pieces
// follow each other), or null. This is not the geometry block: callers that want the end
// points use Find_DWQB_Line_Record(nr)->geo. Shares a one-entry cache with the record
// lookup.
DWQB_OUTLINE_PIECE *Find_DWQB_Line(int nr);
// The line record with number nr, or null.
DWQB_LINE *Find_DWQB_Line_Record(int nr);
// Point at t in [-1, 1] along one outline piece (t = -1 start, +1 end); null piece
// gives (0, 0); either out may be null.
void Get_DWQB_Line_Point(double t, const DWQB_OUTLINE_PIECE *piece, double *y, double *z);
// Warping ordinates (cm², origin as pole, zero mean over the line's part) at both ends of
// line nr; 1 when found, else 0.
int Get_DWQB_Line_End_Omega(int nr, double *omega_a, double *omega_b);

// Model keys: byte comparison (negative, 0, positive); copy returns 1, or 0 for a null
// argument or no memory (dst->len then 0); free releases the block.
int Compare_DWQB_Model_Key(const DWQB_MODEL_KEY *a, const DWQB_MODEL_KEY *b);
int Copy_DWQB_Model_Key(DWQB_MODEL_KEY *dst, const DWQB_MODEL_KEY *src);
void Free_DWQB_Model_Key(DWQB_MODEL_KEY *key);

// Solves for (s_A, s_B) the intersection of the two outline curves set up by the outline
// step (see dwqb_internal.h), starting from (s_A0, s_B0), with stop value eps on |F|².
// Writes the final values in every case; returns 1 when converged, else 0.
int Solve_Outline_Intersection(double *s_A, double *s_B, double s_A0, double s_B0, double eps);

// Back to program start: empty section and free lists released, header and values reset,
// both switch words 1 (as the profile library initialisation leaves them), work buffers
// released.
void Reset_DWQB_Module_For_Tests();
