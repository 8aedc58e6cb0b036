// Print_Stress_Check of the library IPE 300 at level 2 into a file, elastic method under
// M_y and V_z, the section model rebuilt for every call as in the member flow (a c/t check
// runs between two stress checks).
#include <benchmark/benchmark.h>

#include <cstdio>

#include "checks/checks.h"
#include "materials/materials.h"
#include "profil/profil.h"
#include "sections/sections.h"

static void BM_Print_Stress_Check_IPE300_Elastic(benchmark::State &state) {
  PROFIL p{};
  Init_Material_Data(&p.grade);
  if (Set_Profil_by_Library_Name(&p, "IPE300") != 0) {
    state.SkipWithError("IPE300 not in the profile library");
    return;
  }
  Check_Material_Strength(&p.grade, p.t_fo, nullptr, 0, nullptr);
  FILE *f = std::tmpfile();
  double u = 0;
  for (auto _ : state) {
    Invalidate_Profil_Section_Cache();
    Print_Stress_Check(&p, 1.0, 0, 0, 1, 0, 0, 100, 0, 0, 60, 0, 0, 0, &u, nullptr, nullptr, nullptr, nullptr,
                       nullptr, nullptr, nullptr, f, 2);
    benchmark::DoNotOptimize(u);
  }
  std::fclose(f);
  Reset_Profil(&p);
}
BENCHMARK(BM_Print_Stress_Check_IPE300_Elastic)->Repetitions(5)->ReportAggregatesOnly(true);

BENCHMARK_MAIN();
