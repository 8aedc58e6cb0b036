// Paged and one-page widget sheets: a host property sheet with an optional register, one
// scrollable view area and input table per page that has a build function, the buttons of
// the sheet's kind, and the pass loop that rebuilds the current page and answers the codes.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <deque>
#include <vector>

#include "drawing_base/drawing_base.h"
#include "host/host.h"
#include "host/host_screen.h"
#include "support/cp850.h"
#include "support/support.h"
#include "widgets/view_events.h"
#include "widgets/widget_layer.h"
#include "widgets/widget_layer_internal.h"
#include "widgets/widget_sheets.h"

namespace {

// One open sheet.
struct SheetLevel {
  WIDGET_SHEET_DESCRIPTION *description;
  WIDGET_SHEET_PAGE *pages;
  int count;
  int current;
  bool has_register;
  int value_level;  // the level of the widget value tables
  std::vector<int> members, areas, escapes, tables, layout;
};

// Where a sheet is centred: the screen's middle until a sheet was moved and closed.
struct Centre {
  bool set = false;
  int x = 0, y = 0;
};

struct SheetState {
  bool reset_registered = false;
  Centre centre;
  Centre simple_centre;  // the simple sheet keeps a centre of its own
  int corner_x = 0, corner_y = 0;
  std::deque<SheetLevel> stack;  // a deque: nested sheets leave the outer levels in place
  int cancel_request = 0, confirm_request = 0, rebuild_request = 0;
  int pointer_jump = 1;
};
SheetState g;

void Reset_Widget_Sheets_For_Tests() {
  bool registered = g.reset_registered;
  g = SheetState{};
  g.reset_registered = registered;
}

SheetState &_S() {
  if (!g.reset_registered) {
    g.reset_registered = true;
    Host_Register_Reset(&Reset_Widget_Sheets_For_Tests);
  }
  return g;
}

SheetLevel *_Top() { return _S().stack.empty() ? nullptr : &_S().stack.back(); }

bool _Pushes_Area(int kind) { return kind != 1 && kind != 3; }

bool _Visible(const WIDGET_SHEET_PAGE &p) { return p.state != -2; }

// Layout numbers of a sheet kind.
int _Top_Extra(int kind) { return kind == 4 || kind == 8 ? 0 : 33; }
int _Button_Row(int kind) { return kind == 2 || kind == 4 || kind == 8 ? 0 : 27; }

struct Rect {
  int x1, y1, x2, y2;
};

// The tab titles (or, with a bitmap, the register bitmap) of a sheet with a register:
// visible pages side by side at the tab pitch; with only_off only the pages in state 0.
void _Draw_Tabs(const SheetLevel &level, const Rect &reg, int tab_bottom, int tab_width, const char *bitmap,
                bool only_off) {
  if (bitmap && bitmap[0]) {
    pxDrawTransparentDIB(bitmap, reg.x1, reg.y1, reg.x2, tab_bottom, 201, -1, 192, 192, 192);
    return;
  }
  int v = 0;
  for (int i = 0; i < level.count; ++i) {
    const WIDGET_SHEET_PAGE &p = level.pages[i];
    if (!_Visible(p)) continue;
    const int x = reg.x1 + 8 + v++ * (tab_width + 1);
    if (only_off && p.state != 0) continue;
    int colour = p.state == 0 ? p.tab_color_off : p.tab_color;
    if (colour < 0) colour = GetYRMColor(colour);  // a host colour number
    if (p.tab_line1[0]) {
      Draw_Text_in_Font_Color(x, tab_bottom - 18, p.tab_line1, 0x1002, colour);
      Draw_Text_in_Font_Color(x, tab_bottom - 6, p.tab_title, 0x1000, colour);
    } else {
      Draw_Text_in_Font_Color(x, tab_bottom - 10, p.tab_title, 0x1000, colour);
    }
  }
}

// The buttons of the kind; returns the default button (0 none) and the x of the
// confirming button (or the centre) for the status line.
int _Add_Buttons(const WIDGET_SHEET_DESCRIPTION &d, const Rect &s, int *status_end, int *help_x) {
  const int centre = static_cast<int>(std::lround((s.x1 + s.x2) / 2.0));
  const int bottom = s.y2;
  const int ok_x = s.x2 - d.margin_right - 23;
  *status_end = centre;
  *help_x = d.status_line ? s.x1 + d.margin_left + 32 : centre - 23;
  switch (d.kind) {
    case 1: return Add_Text_Button_to_PS(centre - 50, bottom - 29, "Weiter      ", 100);
    case 2:
    case 4: return 0;
    case 3: return Add_Text_Button_to_PS(centre - 50, bottom - 29, "Weiter", 200);
    case 6:
      *status_end = ok_x;
      return Add_Image_Button_to_PS(ok_x, bottom - 29, SYMBOLIC_OK_RASTER, 200);
    case 8: return Add_Text_Button_to_PS(centre - 50, bottom - 37, "Weiter", 200);
    default: break;
  }
  const int cancel = Add_Image_Button_to_PS(s.x1 + d.margin_left - 3, bottom - 29, SYMBOLIC_BREAK_RASTER, 100);
  Set_Comment_to_Button_PS(cancel, "abbrechen");
  if (d.help_topic[0]) {
    const int help = Add_Help_to_PS(*help_x, bottom - 29, 1, 0, 0, d.help_topic);
    Set_Comment_to_Button_PS(help, "Hilfe");
  }
  if (d.kind == 7) return cancel;
  *status_end = ok_x;
  const int ok = Add_Image_Button_to_PS(ok_x, bottom - 29, SYMBOLIC_OK_RASTER, 200);
  Set_Comment_to_Button_PS(ok, "bestätigen"_cp);
  return d.kind == 5 ? ok : cancel;
}

void _Build_Page(SheetLevel &level, int page) {
  WIDGET_SHEET_PAGE &p = level.pages[page];
  const int area = level.areas[page];
  if (area < 0) return;
  for (int pass = 0; pass < 2; ++pass) {
    Clear_View_Area_Items(area);
    Begin_Widget_Area(area);
    if (p.build) p.build(area, level.tables[page]);
    if (level.layout[page]) Layout_Input_Table(level.tables[page]);
    if (p.scroll_x > 0 || p.scroll_y > 0) {
      Set_View_Area_Scroll_Fraction(area, p.scroll_x, p.scroll_y);
      p.scroll_x = p.scroll_y = -1;
    }
    Set_View_Area_Activity(area, 1);
    Update_View_Area_Scrolling(area);
    Change_Activity_PS(level.escapes[page], 1);
    if (!_S().rebuild_request) break;
    _S().rebuild_request = 0;
  }
}

bool _Selectable(const WIDGET_SHEET_PAGE &p) { return p.state != 0 && _Visible(p); }

// The selectable page nearest to page (the one before it first at equal distance), or page
// itself when there is none.
int _Nearest_Selectable(const SheetLevel &level, int page) {
  for (int d = 1; d < level.count; ++d) {
    if (page - d >= 0 && _Selectable(level.pages[page - d])) return page - d;
    if (page + d < level.count && _Selectable(level.pages[page + d])) return page + d;
  }
  return page;
}

int _First_Selectable(const SheetLevel &level) {
  for (int i = 0; i < level.count; ++i)
    if (_Selectable(level.pages[i])) return i;
  return 0;
}

// A new level of count pages: no members, areas, escapes or tables yet.
SheetLevel _New_Level(WIDGET_SHEET_DESCRIPTION *d, WIDGET_SHEET_PAGE *pages, int count, bool paged) {
  SheetLevel level{};
  level.description = d;
  level.pages = pages;
  level.count = count;
  level.has_register = paged;
  level.members.assign(count, -1);
  level.areas.assign(count, -1);
  level.escapes.assign(count, -1);
  level.tables.assign(count, -1);
  level.layout.assign(count, 0);
  return level;
}

// Page i's escape area, scrollable view area (pushed on the widget area stack with push) and
// input table inside the page rectangle a, which the page's own offsets and sizes narrow.
void _Add_Page_Area(SheetLevel &L, int i, Rect a, bool push, int *displacement_x, int *displacement_y) {
  const WIDGET_SHEET_PAGE &p = L.pages[i];
  if (p.area_dx >= 0 && p.area_width > 0) {
    a.x1 += p.area_dx;
    a.x2 = std::min(a.x2, a.x1 + p.area_width);
  }
  if (p.area_dy >= 0 && p.area_height > 0) {
    a.y1 += p.area_dy;
    a.y2 = std::min(a.y2, a.y1 + p.area_height);
  }
  const int slider_x = p.vslider ? 17 : 0, slider_y = p.hslider ? 17 : 0;
  L.escapes[i] = Add_Escape_Area_to_PS(a.x1, a.y1, a.x2 - slider_x, a.y2 - slider_y, 0, 2000 + i);
  Set_Escape_Area_to_MouseMoveEvent(L.escapes[i], 1);
  L.areas[i] = Create_Scrollable_View_Area(a.x1, a.y1, a.x2, a.y2, p.hslider, p.vslider);
  if (push) Push_Widget_Area(L.escapes[i], L.areas[i], a.x1, a.y1, a.x2, a.y2, displacement_x, displacement_y);
  const int right = p.table_width > 0 ? p.table_x + p.table_width : (a.x2 - a.x1) - 10 - slider_x;
  L.tables[i] = Create_Input_Table(L.areas[i], p.table_y, p.table_x, right, 20, p.row_size, p.row_callback);
}

// The value level of the sheet's pages (their apply functions and tables).
void _Open_Values(SheetLevel &L) {
  std::vector<WIDGET_APPLY_FN> applies(L.count);
  for (int i = 0; i < L.count; ++i) applies[i] = L.pages[i].apply;
  L.value_level = Open_Widget_Sheet_Level(L.count, applies.data(), L.tables.data());
}

// Closing a level: values back (scaled values divided back, int mirrors rounded back into
// the caller's ints, every entry dropped), each page's scroll position kept as fractions,
// its tables and area removed (popped off the widget area stack with pop).
void _Close_Level(SheetLevel &lv, bool pop) {
  Close_Widget_Sheet_Level(0);
  for (int i = 0; i < lv.count; ++i) {
    if (lv.areas[i] < 0) continue;
    Read_Back_View_Area_Scroll(lv.areas[i]);
    Get_View_Area_Scroll_Fraction(lv.areas[i], &lv.pages[i].scroll_x, &lv.pages[i].scroll_y);
    Delete_Input_Tables_of_Area(lv.areas[i]);
    Remove_Scrollable_View_Area(lv.areas[i]);
    if (pop) Pop_Widget_Area();
  }
}

// The centre, the screen's middle before the first sheet.
void _Init_Centre(Centre &c) {
  if (c.set) return;
  c.set = true;
  c.x = NPIXEL_X / 2;
  c.y = NPIXEL_Y / 2;
}

// The sheet of sheet_w × sheet_h pixels around the centre, kept on the screen.
Rect _Place_Sheet(const Centre &c, int sheet_w, int sheet_h) {
  Rect s{c.x - sheet_w / 2, c.y - sheet_h / 2, 0, 0};
  s.x2 = s.x1 + sheet_w;
  s.y2 = s.y1 + sheet_h;
  Check_Prop_Sheet_Frames(&s.x1, &s.y1, &s.x2, &s.y2);
  return s;
}

// The status line between the help button and the confirming one, moved with the sheet.
void _Draw_Status_Line(void (*status_line)(char *), int x1, int x2, int bottom, int dx, int dy) {
  char text[200] = "";
  status_line(text);
  text[sizeof text - 1] = '\0';
  Draw_Sheet_Text_Frame(x1 + dx, bottom - 26 + dy, x2 + dx, bottom - 9 + dy, text, 209, 1, 0x1000, BLACK_CI, BUTTON_CI);
}

// A page code that no handler took: 1000 + i selects page i of a register, 2000 + i is an
// event of page i's input table or, when the table does not take it, of its area.
void _Page_Code(SheetLevel &lv, int code) {
  const int p = code >= 2000 ? code - 2000 : code - 1000;
  if (code >= 1000 && code <= 1999 && lv.has_register && p < lv.count) {
    lv.current = p;
  } else if (code >= 2000 && code <= 2999 && p < lv.count && lv.areas[p] >= 0) {
    if (Handle_Input_Table_Event(lv.tables[p]) == 0) Handle_View_Area_Event(lv.areas[p]);
  }
}

int _Run(WIDGET_SHEET_DESCRIPTION *d, int count, WIDGET_SHEET_PAGE *pages, bool one_page) {
  if (!d || !pages || count < 1) return 0;
  SheetState &st = _S();
  Widget_Hover_Function();
  _Init_Centre(st.centre);
  const int old_buffer = pxBuff(-1);
  d->title[sizeof d->title - 1] = '\0';
  d->help_topic[sizeof d->help_topic - 1] = '\0';
  d->register_bitmap[sizeof d->register_bitmap - 1] = '\0';

  const bool paged = !one_page && count > 1;
  const int top = _Top_Extra(d->kind), buttons = _Button_Row(d->kind);
  const int m = paged ? 10 : 0;
  const int r = paged ? (d->register_height > 0 ? d->register_height : 30) : 0;
  const int reserved = paged ? r + 10 : 0;
  const int w = std::min(d->max_width, NPIXEL_X - 2 * m - d->margin_left - d->margin_right - 15);
  const int h = std::min(d->max_height, NPIXEL_Y - 2 * m - r - top - d->margin_top - d->margin_bottom - buttons - 30);
  const int sheet_w = d->margin_left + w + 2 * m + d->margin_right;
  const int sheet_h = h + reserved + m + top + d->margin_top + d->margin_bottom + buttons;
  const int number = one_page ? d->sheet_number + 105 : d->sheet_number + 5 * count + 100;

  Rect s{};
  if (d->kind == 4 || d->kind == 8) {
    Init_Mouse_Move_Restriction(0, 0, NPIXEL_X - 1, NPIXEL_Y - 1);
    Set_Prop_Sheet_Screen_Base(2, 2, NPIXEL_X - 10, NPIXEL_Y - 10);
    s = {0, 0, NPIXEL_X - 1, NPIXEL_Y - 1};
    Set_NoFrameFlag_to_Next_PropSheet();
    if (d->kind == 8) {
      YRMSetMinMaxSize(NPIXEL_X, NPIXEL_Y, NPIXEL_X, NPIXEL_Y);
      pxBgc(MENUE_CI);
      pxCls();
    }
    Define_Prop_Sheet(0, 0, s.x2, s.y2, 0, 0, "", number, 1);
  } else {
    s = _Place_Sheet(st.centre, sheet_w, sheet_h);
    Define_Prop_Sheet(s.x1, s.y1, s.x2, s.y2, 1, 0, d->title, number, 1);
  }
  const int base_x = st.centre.x, base_y = st.centre.y;

  SheetLevel level = _New_Level(d, pages, count, paged);

  // The register and the start page.
  const Rect reg{s.x1 + d->margin_left, s.y1 + top + d->margin_top, s.x2 - d->margin_right,
                 s.y2 - d->margin_bottom - buttons};
  const int tab_bottom = reg.y1 + r;
  int visible = 0;
  for (int i = 0; i < count; ++i) visible += _Visible(pages[i]) ? 1 : 0;
  const int tab_width = d->tab_width > 0 ? d->tab_width : (w + 2 * m - (visible - 1)) / std::max(visible, 1);
  level.current = d->page >= 0 && d->page < count && _Visible(pages[d->page]) ? d->page : 0;
  if (!_Visible(pages[level.current]))
    for (int i = 0; i < count; ++i)
      if (_Visible(pages[i])) {
        level.current = i;
        break;
      }
  if (paged) {
    pxFgc(GetYRMColor(-1));
    pxRect(reg.x1, reg.y1, reg.x2, tab_bottom);
    _Draw_Tabs(level, reg, tab_bottom, tab_width, d->register_bitmap, false);
    const int handle = Add_Register_to_PS(reg.x1, reg.y1, reg.x2, reg.y2, tab_bottom);
    int v = 0;
    for (int i = 0; i < count; ++i) {
      if (_Visible(pages[i])) {
        const int x = reg.x1 + v++ * (tab_width + 1);
        level.members[i] = Add_Register_Member_to_PS(handle, x, x + tab_width, 1000 + i);
      } else {
        level.members[i] = Add_Register_Member_to_PS(handle, reg.x2 - 1, reg.x2, 1000 + i);
        Change_Activity_PS(level.members[i], 0);
      }
    }
    if (d->kind != 4 && d->kind != 8) Set_Selected_Register_Member(level.current + 1);
  }

  // The page areas.
  int displacement_x = 0, displacement_y = 0;
  st.stack.push_back(level);
  SheetLevel &L = st.stack.back();
  for (int i = 0; i < count; ++i) {
    WIDGET_SHEET_PAGE &p = pages[i];
    if (!_Visible(p) || !p.build) continue;
    _Add_Page_Area(L, i, Rect{reg.x1 + m, reg.y1 + reserved, reg.x2 - m, reg.y2 - m}, _Pushes_Area(d->kind),
                   &displacement_x, &displacement_y);
  }
  _Open_Values(L);

  int status_end = 0, help_x = 0;
  const int default_button = _Add_Buttons(*d, s, &status_end, &help_x);
  if (d->after_define) d->after_define(s.x1, s.y1, s.x2, s.y2);
  for (int i = 0; i < count; ++i)
    if (pages[i].init) pages[i].init(L.tables[i]);
  if (st.pointer_jump && default_button > 0) Move_Mouse_Cursor_to_Button_of_PS(default_button, 0);
  Activate_Prop_Sheet();
  pxBuff(old_buffer);
  Inquire_Prop_Sheet_Displacement(&displacement_x, &displacement_y);

  int result = 0, last = -1;
  for (;;) {
    SheetLevel &lv = st.stack.back();  // callbacks may open sheets of their own
    st.cancel_request = st.confirm_request = 0;
    if (d->status_line)
      _Draw_Status_Line(d->status_line, help_x + 30, status_end - 20, s.y2, displacement_x, displacement_y);
    if (default_button > 0) Change_Activity_PS(default_button, 1);
    pxBuff(-1);
    if (d->each_pass) d->each_pass(lv.current);
    if (last >= 0 && lv.current != last) {
      if (lv.areas[last] >= 0) {
        Set_View_Area_Activity(lv.areas[last], 0);
        Change_Activity_PS(lv.escapes[last], 0);
      }
      if (d->page_change && d->page_change(last, lv.current)) {
        lv.current = last;
        if (lv.has_register) Set_Selected_Register_Member(lv.current + 1);
      }
    }
    if (lv.has_register && lv.pages[lv.current].state == 0) {
      lv.current = last >= 0 && lv.pages[last].state != 0 ? last : _First_Selectable(lv);
      Set_Selected_Register_Member(lv.current + 1);
    }
    if (lv.has_register)
      _Draw_Tabs(lv, reg, tab_bottom, tab_width, nullptr, true);
    _Build_Page(lv, lv.current);
    last = lv.current;
    pxBuff(old_buffer);
    int code;
    if (d->forced_code >= 0) {
      code = d->forced_code;
      d->forced_code = -1;
    } else {
      code = Edit_Prop_Sheet();
      if (code == 0 && getkeymask()) code = 100;  // the host was aborted
    }
    Inquire_Prop_Sheet_Displacement(&displacement_x, &displacement_y);
    st.corner_x = s.x1 + displacement_x;
    st.corner_y = s.y1 + displacement_y;
    if (code != 100 && code != 200) {
      int handled = 0;
      if (d->code_handler) {
        Activate_Call_Allways_Function(0);
        handled = d->code_handler(code);
        Set_Widget_Hover_Active(1);
      }
      if (!handled) _Page_Code(lv, code);
      if (st.cancel_request) code = 100;
      else if (st.confirm_request) code = 200;
    }
    if (code == 100) {
      st.centre.x = base_x + displacement_x;
      st.centre.y = base_y + displacement_y;
      if (d->cancel_check && d->cancel_check()) continue;
      result = 0;
      break;
    }
    if (code == 200) {
      st.centre.x = base_x + displacement_x;
      st.centre.y = base_y + displacement_y;
      if (Finish_Widget_Sheet_Values(lv.value_level) != 0) continue;
      if (d->confirm_check && d->confirm_check()) continue;
      result = 1;
      break;
    }
  }

  // Closing: values back, areas and tables gone, the level popped.
  SheetLevel &lv = st.stack.back();
  _Close_Level(lv, _Pushes_Area(d->kind));
  if (d->finish) d->finish();
  d->page = lv.current;
  Undefine_Prop_Sheet();
  st.stack.pop_back();
  st.cancel_request = st.confirm_request = st.rebuild_request = 0;
  return result;
}

}  // namespace

