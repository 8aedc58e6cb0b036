// tests/common/en10365_rows.h — reference rows of rolled I and H sections from the
// tables of EN 10365:2017, as published (rounded), shared by the suites that check
// section values against them.
#pragma once

namespace en10365 {

struct Row {
  const char *name;      // as printed in the table
  const char *library;   // the profile library's spelling
  double h, b, t_w, t_f, r;  // mm
  double A;              // cm²
  double I_y, I_z;       // cm⁴
  double I_w;            // 10³ cm⁶
  double W_pl_y, W_pl_z; // cm³
  double I_t;            // cm⁴, 0 where a suite does not use it
  double A_vz;           // cm², 0 where a suite does not use it
  double U;              // surface per metre, m²/m; 0 where not used
};

inline constexpr Row kIpe300 = {"IPE 300", "IPE300", 300, 150, 7.1, 10.7, 15, 53.81, 8356, 603.8,
                                125.9, 628.4, 125.2, 20.12, 25.68, 1.160};
inline constexpr Row kHe300b = {"HE 300 B", "HE300B", 300, 300, 11, 19, 27, 149.1, 25170, 8563,
                                1688, 1869, 870.1, 185.0, 47.43, 1.732};
inline constexpr Row kHe280a = {"HE 280 A", "HE280A", 270, 280, 8, 13, 24, 97.26, 13670, 4763,
                                785.4, 1112, 518.1, 62.10, 0, 0};
inline constexpr Row kHe200a = {"HE 200 A", "HE200A", 190, 200, 6.5, 10, 18, 53.83, 3692, 1336,
                                108.0, 429.5, 203.8, 0, 0, 0};

inline constexpr Row kRows[] = {kIpe300, kHe300b, kHe280a, kHe200a};

}  // namespace en10365
