// View items: the add operations of the item kinds, the setters that complete the last
// item of an area, marks, and the release of items with what they own.
#include <algorithm>
#include <cstdio>
#include <cstring>

#include "host/host.h"
#include "support/support.h"
#include "widgets/widgets.h"
#include "widgets/widgets_internal.h"

namespace {

constexpr int kStyleBits = VIEW_FONT_BOLD | VIEW_FONT_LIGHT_SHADOW | VIEW_FONT_FAINT_SHADOW;
constexpr int kNormalFontBit = 0x1000;

// Owned copy of a text (counted by Tools_Alloc), null for null.
char *_Copy_Text(const char *text) {
  if (!text) return nullptr;
  std::size_t n = std::strlen(text) + 1;
  char *copy = static_cast<char *>(Tools_Alloc(nullptr, n, 0));
  std::memcpy(copy, text, n);
  return copy;
}

// Width in pixels of a text in a font, measured with the text-width service.
int _Text_Width(const char *text, int font) {
  if (!text) return 0;
  Pop_RFont(font);
  int width = Get_Text_Width(text);
  Push_RFont();
  return width;
}

// A double printed with a caller's format into a 512-byte buffer (at most 511 characters).
int _Format_Value(char (&buffer)[512], const char *format, double value) {
  buffer[0] = '\0';
  if (format) {
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wformat-nonliteral"
    std::snprintf(buffer, sizeof buffer, format, value);
#pragma GCC diagnostic pop
  }
  return static_cast<int>(std::strlen(buffer));
}

int _Bold_Style(int font) { return (font & VIEW_FONT_BOLD) ? VIEW_STYLE_BOLD : VIEW_STYLE_PLAIN; }

// Style of a plain text: bold, then faint, then light shadow; a later bit overrides.
int _Text_Style(int font) {
  int style = VIEW_STYLE_PLAIN;
  if (font & VIEW_FONT_BOLD) style = VIEW_STYLE_BOLD;
  if (font & VIEW_FONT_FAINT_SHADOW) style = VIEW_STYLE_FAINT_SHADOW;
  if (font & VIEW_FONT_LIGHT_SHADOW) style = VIEW_STYLE_LIGHT_SHADOW;
  return style;
}

// Grows the content to take in a point plus a margin to its right and below.
void _Grow_Point(SCROLLABLE_VIEW_AREA *a, int x, int y, int margin) {
  a->content_width = std::max(a->content_width, x + margin);
  a->content_height = std::max(a->content_height, y + margin);
}

// Grows the content over both corners of a rectangle plus a margin.
void _Grow_Rect(SCROLLABLE_VIEW_AREA *a, int x1, int y1, int x2, int y2, int margin) {
  _Grow_Point(a, x1, y1, margin);
  _Grow_Point(a, x2, y2, margin);
}

// A placed (or reserved) area, or null.
SCROLLABLE_VIEW_AREA *_Area(int area) { return Get_Scrollable_View_Area(area); }

// Appends a new item of a kind to a valid area; null for an invalid or free one.
VIEW_ITEM *_New_Item(int area, int kind) {
  SCROLLABLE_VIEW_AREA *a = _Area(area);
  if (!a) return nullptr;
  VIEW_ITEM *item = Append_View_Item(a);
  item->kind = kind;
  return item;
}

// Appends a new item of a kind spanning the rectangle (x1, y1)-(x2, y2); null as _New_Item.
VIEW_ITEM *_New_Rect_Item(int area, int kind, int x1, int y1, int x2, int y2) {
  VIEW_ITEM *item = _New_Item(area, kind);
  if (!item) return nullptr;
  item->x1 = x1;
  item->y1 = y1;
  item->x2 = x2;
  item->y2 = y2;
  return item;
}

// The last item of a valid area when its kind is in the mask (bit 1 << kind).
VIEW_ITEM *_Last_Item_of_Kinds(int area, unsigned mask) {
  SCROLLABLE_VIEW_AREA *a = _Area(area);
  if (!a || !a->last_item) return nullptr;
  VIEW_ITEM *item = a->last_item;
  if (item->kind < 0 || item->kind > 31 || !(mask & (1u << item->kind))) return nullptr;
  return item;
}

// Frees one item and what it owns by its kind.
void _Free_Item(VIEW_ITEM *item) {
  switch (item->kind) {
    case VIEW_TEXT:
    case VIEW_BITMAP_FILE:
    case VIEW_ROTATED_TEXT:
    case VIEW_CHECK_BOX:
    case VIEW_RADIO_BUTTON:
    case VIEW_LIST_ROW:
    case VIEW_CLICK_SPOT:
    case VIEW_PICTURE_CHOICE:
      Tools_Free(&item->text);
      break;
    case VIEW_NUMBER_FIELD:
    case VIEW_BITMAP_BUTTON:
      Tools_Free(&item->text);
      Tools_Free(&item->text2);
      break;
    case VIEW_TEXT_FIELD:  // the text is the caller's buffer
      Tools_Free(&item->text2);
      break;
    case VIEW_CHOICE_LIST:  // an entry array handed over by Own_Last_View_Choice_Entries
      Tools_Free(&item->image_on);
      break;
    case VIEW_TEXT_BOX: {  // the text is the caller's buffer
      auto *state = static_cast<TEXT_BOX_STATE *>(item->image_off);
      if (state) {
        Tools_Free(&state->lines);
        Tools_Free(&state);
        item->image_off = nullptr;
      }
      break;
    }
    default:
      break;
  }
  Tools_Free(&item);
}

void _Free_Chain(VIEW_ITEM *item) {
  while (item) {
    VIEW_ITEM *next = item->next;
    _Free_Item(item);
    item = next;
  }
}

// Stores the common fields of a text kind at (x, y): copied text, style and plain font.
VIEW_ITEM *_Add_Styled_Text(int area, int kind, int x, int y, const char *text, int font, int colour,
                            int style) {
  VIEW_ITEM *item = _New_Item(area, kind);
  if (!item) return nullptr;
  item->text = _Copy_Text(text);
  item->font = font & ~kStyleBits;
  item->colour = colour;
  item->x1 = x;
  item->y1 = y;
  item->x2 = style;
  return item;
}

// Measures an added text item's text in its font, keeps it by its left end when right-aligned
// (align 1) and grows the content over its end plus a margin of 10.
void _Place_Text_Item(int area, VIEW_ITEM *item, int align) {
  int width = _Text_Width(item->text, item->font);
  if (align == 1) item->x1 -= width;  // kept by its left end: drawing needs no alignment
  _Grow_Point(_Area(area), item->x1 + width, item->y1, 10);
}

// Clamps a caller's selected index to 0 when outside 0..count − 1.
void _Clamp_Index(int *index_ptr, int count) {
  if (index_ptr && (*index_ptr < 0 || *index_ptr >= count)) *index_ptr = 0;
}

// Appends a choice item (list or pictures) at (x, y) of count choices: the caller's index,
// clamped to 0 when outside them, and activity; null as _New_Item (the index then untouched).
VIEW_ITEM *_New_Choice_Item(int area, int kind, int x, int y, int count, int *index_ptr, int *active_ptr) {
  VIEW_ITEM *item = _New_Item(area, kind);
  if (!item) return nullptr;
  _Clamp_Index(index_ptr, count);
  item->value_ptr = index_ptr;
  item->active_ptr = active_ptr;
  item->x1 = x;
  item->y1 = y;
  return item;
}

}  // namespace

