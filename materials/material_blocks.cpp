// Input blocks of the materials on a member's input page: partial safety factors, the
// steel grade string list, the material block (grade picker, user values, strengths and
// constants), the plate block, and the dialog that sums the area of reinforcing bars.
// Every item takes its active flag from the widget flag ring.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>

#include "drawing_base/drawing_base.h"
#include "host/host.h"
#include "host/host_screen.h"
#include "materials/material_sheets.h"
#include "support/cp850.h"
#include "support/shell.h"
#include "support/support.h"

namespace {

// Glyph bytes of the formula font.
constexpr const char *kGamma = "\xC0";
constexpr const char *kBeta = "\xBB";
constexpr const char *kAlpha = "\xBA";
constexpr const char *kInfinity = "\xEC";
constexpr const char *kDiameter = "\x8C";
constexpr const char *kSum = "\xB2";

constexpr int kFont = 0x1000;
constexpr int kSmallFont = 0x1002;

struct BlockState {
  bool registered = false;
  int all_ranges = 0;   // Material_Sheet_All_Ranges is running
  int plate_style = 0;  // Set_Plate_Sheet_Style
};
BlockState g;

void _Reset() {
  g = BlockState{};
  g.registered = true;
}

BlockState &_S() {
  if (!g.registered) {
    g.registered = true;
    Host_Register_Reset(&_Reset);
  }
  return g;
}

// Colours of the input pages: roles of the screen colour set.
enum Role { kBlack, kBrownNote, kGreyInactive, kRed };
int _Colour(Role role) {
  const SCREEN_COLORS *c = Get_Screen_Colors();
  switch (role) {
    case kBrownNote: return c->brown_note;
    case kGreyInactive: return c->grey_inactive;
    case kRed: return c->red;
    default: return c->black;
  }
}

void _Not_Negative(double *value) { Clamp_Not_Negative(value); }
void _Zero_to_One(double *value) { Clamp_Zero_to_One(value); }

int _Width(const char *text, int font) {
  Pop_RFont(font);
  const int w = Get_Text_Width(text);
  Push_RFont();
  return w;
}

// A text item; an inactive one in the inactive colour.
void _Text(int area, int x, int y, const char *text, int font, int active) {
  Add_Text_to_View_Area(area, x, y, text, font, active ? _Colour(kBlack) : _Colour(kGreyInactive), 0);
}

// Symbol with a lowered subscript one font smaller; returns the x behind it.
int _Symbol(int area, int x, int y, const char *symbol, const char *subscript, int active) {
  _Text(area, x, y, symbol, kFont, active);
  const int xs = x + _Width(symbol, kFont) + 1;
  _Text(area, xs, y + 2, subscript, kSmallFont, active);
  return xs + _Width(subscript, kSmallFont);
}

void _Field(int area, int x, int y, double *value, const char *format, int colour, int active,
            VIEW_CHANGE_DOUBLE_FN change) {
  Add_Float_Field_to_View_Area(area, x, y, value, format, 0, colour, Take_Widget_Cell(active ? 1 : 0));
  Set_View_Item_Change_Callback(area, change);
}

// One strength or constant row of the material block.
void _Value_Row(int area, int x, int y, const char *label, const char *symbol, const char *subscript, double *value,
                const char *format, const char *unit, int colour, int active, VIEW_CHANGE_DOUBLE_FN change) {
  _Text(area, x + 20, y, label, kFont, active);
  _Symbol(area, x + 145, y, symbol, subscript, active);
  _Field(area, x + 190, y, value, format, colour, active, change);
  _Text(area, x + 260, y, unit, kFont, active);
}

// The picker's entries and their texts in one block owned by the choice item.
VIEW_CHOICE_ENTRY *_Entries(int count, int width) {
  const std::size_t bytes = sizeof(VIEW_CHOICE_ENTRY) * static_cast<std::size_t>(count) +
                            static_cast<std::size_t>(count) * static_cast<std::size_t>(width);
  return static_cast<VIEW_CHOICE_ENTRY *>(Tools_Alloc(nullptr, bytes, 1));
}

void _Set_Entry(VIEW_CHOICE_ENTRY *entries, int count, int width, int i, const char *text, int colour) {
  char *texts = reinterpret_cast<char *>(entries + count);
  char *slot = texts + static_cast<std::size_t>(i) * static_cast<std::size_t>(width);
  std::snprintf(slot, static_cast<std::size_t>(width), "%s", text ? text : "");
  entries[i].text = slot;
  entries[i].colour = colour;
}

bool _In(int v, std::initializer_list<std::pair<int, int>> ranges) {
  for (auto r : ranges)
    if (v >= r.first && v <= r.second) return true;
  return false;
}

// Colour of picker entry i of a family (editable block).
int _Entry_Colour(int family, int i) {
  bool second = false;
  if (family == MATERIAL_FAMILY_EC_STEEL) {
    second = _In(i, {{4, 7}, {12, 14}, {18, 21}});
  } else if (family == MATERIAL_FAMILY_DIN_STEEL) {
    if (i == 3 || i == 7) return _Colour(kGreyInactive);
    second = _In(i, {{4, 7}});
  } else {
    second = _In(i, {{4, 7}, {12, 16}, {21, 23}, {30, 35}, {39, 44}, {47, 50}, {54, 54}, {57, 63}, {68, 74},
                     {80, 80}, {89, 91}, {93, 94}});
  }
  return second ? _Colour(kBrownNote) : _Colour(kBlack);
}

void _Material_Block(MATERIAL *m, int area, int x, int *y, int row_height, int editable, int mask) {
  if (!m || !y) return;
  const int family = m->family;
  const bool alu = family == MATERIAL_FAMILY_ALUMINIUM;
  const int count = alu ? ALU_GRADE_COUNT : family == MATERIAL_FAMILY_DIN_STEEL ? 11 : 26;
  constexpr int kNameWidth = 17;
  if (family == MATERIAL_FAMILY_DIN_STEEL) Init_Stguete_Name_Grid();
  VIEW_CHOICE_ENTRY *entries = _Entries(count, kNameWidth);
  for (int i = 0; i < count; ++i) {
    const char *name = alu ? Get_Alguete_Name(i)
                           : family == MATERIAL_FAMILY_DIN_STEEL ? Get_Stguete_Name_Grid_Entry(i)
                                                                 : Get_EC_Grade_Name(0, i);
    _Set_Entry(entries, count, kNameWidth, i, name, editable ? _Entry_Colour(family, i) : _Colour(kGreyInactive));
  }
  // Row 1: picker, "Vorgabe", stainless note.
  _Text(area, x, *y, alu ? "Legierung" : "Stahlsorte", kFont, editable);
  Add_Choice_List_to_View_Area(area, x + 80, *y, entries, kFont, alu ? 16 : 12, count, &m->grade,
                               Take_Widget_Cell(editable ? 1 : 0));
  Own_Last_View_Choice_Entries(area);
  Add_Check_Box_to_View_Area(area, x + (alu ? 265 : 242), *y, "Vorgabe", kFont, _Colour(kBlack), &m->user_values,
                             Take_Widget_Cell(editable ? 1 : 0));
  if (!alu && m->grade > 25) _Text(area, x + 312, *y, "Edelstahl", kFont, editable);
  *y += row_height;
  // Row 2: the identifier, padded so that the field takes the full 25 characters.
  _Text(area, x, *y, "Kennung", kFont, editable);
  Pad_With_Blanks(m->name, 26);
  Add_Text_Field_to_View_Area(area, x + 80, *y, m->name, kFont, _Colour(kBlack), Take_Widget_Cell(editable ? 1 : 0));
  Set_View_Text_Field_Width(area, 25);
  *y += row_height;
  if (m->user_values) {
    const char *unit = "N/mm²"_cp;
    auto tensile = [](double fy, double fu) { return fy - fu > 0.001 ? _Colour(kRed) : _Colour(kBlack); };
    if (alu) {
      _Value_Row(area, x, *y, "0,2%-Dehngrenze", "f", "o", &m->fy_40, "%6.1f", unit, _Colour(kBlack), editable,
                 &_Not_Negative);
      *y += row_height;
      _Value_Row(area, x, *y, "char. Zugfestigkeit", "f", "u", &m->fu_40, "%6.1f", unit, tensile(m->fy_40, m->fu_40),
                 editable, &_Not_Negative);
      *y += row_height;
      m->fy_80 = m->fy_inf = m->fy = m->fy_40;
      m->fu_80 = m->fu_inf = m->fu = m->fu_40;
    } else if (!_S().all_ranges || m->grade > 25) {
      _Value_Row(area, x, *y, "char. Streckgrenze", "f", "y", &m->fy_40, "%6.1f", unit, _Colour(kBlack), editable,
                 &_Not_Negative);
      *y += row_height;
      _Value_Row(area, x, *y, "char. Zugfestigkeit", "f", "u", &m->fu_40, "%6.1f", unit, tensile(m->fy_40, m->fu_40),
                 editable, &_Not_Negative);
      *y += row_height;
    } else {
      char inf_y[8], inf_u[8];
      std::snprintf(inf_y, sizeof inf_y, "y,%s", kInfinity);
      std::snprintf(inf_u, sizeof inf_u, "u,%s", kInfinity);
      const struct {
        const char *ys, *us;
        double *fy, *fu;
        const char *note;
      } pairs[3] = {{"y,40", "u,40", &m->fy_40, &m->fu_40, "für Blechdicke max t ¾ 40 mm"_cp},
                    {"y,80", "u,80", &m->fy_80, &m->fu_80, "für Blechdicke 40 mm < max t ¾ 80 mm"_cp},
                    {inf_y, inf_u, &m->fy_inf, &m->fu_inf, "für Blechdicke max t > 80 mm"_cp}};
      for (const auto &p : pairs) {
        _Value_Row(area, x, *y, "char. Streckgrenze", "f", p.ys, p.fy, "%6.1f", unit, _Colour(kBlack), editable,
                   &_Not_Negative);
        _Text(area, x + 310, *y, p.note, kFont, editable);
        *y += row_height;
        _Value_Row(area, x, *y, "char. Zugfestigkeit", "f", p.us, p.fu, "%6.1f", unit, tensile(*p.fy, *p.fu),
                   editable, &_Not_Negative);
        *y += row_height;
      }
    }
  }
  if (mask & 4) {
    _Value_Row(area, x, *y, "E-Modul", "E", "", &m->E, "%8.1f", "N/mm²"_cp, _Colour(kBlack), editable,
               &_Not_Negative);
    *y += row_height;
  }
  if (mask & 2) {
    _Value_Row(area, x, *y, "Korrelationsbeiwert", kBeta, "w", &m->betaw, "%6.2f", "", _Colour(kBlack), editable,
               &_Zero_to_One);
    *y += row_height;
  }
  if (mask & 0x80) {
    _Value_Row(area, x, *y, "Temperaturkoeffizient", kAlpha, "T", &m->alphaT, "%6.2f", "10   1/K", _Colour(kBlack),
               editable, &_Not_Negative);
    _Text(area, x + 260 + _Width("10", kFont) + 1, *y - 5, "-5", kSmallFont, editable);
    *y += row_height;
  }
}

// Safety-factor rows in the order of the print paragraph: mask bits, subscript, labels.
struct FactorRow {
  int bits;
  const char *subscript;
  const char *long_label;
  const char *short_label;
  double SAFETY_FACTORS::*field;
};

}  // namespace

