// Ready-made buttons of the widget layer: the import buttons of the load tables, the
// explorer button, the picture spot and text buttons whose look changes under the pointer,
// and the program hints page with its one button.
#include <cmath>
#include <cstdio>
#include <cstring>

#include "host/host.h"
#include "host/host_screen.h"
#include "support/cp850.h"
#include "support/support.h"
#include "widgets/widget_layer.h"
#include "widgets/widget_layer_internal.h"
#include "widgets/widget_sheets.h"

namespace {

constexpr const char *kImportStrip = "SniGrImportButton.bmp";

struct ButtonState {
  int member_import = 0;  // active flag of the member import button's items
  int ascii_import = 0;   // active flag of the ASCII import button
  int reactivate = 0;     // target of the hints page's button
  int never = 0;          // the hints button's flag while no hint is off
};
ButtonState g_buttons;

int _Round(double v) { return static_cast<int>(std::lround(v)); }

// Escape area of a view area on the widget area stack (the last entry of it), -1 when none:
// the hover entry is live while that escape area is active.
int _Escape_of(int area) {
  int escape = -1;
  for (int i = 0; const WIDGET_AREA_STACK_ENTRY *e = Widget_Area_Stack_Entry(i); ++i)
    if (e->area == area) escape = e->escape;
  return escape;
}

int _Text_Width(const char *text) { return Get_Widget_Text_Width(text, Get_Widget_Font()); }

// Rectangle of a text button: x1..x1 + w, y1..y1 + 18 with w = width − 1.
void _Text_Button_Rect(double x, double y, double width, int valign, int halign, int *x1, int *y1, int *w) {
  *w = _Round(width) - 1;
  *x1 = _Round(halign == 1 ? x - *w : halign == 4 ? x - *w / 2.0 : x);
  *y1 = _Round(valign == 2 ? y - 18 : valign == 4 ? y - 9 : y);
}

// The framed button shared by both text button forms.
void _Framed_Button(int area, double x, double y, double width, int valign, int halign, int text_colour,
                    int frame_colour, const char *text, int value, int *target, int active,
                    const char *background, const char *normal, const char *hover) {
  if (!Widget_Hover_In_Use()) return;
  int x1, y1, w;
  _Text_Button_Rect(x, y, width, valign, halign, &x1, &y1, &w);
  if (background) Add_Bitmap_File_to_View_Area(area, background, x1, y1, x1 + w, y1 + 18, WHITE_CI);
  int font = 0;
  if (active) {
    Add_Click_Spot_to_View_Area(area, x1, y1, x1 + w, y1 + 18, value, target);
    Set_Click_Spot_Option(area, 18);
    font = 0x10000;
  } else {
    frame_colour = Nearest_RGB_Color(196, 196, 196);
    text_colour = Nearest_RGB_Color(198, 195, 198);
  }
  Add_Line_to_View_Area(area, x1, y1, x1 + w, y1, frame_colour);
  Add_Line_to_View_Area(area, x1 + w, y1, x1 + w, y1 + 18, frame_colour);
  Add_Line_to_View_Area(area, x1 + w, y1 + 18, x1, y1 + 18, frame_colour);
  Add_Line_to_View_Area(area, x1, y1 + 18, x1, y1, frame_colour);
  Pop_RFont(0);
  const int tw = text && *text ? Get_Markup_Text_Width(text) : 0;
  Push_RFont();
  const int free_space = tw > 0 ? w - (tw + 3) : w;
  const int tx = x1 + free_space / 2, ty = y1 + 14;
  if (text) Add_Text_to_View_Area(area, tx, ty, text, 0, text_colour, 0);
  Set_Last_Widget_Rect(x1, y1, x1 + w - 1, y1 + 18, active);
  HOVER_BUTTON b{};
  b.handle = _Escape_of(area);
  b.normal_picture = normal;
  b.hover_picture = hover;
  b.x1 = x1;
  b.x2 = x1 + w - 1;
  b.y1 = y1;
  b.y2 = y1 + 18;
  b.transparent = WHITE_CI;
  b.text = text;
  b.font = font;
  b.text_x = tx;
  b.text_y = ty;
  b.text_colour = text_colour;
  if (hover || (text && *text)) Add_Widget_Hover_Button(&b);
}

}  // namespace

// ---------------------------------------------------------------- import buttons

