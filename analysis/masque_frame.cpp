// Cross-section mask: the local frame and the node transformation, strain limits of lines
// and of the mask, the calculation option block, initial strain planes of groups, line
// preparation over the whole mask, and Update_Masque_Querschnitt, which brings every
// derived value up to date before an integration.
#include <cmath>
#include <cstring>

#include "analysis/masque.h"

// ======================================================================= frames

int Invert_Masque_Frame(const double *source, double *target, int mode) {
  if (!source || !target) return 0;
  double f[3] = {source[0], source[1], source[2]};
  if (mode & 1) {
    if (f[0] != 0.0 || f[1] != 0.0) {
      const double c = std::cos(f[2]), s = std::sin(f[2]);
      const double y0 = f[0], z0 = f[1];
      f[0] = -(y0 * c + z0 * s);
      f[1] = y0 * s - z0 * c;
    }
    f[2] = -f[2];
  }
  target[0] = f[0];
  target[1] = f[1];
  target[2] = f[2];
  return 1;
}

int Copy_Masque_Frame(MASQUE *mask, const double *frame, int mode) {
  if (!mask || !frame) return 0;
  return Invert_Masque_Frame(frame, mask->frame, mode);
}

int Set_Masque_Frame(MASQUE *mask, double y0, double z0, double phi, int mode) {
  const double frame[3] = {y0, z0, phi};
  return Copy_Masque_Frame(mask, frame, mode);
}

int Transform_Masque_Knoten(MASQUE *mask) {
  if (!mask) return 0;
  const double y0 = mask->frame[0], z0 = mask->frame[1];
  const double c = std::cos(mask->frame[2]), s = std::sin(mask->frame[2]);
  for (int i = 0; i < Count_Masque_Knoten(mask); ++i) {
    MASQUE_KNOTEN *node = Get_Masque_Knoten(mask, i);
    if (!node) continue;
    const double dy = node->y - y0, dz = node->z - z0;
    node->y_lokal = c * dy + s * dz;
    node->z_lokal = c * dz - s * dy;
  }
  std::memcpy(mask->frame_kopie, mask->frame, sizeof mask->frame);
  mask->flags |= MASQUE_KNOTEN_GUELTIG;
  return 1;
}

int Transform_Dehnungsebene_to_Frame(const MASQUE_VORDEHNUNG *plane, double y0, double z0, double phi,
                                     MASQUE_VORDEHNUNG *target) {
  if (!target) return 0;
  if (!plane) {
    *target = MASQUE_VORDEHNUNG{};
    return 0;
  }
  const MASQUE_VORDEHNUNG v = *plane;  // target may be the plane itself
  const double c = std::cos(phi), s = std::sin(phi);
  target->a = v.a + y0 * v.b + z0 * v.c;
  target->b = v.b * c + v.c * s;
  target->c = v.c * c - v.b * s;
  target->flags = v.flags;
  target->wort = v.wort;
  return 1;
}

// ======================================================================= limits

int Get_Spannungsdehnungslinie_Limits(const SPANNUNGSDEHNUNGSLINIE *line, double *min, double *max) {
  if (!line || !min || !max) return 0;
  const unsigned law = line->typ & SDL_TYP_GESETZ;
  const double epsu = line->param[SDL_EPS_U];
  // Law types other than 1 and 2 are told apart by the sign of the limit strain.
  const bool compression_limited = law == 1 || (law != 2 && epsu < 0.0);
  *min = -std::fabs(epsu);
  if (compression_limited) {
    *max = MASQUE_NO_LIMIT;
    return 1;
  }
  *max = std::fabs(epsu);
  return 2;
}

int Calc_Masque_Limits(MASQUE *mask) {
  if (!mask) return 0;
  MASQUE_LIMITS &L = mask->limits;
  L = MASQUE_LIMITS{};
  L.cmin = L.smin = MASQUE_NO_LIMIT;
  L.cmax = L.smax = -MASQUE_NO_LIMIT;
  const int n = Count_Masque_Spannungsdehnungslinien(mask);
  if (n == 0) {
    L.cmin = L.cmax = L.smin = L.smax = 0.0;
    mask->flags |= MASQUE_LIMITS_GUELTIG;
    return 1;
  }
  for (int i = 0; i < n; ++i) {
    const SPANNUNGSDEHNUNGSLINIE *line = Get_Masque_Spannungsdehnungslinie(mask, i);
    double lo = 0.0, hi = 0.0;
    const int kind = Get_Spannungsdehnungslinie_Limits(line, &lo, &hi);
    if (kind == 1) {
      if (lo < L.cmin) L.cmin = lo;
      if (line->param[SDL_EPS_D] > L.cmax) L.cmax = line->param[SDL_EPS_D];
    } else if (kind == 2) {
      if (lo < L.smin) L.smin = lo;
      if (hi > L.smax) L.smax = hi;
    }
  }
  if (L.cmin > L.cmax) {
    // No compression-limited line (or none whose peak lies within its limit).
    if (L.smin > L.smax) {
      L.cmin = L.cmax = L.smin = L.smax = 0.0;
    } else {
      L.cmin = L.smin;
      L.cmax = L.smax;
    }
  } else if (L.smin > L.smax) {
    L.smin = L.cmin;
    L.smax = L.cmax;
  }
  mask->flags |= MASQUE_LIMITS_GUELTIG;
  return 1;
}

