// Grade choice lists of concrete and reinforcing steel, the grade pickers with their
// parameter blocks, and the free-grade sheets that edit a grade of the user's own.
#include <cstdio>
#include <cstring>

#include "host/host.h"
#include "host/host_screen.h"
#include "materials/material_sheets.h"
#include "support/cp850.h"
#include "support/support.h"

namespace {

// Glyph bytes of the host's raster fonts.
constexpr const char *kAlpha = "\xBA";
constexpr const char *kEpsilon = "\xBE";
constexpr const char *kPerMille = "\x89";
constexpr const char *kCubicMetre = "kg/m\xFA";

constexpr int kSteelToken = 0x5354;     // "ST"
constexpr int kConcreteToken = 0x4254;  // "BT"
constexpr int kFreeSteelValue = 5;
constexpr int kFreeConcreteValue = 20;

struct EditorState {
  bool registered = false;
  int link = 0;
  int steel_marker = 0, concrete_marker = 0;
  CONCRETE_GRADE *concrete = nullptr;  // edited by the open free concrete sheet
  REBAR_GRADE *steel = nullptr;
  int always = 1;
  int read_only = -1;
};
EditorState g;

void Reset_Grade_Editors_For_Tests() {
  g = EditorState{};
  g.registered = true;
}

EditorState &_S() {
  if (!g.registered) {
    g.registered = true;
    Host_Register_Reset(&Reset_Grade_Editors_For_Tests);
  }
  return g;
}

int _Green() { return Nearest_Color_Index(0, 164, 0); }
int _Orange() { return Nearest_Color_Index(234, 164, 0); }
int _Blue() { return Nearest_Color_Index(0, 0, 255); }

void _Separator(CHOICE_LIST *l) { Set_Choice_List_Entry(l, l->count++, "-------", _Orange(), CHOICE_SEPARATOR, -1); }

// A label in the widget font with a light shadow.
void _Shadow_Label(int x, int y, const char *text) {
  Set_Widget_Text_Color(BLACK_CI);
  const int font = Get_Widget_Font();
  Set_Widget_Font(font | 0x20000);
  Put_Widget_Text(x, y, text, nullptr);
  Set_Widget_Font(font);
}

// A symbol with index at x, the field at x + 75 and the unit 3 pixels behind it.
void _Row(int x, int y, const char *symbol, const char *index, double *value, double factor, int decimals,
          const char *unit, int *state) {
  Put_Widget_Text_with_Index(x, y, symbol, index, nullptr);
  const int w = Add_Widget_Float_Field(x + 75, y, value, factor, 8, decimals, state);
  if (unit) Put_Widget_Text(x + 75 + w + 3, y, unit, nullptr);
}

int _Selected_Value(const CHOICE_LIST *list, int *selected, int *flags) {
  int value = -1;
  if (list && selected) {
    while (*selected > 0 && *selected < list->count && (list->flags[*selected] & CHOICE_SEPARATOR)) --*selected;
    Get_Choice_List_Value(list, *selected, &value, nullptr);
    Get_Choice_List_Value(list, *selected, nullptr, flags);
  }
  return value;
}

// The link "-> ... definieren" that opens the free-grade sheet at the next build.
void _Link(int x, int y, const char *text, int token, int *marker) {
  const int colour = Get_Widget_Text_Color();
  Set_Widget_Text_Color(_Blue());
  Put_Widget_Text_Spot(x, y, text, token, marker, nullptr);
  Set_Widget_Text_Color(colour);
}

}  // namespace

// ---------------------------------------------------------------- choice lists

