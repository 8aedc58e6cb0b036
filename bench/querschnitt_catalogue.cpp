// Section records of the checks for the library profile IPE 300 (EN 10365): the plate
// section (model, stress points, plate parts, stresses) and the stress section.
#include <benchmark/benchmark.h>

#include "materials/materials.h"
#include "profil/profil.h"
#include "querschnitt/querschnitt.h"

namespace {

void BM_Plate_Section(benchmark::State &state) {
  PROFIL p{};
  Set_Profil_by_Library_Name(&p, "IPE300");
  double o[4];
  int rc = 0;
  for (auto _ : state) {
    rc |= Build_Profil_Plate_Section(&p, 10, 100, 5, 2, 50, 0.1, 0, 0, o, o + 1, o + 2, o + 3);
    benchmark::DoNotOptimize(o[0]);
  }
  if (rc) state.SkipWithError("no plate section");
  Reset_Profil(&p);
}

void BM_Stress_Section(benchmark::State &state) {
  PROFIL p{};
  Set_Profil_by_Library_Name(&p, "IPE300");
  const QUERSCHNITT *q = nullptr;
  for (auto _ : state) {
    q = Build_Profil_Stress_Section(&p, 0, 0);
    benchmark::DoNotOptimize(q);
  }
  if (!q) state.SkipWithError("no stress section");
  Reset_Profil(&p);
}

}  // namespace

BENCHMARK(BM_Plate_Section)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Stress_Section)->Unit(benchmark::kMicrosecond);

BENCHMARK_MAIN();
