// Mask build of the thin-walled section solver: every wall line becomes a stress-strain
// line and an area group bounded by the chords of its outline, carrying a plane fitted to
// the line's warping ordinates as its initial strain plane.
#include <cmath>

#include "dwqb/dwqb_internal.h"
#include "dwqb/plastic_internal.h"

namespace {

constexpr double kCmToM = 0.01;

// New mask node with the next running number at the point (cm), added to the mask.
MASQUE_KNOTEN *_New_Node(DWQB_MASK_CONTEXT *c, double y, double z) {
  MASQUE_KNOTEN *node = Create_Masque_Knoten(++c->node_nr, kCmToM * y, kCmToM * z);
  if (!node) return nullptr;
  if (!Add_Masque_Knoten(c->mask, node)) {
    Destroy_Masque_Knoten(node);
    return nullptr;
  }
  return node;
}

// Straight edge with the next running number from a to b, added to the mask and the group.
int _New_Edge(DWQB_MASK_CONTEXT *c, MASQUE_KNOTEN *a, MASQUE_KNOTEN *b) {
  MASQUE_KANTE *edge = Create_Masque_Kante(++c->edge_nr, a, b, 0.0);
  if (!edge) return 0;
  if (!Add_Masque_Kante(c->mask, edge)) {
    Destroy_Masque_Kante(edge);
    return 0;
  }
  return Add_Kante_to_Masque_Flaeche(c->group, edge) ? 1 : 0;
}

// Adds a plane (section units: ω in cm², y and z in cm) to the initial strain plane of
// every group of the mask, in mask units (m², m).
void _Add_Plane_To_Groups(MASQUE *mask, double a, double b, double c) {
  const int n = Count_Masque_Gruppen(mask);
  for (int i = 0; i < n; ++i) {
    MASQUE_GRUPPE *group = Get_Masque_Gruppe(mask, i);
    if (!group) continue;
    MASQUE_VORDEHNUNG plane = group->vordehnung;
    plane.a += 1e-4 * a;
    plane.b += kCmToM * b;
    plane.c += kCmToM * c;
    plane.flags |= MASQUE_VORDEHNUNG_AKTIV;
    Set_Masque_Gruppe_Vordehnung(group, &plane);
  }
}

void _Scale_Group_Planes(MASQUE *mask, double factor) {
  const int n = Count_Masque_Gruppen(mask);
  for (int i = 0; i < n; ++i) {
    MASQUE_GRUPPE *group = Get_Masque_Gruppe(mask, i);
    if (!group || !(group->vordehnung.flags & MASQUE_VORDEHNUNG_AKTIV)) continue;
    MASQUE_VORDEHNUNG plane = group->vordehnung;
    plane.a *= factor;
    plane.b *= factor;
    plane.c *= factor;
    Set_Masque_Gruppe_Vordehnung(group, &plane);
  }
}

}  // namespace

int Add_Outline_Edge_Step(void *context, double y1, double z1, double, double y2, double z2, double) {
  auto *c = static_cast<DWQB_MASK_CONTEXT *>(context);
  if (!c) return 1;
  if (!c->last) {
    MASQUE_KNOTEN *start = _New_Node(c, y1, z1);
    if (!start) return 0;
    c->first = c->last = start;
  }
  MASQUE_KNOTEN *end = _New_Node(c, y2, z2);
  if (!end) return 0;
  if (!_New_Edge(c, c->last, end)) return 0;
  c->last = end;
  return 1;
}

int Begin_Group_Mask_Step(DWQB_PART *, void *context) {
  auto *c = static_cast<DWQB_MASK_CONTEXT *>(context);
  if (!c) return 0;
  c->mask = Create_Masque_Querschnitt(++c->mask_nr, 0);
  return c->mask ? 1 : 0;
}