void View_Items_Release(SCROLLABLE_VIEW_AREA *a) {
  if (!a) return;
  _Free_Chain(a->first_item);
  a->first_item = a->last_item = nullptr;
  a->content_width = a->content_height = 0;
}

const VIEW_ITEM *View_Area_Test_Items(int area) {
  const SCROLLABLE_VIEW_AREA *a = _Area(area);
  return a ? a->first_item : nullptr;
}

int View_Area_Item_Count(int area) {
  int n = 0;
  for (const VIEW_ITEM *item = View_Area_Test_Items(area); item; item = item->next) ++n;
  return n;
}

VIEW_ITEM *Append_View_Item(SCROLLABLE_VIEW_AREA *a) {
  if (!a) return nullptr;
  auto *item = static_cast<VIEW_ITEM *>(Tools_Alloc(nullptr, sizeof(VIEW_ITEM), 1));
  item->next = nullptr;
  if (a->last_item)
    a->last_item->next = item;
  else
    a->first_item = item;
  a->last_item = item;
  return item;
}

void Add_Text_to_View_Area(int area, int x, int y, const char *text, int font, int colour, int align) {
  VIEW_ITEM *item = _Add_Styled_Text(area, VIEW_TEXT, x, y, text, font, colour, _Text_Style(font));
  if (item) _Place_Text_Item(area, item, align);
}

