// The focus loop of a text box (kind 19). No add operation makes a text box yet, so the event
// handler never reaches this loop. The definition is weak: the text box's own editing loop,
// once linked, takes its place, and this file can then go.
#include "widgets/view_events.h"

__attribute__((weak)) void Run_Text_Box_Focus_Loop(int, VIEW_ITEM *) {}