int Fit_Line_Warping_Plane(const DWQB_PART *element, DWQB_MASK_CONTEXT *c, double *abc) {
  abc[0] = abc[1] = abc[2] = 0.0;
  if (!element || !c) return 0;
  const double *v = element->values;
  const double A = v[18], Sy = v[19], Sz = v[20], Syy = v[21], Syz = v[22], Szz = v[23];
  const double Sw = v[28], Swy = v[29], Swz = v[30], Sww = v[31];
  // Pole moved to the reference point: ω_r = ω + z_r y − y_r z (the constant is the fit's).
  const double yr = c->y_ref, zr = c->z_ref;
  const double Sw_r = Sw + zr * Sy - yr * Sz;
  const double Swy_r = Swy + zr * Syy - yr * Syz;
  const double Swz_r = Swz + zr * Syz - yr * Szz;
  const double Sww_r =
      Sww + 2.0 * zr * Swy - 2.0 * yr * Swz + zr * zr * Syy - 2.0 * yr * zr * Syz + yr * yr * Szz;
  c->fit_T += Sww_r;
  c->fit_mean_w += Sw_r;
  c->fit_mean_A += A;

  // Normal equations with a eliminated: moments reduced by the area (unreduced when A = 0).
  double Iyy = Syy, Iyz = Syz, Izz = Szz, ry = Swy_r, rz = Swz_r;
  if (A != 0.0) {
    Iyy -= Sy * Sy / A;
    Iyz -= Sy * Sz / A;
    Izz -= Sz * Sz / A;
    ry -= Sy * Sw_r / A;
    rz -= Sz * Sw_r / A;
  }
  const double trace = Iyy + Izz;
  const double det = Iyy * Izz - Iyz * Iyz;
  double b, cc;
  if (!(trace > 0.0)) return 0;
  if (det > 1e-10 * trace * trace) {
    b = (ry * Izz - rz * Iyz) / det;
    cc = (rz * Iyy - ry * Iyz) / det;
  } else {
    // A straight centre line: its moments have rank 1 and the plane is fixed only along
    // the line. Take the plane without a slope across it (least norm): the ordinates of a
    // straight wall vary along it only.
    double dy = Iyy >= Izz ? Iyy : Iyz, dz = Iyy >= Izz ? Iyz : Izz;
    const double len = std::hypot(dy, dz);
    if (!(len > 0.0)) return 0;
    dy /= len;
    dz /= len;
    const double g = (ry * dy + rz * dz) / trace;
    b = g * dy;
    cc = g * dz;
  }
  const double a = A != 0.0 ? (Sw_r - b * Sy - cc * Sz) / A : 0.0;
  abc[0] = a;
  abc[1] = b;
  abc[2] = cc;

  // The fitted plane's integrals over the line's outline area (indices 0-5).
  const double OA = v[0], Oy = v[1], Oz = v[2], Oyy = v[3], Oyz = v[4], Ozz = v[5];
  c->fit_w += a * OA + b * Oy + cc * Oz;
  c->fit_wy += a * Oy + b * Oyy + cc * Oyz;
  c->fit_wz += a * Oz + b * Oyz + cc * Ozz;
  c->fit_ww += a * a * OA + b * b * Oyy + cc * cc * Ozz + 2.0 * (a * b * Oy + a * cc * Oz + b * cc * Oyz);
  return 1;
}

int Fit_Group_Planes_Step(DWQB_PART *part, void *context) {
  auto *c = static_cast<DWQB_MASK_CONTEXT *>(context);
  if (!part || !c || !c->mask) return 1;
  const double *v = part->values;
  const double A = v[0], Sy = v[1], Sz = v[2], Syy = v[3], Syz = v[4], Szz = v[5];
  // Target: ∫ω_r² dA with the mean taken out.
  double T = c->fit_T;
  if (c->fit_mean_A != 0.0) T -= c->fit_mean_w * c->fit_mean_w / c->fit_mean_A;
  double Sww = c->fit_ww;
  // Plane p = a + b y + c z with ∫(ω̃ + p)·{1, y, z} dA = 0, by Cramer's rule.
  const double det = A * (Syy * Szz - Syz * Syz) - Sy * (Sy * Szz - Syz * Sz) + Sz * (Sy * Syz - Syy * Sz);
  if (det != 0.0) {
    const double r0 = -c->fit_w, r1 = -c->fit_wy, r2 = -c->fit_wz;
    const double a = (r0 * (Syy * Szz - Syz * Syz) - Sy * (r1 * Szz - Syz * r2) + Sz * (r1 * Syz - Syy * r2)) / det;
    const double b = (A * (r1 * Szz - Syz * r2) - r0 * (Sy * Szz - Syz * Sz) + Sz * (Sy * r2 - r1 * Sz)) / det;
    const double cc = (A * (Syy * r2 - r1 * Syz) - Sy * (Sy * r2 - r1 * Sz) + r0 * (Sy * Syz - Syy * Sz)) / det;
    _Add_Plane_To_Groups(c->mask, a, b, cc);
    Sww += a * c->fit_w + b * c->fit_wy + cc * c->fit_wz;
  }
  if (std::fabs(Sww - T) > 1e-8 * (std::fabs(T) + std::fabs(Sww)) && std::fabs(Sww) > 1e-8 * std::fabs(T))
    _Scale_Group_Planes(c->mask, std::sqrt(std::fabs(T / Sww)));
  return 1;
}

