// Drawing of view items: golden pictures of every kind and state, the visibility rules, bitmap
// parts cut from their strips, what a pass gives back, and the hover text.
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <unistd.h>

#include "support/cp850.h"
#include "tests/widgets/widgets_fixture.h"

namespace {

// The drawing area of these tests: (10, 40)-(910, 700) with a vertical slider, so the
// visible rectangle is (10, 40)-(893, 700), 883 × 660.
class ViewDrawing : public WidgetsTest {
 protected:
  int Area() { return Create_Scrollable_View_Area(10, 40, 910, 700, 0, 1); }
  void Show(int a) { Update_View_Area_Scrolling(a); }  // repaints through the host
  void Scroll_To(int a, int sx, int sy) {
    int handle = Get_Scrollable_View_Area(a)->handle;
    Set_Scrollable_Area_PS(handle, sx, sy);
    Change_Activity_PS(handle, 1);
  }
};

// The values behind the state page.
struct StateValues {
  int check, radio, index, row;
  double value;
};

// Item states by the caller's values, read anew at each pass; a displaced sheet moves the whole
// picture; a choice index outside the entries draws entry 0.
TEST_F(ViewDrawing, ItemStatesAsGoldenPictures) {
  const struct Case {
    StateValues v;
    int dx, dy;
    const char *golden;
  } cases[] = {{{1, 3, 0, 4, 1.0}, 0, 0, "view_states_set.png"},
               {{0, 4, 1, 0, 8.75}, 0, 0, "view_states_unset.png"},
               {{5, 3, 3, 4, 1.0}, 30, 20, "view_states_set.png"},  // any non-zero value is set
               {{1, 3, -4, 4, 1.0}, 0, 0, "view_states_set.png"}};
  for (const Case &c : cases) {
    SCOPED_TRACE(c.golden + std::to_string(c.v.index));
    Host_Test_Set_Sheet_Displacement(c.dx, c.dy);
    StateValues v = c.v;
    int on = 1, off = 0, inactive_set = 1;
    double big = 1234.5, other = 2.5;
    const int red = Nearest_RGB_Color(220, 0, 0), green = Nearest_RGB_Color(0, 160, 0),
              blue = Nearest_RGB_Color(0, 0, 220), black = Nearest_RGB_Color(0, 0, 0),
              yellow = Nearest_RGB_Color(255, 255, 0);
    VIEW_CHOICE_ENTRY entries[3] = {{red, "rot"}, {green, "gr\x81n"}, {blue, "blau"}};
    VIEW_CHOICE_ENTRY long_entry[1] = {{red, "ein sehr langer Eintrag"}};
    int a = Area();
    Add_Check_Box_to_View_Area(a, 100, 40, nullptr, 0x1000, red, &v.check, &on);
    Add_Check_Box_to_View_Area(a, 100, 70, "Text", 0x1000, red, &inactive_set, &off);
    Add_Radio_Button_to_View_Area(a, 100, 100, "drei", 0x1000, blue, 3, &v.radio, nullptr);
    Add_Float_Field_to_View_Area(a, 200, 40, &big, "%.1f", 0x1000, black, nullptr);  // "0.0": 3 characters
    Add_Float_Field_to_View_Area(a, 200, 70, &v.value, "%5.2f", 0x1000, black, nullptr);
    Add_Float_Field_to_View_Area(a, 200, 100, &other, "%.1f", 0x1000, black, &off);
    Set_View_Field_Inactive_Text(a, "aus");
    Add_Choice_List_to_View_Area(a, 100, 140, entries, 0x1000, 8, 3, &v.index, nullptr);
    Add_Choice_List_to_View_Area(a, 300, 140, long_entry, 0x1000, 3, 1, &off, nullptr);
    Add_List_Row_to_View_Area(a, 100, 180, "Zeile", 0x1000, black, 0, yellow, 4, &v.row);
    Add_Text_to_View_Area(a, 300, 180, "I", 0x21000, black, 0);  // light shadow
    Add_Text_to_View_Area(a, 350, 180, "I", 0x41000, black, 0);  // faint shadow
    Show(a);
    v = c.v;  // the first pass clamped the index; the caller changes it back
    Show(a);
    EXPECT_GOLDEN(c.golden, 10 + c.dx, 40 + c.dy, 420 + c.dx, 240 + c.dy);
    EXPECT_EQ(v.index, c.v.index);  // the caller's value is not written by a pass
    Remove_Scrollable_View_Area(a);
  }
}

TEST_F(ViewDrawing, ChoiceWithoutEntriesDrawsTheEmptyField) {
  int a = Area(), index = 0;
  VIEW_CHOICE_ENTRY entries[1] = {{1, "x"}};
  Add_Choice_List_to_View_Area(a, 100, 100, entries, 0x1000, 8, 1, &index, nullptr);
  Get_Scrollable_View_Area(a)->last_item->aux = 0;
  Host_Clear_Calls();
  Show(a);
  EXPECT_EQ(Host_Call_Count("pxText"), 0);
  EXPECT_EQ(Host_Call_Count("pxMask"), 1);  // the arrow
}

TEST_F(ViewDrawing, InactiveAreaIsNeverPainted) {
  int a = Area();
  Add_Box_to_View_Area(a, 0, 0, 200, 200, Nearest_RGB_Color(0, 200, 0));
  Set_View_Area_Activity(a, 0);
  Host_Clear_Calls();
  Show(a);  // asks the host to repaint
  View_Area_Draw_Callback(0, 0, 0, 10, 40, 893, 700, Get_Scrollable_View_Area(a));
  Get_Scrollable_View_Area(a)->active = 2;  // only 1 is drawn
  View_Area_Draw_Callback(0, 0, 0, 10, 40, 893, 700, Get_Scrollable_View_Area(a));
  EXPECT_EQ(Host_Call_Count("pxRect"), 0);
  EXPECT_EQ(Host_Pixel(50, 50), Host_Pixel(1000, 1000));
}

TEST_F(ViewDrawing, TextFieldShowsItsCharactersAndNeverMoreThan511) {
  int a = Area();
  std::vector<char> buffer(600, 'W');
  buffer.push_back('\0');
  Add_Text_Field_to_View_Area(a, 20, 100, buffer.data(), 0x1000, Nearest_RGB_Color(0, 0, 0), nullptr);
  EXPECT_EQ(Get_Scrollable_View_Area(a)->last_item->option, 600);
  Host_Clear_Calls();
  Show(a);
  ASSERT_GE(Host_Call_Args("pxText", 0).size(), 4u);
  EXPECT_EQ(Host_Call_Args("pxText", 0)[3], "511");
  Set_View_Text_Field_Width(a, 4);
  Host_Clear_Calls();
  Show(a);
  EXPECT_EQ(Host_Call_Args("pxText", 0)[3], "4");
}

// Texts are drawn down to 12 pixels below the visible rectangle; boxes, lines and texts
// beyond it (corners in any order) are skipped.
TEST_F(ViewDrawing, ItemsOutsideTheVisibleRectangleAreSkipped) {
  const struct Case {
    std::vector<int> texts;  // x, y pairs
    int drawn;
  } cases[] = {{{10, 672}, 1}, {{10, 673}, 0}, {{884, 100, 10, -1, 883, 0}, 1}};
  int a = Area();
  for (const Case &c : cases) {
    Clear_View_Area_Items(a);
    for (size_t i = 0; i < c.texts.size(); i += 2) Add_Text_to_View_Area(a, c.texts[i], c.texts[i + 1], "Text", 0x1000, 1, 0);
    Host_Clear_Calls();
    Show(a);
    EXPECT_EQ(Host_Call_Count("pxText"), c.drawn) << c.texts[0] << "," << c.texts[1];
  }
  Clear_View_Area_Items(a);
  Add_Box_to_View_Area(a, 0, 661, 100, 700, 1);   // below
  Add_Box_to_View_Area(a, 884, 0, 900, 10, 1);    // right
  Add_Line_to_View_Area(a, 900, 10, 884, 20, 1);  // right, corners reversed
  Add_Box_to_View_Area(a, 100, 660, 0, 661, 1);   // touches the bottom row
  Host_Clear_Calls();
  Show(a);
  EXPECT_EQ(Host_Call_Count("pxRect"), 2);  // background and the touching box
  EXPECT_EQ(Host_Call_Count("pxLine"), 0);
}

// Source and target rectangles: button images, the picture of a choice (picture 0 for an index
// that does not exist), a pinned bitmap at any scroll.
TEST_F(ViewDrawing, BitmapPartsCutFromTheirStrips) {
  const struct Case {
    int kind, active, index;
    const char *call;
    std::vector<std::string> args;
  } cases[] = {{VIEW_BITMAP_BUTTON, 1, 0, "pxDrawPartialTransparentDIB", {"42", "40", "83", "76", "40", "90", "81", "126"}},
               {VIEW_BITMAP_BUTTON, 0, 0, "pxDrawPartialTransparentDIB", {"0", "40", "41", "76", "40", "90", "81", "126"}},
               {VIEW_PICTURE_CHOICE, 1, 2, "pxDrawPartialTransparentDIB", {"0", "60", "40", "90", "113", "143", "152", "172"}},
               {VIEW_PICTURE_CHOICE, 0, 9, "pxDrawPartialTransparentDIB", {"40", "0", "80", "30", "113", "143", "152", "172"}},
               {VIEW_BITMAP_FILE, 1, 0, "pxDrawTransparentDIB", {"15", "46", "60", "100"}}};
  for (const Case &c : cases) {
    SCOPED_TRACE(::testing::Message() << "kind " << c.kind << " active " << c.active);
    int a = Area(), active = c.active, index = c.index, code = 0;
    if (c.kind == VIEW_BITMAP_BUTTON)
      Add_Bitmap_Button_to_View_Area(a, 30, 50, 42, 37, "knopf.bmp", 40, 0, 0, nullptr, 6, &code, &active);
    if (c.kind == VIEW_PICTURE_CHOICE)
      Add_Picture_Choice_to_View_Area(a, 100, 100, "bilder.bmp", 40, 30, 4, 0, &index, &active);
    if (c.kind == VIEW_BITMAP_FILE) {
      Add_Bitmap_File_to_View_Area(a, "bild.bmp", 5, 6, 50, 60, 1);
      Pin_Last_View_Bitmap(a);
      Add_Box_to_View_Area(a, 0, 0, 10, 2000, 1);
    }
    index = c.index;  // changed by the caller after the add
    Show(a);
    Host_Clear_Calls();
    Scroll_To(a, 0, c.kind == VIEW_BITMAP_FILE ? 100 : 0);
    std::vector<std::string> args = Host_Call_Args(c.call, 0);
    ASSERT_GT(args.size(), c.args.size());
    EXPECT_EQ(std::vector<std::string>(args.begin() + 1, args.begin() + 1 + long(c.args.size())), c.args);
    EXPECT_EQ(index, c.index);  // the caller's value is not written
    Remove_Scrollable_View_Area(a);
  }
}

TEST_F(ViewDrawing, PassGivesBackColourClipAndFontAndCallbacksGetTheirScreenRectangle) {
  int a = Area();
  static int seen[5];
  static int argument = 42;
  Add_Box_to_View_Area(a, 0, 0, 100, 100, Nearest_RGB_Color(10, 20, 30));
  VIEW_CHOICE_ENTRY entries[1] = {{1, "x"}};
  int index = 0;
  Add_Choice_List_to_View_Area(a, 100, 100, entries, 0x1000, 3, 1, &index, nullptr);
  Add_Draw_Callback_to_View_Area(a, 20, 30, 120, 130, &argument, +[](int x1, int y1, int x2, int y2, void *arg) {
    seen[0] = x1, seen[1] = y1, seen[2] = x2, seen[3] = y2, seen[4] = *static_cast<int *>(arg);
  });
  pxView(5, 6, 700, 800);
  pxFgc(7);
  int font = Host_Current_Font();
  Draw_View_Area(0, 0, 10, 40, 893, 700, Get_Scrollable_View_Area(a));
  int c[4];
  pxQVwp(&c[0], &c[1], &c[2], &c[3]);
  EXPECT_EQ(pxQFgc(nullptr), 7);
  EXPECT_EQ(std::vector<int>(c, c + 4), (std::vector<int>{5, 6, 700, 800}));
  EXPECT_EQ(Host_Current_Font(), font);
  EXPECT_EQ(std::vector<int>(seen, seen + 5), (std::vector<int>{30, 70, 130, 170, 42}));
}

TEST_F(ViewDrawing, ScrollOffsetMovesTheItems) {
  int a = Area();
  int red = Nearest_RGB_Color(200, 0, 0);
  Add_Box_to_View_Area(a, 100, 300, 120, 320, red);
  Add_Box_to_View_Area(a, 0, 0, 10, 2000, 1);
  Show(a);
  EXPECT_EQ(Host_Pixel(115, 345), red);
  Scroll_To(a, 0, 100);
  EXPECT_EQ(Host_Pixel(115, 245), red);
  EXPECT_EQ(Pixel_RGB(115, 345), (RGB{255, 251, 240}));  // the background
}

// The hover box lies below and right of the pointer (an empty text is one line of no width),
// moved to stay 8 pixels inside the screen; the screen behind it comes back.
TEST_F(ViewDrawing, HoverTextPlacementAndRestore) {
  M_XPOS = 100;
  M_YPOS = 200;
  Draw_Hover_Text("");
  const VIEW_HOVER_STATE *h = View_Hover_State();
  EXPECT_EQ(std::vector<int>({h->box_x1, h->box_y1, h->box_x2, h->box_y2}), std::vector<int>({100, 220, 110, 237}));
  Restore_Screen_Rectangle(h->box_x1, h->box_y1, h->box_x2, h->box_y2);
  std::vector<uint8_t> before = Host_Snapshot();
  M_XPOS = 1250;
  M_YPOS = 1010;
  Draw_Hover_Text("0123456789\nabcdefghij");
  EXPECT_EQ(h->shown, 1);
  EXPECT_EQ(std::vector<int>({h->box_x1, h->box_x2, h->box_y2}), std::vector<int>({1271 - 69 - 10, 1271, 1015}));
  EXPECT_EQ(Pixel_RGB(1271, 1015), (RGB{0, 0, 0}));
  EXPECT_EQ(Pixel_RGB(h->box_x1 + 2, h->box_y1 + 2), (RGB{255, 255, 255}));
  EXPECT_EQ(Host_Region_Diff(before, 1272, 0, 1279, 1023), 0);
  Restore_Screen_Rectangle(h->box_x1, h->box_y1, h->box_x2, h->box_y2);
  EXPECT_EQ(Host_Region_Diff(before, 0, 0, 1279, 1023), 0);
}

}  // namespace

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
  Add_Check_Box_to_View_Area(a, 560, 80, "Bild", 0x1000, black, &p.checked, &p.on);                  // 7
  Set_View_Check_Images(a, &p.tree, nullptr);  // set: the picture instead of the mark
  Add_Radio_Button_to_View_Area(a, 560, 105, "Bild", 0x1000, black, 1, &p.radio, &p.on);              // 8
  Set_View_Check_Images(a, nullptr, &p.tree);  // not chosen: the picture
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
  Clear_View_Area_Items(a);  // a rebuild with the same items keeps the offset and the picture
  Build_Page(a, page);
  Update_View_Area_Scrolling(a);
  Compare("view_page_scroll_100.png");
}

}  // namespace
