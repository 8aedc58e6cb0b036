// materials/concrete.cpp — concrete and reinforcing-steel grades: the EN 1992-1-1 tables
// with their German strain values, the DIN 1045 (7.88) grades of existing structures, the
// moduli, tensile strengths and factors of concrete, the records in the versioned value
// stream and the EC2 factor set of the national annex.
#include <cmath>
#include <cstdio>
#include <cstring>
#include <initializer_list>

#include "host/host.h"
#include "materials/materials.h"
#include "materials/materials_internal.h"
#include "nad/nad.h"
#include "support/datastream.h"
#include "support/support.h"

namespace {

struct ConcreteRow {
  const char *name;
  const char *lightweight_name;  // null for the rows without a lightweight grade
  double fck;                    // kN/m²
  double eps_c1, eps_cu1, eps_c2, eps_cu2, n;
};

// Grades of EN 1992-1-1, Table 3.1, and of EN 1992-1-1, Table 11.3.1 (lightweight,
// LC12/13 to LC60/66); strains and exponent of DIN 1045-1:2001-07, Table 9.
constexpr ConcreteRow kConcrete[CONCRETE_GRADE_COUNT] = {
    {"C12/15", "LC12/13", 12000, -0.0018, -0.0035, -0.002, -0.0035, 2.0},
    {"C16/20", "LC16/18", 16000, -0.0019, -0.0035, -0.002, -0.0035, 2.0},
    {"C20/25", "LC20/22", 20000, -0.0021, -0.0035, -0.002, -0.0035, 2.0},
    {"C25/30", "LC25/28", 25000, -0.0022, -0.0035, -0.002, -0.0035, 2.0},
    {"C30/37", "LC30/33", 30000, -0.0023, -0.0035, -0.002, -0.0035, 2.0},
    {"C35/45", "LC35/38", 35000, -0.0024, -0.0035, -0.002, -0.0035, 2.0},
    {"C40/50", "LC40/44", 40000, -0.0025, -0.0035, -0.002, -0.0035, 2.0},
    {"C45/55", "LC45/50", 45000, -0.00255, -0.0035, -0.002, -0.0035, 2.0},
    {"C50/60", "LC50/55", 50000, -0.0026, -0.0035, -0.002, -0.0035, 2.0},
    {"C55/67", "LC55/60", 55000, -0.00265, -0.0034, -0.00203, -0.0031, 2.0},
    {"C60/75", "LC60/66", 60000, -0.0027, -0.0033, -0.00206, -0.0027, 1.9},
    {"C70/85", nullptr, 70000, -0.0028, -0.0032, -0.0021, -0.0025, 1.8},
    {"C80/95", nullptr, 80000, -0.0029, -0.0031, -0.00214, -0.0024, 1.7},
    {"C90/105", nullptr, 90000, -0.00295, -0.003, -0.00217, -0.0023, 1.6},
    {"C100/115", nullptr, 100000, -0.003, -0.003, -0.0022, -0.0022, 1.55},
};

// DIN 1045 (7.88): beta_WN, beta_R (Table 12), tau_011, tau_012, tau_02 (Table 13), bond
// stresses of ribbed bars in good and moderate bond (Table 19), E (Table 11); kN/m².
constexpr DIN1045_CONCRETE kDinConcrete[DIN1045_CONCRETE_COUNT] = {
    {"B15", 15000, 10500, 250, 350, 1200, 1400, 700, 26000000},
    {"B25", 25000, 17500, 350, 500, 1800, 1800, 900, 30000000},
    {"B35", 35000, 23000, 400, 600, 2400, 2200, 1100, 34000000},
    {"B45", 45000, 27000, 500, 700, 2700, 2600, 1300, 37000000},
    {"B55", 55000, 30000, 550, 800, 3000, 3000, 1500, 39000000},
};

constexpr double kDinEs = 2.1e8;  // DIN 1045 (7.88), 16.2.2
constexpr DIN1045_REBAR kDinRebar[DIN1045_REBAR_COUNT] = {
    {"BSt 220/340", 220000, 0.005, 1.01, kDinEs},
    {"BSt 420 S", 420000, 0.005, 1.3, kDinEs},
    {"BSt 500 S", 500000, 0.005, 1.4, kDinEs},
};

// B500 of EN 1992-1-1, Annex C, Table C.1: both rows carry the minima of ductility class
// A (k = ftk/fyk 1.05, eps_uk 2.5 %), on the safe side for class B; Es 200 kN/mm²
// (3.2.7(4)).
struct RebarRow {
  const char *name;
  const char *short_name;
  double fyk, k, eps_uk;
};
constexpr RebarRow kRebar[REBAR_GRADE_COUNT] = {
    {"BSt 500 (A)", "B500A", 500000, 1.05, 0.025},
    {"BSt 500 (B)", "B500B", 500000, 1.05, 0.025},
};
constexpr double kRebarEs = 2.0e8;

// Bar diameters of DIN 488 (m).
constexpr double kBarDiameters[BAR_DIAMETER_COUNT] = {0.006, 0.008, 0.01,  0.012, 0.014,
                                                      0.016, 0.02,  0.025, 0.028, 0.032};

constexpr double kPi = 3.14159265358979323846;
constexpr double kNormalDensity = 2200.0;

static_assert(sizeof "C100/115" <= CONCRETE_LIST_NAME_WIDTH, "choice list name width");
static_assert(sizeof "B55" <= DIN1045_CONCRETE_NAME_WIDTH, "choice list name width");
static_assert(sizeof "BSt 220/340" <= DIN1045_REBAR_NAME_WIDTH, "choice list name width");

struct ConcreteState {
  NAD_EC2_PARAMETERS factors = Find_NAD_Record(NAD_DEFAULT_NAME)->ec2;
  int user_values = 0;
} g;

// The name, cut to CONCRETE_NAME_SIZE − 1 bytes.
void _Set_Name(char *dst, const char *src) {
  std::size_t n = src ? strnlen(src, CONCRETE_NAME_SIZE - 1) : 0;
  std::memcpy(dst, src ? src : "", n);
  dst[n] = '\0';
}

void _Set_Name_Old(char *dst, const char *name) {
  std::snprintf(dst, CONCRETE_NAME_SIZE, "%s (nicht mehr genormt!)", name);
}

int _Clamp(int row, int count) { return row < 0 ? 0 : row >= count ? count - 1 : row; }

double _Fcm(double fck) { return fck / 1000.0 + 8.0; }

// E_cm as Set_Concrete_Grade computes it.
double _Ecm_Of(double fck, int lightweight, double density) {
  const double E = Calc_Concrete_Ecm(fck);
  if (!lightweight) return E;
  const double r = density / kNormalDensity;
  return E * r * r;
}

// eps_c1 = eps_cu1 of lightweight concrete: −1.2 (fcm + 8) / E_cm,plain in N/mm².
double _Lightweight_Strain(double fck) {
  const double E = Calc_Concrete_Ecm_Plain(fck) / 1000.0;
  if (E < 1e-5) return 0.0;
  return -1.2 * (_Fcm(fck) + 8.0) / E;
}

// Tensile strength fctm of EN 1992-1-1, Table 3.1, in N/mm² to one decimal.
double _Fctm_Nmm2(double fck) {
  const double f = fck / 1000.0;
  const double v = f < 55.0 ? 0.3 * std::cbrt(f * f) : 2.12 * std::log(1.0 + (f + 8.0) / 10.0);
  return Round_To_Decimals(v, 1);
}

void _Loaded() { Host_Register_Reset(&Reset_Materials_For_Tests); }

}  // namespace

