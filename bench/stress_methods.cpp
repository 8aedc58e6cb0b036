// Stress methods: the partial internal forces method on a three-plate IPE 300 (without
// radii) under 0.5 M_pl,y with 0.3 V_pl,z, which runs the load-increase search.
#include <benchmark/benchmark.h>

#include <cmath>

#include "stress/stress_methods.h"

namespace {

void BM_TsvLoadIncrease(benchmark::State &state) {
  const TSV_SECTION s{0, TSV_MODE_TWO_FLANGES, 0, 0, 0, 0, 0, 0, 0, 0, -14.465, 15, 1.07, 0, 14.465, 15, 1.07,
                      0, 0, 27.86, 0.71};
  const double fy = 23.5, material[2] = {fy, fy};
  const double M_pl = fy * (2 * 15 * 1.07 * 14.465 + 27.86 * 27.86 * 0.71 / 4);
  const double V_pl = fy * 27.86 * 0.71 / std::sqrt(3.0);
  const double forces[8] = {0, 0, 0.3 * V_pl, 0, 0.5 * M_pl, 0, 0, 0};
  TSV_RESULT r;
  for (auto _ : state) {
    Calc_TSV_Teilschnittgroessen(forces, material, &s, &r);
    benchmark::DoNotOptimize(r.U);
  }
}
BENCHMARK(BM_TsvLoadIncrease)->Repetitions(5)->ReportAggregatesOnly(true);

}  // namespace

BENCHMARK_MAIN();
