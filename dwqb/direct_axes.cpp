// Steps of the direct mode on the wall chords: second moments and principal axes of the
// walls (thin lines, or full rectangles with option 0x1), and the warping ordinates with
// the warping constant about the shear centre.
#include <algorithm>
#include <cmath>

#include "dwqb/dwqb_internal.h"

void Calc_Wall_Rectangle_Moments(double *Izz, double *Iyy, double *Iyz, double y1, double y2, double z1, double z2,
                                 double t) {
  *Izz = *Iyy = *Iyz = 0.0;
  const double dy = y2 - y1, dz = z2 - z1, l = std::sqrt(dy * dy + dz * dz);
  if (l == 0.0) return;
  const double ny = dz * t / (2.0 * l), nz = -dy * t / (2.0 * l);  // half thickness to the right
  const double P[4][2] = {{y1 - ny, z1 - nz}, {y1 + ny, z1 + nz}, {y2 + ny, z2 + nz}, {y2 - ny, z2 - nz}};
  for (int i = 0; i < 4; ++i) {
    const double *p = P[i], *q = P[(i + 1) % 4];
    const double c = p[0] * q[1] - q[0] * p[1];
    *Izz += (p[1] * p[1] + p[1] * q[1] + q[1] * q[1]) * c;
    *Iyy += (p[0] * p[0] + p[0] * q[0] + q[0] * q[0]) * c;
    *Iyz += ((p[0] + q[0]) * (p[1] + q[1]) - (p[0] * q[1] + q[0] * p[1]) / 2.0) * c;
  }
}

