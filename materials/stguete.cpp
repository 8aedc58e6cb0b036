// materials/stguete.cpp — steel grade tables: 44 grades with the values of the European
// product standards and the same grades with the older German (DIN) values, a list of
// user-defined grades, the mapping of the Eurocode steel list onto the rows and the DIN
// grade picker grid.
#include <cmath>
#include <cstring>

#include "materials/materials.h"
#include "host/host.h"
#include "materials/materials_internal.h"
#include "support/support.h"

namespace {

constexpr double kE = 210000.0;
constexpr double kG = 81000.0;
constexpr double kNu = 0.3;
constexpr double kAlphaT = 1.2e-5;

// European values: EN 10025-2 (S235..S355), EN 10025-3/-4 (N/NL, M/ML), EN 10248-1 (sheet
// piles GP), EN 10346 (GD sheet), EN ISO 898-1 (bolt classes "FK"); alpha_w of DIN 18800-1
// Table 21. Rows 0-4 and 29-31 carry the old German designations in brackets.
#define ROW(n, name, fy1, fy2, t1, tmax, fu, aw) {n, name, kE, kG, kNu, kAlphaT, fy1, fy2, t1, tmax, fu, aw}
constexpr STEEL_GRADE kEuropean[STGUETE_ROW_COUNT] = {
    ROW(0, "S235JR (St37-2)", 235, 215, 40, 100, 360, 0.95),
    ROW(1, "S235JRG1 (USt37-2)", 235, 215, 40, 100, 360, 0.95),
    ROW(2, "S235JRG2 (RSt37-2)", 235, 215, 40, 100, 360, 0.95),
    ROW(3, "S235J0 (St37-3)", 235, 215, 40, 100, 360, 0.95),
    ROW(4, "S355J0 (St52-3)", 355, 335, 40, 80, 490, 0.8),
    ROW(5, "S235", 235, 215, 40, 100, 360, 0.95),
    ROW(6, "S275", 275, 255, 40, 80, 410, 0.95),
    ROW(7, "S355", 355, 335, 40, 80, 490, 0.8),
    ROW(8, "S275 N/NL", 275, 255, 40, 80, 370, 0.95),
    ROW(9, "S275 M/ML", 275, 255, 40, 80, 370, 0.95),
    ROW(10, "S355 N/NL", 355, 335, 40, 80, 470, 0.8),
    ROW(11, "S355 M/ML", 355, 335, 40, 80, 450, 0.8),
    ROW(12, "S460 N/NL", 460, 430, 40, 80, 550, 0.6),
    ROW(13, "S460 M/ML", 460, 430, 40, 80, 530, 0.6),
    ROW(14, "S 240 GP", 240, 215, 40, 80, 340, 0.95),
    ROW(15, "S 270 GP", 270, 250, 40, 80, 410, 0.95),
    ROW(16, "S 320 GP", 320, 295, 40, 80, 440, 0.95),
    ROW(17, "S 355 GP", 355, 330, 40, 80, 480, 0.8),
    ROW(18, "S 390 GP", 390, 365, 40, 80, 490, 0.8),
    ROW(19, "S 430 GP", 430, 400, 40, 80, 510, 0.6),
    ROW(20, "St Sp 460", 460, 430, 40, 80, 550, 0.6),
    ROW(21, "St Sp 500", 500, 460, 40, 80, 590, 0.6),
    ROW(22, "FK 3.6", 180, 180, 80, 80, 300, 0.6),
    ROW(23, "FK 4.6", 240, 240, 80, 80, 400, 0.6),
    ROW(24, "FK 4.8", 320, 320, 80, 80, 400, 0.6),
    ROW(25, "FK 5.6", 300, 300, 80, 80, 500, 0.6),
    ROW(26, "FK 5.8", 400, 400, 80, 80, 500, 0.6),
    ROW(27, "FK 8.8", 640, 640, 80, 80, 800, 0.6),
    ROW(28, "FK 10.9", 900, 900, 80, 80, 1000, 0.6),
    ROW(29, "S235 (1052)", 240, 215, 40, 100, 360, 0.95),
    ROW(30, "S275 (1052)", 275, 255, 40, 80, 430, 0.95),
    ROW(31, "S355 (1052)", 360, 335, 40, 80, 510, 0.8),
    ROW(32, "S450", 440, 410, 40, 80, 550, 0.6),
    ROW(33, "S420 N/NL", 420, 390, 40, 80, 520, 0.6),
    ROW(34, "S420 M/ML", 420, 390, 40, 80, 520, 0.6),
    ROW(35, "S220GD", 220, 220, 40, 100, 300, 0.6),
    ROW(36, "S250GD", 250, 250, 40, 100, 330, 0.6),
    ROW(37, "S280GD", 280, 280, 40, 100, 360, 0.6),
    ROW(38, "S320GD", 320, 320, 40, 100, 390, 0.6),
    ROW(39, "S350GD", 350, 350, 40, 100, 420, 0.6),
    ROW(40, "S390GD", 390, 390, 40, 100, 460, 0.6),
    ROW(41, "S420GD", 420, 420, 40, 100, 480, 0.6),
    ROW(42, "S450GD", 450, 450, 40, 100, 510, 0.6),
    ROW(43, "S550GD", 550, 550, 40, 100, 560, 0.6),
};

// DIN values: DIN 18800-1 Table 1 (fy 240 and 360 for St 37 and St 52 up to 40 mm); the
// other rows as in the European table. Rows 5-7 carry the DIN names.
constexpr STEEL_GRADE kDin[STGUETE_ROW_COUNT] = {
    ROW(0, "S235JR (St37-2)", 240, 215, 40, 100, 360, 0.95),
    ROW(1, "S235JRG1 (USt37-2)", 240, 215, 40, 100, 360, 0.95),
    ROW(2, "S235JRG2 (RSt37-2)", 240, 215, 40, 100, 360, 0.95),
    ROW(3, "S235J0 (St37-3)", 240, 215, 40, 100, 360, 0.95),
    ROW(4, "S355J0 (St52-3)", 360, 335, 40, 80, 490, 0.8),
    ROW(5, "S235 (St37)", 240, 215, 40, 100, 360, 0.95),
    ROW(6, "S275 (St44)", 275, 255, 40, 80, 410, 0.95),
    ROW(7, "S355 (St52)", 360, 335, 40, 80, 490, 0.8),
    ROW(8, "S275 N/NL", 275, 255, 40, 80, 370, 0.95),
    ROW(9, "S275 M/ML", 275, 255, 40, 80, 370, 0.95),
    ROW(10, "S355 N/NL", 360, 335, 40, 80, 470, 0.8),
    ROW(11, "S355 M/ML", 360, 335, 40, 80, 450, 0.8),
    ROW(12, "S460 N/NL", 460, 430, 40, 80, 550, 0.6),
    ROW(13, "S460 M/ML", 460, 430, 40, 80, 530, 0.6),
    ROW(14, "S 240 GP", 240, 215, 40, 80, 340, 0.95),
    ROW(15, "S 270 GP", 270, 250, 40, 80, 410, 0.95),
    ROW(16, "S 320 GP", 320, 295, 40, 80, 440, 0.95),
    ROW(17, "S 355 GP", 355, 330, 40, 80, 480, 0.8),
    ROW(18, "S 390 GP", 390, 365, 40, 80, 490, 0.8),
    ROW(19, "S 430 GP", 430, 400, 40, 80, 510, 0.6),
    ROW(20, "St Sp 460", 460, 430, 40, 80, 550, 0.6),
    ROW(21, "St Sp 500", 500, 460, 40, 80, 590, 0.6),
    ROW(22, "FK 3.6", 180, 180, 80, 80, 300, 0.6),
    ROW(23, "FK 4.6", 240, 240, 80, 80, 400, 0.6),
    ROW(24, "FK 4.8", 320, 320, 80, 80, 400, 0.6),
    ROW(25, "FK 5.6", 300, 300, 80, 80, 500, 0.6),
    ROW(26, "FK 5.8", 400, 400, 80, 80, 500, 0.6),
    ROW(27, "FK 8.8", 640, 640, 80, 80, 800, 0.6),
    ROW(28, "FK 10.9", 900, 900, 80, 80, 1000, 0.6),
    ROW(29, "S235 (1052)", 240, 215, 40, 100, 360, 0.95),
    ROW(30, "S275 (1052)", 275, 255, 40, 80, 430, 0.95),
    ROW(31, "S355 (1052)", 360, 335, 40, 80, 510, 0.8),
    ROW(32, "S450", 440, 410, 40, 80, 550, 0.6),
    ROW(33, "S420 N/NL", 420, 390, 40, 80, 520, 0.6),
    ROW(34, "S420 M/ML", 420, 390, 40, 80, 520, 0.6),
    ROW(35, "S220GD", 220, 220, 40, 100, 300, 0.6),
    ROW(36, "S250GD", 250, 250, 40, 100, 330, 0.6),
    ROW(37, "S280GD", 280, 280, 40, 100, 360, 0.6),
    ROW(38, "S320GD", 320, 320, 40, 100, 390, 0.6),
    ROW(39, "S350GD", 350, 350, 40, 100, 420, 0.6),
    ROW(40, "S390GD", 390, 390, 40, 100, 460, 0.6),
    ROW(41, "S420GD", 420, 420, 40, 100, 480, 0.6),
    ROW(42, "S450GD", 450, 450, 40, 100, 510, 0.6),
    ROW(43, "S550GD", 550, 550, 40, 100, 560, 0.6),
};

// Rows returned for codes not in the tables.
constexpr STEEL_GRADE kFallbackEuropean = ROW(44, "?????", 235, 215, 40, 100, 360, 0.95);
constexpr STEEL_GRADE kFallbackDin = ROW(44, "?????", 240, 215, 40, 100, 360, 0.95);
#undef ROW

// Built-in row of each Eurocode-list row (0..30); -1 for the stainless steels.
constexpr int kCodeOfGrade[EC_GRADE_LIST_COUNT] = {5, 6, 7, 32, 8, 10, 33, 12, 9, 11, 34, 13, 5, 7, 12, 5,
                                                   6, 7, 6, 7, 33, 12, 6, 7, 33, 12, -1, -1, -1, -1, -1};

// DIN rows of the picker places; -1 marks the separator places 3 and 7. Places 6 and 10
// show S420 N/NL and S420 M/ML: the grade these places select everywhere else.
constexpr int kGridRows[STGUETE_GRID_PLACES] = {5, 6, 7, -1, 8, 10, 33, -1, 9, 11, 34};

constexpr int kGrowBy = 10;
const char kEmptyName[] = "";

struct StgueteState {
  STEEL_GRADE *user = nullptr;  // owned rows; each name owned unless it is kEmptyName
  int count = 0;
  int capacity = 0;
  int last_found = -1;
  bool grid_filled = false;
  char grid[STGUETE_GRID_PLACES][EC_GRADE_NAME_SIZE + 1] = {};
} g;

void _Free_Name(STEEL_GRADE &row) {
  if (row.name && row.name != kEmptyName) MEM_FREE(const_cast<char *>(row.name));
  row.name = kEmptyName;
}

bool _Is_European(int code) { return ((static_cast<unsigned>(code) >> 16) & 0xFFFF) == 1; }

const STEEL_GRADE *_Fallback(int code) { return _Is_European(code) ? &kFallbackEuropean : &kFallbackDin; }

// Index of the user grade of a code (bit 15 set), -1 when not in the list.
int _Find_User(int code) {
  if (g.count == 0) return -1;
  const int key = (code & 0x7FFF) | STGUETE_USER_BIT;
  if (g.last_found >= 0 && g.last_found < g.count && g.user[g.last_found].code == key) return g.last_found;
  for (int k = 0; k < g.count; ++k) {
    if (g.user[k].code == key) {
      g.last_found = k;
      return k;
    }
  }
  return -1;
}

// Row of a code and whether it is a real row (built-in 0..43 or a listed user grade).
const STEEL_GRADE *_Lookup(int code, bool *found) {
  *found = false;
  if (code & STGUETE_USER_BIT) {
    int k = _Find_User(code);
    if (k < 0) return _Fallback(code);
    *found = true;
    return &g.user[k];
  }
  const int row = code & 0xFFFF;
  if (row >= STGUETE_ROW_COUNT) return _Fallback(code);
  *found = true;
  return _Is_European(code) ? &kEuropean[row] : &kDin[row];
}

// The thickness limit is taken with a tolerance of 0.001 mm, as the material record's
// ranges are, so that a member of 40.0005 mm gets the same fy in both.
double _Fy_For(const STEEL_GRADE *r, double t) { return t > r->t1 + 0.001 ? r->fy2 : r->fy1; }

}  // namespace