int Add_Lastkollektive_Delete_Button(int x, int y, const char *hover_text, int code, int *value, int *active) {
  const int area = Get_Widget_Area();
  if (area < 0) return 0;  // callers add the width to their x
  Add_Bitmap_Button_to_View_Area(area, x, y, 51, 36, kImportStrip, 36, Nearest_RGB_Color(198, 222, 228), 18,
                                 hover_text, code, value, active);
  return Put_Widget_Text(x + 51, y + 12, ".... alle Lastkollektive löschen"_cp, active);
}

int Add_Bauteil_Import_Button(int x, int y, const char *label, int code, int *value, int *active) {
  const int area = Get_Widget_Area();
  if (area < 0) return 75;
  g_buttons.member_import = SniSelct_Available() && active ? *active : 0;
  int *flag = &g_buttons.member_import;
  const int x1 = x + Put_Widget_Text(x, y, label ? label : "Lagergrößen importieren aus "_cp, flag);
  if (!active || *active == 0) Put_Widget_Text(x1, y, "R7-", flag);
  else Add_Bitmap_File_to_View_Area(area, "SniR7.bmp", x1, y - 12, x1 + 55, y + 2, WHITE_CI);
  const int x2 = x1 + 21 + Put_Widget_Text(x1 + 21, y, "Programmen ...", flag);
  Add_Bitmap_Button_to_View_Area(area, x2 + 3, y - 23, 51, 33, kImportStrip, 0, Nearest_RGB_Color(255, 255, 255),
                                 18, "Werte aus YRM-Bauteil\nimportieren", code, value, flag);
  return x2 + 54 - x;
}

int Add_Ascii_Import_Button(int x, int y, const char *label, int code, int *value, int *active) {
  const int area = Get_Widget_Area();
  g_buttons.ascii_import = active ? *active : 1;
  char text[300];
  std::snprintf(text, sizeof text, "%s Datei ...", label ? label : "Lastkollektive importieren aus");
  int x1 = x;
  if (area >= 0) x1 += Put_Widget_Text(x, y, text, &g_buttons.ascii_import);
  Add_Bitmap_Button_to_View_Area(area, x1 + 3, y - 16, 51, 36, kImportStrip, 76, Nearest_RGB_Color(255, 255, 255),
                                 18, "Werte aus ASCII-Datei\nimportieren", code, value, &g_buttons.ascii_import);
  return x1 + 54 - x;
}

void Add_Explorer_Button(int x, int y, int code, int *value, int *active) {
  Add_Bitmap_Button_to_View_Area(Get_Widget_Area(), x, y, 38, 38, "deskbuts.bmp", 250,
                                 Nearest_RGB_Color(255, 251, 240), 18, "Aufruf Eplorer um Datei zu finden", code,
                                 value, active);
}

// ---------------------------------------------------------------- hover forms

void Add_Widget_Hover_Image_Spot(int area, double x, double y, double height, double width, int valign,
                                 int halign, const char *active_picture, const char *inactive_picture,
                                 const char *active_hover, const char *inactive_hover, int transparent, int value,
                                 int *target, int active) {
  if (!Widget_Hover_In_Use()) return;
  const int x1 = _Round(halign == 1 ? x - width : halign == 4 ? x - width / 2 : x);
  const int y1 = _Round(valign == 2 ? y - height : valign == 4 ? y - height / 2 : y);
  const int x2 = _Round(x1 + width), y2 = _Round(y1 + height);
  HOVER_BUTTON b{};
  b.handle = _Escape_of(area);
  if (active) {
    if (active_picture) Add_Bitmap_File_to_View_Area(area, active_picture, x1, y1, x2, y2, transparent);
    Add_Click_Spot_to_View_Area(area, x1, y1, x2, y2, value, target);
    Set_Click_Spot_Option(area, 18);
    b.normal_picture = active_picture;
    b.hover_picture = active_hover;
  } else {
    if (inactive_picture) Add_Bitmap_File_to_View_Area(area, inactive_picture, x1, y1, x2, y2, transparent);
    b.normal_picture = inactive_picture;
    b.hover_picture = inactive_hover;
  }
  Set_Last_Widget_Rect(x1, y1, x2, y2, active);
  b.x1 = x1;
  b.x2 = x2;
  b.y1 = y1;
  b.y2 = y2;
  b.transparent = transparent;
  b.text_colour = BLACK_CI;
  if (b.hover_picture) Add_Widget_Hover_Button(&b);
}