void Add_Line_to_View_Area(int area, int x1, int y1, int x2, int y2, int colour) {
  VIEW_ITEM *item = _New_Rect_Item(area, VIEW_LINE, x1, y1, x2, y2);
  if (!item) return;
  item->colour = colour;
  _Grow_Rect(_Area(area), x1, y1, x2, y2, 10);
}

void Add_Bitmap_File_to_View_Area(int area, const char *file, int x1, int y1, int x2, int y2,
                                  int transparent_colour) {
  VIEW_ITEM *item = _New_Rect_Item(area, VIEW_BITMAP_FILE, x1, y1, x2, y2);
  if (!item) return;
  item->text = _Copy_Text(file);
  item->colour = transparent_colour;
  item->option = 0;
  _Grow_Rect(_Area(area), x1, y1, x2, y2, 10);
}

void Add_Draw_Callback_to_View_Area(int area, int x1, int y1, int x2, int y2, void *argument,
                                    VIEW_DRAW_FN function) {
  VIEW_ITEM *item = _New_Rect_Item(area, VIEW_DRAW_CALLBACK, x1, y1, x2, y2);
  if (!item) return;
  item->image_on = argument;
  item->draw_fn = function;
  _Grow_Rect(_Area(area), x1, y1, x2, y2, 10);
}

void Add_Mask_to_View_Area(int area, int x, int y, const VIEW_MASK_RECORD *mask, int colour) {
  VIEW_ITEM *item = _New_Rect_Item(area, VIEW_MASK, x, y, x + (mask ? mask->width : 0) - 1,
                                   y + (mask ? mask->height : 0) - 1);
  if (!item) return;
  item->image_on = const_cast<VIEW_MASK_RECORD *>(mask);
  item->colour = colour;
  _Grow_Rect(_Area(area), x, y, item->x2, item->y2, 10);
}

void Add_Rotated_Text_to_View_Area(int area, int x, int y, const char *text, int font, int colour, int angle) {
  VIEW_ITEM *item = _Add_Styled_Text(area, VIEW_ROTATED_TEXT, x, y, text, font, colour, _Bold_Style(font));
  if (!item) return;
  int width = _Text_Width(item->text, item->font);
  int dx = width + 10, dy = 10;
  switch (angle) {
    case 90: item->y2 = VIEW_ROTATE_90; dx = 10; break;
    case 180: item->y2 = VIEW_ROTATE_180; dx = 10; break;
    case 270: item->y2 = VIEW_ROTATE_270; dx = 10; dy = width + 10; break;
    default: item->y2 = 0; break;
  }
  _Grow_Point(_Area(area), x + dx, y + dy, 0);
}

void Add_Check_Box_to_View_Area(int area, int x, int y, const char *text, int font, int colour, int *value_ptr,
                                int *active_ptr) {
  VIEW_ITEM *item = _Add_Styled_Text(area, VIEW_CHECK_BOX, x, y, text, font, colour, _Bold_Style(font));
  if (!item) return;
  item->value_ptr = value_ptr;
  item->active_ptr = active_ptr;
  _Place_Text_Item(area, item, 0);
}

void Add_Radio_Button_to_View_Area(int area, int x, int y, const char *text, int font, int colour, int value,
                                   int *value_ptr, int *active_ptr) {
  VIEW_ITEM *item = _Add_Styled_Text(area, VIEW_RADIO_BUTTON, x, y, text, font, colour, _Bold_Style(font));
  if (!item) return;
  item->option = value;
  item->value_ptr = value_ptr;
  item->active_ptr = active_ptr;
  _Place_Text_Item(area, item, 0);
}

void Add_List_Row_to_View_Area(int area, int x, int y, const char *text, int font, int colour, int align,
                               int highlight_colour, int row_value, int *target_ptr) {
  VIEW_ITEM *item = _Add_Styled_Text(area, VIEW_LIST_ROW, x, y, text, font, colour, _Bold_Style(font));
  if (!item) return;
  item->aux = highlight_colour;
  item->image_off = reinterpret_cast<void *>(static_cast<std::intptr_t>(row_value));
  item->target_ptr = target_ptr;
  _Place_Text_Item(area, item, align);
}

