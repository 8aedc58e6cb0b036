// nad/nad.h — national-annex parameter sets of the Eurocodes.
//
// Two built-in sets: "EC-Standardparameter" (the recommended values of the Eurocodes) and
// "Deutschland" (the German national annexes). Every design rule reads its parameters
// through the getters below from the one active set, which is process-wide.
//
// Module state: the active set (none, or one built-in set chosen by name). At program
// start, and after Reset_NAD_For_Tests (also called by Host_Reset once the active set
// was changed), the default set NAD_DEFAULT_NAME is active.
// Partial factors are dimensionless.
#pragma once

// Name of the set that is active at program start.
inline constexpr const char *NAD_DEFAULT_NAME = "EC-Standardparameter";
inline constexpr const char *NAD_GERMANY_NAME = "Deutschland";
inline constexpr int NAD_NAME_LENGTH = 64;

// EN 1993 (steel): the national choices the steel rules read, in this order.
struct NAD_EC3_PARAMETERS {
  int national_betaw;  // 1: national correlation factors beta_w of the fillet weld check
  double gamma_M0;     // resistance of cross-sections
  double gamma_M1;     // resistance of members to instability
  double gamma_M2;     // resistance of cross-sections in tension to fracture, connections
  double gamma_M3;     // slip resistance at the ultimate limit state (category C)
  double gamma_M4;     // bearing resistance of injection bolts
  double gamma_M5;     // resistance of joints in hollow section lattice girders
  double gamma_M6_ser; // resistance of pins at serviceability
  double gamma_M7;     // preload of high-strength bolts
  double gamma_M3_ser; // slip resistance at serviceability (category B)
  double gamma_M_ser;  // serviceability
  double gamma_M_fi;   // fire situation (EN 1993-1-2)
  double eta;          // factor eta of the shear buckling resistance (EN 1993-1-5)
};

// EN 1999 (aluminium): the partial factors of EN 1999-1-1, 6.1.3, in this order.
struct NAD_EC9_PARAMETERS {
  double gamma_M1;  // resistance of cross-sections and members
  double gamma_M2;  // resistance of cross-sections in tension to fracture
};

// EN 1992 (concrete): the partial factors by design situation and the coefficients of
// the design strengths, in this order. Design situations 0 to 4 are numbered as
// Calc_Concrete_gamma_c numbers them (1 accidental, 4 without a partial factor).
inline constexpr int NAD_EC2_SITUATIONS = 5;
struct NAD_EC2_PARAMETERS {
  int first_word;                       // no national choice behind it: 0 in both sets
  double gamma_c[NAD_EC2_SITUATIONS];   // concrete
  double gamma_s[NAD_EC2_SITUATIONS];   // reinforcing steel
  double alpha_cc;     // long-term effects on the compressive strength (3.1.6(1)P)
  double alpha_ct;     // the same on the tensile strength (3.1.6(2)P)
  double alpha_cc_pl;  // plain concrete (12.3.1(1))
  double alpha_ct_pl;
};

struct NAD_RECORD {
  char name[NAD_NAME_LENGTH];
  NAD_EC3_PARAMETERS ec3;
  NAD_EC9_PARAMETERS ec9;
  NAD_EC2_PARAMETERS ec2;
};

// Makes the built-in set of that name the active one; 1 when found, else 0 and the
// active set stays as it was.
int Set_Active_NAD(const char *name);
// Activates the default set NAD_DEFAULT_NAME.
void Activate_Default_NAD();
// No set active any more: the getters return null until a set is activated.
void Clear_Active_NAD();
// The active set, or null.
const NAD_RECORD *Get_Active_NAD();
// Name of the active set, or the empty text when none is active.
const char *Get_Active_NAD_Name();
// The built-in set of that name, or null.
const NAD_RECORD *Find_NAD_Record(const char *name);

// EC3 block of the active set, or null when none is active.
const NAD_EC3_PARAMETERS *Get_NAD_EC3_Parameters();
// EC9 block of the active set, or null when none is active.
const NAD_EC9_PARAMETERS *Get_NAD_EC9_Parameters();
// EC2 block of the active set, or null when none is active.
const NAD_EC2_PARAMETERS *Get_NAD_EC2_Parameters();

// Back to program start: the default set active.
void Reset_NAD_For_Tests();
