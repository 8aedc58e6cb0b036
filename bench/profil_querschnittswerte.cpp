// Section values of the default profile HE 280 A (EN 10365) through
// Calc_Profil_Querschnittswerte: checks, thin-walled model and solver run, closed
// formulas and grade check; with and without the plastic moduli.
#include <benchmark/benchmark.h>

#include "profil/profil.h"
#include "tests/profil/profil_shapes.h"

namespace {

PROFIL He280a() {
  PROFIL p = He280a_Profile();
  Init_Material_Data(&p.grade);
  return p;
}

void BM_Querschnittswerte(benchmark::State &state) {
  const int plastic = static_cast<int>(state.range(0));
  PROFIL p = He280a();
  Set_Profil_Plastic_Moduli_Flag(plastic);
  for (auto _ : state) {
    const int rc = Calc_Profil_Querschnittswerte(&p, nullptr, 0, "");
    benchmark::DoNotOptimize(rc);
    benchmark::ClobberMemory();
  }
  Set_Profil_Plastic_Moduli_Flag(0);
  if (p.I_T <= 0 || (plastic && p.W_pl_y <= 0)) state.SkipWithError("no section values");
  Reset_Profil(&p);
}

}  // namespace

BENCHMARK(BM_Querschnittswerte)->Arg(0)->ArgName("plastic")->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Querschnittswerte)->Arg(1)->ArgName("plastic")->Unit(benchmark::kMicrosecond);

BENCHMARK_MAIN();
