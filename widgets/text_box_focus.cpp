// The focus loop of a text box (kind 19). No add operation makes a text box yet, so the event
// handler never reaches this loop; the text box's own editing loop replaces this file.
#include "widgets/view_events.h"

void Run_Text_Box_Focus_Loop(int, VIEW_ITEM *) {}
