// Label, text and value widgets: the small adders that put texts, labels with index
// texts, text fields, radio buttons, picture buttons and the density field into the
// current widget area and return the width they took.
#include <cmath>
#include <cstdarg>
#include <cstdio>
#include <cstring>

#include "host/host.h"
#include "host/host_screen.h"
#include "support/support.h"
#include "widgets/widget_layer.h"
#include "widgets/widget_layer_internal.h"

namespace {

constexpr int kStyleBits = 0x70000;
constexpr int kShadowBits = 0x60000;
constexpr int kBold = 0x10000;
constexpr int kFormatLimit = 256;  // formatted texts keep at most 255 characters

// Words handed to text fields as their activity: read-only and editable.
struct FieldWords {
  int read_only = 0;
  int editable = 1;
} g_words;

bool _Active(const int *active) { return !active || *active != 0; }

int _Grey() { return Nearest_RGB_Color(198, 195, 198); }

int _Colour(const int *active) { return _Active(active) ? Get_Widget_Text_Color() : _Grey(); }

// Half of a width rounded half away from zero.
int _Half(int width) { return static_cast<int>(std::lround(width / 2.0)); }

// Width of a text in a font without its style bits (markup-aware), without additions.
int _Measured(const char *text, int font) {
  if (!text || !*text) return 0;
  Pop_RFont(font & ~kStyleBits);
  int w = Get_Markup_Text_Width(text);
  Push_RFont();
  return w;
}

int _Put_Text(int x, int y, const char *text, int font, const int *active) {
  Add_Text_to_View_Area(Get_Widget_Area(), x, y, text, font, _Colour(active), 0);
  return Get_Widget_Text_Width(text, font);
}

int _Aligned_Y(int y, int valign) { return valign == 0 ? y + 9 : valign == 4 ? y + 5 : y; }
int _Aligned_X(int x, int width, int halign) { return halign == 1 ? x - width : halign == 4 ? x - _Half(width) : x; }

// Main text and lowered index (and raised exponent); with align, placed by the alignment
// rules on the combined width. Returns the combined width.
int _Text_with_Index(int x, int y, const char *text, const char *index, const char *exponent, bool bold,
                     int carried, bool align, int valign, int halign, int *active) {
  const int area = Get_Widget_Area();
  const int main_font = (bold ? 0x11000 : 0x1000) | carried;
  const int index_font = (bold ? 0x11002 : 0x1002) | carried;
  const bool index_styled = (index_font & kStyleBits) != 0;
  const int colour = _Colour(active);
  const int w1 = Get_Widget_Text_Width(text, main_font);
  const bool has_index = index && *index;
  const int w2 = has_index ? _Measured(index, 0x1002) + 4 + (index_styled ? 2 : 0) : 0;
  int combined = w1 + w2;
  const bool has_exponent = exponent && *exponent;
  const int d = has_index ? 1 : 0;
  const int w3 = has_exponent ? _Measured(exponent, 0x1002) + 3 + (bold ? 2 : 0) - d : 0;
  int X = x, Y = y;
  if (align) {
    X = _Aligned_X(x, combined, halign);
    Y = _Aligned_Y(y, valign);
  }
  if (text) Add_Text_to_View_Area(area, X, Y, text, main_font, colour, 0);
  if (has_index) Add_Text_to_View_Area(area, X + w1 + 1, Y + 1, index, index_font, colour, 0);
  if (has_exponent) Add_Text_to_View_Area(area, X + combined - d, Y - 5, exponent, index_font, colour, 0);
  return combined + w3;
}

int _Format(char (&buffer)[kFormatLimit], const char *format, va_list values) {
  buffer[0] = '\0';
  if (format) {
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wformat-nonliteral"
    std::vsnprintf(buffer, sizeof buffer, format, values);
#pragma GCC diagnostic pop
  }
  return static_cast<int>(std::strlen(buffer));
}

// A text of the bold adders: the widget font plus their style and size bits; its width plus 5 (2 for an empty
// text), 0 without a widget area.
int _Bold_Text(int x, int y, const char *text, int extra_font_bits, int *active) {
  if (Get_Widget_Area() < 0) return 0;
  const int font = Get_Widget_Font() | extra_font_bits;
  Add_Text_to_View_Area(Get_Widget_Area(), x, y, text, font, _Colour(active), 0);
  if (!text || !*text) return 2;
  return _Measured(text, font) + 5;
}

// Pads or cuts the buffer to exactly n characters.
void _Pad(char *buffer, int n) {
  if (!buffer) return;
  if (n < 0) n = 0;
  char format[32];
  std::snprintf(format, sizeof format, "%%-%d.%ds", n, n);
  char *copy = static_cast<char *>(Tools_Alloc(nullptr, std::strlen(buffer) + 1, 0));
  std::strcpy(copy, buffer);
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wformat-nonliteral"
  std::snprintf(buffer, static_cast<std::size_t>(n) + 1, format, copy);
#pragma GCC diagnostic pop
  Tools_Free(&copy);
}

int _Image_Coordinate(double at, double size, int align, int before, int centred) {
  double start = align == before ? at - size : align == centred ? at - std::round(size / 2) : at;
  return static_cast<int>(std::lround(start));
}

}  // namespace

