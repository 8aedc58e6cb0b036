// bench/library_profile.h — a library profile with its grade's strengths at its flange
// thickness, as the member flow hands it to the checks; reset when it goes out of scope.
#pragma once

#include "materials/materials.h"
#include "profil/profil.h"
#include "sections/sections.h"

struct BenchProfile {
  PROFIL p{};
  bool ok = false;
  explicit BenchProfile(const char *name) {
    Init_Material_Data(&p.grade);
    ok = Set_Profil_by_Library_Name(&p, name) == 0;
    if (ok) Check_Material_Strength(&p.grade, p.t_fo, nullptr, 0, nullptr);
  }
  ~BenchProfile() { Reset_Profil(&p); }
  BenchProfile(const BenchProfile &) = delete;
  BenchProfile &operator=(const BenchProfile &) = delete;
};
