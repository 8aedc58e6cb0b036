// Input blocks of the materials: safety-factor rows and columns, grade pickers with their
// colours, user strengths with the tensile warning, plate labels, the grade string list and
// the bar area dialog.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <string>
#include <vector>

#include "drawing_base/drawing_base.h"
#include "host/host.h"
#include "host/host_test.h"
#include "materials/material_sheets.h"
#include "support/cp850.h"
#include "support/support.h"
#include "widgets/widgets.h"
#include "widgets/widgets_internal.h"

namespace {

class MaterialBlocks : public ::testing::Test {
 protected:
  void SetUp() override {
    Host_Test_Reset();
    Reset_Materials_For_Tests();
    Init_Screen_Colors();
    Set_NoFrameFlag_to_Next_PropSheet();
    Define_Prop_Sheet(0, 0, 1279, 1023, 0, 0, "", 0, 0);
    Activate_Prop_Sheet();
    area = Create_Scrollable_View_Area(0, 0, 900, 700, 0, 1);
  }
  void TearDown() override {
    Remove_All_View_Areas();
    while (Host_Sheet_Depth() > 0) Undefine_Prop_Sheet();
    Host_Test_Reset();
  }
  std::vector<const VIEW_ITEM *> Items(int kind) const {
    std::vector<const VIEW_ITEM *> out;
    for (const VIEW_ITEM *item = View_Area_Test_Items(area); item; item = item->next)
      if (item->kind == kind) out.push_back(item);
    return out;
  }
  std::vector<std::string> Texts() const {
    std::vector<std::string> out;
    for (const VIEW_ITEM *item : Items(VIEW_TEXT)) out.push_back(Cp850_To_Utf8(item->text));
    return out;
  }
  bool Has_Text(const std::string &t) const {
    for (const auto &s : Texts())
      if (s == t) return true;
    return false;
  }
  int area = -1;
};

}  // namespace

TEST_F(MaterialBlocks, SafetyFactorRowsColumnsAndActivity) {
  SAFETY_FACTORS f{};
  f.gamma_M0 = 1.0;
  f.gamma_M_fi = 1.0;
  const struct {
    int editable, standardised, fields_active;
  } cases[] = {{1, 0, 1}, {1, 1, 0}, {0, 0, 0}};
  for (auto c : cases) {
    Clear_View_Area_Items(area);
    f.standardised = c.standardised;
    int y = 20;
    Safety_Factors_Sheet(&f, area, 10, &y, 22, c.editable, 0x804, 1);
    EXPECT_EQ(y, 20 + 3 * 22);
    const auto texts = Texts();
    ASSERT_GE(texts.size(), 2u);
    EXPECT_EQ(texts[0], "Materialsicherheit");
    EXPECT_EQ(texts[1], "(");
    EXPECT_STREQ(Items(VIEW_CHECK_BOX).at(0)->text, "genormt)");
    EXPECT_EQ(*Items(VIEW_CHECK_BOX)[0]->active_ptr, c.editable);
    EXPECT_TRUE(Has_Text("Beanspruchbarkeit von Querschnitten") && Has_Text("M0") && Has_Text("M,fi") &&
                Has_Text("Beanspruchbarkeit von Bauteilen im Brandfall"));
    const auto fields = Items(VIEW_NUMBER_FIELD);
    ASSERT_EQ(fields.size(), 2u);
    for (const VIEW_ITEM *field : fields) {
      EXPECT_EQ(field->x1, 10 + 360);
      EXPECT_STREQ(field->text, "%6.2f");
      EXPECT_EQ(*field->active_ptr, c.fields_active);
    }
    bool symbol_at_325 = false, end_at_425 = false;
    for (const VIEW_ITEM *t : Items(VIEW_TEXT)) {
      symbol_at_325 = symbol_at_325 || (t->x1 == 335 && std::strcmp(t->text, "\xC0") == 0);
      end_at_425 = end_at_425 || (t->x1 == 435 && t->text[0] == '\0');
    }
    EXPECT_TRUE(symbol_at_325 && end_at_425);
  }
  f.gamma_M0 = -1.5;  // a negative entry
  Items(VIEW_NUMBER_FIELD)[0]->change_fn.on_double(&f.gamma_M0);
  EXPECT_EQ(f.gamma_M0, 0.0);
}