void Calc_DWQB_Principal_Axes() {
  DwqbState &g = Dwqb_State();
  DwqbDirect &d = g.direct;
  double *v = g.values.v;
  const std::uint32_t opt = g.run_options;
  const bool preset = (opt & DWQB_OPT_PRESET_MAIN) != 0;
  const bool rect = g.wall_terms && !preset;
  const double ys = d.y_s, zs = d.z_s;

  // 1.-2. Origin and centroidal sums.
  double O[3] = {0, 0, 0}, C[3] = {0, 0, 0};
  for (const DWQB_LINE *l = g.line_head; l; l = l->next) {
    const double ya = l->node_a->y, za = l->node_a->z, yb = l->node_b->y, zb = l->node_b->z;
    if (rect) {
      double r[3];
      Calc_Wall_Rectangle_Moments(&r[0], &r[1], &r[2], ya, yb, za, zb, l->t_m);
      for (int k = 0; k < 3; ++k) O[k] += r[k] / 12.0;
      Calc_Wall_Rectangle_Moments(&r[0], &r[1], &r[2], ya - ys, yb - ys, za - zs, zb - zs, l->t_m);
      for (int k = 0; k < 3; ++k) C[k] += r[k] / 12.0;
      continue;
    }
    auto add = [&](double *S, double y1, double z1, double y2, double z2) {
      S[0] += (z1 * z1 + z1 * z2 + z2 * z2) * l->A_L / 3.0;
      S[1] += (y1 * y1 + y1 * y2 + y2 * y2) * l->A_L / 3.0;
      S[2] += (2 * y1 * z1 + 2 * y2 * z2 + y1 * z2 + y2 * z1) * l->A_L / 6.0;
    };
    add(O, ya, za, yb, zb);
    add(C, ya - ys, za - zs, yb - ys, zb - zs);
  }

  // 3.-4. Principal axes, or the preset ones with the tensor rebuilt from them.
  double alpha, I1, I2;
  if (!preset) {
    for (int k = 0; k < 3; ++k) {
      v[DWQB_V_IZZ0 + k] = O[k];
      v[DWQB_V_IM + k] = C[k];
    }
    Dwqb_Principal_Axes(C[0], C[1], C[2], &alpha, &I1, &I2);
    v[DWQB_V_ALPHA] = alpha;
    v[DWQB_V_I1] = I1;
    v[DWQB_V_I2] = I2;
    v[DWQB_V_IM_PLUS_IN] = C[0] + C[1];
  } else {
    const double A = g.presets[0], pys = g.presets[1], pzs = g.presets[2];
    alpha = g.presets[3];
    I1 = g.presets[4];
    I2 = g.presets[5];
    const double c = std::cos(alpha), s = std::sin(alpha);
    const double Im = c * c * I1 + s * s * I2, In = s * s * I1 + c * c * I2, Imn = (I2 - I1) * s * c;
    v[DWQB_V_IM] = Im;
    v[DWQB_V_IN] = In;
    v[DWQB_V_IMN] = Imn;
    v[DWQB_V_IZZ0] = Im + A * pzs * pzs;
    v[DWQB_V_IYY0] = In + A * pys * pys;
    v[DWQB_V_IYZ0] = Imn + A * pys * pzs;
    v[DWQB_V_IM_PLUS_IN] = Im + In;
  }

  // 5.-6. Principal coordinates of the nodes, their extremes, widened by the walls.
  const double c = std::cos(alpha), s = std::sin(alpha);
  auto uv = [&](double y, double z, double *u, double *w) {
    *u = c * (y - ys) + s * (z - zs);
    *w = c * (z - zs) - s * (y - ys);
  };
  double umin = 0, umax = 0, vmin = 0, vmax = 0;
  bool first = true;
  auto widen = [&](double u, double w) {
    if (first) {
      umin = umax = u;
      vmin = vmax = w;
      first = false;
    }
    umin = std::min(umin, u);
    umax = std::max(umax, u);
    vmin = std::min(vmin, w);
    vmax = std::max(vmax, w);
  };
  for (DWQB_NODE *n = g.node_head; n; n = n->next) {
    uv(n->y, n->z, &n->yc, &n->zc);
    widen(n->yc, n->zc);
  }
  if (g.wall_terms)
    for (const DWQB_LINE *l = g.line_head; l; l = l->next) {
      const double dy = l->node_b->y - l->node_a->y, dz = l->node_b->z - l->node_a->z;
      if (l->L == 0.0) continue;
      const double ny = dz * l->t_m / (2.0 * l->L), nz = -dy * l->t_m / (2.0 * l->L);
      for (const DWQB_NODE *e : {l->node_a, l->node_b})
        for (double sg : {-1.0, 1.0}) {
          double u, w;
          uv(e->y + sg * ny, e->z + sg * nz, &u, &w);
          widen(u, w);
        }
    }

  // 7. Elastic moduli.
  if (!preset) {
    auto mod = [](double I, double dist) { return std::fabs(dist) > 0.001 ? I / dist : 0.0; };
    v[DWQB_V_W1A] = mod(I1, vmax);
    v[DWQB_V_W1B] = mod(I1, vmin);
    v[DWQB_V_W2A] = mod(I2, umax);
    v[DWQB_V_W2B] = mod(I2, umin);
  }

  // 8. A principal moment that vanishes leaves no usable shear flows.
  if (std::fabs(I1) < 0.0001 || std::fabs(I2) < 0.0001) g.sticky_code = DWQB_FAULT_PRINCIPAL;

  // 9. Third-moment ratios, 12 ∫v (u² + v²) dA and 12 ∫u (u² + v²) dA.
  double Sv = 0.0, Su = 0.0;
  for (const DWQB_LINE *l = g.line_head; l; l = l->next) {
    const double ua = l->node_a->yc, va = l->node_a->zc, ub = l->node_b->yc, vb = l->node_b->zc;
    Sv += (3 * (va * va + vb * vb) * (va + vb) + (ua + ub) * (ua + ub) * (va + vb) + 2 * (va * ua * ua + vb * ub * ub)) *
          l->A_L;
    Su += (3 * (ua * ua + ub * ub) * (ua + ub) + (va + vb) * (va + vb) * (ua + ub) + 2 * (ua * va * va + ub * vb * vb)) *
          l->A_L;
  }
  v[DWQB_V_R1] = I1 >= 0.001 ? Sv / (12.0 * I1) : 0.0;
  v[DWQB_V_R2] = I2 >= 0.001 ? Su / (12.0 * I2) : 0.0;
}