// ---------------------------------------------------------------- safety factors

void Safety_Factors_Sheet(SAFETY_FACTORS *f, int area, int x, int *y, int row_height, int editable, int mask,
                          int label_style) {
  if (!f || !y) return;
  static const FactorRow rows[] = {
      {0x154, "M0", "Beanspruchbarkeit von Querschnitten", "Querschnitte", &SAFETY_FACTORS::gamma_M0},
      {0x8, "M1", "Beanspruchbarkeit von Bauteilen bei Stabilitätsversagen"_cp, "Stabilität"_cp,
       &SAFETY_FACTORS::gamma_M1},
      {0x73, "M2", "Beanspruchbarkeit von Verbindungsmitteln", "Verbindungsmittel", &SAFETY_FACTORS::gamma_M2},
      {0x100, "M3", "Gleitfestigkeit von Schraubverbindungen (Kategorie C)  ", "Schrauben (Kat. C)",
       &SAFETY_FACTORS::gamma_M3},
      {0x80, "M3,ser", "Gleitfestigkeit von Schraubverbindungen im GZG (Kat. B)", "Schrauben (Kat. B)",
       &SAFETY_FACTORS::gamma_M3_ser},
      {0x20, "M4", "Lochleibungsbeanspruchbarkeit von Injektionsschrauben  ", "Injektionsschrauben",
       &SAFETY_FACTORS::gamma_M4},
      {0x40, "M6,ser", "Beanspruchbarkeit von Bolzen im GZG", "Bolzen", &SAFETY_FACTORS::gamma_M6_ser},
      {0x1000, "M5", "Beanspruchbarkeit von Hohlprofilverbindungen", "", &SAFETY_FACTORS::gamma_M5},
      {0x200, "M7", "Vorspannung hochfester Schrauben", "Vorspannung", &SAFETY_FACTORS::gamma_M7},
      {0x400, "M,ser", "Gebrauchstauglichkeit", "Gebrauchstauglichkeit", &SAFETY_FACTORS::gamma_M_ser},
      {0x800, "M,fi", "Beanspruchbarkeit von Bauteilen im Brandfall", "Brandfall", &SAFETY_FACTORS::gamma_M_fi},
  };
  const bool long_labels = label_style != 0;
  int symbol = 165, field = 200, end = 265;
  if (long_labels && (mask == 0 || (mask & 0x128))) {
    symbol = (mask & 0x480) || mask == 0 ? 335 : 350;
    field = 385;
    end = 450;
  } else if (long_labels) {
    symbol = (mask & 0x480) ? 310 : 325;
    field = 360;
    end = 425;
  }
  // Head: "Materialsicherheit [für Anschlüsse] (" and the check box "genormt)".
  int hx = x;
  _Text(area, hx, *y, "Materialsicherheit", kFont, 1);
  hx += _Width("Materialsicherheit", kFont) + 4;
  if (CurOb_Application_Number() == 145) {
    _Text(area, hx, *y, "für Anschlüsse"_cp, kFont, 1);
    hx += _Width("für Anschlüsse"_cp, kFont) + 4;
  }
  _Text(area, hx, *y, "(", kFont, 1);
  Add_Check_Box_to_View_Area(area, hx + 24, *y, "genormt)", kFont, _Colour(kBlack), &f->standardised,
                             Take_Widget_Cell(editable ? 1 : 0));
  *y += row_height;
  if (!long_labels) *y += 5;
  const int fields_active = editable && !f->standardised;
  for (const FactorRow &r : rows) {
    if (mask == 0 ? r.bits == 0x1000 : !(mask & r.bits)) continue;
    const char *label = long_labels ? r.long_label : r.short_label;
    _Text(area, x, *y, label, kFont, 1);
    if (long_labels) {  // dot leader up to 10 units before the symbol
      const int from = x + _Width(label, kFont) + 4, to = x + symbol - 10;
      const int dot = std::max(1, _Width(".", kFont) + 1);
      char dots[128] = "";
      const int n = std::clamp((to - from) / dot, 0, 127);
      std::memset(dots, '.', static_cast<std::size_t>(n));
      dots[n] = '\0';
      if (n > 0) _Text(area, from, *y, dots, kFont, 1);
    }
    _Symbol(area, x + symbol, *y, kGamma, r.subscript, 1);
    _Field(area, x + field, *y, &(f->*r.field), "%6.2f", _Colour(kBlack), fields_active, &_Not_Negative);
    _Text(area, x + end, *y, "", kFont, 1);
    *y += row_height;
  }
}