TEST_F(MaterialBlocks, PickersUserValuesAndRanges) {
  const int brown = Nearest_RGB_Color(128, 64, 0);
  const struct {
    int family, count;
    std::vector<int> second;
  } cases[] = {{0, 26, {4, 5, 6, 7, 12, 13, 14, 18, 19, 20, 21}}, {1, 11, {4, 5, 6}}, {2, 97, {}}};
  for (const auto &c : cases) {
    MATERIAL m;
    Reset_Material_Data(&m);
    m.family = c.family;
    Clear_View_Area_Items(area);
    int y = 20;
    Material_Sheet(&m, area, 0, &y, 22, 0, 0, 1, 0, 4);
    const VIEW_ITEM *choice = Items(VIEW_CHOICE_LIST).at(0);
    EXPECT_EQ(choice->aux, c.count);
    const auto *entries = static_cast<const VIEW_CHOICE_ENTRY *>(choice->target_ptr);
    if (c.family == 2) continue;
    std::vector<int> second;
    for (int i = 0; i < c.count; ++i)
      if (entries[i].colour == brown) second.push_back(i);
    EXPECT_EQ(second, c.second) << c.family;
    if (c.family == 1) {
      EXPECT_STREQ(entries[3].text, "---");
      EXPECT_STREQ(entries[7].text, "---");  // a separator in the disabled colour
      EXPECT_EQ(entries[7].colour, Nearest_RGB_Color(192, 192, 192));
    }
  }
  // User values: strength rows, the tensile warning, all ranges with their notes.
  MATERIAL m;
  Reset_Material_Data(&m);
  std::strcpy(m.name, "S");
  m.user_values = 1;
  m.fy_40 = 355.002;
  m.fu_40 = 355.0;
  Clear_View_Area_Items(area);
  int y = 20;
  Material_Sheet(&m, area, 0, &y, 22, 0, 0, 1, 0, 4);
  EXPECT_EQ(y, 20 + 5 * 22);
  const auto fields = Items(VIEW_NUMBER_FIELD);
  ASSERT_EQ(fields.size(), 3u);
  EXPECT_EQ(fields[1]->colour, Nearest_RGB_Color(255, 0, 0));
  EXPECT_EQ(std::strlen(Items(VIEW_TEXT_FIELD).at(0)->text), 25u);
  m.fy_40 = 355.0005;
  Clear_View_Area_Items(area);
  Material_Sheet_All_Ranges(&m, area, 0, &y, 22, 0, 0, 1, 0, 0);
  EXPECT_EQ(Items(VIEW_NUMBER_FIELD).size(), 6u);
  EXPECT_NE(Items(VIEW_NUMBER_FIELD)[1]->colour, Nearest_RGB_Color(255, 0, 0));
  EXPECT_TRUE(Has_Text("für Blechdicke max t ¾ 40 mm") && Has_Text("für Blechdicke 40 mm < max t ¾ 80 mm") &&
              Has_Text("für Blechdicke max t > 80 mm"));
}

TEST_F(MaterialBlocks, PlateStyleAndGradeList) {
  const int modes[][2] = {{0, 110}, {1, 80}, {2, 30}, {7, 110}};
  for (auto m : modes) EXPECT_EQ(Set_Plate_Sheet_Style(m[0]), m[1]);
  PLATE p;
  Reset_Plate_Data(&p);
  int y = 0;
  Plate_Sheet(&p, area, 0, &y, 20, 0, 0, 1, 0, 0, "");
  EXPECT_TRUE(Has_Text("Blechdicke") && Has_Text("Blechlänge"));
  const int codes[] = {5, 44, 5, 6};
  EXPECT_EQ(Fill_Stguete_Stringlist(3, codes, 4, 5), 2);
  EXPECT_EQ(Fill_Stguete_Stringlist(4, codes, 4, 99), 0);
  EXPECT_EQ(Fill_Stguete_Stringlist(4, nullptr, 4, 5), 0);
  Fill_Stguete_Stringlist(5, codes + 3, 1, 6);
  EXPECT_EQ(Host_Stringlist(5).size(), 1u);
  const auto list = Host_Stringlist(3);
  ASSERT_EQ(list.size(), 4u);
  EXPECT_EQ(list[1].text, "?????");
  EXPECT_EQ(list[0].text, Get_Stguete_Name(5));
}

// Two bars of 20 mm and three of 12 mm: 9.68 cm² shown, the sum in m² returned.
TEST_F(MaterialBlocks, BarAreaDialog) {
  const double expected = (2 * M_PI * 0.02 * 0.02 + 3 * M_PI * 0.012 * 0.012) / 4;
  const int field_y = 344 + 60;  // centred dialog 260 × 336
  Host_Script_Click(615, field_y + 24 * 6 + 9);
  Host_Script_Text("2");
  Host_Script_Key(13);
  Host_Script_Click(615, field_y + 24 * 3 + 9);
  Host_Script_Text("3");
  Host_Script_Key(13);
  Host_Script_Click(675, 650 + 10);
  const double sum = Bar_Area_Sheet();
  EXPECT_NEAR(sum, expected, 1e-12 * expected);
  bool shown = false;
  for (const auto &call : Host_Calls()) shown = shown || call.find("  9.68 cm\xFD") != std::string::npos;
  EXPECT_TRUE(shown);
  Host_Script_Click(520, 650 + 10);  // "abbrechen"
  EXPECT_EQ(Bar_Area_Sheet(), 0.0);
}