CHOICE_LIST *New_Beton_Choice_List(int extended, int options) {
  CHOICE_LIST *l = Alloc_Choice_List(extended ? 35 : 5, CONCRETE_LIST_NAME_WIDTH);
  l->extended = extended;
  l->option = (options & 8) ? 1 : 0;
  if (options & 1)
    for (int i = 0; i < DIN1045_CONCRETE_COUNT; ++i)
      Set_Choice_List_Entry(l, l->count++, Get_DIN1045_Concrete_Name(i), _Green(), CHOICE_OLD_CONCRETE, i);
  if (!extended) return l;
  if (options & 1) _Separator(l);
  for (int v = CONCRETE_NAME_FIRST_ROW; v < CONCRETE_NAME_FIRST_ROW + CONCRETE_GRADE_COUNT; ++v)
    Set_Choice_List_Entry(l, l->count++, Get_Concrete_Grade_Name(v, 0), BLACK_CI, 0, v);
  if (options & 2) {
    _Separator(l);
    for (int v = CONCRETE_NAME_FIRST_ROW; v < CONCRETE_NAME_FIRST_ROW + CONCRETE_LIGHTWEIGHT_COUNT; ++v)
      Set_Choice_List_Entry(l, l->count++, Get_Concrete_Grade_Name(v, 1), Nearest_Color_Index(155, 126, 66),
                            CHOICE_LIGHTWEIGHT, v);
  }
  if (options & 4) {
    _Separator(l);
    Set_Choice_List_Entry(l, l->count++, "frei", _Blue(), CHOICE_FREE_CONCRETE, kFreeConcreteValue);
  }
  return l;
}

CHOICE_LIST *New_Stahl_Choice_List(int mode) {
  CHOICE_LIST *l = Alloc_Choice_List(8, DIN1045_REBAR_NAME_WIDTH);
  l->extended = mode;
  for (int i = 0; i < DIN1045_REBAR_COUNT; ++i)
    Set_Choice_List_Entry(l, l->count++, Get_DIN1045_Rebar_Name(i), _Green(), CHOICE_OLD_STEEL, i);
  if (mode == 0) return l;
  _Separator(l);
  Set_Choice_List_Entry(l, l->count++, mode == 2 ? "B500A" : "BSt 500 (A)", BLACK_CI, 0, 3);
  Set_Choice_List_Entry(l, l->count++, mode == 2 ? "B500B" : "BSt 500 (B)", BLACK_CI, 0, 4);
  _Separator(l);
  Set_Choice_List_Entry(l, l->count++, "frei", _Blue(), CHOICE_FREE_STEEL, kFreeSteelValue);
  return l;
}

void Set_Free_Grade_Link(int on) { _S().link = on; }
int Get_Free_Grade_Link() { return _S().link; }

// ---------------------------------------------------------------- free-grade sheets

// The one-page sheet of a free grade: the record is backed up before anything touches it and
// given back unchanged after "abbrechen" (result 0). Each editor keeps its own description
// and page across calls (the scroll position stays), made on its first call.
struct FREE_GRADE_SHEET {
  WIDGET_SHEET_DESCRIPTION description;
  WIDGET_SHEET_PAGE page;
  bool made = false;
};
template <class RECORD>
int _Run_Free_Grade_Sheet(FREE_GRADE_SHEET &sheet, RECORD *record, RECORD *&current, const char *tab_title,
                          void (*build)(int, int), const char *title, int max_height, int max_width) {
  if (!sheet.made) {
    sheet.made = true;
    Init_Widget_Sheet_Description(&sheet.description);
    Init_Widget_Sheet_Pages(1, &sheet.page);
  }
  RECORD *outer = current;
  current = record;
  std::snprintf(sheet.page.tab_title, sizeof sheet.page.tab_title, "%s", tab_title);
  sheet.page.hslider = sheet.page.vslider = 0;
  sheet.page.build = build;
  std::snprintf(sheet.description.title, sizeof sheet.description.title, "%s", title);
  sheet.description.max_height = max_height;
  sheet.description.max_width = max_width;
  sheet.description.kind = 0;
  const int result = Run_Widget_Sheet(&sheet.description, &sheet.page);
  current = outer;
  return result;
}

