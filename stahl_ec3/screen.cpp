// The screen of the member program: one frameless full-screen sheet with the icon bar, a
// register of three pages (1 "Querschnitt", 4 "Schnittgrößen (Brandfall)", 5 "maximale
// Ausnutzung") over one scrollable view area, and the edit loop that draws the current page
// on every pass and answers the register, the content area and the icon bar.
#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "drawing/drawing.h"
#include "drawing_base/drawing_base.h"
#include "host/host.h"
#include "host/host_screen.h"
#include "materials/material_sheets.h"
#include "materials/materials.h"
#include "nad/nad.h"
#include "profil/profil.h"
#include "stahl_ec3/program_internal.h"
#include "support/cp850.h"
#include "support/shell.h"
#include "support/support.h"
#include "widgets/widgets.h"

namespace {

constexpr const char *kHelpFile = "DOZU_169.HLP";

// Codes of the main sheet.
enum : int {
  kCodeIconBar = 1,
  kCodeContent = 100,
  kCodePage1 = 10001,
  kCodePage4 = 10004,
  kCodePage5 = 10005,
};
// Action codes of the icon bar.
enum : int {
  kActionPrintOptions = 1,
  kActionPreview = 2,
  kActionPrint = 3,
  kActionPlot = 4,
  kActionHelp = 6,
  kActionEnd = 7,
  kActionAnnex = 8,
};

// Layout of the sheet (screen pixels).
constexpr int kRegX1 = 8, kRegY1 = 60, kRegX2 = 1271, kRegY2 = 1016, kTabBottom = 86;
constexpr int kTabWidth = 170;
constexpr int kAreaX1 = 14, kAreaY1 = 92, kAreaX2 = 1265, kAreaY2 = 1010;
// The escape area over the icon bar: its declared rectangle joined with its buttons.
constexpr int kBarX1 = 290, kBarY1 = 3, kBarX2 = 611, kBarY2 = 45;

struct Page {
  int number;  // 1, 4, 5
  int code;
  const char *tab;
  const char *help;
};
const Page kPages[3] = {
    {1, kCodePage1, "Querschnitt", "vi319_register1"},
    {4, kCodePage4, "Schnittgrößen"_cp, "vi319_register4"},
    {5, kCodePage5, "Ausnutzung", "vi319_register5"},
};

// Page 1: the section picture and, below it, the check options (content pixels).
constexpr int kPictureX1 = 640, kPictureY1 = 40, kPictureX2 = 1040, kPictureY2 = 400, kOptionsY = 440;

// The shape types a member may have.
constexpr int kMemberTypes[] = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, -1};

struct ScreenState {
  int page = 0;        // index into kPages
  int area = -1;       // the content area
  int table = -1;      // the fire load table while page 4 is built
  double fraction[3][2] = {};  // scroll position of every page (fractions of the range)
  bool restore_scroll = false;
  bool help_ready = false;
  // The result page's design no longer matches the record: set when a page is changed (the
  // record may have been edited) and when the annex factors are taken again. The page is
  // rebuilt on every pass of the edit loop, and the content area reports every mouse move.
  bool design_stale = true;
};
ScreenState s;

BAUTEIL &_B() { return Stahl_EC3_Run().bauteil; }
int *_Always() { return const_cast<int *>(&Get_Screen_Colors()->flag_on); }

// ---------------------------------------------------------------- fire load table

// The table's rows back into the record (at least one row; names without trailing blanks).
void _Take_Table_Rows() {
  if (s.table < 0) return;
  std::vector<BRANDLAST> rows;
  for (void *r = First_Input_Table_Row(s.table); r; r = Next_Input_Table_Row(s.table))
    rows.push_back(*static_cast<const BRANDLAST *>(r));
  if (rows.empty()) rows.push_back(BRANDLAST{});
  BAUTEIL &b = _B();
  if (Alloc_Brandlasten(&b, static_cast<int>(rows.size())) != 0) return;
  for (std::size_t i = 0; i < rows.size(); ++i) {
    BRANDLAST &r = b.brandlasten[i];
    r = rows[i];
    r.name[BRANDLAST_NAME_SIZE - 1] = '\0';
    std::size_t n = std::strlen(r.name);
    while (n > 0 && r.name[n - 1] == ' ') r.name[--n] = '\0';
  }
}

void _Drop_Table() {
  if (s.table < 0) return;
  _Take_Table_Rows();
  Delete_Input_Table(s.table);
  s.table = -1;
}

// Record to stored units (the editors' values taken over) and back.
void _Take() {
  _Take_Table_Rows();
  Take_Bauteil_from_Editors(&_B());
}
void _Hand() { Hand_Bauteil_to_Editors(&_B()); }