// ---------------------------------------------------------------- grades

void Set_Concrete_Grade(CONCRETE_GRADE *c, int row, int lightweight, double density) {
  if (!c || row < 0 || row >= CONCRETE_GRADE_COUNT) return;
  if (lightweight && row >= CONCRETE_LIGHTWEIGHT_COUNT) return;
  const ConcreteRow &r = kConcrete[row];
  _Set_Name(c->name, lightweight ? r.lightweight_name : r.name);
  c->fck = r.fck;
  c->alpha = lightweight ? 0.8 : 0.85;
  if (lightweight) {
    c->eps_c1 = c->eps_cu1 = _Lightweight_Strain(r.fck);
  } else {
    c->eps_c1 = r.eps_c1;
    c->eps_cu1 = r.eps_cu1;
  }
  c->eps_c2 = r.eps_c2;
  c->eps_cu2 = r.eps_cu2;
  c->n = r.n;
  c->lightweight = lightweight ? 1 : 0;
  c->density = lightweight ? density : kNormalDensity;
  c->e_automatic = 1;
  c->E_cm = _Ecm_Of(r.fck, c->lightweight, c->density);
}

void Interpolate_Concrete_Strains(double *eps_c1, double *eps_cu1, double fck) {
  double c1, cu1;
  if (fck <= kConcrete[0].fck) {
    c1 = kConcrete[0].eps_c1;
    cu1 = kConcrete[0].eps_cu1;
  } else if (fck > kConcrete[CONCRETE_GRADE_COUNT - 1].fck) {
    c1 = kConcrete[CONCRETE_GRADE_COUNT - 1].eps_c1;
    cu1 = kConcrete[CONCRETE_GRADE_COUNT - 1].eps_cu1;
  } else {
    int k = 1;
    while (kConcrete[k].fck < fck) ++k;
    const ConcreteRow &a = kConcrete[k - 1], &b = kConcrete[k];
    const double s = (fck - a.fck) / (b.fck - a.fck);
    c1 = a.eps_c1 + s * (b.eps_c1 - a.eps_c1);
    cu1 = a.eps_cu1 + s * (b.eps_cu1 - a.eps_cu1);
  }
  if (eps_c1) *eps_c1 = c1;
  if (eps_cu1) *eps_cu1 = cu1;
}

