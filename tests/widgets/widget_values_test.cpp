// Label, text and value widgets (widths, placement, what they add), the framed sheet text and
// the start-up switch of stdio table and mouse wheel.
#include <cstring>
#include <memory>

#include "host/host_screen.h"
#include "support/support.h"
#include "tests/widgets/widgets_fixture.h"
#include "widgets/widget_layer.h"
#include "widgets/widget_layer_internal.h"

namespace {

class WidgetValues : public WidgetsTest {
 protected:
  void SetUp() override {
    WidgetsTest::SetUp();
    area = Create_Scrollable_View_Area(0, 0, 400, 300, 0, 0);
    Begin_Widget_Area(area);
  }
  const VIEW_ITEM *Last() const {
    const VIEW_ITEM *item = View_Area_Test_Items(area);
    while (item && item->next) item = item->next;
    return item;
  }
  int area = -1;
};

}  // namespace

TEST_F(WidgetValues, NoCurrentAreaAddsNothing) {
  Begin_Widget_Area(-1);
  EXPECT_EQ(Add_Widget_Text(0, 0, "abc", nullptr) + Add_Widget_Label(0, 0, "abc", 0, 0, nullptr), 0);
  // The forms without the check still give their width.
  EXPECT_EQ(Put_Widget_Text(0, 0, "abc", nullptr), Get_Widget_Text_Width("abc", 4096));
  EXPECT_EQ(View_Area_Item_Count(area), 0);
}

TEST_F(WidgetValues, LabelAlignment) {
  Set_Widget_Font(0x1001);  // pitch 10: "abcd" measures 38, width 41
  const struct {
    int h, v, x1, y1;
  } cases[] = {{4, 4, 100 - 21, 55}, {0, 1, 59, 59}, {2, 0, 100, 50}};
  for (auto c : cases) {
    EXPECT_EQ(Add_Widget_Label(100, 50, "abcd", c.h, c.v, nullptr), 41);
    EXPECT_EQ(std::vector<int>({Last()->x1, Last()->y1}), std::vector<int>({c.x1, c.y1})) << c.h << c.v;
  }
}

// Centred texts use half the visible width; inactive texts are grey; formatted texts stop at
// 255 characters; a text spot is a spot only while active.
TEST_F(WidgetValues, CentredGreyFormattedAndSpotTexts) {
  Set_Widget_Font(0x1001);
  EXPECT_EQ(Add_Widget_Centered_Text(30, "abcd", nullptr), 41);
  EXPECT_EQ(Last()->x1, 179);
  EXPECT_EQ(Add_Widget_Centered_Label(30, "abcd", nullptr), 41);
  EXPECT_EQ(Get_Widget_Font(), 0x1001);
  Set_Widget_Font(0x1000);
  int target = 0, on = 1, off = 0;
  Add_Widget_Text(0, 20, "a", &off);
  EXPECT_EQ(Last()->colour, Nearest_RGB_Color(198, 195, 198));
  Add_Widget_Text(0, 20, "a", &on);
  EXPECT_EQ(Last()->colour, Get_Widget_Text_Color());
  Add_Widget_Text_Format(0, 20, "%s", std::string(400, 'x').c_str());
  EXPECT_EQ(std::strlen(Last()->text), 255u);
  int w = Add_Widget_Text_Spot(10, 40, "Spot", 5, &target, &on);
  const VIEW_ITEM *spot = Last();
  EXPECT_EQ(std::vector<int>({spot->kind, spot->x2, spot->y1, spot->option}), std::vector<int>({VIEW_CLICK_SPOT, 10 + w, 30, 18}));
  Add_Widget_Text_Spot(10, 60, "Spot", 5, &target, &off);
  EXPECT_EQ(Last()->kind, VIEW_TEXT);
}

