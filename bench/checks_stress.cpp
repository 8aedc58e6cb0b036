// Print_Stress_Check of the library IPE 300 at level 2 into a file, the section model rebuilt
// for every call as in the member flow (a c/t check runs between two stress checks).
#include <benchmark/benchmark.h>

#include <cstdio>

#include "bench/library_profile.h"
#include "checks/checks.h"

static void BM_Print_Stress_Check_IPE300_Elastic(benchmark::State &state) {
  BenchProfile ipe("IPE300");
  if (!ipe.ok) {
    state.SkipWithError("IPE300 not in the profile library");
    return;
  }
  PROFIL &p = ipe.p;
  FILE *f = std::tmpfile();
  double u = 0;
  for (auto _ : state) {
    Invalidate_Profil_Section_Cache();
    Print_Stress_Check(&p, 1.0, 0, 0, 1, 0, 0, 100, 0, 0, 60, 0, 0, 0, &u, nullptr, nullptr, nullptr, nullptr,
                       nullptr, nullptr, nullptr, f, 2);
    benchmark::DoNotOptimize(u);
  }
  std::fclose(f);
}
BENCHMARK(BM_Print_Stress_Check_IPE300_Elastic)->Repetitions(5)->ReportAggregatesOnly(true);

// The plastic methods at level 2: the plated partial internal forces under M_y and V_z
// (method 1), the plastic limit state under M_y with its evaluation on the triangulated
// outline (method 2).
static void BM_Print_Stress_Check_IPE300_Plastic(benchmark::State &state) {
  const int method = static_cast<int>(state.range(0));
  BenchProfile ipe("IPE300");
  if (!ipe.ok) {
    state.SkipWithError("IPE300 not in the profile library");
    return;
  }
  PROFIL &p = ipe.p;
  FILE *f = std::tmpfile();
  double u = 0;
  const double V_z = method == 1 ? 60 : 0;
  for (auto _ : state) {
    Invalidate_Profil_Section_Cache();
    Print_Stress_Check(&p, 1.0, 0, 0, 1, method, 0, 100, 0, 0, V_z, 0, 0, 0, nullptr, &u, nullptr, nullptr, nullptr,
                       nullptr, nullptr, nullptr, f, 2);
    benchmark::DoNotOptimize(u);
  }
  if (!(u > 0.6 && u < 0.75)) state.SkipWithError("unexpected utilisation");
  std::fclose(f);
}
BENCHMARK(BM_Print_Stress_Check_IPE300_Plastic)->Arg(1)->Arg(2)->Repetitions(5)->ReportAggregatesOnly(true);

BENCHMARK_MAIN();