void Set_Old_Concrete_Grade(CONCRETE_GRADE *c, int row) {
  if (!c) return;
  const DIN1045_CONCRETE &d = kDinConcrete[_Clamp(row, DIN1045_CONCRETE_COUNT)];
  _Set_Name_Old(c->name, d.name);
  c->fck = 0.78125 * d.beta_wn;
  c->alpha = 0.85;
  Interpolate_Concrete_Strains(&c->eps_c1, &c->eps_cu1, c->fck);
  c->eps_c2 = -0.002;
  c->eps_cu2 = -0.0035;
  c->n = 2.0;
  c->lightweight = 0;
  c->e_automatic = 1;
  c->density = kNormalDensity;
  c->E_cm = d.E;
}

void Set_DIN1045_Concrete_Grade(DIN1045_CONCRETE *c, int row) {
  if (c) *c = kDinConcrete[_Clamp(row, DIN1045_CONCRETE_COUNT)];
}

void Set_DIN1045_Rebar_Grade(DIN1045_REBAR *r, int row) {
  if (r) *r = kDinRebar[_Clamp(row, DIN1045_REBAR_COUNT)];
}

int Default_DIN1045_Concrete(DIN1045_CONCRETE *c) {
  char text[200];
  CP850_CALL2(snprintf, text, sizeof text, "Freie Betondef. für %s nicht möglich!\nIntialiesierung mit %s.",
              "DIN 1045 (7.88)", "B25");
  PrintMessage(text, "");
  Set_DIN1045_Concrete_Grade(c, 1);
  return 1;
}

