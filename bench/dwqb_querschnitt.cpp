// A whole run of the thin-walled section solver: reset, build the model (cm), run in
// part mode, read a value. Models: the rolled IPE 300 with root radii, a closed polygon of
// 200 walls, a 2 × 2 grid of 40 walls with 4 cells, and open zigzag polylines of 50, 200
// and 800 straight walls (growth with the line count), the polylines also in direct mode.
#include <benchmark/benchmark.h>

#include <cmath>
#include <map>
#include <numbers>
#include <utility>

#include "dwqb/dwqb.h"
#include "tests/dwqb/section_models.h"

namespace {

void Ipe300() { Ipe300_Model(1.5).Build(); }

void Polygon(int n) {
  for (int k = 0; k < n; ++k) {
    const double a = 2 * std::numbers::pi * k / n;
    Add_DWQB_Node(k + 1, 20 * std::cos(a), 20 * std::sin(a));
  }
  for (int k = 0; k < n; ++k) Add_DWQB_Line_Const_Thickness(k + 1, k + 1, (k + 1) % n + 1, 0.5);
}

// 2 × 2 cells of 8 × 6: outer horizontal edges in 4 walls, middle ones in 4, outer
// vertical edges in 3, middle ones in 2: 40 walls.
void Grid() {
  std::map<std::pair<long, long>, int> nodes;
  int next_node = 0, next_line = 0;
  auto node = [&](double y, double z) {
    const auto key = std::make_pair(std::lround(y * 1000), std::lround(z * 1000));
    auto it = nodes.find(key);
    if (it != nodes.end()) return it->second;
    Add_DWQB_Node(++next_node, y, z);
    nodes[key] = next_node;
    return next_node;
  };
  auto edge = [&](double y0, double z0, double y1, double z1, int n) {
    for (int i = 0; i < n; ++i) {
      const int a = node(y0 + (y1 - y0) * i / n, z0 + (z1 - z0) * i / n);
      const int b = node(y0 + (y1 - y0) * (i + 1) / n, z0 + (z1 - z0) * (i + 1) / n);
      Add_DWQB_Line_Const_Thickness(++next_line, a, b, 0.4);
    }
  };
  for (double z : {0.0, 6.0, 12.0})
    for (double y : {0.0, 8.0}) edge(y, z, y + 8, z, 4);
  for (double y : {0.0, 8.0, 16.0})
    for (double z : {0.0, 6.0}) edge(y, z, y, z + 6, y == 8.0 ? 2 : 3);
}

void Zigzag(int n) {
  for (int k = 0; k <= n; ++k) Add_DWQB_Node(k + 1, 2.0 * k, (k % 2) * 1.5);
  for (int k = 0; k < n; ++k) Add_DWQB_Line_Const_Thickness(k + 1, k + 1, k + 2, 0.3);
}

template <class Build>
void Run(benchmark::State &state, Build build, int part_mode = 1) {
  Reset_DWQB_Module_For_Tests();
  DWQB_Part_Mode_Switch = part_mode;
  DWQB_Wall_Terms_Switch = part_mode;
  for (auto _ : state) {
    Reset_DWQB_Querschnitt();
    build();
    const int code = Calc_DWQB_Querschnitt();
    benchmark::DoNotOptimize(code);
    benchmark::DoNotOptimize(Get_DWQB_Values()->v[DWQB_V_IW]);
  }
  Reset_DWQB_Module_For_Tests();
}

void BM_Ipe300(benchmark::State &state) { Run(state, Ipe300); }
void BM_Polygon200(benchmark::State &state) { Run(state, [] { Polygon(200); }); }
void BM_Grid40FourCells(benchmark::State &state) { Run(state, Grid); }
void BM_OpenPolyline(benchmark::State &state) {
  const int n = static_cast<int>(state.range(0));
  Run(state, [n] { Zigzag(n); });
  state.SetComplexityN(n);
}
void BM_OpenPolylineDirect(benchmark::State &state) {
  const int n = static_cast<int>(state.range(0));
  Run(state, [n] { Zigzag(n); }, 0);
  state.SetComplexityN(n);
}

}  // namespace

BENCHMARK(BM_Ipe300)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Polygon200)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Grid40FourCells)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_OpenPolyline)->Arg(50)->Arg(200)->Arg(800)->Unit(benchmark::kMicrosecond)->Complexity();
BENCHMARK(BM_OpenPolylineDirect)->Arg(50)->Arg(200)->Arg(800)->Unit(benchmark::kMicrosecond)->Complexity();
BENCHMARK_MAIN();
