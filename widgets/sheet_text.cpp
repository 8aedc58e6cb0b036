// Framed sheet text (the status line of the paged sheets) and the start-up switch that
// hands the host the stdio table and turns the mouse-wheel events on.
#include <cstring>

#include "host/host.h"
#include "host/host_screen.h"
#include "support/support.h"
#include "widgets/widgets.h"

int Draw_Sheet_Text_Frame(int x1, int y1, int x2, int y2, const char *text, int mode, int frame, int font,
                          int text_colour, int background) {
  int colour = pxQFgc(nullptr);
  int cx1 = 0, cy1 = 0, cx2 = 0, cy2 = 0;
  pxQVwp(&cx1, &cy1, &cx2, &cy2);
  pxView(x1, y1, x2, y2);
  // Inner rectangle: inside the frame's edge (1 pixel for styles 1 and 2, else 2).
  int d = 0;
  if (frame > 0) {
    Draw_Funny_Area_to_PS(frame, x1, y1, x2, y2, 0);
    d = frame <= 2 ? 1 : 2;
    pxView(x1 + d, y1 + d, x2 - d, y2 - d);
  }
  if (background != SHEET_TEXT_NONE) {
    pxFgc(background);
    pxRect(x1 + d, y1 + d, x2 - d, y2 - d);
  }
  if (text && text_colour != SHEET_TEXT_NONE) {
    if (font >= 0) Pop_RFont(font);
    pxFgc(text_colour);
    int len = static_cast<int>(std::strlen(text));
    if (frame > 0)
      pxBTxt(x1 + d + 3, y1 + d, x2 - d - 1, y2 - d, text, len, mode);
    else
      pxBTxt(x1, y1, x2, y2, text, len, mode);
    if (font >= 0) Push_RFont();
  }
  pxFgc(colour);
  pxView(cx1, cy1, cx2, cy2);
  return pxFlsh();
}

void Init_Host_IO_and_Mouse_Wheel() {
  Set_YRM_Stdio_Table();
  Set_MouseWheel_Activity(1);
}
