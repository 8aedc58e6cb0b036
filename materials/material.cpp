// materials/material.cpp — the material record: reset, copy, comparison, the strength
// check for a plate thickness, the data-file block, and the Eurocode steel grade list.
#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstring>

#include "host/host.h"
#include "materials/materials.h"
#include "materials/materials_internal.h"
#include "nad/nad.h"
#include "print/print.h"
#include "support/shell.h"
#include "support/support.h"

namespace {

constexpr double kG_per_E = 0.3846153846153846;  // G = E / (2 (1 + 0.3))
constexpr double kSteelE = 210000.0;
constexpr double kAluE = 70000.0;

// The Eurocode steel grade list, names blank-padded to 15 characters.
constexpr STEEL_GRADE_LIST _L(const char *name, double fy40, double fu40, double fy80, double fu80, double bw) {
  STEEL_GRADE_LIST r{};
  int k = 0;
  for (; name[k] && k < EC_GRADE_NAME_SIZE - 1; ++k) r.name[k] = name[k];
  for (; k < EC_GRADE_NAME_SIZE - 1; ++k) r.name[k] = ' ';
  r.name[EC_GRADE_NAME_SIZE - 1] = '\0';
  r.fy_40 = fy40;
  r.fu_40 = fu40;
  r.fy_80 = fy80;
  r.fu_80 = fu80;
  r.betaw = bw;
  return r;
}

// Carbon steels: fy, fu of EN 1993-1-1 Table 3.1 (t <= 40 mm and 40 < t <= 80 mm) for
// EN 10025-2..-6 and EN 10210-1 / EN 10219-1 (the "H" rows); the hollow sections of
// EN 10219-1 (MH/MLH) are given up to 40 mm only. beta_w of EN 1993-1-8 Table 4.1.
// Stainless steels (EN 10088 numbers): one strength pair for every thickness, of the
// order of the hot-rolled plate values of EN 1993-1-4 Table 2.1.
constexpr STEEL_GRADE_LIST kEcList[EC_GRADE_LIST_COUNT] = {
    _L("S235", 235, 360, 215, 360, 0.8),
    _L("S275", 275, 430, 255, 410, 0.85),
    _L("S355", 355, 490, 335, 470, 0.9),
    _L("S450", 440, 550, 410, 550, 1.0),
    _L("S275 N/NL", 275, 390, 255, 370, 0.85),
    _L("S355 N/NL", 355, 490, 335, 470, 0.9),
    _L("S420 N/NL", 420, 520, 390, 520, 1.0),
    _L("S460 N/NL", 460, 540, 430, 540, 1.0),
    _L("S275 M/ML", 275, 370, 255, 360, 0.85),
    _L("S355 M/ML", 355, 470, 335, 450, 0.9),
    _L("S420 M/ML", 420, 520, 390, 500, 1.0),
    _L("S460 M/ML", 460, 540, 430, 530, 1.0),
    _L("S235 W", 235, 360, 215, 340, 0.8),
    _L("S355 W", 355, 490, 335, 490, 0.9),
    _L("S460 Q/QL/QL1", 460, 570, 440, 550, 1.0),
    _L("S235 H", 235, 360, 215, 340, 0.8),
    _L("S275 H", 275, 430, 255, 410, 0.85),
    _L("S355 H", 355, 510, 335, 490, 0.9),
    _L("S275 NH/NLH", 275, 390, 255, 370, 0.85),
    _L("S355 NH/NLH", 355, 490, 335, 470, 0.9),
    _L("S420 NH/NLH", 420, 540, 390, 520, 1.0),
    _L("S460 NH/NLH", 460, 560, 430, 550, 1.0),
    _L("S275 MH/MLH", 275, 360, 0, 0, 0.85),
    _L("S355 MH/MLH", 355, 470, 0, 0, 0.9),
    _L("S420 MH/MLH", 420, 500, 0, 0, 1.0),
    _L("S460 MH/MLH", 460, 530, 0, 0, 1.0),
    _L("1.4301", 210, 520, 0, 0, 1.0),
    _L("1.4401", 220, 520, 0, 0, 1.0),
    _L("1.4571", 200, 500, 0, 0, 1.0),
    _L("1.4003", 240, 450, 0, 0, 1.0),
    _L("1.4462", 450, 650, 0, 0, 1.0),
};

constexpr int kNameRing = 10;
constexpr int kNameRingSize = 20;
constexpr int kMessageSize = 500;

struct MaterialState {
  char ring[kNameRing][kNameRingSize] = {};
  int ring_next = 0;
} g;

bool _In(int row, std::initializer_list<int> rows) {
  return std::find(rows.begin(), rows.end(), row) != rows.end();
}

// Red line into the print list (when given) and message box (when asked) of one failed
// limit of the strength check.
void _Report_Yield(FILE *list, int show, const char *pre, double fy, double limit) {
  if (list)
    CP850_CALL(Oli_Printf, list, "%s%sStreckgrenze f╬\\y╬r = %.1lf N/mm² < %.0lf N/mm²  %s\n", Oli_Line_Prefix(), pre,
               fy, limit, Oli_Mark_Nicht_Ok());
  if (show) {
    char text[kMessageSize];
    CP850_CALL2(snprintf, text, sizeof text, "%sStreckgrenze fy = %.1lf N/mm² < %.0lf N/mm²", pre, fy, limit);
    PrintMessage(text, "");
  }
}

void _Report_Tensile(FILE *list, int show, const char *pre, double fu, double fy) {
  if (list)
    CP850_CALL(Oli_Printf, list,
               "%s%sZugfestigkeit f╬\\u╬r = %.1lf N/mm² < Streckgrenze f╬\\y╬r = %.1lf N/mm²  %s\n",
               Oli_Line_Prefix(), pre, fu, fy, Oli_Mark_Nicht_Ok());
  if (show) {
    char text[kMessageSize];
    CP850_CALL2(snprintf, text, sizeof text, "%sZugfestigkeit fu = %.1lf N/mm² < Streckgrenze fy = %.1lf N/mm²", pre,
                fu, fy);
    PrintMessage(text, "");
  }
}

void _Report_Proof(FILE *list, int show, const char *pre, double f0, double limit) {
  if (list)
    CP850_CALL(Oli_Printf, list, "%s%s0,2%%-Dehngrenze f╬\\o╬r = %.1lf N/mm² < %.0lf N/mm²  %s\n", Oli_Line_Prefix(),
               pre, f0, limit, Oli_Mark_Nicht_Ok());
  if (show) {
    char text[kMessageSize];
    CP850_CALL2(snprintf, text, sizeof text, "%s0,2%%-Dehngrenze fo = %.1lf N/mm² < %.0lf N/mm²", pre, f0, limit);
    PrintMessage(text, "");
  }
}

void _Report_Alu_Tensile(FILE *list, int show, const char *pre, double fu, double f0) {
  if (list)
    CP850_CALL(Oli_Printf, list, "%s%sZugfestigkeit f╬\\u╬r = %.1lf N/mm² < f╬\\o╬r = %.0lf N/mm²  %s\n",
               Oli_Line_Prefix(), pre, fu, f0, Oli_Mark_Nicht_Ok());
  if (show) {
    char text[kMessageSize];
    CP850_CALL2(snprintf, text, sizeof text, "%sZugfestigkeit fu = %.1lf N/mm² < fo = %.0lf N/mm²", pre, fu, f0);
    PrintMessage(text, "");
  }
}

void _Report_Modulus(FILE *list, int show, const char *pre, double E, double limit) {
  if (list)
    CP850_CALL(Oli_Printf, list, "%s%sE-Modul E = %.1lf N/mm² < %.1lf N/mm²  %s\n", Oli_Line_Prefix(), pre, E, limit,
               Oli_Mark_Nicht_Ok());
  if (show) {
    char text[kMessageSize];
    CP850_CALL2(snprintf, text, sizeof text, "%sE-Modul E = %.1lf N/mm² < %.1lf N/mm²", pre, E, limit);
    PrintMessage(text, "");
  }
}

// The range pair of a thickness: t < 40.001 the first, t < 80.001 the second, else the third.
void _Pair_For(const MATERIAL *m, double t, double *fy, double *fu) {
  if (t < 40.001) {
    *fy = m->fy_40;
    *fu = m->fu_40;
  } else if (t < 80.001) {
    *fy = m->fy_80;
    *fu = m->fu_80;
  } else {
    *fy = m->fy_inf;
    *fu = m->fu_inf;
  }
}

void _Pad_Name(MATERIAL *m) {
  m->name[MATERIAL_NAME_SIZE - 1] = '\0';
  Pad_With_Blanks(m->name, MATERIAL_NAME_PAD);
}

// Strengths and constants of family 0 from the Eurocode list.
int _Table_EC(MATERIAL *m, double t) {
  int result = 0;
  if (m->grade < 0) {
    m->grade = 0;
    m->betaw = 0.8;
    result = 1;
  }
  const int row = m->grade;
  if (row <= EC_GRADE_LAST_CARBON) {
    const STEEL_GRADE_LIST &r = kEcList[row];
    m->betaw = r.betaw;
    m->fy = t < 40.001 ? r.fy_40 : r.fy_80;
    m->fu = t < 40.001 ? r.fu_40 : r.fu_80;
    m->fy_40 = r.fy_40;
    m->fu_40 = r.fu_40;
    m->fy_80 = m->fy_inf = r.fy_80;
    m->fu_80 = m->fu_inf = r.fu_80;
    m->E = kSteelE;
  } else if (row < EC_GRADE_LIST_COUNT) {
    // Stainless steels: one strength pair for every thickness.
    const STEEL_GRADE_LIST &r = kEcList[row];
    m->betaw = r.betaw;
    m->fy = m->fy_40 = m->fy_80 = m->fy_inf = r.fy_40;
    m->fu = m->fu_40 = m->fu_80 = m->fu_inf = r.fu_40;
    m->E = kSteelE;
  } else {
    // A row the list does not hold has no strengths: the caller reports it like a
    // missing table strength. The grade and the stored ranges stay for the data file.
    m->fy = m->fu = 0.0;
  }
  m->alphaT = 1.2;
  const NAD_EC3_PARAMETERS *ec3 = Get_NAD_EC3_Parameters();
  if (ec3 && ec3->national_betaw) {
    if (Is_EC_Grade_S420(row)) m->betaw = 0.88;
    else if (Is_EC_Grade_S450_S460(row)) m->betaw = 0.85;
  }
  return result;
}

// Strengths and constants of family 1 from the DIN values of the steel grade table.
int _Table_DIN(MATERIAL *m, double t) {
  int result = 0;
  if (m->grade < 0) {
    m->grade = 0;
    result = 1;
  }
  if (m->grade == 3 || m->grade == 7 || m->grade == 11) m->grade -= 1;  // separator places
  if (m->grade <= 10) {
    const int code = Get_Stguete_Code_of_Grade(m->grade);  // high half 0: DIN values
    const STEEL_GRADE *r = Get_Stguete_Record(code);
    m->fy = Get_Stguete_fy(code, t);
    m->fy_40 = Get_Stguete_fy(code, 1.0);
    m->fy_80 = Get_Stguete_fy(code, 41.0);
    m->fy_inf = Get_Stguete_fy(code, 81.0);
    m->fu = m->fu_40 = m->fu_80 = m->fu_inf = r->fu;
    m->betaw = r->alpha_w;
  } else {
    m->fy = m->fu = 0.0;  // no picker place: reported like a missing table strength
  }
  m->E = kSteelE;
  m->alphaT = 1.2;
  return result;
}

// 1 when the code has no row of its own: the table's fallback row answered it, whose
// strengths belong to no alloy. Then f0 = fu = 0 and the stored ranges stay.
int _Table_Alu(MATERIAL *m) {
  const ALU_GRADE *r = Get_Alguete_Record(m->grade);
  const bool known = r != Get_Alguete_Fallback_Row();
  if (known) {
    m->fy = m->fy_40 = m->fy_80 = m->fy_inf = r->f0;
    m->fu = m->fu_40 = m->fu_80 = m->fu_inf = r->fu;
  } else {
    m->fy = m->fu = 0.0;
  }
  m->betaw = 0.0;
  m->E = kAluE;
  m->alphaT = 2.3;
  return known ? 0 : 1;
}

bool _Finite(double v) { return std::isfinite(v); }

}  // namespace