void Init_Widget_Sheet_Description(WIDGET_SHEET_DESCRIPTION *d) {
  if (!d) return;
  *d = WIDGET_SHEET_DESCRIPTION{};
  d->sheet_number = 40;
  d->max_height = 150;
  d->max_width = 200;
  d->margin_top = d->margin_bottom = d->margin_left = d->margin_right = 8;
  d->page = -1;
  d->forced_code = -1;
}

void Init_Widget_Sheet_Pages(int count, WIDGET_SHEET_PAGE *pages) {
  for (int i = 0; pages && i < count; ++i) {
    WIDGET_SHEET_PAGE &p = pages[i];
    p = WIDGET_SHEET_PAGE{};
    p.state = 1;
    p.tab_color = -9;
    p.tab_color_off = -6;
    p.area_dx = p.area_dy = p.area_width = p.area_height = -1;
    p.scroll_x = p.scroll_y = -1;
    p.table_width = -1;
    p.table_x = 30;
    p.table_y = 10;
  }
}

int Run_Widget_Register_Sheet(WIDGET_SHEET_DESCRIPTION *description, int page_count, WIDGET_SHEET_PAGE *pages) {
  return _Run(description, page_count, pages, false);
}

int Run_Widget_Sheet(WIDGET_SHEET_DESCRIPTION *description, WIDGET_SHEET_PAGE *page) {
  return _Run(description, 1, page, true);
}