int Default_DIN1045_Rebar(DIN1045_REBAR *r) {
  char text[200];
  CP850_CALL2(snprintf, text, sizeof text, "Freie Stahldef. für %s nicht möglich!\nIntialiesierung mit %s.",
              "DIN 1045 (7.88)", "BSt 500 S");
  PrintMessage(text, "");
  Set_DIN1045_Rebar_Grade(r, 2);
  return 1;
}

namespace {
void _Set_Rebar(REBAR_GRADE *r, int grade, bool short_name) {
  if (!r || grade < 0 || grade >= REBAR_GRADE_COUNT) return;
  const RebarRow &g = kRebar[grade];
  _Set_Name(r->name, short_name ? g.short_name : g.name);
  r->fyk = g.fyk;
  r->ftk = g.fyk * g.k;
  r->eps_uk = g.eps_uk;
  r->Es = kRebarEs;
}
}  // namespace

void Set_Rebar_Grade(REBAR_GRADE *r, int grade) { _Set_Rebar(r, grade, false); }

void Set_Rebar_Grade_Short_Name(REBAR_GRADE *r, int grade) { _Set_Rebar(r, grade, true); }

void Set_Old_Rebar_Grade(REBAR_GRADE *r, int row) {
  if (!r) return;
  const DIN1045_REBAR &d = kDinRebar[_Clamp(row, DIN1045_REBAR_COUNT)];
  _Set_Name_Old(r->name, d.name);
  r->fyk = d.fyk;
  r->ftk = d.fyk * d.factor;
  r->eps_uk = d.eps;
  r->Es = kDinEs;
}

void Copy_Concrete_Grade(CONCRETE_GRADE *dst, const CONCRETE_GRADE *src) {
  if (!dst || !src || dst == src) return;
  char name[CONCRETE_NAME_SIZE];
  std::memcpy(name, src->name, sizeof name);
  name[CONCRETE_NAME_SIZE - 1] = '\0';
  *dst = *src;
  std::memcpy(dst->name, name, sizeof name);
}

const char *Get_Concrete_Grade_Name(int value, int lightweight) {
  const int row = value - CONCRETE_NAME_FIRST_ROW;
  const int count = lightweight ? CONCRETE_LIGHTWEIGHT_COUNT : CONCRETE_GRADE_COUNT;
  if (row < 0 || row >= count) return "";
  return lightweight ? kConcrete[row].lightweight_name : kConcrete[row].name;
}

const char *Get_DIN1045_Concrete_Name(int row) {
  return row >= 0 && row < DIN1045_CONCRETE_COUNT ? kDinConcrete[row].name : "";
}

const char *Get_DIN1045_Rebar_Name(int row) {
  return row >= 0 && row < DIN1045_REBAR_COUNT ? kDinRebar[row].name : "";
}

// ---------------------------------------------------------------- properties

// DIN 1045-1:2001-07, (64) and 9.1.3: E_c0m = 9500 (fck + 8)^(1/3) N/mm², E_cm = alpha_i
// E_c0m with alpha_i = 0.8 + 0.2 fcm/88 <= 1 (fcm = fck + 8).
double Calc_Concrete_Ecm_Plain(double fck) { return 9.5e6 * std::cbrt(_Fcm(fck)); }

double Calc_Concrete_Ecm(double fck) {
  const double fcm = _Fcm(fck);
  return Calc_Concrete_Ecm_Plain(fck) * std::fmin(1.0, 0.8 + fcm / 440.0);
}

// EN 1992-1-1, 11.3.2 (11.1).
double Calc_Lightweight_eta1(double density) { return 0.4 + 0.6 * density / kNormalDensity; }

double Calc_Concrete_fctm(double fck, double density) {
  return 1000.0 * _Fctm_Nmm2(fck) * Calc_Lightweight_eta1(density);
}

double Calc_Concrete_fctk005(double fck, double density) {
  return 700.0 * _Fctm_Nmm2(fck) * Calc_Lightweight_eta1(density);
}

