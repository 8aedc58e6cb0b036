// tests/widgets/golden_png.h — golden pictures of the widget tests: a canvas region as RGB
// rows, PNG files of such pictures (libpng) and the comparison with a committed picture in
// tests/widgets/golden/. PF_UPDATE_GOLDEN=1 in the environment writes the pictures anew
// (look at them before committing).
#pragma once

#include <string>
#include <vector>

// An 8-bit RGB picture, rows top first, three bytes a pixel.
struct GoldenImage {
  int w = 0, h = 0;
  std::vector<unsigned char> rgb;
};

// The canvas region (x1, y1)-(x2, y2) in screen pixels.
GoldenImage Canvas_Image(int x1, int y1, int x2, int y2);

// Writes an RGB PNG; false when the file cannot be written.
bool Write_Golden_Png(const std::string &path, const GoldenImage &img);

// Reads a PNG as 8-bit RGB (16-bit, alpha, palette and grey converted); false when the file
// is missing or unreadable.
bool Read_Golden_Png(const std::string &path, GoldenImage *img);

// Compares a picture taken at screen (x0, y0) with tests/widgets/golden/<name>: same size
// and no differing pixel (the first one named). With PF_UPDATE_GOLDEN=1 writes the file.
void Expect_Golden(const char *name, const GoldenImage &now, int x0, int y0);
