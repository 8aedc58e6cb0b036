// Input tables: layout of rows and controls, scripted clicks on the controls, the arrow
// keys that walk a column, the row walk and the release; column sort and the fill dialog.

#include <cmath>
#include <sstream>
#include <cstring>

#include "host/host_screen.h"
#include "support/support.h"
#include "tests/widgets/widgets_fixture.h"
#include "widgets/widget_layer.h"
#include "widgets/widget_layer_internal.h"

namespace {

// A fire-load combination as the table stores it: 112 bytes.
struct FireRow {
  double value;
  double second;
  int tag;
  char rest[92];
};
static_assert(sizeof(FireRow) == 112);

int g_on = 1;

// Adds a number field on the row's value (content x1 + 40, baseline y + 14).
void Row_Fields(int, int area, int x1, int y, void *record) {
  Add_Float_Field_to_View_Area(area, x1 + 40, y + 14, &static_cast<FireRow *>(record)->value, "%8.2f", 0x1000,
                               BLACK_CI, &g_on);
}

FireRow Row(double value, int tag) {
  FireRow r{};
  r.value = value;
  r.tag = tag;
  return r;
}

class InputTable : public WidgetsTest {
 protected:
  // The fire-load page's table on an area at the sheet's top left.
  int Fire_Table(int rows, int visible_height = 600) {
    area = Create_Scrollable_View_Area(0, 0, 1000, visible_height, 0, 1);
    int t = Create_Input_Table(area, 100, 5, 920, 22, 112, &Row_Fields);
    FireRow edit = Row(-1, 99);
    Set_Input_Table_Edit_Row(t, &edit);
    Set_Input_Table_Button_Position(t, 4, -3, 10);
    Set_Input_Table_Button_Position(t, 1, 0, -2);
    Set_Input_Table_Button_Position(t, 2, 19, -2);
    Set_Input_Table_Button_Position(t, 3, 3, -2);
    for (int i = 1; i <= rows; ++i) {
      FireRow r = Row(i, i);
      Append_Input_Table_Row(t, &r);
    }
    Set_Input_Table_Max_Rows(t, 10000);
    return t;
  }
  // A table of 30 rows in an area 200 pixels high, not yet laid out.
  int Long_Table() {
    area = Create_Scrollable_View_Area(0, 0, 600, 200, 0, 1);
    int t = Create_Input_Table(area, 10, 5, 500, 22, 112, &Row_Fields);
    for (int i = 1; i <= 30; ++i) {
      FireRow r = Row(i, i);
      Append_Input_Table_Row(t, &r);
    }
    return t;
  }
  void Build(int t) {
    Clear_View_Area_Items(area);
    Layout_Input_Table(t);
    Update_View_Area_Scrolling(area);
  }
  std::vector<int> Tags(int t) {
    std::vector<int> tags;
    for (void *r = First_Input_Table_Row(t); r; r = Next_Input_Table_Row(t)) tags.push_back(static_cast<FireRow *>(r)->tag);
    return tags;
  }
  const VIEW_ITEM *Find(int kind, int x1, int y1) {
    for (const VIEW_ITEM *item = View_Area_Test_Items(area); item; item = item->next)
      if (item->kind == kind && item->x1 == x1 && item->y1 == y1) return item;
    return nullptr;
  }
  std::vector<std::string> Numbers() {
    std::vector<std::string> numbers;
    for (const VIEW_ITEM *item = View_Area_Test_Items(area); item; item = item->next)
      if (item->kind == VIEW_TEXT) numbers.push_back(item->text);
    return numbers;
  }
  int Click(int t, int x, int y) {
    Host_Script_Click(x, y);
    return Handle_Input_Table_Event(t);
  }
  int area = -1;
};

}  // namespace

// The fire-load table with its icons, append row and column button; at the row limit the
// greyed duplicate icon and no append row.
TEST_F(InputTable, GoldenTablesBelowAndAtTheLimit) {
  for (int limit : {10000, 3}) {
    int t = Fire_Table(3);
    Set_Input_Table_Max_Rows(t, limit);
    Add_Input_Table_Column(t, 600, 80, 0, 3, "%6.1f", 0);
    Build(t);
    EXPECT_GOLDEN(limit == 3 ? "input_table_full.png" : "input_table.png", 0, 60, 700, 200);
    EXPECT_EQ(Find(VIEW_CLICK_SPOT, 5 + 19, 98) != nullptr, limit > 3);
    EXPECT_EQ(Find(VIEW_TREE_IMAGE, 5 + 19, 98)->image_off, Input_Table_Icon(limit > 3 ? 1 : 2));
    Remove_Scrollable_View_Area(area);
  }
  Build(Fire_Table(3));
  const VIEW_ITEM *spot = Find(VIEW_CLICK_SPOT, 5, 120);
  ASSERT_NE(spot, nullptr);
  EXPECT_EQ(std::vector<int>({spot->x2, spot->y2, View_Item_Click_Value(spot), spot->option}),
            std::vector<int>({19, 136, 2, 18}));
  EXPECT_STREQ(spot->text, "Zeile löschen"_cp);
  EXPECT_EQ(std::vector<const void *>({Input_Table_Icon(-1), Input_Table_Icon(5)}), std::vector<const void *>(2, nullptr));
  EXPECT_EQ(Numbers(), (std::vector<std::string>{"1:", "2:", "3:"}));
}