// DIN 1045-1:2001-07, 5.3.3 (8): gamma_c' = 1 / (1.1 − fck/500) >= 1 for high strengths.
double Calc_Concrete_gamma_c(double fck, int situation) {
  const double gamma = situation == 1 ? 1.3 : situation == 4 ? 1.0 : 1.5;
  return gamma * std::fmax(1.0, 1.0 / (1.1 - 2e-6 * fck));
}

double Calc_Steel_gamma_s(int situation) { return situation == 1 ? 1.0 : 1.15; }

// EN 1992-1-1, 3.1.2 (3.2): s = 0.20 cement class R, 0.25 N, 0.38 S.
double Calc_Concrete_beta_cc(double days, int cement_class) {
  if (days <= 1.0) return 1.0;
  const double s = cement_class == 1 ? 0.38 : cement_class == 2 ? 0.25 : cement_class == 3 ? 0.2 : 0.21;
  return std::exp(s * (1.0 - std::sqrt(28.0 / days)));
}

double Calc_Strain_Ratio(double a, double b, double c) { return std::fabs(c) < 1e-5 ? 0.0 : -a * b / c; }

// ---------------------------------------------------------------- value stream

int Write_Concrete_Grade(const CONCRETE_GRADE *c) {
  if (!c) return 1;
  char name[CONCRETE_NAME_SIZE];
  std::memcpy(name, c->name, sizeof name);
  name[CONCRETE_NAME_SIZE - 1] = '\0';
  const int lightweight = c->lightweight, automatic = c->e_automatic;
  const double spare = 0.0;
  int bad = Write_Struct_Version(CONCRETE_FILE_VERSION);
  bad |= Write_Data_Value(name, 't');
  for (const double *v : {&c->fck, &c->alpha, &c->eps_c2, &c->eps_cu2, &c->n}) bad |= Write_Data_Value(v, 'd');
  bad |= Write_Data_Value(&lightweight, 'i');
  bad |= Write_Data_Value(&c->density, 'd');
  bad |= Write_Data_Value(&spare, 'd');
  bad |= Write_Data_Value(&automatic, 'i');
  bad |= Write_Data_Value(&c->E_cm, 'd');
  bad |= Write_Data_Newline();
  return bad ? 1 : 0;
}

namespace {

// The version line of a block: 1 versioned, 0 a block without one (the reader back at
// its start), −1 a newer block or a failed read.
int _Open_Block(double supported) {
  const long start = Tell_Data_Position();
  const int rc = Read_Struct_Version(supported);
  if (rc == 0) return 1;
  if (rc == 2 || start < 0 || Seek_Data_Position(start)) return -1;
  return 0;
}

}  // namespace

int Read_Concrete_Grade(CONCRETE_GRADE *c) {
  if (!c) return 1;
  const int versioned = _Open_Block(CONCRETE_FILE_VERSION);
  if (versioned < 0) return 1;
  CONCRETE_GRADE r = *c;
  char name[256];
  int bad = Read_Data_Value(name, 't', 1.0, nullptr);
  for (double *v : {&r.fck, &r.alpha, &r.eps_c2, &r.eps_cu2, &r.n}) bad |= Read_Data_Value(v, 'd', 1.0, nullptr);
  int lightweight = 0, automatic = 1;
  bad |= Read_Data_Value(&lightweight, 'i', 1.0, nullptr);
  r.density = kNormalDensity;
  if (versioned && !bad) {
    double spare = 0.0;
    bad |= Read_Data_Value(&r.density, 'd', 1.1, &kNormalDensity);
    bad |= Read_Data_Value(&spare, 'd', 1.1, nullptr);
    const int one = 1;
    bad |= Read_Data_Value(&automatic, 'i', 1.2, &one);
    const double E = _Ecm_Of(r.fck, lightweight, r.density);
    bad |= Read_Data_Value(&r.E_cm, 'd', 1.2, &E);
  } else {
    r.E_cm = _Ecm_Of(r.fck, lightweight, r.density);
  }
  if (versioned) End_Struct_Version();
  if (bad) return 1;
  // As the member reader does: flags other than 0 and 1, a density or modulus that is not a
  // positive finite number (a huge density makes the lightweight E_cm infinite) are refused.
  if ((lightweight != 0 && lightweight != 1) || (automatic != 0 && automatic != 1)) return 1;
  if (!(std::isfinite(r.density) && r.density > 0.0) || !(std::isfinite(r.E_cm) && r.E_cm > 0.0)) return 1;
  _Set_Name(r.name, name);
  r.lightweight = lightweight;
  r.e_automatic = automatic;
  *c = r;
  return 0;
}

