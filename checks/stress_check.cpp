// checks/stress_check.cpp — the stress check of a member section: its module state, the
// names and the writer of its result files, and the driver that prepares the plastic
// methods, runs the cross-section check, evaluates the stresses on the triangulated
// outline and prints the verdicts.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "checks/checks.h"
#include "checks/checks_internal.h"
#include "dwqb/dwqb.h"
#include "dwqb/dwqb_stress.h"
#include "host/host.h"
#include "print/print.h"
#include "querschnitt/querschnitt.h"
#include "stress/stress_methods.h"
#include "support/shell.h"
#include "support/support.h"

namespace {

struct StressState {
  int result_files = 0;
  int plo_flag = 0;
  int result_number = 0;
  double constant = 150.0;  // stress-strain constant of the plastic limit state
  std::string suffix;       // "_%d" of the result number
  std::string file_name;
  CHECK_RESULT last{};      // result block of the driver's last check
};
StressState s;

}  // namespace

void Set_Stress_Result_Files(int on) { Checks_Register_Reset(), s.result_files = on; }
void Set_Stress_PLO_Flag(int on) { Checks_Register_Reset(), s.plo_flag = on; }
void Set_Stress_Result_Number(int number) { Checks_Register_Reset(), s.result_number = number; }
void Set_Stress_Check_Constant(double c) { Checks_Register_Reset(), s.constant = c; }
int Get_Stress_Result_Files() { return s.result_files; }
int Get_Stress_PLO_Flag() { return s.plo_flag; }
double Get_Stress_Check_Constant() { return s.constant; }
const CHECK_RESULT *Get_Stress_Check_Result() { return &s.last; }

// Formatted into a string, not a fixed buffer: "_" and a negative ten-digit number take 12
// characters before the terminator.
const char *Get_Stress_Result_Suffix() {
  s.suffix = "_" + std::to_string(s.result_number);
  return s.suffix.c_str();
}

const char *Get_Stress_Result_File_Name(char kind) {
  const char *stem = Get_Bauteil_Path();
  s.file_name = stem ? stem : "";
  s.file_name += Get_File_Number_Suffix();
  s.file_name += Get_Stress_Result_Suffix();
  s.file_name += kind == 'p' ? "p.res" : "e.res";
  return s.file_name.c_str();
}

double Round_Stress_Utilisation(double u) { return u > 1.0 && u < 1.001 ? 1.0 : u; }

void Reset_Stress_Check_State() {
  s = StressState{};
}

// ================================================================ result files
namespace {

// What a result file holds: the triangulation and nine values per node; the node number is
// the node's own index + 1 ("e.res") or the running index from 1 ("p.res").
struct ResultFile {
  const DWQB_OUTLINE_TRIANGULATION *tri;
  const double *values;
  bool running;
};

// Writes the file body; 1 at the first write that fails.
int _Write_Result_Body(FILE *f, void *context) {
  const ResultFile &rf = *static_cast<const ResultFile *>(context);
  const DWQB_OUTLINE_TRIANGULATION *tri = rf.tri;
  if (!f || std::fprintf(f, "PARAMS 0\n\nNODES %d\n", tri->n_nodes) < 0) return 1;
  for (int i = 0; i < tri->n_nodes; ++i) {
    const DWQB_TRI_NODE &n = tri->nodes[i];
    if (std::fprintf(f, " %d %lf %lf", rf.running ? i + 1 : n.index + 1, n.y * 10.0, n.z * 10.0) < 0) return 1;
    for (int k = 0; k < 9; ++k)
      if (std::fprintf(f, " %lf", rf.values[9 * i + k]) < 0) return 1;
    if (std::fputc('\n', f) == EOF) return 1;
  }
  if (std::fprintf(f, "\nELEMENTS %d\n", tri->n_elements) < 0) return 1;
  for (int i = 0; i < tri->n_elements; ++i) {
    const int *k = tri->elements[i].node;
    if (std::fprintf(f, " %d %d %d\n", k[0] + 1, k[1] + 1, k[2] + 1) < 0) return 1;
  }
  return std::fputc('\n', f) == EOF ? 1 : 0;
}

// The stress result file of kind 'e' or 'p' through the file-replace helper: a write or a
// close that fails leaves no half file under the name (nor beside it) and no message; the
// check's result does not depend on it.
void _Write_Result_File(char kind, const DWQB_OUTLINE_TRIANGULATION *tri, const std::vector<double> &values) {
  ResultFile rf{tri, values.data(), kind == 'p'};
  Replace_File(Get_Stress_Result_File_Name(kind), _Write_Result_Body, &rf);
}

}  // namespace

