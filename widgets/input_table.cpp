// Input tables: lists of equal rows on a view area with delete, duplicate, append and row
// number controls and optional column buttons; their layout and their events.
#include <cstdio>
#include <cstring>

#include "host/host.h"
#include "host/host_screen.h"
#include "support/support.h"
#include "widgets/view_events.h"
#include "widgets/widget_layer.h"
#include "widgets/widget_layer_internal.h"

namespace {

enum Icon { kDelete, kDuplicate, kDuplicateOff, kAppend, kColumn, kIconCount };
constexpr int kIconWidth[kIconCount] = {13, 17, 17, 35, 27};
constexpr int kIconHeight = 16;
constexpr int kAppendMarker = 1;  // value of the append control's click spot
constexpr int kSpotCursor = 18;

struct InputTableState {
  INPUT_TABLE slots[INPUT_TABLE_COUNT] = {};
  // Icon colours, each set fixed once per run by its own initialiser.
  bool delete_colours_set = false, duplicate_colours_set = false, duplicate_off_colours_set = false;
  bool append_colours_set = false, column_colours_set = false;
  int delete_colours[5] = {}, duplicate_colours[6] = {}, duplicate_off_colours[5] = {};
  int append_colours[3] = {}, column_colours[7] = {};
  unsigned char pixels[kIconCount][35 * kIconHeight] = {};
  TREEVIEW_IMAGE icons[kIconCount] = {};
  bool icons_made = false;
  int current_table = -1;
  INPUT_TABLE_COLUMN *current_column = nullptr;
  bool reset_registered = false;
};
InputTableState g;

InputTableState &_S() {
  if (!g.reset_registered) {
    g.reset_registered = true;
    Host_Register_Reset(&Reset_Input_Tables_For_Tests);
  }
  return g;
}

INPUT_TABLE *_Table(int t) {
  if (t < 0 || t >= INPUT_TABLE_COUNT) return nullptr;
  INPUT_TABLE *table = &_S().slots[t];
  return table->in_use ? table : nullptr;
}

INPUT_TABLE_ROW *_New_Row(const INPUT_TABLE *table, const void *record) {
  auto *row = static_cast<INPUT_TABLE_ROW *>(Tools_Alloc(nullptr, sizeof(INPUT_TABLE_ROW), 1));
  row->record = Tools_Alloc(nullptr, static_cast<std::size_t>(table->row_size), 1);
  if (record) std::memcpy(row->record, record, static_cast<std::size_t>(table->row_size));
  return row;
}

void _Free_Row(INPUT_TABLE_ROW *row) {
  if (!row) return;
  Tools_Free(&row->record);
  Tools_Free(&row);
}

// Links row behind after (null: at the front).
void _Link_After(INPUT_TABLE *table, INPUT_TABLE_ROW *after, INPUT_TABLE_ROW *row) {
  row->previous = after;
  row->next = after ? after->next : table->first_row;
  if (row->next)
    row->next->previous = row;
  else
    table->last_row = row;
  if (after)
    after->next = row;
  else
    table->first_row = row;
  table->row_count += 1;
}

INPUT_TABLE_ROW *_Row_At(const INPUT_TABLE *table, int position) {
  INPUT_TABLE_ROW *row = table->first_row;
  for (int k = 1; row && k < position; ++k) row = row->next;
  return position >= 1 ? row : nullptr;
}

void _Unlink_and_Free(INPUT_TABLE *table, INPUT_TABLE_ROW *row) {
  if (table->walk_row == row) table->walk_row = row->previous;
  if (row->previous)
    row->previous->next = row->next;
  else
    table->first_row = row->next;
  if (row->next)
    row->next->previous = row->previous;
  else
    table->last_row = row->previous;
  table->row_count -= 1;
  _Free_Row(row);
}

void _Free_Rows(INPUT_TABLE *table) {
  INPUT_TABLE_ROW *row = table->first_row;
  while (row) {
    INPUT_TABLE_ROW *next = row->next;
    _Free_Row(row);
    row = next;
  }
  table->first_row = table->last_row = table->walk_row = nullptr;
  table->row_count = 0;
}

void _Free_Table(INPUT_TABLE *table) {
  _Free_Rows(table);
  _Free_Row(table->edit_row);
  INPUT_TABLE_COLUMN *column = table->first_column;
  while (column) {
    INPUT_TABLE_COLUMN *next = column->next;
    Tools_Free(&column);
    column = next;
  }
  *table = INPUT_TABLE{};
}

// ---------------------------------------------------------------- icons

void Init_Row_Delete_Icon_Colors(InputTableState &s) {
  if (s.delete_colours_set) return;
  s.delete_colours_set = true;
  const int rgb[5][3] = {{0, 0, 0}, {255, 255, 255}, {255, 255, 0}, {239, 195, 0}, {224, 160, 64}};
  for (int i = 0; i < 5; ++i) s.delete_colours[i] = Nearest_Color_Index(rgb[i][0], rgb[i][1], rgb[i][2]);
}

void Init_Row_Duplicate_Icon_Colors(InputTableState &s) {
  if (s.duplicate_colours_set) return;
  s.duplicate_colours_set = true;
  const int rgb[6][3] = {{0, 0, 0}, {255, 255, 255}, {0, 0, 255}, {255, 138, 138}, {187, 187, 187}, {255, 0, 0}};
  for (int i = 0; i < 6; ++i) s.duplicate_colours[i] = Nearest_RGB_Color(rgb[i][0], rgb[i][1], rgb[i][2]);
}

void Init_Row_Duplicate_Off_Icon_Colors(InputTableState &s) {
  if (s.duplicate_off_colours_set) return;
  s.duplicate_off_colours_set = true;
  const int rgb[5][3] = {{208, 208, 208}, {240, 240, 240}, {64, 160, 192}, {128, 192, 192}, {176, 176, 176}};
  for (int i = 0; i < 5; ++i) s.duplicate_off_colours[i] = Nearest_Color_Index(rgb[i][0], rgb[i][1], rgb[i][2]);
}

void Init_Row_Append_Icon_Colors(InputTableState &s) {
  if (s.append_colours_set) return;
  s.append_colours_set = true;
  const int rgb[3][3] = {{0, 0, 0}, {255, 255, 255}, {255, 0, 0}};
  for (int i = 0; i < 3; ++i) s.append_colours[i] = Nearest_Color_Index(rgb[i][0], rgb[i][1], rgb[i][2]);
}

void Init_Column_Icon_Colors(InputTableState &s) {
  if (s.column_colours_set) return;
  s.column_colours_set = true;
  const int rgb[7][3] = {{0, 0, 0},       {255, 255, 255}, {0, 0, 255}, {0, 128, 128},
                         {128, 128, 128}, {200, 200, 170}, {0, 160, 192}};
  for (int i = 0; i < 7; ++i) s.column_colours[i] = Nearest_Color_Index(rgb[i][0], rgb[i][1], rgb[i][2]);
}

// A framed sheet of paper (slots: frame, face) from (x1, y1) to (x2, y2) of an icon.
void _Sheet(unsigned char *p, int w, int x1, int y1, int x2, int y2, unsigned char frame, unsigned char face) {
  for (int y = y1; y <= y2; ++y)
    for (int x = x1; x <= x2; ++x)
      p[y * w + x] = (y == y1 || y == y2 || x == x1 || x == x2) ? frame : face;
}

// Our own pictures of the five icons, in the slots of their colour sets.
void _Make_Icons(InputTableState &s) {
  if (s.icons_made) return;
  s.icons_made = true;
  // Delete: a sheet with a cross of the warm colours.
  unsigned char *d = s.pixels[kDelete];
  _Sheet(d, 13, 1, 1, 11, 14, 1, 2);
  for (int i = 0; i < 7; ++i) {
    d[(4 + i) * 13 + 3 + i] = 5;
    d[(4 + i) * 13 + 9 - i] = 5;
    d[(4 + i) * 13 + 4 + i] = 4;
  }
  d[2 * 13 + 3] = d[2 * 13 + 9] = 3;
  // Duplicate (and its greyed twin): two sheets, the front one with blue lines and a red mark.
  for (int icon : {kDuplicate, kDuplicateOff}) {
    unsigned char *p = s.pixels[icon];
    const bool off = icon == kDuplicateOff;
    _Sheet(p, 17, 1, 1, 10, 11, off ? 5 : 5, 2);
    _Sheet(p, 17, 6, 4, 15, 14, 1, 2);
    for (int y = 7; y <= 11; y += 2)
      for (int x = 8; x <= 13; ++x) p[y * 17 + x] = 3;
    p[6 * 17 + 13] = off ? 4 : 6;
    p[12 * 17 + 8] = 4;
  }
  // Append: a sheet with a red plus and a long bar.
  unsigned char *a = s.pixels[kAppend];
  _Sheet(a, 35, 1, 1, 33, 14, 1, 2);
  for (int i = 4; i <= 11; ++i) a[i * 35 + 8] = a[i * 35 + 9] = 3;
  for (int x = 5; x <= 12; ++x) a[7 * 35 + x] = a[8 * 35 + x] = 3;
  for (int x = 16; x <= 30; ++x) a[8 * 35 + x] = 1;
  // Column button: a column of a table with a header.
  unsigned char *c = s.pixels[kColumn];
  _Sheet(c, 27, 0, 0, 26, 15, 1, 6);
  for (int x = 1; x <= 25; ++x)
    for (int y = 1; y <= 3; ++y) c[y * 27 + x] = 4;
  for (int y = 5; y <= 14; y += 3)
    for (int x = 9; x <= 17; ++x) c[y * 27 + x] = (y == 8) ? 3 : 5;
  for (int y = 4; y <= 14; ++y) c[y * 27 + 8] = c[y * 27 + 18] = 7;
  const int *colours[kIconCount] = {s.delete_colours, s.duplicate_colours, s.duplicate_off_colours,
                                    s.append_colours, s.column_colours};
  const int counts[kIconCount] = {5, 6, 5, 3, 7};
  for (int i = 0; i < kIconCount; ++i)
    s.icons[i] = TREEVIEW_IMAGE{kIconWidth[i], kIconHeight, s.pixels[i], colours[i], counts[i]};
}

// The spot of a control with its cursor and tooltip.
void _Spot(int area, int x1, int y1, int x2, int y2, int value, int *target, const char *tooltip) {
  Add_Click_Spot_to_View_Area(area, x1, y1, x2, y2, value, target);
  Set_Click_Spot_Option(area, kSpotCursor);
  if (tooltip) Set_Click_Spot_Tooltip(area, tooltip, 0x41006, BLACK_CI, 0);
}

bool _Below_Limit(const INPUT_TABLE *table) { return table->max_rows == 0 || table->max_rows > table->row_count; }

}  // namespace