int Put_Widget_Text(int x, int y, const char *text, int *active) {
  return _Put_Text(x, y, text, Get_Widget_Font(), active);
}

int Add_Widget_Text(int x, int y, const char *text, int *active) {
  if (Get_Widget_Area() < 0) return 0;
  return Put_Widget_Text(x, y, text, active);
}

int Add_Widget_Text_Format(int x, int y, const char *format, ...) {
  if (Get_Widget_Area() < 0) return 0;
  char buffer[kFormatLimit];
  va_list values;
  va_start(values, format);
  _Format(buffer, format, values);
  va_end(values);
  return Put_Widget_Text(x, y, buffer, nullptr);
}

int Put_Widget_Text_Spot(int x, int y, const char *text, int value, int *target, int *active) {
  int w = Put_Widget_Text(x, y, text, active);
  if (_Active(active)) {
    Add_Click_Spot_to_View_Area(Get_Widget_Area(), x, y - 10, x + w, y, value, target);
    Set_Click_Spot_Option(Get_Widget_Area(), 18);
  }
  return w;
}

int Add_Widget_Text_Spot(int x, int y, const char *text, int value, int *target, int *active) {
  if (Get_Widget_Area() < 0) return 0;
  return Put_Widget_Text_Spot(x, y, text, value, target, active);
}

int Add_Widget_Bold_Text(int x, int y, const char *text, int *active) {
  return _Bold_Text(x, y, text, 0x20000, active);
}

int Add_Widget_Bold_Text_Format(int x, int y, const char *format, ...) {
  if (Get_Widget_Area() < 0) return 0;
  char buffer[kFormatLimit];
  va_list values;
  va_start(values, format);
  _Format(buffer, format, values);
  va_end(values);
  return _Bold_Text(x, y, buffer, 0x20000, nullptr);
}

int Add_Widget_Small_Text(int x, int y, const char *text, int *active) {
  if (Get_Widget_Area() < 0) return 0;
  return _Put_Text(x, y, text, Get_Widget_Font() | 2, active);
}

int Add_Widget_Small_Bold_Text(int x, int y, const char *text, int *active) {
  return _Bold_Text(x, y, text, 0x10002, active);
}

int Add_Widget_Label(int x, int y, const char *text, int valign, int halign, int *active) {
  if (Get_Widget_Area() < 0) return 0;
  const int font = Get_Widget_Font();
  const int w = Get_Widget_Text_Width(text, font);
  Add_Text_to_View_Area(Get_Widget_Area(), _Aligned_X(x, w, halign), _Aligned_Y(y, valign), text, font,
                        _Colour(active), 0);
  return w;
}

int Add_Widget_Centered_Text(int y, const char *text, int *active) {
  const int area = Get_Widget_Area();
  const SCROLLABLE_VIEW_AREA *a = Get_Scrollable_View_Area(area);
  if (area < 0 || !a) return 0;
  const int middle = (a->x2 - a->x1) / 2;
  const int w = Get_Widget_Text_Width(text, Get_Widget_Font());
  return Put_Widget_Text(middle - _Half(w), y, text, active);
}