// ---------------------------------------------------------------- steel grade list

int Fill_Stguete_Stringlist(int list, const int *codes, int count, int selected_code) {
  if (!codes || count < 1) return 0;
  int selected = 0;
  for (int i = 0; i < count; ++i) {
    const int code = codes[i];
    const bool user = (code & 0x8000) != 0;
    Fill_Stringlist_of_PS(list, !user && code > 43 ? "?????" : Get_Stguete_Name(code), BLACK_CI);
    if (code == selected_code) selected = i;
  }
  return selected;
}

// ---------------------------------------------------------------- material and plate blocks

void Material_Sheet(MATERIAL *m, int area, int x, int *y, int row_height, int, int, int editable, int,
                    int mask) {
  _Material_Block(m, area, x, y, row_height, editable, mask);
}

void Material_Sheet_All_Ranges(MATERIAL *m, int area, int x, int *y, int row_height, int a, int b, int editable,
                               int colour, int mask) {
  const int saved = _S().all_ranges;
  _S().all_ranges = 1;
  Material_Sheet(m, area, x, y, row_height, a, b, editable, colour, mask);
  _S().all_ranges = saved;
}

int Set_Plate_Sheet_Style(int mode) {
  if (mode != 1 && mode != 2) mode = 0;
  _S().plate_style = mode;
  return mode == 1 ? 80 : mode == 2 ? 30 : 110;
}

