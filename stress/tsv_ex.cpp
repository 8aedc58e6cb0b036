// stress/tsv_ex.cpp — partial internal forces of general line sections: the front end
// that prepares the slot, packs forces, material, options and section values for the
// solver's result component (dwqb/dwqb_stress.h hooks) and prints what it returns. With
// no component installed every calculation returns 0 and the prints write nothing.
#include <cstdint>
#include <cstring>

#include "dwqb/dwqb.h"
#include "dwqb/dwqb_stress.h"
#include "print/print.h"
#include "stress/stress_methods.h"
#include "support/support.h"

namespace {

TSV_EX_RESULT Cleared() {
  TSV_EX_RESULT r{};
  r.U_pl = -1.0;
  return r;
}

// Warping is left out when neither bit 0 nor bit 2 asks and the section is stiff in St
// Venant torsion over the length L: 4.1666666666666667e-07 L² I_T ≥ I_w.
void Stiffness_Test(TSV_EX_OPTIONS *o) {
  if (o->flags & 5u) return;
  const double *v = Get_DWQB_Values()->v;
  if (4.1666666666666667e-07 * o->L * o->L * v[DWQB_V_IT] >= v[DWQB_V_IW]) o->flags |= 1u;
}

TSV_EX_OPTIONS Default_Options(uint32_t flags) {
  const double *v = Get_DWQB_Values()->v;
  TSV_EX_OPTIONS o{flags, 0, v[DWQB_V_ALPHA], v[DWQB_V_YS], v[DWQB_V_ZS], v[DWQB_V_YM], v[DWQB_V_ZM], 100.0, 0.0};
  return o;
}

void Line_Head(FILE *s, const char *p, const TSV_EX_LINE &l) {
  if (l.sub_line >= 0)
    Oli_Printf(s, "%s%3d%c:  ", p, l.nr, 'a' + l.sub_line);
  else
    Oli_Printf(s, "%s%3d:   ", p, l.nr);
}

}  // namespace

TSV_EX_LINE_LIST *Alloc_TSV_EX_Line_List(TSV_EX_LINE_LIST *list, int n) {
  TSV_EX_LINE_LIST *out = list;
  if (!out) {
    out = static_cast<TSV_EX_LINE_LIST *>(MEM_CALLOC(1, sizeof(TSV_EX_LINE_LIST)));
    if (!out) return nullptr;
  }
  if (n > out->capacity) {
    void *grown = MEM_REALLOC(out->records, sizeof(TSV_EX_LINE) * std::size_t(n));
    if (!grown) {
      if (!list) MEM_FREE(out);
      return nullptr;
    }
    out->records = static_cast<TSV_EX_LINE *>(grown);
    std::memset(out->records + out->capacity, 0, sizeof(TSV_EX_LINE) * std::size_t(n - out->capacity));
    out->capacity = n;
  }
  return out;
}

void Free_TSV_EX_Line_List(TSV_EX_LINE_LIST *list) {
  if (!list) return;
  MEM_FREE(list->records);
  MEM_FREE(list);
}

TSV_EX_LINE *Find_TSV_EX_Line(TSV_EX_LINE_LIST *list, int nr) {
  if (!list) return nullptr;
  for (int i = 0; i < list->count; ++i)
    if (list->records[i].nr == nr) return &list->records[i];
  return nullptr;
}

int TSV_EX_Querschnitt_Possible(const QS_CHECK_VIEW *view) {
  if (!DWQB_Part_Mode_Switch || !view) return 0;
  const int type = view->header.type;
  if (type == 99) return 1;
  if (view->header.catalogue > 0) {
    const int t = Get_Profil_Typ(view->name + 4);
    return t != 11 && t != 12;
  }
  return type != 11 && type != 12;
}

int Prepare_TSV_EX_Result(const uint32_t *field, QS_CHECK_VIEW *view) {
  if (view) view->values.slot.data[0] = view->values.slot.data[1] = 0.0f;
  if (!TSV_EX_Querschnitt_Possible(view)) return 2;
  view->values.slot.data[0] = view->values.slot.data[1] = 1.0f;
  view->values.slot.state = ((field ? *field : 0u) & 0xFFFFFu) | CHECK_SLOT_PREPARED;
  return 5;
}

int Calc_TSV_EX_Querschnitt(const double *forces, const double *material, const TSV_EX_OPTIONS *options,
                            TSV_EX_RESULT *result, TSV_EX_LINE_LIST **lines) {
  if (!result) return 0;
  *result = Cleared();
  if (!forces || !material) return 0;
  void *object = Get_DWQB_Hook_Result(&material[1]);
  if (!object) return 0;
  result->flags |= TSV_EX_F_REACHED;
  double f[8];
  std::memcpy(f, forces, sizeof f);
  TSV_EX_OPTIONS o = options ? *options : Default_Options(0);
  Stiffness_Test(&o);
  return Query_DWQB_Hook_Result(object, &o, f, material, result, reinterpret_cast<void **>(lines));
}

