// profil/edit_profil.cpp — the profile page: source, shape type, dimensions, make and welds
// of a member's profile on a view area, and the family filter handed to the profile manager.
#include <sys/stat.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <initializer_list>

#include "drawing_base/drawing_base.h"
#include "host/host.h"
#include "materials/material_sheets.h"
#include "print/print.h"
#include "profil/edit_profil_internal.h"
#include "profil/profil.h"
#include "profil/profil_state.h"
#include "support/cp850.h"
#include "support/shell.h"
#include "widgets/widgets.h"

namespace {

constexpr int kMaxAllowedTypes = 18;

// The family letter of a shape type in the profile manager; 0 for none.
char _Family_Letter(int type) {
  switch (type) {
    case PROFIL_ANGLE: return 'L';
    case PROFIL_C: case PROFIL_U: return 'U';
    case PROFIL_RHS: return 'R';
    case PROFIL_CHS: return 'K';
    case PROFIL_T: case PROFIL_HALF_I: return 'T';
    case PROFIL_Z: return 'Z';
    case PROFIL_I: case PROFIL_H: case PROFIL_DIL: case PROFIL_S: case PROFIL_W: return 'D';
    default: return type >= PROFIL_TYPE_COUNT ? 'D' : 0;  // 1, 2, 16, 17: no library family
  }
}

}  // namespace

void Build_Profil_Family_Filter(const int *types, int count, char *out, int size) {
  if (!out || size < 1) return;
  out[0] = '\0';
  if (!types) return;
  char letters[kMaxAllowedTypes + 1] = "";
  int n = 0;
  for (int k = 0; k < count && k < kMaxAllowedTypes && types[k] >= 0; ++k) {
    if (types[k] == 0) {
      std::snprintf(out, static_cast<std::size_t>(size), "%s", "ZKULTDR");
      return;
    }
    const char c = _Family_Letter(types[k]);
    if (c && !std::strchr(letters, c)) {
      letters[n++] = c;
      letters[n] = '\0';
    }
  }
  std::snprintf(out, static_cast<std::size_t>(size), "%s", letters);
}

// ---------------------------------------------------------------- the profile page

