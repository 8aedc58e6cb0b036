// Section values by parts: the exact moments of every line's outline area (fillets
// included), its centre-line integrals, torsion constants and perimeters, summed up the
// part tree, and the section result block derived from the sums.
#include <cmath>
#include <cstring>

#include "dwqb/dwqb_internal.h"

// ---------------------------------------------------------------- outline pieces

static bool _Present(const DWQB_OUTLINE_PIECE &p) {
  return (p.flags & DWQB_PIECE_COMPUTED) && !(p.flags & DWQB_PIECE_EMPTY);
}

int Walk_DWQB_Outline_Piece(const DWQB_OUTLINE_PIECE *p, int n, DWQB_SEGMENT_STEP step, void *ctx) {
  if (n < 0) n = p->count;
  if (n < 1) n = 1;
  const bool arc = (p->flags & DWQB_PIECE_ARC) != 0;
  DWQB_LINE_GEOMETRY own;
  // An own arc is built once per walk; a piece on its line interpolates s and w.
  if (arc && !p->line) Set_DWQB_Line_Geometry(p->y0, p->z0, p->y1, p->z1, p->rise, 0.0, 0.0, 0.001, &own);
  auto point = [&](double t, double *y, double *z) {
    if (arc && p->line) {
      const double s = ((p->s0 + p->s1) + t * (p->s1 - p->s0)) / 2.0;
      const double w = ((p->w0 + p->w1) + t * (p->w1 - p->w0)) / 2.0;
      Get_DWQB_Line_Geometry_Point(s, w, &p->line->geo, y, z);
    } else if (arc) {
      Calc_Line_Point(&own, t, y, z);
    } else {
      *y = (p->y0 + p->y1) / 2.0 + t * (p->y1 - p->y0) / 2.0;
      *z = (p->z0 + p->z1) / 2.0 + t * (p->z1 - p->z0) / 2.0;
    }
  };
  double y0, z0, u0 = p->s0;
  point(-1.0, &y0, &z0);
  // An own arc turns its radius vector by the same angle at every step: one sine and
  // cosine per walk, the end point exact.
  const bool turn = arc && !p->line && own.n_seg > 0;
  double ry = 0.0, rz = 0.0, cd = 1.0, sd = 0.0;
  if (turn) {
    ry = y0 - own.y_c;
    rz = z0 - own.z_c;
    // The centre-line point runs clockwise in the local frame as s grows (x = R sin, v = R cos).
    const double d = -2.0 * own.half_angle / n;
    cd = std::cos(d);
    sd = std::sin(d);
  }
  int answer = 1;
  for (int k = 1; k <= n; ++k) {
    const double t = k == n ? 1.0 : k * 2.0 / n - 1.0;
    double y1, z1;
    if (turn && k < n) {
      const double ny = cd * ry - sd * rz, nz = sd * ry + cd * rz;
      ry = ny;
      rz = nz;
      y1 = own.y_c + ry;
      z1 = own.z_c + rz;
    } else {
      point(t, &y1, &z1);
    }
    const double u1 = ((p->s0 + p->s1) + t * (p->s1 - p->s0)) / 2.0;
    answer = step(ctx, y0, z0, u0, y1, z1, u1);
    if (!answer) return 0;
    y0 = y1;
    z0 = z1;
    u0 = u1;
  }
  return answer;
}

int Walk_DWQB_Outline_Piece_Checked(const DWQB_OUTLINE_PIECE *p, int n, DWQB_SEGMENT_STEP step, void *ctx) {
  if (!p || !step) return 0;
  return Walk_DWQB_Outline_Piece(p, n, step, ctx);
}

double Get_DWQB_Piece_Length(const DWQB_OUTLINE_PIECE *p) {
  if (!(p->flags & DWQB_PIECE_ARC)) return std::hypot(p->y1 - p->y0, p->z1 - p->z0);
  if (!p->line) {
    // The chords of an own arc walked in 2 × count steps are all alike.
    DWQB_LINE_GEOMETRY own;
    Set_DWQB_Line_Geometry(p->y0, p->z0, p->y1, p->z1, p->rise, 0.0, 0.0, 0.001, &own);
    const int n = 2 * p->count < 1 ? 1 : 2 * p->count;
    if (own.n_seg == 0) return std::hypot(p->y1 - p->y0, p->z1 - p->z0);
    return n * 2.0 * std::fabs(own.radius) * std::fabs(std::sin(own.half_angle / n));
  }
  double len = 0.0;
  Walk_DWQB_Outline_Piece(p, 2 * p->count, Add_Segment_Length, &len);
  return len;
}

