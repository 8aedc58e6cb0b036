// make_bitmaps — draws the program's bitmap files with the host's own canvas and font.
//
//   make_bitmaps <folder>          writes every file into the folder
//   make_bitmaps --check <folder>  draws every file and compares it with the folder's copy;
//                                  exit status 1 and the names of the files that differ
//
// "Buttons.bmp" (552 × 202): the icon bar's background in the top 48 rows (transparent colour
// 219, 213, 203), then one column of four 42 × 37 images per button at x 1, 44, 87, 130, 173,
// 216, 259, 302 and y 51 (normal), 89 (hover), 127 (inactive), 165 (pressed); everything that is
// not part of a picture is 192, 192, 192, the transparent colour of the buttons.
// "act_but.bmp", "bmp_t/Prof_ManagerS.bmp" and "bmp_t/but_options.bmp": see their drawers.
#include <cmath>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include <unistd.h>

#define HOST_TEST_NO_GTEST
#include "host/host_test.h"

namespace {

enum State { NORMAL, HOVER, INACTIVE, PRESSED };

// A colour of an icon in the given state: inactive pictures are a light grey of the same
// lightness.
int C(State st, int r, int g, int b) {
  if (st == INACTIVE) {
    int l = (r * 30 + g * 59 + b * 11) / 100;
    int v = 150 + l * 80 / 255;
    return Nearest_RGB_Color(v, v, v);
  }
  return Nearest_RGB_Color(r, g, b);
}

void Box(int x1, int y1, int x2, int y2, int c) {
  pxFgc(c);
  pxRect(x1, y1, x2, y2);
}

void Frame(int x1, int y1, int x2, int y2, int c) {
  pxFgc(c);
  pxLine(x1, y1, x2, y1);
  pxLine(x2, y1, x2, y2);
  pxLine(x2, y2, x1, y2);
  pxLine(x1, y2, x1, y1);
}

void Line(int x1, int y1, int x2, int y2, int c, int w = 1) {
  pxFgc(c);
  pxTkLn(x1, y1, x2, y2, w);
}

void Label(int x, int y, const char *text, int c, int font = 0x1002) {
  Pop_RFont(font);
  pxFgc(c);
  pxText(x, y, text, -1);
  Push_RFont();
}

// A printer: body, paper in, paper out. (x, y) top left of the 42 × 37 cell.
void Printer(int x, int y, State st) {
  Box(x + 12, y + 5, x + 29, y + 13, C(st, 255, 255, 255));
  Frame(x + 12, y + 5, x + 29, y + 13, C(st, 90, 90, 90));
  Box(x + 6, y + 13, x + 35, y + 25, C(st, 120, 130, 150));
  Frame(x + 6, y + 13, x + 35, y + 25, C(st, 40, 40, 60));
  Box(x + 29, y + 16, x + 32, y + 18, C(st, 60, 200, 60));
  Box(x + 11, y + 22, x + 30, y + 31, C(st, 255, 255, 255));
  Frame(x + 11, y + 22, x + 30, y + 31, C(st, 90, 90, 90));
  for (int k = 0; k < 3; ++k) Line(x + 14, y + 25 + 2 * k, x + 27, y + 25 + 2 * k, C(st, 60, 60, 160));
}

void Print_Settings(int x, int y, State st) {
  Printer(x - 3, y, st);
  // a gear beside the printer
  int cx = x + 33, cy = y + 27;
  for (int k = 0; k < 8; ++k) {
    double a = k * M_PI / 4;
    Line(cx, cy, cx + int(std::lround(6 * std::cos(a))), cy - int(std::lround(6 * std::sin(a))),
         C(st, 200, 120, 0), 2);
  }
  pxFgc(C(st, 200, 120, 0));
  int px[8], py[8];
  for (int k = 0; k < 8; ++k) {
    px[k] = cx + int(std::lround(4 * std::cos(k * M_PI / 4)));
    py[k] = cy - int(std::lround(4 * std::sin(k * M_PI / 4)));
  }
  pxFill(8, px, py);
  Box(cx - 1, cy - 1, cx + 1, cy + 1, C(st, 255, 255, 255));
}

void Preview(int x, int y, State st) {
  Box(x + 9, y + 4, x + 28, y + 31, C(st, 255, 255, 255));
  Frame(x + 9, y + 4, x + 28, y + 31, C(st, 90, 90, 90));
  for (int k = 0; k < 6; ++k) Line(x + 12, y + 8 + 3 * k, x + 25, y + 8 + 3 * k, C(st, 150, 150, 150));
  pxFgc(C(st, 30, 30, 120));
  pxCrcl(x + 26, y + 21, 6);
  pxCrcl(x + 26, y + 21, 5);
  Line(x + 30, y + 26, x + 36, y + 32, C(st, 30, 30, 120), 3);
}

void Plotter(int x, int y, State st) {
  Box(x + 5, y + 6, x + 36, y + 30, C(st, 255, 255, 255));
  Frame(x + 5, y + 6, x + 36, y + 30, C(st, 90, 90, 90));
  int c = C(st, 0, 90, 200);
  int px = x + 8, py = y + 26;
  for (int k = 1; k <= 26; ++k) {
    int nx = x + 8 + k, ny = y + 18 - int(std::lround(8 * std::sin(k * M_PI / 13)));
    Line(px, py - (k == 1 ? 8 : 0), nx, ny, c);
    px = nx, py = ny;
  }
  Line(x + 26, y + 4, x + 33, y + 14, C(st, 200, 40, 40), 3);
}

void Annex(int x, int y, State st) {
  // a flag in three stripes and the letters "NA"
  Box(x + 7, y + 6, x + 34, y + 11, C(st, 0, 0, 0));
  Box(x + 7, y + 12, x + 34, y + 17, C(st, 220, 0, 0));
  Box(x + 7, y + 18, x + 34, y + 23, C(st, 255, 204, 0));
  Line(x + 6, y + 5, x + 6, y + 33, C(st, 100, 70, 40), 2);
  Label(x + 15, y + 33, "NA", C(st, 0, 0, 128), 0x1000);
}

void Blank(int x, int y, State st) { Frame(x + 8, y + 6, x + 33, y + 30, C(st, 150, 150, 150)); }

void Help(int x, int y, State st) {
  int px[24], py[24];
  for (int k = 0; k < 24; ++k) {
    px[k] = x + 21 + int(std::lround(12 * std::cos(k * M_PI / 12)));
    py[k] = y + 18 - int(std::lround(12 * std::sin(k * M_PI / 12)));
  }
  pxFgc(C(st, 40, 110, 200));
  pxFill(24, px, py);
  Line(x + 18, y + 13, x + 24, y + 13, C(st, 255, 255, 255), 2);
  Line(x + 24, y + 13, x + 24, y + 17, C(st, 255, 255, 255), 2);
  Line(x + 24, y + 17, x + 21, y + 19, C(st, 255, 255, 255), 2);
  Line(x + 21, y + 19, x + 21, y + 21, C(st, 255, 255, 255), 2);
  Box(x + 20, y + 24, x + 22, y + 26, C(st, 255, 255, 255));
}

void Exit(int x, int y, State st) {
  // a door and an arrow leaving it
  Box(x + 8, y + 5, x + 24, y + 31, C(st, 150, 90, 40));
  Frame(x + 8, y + 5, x + 24, y + 31, C(st, 80, 40, 10));
  Box(x + 20, y + 17, x + 21, y + 19, C(st, 255, 220, 0));
  Line(x + 22, y + 18, x + 35, y + 18, C(st, 200, 0, 0), 3);
  int ax[3] = {x + 37, x + 31, x + 31}, ay[3] = {y + 18, y + 12, y + 24};
  pxFgc(C(st, 200, 0, 0));
  pxFill(3, ax, ay);
}

using Icon = void (*)(int, int, State);

void Draw_Buttons() {
  int key = Nearest_RGB_Color(192, 192, 192);
  Box(0, 0, 551, 201, key);
  // the bar's background: transparent around a panel with a soft top light
  Box(0, 0, 551, 47, Nearest_RGB_Color(219, 213, 203));
  for (int y = 3; y <= 44; ++y) {
    int v = 246 - (y - 3) * 30 / 41;
    Box(4, y, 547, y, Nearest_RGB_Color(v, v, v + 6 > 255 ? 255 : v + 6));
  }
  Frame(3, 2, 548, 45, Nearest_RGB_Color(150, 150, 160));
  Box(4, 43, 547, 44, Nearest_RGB_Color(170, 170, 180));
  const Icon icons[] = {Printer, Plotter, Blank, Help, Exit, Preview, Print_Settings, Annex};
  const int columns[] = {1, 44, 87, 130, 173, 216, 259, 302};
  const int rows[] = {51, 89, 127, 165};
  for (int i = 0; i < 8; ++i)
    for (int s = 0; s < 4; ++s) {
      int x = columns[i], y = rows[s];
      State st = State(s);
      if (st == HOVER) {
        Box(x + 1, y + 1, x + 40, y + 35, Nearest_RGB_Color(255, 244, 200));
        Frame(x + 1, y + 1, x + 40, y + 35, Nearest_RGB_Color(230, 160, 40));
      }
      if (st == PRESSED) {
        Box(x + 1, y + 1, x + 40, y + 35, Nearest_RGB_Color(235, 225, 200));
        Frame(x + 1, y + 1, x + 40, y + 35, Nearest_RGB_Color(90, 90, 90));
      }
      int shift = st == PRESSED ? 1 : 0;
      pxView(x, y, x + 41, y + 36);
      icons[i](x + shift, y + shift, st);
      pxView(0, 0, NPIXEL_X - 1, NPIXEL_Y - 1);
    }
}

// ---------------------------------------------------------------- widget sheet pictures
// "SniGrImportButton.bmp" (204 × 112): three rows of four 51-pixel images (inactive, normal,
// hover, pressed): member import at y 0 (33 high), delete all at y 36 (36 high, on 198, 222,
// 228, its transparent colour), ASCII import at y 76 (36 high); the rest white (transparent).
void Draw_Import_Strip() {
  Box(0, 0, 203, 111, Nearest_RGB_Color(255, 255, 255));
  Box(0, 36, 203, 71, Nearest_RGB_Color(198, 222, 228));
  const int rows[3][2] = {{0, 33}, {36, 36}, {76, 36}};
  for (int r = 0; r < 3; ++r)
    for (int k = 0; k < 4; ++k) {
      const State st = k == 0 ? INACTIVE : k == 2 ? HOVER : k == 3 ? PRESSED : NORMAL;
      const int x = k * 51 + 4, y = rows[r][0] + 3, h = rows[r][1] - 7, d = st == PRESSED ? 1 : 0;
      Box(x + d, y + d, x + 42 + d, y + h + d, C(st, st == HOVER ? 230 : 215, 225, 240));
      Frame(x + d, y + d, x + 42 + d, y + h + d, C(st, 60, 80, 120));
      if (r == 1) {  // a cross: delete
        Line(x + 14 + d, y + 5 + d, x + 28 + d, y + h - 5 + d, C(st, 200, 0, 0), 2);
        Line(x + 28 + d, y + 5 + d, x + 14 + d, y + h - 5 + d, C(st, 200, 0, 0), 2);
      } else {  // an arrow into a tray: import
        Line(x + 21 + d, y + 4 + d, x + 21 + d, y + h - 8 + d, C(st, 0, 110, 0), 2);
        Line(x + 15 + d, y + h - 13 + d, x + 21 + d, y + h - 7 + d, C(st, 0, 110, 0), 2);
        Line(x + 27 + d, y + h - 13 + d, x + 21 + d, y + h - 7 + d, C(st, 0, 110, 0), 2);
        Label(x + 6 + d, y + h - 1 + d, r == 0 ? "YRM" : "ASCII", C(st, 40, 40, 40));
      }
    }
}

// "SniR7.bmp" (55 × 14): the family logo on white (transparent).
void Draw_Family_Logo() {
  Box(0, 0, 54, 13, Nearest_RGB_Color(255, 255, 255));
  Box(1, 1, 20, 12, Nearest_RGB_Color(0, 60, 150));
  Label(4, 10, "R7", Nearest_RGB_Color(255, 255, 255), 0x11000);
}

// "deskbuts.bmp" (152 × 288): the explorer button, four 38 × 38 images at y 250, on 255, 251,
// 240 (transparent).
void Draw_Desk_Buttons() {
  Box(0, 0, 151, 287, Nearest_RGB_Color(255, 251, 240));
  for (int k = 0; k < 4; ++k) {
    const State st = k == 0 ? INACTIVE : k == 2 ? HOVER : k == 3 ? PRESSED : NORMAL;
    const int x = k * 38 + 4, y = 250 + 8;
    Box(x, y + 4, x + 29, y + 23, C(st, 230, 190, 70));
    Box(x, y, x + 12, y + 4, C(st, 230, 190, 70));
    Frame(x, y + 4, x + 29, y + 23, C(st, 150, 110, 20));
  }
}

// Text button backgrounds (100 × 19, scaled to the button): normal, hover and inactive looks.
void Text_Button_Background(int top, int bottom) {
  for (int y = 0; y < 19; ++y) {
    const int v = top + (bottom - top) * y / 18;
    Box(0, y, 99, y, Nearest_RGB_Color(v, v, v + (v < 250 ? 5 : 0)));
  }
}
void Draw_Text_Button_Bg() { Text_Button_Background(250, 215); }
void Draw_Text_Button_Bg_Hover() { Text_Button_Background(245, 200); }
void Draw_Text_Button_Bg_Inactive() { Text_Button_Background(235, 225); }
void Draw_Text_Button_Bg_Inactive_Hover() { Text_Button_Background(240, 228); }

// "but_hinweise_reaktivieren.bmp" (848 × 21): four 212 × 21 images, on 255, 251, 240.
void Draw_Hints_Button() {
  Box(0, 0, 847, 20, Nearest_RGB_Color(255, 251, 240));
  for (int k = 0; k < 4; ++k) {
    const State st = k == 0 ? INACTIVE : k == 2 ? HOVER : k == 3 ? PRESSED : NORMAL;
    const int x = k * 212;
    Box(x + 1, 1, x + 210, 19, C(st, st == HOVER ? 225 : 210, 235, 210));
    Frame(x + 1, 1, x + 210, 19, C(st, 0, 95, 0));
    Label(x + 30, 14, "Hinweise reaktivieren", C(st, 0, 95, 0), 0x1000);
  }
}

// "tools/bemop_fcd.bmp" (220 × 192) and "tools/bemop_fyk.bmp" (216 × 141): the design
// stress-strain curves of concrete (parabola and rectangle) and of reinforcing steel
// (bilinear), on 239, 253, 238 (transparent).
void Draw_Concrete_Curve() {
  Box(0, 0, 219, 191, Nearest_RGB_Color(239, 253, 238));
  const int axis = Nearest_RGB_Color(0, 0, 0), curve = Nearest_RGB_Color(0, 0, 200);
  Line(20, 170, 210, 170, axis);
  Line(20, 170, 20, 15, axis);
  int px = 20, py = 170;
  for (int i = 1; i <= 40; ++i) {  // sigma = fcd (1 - (1 - eps/eps_c2)^2) up to eps_c2
    const double e = i / 40.0;
    const int x = 20 + static_cast<int>(110 * e), y = 170 - static_cast<int>(130 * (1 - (1 - e) * (1 - e)));
    Line(px, py, x, y, curve, 2);
    px = x;
    py = y;
  }
  Line(130, 40, 190, 40, curve, 2);
  Label(25, 35, "fcd", axis, 0x1000);
  Label(185, 185, "eps", axis, 0x1000);
}
void Draw_Steel_Curve() {
  Box(0, 0, 215, 140, Nearest_RGB_Color(239, 253, 238));
  const int axis = Nearest_RGB_Color(0, 0, 0), curve = Nearest_RGB_Color(0, 0, 200);
  Line(20, 125, 205, 125, axis);
  Line(20, 125, 20, 10, axis);
  Line(20, 125, 70, 45, curve, 2);
  Line(70, 45, 195, 30, curve, 2);
  Label(25, 25, "fyk", axis, 0x1000);
  Label(180, 138, "eps", axis, 0x1000);
}

// "act_but.bmp" (64 × 16): the action button, four 16 × 16 images side by side (inactive,
// normal, hover, pressed): a right-pointing arrow on a round-cornered plate.
void Draw_Action_Button() {
  Box(0, 0, 63, 15, Nearest_RGB_Color(192, 192, 192));
  for (int s = 0; s < 4; ++s) {
    const State st = s == 0 ? INACTIVE : s == 1 ? NORMAL : s == 2 ? HOVER : PRESSED;
    const int x = 16 * s, shift = st == PRESSED ? 1 : 0;
    const int plate = st == HOVER ? C(st, 255, 236, 170) : st == PRESSED ? C(st, 200, 200, 210) : C(st, 235, 235, 240);
    Box(x + 2, 1, x + 13, 14, plate);
    Box(x + 1, 2, x + 14, 13, plate);
    Frame(x + 1, 1, x + 14, 14, C(st, 90, 90, 110));
    int ax[3] = {x + 5 + shift, x + 5 + shift, x + 11 + shift}, ay[3] = {4 + shift, 11 + shift, 7 + shift};
    pxFgc(C(st, 20, 110, 40));
    pxFill(3, ax, ay);
  }
}

// "bmp_t\Prof_ManagerS.bmp" (50 × 24): the profile manager's mark, an I section beside a
// table, on the transparent colour 192, 192, 192.
void Draw_Profile_Manager_Mark() {
  Box(0, 0, 49, 23, Nearest_RGB_Color(192, 192, 192));
  const int steel = Nearest_RGB_Color(70, 90, 130);
  Box(3, 3, 19, 6, steel);
  Box(9, 7, 13, 16, steel);
  Box(3, 17, 19, 20, steel);
  Box(24, 3, 46, 20, Nearest_RGB_Color(255, 255, 255));
  Frame(24, 3, 46, 20, Nearest_RGB_Color(90, 90, 90));
  for (int k = 0; k < 3; ++k) Line(26, 8 + 4 * k, 44, 8 + 4 * k, Nearest_RGB_Color(150, 150, 150));
  Line(32, 4, 32, 19, Nearest_RGB_Color(150, 150, 150));
}

// "bmp_t\but_options.bmp" (200 × 24): the button that calls the profile manager, four 50 × 24
// images side by side (inactive, normal, hover, pressed) with three dots.
void Draw_Options_Button() {
  Box(0, 0, 199, 23, Nearest_RGB_Color(192, 192, 192));
  for (int s = 0; s < 4; ++s) {
    const State st = s == 0 ? INACTIVE : s == 1 ? NORMAL : s == 2 ? HOVER : PRESSED;
    const int x = 50 * s, shift = st == PRESSED ? 1 : 0;
    const int face = st == HOVER ? C(st, 255, 244, 200) : st == PRESSED ? C(st, 210, 205, 195) : C(st, 240, 238, 232);
    Box(x + 1, 1, x + 48, 22, face);
    Frame(x + 1, 1, x + 48, 22, C(st, 110, 110, 120));
    for (int k = 0; k < 3; ++k) Box(x + 17 + 7 * k + shift, 13 + shift, x + 19 + 7 * k + shift, 15 + shift, C(st, 30, 30, 30));
  }
}

// "OptischeKontrolle.bmp" (35 × 20): an eye over the transparent 192, 192, 192, the button
// that shows the cross-section for a visual check.
void Draw_Optische_Kontrolle() {
  Box(0, 0, 34, 19, Nearest_RGB_Color(192, 192, 192));
  int x[24], y[24];
  for (int k = 0; k < 24; ++k) {  // the almond of the eye: two arcs meeting at the corners
    double a = k * 2 * M_PI / 24;
    x[k] = 17 + int(std::lround(15 * std::cos(a)));
    y[k] = 10 + int(std::lround(7 * std::sin(a) * std::fabs(std::sin(a))));
  }
  pxFgc(Nearest_RGB_Color(255, 255, 255));
  pxFill(24, x, y);
  pxFgc(Nearest_RGB_Color(40, 40, 60));
  for (int k = 0; k < 24; ++k) pxLine(x[k], y[k], x[(k + 1) % 24], y[(k + 1) % 24]);
  for (int r = 5; r >= 0; --r) {  // the iris, darker toward the pupil
    pxFgc(r <= 2 ? Nearest_RGB_Color(0, 0, 0) : Nearest_RGB_Color(40, 90 + 20 * r, 160 + 15 * r));
    for (int q = -r; q <= r; ++q) {
      int h = int(std::sqrt(double(r * r - q * q)));
      pxLine(17 - h, 10 + q, 17 + h, 10 + q);
    }
  }
  pxFgc(Nearest_RGB_Color(255, 255, 255));
  pxDot(15, 8);
}

struct Picture {
  const char *name;
  int width, height;
  void (*draw)();
};

const Picture kPictures[] = {
    {"Buttons.bmp", 552, 202, Draw_Buttons},
    {"act_but.bmp", 64, 16, Draw_Action_Button},
    {"bmp_t/Prof_ManagerS.bmp", 50, 24, Draw_Profile_Manager_Mark},
    {"bmp_t/but_options.bmp", 200, 24, Draw_Options_Button},
    {"OptischeKontrolle.bmp", 35, 20, Draw_Optische_Kontrolle},
    {"SniGrImportButton.bmp", 204, 112, Draw_Import_Strip},
    {"SniR7.bmp", 55, 14, Draw_Family_Logo},
    {"deskbuts.bmp", 152, 288, Draw_Desk_Buttons},
    {"textbuttonbg.bmp", 100, 19, Draw_Text_Button_Bg},
    {"TextButtonBg.bmp", 100, 19, Draw_Text_Button_Bg},
    {"TextButtonBg_ro.bmp", 100, 19, Draw_Text_Button_Bg_Hover},
    {"TextButtonBgInaktive.bmp", 100, 19, Draw_Text_Button_Bg_Inactive},
    {"TextButtonBgInaktive_ro.bmp", 100, 19, Draw_Text_Button_Bg_Inactive_Hover},
    {"but_hinweise_reaktivieren.bmp", 848, 21, Draw_Hints_Button},
    {"tools/bemop_fcd.bmp", 220, 192, Draw_Concrete_Curve},
    {"tools/bemop_fyk.bmp", 216, 141, Draw_Steel_Curve},
};

std::vector<char> Read_All(const std::string &path) {
  std::ifstream f(path, std::ios::binary);
  return std::vector<char>((std::istreambuf_iterator<char>(f)), std::istreambuf_iterator<char>());
}

}  // namespace

