// Renderer of graphic blocks: hand-written blocks checked pixel by pixel (40 px per cm,
// rows from the top), the PNG read back, an oversized and a truncated list.
#include <gtest/gtest.h>
#include <png.h>
#include <unistd.h>

#include <cstdio>
#include <string>

#include "host/host.h"
#include "support/cp850.h"
#include "tests/testsupport/olirender.h"

namespace {

OLI_RASTER Render(const std::string &list, int expected_errors = 0) {
  OLI_DOCUMENT doc;
  EXPECT_EQ(Read_Oli_Text(list.data(), list.size(), &doc), expected_errors);
  EXPECT_EQ(doc.graphics.size(), 1u);
  return doc.graphics.empty() ? OLI_RASTER{} : Render_Oli_Graphic(doc.graphics[0]);
}

// Pixels of a colour in the columns x0..x1 and rows y0..y1.
int Count(const OLI_RASTER &r, std::array<int, 3> c, int x0 = 0, int y0 = 0, int x1 = 1 << 20, int y1 = 1 << 20) {
  int n = 0;
  for (int y = y0; y <= std::min(y1, r.height - 1); ++y)
    for (int x = x0; x <= std::min(x1, r.width - 1); ++x) n += Oli_Raster_Color(r, x, y) == c;
  return n;
}

// Columns and rows that hold ink (any pixel not white): {x0, y0, x1, y1}.
std::array<int, 4> Ink_Box(const OLI_RASTER &r) {
  std::array<int, 4> b{1 << 20, 1 << 20, -1, -1};
  for (int y = 0; y < r.height; ++y)
    for (int x = 0; x < r.width; ++x)
      if (Oli_Raster_Color(r, x, y) != std::array<int, 3>{255, 255, 255})
        b = {std::min(b[0], x), std::min(b[1], y), std::max(b[2], x), std::max(b[3], y)};
  return b;
}

// A 5 × 4 cm block: a 4 × 3 cm square with a 2 × 1 cm hole, one outline of ten points.
const std::string kRing = " 18 10\n 0.5 0.5\n 4.5 0.5\n 4.5 3.5\n 0.5 3.5\n 0.5 0.5\n"
                          " 1.5 1.5\n 3.5 1.5\n 3.5 2.5\n 1.5 2.5\n 1.5 1.5\n";

}  // namespace

// Even-odd fill at pixel centres: 160 × 120 pixels less the 80 × 40 hole, in the colour for
// fill codes 0 and 64 and half-way to white for the others; save and restore bracket both.
TEST(OliRender, FilledSquareWithAHoleInEveryFillCode) {
  struct Case { const char *head; std::array<int, 3> fill; } cases[] = {
      {"50 125 125 255\n 20  34\n", {190, 190, 255}},
      {"50 125 125 255\n 20  64\n", {125, 125, 255}},
      {"50 110 110 110\n 20  0\n", {110, 110, 110}},
      {"50 0 0 128\n 20  26\n", {127, 127, 191}},
      {" 30\n50 255 0 0\n 20  34\n 31\n", {0, 0, 0}},  // restored: black, solid
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(c.head);
    OLI_RASTER r = Render(std::string("#SHOWGRAFIC 5.0000 4.0000\n") + c.head + kRing + " -1\n");
    EXPECT_EQ(Count(r, c.fill), 160 * 120 - 80 * 40);
    EXPECT_EQ(Count(r, c.fill, 20, 20, 179, 139), 160 * 120 - 80 * 40);  // Y 3.5 cm is row 20
    EXPECT_EQ(Count(r, {255, 255, 255}, 60, 60, 139, 99), 80 * 40);      // the hole
  }
}

// 1-pixel lines from the pixel of one end to that of the other; sides on the block's far
// border fall into its last column and first row.
TEST(OliRender, LinesAndRectangles) {
  OLI_RASTER r = Render("#SHOWGRAFIC 5.0000 4.0000\n 1  0.5 0.5 4.5 0.5\n50 255 0 0\n 1  0.0125 0.0125 3.9875 3.9875\n"
                        " 24  0 0 5 4\n -1\n");
  EXPECT_EQ(Count(r, {0, 0, 0}), 161);
  EXPECT_EQ(Count(r, {0, 0, 0}, 20, 140, 180, 140), 161);  // row 140, columns 20 to 180
  EXPECT_EQ(Count(r, {255, 0, 0}, 0, 0, 199, 0), 200);    // top side
  EXPECT_EQ(Count(r, {255, 0, 0}, 199, 0, 199, 159), 160);  // right side
  EXPECT_EQ(Count(r, {255, 0, 0}, 1, 1, 198, 158), 158);    // the diagonal: one pixel a row
}