// ---------------------------------------------------------------- record

void Reset_Material_Data(MATERIAL *m) {
  if (!m) return;
  std::memset(m, 0, sizeof *m);
  Pad_With_Blanks(m->name, MATERIAL_NAME_PAD);
  m->E = kSteelE;
  m->betaw = 0.8;
  m->nu = 0.3;
  m->G = kG_per_E * m->E;
  m->alphaT = 1.2;
}

void Init_Material_Data(MATERIAL *m) {
  if (!m) return;
  Reset_Material_Data(m);
  Check_Material_Strength(m, 0.0, nullptr, 0, nullptr);
}

void Copy_Material_Data(const MATERIAL *src, MATERIAL *dst) {
  if (!dst) return;
  Reset_Material_Data(dst);
  if (!src) return;
  *dst = *src;
  dst->name[MATERIAL_NAME_SIZE - 1] = '\0';
}

void Copy_Material_for_Thickness(const MATERIAL *src, MATERIAL *dst, double t) {
  if (!dst) return;
  Copy_Material_Data(src, dst);
  _Pair_For(dst, t, &dst->fy, &dst->fu);
}

int Check_Material_Strength(MATERIAL *m, double t, FILE *list, int show, const char *prefix) {
  return Check_Material_Strength_Ex(m, t, list, show, prefix, show);
}