int Write_Rebar_Grade(const REBAR_GRADE *r) {
  if (!r) return 1;
  char name[CONCRETE_NAME_SIZE];
  std::memcpy(name, r->name, sizeof name);
  name[CONCRETE_NAME_SIZE - 1] = '\0';
  const double spare = 0.0;
  int bad = Write_Struct_Version(REBAR_FILE_VERSION);
  bad |= Write_Data_Value(name, 't');
  for (const double *v : {&r->fyk, &r->ftk, &r->eps_uk, &r->Es, &spare}) bad |= Write_Data_Value(v, 'd');
  bad |= Write_Data_Newline();
  return bad ? 1 : 0;
}

int Read_Rebar_Grade(REBAR_GRADE *r) {
  if (!r) return 1;
  const int versioned = _Open_Block(REBAR_FILE_VERSION);
  if (versioned < 0) return 1;
  REBAR_GRADE v = *r;
  char name[256];
  double spare = 0.0;
  int bad = Read_Data_Value(name, 't', 1.0, nullptr);
  for (double *p : {&v.fyk, &v.ftk, &v.eps_uk, &v.Es, &spare}) bad |= Read_Data_Value(p, 'd', 1.0, nullptr);
  if (versioned) End_Struct_Version();
  if (bad) return 1;
  _Set_Name(v.name, name);
  *r = v;
  return 0;
}

// ---------------------------------------------------------------- EC2 factor set

NAD_EC2_PARAMETERS *Load_Rebar_NAD_Parameters() {
  if (const NAD_EC2_PARAMETERS *block = Get_NAD_EC2_Parameters()) {
    _Loaded();
    g.factors = *block;
  }
  return &g.factors;
}

NAD_EC2_PARAMETERS *Get_Rebar_NAD_Block() {
  if (g.user_values) return &g.factors;
  return Load_Rebar_NAD_Parameters();
}

void Set_Rebar_NAD_User_Values(int on) {
  _Loaded();
  g.user_values = on ? 1 : 0;
}

int Get_Rebar_NAD_User_Values() { return g.user_values; }

double Get_EC2_Concrete_Factor(int situation) {
  if (situation < 0 || situation >= NAD_EC2_SITUATIONS) return 0.0;
  return Get_Rebar_NAD_Block()->gamma_c[situation];
}

double Get_EC2_Steel_Factor(int situation) {
  if (situation < 0 || situation >= NAD_EC2_SITUATIONS) return 0.0;
  return Get_Rebar_NAD_Block()->gamma_s[situation];
}

double Calc_Design_Strength(double value, int situation) {
  const double gamma = Get_EC2_Concrete_Factor(situation);
  if (gamma <= 0.0) return 0.0;
  return value * Get_Rebar_NAD_Block()->alpha_cc / gamma;
}

void Reset_Concrete_For_Tests() { g = ConcreteState{}; }

// ---------------------------------------------------------------- bars

double Get_Bar_Diameter(int index) {
  return index >= 0 && index < BAR_DIAMETER_COUNT ? kBarDiameters[index] : 0.0;
}

double Next_Smaller_Bar_Diameter(double d) {
  double found = -1.0;
  for (double t : kBarDiameters)
    if (t < d - 1e-9) found = t;
  return found;
}