// ================================================================ the driver
namespace {

// Stresses of the triangulation (kN/cm²) for the forces of the check order (kN, kNm, kNm²)
// in the solver's order N, M_y, M_z, V_y, V_z, T_t, B, T_w (kN, kNcm, kNcm²).
void _Solver_Forces(const double F[8], double out[8]) {
  const double N = F[0], M_y = F[1], M_z = F[2], V_y = F[3], V_z = F[4], T_t = F[5], T_w = F[6], B = F[7];
  const double v[8] = {N, 100 * M_y, 100 * M_z, V_y, V_z, 100 * T_t, 10000 * B, 100 * T_w};
  for (int i = 0; i < 8; ++i) out[i] = v[i];
}

// Head: the forces above 0.01 in the order N, M_y, V_z, M_z, V_y, T_t, T_w, B; M_z is not
// counted, the 4th and the 7th counted force begin a new line after a tab mark.
void _Print_Head(FILE *s, int method, int nachweis, const double F[8]) {
  const double tab = 1.5;
  Oli_Para_Set_Tabs(0, nullptr, &tab, 1);
  Oli_Printf(s, "%s%slastische%s%s", Oli_Line_Prefix(), method == 0 ? "e" : "p",
             nachweis ? "r Spannungsnachweis" : " Spannungen", " für  "_cp);
  struct Item {
    int force;
    const char *axis;
  };
  static const Item items[] = {{0, ""}, {1, "y"}, {4, "z"}, {2, "z"}, {3, "y"}, {5, ""}, {6, ""}, {7, ""}};
  int count = 0;
  const char *sep = "";
  for (const Item &it : items) {
    const double v = F[it.force];
    if (std::fabs(v) <= 0.01) continue;
    if (it.force != 2 && (++count == 4 || count == 7)) Oli_Printf(s, "\n%s", Oli_Line_Prefix()), sep = "╬t"_cp;
    switch (it.force) {
      case 0: Oli_Printf(s, "%sN = %.2lf kN", sep, v); break;
      case 1: case 2: CP850_CALL(Oli_Printf, s, "%sM╬\\%s╬r = %.2lf kNm", sep, it.axis, v); break;
      case 3: case 4: CP850_CALL(Oli_Printf, s, "%sV╬\\%s╬r = %.2lf kN", sep, it.axis, v); break;
      case 5: CP850_CALL(Oli_Printf, s, "%sT╬\\t╬r = %.2lf kNm", sep, v); break;
      case 6: CP850_CALL(Oli_Printf, s, "%sT╬\\ð╬r = %.2lf kNm", sep, v); break;
      default: CP850_CALL(Oli_Printf, s, "%sB = %.2lf kNm²", sep, v); break;
    }
    sep = ", ";
  }
  Oli_Printf(s, "\n");
}

// What the driver hands on: utilisations and stresses in N/mm².
struct Eval {
  double U_sigma, U_ct, U_max, ct_out, ct_in, ct_total;
  double s_max, s_min, tau, s_v, further;
};

// The stresses-only lines of the extremes (kN/cm² in, N/mm² out).
void _Print_Extremes(FILE *s, int level, const double mn[3], const double mx[3]) {
  CP850_CALL(Oli_Printf, s, "%s╠╬\\x,min╬r = %.2lf N/mm²,  ╠╬\\x,max╬r = %.2lf N/mm²,  Í╬\\min╬r = %.2lf "
             "N/mm²,  Í╬\\max╬r = %.2lf N/mm²\n", Oli_Line_Prefix(), 10 * mn[0], 10 * mx[0], 10 * mn[1], 10 * mx[1]);
  if (level != 1) CP850_CALL(Oli_Printf, s, "%s╠╬\\v,max╬r = %.2lf N/mm²\n", Oli_Line_Prefix(), 10 * mx[2]);
}

// Elastic evaluation on the triangulation: its extremes replace the check's stresses; the
// stresses-only lines; "e.res". Without nodes one failure line, the check's stresses stand.
// There is no per-line pass (Calc_DWQB_OUTLINE_TRIANGULATION_LINE_NR_Stresses_MinMax for
// every output line of the solver): it would evaluate the same nodes with the same forces
// as the all-node pass above and nothing reads or prints its extremes, so it is not run.
void _Evaluate_Elastic(DWQB_OUTLINE_TRIANGULATION *tri, const double F[8], int nachweis, FILE *stream, int level,
                       Eval &e) {
  double f[8], mn[3], mx[3];
  _Solver_Forces(F, f);
  if (!(tri && tri->n_nodes > 0 && Calc_DWQB_OUTLINE_TRIANGULATION_NODE_Stresses_MinMax(tri, f, mn, mx))) {
    if (stream) Oli_Print_Fehler_Berechnung(stream, nullptr, "");
    return;
  }
  e.s_max = 10 * mx[0], e.s_min = 10 * mn[0];
  e.tau = 10 * std::max(std::fabs(mn[1]), std::fabs(mx[1])), e.s_v = 10 * mx[2];
  if (!nachweis && stream && level >= 1) _Print_Extremes(stream, level, mn, mx);
  if (Get_Stress_Result_Files()) {
    std::vector<double> values(9 * tri->n_nodes);
    for (int i = 0; i < tri->n_nodes; ++i)
      std::copy(tri->nodes[i].res, tri->nodes[i].res + 9, values.begin() + 9 * i);
    _Write_Result_File('e', tri, values);
  }
}

// Plastic evaluation of the limit state kept by the check: extremes over all nodes and over
// the nodes of each line of the point list, the result of every node ("p.res"), the line
// list of application 180 and the limit-state lines. B: the acting bimoment (kNcm²).
void _Evaluate_Plastic(DWQB_OUTLINE_TRIANGULATION *tri, const PLO_RESULT &r, PLO_POINT_LIST *points, double B,
                       int nachweis, FILE *stream, int level, int app) {
  const bool nodes = tri && tri->n_nodes > 0;
  STRESS_PLO_EXTREMES ex{};
  ex.ok = nodes && Calc_DWQB_OUTLINE_TRIANGULATION_NODE_PLO_Result_MinMax(tri, &r, points, &ex.eps_min, &ex.eps_max,
                                                                          ex.min, ex.max);
  if (!nachweis && stream && level >= 1) {
    if (ex.ok)
      _Print_Extremes(stream, level, ex.min, ex.max);
    else
      Oli_Print_Fehler_Berechnung(stream, nullptr, "");
  }
  // One entry per line number of the point list (arc lines hold several points).
  std::vector<STRESS_PLO_LINE> lines;
  for (int i = 0; points && i < points->count; ++i) {
    const int nr = points->records[i].nr;
    if (std::any_of(lines.begin(), lines.end(), [nr](const STRESS_PLO_LINE &l) { return l.nr == nr; })) continue;
    STRESS_PLO_LINE l{nr, 0, {}, {}};
    double e_lo, e_hi;
    l.ok = nodes && Calc_DWQB_OUTLINE_TRIANGULATION_LINE_NR_PLO_Result_MinMax(tri, nr, &r, points, &e_lo, &e_hi,
                                                                             l.min, l.max);
    lines.push_back(l);
  }
  if (stream && app == STRESS_APPLICATION_LINES && level > 1) {
    Oli_Printf(stream, "%sQuerschnittslinien:\n", Oli_Line_Prefix());
    for (const STRESS_PLO_LINE &l : lines) {
      const DWQB_LINE *line = Find_DWQB_Line_Record(l.nr);
      if (!line) continue;
      const DWQB_LINE_GEOMETRY &g = line->geo;
      CP850_CALL(Oli_Printf, stream,
                 "%s  %d:  y╬\\a╬r = %.1lf mm,  z╬\\a╬r = %.1lf mm,  y╬\\e╬r = %.1lf mm,  z╬\\e╬r = %.1lf mm\n",
                 Oli_Line_Prefix(), l.nr, 10 * g.y_a, 10 * g.z_a, 10 * g.y_b, 10 * g.z_b);
    }
  }
  Print_Stress_PLO_Lines(stream, level, app, nachweis, r, B, ex, lines.data(), static_cast<int>(lines.size()));
  if (Get_Stress_Result_Files() && nodes) {
    // The result of every node, only for the file: the check itself needs the extremes alone.
    std::vector<double> values(9 * tri->n_nodes);
    for (int i = 0; i < tri->n_nodes; ++i) {
      double eps, st[3];
      Get_DWQB_OUTLINE_TRIANGULATION_NODE_PLO_Result(&tri->nodes[i], &r, points, &eps, st);  // zeros when none
      const double v[9] = {100 * eps, r.f_min, 10 * st[0], 10 * st[1], 10 * st[2], 0, 0, 0, 0};
      std::copy(v, v + 9, values.begin() + 9 * i);
    }
    _Write_Result_File('p', tri, values);
  }
}

void _Print_Point(FILE *s, const char *what, const CHECK_POINT_COPY &p) {
  CP850_CALL(Oli_Printf, s, "%s%s ╬tbei y = %.1lf mm, z = %.1lf mm: ╬t╠╬\\x╬r = %.2lf N/mm², Í = %.2lf N/mm², "
             "╠╬\\v╬r = %.2lf N/mm²\n", Oli_Line_Prefix(), what, 10 * p.dy, 10 * p.dz, 10 * p.sigma, 10 * p.tau,
             10 * p.sigma_v);
}

void _Print_Elastic_Verdicts(FILE *s, int level, int family, const CHECK_RESULT &r, const Eval &e) {
  const char *pre = Oli_Line_Prefix();
  const double tabs[2] = {7.0, 33.0};
  Oli_Para_Set_Tabs(0, nullptr, tabs, 2);
  if (family != 10 && family != 1 && level != 1) {
    const CHECK_POINT_COPY *p = r.points;  // σ_min, σ_max, τ_min, τ_max, σ_v,min, σ_v,max, |σ|max
    if (std::fabs(p[1].sigma) >= std::fabs(p[0].sigma)) {
      if (std::fabs(p[1].sigma) > 0.0001) _Print_Point(s, "max ╠╬\\x╬r"_cp, p[1]);
    } else if (std::fabs(p[0].sigma) > 0.0001) {
      _Print_Point(s, "min ╠╬\\x╬r"_cp, p[0]);
    }
    if (std::fabs(p[3].tau) > 0.0001) _Print_Point(s, "max Í"_cp, p[3]);
    if (p[5].sigma_v > 0.0001) _Print_Point(s, "max ╠╬\\v╬r"_cp, p[5]);
  }
  const bool u_s = r.u_sigma > 0.001, u_t = r.u_tau > 0.001;
  Oli_Printf(s, "%szul. %s%s%s", pre, u_s ? "Normal-, " : "", u_t ? "Schub-, " : "", "Vergleichsspannung: ");
  if (u_s) CP850_CALL(Oli_Printf, s, "╠╬\\x,Rd╬r = %.1lf N/mm²,  ", 10 * r.fyd_10);
  if (u_t) CP850_CALL(Oli_Printf, s, "Í╬\\Rd╬r = %.1lf N/mm²,  ", 10 * r.tauRd_10);
  CP850_CALL(Oli_Printf, s, "╠╬\\v,Rd╬r = %.1lf N/mm²\n", 10 * r.svRd_10);
  const double tab = 8.0;
  Oli_Para_Set_Tabs(0, nullptr, &tab, 1);
  Oli_Printf(s, "%sNachweis: ", pre);
  const double s_abs = std::max(std::fabs(e.s_max), std::fabs(e.s_min));
  const double u_sigma = Round_Stress_Utilisation(r.u_sigma), u_tau = Round_Stress_Utilisation(r.u_tau);
  const double u_v = Round_Stress_Utilisation(r.u_v);
  if (u_s)
    CP850_CALL(Oli_Printf, s, "╬tmax |╠╬\\x╬r| = %.2lf N/mm²  %s  ╠╬\\x,Rd╬r = %.2lf N/mm²  ê  U╬\\╠x╬r = %.3lf  %s  1  %s\n",
               s_abs, Oli_Compare_Mark_Le(s_abs, 10 * r.fyd_10), 10 * r.fyd_10, u_sigma,
               Oli_Compare_Mark_Le(u_sigma, 1.0), Oli_Mark_Verdict(u_sigma));
  if (u_t)
    CP850_CALL(Oli_Printf, s, "╬tmax Í = %.2lf N/mm²  %s  Í╬\\Rd╬r = %.2lf N/mm²  ê  U╬\\Í╬r = %.3lf  %s  1  %s\n", e.tau,
               Oli_Compare_Mark_Le(e.tau, 10 * r.tauRd_10), 10 * r.tauRd_10, u_tau, Oli_Compare_Mark_Le(u_tau, 1.0),
               Oli_Mark_Verdict(u_tau));
  CP850_CALL(Oli_Printf, s, "╬t╠╬\\v╬r = %.2lf N/mm²  %s  ╠╬\\v,Rd╬r = %.2lf N/mm²  ê  U╬\\╠%s╬r = %.3lf  %s  1  %s\n",
             e.s_v, Oli_Compare_Mark_Le(e.s_v, 10 * r.svRd_10), 10 * r.svRd_10, "v", u_v, Oli_Compare_Mark_Le(u_v, 1.0),
             Oli_Mark_Verdict(u_v));
  if (u_s || u_t)
    CP850_CALL(Oli_Printf, s, "╬tGesamt: U╬\\╠╬r = %.3lf  %s  1  %s\n", e.U_sigma, Oli_Compare_Mark_Le(e.U_sigma, 1.0),
               Oli_Mark_Verdict(e.U_sigma));
}

void _Print_CT(FILE *s, int level, int tube, int class_index, const Eval &e) {
  if (!(e.ct_out > 0.01 || e.ct_in > 0.01)) return;
  const char *pre = Oli_Line_Prefix();
  const double tab = 10.0;
  Oli_Para_Set_Tabs(0, nullptr, &tab, 1);
  if (level == 1) {
    CP850_CALL(Oli_Printf, s, "%sc/t-Verhältnis: ", pre);
  } else {
    Oli_Para_Add_Indent(0.3);
    CP850_CALL(Oli_Printf, s, "%sc/t-Verhältnis", pre);
    if (class_index >= 0)
      Oli_Printf(s, " bzgl. Q-Klasse %d:\n", class_index + 1);
    else
      Oli_Printf(s, ": ");
  }
  auto line = [&](const char *label, double u) {
    CP850_CALL(Oli_Printf, s, "╬t%sAusnutzung U╬\\c/t╬r = %.3lf  %s  1  %s╬r\n", label, u, Oli_Compare_Mark_Le(u, 1.0),
               Oli_Mark_Verdict(u));
  };
  if (e.ct_out > 0.01) line(tube ? "" : "einseitig gestützt: "_cp, e.ct_out);
  if (e.ct_in > 0.01) line("beidseitig gestützt: "_cp, e.ct_in);
  if (e.ct_out > 0.01 && e.ct_in > 0.01 && e.ct_total > 0.01 && level != 1) line("gesamt: ", e.ct_total);
  // The indent belongs to this block only: the next check of the same text block starts at
  // the margin again.
  if (level != 1) Oli_Para_Add_Indent(-0.3);
}

// The verdict lines of a done check (print list given).
void _Print_Verdicts(FILE *stream, int method, int nachweis, int level, int tube, uint32_t code,
                     const CHECK_RESULT &r, const QS_CHECK_VIEW &v, const Eval &e, double M_limit) {
  const char *pre = Oli_Line_Prefix();
  const uint32_t flags = r.flags_end;
  if (code & STRESS_NOT_CHECKABLE) {
    CP850_CALL(Oli_Printf, stream, "%sDer Querschnitt kann nicht nachgewiesen werden %s\n", pre, Oli_Mark_Red_Exclam());
    return;
  }
  if (method != 0 && !(flags & (CQ_F_INTERACTION | CQ_F_TSV | CQ_F_PLO | CQ_F_TSV_EX))) {
    Oli_Printf(stream, "%sDer Querschnitt kann plastisch nicht nachgewiesen werden", pre);
    if (flags & 0x31cu) Oli_Printf(stream, " %s", Oli_Mark_Red_Exclam());
    Oli_Printf(stream, "\n");
    if (!(flags & 0x31cu)) return;
  }
  if (!nachweis) {
    if (code & STRESS_PLASTIC_ONLY) {
      Oli_Printf(stream, "%s", pre);
      if (level >= 1) Oli_Printf(stream, "plastisches Grenzmoment: ");
      CP850_CALL(Oli_Printf, stream, "M╬\\pl,N,Q╬r = %.2lf kNm\n", M_limit);
    }
    return;
  }
  if (level >= 1) {
    if (level != 1 && !(code & STRESS_PLASTIC_ONLY))
      CP850_CALL(Oli_Printf, stream, "%selastische Spannungen: max |╠╬\\x╬r| = %.2lf N/mm²,  max Í = %.2lf N/mm²,  "
                 "max ╠╬\\v╬r = %.2lf N/mm²\n", pre, std::max(std::fabs(e.s_max), std::fabs(e.s_min)), e.tau, e.s_v);
    if (!(flags & (CQ_F_TSV | CQ_F_PLO))) {
      _Print_Elastic_Verdicts(stream, level, v.header.type, r, e);
    } else if ((flags & CQ_F_TSV) && r.plastic_method == CQ_F_TSV) {
      TSV_RESULT t;
      std::memcpy(&t, r.plastic, sizeof t);
      Print_Stress_TSV_Block(stream, t, v.values.slot.data);
    }
    _Print_CT(stream, level, tube, r.class_index, e);
  } else if (e.U_sigma > 0.001 || e.U_ct > 0.001) {
    Oli_Printf(stream, "%s", pre);
    if (e.U_sigma > 0.001)
      CP850_CALL(Oli_Printf, stream, "U╬\\╠╬r = %.3lf  %s  1  %s╬r", e.U_sigma, Oli_Compare_Mark_Le(e.U_sigma, 1.0),
                 Oli_Mark_Verdict(e.U_sigma));
    if (e.U_sigma > 0.001 && e.U_ct > 0.001) Oli_Printf(stream, ",  ");
    if (e.U_ct > 0.001)
      CP850_CALL(Oli_Printf, stream, "U╬\\c/t╬r = %.3lf  %s  1  %s╬r", e.U_ct, Oli_Compare_Mark_Le(e.U_ct, 1.0),
                 Oli_Mark_Verdict(e.U_ct));
    Oli_Printf(stream, "\n");
  }
}

}  // namespace