int Add_Widget_Centered_Label(int y, const char *text, int *active) {
  const int font = Get_Widget_Font();
  const int w = Add_Widget_Centered_Text(y, text, active);
  Set_Widget_Font(font);
  return w;
}

int Put_Widget_Text_with_Index(int x, int y, const char *text, const char *index, int *active) {
  const bool bold = (Get_Widget_Font() & kBold) != 0;
  return _Text_with_Index(x, y, text, index, nullptr, bold, 0, false, 0, 0, active);
}

int Add_Widget_Text_with_Index(int x, int y, const char *text, const char *index, int *active) {
  if (Get_Widget_Area() < 0) return 0;
  return Put_Widget_Text_with_Index(x, y, text, index, active);
}

int Add_Widget_Bold_Text_with_Index(int x, int y, const char *text, const char *index, int *active) {
  if (Get_Widget_Area() < 0) return 0;
  const int font = Get_Widget_Font();
  Set_Widget_Font(font | kBold);
  int w = Put_Widget_Text_with_Index(x, y, text, index, active);
  Set_Widget_Font(font);
  return w;
}

int Add_Widget_Label_with_Index(int x, int y, const char *text, const char *index, int valign, int halign,
                                int *active) {
  const int font = Get_Widget_Font();
  return _Text_with_Index(x, y, text, index, nullptr, (font & kBold) != 0, font & kShadowBits, true, valign, halign,
                          active);
}

int Add_Widget_Bold_Label_with_Index(int x, int y, const char *text, const char *index, int valign, int halign,
                                     int *active) {
  if (Get_Widget_Area() < 0) return 0;
  return _Text_with_Index(x, y, text, index, nullptr, true, Get_Widget_Font() & kShadowBits, true, valign, halign,
                          active);
}

int Add_Widget_Symbol_Label(int x, int y, const char *text, const char *index, const char *exponent, int *active) {
  if (Get_Widget_Area() < 0) return 0;
  const bool bold = (Get_Widget_Font() & kBold) != 0;
  return _Text_with_Index(x, y, text, index, exponent, bold, 0, false, 0, 0, active);
}

int Add_Widget_Text_Field(int x, int y, char *buffer, int, int *state) {
  const int area = Get_Widget_Area();
  if (area < 0) return 0;
  const int s = state ? *state : 0;
  int *activity = s == 1 ? &g_words.editable : &g_words.read_only;
  const int colour = (s == 1 || s == -1) ? Get_Widget_Text_Color() : _Grey();
  Add_Text_Field_to_View_Area(area, x + 7, y, buffer, 0, colour, activity);
  int width = 13;
  if (buffer && *buffer) {
    Pop_RFont(0);
    width = Get_Text_Width(buffer) + 16;
    Push_RFont();
  }
  Set_Last_Widget_Rect(x, y - 13, x + width, y + 5, s == 1);
  return width;
}

int Add_Widget_Padded_Text_Field(int x, int y, char *buffer, int n, int *state) {
  _Pad(buffer, n);
  return Add_Widget_Text_Field(x, y, buffer, n, state);
}

int Add_Widget_Sized_Text_Field(int x, int y, char *buffer, int capacity, int shown, int *state) {
  // Padded to the capacity only: the caller's buffer holds capacity + 1 bytes.
  Add_Widget_Padded_Text_Field(x, y, buffer, capacity, state);
  if (Get_Widget_Area() < 0) return 0;
  Set_View_Text_Field_Width(Get_Widget_Area(), shown);
  return shown * 8 + 19;
}