const STEEL_GRADE *Get_Stguete_Record(int code) {
  bool found;
  return _Lookup(code, &found);
}

double Get_Stguete_fy(int code, double t) { return _Fy_For(Get_Stguete_Record(code), t); }

double Get_Stguete_E_G(int code, double *G) {
  const STEEL_GRADE *r = Get_Stguete_Record(code);
  if (G) *G = r->G;
  return r->E;
}

const char *Get_Stguete_Name(int code) { return Get_Stguete_Record(code)->name; }

int Get_Stguete_fy_Checked(int code, double t, double gamma, double out[4]) {
  if (!out) return 0;
  bool found;
  const STEEL_GRADE *r = _Lookup(code, &found);
  const double fy = _Fy_For(r, t);
  if (gamma == 0.0) {
    out[0] = out[1] = out[2] = out[3] = fy;
  } else {
    out[0] = out[1] = out[3] = fy / gamma;
    out[2] = fy / (gamma * std::sqrt(3.0));
  }
  return found ? 1 : 0;
}

int Set_User_Stguete(const STEEL_GRADE *row) {
  if (!row) return 0;
  Host_Register_Reset(&Reset_Materials_For_Tests);  // Host_Reset empties the user lists
  const int code = (row->code & 0x7FFF) | STGUETE_USER_BIT;
  int k = _Find_User(code);
  if (k < 0) {
    if (g.count == g.capacity) {
      void *grown = MEM_REALLOC(g.user, sizeof(STEEL_GRADE) * static_cast<std::size_t>(g.capacity + kGrowBy));
      if (!grown) return 0;
      g.user = static_cast<STEEL_GRADE *>(grown);
      g.capacity += kGrowBy;
    }
    k = g.count++;
    g.user[k].name = kEmptyName;
  }
  _Free_Name(g.user[k]);
  STEEL_GRADE copy = *row;
  copy.code = code;
  copy.name = kEmptyName;
  if (row->name) {
    char *name = MEM_STRDUP(row->name);
    if (name) copy.name = name;
  }
  g.user[k] = copy;
  return code;
}