void Plate_Sheet(PLATE *p, int area, int x, int *y, int row_height, int a, int b, int editable, int colour, int mask,
                 const char *subscript) {
  if (!p || !y) return;
  const int style = _S().plate_style;
  const int column = style == 1 ? 80 : style == 2 ? 30 : 110;
  const struct {
    const char *long_label, *short_label, *symbol;
    double *value;
  } rows[3] = {{"Blechdicke", "Dicke", "t", &p->t},
               {"Blechbreite", "Breite", "b", &p->b},
               {"Blechlänge"_cp, "Länge"_cp, "l", &p->l}};
  for (const auto &r : rows) {
    if (style != 2) _Text(area, x, *y, style == 0 ? r.long_label : r.short_label, kFont, editable);
    _Symbol(area, x + column - (style == 2 ? 30 : 25), *y, r.symbol, subscript ? subscript : "", editable);
    _Field(area, x + column, *y, r.value, "%6.1f", _Colour(kBlack), editable, &_Not_Negative);
    _Text(area, x + column + 60, *y, "mm", kFont, editable);
    *y += row_height;
  }
  Material_Sheet(&p->material, area, x, y, row_height, a, b, editable, colour, mask);
}

// ---------------------------------------------------------------- bar area dialog

double Bar_Area_Sum(const double *counts) {
  double sum = 0;  // m², π/4 d² per bar
  for (int i = 0; i < BAR_DIAMETER_COUNT; ++i) {
    const double d = Get_Bar_Diameter(i);
    if (d <= 0.028 + 1e-9) sum += counts[i] * 3.14159265358979323846 * d * d / 4;
  }
  return sum;
}

