// Text box item (kind 19): its drawing. No operation adds a text box yet, so no item of
// kind 19 exists and the drawer has nothing to draw.
#include "widgets/widgets.h"

void Draw_Text_Box(VIEW_ITEM *, int, int, int, int) {}
