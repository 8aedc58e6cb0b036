// Widget fields and drawing primitives: lines, frames and boxes in widget coordinates,
// framed labels, the check box, choice lists, number fields (scaled, bounded, int), and
// the lookups of the grade choice lists.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>

#include "drawing_base/drawing_base.h"
#include "host/host.h"
#include "host/host_screen.h"
#include "support/cp850.h"
#include "support/support.h"
#include "widgets/widget_layer.h"
#include "widgets/widget_sheets.h"

namespace {

constexpr int kStyleBits = 0x70000;

// Active flags handed to items whose editability does not follow a caller's int.
struct FieldFlags {
  int never = 0;
  int always = 1;
} g_flags;

int _Round(double v) { return static_cast<int>(std::lround(v)); }

int _Grey() { return Nearest_RGB_Color(198, 195, 198); }

// Colour and active flag of a field in a state; state -1 also lays the grey box.
struct FieldLook {
  int colour;
  int *active;
};

FieldLook _Look(const int *state) {
  const int s = state ? *state : 1;
  if (s == 1) return {Get_Widget_Text_Color(), &g_flags.always};
  if (s == -1) return {Shade_Color_by_Lightness(Get_Widget_Text_Color(), 40.0), &g_flags.never};
  return {_Grey(), &g_flags.never};
}

void _Grey_Box(const int *state, int x, int y, int width) {
  if (!state || *state != -1) return;
  const int grey = Nearest_RGB_Color(220, 220, 220);
  Set_Widget_Background_Color(grey);
  Add_Box_to_View_Area(Get_Widget_Area(), x, y + 5, x + width - 1, y - 13, grey);
}

void _Record(int x, int y, int width, const int *state) {
  Set_Last_Widget_Rect(x, y - 13, x + width, y + 5, state ? *state : 1);
}

void _Point(double *x, double *y, int *px, int *py) {
  Transform_Widget_Point(x, y);
  *px = _Round(*x);
  *py = _Round(*y);
}

// The field item of the number fields; returns its width.
int _Float_Item(int x, int y, double *value, int width, int decimals, int colour, const int *state) {
  char format[32];
  std::snprintf(format, sizeof format, "%%%d.%df", width, decimals);
  const int returned = width * 8 + 15;
  _Grey_Box(state, x, y, returned);
  FieldLook look = _Look(state);
  Add_Float_Field_to_View_Area(Get_Widget_Area(), x + 7, y, value, format, Get_Widget_Font() & kStyleBits,
                               colour >= 0 ? colour : look.colour, look.active);
  _Record(x, y, returned, state);
  return returned;
}

}  // namespace

// ---------------------------------------------------------------- grade choice lists

CHOICE_LIST *Alloc_Choice_List(int capacity, int name_width) {
  capacity = std::max(capacity, 0);
  name_width = std::max(name_width, 1);
  auto *list = static_cast<CHOICE_LIST *>(Tools_Alloc(nullptr, sizeof(CHOICE_LIST), 1));
  list->name_width = name_width;
  const std::size_t n = static_cast<std::size_t>(std::max(capacity, 1));
  list->names = static_cast<char *>(Tools_Alloc(nullptr, n * static_cast<std::size_t>(name_width), 1));
  list->colours = static_cast<int *>(Tools_Alloc(nullptr, n * sizeof(int), 1));
  list->flags = static_cast<int *>(Tools_Alloc(nullptr, n * sizeof(int), 1));
  list->values = static_cast<int *>(Tools_Alloc(nullptr, n * sizeof(int), 1));
  for (int i = 0; i < capacity; ++i) list->values[i] = -1;
  return list;
}

void Set_Choice_List_Entry(CHOICE_LIST *list, int i, const char *name, int colour, int flags, int value) {
  if (!list || i < 0) return;
  char *slot = list->names + static_cast<std::size_t>(i) * static_cast<std::size_t>(list->name_width);
  std::snprintf(slot, static_cast<std::size_t>(list->name_width), "%s", name ? name : "");
  list->colours[i] = colour;
  list->flags[i] = flags;
  list->values[i] = value;
}

int Find_Choice_List_Index(const CHOICE_LIST *list, int value, int mask) {
  if (!list) return 0;
  for (int i = 0; i < list->count; ++i)
    if (list->values[i] == value && (mask == 0 || (list->flags[i] & mask))) return i;
  return 0;
}

int Get_Choice_List_Value(const CHOICE_LIST *list, int index, int *value, int *flags) {
  int v = -1, f = 0;
  if (list && index >= 0 && index < list->count) {
    while (index > 0 && (list->flags[index] & CHOICE_SEPARATOR)) --index;
    v = list->values[index];
    f = list->flags[index];
  }
  if (value) *value = v;
  if (flags) {
    *flags = f;
    return f;
  }
  return v;
}