// ---------------------------------------------------------------- pages

void _Heading(int x, int y, const char *text) {
  const SCREEN_COLORS *c = Get_Screen_Colors();
  Add_Text_to_View_Area(s.area, x, y, text, c->font_bold, c->black, 0);
}

// The section picture of page 1 (drawn by the host's draw of the content area).
void _Draw_Picture(int x1, int y1, int x2, int y2, void *argument) {
  Draw_Bauteil_Picture(x1, y1, x2, y2, static_cast<PROFIL *>(argument));
}

void _Build_Page1() {
  BAUTEIL &b = _B();
  const SCREEN_COLORS *c = Get_Screen_Colors();
  Reset_Widget_Cell_Ring();
  // Left column: the profile, the material and the safety factors; right column: the picture
  // and the check options.
  int y = 30;
  _Heading(20, y, "Querschnitt");
  y += 28;
  Edit_Profil_Page(&b.profil, s.area, 10, &y, 22, 18, 200, 1, kMemberTypes, 0, 0, 1, 0, 1, nullptr);
  y += 12;
  _Heading(20, y, "Material");
  y += 24;
  Material_Sheet(&b.material, s.area, 10, &y, 22, 0, 0, 1, 0, 4);
  y += 12;
  Safety_Factors_Sheet(&b.safety, s.area, 10, &y, 22, 1, 0x804, 1);

  Add_Draw_Callback_to_View_Area(s.area, kPictureX1, kPictureY1, kPictureX2, kPictureY2, &b.profil, &_Draw_Picture);
  y = kOptionsY;
  _Heading(kPictureX1 + 10, y, "Nachweisverfahren");
  y += 26;
  Add_Radio_Button_to_View_Area(s.area, kPictureX1 + 20, y, "Elastisch-Elastisch", c->font_normal, c->black, 0,
                                &b.method, _Always());
  y += 18;
  Add_Radio_Button_to_View_Area(s.area, kPictureX1 + 20, y, "Elastisch-Plastisch", c->font_normal, c->black, 1,
                                &b.method, _Always());
  y += 26;
  Add_Check_Box_to_View_Area(s.area, kPictureX1 + 20, y, "einschl. c/t-Nachweis", c->font_normal, c->black,
                             &b.ct_check, _Always());
}

// One row of the fire load table: its name and the eight forces.
void _Table_Row(int, int area, int x1, int y, void *record) {
  BRANDLAST *r = static_cast<BRANDLAST *>(record);
  const SCREEN_COLORS *c = Get_Screen_Colors();
  Add_Text_Field_to_View_Area(area, x1 + 45, y + 10, r->name, c->font_normal, c->black, _Always());
  Set_View_Text_Field_Width(area, 20);
  double *forces = Brandlast_Forces(r);
  for (int k = 0; k < BRANDLAST_FORCES; ++k)
    Add_Float_Field_to_View_Area(area, x1 + 210 + 85 * k, y + 10, forces + k, "%9.2f", c->font_normal, c->blue_value,
                                 _Always());
}

void _Build_Page4() {
  BAUTEIL &b = _B();
  const SCREEN_COLORS *c = Get_Screen_Colors();
  const int left = 20;
  int y = 30;
  _Heading(left, y, "Schnittgrößen (Brandfall)"_cp);
  const char *heads[9] = {"Bezeichnung", "N [kN]", "My [kNm]", "Mz [kNm]", "Vy [kN]",
                          "Vz [kN]",     "Tt [kNm]", "Tw [kNm]", "B [kNm²]"_cp};
  for (int k = 0; k < 9; ++k)
    Add_Text_to_View_Area(s.area, k == 0 ? left + 50 : left + 5 + 210 + 85 * (k - 1) + 8, y + 50, heads[k],
                          c->font_normal, c->grey_dim, 0);
  s.table = Create_Input_Table(s.area, y + 70, left + 5, left + 920, 22, static_cast<int>(sizeof(BRANDLAST)),
                               &_Table_Row);
  if (s.table < 0) return;
  const BRANDLAST empty{};
  Set_Input_Table_Edit_Row(s.table, &empty);
  Set_Input_Table_Button_Position(s.table, 4, -3, 10);
  Set_Input_Table_Button_Position(s.table, 1, 0, -2);
  Set_Input_Table_Button_Position(s.table, 2, 19, -2);
  Set_Input_Table_Button_Position(s.table, 3, 3, -2);
  for (int i = 0; i < b.brandlast_count; ++i) {
    BRANDLAST row = b.brandlasten[i];
    Pad_With_Blanks(row.name, BRANDLAST_NAME_SIZE);  // the field edits its whole width
    Append_Input_Table_Row(s.table, &row);
  }
  Set_Input_Table_Max_Rows(s.table, BRANDLAST_MAX_ROWS);
  Layout_Input_Table(s.table);
}