double Bar_Area_Sheet() {
  double counts[BAR_DIAMETER_COUNT] = {};
  const int rows = 9;  // 6 to 28 mm
  const int w = 260, h = 60 + rows * 24 + 60;
  int x1 = NPIXEL_X / 2 - w / 2, y1 = NPIXEL_Y / 2 - h / 2, x2 = x1 + w, y2 = y1 + h;
  Check_Prop_Sheet_Frames(&x1, &y1, &x2, &y2);
  Define_Prop_Sheet(x1, y1, x2, y2, 1, 0, "Bew.fläche Stabstahl"_cp, 150, 1);
  for (int i = 0; i < rows; ++i) {
    char label[16];
    std::snprintf(label, sizeof label, "%s%3.0f =", kDiameter, Get_Bar_Diameter(i) * 1000);
    const int ry = y1 + 60 + 24 * i;
    Add_Text_to_PS(x1 + 20, ry + 14, label, kFont);
    Add_Float_Field_to_PS(x1 + 100, ry, &counts[i], "%2.0f", 4, 10 + i);
  }
  const int sum_y = y1 + 60 + rows * 24 + 14;
  char sum_label[8];
  std::snprintf(sum_label, sizeof sum_label, "%s =", kSum);
  Add_Text_to_PS(x1 + 20, sum_y, sum_label, kFont);
  const int cancel = Add_Text_Button_to_PS(x1 + 10, y2 - 30, "abbrechen", 100);
  Add_Text_Button_to_PS(x2 - 110, y2 - 30, "übernehmen"_cp, 200);
  (void)cancel;
  Activate_Prop_Sheet();
  int code = 0;
  double sum = 0;
  for (;;) {
    sum = Bar_Area_Sum(counts);
    char text[32];
    CP850_CALL2(std::snprintf, text, sizeof text, "%6.2f cm²", sum * 1e4);
    int dx = 0, dy = 0;
    Inquire_Prop_Sheet_Displacement(&dx, &dy);
    Draw_Sheet_Text_Frame(x1 + 100 + dx, sum_y - 14 + dy, x1 + 200 + dx, sum_y + 4 + dy, text, 209, 0, kFont,
                          BLACK_CI, WHITE_CI);
    code = Edit_Prop_Sheet();
    if (code == 100 || code == 200 || (code == 0 && getkeymask())) break;
    for (double &c : counts) c = std::max(0.0, std::round(c));
  }
  Undefine_Prop_Sheet();
  return code == 200 ? sum : 0.0;
}
