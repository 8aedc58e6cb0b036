// drawing/drawing_state.h — the one state record of the drawing module, shared by its
// source files (not for callers outside drawing/).
#pragma once

#include <cstdio>
#include <vector>

struct DrawingState {
  int plot_height_cm = 5;  // Set_Section_Plot_Height
  // Point buffers of the polygon plot (the expanded outline and its split).
  std::vector<double> y, z;
  std::vector<int> contour, number;
  // The slotted hole of the pixel shapes.
  int slot_x[18] = {}, slot_y[18] = {};
  // The screen picture of a profile: outer and inner outline in pixels.
  int out_x[64] = {}, out_y[64] = {}, in_x[32] = {}, in_y[32] = {};
  // The screen picture of a polygon section: the section-to-pixel transform (pixels per
  // section unit, origin) and the point buffers.
  double q_scale = 0;
  int q_x0 = 0, q_y0 = 0;
  std::vector<double> qx, qy;
  std::vector<int> qid, qpx, qpy;
};

// The state record (defined in geometry.cpp).
DrawingState &Drawing_State();

// Outline of a profile as the section plot builds it, about the origin (mm, x right,
// z down): the outer points (up to 50) and the inner ones of hollow shapes (up to 30);
// the mirror flags as the plot options have them. No points for round shapes.
struct PROFIL;
void Drawing_Profil_Outline(const PROFIL *profil, int mirror_z, int mirror_y, double *y, double *z, int *n,
                            double *yi, double *zi, int *ni);

// Cosine and sine of a with the exact values of the quarter turns within 0.001 rad.
void Drawing_Snapped_Cos_Sin(double a, double *c, double *s);

// Opens the graphic block of a free-standing section plot over the world extent (mm) at
// s paper cm per mm, turned by angle (radians), in the plot's text, line and dimension
// style and the outline colour of the palette. 0, or the writer's failure code.
int Drawing_Begin_Free_Block(FILE *stream, double x_min, double z_max, double x_max, double z_min, double s,
                             double angle, int outline_color);