// Mean ordinate over the section (weight t L), subtracted from every line end.
static void _Normalise_Ordinates(const DwqbState &g, double A) {
  if (A == 0.0) return;
  double m = 0.0;
  for (const DWQB_LINE *l = g.line_head; l; l = l->next) m += (l->omega_a + l->omega_b) / 2.0 * l->A_L;
  m /= A;
  for (DWQB_LINE *l = g.line_head; l; l = l->next) {
    l->omega_a -= m;
    l->omega_b -= m;
  }
}

void Calc_DWQB_Warping() {
  DwqbState &g = Dwqb_State();
  DwqbDirect &d = g.direct;
  double *v = g.values.v;
  const double A = d.A, yP = d.y_s, zP = d.z_s;

  // 1.-2. Ordinates in waves from the first node, pole at the centroid; a cell wall loses
  // its torsion flow at unit twist over t along the walk.
  for (DWQB_NODE *n = g.node_head; n; n = n->next) {
    n->work = 0;
    n->work_values[0] = 0.0;
  }
  for (DWQB_LINE *l = g.line_head; l; l = l->next) {
    l->mark = 0;
    l->q_torsion = 0.0;
  }
  std::vector<DWQB_NODE *> wave{g.node_head}, next;
  g.node_head->work = 1;
  for (int w = 1; !wave.empty(); ++w) {
    next.clear();
    for (DWQB_NODE *near : wave) {
      int count;
      DWQB_LINE *const *lines = Dwqb_Node_Lines(near, &count);
      for (int k = 0; k < count; ++k) {
        DWQB_LINE *l = lines[k];
        if (l->mark) continue;
        l->mark = 1;
        const bool ab = l->node_a == near;
        DWQB_NODE *far = ab ? l->node_b : l->node_a;
        const double wn = near->work_values[0];
        double wf = wn + (far->y - near->y) * (zP - near->z) - (far->z - near->z) * (yP - near->y);
        for (auto [cell, sign] : d.line_cells[static_cast<std::size_t>(l->index)]) {
          const double q = d.torsion_flow[static_cast<std::size_t>(cell)];
          wf -= (ab ? sign : -sign) * q * l->L / l->t_m;
          if (d.I_T != 0.0) l->q_torsion += sign * q / d.I_T;
        }
        l->omega_a = ab ? wn : wf;
        l->omega_b = ab ? wf : wn;
        if (far->work) continue;
        far->work = w + 1;
        far->work_values[0] = wf;
        next.push_back(far);
      }
    }
    wave.swap(next);
  }

  // 3. Zero mean; extremes of the torsion flows.
  _Normalise_Ordinates(g, A);
  double tlo = g.line_head->q_torsion, thi = tlo;
  for (const DWQB_LINE *l = g.line_head; l; l = l->next) {
    tlo = std::min(tlo, l->q_torsion);
    thi = std::max(thi, l->q_torsion);
  }
  v[DWQB_V_TFLOW_MIN] = tlo;
  v[DWQB_V_TFLOW_MAX] = thi;

  // 4. Sectorial products about the pole.
  double Iwz = 0.0, Iwy = 0.0, Iww = 0.0;
  for (const DWQB_LINE *l = g.line_head; l; l = l->next) {
    const double wa = l->omega_a, wb = l->omega_b;
    const double za = l->node_a->z - zP, zb = l->node_b->z - zP, ya = l->node_a->y - yP, yb = l->node_b->y - yP;
    Iwz += l->A_L * (2 * za * wa + 2 * zb * wb + zb * wa + za * wb) / 6.0;
    Iwy += l->A_L * (2 * ya * wa + 2 * yb * wb + yb * wa + ya * wb) / 6.0;
    Iww += l->A_L * (wa * wa + wa * wb + wb * wb) / 3.0;
  }
  v[DWQB_V_WARP_PROD1] = Iwz;
  v[DWQB_V_WARP_PROD2] = Iwy;

  // 5. Warping constant about the shear centre.
  const double yM = v[DWQB_V_YM], zM = v[DWQB_V_ZM];
  double Iw = Iww + Iwy * (zM - zP) + Iwz * (yP - yM);
  if (std::fabs(Iw) < 1e-6) Iw = 0.0;
  d.I_w = Iw;
  v[DWQB_V_IW] = Iw;
  v[DWQB_V_WARP_SHIFT] = (yM - d.y_s) * Iwz + (d.z_s - zM) * Iwy + Iw;

  // 6. Pole to the shear centre, zero mean again; extremes.
  for (DWQB_LINE *l = g.line_head; l; l = l->next) {
    l->omega_a += (l->node_a->y - yP) * (zM - zP) - (l->node_a->z - zP) * (yM - yP);
    l->omega_b += (l->node_b->y - yP) * (zM - zP) - (l->node_b->z - zP) * (yM - yP);
  }
  _Normalise_Ordinates(g, A);
  double wlo = g.line_head->omega_a, whi = wlo;
  for (const DWQB_LINE *l = g.line_head; l; l = l->next)
    for (double w : {l->omega_a, l->omega_b}) {
      wlo = std::min(wlo, w);
      whi = std::max(whi, w);
    }
  v[DWQB_V_OMEGA_MIN] = wlo;
  v[DWQB_V_OMEGA_MAX] = whi;

  // 7. Wagner term 12 ∫ω (u² + v²) dA in the principal frame.
  const double c = std::cos(v[DWQB_V_ALPHA]), s = std::sin(v[DWQB_V_ALPHA]);
  double Rw = 0.0;
  for (const DWQB_LINE *l = g.line_head; l; l = l->next) {
    double u[2], w[2], r2[2];
    const DWQB_NODE *e[2] = {l->node_a, l->node_b};
    for (int k = 0; k < 2; ++k) {
      u[k] = c * (e[k]->y - d.y_s) + s * (e[k]->z - d.z_s);
      w[k] = c * (e[k]->z - d.z_s) - s * (e[k]->y - d.y_s);
      r2[k] = u[k] * u[k] + w[k] * w[k];
    }
    Rw += (2 * (l->omega_a * r2[0] + l->omega_b * r2[1]) +
           (l->omega_a + l->omega_b) * ((u[0] + u[1]) * (u[0] + u[1]) + (w[0] + w[1]) * (w[0] + w[1]))) *
          l->A_L;
  }
  v[DWQB_V_WARP_RATIO] = std::fabs(Iw) > 0.001 ? Rw / (12.0 * Iw) : 0.0;

  // 8. A preset warping constant scales the ordinates.
  const double P = g.presets[11];
  if ((g.run_options & DWQB_OPT_PRESET_IW) && P > 0.0 && std::fabs(Iw) > 0.001) {
    const double k = std::sqrt(std::fabs(P / Iw));
    for (DWQB_LINE *l = g.line_head; l; l = l->next) {
      l->omega_a *= k;
      l->omega_b *= k;
    }
    v[DWQB_V_OMEGA_MIN] *= k;
    v[DWQB_V_OMEGA_MAX] *= k;
    v[DWQB_V_WARP_PROD1] *= k;
    v[DWQB_V_WARP_PROD2] *= k;
    v[DWQB_V_IW] = P;
    v[DWQB_V_WARP_SHIFT] = (yM - d.y_s) * k * Iwz + (d.z_s - zM) * k * Iwy + P;
    v[DWQB_V_WARP_RATIO] = k * Rw / (12.0 * P);
  }

  // 9.
  v[DWQB_V_IP_BY_A] = std::fabs(A) >= 0.001 ? (v[DWQB_V_I1] + v[DWQB_V_I2]) / A : 0.0;
}
