// checks/stress_check.cpp — module state of the stress check of a member section and the
// names of its result files.
#include <string>

#include "checks/checks.h"
#include "checks/checks_internal.h"
#include "support/shell.h"

namespace {

struct StressState {
  int result_files = 0;
  int plo_flag = 0;
  int result_number = 0;
  double constant = 150.0;  // stress-strain constant of the plastic limit state
  std::string suffix;       // "_%d" of the result number
  std::string file_name;
};
StressState s;

}  // namespace

void Set_Stress_Result_Files(int on) { Checks_Register_Reset(), s.result_files = on; }
void Set_Stress_PLO_Flag(int on) { Checks_Register_Reset(), s.plo_flag = on; }
void Set_Stress_Result_Number(int number) { Checks_Register_Reset(), s.result_number = number; }
void Set_Stress_Check_Constant(double c) { Checks_Register_Reset(), s.constant = c; }
int Get_Stress_Result_Files() { return s.result_files; }
int Get_Stress_PLO_Flag() { return s.plo_flag; }
double Get_Stress_Check_Constant() { return s.constant; }

// Formatted into a string, not a fixed buffer: "_" and a negative ten-digit number take 12
// characters before the terminator.
const char *Get_Stress_Result_Suffix() {
  s.suffix = "_" + std::to_string(s.result_number);
  return s.suffix.c_str();
}

const char *Get_Stress_Result_File_Name(char kind) {
  const char *stem = Get_Bauteil_Path();
  s.file_name = stem ? stem : "";
  s.file_name += Get_File_Number_Suffix();
  s.file_name += Get_Stress_Result_Suffix();
  s.file_name += kind == 'p' ? "p.res" : "e.res";
  return s.file_name.c_str();
}

double Round_Stress_Utilisation(double u) { return u > 1.0 && u < 1.001 ? 1.0 : u; }

void Reset_Stress_Check_State() {
  s = StressState{};
}