double Calc_Bar_Centre_Distance(double c, double s, int layers, double d) {
  return c + s + (layers >= 2 ? d : d / 2.0);
}

namespace {
double _Circle(double d) { return kPi * d * d / 4.0; }

// ceil of a bar count that stays in the range of int; 0 otherwise.
int _Count(double q) {
  const double n = std::ceil(q);
  return std::isfinite(n) && std::fabs(n) < 1e9 ? static_cast<int>(n) : 0;
}
}  // namespace

int Calc_Bar_Count(double A, double d) {
  const double a = _Circle(d);
  return a > 0.0 ? _Count(A / a) : 0;
}

int Calc_Bar_Count_Rest(double A, double d, int n, double A0) {
  const double a = _Circle(d) * std::abs(n);
  return a > 0.0 ? _Count((A - A0) / a) : 0;
}

double Calc_Bar_Spacing_for_Area(double a, double d) {
  if (a < 1e-8) return 0.0;
  const double s = _Circle(d) / a * 100.0;  // cm
  const double whole = std::floor(s + 1e-4);  // 24.99999 is 25: rounding noise, no shorter step
  return whole + (s - whole > 0.4999 ? 0.5 : 0.0);
}

double Calc_Bar_Area(int n, double d) { return Round_To_Decimals(n * _Circle(d), 6); }

int Find_Bar_Diameter(double A, int n, double m) {
  for (int k = 0; k < BAR_DIAMETER_COUNT; ++k)
    if (Round_To_Decimals(Calc_Bar_Area(n, kBarDiameters[k]) * m, 6) >= A) return k;
  return -1;
}

int Find_Bar_Count_and_Diameter(double A, int n0, int i0, int i1, double m, int *n, int *i) {
  if (i0 < 0) i0 = 0;
  if (i1 >= BAR_DIAMETER_COUNT) i1 = BAR_DIAMETER_COUNT - 1;
  if (i0 > i1 || m <= 0.0) return 0;
  if (n0 < 1) n0 = 1;
  // No count beyond the one that the largest diameter of the range needs.
  const double per_bar = _Circle(kBarDiameters[i1]) * m;
  const double last = std::fmax(static_cast<double>(n0), std::ceil(A / per_bar));
  if (!(last < 1e6)) return 0;
  for (int count = n0; count <= static_cast<int>(last); ++count)
    for (int k = i0; k <= i1; ++k)
      if (Calc_Bar_Area(count, kBarDiameters[k]) * m >= A) {
        if (n) *n = count;
        if (i) *i = k;
        return 1;
      }
  return 0;
}

double Calc_Bundle_Area(int n, int m, double d) {
  if (n <= 0 || m <= 0) return 0.0;
  const double de = std::sqrt(static_cast<double>(m)) * d;
  return n * _Circle(de);
}

double Calc_Area_per_Spacing(double a, double d) {
  if (a < 1e-8) return 0.0;
  return Round_To_Decimals(_Circle(d) / a, 6);
}

double Calc_Bar_Count_for_Length(double L, double s) {
  if (s <= 0.0) return 0.0;
  return std::fmax(2.0, L / s + 1.0);
}

double Calc_Bars_in_Width(double b, double c, double e, double d) {
  if (d + e <= 0.0) return 0.0;
  return std::fmax(0.0, (b - 2.0 * c - d) / (d + e));
}

double Calc_Bar_Chord(int n, double r) { return n < 1 ? 1e100 : 2.0 * r * std::sin(kPi / n); }

double Calc_Bar_Pitch(int n, double L) { return n < 2 ? 1e100 : L / (n - 1); }

double Calc_Bars_on_Circle(double s, double r) {
  if (s <= 0.0 || r <= 0.0) return 0.0;
  const double q = s / (2.0 * r);
  if (q >= 1.0) return 2.0;
  return kPi / std::asin(q);
}
