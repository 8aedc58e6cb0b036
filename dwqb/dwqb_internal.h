// dwqb/dwqb_internal.h — internals of the thin-walled section solver shared by its
// source files and its tests. Not for other folders: they use dwqb/dwqb.h.
//
// Source files: geometry.cpp (line geometry), model.cpp (module state, building, lookup,
// model keys, driver start), topology.cpp (winged-edge structure), part_values.cpp
// (part sums, line integrals, principal values, segment steps), outlines.cpp (line
// outlines and their small intersection solves).
#pragma once

#include <cstdint>

#include "dwqb/dwqb.h"

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
};
DwqbState &Dwqb_State();

// The value numbers of DWQB_VALUES saved as presets at the start of a run, in order.
extern const int kDwqbPresetIndex[20];

// Driver: common start (run options, wall terms and mode, presets, sticky code, input
// checks); in part mode then the winged-edge structure and the line outlines. Returns 0
// or a fault code (also stored as sticky code).
int _Init_Result_Buffer();

// Winged-edge structure of the current section: angle links at every node, connected
// parts (part_line), faces with WE_CELL / WE_OUTER; diagnostics on standard output.
// Uses the nodes' `work` fields as scratch.
void _Winged_Edge_Structure();
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