namespace {

// Everything one pass of the page needs: where it draws and how.
struct Page {
  PROFIL *p;
  int area, x, y, row, radio, active;
  const SCREEN_COLORS *c;
  int *Cell() const { return Take_Widget_Cell(active ? 1 : 0); }
  int Label() const { return active ? c->black : c->grey_inactive; }
  int Unit() const { return active ? c->grey_unit : c->grey_inactive; }
  void Text(int dx, int dy, const char *text, int font, int colour) const {
    Add_Text_to_View_Area(area, x + dx, y + dy, text, font, colour, 0);
  }
  // Symbol with its subscript (may be empty) at x+165.
  void Symbol(const char *symbol, const char *sub) const {
    Text(165, 0, symbol, c->font_normal, Label());
    if (sub && *sub) Text(172, 2, sub, c->font_small, Label());
  }
  // A number field over a length with its unit; a negative entry becomes 0.
  void Field(double *value) const {
    Add_Float_Field_to_View_Area(area, x + 200, y, value, "%6.1f", c->font_normal, c->black, Cell());
    Set_View_Item_Change_Callback(area, static_cast<VIEW_CHANGE_DOUBLE_FN>(
                                            [](double *v) { Clamp_Not_Negative(v); }));
    Text(265, 0, "mm", c->font_normal, Unit());
  }
  // One input row: label, symbol and subscript, field, unit; then the next line.
  void Row(const char *label, const char *symbol, const char *sub, double *value, int label_x = 20) {
    if (label) Text(label_x, 0, label, c->font_normal, Label());
    Symbol(symbol, sub);
    Field(value);
    y += row;
  }
  void Radio(int dx, const char *text, int value, int32_t *target, int on) const {
    Add_Radio_Button_to_View_Area(area, x + dx, y, text, c->font_normal, Label(), value, target,
                                  Take_Widget_Cell(on ? 1 : 0));
  }
  // The pale-green heading box of a shape, with its heading when given.
  void Heading(const char *text, int after) {
    y -= row - 14;
    Add_Box_to_View_Area(area, x + 20, y - 8, x + 175, y + 2, c->sage_light);
    if (text) Text(25, 0, text, c->font_small, Label());
    y += after;
  }
};

bool _Is_I_Type(int t) { return t == 4 || t == 5 || t == 7 || t == 10 || t == 13; }

bool _In(int t, std::initializer_list<int> set) { return std::find(set.begin(), set.end(), t) != set.end(); }

// The heading of a shape's rows when only that type is allowed.
const char *_Shape_Heading(int t) {
  if (_Is_I_Type(t)) return "I-Profil";
  switch (t) {
    case 3: return "L-Profil";
    case 14: return "Z-Profil";
    case 9: return "Rohrprofil";
    case 8: return "Rechteckhohlprofil";
    case 1: return "Flachstahl";
    case 2: return "Rundeisen";
    case 16: return "Hohlkasten";
    case 17: return "Trapezprofil";
    case 11: case 15: return "T-Profil";
    case 12: return "U-Profil";
    case 6: return "C-Profil";
    default: return nullptr;
  }
}

// The dimension rows of a parametric shape (mm).
void _Shape_Rows(Page &g, int separate, int app) {
  PROFIL *p = g.p;
  const int t = p->type;
  if (_Is_I_Type(t)) {
    g.Row("Profilhöhe"_cp, "h", "", &p->h);
    g.Row("Stegdicke", "t", "w", &p->t_w);
    if (separate) {
      g.Row("Flanschbreite oben", "b", "fo", &p->b_fo);
      g.Row("Flanschdicke oben", "t", "fo", &p->t_fo);
      g.Row("Flanschbreite unten", "b", "fu", &p->b_fu);
      g.Row("Flanschdicke unten", "t", "fu", &p->t_fu);
    } else {
      g.Row("Flanschbreite", "b", "f", &p->b_fo);
      g.Row("Flanschdicke", "t", "f", &p->t_fo);
      p->b_fu = p->b_fo;
      p->t_fu = p->t_fo;
    }
  } else if (t == 3) {
    g.Row("Schenkellänge 1"_cp, "l", "1", &p->h);
    g.Row(separate ? "Schenkeldicke 1" : "Schenkeldicke", "t", separate ? "1" : "", &p->t_w);
    g.Row("Schenkellänge 2"_cp, "l", "2", &p->b_fo);
    if (separate) g.Row("Schenkeldicke 2", "t", "2", &p->t_fo);
    else p->t_fo = p->t_w;
  } else if (t == 14) {
    g.Row("Steghöhe"_cp, "h", "", &p->h);
    g.Row("Stegdicke", "t", "w", &p->t_w);
    g.Row("Flanschbreite", "b", "", &p->b_fo);
    g.Row("Flanschdicken", "t", "f", &p->t_fo);
  } else if (t == 9) {
    g.Row("Durchmesser", "d", "", &p->h);
    g.Row("Wanddicke", "t", "", &p->t_w);
  } else if (t == 8) {
    g.Row("Profilhöhe"_cp, "h", "", &p->h);
    g.Row("Profilbreite", "b", "", &p->b_fo);
    if (separate) {
      g.Row("Flanschdicke", "t", "f", &p->t_fo);
      g.Row("Stegdicke", "t", "w", &p->t_w);
    } else {
      g.Row("Blechdicke", "t", "", &p->t_fo);
      p->t_w = p->t_fo;
    }
  } else if (t == 1) {
    g.Row("Höhe"_cp, "h", "", &p->h);
    g.Row("Dicke", "t", "", &p->t_w);
  } else if (t == 2) {
    g.Row("Durchmesser", "d", "", &p->h);
  } else if (t == 16) {
    g.Row("Profilhöhe"_cp, "h", "", &p->h);
    g.Row("Stegdicke", "t", "w", &p->t_w);
    if (separate && app == 180) {
      g.Row("Flanschbreite oben", "b", "fo", &p->b_fo);
      g.Row("Überstand oben"_cp, "b", "üo"_cp, &p->ue_o);
      g.Row("Flanschdicke oben", "t", "fo", &p->t_fo);
      g.Row("Flanschbreite unten", "b", "fu", &p->b_fu);
      g.Row("Überstand unten"_cp, "b", "üu"_cp, &p->ue_u);
      g.Row("Flanschdicke unten", "t", "fu", &p->t_fu);
    } else {
      g.Row("Flanschbreite oben", "b", "fo", &p->b_fo);
      g.Row("Flanschbreite unten", "b", "fu", &p->b_fu);
      g.Row("Überstand"_cp, "b", "ü"_cp, &p->ue_o);
      g.Row("Flanschdicke", "t", "f", &p->t_fo);
      p->ue_u = p->ue_o;
      p->t_fu = p->t_fo;
    }
  } else if (t == 17) {
    g.Row("Profilhöhe"_cp, "h", "", &p->h);
    if (separate) g.Row("Stegdicke", "t", "w", &p->t_w);
    g.Row("Flanschbreite", "b", "f", &p->b_fo);
    g.Row("Fußbreite"_cp, "b", "", &p->b_fu);
    if (separate) {
      g.Row("Flanschdicke", "t", "f", &p->t_fo);
    } else {
      g.Row("Blechdicke", "t", "", &p->t_fo);
      p->t_w = p->t_fo;
    }
  } else if (t == 11 || t == 15) {
    g.Row("Profilhöhe"_cp, "h", "", &p->h);
    g.Row("Stegdicke", "t", "w", &p->t_w);
    g.Row("Flanschbreite", "b", "f", &p->b_fo);
    g.Row("Flanschdicke", "t", "f", &p->t_fo);
  } else if (t == 12 || t == 6) {
    g.Row("Steghöhe"_cp, "h", "", &p->h);
    if (separate) g.Row("Stegdicke", "t", "w", &p->t_w);
    g.Row("Schenkellängen"_cp, "l", "", &p->b_fo);
    if (separate) {
      g.Row("Schenkeldicken", "t", "f", &p->t_fo);
    } else {
      g.Row("Blechdicke", "t", "", &p->t_fo);
      p->t_w = p->t_fo;
    }
  } else {
    g.Heading(nullptr, g.row);  // no rows: the empty heading box, 14 pixels in all
  }
  if (t == 8 || t == 9) {  // cold- or hot-finished hollow section
    g.Radio(40, "kaltgefertigt", 0, &p->hot_finished, g.active);
    g.Radio(160, "warmgefertigt", 1, &p->hot_finished, g.active);
    g.y += g.row;
  }
}

// One weld pair (fillet or butt weld) over a weld kind and its throat.
void _Weld_Pair(Page &g, int32_t *kind, double *throat, const char *sub, const char *through) {
  g.Radio(60, "Kehlnaht", 0, kind, g.active);
  if (*kind == 0) {
    g.Text(111, 0, ": Dicke", g.c->font_normal, g.Label());
    g.Symbol("a", sub);
    g.Field(throat);
  }
  g.y += g.radio;
  g.Radio(60, "Stumpfnaht", 2, kind, g.active);
  if (*kind != 0) g.Text(126, 0, through, g.c->font_normal, g.Label());
  g.y += g.row;
}

// Make radios, radii and welds of a parametric shape.
void _Make_and_Welds(Page &g, int separate) {
  PROFIL *p = g.p;
  const int t = p->type;
  if (_In(t, {1, 2, 9, 16, 17})) return;
  g.Radio(40, "gewalztes Profil", 1, &p->rolled, g.active);
  g.y += g.radio;
  if (p->rolled) {
    g.Row("Ausrundungsradius", "r", "", &p->r, 40);
    if (_In(t, {3, 6, 8, 11, 12, 14})) g.Row(nullptr, "r", "2", &p->r_2);
    else p->r_2 = 0;
  }
  g.Radio(40, "geschweißtes Profil"_cp, 0, &p->rolled, g.active);
  g.y += g.radio;
  if (p->rolled || _In(t, {3, 6, 8, 12, 14})) return;
  if (_Is_I_Type(t) || _In(t, {11, 15})) {
    const bool split = _Is_I_Type(t) && separate;
    _Weld_Pair(g, &p->through_o, &p->a_o, split ? "o" : "",
               split ? " (oben durchgeschweißt)"_cp : " (durchgeschweißt)"_cp);
    if (split) {
      _Weld_Pair(g, &p->through_u, &p->a_u, "u", " (unten durchgeschweißt)"_cp);
    } else if (_Is_I_Type(t)) {
      p->a_u = p->a_o;
      p->through_u = p->through_o;
    }
  } else {
    g.Row("Schweißnahtdicke"_cp, "a", "", &p->a_o);
  }
}

// Starts R7-PLAX on the profile's section and takes over what it made.
void _Run_R7_PLAX(PROFIL *p) {
  const int mode = p->model_kind ? 2 : 1;
  char code[8] = "";
  char tag[32];
  std::snprintf(tag, sizeof tag, "D7-EV3%s", Get_Application_Kuerzel(code));
  Set_QImport_Caller_Tag(tag);
  Set_XPRT_Member_Filename();
  QIMPORT_ENTRY *entry = Run_QUER_Import(mode, p->entry);
  struct stat st;
  // Without a new section the profile keeps its old one (and its reference on it).
  if (!entry || stat(Get_XPRT_Path(), &st) != 0) return;
  Add_QImport_Reference(entry, +1);
  Add_QImport_Reference(p->entry, -1);
  p->entry = entry;
  if (Set_Profil_from_QImport(p, 1) == 0 && p->model_kind == 0) Write_QUER_EIN();
}

// Takes the type of the name's own series when it is allowed, else the first allowed type
// that accepts the name (an HEB stays an H shape even when plain I shapes come first in the
// list), and fills the profile from the library; 1 when a type was found.
int _Match_Library_Type(PROFIL *p, PROFIL_LIBREF *libref, const int *types, int count) {
  int own = 0;
  if (Set_Profil_Type_by_Series(libref->name, &own) && std::find(types, types + count, own) != types + count) {
    p->type = own;
    Set_Profil_from_Library(libref, p);
    return 1;
  }
  for (int k = 0; k < count; ++k) {
    int t = types[k];
    if (Set_Profil_Type_by_Series(libref->name, &t)) {
      p->type = t;
      Set_Profil_from_Library(libref, p);
      return 1;
    }
  }
  return 0;
}

void _Empty_Libref(PROFIL_LIBREF *libref) {
  libref->name[0] = '\0';
  Pad_With_Blanks(libref->name, PROFIL_NAME_SIZE);
  libref->entry = nullptr;
}

}  // namespace