namespace {

// Layout of the simple sheet, for one page and for several.
struct SimpleLayout {
  int margin, tab_row, above, below, side, extra;
};
constexpr SimpleLayout kSimpleOnePage{7, 0, 35, 30, 14, 7};
constexpr SimpleLayout kSimplePaged{10, 30, 40, 35, 20, 40};

// Host activity of a register member for a page state: 1 active, -1 greyed (state 0),
// 0 inactive (hidden).
int _Member_Activity(int state) { return state == 0 ? -1 : state == -2 ? 0 : 1; }

}  // namespace

int Run_Simple_Widget_Register_Sheet(int height, int width, const char *title, int page_count,
                                     WIDGET_SHEET_PAGE *pages, void (*status_line)(char *text),
                                     const char *help_topic) {
  if (!pages || page_count < 1) return 0;
  SheetState &st = _S();
  Widget_Hover_Function();
  _Init_Centre(st.simple_centre);
  const int old_buffer = pxBuff(-1);

  const bool paged = page_count > 1;
  const SimpleLayout &k = paged ? kSimplePaged : kSimpleOnePage;
  const int w = std::min(width, NPIXEL_X - k.side - 30);
  const int h = std::min(height, NPIXEL_Y - k.above - k.below - k.tab_row - 45);
  const int sheet_w = w + 4 * k.margin;
  const int sheet_h = k.extra + h + k.margin + k.above + k.below;
  const int tab_width = (w + 2 * k.margin - (page_count - 1)) / page_count;

  const Rect s = _Place_Sheet(st.simple_centre, sheet_w, sheet_h);
  Define_Prop_Sheet(s.x1, s.y1, s.x2, s.y2, 1, 0, title ? title : "", 140, 1);
  const int base_x = st.simple_centre.x, base_y = st.simple_centre.y;

  SheetLevel level = _New_Level(nullptr, pages, page_count, paged);
  level.current = 0;
  std::vector<int> member_state(page_count, 1);  // the state each member was last given

  // The register spans the sheet less the margin, from top + above to bottom - below.
  const Rect reg{s.x1 + k.margin, s.y1 + k.above, s.x2 - k.margin, s.y2 - k.below};
  const int tab_bottom = reg.y1 + k.tab_row;
  if (paged) {
    pxFgc(GetYRMColor(-1));
    pxRect(reg.x1, reg.y1, reg.x2, tab_bottom);
    const int handle = Add_Register_to_PS(reg.x1, reg.y1, reg.x2, reg.y2, tab_bottom);
    int v = 0;
    for (int i = 0; i < page_count; ++i) {
      const bool visible = _Visible(pages[i]);
      const int x = visible ? reg.x1 + v++ * (tab_width + 1) : reg.x2 - 1;
      level.members[i] = Add_Register_Member_to_PS(handle, x, visible ? x + tab_width : reg.x2, 1000 + i);
      member_state[i] = pages[i].state;
      if (_Member_Activity(pages[i].state) != 1) Change_Activity_PS(level.members[i], _Member_Activity(pages[i].state));
    }
    Set_Selected_Register_Member(1);
  }

  // Every visible page has an area, pushed on the widget area stack, and an input table.
  int displacement_x = 0, displacement_y = 0;
  st.stack.push_back(level);
  SheetLevel &L = st.stack.back();
  for (int i = 0; i < page_count; ++i) {
    WIDGET_SHEET_PAGE &p = pages[i];
    if (!_Visible(p)) continue;
    _Add_Page_Area(L, i, Rect{reg.x1 + k.margin, tab_bottom + k.margin, reg.x2 - k.margin, reg.y2 - k.margin},
                   true, &displacement_x, &displacement_y);
  }
  _Open_Values(L);

  // Buttons: "abbrechen" code 1, "Hilfe", "bestätigen" code 2; the pointer goes to "abbrechen".
  const int centre = static_cast<int>(std::lround((s.x1 + s.x2) / 2.0));
  const int help_x = status_line ? s.x1 + k.margin + 30 : centre;
  const int ok_x = s.x2 - k.margin - 20;
  const int cancel = Add_Image_Button_to_PS(s.x1 + k.margin - 3, s.y2 - 29, SYMBOLIC_BREAK_RASTER, 1);
  Set_Comment_to_Button_PS(cancel, "abbrechen");
  if (help_topic && help_topic[0]) {
    const int help = Add_Help_to_PS(help_x, s.y2 - 29, 1, 0, 0, help_topic);
    Set_Comment_to_Button_PS(help, "Hilfe");
  }
  const int ok = Add_Image_Button_to_PS(ok_x, s.y2 - 29, SYMBOLIC_OK_RASTER, 2);
  Set_Comment_to_Button_PS(ok, "bestätigen"_cp);
  for (int i = 0; i < page_count; ++i)
    if (pages[i].init) pages[i].init(L.tables[i]);
  if (st.pointer_jump && cancel > 0) Move_Mouse_Cursor_to_Button_of_PS(cancel, 0);
  Activate_Prop_Sheet();
  pxBuff(old_buffer);
  Inquire_Prop_Sheet_Displacement(&displacement_x, &displacement_y);

  int result = 0, last = -1;
  for (;;) {
    SheetLevel &lv = st.stack.back();  // a build may open sheets of its own
    st.cancel_request = st.confirm_request = 0;
    if (status_line) _Draw_Status_Line(status_line, help_x + 30, ok_x - 20, s.y2, displacement_x, displacement_y);
    if (cancel > 0) Change_Activity_PS(cancel, 1);
    pxBuff(-1);
    if (lv.has_register) {
      // A state changed since the last pass goes on to the member.
      for (int i = 0; i < lv.count; ++i) {
        if (lv.pages[i].state == member_state[i]) continue;
        member_state[i] = lv.pages[i].state;
        Change_Activity_PS(lv.members[i], _Member_Activity(member_state[i]));
      }
    }
    // A current page that cannot be selected gives the selection to the nearest one that can
    // (none: it stays).
    if (!_Selectable(lv.pages[lv.current])) {
      const int to = _Nearest_Selectable(lv, lv.current);
      if (to != lv.current) {
        lv.current = to;
        if (lv.has_register) Set_Selected_Register_Member(to + 1);
      }
    }
    if (last >= 0 && lv.current != last && lv.areas[last] >= 0) {
      Set_View_Area_Activity(lv.areas[last], 0);
      Change_Activity_PS(lv.escapes[last], 0);
    }
    // The tab titles over the members as they are now drawn (each in its state's colour).
    if (lv.has_register) _Draw_Tabs(lv, reg, tab_bottom, tab_width, nullptr, false);
    _Build_Page(lv, lv.current);
    last = lv.current;
    pxBuff(old_buffer);
    int code = Edit_Prop_Sheet();
    if (code == 0 && getkeymask()) code = 1;  // the host was aborted: read as cancel
    Inquire_Prop_Sheet_Displacement(&displacement_x, &displacement_y);
    st.corner_x = s.x1 + displacement_x;
    st.corner_y = s.y1 + displacement_y;
    if (code != 1 && code != 2) {
      _Page_Code(lv, code);
      if (st.cancel_request) code = 1;
      else if (st.confirm_request) code = 2;
    }
    if (code == 1 || code == 2) {
      st.simple_centre.x = base_x + displacement_x;
      st.simple_centre.y = base_y + displacement_y;
    }
    if (code == 1) break;
    if (code == 2 && Finish_Widget_Sheet_Values(lv.value_level) == 0) {
      result = 1;
      break;
    }
  }

  // Closing: scaled values divided back, int mirrors rounded back into the caller's ints and
  // every entry of the level dropped (no entry may outlive the variables it points at).
  SheetLevel &lv = st.stack.back();
  _Close_Level(lv, true);
  Undefine_Prop_Sheet();
  st.stack.pop_back();
  st.cancel_request = st.confirm_request = st.rebuild_request = 0;
  return result;
}

