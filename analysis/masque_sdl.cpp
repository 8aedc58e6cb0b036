// Cross-section mask: the module state of the mask solver (calculation mode word, result
// factors, line-plane factor, default flags of new masks), the stress and tangent of the
// segment laws, strain planes in polar and cartesian form, and the stress at one point of
// a group.
#include <cmath>
#include <numbers>

#include "analysis/masque.h"
#include "host/host.h"

namespace {
struct MasqueState {
  unsigned calc_mode = 0;
  double factors[4] = {1.0, 1.0, 1.0, 1.0};
  bool scaling = false;  // result factors applied
  double line_plane_factor = 1.0;
  unsigned default_flags = 0;
  bool reset_registered = false;
} g;
}  // namespace

void Reset_Masque_Module_For_Tests() { g = MasqueState{}; }

// The first change of the state registers the reset with Host_Reset.
static void _Changing_State() {
  if (g.reset_registered) return;
  Host_Register_Reset(&Reset_Masque_Module_For_Tests);
  g.reset_registered = true;
}

unsigned Get_Masque_Calc_Mode() { return g.calc_mode; }
void Set_Masque_Calc_Mode(unsigned mode) {
  _Changing_State();
  g.calc_mode = mode;
}

unsigned Get_Masque_Default_Flags() { return g.default_flags; }
void Set_Masque_Default_Flags(unsigned flags) {
  _Changing_State();
  g.default_flags = flags;
}

double Get_Masque_Linienebene_Faktor() { return g.line_plane_factor; }
void Set_Masque_Linienebene_Faktor(double faktor) {
  _Changing_State();
  g.line_plane_factor = faktor;
}

int Set_Masque_Result_Factors(const double *factors) {
  _Changing_State();
  for (int i = 0; i < 4; ++i) g.factors[i] = factors ? factors[i] : 1.0;
  g.scaling = factors != nullptr;
  return 1;
}

int Get_Masque_Result_Factors(double *factors) {
  if (factors) {
    for (int i = 0; i < 4; ++i) factors[i] = g.factors[i];
  }
  return g.scaling ? 1 : 0;
}

int Scale_Masque_Forces(double *values, const double *factors) {
  if (!values || !factors) return 0;
  for (int i = 0; i < 4; ++i) values[i] *= factors[i];
  return 1;
}

int Apply_Masque_Result_Factors(double *values) {
  if (!values) return 0;
  if (!g.scaling) return 1;
  return Scale_Masque_Forces(values, g.factors);
}

// ======================================================================= segments

int Find_SDL_Abschnitt(const SDL_ARBEITSFORM *form, double eps) {
  if (!form) return -1;
  const int n = form->anzahl < SDL_MAX_ABSCHNITTE ? form->anzahl : SDL_MAX_ABSCHNITTE;
  for (int i = 0; i < n; ++i) {
    if (form->abschnitt[i].hi >= eps) return i;
  }
  return -1;
}

double Calc_SDL_Abschnitt_Spannung(const SDL_ABSCHNITT *segment, double eps, double *tangent) {
  if (tangent) *tangent = 0.0;
  if (!segment || segment->kind < 0) return 0.0;
  const double s0 = segment->s0, s1 = segment->s1, q = segment->q, p = segment->p;
  const double xi = (eps - segment->lo) * q;
  double f = 0.0, df = 0.0;
  switch (segment->kind) {
    case SDL_KIND_KONSTANT:
      return s0;
    case SDL_KIND_LINEAR:
      f = xi;
      df = 1.0;
      break;
    case SDL_KIND_PARABEL:
      f = (2.0 - xi) * xi;
      df = 2.0 * (1.0 - xi);
      break;
    case SDL_KIND_SARGIN:
      if (xi >= 1.0) {
        f = 1.0;
      } else {
        const double d = 1.0 + (p - 2.0) * xi;
        f = (p - xi) * xi / d;
        df = (p - xi * (2.0 + (p - 2.0) * xi)) / (d * d);
      }
      break;
    case SDL_KIND_KUBISCH:
      if (xi >= 1.0) {
        f = 1.0;
      } else {
        const double x3 = xi * xi * xi, d = x3 + 2.0;
        f = 3.0 * xi / d;
        df = 6.0 * (1.0 - x3) / (d * d);
      }
      break;
    case SDL_KIND_KREISBOGEN: {
      const double r = 1.0 - xi * xi;
      if (xi >= 1.0 || r <= 0.0) {
        f = 1.0;
      } else {
        const double w = std::sqrt(r);
        f = 1.0 - w;
        df = xi / w;
      }
      break;
    }
    default:  // kind 3 and every kind above 6: power curve
      if (xi >= 1.0) {
        f = 1.0;
      } else {
        f = 1.0 - std::pow(1.0 - xi, p);
        df = p * std::pow(1.0 - xi, p - 1.0);
      }
      break;
  }
  if (tangent) *tangent = s1 * q * df;
  return s0 + s1 * f;
}

