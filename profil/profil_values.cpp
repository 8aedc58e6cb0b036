// profil/profil_values.cpp — section values of a profile: the input checks and
// corrections by shape type, raised weld throats, the solver route under the closed
// formulas, the take-over of R7-PLAX values, and the strength check of the grade.
#include <cmath>
#include <cstdio>
#include <cstring>
#include <initializer_list>

#include "host/host.h"
#include "print/print.h"
#include "profil/profil.h"
#include "profil/profil_state.h"
#include "support/cp850.h"
#include "support/shell.h"

namespace {

constexpr double kLeast = 0.001;     // least dimension that counts as present (mm)
constexpr double kMinThroat = 3.0;   // least effective fillet weld throat (mm)
constexpr double kPi = 3.141592653589793;

// A failure: a print-list line when a stream is given, a host box when asked for; why, when
// not empty, follows the failure after ": ".
void _Report(const PROFIL *, FILE *stream, int show_box, const char *title, int selection, const char *why = "") {
  const char *sep = why[0] ? ": " : "";
  if (stream) {
    if (selection)
      Oli_Printf(stream, "%s%sFehler bei der Profilauswahl%s%s %s\n", Oli_Line_Prefix(), title, sep, why,
                 Oli_Mark_Red_Exclam());
    else
      Oli_Printf(stream, "%s%sFehler bei der Querschnittsbeschreibung%s%s %s\n", Oli_Line_Prefix(), title, sep, why,
                 Oli_Mark_Red_Exclam());
  }
  if (show_box) {
    char text[300];
    std::snprintf(text, sizeof text,
                  selection ? "%sFehler bei der Profilauswahl%s%s" : "%sFehler bei der Querschnittsbeschreibung%s%s", title,
                  sep, why);
    PrintMessage(text, title);
  }
}

int _Is_I(int type) { return Is_Profil_Type_in_Group(4, type); }
void _Raise_Throats(PROFIL *p, FILE *stream, const char *title);

// Checks and corrections by shape type; 1 when the description is faulty.
int _Check_Shape(PROFIL *p) {
  switch (p->type) {
    case PROFIL_I: case PROFIL_H: case PROFIL_DIL: case PROFIL_S: case PROFIL_W: {
      if (p->t_w > p->b_fo) p->b_fo = p->t_w;
      if (p->t_w > p->b_fu) p->b_fu = p->t_w;
      if (p->t_fo < kLeast) p->t_fo = p->t_fu;
      if (p->t_fu < kLeast) p->t_fu = p->t_fo;
      p->r_2 = 0.0;
      return p->t_fo < kLeast || p->b_fo < kLeast || p->b_fu < kLeast || p->t_w < kLeast || p->t_fo + p->t_fu > p->h;
    }
    case PROFIL_T: case PROFIL_HALF_I:
      if (p->t_w > p->b_fo) p->b_fo = p->t_w;
      if (p->r_2 < kLeast) p->r_2 = 0.0;
      p->through_u = 0;
      p->b_fu = p->t_fu = 0.0;
      return p->t_fo < kLeast || p->b_fo < kLeast || p->t_w < kLeast || p->t_fo > p->h;
    case PROFIL_ANGLE: case PROFIL_C: case PROFIL_U: case PROFIL_Z: {
      p->through_o = p->through_u = 0;
      p->b_fu = p->t_fu = 0.0;
      const double flanges = p->type == PROFIL_ANGLE ? p->t_fo : 2 * p->t_fo;
      return p->t_fo < kLeast || p->t_w > p->b_fo || p->t_w < kLeast || flanges > p->h;
    }
    case PROFIL_RHS:
      p->b_fu = p->b_fo;
      p->t_fu = p->t_fo;
      p->a_u = p->a_o;
      p->through_o = p->through_u = 0;
      return p->t_w < kLeast || p->b_fo < kLeast || p->t_fo < kLeast || p->h < kLeast;
    case PROFIL_CHS:
      p->rolled = 1;
      p->a_o = p->a_u = p->r_2 = 0.0;
      p->through_o = p->through_u = 0;
      p->b_fo = p->t_fo = p->b_fu = p->t_fu = 0.0;
      return p->t_w < kLeast || 2 * p->t_w > p->h;
    case PROFIL_FLAT:
      p->rolled = 1;
      p->r = p->r_2 = p->a_o = p->a_u = 0.0;
      p->through_o = p->through_u = 0;
      p->b_fo = p->t_fo = p->b_fu = p->t_fu = 0.0;
      return p->t_w < kLeast || p->h < kLeast;
    case PROFIL_ROUND:
      p->rolled = 1;
      p->t_w = 0.0;
      p->r = p->r_2 = p->a_o = p->a_u = 0.0;
      p->through_o = p->through_u = 0;
      p->b_fo = p->t_fo = p->b_fu = p->t_fu = 0.0;
      return p->h < kLeast;
    case PROFIL_BOX: {
      if (p->b_fo < 2 * p->t_w) p->b_fo = 2 * p->t_w;
      if (p->b_fu < 2 * p->t_w) p->b_fu = 2 * p->t_w;
      if (p->t_fo < kLeast) p->t_fo = p->t_fu;
      if (p->t_fu < kLeast) p->t_fu = p->t_fo;
      const int bad = p->ue_o > p->b_fo / 2 || p->ue_u > p->b_fu / 2 || p->h < 3 * std::fabs(p->b_fo - p->b_fu) ||
                      p->t_fo < kLeast || p->b_fo < kLeast || p->t_fu < kLeast || p->b_fu < kLeast ||
                      p->t_w < kLeast || p->h < p->t_fo + p->t_fu;
      if (bad) return 1;
      p->rolled = 0;
      p->through_o = p->through_u = 0;
      p->r = p->r_2 = p->a_o = p->a_u = 0.0;
      return 0;
    }
    case PROFIL_TRAPEZ: {
      if (p->b_fu - p->b_fo > p->h) p->b_fu = p->h + p->b_fo;
      // The top plate must be wide enough for both sloping webs. Each raise narrows the
      // taper and so the least width; the bound only guards against a loop that does not
      // settle on non-finite input.
      for (int guard = 0; guard < 1000; ++guard) {
        const double theta = Get_Profil_Taper_Angle(p);
        const double w = 2 * (p->t_w / std::cos(theta) - p->t_fo * std::tan(theta));
        if (!(p->b_fo < w - kLeast)) break;
        p->b_fo = w;
        if (p->b_fo > p->b_fu) p->b_fu = p->b_fo;
      }
      if (p->b_fo < kLeast || p->t_fo < kLeast || p->b_fu < kLeast || p->t_w < kLeast || p->h < p->t_fo) return 1;
      p->rolled = 0;
      p->through_o = p->through_u = 0;
      p->r = p->r_2 = p->a_o = p->a_u = 0.0;
      return 0;
    }
    default:
      return 1;  // no such shape type
  }
}

// The corrected description must also describe a shape: finite numbers, plates, radii
// and welds that leave a clear web and flange outstands of at least 0 (tried on a copy with
// the throats raised as the computation will raise them, so that a failure changes no
// value), and outer corners of a rolled hollow section that fit its sides.
int _Plates_Fit(const PROFIL *p) {
  for (double x : {p->h, p->t_w, p->b_fo, p->t_fo, p->b_fu, p->t_fu, p->ue_o, p->ue_u, p->r, p->r_2, p->a_o, p->a_u})
    if (!std::isfinite(x)) return 0;
  if (p->type == PROFIL_RHS && p->rolled && p->r > std::fmin(p->h, p->b_fo) / 2) return 0;
  PROFIL trial = *p;  // plain values only: the computation below reads no array of it
  _Raise_Throats(&trial, nullptr, "");
  if (!_Is_I(trial.type) && trial.type != PROFIL_BOX) trial.a_u = trial.a_o;
  Calc_Profil_Plate_Widths(&trial);
  return trial.d_w >= -kLeast && trial.c_fo >= -kLeast && trial.c_fu >= -kLeast;
}

// Raises a fillet weld throat to the least effective value (welded shapes only).
void _Raise_Throats(PROFIL *p, FILE *stream, const char *title) {
  if (p->rolled) return;
  if (p->through_o) {
    p->a_o = p->t_w / 2;
  } else if (p->a_o > PROFIL_NO_THROAT && p->a_o < kMinThroat) {
    p->a_o = kMinThroat;
    if (stream)
      CP850_CALL(Oli_Printf, stream, "%s%swirksame Nahtdicke a╬\\o╬r < %.1lf mm, wird auf a╬\\o╬r = %.1lf mm gesetzt.\n",
                 Oli_Line_Prefix(), title, kMinThroat, kMinThroat);
  }
  if (p->through_u) {
    p->a_u = p->t_w / 2;
  } else if (p->a_u > PROFIL_NO_THROAT && p->a_u < kMinThroat) {
    p->a_u = kMinThroat;
    if (stream)
      CP850_CALL(Oli_Printf, stream, "%s%swirksame Nahtdicke a╬\\u╬r < %.1lf mm, wird auf a╬\\u╬r = %.1lf mm gesetzt\n",
                 Oli_Line_Prefix(), title, kMinThroat, kMinThroat);
  }
}

int _Quer_Values(PROFIL *p, FILE *stream, int show_box, const char *title) {
  const int usable = p->entry && ((p->model_kind == 0 && p->line_count > 0) || (p->model_kind != 0 && p->line_count == 0));
  if (!usable) {
    Check_Material_Strength(&p->grade, 0.0, stream, show_box, title);
    return 1;
  }
  const double *v = p->imported;
  p->equal_flanges = 0;
  p->d_w = p->c_fo = p->c_fu = 0.0;
  p->A = v[PROFIL_IMP_A];
  p->U = v[PROFIL_IMP_U];
  p->y_s = v[PROFIL_IMP_Y_S];
  p->z_s = v[PROFIL_IMP_Z_S];
  p->I_T = v[PROFIL_IMP_I_T];
  p->I_w = v[PROFIL_IMP_I_W];
  p->y_M = v[PROFIL_IMP_Y_M] - v[PROFIL_IMP_Y_S];
  p->z_M = v[PROFIL_IMP_Z_M] - v[PROFIL_IMP_Z_S];
  const double I1 = v[PROFIL_IMP_I_1], I2 = v[PROFIL_IMP_I_2], alpha = v[PROFIL_IMP_ALPHA];
  if (std::fabs(alpha) > 0.01) {
    const double phi = -2 * alpha * kPi / 180;
    p->I_y = ((I1 + I2) + (I1 - I2) * std::cos(phi)) / 2;
    p->I_z = ((I1 + I2) - (I1 - I2) * std::cos(phi)) / 2;
    p->I_yz = (I1 - I2) * std::sin(phi) / 2;
    p->alpha = alpha;
  } else {
    p->I_y = I1;
    p->I_z = I2;
    p->I_yz = 0.0;
    p->alpha = 0.0;
  }
  return Check_Material_Strength(&p->grade, 0.0, stream, show_box, title) ? 1 : 0;
}

}  // namespace

