// View areas (slots, creation, short keys, scroll offsets) and their items (what each add
// derives, content growth, setters, marks, release).
#include <cstring>
#include <functional>

#include "support/support.h"
#include "tests/widgets/widgets_fixture.h"

namespace {

// Widths in the host's raster fonts: n characters measure n × pitch − space.
int Normal_Width(int n) { return n * 7 - 1; }  // font 0x1000
int Cell_Width(int n) { return n * 8 - 3; }    // font 0

const VIEW_ITEM *Last_Item(int area) {
  const VIEW_ITEM *item = View_Area_Test_Items(area);
  while (item && item->next) item = item->next;
  return item;
}

int g_state = 0, g_active = 1, g_index = 7, g_target = 0;
double g_value = 12.5;
char g_buffer[16] = "Hallo";
const unsigned char kBits[2 * 12] = {0};
const VIEW_MASK_RECORD kMask = {13, 12, 2, kBits};
const VIEW_CHOICE_ENTRY kEntries[3] = {{1, "eins"}, {2, "zwei"}, {3, "drei"}};
void Draw_Nothing(int, int, int, int, void *) {}

// One row of the kind table: the add call, the fields it derives from its arguments (not
// those it merely stores) and the content size it must reach from empty.
struct KindCase {
  int kind;
  std::function<void(int)> add;
  std::function<void(const VIEW_ITEM *)> check;
  int content_width, content_height;
};

std::vector<KindCase> Kind_Cases() {
  auto none = [](const VIEW_ITEM *) {};
  return {
      {VIEW_TEXT, [](int a) { Add_Text_to_View_Area(a, 300, 40, "Wert", 0x1000, 5, 1); },
       [](const VIEW_ITEM *it) {
         EXPECT_EQ(it->x1, 300 - Normal_Width(4));  // right-aligned
         EXPECT_EQ(it->x2, VIEW_STYLE_PLAIN);
       },
       310, 50},
      {VIEW_LINE, [](int a) { Add_Line_to_View_Area(a, 0, 0, 500, 20, 4); }, none, 510, 30},
      {VIEW_BITMAP_FILE, [](int a) { Add_Bitmap_File_to_View_Area(a, "bild.bmp", 20, 30, 120, 80, 9); }, none, 130, 90},
      {VIEW_DRAW_CALLBACK, [](int a) { Add_Draw_Callback_to_View_Area(a, 5, 5, 50, 60, &g_state, &Draw_Nothing); }, none,
       60, 70},
      {VIEW_MASK, [](int a) { Add_Mask_to_View_Area(a, 100, 200, &kMask, 3); },
       [](const VIEW_ITEM *it) { EXPECT_EQ(std::vector<int>({it->x2, it->y2}), std::vector<int>({112, 211})); }, 122, 221},
      {VIEW_ROTATED_TEXT, [](int a) { Add_Rotated_Text_to_View_Area(a, 50, 60, "abc", 0x11000, 2, 270); },
       [](const VIEW_ITEM *it) {
         EXPECT_EQ(std::vector<int>({it->x2, it->font}), std::vector<int>({VIEW_STYLE_BOLD, 0x1000}));
       },
       60, 60 + Normal_Width(3) + 10},
      {VIEW_CHECK_BOX,
       [](int a) { Add_Check_Box_to_View_Area(a, 100, 40, "Option", 0x11000, 2, &g_state, &g_active); },
       [](const VIEW_ITEM *it) { EXPECT_EQ(it->x2, VIEW_STYLE_BOLD); }, 100 + Normal_Width(6) + 10, 50},
      {VIEW_RADIO_BUTTON,
       [](int a) { Add_Radio_Button_to_View_Area(a, 100, 40, nullptr, 0x1000, 2, 3, &g_state, &g_active); }, none, 110,
       50},
      {VIEW_LIST_ROW, [](int a) { Add_List_Row_to_View_Area(a, 200, 30, "Zeile", 0x1000, 2, 1, 7, 42, &g_target); },
       [](const VIEW_ITEM *it) {
         EXPECT_EQ(it->x1, 200 - Normal_Width(5));
         EXPECT_EQ(View_Item_Click_Value(it), 42);
       },
       210, 40},
      {VIEW_NUMBER_FIELD,
       [](int a) { Add_Float_Field_to_View_Area(a, 20, 30, &g_value, "%8.3f", 0x11000, 2, &g_active); },
       [](const VIEW_ITEM *it) {
         EXPECT_EQ(it->font, 0);  // bold bit and 0x1000 removed
         EXPECT_EQ(it->x2, VIEW_STYLE_BOLD);
         EXPECT_EQ(it->option, 8);  // "   0.000"
       },
       20 + Cell_Width(8) + 10, 40},
      {VIEW_BOX, [](int a) { Add_Box_to_View_Area(a, 0, 0, 500, 20, 6); }, none, 500, 20},
      {VIEW_CLICK_SPOT, [](int a) { Add_Click_Spot_to_View_Area(a, 10, 100, 200, 300, 9, &g_target); },
       [](const VIEW_ITEM *it) { EXPECT_EQ(View_Item_Click_Value(it), 9); }, 210, 110},
      {VIEW_MARK, [](int a) { Add_Mark_to_View_Area(a, 77); }, none, 0, 0},
      {VIEW_TREE_IMAGE, [](int a) { Add_Tree_Image_to_View_Area(a, nullptr, 10, 10, 30, 40, 5); }, none, 40, 50},
      {VIEW_TEXT_FIELD, [](int a) { Add_Text_Field_to_View_Area(a, 20, 30, g_buffer, 0x1000, 2, &g_active); },
       [](const VIEW_ITEM *it) {
         EXPECT_EQ(it->text, g_buffer);  // the caller's buffer, not a copy
         EXPECT_EQ(std::vector<int>({it->option, it->y2, it->font}), std::vector<int>({5, 5, 0}));
       },
       20 + Cell_Width(5) + 10, 40},
      {VIEW_CHOICE_LIST,
       [](int a) { Add_Choice_List_to_View_Area(a, 20, 30, kEntries, 0x11000, 10, 3, &g_index, &g_active); },
       [](const VIEW_ITEM *it) {
         EXPECT_EQ(it->option, 80);  // 10 cells of font 0
         EXPECT_EQ(it->x2, VIEW_STYLE_BOLD);
       },
       110, 40},
      {VIEW_PICTURE_CHOICE,
       [](int a) { Add_Picture_Choice_to_View_Area(a, 20, 30, "bilder.bmp", 40, 30, 4, 123, &g_index, &g_active); }, none,
       20 + 40 + 31, 30 + 30 + 16},
      {VIEW_BITMAP_BUTTON,
       [](int a) {
         Add_Bitmap_Button_to_View_Area(a, 30, 50, 42, 37, "knopf.bmp", 40, 8, 18, "Hilfe\nText", 6, &g_target,
                                        &g_active);
       },
       [](const VIEW_ITEM *it) { EXPECT_EQ(std::vector<int>({it->x2, it->y2}), std::vector<int>({72, 87})); }, 72, 87},
  };
}

class ViewItems : public WidgetsTest {};

TEST_F(ViewItems, EveryKindStoresItsFieldsAndGrowsTheContent) {
  for (const KindCase &c : Kind_Cases()) {
    SCOPED_TRACE("kind " + std::to_string(c.kind));
    g_index = 7;
    int a = Create_Scrollable_View_Area(0, 0, 800, 600, 0, 0);
    ASSERT_GE(a, 0);
    c.add(a);
    ASSERT_EQ(View_Area_Item_Count(a), 1);
    const VIEW_ITEM *it = Last_Item(a);
    EXPECT_EQ(it->kind, c.kind);
    EXPECT_EQ(it->next, nullptr);
    c.check(it);
    const SCROLLABLE_VIEW_AREA *rec = Get_Scrollable_View_Area(a);
    EXPECT_EQ(rec->content_width, c.content_width);
    EXPECT_EQ(rec->content_height, c.content_height);
    // Growth never shrinks: the same item again leaves the content as it is.
    c.add(a);
    EXPECT_EQ(rec->content_width, c.content_width);
    EXPECT_EQ(rec->content_height, c.content_height);
    Remove_Scrollable_View_Area(a);
  }
}

// Invalid handles, free slots and empty areas take nothing, allocate nothing, call no host.
TEST_F(ViewItems, InvalidOrFreeAreasAndEmptyAreasChangeNothing) {
  int a = Create_Scrollable_View_Area(0, 0, 800, 600, 0, 0);
  long live = Tools_Live_Blocks();
  for (const KindCase &c : Kind_Cases())
    for (int area : {-1, 20, 5}) c.add(area);  // 5 is a free slot
  Pin_Last_View_Bitmap(a);
  Set_Click_Spot_Tooltip(a, "x", 0, 0, 0);
  Set_View_Field_Inactive_Text(a, "x");
  Set_View_Item_Change_Callback(a, +[](int) {});
  EXPECT_EQ(Tools_Live_Blocks(), live);
  EXPECT_EQ(View_Area_Test_Items(5), nullptr);
  EXPECT_EQ(View_Area_Test_Items(a), nullptr);
  for (int b : {20, -1, 5}) EXPECT_EQ(Get_View_Area_Background(b), -1) << b;
  EXPECT_EQ(Get_Scrollable_View_Area(5), nullptr);
  Host_Clear_Calls();
  Set_View_Area_Frame(5, 0);
  Update_View_Area_Scrolling(5);
  Set_View_Area_Activity(25, 0);
  Remove_Scrollable_View_Area(5);
  Reshape_View_Area(-3, 0, 0, 1, 1);
  Place_Reserved_View_Area(5, 0, 0, 10, 10, 0, 0);
  EXPECT_TRUE(Host_Calls().empty());
}

TEST_F(ViewItems, TextStyleFollowsTheLastStyleBit) {
  int a = Create_Scrollable_View_Area(0, 0, 800, 600, 0, 0);
  struct {
    int font, style;
  } cases[] = {{0x1000, 0}, {0x11000, 1}, {0x50000, 3}, {0x30000, 2}, {0x70000, 2}, {0x41000, 3}};
  for (auto c : cases) {
    Add_Text_to_View_Area(a, 10, 20, "x", c.font, 1, 0);
    EXPECT_EQ(std::vector<int>({Last_Item(a)->x2, Last_Item(a)->font & 0x70000}), std::vector<int>({c.style, 0})) << c.font;
  }
}

TEST_F(ViewItems, RotatedTextGrowsAlongItsDirection) {
  int a = Create_Scrollable_View_Area(0, 0, 800, 600, 0, 0);
  struct {
    int angle, code, w, h;
  } cases[] = {{90, 256, 60, 70}, {180, 512, 60, 70}, {270, 1024, 60, 60 + Normal_Width(3) + 10},
               {0, 0, 50 + Normal_Width(3) + 10, 70}, {45, 0, 50 + Normal_Width(3) + 10, 70}};
  for (auto c : cases) {
    Free_View_Area_Items(a);
    Add_Rotated_Text_to_View_Area(a, 50, 60, "abc", 0x1000, 1, c.angle);
    const SCROLLABLE_VIEW_AREA *rec = Get_Scrollable_View_Area(a);
    EXPECT_EQ(std::vector<int>({Last_Item(a)->y2, rec->content_width, rec->content_height}), std::vector<int>({c.code, c.w, c.h}))
        << c.angle;
  }
}

// An index outside the entries (beyond, equal to the count, below 0) becomes 0.
TEST_F(ViewItems, ChoiceIndexOutsideTheEntriesBecomesZero) {
  int a = Create_Scrollable_View_Area(0, 0, 800, 600, 0, 0);
  const struct Case {
    int index, count, picture, after;
  } cases[] = {{7, 3, 0, 0}, {3, 3, 0, 0}, {3, 3, 1, 0}, {-1, 3, 1, 0}, {2, 3, 0, 2}, {2, 3, 1, 2}, {0, 0, 0, 0}};
  for (const Case &c : cases) {
    int index = c.index;
    if (c.picture)
      Add_Picture_Choice_to_View_Area(a, 20, 30, "p.bmp", 40, 30, c.count, 0, &index, nullptr);
    else
      Add_Choice_List_to_View_Area(a, 20, 30, kEntries, 0x1000, 10, c.count, &index, nullptr);
    EXPECT_EQ(index, c.after) << c.index << " of " << c.count << (c.picture ? " pictures" : " entries");
  }
}

TEST_F(ViewItems, SettersCompleteOnlyTheirKinds) {
  int a = Create_Scrollable_View_Area(0, 0, 800, 600, 0, 0);
  auto on_int = +[](int) {};
  auto on_double = +[](double *) {};

  // The change function is taken by kinds 7, 8, 16, 17 (int) and 10 (double) only.
  Add_Text_to_View_Area(a, 10, 10, "t", 0x1000, 1, 0);
  Set_View_Item_Change_Callback(a, on_int);
  Add_List_Row_to_View_Area(a, 10, 10, "r", 0x1000, 1, 0, 2, 1, &g_target);
  Set_View_Item_Change_Callback(a, on_int);
  EXPECT_EQ(View_Area_Test_Items(a)->change_fn.on_int, nullptr);
  EXPECT_EQ(Last_Item(a)->change_fn.on_int, nullptr);
  Add_Check_Box_to_View_Area(a, 10, 10, "c", 0x1000, 1, &g_state, nullptr);
  Set_View_Item_Change_Callback(a, on_double);  // the wrong form for a check box
  EXPECT_EQ(Last_Item(a)->change_fn.on_double, nullptr);
  Set_View_Item_Change_Callback(a, on_int);
  EXPECT_EQ(Last_Item(a)->change_fn.on_int, on_int);
  Add_Float_Field_to_View_Area(a, 10, 10, &g_value, "%g", 0x1000, 1, nullptr);
  Set_View_Item_Change_Callback(a, on_double);
  EXPECT_EQ(Last_Item(a)->change_fn.on_double, on_double);

  // Inactive text of fields; a second one replaces the first.
  Set_View_Field_Inactive_Text(a, "gesperrt");
  Set_View_Field_Inactive_Text(a, "aus");
  EXPECT_STREQ(Last_Item(a)->text2, "aus");

  // Text field width never exceeds the capacity.
  Add_Text_Field_to_View_Area(a, 10, 10, g_buffer, 0x1000, 1, nullptr);
  Set_View_Text_Field_Width(a, 3);
  EXPECT_EQ(Last_Item(a)->y2, 3);
  Set_View_Text_Field_Width(a, 30);
  EXPECT_EQ(Last_Item(a)->y2, 5);

  // Click spot: cursor, tooltip with style.
  Add_Click_Spot_to_View_Area(a, 0, 0, 10, 10, 1, &g_target);
  Set_Click_Spot_Option(a, 18);
  Set_Click_Spot_Tooltip(a, "erst", 0x1000, 4, 0);
  Set_Click_Spot_Tooltip(a, "Hinweis", 0x11000, 5, 1);
  const VIEW_ITEM *spot = Last_Item(a);
  EXPECT_STREQ(spot->text, "Hinweis");  // the second replaces the first
  EXPECT_EQ(std::vector<int>({spot->aux, spot->font}), std::vector<int>({17, 0x1000}));

  // A bitmap is pinned only when it is the last item.
  Add_Bitmap_File_to_View_Area(a, "b.bmp", 0, 0, 10, 10, 1);
  Add_Box_to_View_Area(a, 0, 0, 1, 1, 1);
  Pin_Last_View_Bitmap(a);
  EXPECT_EQ(View_Area_Item_Count(a), 8);
  const VIEW_ITEM *bitmap = View_Area_Test_Items(a);
  while (bitmap->kind != VIEW_BITMAP_FILE) bitmap = bitmap->next;
  EXPECT_EQ(bitmap->option, 0);
  Add_Bitmap_File_to_View_Area(a, "b.bmp", 0, 0, 10, 10, 1);
  Pin_Last_View_Bitmap(a);
  EXPECT_EQ(Last_Item(a)->option, 1);
}

TEST_F(ViewItems, MarksCutTheListFromTheirPosition) {
  int a = Create_Scrollable_View_Area(0, 0, 800, 600, 0, 0);
  Add_Text_to_View_Area(a, 10, 10, "a", 0x1000, 1, 0);
  Add_Mark_to_View_Area(a, 5);
  Add_Text_to_View_Area(a, 10, 900, "b", 0x1000, 1, 0);
  Add_Mark_to_View_Area(a, 6);
  Add_Text_to_View_Area(a, 10, 20, "c", 0x1000, 1, 0);
  const SCROLLABLE_VIEW_AREA *rec = Get_Scrollable_View_Area(a);
  int height = rec->content_height;

  Delete_View_Items_from_Mark(a, 99);  // unknown id: untouched
  EXPECT_EQ(View_Area_Item_Count(a), 5);

  Delete_View_Items_from_Mark(a, 6);
  EXPECT_EQ(std::vector<int>({View_Area_Item_Count(a), rec->last_item->kind}), std::vector<int>({3, VIEW_TEXT}));
  EXPECT_STREQ(rec->last_item->text, "b");
  EXPECT_EQ(rec->last_item->next, nullptr);
  EXPECT_EQ(rec->content_height, height);  // the content size stays

  // New items go after the new last item.
  Add_Text_to_View_Area(a, 10, 20, "d", 0x1000, 1, 0);
  EXPECT_STREQ(Last_Item(a)->text, "d");
  EXPECT_EQ(View_Area_Item_Count(a), 4);
  // A mark that is the first item empties the list.
  Free_View_Area_Items(a);
  long live = Tools_Live_Blocks();
  Add_Mark_to_View_Area(a, 1);
  Add_Text_to_View_Area(a, 10, 10, "a", 0x1000, 1, 0);
  Add_Mark_to_View_Area(a, 1);  // a second mark with the same id: the first one counts
  Delete_View_Items_from_Mark(a, 1);
  EXPECT_EQ(rec->first_item, nullptr);
  EXPECT_EQ(rec->last_item, nullptr);
  EXPECT_EQ(Tools_Live_Blocks(), live);
  Add_Text_to_View_Area(a, 10, 10, "neu", 0x1000, 1, 0);
  EXPECT_EQ(View_Area_Item_Count(a), 1);
}

// A text box owns its editor state and the state's line table, not the caller's text.
TEST_F(ViewItems, TextBoxReleaseFreesItsStateAndLineTable) {
  int a = Create_Scrollable_View_Area(0, 0, 800, 600, 0, 0);
  long live = Tools_Live_Blocks();
  static char text[] = "Bemerkung\n";
  VIEW_ITEM *item = Append_View_Item(Get_Scrollable_View_Area(a));
  item->kind = VIEW_TEXT_BOX;
  item->text = text;
  auto *state = static_cast<TEXT_BOX_STATE *>(Tools_Alloc(nullptr, sizeof(TEXT_BOX_STATE), 1));
  state->line_capacity = 50;
  state->lines = static_cast<int *>(Tools_Alloc(nullptr, 50 * sizeof(int), 1));
  item->image_off = state;
  Add_Mark_to_View_Area(a, 1);
  Delete_View_Items_from_Mark(a, 1);
  EXPECT_EQ(Tools_Live_Blocks(), live + 3);
  Free_View_Area_Items(a);
  EXPECT_EQ(Tools_Live_Blocks(), live);
  EXPECT_STREQ(text, "Bemerkung\n");
}

TEST_F(ViewItems, TextsAreCopiedButFieldBuffersAreNot) {
  int a = Create_Scrollable_View_Area(0, 0, 800, 600, 0, 0);
  char text[] = "vorher";
  char field[] = "Feld";
  Add_Text_to_View_Area(a, 10, 10, text, 0x1000, 1, 0);
  Add_Text_Field_to_View_Area(a, 10, 30, field, 0x1000, 1, nullptr);
  std::strcpy(text, "danach");
  field[0] = 'W';
  EXPECT_STREQ(View_Area_Test_Items(a)->text, "vorher");
  EXPECT_STREQ(Last_Item(a)->text, "Weld");
}

// Every kind allocated, its texts and inactive texts included, is given back: the live-block
// count returns to its start after the release and stays flat over many rebuilds.
TEST_F(ViewItems, ReleaseGivesBackEveryBlock) {
  long start = Tools_Live_Blocks();
  int a = Create_Scrollable_View_Area(0, 0, 800, 600, 0, 1);
  int b = Create_Scrollable_View_Area(0, 0, 400, 300, 1, 0);
  auto page = [&](int area) {
    for (const KindCase &c : Kind_Cases()) c.add(area);
    Add_Float_Field_to_View_Area(area, 10, 10, &g_value, "%g", 0x1000, 1, nullptr);
    Set_View_Field_Inactive_Text(area, "aus");
    Add_Text_Field_to_View_Area(area, 10, 10, g_buffer, 0x1000, 1, nullptr);
    Set_View_Field_Inactive_Text(area, "aus");
    Add_Click_Spot_to_View_Area(area, 0, 0, 10, 10, 1, &g_target);
    Set_Click_Spot_Tooltip(area, "tip", 0x1000, 1, 0);
    Set_Click_Spot_Tooltip(area, "tip 2", 0x1000, 1, 0);
  };
  page(a);
  Clear_View_Area_Items(a);
  long after_first = Tools_Live_Blocks();
  for (int i = 0; i < 100; ++i) {
    page(a);
    Clear_View_Area_Items(a);
  }
  EXPECT_EQ(Tools_Live_Blocks(), after_first);
  page(a);
  page(b);
  Remove_All_View_Areas();
  EXPECT_EQ(Tools_Live_Blocks(), start);
}

}  // namespace