int _Add_Line_To_Masque(DWQB_LINE *line, int kind, void *context) {
  auto *c = static_cast<DWQB_MASK_CONTEXT *>(context);
  if (!line || !c) return 1;
  ++c->n_lines;
  SPANNUNGSDEHNUNGSLINIE *law = Create_Masque_Spannungsdehnungslinie(line->nr, 2, "DWQB", c->law);
  if (!law) return 0;
  if (!Add_Masque_Spannungsdehnungslinie(c->mask, law)) {
    Destroy_Masque_Spannungsdehnungslinie(law);
    return 0;
  }
  MASQUE_GRUPPE *group = Create_Masque_Flaeche(line->nr, law);
  if (!group) return 0;
  if (!Add_Masque_Gruppe(c->mask, group)) {
    Destroy_Masque_Gruppe(group);
    return 0;
  }
  c->group = group;
  if (kind == DWQB_PART_LINE_CL) return 1;

  // The outline: pieces in index order run once around the line's area, counter-clockwise.
  c->first = c->last = nullptr;
  for (const DWQB_OUTLINE_PIECE &piece : line->outline) {
    if (!Dwqb_Piece_Computed(piece) || (piece.flags & DWQB_PIECE_EMPTY)) continue;
    if (!Walk_DWQB_Outline_Piece(&piece, 2 * piece.count, &Add_Outline_Edge_Step, c)) return 0;
  }
  if (c->first && c->last && !_New_Edge(c, c->last, c->first)) return 0;

  // The warping plane, for a line with its result block.
  double abc[3] = {0.0, 0.0, 0.0};
  MASQUE_VORDEHNUNG plane{};
  if (Dwqb_Line_Result(line->element) && Fit_Line_Warping_Plane(line->element, c, abc)) {
    plane.a = 1e-4 * abc[0];
    plane.b = kCmToM * abc[1];
    plane.c = kCmToM * abc[2];
    plane.flags = MASQUE_VORDEHNUNG_AKTIV;
  }
  Set_Masque_Gruppe_Vordehnung(group, &plane);
  return 1;
}

MASQUE *Build_DWQB_Section_Mask(const double *law) {
  DWQB_MASK_CONTEXT c{};
  c.law = law;
  // Reference point of the warping planes: the shear centre.
  const double *shear_centre = Get_DWQB_Shear_Centre_Result();
  c.y_ref = shear_centre[0];
  c.z_ref = shear_centre[1];

  // One mask for the whole section: the root step creates it, every line element adds its
  // group, the root end step fits the planes over the whole section.
  DWQB_WALK_STEPS steps{};
  steps.root_begin = &Begin_Group_Mask_Step;
  steps.line_step = &_Add_Line_To_Masque;
  steps.root_end = &Fit_Group_Planes_Step;
  steps.root_ctx = steps.line_ctx = &c;

  const unsigned mode = Get_Masque_Calc_Mode();
  Set_Masque_Calc_Mode(mode | MASQUE_MODE_VORDEHNUNG);  // initial strain planes are kept only so
  int ok = Walk_DWQB_Part_Tree(&steps) && c.mask;
  if (ok) ok = Update_Masque_Querschnitt(c.mask, 0);
  Set_Masque_Calc_Mode(mode);
  if (!ok) {
    Release_Masque_Querschnitt(c.mask);
    return nullptr;
  }
  return c.mask;
}