int Edit_Free_Beton_Parameters(CONCRETE_GRADE *concrete) {
  if (!concrete) return 0;
  static FREE_GRADE_SHEET sheet;
  const CONCRETE_GRADE backup = *concrete;  // before the record is touched
  if (!(concrete->fck > 0)) Set_Concrete_Grade(concrete, 3, 0, 2200.0);
  const int result = _Run_Free_Grade_Sheet(sheet, concrete, _S().concrete, "Betonparameter",
                                           &Add_Current_Betonparameter_Fields, "Freie Definition des Betons", 220, 440);
  if (result == 0) *concrete = backup;
  return result;
}

int Edit_Free_Stahl_Parameters(REBAR_GRADE *steel) {
  if (!steel) return 0;
  static FREE_GRADE_SHEET sheet;
  const REBAR_GRADE backup = *steel;
  if (!(steel->fyk > 0)) Set_Rebar_Grade(steel, 0);
  const int result = _Run_Free_Grade_Sheet(sheet, steel, _S().steel, "Stahlparameter",
                                           &Add_Current_Stahlparameter_Fields, "Freie Definition des Stahls", 170, 470);
  if (result == 0) *steel = backup;
  return result;
}

// ---------------------------------------------------------------- pickers and blocks

int Add_Betonguete_Choice(int, int x, int y, CONCRETE_GRADE *, const CHOICE_LIST *list, int *selected) {
  _Shadow_Label(x, y, "Betongüte"_cp);
  Add_Widget_Grade_Choice(x + 75, y, list, selected, &_S().always);
  return 0;
}

int Add_Stahlguete_Choice(int, int x, int y, REBAR_GRADE *, const CHOICE_LIST *list, int *selected) {
  _Shadow_Label(x, y, "Stahlgüte"_cp);
  Add_Widget_Grade_Choice(x + 75, y, list, selected, &_S().always);
  return 0;
}

int Add_Betonparameter_Fields(int area, int x, int y, CONCRETE_GRADE *c) {
  if (!c || Get_Widget_Area() < 0) return 183;
  EditorState &s = _S();
  Add_Bitmap_File_to_View_Area(area, "tools\\bemop_fcd.bmp", x + 200, y, x + 420, y + 192,
                               Nearest_RGB_Color(239, 253, 238));
  Put_Widget_Text(x, y + 57, "Rohdichte", nullptr);
  const int w = Add_Widget_Rohdichte_Field(x + 75, y + 57, &c->density, &s.always);
  Put_Widget_Text(x + 75 + w + 3, y + 57, kCubicMetre, nullptr);
  _Row(x, y + 80, kAlpha, "c", &c->alpha, 1.0, 3, nullptr, &s.always);
  _Row(x, y + 103, "f", "ck", &c->fck, 0.001, 2, "MN/m²"_cp, &s.always);
  for (int k = 0; k < 2; ++k) {  // the strains are shown positive behind a long minus
    const int row = y + 126 + 23 * k;
    Put_Widget_Text(x + 65, row, "-", nullptr);
    Put_Widget_Text(x + 68, row, "-", nullptr);
    _Row(x, row, kEpsilon, k == 0 ? "c2" : "c2u", k == 0 ? &c->eps_c2 : &c->eps_cu2, -1000.0, 3, kPerMille,
         &s.always);
  }
  _Row(x, y + 172, "n", "c", &c->n, 1.0, 2, nullptr, &s.always);
  Put_Widget_Text_with_Index(x, y + 207, "E", "cm", nullptr);
  int *e_state = c->e_automatic ? &s.read_only : &s.always;  // computed E_cm: read-only
  const int fw = Add_Widget_Float_Field(x + 75, y + 207, &c->E_cm, 0.001, 8, 1, e_state);
  if (c->e_automatic) c->E_cm = Calc_Concrete_Ecm(1000.0 * c->fck) * 0.001;  // fck shown in MN/m²
  const int uw = Put_Widget_Text(x + 75 + fw + 3, y + 207, "MN/m²"_cp, nullptr);
  Add_Widget_Check_Box(x + 75 + fw + 3 + uw + 15, y + 207, "E-Modul automatisch ermitteln", &c->e_automatic,
                       &s.always);
  return 183;
}

