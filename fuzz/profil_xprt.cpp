// Fuzz target: any exchange file is read into an entry (Read_XPRT_Result) and taken over
// (Set_Profil_from_QImport) without a crash; a taken section keeps its limits and its
// entry reference, a failed one has empty lists and no entry.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include <unistd.h>

#include "profil/profil.h"
#include "support/shell.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  static const std::string path = "/tmp/fuzz_profil_xprt_" + std::to_string(getpid()) + ".XPR";
  static const int once = (Set_XPRT_Filename(path.c_str()), 0);
  (void)once;
  FILE *f = std::fopen(path.c_str(), "wb");
  if (!f) return 0;
  std::fwrite(data, 1, size, f);
  std::fclose(f);
  PROFIL p{};
  Reset_Profil(&p);
  p.kind = PROFIL_KIND_QUER;
  p.entry = New_QImport_Entry();
  Add_QImport_Reference(p.entry, +1);
  if (!Read_XPRT_Result(p.entry)) std::abort();
  QIMPORT_ENTRY *e = p.entry;
  const int rc = Set_Profil_from_QImport(&p, 0);
  if (p.node_count < 0 || p.node_count > 10000 || p.line_count < 0 || p.line_count > 10000) std::abort();
  if (rc && (p.entry || p.nodes || p.lines || e->ref_count != 0)) std::abort();
  if (!rc && p.entry != e) std::abort();
  for (int k = 0; k < p.node_count; ++k)
    if (p.nodes[k].y != p.nodes[k].y) std::abort();
  Reset_Profil(&p);
  Purge_QImport_Entries();
  return 0;
}
