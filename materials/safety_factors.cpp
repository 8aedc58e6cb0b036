// materials/safety_factors.cpp — partial safety factors of the materials: record, loading
// from the active national annex, data-file block and print paragraph.
#include <cmath>
#include <cstring>

#include "materials/materials.h"
#include "nad/nad.h"
#include "print/print.h"
#include "support/shell.h"
#include "support/support.h"

void Reset_Safety_Factors(SAFETY_FACTORS *sf) {
  if (!sf) return;
  std::memset(sf, 0, sizeof *sf);
}

void Copy_Safety_Factors(const SAFETY_FACTORS *src, SAFETY_FACTORS *dst) {
  if (!dst) return;
  Reset_Safety_Factors(dst);
  if (src) *dst = *src;
}

int Compare_Safety_Factors(const SAFETY_FACTORS *a, const SAFETY_FACTORS *b) {
  if (!a || !b) return 0;
  if (a->standardised != b->standardised) return 0;
  const double fa[11] = {a->gamma_M0, a->gamma_M1, a->gamma_M2,     a->gamma_M3,  a->gamma_M4, a->gamma_M5,
                         a->gamma_M6_ser, a->gamma_M7, a->gamma_M3_ser, a->gamma_M_ser, a->gamma_M_fi};
  const double fb[11] = {b->gamma_M0, b->gamma_M1, b->gamma_M2,     b->gamma_M3,  b->gamma_M4, b->gamma_M5,
                         b->gamma_M6_ser, b->gamma_M7, b->gamma_M3_ser, b->gamma_M_ser, b->gamma_M_fi};
  for (int k = 0; k < 11; ++k)
    if (std::fabs(fa[k] - fb[k]) > 0.01) return 0;
  return 1;
}

void Load_Safety_Factors_from_NAD(SAFETY_FACTORS *sf) {
  if (!sf || !sf->standardised) return;
  const NAD_EC3_PARAMETERS *ec3 = Get_NAD_EC3_Parameters();
  if (sf->source == 0) {
    if (ec3) {
      sf->gamma_M0 = ec3->gamma_M0;
      sf->gamma_M1 = ec3->gamma_M1;
      sf->gamma_M2 = ec3->gamma_M2;
      sf->gamma_M3 = ec3->gamma_M3;
      sf->gamma_M4 = ec3->gamma_M4;
      sf->gamma_M5 = ec3->gamma_M5;
      sf->gamma_M6_ser = ec3->gamma_M6_ser;
      sf->gamma_M7 = ec3->gamma_M7;
      sf->gamma_M3_ser = ec3->gamma_M3_ser;
    }
  } else if (sf->source == 2) {
    if (const NAD_EC9_PARAMETERS *ec9 = Get_NAD_EC9_Parameters()) {
      sf->gamma_M0 = ec9->gamma_M1;
      sf->gamma_M1 = ec9->gamma_M2;
    }
  } else {
    sf->gamma_M0 = sf->gamma_M1 = sf->gamma_M2 = sf->gamma_M3 = sf->gamma_M4 = 0.0;
    sf->gamma_M5 = sf->gamma_M6_ser = sf->gamma_M7 = sf->gamma_M3_ser = 0.0;
  }
  sf->gamma_M_ser = ec3 ? ec3->gamma_M_ser : 0.0;
  sf->gamma_M_fi = ec3 ? ec3->gamma_M_fi : 0.0;
}

const void *Get_NAD_Safety_Factors(int mode, double *out) {
  if (mode == 0) {
    const NAD_EC3_PARAMETERS *ec3 = Get_NAD_EC3_Parameters();
    if (ec3 && out) {
      const double v[9] = {ec3->gamma_M0,     ec3->gamma_M1, ec3->gamma_M2, ec3->gamma_M3,    ec3->gamma_M4,
                           ec3->gamma_M5,     ec3->gamma_M6_ser, ec3->gamma_M7, ec3->gamma_M3_ser};
      std::memcpy(out, v, sizeof v);
    }
    return ec3;
  }
  if (mode == 2) {
    const NAD_EC9_PARAMETERS *ec9 = Get_NAD_EC9_Parameters();
    if (ec9 && out) {
      out[0] = ec9->gamma_M1;
      out[1] = ec9->gamma_M2;
    }
    return ec9;
  }
  if (out)
    for (int k = 0; k < 9; ++k) out[k] = 0.0;
  return nullptr;
}

double Get_NAD_Gamma_M_ser() {
  const NAD_EC3_PARAMETERS *ec3 = Get_NAD_EC3_Parameters();
  return ec3 ? ec3->gamma_M_ser : 0.0;
}

double Get_NAD_Gamma_M_fi() {
  const NAD_EC3_PARAMETERS *ec3 = Get_NAD_EC3_Parameters();
  return ec3 ? ec3->gamma_M_fi : 0.0;
}

