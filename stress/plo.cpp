// stress/plo.cpp — plastic limit state of the thin-walled section: the limit-state runs at
// a shear factor and the outer iteration that makes the shear reduction and the normal-
// stress load factor consistent.
#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdio>
#include <cstring>
#include <vector>

#include "dwqb/dwqb.h"
#include "dwqb/dwqb_plastic.h"
#include "analysis/masque_solve.h"
#include "stress/brent_step.h"
#include "stress/plo_internal.h"
#include "stress/stress.h"
#include "stress/stress_methods.h"
#include "support/support.h"

static_assert(sizeof(PLO_LINE) == sizeof(STRESS_POINT_RESULT), "a line is a stress-point result");
static_assert(offsetof(PLO_LINE, u) == offsetof(STRESS_POINT_RESULT, u), "utilisation last");
static_assert(offsetof(PLO_LINE, tau) == offsetof(STRESS_POINT_RESULT, tau), "shear stress before it");

namespace {

struct PloState {
  long runs = 0;       // limit-state runs since program start (never reset in the program)
  int fail_step = 0;   // test hook: the step that fails (0 none)
} g;

bool Fail(int step) { return g.fail_step == step; }

// The mask solver's state that a calculation changes, saved before the first change and
// given back on every return; the stress points and their shear results freed.
struct Saved {
  MASQUE *mask;
  unsigned mode = Get_Masque_Calc_Mode();
  double factors[4] = {};
  int scaling = Get_Masque_Result_Factors(factors);
  MASQUE_CALC_OPTIONS options{};
  DWQB_STRESS_POINT_SET *set = nullptr;
  TSG_RESULTS *tree = nullptr;
  explicit Saved(MASQUE *m) : mask(m) { Get_Masque_Calc_Options(m, &options); }
  ~Saved() {
    Set_Masque_Calc_Mode(mode);
    Set_Masque_Result_Factors(scaling ? factors : nullptr);
    Set_Masque_Calc_Options(mask, &options);
    Free_TSG_Stress_Results(tree);
    Free_DWQB_Stress_Points(set);
  }
  Saved(const Saved &) = delete;
  Saved &operator=(const Saved &) = delete;
};

struct RunResult {
  bool ok = false;
  uint32_t flags = 0;
  double factor = 0.0;  // shear factor of the run
  GRENZZUSTAND gz{};
};

double Sigma_Factor(const RunResult &r) { return r.gz.lambda; }

// Interpolated start plane between two runs (cartesian), weight w on the upper one.
DEHNUNGSEBENE Between(const RunResult &lo, const RunResult &hi, double w) {
  DEHNUNGSEBENE_KARTESISCH a{}, b{}, c{};
  Dehnungsebene_to_Cartesian(&lo.gz.ebene, &a);
  Dehnungsebene_to_Cartesian(&hi.gz.ebene, &b);
  c.eps0 = a.eps0 + w * (b.eps0 - a.eps0);
  c.b = a.b + w * (b.b - a.b);
  c.c = a.c + w * (b.c - a.c);
  c.x3 = a.x3 + w * (b.x3 - a.x3);
  DEHNUNGSEBENE p{};
  Dehnungsebene_to_Polar(&c, &p);
  return p;
}

struct Calc {
  const double *material5;
  const PLO_LINE_LIST *lines;
  const double *en_ratio;  // per line: V_Ed/V_pl,Rd of its shear area (null: none)
  double T_base[4];  // N, M_y, M_z about the section origin (kN, kNcm), B (kNcm²)
  unsigned mode;
  bool warping;
};

// One limit-state run at shear factor f, optionally from a start plane.
RunResult _Calc_PLO_at_Shear_Factor(const Calc &c, double f, const DEHNUNGSEBENE *start) {
  RunResult r;
  r.factor = f;
  ++g.runs;
  MASQUE *mask = Get_DWQB_PLO_TSG_Querschnitt(c.material5, c.lines, f, c.en_ratio);
  if (!mask || Fail(4)) return r;
  const double *T_base = c.T_base;
  const double T[4] = {T_base[0], 0.01 * T_base[1], 0.01 * T_base[2], c.warping ? 0.0001 * T_base[3] : 0.0};
  if (T[0] * T[0] + T[1] * T[1] + T[2] * T[2] + T[3] * T[3] < 1e-12) {
    std::copy(T, T + 4, r.gz.F);
    r.gz.lambda = 1000000.0;
    r.gz.verhaeltnis = 1.0;
    r.flags = 0x1001001;
    r.ok = true;
    return r;
  }
  if (start) r.gz.ebene = *start;
  // 1e-6 as the solver's own plastic values use: at 1e-4 the limit load of a solid
  // rectangle under N alone comes out up to 1.2e-3 below N_pl.
  const SOLVER_TOLERANZ tol{1e-6, 100};
  r.ok = Calc_Masque_Grenzzustand_Scaled(mask, T, 1.0, &tol, &r.gz, c.mode | (start ? MASQUE_GZ_START_EBENE : 0u),
                                         1.0) != 0;
  if (r.ok) r.flags = PLO_F_LIMIT;
  return r;
}

// The shear iteration: the shear factor f at which f equals the normal-stress load factor
// of the section reduced by f times the shear utilisations. Returns the run of the answer
// (ok false when a run failed).
RunResult Iterate(Calc &c, const RunResult &r0, double u_max, double t) {
  const double ft_max = 1.0 / u_max;
  double f = std::min(0.9 * ft_max, Sigma_Factor(r0));
  if (f > 1.0) t *= f;
  RunResult lo = r0, hi;
  double d_lo = -Sigma_Factor(r0), d_hi = 0.0;
  bool has_hi = false;
  for (int step = 0; step < 30 && !has_hi; ++step) {
    RunResult r = _Calc_PLO_at_Shear_Factor(c, f, nullptr);
    if (!r.ok) return r;
    const double d = f - Sigma_Factor(r);
    if (std::fabs(d) <= t) return r;
    if (d < 0.0) {
      lo = r, d_lo = d;
      if (ft_max - f > t)
        f += 0.9 * (ft_max - f);
      else
        return r;
    } else {
      hi = r, d_hi = d, has_hi = true;
    }
  }
  if (!has_hi) return lo;
  // Brent's method on d(f) in [lo, hi], each run started between the planes of the ends.
  auto run = [&](double x) {
    const double span = hi.factor - lo.factor;
    const double w = span > 0.0 ? (x - lo.factor) / span : 0.5;
    const DEHNUNGSEBENE start = Between(lo, hi, w);
    return _Calc_PLO_at_Shear_Factor(c, x, &start);
  };
  BRENT_BRACKET br{lo.factor, hi.factor, lo.factor, d_lo, d_hi, d_lo, hi.factor - lo.factor, hi.factor - lo.factor};
  for (int it = 0; it < 30; ++it) {
    if (!Brent_Step(br, 0.5 * 0.01 * t)) break;
    double &b = br.b;
    // A step within 0.01 t of an end takes that end.
    if (std::fabs(b - lo.factor) < 0.01 * t) b = lo.factor;
    if (std::fabs(b - hi.factor) < 0.01 * t) b = hi.factor;
    RunResult r = run(b);
    if (!r.ok) return r;
    const double fb = br.fb = b - Sigma_Factor(r);
    if (std::fabs(fb) <= t) return r;
    if (fb < 0.0 && b > lo.factor) lo = r, d_lo = fb;
    if (fb > 0.0 && b < hi.factor) hi = r, d_hi = fb;
    if (hi.factor - lo.factor < t) return lo;
  }
  while (hi.factor - lo.factor >= t) {
    RunResult r = run(0.5 * (lo.factor + hi.factor));
    if (!r.ok) return r;
    const double d = r.factor - Sigma_Factor(r);
    if (d < 0.0)
      lo = r;
    else
      hi = r;
  }
  return lo;
}

}  // namespace

