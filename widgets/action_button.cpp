// widgets/action_button.cpp — the small picture button with a label beside it that pages
// put in front of an action (open a dialogue, start a program).
#include "host/host.h"
#include "host/host_screen.h"
#include "widgets/widgets.h"

void Add_Action_Button_to_Area(int area, int x, int y, int *flag, const char *label, int style) {
  const int transparent = Nearest_RGB_Color(192, 192, 192);
  Add_Bitmap_Button_to_View_Area(area, x, y - 12, 16, 16, "act_but.bmp", 0, transparent, 0, nullptr, 1, flag,
                                 nullptr);
  if (label) Add_Text_to_View_Area(area, x + 20, y, label, style ? style : 0x1000, Nearest_RGB_Color(0, 0, 0), 0);
}