void _Build_Page5() {
  BAUTEIL &b = _B();
  const SCREEN_COLORS *c = Get_Screen_Colors();
  if (s.design_stale) {
    _Take();
    Print_Brandschutznachweis(&b, nullptr);  // the whole design, without a file
    _Hand();
    s.design_stale = false;
  }
  int y = 30;
  _Heading(20, y, "maximale Ausnutzung");
  y += 30;
  for (int i = 0; i < b.brandlast_count; ++i, y += 20) {
    char text[64];
    std::snprintf(text, sizeof text, "%d:", i + 1);
    Add_Text_to_View_Area(s.area, 50, y, text, c->font_normal, c->black, 1);
    Add_Text_to_View_Area(s.area, 60, y, b.brandlasten[i].name, c->font_normal, c->black, 0);
    double u = 0;
    if (Get_Brandlast_Utilisation(&b, i, &u)) {
      std::snprintf(text, sizeof text, "%.0lf%%", 100.0 * u);
      Add_Text_to_View_Area(s.area, 400, y, text, c->font_bold, u <= 1.0 ? c->green : c->red, 1);
    } else {
      Add_Text_to_View_Area(s.area, 400, y, "XXXXXX", c->font_bold, c->red, 1);
    }
  }
  // The note one sentence a line: as one line it runs past the page's right edge.
  for (const char *at = STAHL_EC3_NOTE_COLD; *at;) {
    const char *end = std::strstr(at, ". ");
    const std::string line = end ? std::string(at, end + 1) : std::string(at);
    y += 20;
    Add_Text_to_View_Area(s.area, 20, y, line.c_str(), c->font_normal, c->brown_hint, 0);
    at = end ? end + 2 : at + line.size();
  }
}

void _Draw_Tab_Titles() {
  const int colour = GetYRMColor(-9);
  for (int i = 0; i < 3; ++i)
    Draw_Text_in_Font_Color(kRegX1 + 10 + i * (kTabWidth + 1), kTabBottom - 9, kPages[i].tab, 0x1000, colour);
}

void _Draw_Icon_Bar_Background() {
  pxDrawPartialTransparentDIB("Buttons.bmp", 0, 0, -1, -1, 6, 7, 557, 54, 201, -1, 219, 213, 203);
  Draw_Icon_Bar(Main_Icon_Bar());
}

void _Build_Page() {
  Clear_View_Area_Items(s.area);
  _Drop_Table();
  Begin_Widget_Area(s.area);
  switch (kPages[s.page].number) {
    case 1: _Build_Page1(); break;
    case 4: _Build_Page4(); break;
    default: _Build_Page5(); break;
  }
  if (s.restore_scroll) {
    Set_View_Area_Scroll_Fraction(s.area, s.fraction[s.page][0], s.fraction[s.page][1]);
    s.restore_scroll = false;
  }
  Set_View_Area_Activity(s.area, 1);
  Update_View_Area_Scrolling(s.area);
}

// A wheel turn that ended the content area's hover wait scrolls the page: a tenth of the
// visible height per turn, as the host's own wheel over the area does.
void _Wheel_Scroll() {
  if (!M_SCROLL) return;
  int w = 0, h = 0;
  Get_View_Area_Visible_Size(s.area, &w, &h);
  int dx = 0, dy = -M_SCROLL * std::max(1, h / 10);
  M_SCROLL = 0;
  Scroll_View_Area_by(s.area, &dx, &dy);
  Update_View_Area_Scrolling(s.area);
}

void _Change_Page(int index) {
  if (index == s.page) return;
  Read_Back_View_Area_Scroll(s.area);
  Get_View_Area_Scroll_Fraction(s.area, &s.fraction[s.page][0], &s.fraction[s.page][1]);
  s.page = index;
  s.restore_scroll = true;
  s.design_stale = true;
}

// ---------------------------------------------------------------- sheet

