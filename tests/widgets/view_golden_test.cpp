// Golden pictures: one page with an item of every kind from 1 to 18, drawn at the scroll
// offsets 0 and 100 and compared pixel for pixel with the committed PNG files in
// tests/widgets/golden/. PF_UPDATE_GOLDEN=1 in the environment writes them anew (look at
// them before committing).
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "support/cp850.h"
#include "tests/widgets/widgets_fixture.h"
#include "widgets/widgets.h"
#include "widgets/widgets_internal.h"

namespace {

namespace fs = std::filesystem;

// The compared region: the visible part (10, 40)-(893, 700) of the area (10, 40)-(910, 700)
// with the frame on its left, top and bottom; the slider strip is the host's.
constexpr int kX1 = 6, kY1 = 36, kX2 = 893, kY2 = 704;

// ---------------------------------------------------------------- bitmap files of the page

// A 24-bit BMP of w × h pixels, colour by a function of (x, y) (top row first).
template <class F>
void Write_Bmp(const fs::path &path, int w, int h, F colour) {
  int row = (w * 3 + 3) & ~3;
  std::vector<uint8_t> file(54 + size_t(row) * h, 0);
  auto put32 = [&](size_t at, uint32_t v) {
    for (int i = 0; i < 4; ++i) file[at + i] = uint8_t(v >> (8 * i));
  };
  file[0] = 'B';
  file[1] = 'M';
  put32(2, uint32_t(file.size()));
  put32(10, 54);
  put32(14, 40);
  put32(18, uint32_t(w));
  put32(22, uint32_t(h));
  file[26] = 1;
  file[28] = 24;
  put32(34, uint32_t(row * h));
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      RGB c = colour(x, y);
      size_t at = 54 + size_t(h - 1 - y) * row + size_t(x) * 3;
      file[at] = uint8_t(c.b);
      file[at + 1] = uint8_t(c.g);
      file[at + 2] = uint8_t(c.r);
    }
  FILE *f = std::fopen(path.c_str(), "wb");
  ASSERT_NE(f, nullptr);
  std::fwrite(file.data(), 1, file.size(), f);
  std::fclose(f);
}

class ViewGolden : public WidgetsTest {
 protected:
  void SetUp() override {
    WidgetsTest::SetUp();
    dir_ = fs::temp_directory_path() / ("widgets_golden_" + std::to_string(::getpid()));
    fs::create_directories(dir_);
    // A photo-like picture for kind 3, magenta transparent in its middle.
    Write_Bmp(dir_ / "bild.bmp", 64, 40, [](int x, int y) {
      if (x > 24 && x < 40 && y > 14 && y < 26) return RGB{255, 0, 255};
      return RGB{40 + x * 3, 80 + y * 4, 200 - x * 2};
    });
    // Button strip: four images of 42 × 37 side by side at row 40 (inactive, normal, hover,
    // pressed), a magenta corner that is left out.
    Write_Bmp(dir_ / "knopf.bmp", 168, 80, [](int x, int y) {
      if (y < 40) return RGB{0, 0, 0};
      int image = x / 42, ix = x % 42, iy = y - 40;
      if (ix < 6 && iy < 6) return RGB{255, 0, 255};
      const RGB face[4] = {{160, 160, 160}, {60, 120, 220}, {90, 200, 90}, {220, 60, 60}};
      bool edge = ix == 0 || iy == 0 || ix == 41 || iy == 36;
      return edge ? RGB{20, 20, 20} : face[image];
    });
    // Picture strip: pictures of 40 × 30 below each other, active left, inactive right.
    Write_Bmp(dir_ / "bilder.bmp", 80, 120, [](int x, int y) {
      int picture = y / 30;
      bool inactive = x >= 40;
      int ix = x % 40, iy = y % 30;
      if ((ix - 20) * (ix - 20) + (iy - 15) * (iy - 15) < 64) return RGB{255, 255, 255};
      int level = inactive ? 150 : 0;
      return RGB{level + (picture == 0 ? 100 : 20), level + (picture == 1 ? 100 : 20), level + (picture == 2 ? 100 : 20)};
    });
    Host_Set_Bitmap_Dir(dir_.c_str());
  }
  void TearDown() override {
    WidgetsTest::TearDown();
    std::error_code ec;
    fs::remove_all(dir_, ec);
  }