// Clicks on the controls of a three-row table: delete (rows renumbered), duplicate (the copy
// after its row, also after the last), append (a copy of the template as it is at the click).
TEST_F(InputTable, ControlClicksChangeTheRows) {
  const struct Case {
    int x, y;
    std::vector<int> tags;
  } cases[] = {{10, 128, {1, 3}}, {29, 128, {1, 2, 2, 3}}, {29, 150, {1, 2, 3, 3}}, {18, 172, {1, 2, 3, 77}}};
  for (const Case &c : cases) {
    int t = Fire_Table(3);
    Build(t);
    FireRow edit = Row(-5, 77);
    Set_Input_Table_Edit_Row(t, &edit);
    EXPECT_EQ(Click(t, c.x, c.y), 2) << c.x << "," << c.y;
    EXPECT_EQ(Tags(t), c.tags) << c.x << "," << c.y;
    EXPECT_EQ(Get_Input_Table_Row_Count(t), int(c.tags.size()));
    Build(t);
    EXPECT_EQ(Numbers().back(), std::to_string(c.tags.size()) + ":");
    Remove_Scrollable_View_Area(area);
  }
}

TEST_F(InputTable, AppendWithoutEditRowIsIgnored) {
  area = Create_Scrollable_View_Area(0, 0, 1000, 600, 0, 1);
  int t = Create_Input_Table(area, 100, 5, 920, 22, 112, &Row_Fields);
  Set_Input_Table_Button_Position(t, 3, 3, -2);
  Build(t);
  EXPECT_EQ(Click(t, 5 + 3 + 10, 100 - 2 + 8), 1);
  EXPECT_EQ(Get_Input_Table_Row_Count(t), 0);
  EXPECT_EQ(Get_Input_Table(t)->append_clicked, 0);
}

// The arrow keys open the same field of the next (previous) row, scrolled into view: row 8 is
// the last fully inside (baseline 178), row 3 the first when scrolled by 44 (baseline 24).
TEST_F(InputTable, ArrowKeysWalkTheColumn) {
  const struct Case {
    int scroll;
    const char *script;
    std::vector<double> values;
    int scroll_after, edits_at_top;
  } cases[] = {{0, "c50,173 w100 t5 k336 w100 t7 k27", {1, 2, 3, 4, 5, 6, 7, 5, 9, 10}, 22, -1},
               {0, "c50,173 w100 t5 k336 w100 t7 k13 w100 k27", {1, 2, 3, 4, 5, 6, 7, 5, 7, 10}, 27, -1},
               {44, "c50,19 w100 t5 k328 w100 k27", {1, 2, 5, 4, 5, 6, 7, 8, 9, 10}, 22, 2}};
  for (const Case &c : cases) {
    SCOPED_TRACE(c.script);
    int t = Long_Table();
    Clear_View_Area_Items(area);
    Layout_Input_Table(t);
    Get_Scrollable_View_Area(area)->scroll_y = c.scroll;
    Update_View_Area_Scrolling(area);
    Host_Clear_Calls();
    Script(c.script);
    EXPECT_EQ(Handle_Input_Table_Event(t), 1);
    std::vector<double> values;
    for (void *r = First_Input_Table_Row(t); r && values.size() < 10; r = Next_Input_Table_Row(t))
      values.push_back(static_cast<FireRow *>(r)->value);
    EXPECT_EQ(values, c.values);
    int sx = 0, sy = 0, edits = 0;
    Inquire_View_Area_Scroll(area, &sx, &sy);
    EXPECT_EQ(sy, c.scroll_after);
    for (const std::string &call : Host_Calls()) edits += call.rfind("Short_Edit_Float(37,10,", 0) == 0;
    EXPECT_EQ(c.edits_at_top < 0 ? -1 : edits, c.edits_at_top);
    Remove_Scrollable_View_Area(area);
  }
}

