// Print_CT_Check of the library IPE 300 at level 2 into a file, the plate model rebuilt for
// every call as in the member flow (a stress check runs between two c/t checks).
#include <benchmark/benchmark.h>

#include <cstdio>

#include "bench/library_profile.h"
#include "checks/checks.h"

static void BM_Print_CT_Check_IPE300(benchmark::State &state) {
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
    Print_CT_Check(&p, 1.0, 0, 1, 0.85, 2, -500, 50, 5, 0, 20, 0, 0, 0, &u, f, 2);
    benchmark::DoNotOptimize(u);
  }
  std::fclose(f);
}
BENCHMARK(BM_Print_CT_Check_IPE300)->Repetitions(5)->ReportAggregatesOnly(true);

BENCHMARK_MAIN();
