// querschnitt/querschnitt.h — sections of the section catalogue.
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
// Module state (one struct, Reset_Querschnitt_For_Tests, registered with Host_Reset on
// its first change): the plot style of Write_Line_Model_Plot (fill black with code 0,
// edges black with line type 1 at program start). Calc_Line_Model_Section replaces the
// solver's one current section. Not re-entrant.
#pragma once

#include <cstdio>

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

// Back to program start: the default plot style.
void Reset_Querschnitt_For_Tests();
