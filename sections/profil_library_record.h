// sections/profil_library_record.h — the rule for one record of the profile library file
// "PROFIL" (layout in sections/sections.h). The program's reader and the build tool
// sections/tools/make_profil_library.cpp both apply it, so that the tool never writes a
// record that the reader would refuse. Header only: the tool links no library.
#pragma once

#include <cmath>
#include <cstdint>
#include <cstring>

#include "sections/sections.h"

// The little-endian 32-bit word at p (a float's bits or the family of a record).
inline std::uint32_t Profil_Library_Get32(const unsigned char *p) {
  return static_cast<std::uint32_t>(p[0]) | static_cast<std::uint32_t>(p[1]) << 8 |
         static_cast<std::uint32_t>(p[2]) << 16 | static_cast<std::uint32_t>(p[3]) << 24;
}

// Why a record is refused; 0 when it is good.
enum : int {
  PROFIL_LIB_RECORD_GOOD = 0,
  PROFIL_LIB_RECORD_NAME = 1,       // empty, a byte that is no printable ASCII (a blank), or not NUL-padded
  PROFIL_LIB_RECORD_NOT_FINITE = 2, // a float of places 5..39 that is not finite
  PROFIL_LIB_RECORD_DIMENSION = 3,  // h, t_w or t_f not above 0; b not above 0 (a CHS: below 0)
};

// Checks one 160-byte record (little-endian floats): the name of places 0..3, every float,
// and the plate dimensions that a member takes from the library. The radii are left to the
// taking rules of the profile (a root radius of 0 is the flange thickness, a negative toe
// radius 0).
inline int Check_Profil_Library_Record(const unsigned char *record) {
  int len = 0;
  while (len < PROFIL_LIB_NAME_BYTES && record[len] != 0) {
    if (record[len] < 0x21 || record[len] > 0x7E) return PROFIL_LIB_RECORD_NAME;
    ++len;
  }
  if (len == 0) return PROFIL_LIB_RECORD_NAME;
  for (int j = len; j < PROFIL_LIB_NAME_BYTES; ++j)
    if (record[j] != 0) return PROFIL_LIB_RECORD_NAME;
  float v[PROFIL_LIB_PLACES] = {};
  for (int j = 5; j < PROFIL_LIB_PLACES; ++j) {
    const std::uint32_t bits = Profil_Library_Get32(record + 4 * j);
    std::memcpy(&v[j], &bits, sizeof v[j]);
    if (!std::isfinite(v[j])) return PROFIL_LIB_RECORD_NOT_FINITE;
  }
  const bool chs = Profil_Library_Get32(record + 16) == static_cast<std::uint32_t>(PROFIL_FAMILY_CHS);
  if (!(v[5] > 0) || !(v[7] > 0) || !(v[8] > 0) || !(chs ? v[6] >= 0 : v[6] > 0)) return PROFIL_LIB_RECORD_DIMENSION;
  return PROFIL_LIB_RECORD_GOOD;
}