void _Open_Sheet() {
  char title[300];
  std::snprintf(title, sizeof title, "Position %d: %s", Stahl_EC3_Run().position, STAHL_EC3_TITLE);
  YRMSetFrameTitle(title);
  Init_Grafik_Mode();
  Init_RFont();
  Init_Screen_Colors();
  Init_Mouse_Move_Restriction(0, 0, NPIXEL_X - 1, NPIXEL_Y - 1);
  Set_NoFrameFlag_to_Next_PropSheet();
  pxBgc(MENUE_CI);
  pxCls();
  Define_Prop_Sheet(0, 0, NPIXEL_X - 1, NPIXEL_Y - 1, 0, 0, "", 1, 1);
  const int bar = Add_Escape_Area_to_PS(kBarX1, kBarY1, kBarX2, kBarY2, 0, kCodeIconBar);
  Set_Escape_Area_to_MouseMoveEvent(bar, 1);
  const int reg = Add_Register_to_PS(kRegX1, kRegY1, kRegX2, kRegY2, kTabBottom);
  for (int i = 0; i < 3; ++i) {
    const int x = kRegX1 + i * (kTabWidth + 1);
    Add_Register_Member_to_PS(reg, x, x + kTabWidth, kPages[i].code);
  }
  const int content = Add_Escape_Area_to_PS(kAreaX1, kAreaY1, kAreaX2 - VIEW_AREA_SLIDER_WIDTH, kAreaY2, 0,
                                            kCodeContent);
  Set_Escape_Area_to_MouseMoveEvent(content, 1);
  s.area = Create_Scrollable_View_Area(kAreaX1, kAreaY1, kAreaX2, kAreaY2, 0, 1);
  Activate_Prop_Sheet();
  Set_Selected_Register_Member(s.page + 1);
}

void _Close_Sheet() {
  Clear_View_Area_Items(s.area);
  _Drop_Table();
  Remove_Scrollable_View_Area(s.area);
  s.area = -1;
  Undefine_Prop_Sheet();
}

// The finish dialog: 1 "speichern und beenden", 2 "beenden ohne zu speichern", else back.
int _Finish_Dialog() {
  Define_Prop_Sheet(480, 400, 800, 540, 1, 0, "Ende", 7, 1);
  Add_Text_Button_to_PS(500, 440, "speichern und beenden", 1);
  Add_Text_Button_to_PS(500, 470, "beenden ohne zu speichern", 2);
  Add_Text_Button_to_PS(500, 500, "weiter bearbeiten", 3);
  Activate_Prop_Sheet();
  const int code = Edit_Prop_Sheet();
  Undefine_Prop_Sheet();
  return code;
}

// The box of a print list that cannot be written, with the cause (errno of the write).
void _List_Failed(int err) {
  const std::string text =
      std::string("^bFEHLER: Die Druckliste kann nicht geschrieben werden (") + std::strerror(err) + ")!";
  PrintMessage(text.c_str(), STAHL_EC3_TITLE);
}

// Writes the print list of the record as it stands (stored units while writing): 0 or 1.
int _Write_List() {
  _Take();
  const int bad = Write_Bauteil_Print_List();
  const int err = errno;
  _Hand();
  if (bad) _List_Failed(err);
  return bad;
}

// Carries out an icon-bar action; the exit code when the run ends, else −1.
int _Icon_Action(int action) {
  BAUTEIL &b = _B();
  switch (action) {
    case kActionAnnex:
      // No annex selection here: the active set stays; its factors are taken again.
      Hinweis_Message(0, "Auswahl des nationalen Anhangs nicht verfügbar; aktiv: %s"_cp, Get_Active_NAD_Name());
      Load_Safety_Factors_from_NAD(&b.safety);
      s.design_stale = true;
      return -1;
    case kActionPreview:
      if (_Write_List() == 0) Quick_OLI_View(Bauteil_Oli_Path().c_str());
      return -1;
    case kActionPrint:
      if (_Write_List() == 0) Quick_OLI_Print(Bauteil_Oli_Path().c_str());
      return -1;
    case kActionPlot:
      if (_Write_List() == 0) {
        const char *exec = YRMGetEnv("EXEC");
        const std::string tool = std::string(exec ? exec : "") + "/Zadadade.exe";
        const std::string spf = Bauteil_Spf_Path();
        const char *argv[] = {"Zadadade.exe", spf.c_str(), nullptr};
        YRMSpawnv(0, tool.c_str(), argv);
      }
      return -1;
    case kActionHelp:
      if (!s.help_ready) {
        Init_Helpview(kHelpFile);
        s.help_ready = true;
      }
      Helpview(kPages[s.page].help);
      return -1;
    case kActionEnd: break;
    default: return -1;  // 0, 5 and the print options (not built) do nothing
  }
  const int choice = _Finish_Dialog();
  if (choice == 1) {
    _Take();
    const int saved = Save_Bauteil_Member();
    if (saved != 0) {
      _Hand();
      if (saved == STAHL_EC3_SAVE_DECLINED) return -1;  // the other session's file stays
      const std::string text = "^bFEHLER: Die Eingabedatei kann nicht gespeichert werden (" +
                               Stahl_EC3_Run().save_problem + "); nichts wurde beendet!";
      PrintMessage(text.c_str(), STAHL_EC3_TITLE);
      return -1;
    }
    // The list follows the save, so that it shows what was saved (a member unreadable at
    // start has its checks now). A list that cannot be written is said; the save stands and
    // the run ends as saved.
    if (Write_Bauteil_Print_List() != 0) _List_Failed(errno);
    _Close_Sheet();
    Remove_Work_Files();
    return STAHL_EC3_EXIT_SAVED;
  }
  if (choice == 2) {
    _Close_Sheet();
    Restore_Exchange_Files();
    return STAHL_EC3_EXIT_NOT_SAVED;
  }
  return -1;
}

}  // namespace