int Write_Safety_Factors(FILE *f, const SAFETY_FACTORS *sf) {
  if (!f || !sf) return 1;
  const double v[11] = {sf->gamma_M0,     sf->gamma_M1, sf->gamma_M2,     sf->gamma_M3,    sf->gamma_M4,
                        sf->gamma_M5,     sf->gamma_M6_ser, sf->gamma_M7, sf->gamma_M3_ser, sf->gamma_M_ser,
                        sf->gamma_M_fi};
  for (double x : v)
    if (!std::isfinite(x)) return 1;  // the reader would refuse the block: nothing written
  int bad = 0;
  bad |= std::fprintf(f, " %d\n", SAFETY_FACTORS_FILE_VERSION) < 0;
  bad |= std::fprintf(f, " %d\n", sf->standardised) < 0;
  for (double x : v) bad |= std::fprintf(f, " %lf", x) < 0;
  bad |= std::fprintf(f, "\n") < 0;
  return (bad || std::ferror(f)) ? 1 : 0;
}

int Read_Safety_Factors(FILE *f, SAFETY_FACTORS *sf) {
  if (!f || !sf) return 1;
  int version;
  if (std::fscanf(f, "%d", &version) != 1 || version < 0) return 1;
  if (!Check_File_Version(version, SAFETY_FACTORS_FILE_VERSION, 0)) return 1;
  int standardised;
  if (std::fscanf(f, "%d", &standardised) != 1) return 1;
  sf->standardised = standardised;
  double *fields[11] = {&sf->gamma_M0,     &sf->gamma_M1, &sf->gamma_M2,     &sf->gamma_M3,    &sf->gamma_M4,
                        &sf->gamma_M5,     &sf->gamma_M6_ser, &sf->gamma_M7, &sf->gamma_M3_ser, &sf->gamma_M_ser,
                        &sf->gamma_M_fi};
  const int count = version >= 2 ? 11 : version == 1 ? 10 : 9;
  for (int k = 0; k < count; ++k) {
    double v;
    if (std::fscanf(f, "%lf", &v) != 1 || !std::isfinite(v)) return 1;
    *fields[k] = v;
  }
  return 0;
}

void Print_Safety_Factors(const SAFETY_FACTORS *sf, FILE *list, int mask) {
  if (!sf || !list) return;
  const char *pre = Oli_Line_Prefix();
  auto on = [mask](int bits) { return mask == 0 ? bits != SF_MASK_M5 : (mask & bits) != 0; };
  if (!sf->standardised)
    CP850_CALL(Oli_Printf, list, "%s╬SSicherheitsbeiwerte unabhängig von den Vorgaben des Eurocodes\n", pre);
  if (on(SF_MASK_M0))
    CP850_CALL(Oli_Printf, list, "%sBeanspruchbarkeit von Querschnitten └╬\\M0╬r = %.2lf\n", pre, sf->gamma_M0);
  if (on(SF_MASK_M1))
    CP850_CALL(Oli_Printf, list, "%sBeanspruchbarkeit von Bauteilen bei Stabilitätsversagen └╬\\M1╬r = %.2lf\n", pre,
               sf->gamma_M1);
  if (on(SF_MASK_M2))
    CP850_CALL(Oli_Printf, list,
               "%sBeanspruchbarkeit von Schrauben, Schweißnähten, Blechen auf Lochleibung └╬\\M2╬r = %.2lf\n", pre,
               sf->gamma_M2);
  if (on(SF_MASK_M3))
    CP850_CALL(Oli_Printf, list, "%sGleitfestigkeit (Kategorie C) └╬\\M3╬r = %.2lf\n", pre, sf->gamma_M3);
  if (on(SF_MASK_M3_SER))
    CP850_CALL(Oli_Printf, list, "%sGleitfestigkeit im GZG (Kategorie B) └╬\\M3,ser╬r = %.2lf\n", pre,
               sf->gamma_M3_ser);
  if (on(SF_MASK_M4))
    CP850_CALL(Oli_Printf, list, "%sLochleibungsbeanspruchbarkeit von Injektionsschrauben └╬\\M4╬r = %.2lf\n", pre,
               sf->gamma_M4);
  if (on(SF_MASK_M6_SER))
    CP850_CALL(Oli_Printf, list, "%sBeanspruchbarkeit von Bolzen im GZG └╬\\M6,ser╬r = %.2lf\n", pre,
               sf->gamma_M6_ser);
  if (on(SF_MASK_M5))
    CP850_CALL(Oli_Printf, list, "%sBeanspruchbarkeit von Hohlprofilverbindungen └╬\\M5╬r = %.2lf\n", pre,
               sf->gamma_M5);
  if (on(SF_MASK_M7))
    CP850_CALL(Oli_Printf, list, "%sVorspannung hochfester Schrauben └╬\\M7╬r = %.2lf\n", pre, sf->gamma_M7);
  if (on(SF_MASK_M_SER))
    CP850_CALL(Oli_Printf, list, "%sGebrauchstauglichkeit └╬\\M,ser╬r = %.2lf\n", pre, sf->gamma_M_ser);
  if (on(SF_MASK_M_FI))
    CP850_CALL(Oli_Printf, list, "%sBeanspruchbarkeit von Bauteilen im Brandfall └╬\\M,fi╬r = %.2lf\n", pre,
               sf->gamma_M_fi);
}
