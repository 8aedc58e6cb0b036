// The action button: a 16 × 16 picture button from "act_but.bmp" and its label; a click sets
// the caller's flag.
#include "tests/widgets/widgets_fixture.h"

TEST_F(EventsTest, ActionButtonSetsItsFlagOnAClick) {
  const int area = Create_Scrollable_View_Area(10, 40, 910, 700, 0, 1);
  Activate_Prop_Sheet();
  int flag = 0;
  Add_Action_Button_to_Area(area, 100, 200, &flag, "Profil", 0);
  const VIEW_ITEM *button = View_Area_Test_Items(area), *label = button->next;
  EXPECT_TRUE(button->kind == 18 && button->x1 == 100 && button->y1 == 188 && button->x2 == 116);
  EXPECT_STREQ(button->text, "act_but.bmp");
  EXPECT_TRUE(label->kind == 1 && label->x1 == 120 && label->y1 == 200 && label->font == 0x1000);
  EXPECT_STREQ(label->text, "Profil");
  Update_View_Area_Scrolling(area);
  Host_Script_Click(10 + 108, 40 + 196);  // inside the button (sheet pixels of the area)
  Handle_View_Area_Event(area);
  EXPECT_EQ(flag, 1);
}
