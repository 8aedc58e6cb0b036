// Column buttons of input tables: the column menu, the stable column sort and the dialog
// "Tabellenspalte belegen" that fills a column with a start value and an increment.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <vector>

#include "host/host.h"
#include "host/host_screen.h"
#include "support/support.h"
#include "widgets/widget_layer.h"
#include "widgets/widget_layer_internal.h"

namespace {

struct ColumnMenuState {
  bool centre_set = false;
  int centre_x = 0, centre_y = 0;
  MENUE_ITEM sort_items[2] = {};
  MENUE_ITEM items[2] = {};
  MENUE sort_menu = {};
  MENUE menu = {};
  bool reset_registered = false;
};
ColumnMenuState g;

ColumnMenuState &_S() {
  if (!g.reset_registered) {
    g.reset_registered = true;
    Host_Register_Reset(&Reset_Column_Menu_For_Tests);
  }
  return g;
}

// The current table and column of the menu, or false when there are none.
bool _Current(INPUT_TABLE **table, INPUT_TABLE_COLUMN **column) {
  int t = -1;
  Get_Input_Table_Menu_Current(&t, column);
  *table = Input_Table_Slot(t);
  return *table && *column;
}

double _Value(const INPUT_TABLE_ROW *row, int offset) {
  double v;
  std::memcpy(&v, static_cast<const char *>(row->record) + offset, sizeof v);
  return v;
}

void _Set_Value(INPUT_TABLE_ROW *row, int offset, double v) {
  std::memcpy(static_cast<char *>(row->record) + offset, &v, sizeof v);
}

// Sorts the records by the column's double, keeping equal keys in their order; a NaN
// sorts last in both directions. The nodes stay; the records are written back in order.
void _Sort(bool ascending) {
  INPUT_TABLE *table;
  INPUT_TABLE_COLUMN *column;
  if (!_Current(&table, &column) || table->row_count < 2) return;
  const int offset = column->offset;
  std::vector<INPUT_TABLE_ROW *> rows;
  for (INPUT_TABLE_ROW *row = table->first_row; row; row = row->next) rows.push_back(row);
  std::vector<std::size_t> order(rows.size());
  for (std::size_t i = 0; i < order.size(); ++i) order[i] = i;
  std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
    const double va = _Value(rows[a], offset), vb = _Value(rows[b], offset);
    if (std::isnan(va)) return false;
    if (std::isnan(vb)) return true;
    return ascending ? va < vb : va > vb;
  });
  const std::size_t size = static_cast<std::size_t>(table->row_size);
  char *scratch = static_cast<char *>(Tools_Alloc(nullptr, size * rows.size(), 0));
  for (std::size_t i = 0; i < order.size(); ++i) std::memcpy(scratch + i * size, rows[order[i]]->record, size);
  for (std::size_t i = 0; i < rows.size(); ++i) std::memcpy(rows[i]->record, scratch + i * size, size);
  Tools_Free(&scratch);
}

void _Build_Menus(ColumnMenuState &s, const INPUT_TABLE_COLUMN *column) {
  s.sort_items[0] = MENUE_ITEM{"aufsteigend", "", " ", 1, &Sort_Input_Table_Column_Ascending, nullptr};
  s.sort_items[1] = MENUE_ITEM{"absteigend", "", " ", 1, &Sort_Input_Table_Column_Descending, nullptr};
  s.sort_menu = MENUE{2, 11, 1, 0, 1, s.sort_items};
  s.items[0] = MENUE_ITEM{"Spalte sortieren", "", " ", column->sortable ? 1 : 0, nullptr, &s.sort_menu};
  s.items[1] = MENUE_ITEM{"Spalte belegen", "", " ", column->fillable ? 1 : 0, &Fill_Input_Table_Column, nullptr};
  s.menu = MENUE{2, 16, 1, 0, 1, s.items};
}

}  // namespace

void Reset_Column_Menu_For_Tests() {
  bool registered = g.reset_registered;
  g = ColumnMenuState{};
  g.reset_registered = registered;
}

void Get_Fill_Dialog_Centre(int *x, int *y) {
  *x = _S().centre_x;
  *y = _S().centre_y;
}

void Open_Input_Table_Column_Menu(int t, INPUT_TABLE_COLUMN *column) {
  ColumnMenuState &s = _S();
  Set_Input_Table_Menu_Current(t, column);
  _Build_Menus(s, column);
  Menue_Manager(&s.menu);
  Set_Input_Table_Menu_Current(-1, nullptr);
}

INPUT_TABLE_COLUMN *Add_Input_Table_Column(int t, int button_x, int button_y, int value, int flags,
                                           const char *format, int offset) {
  INPUT_TABLE *table = Input_Table_Slot(t);
  if (!table || offset < 0 || offset + static_cast<int>(sizeof(double)) > table->row_size) return nullptr;
  auto *column = static_cast<INPUT_TABLE_COLUMN *>(Tools_Alloc(nullptr, sizeof(INPUT_TABLE_COLUMN), 1));
  std::snprintf(column->format, sizeof column->format, "%s", format ? format : "%14.8f");
  column->button_x = button_x;
  column->button_y = button_y;
  column->value = value;
  column->offset = offset;
  column->sortable = (flags & 1) ? 1 : 0;
  column->fillable = (flags & 2) ? 1 : 0;
  if (table->last_column)
    table->last_column->next = column;
  else
    table->first_column = column;
  table->last_column = column;
  return column;
}