int Check_Material_Strength_Ex(MATERIAL *m, double t, FILE *list, int show, const char *prefix,
                               int show_thickness) {
  if (!m) return 0;
  const char *pre = prefix ? prefix : "";
  int result = 0;

  // 1. Thickness: only family 0 reaches the third range, above 80.1 mm.
  if (t > 80.1 && m->family == MATERIAL_FAMILY_EC_STEEL) {
    if (!m->user_values && show && show_thickness) {
      char text[kMessageSize];
      CP850_CALL2(snprintf, text, sizeof text,
                  "%sStahldicke t = %.1lf mm > 80 mm: Materialparameter überprüfen (ggf. vorgeben)", pre, t);
      PrintMessage(text, "");
    }
  } else {
    t = std::min(t, 80.0);
  }

  if (m->user_values) {
    // 2. Values given by the user.
    if (m->family == MATERIAL_FAMILY_ALUMINIUM) {
      m->fy = m->fy_40;
      m->fu = m->fu_40;
      if (m->fy < 1.0) {
        _Report_Proof(list, show, pre, m->fy, 1.0);
        result = 1;
      } else if (m->fy - 1.0 > m->fu) {
        _Report_Alu_Tensile(list, show, pre, m->fu, m->fy);
        result = 1;
      } else if (m->fy > m->fu) {
        m->fu = m->fy;
      }
    } else {
      if (m->grade > EC_GRADE_LAST_CARBON) {
        m->fy = m->fy_40;
        m->fu = m->fu_40;
      } else {
        _Pair_For(m, t, &m->fy, &m->fu);
      }
      if (m->fy < 1.0) {
        _Report_Yield(list, show, pre, m->fy, 1.0);
        result = 1;
      }
      if (m->fy - 0.001 > m->fu) {
        _Report_Tensile(list, show, pre, m->fu, m->fy);
        result = 1;
      } else if (m->fy > m->fu) {
        m->fu = m->fy;
      }
    }
    if (m->E < 1.0) {
      _Report_Modulus(list, show, pre, m->E, 1.0);
      result = 1;
    }
  } else {
    // 3.-6. Values of the grade tables. A table without values for this thickness
    // (rows of the Eurocode list above 40 mm) is reported like a yield strength of 0.
    switch (m->family) {
      case MATERIAL_FAMILY_EC_STEEL:
        result |= _Table_EC(m, t);
        if (m->fy < 1.0) {
          _Report_Yield(list, show, pre, m->fy, 1.0);
          result = 1;
        }
        break;
      case MATERIAL_FAMILY_DIN_STEEL:
        result |= _Table_DIN(m, t);
        if (m->fy < 1.0) {
          _Report_Yield(list, show, pre, m->fy, 1.0);
          result = 1;
        }
        break;
      case MATERIAL_FAMILY_ALUMINIUM:
        if (_Table_Alu(m)) {
          _Report_Proof(list, show, pre, m->fy, 1.0);
          result = 1;
        }
        break;
      default:
        break;
    }
  }

  // 7. Constants and bookkeeping.
  if (m->family >= MATERIAL_FAMILY_EC_STEEL && m->family <= MATERIAL_FAMILY_ALUMINIUM) {
    m->nu = 0.3;
    m->G = kG_per_E * m->E;
  }
  m->grade_copy = m->grade;
  _Pad_Name(m);
  return result;
}