// Walks the present outline pieces of every line element (kind 1) below a group.
static void _Walk_Part_Outline(const DWQB_PART *part, DWQB_SEGMENT_BOUNDS *ctx) {
  if (!part) return;
  if (part->kind == DWQB_PART_GROUP) {
    for (int i = 0; i < part->count; ++i) _Walk_Part_Outline(part->children[i], ctx);
    return;
  }
  if (part->kind != DWQB_PART_LINE || part->count != 1 || !part->line) return;
  for (const DWQB_OUTLINE_PIECE &p : part->line->outline) {
    if (!_Present(p)) continue;
    if (p.flags & DWQB_PIECE_ARC)
      Walk_DWQB_Outline_Piece(&p, 2 * p.count, Add_Segment_Bounds, ctx);
    else
      Add_Segment_Bounds(ctx, p.y0, p.z0, p.s0, p.y1, p.z1, p.s1);
  }
}

// ---------------------------------------------------------------- one line element

static double _T(double x, double y) {
  const double s = (x + y) / 2.0;
  return s * (s * s + (y - x) * (y - x) / 4.0);
}
static double _Dist(double y1, double z1, double y2, double z2) { return std::hypot(y2 - y1, z2 - z1); }

// Torsion constant of a line with the corner fillets of its joined ends (index 47).
static double _Fillet_Torsion(const DWQB_LINE *L, double IT) {
  const DWQB_LINE_GEOMETRY &g = L->geo;
  const DWQB_OUTLINE_PIECE *o = L->outline;
  auto P = [&](double q, double *y, double *z) {
    *y = ((1.0 - q) * g.y_a + (1.0 + q) * g.y_b) / 2.0;
    *z = ((1.0 - q) * g.z_a + (1.0 + q) * g.z_b) / 2.0;
  };
  const double Lh = g.length / 2.0;
  double y, z;
  if (L->next_at_a || L->prev_at_a) {
    if (_Present(o[1])) {
      const DWQB_OUTLINE_PIECE &p = o[1];
      const double q = p.s1, m = Lh * std::fabs(q + 1.0);
      const double d1 = std::fmin(2.0 * _Dist(p.y0, p.z0, g.y_a, g.z_a), _Dist(p.y0, p.z0, o[8].y1, o[8].z1));
      P(q, &y, &z);
      const double d2 = 2.0 * _Dist(p.y1, p.z1, y, z);
      IT += _T(d1, d2) * (Get_DWQB_Piece_Length(&p) + m) / 12.0;
    }
    if (_Present(o[8])) {
      const DWQB_OUTLINE_PIECE &p = o[8];
      const double q = p.s0, m = Lh * std::fabs(q + 1.0);
      const double d1 = std::fmin(2.0 * _Dist(p.y1, p.z1, g.y_a, g.z_a), _Dist(p.y1, p.z1, o[1].y0, o[1].z0));
      P(q, &y, &z);
      const double d2 = 2.0 * _Dist(p.y0, p.z0, y, z);
      IT += _T(d1, d2) * (Get_DWQB_Piece_Length(&p) + m) / 12.0;
    }
  }
  if (L->next_at_b || L->prev_at_b) {
    if (_Present(o[3])) {
      const DWQB_OUTLINE_PIECE &p = o[3];
      const double q = p.s0, m = Lh * std::fabs(q - 1.0);
      const double d1 = std::fmin(2.0 * _Dist(p.y1, p.z1, g.y_b, g.z_b), _Dist(p.y1, p.z1, o[6].y0, o[6].z0));
      P(q, &y, &z);
      const double d2 = 2.0 * _Dist(p.y0, p.z0, y, z);
      IT += _T(d1, d2) * (Get_DWQB_Piece_Length(&p) + m) / 12.0;
    }
    if (_Present(o[6])) {
      const DWQB_OUTLINE_PIECE &p = o[6];
      const double q = p.s1, m = Lh * std::fabs(q - 1.0);
      const double d1 = std::fmin(2.0 * _Dist(p.y0, p.z0, g.y_b, g.z_b), _Dist(p.y0, p.z0, o[3].y1, o[3].z1));
      P(q, &y, &z);
      const double d2 = 2.0 * _Dist(p.y1, p.z1, y, z);
      IT += _T(d1, d2) * (Get_DWQB_Piece_Length(&p) + m) / 12.0 - _T(L->t_b, d2) * m / 6.0;
    }
  }
  return IT;
}