void Add_Float_Field_to_View_Area(int area, int x, int y, double *double_ptr, const char *format, int font,
                                  int colour, int *active_ptr) {
  VIEW_ITEM *item = _Add_Styled_Text(area, VIEW_NUMBER_FIELD, x, y, format, font, colour, _Bold_Style(font));
  if (!item) return;
  item->font &= ~kNormalFontBit;
  item->double_ptr = double_ptr;
  item->active_ptr = active_ptr;
  char buffer[512];
  item->option = _Format_Value(buffer, item->text, 0.0);
  _Format_Value(buffer, item->text, double_ptr ? *double_ptr : 0.0);
  _Grow_Point(_Area(area), x + _Text_Width(buffer, item->font), y, 10);
}

void Add_Box_to_View_Area(int area, int x1, int y1, int x2, int y2, int colour) {
  VIEW_ITEM *item = _New_Rect_Item(area, VIEW_BOX, x1, y1, x2, y2);
  if (!item) return;
  item->colour = colour;
  _Grow_Rect(_Area(area), x1, y1, x2, y2, 0);
}

void Add_Click_Spot_to_View_Area(int area, int x1, int y1, int x2, int y2, int value, int *target_ptr) {
  VIEW_ITEM *item = _New_Rect_Item(area, VIEW_CLICK_SPOT, x1, y1, x2, y2);
  if (!item) return;
  item->option = 0;
  item->text = nullptr;
  item->image_off = reinterpret_cast<void *>(static_cast<std::intptr_t>(value));
  item->target_ptr = target_ptr;
  _Grow_Point(_Area(area), x2, y1, 10);  // a click spot grows the content by its top right corner
}

void Add_Mark_to_View_Area(int area, int id) {
  VIEW_ITEM *item = _New_Item(area, VIEW_MARK);
  if (item) item->option = id;
}

void Add_Tree_Image_to_View_Area(int area, const TREEVIEW_IMAGE *image, int x1, int y1, int x2, int y2,
                                 int colour) {
  VIEW_ITEM *item = _New_Rect_Item(area, VIEW_TREE_IMAGE, x1, y1, x2, y2);
  if (!item) return;
  item->image_off = const_cast<TREEVIEW_IMAGE *>(image);
  item->colour = colour;
  _Grow_Rect(_Area(area), x1, y1, x2, y2, 10);
}

void Add_Text_Field_to_View_Area(int area, int x, int y, char *buffer, int font, int colour, int *active_ptr) {
  VIEW_ITEM *item = _New_Item(area, VIEW_TEXT_FIELD);
  if (!item) return;
  item->text = buffer;  // edited in place: not copied, not owned
  item->font = font & ~kStyleBits & ~kNormalFontBit;
  item->colour = colour;
  item->x1 = x;
  item->y1 = y;
  item->x2 = _Bold_Style(font);
  item->option = buffer ? static_cast<int>(std::strlen(buffer)) : 0;
  item->y2 = item->option;
  item->active_ptr = active_ptr;
  _Place_Text_Item(area, item, 0);  // measures the caller's buffer, which is the item's text
}

void Add_Choice_List_to_View_Area(int area, int x, int y, const VIEW_CHOICE_ENTRY *entries, int font,
                                  int width_chars, int count, int *index_ptr, int *active_ptr) {
  VIEW_ITEM *item = _New_Choice_Item(area, VIEW_CHOICE_LIST, x, y, count, index_ptr, active_ptr);
  if (!item) return;
  item->x2 = _Bold_Style(font);
  item->font = font & ~kStyleBits;
  Pop_RFont(0);  // the field's width counts in cells of font 0
  int pitch = RFONT_SPACE + RFONT_WIDTH;
  Push_RFont();
  item->option = width_chars * pitch;
  item->colour = width_chars;
  item->aux = count;
  item->target_ptr = const_cast<VIEW_CHOICE_ENTRY *>(entries);
  _Grow_Point(_Area(area), x + item->option, y, 10);
}

void Add_Picture_Choice_to_View_Area(int area, int x, int y, const char *file, int width, int height, int count,
                                     int option, int *index_ptr, int *active_ptr) {
  VIEW_ITEM *item = _New_Choice_Item(area, VIEW_PICTURE_CHOICE, x, y, count, index_ptr, active_ptr);
  if (!item) return;
  item->text = _Copy_Text(file);
  item->x2 = width;
  item->y2 = height;
  item->aux = count;
  item->option = option;
  _Grow_Point(_Area(area), x + width + 31, y + height + 16, 0);
}