void Reset_Input_Tables_For_Tests() {
  for (INPUT_TABLE &table : g.slots)
    if (table.in_use) _Free_Table(&table);
  bool registered = g.reset_registered;
  g = InputTableState{};
  g.reset_registered = registered;
}

INPUT_TABLE *Input_Table_Slot(int t) { return _Table(t); }

void Set_Input_Table_Menu_Current(int t, INPUT_TABLE_COLUMN *column) {
  _S().current_table = t;
  _S().current_column = column;
}

void Get_Input_Table_Menu_Current(int *t, INPUT_TABLE_COLUMN **column) {
  *t = _S().current_table;
  *column = _S().current_column;
}

const TREEVIEW_IMAGE *Input_Table_Icon(int icon) {
  if (icon < 0 || icon >= kIconCount) return nullptr;
  return &_S().icons[icon];
}

int Create_Input_Table(int area, int y0, int x1, int x2, int row_pitch, int row_size, INPUT_TABLE_ROW_FN callback) {
  InputTableState &s = _S();
  Init_Row_Delete_Icon_Colors(s);
  Init_Row_Duplicate_Icon_Colors(s);
  Init_Row_Duplicate_Off_Icon_Colors(s);
  Init_Row_Append_Icon_Colors(s);
  Init_Column_Icon_Colors(s);
  _Make_Icons(s);
  for (int t = 0; t < INPUT_TABLE_COUNT; ++t) {
    INPUT_TABLE &table = s.slots[t];
    if (table.in_use) continue;
    table = INPUT_TABLE{};
    table.in_use = 1;
    table.area = area;
    table.row_size = row_size > 0 ? row_size : 0;
    table.y0 = y0;
    table.x1 = x1;
    table.x2 = x2;
    table.row_pitch = row_pitch;
    table.row_callback = callback;
    return t;
  }
  return -1;
}