WIDGET_SHEET_PAGE *Set_Widget_Sheet_Page_State(int page, int state) {
  SheetLevel *l = _Top();
  if (!l || page < 0 || page >= l->count) return nullptr;
  l->pages[page].state = state;
  return &l->pages[page];
}

int Get_Widget_Sheet_Page_State(int page) {
  SheetLevel *l = _Top();
  return l && page >= 0 && page < l->count ? l->pages[page].state : -1;
}

void Select_Widget_Sheet_Page(int page) {
  SheetLevel *l = _Top();
  if (!l || page < 0 || page >= l->count || page == l->current) return;
  const int previous = l->current;
  l->current = page;
  if (l->has_register) Set_Selected_Register_Member(page + 1);
  if (l->description && l->description->page_change && l->description->page_change(previous, page)) {
    // Refused: the previous page and its tab again, so that the tab shown is the page shown.
    l->current = previous;
    if (l->has_register) Set_Selected_Register_Member(previous + 1);
  }
}

int Get_Widget_Sheet_Page() {
  SheetLevel *l = _Top();
  return l ? l->current : -1;
}

void Set_Widget_Sheet_Page_Table_Layout(int page, int flag) {
  SheetLevel *l = _Top();
  if (l && page >= 0 && page < l->count) l->layout[page] = flag;
}