namespace {

class ViewAreas : public WidgetsTest {};

std::vector<int> Rect(const SCROLLABLE_VIEW_AREA *a) { return {a->x1, a->y1, a->x2, a->y2}; }

TEST_F(ViewAreas, TwentySlotsThenAMessageAndLowestFreeSlotFirst) {
  for (int i = 0; i < VIEW_AREA_COUNT; ++i) ASSERT_EQ(Create_Scrollable_View_Area(0, 0, 100, 100, 0, 0), i);
  testing::internal::CaptureStdout();
  EXPECT_EQ(Create_Scrollable_View_Area(0, 0, 100, 100, 0, 0), -1);
  EXPECT_EQ(Reserve_Scrollable_View_Area(), -1);
  EXPECT_EQ(testing::internal::GetCapturedStdout(),
            "maximale Anzahl Scrollable_View_Areas erreicht\n"
            "maximale Anzahl Scrollable_View_Areas erreicht\n");
  Remove_Scrollable_View_Area(3);
  Remove_Scrollable_View_Area(7);
  EXPECT_EQ(Create_Scrollable_View_Area(0, 0, 100, 100, 0, 0), 3);
  EXPECT_EQ(Create_Scrollable_View_Area(0, 0, 100, 100, 0, 0), 7);
}

TEST_F(ViewAreas, SliderStripsComeOffTheRectangleHandedToTheHost) {
  const SCROLLABLE_VIEW_AREA *rec = Get_Scrollable_View_Area(Create_Scrollable_View_Area(10, 50, 600, 400, 1, 1));
  EXPECT_EQ(Rect(rec), (std::vector<int>{10, 50, 583, 383}));
  EXPECT_NE(rec->vslider * rec->hslider, 0);
  HOST_AREA host = Host_Area(rec->handle);
  EXPECT_EQ(std::vector<int>({host.x1, host.y1, host.x2, host.y2}), (std::vector<int>{10, 50, 583, 383}));
  rec = Get_Scrollable_View_Area(Create_Scrollable_View_Area(10, 50, 600, 400, 0, 1));
  EXPECT_EQ(Rect(rec), (std::vector<int>{10, 50, 583, 400}));
  EXPECT_EQ(rec->hslider, 0);
}

// A slider is greyed while the content fits in the visible size of its direction.
TEST_F(ViewAreas, SlidersGreyedWhileTheContentFits) {
  const struct Case {
    int hslider, vslider, box_w, box_h, state;
  } cases[] = {{0, 1, 100, 300, -1}, {0, 1, 100, 301, 1}, {1, 0, 400, 10, -1}, {1, 0, 401, 10, 1}};
  for (const Case &c : cases) {
    int a = Create_Scrollable_View_Area(0, 0, 400, 300, c.hslider, c.vslider);  // visible 400 × 300
    const SCROLLABLE_VIEW_AREA *rec = Get_Scrollable_View_Area(a);
    Add_Box_to_View_Area(a, 0, 0, c.box_w, c.box_h, 1);
    Update_View_Area_Scrolling(a);
    EXPECT_EQ(Host_Item_State(c.vslider ? rec->vslider : rec->hslider), c.state) << c.box_w << " x " << c.box_h;
    Remove_Scrollable_View_Area(a);
  }
}

TEST_F(ViewAreas, UnchangedActivityMakesNoHostCall) {
  int a = Create_Scrollable_View_Area(0, 0, 400, 300, 1, 1);
  const SCROLLABLE_VIEW_AREA *rec = Get_Scrollable_View_Area(a);
  Host_Clear_Calls();
  Set_View_Area_Activity(a, 1);
  EXPECT_TRUE(Host_Calls().empty());
  Set_View_Area_Activity(a, 0);
  EXPECT_EQ(Host_Call_Count("Change_Activity_PS"), 3);  // both sliders and the area
  EXPECT_EQ(std::vector<int>({rec->active, Host_Item_State(rec->handle)}), std::vector<int>({0, 0}));
  Host_Clear_Calls();
  Set_View_Area_Activity(a, 0);
  EXPECT_TRUE(Host_Calls().empty());
}

// The settings are read once, on the first creation (a reservation does not read them); a
// host reset forgets them with the whole table and what it held.
TEST_F(ViewAreas, ShortKeySettingsAreReadOnceOnTheFirstCreation) {
  Create_Scrollable_View_Area(0, 0, 100, 100, 0, 0);
  EXPECT_EQ(View_Area_Any_Short_Key(), 0);
  Host_Reset();
  long live = Tools_Live_Blocks();
  Host_Set_User_String("UseSheetOkShortKey", "1");
  Host_Set_User_String("UseSheetBreakShortKey", "abc");
  Host_Set_User_String("UseSheetHelpShortKey", " 7 ");
  Reserve_Scrollable_View_Area();
  EXPECT_EQ(View_Area_Short_Keys()->UseSheetOkShortKey, 0);
  int a = Create_Scrollable_View_Area(0, 0, 100, 100, 0, 0);
  const VIEW_AREA_SHORT_KEYS *k = View_Area_Short_Keys();
  EXPECT_EQ(std::vector<int>({k->UseSheetOkShortKey, k->UseSheetBreakShortKey, k->UseSheetHelpShortKey, k->UseSheetJumpShortKey}),
            std::vector<int>({1, 0, 7, 0}));
  EXPECT_EQ(View_Area_Any_Short_Key(), 1);
  Host_Set_User_String("UseSheetOkShortKey", "0");
  Create_Scrollable_View_Area(0, 0, 100, 100, 0, 0);
  EXPECT_EQ(View_Area_Short_Keys()->UseSheetOkShortKey, 1);
  Add_Text_to_View_Area(a, 10, 10, "Text", 0x1000, 1, 0);
  Host_Reset();
  EXPECT_EQ(Tools_Live_Blocks(), live);
  EXPECT_EQ(Get_Scrollable_View_Area(a), nullptr);
  EXPECT_EQ(View_Area_Short_Keys()->UseSheetOkShortKey, 0);
}

// A page is rebuilt: clear (keeps the host's offset), add, update (hands it back); an inactive
// area keeps its stored offset (not the host's) when cleared.
TEST_F(ViewAreas, ScrollOffsetSurvivesARebuildAndIsClampedWhenTheContentShrinks) {
  int a = Create_Scrollable_View_Area(0, 0, 400, 300, 0, 1);  // visible 383 × 300
  const SCROLLABLE_VIEW_AREA *rec = Get_Scrollable_View_Area(a);
  auto page = [&](int height) {
    Clear_View_Area_Items(a);
    Add_Box_to_View_Area(a, 0, 0, 300, height, 1);
    Update_View_Area_Scrolling(a);
  };
  page(1000);
  Set_Scrollable_Area_PS(rec->handle, 0, 500);  // the user scrolls
  int sx = -1, sy = -1;
  for (int height : {1000, 600}) {
    page(height);
    Inquire_Scrollable_Area_PS(rec->handle, &sx, &sy);
    EXPECT_EQ(std::vector<int>({sy, rec->scroll_y}), std::vector<int>({height == 1000 ? 500 : 300, sy}));
  }
  HOST_AREA host = Host_Area(rec->handle);
  EXPECT_EQ(std::vector<int>({host.content_w, host.content_h}), std::vector<int>({300, 600}));
  Set_View_Area_Activity(a, 0);
  Set_Scrollable_Area_PS(rec->handle, 0, 200);
  Clear_View_Area_Items(a);
  EXPECT_EQ(std::vector<int>({rec->scroll_y, rec->content_height}), std::vector<int>({300, 0}));
}

// A reserved slot starts from the defaults, makes no host calls and keeps what it is given
// before it is placed; placing again does nothing.
TEST_F(ViewAreas, ReservedSlots) {
  int flag = 0, target = 0;
  int a = Create_Scrollable_View_Area(0, 0, 400, 300, 0, 0);
  Set_View_Area_Key_Events(a, 1);
  Set_View_Area_Right_Button_Events(a, 1);
  Set_View_Area_Wait_Timeout(a, &flag);
  Set_View_Area_Ok_Key_Target(a, 4, &target);
  Set_View_Area_Frame(a, 0);
  Set_View_Area_Background(a, 9);
  Remove_Scrollable_View_Area(a);
  int r = Reserve_Scrollable_View_Area();
  ASSERT_EQ(r, a);
  const SCROLLABLE_VIEW_AREA *rec = Get_Scrollable_View_Area(r);
  EXPECT_EQ(std::vector<int>({rec->handle, rec->active, rec->key_events, rec->frame}),
            std::vector<int>({VIEW_AREA_RESERVED, 0, 0, 1}));
  EXPECT_EQ(rec->wait_flag, nullptr);
  EXPECT_EQ(rec->ok_target, nullptr);
  EXPECT_NE(rec->background, 9);
  long live = Tools_Live_Blocks();
  Host_Clear_Calls();
  Add_Box_to_View_Area(r, 0, 0, 10, 10, 1);
  Update_View_Area_Scrolling(r);
  Set_View_Area_Frame(r, 1);
  Set_View_Area_Activity(r, 0);
  Reshape_View_Area(r, 0, 0, 100, 100);
  Clear_View_Area_Items(r);
  EXPECT_TRUE(Host_Calls().empty());
  Add_Text_to_View_Area(r, 10, 20, "vorab", 0x1000, 1, 0);
  Set_View_Area_Background(r, 9);
  Place_Reserved_View_Area(r, 20, 30, 420, 330, 1, 1);
  EXPECT_EQ(View_Area_Item_Count(r), 1);
  EXPECT_EQ(std::vector<int>({rec->background, rec->active, rec->right_button_events, rec->hover_rect_on}),
            std::vector<int>({9, 1, 0, 0}));
  EXPECT_EQ(Rect(rec), (std::vector<int>{20, 30, 403, 313}));
  EXPECT_GE(rec->handle, 0);
  int handle = rec->handle;
  Place_Reserved_View_Area(r, 0, 0, 10, 10, 0, 0);
  EXPECT_EQ(std::vector<int>({rec->handle, rec->x1}), std::vector<int>({handle, 20}));
  Remove_Scrollable_View_Area(r);
  EXPECT_EQ(Tools_Live_Blocks(), live);
}

// The frame flag decides whether a pass draws the host's sunken frame.
TEST_F(ViewAreas, FrameFlagIsPassedToTheDrawing) {
  int a = Create_Scrollable_View_Area(0, 0, 400, 300, 0, 0);
  for (int frame : {0, 1}) {
    Set_View_Area_Frame(a, frame);
    Host_Clear_Calls();
    Update_View_Area_Scrolling(a);
    EXPECT_EQ(Host_Call_Count("draw callback"), 1);
    EXPECT_EQ(Host_Call_Count("Draw_Funny_Area_to_PS"), frame);
  }
}

// Reshaping and content points in sheet coordinates of a displaced sheet, at a scroll offset.
TEST_F(ViewAreas, ReshapeAndContentPointToScreenPoint) {
  Host_Test_Set_Sheet_Displacement(30, 20);
  int a = Create_Scrollable_View_Area(0, 0, 400, 300, 0, 0);
  Reshape_View_Area(a, 130, 120, 530, 420);
  EXPECT_EQ(Rect(Get_Scrollable_View_Area(a)), (std::vector<int>{100, 100, 500, 400}));
  EXPECT_EQ(Host_Call_Count("Reshape_Scrollable_Area_PS"), 1);
  a = Create_Scrollable_View_Area(10, 40, 910, 700, 1, 1);
  Add_Box_to_View_Area(a, 0, 0, 2000, 2000, 1);
  Update_View_Area_Scrolling(a);
  Set_Scrollable_Area_PS(Get_Scrollable_View_Area(a)->handle, 50, 100);
  int x = 0, y = 0;
  ASSERT_EQ(View_Area_Content_to_Screen(a, 100, 140, &x, &y), 1);
  EXPECT_EQ(std::vector<int>({x, y, View_Area_Content_to_Screen(a + 1, 0, 0, &x, &y)}),
            std::vector<int>({10 + 30 + 100 - 50, 40 + 20 + 140 - 100, 0}));
}

// The host may call the callback of a removed slot until its sheet goes: nothing is drawn.
TEST_F(ViewAreas, CallbackOfARemovedSlotDrawsNothing) {
  int a = Create_Scrollable_View_Area(10, 40, 410, 340, 0, 0);
  SCROLLABLE_VIEW_AREA *rec = Get_Scrollable_View_Area(a);
  Add_Box_to_View_Area(a, 0, 0, 100, 100, 1);
  Remove_Scrollable_View_Area(a);
  EXPECT_EQ(rec->handle, VIEW_AREA_FREE);
  Host_Clear_Calls();
  View_Area_Draw_Callback(0, 0, 0, 10, 40, 410, 340, rec);
  rec->active = 1;
  View_Area_Draw_Callback(0, 0, 0, 10, 40, 410, 340, rec);
  EXPECT_TRUE(Host_Calls().empty());
}

TEST_F(ViewAreas, RemoveAllFreesEverySlotAndItsItems) {
  long live = Tools_Live_Blocks();
  for (int i = 0; i < 5; ++i) Add_Text_to_View_Area(Create_Scrollable_View_Area(0, 0, 100, 100, 0, 0), 10, 10, "Text", 0x1000, 1, 0);
  Reserve_Scrollable_View_Area();
  Remove_All_View_Areas();
  for (int i = 0; i < VIEW_AREA_COUNT; ++i) EXPECT_EQ(Get_Scrollable_View_Area(i), nullptr);
  EXPECT_EQ(Tools_Live_Blocks(), live);
  EXPECT_EQ(Create_Scrollable_View_Area(0, 0, 100, 100, 0, 0), 0);
}

}  // namespace
