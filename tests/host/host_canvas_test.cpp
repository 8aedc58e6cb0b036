// Canvas, palette, primitives, clipping, saved rectangles and the raster fonts.
#include <cmath>
#include <cstring>
#include <functional>

#include "host/host_test.h"
#include "host/screen_internal.h"
#include "tests/testsupport/screen_test.h"
#include "support/support.h"

namespace {

using HostCanvas = HostScreenTest;
using HostRasterText = HostScreenTest;
using HostPalette = HostScreenTest;

#define EXPECT_GOLDEN(name, ...) EXPECT_EQ(Golden_Mismatch("tests/host/golden", name, __VA_ARGS__), "")

int Changed(const std::vector<uint8_t> &before) { return Host_Region_Diff(before, 0, 0, NPIXEL_X - 1, NPIXEL_Y - 1); }

// Every primitive on one canvas, compared pixel for pixel: rectangles with corners in any
// order, line patterns restarting at each line, polygons (a square, a keyhole whose cell stays
// open, a house whose side vertices lie on scan rows), a triangle, circles, a mask, thick
// lines, raster text at its baseline with descenders and bold strokes, every glyph of the
// program's bytes, box text left, right and turned, graphic text and arcs.
TEST_F(HostCanvas, GoldenSceneOfEveryPrimitive) {
  pxFgc(BLACK_CI);
  pxRect(30, 20, 10, 10);
  pxSULn(0xaaaaaaaa);
  for (int row = 0; row < 2; ++row) pxLine(40, 10 + row, 50, 10 + row);
  pxSLn(4);  // dotted
  pxLine(60, 10, 60, 20);
  pxSLn(0);
  int x[4] = {80, 90, 90, 80}, y[4] = {10, 10, 20, 20};
  pxFill(4, x, y);
  int kx[10] = {100, 140, 140, 100, 100, 110, 110, 130, 130, 110};
  int ky[10] = {10, 10, 50, 50, 10, 20, 40, 40, 20, 20};
  pxFill(10, kx, ky);
  int hx[5] = {150, 170, 190, 190, 150}, hy[5] = {30, 10, 30, 50, 50};
  pxFill(5, hx, hy);
  pxTri(200, 10, 220, 10, 200, 30);
  pxCrcl(240, 20, 6);
  pxCrcl(280, 30, 20);
  const unsigned char disc[5] = {0x70, 0xF8, 0xF8, 0xF8, 0x70};  // leftmost pixel in the high bit
  pxMask(310, 10, 314, 14, disc, 1);
  pxTkLn(320, 10, 340, 10, 3);
  pxTkLn(320, 20, 330, 40, 4);
  pxArc(370, 30, 20, 12, 390, 30, 350, 30, 2);
  Pop_RFont(0x1000);
  pxText(10, 80, "HAMBURG gyp", -1);
  Set_RFont(0x11000);
  pxText(100, 80, "I Stahl", -1);
  pxSFnt(0x1002);
  pxText(170, 80, "klein", -1);
  Push_RFont();
  std::string glyphs;
  for (int c = 32; c < 127; ++c) glyphs += char(c);
  pxText(10, 100, glyphs.substr(0, 48).c_str(), -1);
  pxText(10, 115, glyphs.substr(48).c_str(), -1);
  pxText(10, 130, "\x84\x94\x81\x8E\x99\x9A\xE1\xFD\x89\xFA\xC1\xD3\xBA\xBE\x01\xB0", -1);
  pxBTxt(10, 140, 200, 160, "links", 5, 0x11);   // left, baseline at the bottom
  pxBTxt(10, 170, 200, 190, "rechts", 6, 0x14);  // right-aligned: ends at x2
  pxBTxt(220, 190, 220, 190, "HHHH", 4, 256);    // reads upward
  pxChH(14.0);
  pxOrnt(0.5);
  pxGBTt(260, 180, "Ma\xe1", -1, 0xD2);
  EXPECT_GOLDEN("canvas_primitives.png", 0, 0, 399, 199);
  double w = 0, h = 0;
  pxOrnt(0.0);
  pxExpF(1.0);
  pxSpac(0.0);
  EXPECT_EQ(pxQGTX("ab", 2, &w, &h), 20);  // 2 × 14 × 5/7
  EXPECT_DOUBLE_EQ(h, 14.0);
}

TEST_F(HostCanvas, EveryPrimitiveHoldsTheClip) {
  static const unsigned char mask[2 * 40] = {0xff, 0xff, 0xff, 0xff, 0xff, 0xff, 0xff, 0xff, 0xff, 0xff,
                                             0xff, 0xff, 0xff, 0xff, 0xff, 0xff, 0xff, 0xff, 0xff, 0xff};
  static const unsigned short pattern[16] = {0xffff, 0x0f0f, 0xffff, 0x0f0f, 0xffff, 0x0f0f, 0xffff, 0x0f0f,
                                             0xffff, 0x0f0f, 0xffff, 0x0f0f, 0xffff, 0x0f0f, 0xffff, 0x0f0f};
  int xs[5] = {0, 300, 300, 100, 0}, ys[5] = {0, 0, 300, 250, 300};
  const std::vector<std::function<void()>> draws = {
      [] { pxDot(90, 90); pxDot(10, 10); },
      [] { pxLine(0, 0, 300, 300); },
      [] { pxTkLn(0, 100, 300, 110, 7); },
      [] { pxRect(0, 0, 400, 400); },
      [] { pxTri(0, 0, 300, 20, 40, 300); },
      [&] { pxFill(5, xs, ys); },
      [] { pxCrcl(100, 100, 60); },
      [] { pxArc(100, 100, 70, 40, 200, 100, 0, 100, 2); },
      [] { pxMask(45, 55, 60, 64, mask, 2); },
      [] { pxText(20, 100, "Tragf\x84higkeit des Querschnitts", -1); },
      [] { pxBTxt(0, 0, 160, 180, "mittig im Kasten", -1, 0xc0); },
      [] { pxBTxt(100, 100, 100, 100, "gedreht", -1, 256); },
      [] { pxChH(30); pxOrnt(0.5); pxGBTt(60, 120, "Ma\xe1", -1, 0xD2); },
      [] { pxBgc(BUTTON_CI); pxCls(); },
      [&] { pxSUFA(pattern); pxRect(0, 0, 300, 300); pxSFA(0); },
      [] { pxDrawPartialTransparentDIB("Buttons.bmp", 0, 0, -1, -1, 0, 0, 551, 201, 201, -1, -1, -1, -1); },
      [] { pxDrawTransparentDIB("missing-picture.bmp", 0, 0, 300, 300, 201, -1, 0, 0, 0); },
  };
  for (size_t i = 0; i < draws.size(); ++i) {
    Host_Test_Reset();
    pxFgc(BLACK_CI);
    pxView(50, 60, 120, 130);
    std::vector<uint8_t> before = Host_Snapshot();
    draws[i]();
    int inside = Host_Region_Diff(before, 50, 60, 120, 130);
    EXPECT_EQ(Changed(before), inside) << "primitive " << i << " drew outside the clip";
    EXPECT_GT(inside, 0) << "primitive " << i << " drew nothing";
  }
}

// Coordinates far off the screen cost no time and write nothing outside the clip.
TEST_F(HostCanvas, FarCoordinatesAreCutNotWalked) {
  const int big = 2000000000;
  pxView(100, 100, 200, 200);
  pxFgc(BLACK_CI);
  std::vector<uint8_t> before = Host_Snapshot();
  pxSULn(0xaaaaaaaa);
  pxLine(-big, 150, big, 150);
  EXPECT_EQ(Host_Count_Pixels(100, 150, 200, 150, BLACK_CI), 51);  // the pattern goes on through the cut
  pxSLn(0);
  pxLine(-big, -big, big, big);
  EXPECT_EQ(Host_Pixel(120, 120), BLACK_CI);
  pxTkLn(-big, 180, big, 180, 100000);
  pxRect(-big, -big, big, big);
  int xs[3] = {-big, big, 0}, ys[3] = {-big, -big, big};
  pxFill(3, xs, ys);
  pxCrcl(150, 150, big);
  pxCrcl(big, big, 5);
  pxArc(150, 150, big, big, 0, 0, 10, 10, 2);
  pxLine(big, big, big - 10, big - 10);
  pxTkLn(big, 150, big - 10, 150, 9);
  pxText(big, big, "weit weg", -1);
  pxBTxt(big, 0, big, 0, "weit weg", -1, 256);
  const unsigned char dot[1] = {0x80};
  pxMask(big, big, big, big, dot, 1);
  pxChH(1e300);
  pxGBTt(150, 150, "riesig", -1, 0);
  pxChH(12.0);
  pxOrnt(std::nan(""));
  pxGBTt(150, 150, "ohne Richtung", -1, 0);
  pxDrawTransparentDIB("Buttons.bmp", -big, -big, big, big, 201, -1, -1, -1, -1);
  pxDrawTransparentDIB("missing-picture.bmp", -big, -big, big, big, 201, -1, -1, -1, -1);
  int w = -1, size = -1;
  pxQSvR(-big, -big, big, big, &w, &size);
  EXPECT_EQ(std::vector<int>({w, size}), std::vector<int>({NPIXEL_X, 8 + NPIXEL_X * NPIXEL_Y}));
  Save_Screen_Rectangle(-big, -big, big, big);
  Restore_Screen_Rectangle(-big, -big, big, big);
  int inside = Host_Region_Diff(before, 100, 100, 200, 200);
  EXPECT_EQ(Changed(before), inside);
}

TEST_F(HostCanvas, ClipIsCutToTheScreenAndReadBack) {
  pxView(-20, 900, 2000, 10);
  int r[4];
  pxQVwp(&r[0], &r[1], &r[2], &r[3]);
  EXPECT_EQ(std::vector<int>({r[0], r[1], r[2], r[3]}), std::vector<int>({0, 10, NPIXEL_X - 1, 900}));
  pxFgc(BLACK_CI);
  pxRect(-100, -100, 5000, 5000);  // must not write outside the canvas
  EXPECT_EQ(Host_Count_Pixels(0, 0, NPIXEL_X - 1, NPIXEL_Y - 1, BLACK_CI), NPIXEL_X * 891);
}

TEST_F(HostCanvas, XorTwiceSaveRestoreAndSaveBufferGiveTheCanvasBack) {
  pxFgc(Nearest_RGB_Color(10, 200, 30));
  pxRect(0, 0, 200, 200);
  pxFgc(BLACK_CI);
  pxText(10, 50, "Ausnutzung 0,93", -1);
  std::vector<uint8_t> start = Host_Snapshot();

  pxSBop(3);
  pxFgc(1);
  for (int pass = 0; pass < 2; ++pass) {
    pxLine(5, 5, 150, 170);
    pxRect(20, 20, 60, 90);
    int x[4] = {10, 100, 90, 20}, y[4] = {10, 15, 120, 100};
    pxFill(4, x, y);
  }
  pxSBop(0);
  EXPECT_EQ(Changed(start), 0);

  Save_Screen_Rectangle(10, 10, 80, 60);
  pxFgc(BLACK_CI);
  pxRect(0, 0, 300, 300);
  Restore_Screen_Rectangle(11, 10, 80, 60);  // never saved: left alone
  EXPECT_GT(Changed(start), 0);
  Restore_Screen_Rectangle(10, 10, 80, 60);
  EXPECT_EQ(Host_Region_Diff(start, 10, 10, 80, 60), 0);

  Host_Test_Reset();
  pxFgc(Nearest_RGB_Color(200, 10, 30));
  pxRect(100, 100, 140, 130);
  start = Host_Snapshot();
  int w = 0, size = 0;
  pxQSvR(90, 95, 150, 140, &w, &size);
  EXPECT_EQ(std::vector<int>({w, size}), std::vector<int>({61, 8 + 61 * 46}));
  std::vector<uint8_t> buffer(static_cast<size_t>(size));
  pxSvRc(90, 95, 150, 140, buffer.data());
  pxFgc(WHITE_CI);
  pxRect(0, 0, 400, 400);
  pxStRc(90, 95, 150, 140, buffer.data());
  EXPECT_EQ(Changed(start), 0);
}

TEST_F(HostCanvas, SavedCopiesNestAndTheLatestOfARectangleComesBackFirst) {
  pxFgc(BLACK_CI);
  pxRect(0, 0, 9, 9);
  Save_Screen_Rectangle(0, 0, 9, 9);  // black
  pxFgc(WHITE_CI);
  pxRect(0, 0, 9, 9);
  Save_Screen_Rectangle(0, 0, 9, 9);  // white
  pxFgc(Nearest_RGB_Color(0, 0, 255));
  pxRect(0, 0, 9, 9);
  Restore_Screen_Rectangle(0, 0, 9, 9);
  EXPECT_EQ(Host_Pixel(5, 5), WHITE_CI);
  Restore_Screen_Rectangle(0, 0, 9, 9);
  EXPECT_EQ(Host_Pixel(5, 5), BLACK_CI);
  Restore_Screen_Rectangle(0, 0, 9, 9);  // nothing left: no change
  EXPECT_EQ(Host_Pixel(5, 5), BLACK_CI);
}

TEST_F(HostPalette, FixedEntriesThenOnePerNewColourThenTheNearest) {
  int r, g, b;
  pxQCR(BLACK_CI, &r, &g, &b);
  EXPECT_EQ(r + g + b, 0);
  pxQCR(WHITE_CI, &r, &g, &b);
  EXPECT_EQ(std::vector<int>({r + g + b, Nearest_RGB_Color(0, 0, 0), Nearest_Color_Index(255, 255, 255)}),
            std::vector<int>({765, BLACK_CI, WHITE_CI}));
  const int host[] = {-1, -2, -3, -6, -9, -15, -21};
  for (int n : host) EXPECT_GT(GetYRMColor(n), MENUE_CI) << n;
  EXPECT_EQ(GetYRMColor(-77), BLACK_CI);
  int first = Nearest_RGB_Color(255, 251, 241);
  EXPECT_EQ(Nearest_Color_Index(255, 251, 241), first);
  EXPECT_EQ(Nearest_RGB_Color(300, -4, 10), Nearest_RGB_Color(255, 0, 10));  // clamped
  for (int i = 0; i < 300; ++i) Nearest_RGB_Color(i % 256, (i * 7) % 256, 77);
  int full = Nearest_RGB_Color(1, 2, 3);  // the palette is full: the nearest entry
  pxQCR(full, &r, &g, &b);
  EXPECT_LE((r - 1) * (r - 1) + (g - 2) * (g - 2) + (b - 3) * (b - 3), 30);
  EXPECT_LT(full, 256);
}

TEST_F(HostRasterText, FontZeroMeasuresEightPerCharacterAndPushRestores) {
  Pop_RFont(0);
  EXPECT_EQ(RFONT_WIDTH + RFONT_SPACE, 8);
  int ext[4];
  EXPECT_EQ(pxQTxX("abcde", 5, nullptr, nullptr, ext, 0), 37);
  EXPECT_EQ(ext[1] - ext[0], 37);
  Push_RFont();
  EXPECT_EQ(Host_Current_Font(), 0x1000);
}

TEST_F(HostRasterText, ExtentEqualsTheSupportTextWidthForEveryFontWord) {
  const int words[] = {0, 0x1000, 0x1001, 0x1002, 0x11000, 0x11001, 0x11002, 0x21000, 0x41002, 4097, 0x1234};
  const char *texts[] = {"", "x", "Stahlguete S 235", "Zeile loeschen"};
  for (int w : words)
    for (const char *t : texts) {
      Pop_RFont(w);
      int ext[4];
      int x = 17, y = 40;
      pxQTxX(t, int(std::strlen(t)), &x, &y, ext, 0);
      EXPECT_EQ(ext[1] - ext[0], Get_Text_Width(t)) << std::hex << w << " " << t;
      EXPECT_EQ(ext[0], 17);
      Push_RFont();
    }
}

// Bytes without a glyph of their own share the box; bold words and the font selections.
TEST_F(HostRasterText, ABoxForBytesWithoutGlyphAndTheFontSelections) {
  for (int c : {0x01, 0x7F, 0xB0, 0xFF}) EXPECT_EQ(std::memcmp(Host_Glyph_Rows(0x02), Host_Glyph_Rows(uint8_t(c)), 9), 0) << c;
  Pop_RFont(0x1000);
  Set_RFont(0x11000);
  EXPECT_EQ(Host_Current_Font(), 0x11000);
  pxSFnt(0x1002);
  EXPECT_EQ(RFONT_WIDTH, 5);
  Push_RFont();
  EXPECT_EQ(Host_Current_Font(), 0x1000);
}

// One text normal, bold, then normal again in the small font (5 pixels wide either way): bold
// adds ink, and the normal strokes come back (the glyph bits kept for one weight are never
// drawn for the other).
TEST_F(HostRasterText, BoldThenNormalDrawsEachWeight) {
  pxFgc(BLACK_CI);
  const int words[3] = {0x1002, 0x11002, 0x1002};
  int ink[3];
  for (int k = 0; k < 3; ++k) {
    Pop_RFont(words[k]);
    pxText(10, 20 + 20 * k, "Stahl", -1);
    Push_RFont();
    ink[k] = Host_Count_Pixels(0, 10 + 20 * k, 100, 25 + 20 * k, BLACK_CI);
  }
  EXPECT_GT(ink[1], ink[0]);
  EXPECT_EQ(ink[2], ink[0]);
}

// With the trace off the canvas is drawn as before and no call is recorded; a reset turns the
// trace on again, so a later test never runs with it silently off.
TEST_F(HostCanvas, TraceOffDrawsTheSamePixelsAndAResetTurnsItOn) {
  auto draw = [] {
    pxFgc(BLACK_CI);
    pxRect(10, 10, 40, 30);
    pxText(12, 25, "Tragfähigkeit"_cp, 0);
  };
  draw();
  const std::vector<uint8_t> traced = Host_Snapshot();
  EXPECT_GT(Host_Call_Count("pxRect"), 0);
  Host_Test_Reset();
  Host_Test_Set_Trace(0);
  draw();
  EXPECT_EQ(Host_Region_Diff(traced, 0, 0, NPIXEL_X - 1, NPIXEL_Y - 1), 0);
  EXPECT_TRUE(Host_Calls().empty());
  Host_Test_Reset();
  pxRect(10, 10, 40, 30);
  EXPECT_EQ(Host_Call_Count("pxRect"), 1);
}

}  // namespace
