// materials/plate.cpp — the plate record (material, thickness, width, length): copy,
// comparison, checks, data-file block, print lines, and the formula writers of the
// resistances of a plate in shear, torsion and tension (EN 1993-1-1, 6.2).
#include <cmath>
#include <cstring>

#include "host/host.h"
#include "materials/materials.h"
#include "materials/materials_internal.h"
#include "print/print.h"
#include "support/shell.h"

namespace {

constexpr int kMessageSize = 500;
constexpr double kAbsent = 0.01;  // inputs of this size or less count as absent
constexpr double kDetailIndent = 0.5;  // cm, the intermediate values of the long forms

bool _Near(double a, double b) { return std::fabs(a - b) <= 0.01; }

// One failed dimension: red line into the list, message box with show.
void _Report_Dimension(FILE *list, int show, const char *pre, const char *what, double value) {
  if (list)
    CP850_CALL(Oli_Printf, list, "%s%s%s = %.1lf mm < %.0lf mm  %s\n", Oli_Line_Prefix(), pre, what, value, 1.0,
               Oli_Mark_Nicht_Ok());
  if (show) {
    char text[kMessageSize];
    std::snprintf(text, sizeof text, "%s%s = %.1lf mm < %.0lf mm", pre, what, value, 1.0);
    PrintMessage(text, "");
  }
}

bool _Present(double v) { return v > kAbsent; }

}  // namespace

// ---------------------------------------------------------------- record

void Copy_Plate_Data(const PLATE *src, PLATE *dst) {
  if (!dst) return;
  Reset_Plate_Data(dst);
  if (!src) return;
  Copy_Material_Data(&src->material, &dst->material);
  dst->t = src->t;
  dst->b = src->b;
  dst->l = src->l;
}

int Compare_Plate_Data(const PLATE *a, const PLATE *b) {
  if (!a || !b) return 0;
  return Compare_Material_Data(&a->material, &b->material) && _Near(a->t, b->t) && _Near(a->b, b->b) &&
         _Near(a->l, b->l);
}

int Check_Plate_Thickness_Limit(PLATE *p, const char *prefix, int show) {
  if (!p || p->material.user_values) return 0;
  if (p->t > 80.1) {
    if (show) {
      char text[kMessageSize];
      std::snprintf(text, sizeof text, "%sBlechdicke t = %.1lf mm > 80 mm -> Vorgabe der Stahlparameter notwendig",
                    prefix ? prefix : "", p->t);
      PrintMessage(text, "");
    }
    p->material.user_values = 1;
    return 1;
  }
  if (p->t > 80.0) p->t = 80.0;
  return 0;
}

int Check_Plate_Material(PLATE *p, FILE *list, int show, int flags, const char *prefix) {
  if (!p) return 0;
  const char *pre = prefix ? prefix : "";
  int result = 0;
  if ((flags & 0x40) && p->t < 1.0) {
    _Report_Dimension(list, show, pre, "Blechdicke t", p->t);
    result = 1;
  }
  if ((flags & 0x10) && p->l < 1.0) {
    _Report_Dimension(list, show, pre, "Blechlänge l"_cp, p->l);
    result = 1;
  }
  if ((flags & 0x20) && p->b < 1.0) {
    _Report_Dimension(list, show, pre, "Blechbreite b", p->b);
    result = 1;
  }
  result |= Check_Material_Strength_Ex(&p->material, p->t, list, show, pre, flags & 0x1);
  return result;
}

// ---------------------------------------------------------------- data file

int Write_Plate_Data(FILE *f, const PLATE *p) {
  if (!f || !p) return 1;
  if (!std::isfinite(p->t) || !std::isfinite(p->b) || !std::isfinite(p->l)) return 1;  // the reader refuses them
  int bad = std::fprintf(f, " %d\n", PLATE_FILE_VERSION) < 0;
  bad |= std::fprintf(f, " %lf %lf %lf\n", p->t, p->b, p->l) < 0;
  bad |= Write_Material_Data(f, &p->material);
  return (bad || std::ferror(f)) ? 1 : 0;
}

int Read_Plate_Data(FILE *f, PLATE *p) {
  if (!f || !p) return 1;
  int version;
  if (std::fscanf(f, "%d", &version) != 1 || version < 0) return 1;
  if (!Check_File_Version(version, PLATE_FILE_VERSION, 0)) return 1;
  double t, b, l;
  if (std::fscanf(f, "%lf%lf%lf", &t, &b, &l) != 3 || !std::isfinite(t) || !std::isfinite(b) || !std::isfinite(l))
    return 1;
  MATERIAL m = p->material;
  if (Read_Material_Data(f, &m)) return 1;
  p->material = m;
  p->t = t;
  p->b = b;
  p->l = l;
  Check_Material_Strength(&p->material, p->t, nullptr, 0, nullptr);
  return 0;
}