// ======================================================================= options and flags

int Set_Masque_Calc_Options(MASQUE *mask, const MASQUE_CALC_OPTIONS *options) {
  if (!mask) return 0;
  const MASQUE_CALC_OPTIONS o = options ? *options : MASQUE_CALC_OPTIONS{};
  const MASQUE_CALC_OPTIONS &m = mask->options;
  // Compared word for word, the value by its bits.
  if (o.flags == m.flags && o.wort == m.wort && std::memcmp(&o.wert, &m.wert, sizeof o.wert) == 0) return 1;
  mask->options = o;
  mask->flags &= ~MASQUE_SDL_PREPARED;
  return 1;
}

int Get_Masque_Calc_Options(const MASQUE *mask, MASQUE_CALC_OPTIONS *options) {
  if (!mask || !options) return 0;
  *options = mask->options;
  return 1;
}

int Set_Masque_Option_Flag(MASQUE *mask, int on) {
  if (!mask) return 0;
  const int previous = (mask->flags & MASQUE_HULL_LIMITS) ? 1 : 0;
  if (on) {
    mask->flags |= MASQUE_HULL_LIMITS;
  } else {
    mask->flags &= ~MASQUE_HULL_LIMITS;
  }
  mask->flags &= ~MASQUE_HULL_GUELTIG;
  return previous;
}

int Clear_Masque_Flags(MASQUE *mask, unsigned bits) {
  if (!mask) return 0;
  mask->flags &= ~(bits & MASQUE_UPDATE_BITS);
  return 1;
}

// ======================================================================= initial strain planes

int Set_Masque_Gruppe_Vordehnung(MASQUE_GRUPPE *group, const MASQUE_VORDEHNUNG *plane) {
  if (!group) return 0;
  if (Has_Gruppe_Vordehnung(plane)) {
    group->vordehnung = *plane;
  } else {
    group->vordehnung = MASQUE_VORDEHNUNG{};
  }
  return 1;
}

int Scan_Masque_Gruppen_Vordehnung(MASQUE *mask) {
  if (!mask) return 0;
  mask->flags &= ~MASQUE_VORDEHNUNG_AKTIVE;
  const unsigned mode = Get_Masque_Calc_Mode();
  Set_Masque_Calc_Mode(MASQUE_MODE_VORDEHNUNG);
  for (int i = 0; i < Count_Masque_Gruppen(mask); ++i) {
    const MASQUE_GRUPPE *group = Get_Masque_Gruppe(mask, i);
    if (group && Has_Gruppe_Vordehnung(&group->vordehnung)) {
      mask->flags |= MASQUE_VORDEHNUNG_AKTIVE;
      break;
    }
  }
  Set_Masque_Calc_Mode(mode);
  mask->flags |= MASQUE_VORDEHNUNG_GESCANNT;
  return 1;
}

// ======================================================================= line preparation

int Prepare_Masque_Spannungsdehnungslinien(MASQUE *mask) {
  if (!mask) return 0;
  // Lines prepared anew may change the limit strains the hull was built from.
  mask->flags &= ~(MASQUE_EIGENDEHNUNG | MASQUE_HULL_GUELTIG);
  int result = 1;
  for (int i = 0; i < Count_Masque_Spannungsdehnungslinien(mask); ++i) {
    SPANNUNGSDEHNUNGSLINIE *line = Get_Masque_Spannungsdehnungslinie(mask, i);
    const int ok = line ? Prepare_Masque_Spannungsdehnungslinie(line, &mask->options) : 0;
    if (result && ok) {
      const DEHNUNGSEBENE &own = line->arbeitsform.eigen;
      if (own.eps0 != 0.0 || own.kappa != 0.0) mask->flags |= MASQUE_EIGENDEHNUNG;
    }
    if (!ok) result = 0;
  }
  mask->flags |= MASQUE_SDL_PREPARED;
  return result;
}