void Set_Input_Table_Button_Position(int t, int kind, int dx, int dy) {
  INPUT_TABLE *table = _Table(t);
  if (!table) return;
  int *on = nullptr, *x = nullptr, *y = nullptr;
  switch (kind) {
    case 1: on = &table->delete_on, x = &table->delete_dx, y = &table->delete_dy; break;
    case 2: on = &table->duplicate_on, x = &table->duplicate_dx, y = &table->duplicate_dy; break;
    case 3: on = &table->append_on, x = &table->append_dx, y = &table->append_dy; break;
    case 4: on = &table->number_on, x = &table->number_dx, y = &table->number_dy; break;
    default: return;
  }
  *on = 1, *x = dx, *y = dy;
}

void Set_Input_Table_Edit_Row(int t, const void *record) {
  INPUT_TABLE *table = _Table(t);
  if (!table) return;
  if (!table->edit_row) table->edit_row = _New_Row(table, nullptr);
  if (record) std::memcpy(table->edit_row->record, record, static_cast<std::size_t>(table->row_size));
}

void Append_Input_Table_Row(int t, const void *record) {
  INPUT_TABLE *table = _Table(t);
  if (!table) return;
  _Link_After(table, table->last_row, _New_Row(table, record));
}

void Set_Input_Table_Max_Rows(int t, int n) {
  if (INPUT_TABLE *table = _Table(t)) table->max_rows = n;
}