int Remove_User_Stguete(int code) {
  if (!(code & STGUETE_USER_BIT)) return 0;
  const int k = _Find_User(code);
  if (k < 0) return 0;
  _Free_Name(g.user[k]);
  for (int j = k + 1; j < g.count; ++j) g.user[j - 1] = g.user[j];
  --g.count;
  g.last_found = -1;
  return 1;
}

void Clear_User_Stguete() {
  for (int k = 0; k < g.count; ++k) _Free_Name(g.user[k]);
  g.count = 0;
  g.last_found = -1;
}

int Get_User_Stguete_Count() { return g.count; }

const STEEL_GRADE *Get_User_Stguete_Row(int index) {
  if (index < 0 || index >= g.count) return &kFallbackEuropean;
  return &g.user[index];
}

const STEEL_GRADE *Get_Stguete_Fallback_Row(int high) { return high == 1 ? &kFallbackEuropean : &kFallbackDin; }

int Get_Stguete_Code_of_Grade(int ec_row) {
  if (ec_row < 0 || ec_row >= EC_GRADE_LIST_COUNT) return -1;
  return kCodeOfGrade[ec_row];
}

int Get_EC_Index_of_Stguete_Row(int row) {
  for (int k = 0; k < 12; ++k)
    if (kCodeOfGrade[k] == row) return k;
  return -1;
}