  void Compare(const char *name) { EXPECT_GOLDEN(name, kX1, kY1, kX2, kY2); }

  fs::path dir_;
};

// Page state: the caller's variables behind the items.
struct Page {
  int on = 1, off = 0, checked = 1, unchecked = 0, radio = 2, row = 3, index = 1, picture = 2, code = 0;
  int spot = 0;
  double value = 47.125;
  char name[24] = "HEB 300";
  unsigned char mask_bits[12 * 2] = {0x0f, 0x00, 0x3f, 0xc0, 0x70, 0xe0, 0x60, 0x60, 0xc6, 0x30, 0xcf, 0x30,
                                     0xcf, 0x30, 0xc6, 0x30, 0x60, 0x60, 0x70, 0xe0, 0x3f, 0xc0, 0x0f, 0x00};
  VIEW_MASK_RECORD mask{12, 12, 2, mask_bits};
  VIEW_CHOICE_ENTRY entries[3] = {};
  unsigned char slots[7 * 7] = {};
  int image_colours[2] = {};
  TREEVIEW_IMAGE tree{7, 7, slots, image_colours, 2};
};

void Draw_Cross(int x1, int y1, int x2, int y2, void *argument) {
  pxFgc(*static_cast<int *>(argument));
  pxLine(x1, y1, x2, y2);
  pxLine(x1, y2, x2, y1);
}