void Layout_Input_Table(int t) {
  INPUT_TABLE *table = _Table(t);
  if (!table) return;
  InputTableState &s = _S();
  const int area = table->area;
  const int box_colour = Nearest_Color_Index(232, 232, 232);
  const int number_colour = Nearest_Color_Index(130, 130, 130);
  const int x1 = table->x1;
  int y = table->y0;
  int k = 1;
  for (INPUT_TABLE_ROW *row = table->first_row; row; row = row->next, ++k) {
    Add_Box_to_View_Area(area, x1, k == 1 ? y - 6 : y, table->x2, y + table->row_pitch, box_colour);
    if (table->row_callback) table->row_callback(1, area, x1, y, row->record);
    if (table->delete_on) {
      const int cx = x1 + table->delete_dx, cy = y + table->delete_dy;
      Add_Tree_Image_to_View_Area(area, &s.icons[kDelete], cx, cy, cx + 14, cy + 16, -1);
      _Spot(area, cx, cy, cx + 14, cy + 16, k, &table->delete_clicked, "Zeile löschen"_cp);
    }
    if (table->duplicate_on) {
      const int cx = x1 + table->duplicate_dx, cy = y + table->duplicate_dy;
      if (_Below_Limit(table)) {
        Add_Tree_Image_to_View_Area(area, &s.icons[kDuplicate], cx, cy, cx + 18, cy + 16, -1);
        _Spot(area, cx, cy, cx + 18, cy + 16, k, &table->duplicate_clicked, "Zeile duplizieren");
      } else {
        Add_Tree_Image_to_View_Area(area, &s.icons[kDuplicateOff], cx, cy, cx + 18, cy + 16, -1);
      }
    }
    if (table->number_on) {
      char number[16];
      std::snprintf(number, sizeof number, "%d:", k);
      Add_Text_to_View_Area(area, x1 + table->number_dx, y + table->number_dy, number, 4096, number_colour, 1);
    }
    y += table->row_pitch;
  }
  if (table->append_on && _Below_Limit(table)) {
    Add_Box_to_View_Area(area, x1, y, table->x2, y + table->row_pitch - 5, box_colour);
    const int cx = x1 + table->append_dx, cy = y + table->append_dy;
    Add_Tree_Image_to_View_Area(area, &s.icons[kAppend], cx, cy, cx + 35, cy + 16, -1);
    _Spot(area, cx, cy, cx + 35, cy + 16, kAppendMarker, &table->append_clicked, "neue Zeile anfügen"_cp);
  }
  int number = 1;
  for (INPUT_TABLE_COLUMN *column = table->first_column; column; column = column->next, ++number) {
    const int bx = column->button_x, by = column->button_y;
    Add_Tree_Image_to_View_Area(area, &s.icons[kColumn], bx - 14, by - 8, bx + 14, by + 8, -1);
    _Spot(area, bx - 14, by - 8, bx + 14, by + 8, number, &table->clicked_column, nullptr);
  }
}