TEST_F(WidgetValues, BoldAndSmallTexts) {
  EXPECT_EQ(Add_Widget_Bold_Text(0, 20, "abc", nullptr), 20 + 5);
  EXPECT_EQ(Last()->x2, VIEW_STYLE_LIGHT_SHADOW);
  EXPECT_EQ(Add_Widget_Bold_Text(0, 20, "", nullptr), 2);
  EXPECT_EQ(Add_Widget_Small_Text(0, 20, "abc", nullptr), 17 + 3);  // 0x1002: pitch 6
  EXPECT_EQ(Add_Widget_Small_Bold_Text(0, 20, "abc", nullptr), 17 + 5);
}

TEST_F(WidgetValues, IndexTexts) {
  // Main "M" in 0x1000 (6 + 3), index "ab" in 0x1002 (11 + 4).
  EXPECT_EQ(Add_Widget_Text_with_Index(10, 40, "M", "ab", nullptr), 9 + 15);
  EXPECT_EQ(std::vector<int>({Last()->x1, Last()->y1}), std::vector<int>({10 + 9 + 1, 41}));
  // An empty main text: the index width alone (plus 2 with a style bit).
  EXPECT_EQ(Add_Widget_Label_with_Index(10, 40, "", "ab", 2, 0, nullptr), 15);
  Set_Widget_Font(0x1000 | 0x20000);
  EXPECT_EQ(Add_Widget_Label_with_Index(10, 40, "", "ab", 2, 0, nullptr), 2 + 17);
  Set_Widget_Font(0x1000);
  // Bold: main 0x11000 measured in 0x1000 + 5, index + 2.
  EXPECT_EQ(Add_Widget_Bold_Text_with_Index(10, 40, "M", "ab", nullptr), 11 + 17);
  EXPECT_EQ(Get_Widget_Font(), 0x1000);
  // Symbol: exponent placed at the combined width less one, grows it by its width less one.
  int w = Add_Widget_Symbol_Label(10, 40, "M", "ab", "2", nullptr);
  EXPECT_EQ(std::vector<int>({Last()->x1, Last()->y1}), std::vector<int>({10 + 24 - 1, 35}));
  EXPECT_EQ(w, 24 + (5 + 3) - 1);
}

TEST_F(WidgetValues, PaddedAndSizedTextFields) {
  char two[6] = "ab";
  Add_Widget_Padded_Text_Field(0, 20, two, 5, nullptr);
  EXPECT_STREQ(two, "ab   ");
  char seven[8] = "abcdefg";
  Add_Widget_Padded_Text_Field(0, 20, seven, 5, nullptr);
  EXPECT_STREQ(seven, "abcde");
  // Capacity 5 shown 10: the buffer of 6 bytes is never overrun.
  std::unique_ptr<char[]> buffer(new char[6]);
  std::strcpy(buffer.get(), "abc");
  int state = 1;
  EXPECT_EQ(Add_Widget_Sized_Text_Field(0, 40, buffer.get(), 5, 10, &state), 99);
  EXPECT_STREQ(buffer.get(), "abc  ");
  EXPECT_EQ(Last()->y2, 5);
}

TEST_F(WidgetValues, TextFieldStates) {
  char text[] = "Wert";
  int state = -1;
  int w = Add_Widget_Text_Field(0, 20, text, 0, &state);
  EXPECT_EQ(w, 8 * 4 - 3 + 16);
  EXPECT_EQ(*Last()->active_ptr, 0);  // -1 is shown inactive
  EXPECT_EQ(Last()->colour, Get_Widget_Text_Color());
  state = 0;
  Add_Widget_Text_Field(0, 20, text, 0, &state);
  EXPECT_EQ(Last()->colour, Nearest_RGB_Color(198, 195, 198));
  char empty[] = "";
  EXPECT_EQ(Add_Widget_Text_Field(0, 20, empty, 0, &state), 13);
  int x1, y1, x2, y2, active;
  Get_Last_Widget_Rect(&x1, &y1, &x2, &y2, &active);
  EXPECT_EQ(std::vector<int>({y1, x2}), std::vector<int>({7, 13}));
}