// ======================================================================= initial strains

int Masque_Uses_Vordehnung(const MASQUE *mask) {
  return (g.calc_mode & MASQUE_MODE_VORDEHNUNG) && mask && (mask->flags & MASQUE_VORDEHNUNG_AKTIVE) ? 1 : 0;
}

int Has_Gruppe_Vordehnung(const MASQUE_VORDEHNUNG *plane) {
  if (!(g.calc_mode & MASQUE_MODE_VORDEHNUNG) || !plane || !(plane->flags & MASQUE_VORDEHNUNG_AKTIV)) return 0;
  return plane->a != 0.0 || plane->b != 0.0 || plane->c != 0.0 ? 1 : 0;
}

double Get_Gruppe_Vordehnung_Value(const MASQUE_VORDEHNUNG *plane, double y, double z) {
  if (!Has_Gruppe_Vordehnung(plane)) return 0.0;
  return plane->a + plane->b * y + plane->c * z;
}

// ======================================================================= strain planes

// Angle of a gradient (b, c) in [0, 2π); 0 for a zero gradient.
static double _Angle_0_2pi(double b, double c) {
  if (!(b * b + c * c > 0.0)) return 0.0;
  double phi = std::atan2(c, b);
  if (phi < 0.0) phi += 2.0 * std::numbers::pi;
  return phi;
}

int Dehnungsebene_to_Polar(const DEHNUNGSEBENE_KARTESISCH *cartesian, DEHNUNGSEBENE *polar) {
  if (!cartesian || !polar) return 0;
  const DEHNUNGSEBENE_KARTESISCH k = *cartesian;
  polar->phi = _Angle_0_2pi(k.b, k.c);
  polar->eps0 = k.eps0;
  polar->kappa = std::sqrt(k.b * k.b + k.c * k.c);
  polar->x3 = k.x3;
  return 1;
}

int Dehnungsebene_to_Cartesian(const DEHNUNGSEBENE *polar, DEHNUNGSEBENE_KARTESISCH *cartesian) {
  if (!polar || !cartesian) return 0;
  const DEHNUNGSEBENE p = *polar;
  *cartesian = {p.eps0, p.kappa * std::cos(p.phi), p.kappa * std::sin(p.phi), p.x3};
  return 1;
}

int Scaled_Dehnungsebene_to_Polar(const DEHNUNGSEBENE_KARTESISCH *cartesian, double f, DEHNUNGSEBENE *polar) {
  if (!cartesian || !polar) return 0;
  const double e = -f * cartesian->eps0, b = -f * cartesian->b, c = -f * cartesian->c;
  *polar = {_Angle_0_2pi(b, c), e, std::sqrt(b * b + c * c), 0.0};
  return 1;
}

int Add_Dehnungsebenen(const DEHNUNGSEBENE *p, const DEHNUNGSEBENE *q, DEHNUNGSEBENE *out) {
  if (!out) return 0;
  const DEHNUNGSEBENE zero{};
  const DEHNUNGSEBENE a = p ? *p : zero, b = q ? *q : zero;
  const double gy = a.kappa * std::cos(a.phi) + b.kappa * std::cos(b.phi);
  const double gz = a.kappa * std::sin(a.phi) + b.kappa * std::sin(b.phi);
  const bool gradient = gy * gy + gz * gz > 0.0;
  out->phi = gradient ? std::atan2(gz, gy) : 0.0;
  out->eps0 = a.eps0 + b.eps0;
  out->kappa = gradient ? std::sqrt(gy * gy + gz * gz) : 0.0;
  out->x3 = a.x3 + b.x3;
  return 1;
}