void Add_Widget_Framed_Text_Button(int area, double x, double y, double width, int valign, int halign,
                                   int text_colour, int frame_colour, int, const char *text, int value,
                                   int *target, int active) {
  _Framed_Button(area, x, y, width, valign, halign, text_colour, frame_colour, text, value, target, active,
                 nullptr, nullptr, nullptr);
}

void Add_Widget_Text_Button(int area, double x, double y, double width, int valign, int halign, const char *text,
                            int value, int *target, int active) {
  if (active)
    _Framed_Button(area, x, y, width, valign, halign, BLACK_CI, Nearest_RGB_Color(144, 144, 144), text, value,
                   target, 1, "textbuttonbg.bmp", "TextButtonBg.bmp", "TextButtonBg_ro.bmp");
  else
    _Framed_Button(area, x, y, width, valign, halign, BLACK_CI, 0, text, value, target, 0,
                   "TextButtonBgInaktive.bmp", "TextButtonBgInaktive.bmp", "TextButtonBgInaktive_ro.bmp");
}

// ---------------------------------------------------------------- program hints page

void Add_Programmhinweise_Page(int area, int *switches, int width) {
  Begin_Widget_Area(area);
  if (Get_Widget_Area() < 0 || !switches) return;
  if (g_buttons.reactivate == 1)
    for (int i = 0; i < 4; ++i) switches[i] = 1;
  g_buttons.reactivate = 0;
  int n = 0;
  for (int i = 0; i < 4; ++i) n += switches[i] == 0 ? 1 : 0;
  Set_Widget_Font(0x1000);
  auto centred = [&](const char *text) { return _Round((width - _Text_Width(text)) / 2.0); };
  char line[200];
  CP850_CALL2(std::snprintf, line, sizeof line, "Von insgesamt %s möglichen Programmhinweisen %s", Count_Word(4),
              n < 2 ? "ist" : "sind");
  Set_Widget_Text_Color(BLACK_CI);
  Put_Widget_Text(centred(line), 50, line, nullptr);
  const int green = Nearest_Color_Index(0, 95, 0);
  Set_Widget_Text_Color(green);
  std::snprintf(line, sizeof line, "%s", Count_Word(n));
  Add_Widget_Bold_Text(centred(line), 75, line, nullptr);
  Set_Widget_Text_Color(BLACK_CI);
  Put_Widget_Text(centred("deaktiviert."), 100, "deaktiviert.", nullptr);
  char hover[64];
  std::snprintf(hover, sizeof hover, "%d %s wieder aktivieren", n, n < 2 ? "Hinweis" : "Hinweise");
  static int always = 1;
  Add_Bitmap_Button_to_View_Area(area, _Round((width - 212) / 2.0), 130, 212, 21, "but_hinweise_reaktivieren.bmp",
                                 0, Nearest_RGB_Color(255, 251, 240), 18, hover, 1, &g_buttons.reactivate,
                                 n > 0 ? &always : &g_buttons.never);
  const int x0 = _Round((width - 365) / 2.0);
  Set_Widget_Background_Color(Nearest_RGB_Color(240, 240, 240));
  Add_Widget_Box(x0 - 3, 202, x0 + 362, 262);
  Set_Widget_Text_Color(green);
  Add_Widget_Frame(x0 - 3, 202, x0 + 362, 262);
  Set_Widget_Background_Color(Nearest_RGB_Color(255, 251, 240));
  const char *title = "Programmhinweise";
  Add_Widget_Box(x0 + 2, 210, x0 + 8 + _Text_Width(title), 193);
  Add_Widget_Bold_Text(x0 + 5, 205, title, nullptr);
  const char *lines[4] = {"Programmhinweise machen den Anwender darauf aufmerksam, dass die",
                          "aktuellen Einstellungen entweder den Anwendungsvoraussetzungen nicht",
                          "entsprechen oder zu ungültigen bzw. außergewöhnlichen Ergebnissen"_cp, "führen."_cp};
  Set_Widget_Font(0x1000 | 2);
  for (int i = 0; i < 4; ++i) Put_Widget_Text(x0 + 5, 221 + 10 * i, lines[i], nullptr);
  Set_Widget_Font(0x1000);
}