void Build_Page(int a, Page &p) {
  int black = Nearest_RGB_Color(0, 0, 0), red = Nearest_RGB_Color(200, 0, 0),
      blue = Nearest_RGB_Color(0, 0, 180), green = Nearest_RGB_Color(0, 140, 0),
      yellow = Nearest_RGB_Color(255, 240, 120), magenta = Nearest_RGB_Color(255, 0, 255);
  static int cross_colour;
  cross_colour = red;
  p.entries[0] = {black, "S 235"};
  p.entries[1] = {blue, "S 355"};
  p.entries[2] = {red, "S 460"};
  for (int i = 0; i < 49; ++i) p.slots[i] = (i % 7 == i / 7 || i % 7 + i / 7 == 6) ? 1 : (i % 2 ? 2 : 0);
  p.image_colours[0] = red;
  p.image_colours[1] = green;

  Add_Text_to_View_Area(a, 20, 30, "Brandschutznachweis", 0x11001, black, 0);                     // 1
  Add_Text_to_View_Area(a, 400, 30, "rechtsbündig"_cp, 0x1000, blue, 1);                             // 1
  Add_Text_to_View_Area(a, 420, 30, "Schatten", 0x21000, black, 0);                                  // 1
  Add_Text_to_View_Area(a, 520, 30, "blass", 0x41000, black, 0);                                     // 1
  Add_Line_to_View_Area(a, 20, 40, 860, 40, black);                                                  // 2
  Add_Bitmap_File_to_View_Area(a, "bild.bmp", 700, 60, 763, 99, magenta);                           // 3
  Add_Draw_Callback_to_View_Area(a, 780, 60, 840, 100, &cross_colour, &Draw_Cross);                  // 4
  Add_Mask_to_View_Area(a, 20, 60, &p.mask, green);                                                  // 5
  Add_Rotated_Text_to_View_Area(a, 60, 160, "gedreht", 0x11000, blue, 90);                          // 6
  Add_Rotated_Text_to_View_Area(a, 90, 100, "abwärts"_cp, 0x1000, red, 270);                         // 6
  Add_Check_Box_to_View_Area(a, 150, 80, "Bekleidung", 0x1000, black, &p.checked, &p.on);            // 7
  Add_Check_Box_to_View_Area(a, 150, 105, "gesperrt", 0x11000, black, &p.unchecked, &p.off);         // 7
  Add_Radio_Button_to_View_Area(a, 330, 80, "Einheitstemperatur", 0x1000, black, 1, &p.radio, &p.on); // 8
  Add_Radio_Button_to_View_Area(a, 330, 105, "Außenbrand"_cp, 0x1000, black, 2, &p.radio, &p.on);     // 8
  Add_List_Row_to_View_Area(a, 150, 140, "Zeile 3", 0x1000, black, 0, yellow, 3, &p.row);            // 9
  Add_List_Row_to_View_Area(a, 150, 155, "Zeile 4", 0x11000, black, 0, yellow, 4, &p.row);           // 9
  Add_Float_Field_to_View_Area(a, 150, 190, &p.value, "%8.2f", 0x1000, black, &p.on);                // 10
  Add_Float_Field_to_View_Area(a, 300, 190, &p.value, "%8.2f", 0x1000, black, &p.off);               // 10
  Set_View_Field_Inactive_Text(a, "entfällt"_cp);
  Add_Box_to_View_Area(a, 20, 220, 120, 240, yellow);                                                // 11
  Add_Click_Spot_to_View_Area(a, 20, 220, 120, 240, 5, &p.spot);                                     // 12
  Add_Mark_to_View_Area(a, 1);                                                                       // 13
  Add_Tree_Image_to_View_Area(a, &p.tree, 140, 220, 160, 240, blue);                                 // 14
  Add_Text_Field_to_View_Area(a, 200, 235, p.name, 0x1000, black, &p.on);                            // 15
  Add_Choice_List_to_View_Area(a, 400, 235, p.entries, 0x1000, 10, 3, &p.index, &p.on);             // 16
  Add_Choice_List_to_View_Area(a, 400, 270, p.entries, 0x1000, 10, 3, &p.index, &p.off);            // 16
  Add_Picture_Choice_to_View_Area(a, 600, 210, "bilder.bmp", 40, 30, 4, 0, &p.picture, &p.on);       // 17
  Add_Picture_Choice_to_View_Area(a, 680, 210, "bilder.bmp", 40, 30, 4, 0, &p.picture, &p.off);      // 17
  Add_Bitmap_Button_to_View_Area(a, 760, 210, 42, 37, "knopf.bmp", 40, magenta, 0, "Knopf", 6, &p.code,
                                 &p.on);                                                             // 18
  Add_Bitmap_Button_to_View_Area(a, 810, 210, 42, 37, "knopf.bmp", 40, magenta, 0, nullptr, 7, &p.code,
                                 &p.off);                                                            // 18
  // A long page: rows of texts down to 1200 so that the area scrolls.
  for (int y = 320; y <= 1200; y += 40) {
    char text[32];
    std::snprintf(text, sizeof text, "Zeile bei %d", y);
    Add_Text_to_View_Area(a, 20, y, text, 0x1000, black, 0);
    Add_Line_to_View_Area(a, 150, y - 4, 860, y - 4, green);
  }
}

TEST_F(ViewGolden, PageOfEveryKindAtScrollZeroAndHundred) {
  int a = Create_Scrollable_View_Area(10, 40, 910, 700, 0, 1);
  Page page;
  Build_Page(a, page);
  Update_View_Area_Scrolling(a);
  EXPECT_TRUE(Host_Missing_Bitmaps().empty());
  Compare("view_page_scroll_0.png");
  int handle = Get_Scrollable_View_Area(a)->handle;
  Set_Scrollable_Area_PS(handle, 0, 100);
  Change_Activity_PS(handle, 1);
  Compare("view_page_scroll_100.png");
}

// A rebuild that adds the same items gives the same picture, and the page keeps its offset.
TEST_F(ViewGolden, RebuildKeepsThePicture) {
  int a = Create_Scrollable_View_Area(10, 40, 910, 700, 0, 1);
  Page page;
  Build_Page(a, page);
  Update_View_Area_Scrolling(a);
  int handle = Get_Scrollable_View_Area(a)->handle;
  Set_Scrollable_Area_PS(handle, 0, 100);
  Change_Activity_PS(handle, 1);
  std::vector<uint8_t> before = Host_Snapshot();
  Clear_View_Area_Items(a);
  Build_Page(a, page);
  Update_View_Area_Scrolling(a);
  EXPECT_EQ(Host_Region_Diff(before, kX1, kY1, kX2, kY2), 0);
}

}  // namespace
