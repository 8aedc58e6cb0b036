// Mask solver timings: one limit state of a steel I section built of three rectangles
// under N and M together (the direct solve iterates), and one force-and-stiffness
// integration at a skew plane. Units: metres, per mille, kN/m².
#include <benchmark/benchmark.h>

#include <cmath>

#include "analysis/masque_solve.h"

namespace {

void AddRect(MASQUE *mask, SPANNUNGSDEHNUNGSLINIE *line, double y0, double y1, double z0, double z1) {
  const double pts[4][2] = {{y0, z0}, {y1, z0}, {y1, z1}, {y0, z1}};
  MASQUE_KNOTEN *n[4];
  for (int i = 0; i < 4; ++i) {
    n[i] = Create_Masque_Knoten(0, pts[i][0], pts[i][1]);
    Add_Masque_Knoten(mask, n[i]);
  }
  MASQUE_GRUPPE *group = Create_Masque_Flaeche(0, line);
  for (int i = 0; i < 4; ++i) {
    MASQUE_KANTE *e = Create_Masque_Kante(0, n[i], n[(i + 1) % 4], 0.0);
    Add_Masque_Kante(mask, e);
    Add_Kante_to_Masque_Flaeche(group, e);
  }
  Add_Masque_Gruppe(mask, group);
}

// h 0.3, b 0.15, tf 0.0107, tw 0.0071, web along y'.
MASQUE *ISection() {
  MASQUE *mask = Create_Masque_Querschnitt(1, 0);
  double p[SDL_PARAMETER];
  Fill_Stahl_Spannungsdehnungslinie(210000, 235, 150, 0, p);
  SPANNUNGSDEHNUNGSLINIE *line = Create_Masque_Spannungsdehnungslinie(1, 2, "DWQB", p);
  Add_Masque_Spannungsdehnungslinie(mask, line);
  const double a = 0.15, c = a - 0.0107;
  AddRect(mask, line, -a, -c, -0.075, 0.075);
  AddRect(mask, line, -c, c, -0.00355, 0.00355);
  AddRect(mask, line, c, a, -0.075, 0.075);
  Update_Masque_Querschnitt(mask, 0);
  return mask;
}

void BM_Limit_State_I_Section(benchmark::State &state) {
  MASQUE *mask = ISection();
  const double A = 2 * 0.15 * 0.0107 + 0.0071 * (0.3 - 2 * 0.0107);
  const double Npl = 235000 * A, Mpl = 141.4931;
  const double T[4] = {-0.4 * Npl, 0.0, 0.6 * Mpl, 0.0};
  const SOLVER_TOLERANZ tol{1e-6, 100};
  GRENZZUSTAND r{};
  int ok = 1;
  for (auto _ : state) {
    ok &= Calc_Masque_Grenzzustand(mask, T, 1.0, &tol, &r, 0);
    benchmark::DoNotOptimize(r);
  }
  state.counters["iterations"] = r.iterationen;
  state.counters["lambda"] = r.lambda;
  state.counters["ok"] = ok;
  Destroy_Masque_Querschnitt(mask);
}
BENCHMARK(BM_Limit_State_I_Section)->Unit(benchmark::kMicrosecond);

void BM_Integration_Skew_Plane(benchmark::State &state) {
  MASQUE *mask = ISection();
  const DEHNUNGSEBENE p{0.3, -3.0, 60.0, 0.0};
  MASQUE_SCHNITTGROESSEN K{};
  for (auto _ : state) {
    Calc_Masque_Dehnungsebene_Steifigkeit(mask, &p, 1.0, &K);
    benchmark::DoNotOptimize(K);
  }
  Destroy_Masque_Querschnitt(mask);
}
BENCHMARK(BM_Integration_Skew_Plane)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
