// drawing/drawing_state.h — the one state record of the drawing module, shared by its
// source files (not for callers outside drawing/).
#pragma once

#include <vector>

struct DrawingState {
  int plot_height_cm = 5;  // Set_Section_Plot_Height
  // Point buffers of the polygon plot (the expanded outline and its split).
  std::vector<double> y, z;
  std::vector<int> contour, number;
};

// The state record (defined in geometry.cpp).
DrawingState &Drawing_State();

// Cosine and sine of a with the exact values of the quarter turns within 0.001 rad.
void Drawing_Snapped_Cos_Sin(double a, double *c, double *s);
