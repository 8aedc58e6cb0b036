// checks/check_options.cpp — module state of the checks, the option words and the kept
// results of the plastic methods.
#include <cmath>
#include <cstdint>

#include "checks/checks.h"
#include "checks/checks_internal.h"
#include "host/host.h"
#include "sections/sections.h"

namespace {

struct ChecksState {
  int32_t standard = CHECK_STANDARD_AUTO;
  uint32_t en_symbols = 0;
  int32_t keep = 0;
  CHECK_KEPT_RESULTS kept{};
  void (*free_limit_strain)(PLO_POINT_LIST *) = nullptr;
  void (*free_line_section)(TSV_EX_LINE_LIST *) = nullptr;
  double c_al = 1.2;
  bool registered = false;
};
ChecksState g;

constexpr double kDefaultCAl = 1.2;

}  // namespace

void Checks_Register_Reset() {
  if (!g.registered) {
    g.registered = true;
    Host_Register_Reset(Reset_Checks_For_Tests);
  }
}

int32_t Set_Check_Standard(int32_t standard) {
  Checks_Register_Reset();
  const int32_t old = g.standard;
  if (standard != old) {
    g.standard = standard;
    Invalidate_Profil_Section_Cache();  // the section model depends on the standard
  }
  return old;
}

int32_t Get_Check_Standard() { return g.standard; }

int32_t Resolve_Check_Standard(int32_t profile_type, int32_t flag) {
  if (g.standard != CHECK_STANDARD_AUTO) return g.standard;
  if (flag == 0) return 4;
  return profile_type == 12 ? 7 : 1;
}

uint32_t Set_Check_EN_Symbols(uint32_t word) {
  Checks_Register_Reset();
  const uint32_t old = g.en_symbols;
  g.en_symbols = word;
  return old;
}

uint32_t Get_Check_EN_Symbols() { return g.en_symbols; }

int32_t Set_Check_Keep_Results(int32_t on) {
  Checks_Register_Reset();
  const int32_t old = g.keep;
  g.keep = on ? 1 : 0;
  return old;
}

int32_t Get_Check_Keep_Results() { return g.keep; }

CHECK_KEPT_RESULTS *Get_Check_Kept_Results() { return g.keep ? &g.kept : nullptr; }

void Set_Check_Kept_Free(void (*free_limit_strain)(PLO_POINT_LIST *), void (*free_line_section)(TSV_EX_LINE_LIST *)) {
  Checks_Register_Reset();
  g.free_limit_strain = free_limit_strain;
  g.free_line_section = free_line_section;
}

void Clear_Check_Kept_Results() {
  CHECK_KEPT_RESULTS k = g.kept;
  g.kept = CHECK_KEPT_RESULTS{};
  if (k.limit_strain && g.free_limit_strain) g.free_limit_strain(k.limit_strain);
  if (k.line_section && g.free_line_section) g.free_line_section(k.line_section);
}

double Set_Alu_Interaction_C(double c) {
  Checks_Register_Reset();
  const double old = g.c_al;
  g.c_al = c > 0.0 ? c : kDefaultCAl;
  return old;
}

double Get_Alu_Interaction_C() { return g.c_al; }

void Split_Check_Option_Word(float word, int32_t *high, int32_t *low) {
  int32_t v = 0;
  // Truncation toward zero; a word that no 32-bit integer holds (or NaN) counts as 0.
  if (std::fabs(word) < 2147483648.0f) v = static_cast<int32_t>(word);
  if (high) *high = v >> 16;
  if (low) *low = v & 0xFFFF;
}

CHECK_OPTIONS Decode_Check_Options(const float words[4], uint32_t kind) {
  CHECK_OPTIONS o{0, 0, 0, 0};
  if (!words) return o;
  const uint32_t k = kind & 0xFFFF;
  int32_t v[4];
  for (int i = 0; i < 4; ++i) {
    int32_t hi, lo;
    Split_Check_Option_Word(words[i], &hi, &lo);
    v[i] = (k == 1 || k == 2) ? hi : lo;
  }
  o.a = v[0];
  o.b = v[1];
  o.c = v[2];
  o.d = v[3];
  return o;
}

int Encode_Check_Option_Word(int32_t v, float *word) {
  // The word as the stress-check driver writes it; a float keeps 24 significant bits, so
  // larger values may not come back.
  const double exact = static_cast<double>(v) * 65536.0 + static_cast<double>(v) + 0.1;
  if (!(std::fabs(exact) < 2147483648.0)) return 1;
  const float w = static_cast<float>(exact);
  int32_t hi, lo;
  Split_Check_Option_Word(w, &hi, &lo);
  if (hi != v || lo != v) return 1;
  if (word) *word = w;
  return 0;
}

void Reset_Checks_For_Tests() {
  const bool registered = g.registered;
  g = ChecksState{};
  g.registered = registered;
  Set_Check_Querschnitt_Stream(nullptr);
  Set_Check_TSV_Calc_For_Tests(nullptr);
  Reset_Check_Data_Statics();
  Reset_Stress_Check_State();
}
