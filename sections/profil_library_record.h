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
  PROFIL_LIB_RECORD_PLATES = 4,     // plates that cannot exist together (Profil_Library_Plates_Misfit)
};

// Why plates of these dimensions (cm, each above 0) cannot make a section of the family, or
// null when they can: a web as wide as the flange (I, channel, tee: t_w < b), flanges that
// fill the depth (I, channel, rectangular hollow: 2 t_f < h), webs that fill the width
// (rectangular hollow: 2 t_w < b), a wall that fills the tube (circular hollow: 2 t_w and
// 2 t_f < D = h), a plate as thick as a leg (tee and angle: t_w and t_f each below h and b).
// Z sections have no rule here.
inline const char *Profil_Library_Plates_Misfit(int family, double h, double b, double tw, double tf) {
  switch (family) {
    case PROFIL_FAMILY_I:
    case PROFIL_FAMILY_U:
      if (!(tw < b)) return "the web is not thinner than the flange is wide (t_w < b)";
      if (!(2 * tf < h)) return "the flanges fill the depth (2 t_f < h)";
      break;
    case PROFIL_FAMILY_RHS:
      if (!(2 * tw < b)) return "the webs fill the width (2 t_w < b)";
      if (!(2 * tf < h)) return "the flanges fill the depth (2 t_f < h)";
      break;
    case PROFIL_FAMILY_T:
    case PROFIL_FAMILY_L:
      if (!(tw < b && tw < h && tf < b && tf < h)) return "a plate is not thinner than each leg (t_w, t_f < h, b)";
      break;
    case PROFIL_FAMILY_CHS:
      if (!(2 * tw < h && 2 * tf < h)) return "the wall fills the tube (2 t < D)";
      break;
    default:
      break;
  }
  return nullptr;
}

// Checks one 160-byte record (little-endian floats): the name of places 0..3, every float,
// and the plate dimensions that a member takes from the library: each above 0, and plates
// that can exist together (Profil_Library_Plates_Misfit, by the record's family). The radii
// are left to the taking rules of the profile (a root radius of 0 is the flange thickness, a
// negative toe radius 0).
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
  const int family = static_cast<std::int32_t>(Profil_Library_Get32(record + 16));
  if (Profil_Library_Plates_Misfit(family, v[5], v[6], v[7], v[8])) return PROFIL_LIB_RECORD_PLATES;
  return PROFIL_LIB_RECORD_GOOD;
}