void Free_Choice_List(CHOICE_LIST **list) {
  if (!list || !*list) return;
  Tools_Free(&(*list)->names);
  Tools_Free(&(*list)->colours);
  Tools_Free(&(*list)->flags);
  Tools_Free(&(*list)->values);
  Tools_Free(list);
}

// ---------------------------------------------------------------- primitives and labels

void Add_Widget_Line(double x1, double y1, double x2, double y2) {
  if (Get_Widget_Area() < 0 || Get_Widget_Drawing_Mode() != 1) return;
  int a, b, c, d;
  _Point(&x1, &y1, &a, &b);
  _Point(&x2, &y2, &c, &d);
  Add_Line_to_View_Area(Get_Widget_Area(), a, b, c, d, Get_Widget_Text_Color());
}

void Add_Widget_Frame(double x1, double y1, double x2, double y2) {
  Add_Widget_Line(x1, y1, x2, y1);
  Add_Widget_Line(x2, y1, x2, y2);
  Add_Widget_Line(x2, y2, x1, y2);
  Add_Widget_Line(x1, y2, x1, y1);
}

void Add_Widget_Box(double x1, double y1, double x2, double y2) {
  if (Get_Widget_Area() < 0) return;
  int a, b, c, d;
  _Point(&x1, &y1, &a, &b);
  _Point(&x2, &y2, &c, &d);
  Add_Box_to_View_Area(Get_Widget_Area(), a, b, c, d, Get_Widget_Background_Color());
}

int Add_Widget_Underlined_Text(int x, int y, const char *text, int *active) {
  if (Get_Widget_Area() < 0) return 0;
  const int w = Get_Widget_Text_Width(text, Get_Widget_Font());
  Add_Widget_Line(x - 2, y + 3, x + w + 2, y + 3);
  Put_Widget_Text(x, y, text, active);
  return w + 4;
}

int Add_Widget_Boxed_Text(int x, int y, const char *text, int *active) {
  if (Get_Widget_Area() < 0) return 0;
  const int w = Get_Widget_Text_Width(text, Get_Widget_Font());
  Add_Widget_Box(x - 3, y + 5, x + w + 3, y - 12);
  Put_Widget_Text(x, y, text, active);
  return w + 6;
}

int Add_Widget_Boxed_Bold_Text(int x, int y, const char *text, int *active) {
  if (Get_Widget_Area() < 0) return 0;
  const int w = Get_Widget_Text_Width(text, Get_Widget_Font());
  Add_Widget_Box(x - 3, y + 5, x + w + 3, y - 12);
  const int colour = active && *active == 0 ? _Grey() : Get_Widget_Text_Color();
  Add_Text_to_View_Area(Get_Widget_Area(), x, y, text, Get_Widget_Font() | 0x20000, colour, 0);
  return text && *text ? w + 11 : 8;
}

int Add_Widget_Check_Box(int x, int y, const char *text, int *value, int *state) {
  const int area = Get_Widget_Area();
  if (area < 0) return 0;
  const int s = state ? *state : 1;
  const int width = text && *text ? Get_Widget_Text_Width(text, Get_Widget_Font()) + 20 : 13;
  if ((s == -1 || s == 1) && Get_Widget_Background_Color() == Nearest_RGB_Color(255, 251, 240)) {
    const int saved = Get_Widget_Background_Color();
    Add_Box_to_View_Area(area, x, y, x + 10, y - 10, WHITE_CI);
    Set_Widget_Background_Color(saved);
  }
  const int font = Get_Widget_Font() | (value && *value && s != 0 ? 0x10000 : 0);
  const int colour = s == 1 || s == -1 ? Get_Widget_Text_Color() : _Grey();
  Add_Check_Box_to_View_Area(area, x + 20, y, text, font, colour, value, s == 1 ? &g_flags.always : &g_flags.never);
  if (s == -1 && text) Add_Text_to_View_Area(area, x + 20, y, text, Get_Widget_Font(), Get_Widget_Text_Color(), 0);
  _Record(x, y, width, state);
  return width;
}

// ---------------------------------------------------------------- choice lists

int Add_Widget_Choice_List(int x, int y, const char *first_text, const int *colours, int stride, int count,
                           int *selected, int *state) {
  const int area = Get_Widget_Area();
  if (area < 0 || count < 1 || stride < 2 || !first_text) return 0;
  int widest = 0;
  for (int i = 0; i < count; ++i)
    widest = std::max(widest, Get_Widget_Text_Width(first_text + static_cast<std::size_t>(i) * stride,
                                                    Get_Widget_Font()));
  const int chars = _Round(widest * 0.125);
  const int returned = chars * 8 + 33;
  _Grey_Box(state, x, y, returned);
  FieldLook look = _Look(state);
  auto *entries = static_cast<VIEW_CHOICE_ENTRY *>(
      Tools_Alloc(nullptr, sizeof(VIEW_CHOICE_ENTRY) * static_cast<std::size_t>(count), 1));
  for (int i = 0; i < count; ++i) {
    entries[i].text = first_text + static_cast<std::size_t>(i) * stride;
    entries[i].colour = colours ? colours[i] : look.colour;
  }
  Add_Choice_List_to_View_Area(area, x + 7, y, entries, Get_Widget_Font(), chars, count, selected, look.active);
  Own_Last_View_Choice_Entries(area);
  _Record(x, y, returned, state);
  return returned;
}