int Compare_Material_Data(const MATERIAL *a, const MATERIAL *b) {
  if (!a || !b) return 0;
  auto near = [](double x, double y) { return std::fabs(x - y) <= 0.01; };
  if (a->user_values != b->user_values || a->grade != b->grade || a->family != b->family) return 0;
  if (a->user_values) {
    if (!near(a->fy_40, b->fy_40) || !near(a->fu_40, b->fu_40) || !near(a->fy_80, b->fy_80) ||
        !near(a->fu_80, b->fu_80) || !near(a->fy_inf, b->fy_inf) || !near(a->fu_inf, b->fu_inf) ||
        !near(a->E, b->E) || !near(a->betaw, b->betaw))
      return 0;
  }
  return near(a->fy, b->fy) && near(a->fu, b->fu) && near(a->G, b->G) && near(a->nu, b->nu) &&
         near(a->alphaT, b->alphaT);
}

// ---------------------------------------------------------------- data file

int Write_Material_Data(FILE *f, const MATERIAL *m) {
  if (!f || !m) return 1;
  // The reader refuses a value that is not finite: such a block is not written at all.
  for (double v : {m->betaw, m->E, m->nu, m->G, m->alphaT, m->fy_40, m->fu_40, m->fy_80, m->fu_80, m->fy_inf,
                   m->fu_inf})
    if (!_Finite(v)) return 1;
  // The name goes out as one token: blanks (and any other white space) as '~', an empty
  // name as a single '~', so that the reader never takes the next record's text for it.
  char name[MATERIAL_NAME_SIZE];
  std::memcpy(name, m->name, sizeof name);
  name[MATERIAL_NAME_SIZE - 1] = '\0';
  for (char *p = name; *p; ++p)
    if (std::isspace(static_cast<unsigned char>(*p))) *p = ' ';
  Blank_to_Tilde(name);
  if (!name[0]) std::strcpy(name, "~");

  int bad = 0;
  bad |= std::fprintf(f, " %d\n", MATERIAL_FILE_VERSION) < 0;
  bad |= std::fprintf(f, " %d %d %lf %lf %lf", m->grade, m->user_values, 0.0, 0.0, m->betaw) < 0;
  bad |= std::fprintf(f, " %lf %lf %lf %lf", m->E, m->nu, m->G, m->alphaT) < 0;
  bad |= std::fprintf(f, " %lf %lf %lf %lf %lf %lf\n", m->fy_40, m->fu_40, m->fy_80, m->fu_80, m->fy_inf,
                      m->fu_inf) < 0;
  bad |= std::fprintf(f, " %s\n", name) < 0;
  return (bad || std::ferror(f)) ? 1 : 0;
}

