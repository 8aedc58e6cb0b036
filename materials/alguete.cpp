// materials/alguete.cpp — aluminium alloys of EN 1999-1-1: the built-in table of 97
// alloy, temper and thickness rows with their characteristic strengths, heat-affected-zone
// values and buckling class, and a list of user-defined alloys.
#include <cctype>
#include <cstring>

#include "materials/materials.h"
#include "host/host.h"
#include "materials/materials_internal.h"
#include "support/support.h"

namespace {

// Characteristic values of EN 1999-1-1:2007+A1:2009: f0, fu (N/mm²), A (%), f0,haz,
// fu,haz (N/mm²), rho0,haz, rhou,haz, buckling class, n_p. E 70000, G 27000, nu 0.3 in
// every row (EN 1999-1-1, 3.2.5); alphaT is kept 0 in the built-in rows.
// The heat-affected-zone strengths of a non-heat-treatable alloy are one pair for all its
// work-hardened tempers (e.g. 3103: 44 and 90 N/mm²), and rho0,haz = f0,haz / f0,
// rhou,haz = fu,haz / fu rounded to two decimals, as the tables print them.
#define ALU(n, name, alloy, temper, tmin, tmax, f0, fu, A, f0h, fuh, r0, ru, bc, np) \
  {n, name, alloy, temper, tmin, tmax, 70000.0, 27000.0, 0.3, 0.0, f0, fu, A, f0h, fuh, r0, ru, bc, 0, np}

constexpr ALU_GRADE kAlu[ALU_GRADE_COUNT] = {
    // Table 3.2a, sheet, strip and plate (EN 485-2).
    ALU(0, "3004 H14", "3004", "H14", 0, 6, 180, 220, 1, 75, 155, 0.42, 0.70, "B", 23),          // 3.2a sheet t <= 6
    ALU(1, "3004 H24/H34", "3004", "H24/H34", 0, 6, 170, 220, 3, 75, 155, 0.44, 0.70, "B", 18),  // 3.2a sheet t <= 6
    ALU(2, "3004 H16", "3004", "H16", 0, 4, 200, 240, 1, 75, 155, 0.38, 0.65, "B", 25),          // 3.2a sheet t <= 4
    ALU(3, "3004 H26/H36", "3004", "H26/H36", 0, 3, 190, 240, 3, 75, 155, 0.39, 0.65, "B", 20),  // 3.2a sheet t <= 3
    ALU(4, "3005 H14", "3005", "H14", 0, 6, 150, 170, 1, 56, 115, 0.37, 0.68, "B", 38),          // 3.2a sheet t <= 6
    ALU(5, "3005 H24", "3005", "H24", 0, 6, 130, 170, 4, 56, 115, 0.43, 0.68, "B", 18),          // 3.2a sheet t <= 6
    ALU(6, "3005 H16", "3005", "H16", 0, 4, 175, 195, 1, 56, 115, 0.32, 0.59, "B", 43),          // 3.2a sheet t <= 4
    ALU(7, "3005 H26", "3005", "H26", 0, 3, 160, 195, 3, 56, 115, 0.35, 0.59, "B", 24),          // 3.2a sheet t <= 3
    ALU(8, "3103 H14", "3103", "H14", 0, 25, 120, 140, 2, 44, 90, 0.37, 0.64, "B", 31),          // 3.2a plate t <= 25
    ALU(9, "3103 H24", "3103", "H24", 0, 12.5, 110, 140, 4, 44, 90, 0.40, 0.64, "B", 20),        // 3.2a plate t <= 12.5
    ALU(10, "3103 H16", "3103", "H16", 0, 4, 145, 160, 1, 44, 90, 0.30, 0.56, "B", 48),          // 3.2a sheet t <= 4
    ALU(11, "3103 H26", "3103", "H26", 0, 4, 135, 160, 3, 44, 90, 0.33, 0.56, "B", 28),          // 3.2a sheet t <= 4
    ALU(12, "5005 O/H111", "5005", "O/H111", 0, 50, 35, 100, 15, 35, 100, 1.0, 1.0, "B", 5),     // 3.2a plate t <= 50
    ALU(13, "5005 H12", "5005", "H12", 0, 12.5, 95, 125, 2, 44, 100, 0.46, 0.80, "B", 18),       // 3.2a plate t <= 12.5
    ALU(14, "5005 H22/H32", "5005", "H22/H32", 0, 12.5, 80, 125, 4, 44, 100, 0.55, 0.80, "B", 11),  // 3.2a t <= 12.5
    ALU(15, "5005 H14", "5005", "H14", 0, 12.5, 120, 145, 2, 44, 100, 0.37, 0.69, "B", 25),      // 3.2a plate t <= 12.5
    ALU(16, "5005 H24/H34", "5005", "H24/H34", 0, 12.5, 110, 145, 3, 44, 100, 0.40, 0.69, "B", 17),  // 3.2a t <= 12.5
    ALU(17, "5052 H12", "5052", "H12", 0, 40, 160, 210, 4, 80, 170, 0.50, 0.81, "B", 17),        // 3.2a plate t <= 40
    ALU(18, "5052 H22/H32", "5052", "H22/H32", 0, 40, 130, 210, 5, 80, 170, 0.62, 0.81, "B", 10),  // 3.2a plate t <= 40
    ALU(19, "5052 H14", "5052", "H14", 0, 25, 180, 230, 3, 80, 170, 0.44, 0.74, "B", 19),        // 3.2a plate t <= 25
    ALU(20, "5052 H24/H34", "5052", "H24/H34", 0, 25, 150, 230, 4, 80, 170, 0.53, 0.74, "B", 11),  // 3.2a plate t <= 25
    ALU(21, "5049 O/H111", "5049", "O/H111", 0, 100, 80, 190, 12, 80, 190, 1.0, 1.0, "B", 6),    // 3.2a plate t <= 100
    ALU(22, "5049 H14", "5049", "H14", 0, 25, 190, 240, 3, 100, 190, 0.53, 0.79, "B", 20),       // 3.2a plate t <= 25
    ALU(23, "5049 H24/H34", "5049", "H24/H34", 0, 25, 160, 240, 6, 100, 190, 0.63, 0.79, "B", 12),  // 3.2a plate t <= 25
    ALU(24, "5454 O/H111", "5454", "O/H111", 0, 80, 85, 215, 12, 85, 215, 1.0, 1.0, "B", 5),     // 3.2a plate t <= 80
    ALU(25, "5454 H14", "5454", "H14", 0, 25, 220, 270, 2, 105, 215, 0.48, 0.80, "B", 22),       // 3.2a plate t <= 25
    ALU(26, "5454 H24/H34", "5454", "H24/H34", 0, 25, 200, 270, 4, 105, 215, 0.53, 0.80, "B", 15),  // 3.2a plate t <= 25
    ALU(27, "5754 O/H111", "5754", "O/H111", 0, 100, 80, 190, 12, 80, 190, 1.0, 1.0, "B", 6),    // 3.2a plate t <= 100
    ALU(28, "5754 H14", "5754", "H14", 0, 25, 190, 240, 3, 100, 190, 0.53, 0.79, "B", 20),       // 3.2a plate t <= 25
    ALU(29, "5754 H24/H34", "5754", "H24/H34", 0, 25, 160, 240, 6, 100, 190, 0.63, 0.79, "B", 12),  // 3.2a plate t <= 25
    ALU(30, "5083 O/H111 ¾ 50"_cp, "5083", "O/H111, t ¾ 50 mm"_cp, 0, 50, 125, 275, 11, 125, 275, 1.0, 1.0, "B", 6),
    // ^ 3.2a plate t <= 50
    ALU(31, "5083 O/H111 > 50", "5083", "O/H111, 50 < t ¾ 80 mm"_cp, 50, 80, 115, 270, 14, 115, 270, 1.0, 1.0, "B",
        6),  // 3.2a plate 50 < t <= 80
    ALU(32, "5083 H12", "5083", "H12", 0, 40, 250, 305, 3, 155, 275, 0.62, 0.90, "B", 22),       // 3.2a plate t <= 40
    ALU(33, "5083 H22/H32", "5083", "H22/H32", 0, 40, 215, 305, 5, 155, 275, 0.72, 0.90, "B", 14),  // 3.2a plate t <= 40
    ALU(34, "5083 H14", "5083", "H14", 0, 25, 280, 340, 2, 155, 275, 0.55, 0.81, "B", 22),       // 3.2a plate t <= 25
    ALU(35, "5083 H24/H34", "5083", "H24/H34", 0, 25, 250, 340, 4, 155, 275, 0.62, 0.81, "B", 14),  // 3.2a plate t <= 25
    ALU(36, "6061 T4/T451", "6061", "T4/T451", 0, 12.5, 110, 205, 12, 95, 150, 0.86, 0.73, "B", 8),  // 3.2a t <= 12.5
    ALU(37, "6061 T6/T651", "6061", "T6/T651", 0, 12.5, 240, 290, 6, 115, 175, 0.48, 0.60, "A", 23),  // 3.2a t <= 12.5
    ALU(38, "6061 T651", "6061", "T651", 12.5, 80, 240, 290, 6, 115, 175, 0.48, 0.60, "A", 23),  // 3.2a 12.5 < t <= 80
    ALU(39, "6082 T4/T451", "6082", "T4/T451", 0, 12.5, 110, 205, 12, 100, 160, 0.91, 0.78, "B", 8),  // 3.2a t <= 12.5
    ALU(40, "6082 T61/T6151", "6082", "T61/T6151", 0, 12.5, 205, 280, 10, 125, 185, 0.61, 0.66, "A", 15),
    // ^ 3.2a plate t <= 12.5
    ALU(41, "6082 T6151", "6082", "T6151", 12.5, 100, 200, 275, 12, 125, 185, 0.63, 0.67, "A", 14),  // 12.5 < t <= 100
    ALU(42, "6082 T6/T651 ¾ 6"_cp, "6082", "T6/T651, t ¾ 6 mm"_cp, 0, 6, 260, 310, 6, 125, 185, 0.48, 0.60, "A", 25),
    // ^ 3.2a sheet t <= 6
    ALU(43, "6082 T6/T651 > 6", "6082", "T6/T651, 6 < t ¾ 12,5 mm"_cp, 6, 12.5, 255, 300, 9, 125, 185, 0.49, 0.62,
        "A", 27),  // 3.2a plate 6 < t <= 12.5
    ALU(44, "6082 T651", "6082", "T651", 12.5, 100, 240, 295, 7, 125, 185, 0.52, 0.63, "A", 21),  // 3.2a 12.5 < t <= 100
    ALU(45, "7020 T6", "7020", "T6", 0, 12.5, 280, 350, 7, 205, 280, 0.73, 0.80, "A", 19),       // 3.2a plate t <= 12.5
    ALU(46, "7020 T651", "7020", "T651", 12.5, 40, 280, 350, 9, 205, 280, 0.73, 0.80, "A", 19),  // 3.2a 12.5 < t <= 40
    ALU(47, "8011A H14", "8011A", "H14", 0, 12.5, 110, 125, 2, 37, 85, 0.34, 0.68, "B", 31),     // 3.2a t <= 12.5
    ALU(48, "8011A H24", "8011A", "H24", 0, 12.5, 100, 125, 3, 37, 85, 0.37, 0.68, "B", 20),     // 3.2a t <= 12.5
    ALU(49, "8011A H16", "8011A", "H16", 0, 4, 130, 145, 1, 37, 85, 0.28, 0.59, "B", 33),        // 3.2a sheet t <= 4
    ALU(50, "8011A H26", "8011A", "H26", 0, 4, 120, 145, 2, 37, 85, 0.31, 0.59, "B", 21),        // 3.2a sheet t <= 4

    // Table 3.2b, extrusions of the 5xxx alloys (ET, EP, ER/B) and drawn tubes (DT).
    ALU(51, "5083 O/H111/F/H112", "5083", "O/H111/F/H112", 0, 200, 110, 270, 12, 110, 270, 1.0, 1.0, "B", 5),
    // ^ 3.2b ET, EP, ER/B t <= 200
    ALU(52, "5083 H12/22/32", "5083", "H12/22/32", 0, 10, 200, 280, 6, 135, 270, 0.68, 0.96, "B", 14),
    // ^ 3.2b DT t <= 10
    ALU(53, "5083 H14/24/34", "5083", "H14/24/34", 0, 5, 235, 300, 4, 135, 270, 0.57, 0.90, "B", 18),
    // ^ 3.2b DT t <= 5
    ALU(54, "5454 O/H111/F/H112", "5454", "O/H111/F/H112", 0, 25, 85, 200, 16, 85, 200, 1.0, 1.0, "B", 5),
    // ^ 3.2b ET, EP, ER/B t <= 25
    ALU(55, "5754 O/H111/F/H112", "5754", "O/H111/F/H112", 0, 25, 80, 180, 14, 80, 180, 1.0, 1.0, "B", 6),
    // ^ 3.2b ET, EP, ER/B t <= 25
    ALU(56, "5754 H14/24/H34", "5754", "H14/24/H34", 0, 10, 180, 240, 4, 100, 180, 0.56, 0.75, "B", 16),
    // ^ 3.2b DT t <= 10

    // Table 3.2b, extruded profiles (EP: EP/O open, EP/H hollow), tubes (ET, DT), bars (ER/B).
    ALU(57, "6060 T5 ¾ 5"_cp, "6060", "T5, t ¾ 5 mm"_cp, 0, 5, 120, 160, 8, 50, 80, 0.42, 0.50, "B", 17),
    // ^ 3.2b EP, ET, ER/B t <= 5
    ALU(58, "6060 T5 > 5", "6060", "T5, 5 < t ¾ 25 mm"_cp, 5, 25, 100, 140, 8, 50, 80, 0.50, 0.57, "B", 14),
    // ^ 3.2b EP 5 < t <= 25
    ALU(59, "6060 T6 ¾ 15"_cp, "6060", "T6, t ¾ 15 mm"_cp, 0, 15, 140, 170, 8, 60, 100, 0.43, 0.59, "A", 24),
    // ^ 3.2b EP, ET, ER/B t <= 15
    ALU(60, "6060 T6 ¾ 20"_cp, "6060", "T6, t ¾ 20 mm (DT)"_cp, 0, 20, 160, 215, 12, 60, 100, 0.38, 0.47, "A", 16),
    // ^ 3.2b DT t <= 20
    ALU(61, "6060 T64", "6060", "T64, t ¾ 15 mm"_cp, 0, 15, 120, 180, 12, 60, 100, 0.50, 0.56, "A", 12),
    // ^ 3.2b EP, ET, ER/B t <= 15
    ALU(62, "6060 T66 ¾ 3"_cp, "6060", "T66, t ¾ 3 mm"_cp, 0, 3, 160, 215, 8, 65, 110, 0.41, 0.51, "A", 16),
    // ^ 3.2b EP, ET, ER/B t <= 3
    ALU(63, "6060 T66 > 3", "6060", "T66, 3 < t ¾ 25 mm"_cp, 3, 25, 150, 195, 8, 65, 110, 0.43, 0.56, "A", 18),
    // ^ 3.2b EP, ET, ER/B 3 < t <= 25
    ALU(64, "6061 T4 < 25", "6061", "T4, t ¾ 25 mm"_cp, 0, 25, 110, 180, 15, 95, 150, 0.86, 0.83, "B", 8),
    // ^ 3.2b EP, ET, ER/B t <= 25
    ALU(65, "6061 T4 ¾ 20"_cp, "6061", "T4, t ¾ 20 mm (DT)"_cp, 0, 20, 110, 180, 15, 95, 150, 0.86, 0.83, "B", 8),
    // ^ 3.2b DT t <= 20 (the table gives drawn tube the values of the EP, ET, ER/B row)
    ALU(66, "6061 T6 < 25", "6061", "T6, t ¾ 25 mm"_cp, 0, 25, 240, 260, 8, 115, 175, 0.48, 0.67, "A", 55),
    // ^ 3.2b EP, ET, ER/B; the row name's range t < 25 (the table's row ends at t <= 20)
    ALU(67, "6061 T6 ¾ 20"_cp, "6061", "T6, t ¾ 20 mm (DT)"_cp, 0, 20, 240, 260, 8, 115, 175, 0.48, 0.67, "A", 55),
    // ^ 3.2b DT t <= 20 (the table gives drawn tube the values of the EP, ET, ER/B row)
    ALU(68, "6063 T5 ¾ 3"_cp, "6063", "T5, t ¾ 3 mm"_cp, 0, 3, 130, 175, 8, 60, 100, 0.46, 0.57, "B", 16),
    // ^ 3.2b EP, ET, ER/B t <= 3
    ALU(69, "6063 T5 > 3", "6063", "T5, 3 < t ¾ 25 mm"_cp, 3, 25, 110, 160, 7, 60, 100, 0.55, 0.63, "B", 13),
    // ^ 3.2b EP 3 < t <= 25
    ALU(70, "6063 T6 ¾ 25"_cp, "6063", "T6, t ¾ 25 mm"_cp, 0, 25, 160, 195, 8, 65, 110, 0.41, 0.56, "A", 24),
    // ^ 3.2b EP, ET, ER/B t <= 25
    ALU(71, "6063 T6 ¾ 20"_cp, "6063", "T6, t ¾ 20 mm (DT)"_cp, 0, 20, 190, 220, 10, 65, 110, 0.34, 0.50, "A", 31),
    // ^ 3.2b DT t <= 20
    ALU(72, "6063 T66 ¾ 10"_cp, "6063", "T66, t ¾ 10 mm"_cp, 0, 10, 200, 245, 8, 75, 130, 0.38, 0.53, "A", 22),
    // ^ 3.2b EP, ET, ER/B t <= 10
    ALU(73, "6063 T66 > 10", "6063", "T66, 10 < t ¾ 25 mm"_cp, 10, 25, 180, 225, 8, 75, 130, 0.42, 0.58, "A", 21),
    // ^ 3.2b EP 10 < t <= 25
    ALU(74, "6063 T66 ¾ 20"_cp, "6063", "T66, t ¾ 20 mm (DT)"_cp, 0, 20, 195, 230, 10, 75, 130, 0.38, 0.57, "A", 28),
    // ^ 3.2b DT t <= 20
    ALU(75, "6005A T6 ¾ 5"_cp, "6005A", "T6, t ¾ 5 mm (EP/O)"_cp, 0, 5, 225, 270, 8, 115, 165, 0.51, 0.61, "A", 25),
    // ^ 3.2b EP/O, ER/B t <= 5 (open profiles)
    ALU(76, "6005A T6 ¾ 10"_cp, "6005A", "T6, 5 < t ¾ 10 mm (EP/O)"_cp, 5, 10, 215, 260, 8, 115, 165, 0.53, 0.63, "A",
        24),  // 3.2b EP/O, ER/B 5 < t <= 10 (open profiles)
    ALU(77, "6005A T6 > 10", "6005A", "T6, 10 < t ¾ 25 mm (EP/O)"_cp, 10, 25, 200, 250, 8, 115, 165, 0.58, 0.66, "A",
        20),  // 3.2b EP/O, ER/B 10 < t <= 25 (open profiles)
    ALU(78, "6005A T6 ¾ 5"_cp, "6005A", "T6, t ¾ 5 mm (EP/H)"_cp, 0, 5, 215, 255, 8, 115, 165, 0.53, 0.65, "A", 26),
    // ^ 3.2b EP/H, ET t <= 5 (hollow profiles)
    ALU(79, "6005A T6 > 5", "6005A", "T6, 5 < t ¾ 10 mm (EP/H)"_cp, 5, 10, 200, 250, 8, 115, 165, 0.58, 0.66, "A",
        20),  // 3.2b EP/H, ET 5 < t <= 10 (hollow profiles)
    ALU(80, "6106 T6", "6106", "T6, t ¾ 10 mm"_cp, 0, 10, 200, 250, 8, 95, 160, 0.48, 0.64, "A", 20),
    // ^ 3.2b EP t <= 10
    ALU(81, "6082 T4", "6082", "T4, t ¾ 25 mm"_cp, 0, 25, 110, 205, 14, 100, 160, 0.91, 0.78, "B", 8),
    // ^ 3.2b EP, ET, ER/B t <= 25
    ALU(82, "6082 T5", "6082", "T5, t ¾ 5 mm"_cp, 0, 5, 230, 270, 8, 125, 185, 0.54, 0.69, "A", 28),
    // ^ 3.2b EP t <= 5
    ALU(83, "6082 T6 ¾ 5 (EP,ET)"_cp, "6082", "T6, t ¾ 5 mm (EP,ET)"_cp, 0, 5, 250, 290, 8, 125, 185, 0.50, 0.64, "A",
        32),  // 3.2b EP, ET t <= 5
    ALU(84, "6082 T6 > 5", "6082", "T6, 5 < t ¾ 15 mm (EP,ET)"_cp, 5, 15, 260, 310, 10, 125, 185, 0.48, 0.60, "A",
        25),  // 3.2b EP, ET 5 < t <= 15
    ALU(85, "6082 T6 ¾ 20"_cp, "6082", "T6, t ¾ 20 mm (ER/B)"_cp, 0, 20, 250, 295, 8, 125, 185, 0.50, 0.63, "A", 27),
    // ^ 3.2b ER/B t <= 20
    ALU(86, "6082 T6 > 20", "6082", "T6, 20 < t ¾ 150 mm (ER/B)"_cp, 20, 150, 260, 310, 8, 125, 185, 0.48, 0.60, "A",
        25),  // 3.2b ER/B 20 < t <= 150
    ALU(87, "6082 T6 ¾ 5 (DT)"_cp, "6082", "T6, t ¾ 5 mm (DT)"_cp, 0, 5, 255, 310, 8, 125, 185, 0.49, 0.60, "A", 22),
    // ^ 3.2b DT t <= 5
    ALU(88, "6082 T6 > 5 (DT)", "6082", "T6, 5 < t ¾ 20 mm (DT)"_cp, 5, 20, 240, 310, 10, 125, 185, 0.52, 0.60, "A",
        17),  // 3.2b DT 5 < t <= 20
    ALU(89, "7020 T6 ¾ 15"_cp, "7020", "T6, t ¾ 15 mm"_cp, 0, 15, 290, 350, 10, 205, 280, 0.71, 0.80, "A", 23),
    // ^ 3.2b EP, ET, ER/B t <= 15
    ALU(90, "7020 T6 ¾ 40"_cp, "7020", "T6, 15 < t ¾ 40 mm"_cp, 15, 40, 275, 350, 10, 205, 280, 0.75, 0.80, "A", 19),
    // ^ 3.2b EP, ET, ER/B 15 < t <= 40
    ALU(91, "7020 T6 ¾ 20"_cp, "7020", "T6, t ¾ 20 mm (DT)"_cp, 0, 20, 280, 350, 10, 205, 280, 0.73, 0.80, "A", 19),
    // ^ 3.2b DT t <= 20

    // Table 3.2c, forgings (EN 586-2), longitudinal (L) and transverse (T) direction; the
    // table gives no heat-affected-zone reduction: f0,haz, fu,haz as the base values, rho 0.
    ALU(92, "5754 H112 (L)", "5754", "H112 (L)", 0, 150, 80, 180, 15, 80, 180, 0, 0, "B", 0),    // 3.2c t <= 150, L
    ALU(93, "5083 H112 (L)", "5083", "H112 (L)", 0, 150, 120, 270, 12, 120, 270, 0, 0, "B", 0),  // 3.2c t <= 150, L
    ALU(94, "5083 H112 (T)", "5083", "H112 (T)", 0, 150, 110, 260, 10, 110, 260, 0, 0, "B", 0),  // 3.2c t <= 150, T
    ALU(95, "6082 T6 (L)", "6082", "T6 (L)", 0, 100, 260, 310, 6, 260, 310, 0, 0, "A", 0),       // 3.2c t <= 100, L
    ALU(96, "6082 T6 (T)", "6082", "T6 (T)", 0, 100, 260, 310, 5, 260, 310, 0, 0, "A", 0),       // 3.2c t <= 100, T
};
#undef ALU

// Row for codes not in the table.
constexpr ALU_GRADE kFallback = {97,    "?????", "?????", "?????", 0,    10,  70000, 27000, 0.3, 2.3e-5,
                                 180.0, 220.0,   1.0,     75.0,    155.0, 0.42, 0.7,  "A",   0,   0};

constexpr int kGrowBy = 10;
const char kEmpty[] = "";

struct AlgueteState {
  ALU_GRADE *user = nullptr;  // owned rows; name, alloy, temper owned unless kEmpty
  int count = 0;
  int capacity = 0;
  int last_found = -1;
} g;

void _Free_Text(const char *&text) {
  if (text && text != kEmpty) MEM_FREE(const_cast<char *>(text));
  text = kEmpty;
}

const char *_Copy_Text(const char *text) {
  if (!text) return kEmpty;
  char *copy = MEM_STRDUP(text);
  return copy ? copy : kEmpty;
}

int _Find_User(int code) {
  if (g.count == 0) return -1;
  const int key = (code & 0x7FFF) | ALGUETE_USER_BIT;
  if (g.last_found >= 0 && g.last_found < g.count && g.user[g.last_found].number == key) return g.last_found;
  for (int k = 0; k < g.count; ++k) {
    if (g.user[k].number == key) {
      g.last_found = k;
      return k;
    }
  }
  return -1;
}

// Row of a code, null when the code names no row.
const ALU_GRADE *_Lookup(int code) {
  const int c = code & 0xFFFF;
  if (c & ALGUETE_USER_BIT) {
    const int k = _Find_User(c);
    return k < 0 ? nullptr : &g.user[k];
  }
  if (c < ALU_GRADE_COUNT) return &kAlu[c];
  return nullptr;
}

}  // namespace