static void _Line_Element_Values(DWQB_PART *E) {
  double *v = E->values;
  std::memset(v, 0, sizeof E->values);
  if ((E->kind != DWQB_PART_LINE && E->kind != DWQB_PART_LINE_CL) || E->count != 1 || !E->line) return;
  const DWQB_LINE *L = E->line;
  DWQB_SEGMENT_MOMENTS acc{};
  for (int i = 0; i < 10; ++i) {
    const DWQB_OUTLINE_PIECE &p = L->outline[i];
    if (!_Present(p)) continue;
    Walk_DWQB_Outline_Piece(&p, (p.flags & DWQB_PIECE_ARC) ? 2 * p.count : 1, Add_Segment_Moments, &acc);
    if (E->kind != DWQB_PART_LINE) continue;
    // Perimeter: the face beside the piece is a cell (inner) or not (outer); the joins at
    // a node with neighbours lie inside the section.
    const int kind = static_cast<int>(p.flags & DWQB_PIECE_INDEX_MASK);
    bool rechts = true;
    if (kind == 0 || kind == 9) {
      if (L->next_at_a || L->prev_at_a) continue;
    } else if (kind == 4 || kind == 5) {
      if (L->next_at_b || L->prev_at_b) continue;
      rechts = false;
    } else if (kind >= 6 && kind <= 8) {
      rechts = false;
    }
    const bool cell = rechts ? (L->face_rechts && (L->flags_rechts & WE_CELL))
                             : (L->face_links && (L->flags_links & WE_CELL));
    v[cell ? 49 : 48] += Get_DWQB_Piece_Length(&p);
  }
  for (int k = 0; k < 10; ++k) v[k] = acc.values[k];
  if (acc.first_set)
    for (int k = 10; k < 14; ++k) v[k] = acc.values[k];
  v[14] = std::fmin(L->t_a, L->t_b);
  v[15] = std::fmax(L->t_a, L->t_b);
  // Centre-line integrals of the whole line.
  Calc_DWQB_Line_Integrals(L, 1.0, &v[18], &v[19], &v[20], &v[21], &v[23], &v[22]);
  // Third moments of the centre line.
  const double len = L->geo.length;
  Dwqb_Gauss_Line(L, [&](double s, double w) {
    double y, z;
    Calc_Line_Point(&L->geo, s, &y, &z);
    const double t = ((1.0 - s) * L->t_a + (1.0 + s) * L->t_b) / 2.0;
    const double wt = w * t * len / 2.0;
    v[24] += wt * y * y * y;
    v[25] += wt * y * y * z;
    v[26] += wt * y * z * z;
    v[27] += wt * z * z * z;
  });
  // Torsion constant: ∫t³ ds / 3 for a linearly varying thickness.
  const double tm = (L->t_a + L->t_b) / 2.0, dt = L->t_b - L->t_a;
  v[45] = tm * (tm * tm + dt * dt / 4.0) * len / 3.0;
  v[47] = _Fillet_Torsion(L, v[45]);
}

// ---------------------------------------------------------------- section result

// ∫(y - a)^p (z - b)^q dA from the raw moments M[i][j] = ∫y^i z^j dA.
static double _Central(const double M[4][4], int p, int q, double a, double b) {
  static const int C[4][4] = {{1, 0, 0, 0}, {1, 1, 0, 0}, {1, 2, 1, 0}, {1, 3, 3, 1}};
  double s = 0.0;
  for (int i = 0; i <= p; ++i)
    for (int j = 0; j <= q; ++j)
      s += C[p][i] * C[q][j] * std::pow(-a, p - i) * std::pow(-b, q - j) * M[i][j];
  return s;
}