int main(int argc, char **argv) {
  bool check = argc == 3 && std::strcmp(argv[1], "--check") == 0;
  if (argc != 2 && !check) {
    std::fprintf(stderr, "usage: make_bitmaps [--check] <folder>\n");
    return 2;
  }
  std::string folder = argv[argc - 1];
  namespace fs = std::filesystem;
  fs::path scratch = fs::temp_directory_path() / ("make_bitmaps_" + std::to_string(::getpid()));
  std::error_code ec;
  fs::create_directories(check ? scratch : fs::path(folder), ec);
  int differing = 0;
  for (const Picture &p : kPictures) {
    Host_Reset();
    p.draw();
    const fs::path target = (check ? scratch : fs::path(folder)) / p.name;
    fs::create_directories(target.parent_path(), ec);
    std::string out = target.string();
    if (Host_Save_Bitmap(out.c_str(), 0, 0, p.width - 1, p.height - 1) != 0) {
      std::fprintf(stderr, "make_bitmaps: cannot write %s\n", out.c_str());
      return 1;
    }
    if (check) {
      std::string committed = (fs::path(folder) / p.name).string();
      if (Read_All(out) != Read_All(committed)) {
        std::fprintf(stderr, "make_bitmaps: %s differs from what make_bitmaps draws; run make_bitmaps %s\n",
                     committed.c_str(), folder.c_str());
        ++differing;
      }
    }
  }
  if (check) fs::remove_all(scratch, ec);
  return differing ? 1 : 0;
}