const ALU_GRADE *Get_Alguete_Record(int code) {
  const ALU_GRADE *r = _Lookup(code);
  return r ? r : &kFallback;
}

double Get_Alguete_t_min(int code) { return Get_Alguete_Record(code)->t_min; }
double Get_Alguete_t_max(int code) { return Get_Alguete_Record(code)->t_max; }
double Get_Alguete_f0(int code) { return Get_Alguete_Record(code)->f0; }
double Get_Alguete_fu(int code) { return Get_Alguete_Record(code)->fu; }

double Get_Alguete_E_G(int code, double *G) {
  const ALU_GRADE *r = Get_Alguete_Record(code);
  if (G) *G = r->G;
  return r->E;
}

const char *Get_Alguete_Name(int code) { return Get_Alguete_Record(code)->name; }
const char *Get_Alguete_Alloy(int code) { return Get_Alguete_Record(code)->alloy; }
const char *Get_Alguete_Temper(int code) { return Get_Alguete_Record(code)->temper; }

int Get_Alguete_Buckling_Class(int code) {
  const ALU_GRADE *r = _Lookup(code);
  if (!r || !r->buckling_class) return 0;
  return std::toupper(static_cast<unsigned char>(r->buckling_class[0])) == 'B' && r->buckling_class[1] == '\0';
}

