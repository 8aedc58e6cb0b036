// Unit stresses at a point of a line after a part-mode run: normal stress from the
// outline model's section values, shear and warping stresses from the centre-line rows
// of the line's result block; face and area points of a line's outline.
#include <cmath>
#include <cstring>

#include "dwqb/stress_internal.h"

int Convert_DWQB_Point(int frame, double y, double z, double *y0, double *z0) {
  const DwqbState &g = Dwqb_State();
  int known = 1;
  if (frame == DWQB_FRAME_CENTROID) {
    y += g.section_result.y_s;
    z += g.section_result.z_s;
  } else if (frame == DWQB_FRAME_SHEAR_CENTRE) {
    y += g.shear_centre[0];
    z += g.shear_centre[1];
  } else if (frame != DWQB_FRAME_ORIGIN) {
    known = 0;
  }
  if (y0) *y0 = y;
  if (z0) *z0 = z;
  return known;
}

int Convert_DWQB_Angle(int angle_kind, double angle, double *angle0) {
  int known = angle_kind == DWQB_ANGLE_Y || angle_kind == DWQB_ANGLE_PRINCIPAL;
  if (angle_kind == DWQB_ANGLE_PRINCIPAL) angle += Dwqb_State().section_result.alpha;
  if (angle0) *angle0 = angle;
  return known;
}

int Calc_DWQB_Normal_Stress_Plane(double y, double z, int frame, double y_p, double z_p, int angle_kind,
                                  double theta, double *out) {
  if (!out) return 0;
  out[0] = out[1] = out[2] = 0.0;
  const DWQB_SECTION_RESULT &r = Dwqb_State().section_result;
  const double A = r.A, al = r.alpha, I1 = r.I_1, I2 = r.I_2;
  if (A == 0.0 && I1 == 0.0 && I2 == 0.0) return 1;
  double yp0, zp0, phi;
  Convert_DWQB_Point(frame, y_p, z_p, &yp0, &zp0);
  Convert_DWQB_Angle(angle_kind, theta, &phi);
  const double c = std::cos(al), s = std::sin(al);
  const double dy = y - r.y_s, dz = z - r.z_s, py = yp0 - r.y_s, pz = zp0 - r.z_s;
  const double u = c * dy + s * dz, v = c * dz - s * dy;
  const double up = c * py + s * pz, vp = c * pz - s * py;
  const double c1 = I1 != 0.0 ? v / I1 : 0.0, c2 = I2 != 0.0 ? -u / I2 : 0.0;
  // A unit N at (u_p, v_p) is N with the moments v_p about axis 1 and -u_p about axis 2.
  out[0] = (A != 0.0 ? 1.0 / A : 0.0) + c1 * vp - c2 * up;
  const double d = phi - al;
  if (d == 0.0) {
    out[1] = c1;
    out[2] = c2;
  } else {
    const double cd = std::cos(d), sd = std::sin(d);
    out[1] = c1 * cd + c2 * sd;
    out[2] = c2 * cd - c1 * sd;
  }
  return 1;
}

int Calc_DWQB_Line_Point_Values(int line, double y, double z, int flags, int frame, double y_p, double z_p,
                                int angle_kind, double theta, int frame2, double y_w, double z_w,
                                DWQB_POINT_VALUES *rec) {
  if (!rec) return 0;
  DwqbStressState &st = Dwqb_Stress_State();
  const DwqbState &g = Dwqb_State();
  DWQB_LINE *L = Dwqb_Cached_Line(&st.point_nr, &st.point_line, line);
  std::memset(rec, 0, sizeof *rec);
  rec->flags = flags;
  rec->line = line;
  rec->y = y;
  rec->z = z;
  rec->frame = frame;
  rec->angle_kind = angle_kind;
  rec->frame2 = frame2;
  rec->y_p = y_p;
  rec->z_p = z_p;
  rec->theta = theta;
  rec->y_w = y_w;
  rec->z_w = z_w;
  Convert_DWQB_Point(frame, y_p, z_p, &rec->y_p0, &rec->z_p0);
  Convert_DWQB_Point(frame2, y_w, z_w, &rec->y_w0, &rec->z_w0);
  const bool shear = !(flags & DWQB_PV_NO_SHEAR), warping = !(flags & DWQB_PV_NO_WARPING);
  if (!L && (shear || warping)) return 0;
  const bool cl_only = L && L->element && L->element->kind == DWQB_PART_LINE_CL;
  if (!(flags & DWQB_PV_NO_NORMAL) && !cl_only)
    Calc_DWQB_Normal_Stress_Plane(y, z, frame, y_p, z_p, angle_kind, theta, rec->c);
  if (!shear && !warping) return 1;

  double s, e;
  Project_DWQB_Point_On_Line(L, y, z, &s, &e);
  rec->s = s;
  rec->e = e;
  rec->t = ((1.0 - s) * L->t_a + (1.0 + s) * L->t_b) / 2.0;
  rec->rt = rec->t != 0.0 ? 1.0 / rec->t : 0.0;

  if (shear) {
    double phi, o[5];
    Convert_DWQB_Angle(angle_kind, theta, &phi);
    if (Get_DWQB_Line_Shear_Values(L, 0, o, s, phi, 1)) {
      rec->c[DWQB_C_VY] = o[1];
      rec->c[DWQB_C_VZ] = o[0];
      double k = o[3];
      if ((g.run_options & DWQB_OPT_PRESET_IT) && g.presets[10] > 0.0) k = rec->t / g.presets[10];
      rec->c[DWQB_C_TT] = o[2] - e * k;
    }
  }
  if (warping) {
    double o[5], m[5];
    if (Get_DWQB_Line_Warping_Values(L, frame2, o, s, y_w, z_w, 0) &&
        Get_DWQB_Line_Warping_Values(L, 2, m, s, 0.0, 0.0, 0)) {
      rec->omega = o[0];
      rec->c[DWQB_C_TW] = m[3] * rec->rt;
      double Iw = g.shear_centre[4];
      if ((g.run_options & DWQB_OPT_PRESET_IW) && g.presets[11] > 0.0) Iw = g.presets[11];
      rec->c[DWQB_C_B] = Iw > 0.0 ? m[0] / Iw : 0.0;
    }
  }
  return 1;
}

