// Drawing of view items on the host's canvas: positions of the masks and fields, the
// visibility rules, the caller's values read at every pass, the inactive looks, the
// hover text, and golden pictures of a page of every kind.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "tests/widgets/widgets_fixture.h"
#include "widgets/widgets.h"
#include "widgets/widgets_internal.h"

namespace {

// The drawing area of these tests: (10, 40)-(910, 700) with a vertical slider, so the
// visible rectangle is (10, 40)-(893, 700), 883 × 660.
class ViewDrawing : public WidgetsTest {
 protected:
  int Area() {
    int a = Create_Scrollable_View_Area(10, 40, 910, 700, 0, 1);
    EXPECT_GE(a, 0);
    return a;
  }
  // Repaints the area through the host (as after a rebuild).
  void Show(int a) { Update_View_Area_Scrolling(a); }
  // The user scrolls to an offset; the host repaints the area.
  void Scroll_To(int a, int sx, int sy) {
    int handle = Get_Scrollable_View_Area(a)->handle;
    Set_Scrollable_Area_PS(handle, sx, sy);
    Change_Activity_PS(handle, 1);
  }
  RGB Background() const { return {255, 251, 240}; }
};

TEST_F(ViewDrawing, CheckBoxMaskLiesLeftOfItsPointAndFollowsTheValue) {
  int a = Area();
  int red = Nearest_RGB_Color(200, 0, 0);
  int value = 1, active = 1;
  Add_Check_Box_to_View_Area(a, 100, 40, nullptr, 0x1000, red, &value, &active);
  Show(a);
  // The mask covers (90, 70)-(102, 82); its corners are set in both states.
  EXPECT_EQ(Pixel_Index(90, 70), red);
  EXPECT_EQ(Pixel_Index(102, 82), red);
  EXPECT_EQ(Pixel_RGB(89, 70), Background());
  EXPECT_EQ(Pixel_RGB(103, 82), Background());
  EXPECT_EQ(Pixel_Index(95, 77), red);  // the tick
  value = 0;
  Show(a);
  EXPECT_EQ(Pixel_RGB(95, 77), Background());
  value = 5;  // any non-zero value is set
  Show(a);
  EXPECT_EQ(Pixel_Index(95, 77), red);
}

TEST_F(ViewDrawing, SheetDisplacementMovesEveryItem) {
  Set_Sheet_Displacement(30, 20);
  int a = Area();
  int red = Nearest_RGB_Color(200, 0, 0);
  int value = 1;
  Add_Check_Box_to_View_Area(a, 100, 40, nullptr, 0x1000, red, &value, nullptr);
  Show(a);
  EXPECT_EQ(Pixel_Index(125, 97), red);
  value = 0;
  Show(a);
  EXPECT_EQ(Pixel_RGB(125, 97), Background());
}

TEST_F(ViewDrawing, RadioButtonIsSetOnlyAtItsValue) {
  int a = Area();
  int blue = Nearest_RGB_Color(0, 0, 200);
  int selected = 3;
  Add_Radio_Button_to_View_Area(a, 100, 200, "drei", 0x1000, blue, 3, &selected, nullptr);
  Show(a);
  // Mask (90, 230)-(101, 241): row 5 holds the dot only when set.
  EXPECT_EQ(Pixel_Index(95, 235), blue);
  for (int v : {4, 0, 1}) {
    selected = v;
    Show(a);
    EXPECT_EQ(Pixel_RGB(95, 235), Background()) << v;
    EXPECT_EQ(Pixel_Index(90, 234), blue) << v;  // the ring stays
  }
}

TEST_F(ViewDrawing, InactiveCheckBoxIsGrey) {
  int a = Area();
  int red = Nearest_RGB_Color(200, 0, 0);
  int value = 1, active = 0;
  Add_Check_Box_to_View_Area(a, 100, 40, "Text", 0x1000, red, &value, &active);
  Show(a);
  EXPECT_EQ(Pixel_RGB(95, 77), (RGB{190, 190, 190}));
}

TEST_F(ViewDrawing, InactiveAreaIsNeverPainted) {
  int a = Area();
  Add_Box_to_View_Area(a, 0, 0, 200, 200, Nearest_RGB_Color(0, 200, 0));
  Set_View_Area_Activity(a, 0);
  Clear_Host_Calls();
  Show(a);  // asks the host to repaint
  EXPECT_EQ(Host_Calls_Named("pxRect"), 0);
  EXPECT_EQ(Pixel_Index(50, 50), Pixel_Index(1000, 1000));
  View_Area_Draw_Callback(0, 0, 0, 10, 40, 893, 700, Get_Scrollable_View_Area(a));
  EXPECT_EQ(Host_Calls_Named("pxRect"), 0);
  Get_Scrollable_View_Area(a)->active = 2;  // only 1 is drawn
  View_Area_Draw_Callback(0, 0, 0, 10, 40, 893, 700, Get_Scrollable_View_Area(a));
  EXPECT_EQ(Host_Calls_Named("pxRect"), 0);
}

TEST_F(ViewDrawing, NumberFieldShowsAtMostItsLengthAtCreation) {
  int a = Area();
  int black = Nearest_RGB_Color(0, 0, 0);
  double v = 1234.5;
  Add_Float_Field_to_View_Area(a, 200, 100, &v, "%.1f", 0x1000, black, nullptr);  // "0.0": 3 characters
  Show(a);
  // "123" in font 0 is 21 pixels, 22 rounded to even: box to 210 + 28, frame at 210 + 29.
  EXPECT_EQ(Pixel_RGB(238, 135), (RGB{255, 255, 255}));
  EXPECT_EQ(Pixel_Index(239, 127), black);
  EXPECT_EQ(Pixel_RGB(245, 135), Background());
  // The dotted frame: every second pixel of the top line.
  EXPECT_EQ(Pixel_Index(203, 127), black);
  EXPECT_EQ(Pixel_RGB(204, 127), (RGB{255, 255, 255}));
}

TEST_F(ViewDrawing, NumberFieldReadsTheValueAtEveryPass) {
  int a = Area();
  double v = 1.0;
  Add_Float_Field_to_View_Area(a, 200, 100, &v, "%5.2f", 0x1000, Nearest_RGB_Color(0, 0, 0), nullptr);
  Show(a);
  std::vector<RGB> first = Pixel_Row(205, 240, 135);
  v = 8.75;
  Show(a);
  EXPECT_NE(Pixel_Row(205, 240, 135), first);
  v = 1.0;
  Show(a);
  EXPECT_EQ(Pixel_Row(205, 240, 135), first);
}

TEST_F(ViewDrawing, InactiveNumberFieldShowsItsInactiveTextInTheNormalFont) {
  int a = Area();
  double v = 2.5;
  int active = 0;
  Add_Float_Field_to_View_Area(a, 200, 100, &v, "%.1f", 0x1000, Nearest_RGB_Color(0, 0, 0), &active);
  Set_View_Field_Inactive_Text(a, "aus");
  Show(a);
  // "aus" in font 0x1000 is 20 pixels: grey frame at 210 + 27, no white box.
  EXPECT_EQ(Pixel_RGB(237, 127), (RGB{190, 190, 190}));
  EXPECT_EQ(Pixel_RGB(239, 127), Background());
  EXPECT_EQ(Pixel_RGB(205, 135), Background());
  EXPECT_EQ(Host_Calls_Named("Set_RFont"), 1);
}

TEST_F(ViewDrawing, TextFieldShowsItsCharactersAndNeverMoreThan511) {
  int a = Area();
  std::string long_text(600, 'W');
  std::vector<char> buffer(long_text.begin(), long_text.end());
  buffer.push_back('\0');
  Add_Text_Field_to_View_Area(a, 20, 100, buffer.data(), 0x1000, Nearest_RGB_Color(0, 0, 0), nullptr);
  EXPECT_EQ(Get_Scrollable_View_Area(a)->last_item->option, 600);
  Clear_Host_Calls();
  Show(a);
  std::vector<std::string> args = Host_Call_Args("pxText", 0);
  ASSERT_GE(args.size(), 4u);
  EXPECT_EQ(args[3], "511");
  Set_View_Text_Field_Width(a, 4);
  Clear_Host_Calls();
  Show(a);
  EXPECT_EQ(Host_Call_Args("pxText", 0)[3], "4");
}

TEST_F(ViewDrawing, TextIsDrawnUpToTwelvePixelsBelowTheVisibleRectangle) {
  int a = Area();
  // Visible bottom 700: a baseline at content y 672 lies at 712.
  Add_Text_to_View_Area(a, 10, 672, "unten", 0x1000, 1, 0);
  Clear_Host_Calls();
  Show(a);
  EXPECT_EQ(Host_Calls_Named("pxText"), 1);
  Clear_View_Area_Items(a);
  Add_Text_to_View_Area(a, 10, 673, "unten", 0x1000, 1, 0);
  Clear_Host_Calls();
  Show(a);
  EXPECT_EQ(Host_Calls_Named("pxText"), 0);
  // Above the top and right of the visible rectangle: skipped as well.
  Clear_View_Area_Items(a);
  Add_Text_to_View_Area(a, 884, 100, "rechts", 0x1000, 1, 0);
  Add_Text_to_View_Area(a, 10, -1, "oben", 0x1000, 1, 0);
  Add_Text_to_View_Area(a, 883, 0, "Ecke", 0x1000, 1, 0);
  Clear_Host_Calls();
  Show(a);
  EXPECT_EQ(Host_Calls_Named("pxText"), 1);
}

TEST_F(ViewDrawing, BoxesAndLinesOutsideTheVisibleRectangleAreSkipped) {
  int a = Area();
  Add_Box_to_View_Area(a, 0, 661, 100, 700, 1);   // below
  Add_Box_to_View_Area(a, 884, 0, 900, 10, 1);    // right
  Add_Line_to_View_Area(a, 900, 10, 884, 20, 1);  // right, corners reversed
  Add_Box_to_View_Area(a, 100, 660, 0, 661, 1);   // touches the bottom row
  Clear_Host_Calls();
  Show(a);
  EXPECT_EQ(Host_Calls_Named("pxRect"), 2);  // background and the touching box
  EXPECT_EQ(Host_Calls_Named("pxLine"), 0);
}

TEST_F(ViewDrawing, BitmapButtonCutsItsImageFromTheStrip) {
  int a = Area();
  int active = 1, code = 0;
  Add_Bitmap_Button_to_View_Area(a, 30, 50, 42, 37, "knopf.bmp", 40, 0, 0, nullptr, 6, &code, &active);
  Clear_Host_Calls();
  Show(a);
  std::vector<std::string> args = Host_Call_Args("pxDrawPartialTransparentDIB", 0);
  ASSERT_GE(args.size(), 9u);
  // Normal image: source columns 42 to 83, rows 40 to 76, into (40, 90)-(81, 126).
  EXPECT_EQ(std::vector<std::string>(args.begin() + 1, args.begin() + 9),
            (std::vector<std::string>{"42", "40", "83", "76", "40", "90", "81", "126"}));
  active = 0;
  Clear_Host_Calls();
  Show(a);
  args = Host_Call_Args("pxDrawPartialTransparentDIB", 0);
  EXPECT_EQ(args[1], "0");
  EXPECT_EQ(args[3], "41");
}

TEST_F(ViewDrawing, PictureChoiceCutsTheSelectedPicture) {
  int a = Area();
  int index = 2, active = 1;
  Add_Picture_Choice_to_View_Area(a, 100, 100, "bilder.bmp", 40, 30, 4, 0, &index, &active);
  Clear_Host_Calls();
  Show(a);
  std::vector<std::string> args = Host_Call_Args("pxDrawPartialTransparentDIB", 0);
  ASSERT_GE(args.size(), 9u);
  // Source one column and one row larger than the target, as the layout has it.
  EXPECT_EQ(std::vector<std::string>(args.begin() + 1, args.begin() + 9),
            (std::vector<std::string>{"0", "60", "40", "90", "113", "143", "152", "172"}));
  active = 0;
  index = 9;  // changed by the caller to a picture that does not exist: picture 0
  Clear_Host_Calls();
  Show(a);
  args = Host_Call_Args("pxDrawPartialTransparentDIB", 0);
  EXPECT_EQ(std::vector<std::string>(args.begin() + 1, args.begin() + 5),
            (std::vector<std::string>{"40", "0", "80", "30"}));
  EXPECT_EQ(index, 9);  // the caller's value is not written
}

TEST_F(ViewDrawing, ChoiceIndexOutsideTheEntriesDrawsEntryZero) {
  int a = Area();
  int red = Nearest_RGB_Color(220, 0, 0), green = Nearest_RGB_Color(0, 160, 0),
      blue = Nearest_RGB_Color(0, 0, 220);
  VIEW_CHOICE_ENTRY entries[3] = {{red, "rot"}, {green, "gr\x81n"}, {blue, "blau"}};
  int index = 1;
  Add_Choice_List_to_View_Area(a, 100, 100, entries, 0x1000, 8, 3, &index, nullptr);
  // Field (104, 127)-(110 + 64 + 24, 145) on screen.
  Show(a);
  EXPECT_GT(Count_Pixels(104, 127, 198, 145, green), 0);
  index = 9;
  Show(a);
  EXPECT_GT(Count_Pixels(104, 127, 198, 145, red), 0);
  EXPECT_EQ(Count_Pixels(104, 127, 198, 145, green), 0);
  EXPECT_EQ(index, 9);
  index = -4;
  Show(a);
  EXPECT_GT(Count_Pixels(104, 127, 198, 145, red), 0);
  // No entries: the empty field with its frame and arrow.
  Get_Scrollable_View_Area(a)->last_item->aux = 0;
  Clear_Host_Calls();
  Show(a);
  EXPECT_EQ(Host_Calls_Named("pxText"), 0);
  EXPECT_EQ(Host_Calls_Named("pxMask"), 1);
}

TEST_F(ViewDrawing, ChoiceTextIsClippedAtTheArrow) {
  int a = Area();
  int red = Nearest_RGB_Color(220, 0, 0);
  VIEW_CHOICE_ENTRY entries[1] = {{red, "ein sehr langer Eintrag"}};
  int index = 0;
  Add_Choice_List_to_View_Area(a, 100, 100, entries, 0x1000, 3, 1, &index, nullptr);  // 24 pixels
  Show(a);
  // Text clipped at 110 + 24 + 6; nothing of it right of the clip.
  EXPECT_GT(Count_Pixels(110, 127, 140, 145, red), 0);
  EXPECT_EQ(Count_Pixels(141, 127, 300, 145, red), 0);
}

TEST_F(ViewDrawing, ListRowHighlightFollowsTheTarget) {
  int a = Area();
  int yellow = Nearest_RGB_Color(255, 255, 0);
  int target = 0;
  Add_List_Row_to_View_Area(a, 100, 100, "Zeile", 0x1000, Nearest_RGB_Color(0, 0, 0), 0, yellow, 4, &target);
  Show(a);
  EXPECT_EQ(Count_Pixels(100, 130, 150, 142, yellow), 0);
  target = 4;
  Show(a);
  // Highlight (108, 130)-(110 + 34 + 4, 142).
  EXPECT_EQ(Pixel_Index(108, 130), yellow);
  EXPECT_EQ(Pixel_Index(148, 142), yellow);
  EXPECT_EQ(Pixel_RGB(149, 142), Background());
}

TEST_F(ViewDrawing, ShadowStylesMixTheColourWithTheBackground) {
  int a = Area();
  int black = Nearest_RGB_Color(0, 0, 0);
  Add_Text_to_View_Area(a, 100, 100, "I", 0x21000, black, 0);  // light shadow
  Add_Text_to_View_Area(a, 200, 100, "I", 0x41000, black, 0);  // faint shadow
  Show(a);
  // The shadow is the text one pixel to the right in 0.65 or 0.9 of the background.
  EXPECT_GT(Count_Pixels(100, 120, 130, 145, Nearest_RGB_Color(165, 163, 156)), 0);
  EXPECT_GT(Count_Pixels(200, 120, 230, 145, Nearest_RGB_Color(229, 225, 216)), 0);
}

TEST_F(ViewDrawing, ScrollOffsetMovesTheItems) {
  int a = Area();
  int red = Nearest_RGB_Color(200, 0, 0);
  Add_Box_to_View_Area(a, 100, 300, 120, 320, red);
  Add_Box_to_View_Area(a, 0, 0, 10, 2000, 1);
  Show(a);
  EXPECT_EQ(Pixel_Index(115, 345), red);
  Scroll_To(a, 0, 100);
  EXPECT_EQ(Pixel_Index(115, 245), red);
  EXPECT_EQ(Pixel_RGB(115, 345), Background());
}

TEST_F(ViewDrawing, PinnedBitmapIgnoresTheScrollOffset) {
  int a = Area();
  Add_Bitmap_File_to_View_Area(a, "bild.bmp", 5, 6, 50, 60, 1);
  Pin_Last_View_Bitmap(a);
  Add_Box_to_View_Area(a, 0, 0, 10, 2000, 1);
  Update_View_Area_Scrolling(a);
  Clear_Host_Calls();
  Scroll_To(a, 0, 100);
  std::vector<std::string> args = Host_Call_Args("pxDrawTransparentDIB", 0);
  ASSERT_GE(args.size(), 5u);
  EXPECT_EQ(std::vector<std::string>(args.begin() + 1, args.begin() + 5),
            (std::vector<std::string>{"15", "46", "60", "100"}));
}

TEST_F(ViewDrawing, PassGivesBackColourAndClip) {
  int a = Area();
  Add_Box_to_View_Area(a, 0, 0, 100, 100, Nearest_RGB_Color(10, 20, 30));
  VIEW_CHOICE_ENTRY entries[1] = {{1, "x"}};
  int index = 0;
  Add_Choice_List_to_View_Area(a, 100, 100, entries, 0x1000, 3, 1, &index, nullptr);
  pxView(5, 6, 700, 800);
  pxFgc(7);
  int font = Host_Current_Font();
  Draw_View_Area(0, 0, 10, 40, 893, 700, Get_Scrollable_View_Area(a));
  int x1, y1, x2, y2;
  pxQVwp(&x1, &y1, &x2, &y2);
  EXPECT_EQ(pxQFgc(nullptr), 7);
  EXPECT_EQ(x1, 5);
  EXPECT_EQ(y1, 6);
  EXPECT_EQ(x2, 700);
  EXPECT_EQ(y2, 800);
  EXPECT_EQ(Host_Current_Font(), font);
}

TEST_F(ViewDrawing, CallbackItemGetsItsScreenRectangle) {
  int a = Area();
  static int seen[5];
  static int argument = 42;
  Add_Draw_Callback_to_View_Area(
      a, 20, 30, 120, 130, &argument, +[](int x1, int y1, int x2, int y2, void *arg) {
        seen[0] = x1, seen[1] = y1, seen[2] = x2, seen[3] = y2, seen[4] = *static_cast<int *>(arg);
      });
  Show(a);
  EXPECT_EQ(seen[0], 30);
  EXPECT_EQ(seen[1], 70);
  EXPECT_EQ(seen[2], 130);
  EXPECT_EQ(seen[3], 170);
  EXPECT_EQ(seen[4], 42);
}

TEST_F(ViewDrawing, HoverTextStaysOnTheScreenAndIsRestored) {
  std::vector<RGB> before = Pixel_Rect(1150, 950, 1279, 1023);
  M_XPOS = 1250;
  M_YPOS = 1010;
  Draw_Hover_Text("0123456789\nabcdefghij");
  const VIEW_HOVER_STATE *h = View_Hover_State();
  EXPECT_EQ(h->shown, 1);
  EXPECT_EQ(h->box_x2, 1271);
  EXPECT_EQ(h->box_y2, 1015);
  EXPECT_EQ(h->box_x2 - h->box_x1, 69 + 10);  // ten characters of 7 less 1, plus 10
  EXPECT_EQ(Pixel_RGB(1271, 1015), (RGB{0, 0, 0}));
  EXPECT_EQ(Pixel_RGB(1272, 1015), before[(1015 - 950) * 130 + (1272 - 1150)]);
  EXPECT_EQ(Pixel_RGB(h->box_x1 + 2, h->box_y1 + 2), (RGB{255, 255, 255}));
  Restore_Screen_Rectangle(h->box_x1, h->box_y1, h->box_x2, h->box_y2);
  EXPECT_EQ(Pixel_Rect(1150, 950, 1279, 1023), before);
}

TEST_F(ViewDrawing, HoverTextBelowAndRightOfThePointer) {
  M_XPOS = 100;
  M_YPOS = 200;
  Draw_Hover_Text("");
  const VIEW_HOVER_STATE *h = View_Hover_State();
  EXPECT_EQ(h->box_x1, 100);
  EXPECT_EQ(h->box_y1, 220);
  EXPECT_EQ(h->box_x2, 110);  // an empty text is one line of no width
  EXPECT_EQ(h->box_y2, 220 + RFONT_HEIGHT_of_Normal_Font() + 5);
}

}  // namespace