int Correct_Profil_Shape_Input(PROFIL *p) { return p ? _Check_Shape(p) : 1; }

int Calc_Profil_Querschnittswerte(PROFIL *p, FILE *stream, int show_box, const char *title) {
  if (!p) return 0;
  if (!title) title = "";
  if (p->kind == PROFIL_KIND_QUER) return _Quer_Values(p, stream, show_box, title);
  if (p->type == PROFIL_DEFAULT) return 0;

  if (p->kind == PROFIL_KIND_LIBRARY) {
    p->name[PROFIL_NAME_SIZE - 1] = '\0';  // the record's terminator, whatever filled the name
    Normalize_HE_Profil_Name(p->name);
    char bare[PROFIL_NAME_SIZE];
    std::snprintf(bare, sizeof bare, "%.*s", PROFIL_NAME_SIZE - 1, p->name);
    Remove_All_Blanks(bare);
    if (std::strlen(bare) < 3) {
      _Report(p, stream, show_box, title, 1);
      return 1;
    }
  }
  // The make flag is 1 (rolled) or 0 (welded); another number (a file edited by hand) is
  // refused before a shape rule could make it either.
  if (p->rolled != 0 && p->rolled != 1) {
    char why[96];
    CP850_CALL2(std::snprintf, why, sizeof why, "Herstellungsart %d unzulässig (1 gewalzt, 0 geschweißt)", p->rolled);
    _Report(p, stream, show_box, title, 0, why);
    return 1;
  }
  if (_Check_Shape(p) || !_Plates_Fit(p)) {
    _Report(p, stream, show_box, title, 0);
    return 1;
  }
  _Raise_Throats(p, stream, title);
  if (!_Is_I(p->type) && p->type != PROFIL_BOX) p->a_u = p->a_o;

  if (p->type == PROFIL_RHS || p->type == PROFIL_CHS) {
    if (p->kind == PROFIL_KIND_LIBRARY) {
      char bare[PROFIL_NAME_SIZE];
      std::snprintf(bare, sizeof bare, "%.*s", PROFIL_NAME_SIZE - 1, p->name);
      Remove_All_Blanks(bare);
      const std::size_t n = std::strlen(bare);
      p->hot_finished = n >= 2 && bare[n - 2] == 'k' ? 0 : 1;
    }
  } else {
    p->hot_finished = 0;
  }

  Calc_Profil_Plate_Widths(p);
  // The solver route gives torsion, warping, shear centre, principal angle and plastic
  // moduli; the closed formulas then put the exact plate values over the rest. A failed
  // route is reported by the result, but the closed-formula values are still written.
  const int solver = Get_Profil_DWQB_Querschnittswerte(p, nullptr, nullptr, 0, 0, nullptr);
  Calc_Profil_Closed_Values(p);
  p->equal_flanges = std::fabs(p->t_fo - p->t_fu) < 0.01 && std::fabs(p->b_fo - p->b_fu) < 0.01 &&
                     std::fabs(p->a_o - p->a_u) < 0.01;
  const int grade = Check_Material_Strength(&p->grade, Get_Profil_Max_Thickness(p), stream, show_box, title);
  return grade || solver ? 1 : 0;
}
