// Fuzz target: any member data file is read (Read_Bauteil) without a crash, and a file that
// reads is written and read again; from the second writing on the bytes stay the same (the
// first may differ: numbers are written to six decimals, names padded and blanks joined).
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "stahl_ec3/stahl_ec3.h"
#include "support/shell.h"
#include "tests/common/written_text.h"

namespace {
std::string Write(const BAUTEIL &b) {
  int rc = 0;
  std::string s = Written_Text([&](FILE *f) { return Write_Bauteil(f, &b); }, &rc);
  if (rc) std::abort();
  return s;
}
int Read(const std::string &text, BAUTEIL *b) {
  FILE *f = fmemopen(const_cast<char *>(text.data()), text.size(), "r");
  const int rc = Read_Bauteil(f, b);
  std::fclose(f);
  return rc;
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  static const int once = (Set_Refresh_Mode(1), Set_Bauteil_Path("/nonexistent/fuzz"), 0);
  (void)once;
  if (size == 0 || size > 65536) return 0;
  BAUTEIL a{}, b{};
  const std::string text(reinterpret_cast<const char *>(data), size);
  if (Read(text, &a) == 0) {
    if (a.brandlast_count < 1) std::abort();  // a read member always has a row
    const std::string once_written = Write(a);
    if (Read(once_written, &b) != 0) std::abort();
    const std::string twice_written = Write(b);
    if (Read(twice_written, &b) != 0 || Write(b) != twice_written) std::abort();
  }
  Reset_Bauteil(&a);
  Reset_Bauteil(&b);
  return 0;
}