namespace {

// One number into *value; the field keeps its value on a short or garbled read.
bool _Read_Int(FILE *f, int32_t *value) {
  int v;
  if (std::fscanf(f, "%d", &v) != 1) return false;
  *value = v;
  return true;
}

bool _Read_Double(FILE *f, double *value) {
  double v;
  if (std::fscanf(f, "%lf", &v) != 1 || !_Finite(v)) return false;
  *value = v;
  return true;
}

// A name token of at most MATERIAL_NAME_READ_MAX bytes; a longer one fails.
bool _Read_Name(FILE *f, char *out) {
  char buf[MATERIAL_NAME_READ_MAX + 1];
  if (std::fscanf(f, "%27s", buf) != 1) return false;
  static_assert(MATERIAL_NAME_READ_MAX == 27, "width of the name conversion");
  if (std::strlen(buf) == MATERIAL_NAME_READ_MAX) {
    const int next = std::fgetc(f);
    if (next != EOF) {
      std::ungetc(next, f);
      if (!std::isspace(next)) return false;
    }
  }
  std::memcpy(out, buf, sizeof buf);
  return true;
}

}  // namespace

int Read_Material_Data(FILE *f, MATERIAL *m) {
  if (!f || !m) return 1;
  int version;
  if (std::fscanf(f, "%d", &version) != 1 || version < 0) return 1;
  if (!Check_File_Version(version, MATERIAL_FILE_VERSION, 0)) return 1;

  double old_fy = 0.0, old_fu = 0.0;
  if (!_Read_Int(f, &m->grade) || !_Read_Int(f, &m->user_values) || !_Read_Double(f, &old_fy) ||
      !_Read_Double(f, &old_fu) || !_Read_Double(f, &m->betaw))
    return 1;
  if (!_Read_Double(f, &m->E) || !_Read_Double(f, &m->nu) || !_Read_Double(f, &m->G) || !_Read_Double(f, &m->alphaT))
    return 1;
  if (version == 0) {
    m->fy_40 = m->fy_80 = m->fy_inf = old_fy;
    m->fu_40 = m->fu_80 = m->fu_inf = old_fu;
  } else {
    if (!_Read_Double(f, &m->fy_40) || !_Read_Double(f, &m->fu_40) || !_Read_Double(f, &m->fy_80) ||
        !_Read_Double(f, &m->fu_80) || !_Read_Double(f, &m->fy_inf) || !_Read_Double(f, &m->fu_inf))
      return 1;
  }
  if (version >= 2) {
    char name[MATERIAL_NAME_SIZE];
    if (!_Read_Name(f, name)) return 1;
    Tilde_to_Blank(name);
    std::memcpy(m->name, name, sizeof name);
  }
  Check_Material_Strength(m, 0.0, nullptr, 0, nullptr);
  return 0;
}