void Edit_Profil_Page(PROFIL *profil, int area, int x, int *y, int row_pitch, int radio_pitch, int column_width,
                      int active, const int *types, int options, int slot, int separate_flanges, int name_width,
                      int library_beside, const char *message_context) {
  if (!profil || !y || slot < 0 || slot > 9) return;
  ProfilState &s = Profil_State();
  const SCREEN_COLORS *c = Get_Screen_Colors();
  const int app = CurOb_Application_Number();
  // 1. First call: library access for every slot.
  if (!s.page_initialised) {
    for (auto &sl : s.page_slots) {
      profil->lib_available = Init_Profil_Library(&sl.libref);
      sl.manager_button = 0;
    }
    s.page_initialised = 1;
  }
  ProfilState::PageSlot &sl = s.page_slots[slot];
  // 2. Allowed types and choice size.
  int count = 0;
  bool all = false;
  while (types && count < PROFIL_TYPE_COUNT && types[count] >= 0) all |= types[count++] == 0;
  const auto allowed = [&](int t) { return all || std::find(types, types + count, t) != types + count; };
  const int entries = (app == 160 || app == 162 || app == 163 || app == 180) ? 18 : 16;
  // 3. Choice entries with the colours of the shape groups.
  for (int i = 0; i < PROFIL_TYPE_COUNT; ++i) {
    std::snprintf(sl.names[i], sizeof sl.names[i], "%s", Get_Profil_Type_Name(i));
    int colour = c->red;
    if (!active) {
      colour = c->grey_inactive;
    } else if (count > 0) {
      if (i == 0) colour = c->blue_value;
      else if (allowed(i)) {
        if (_Is_I_Type(i)) colour = c->black;
        else if (_In(i, {1, 2, 16, 17})) colour = c->green;
        else if (_In(i, {3, 6, 11, 12, 15})) colour = (app == 156 || app == 160) ? c->black : c->brown_note;
        else colour = app == 156 ? c->black : c->brown_note;  // 8, 9, 14
      }
    }
    sl.entries[i] = VIEW_CHOICE_ENTRY{colour, sl.names[i]};
  }
  Page g{profil, area, x, *y, row_pitch, radio_pitch, active, c};
  // 4. Source choice.
  g.Radio(20, "Profil aus Profilmanager", PROFIL_KIND_LIBRARY, &profil->kind, active);
  g.y += radio_pitch;
  g.Radio(20, "parametrisiertes Stahlprofil", PROFIL_KIND_PARAMETRIC, &profil->kind, active);
  if (Is_QUER_Modeller_Installed() && Get_Profil_Import_Choice()) {
    g.y += radio_pitch;
    g.Radio(20, "Profil aus R7-PLAX", PROFIL_KIND_QUER, &profil->kind, active);
    Add_Bitmap_File_to_View_Area(area, "SniR7.bmp", x + 80, g.y - 12, x + 135, g.y + 2, c->host_color);
    if (profil->kind == PROFIL_KIND_QUER) {
      Add_Box_to_View_Area(area, x + 135, g.y - 14, x + 155, g.y + 5, c->yellow_pale);
      Add_Action_Button_to_Area(area, x + 160, g.y, &s.quer_button, "R7-PLAX aufrufen", 0);
      if (app == 180) {
        g.Text(180, 0, "Typ:", c->font_normal, g.Label());
        g.Radio(240, "dünnwandig"_cp, 0, &profil->model_kind, active);
        g.Radio(350, "dickwandig", 1, &profil->model_kind, active);
      }
    }
  }
  if (profil->kind == PROFIL_KIND_QUER && app != 180) profil->model_kind = 0;
  g.y += row_pitch;
  const int below_source = g.y;
  if (profil->kind == PROFIL_KIND_QUER) {
    // 5. R7-PLAX section: the program runs when its button was pressed.
    if (s.quer_button) _Run_R7_PLAX(profil);
    s.quer_button = 0;
  } else if (profil->kind == PROFIL_KIND_LIBRARY) {
    // 6. Profile manager or library.
    int base = x, bitmap = x + 20;
    Page b = g;
    if (library_beside == 1) {
      b.y = *y - row_pitch;
      base = x + (name_width == 26 ? 165 : 200);
      bitmap = base + 20;
    }
    if (count == 1) {
      const char *head = types[0] == 4 ? "I-Profil" : types[0] == 3 ? "L-Profil" : types[0] == 11 ? "T-Profil"
                       : types[0] == 8 ? "Rechteckrohr" : types[0] == 9 ? "Kreisrohr" : nullptr;
      if (head) {
        Add_Text_to_View_Area(area, bitmap, b.y, head, c->font_small, g.Label(), 0);
        b.y += 5;
      }
    }
    Add_Bitmap_File_to_View_Area(area, "bmp_t\\Prof_ManagerS.bmp", bitmap, b.y, base + 75, b.y + 48,
                                 Get_View_Area_Background(area));
    Add_Bitmap_Button_to_View_Area(area, base + 80, b.y + 12, 50, 24, "bmp_t\\but_options.bmp", 0, c->host_color, 0,
                                   "Profilmanager aufrufen", 1, &sl.manager_button, g.Cell());
    if (sl.manager_button) {
      Clear_Profil_Type_Message_Shown();
      if (profil->lib_available) {
        char name[PROFIL_NAME_SIZE];
        std::snprintf(name, sizeof name, "%s", sl.libref.name);
        Trim_Blanks(name);
        Set_Profilmanager_Default(name);
        char filter[PROFIL_TYPE_COUNT + 1];
        Build_Profil_Family_Filter(types, count, filter, sizeof filter);
        Set_Profilmanager_Filter(filter);
      }
      if (const char *chosen = Run_Profilmanager()) {
        std::snprintf(sl.libref.name, sizeof sl.libref.name, "%s", chosen);
        Pad_With_Blanks(sl.libref.name, PROFIL_NAME_SIZE);
        sl.libref.entry = Find_Profil_in_Database(chosen, nullptr);
      }
      sl.manager_button = 0;
      if (!_Match_Library_Type(profil, &sl.libref, types, count)) {
        if (!Is_Profil_Type_Message_Shown()) Show_Profil_Type_Message(message_context, 1, count, types);
        _Empty_Libref(&sl.libref);
      }
    } else {
      char trimmed[PROFIL_NAME_SIZE];
      std::snprintf(trimmed, sizeof trimmed, "%s", profil->name);
      if (Trim_Blanks(trimmed)) {
        Find_Profil_in_Library(&sl.libref, profil->name);
        if (!_Match_Library_Type(profil, &sl.libref, types, count)) {
          if (!Is_Profil_Type_Message_Shown()) Show_Profil_Type_Message(message_context, 1, count, types);
          _Empty_Libref(&sl.libref);
          Remove_All_Blanks(profil->name);
          Pad_With_Blanks(profil->name, PROFIL_NAME_SIZE);
        }
      }
    }
    g.y = std::max(b.y + 48 + (library_beside == 1 ? radio_pitch : row_pitch), below_source);
    g.Text(0, 0, "Profilname", c->font_normal, g.Label());
    // The field's capacity is its length now: the name is padded to its full 39 characters.
    Pad_With_Blanks(profil->name, PROFIL_NAME_SIZE);
    Add_Text_Field_to_View_Area(area, x + 80, g.y, profil->name, c->font_normal, c->black,
                                Take_Widget_Cell(active && !profil->lib_available ? 1 : 0));
    if (name_width >= 1 && name_width <= 39) Set_View_Text_Field_Width(area, name_width);
    g.y += row_pitch;
  } else {
    // 7. Parametric shape.
    const bool single = count == 1 && types[0] != 0;
    if (count >= 2 || (count == 1 && types[0] == 0)) {
      g.Text(20, 0, "Profilklasse", c->font_normal, g.Label());
      Add_Choice_List_to_View_Area(area, x + 165, g.y, sl.entries, c->font_normal, 10, entries, &profil->type,
                                   g.Cell());
      if (types[0] != 0 && !allowed(profil->type)) {
        Clear_Profil_Type_Message_Shown();
        Show_Profil_Type_Message(message_context, 0, count, types);
        profil->type = types[0];
      }
      g.y += row_pitch;
    } else if (single) {
      profil->type = types[0];
    }
    profil->name[0] = ' ';
    profil->name[1] = '\0';
    Pad_With_Blanks(profil->name, PROFIL_NAME_SIZE);
    if (single && _Shape_Heading(profil->type)) g.Heading(_Shape_Heading(profil->type), radio_pitch);
    _Shape_Rows(g, separate_flanges, app);
    _Make_and_Welds(g, separate_flanges);
  }
  // 9. The grade block of the profile's own material.
  if (options & 1) {
    if (profil->kind == PROFIL_KIND_PARAMETRIC) g.y += row_pitch - radio_pitch;
    Material_Sheet(&profil->grade, area, x, &g.y, row_pitch, radio_pitch, column_width, active, 0,
                   64 | (options & 2) | (options & 4));
  }
  // 10. Section values that belong to the dimensions on screen.
  Calc_Profil_Querschnittswerte(profil, nullptr, 0, "");
  *y = g.y;
}