int Prepare_Masque_Spannungsdehnungslinien_Cut(MASQUE *mask, int mode) {
  if (!mask) return 0;
  const int result = Prepare_Masque_Spannungsdehnungslinien(mask);
  if (mode != 1 && mode != 2) return result;
  SDL_ABSCHNITT neutral{};
  neutral.q = 1.0;
  neutral.kind = SDL_KIND_NEUTRAL;
  for (int i = 0; i < Count_Masque_Spannungsdehnungslinien(mask); ++i) {
    SPANNUNGSDEHNUNGSLINIE *line = Get_Masque_Spannungsdehnungslinie(mask, i);
    if (!line) continue;
    SDL_ARBEITSFORM &form = line->arbeitsform;
    const int n = form.anzahl < SDL_MAX_ABSCHNITTE ? form.anzahl : SDL_MAX_ABSCHNITTE;
    if (mode == 1) {
      // Compression branch: leading segments that end at or below 0. The neutral segments
      // end at 0 and come first, so every strain up to 0 finds one of them.
      for (int k = 0; k < n && form.abschnitt[k].hi <= 0.0; ++k) form.abschnitt[k] = neutral;
    } else {
      // Tension branch: trailing segments that end above 0. A segment that also serves
      // strains below 0 (an elastic line through 0) keeps that part: it now ends at 0.
      for (int k = n - 1; k >= 0 && form.abschnitt[k].hi > 0.0; --k) {
        if (k == 0 || form.abschnitt[k - 1].hi < 0.0) {
          form.abschnitt[k].hi = 0.0;
          break;
        }
        form.abschnitt[k] = neutral;
      }
    }
  }
  return result;
}

// ======================================================================= update

int Update_Masque_Querschnitt(MASQUE *mask, unsigned bits) {
  if (!mask) return 0;
  if (bits) mask->flags &= ~(bits & MASQUE_UPDATE_BITS);
  int result = 1;
  const bool frame_unchanged = std::memcmp(mask->frame, mask->frame_kopie, sizeof mask->frame) == 0;
  if (!((mask->flags & MASQUE_KNOTEN_GUELTIG) && frame_unchanged)) result = Transform_Masque_Knoten(mask);
  if (!(mask->flags & MASQUE_LIMITS_GUELTIG)) result &= Calc_Masque_Limits(mask);
  if (!(mask->flags & MASQUE_SDL_PREPARED)) result &= Prepare_Masque_Spannungsdehnungslinien(mask);
  if (!(mask->flags & MASQUE_VORDEHNUNG_GESCANNT)) result &= Scan_Masque_Gruppen_Vordehnung(mask);
  return result;
}

// ======================================================================= group helpers

namespace {
constexpr MASQUE_GEWICHT kDefaultGewicht = {0, 1.0};
}

int Swap_Masque_Gruppe_Gewicht(MASQUE_GEWICHT *out, MASQUE_GRUPPE *group, const MASQUE_GEWICHT *neu) {
  if (!out) return 0;
  if (!group || !neu) {
    *out = kDefaultGewicht;
    return 1;
  }
  const MASQUE_GEWICHT old = group->gewicht;
  group->gewicht = *neu;
  *out = old;
  return 1;
}

int Get_Masque_Gruppe_Gewicht(MASQUE_GEWICHT *out, const MASQUE_GRUPPE *group) {
  if (!out) return 0;
  *out = group ? group->gewicht : kDefaultGewicht;
  return 1;
}

int Get_Masque_Gruppe_Linie_Params(double *out, const MASQUE_GRUPPE *group) {
  if (!out) return 0;
  if (!group) {
    const SPANNUNGSDEHNUNGSLINIE *b35 = Find_Builtin_Spannungsdehnungslinie("B35");
    std::memcpy(out, b35->param, sizeof b35->param);
    return 1;
  }
  if (group->linie) std::memcpy(out, group->linie->param, sizeof group->linie->param);
  return 1;
}

int Swap_Masque_Gruppe_Linie_Params(double *out, MASQUE_GRUPPE *group, const double *neu) {
  if (!out) return 0;
  if (group && !group->linie) {
    for (int i = 0; i < SDL_PARAMETER; ++i) out[i] = 0.0;
    return 1;
  }
  double old[SDL_PARAMETER];
  Get_Masque_Gruppe_Linie_Params(old, group);
  if (group && neu) Set_Masque_Spannungsdehnungslinie_Params(nullptr, group->linie, neu);
  std::memcpy(out, old, sizeof old);
  return 1;
}
