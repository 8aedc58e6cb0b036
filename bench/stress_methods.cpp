// Stress methods: the partial internal forces method on a three-plate IPE 300 (without
// radii) under 0.5 M_pl,y with 0.3 V_pl,z, which runs the load-increase search; the
// plastic limit state of the same model in the solver under M_y alone and with V_z (the
// shear iteration), with its limit-state runs per call.
#include <benchmark/benchmark.h>

#include <cmath>

#include "dwqb/dwqb.h"
#include "host/host.h"
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

void Ipe300() {
  Host_Reset();
  DWQB_Part_Mode_Switch = DWQB_Wall_Terms_Switch = 1;
  Reset_DWQB_Querschnitt();
  const double h = 30 - 1.07;
  Add_DWQB_Node(1, -7.5, 0), Add_DWQB_Node(2, 0, 0), Add_DWQB_Node(3, 7.5, 0);
  Add_DWQB_Node(4, -7.5, h), Add_DWQB_Node(5, 0, h), Add_DWQB_Node(6, 7.5, h);
  Add_DWQB_Line_Const_Thickness(1, 1, 2, 1.07), Add_DWQB_Line_Const_Thickness(2, 2, 3, 1.07);
  Add_DWQB_Line_Const_Thickness(3, 2, 5, 0.71);
  Add_DWQB_Line_Const_Thickness(4, 4, 5, 1.07), Add_DWQB_Line_Const_Thickness(5, 5, 6, 1.07);
  Calc_DWQB_Querschnitt();
}

void BM_PloLimitState(benchmark::State &state) {
  Ipe300();
  const PLO_MATERIAL steel{0, 23.5, 21000, 150, 0.001, 1.0, nullptr};
  const double forces[8] = {0, 0, double(state.range(0)), 0, 7074.66, 0, 0, 0};
  PLO_RESULT r;
  const long runs = Get_PLO_Run_Count();
  for (auto _ : state) {
    Calc_PLO_Grenzzustand(forces, &steel, nullptr, &r, nullptr);
    benchmark::DoNotOptimize(r.U);
  }
  state.counters["runs"] = double(Get_PLO_Run_Count() - runs) / double(state.iterations());
  Host_Reset();
}
BENCHMARK(BM_PloLimitState)->Arg(0)->Arg(150)->Unit(benchmark::kMicrosecond)->Repetitions(5)->ReportAggregatesOnly(true);

}  // namespace

BENCHMARK_MAIN();