// ---------------------------------------------------------------- print lines

void Print_Plate_Material(const PLATE *p, FILE *list, int mask, int with_values, const char *subscript) {
  if (!p) return;
  Print_Material_Paragraph(&p->material, list, mask, with_values, subscript, true);
}

int Print_Plate_Dimensions(const PLATE *p, FILE *list, int mask, int with_values, const char *subscript) {
  if (!p || !list || !mask) return -1;
  const char *sub = subscript ? subscript : "";
  const char *sep = Oli_Line_Prefix();
  bool failed = false, any = false;
  auto item = [&](const char *fmt, double v) {
    failed |= Oli_Printf(list, fmt, sep, sub, v) < 0;
    sep = ",  ";
    any = true;
  };
  if (mask & 64) item("%sDicke t╬\\%s╬r = %.1lf mm"_cp, p->t);
  if (mask & 32) item("%sBreite b╬\\%s╬r = %.1lf mm"_cp, p->b);
  if (mask & 16) item("%sLänge l╬\\%s╬r = %.1lf mm"_cp, p->l);
  if (mask & 1) {
    if (any) failed |= Oli_Printf(list, "%s", (!with_values && !p->material.user_values) ? ",  " : "\n") < 0;
    Print_Plate_Material(p, list, mask & 6, with_values, sub);
  } else {
    failed |= Oli_Printf(list, "\n") < 0;
  }
  return failed ? -1 : 0;
}

// ---------------------------------------------------------------- resistances

double Calc_Shear_Resistance(double a, double b) { return b > 0.0 ? a / (std::sqrt(3.0) * b) : 0.0; }

double Calc_Ratio(double a, double b) { return b > 0.0 ? a / b : 0.0; }

double Print_Plate_Shear_Resistance(FILE *list, int level, const char *symbol, double l, double l_net, double t,
                                    double fy, double fu, double gamma_M0, double gamma_M2) {
  const char *s = symbol ? symbol : "";
  const bool pl = _Present(l) && _Present(t) && _Present(fy) && _Present(gamma_M0);
  const bool u = _Present(l_net) && _Present(t) && _Present(fu) && _Present(gamma_M2);
  if (!pl && !u) return 0.0;
  const double A_v = l * t, A_net = l_net * t;  // mm²
  const double V_pl = pl ? Calc_Shear_Resistance(A_v * fy, gamma_M0) / 1000.0 : 0.0;
  const double V_u = u ? Calc_Shear_Resistance(A_net * fu, gamma_M2) / 1000.0 : 0.0;
  const double V = pl && u ? std::fmin(V_pl, V_u) : pl ? V_pl : V_u;
  if (!list) return V;

  const char *pre = Oli_Line_Prefix(), *dot = Oli_Mult_Dot();
  CP850_CALL(Oli_Printf, list, "%sSchubtragfähigkeit V╬\\Rd╬r", pre);
  if (pl && u)
    CP850_CALL(Oli_Printf, list, " = min(V╬\\pl,Rd╬r, V╬\\u,Rd╬r)");
  else
    CP850_CALL(Oli_Printf, list, " = V╬\\%s╬r", pl ? "pl,Rd" : "u,Rd");
  Oli_Printf(list, " = %.2lf kN\n", V);
  if (level <= 0) return V;

  Oli_Para_Add_Indent(kDetailIndent);
  if (pl) {
    CP850_CALL(Oli_Printf, list, "%sV╬\\pl,Rd╬r", pre);
    CP850_CALL(Oli_Printf, list, " = (A╬\\v╬r%sf╬\\y╬r) / (3╬/1/2╬r%s└╬\\M0╬r) = %.2lf kN\n", dot, dot, V_pl);
    CP850_CALL(Oli_Printf, list, "  mit A╬\\v╬r = %s%st = %.2lf cm²,  %s = %.1lf mm\n", s, dot, A_v / 100.0, s, l);
  }
  if (u) {
    CP850_CALL(Oli_Printf, list, "%sV╬\\u,Rd╬r", pre);
    CP850_CALL(Oli_Printf, list, " = (A╬\\v,net╬r%sf╬\\u╬r) / (3╬/1/2╬r%s└╬\\M2╬r) = %.2lf kN\n", dot, dot, V_u);
    CP850_CALL(Oli_Printf, list, "  mit A╬\\v,net╬r = %s╬\\net╬r%st = %.2lf cm²,  %s╬\\net╬r = %.1lf mm\n", s, dot,
               A_net / 100.0, s, l_net);
  }
  Oli_Para_Add_Indent(-kDetailIndent);
  return V;
}

