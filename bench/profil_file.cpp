// R7-PLAX sections of 10 000 nodes and 10 000 lines: the exchange file read into an entry
// and taken over (Read_XPRT_Result, Set_Profil_from_QImport), and the profile block
// written and read back (Write_Profil, Read_Profil).
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "profil/profil.h"
#include "support/shell.h"

namespace {

constexpr int kN = 10000;

// A line model: a zig-zag of kN nodes and kN lines (the last one closing the chain).
void Write_Exchange_File(const char *path) {
  FILE *f = std::fopen(path, "w");
  std::fprintf(f, "OBJECT\n1 13 14\nNODES %d\n", kN);
  for (int k = 1; k <= kN; ++k) std::fprintf(f, "%d %.4f %.4f\n", k, 0.37 * k, (k % 2) * 1.25);
  std::fprintf(f, "LINES %d\nNEWLINES\n", kN);
  for (int k = 1; k <= kN; ++k)
    std::fprintf(f, "%d %d %d 0 0 0.8 0.8 0 0 0.1 0.1 0.2 0.2 0 0 0\n", k, k, k % kN + 1);
  std::fprintf(f, "-1\nVALUES\n.A__ 35.2\n.IT_ 2.5\n.YMX 3700\n.ZMN 0\n");
  std::fclose(f);
}

PROFIL Taken_Section() {
  PROFIL p{};
  Reset_Profil(&p);
  p.kind = PROFIL_KIND_QUER;
  p.entry = New_QImport_Entry();
  Add_QImport_Reference(p.entry, +1);
  Read_XPRT_Result(p.entry);
  Set_Profil_from_QImport(&p, 0);
  return p;
}

void BM_Read_XPRT_And_Take_Over(benchmark::State &state) {
  Set_XPRT_Filename("bench_profil_file.XPR");
  Write_Exchange_File(Get_XPRT_Path());
  for (auto _ : state) {
    PROFIL p = Taken_Section();
    if (p.node_count != kN || p.line_count != kN) state.SkipWithError("section not taken");
    Reset_Profil(&p);
    Purge_QImport_Entries();
  }
  std::remove(Get_XPRT_Path());
}

void BM_Write_And_Read_Profil(benchmark::State &state) {
  Set_XPRT_Filename("bench_profil_file.XPR");
  Write_Exchange_File(Get_XPRT_Path());
  PROFIL p = Taken_Section(), q{};
  std::remove(Get_XPRT_Path());
  Set_Bauteil_Path("bench_no_such_member");  // no ".XPR": the block's lists are kept
  for (auto _ : state) {
    char *buf = nullptr;
    size_t len = 0;
    FILE *f = open_memstream(&buf, &len);
    Write_Profil(f, &p);
    std::fclose(f);
    f = fmemopen(buf, len, "r");
    if (Read_Profil(f, &q) || q.line_count != kN) state.SkipWithError("block not read");
    std::fclose(f);
    std::free(buf);
  }
  Reset_Profil(&p);
  Reset_Profil(&q);
}

}  // namespace

BENCHMARK(BM_Read_XPRT_And_Take_Over)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK(BM_Write_And_Read_Profil)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

BENCHMARK_MAIN();
