// Grade choice lists, the concrete and steel parameter blocks (shown units, read-only E_cm)
// and the free-grade sheets (cancel leaves the record untouched, the link opens the sheet).
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <string>

#include "drawing_base/drawing_base.h"
#include "host/host.h"
#include "host/host_test.h"
#include "materials/material_sheets.h"
#include "support/support.h"
#include "widgets/widgets.h"
#include "widgets/widgets_internal.h"

namespace {

class MaterialSheets : public ::testing::Test {
 protected:
  void SetUp() override {
    Host_Test_Reset();
    Reset_Materials_For_Tests();
    Init_Screen_Colors();
    Set_NoFrameFlag_to_Next_PropSheet();
    Define_Prop_Sheet(0, 0, 1279, 1023, 0, 0, "", 0, 0);
    Activate_Prop_Sheet();
    area = Create_Scrollable_View_Area(0, 0, 800, 600, 0, 0);
    Begin_Widget_Area(area);
  }
  void TearDown() override {
    Remove_All_View_Areas();
    while (Host_Sheet_Depth() > 0) Undefine_Prop_Sheet();
    Host_Test_Reset();
  }
  // What the number field over value shows.
  std::string Shown(const double *value) const {
    for (const VIEW_ITEM *item = View_Area_Test_Items(area); item; item = item->next)
      if (item->kind == VIEW_NUMBER_FIELD && item->double_ptr == value) {
        char text[64];
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wformat-nonliteral"
        std::snprintf(text, sizeof text, item->text, *item->double_ptr);
#pragma GCC diagnostic pop
        return text;
      }
    return "(none)";
  }
  const VIEW_ITEM *Field(const double *value) const {
    for (const VIEW_ITEM *item = View_Area_Test_Items(area); item; item = item->next)
      if (item->kind == VIEW_NUMBER_FIELD && item->double_ptr == value) return item;
    return nullptr;
  }
  int area = -1;
};

// The cancel button of a centred one-page sheet of the given page size (kind 0, margins 8).
void Script_Cancel(int width, int height) {
  const int sheet_w = width + 16, sheet_h = height + 33 + 16 + 27;
  const int x1 = 640 - sheet_w / 2, y2 = 512 - sheet_h / 2 + sheet_h;
  Host_Script_Click(x1 + 5 + 10, y2 - 29 + 11);
}

// Its "bestätigen" button.
void Script_Confirm(int width, int height) {
  const int sheet_w = width + 16, sheet_h = height + 33 + 16 + 27;
  const int x2 = 640 - sheet_w / 2 + sheet_w, y2 = 512 - sheet_h / 2 + sheet_h;
  Host_Script_Click(x2 - 8 - 23 + 10, y2 - 29 + 11);
}

}  // namespace

TEST_F(MaterialSheets, ChoiceListsLayoutAndLookups) {
  const struct {
    int extended, options, count;
    std::vector<int> separators;
    int first_value;
  } cases[] = {{1, 7, 35, {5, 21, 33}, 0}, {0, 1, 5, {}, 0}, {0, 0, 0, {}, -1}, {1, 0, 15, {}, 5}};
  for (const auto &c : cases) {
    CHOICE_LIST *l = New_Beton_Choice_List(c.extended, c.options);
    EXPECT_EQ(l->count, c.count) << c.extended << c.options;
    std::vector<int> separators;
    for (int i = 0; i < l->count; ++i)
      if (l->flags[i] & CHOICE_SEPARATOR) separators.push_back(i);
    EXPECT_EQ(separators, c.separators);
    EXPECT_EQ(l->values[0], c.first_value);
    Free_Choice_List(&l);
  }
  CHOICE_LIST *l = New_Beton_Choice_List(1, 7);
  EXPECT_EQ(Find_Choice_List_Index(l, 5, 2), 22);
  EXPECT_STREQ(l->names + 22 * l->name_width, "LC12/13");
  EXPECT_EQ(Find_Choice_List_Index(l, 5, 0), 6);
  EXPECT_STREQ(l->names + 34 * l->name_width, "frei");
  EXPECT_EQ(l->values[34], 20);
  EXPECT_STREQ(l->names + 20 * l->name_width, "C100/115");
  int value = 0;
  EXPECT_EQ(Get_Choice_List_Value(l, 21, &value, nullptr), 19);  // separator: the entry above
  Free_Choice_List(&l);
  CHOICE_LIST *s = New_Stahl_Choice_List(2);
  EXPECT_EQ(s->count, 8);
  EXPECT_STREQ(s->names + 4 * s->name_width, "B500A");
  EXPECT_EQ(s->values[7], 5);
  Free_Choice_List(&s);
  s = New_Stahl_Choice_List(1);
  EXPECT_STREQ(s->names + 5 * s->name_width, "BSt 500 (B)");
  Free_Choice_List(&s);
}

// The concrete editor's height below its choice: 23 for the density row of a lightweight
// grade, 23 more for the alpha row of a list with the option word, else 0.
TEST_F(MaterialSheets, ConcreteEditorRowHeights) {
  const struct {
    int options;
    bool lightweight;
    int height;
  } cases[] = {{2, false, 0}, {2, true, 23}, {10, false, 23}, {10, true, 46}};
  CONCRETE_GRADE c{};
  Set_Concrete_Grade(&c, 3, 0, 2200.0);
  for (const auto &k : cases) {
    SCOPED_TRACE(k.options * 10 + k.lightweight);
    CHOICE_LIST *l = New_Beton_Choice_List(1, k.options);
    int selected = k.lightweight ? Find_Choice_List_Index(l, 5, CHOICE_LIGHTWEIGHT) : 0;
    ASSERT_EQ(l->flags[selected] & CHOICE_LIGHTWEIGHT, k.lightweight ? CHOICE_LIGHTWEIGHT : 0);
    Clear_View_Area_Items(area);
    Begin_Widget_Area(area);
    EXPECT_EQ(Add_Betonguete_Editor(area, 10, 30, &c, l, &selected), k.height);
    Free_Choice_List(&l);
  }
}