int Set_User_Alguete(const ALU_GRADE *row) {
  if (!row) return 0;
  Host_Register_Reset(&Reset_Materials_For_Tests);  // Host_Reset empties the user lists
  const int number = (row->number & 0x7FFF) | ALGUETE_USER_BIT;
  int k = _Find_User(number);
  if (k < 0) {
    if (g.count == g.capacity) {
      void *grown = MEM_REALLOC(g.user, sizeof(ALU_GRADE) * static_cast<std::size_t>(g.capacity + kGrowBy));
      if (!grown) return 0;
      g.user = static_cast<ALU_GRADE *>(grown);
      g.capacity += kGrowBy;
    }
    k = g.count++;
    g.user[k].name = g.user[k].alloy = g.user[k].temper = kEmpty;
  } else {
    _Free_Text(g.user[k].name);
    _Free_Text(g.user[k].alloy);
    _Free_Text(g.user[k].temper);
  }
  ALU_GRADE copy = *row;
  copy.number = number;
  copy.name = _Copy_Text(row->name);
  copy.alloy = _Copy_Text(row->alloy);
  copy.temper = _Copy_Text(row->temper);
  const char *bc = row->buckling_class;
  const bool is_b = bc && (bc[0] == 'B' || bc[0] == 'b') && bc[1] == '\0';
  copy.buckling_class = is_b ? "B" : "A";
  g.user[k] = copy;
  return number;
}

int Remove_User_Alguete(int code) {
  if (!(code & ALGUETE_USER_BIT)) return 0;
  const int k = _Find_User(code);
  if (k < 0) return 0;
  _Free_Text(g.user[k].name);
  _Free_Text(g.user[k].alloy);
  _Free_Text(g.user[k].temper);
  for (int j = k + 1; j < g.count; ++j) g.user[j - 1] = g.user[j];
  --g.count;
  g.last_found = -1;
  return 1;
}

void Clear_User_Alguete() {
  for (int k = 0; k < g.count; ++k) {
    _Free_Text(g.user[k].name);
    _Free_Text(g.user[k].alloy);
    _Free_Text(g.user[k].temper);
  }
  g.count = 0;
  g.last_found = -1;
}

int Get_User_Alguete_Count() { return g.count; }

const ALU_GRADE *Get_User_Alguete_Row(int index) {
  if (index < 0 || index >= g.count) return &kFallback;
  return &g.user[index];
}

const ALU_GRADE *Get_Alguete_Fallback_Row() { return &kFallback; }

void Reset_Alguete_For_Tests() {
  Clear_User_Alguete();
  MEM_FREE(g.user);
  g = AlgueteState{};
}