int Handle_Input_Table_Event(int t) {
  INPUT_TABLE *table = _Table(t);
  if (!table) return 0;
  const int area = table->area;
  if (!M_LEFT) {
    Wait_on_View_Area(area);
    if (!M_LEFT) return 0;
  }
  int visible_w = 0, visible_h = 0;
  Get_View_Area_Visible_Size(area, &visible_w, &visible_h);
  while (M_LEFT) {
    if (getkeymask() == 1) return 0;
    int ax = 0, ay = 0, sx = 0, sy = 0;
    Get_View_Area_Screen_Origin(area, &ax, &ay);
    Inquire_View_Area_Scroll(area, &sx, &sy);
    const int left = table->x1 + ax - sx, right = table->x2 + ax - sx;
    const int top = table->y0 + ay - sy - (table->first_column ? 25 : 0);
    const int bottom = table->y0 + ay - sy + (table->append_on + table->row_count) * table->row_pitch;
    if (M_XPOS < left || M_XPOS > right || M_YPOS < top || M_YPOS > bottom) return 0;
    LAST_SHEET_EDIT_KEY = 0;
    if (Handle_View_Area_Event(area) == 0) {
      while (M_LEFT && getkeymask() != 1) Get_Mouse_Event();
      return 1;
    }
    if (table->delete_on && table->delete_clicked) {
      INPUT_TABLE_ROW *row = _Row_At(table, table->delete_clicked);
      table->delete_clicked = 0;
      if (row) _Unlink_and_Free(table, row);
      return 2;
    }
    if (table->duplicate_on && table->duplicate_clicked) {
      INPUT_TABLE_ROW *row = _Row_At(table, table->duplicate_clicked);
      table->duplicate_clicked = 0;
      if (row) _Link_After(table, row, _New_Row(table, row->record));
      return 2;
    }
    if (table->append_on && table->append_clicked) {
      table->append_clicked = 0;
      if (!table->edit_row) return 1;  // nothing to copy
      _Link_After(table, table->last_row, _New_Row(table, table->edit_row->record));
      return 2;
    }
    if (table->first_column && table->clicked_column) {
      INPUT_TABLE_COLUMN *column = table->first_column;
      for (int n = 1; column && n < table->clicked_column; ++n) column = column->next;
      table->clicked_column = 0;
      if (column) Open_Input_Table_Column_Menu(t, column);
      Update_View_Area_Scrolling(area);
      return 1;
    }
    const int key = LAST_SHEET_EDIT_KEY;
    LAST_SHEET_EDIT_KEY = 0;
    if (key == 328) {
      M_YPOS -= table->row_pitch;
      M_LEFT = 1;
      if (M_YPOS > ay + 9 || sy < 1) continue;
    } else if (key == 336) {
      M_YPOS += table->row_pitch;
      M_LEFT = 1;
      if (M_YPOS <= ay + visible_h - table->row_pitch + 10) continue;
    } else {
      return 1;
    }
    int dx = 0, dy = key == 328 ? -table->row_pitch : table->row_pitch;
    Scroll_View_Area_by(area, &dx, &dy);
    M_YPOS -= dy;
    Update_View_Area_Scrolling(area);
  }
  return 0;
}

void *First_Input_Table_Row(int t) {
  INPUT_TABLE *table = _Table(t);
  if (!table) return nullptr;
  table->walk_row = table->first_row;
  return table->walk_row ? table->walk_row->record : nullptr;
}

void *Next_Input_Table_Row(int t) {
  INPUT_TABLE *table = _Table(t);
  if (!table) return nullptr;
  // After the cursor's row was deleted the cursor stands on the row before (null: none
  // before, so the walk goes on with the first row).
  table->walk_row = table->walk_row ? table->walk_row->next : table->first_row;
  return table->walk_row ? table->walk_row->record : nullptr;
}

int Get_Input_Table_Row_Count(int t) {
  const INPUT_TABLE *table = _Table(t);
  return table ? table->row_count : 0;
}

int Find_Input_Table_Row(int t, const void *record) {
  const INPUT_TABLE *table = _Table(t);
  if (!table) return 0;
  int k = 1;
  for (const INPUT_TABLE_ROW *row = table->first_row; row; row = row->next, ++k)
    if (row->record == record) return k;
  return 0;
}

void Move_Input_Table(int t, int y0, int x1) {
  INPUT_TABLE *table = _Table(t);
  if (!table) return;
  const int dx = x1 - table->x1, dy = y0 - table->y0;
  table->x1 = x1;
  table->y0 = y0;
  table->x2 += dx;
  for (INPUT_TABLE_COLUMN *column = table->first_column; column; column = column->next) {
    column->button_x += dx;
    column->button_y += dy;
  }
}

void Delete_Input_Table_Rows(int t) {
  if (INPUT_TABLE *table = _Table(t)) _Free_Rows(table);
}

void Delete_Input_Table(int t) {
  if (INPUT_TABLE *table = _Table(t)) _Free_Table(table);
}

void Delete_Input_Tables_of_Area(int area) {
  for (int t = 0; t < INPUT_TABLE_COUNT; ++t) {
    INPUT_TABLE *table = _Table(t);
    if (table && table->area == area) _Free_Table(table);
  }
}

const INPUT_TABLE *Get_Input_Table(int t) { return _Table(t); }