int Run_Stahl_EC3_Screen() {
  s = ScreenState{};
  _Open_Sheet();
  _Hand();
  for (;;) {
    _Draw_Icon_Bar_Background();
    _Build_Page();
    _Draw_Tab_Titles();
    const int code = Edit_Prop_Sheet();
    if (Stahl_EC3_Run().closed) return STAHL_EC3_EXIT_NOT_SAVED;
    if (code == 0 && getkeymask()) {  // the host stops the run: nothing is saved
      _Close_Sheet();
      Restore_Exchange_Files();
      return STAHL_EC3_EXIT_NOT_SAVED;
    }
    switch (code) {
      case kCodePage1: _Change_Page(0); break;
      case kCodePage4: _Change_Page(1); break;
      case kCodePage5: _Change_Page(2); break;
      case kCodeContent:
        if (kPages[s.page].number == 4) {
          if (Handle_Input_Table_Event(s.table) == 0) Handle_View_Area_Event(s.area);
        } else if (Handle_View_Area_Event(s.area) && kPages[s.page].number == 1) {
          // A change on the input page: the record in line with its profile again.
          _Take();
          Check_Bauteil_Data(&_B(), nullptr, 0, "");
          _Hand();
        }
        _Wheel_Scroll();
        break;
      case kCodeIconBar: {
        const int rc = _Icon_Action(Run_Icon_Bar(Main_Icon_Bar()));
        if (rc >= 0) return rc;
        break;
      }
      default: break;
    }
  }
}

void Draw_Bauteil_Picture(int x1, int y1, int x2, int y2, PROFIL *p) {
  if (!p) return;
  const SCREEN_COLORS *c = Get_Screen_Colors();
  if (p->kind == PROFIL_KIND_QUER) {
    if (p->model_kind != 0) {
      Draw_Polygon_Querschnitt(x1, y1, x2, y2, 0.0, p);  // polygons: fitted by the picture itself
      return;
    }
    // A line model is drawn at the scale it is given: the fit of the polygon picture (10
    // pixels of margin, the smaller of the two scales) from the imported width and height,
    // the model placed in the box inside the margins.
    const double W = p->imported[PROFIL_IMP_WIDTH], H = p->imported[PROFIL_IMP_HEIGHT];
    double scale = 0.0;
    if (std::isfinite(W) && std::isfinite(H) && W >= 1.0 && H >= 1.0)
      scale = std::min(((x2 - 10) - (x1 + 10)) / W, ((y2 - 10) - (y1 + 10)) / H);
    if (!(scale >= 0.001)) {
      Draw_Polygon_Querschnitt(x1, y1, x2, y2, 0.0, p);  // no extent: the empty picture
      return;
    }
    int saved;
    pxQFgc(&saved);
    pxFgc(c->host_color);
    pxRect(x1, y1, x2, y2);
    pxFgc(saved);
    Draw_Polygon_Querschnitt(x1 + 10, y1 + 10, x2 - 10, y2 - 10, scale, p);
    return;
  }
  PROFIL_SCREEN_STATE st;
  Reset_Profil_Screen_State(&st);
  st.x1 = x1, st.y1 = y1, st.x2 = x2, st.y2 = y2;
  st.scale = 0.0;  // fitted into the picture
  st.fill_color = c->lavender_light;
  st.line_width = 1;
  st.line_color = c->black;
  st.show_axes = 1;
  st.profil = p;
  if (p->type == PROFIL_ANGLE) {
    st.mirror_z = 1;
    st.angle = 90.0;
  }
  Draw_Profil_Querschnitt(&st, SCREEN_FLAG_ANGLE_LEGS);
}
