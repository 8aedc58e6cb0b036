// Fuzz target: any profile block is read (Read_Profil) without a crash, and a block that
// reads is written and read again; from the second writing on the bytes stay the same. (The
// first writing may differ from the second: numbers are written to six decimals, and a
// value derived on reading, such as G from E and nu, follows the rounded E.)
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "profil/profil.h"
#include "support/shell.h"
#include "tests/common/written_text.h"

namespace {
std::string Write(const PROFIL &p) {
  int rc = 0;
  std::string s = Written_Text([&](FILE *f) { return Write_Profil(f, &p); }, &rc);
  if (rc) std::abort();
  return s;
}
int Read(const std::string &text, PROFIL *p) {
  FILE *f = fmemopen(const_cast<char *>(text.data()), text.size(), "r");
  const int rc = Read_Profil(f, p);
  std::fclose(f);
  return rc;
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  static const int once = (Set_Refresh_Mode(1), Set_Bauteil_Path("/nonexistent/fuzz"), 0);
  (void)once;
  if (size == 0 || size > 65536) return 0;
  PROFIL p{}, q{};
  const std::string text(reinterpret_cast<const char *>(data), size);
  if (Read(text, &p) == 0) {
    const std::string once_written = Write(p);
    if (Read(once_written, &q) != 0) std::abort();
    const std::string twice_written = Write(q);
    Reset_Profil(&q);
    q = PROFIL{};
    if (Read(twice_written, &q) != 0 || Write(q) != twice_written) std::abort();
  }
  Reset_Profil(&p);
  Reset_Profil(&q);
  return 0;
}
