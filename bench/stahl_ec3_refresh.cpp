// The refresh road of the member program in process (start-up with the .INP read and the
// record checked, print list and plot file with every row's checks) on the example member
// with its three rows repeated to 100, for the elastic and the elastic-plastic method.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "stahl_ec3/stahl_ec3.h"
#include "support/shell.h"

namespace fs = std::filesystem;

namespace {

// A folder with the example member of 100 rows and the given method; returns its stem.
std::string Make_Member(int method) {
  const fs::path dir = fs::temp_directory_path() / ("stahl_ec3_bench_" + std::to_string(method));
  fs::remove_all(dir);
  fs::create_directories(dir);
  setenv("EXEC", dir.c_str(), 1);
  setenv("YRMPRIVATE", dir.c_str(), 1);
  const std::string stem = (dir / "BSP1").string();
  Set_Bauteil_Path(PF_SOURCE_DIR "/example/BSP1");
  Set_File_Number(1);
  Set_Refresh_Mode(1);
  BAUTEIL b{};
  FILE *f = Open_Bauteil_File(".INP", "r");
  const int bad = !f || Read_Bauteil(f, &b) != 0;
  if (f) std::fclose(f);
  if (bad) return "";
  BRANDLAST rows[3] = {b.brandlasten[0], b.brandlasten[1], b.brandlasten[2]};
  Alloc_Brandlasten(&b, 100);
  for (int i = 0; i < 100; ++i) b.brandlasten[i] = rows[i % 3];
  b.method = method;
  const int saved = Save_Bauteil_File((stem + "_01.INP").c_str(), &b);
  Reset_Bauteil(&b);
  return saved == 0 ? stem : "";
}

void BM_Refresh(benchmark::State &state) {
  const std::string stem = Make_Member(static_cast<int>(state.range(0)));
  if (stem.empty()) {
    state.SkipWithError("the example member cannot be read or written");
    return;
  }
  std::string args[6] = {"stahl_ec3", stem, "0", "1", "1", "-refresh"};
  char *argv[6];
  for (int i = 0; i < 6; ++i) argv[i] = args[i].data();
  for (auto _ : state)
    if (Stahl_EC3_Main(6, argv) != 1) state.SkipWithError("the refresh failed");
}

}  // namespace

// 1 elastic, 2 elastic-plastic.
BENCHMARK(BM_Refresh)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
