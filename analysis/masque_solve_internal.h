// analysis/masque_solve_internal.h — pieces of the mask integration shared by the solver's
// source files and their tests. Not for other folders.
#pragma once

#include "analysis/masque_solve.h"

// A frame for the integration: global (y, z) → y'' = c (y − y0) + s (z − z0),
// z'' = c (z − z0) − s (y − y0).
struct MasqueIntFrame {
  double y0, z0, c, s;
};
// The mask's frame turned further by angle.
MasqueIntFrame Masque_Int_Frame(const MASQUE *mask, double angle);

// Working plane of one group with one line under the plane (0, eps0, kappa, x3) given in
// the mask frame turned by phi: the line's own plane (times the line-plane factor) and the
// group's initial strain plane (when the option bit 0x2000 and the mode bit 0x10000 are
// set and the plane is active) are added. alpha is the further turn that makes the
// working plane vary along y'' only (0 when within 1e-10 or without curvature); a, b, c
// the initial strain plane in that final frame when initial is true.
struct MasqueGroupPlane {
  double eps0, kappa, alpha;
  bool initial;
  double a, b, c;
};
void Masque_Group_Plane(const MASQUE *mask, const SPANNUNGSDEHNUNGSLINIE *line, const MASQUE_GRUPPE *group,
                        double phi, const DEHNUNGSEBENE &plane, MasqueGroupPlane *out);
// Smallest and largest y'' of the group's elements in the frame; 0 as Get_Masque_Gruppe_Extent.
int Masque_Group_Extent(const MASQUE_GRUPPE *group, const MasqueIntFrame &frame, double *min, double *max);
// Integrates the group's elements with the working form under the strain eps0 + kappa y''
// (kappa >= 0) in the frame and adds weight times the forces (and the stiffness when
// stiffness is set) into out, in that frame; abc (or null) is the initial strain plane
// whose F3 row and column are formed. 0 for a group type other than 0 to 3.
int Masque_Integrate_Form(const MASQUE_GRUPPE *group, const SDL_ARBEITSFORM &form, const MasqueIntFrame &frame,
                          double eps0, double kappa, double weight, bool stiffness, const double *abc,
                          MASQUE_SCHNITTGROESSEN *out);
// Integration weight of a group: the load factor for a law-type-2 line with the group's
// load-factor switch set, else 1, times the group's weight.
double Masque_Group_Weight(const MASQUE_GRUPPE *group, const SPANNUNGSDEHNUNGSLINIE *line, double lastfaktor);
// Law type (low 15 bits of the type word) of the group's line; 0 without a line.
int Masque_Group_Law(const MASQUE_GRUPPE *group);

// Test access to the residuals of the solves (1 direct, 2 strain domain, 3 equilibrium):
// sets up the solve's module state for the target T (moments about (yp, zp); the
// equilibrium solve uses the centroid and its weights), evaluates the residuals (flag 1)
// into fvec and the Jacobian (flag 2, column-major, leading dimension n) into fjac at x,
// and clears the state again. x is (−ε0, κ cos φ, κ sin φ[, x3]) or (t, phi).
void Masque_Test_Residuals(int solve, MASQUE *mask, const double *T, double lastfaktor, double yp, double zp, int n,
                           const double *x, double *fvec, double *fjac);
// The strain-domain solve's step limit applied to the proposed step (p_t, p_phi) at (t, phi).
void Masque_Test_Step_Limit(double t, double phi, double *step);
// The target basis of T: rows a, b, c.
void Masque_Test_Zielbasis(const double *T, double basis[3][4]);

// Collection context of one hull run: the record, the frame, the current group with the
// kind of its line (1 compression-limited, 2 symmetric), its bounds, its line's own plane
// a + b x + c z in the frame, the list lengths where the group's points begin, and the x
// range of the compression-limited points.
struct MasqueHullKontext {
  MASQUE_HULL *hull;
  MasqueIntFrame frame;
  const MASQUE_GRUPPE *gruppe;
  int art;
  double unten, oben;
  double a, b, c;
  int start_druck, start_zug;
  double xmin, xmax;
};
// Local (y', z') of a node in the context's frame.
void Masque_Hull_Local(const MasqueHullKontext &c, const MASQUE_KNOTEN *node, double *y, double *z);
// Adds the bounds of a point (x, z) (no node) to the lists; 0 when a list is full.
int Add_Masque_Hull_Punkt(MasqueHullKontext *c, double x, double z);
// Adds a node's point unless the group already gave it; 0 when a list is full.
int Add_Masque_Hull_Knoten(const MASQUE_KNOTEN *node, MasqueHullKontext *c);
// Collector variant for line groups (not used by the hull): each element edge's start node
// as a plain point recorded with its node, its end node as a node point.
int Add_Masque_Hull_Liniengruppe(const MASQUE_GRUPPE *group, MasqueHullKontext *c);
// The hull plane of pair: 1 written, −1 no diagonal (callers take the domain table), 0 no
// hull or no touching vertex.
int Masque_Hull_Grenzdehnungsebene(MASQUE *mask, const double *pair, DEHNUNGSEBENE *out);