// ---------------------------------------------------------------- Eurocode list

const STEEL_GRADE_LIST *Get_EC_Grade_List_Row(int row) {
  if (row < 0 || row >= EC_GRADE_LIST_COUNT) return nullptr;
  return &kEcList[row];
}

const char *Get_EC_Grade_Name(int family, int row) {
  char *buf = g.ring[g.ring_next];
  g.ring_next = (g.ring_next + 1) % kNameRing;
  buf[0] = '\0';
  if (family == 0 && row >= 0 && row <= EC_GRADE_LAST_CARBON) {
    std::snprintf(buf, kNameRingSize, "%s", kEcList[row].name);
    for (int k = static_cast<int>(std::strlen(buf)) - 1; k >= 0 && buf[k] == ' '; --k) buf[k] = '\0';
  }
  return buf;
}

double Get_Grade_Default_Value(int family, int row, double deflt) {
  return (family == 0 && row < 26) ? 150.0 : deflt;
}

int Is_EC_Grade_S235(int row) { return _In(row, {0, 12, 15}); }
int Is_EC_Grade_S275(int row) { return _In(row, {1, 4, 8, 16, 18, 22}); }
int Is_EC_Grade_S355(int row) { return _In(row, {2, 5, 9, 13, 17, 19, 23}); }
int Is_EC_Grade_S420(int row) { return _In(row, {6, 10, 20, 24}); }
int Is_EC_Grade_S450_S460(int row) { return _In(row, {3, 7, 11, 14, 21, 25}); }
int Is_EC_Grade_Weathering(int row) { return _In(row, {12, 13}); }

// ---------------------------------------------------------------- plate

void Reset_Plate_Data(PLATE *p) {
  if (!p) return;
  Reset_Material_Data(&p->material);
  p->t = p->b = p->l = 0.0;
}

// ---------------------------------------------------------------- module state

void Reset_Material_Record_For_Tests() { g = MaterialState{}; }

void Reset_Materials_For_Tests() {
  Reset_Stguete_For_Tests();
  Reset_Alguete_For_Tests();
  Reset_Material_Record_For_Tests();
  Reset_Concrete_For_Tests();
}
