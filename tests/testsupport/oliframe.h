// tests/testsupport/oliframe.h — the inverse of a graphic block's transform, so that
// tests read the paper points of a print list (olireader.h) back as world points.
// The block's extent, scales, angle and orientation are the arguments its writer gave
// to Oliplot_Begin_Grafic (print/FORMAT.md section 4). Header only, no module state.
#pragma once

#include <cmath>

struct OLI_BLOCK_FRAME {
  double x_min, z_max, x_max, z_min;  // world extent
  double sx, sz;                      // cm on paper per world unit
  double angle;                       // radians
  int orientation;                    // 0: z downward on paper
};

// Cosine and sine of the block's angle (the quarter turns exact within 0.001 rad) and the
// paper width and height of the turned block (cm).
inline void Oli_Block_Turn(const OLI_BLOCK_FRAME &f, double *c, double *s, double *Wr, double *Hr) {
  *c = std::cos(f.angle), *s = std::sin(f.angle);
  for (double q : {0.0, M_PI / 2, M_PI, 3 * M_PI / 2})
    if (std::fabs(f.angle - q) < 0.001) {
      *c = std::round(std::cos(q));
      *s = std::round(std::sin(q));
    }
  const double W = (f.x_max - f.x_min) * f.sx, H = (f.z_max - f.z_min) * f.sz;
  *Wr = std::fabs(W * *c) + std::fabs(H * *s), *Hr = std::fabs(W * *s) + std::fabs(H * *c);
}

// Paper point (X, Y) in cm of the block to the world point (x, z).
inline void Oli_Paper_To_World(const OLI_BLOCK_FRAME &f, double X, double Y, double *x, double *z) {
  double c, s, Wr, Hr;
  Oli_Block_Turn(f, &c, &s, &Wr, &Hr);
  const double dX = X - Wr / 2, dY = Y - Hr / 2;
  const double p = c * dX + s * dY, q = -s * dX + c * dY;
  *x = p / f.sx + (f.x_min + f.x_max) / 2;
  const double mid = (f.z_min + f.z_max) / 2;
  *z = f.orientation == 0 ? mid - q / f.sz : mid + q / f.sz;
}

// World point (x, z) to the paper point (X, Y) in cm of the block: the inverse of
// Oli_Paper_To_World.
inline void Oli_World_To_Paper(const OLI_BLOCK_FRAME &f, double x, double z, double *X, double *Y) {
  double c, s, Wr, Hr;
  Oli_Block_Turn(f, &c, &s, &Wr, &Hr);
  const double mid = (f.z_min + f.z_max) / 2;
  const double p = (x - (f.x_min + f.x_max) / 2) * f.sx;
  const double q = f.orientation == 0 ? (mid - z) * f.sz : (z - mid) * f.sz;
  *X = c * p - s * q + Wr / 2;
  *Y = s * p + c * q + Hr / 2;
}