int Calc_TSV_EX_Slot(const double *forces, const double *material, const QS_CHECK_VIEW *view,
                     TSV_EX_RESULT *result, TSV_EX_LINE_LIST **lines) {
  if (!view) {
    if (result) *result = Cleared();
    return 0;
  }
  const TSV_EX_OPTIONS o = Default_Options(view->values.slot.state);
  return Calc_TSV_EX_Querschnitt(forces, material, &o, result, lines);
}

int Print_TSV_EX_Linien(FILE *stream, const char *prefix) {
  const double forces[8] = {100.0};
  const double material[2] = {23.5, 23.5};
  TSV_EX_RESULT result;
  TSV_EX_LINE_LIST *lines = nullptr;
  const int ok = Calc_TSV_EX_Querschnitt(forces, material, nullptr, &result, &lines);
  int printed = 0;
  if (ok && lines && stream) {
    const char *p = prefix ? prefix : "";
    Oli_Printf(stream, " %sLinien des Querschnitts:\n", p);
    for (int i = 0; i < lines->count; ++i) {
      const TSV_EX_LINE &l = lines->records[i];
      if (l.sub_line >= 0)
        Oli_Printf(stream, " %s%3d%c:  ", p, l.nr, 'a' + l.sub_line);
      else
        Oli_Printf(stream, " %s%3d:   ", p, l.nr);
      CP850_CALL(Oli_Printf, stream,
                 "y╬\\s╬r = %.2f cm,  z╬\\s╬r = %.2f cm,  w╬\\s╬r = %.2f cm╬/2╬r,  t = %.2f cm,  b = %.2f cm,  %s = "
                 "%.2f °\n",
                 l.y_s, l.z_s, l.w_s, l.t, l.b, kOliAlpha, l.angle * 57.29577951308232);
    }
    printed = 1;
  }
  Free_TSV_EX_Line_List(lines);
  return printed;
}

int Print_TSV_EX_Result(FILE *stream, const char *prefix, const double *forces, const TSV_EX_RESULT *result,
                        const TSV_EX_LINE_LIST *lines) {
  if (!stream || !result) return 0;
  const char *p = prefix ? prefix : "";
  if ((result->flags & TSV_EX_F_REACHED) && lines) {
    CP850_CALL(Oli_Printf, stream,
               "%sSchnittgrößen bzgl. yz-Richtung in kN, m:  My = %.2f,  Mz = %.2f,  Vy = %.2f,  Vz = %.2f\n", p,
               0.01 * result->M_y, 0.01 * result->M_z, result->V_y, result->V_z);
    CP850_CALL(Oli_Printf, stream, "%sTeilschnittgrößen der Linien des Querschnitts in kN, m:\n", p);
    for (int i = 0; i < lines->count; ++i) {
      const TSV_EX_LINE &l = lines->records[i];
      Line_Head(stream, p, l);
      if (l.kind == 1)
        Oli_Printf(stream, "Schweissnaht:");
      else
        Oli_Printf(stream, "N = %.2f,  My = %.2f,  Mz = %.2f,", l.N, 0.01 * l.M_y, 0.01 * l.M_z);
      Oli_Printf(stream, "  Vy = %.2f,  Vz = %.2f,  T = %.2f\n", l.V_y, l.V_z, 0.01 * l.T);
    }
    Oli_Printf(stream, "%sAusnutzungen der Linien des Querschnitts\n", p);
    for (int i = 0; i < lines->count; ++i) {
      const TSV_EX_LINE &l = lines->records[i];
      Line_Head(stream, p, l);
      if (l.kind == 1)
        CP850_CALL(Oli_Printf, stream, "Schweissnaht:  U╬\\%s╬r = U = %.3f\n", kOliTau, l.U);
      else
        CP850_CALL(Oli_Printf, stream, "U╬\\%s╬r = %.3f,  U╬\\%s╬r = %.3f,  U = %.3f\n", kOliSigma, l.U_sigma, kOliTau,
                   l.U_tau, l.U);
    }
  }
  if (result->flags & TSV_EX_F_LIMIT) {
    CP850_CALL(Oli_Printf, stream, "%smax. Lastfaktor (plast.): f╬\\pl╬r = %.3f\n", p, result->f_pl);
    if (result->flags & TSV_EX_F_NO_WARPING) {
      const double B = forces ? forces[7] : 0.0;
      CP850_CALL(Oli_Printf, stream, "%sVerwölbungsungleichgewicht im Grenzzustand:  %sB = %.3f kNm╬/2╬r\n", p,
                 kOliDelta, (B * result->f_pl - result->B_lim) * 0.0001);
      Oli_Printf(stream, "%sAusnutzung", p);
      CP850_CALL(Oli_Printf, stream, " (ohne Verwölbungsgleichgewicht)");
    } else {
      Oli_Printf(stream, "%sAusnutzung", p);
    }
    CP850_CALL(Oli_Printf, stream, ":  U╬\\pl╬r = %.3f\n", result->U_pl);
  }
  return 1;
}

int Record_Word1_Equals(const void *record, const void *key) {
  if (!record || !key) return 0;
  return static_cast<const int32_t *>(record)[1] == *static_cast<const int32_t *>(key);
}
int Record_Word2_Equals(const void *record, const void *key) {
  if (!record || !key) return 0;
  return static_cast<const int32_t *>(record)[2] == *static_cast<const int32_t *>(key);
}