// Find compares addresses; deleting the row under the walk's cursor keeps the walk going.
TEST_F(InputTable, FindAndTheWalk) {
  int t = Fire_Table(3);
  Build(t);
  void *second = (First_Input_Table_Row(t), Next_Input_Table_Row(t));  // the cursor on row 2
  FireRow copy;
  std::memcpy(&copy, second, sizeof copy);
  EXPECT_EQ(std::vector<int>({Find_Input_Table_Row(t, second), Find_Input_Table_Row(t, &copy), Find_Input_Table_Row(55, second)}),
            std::vector<int>({2, 0, 0}));
  EXPECT_EQ(Click(t, 10, 128), 2);
  void *next = Next_Input_Table_Row(t);
  ASSERT_NE(next, nullptr);
  EXPECT_EQ(static_cast<FireRow *>(next)->tag, 3);
}

TEST_F(InputTable, ReleaseGivesBackEveryBlock) {
  long live = Tools_Live_Blocks();
  int t = Fire_Table(5);
  int u = Create_Input_Table(area, 400, 5, 900, 20, 112, nullptr);
  FireRow r = Row(1, 1);
  Append_Input_Table_Row(u, &r);
  EXPECT_NE(Add_Input_Table_Column(t, 100, 80, 0, 3, nullptr, 0), nullptr);
  EXPECT_GT(Tools_Live_Blocks(), live);
  Delete_Input_Table_Rows(t);
  EXPECT_EQ(Get_Input_Table_Row_Count(t), 0);
  Delete_Input_Tables_of_Area(area);
  EXPECT_EQ(Tools_Live_Blocks(), live);
  EXPECT_EQ(Get_Input_Table(t), nullptr);
  EXPECT_EQ(Create_Input_Table(area, 0, 0, 1, 1, 8, nullptr), 0);  // the slot is free again
}

// The 56th table and columns outside the row are refused; a format is cut to 35 bytes.
TEST_F(InputTable, LimitsOfTablesAndColumns) {
  for (int i = 0; i < INPUT_TABLE_COUNT; ++i) EXPECT_EQ(Create_Input_Table(0, 0, 0, 1, 1, 8, nullptr), i);
  EXPECT_EQ(Create_Input_Table(0, 0, 0, 1, 1, 8, nullptr), -1);
  Delete_Input_Tables_of_Area(0);
  int t = Fire_Table(1);
  EXPECT_EQ(Add_Input_Table_Column(t, 0, 0, 0, 3, nullptr, -1), nullptr);
  EXPECT_EQ(Add_Input_Table_Column(t, 0, 0, 0, 3, nullptr, 105), nullptr);
  EXPECT_EQ(Add_Input_Table_Column(54, 0, 0, 0, 3, nullptr, 0), nullptr);
  INPUT_TABLE_COLUMN *c = Add_Input_Table_Column(t, 0, 0, 0, 2, std::string(50, 'f').c_str(), 104);
  ASSERT_NE(c, nullptr);
  EXPECT_EQ(std::vector<int>({int(std::strlen(c->format)), c->sortable, c->fillable}),
            std::vector<int>({35, 0, 1}));
  // A moved table takes its right edge and its column buttons along.
  const INPUT_TABLE *table = Get_Input_Table(t);
  const int x1 = table->x1, y0 = table->y0, x2 = table->x2;
  Move_Input_Table(t, y0 + 50, x1 + 20);
  EXPECT_EQ(std::vector<int>({table->x1, table->y0, table->x2, c->button_x, c->button_y}),
            std::vector<int>({x1 + 20, y0 + 50, x2 + 20, 20, 50}));
  Move_Input_Table(55, 0, 0);  // no table: nothing
}

// ---------------------------------------------------------------- column sort and fill

namespace {

class ColumnMenu : public InputTable {
 protected:
  int Keys(const std::vector<std::pair<double, int>> &rows) {
    area = Create_Scrollable_View_Area(0, 0, 1000, 600, 0, 1);
    int t = Create_Input_Table(area, 100, 5, 920, 22, 112, nullptr);
    for (auto [value, tag] : rows) {
      FireRow r = Row(value, tag);
      Append_Input_Table_Row(t, &r);
    }
    column = Add_Input_Table_Column(t, 200, 80, 0, 3, "%6.1f", 0);
    Set_Input_Table_Menu_Current(t, column);
    return t;
  }
  std::vector<double> Values(int t) {
    std::vector<double> values;
    for (void *r = First_Input_Table_Row(t); r; r = Next_Input_Table_Row(t)) values.push_back(static_cast<FireRow *>(r)->value);
    return values;
  }
  INPUT_TABLE_COLUMN *column = nullptr;
};

}  // namespace

// Sorting is stable both ways; NaN sorts last either way.
TEST_F(ColumnMenu, Sorts) {
  const double nan = std::nan("");
  const struct Case {
    std::vector<std::pair<double, int>> rows;
    bool ascending;
    std::vector<int> tags;
  } cases[] = {{{{2, 1}, {2, 2}, {1, 3}}, true, {3, 1, 2}},
               {{{1, 1}, {1, 2}, {2, 3}}, false, {3, 1, 2}},
               {{{nan, 1}, {3, 2}, {1, 3}, {nan, 4}}, true, {3, 2, 1, 4}},
               {{{nan, 1}, {3, 2}, {1, 3}, {nan, 4}}, false, {2, 3, 1, 4}}};
  for (const Case &c : cases) {
    int t = Keys(c.rows);
    (c.ascending ? Sort_Input_Table_Column_Ascending : Sort_Input_Table_Column_Descending)();
    EXPECT_EQ(Tags(t), c.tags) << (c.ascending ? "ascending" : "descending");
    Delete_Input_Table(t);
  }
}