TEST_F(WidgetValues, RadioButtonIsBoldWhenChosen) {
  int target = 2, on = 1;
  EXPECT_EQ(Add_Widget_Radio_Button(10, 20, "a", 2, &target, &on), Get_Widget_Text_Width("a", 4096) + 20);
  EXPECT_EQ(std::vector<int>({Last()->x2, Last()->x1}), std::vector<int>({VIEW_STYLE_BOLD, 30}));
  EXPECT_EQ(Add_Widget_Radio_Button(10, 20, nullptr, 3, &target, &on), 13);
  EXPECT_EQ(Last()->x2, VIEW_STYLE_PLAIN);
}

TEST_F(WidgetValues, ChoiceWidthRoundsTiesToEven) {
  // 0x11000 is measured in 0x1000: n characters are 7n + 4 wide; 8 give 60, 16 give 116.
  EXPECT_EQ(Get_Widget_Choice_Width("abcdefgh", 8, 1, 0x11000), 97);                  // 7.5 to 8
  EXPECT_EQ(Get_Widget_Choice_Width("abcdefghijklmnop", 8, 1, 0x11000), 8 * 14 + 33);  // 14.5 to 14
  // 0x1001: pitch 10, 6 characters 61 wide: 7.6 to 8.
  EXPECT_EQ(Get_Widget_Choice_Width("abcdef", 8, 1, 0x1001), 97);
  // 0x1000: 8 characters 58 wide: 7.25 to 7; the widest of several with a stride.
  const char texts[3][10] = {"ab", "abcdefgh", "abc"};
  EXPECT_EQ(Get_Widget_Choice_Width(texts[0], 10, 3, 0x1000), 89);
  EXPECT_EQ(Get_Widget_Choice_Width(texts[0], 10, 0, 0x1000), 33);
}

TEST_F(WidgetValues, ImageSpotPlacementAndActivity) {
  int target = 0;
  Add_Widget_Image_Spot(area, 100, 100, 20, 31, 4, 4, "a.bmp", "b.bmp", WHITE_CI, 3, &target, 1);
  const VIEW_ITEM *spot = Last();  // x1 = 100 - 16 (15.5 away from zero)
  EXPECT_EQ(std::vector<int>({spot->kind, spot->x1, spot->y1, spot->x2}), std::vector<int>({VIEW_CLICK_SPOT, 84, 90, 115}));
  Add_Widget_Image_Spot(area, 100, 100, 20, 31, 2, 1, "a.bmp", "b.bmp", WHITE_CI, 3, &target, 0);
  EXPECT_STREQ(Last()->text, "b.bmp");
  EXPECT_EQ(std::vector<int>({Last()->kind, Last()->x1, Last()->y1}), std::vector<int>({VIEW_BITMAP_FILE, 69, 80}));
}

TEST_F(WidgetValues, ImageRadioAndCheckPickTheirPicture) {
  int target = 1, on = 1, off = 0, set = 1;
  Add_Widget_Image_Radio(area, 10, 20, 1, &target, "1", "2", "3", "4", &on);
  EXPECT_STREQ(Last()->text, "1");
  Add_Widget_Image_Radio(area, 10, 20, 2, &target, "1", "2", "3", "4", &off);
  EXPECT_STREQ(Last()->text, "4");
  EXPECT_EQ(Add_Widget_Image_Check(area, 10, 20, &set, "1", "2", "3", "4", &off), 0);
  EXPECT_STREQ(Last()->text, "3");
}