int Combine_DWQB_Unit_Stresses(const DWQB_POINT_VALUES *rec, const double *F, double *out) {
  if (!out) return 0;
  out[0] = out[1] = out[2] = 0.0;
  if (!rec || !F) return 0;
  const double *c = rec->c;
  double sigma = 0.0, tau = 0.0;
  if (!(rec->flags & DWQB_PV_NO_NORMAL)) sigma = c[0] * F[0] + c[1] * F[1] + c[2] * F[2];
  if (!(rec->flags & DWQB_PV_NO_SHEAR)) tau = c[3] * F[3] + c[4] * F[4] + c[5] * F[5];
  if (!(rec->flags & DWQB_PV_NO_WARPING)) {
    sigma += c[6] * F[6];
    tau += c[7] * F[7];
  }
  out[0] = sigma;
  out[1] = tau;
  out[2] = std::sqrt(sigma * sigma + 3.0 * tau * tau);
  return 1;
}

// ---------------------------------------------------------------- outline points

void Get_DWQB_Line_Centre_Point(const DWQB_LINE *L, double s, double *y, double *z) {
  if (L) {
    Calc_Line_Point(&L->geo, s, y, z);
    return;
  }
  if (y) *y = 0.0;
  if (z) *z = 0.0;
}

void Project_DWQB_Point_On_Line(const DWQB_LINE *L, double y, double z, double *s, double *e) {
  double ss = 0.0, ee = 0.0;
  if (L) {
    Get_DWQB_Line_Geometry_Coordinates(y, z, &L->geo, &ss, &ee);
    ss = std::fmax(-1.0, std::fmin(1.0, ss));
    ee = std::fmax(-1.0, std::fmin(1.0, ee));
  }
  if (s) *s = ss;
  if (e) *e = ee;
}

// Point of one face at the face parameter sf: the first present piece of the side (right
// 1, 2, 3; left 8, 7, 6) whose larger s reaches sf, else the last present one; sf is
// raised to the piece's smaller s and mapped onto its own range.
static void _Face_Point(const DWQB_LINE *L, bool left, double sf, double *y, double *z) {
  static const int kRight[3] = {1, 2, 3}, kLeft[3] = {8, 7, 6};
  const int *idx = left ? kLeft : kRight;
  const DWQB_OUTLINE_PIECE *p = nullptr;
  for (int i = 0; i < 3; ++i) {
    const DWQB_OUTLINE_PIECE &c = L->outline[idx[i]];
    if (!Dwqb_Piece_Present(c)) continue;
    p = &c;
    if (std::fmax(c.s0, c.s1) >= sf) break;
  }
  if (!p) p = &L->outline[idx[1]];
  sf = std::fmax(sf, std::fmin(p->s0, p->s1));
  double t = p->s1 != p->s0 ? (2.0 * sf - p->s0 - p->s1) / (p->s1 - p->s0) : 0.0;
  t = std::fmax(-1.0, std::fmin(1.0, t));
  Get_DWQB_Line_Point(t, p, y, z);
}

void Get_DWQB_Line_Face_Points(const DWQB_LINE *L, double s, double *ry, double *rz, double *ly, double *lz) {
  double p[4] = {0, 0, 0, 0};
  if (L) {
    _Face_Point(L, false, s, &p[0], &p[1]);
    _Face_Point(L, true, s, &p[2], &p[3]);
  }
  if (ry) *ry = p[0];
  if (rz) *rz = p[1];
  if (ly) *ly = p[2];
  if (lz) *lz = p[3];
}

void Get_DWQB_Line_Area_Point(const DWQB_LINE *L, double s, double e, double *y, double *z) {
  double yy = 0.0, zz = 0.0;
  if (L) {
    const bool left = e > 0.0;
    const DWQB_OUTLINE_PIECE *P = L->outline;
    const double S1 = left ? P[8].s1 : P[1].s0, S3 = left ? P[6].s0 : P[3].s1;
    const double d1 = left ? P[9].s1 : P[0].s0, d2 = left ? P[5].s0 : P[4].s1;
    double fy, fz, cy, cz;
    _Face_Point(L, left, ((S1 + S3) + (S3 - S1) * s) / 2.0, &fy, &fz);
    Calc_Line_Point(&L->geo, ((d1 + d2) + (d2 - d1) * s) / 2.0, &cy, &cz);
    const double a = std::fabs(e);
    yy = cy + a * (fy - cy);
    zz = cz + a * (fz - cz);
  }
  if (y) *y = yy;
  if (z) *z = zz;
}