TEST_F(ColumnMenu, WithoutCurrentTableNothingHappens) {
  int t = Keys({{2, 1}, {1, 2}});
  Set_Input_Table_Menu_Current(-1, nullptr);
  Sort_Input_Table_Column_Ascending();
  Fill_Input_Table_Column();
  EXPECT_EQ(Tags(t), (std::vector<int>{1, 2}));
  EXPECT_EQ(Host_Sheet_Depth(), 1);
}

TEST_F(ColumnMenu, DialogOpensCentredAndReopensWhereItWasLeft) {
  Keys({{1, 1}});
  Host_Test_Set_Sheet_Displacement(30, 20);  // the user drags the next sheet
  Script("c506,613 w50");  // cancel
  Fill_Input_Table_Column();
  Host_Script_Click(507 + 29, 413 + 220);  // cancel of the moved dialog
  Fill_Input_Table_Column();
  for (int n : {0, 1}) {
    std::vector<std::string> args = Host_Call_Args("Define_Prop_Sheet", n);
    args.resize(4);
    EXPECT_EQ(args, (n ? std::vector<std::string>{"507", "413", "833", "651"} : std::vector<std::string>{"477", "393", "803", "631"}));
  }
}

// "fX,Y=text" types into a dialog field, "pX,Y" presses: cancel (29, 220), OK (295, 220), range
// (115, 72), first and last row (90, 91), (237, 91), start (197, 133), step (197, 165).
TEST_F(ColumnMenu, Fills) {
  const struct Case {
    int rows;
    const char *script;
    std::vector<double> values;
  } cases[] = {
      {3, "f197,133=10 f197,165=2.5 p29,220", {0, 0, 0}},
      {3, "f197,133=10 f197,165=2.5 p295,220", {10, 12.5, 15}},
      {6, "p115,72 f90,91=2.5 f237,91=5 f197,133=10 f197,165=5 p295,220", {0, 0, 10, 15, 20, 0}},
      {6, "p115,72 f90,91=5 f197,133=1 p295,220", {0, 0, 0, 0, 1, 1}},  // a last row beyond the count
      {6, "p115,72 f237,91=3 f90,91=5 f197,133=7 p295,220", {0, 0, 0, 0, 7, 0}},
      {6, "p115,72 f90,91=4 f237,91=2 f197,133=8 p295,220", {0, 8, 0, 0, 0, 0}},
      {0, "p295,220", {}},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(c.script);
    int t = Keys(std::vector<std::pair<double, int>>(size_t(c.rows), {0.0, 0}));
    std::istringstream in(c.script);
    std::string step;
    while (in >> step) {
      int x = 0, y = 0;
      char text[16] = "";
      std::sscanf(step.c_str() + 1, "%d,%d=%15s", &x, &y, text);
      if (step[0] == 'f') Script("c" + std::to_string(477 + x + 10) + "," + std::to_string(393 + y + 9) + " w50 t" + text + " k13 w50");
      if (step[0] == 'p') Script("c" + std::to_string(477 + x) + "," + std::to_string(393 + y) + " w50");
    }
    Fill_Input_Table_Column();
    EXPECT_EQ(Values(t), c.values);
    Delete_Input_Table(t);
  }
}

// A click on the column button opens the column menu; its sub-menu sorts the table.
TEST_F(ColumnMenu, ColumnButtonOpensTheMenuWhichSorts) {
  int t = Keys({{1, 1}, {3, 2}, {2, 3}});
  Set_Input_Table_Menu_Current(-1, nullptr);
  Clear_View_Area_Items(area);
  Layout_Input_Table(t);
  Update_View_Area_Scrolling(area);
  Host_Script_Click(200, 80);  // the button at content (200, 80)
  Script("w50 m210,88");  // "Spalte sortieren": the sub-menu opens beside it
  Script("w50 m345,106");  // "absteigend"
  Script("w50 p1 r1");
  EXPECT_EQ(Handle_Input_Table_Event(t), 1);
  EXPECT_EQ(Tags(t), (std::vector<int>{2, 3, 1}));
  int current = 0;
  INPUT_TABLE_COLUMN *column_now = nullptr;
  Get_Input_Table_Menu_Current(&current, &column_now);
  EXPECT_EQ(current, -1);
  EXPECT_EQ(column_now, nullptr);
}
