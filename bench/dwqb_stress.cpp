// Stress services of the thin-walled section solver on the rolled IPE 300 with root radii
// after one run: the default outline triangulation, the node extremes of one load case,
// and the stress points.
#include <benchmark/benchmark.h>

#include "dwqb/dwqb.h"
#include "dwqb/dwqb_stress.h"
#include "tests/dwqb/section_models.h"

namespace {

void Setup() {
  Reset_DWQB_Module_For_Tests();
  DWQB_Part_Mode_Switch = 1;
  DWQB_Wall_Terms_Switch = 1;
  Reset_DWQB_Querschnitt();
  Ipe300_Model(1.5).Build();
  Calc_DWQB_Querschnitt();
}

void BM_Ipe300Triangulation(benchmark::State &state) {
  Setup();
  for (auto _ : state) {
    DWQB_OUTLINE_TRIANGULATION *tri = Calc_DWQB_OUTLINE_TRIANGULATION(1, 0, 0, 0, 0, 2, 0, 0, nullptr);
    benchmark::DoNotOptimize(tri->n_nodes);
    Free_DWQB_OUTLINE_TRIANGULATION(tri);
  }
  Reset_DWQB_Module_For_Tests();
}

void BM_Ipe300NodeExtremes(benchmark::State &state) {
  Setup();
  DWQB_OUTLINE_TRIANGULATION *tri = Calc_DWQB_OUTLINE_TRIANGULATION(1, 0, 0, 0, 0, 2, 0, 0, nullptr);
  const double F[8] = {-20, 300, -40, 3, 12, 5, 700, -9};
  double lo[3], hi[3];
  for (auto _ : state) {
    Calc_DWQB_OUTLINE_TRIANGULATION_NODE_Stresses_MinMax(tri, F, lo, hi);
    benchmark::DoNotOptimize(hi[2]);
  }
  Free_DWQB_OUTLINE_TRIANGULATION(tri);
  Reset_DWQB_Module_For_Tests();
}

void BM_Ipe300StressPoints(benchmark::State &state) {
  Setup();
  DWQB_STRESS_POINT_SET *set = nullptr;
  for (auto _ : state) {
    Build_DWQB_Stress_Points(&set, 0);
    benchmark::DoNotOptimize(set->sums[0]);
  }
  Free_DWQB_Stress_Points(set);
  Reset_DWQB_Module_For_Tests();
}

}  // namespace

BENCHMARK(BM_Ipe300Triangulation)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Ipe300NodeExtremes)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Ipe300StressPoints)->Unit(benchmark::kMicrosecond);
BENCHMARK_MAIN();