void Add_Bitmap_Button_to_View_Area(int area, int x, int y, int width, int height, const char *file,
                                    int image_offset, int transparent_colour, int cursor, const char *hover_text,
                                    int code, int *value_ptr, int *active_ptr) {
  VIEW_ITEM *item = _New_Rect_Item(area, VIEW_BITMAP_BUTTON, x, y, x + width, y + height);
  if (!item) return;
  item->text = _Copy_Text(file);
  item->text2 = _Copy_Text(hover_text);
  item->option = image_offset;
  item->aux = transparent_colour;
  item->colour = cursor;
  item->font = code;
  item->value_ptr = value_ptr;
  item->active_ptr = active_ptr;
  _Grow_Rect(_Area(area), x, y, item->x2, item->y2, 0);
}

void Pin_Last_View_Bitmap(int area) {
  if (VIEW_ITEM *item = _Last_Item_of_Kinds(area, 1u << VIEW_BITMAP_FILE)) item->option = 1;
}

void Set_View_Check_Images(int area, const TREEVIEW_IMAGE *image_on, const TREEVIEW_IMAGE *image_off) {
  if (VIEW_ITEM *item = _Last_Item_of_Kinds(area, (1u << VIEW_CHECK_BOX) | (1u << VIEW_RADIO_BUTTON))) {
    item->image_on = const_cast<TREEVIEW_IMAGE *>(image_on);
    item->image_off = const_cast<TREEVIEW_IMAGE *>(image_off);
  }
}

void Set_Click_Spot_Option(int area, int cursor) {
  if (VIEW_ITEM *item = _Last_Item_of_Kinds(area, 1u << VIEW_CLICK_SPOT)) item->option = cursor;
}

void Set_Click_Spot_Tooltip(int area, const char *text, int font, int colour, int flag) {
  VIEW_ITEM *item = _Last_Item_of_Kinds(area, 1u << VIEW_CLICK_SPOT);
  if (!item) return;
  Tools_Free(&item->text);  // a second tooltip replaces the first
  item->text = _Copy_Text(text);
  item->aux = ((font & VIEW_FONT_BOLD) ? 1 : 0) + (flag == 1 ? 16 : 0);
  item->font = font & ~VIEW_FONT_BOLD;
  item->colour = colour;
}

void Own_Last_View_Choice_Entries(int area) {
  if (VIEW_ITEM *item = _Last_Item_of_Kinds(area, 1u << VIEW_CHOICE_LIST)) item->image_on = item->target_ptr;
}

void Set_View_Text_Field_Width(int area, int chars) {
  if (VIEW_ITEM *item = _Last_Item_of_Kinds(area, 1u << VIEW_TEXT_FIELD)) item->y2 = std::min(item->option, chars);
}

void Set_View_Field_Inactive_Text(int area, const char *text) {
  VIEW_ITEM *item = _Last_Item_of_Kinds(area, (1u << VIEW_NUMBER_FIELD) | (1u << VIEW_TEXT_FIELD));
  if (!item) return;
  Tools_Free(&item->text2);
  item->text2 = _Copy_Text(text);
}

void Set_View_Item_Change_Callback(int area, VIEW_CHANGE_INT_FN function) {
  constexpr unsigned kIntKinds = (1u << VIEW_CHECK_BOX) | (1u << VIEW_RADIO_BUTTON) | (1u << VIEW_CHOICE_LIST) |
                                 (1u << VIEW_PICTURE_CHOICE);
  if (VIEW_ITEM *item = _Last_Item_of_Kinds(area, kIntKinds)) item->change_fn.on_int = function;
}

void Set_View_Item_Change_Callback(int area, VIEW_CHANGE_DOUBLE_FN function) {
  if (VIEW_ITEM *item = _Last_Item_of_Kinds(area, 1u << VIEW_NUMBER_FIELD)) item->change_fn.on_double = function;
}

void Free_View_Area_Items(int area) { View_Items_Release(_Area(area)); }

void Delete_View_Items_from_Mark(int area, int id) {
  SCROLLABLE_VIEW_AREA *a = _Area(area);
  if (!a) return;
  VIEW_ITEM *before = nullptr;
  VIEW_ITEM *mark = a->first_item;
  while (mark && !(mark->kind == VIEW_MARK && mark->option == id)) {
    before = mark;
    mark = mark->next;
  }
  if (!mark) return;
  _Free_Chain(mark);
  if (before) {
    before->next = nullptr;
    a->last_item = before;
  } else {
    a->first_item = a->last_item = nullptr;
  }
}