int Add_Widget_Grade_Choice(int x, int y, const CHOICE_LIST *list, int *selected, int *state) {
  if (!list || !selected) return 0;
  while (*selected > 0 && *selected < list->count && (list->flags[*selected] & CHOICE_SEPARATOR)) --*selected;
  return Add_Widget_Choice_List(x, y, list->names, list->colours, list->name_width, list->count, selected, state);
}

// ---------------------------------------------------------------- number fields

int Add_Widget_Float_Field(int x, int y, double *value, double factor, int width, int decimals, int *state) {
  if (Get_Widget_Area() < 0 || width < 1 || !value) return 0;
  if (factor != 1.0) Register_Widget_Scaled_Value(value, factor);
  return _Float_Item(x, y, value, width, decimals, -1, state);
}

int Add_Widget_Plain_Float_Field(int x, int y, double *value, int width, int decimals, int *state) {
  return Add_Widget_Float_Field(x, y, value, 1.0, width, decimals, state);
}

int Add_Widget_Colored_Float_Field(int x, int y, double *value, int width, int decimals, int colour, int *state) {
  if (Get_Widget_Area() < 0 || width < 1 || !value) return 0;
  return _Float_Item(x, y, value, width, decimals, colour, state);
}

int Add_Widget_Labelled_Float_Field(int x, int y, const char *label, double *value, int width, int decimals,
                                    const char *unit, int *state) {
  if (Get_Widget_Area() < 0) return 0;
  int w = 0;
  if (label && *label) w += Put_Widget_Text(x, y, label, nullptr) + 3;
  w += Add_Widget_Float_Field(x + w, y, value, 1.0, width, decimals, state);
  if (unit && *unit) w += 3 + Put_Widget_Text(x + w + 3, y, unit, nullptr);
  return w;
}

int Add_Widget_Symbol_Float_Field(int x, int y, const char *symbol, const char *index, double *value,
                                  double factor, int width, int decimals, const char *unit, int *state) {
  if (Get_Widget_Area() < 0) return 0;
  int w = Put_Widget_Text_with_Index(x, y, symbol, index, nullptr) + 3;
  w += Add_Widget_Float_Field(x + w, y, value, factor, width, decimals, state);
  if (unit && *unit) w += 3 + Put_Widget_Text(x + w + 3, y, unit, nullptr);
  return w;
}

int Add_Widget_Bounded_Float_Field(int x, int y, double *value, double factor, int width, int decimals,
                                   double minimum, double maximum, const char *name, int *state) {
  const int w = Add_Widget_Float_Field(x, y, value, factor, width, decimals, state);
  if (w == 0) return 0;
  if (name) {
    char format[16], bound[64];
    std::snprintf(format, sizeof format, "%%.%df", decimals);
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wformat-nonliteral"
    if (Round_To_Decimals(*value - maximum, decimals) > 0) {
      std::snprintf(bound, sizeof bound, format, maximum);
      CP850_CALL(Hinweis_Message, 0, "%s darf den Wert %s nicht überschreiten", name, bound);
    } else if (Round_To_Decimals(*value - minimum, decimals) < 0) {
      std::snprintf(bound, sizeof bound, format, minimum);
      Hinweis_Message(0, "%s darf den Wert %s nicht unterschreiten", name, bound);
    }
#pragma GCC diagnostic pop
  }
  *value = std::clamp(*value, minimum, std::max(minimum, maximum));
  return w;
}

int Add_Widget_Int_Field(int x, int y, int *value, int width, int *state) {
  return Add_Widget_Bounded_Int_Field(x, y, value, width, 0, -1, state);
}

// maximum below minimum: no bounds.
int Add_Widget_Bounded_Int_Field(int x, int y, int *value, int width, int minimum, int maximum, int *state) {
  if (Get_Widget_Area() < 0 || !value) return 0;
  double *mirror = Register_Widget_Int_Mirror(value);
  if (maximum >= minimum) *mirror = std::clamp(*mirror, static_cast<double>(minimum), static_cast<double>(maximum));
  char format[32];
  std::snprintf(format, sizeof format, "%%%d.0f", width);
  const int returned = width * 8 + 15;
  _Grey_Box(state, x, y, returned);
  FieldLook look = _Look(state);
  Add_Float_Field_to_View_Area(Get_Widget_Area(), x + 7, y, mirror, format, Get_Widget_Font() & kStyleBits,
                               look.colour, look.active);
  _Record(x, y, returned, state);
  return returned;
}