namespace {

class SheetTextFrame : public WidgetsTest {};

// The fill lies inside the frame's edge (1 pixel for style 1, 2 for style 3, none without a
// frame), the text box 3 pixels further in on the left and 1 on the right of a frame.
TEST_F(SheetTextFrame, FillAndTextBoxInsideEachFrameStyle) {
  const struct Case {
    int frame, font, inset, funny;
    std::vector<std::string> text_box;
  } cases[] = {{1, 4096, 1, 1, {"104", "201", "398", "219"}},
               {3, 4096, 2, 1, {"105", "202", "397", "218"}},
               {0, -1, 0, 0, {"100", "200", "400", "220"}}};
  const int fill = Nearest_RGB_Color(255, 255, 200), ink = Nearest_RGB_Color(0, 0, 0);
  for (const Case &c : cases) {
    SCOPED_TRACE(::testing::Message() << "frame " << c.frame);
    Host_Test_Reset();
    Pop_RFont(0x11001);
    Draw_Sheet_Text_Frame(100, 200, 400, 220, "Seite 1 von 3", 209, c.frame, c.font, ink, fill);
    EXPECT_EQ(Host_Current_Font(), 0x11001);  // given back, or kept for a font below 0
    Push_RFont();
    const int d = c.inset;
    EXPECT_EQ(Host_Call_Count("Draw_Funny_Area_to_PS"), c.funny);
    EXPECT_EQ(Host_Count_Pixels(100, 200, 400, 220, fill) + Host_Count_Pixels(100, 200, 400, 220, ink),
              Host_Count_Pixels(100 + d, 200 + d, 400 - d, 220 - d, fill) +
                  Host_Count_Pixels(100 + d, 200 + d, 400 - d, 220 - d, ink));
    EXPECT_EQ(Host_Pixel(100 + d, 200 + d), fill);
    EXPECT_EQ(Host_Pixel(400 - d, 220 - d), fill);
    EXPECT_GT(Host_Count_Pixels(102, 202, 398, 218, ink), 0);
    std::vector<std::string> args = Host_Call_Args("pxBTxt", 0);
    ASSERT_GE(args.size(), 7u);
    EXPECT_EQ(std::vector<std::string>(args.begin(), args.begin() + 4), c.text_box);
    EXPECT_EQ(args[6], "209");
  }
}

TEST_F(SheetTextFrame, NoTextNoFillOnlyFrameAndFlushAndTheStateIsGivenBack) {
  pxFgc(5);
  pxView(0, 0, 640, 480);
  int font = Host_Current_Font();
  std::vector<uint8_t> before = Host_Snapshot();
  Draw_Sheet_Text_Frame(100, 200, 400, 220, "Text", 209, 1, 0x11000, SHEET_TEXT_NONE, SHEET_TEXT_NONE);
  Draw_Sheet_Text_Frame(100, 200, 400, 220, nullptr, 209, 1, 4096, 0, SHEET_TEXT_NONE);
  EXPECT_EQ(Host_Call_Count("pxFlsh"), 2);
  EXPECT_EQ(Host_Call_Count("pxRect") + Host_Call_Count("pxBTxt"), 0);
  EXPECT_EQ(Host_Region_Diff(before, 102, 202, 398, 218), 0);
  int x1, y1, x2, y2;
  pxQVwp(&x1, &y1, &x2, &y2);
  EXPECT_EQ(std::vector<int>({pxQFgc(nullptr), x2, y2, Host_Current_Font()}),
            std::vector<int>({5, 640, 480, font}));
  // A long text stays inside the frame.
  int ink = Nearest_RGB_Color(0, 0, 200);
  Draw_Sheet_Text_Frame(100, 200, 160, 220, "ein langer Text weit hinaus", 209, 1, 4096, ink, 1);
  EXPECT_EQ(Host_Count_Pixels(160, 195, 400, 225, ink), 0);
}

TEST_F(WidgetsTest, StartUpHandsOverTheStdioTableAndSwitchesTheWheelOn) {
  M_SCROLL = 0;
  Script("W-2 w100");
  YRMMESSAGE record;
  InitYRMMessage(&record);
  record.limit_ms = 100;
  GetYRMMessage(YRM_WHEEL | YRM_LIMIT, &record);
  EXPECT_EQ(M_SCROLL, 0);  // without the switch the wheel does not count
  EXPECT_EQ(Host_Stdio_Table(), nullptr);
  Init_Host_IO_and_Mouse_Wheel();
  EXPECT_EQ(Host_Stdio_Table(), static_cast<const void *>(Get_YRM_Stdio_Table()));
  Script("W-2");
  GetYRMMessage(YRM_WHEEL, nullptr);
  EXPECT_EQ(M_SCROLL, -2);
}

}  // namespace