int _Calc_Section_Result_Values(DWQB_PART *root, const double *S, DWQB_SECTION_RESULT *out) {
  if (!out) return 0;
  *out = DWQB_SECTION_RESULT{};
  DWQB_SECTION_RESULT &r = *out;
  const double A = S[0];
  r.A = A;
  r.int_y = S[1];
  r.int_z = S[2];
  r.int_zz = S[5];
  r.int_yy = S[3];
  r.int_yz = S[4];
  double M[4][4] = {};
  M[0][0] = S[0];
  M[1][0] = S[1];
  M[0][1] = S[2];
  M[2][0] = S[3];
  M[1][1] = S[4];
  M[0][2] = S[5];
  M[3][0] = S[6];
  M[2][1] = S[7];
  M[1][2] = S[8];
  M[0][3] = S[9];
  double ys = 0.0, zs = 0.0, Iy, Iz, Iyz, Y, Z;
  if (A > 0.0) {
    ys = S[1] / A;
    zs = S[2] / A;
    Iy = S[5] - zs * zs * A;
    Iz = S[3] - ys * ys * A;
    Iyz = S[4] - A * ys * zs;
    Y = _Central(M, 3, 0, ys, zs) + _Central(M, 1, 2, ys, zs);
    Z = _Central(M, 2, 1, ys, zs) + _Central(M, 0, 3, ys, zs);
  } else {
    Iy = S[5];
    Iz = S[3];
    Iyz = S[4];
    Y = S[6] + S[8];
    Z = S[7] + S[9];
  }
  r.y_s = ys;
  r.z_s = zs;
  r.I_y = Iy;
  r.I_z = Iz;
  r.I_yz = Iyz;
  double alpha, I1, I2;
  Dwqb_Principal_Axes(Iy, Iz, Iyz, &alpha, &I1, &I2);
  const double ca = std::cos(alpha), sa = std::sin(alpha);
  r.alpha = alpha;
  r.I_1 = I1;
  r.I_2 = I2;
  r.r_u = I2 > 0.0 ? (Y * ca + Z * sa) / I2 : 0.0;
  r.r_v = I1 > 0.0 ? (Z * ca - Y * sa) / I1 : 0.0;
  r.dy_min = S[10] - ys;
  r.dy_max = S[11] - ys;
  r.dz_min = S[12] - zs;
  r.dz_max = S[13] - zs;
  r.t_min = S[14];
  r.t_max = S[15];
  if (r.dz_min != 0.0) r.W_y_min = Iy / r.dz_min;
  if (r.dz_max != 0.0) r.W_y_max = Iy / r.dz_max;
  if (r.dy_min != 0.0) r.W_z_min = Iz / r.dy_min;
  if (r.dy_max != 0.0) r.W_z_max = Iz / r.dy_max;
  if (!root) return 0;

  DWQB_SEGMENT_BOUNDS b{};
  b.y0 = ys;
  b.z0 = zs;
  b.rotate = std::fabs(alpha) > 1e-6 ? 1 : 0;
  b.cos = ca;
  b.sin = sa;
  const double D = Iy * Iz - Iyz * Iyz;
  if (D != 0.0) {
    b.matrix[0] = -Iyz / D;  // c_y = (I_z z - I_yz y) / D
    b.matrix[1] = Iz / D;
    b.matrix[2] = -Iy / D;   // c_z = (I_yz z - I_y y) / D
    b.matrix[3] = Iyz / D;
  }
  _Walk_Part_Outline(root, &b);
  if (b.first_set) {
    // Extremes 0-3: u_min, u_max, v_min, v_max; 4-7: smallest and largest c_y, then c_z.
    const double *e = b.extremes;
    r.W_y_unsym_min = e[4] != 0.0 ? 1.0 / e[4] : 0.0;
    r.W_y_unsym_max = e[5] != 0.0 ? 1.0 / e[5] : 0.0;
    r.W_z_unsym_min = e[6] != 0.0 ? 1.0 / e[6] : 0.0;
    r.W_z_unsym_max = e[7] != 0.0 ? 1.0 / e[7] : 0.0;
    r.u_min = e[0], r.u_max = e[1], r.v_min = e[2], r.v_max = e[3];
    if (r.v_min != 0.0) r.W_1_vmin = I1 / r.v_min;
    if (r.v_max != 0.0) r.W_1_vmax = I1 / r.v_max;
    if (r.u_min != 0.0) r.W_2_umin = I2 / r.u_min;
    if (r.u_max != 0.0) r.W_2_umax = I2 / r.u_max;
  }
  return 0;
}

int Calc_DWQB_Part_Result_Values(const double *values, double *result) {
  if (!result) return 0;
  DWQB_SECTION_RESULT r;
  const int answer = _Calc_Section_Result_Values(nullptr, values, &r);
  std::memcpy(result, &r, sizeof r);  // the same 38 doubles in the same order
  return answer;
}

static void _All_Elements(DWQB_PART *part) {
  if (!part) return;
  if (part->kind == DWQB_PART_GROUP) {
    for (int i = 0; i < part->count; ++i) _All_Elements(part->children[i]);
    return;
  }
  _Line_Element_Values(part);
}

int _Calc_Part_Values() {
  DwqbState &g = Dwqb_State();
  if (!g.root) return 1;
  _All_Elements(g.root);
  Sum_DWQB_Part_Values(g.root);
  _Calc_Section_Result_Values(g.root, g.root->values, &g.section_result);
  Calc_DWQB_Centreline_Values(g.root->values, g.centre_line);
  return 1;
}