void Init_Stguete_Name_Grid() {
  if (g.grid_filled) return;
  for (int k = 0; k < STGUETE_GRID_PLACES; ++k) {
    const char *name = kGridRows[k] < 0 ? "---" : kDin[kGridRows[k]].name;
    std::strncpy(g.grid[k], name, EC_GRADE_NAME_SIZE);
    g.grid[k][EC_GRADE_NAME_SIZE] = '\0';
  }
  g.grid_filled = true;
}

const char *Get_Stguete_Name_Grid_Entry(int place) {
  if (!g.grid_filled || place < 0 || place >= STGUETE_GRID_PLACES) return "";
  return g.grid[place];
}

int Get_Stguete_Code_by_Index(int index, const int *codes, int count) {
  if (!codes || index < 0 || index >= count) return 5;
  return codes[index];
}

void Reset_Stguete_For_Tests() {
  Clear_User_Stguete();
  MEM_FREE(g.user);
  g = StgueteState{};
}

uint32_t Make_Grade_Code(uint16_t kind, uint16_t index) {
  return kind == 1 ? (static_cast<uint32_t>(index) | STGUETE_EUROPEAN) : index;
}

uint32_t Make_Stguete_Code(const uint32_t *kind_word, uint16_t index) {
  if (!kind_word) return static_cast<uint32_t>(index) | STGUETE_EUROPEAN;
  return Make_Grade_Code(static_cast<uint16_t>(*kind_word & 0xFFFF), index);
}