void Set_PLO_Fail_Step_For_Tests(int step) { g.fail_step = step; }
long Get_PLO_Run_Count() { return g.runs; }

int Calc_PLO_Grenzzustand(const double *forces, const PLO_MATERIAL *material, const PLO_OPTIONS *options,
                          PLO_RESULT *result, PLO_POINT_LIST **points) {
  if (!result) return 0;
  *result = PLO_RESULT{};
  result->U = -1.0;
  if (!forces || !material) return 0;
  const double fy = material->f_y, E = material->E;
  if (!(std::isfinite(fy) && fy > 0.0 && std::isfinite(E) && E > 0.0)) return 0;
  const PLO_OPTIONS opt = options ? *options : Default_PLO_Options();
  const double m5[5] = {fy, E, material->eps_u, material->ratio, material->option};
  MASQUE *mask = Build_DWQB_PLO_Mask(m5);
  if (!mask) return 0;

  // 1. Stress points; the solver state saved.
  Saved saved(mask);
  if (Fail(1) || !Build_DWQB_Stress_Points(&saved.set, 0)) return 0;
  Sort_DWQB_Stress_Points(saved.set);

  // 2. Warping.
  const double *v = Get_DWQB_Values()->v;
  const bool warping = !(opt.flags & PLO_O_NO_WARPING) &&
                       ((opt.flags & PLO_O_WARPING) || !(v[DWQB_V_IW] <= 4.1666666666666667e-07 * opt.L * opt.L * v[DWQB_V_IT]));
  MASQUE_CALC_OPTIONS mo = saved.options;
  if (!warping) {
    mo.flags &= ~MASQUE_OPTION_VORDEHNUNG;
    const double f[4] = {1, 1, 1, 0};
    Set_Masque_Result_Factors(f);
    Set_Masque_Calc_Mode(saved.mode & ~MASQUE_MODE_VORDEHNUNG);
  } else {
    mo.flags |= MASQUE_OPTION_VORDEHNUNG;
    Set_Masque_Calc_Mode(saved.mode | MASQUE_MODE_VORDEHNUNG);
  }
  Set_Masque_Calc_Options(mask, &mo);
  if (Fail(2)) return 0;

  // 3. Forces: V and the torques in the principal axes for the shear of the stress points;
  // the mask lies in the section's own axes, so it gets N and the moments of those axes
  // about the section origin.
  double f[8];
  std::copy(forces, forces + 8, f);
  if (opt.alpha != 0.0)
    Transform_Profil_Section_Forces(&f[0], &f[1], &f[2], &f[3], &f[4], &f[5], &f[6], &f[7], opt.alpha, 0, 0);
  Calc c{m5, nullptr, nullptr, {forces[0], forces[4] + opt.z_s * forces[0], forces[5] - opt.y_s * forces[0], forces[7]},
         warping ? 5u : 1u, warping};

  // 4. Elastic shear of every stress point.
  if (Fail(3) || !Build_TSG_Stress_Results(f, saved.set, fy, &saved.tree, 0, 0)) return 0;
  const PLO_LINE_LIST lines{reinterpret_cast<const PLO_LINE *>(saved.tree->items), saved.tree->count};
  c.lines = &lines;
  double u_max = saved.tree->u_max;
  // V_Ed/V_pl,Rd of each line's shear area (EN 1993-1-1, 6.2.6(3)) in the section's axes: a
  // line nearer z than y lies in the area of V_z, the others in that of V_y.
  std::vector<double> en_ratio;
  if (opt.A_v_y > 0.0 || opt.A_v_z > 0.0) {
    const double k = std::sqrt(3.0) / fy;
    const double V_z = opt.resultant ? std::hypot(forces[1], forces[2]) : std::fabs(forces[2]);
    const double e_y = opt.A_v_y > 0.0 ? std::fabs(forces[1]) * k / opt.A_v_y : 0.0;
    const double e_z = opt.A_v_z > 0.0 ? V_z * k / opt.A_v_z : 0.0;
    en_ratio.resize(std::size_t(lines.count));
    for (int i = 0; i < lines.count; ++i) {
      const double a = lines.records[i].angle;
      en_ratio[std::size_t(i)] = opt.resultant || std::fabs(std::sin(a)) >= std::fabs(std::cos(a)) ? e_z : e_y;
      // At V_pl,Rd 6.2.8 leaves a shear area nothing: the shear factor ends there too.
      if (lines.records[i].u > 0.0) u_max = std::max(u_max, en_ratio[std::size_t(i)]);
    }
    c.en_ratio = en_ratio.data();
  }

  // 5.-7. The shear factor and the normal-stress load factor.
  const double t = std::max(opt.tol, 1e-6);
  const bool shear = u_max >= 0.01 * t;
  uint32_t extra = 0;
  double f_tau = 0.0;
  RunResult answer;
  bool done = false;
  if (opt.flags & PLO_O_NO_SHEAR_ITERATION) {
    if (shear) {
      double fs = 1.0 / u_max;
      if (fs > 1.0) fs = 1.0 + (std::sqrt(fs) - 1.0) / 2.0;
      RunResult r = _Calc_PLO_at_Shear_Factor(c, fs, nullptr);
      if (r.ok && Sigma_Factor(r) >= 1.0) {
        f_tau = (r.flags & PLO_F_NO_NORMAL) ? 1.0 / u_max : fs;
        answer = r, extra = PLO_F_COMBINED, done = true;
      }
    } else {
      RunResult r = _Calc_PLO_at_Shear_Factor(c, 0.0, nullptr);
      if (r.ok) answer = r, extra = PLO_F_NO_SHEAR | PLO_F_COMBINED, f_tau = 100.0 / t, done = true;
    }
  }
  if (!done) {
    const RunResult r0 = _Calc_PLO_at_Shear_Factor(c, 0.0, nullptr);
    if (!r0.ok) return 0;
    if (!(r0.flags & PLO_F_NO_NORMAL) && Sigma_Factor(r0) <= 100.0 / t) {
      if (shear) {
        answer = Iterate(c, r0, u_max, t);
        if (!answer.ok) return 0;
        f_tau = answer.factor;
      } else {
        answer = r0, extra = PLO_F_NO_SHEAR, f_tau = 100.0 / t;
      }
    } else {
      answer = r0;
      extra = shear ? PLO_F_NO_NORMAL : PLO_F_NO_NORMAL | PLO_F_NO_SHEAR;
      f_tau = shear ? 1.0 / u_max : 100.0 / t;
    }
  }

  // 8. The result at the final shear factor.
  if (!Get_DWQB_PLO_TSG_Querschnitt(m5, &lines, answer.factor, c.en_ratio)) return 0;
  PLO_RESULT res{};
  res.flags = answer.flags | extra | PLO_F_WRITTEN | (warping ? 0u : PLO_F_NO_WARPING);
  res.f_tau = f_tau;
  res.f_sigma = Sigma_Factor(answer);
  res.f_min = std::min(res.f_tau, res.f_sigma);
  res.U = res.f_min > 0.0 ? 1.0 / res.f_min : 1000000.0;
  if (res.flags & PLO_F_COMBINED) {
    const double U_tau = res.f_tau > 0.0 ? 1.0 / res.f_tau : 1000000.0;
    double U_sigma = res.f_sigma > 0.0 ? 1.0 / res.f_sigma : 1000000.0;
    if (U_tau < 1.0 && U_sigma < 1.0) U_sigma = std::sqrt(U_tau * U_tau + U_sigma * U_sigma * (1.0 - U_tau * U_tau));
    res.U = std::max(U_tau, U_sigma);
  }

  // 9. Zero line and limit forces.
  if (!(res.flags & PLO_F_NO_NORMAL)) {
    const DEHNUNGSEBENE &p = answer.gz.ebene;
    res.plane[0] = p.phi, res.plane[1] = p.eps0, res.plane[2] = p.kappa, res.plane[3] = p.x3;
    double line[3] = {};
    Dehnungsebene_to_Nulllinie(mask, &p, line);
    res.angle = line[0], res.y0 = 100.0 * line[1], res.z0 = 100.0 * line[2];
    double F[4];
    std::copy(answer.gz.F, answer.gz.F + 4, F);
    if (!warping) {
      // B of the limit plane with warping switched on for this one integration.
      MASQUE_CALC_OPTIONS on = mo;
      on.flags |= MASQUE_OPTION_VORDEHNUNG;
      Set_Masque_Calc_Options(mask, &on);
      Set_Masque_Result_Factors(nullptr);
      Set_Masque_Calc_Mode(saved.mode | MASQUE_MODE_VORDEHNUNG);
      double Fw[4] = {};
      const int ok = !Fail(5) && Calc_Masque_Dehnungsebene_Forces(mask, &p, 1.0, Fw);
      const double off[4] = {1, 1, 1, 0};
      Set_Masque_Result_Factors(off);
      Set_Masque_Calc_Mode(saved.mode & ~MASQUE_MODE_VORDEHNUNG);
      Set_Masque_Calc_Options(mask, &mo);
      if (!ok) return 0;
      F[3] = Fw[3];
    }
    res.F[0] = F[0];
    res.F[7] = 10000.0 * F[3];
    res.F[4] = 100.0 * F[1] - opt.z_s * F[0];
    res.F[5] = opt.y_s * F[0] + 100.0 * F[2];
  }
  // 10. Shear forces and torques at the shear factor.
  if (shear) {
    for (int k : {1, 2, 3, 6}) res.F[k] = forces[k] * f_tau;
  }

  // 11. The point list.
  if (points) {
    const bool created = *points == nullptr;
    PLO_POINT_LIST *list = *points;
    if (created) list = static_cast<PLO_POINT_LIST *>(MEM_CALLOC(1, sizeof(PLO_POINT_LIST)));
    const int n = saved.set->count;
    if (list && n > list->capacity && !Fail(6)) {
      void *grown = MEM_REALLOC(list->records, sizeof(PLO_POINT) * std::size_t(n));
      if (grown) list->records = static_cast<PLO_POINT *>(grown), list->capacity = n;
    }
    if (!list || n > list->capacity) {
      if (created) Free_PLO_Point_List(list);
      return 0;
    }
    for (int i = 0; i < n; ++i) {
      const DWQB_STRESS_POINT &sp = saved.set->records[i];
      PLO_POINT &rec = list->records[i];
      rec.nr = sp.line_nr, rec.word = sp.part_nr;
      if (i < saved.tree->count) std::memcpy(&rec.item, &saved.tree->items[i], sizeof rec.item);
      rec.value = sp.y;
    }
    list->count = n;
    *points = list;
  }
  *result = res;
  return 1;
}

int Calc_PLO_Grenzzustand_Slot(const double *forces, const PLO_MATERIAL *material, const QS_CHECK_VIEW *view,
                               PLO_RESULT *result, PLO_POINT_LIST **points) {
  PLO_OPTIONS o = Default_PLO_Options();
  if (view) {
    o.flags = view->values.slot.state;
    o.tol = view->values.slot.data[2];
    Get_PLO_Shear_Areas(view, &o);
  }
  return Calc_PLO_Grenzzustand(forces, material, &o, result, points);
}