int Add_Widget_Radio_Button(int x, int y, const char *text, int value, int *target, int *active) {
  const int area = Get_Widget_Area();
  if (area < 0) return 0;
  const bool on = _Active(active);
  int font = Get_Widget_Font();
  const int w = Get_Widget_Text_Width(text, font);
  if (target && *target == value && on) font |= kBold;
  Add_Radio_Button_to_View_Area(area, x + 20, y, text ? text : "", font, on ? Get_Widget_Text_Color() : _Grey(),
                                value, target, active);
  const int width = (!text || !*text) ? 13 : w + 20;
  Set_Last_Widget_Rect(x, y - 13, x + width, y + 5, active ? *active : 1);
  return width;
}

int Add_Widget_Rohdichte_Field(int x, int y, double *value, int *active) {
  const int area = Get_Widget_Area();
  char format[16];
  std::snprintf(format, sizeof format, "%%%d.%df", 8, 1);
  Add_Float_Field_to_View_Area(area, x + 7, y, value, format, Get_Widget_Font() & kStyleBits, _Colour(active),
                               active);
  Register_Widget_Range_Value(value, 500.0, 2200.0);
  Set_View_Item_Change_Callback(area, &Clamp_Widget_Range_Value);
  return 79;
}

void Add_Widget_Image_Spot(int area, double x, double y, double height, double width, int valign, int halign,
                           const char *active_picture, const char *inactive_picture, int transparent, int value,
                           int *target, int active) {
  const int x1 = _Image_Coordinate(x, width, halign, 1, 4);
  const int y1 = _Image_Coordinate(y, height, valign, 2, 4);
  const int x2 = static_cast<int>(std::lround(x1 + width));
  const int y2 = static_cast<int>(std::lround(y1 + height));
  Set_Last_Widget_Rect(x1, y1, x2, y2, active);
  if (active) {
    if (active_picture) Add_Bitmap_File_to_View_Area(area, active_picture, x1, y1, x2, y2, transparent);
    Add_Click_Spot_to_View_Area(area, x1, y1, x2, y2, value, target);
    Set_Click_Spot_Option(area, 18);
  } else if (inactive_picture) {
    Add_Bitmap_File_to_View_Area(area, inactive_picture, x1, y1, x2, y2, transparent);
  }
}

int Add_Widget_Image_Radio(int area, double x, double y, int value, int *target, const char *picture1,
                           const char *picture2, const char *picture3, const char *picture4, int *active) {
  const int X = static_cast<int>(std::lround(x)), Y = static_cast<int>(std::lround(y));
  Add_Radio_Button_to_View_Area(area, X + 20, Y, "", 0, WHITE_CI, value, target, active);
  const bool chosen = target && *target == value;
  const bool on = _Active(active);
  const char *picture = on ? (chosen ? picture1 : picture2) : (chosen ? picture3 : picture4);
  Add_Bitmap_File_to_View_Area(area, picture, X, Y - 10, X + 12, Y + 2, WHITE_CI);
  Set_Last_Widget_Rect(X, Y - 10, X + 12, Y + 2, active ? *active : 1);
  return active ? *active : 1;
}

int Add_Widget_Image_Check(int area, double x, double y, int *value, const char *picture1, const char *picture2,
                           const char *picture3, const char *picture4, int *active) {
  const int X = static_cast<int>(std::lround(x)), Y = static_cast<int>(std::lround(y));
  Add_Check_Box_to_View_Area(area, X + 20, Y, "", 0, WHITE_CI, value, active);
  const bool set = value && *value != 0;
  const bool on = _Active(active);
  const char *picture = on ? (set ? picture1 : picture2) : (set ? picture3 : picture4);
  Add_Bitmap_File_to_View_Area(area, picture, X, Y - 10, X + 12, Y + 2, WHITE_CI);
  Set_Last_Widget_Rect(X, Y - 10, X + 12, Y + 2, active ? *active : 1);
  return active ? *active : 1;
}

int Get_Widget_Choice_Width(const char *texts, int stride, int count, int font) {
  if (count < 1 || !texts) return 33;
  int widest = 0;
  for (int i = 0; i < count; ++i) {
    int w = Get_Widget_Text_Width(texts + static_cast<std::ptrdiff_t>(i) * stride, font);
    if (w > widest) widest = w;
  }
  return 8 * static_cast<int>(std::nearbyint(widest / 8.0)) + 33;
}
