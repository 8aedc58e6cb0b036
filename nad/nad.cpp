// nad/nad.cpp — the built-in national-annex sets and the active set.
#include "nad/nad.h"

#include <cstring>

#include "host/host.h"

namespace {

// Built-in sets. Partial factors:
//  "EC-Standardparameter": the recommended values of
//    EN 1993-1-1, 6.1(1) NOTE 2B: gamma_M0 1.00, gamma_M1 1.00, gamma_M2 1.25;
//    EN 1993-1-8, Table 2.1: gamma_M2 1.25, gamma_M3 1.25, gamma_M3,ser 1.10,
//      gamma_M4 1.00, gamma_M5 1.00, gamma_M6,ser 1.00, gamma_M7 1.10;
//    EN 1993-1-1, 7.1 / EN 1990 A1.4: gamma_M,ser 1.00;
//    EN 1993-1-2, 2.3(1) NOTE: gamma_M,fi 1.00;
//    EN 1993-1-5, 5.1(2) NOTE 2: eta 1.20;
//    EN 1999-1-1, 6.1.3(1) NOTE: gamma_M1 1.10, gamma_M2 1.25;
//    beta_w of EN 1993-1-8 Table 4.1 unchanged (national switch off).
//  "Deutschland": the German national annexes, which differ only in
//    DIN EN 1993-1-1/NA, NDP 6.1(1): gamma_M1 1.10, and
//    DIN EN 1993-1-8/NA, NDP 4.5.3.2(6): beta_w 0.88 for S420 and 0.85 for S460
//    (national switch on); DIN EN 1999-1-1/NA keeps gamma_M1 1.10, gamma_M2 1.25,
//    DIN EN 1993-1-5/NA keeps eta 1.20.
// EC2 blocks (design situations 0 to 4; 1 accidental, 4 without a partial factor):
//  "EC-Standardparameter": EN 1992-1-1, Table 2.1N: gamma_c 1.5 (1.2 accidental),
//    gamma_s 1.15 (1.0 accidental); 3.1.6(1)P and (2)P NOTE: alpha_cc = alpha_ct = 1.0;
//    12.3.1(1) NOTE: alpha_cc,pl = alpha_ct,pl = 0.8.
//  "Deutschland": DIN EN 1992-1-1/NA, Table 2.1DE: gamma_c 1.5 (1.3 accidental),
//    gamma_s 1.15 (1.0 accidental); NDP 3.1.6(1)P and (2)P: alpha_cc = alpha_ct = 0.85;
//    NDP 12.3.1(1): alpha_cc,pl = alpha_ct,pl = 0.70.
constexpr NAD_RECORD kBuiltIn[] = {
    {"EC-Standardparameter",
     {0, 1.00, 1.00, 1.25, 1.25, 1.00, 1.00, 1.00, 1.10, 1.10, 1.00, 1.00, 1.20},
     {1.10, 1.25},
     {0, {1.5, 1.2, 1.5, 1.5, 1.0}, {1.15, 1.0, 1.15, 1.15, 1.15}, 1.0, 1.0, 0.8, 0.8}},
    {"Deutschland",
     {1, 1.00, 1.10, 1.25, 1.25, 1.00, 1.00, 1.00, 1.10, 1.10, 1.00, 1.00, 1.20},
     {1.10, 1.25},
     {0, {1.5, 1.3, 1.5, 1.5, 1.0}, {1.15, 1.0, 1.15, 1.15, 1.15}, 0.85, 0.85, 0.70, 0.70}},
};

struct NadState {
  const NAD_RECORD *active = &kBuiltIn[0];
} g;

}  // namespace

const NAD_RECORD *Find_NAD_Record(const char *name) {
  if (!name) return nullptr;
  for (const NAD_RECORD &r : kBuiltIn)
    if (std::strcmp(r.name, name) == 0) return &r;
  return nullptr;
}

int Set_Active_NAD(const char *name) {
  const NAD_RECORD *r = Find_NAD_Record(name);
  if (!r) return 0;
  Host_Register_Reset(&Reset_NAD_For_Tests);  // Host_Reset brings the default set back
  g.active = r;
  return 1;
}

void Activate_Default_NAD() { g.active = Find_NAD_Record(NAD_DEFAULT_NAME); }

void Clear_Active_NAD() {
  Host_Register_Reset(&Reset_NAD_For_Tests);
  g.active = nullptr;
}

const NAD_RECORD *Get_Active_NAD() { return g.active; }

const char *Get_Active_NAD_Name() { return g.active ? g.active->name : ""; }

const NAD_EC3_PARAMETERS *Get_NAD_EC3_Parameters() { return g.active ? &g.active->ec3 : nullptr; }

const NAD_EC9_PARAMETERS *Get_NAD_EC9_Parameters() { return g.active ? &g.active->ec9 : nullptr; }

const NAD_EC2_PARAMETERS *Get_NAD_EC2_Parameters() { return g.active ? &g.active->ec2 : nullptr; }

void Reset_NAD_For_Tests() { g = NadState{}; }
