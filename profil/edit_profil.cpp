// profil/edit_profil.cpp — pieces of the profile page: the family filter handed to the
// profile manager.
#include <cstdio>
#include <cstring>

#include "profil/edit_profil_internal.h"
#include "profil/profil.h"

namespace {

constexpr int kMaxAllowedTypes = 18;

// The family letter of a shape type in the profile manager; 0 for none.
char _Family_Letter(int type) {
  switch (type) {
    case PROFIL_ANGLE: return 'L';
    case PROFIL_C: case PROFIL_U: return 'U';
    case PROFIL_RHS: return 'R';
    case PROFIL_CHS: return 'K';
    case PROFIL_T: case PROFIL_HALF_I: return 'T';
    case PROFIL_Z: return 'Z';
    case PROFIL_I: case PROFIL_H: case PROFIL_DIL: case PROFIL_S: case PROFIL_W: return 'D';
    default: return type >= PROFIL_TYPE_COUNT ? 'D' : 0;  // 1, 2, 16, 17: no library family
  }
}

}  // namespace

void Build_Profil_Family_Filter(const int *types, int count, char *out, int size) {
  if (!out || size < 1) return;
  out[0] = '\0';
  if (!types) return;
  char letters[kMaxAllowedTypes + 1] = "";
  int n = 0;
  for (int k = 0; k < count && k < kMaxAllowedTypes && types[k] >= 0; ++k) {
    if (types[k] == 0) {
      std::snprintf(out, static_cast<std::size_t>(size), "%s", "ZKULTDR");
      return;
    }
    const char c = _Family_Letter(types[k]);
    if (c && !std::strchr(letters, c)) {
      letters[n++] = c;
      letters[n] = '\0';
    }
  }
  std::snprintf(out, static_cast<std::size_t>(size), "%s", letters);
}