int Add_Dehnungsebene_Values(const DEHNUNGSEBENE *p, const DEHNUNGSEBENE *q, DEHNUNGSEBENE *out) {
  if (!out) return 0;
  const DEHNUNGSEBENE zero{};
  const DEHNUNGSEBENE a = p ? *p : zero, b = q ? *q : zero;
  *out = {a.phi + b.phi, a.eps0 + b.eps0, a.kappa + b.kappa, a.x3 + b.x3};
  return 1;
}

int Add_Dehnungsebene_Values(const DEHNUNGSEBENE_KARTESISCH *p, const DEHNUNGSEBENE_KARTESISCH *q,
                             DEHNUNGSEBENE_KARTESISCH *out) {
  if (!out) return 0;
  const DEHNUNGSEBENE_KARTESISCH zero{};
  const DEHNUNGSEBENE_KARTESISCH a = p ? *p : zero, b = q ? *q : zero;
  *out = {a.eps0 + b.eps0, a.b + b.b, a.c + b.c, a.x3 + b.x3};
  return 1;
}

int Transform_Dehnungsebene(const DEHNUNGSEBENE *in, double y0, double z0, double theta, DEHNUNGSEBENE *out,
                            int mode) {
  if (!in || !out) return 0;
  if (mode & 1) {
    // The frame is given in inverted form: take its inverse first.
    if (y0 != 0.0 || z0 != 0.0) {
      const double c = std::cos(theta), s = std::sin(theta);
      const double y = -(y0 * c + z0 * s);
      const double z = y0 * s - z0 * c;
      y0 = y;
      z0 = z;
    }
    theta = -theta;
  }
  DEHNUNGSEBENE p = *in;
  p.eps0 += p.kappa * (y0 * std::cos(p.phi) + z0 * std::sin(p.phi));
  p.phi -= theta;
  *out = p;
  return 1;
}

int Transform_Dehnungsebene_by_Frame(const DEHNUNGSEBENE *in, const double *frame, DEHNUNGSEBENE *out, int mode) {
  if (!frame) return 0;
  return Transform_Dehnungsebene(in, frame[0], frame[1], frame[2], out, mode);
}

// ======================================================================= point stress

int Calc_Masque_Gruppe_Spannung(const MASQUE *, const MASQUE_GRUPPE *group, const DEHNUNGSEBENE *plane, double y,
                                double z, double *strain, double *stress) {
  if (!strain && !stress) return 1;
  const DEHNUNGSEBENE e = plane ? *plane : DEHNUNGSEBENE{};
  double eps = e.eps0 + e.kappa * (y * std::cos(e.phi) + z * std::sin(e.phi));
  const SPANNUNGSDEHNUNGSLINIE *line = group ? group->linie : nullptr;
  if (line) {
    const DEHNUNGSEBENE &own = line->arbeitsform.eigen;
    if (own.eps0 != 0.0 || own.kappa != 0.0) {
      eps += (own.eps0 + own.kappa * (y * std::cos(own.phi) + z * std::sin(own.phi))) * g.line_plane_factor;
    }
  }
  if (group) {
    const MASQUE_VORDEHNUNG &v = group->vordehnung;  // an inactive plane is stored as zeros
    eps -= e.x3 * (v.a + v.b * y + v.c * z);
  }
  if (strain) *strain = eps;
  if (!stress) return 1;
  *stress = 0.0;  // no group, no line or no segment: no stress
  if (!line) return 1;
  const int i = Find_SDL_Abschnitt(&line->arbeitsform, eps);
  if (i >= 0) *stress = Calc_SDL_Abschnitt_Spannung(&line->arbeitsform.abschnitt[i], eps, nullptr);
  return 1;
}