void Get_Widget_Sheet_Position(int *x, int *y) {
  if (x) *x = _S().corner_x;
  if (y) *y = _S().corner_y;
}

void Request_Widget_Sheet_Cancel() { _S().cancel_request = 1; }
void Request_Widget_Sheet_Confirm() { _S().confirm_request = 1; }
void Request_Widget_Sheet_Rebuild() { _S().rebuild_request = 1; }
void Set_Widget_Sheet_Pointer_Jump(int flag) { _S().pointer_jump = flag; }
void Enable_Widget_Sheet_Pointer_Jump() { _S().pointer_jump = 1; }
void Disable_Widget_Sheet_Pointer_Jump() { _S().pointer_jump = 0; }

int Apply_All_Widget_Sheet_Values() {
  SheetState &st = _S();
  const int saved = Get_Widget_Drop_Int_Mirrors();
  Set_Widget_Drop_Int_Mirrors(0);
  int answer = 0;
  for (auto it = st.stack.rbegin(); it != st.stack.rend() && answer == 0; ++it)
    answer = Finish_Widget_Sheet_Values(it->value_level);
  Set_Widget_Drop_Int_Mirrors(saved);
  return answer;
}

int Get_Widget_Sheet_Depth() { return static_cast<int>(_S().stack.size()); }