int Run_Querschnitt_Stress_Check(QUERSCHNITT *record, const int opt[STRESS_N_OPTIONS], int nachweis, double gamma_M,
                                 int tube, double N, double M_y, double M_z, double V_y, double V_z, double T_t,
                                 double T_w, double B, double *U_max, double *U_sigma, double *U_ct,
                                 double *sigma_x_max, double *sigma_x_min, double *tau, double *sigma_v,
                                 double *further, FILE *stream, int level) {
  if (!opt || opt[0] < 0 || opt[0] > 2) return 0;
  const int method = opt[0];
  const int app = CurOb_Application_Number();
  // The kept results belong to the stress methods: their free functions are registered
  // before the first check, and every exit gives the kept lists back and the switch as it was.
  Set_Check_Kept_Free(Free_PLO_Point_List, Free_TSV_EX_Line_List);
  const int keep = Set_Check_Keep_Results(1);
  auto finish = [keep](int rc) {
    Clear_Check_Kept_Results();
    Set_Check_Keep_Results(keep);
    return rc;
  };

  // 1. The request: the section values at the middle, the method prepared on its view.
  QS_CHECK_REQUEST req{};
  req.state = -1, req.word5 = -1, req.word7 = 4;
  if (record && Get_Querschnitt_at_Factor(record, 0.5, &req)) {
    req.state = 2;
    const int m = method == 0 ? 2 : method == 1 ? 3 : 4;
    int code = m;
    if (method == 1) {
      // Option bit 2: a rolled I of the library takes its fillets into the flange plates and
      // its web between the flanges, so the plates hold what the rolled section holds.
      code = Run_TSV_Nachweis(1, &req.view, 4);
    } else if (method == 2) {
      const PLO_PREPARE_OPTIONS o{s.plo_flag ? 1u : 0u, 0.001, s.constant, 0.001, 1.0};
      code = Prepare_PLO_Result(&o, &req.view);
    }
    const int words[4] = {code, opt[9], 4 | (opt[1] ? 1 : 0) | (opt[2] ? 2 : 0), 0};
    for (int i = 0; i < 4; ++i) Encode_Check_Option_Word(words[i], &req.options[i]);
    std::copy(std::begin(req.options), std::end(req.options), req.view.values.options);
    if (code != m) {
      if (stream)
        Oli_Printf(stream, "%sDer Querschnitt kann mit diesem Verfahren nicht nachgewiesen werden %s\n",
                   Oli_Line_Prefix(), Oli_Mark_Red_Exclam());
      return finish(0);
    }
  }

  // 2. Head.
  const double F[8] = {N, M_y, M_z, V_y, V_z, T_t, T_w, B};
  const bool head = stream && level >= 1;
  if (head) _Print_Head(stream, method, nachweis, F);

  // 3. The check, as steel to EN 1993-1-1 for every grade (the member's c/t lines are EN
  // 1993-1-1 too, and one member is checked to one standard), with the section's own grade
  // code: a grade of the DIN values keeps its DIN strength, and the check reads the half of
  // the grade row that the plated method and the grade test read.
  const uint32_t kind[2] = {1u | CQ_KIND_OWN_GRADE, 0};
  double out[9] = {};
  CHECK_RESULT r{};
  const uint32_t code = Check_Querschnitt_Entry(kind, N, V_y, V_z, T_t, M_y, M_z, T_w, B, &req.view, gamma_M, &out[0],
                                                &out[1], &out[2], &out[3], &out[4], &out[5], &out[6], &out[7], &out[8],
                                                0, 1, 0, 0, &r);
  s.last = r;
  if (!(code & STRESS_DONE)) {
    if (head) Oli_Printf(stream, "%sNachweis wurde nicht geführt\n"_cp, Oli_Line_Prefix());
    return finish(0);
  }

  // 4, 5. Stresses on the triangulated outline: elastic when the check kept no plastic
  // result, on the limit state when it kept one; the plated method keeps none and has no
  // evaluation here.
  Eval e{};
  e.s_max = 10 * std::max(r.points[0].sigma, r.points[1].sigma);
  e.s_min = 10 * std::min(r.points[0].sigma, r.points[1].sigma);
  e.tau = out[2], e.s_v = out[3], e.further = out[5];
  const bool limit_state = (code & CQ_R_PLASTIC) && (r.flags_end & CQ_F_PLO) && r.plastic_method == CQ_F_PLO;
  if (!(code & CQ_R_PLASTIC) || limit_state) {
    DWQB_TRI_PARAMS params = DWQB_TRI_DEFAULT_PARAMS;
    const bool other = Resolve_Check_Standard(req.view.header.type, 1) != 2;
    params.options |= other ? 1 : 0;
    DWQB_OUTLINE_TRIANGULATION *tri = Calc_DWQB_OUTLINE_TRIANGULATION(1, 0, 0, 0, 0, 2, 0, 0, other ? &params : nullptr);
    if (limit_state) {
      PLO_RESULT pr;
      std::memcpy(&pr, r.plastic, sizeof pr);
      const CHECK_KEPT_RESULTS *kept = Get_Check_Kept_Results();
      _Evaluate_Plastic(tri, pr, kept ? kept->limit_strain : nullptr, 10000 * B, nachweis, stream, level, app);
    } else {
      _Evaluate_Elastic(tri, F, nachweis, stream, level, e);
    }
    Free_DWQB_OUTLINE_TRIANGULATION(tri);
  }
  finish(0);

  // 6. c/t of the section (family from the header, dimensions of the shape floats in cm).
  // Sections of two equal parts would have their c/t utilisations halved, but the catalogue
  // fills no seventh dimension for any family, so the branch is never taken; it is kept only
  // under that guard, since halving a plate's c/t utilisation is never on the safe side. A
  // narrow family-9 section has no outstand.
  const QS_CHECK_VIEW &v = req.view;
  e.ct_out = out[7], e.ct_in = out[6], e.ct_total = r.ct_max;
  const float *d = v.shape;
  if (v.header.type == 1 && !(code & CQ_R_PLASTIC) && d[6] > 0 &&
      (std::fabs(2 * d[6] - d[1]) <= 0.0001 || std::fabs(2 * d[6] - d[0]) <= 0.0001))
    e.ct_out /= 2, e.ct_in /= 2, e.ct_total /= 2;
  if (v.header.type == 9 && d[2] < d[6] / 2 + d[1] - 0.0001) e.ct_out = 0;

  // 7, 8. Utilisations in (1, 1.001) count as 1; the slots.
  e.ct_out = Round_Stress_Utilisation(e.ct_out), e.ct_in = Round_Stress_Utilisation(e.ct_in);
  e.U_sigma = U_sigma ? Round_Stress_Utilisation(out[8]) : 0.0;
  e.U_ct = U_ct ? Round_Stress_Utilisation(std::max(e.ct_out, e.ct_in)) : 0.0;
  if (!U_ct) e.ct_out = e.ct_in = e.ct_total = 0;
  e.U_max = Round_Stress_Utilisation(std::max(e.U_sigma, e.U_ct));
  if (!nachweis) e.U_ct = e.U_sigma = e.U_max = e.s_max = e.s_min = e.tau = e.s_v = 0;
  const double vals[8] = {e.U_max, e.U_sigma, e.U_ct, e.s_max, e.s_min, e.tau, e.s_v, e.further};
  double *slots[8] = {U_max, U_sigma, U_ct, sigma_x_max, sigma_x_min, tau, sigma_v, further};
  for (int i = 0; i < 8; ++i)
    if (slots[i]) *slots[i] = vals[i];

  // 9. Verdicts.
  if (stream) {
    _Print_Verdicts(stream, method, nachweis, level, tube, code, r, v, e, out[5]);
    Oli_Para_Flush_Tabs();
  }
  // 10. A plastic method that gave way to the elastic checks: plastic limit values only.
  int result = static_cast<int>(code);
  if (method != 0 && (r.flags_end & 0x31cu)) result |= STRESS_PLASTIC_ONLY;
  return result;
}