int Add_Stahlparameter_Fields(int area, int x, int y, REBAR_GRADE *r) {
  if (!r || Get_Widget_Area() < 0) return 107;
  EditorState &s = _S();
  Add_Bitmap_File_to_View_Area(area, "tools\\bemop_fyk.bmp", x + 220, y, x + 436, y + 141,
                               Nearest_RGB_Color(239, 253, 238));
  _Row(x, y + 23, "f", "yk", &r->fyk, 0.001, 2, "MN/m²"_cp, &s.always);
  _Row(x, y + 46, "f", "tk", &r->ftk, 0.001, 2, "MN/m²"_cp, &s.always);
  _Row(x, y + 69, kEpsilon, "su", &r->eps_uk, 1000.0, 3, kPerMille, &s.always);
  _Row(x, y + 92, "E", "s", &r->Es, 0.001, 1, "MN/m²"_cp, &s.always);
  return 107;
}

void Add_Current_Betonparameter_Fields(int area, int) {
  if (_S().concrete) Add_Betonparameter_Fields(area, 20, 0, _S().concrete);
}

void Add_Current_Stahlparameter_Fields(int area, int) {
  if (_S().steel) Add_Stahlparameter_Fields(area, 20, 15, _S().steel);
}

int Add_Stahlguete_Editor(int area, int x, int y, REBAR_GRADE *steel, const CHOICE_LIST *list, int *selected) {
  EditorState &s = _S();
  if (s.steel_marker == kSteelToken && steel) {
    const int outer_area = Get_Widget_Area();
    Edit_Free_Stahl_Parameters(steel);
    Begin_Widget_Area(outer_area);  // the sheet's page was the current widget area
  }
  s.steel_marker = 0;
  Add_Stahlguete_Choice(area, x, y, steel, list, selected);
  int flags = 0;
  if (_Selected_Value(list, selected, &flags) != kFreeSteelValue) return 0;
  if (!s.link) return Add_Stahlparameter_Fields(area, x, y, steel);
  _Link(x, y + 23, "-> Stahlparameter definieren", kSteelToken, &s.steel_marker);
  return 23;
}

int Add_Betonguete_Choice_and_Parameters(int area, int x, int y, CONCRETE_GRADE *concrete, const CHOICE_LIST *list,
                                         int *selected) {
  EditorState &s = _S();
  if (s.concrete_marker == kConcreteToken && concrete) {
    const int outer_area = Get_Widget_Area();
    Edit_Free_Beton_Parameters(concrete);
    Begin_Widget_Area(outer_area);
  }
  s.concrete_marker = 0;
  Add_Widget_Grade_Choice(x, y, list, selected, &s.always);
  int flags = 0;
  const int value = _Selected_Value(list, selected, &flags);
  if (value == kFreeConcreteValue && (flags & CHOICE_FREE_CONCRETE)) {
    if (!s.link) return Add_Betonparameter_Fields(area, x - 75, y - 34, concrete);
    _Link(x - 75, y + 23, "-> Betonparameter definieren", kConcreteToken, &s.concrete_marker);
    return 23;
  }
  int height = 0;
  if (concrete && (flags & CHOICE_LIGHTWEIGHT)) {
    height = 23;
    Put_Widget_Text(x - 75, y + height, "Rohdichte", nullptr);
    const int w = Add_Widget_Rohdichte_Field(x, y + height, &concrete->density, &s.always);
    Put_Widget_Text(x + w + 3, y + height, kCubicMetre, nullptr);
  }
  if (concrete && list && list->option) {
    height += 23;
    Put_Widget_Text_with_Index(x - 75, y + height, kAlpha, "c", nullptr);
    Add_Widget_Float_Field(x, y + height, &concrete->alpha, 1.0, 8, 3, &s.always);
  }
  return height;
}

int Add_Betonguete_Editor(int area, int x, int y, CONCRETE_GRADE *concrete, const CHOICE_LIST *list, int *selected) {
  _Shadow_Label(x, y, "Betongüte"_cp);
  return Add_Betonguete_Choice_and_Parameters(area, x + 75, y, concrete, list, selected);
}