void Sort_Input_Table_Column_Ascending() { _Sort(true); }
void Sort_Input_Table_Column_Descending() { _Sort(false); }

void Fill_Input_Table_Column() {
  INPUT_TABLE *table;
  INPUT_TABLE_COLUMN *column;
  if (!_Current(&table, &column)) return;
  ColumnMenuState &s = _S();
  if (!s.centre_set) {
    s.centre_set = true;
    s.centre_x = NPIXEL_X / 2;
    s.centre_y = NPIXEL_Y / 2;
  }
  int x1 = s.centre_x - 163, y1 = s.centre_y - 119, x2 = s.centre_x + 163, y2 = s.centre_y + 119;
  Check_Prop_Sheet_Frames(&x1, &y1, &x2, &y2);
  s.centre_x = (x1 + x2) / 2;
  s.centre_y = (y1 + y2) / 2;

  int choice = 1;
  double first = 1, last = 1000, start = 1, increment = 0;
  char probe[64];
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wformat-nonliteral"
  const int width = std::snprintf(probe, sizeof probe, column->format, 1.0);
#pragma GCC diagnostic pop

  const int old_mode = pxBuff(-1);
  Define_Prop_Sheet(x1, y1, x2, y2, 1, 1, "Tabellenspalte belegen", 11, 1);
  Add_Text_to_PS(x1 + 21, y1 + 60, "anwenden auf", 0x1000);
  Add_Radio_Button_to_PS(x1 + 110, y1 + 50, "gesamte Spalte", x1 + 128, y1 + 61, 1, &choice, 3, RADIO_BUTTON_LAYOUT);
  Add_Radio_Button_to_PS(x1 + 110, y1 + 67, "Zeilenausschnitt", x1 + 128, y1 + 78, 2, &choice, 3,
                         RADIO_BUTTON_LAYOUT);
  Add_Text_to_PS(x1 + 21, y1 + 104, "erste Zeile", 0x1000);
  const int first_field = Add_Float_Field_to_PS(x1 + 90, y1 + 91, &first, "%5.0f", 5, 4);
  Change_Activity_PS(first_field, -1);
  Add_Text_to_PS(x1 + 168, y1 + 104, "letzte Zeile", 0x1000);
  const int last_field = Add_Float_Field_to_PS(x1 + 237, y1 + 91, &last, "%5.0f", 5, 5);
  Change_Activity_PS(last_field, -1);
  Add_Text_to_PS(x1 + 21, y1 + 141, "Startwert", 0x1000);
  Add_Float_Field_to_PS(x1 + 197, y1 + 133, &start, column->format, width, 0);
  Add_Text_to_PS(x1 + 22, y1 + 153, "(für erste Zeile)"_cp, 0x1002);
  Add_Text_to_PS(x1 + 21, y1 + 173, "Inkrement", 0x1000);
  Add_Float_Field_to_PS(x1 + 197, y1 + 165, &increment, column->format, width, 0);
  Add_Text_to_PS(x1 + 22, y1 + 185, "(Zuwachs für jede weitere Zeile)"_cp, 0x1002);
  Add_Image_Button_to_PS(x1 + 19, y1 + 210, SYMBOLIC_BREAK_RASTER, 2);
  Add_Help_to_PS(x1 + 152, y1 + 210, 0, 0, 0, "");
  Add_Image_Button_to_PS(x1 + 285, y1 + 210, SYMBOLIC_OK_RASTER, 1);
  msStCu(x1 + 27, y1 + 218);
  Set_Prop_Sheet_Edit_Float_Auto_Mode();
  Activate_Prop_Sheet();
  pxBuff(old_mode);

  int code = 0;
  for (;;) {
    code = Edit_Prop_Sheet();
    if (code == 1 || code == 2) break;
    if (getkeymask() == 1) {  // the host asks to return at once: as cancel
      code = 2;
      break;
    }
    if (code == 3) {
      const int state = choice == 2 ? 1 : -1;
      Change_Activity_PS(first_field, state);
      Change_Activity_PS(last_field, state);
      code = 4;
    }
    if (code == 4 && first > last) {
      last = first;
      Redraw_Item_PS(last_field);
    } else if (code == 5 && first > last) {
      first = last;
      Redraw_Item_PS(first_field);
    }
  }
  Undefine_Prop_Sheet();
  int dx = 0, dy = 0;
  Prop_Sheet_Displacement(&dx, &dy);
  s.centre_x += dx;
  s.centre_y += dy;
  if (code != 1) return;

  const int offset = column->offset;
  if (choice != 2) {
    int i = 0;
    for (INPUT_TABLE_ROW *row = table->first_row; row; row = row->next, ++i) _Set_Value(row, offset, start + i * increment);
    return;
  }
  int k = 1;
  INPUT_TABLE_ROW *row = table->first_row;
  while (row && k < first) {
    row = row->next;
    ++k;
  }
  for (int i = 0; row; row = row->next, ++i) {
    _Set_Value(row, offset, start + i * increment);
    if (k + i + 1 > last) break;
  }
}