// Shown units and their conversion back when the sheet level closes.
TEST_F(MaterialSheets, ParameterBlocksShowEngineeringUnits) {
  CONCRETE_GRADE c{};
  Set_Concrete_Grade(&c, 3, 0, 2200.0);
  c.eps_c2 = -0.002;
  c.e_automatic = 1;
  Open_Widget_Sheet_Level(0, nullptr, nullptr);
  EXPECT_EQ(Add_Betonparameter_Fields(area, 20, 0, &c), 183);
  EXPECT_EQ(Shown(&c.eps_c2), "   2.000");
  c.fck = 30.0;  // the user types 30 MN/m²
  Clear_View_Area_Items(area);
  Begin_Widget_Area(area);
  Add_Betonparameter_Fields(area, 20, 0, &c);
  EXPECT_EQ(Shown(&c.E_cm), " 28309.4");
  ASSERT_NE(Field(&c.E_cm), nullptr);
  EXPECT_EQ(*Field(&c.E_cm)->active_ptr, 0);
  Close_Widget_Sheet_Level(0);
  EXPECT_DOUBLE_EQ(c.fck, 30000.0);
  EXPECT_DOUBLE_EQ(c.eps_c2, -0.002);
  EXPECT_NEAR(c.E_cm, 9.5e6 * std::cbrt(38.0) * (0.8 + 38.0 / 440.0), 1e-6);

  REBAR_GRADE r{};
  Set_Rebar_Grade(&r, 0);
  const REBAR_GRADE before = r;
  Open_Widget_Sheet_Level(0, nullptr, nullptr);
  Add_Stahlparameter_Fields(area, 20, 15, &r);
  EXPECT_EQ(Shown(&r.fyk), "  500.00");
  Close_Widget_Sheet_Level(0);
  EXPECT_EQ(std::memcmp(&r, &before, sizeof r), 0);
}

// Cancelling a free-grade sheet gives the record back byte for byte; a second opening
// keeps the earlier free values instead of resetting them.
TEST_F(MaterialSheets, FreeGradeSheetsCancelAndLink) {
  CONCRETE_GRADE c;
  std::memset(&c, 0, sizeof c);
  const CONCRETE_GRADE zero = c;
  Script_Cancel(440, 220);
  EXPECT_EQ(Edit_Free_Beton_Parameters(&c), 0);
  EXPECT_EQ(std::memcmp(&c, &zero, sizeof c), 0);
  Begin_Widget_Area(area);

  REBAR_GRADE r;
  std::memset(&r, 0, sizeof r);
  r.fyk = 420000.0;  // an earlier free definition
  const REBAR_GRADE kept = r;
  Set_Free_Grade_Link(1);
  CHOICE_LIST *list = New_Stahl_Choice_List(2);
  int selected = 6;  // the separator above "frei" shows "B500B"
  EXPECT_EQ(Add_Stahlguete_Editor(area, 10, 30, &r, list, &selected), 0);
  EXPECT_EQ(selected, 5);
  selected = 7;
  Clear_View_Area_Items(area);
  EXPECT_EQ(Add_Stahlguete_Editor(area, 10, 30, &r, list, &selected), 23);
  const VIEW_ITEM *spot = nullptr;
  for (const VIEW_ITEM *item = View_Area_Test_Items(area); item; item = item->next)
    if (item->kind == VIEW_CLICK_SPOT) spot = item;
  ASSERT_NE(spot, nullptr);
  *static_cast<int *>(spot->target_ptr) = View_Item_Click_Value(spot);  // the click
  const int sheets = Host_Call_Count("Define_Prop_Sheet");
  Script_Cancel(470, 170);
  Clear_View_Area_Items(area);
  Begin_Widget_Area(area);
  Add_Stahlguete_Editor(area, 10, 30, &r, list, &selected);
  EXPECT_EQ(Host_Call_Count("Define_Prop_Sheet"), sheets + 1);
  EXPECT_EQ(std::memcmp(&r, &kept, sizeof r), 0);
  EXPECT_EQ(Get_Widget_Area(), area);
  Clear_View_Area_Items(area);
  Begin_Widget_Area(area);
  Add_Stahlguete_Editor(area, 10, 30, &r, list, &selected);  // the marker was cleared
  EXPECT_EQ(Host_Call_Count("Define_Prop_Sheet"), sheets + 1);
  Free_Choice_List(&list);
  // Confirmed: an earlier free definition stays, an empty record starts from BSt 500 (A).
  Script_Confirm(470, 170);
  EXPECT_EQ(Edit_Free_Stahl_Parameters(&r), 1);
  EXPECT_EQ(r.fyk, 420000.0);
  std::memset(&r, 0, sizeof r);
  Script_Confirm(470, 170);
  EXPECT_EQ(Edit_Free_Stahl_Parameters(&r), 1);
  EXPECT_EQ(r.fyk, 500000.0);
}