// Texts in the host's glyphs: "HH" is 11 × 7 pixels of ink, placed by the alignment code and
// turned; a height of 0.6 cm doubles the glyphs; "5" is its glyph rows, baseline on the anchor.
TEST(OliRender, TextAlignmentTurnAndSize) {
  struct Case { const char *head; std::array<int, 4> box; } cases[] = {
      {"0.0 0.0 42", {100, 93, 110, 99}},   // begins at the anchor, baseline on it
      {"0.0 0.0 12", {89, 93, 99, 99}},     // ends at the anchor
      {"0.0 0.0 22", {94, 93, 104, 99}},    // centred
      {"0.0 0.0 41", {100, 100, 110, 106}}, // top on the anchor
      {"0.0 0.0 43", {100, 96, 110, 102}},  // centred vertically
      {"0.0 90.0 42", {93, 89, 99, 99}},    // reads upward
      {"0.0 180.0 42", {89, 100, 99, 106}},
      {"0.6 0.0 42", {100, 86, 121, 99}},   // twice the size
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(c.head);
    OLI_RASTER r = Render(std::string("#SHOWGRAFIC 5.0000 5.0000\n 9 2.5 2.5 ") + c.head + " " + "«HH»"_cp + "\n -1\n");
    EXPECT_EQ(Ink_Box(r), c.box);
  }
  OLI_RASTER r = Render(std::string("#SHOWGRAFIC 5.0000 5.0000\n 9 2.5 2.5 0 0 42 ") + "«5»"_cp + "\n -1\n");
  const uint8_t *rows = Host_Glyph_Rows('5');
  for (int row = 0; row < 9; ++row)
    for (int col = 0; col < 5; ++col)
      EXPECT_EQ(Oli_Raster_Color(r, 100 + col, 93 + row)[0], (rows[row] >> (4 - col) & 1) ? 0 : 255) << row << col;
}

// A block larger than 4096 pixels is cut to its top left part; far-off coordinates are clipped.
TEST(OliRender, OversizedBlockIsClipped) {
  OLI_RASTER r = Render("#SHOWGRAFIC 200.0000 150.0000\n 18 3\n -1e300 -1e300\n 1e300 -1e300\n 0 1e300\n"
                        "50 255 0 0\n 1  -1e300 149.9 1e300 149.9\n -1\n");
  EXPECT_TRUE(r.clipped);
  ASSERT_EQ(r.width, 4096);
  ASSERT_EQ(r.height, 4096);
  EXPECT_EQ(Oli_Raster_Color(r, 4095, 4095), (std::array<int, 3>{0, 0, 0}));
  EXPECT_EQ(Count(r, {255, 0, 0}, 0, 4, 4095, 4), 4096);
  int col = 0, row = 0;
  EXPECT_TRUE(Oli_Raster_Pixel_Of(r, 102.39, 47.61, &col, &row));
  EXPECT_EQ(col, 4095);
  EXPECT_EQ(row, 4095);
  EXPECT_FALSE(Oli_Raster_Pixel_Of(r, 102.41, 100, nullptr, nullptr));
}

// A list cut inside a polygon: what came before is drawn, the cut polygon is not.
TEST(OliRender, TruncatedListDrawsWhatCameBeforeTheCut) {
  std::string list = "#SHOWGRAFIC 5.0000 4.0000\n 1  0.5 0.5 4.5 0.5\n" + kRing + " -1\n";
  OLI_RASTER r = Render(list.substr(0, list.find(" 3.5 1.5")), 2);
  EXPECT_EQ(Count(r, {0, 0, 0}), 161);
}

// The PNG reads back as the raster, rows from the top, channels in order.
TEST(OliRender, PngRoundTrip) {
  OLI_RASTER r = Render(std::string("#SHOWGRAFIC 1.0000 0.5000\n50 10 20 30\n 1  0 0.5 1 0\n -1\n"));
  std::string path = ::testing::TempDir() + "olirender_" + std::to_string(getpid()) + ".png";
  ASSERT_EQ(Write_Oli_Raster_Png(path.c_str(), r), 0);
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  ASSERT_NE(png_image_begin_read_from_file(&image, path.c_str()), 0);
  image.format = PNG_FORMAT_RGB;
  std::vector<uint8_t> back(PNG_IMAGE_SIZE(image));
  ASSERT_NE(png_image_finish_read(&image, nullptr, back.data(), 0, nullptr), 0);
  std::remove(path.c_str());
  EXPECT_EQ(image.width, 40u);
  EXPECT_EQ(image.height, 20u);
  EXPECT_EQ(back, r.rgb);
  EXPECT_EQ(Oli_Raster_Color(r, 0, 0), (std::array<int, 3>{10, 20, 30}));
  EXPECT_EQ(Write_Oli_Raster_Png("/nonexistent-dir/x.png", r), 1);
}