double Print_Plate_Torsion_Resistance(FILE *list, int level, const char *symbol, double h, double t, double fy,
                                      double gamma_M0) {
  if (!_Present(h) || !_Present(t) || !_Present(fy) || !_Present(gamma_M0)) return 0.0;
  const char *s = symbol ? symbol : "";
  const double W_t = t * h * h / 6.0;                                // mm³
  const double M = Calc_Shear_Resistance(W_t * fy, gamma_M0) / 1e6;  // kNm
  if (!list) return M;

  const char *pre = Oli_Line_Prefix(), *dot = Oli_Mult_Dot();
  CP850_CALL(Oli_Printf, list, "%sSchubtragfähigkeit infolge Torsion M╬\\Rd╬r", pre);
  CP850_CALL(Oli_Printf, list, " = W╬\\t╬r%sf╬\\y╬r/(3╬/1/2╬r%s└╬\\M0╬r) = %.2lf kNm\n", dot, dot, M);
  if (level <= 0) return M;
  Oli_Para_Add_Indent(kDetailIndent);
  CP850_CALL(Oli_Printf, list, "  mit W╬\\t╬r = t%s%s²/6 = %.2lf cm·,  %s = %.1lf mm\n", dot, s, W_t / 1000.0, s, h);
  Oli_Para_Add_Indent(-kDetailIndent);
  return M;
}

double Print_Plate_Tension_Resistance(FILE *list, int level, double b, double b_net, double t, double fy,
                                      double fu, double gamma_M0, double gamma_M2) {
  const bool pl = _Present(b) && _Present(t) && _Present(fy) && _Present(gamma_M0);
  const bool u = _Present(b_net) && _Present(t) && _Present(fu) && _Present(gamma_M2);
  if (!pl && !u) return 0.0;
  const double A = b * t, A_net = b_net * t;  // mm²
  const double N_pl = pl ? Calc_Ratio(A * fy, gamma_M0) / 1000.0 : 0.0;
  const double N_u = u ? Calc_Ratio(0.9 * A_net * fu, gamma_M2) / 1000.0 : 0.0;
  const bool pl_governs = pl && (!u || N_pl <= N_u);
  const double N = pl_governs ? N_pl : N_u;
  if (!list) return N;

  const char *pre = Oli_Line_Prefix(), *dot = Oli_Mult_Dot();
  CP850_CALL(Oli_Printf, list, "%sZugtragfähigkeit N╬\\t,Rd╬r", pre);
  if (level <= 0) {
    // The governing resistance with its formula and values on the one line.
    if (pl_governs) {
      CP850_CALL(Oli_Printf, list, " = N╬\\pl,Rd╬r = (A%sf╬\\y╬r) / └╬\\M0╬r", dot);
      Oli_Printf(list, " = %.2lf kN", N);
      CP850_CALL(Oli_Printf, list, ",  A = b%st = %.2lf cm²,  b = %.1lf mm,  └╬\\M0╬r = %.2lf\n", dot, A / 100.0, b,
                 gamma_M0);
    } else {
      CP850_CALL(Oli_Printf, list, " = N╬\\u,Rd╬r = (0.9%sA╬\\net╬r%sf╬\\u╬r) / └╬\\Mu╬r", dot, dot);
      Oli_Printf(list, " = %.2lf kN", N);
      CP850_CALL(Oli_Printf, list, ",  A╬\\net╬r = b╬\\net╬r%st = %.2lf cm²,  b╬\\net╬r = %.1lf mm,  └╬\\Mu╬r = %.2lf\n",
                 dot, A_net / 100.0, b_net, gamma_M2);
    }
    return N;
  }

  if (pl && u)
    CP850_CALL(Oli_Printf, list, " = min(N╬\\pl,Rd╬r, N╬\\u,Rd╬r)");
  else
    CP850_CALL(Oli_Printf, list, " = N╬\\%s╬r", pl ? "pl,Rd" : "u,Rd");
  Oli_Printf(list, " = %.2lf kN\n", N);
  Oli_Para_Add_Indent(kDetailIndent);
  if (pl) {
    CP850_CALL(Oli_Printf, list, "%splastische Zugbeanspruchbarkeit N╬\\pl,Rd╬r = (A%sf╬\\y╬r) / └╬\\M0╬r = %.2lf kN\n",
               pre, dot, N_pl);
    CP850_CALL(Oli_Printf, list, "  mit A = b%st = %.2lf cm²,  b = %.1lf mm\n", dot, A / 100.0, b);
  }
  if (u) {
    CP850_CALL(Oli_Printf, list,
               "%sZugbeanspruchbarkeit des Nettoquerschnitts N╬\\u,Rd╬r = (0.9%sA╬\\net╬r%sf╬\\u╬r) / └╬\\M2╬r = "
               "%.2lf kN\n",
               pre, dot, dot, N_u);
    CP850_CALL(Oli_Printf, list, "  mit A╬\\net╬r = b╬\\net╬r%st = %.2lf cm²,  b╬\\net╬r = %.1lf mm\n", dot,
               A_net / 100.0, b_net);
  }
  Oli_Para_Add_Indent(-kDetailIndent);
  return N;
}
