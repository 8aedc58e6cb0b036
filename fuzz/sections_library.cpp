// Fuzz target: any library image is either taken whole or rejected whole; lookups,
// family and stress-check values over it never read outside the records, and every found
// name is printable and blank-free, with h, t_w and t_f above 0 and b not below.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "sections/sections.h"
#include "sections/sections_internal.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  Reset_Sections_For_Tests();
  const int n = Use_Profil_Library_Image(data, size);
  if (n >= 0 && static_cast<size_t>(n) * 160 != size) std::abort();
  if (n < 0 && Count_Profil_Library_Records() != 0) std::abort();
  // Names of the image itself (when taken) and a few fixed ones.
  char name[17] = {};
  if (size >= 16) std::memcpy(name, data, 16);
  const char *queries[] = {name, "HE280A", "HEB 300", "ipe300", "", "R 88.9 x 5.0(w)"};
  for (const char *q : queries) {
    const char *spelling = nullptr;
    const float *v = Find_Profil_in_Database(q, &spelling);
    if ((v == nullptr) != (spelling == nullptr)) std::abort();
    if (v && (!(v[5] > 0) || !(v[7] > 0) || !(v[8] > 0) || v[6] < 0)) std::abort();  // h, t_w, t_f, b
    if (spelling) {
      const size_t len = std::strlen(spelling);
      if (len == 0 || len > 16) std::abort();
      for (size_t k = 0; k < len; ++k)
        if (spelling[k] <= ' ' || spelling[k] > '~') std::abort();
    }
    float values[35];
    char code[4];
    const int found = Get_Profil_Data(q, values, code);
    if (found != (v != nullptr)) std::abort();
    (void)Get_Profil_Typ_Index(q);
    (void)Get_Profil_Typ(q);
  }
  return 0;
}
