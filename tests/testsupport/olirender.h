// tests/testsupport/olirender.h — renderer of the print list's graphic blocks.
//
// Draws a graphic block read by olireader.h into an RGB raster, so that tests can look at
// the pixels of a drawing and `oli2png` can show it. The directives are in paper cm
// (print/FORMAT.md, section 4), Y upward from the block's lower left corner; the raster has
// 40 pixels per cm, rows from the top: pixel (col, row) covers the paper square whose centre
// is ((col + 0.5) / 40, H − (row + 0.5) / 40), H the block's height. A point on the block's
// right or top border falls into the last column or the first row.
//
// What is drawn, on white, starting in black with fill code 0:
//   " 1" segments and the four sides of " 24" rectangles as 1-pixel lines in the colour;
//   " 18" polygons filled by the even-odd rule at pixel centres, in the colour for fill codes
//   0 and 64, for every other code in the colour mixed half with white ((c + 255) / 2);
//   a polygon with fewer points than it announces is left out;
//   " 9" texts in the host's raster glyphs (Host_Glyph_Rows), 6 pixels a character for a text
//   height up to about 0.3 cm (the drawings' 9 points), larger in whole multiples up to 8,
//   turned and aligned as the directive says;
//   "50 r g b" sets the colour, " 20" the fill code; " 30" / " 31" save and restore both
//   (16 levels, as the writers keep them).
// Line types, fonts, text directions (" 4", " 38", " 8", " 14") and " 52" / " 53" change
// nothing. A raster is at most 4096 × 4096 pixels: a larger block is cut to its top left part
// (clipped set). Anything outside the raster is clipped; no directive is trusted to be
// well-formed. No module state.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "tests/testsupport/olireader.h"

constexpr int OLI_RENDER_PIXELS_PER_CM = 40;
constexpr int OLI_RENDER_MAX_SIDE = 4096;

struct OLI_RASTER {
  int width = 0, height = 0;   // pixels, 1 .. max_side
  double paper_height = 0;     // cm, the block's height H
  bool clipped = false;        // the block was larger than the raster
  std::vector<uint8_t> rgb;    // width × height × 3 bytes (r, g, b), rows from the top
};

// Renders one graphic block; max_side (1 .. 4096, others: 4096) bounds width and height.
OLI_RASTER Render_Oli_Graphic(const OLI_GRAPHIC &block, int max_side = OLI_RENDER_MAX_SIDE);
// Every graphic block of a parsed print list, in order.
std::vector<OLI_RASTER> Render_Oli_Graphics(const OLI_DOCUMENT &doc, int max_side = OLI_RENDER_MAX_SIDE);

// The pixel that holds the paper point (X, Y) in cm; false when it lies outside the raster.
bool Oli_Raster_Pixel_Of(const OLI_RASTER &raster, double X, double Y, int *col, int *row);
// The colour of a pixel; {-1, -1, -1} outside the raster.
std::array<int, 3> Oli_Raster_Color(const OLI_RASTER &raster, int col, int row);
// Writes the raster as PNG (Host_Write_Png_RGB); 0 ok, 1 on failure.
int Write_Oli_Raster_Png(const char *path, const OLI_RASTER &raster);
