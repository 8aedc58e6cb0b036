// Fuzz target: the mask description reader takes any bytes without reading past them or
// leaking; a mask it accepts is written back, and that text reads and writes again to the
// same bytes.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "analysis/masque.h"
#include "tests/common/written_text.h"

namespace {

std::string Write(const MASQUE *mask) {
  int rc = 0;
  std::string s = Written_Text([&](FILE *f) { return Write_Masque_Querschnitt(f, mask); }, &rc);
  if (!rc) std::abort();  // a mask the reader built is writable
  return s;
}

MASQUE *Read(const void *data, size_t size) {
  if (size == 0) return nullptr;
  FILE *f = fmemopen(const_cast<void *>(data), size, "r");
  if (!f) return nullptr;
  MASQUE *mask = Read_Masque_Querschnitt(f);
  std::fclose(f);
  return mask;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  MASQUE *mask = Read(data, size);
  if (!mask) return 0;
  const std::string first = Write(mask);
  Destroy_Masque_Querschnitt(mask);
  MASQUE *again = Read(first.data(), first.size());
  if (!again) std::abort();
  if (Write(again) != first) std::abort();
  Destroy_Masque_Querschnitt(again);
  return 0;
}
