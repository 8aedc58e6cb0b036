// analysis/masque_solve.h — the mask solver: strain-plane integration over a mask, strain
// extremes and limit-strain planes, section values of a mask, and the limit state.
//
// Units as in masque.h: the mask in the caller's length unit (metres in this program),
// stresses kN/m², strains per mille, curvatures per mille per length unit, angles radians.
// Forces of an integration (N, My, Mz, F4): N = ∫σ dA, My = ∫σ z dA, Mz = −∫σ y dA in the
// mask's local frame (y', z'), F4 = ∫σ ε_g dA with ε_g a group's initial strain plane;
// compression negative.
//
// Every routine here expects a mask brought up to date by Update_Masque_Querschnitt
// (limits, prepared lines, group scan). The node coordinates are taken from the global
// ones and the mask frame, so stale local coordinates do no harm. No routine here changes
// the mask frame, the node coordinates, the calculation mode word, the result factors or
// the option block; Calc_Masque_Resultierende leaves the lines prepared in full.
//
// A plane with a negative curvature is read as the same plane turned by π with the
// curvature negated.
//
// Return values: 1 success, 0 failure or a null required argument.
//
// Module state (one thread, not re-entrant; Reset_Masque_Solver_For_Tests): the limit
// state's reference point, target ratio, weights, target basis, current mask and target
// (cleared after every solve) and two evaluation counters. Nothing of it survives a call
// except the weights and the counters. The evaluation interface keeps its current mask
// and frame flag (Reset_Masque_Auswertung_For_Tests); the convex hull is cached in its
// mask. Calc_Masque_Auswertung brings its mask fully up to date first.
//
// Source files: masque_integration.cpp (integration, group extent), masque_hull.cpp
// (convex hull of the limit strains), masque_auswertung.cpp (reinforced-concrete builder,
// evaluation interface), masque_limits.cpp
// (strain extremes, ratios, limit-strain planes, zero line, force transforms, section
// values, resultants, line stresses), masque_grenzzustand.cpp (limit state and its solves).
#pragma once

#include "analysis/masque.h"

// ======================================================================= integration
// Forces and stiffness of one integration: K[j][i] = ∂F_i/∂x_j with the strain components
// x = (ε0, κ cos φ, κ sin φ, x3).
struct MASQUE_SCHNITTGROESSEN {
  double F[4];
  double K[4][4];
};

// Forces (N, My, Mz, F4) of the plane over the mask; groups of law type 2 whose load-factor
// switch is set are weighted by lastfaktor; scaled by the result factors when scaling is
// on. 1 when every group was integrated; 0 for a null out, mask or plane (out zero then,
// when given) or when a group failed (out holds the sum of the others).
int Calc_Masque_Dehnungsebene_Forces(MASQUE *mask, const DEHNUNGSEBENE *plane, double lastfaktor, double *forces);
// The whole-mask integration with forces only (no stiffness), behind the routine above,
// with the output before the load factor: forces must not be null; they are zero when the
// mask or the plane is missing. 1 when every group was integrated, else 0.
int _Calc_Masque_Dehnungsebene_Forces(MASQUE *mask, const DEHNUNGSEBENE *plane, double *forces, double lastfaktor);
// The same with the tangent stiffness; out is cleared first. 0 for a null out.
int Calc_Masque_Dehnungsebene_Steifigkeit(MASQUE *mask, const DEHNUNGSEBENE *plane, double lastfaktor,
                                          MASQUE_SCHNITTGROESSEN *out);
// Smallest and largest local y' of the group's elements (circles: centre ∓ radius). 0 for
// an empty group, an unknown type or min above max (a hole).
int Get_Masque_Gruppe_Extent(const MASQUE_GRUPPE *group, double *min, double *max);
// out = p + q over all twenty doubles; a null one counts as zero. 0 for a null out.
int Add_Masque_Schnittgroessen(const MASQUE_SCHNITTGROESSEN *p, const MASQUE_SCHNITTGROESSEN *q,
                               MASQUE_SCHNITTGROESSEN *out);

// ======================================================================= strain extremes
// Families: groups whose line has law type 1 (compression-limited, family 1) or 2
// (symmetric, family 2); other groups are not looked at.
struct MASQUE_DEHNUNG_EXTREMES {
  double phi;           // plane angle
  double min1, max1;    // family 1 smallest and largest strain
  double min2, max2;    // family 2
  double y_min1, y_max1, y_min2, y_max2;  // local y' (frame turned by phi) where they occur
};

// Extremes of the plane over the mask; a family without groups takes the other's values,
// with neither all are 0. 1 when every group succeeded; 0 for a null argument.
int Get_Masque_Dehnung_Extremes(MASQUE *mask, const DEHNUNGSEBENE *plane, MASQUE_DEHNUNG_EXTREMES *out);
// Ratios of the plane's strains to the mask's limit strains: out[0] the most negative,
// out[1] and out[2] the largest positive ratio (out[2] is the limit-strain ratio the solver
// reads). 0 for a null argument.
int Get_Masque_Grenzdehnung_Ratios(MASQUE *mask, const DEHNUNGSEBENE *plane, double *ratios);
// Limit-strain plane of the direction phi and the domain parameter t ∈ [0, 33]
// (pair = {phi, t}; t outside counts as the nearer end): out = (phi, ε0, κ, 0) through the
// first family-1 fibre and the second fibre of the strain domain. With the mask bit
// 0x8000 the plane of the convex hull (Get_Masque_Hull_Grenzdehnungsebene); a hull without
// diagonal falls back to the domain table, a failed hull gives 0. 0 for a null argument.
int Get_Masque_Grenzdehnungsebene(MASQUE *mask, const double *pair, DEHNUNGSEBENE *out);
// Strain extremes of that limit-strain plane.
int Get_Masque_Grenzdehnungsebene_Extremes(MASQUE *mask, const double *pair, MASQUE_DEHNUNG_EXTREMES *out);
// Central differences of the limit-strain plane's (ε0, κ) by (phi, t) with steps 2π h and
// 33 h (h <= 0: 0.0001): out = the inverse of J = [[∂ε0/∂φ, ∂ε0/∂t], [∂κ/∂φ, ∂κ/∂t]],
// row by row. 0 for a null argument, a failed plane or a singular J.
int Get_Masque_Grenzdehnung_Jacobian(MASQUE *mask, const double *pair, double h, double *out);
// Plane at angle v[0] through two fibres with the strains v[1] and v[2]: the first fibre is
// the smallest y' of family 1 (flag 0x2: family 2), the second the largest y' of family 1
// (flag 0x10: family 2; flag 0x20 or none: family 1). 0 when the second fibre does not lie
// beyond the first or an argument is null.
int Set_Masque_Plane_by_Fibres(MASQUE *mask, const double *v, unsigned flags, DEHNUNGSEBENE *out);

// ======================================================================= convex hull
// With the mask bit 0x8000 the limit-strain planes come from the convex hull of the
// limit strains: every point bounds the admissible strain lines e(x) = ε0 + κ x (x the
// local y' in the frame turned by the plane's angle) from below by −|epsu| of its line,
// and for symmetric lines from above by |epsu| (less the line's own plane at the point
// while the mask bit 0x4000 is set). Points: the end nodes of every edge of area and line
// groups, the nodes of point groups, the two extreme fibres (centre ± radius along y') of
// a circle, and for compression-limited lines whose epsD lies above their limit a pivot
// at (x_min (1 − r) + x_max r, epsD) with r = (cmin − epsD) / cmin over their points (3/7
// of the width for concrete). Domain t: 0 slope 0 through the highest compression bound,
// 16 the diagonal (the admissible line of largest slope), 33 slope 0 through the lowest
// tension bound; in between the slope changes linearly and the line turns about the
// vertices of the chains.
struct MASQUE_HULL_PUNKT {
  double x;               // local y' in the hull's frame
  double value;           // limit strain less the line's own strain there, per mille
  const MASQUE_KNOTEN *knoten;   // null for the pivot and circle fibres
  const MASQUE_GRUPPE *gruppe;   // null for the pivot
};
// The cache, one Mem_Malloc block owned by the mask: the record, then both point lists
// (capacity entries each) and both slope arrays (capacity + 1 each).
struct MASQUE_HULL {
  double frame[3];     // mask frame (y0, z0, phi) it was computed for
  double drehung;      // further turn of that frame (the request's angle)
  MASQUE_HULL_PUNKT *druck;   // upper convex chain of the compression bounds, by x
  MASQUE_HULL_PUNKT *zug;     // lower convex chain of the tension bounds, by x
  double *druck_steigung;     // slope before vertex k (k = 0: +max, k = n: −max)
  double *zug_steigung;       // (k = 0: −max, k = n: +max)
  double steigung_0;          // slope at t = 0 (0)
  double diagonale;           // slope at t = 16
  double steigung_33;         // slope at t = 33 (0)
  int capacity;               // 1 + 2 × edges of area and line groups + points + 2 × circles
  int n_druck, n_zug;
  int i_druck_max;            // largest compression bound (first on ties)
  int i_diag_druck, i_diag_zug;  // vertices of the diagonal
  int i_zug_min;              // smallest tension bound (last on ties); −1: not determined
};
// Computes the hull for the mask's frame into its cache and sets bit 0x800; prints
// "Convex_Hull: Druck > Zug !!!" or "Convex_Hull: Keine Diagonale gefunden !!!" on standard
// output for inconsistent limits and goes on. 0 when the record cannot be allocated (the
// cache is then freed) or an element of a group is missing; a failed run leaves no valid
// cache (bit 0x800 clear, indices −1).
int Convex_Hull(MASQUE *mask);
int Compute_Masque_Hull(MASQUE *mask);  // Convex_Hull for a non-null mask
// 1 without work when the cache is valid for the mask's frame, else Convex_Hull.
int Update_Masque_Hull(MASQUE *mask);
// Limit-strain plane (dphi, ε0, κ, 0) of pair = {dphi, t} from the hull for the frame
// turned by dphi (computed unless cached for exactly that frame; the mask frame itself is
// not changed). 0 when there is no hull, no diagonal (no tension bound or no point) or no
// touching vertex; out is then not written.
int Get_Masque_Hull_Grenzdehnungsebene(MASQUE *mask, const double *pair, DEHNUNGSEBENE *out);

// ======================================================================= planes, forces, values
// Forces of the limit-strain plane of pair = {phi, t} (further doubles may follow) with the
// load factor (the hull's plane under bit 0x8000). 0 for a null argument, a plane that
// cannot be formed or a failed integration.
int Calc_Masque_Dehnungsbereich_Forces(MASQUE *mask, const double *pair, double lastfaktor, double *forces);
// Zero line of the plane: line = (direction angle, y, z of its point nearest the origin).
// A plane without curvature (also the zero plane) gives the point at 1e10.
int Dehnungsebene_to_Nulllinie(const MASQUE *mask, const DEHNUNGSEBENE *plane, double *line);
// Strain ε0 + κ (y cos φ + z sin φ) of the plane; 0 for a null plane or out.
int Get_Dehnungsebene_Dehnung(const MASQUE *mask, const DEHNUNGSEBENE *plane, double y, double z, double *strain);
// The force vector seen from the frame (y0, z0, theta) (mode != 0: the frame is given
// inverted, Invert_Masque_Frame); out may be in. *_Back undoes the move.
int Transform_Schnittgroessen(const double *in, double y0, double z0, double theta, double *out, int mode);
int Transform_Schnittgroessen_by_Frame(const double *in, const double *frame, double *out, int mode);
int Transform_Schnittgroessen_Back(const double *in, double y0, double z0, double theta, double *out, int mode);
int Transform_Schnittgroessen_Back_by_Frame(const double *in, const double *frame, double *out, int mode);
// (ymin, ymax, zmin, zmax) of the nodes, local coordinates when lokal != 0; out unchanged
// for a mask without nodes.
int Get_Masque_Knoten_Extent(const MASQUE *mask, double *extent, int lokal);

// Section values of a mask, integrated in its local frame.
struct MASQUE_QUERSCHNITTSWERTE {
  double A;         // weighted area
  double ys, zs;    // centroid (the raw first moments while A is 0)
  double raw_zz;    // ∫ z'² dA about the frame origin
  double raw_yy;    // ∫ y'² dA
  double raw_yz;    // ∫ y' z' dA
  double I1, I2;    // principal second moments: I1 about the axis at alpha
  double alpha;     // angle of the first principal axis from y', in [−π/4, π/4]
  double vordehnung;  // Σ ∫ ε_g² dA of the active initial strain planes (depth 3)
};
// Group selection of the section values: law type 1 needs 0x1; law type 2 needs 0x2 with
// its load-factor switch set, 0x4 without; other laws 0x10000. 0xfffffff takes every group.
constexpr unsigned MASQUE_WERTE_ALLE = 0xfffffff;
// depth 1: A and centroid; 2: also second moments and principal values; 3: also the
// initial-strain term (only while the mode bit 0x10000 is set); depth <= 0 means all.
// out is zeroed first. 0 for a null argument or a failed integration.
int Calc_Masque_Querschnittswerte(MASQUE *mask, unsigned kinds, int depth, MASQUE_QUERSCHNITTSWERTE *out);
// Tension resultant and compression resultant of the plane with their points of action:
// out = (N_t, y_t, z_t, N_c, y_c, z_c); a point is (0, 0) when its N is 0. The lines are
// prepared in full again before it returns.
int Calc_Masque_Resultierende(MASQUE *mask, const DEHNUNGSEBENE *plane, double lastfaktor, double *out);
// Plane (φ, ε0, κ, 0) fitted to the lines' own strain planes of the selected groups:
// ε0 = N / W, gradient (−Mz / W, My / W) of the own strains integrated, W the weighted area.
int Calc_Masque_Vordehnungsebene(MASQUE *mask, unsigned kinds, DEHNUNGSEBENE *out);
// Stress of the line at the strain from a freshly prepared copy; 0 (stress 0) when it has
// no segments or is null.
int Get_Spannungsdehnungslinie_Spannung(const SPANNUNGSDEHNUNGSLINIE *line, double strain, double *stress);
// Stress and tangent modulus of a prepared working form at the strain.
int Get_SDL_Arbeitsform_Spannung(const SDL_ARBEITSFORM *form, double strain, double *stress, double *tangent);

// ======================================================================= limit state
// Tolerance and iteration limit of the solves (1e-4 and 100 when the block is absent).
struct SOLVER_TOLERANZ {
  double tol;
  int max_iter;
};

// Result of a limit state.
struct GRENZZUSTAND {
  DEHNUNGSEBENE ebene;  // limit plane
  double F[4];          // its forces with the load factor (and result factors)
  double residuum;      // residual norm of the solve that gave the plane
  int iterationen;      // iterations of all solves of the call
  int wort;             // 0
  double lambda;        // load factor: F ≈ λ T; −1 until a stage sets it
  double verhaeltnis;   // limit-strain ratio of the plane
  int zustand;          // 0 found by the direct solve or load stepping, 1 by the strain-domain
                        // solve; on failure the last direct solve's termination code + 1
};
// Mode word of the limit state.
constexpr unsigned MASQUE_GZ_START_EBENE = 0x1;  // start the direct solve from ebene
constexpr unsigned MASQUE_GZ_NUR_DIREKT = 0x2;   // no strain-domain solve, no load stepping
constexpr unsigned MASQUE_GZ_OHNE_BEREICH = 0x4; // no strain-domain solve

// Limit state of the mask for the force direction T = (N, My, Mz, F4): the plane whose
// forces are λ T (λ >= 0) with the limit-strain ratio 1. lastfaktor weights the groups with
// a set load-factor switch; tol may be null. 1 when found (record filled, zustand 0 or 1), 0
// otherwise (λ as the last stage left it); 0 without writing for a null mask, T or record.
//
// The thin-walled section solver's plastic call (strength f, solver mode 0 or 1) maps
// onto it as: T = (0, 1, 0, 0), a unit moment about the local y' axis of the frame the
// solver sets; lastfaktor = f (no effect: the solver's groups keep the load-factor switch
// at 0); tol = {1e-6, 100}; solver mode 0: record->ebene preset to (π/2, 0, 0.01, 0) and
// mode word MASQUE_GZ_START_EBENE; solver mode 1: mode word 0. The limit moment is then
// record->F[1] (= λ).
int Calc_Masque_Grenzzustand(MASQUE *mask, const double *T, double lastfaktor, const SOLVER_TOLERANZ *tol,
                             GRENZZUSTAND *record, unsigned mode);
// The same for a target limit-strain ratio other than 1.
int Calc_Masque_Grenzzustand_Scaled(MASQUE *mask, const double *T, double lastfaktor, const SOLVER_TOLERANZ *tol,
                                    GRENZZUSTAND *record, unsigned mode, double ratio);

// Strain-domain position of a limit state: direction phi and domain parameter t.
struct DEHNUNGSBEREICH_LAGE {
  double phi, t;
  double F[4];       // forces of the limit-strain plane
  double residuum;
  int iterationen;
  int wort;          // 0
  double lambda;
  int zustand;       // 0 success
};
// The strain-domain solve alone (after the limit state's scaling). 1 when it converged.
int Calc_Masque_Grenzrichtung(MASQUE *mask, const double *T, double lastfaktor, const SOLVER_TOLERANZ *tol,
                              DEHNUNGSBEREICH_LAGE *record, unsigned mode);

// Equilibrium plane: the plane whose forces equal T.
struct GLEICHGEWICHTSLAGE {
  DEHNUNGSEBENE ebene;
  double residuum;
  int iterationen;
  int zustand;  // 0 success
};
// Direct solve from the elastic start (from record->ebene with mode bit 0x1); on failure
// (unless mode 0x2) a continuation from the scaled limit plane. 1 when found.
int Calc_Masque_Gleichgewicht(MASQUE *mask, const double *T, double lastfaktor, const SOLVER_TOLERANZ *tol,
                              GLEICHGEWICHTSLAGE *record, unsigned mode);

// Limit state extended by the factor found by Calc_Masque_Grenzfaktor.
struct GRENZZUSTAND_FAKTOR {
  GRENZZUSTAND grenz;
  double faktor;
  int status;  // 0 found, 2 no factor in the range reaches lambda_req, 0x1000 no limit state
};
// Load factor x in [x_min, x_max] (range = {x_min, x_max, unused, lambda_req}) at which
// the limit state of T has the load factor lambda_req (within 0.999 … 1.001). 1 when found.
// Regula falsi on ln x between the range ends; once q − 1 changes by less than a bound (3,
// halved after every failed try) a hybrid solve in (−ε0, κ cos φ, κ sin φ, ln x) refines
// the point (forces at x equal lambda_req T in the equilibrium solve's weights, limit-strain
// ratio 1; lambda_req <= 0: the strain coefficient γ of the plane) and ends the search when
// it converges inside the range.
int Calc_Masque_Grenzfaktor(MASQUE *mask, const double *T, const double *range, const SOLVER_TOLERANZ *tol,
                            GRENZZUSTAND_FAKTOR *record);

// out = value when value > 0, else γ = 2.1 − (7/60) e bounded to [1.75, 2.1] with e the
// largest strain of the symmetric lines under the plane. Returns 0 for a null mask or
// plane, else the extremes routine's result (1 when value > 0 and no record is given).
int Get_Masque_Dehnung_Beiwert(MASQUE *mask, const DEHNUNGSEBENE *plane, double value, double *out,
                               MASQUE_DEHNUNG_EXTREMES *extremes);

// Not built: the angle residuals of the strain-domain solve (_Fcn_Dehnungsbereich_Winkel,
// _Winkel_Residuum); no solve of this program uses them.

// Evaluation counters of the limit-state solves (counting while the switch is on).
void Reset_Masque_Solver_Counts();
void Get_Masque_Solver_Counts(int *evaluations, int *jacobians);
int Set_Masque_Solver_Counting(int on);  // previous switch
// Reference point, target ratio and counters back to program start.
void Reset_Masque_Solver_For_Tests();

// ======================================================================= builder, evaluation
// Reinforced-concrete mask: area group 1 over the polygon (y[i], z[i]), i < n (edges 1 to
// n, nodes 1 to n; none when n <= 2) with a clone of the concrete line, point group k + 1
// of bar k at (by, bz) with its area and a clone of the steel line (node k). Both lines
// are added in any case; null lines mean the built-in "B25" and "BSt 500 SA". Null when
// an array that is needed is missing or memory is short (nothing is kept then).
MASQUE *Build_Masque_Stahlbeton(int id, int n, const double *y, const double *z, int nb, const double *by,
                                const double *bz, const double *area, const SPANNUNGSDEHNUNGSLINIE *beton,
                                const SPANNUNGSDEHNUNGSLINIE *stahl);
// Equilibrium plane of the forces (load factor 1, tolerance 1e-6, 100 iterations):
// result = (φ, ε0, κ, x3). 1 when found.
int Calc_Masque_Gleichgewicht_Default(MASQUE *mask, const double *forces, double *result);

// Result block of the evaluation interface (doubles by index, then two words):
//  0-2 requested forces (modes 2 to 4); 3-5 N and the moments about the centroid (modes 1
//  to 4; modes 3 and 4: the limit forces over λ); 6 limit-strain ratio (modes 1, 2) or λ
//  (modes 3, 4); 7 F4 of the final plane (modes 1 to 4); 8 plane angle in degrees; 9 zero
//  line angle in degrees, 10-11 its point nearest the origin; 12 ε0; 13 curvature (modes 1
//  to 4); 14-17 strain extremes (family 1 min, max, family 2 min, max); 20-21 centroid.
//  Mode 5: 3-8 tension resultant (N, y, z) and compression resultant, 13 their lever arm,
//  9-11 zero line, 14 and 15 the distances from the zero line of the most compressed and
//  the most stretched point (1e10 for none).
//  22 + k stress and 278 + k strain at evaluation point k (k < 256), in group order: the
//  start node of every area edge, the nodes of point groups, 32 points of a circle on the
//  radius r sqrt(φ/sin φ), φ = 2π/32 (the 32-gon of its area), both end nodes of every
//  edge of a line group. wort[0]: the mask's full point count (also above 256).
constexpr int MASQUE_AUSWERTUNG_PUNKTE = 256;
constexpr int MASQUE_AUSWERTUNG_SPANNUNG = 22;
constexpr int MASQUE_AUSWERTUNG_DEHNUNG = 278;
struct MASQUE_AUSWERTUNG {
  double wert[534];
  int wort[2];
};

// Current mask of the evaluation interface (module state, one thread; a destroyed mask is
// forgotten). The three leading words are not read. frame_mode 1: the given moments are
// about the centroid, else about the mask origin; reset forgets a mask set before. 0
// without a mask.
int Set_Masque_Auswertung_Masque(int, int, int, MASQUE *mask, int frame_mode, int reset);
int Clear_Masque_Auswertung_Masque();  // 1 when a mask was set
void Forget_Masque_Auswertung_Masque(const MASQUE *mask);
void Reset_Masque_Auswertung_For_Tests();
// Evaluates the current mask (brought fully up to date first) into the cleared block;
// always 1, a failure (no mask, an unknown mode, a driver that fails) leaves it cleared.
// p: modes 1 and 5 (angle in degrees, strain at the first fibre, strain at the second
// fibre, selector): the first fibre is the smallest y' of family 1, the second the largest
// y' of family 2 when the selector is 1, else of family 1. Modes 2 and 3 (N, My, Mz):
// equilibrium plane, limit state. Mode 4 (N, My, Mz, λ_req, e_rel in percent of the depth
// h = sqrt(12 I_max / A), e_abs in hundredths of the length unit): see the driver.
int Calc_Masque_Auswertung(int mode, const double *p, MASQUE_AUSWERTUNG *block);
// Stress and strain of every evaluation point under the plane (at most 256 written,
// wort[0] the full count); 0 when an element is missing.
int Fill_Masque_Auswertung_Punkte(MASQUE *mask, const DEHNUNGSEBENE *plane, MASQUE_AUSWERTUNG *block);
// Mode drivers; forces P = (N, My, Mz) about the centroid, v = (φ in radians, strain at the
// first fibre, strain at the second), flags as Set_Masque_Plane_by_Fibres. 1, or 0 when
// the plane or state cannot be found.
int Calc_Masque_Auswertung_Ebene(MASQUE *mask, const double *v, unsigned flags, MASQUE_AUSWERTUNG *block);
// Equilibrium plane of P; a plane beyond the limit strains by less than 1.2 is replaced by
// the limit state (which must reach a ratio above 0.995), else 0.
int Calc_Masque_Auswertung_Kraefte(MASQUE *mask, const double *P, MASQUE_AUSWERTUNG *block);
int Calc_Masque_Auswertung_Grenzzustand(MASQUE *mask, const double *P, MASQUE_AUSWERTUNG *block);
// Limit state, at the load factor faktor, of P with its moments held at least at
// margin |N| in each direction (a minimum eccentricity; a zero moment becomes +margin |N|);
// slots as mode 3.
int Calc_Masque_Auswertung_Grenzzustand_Bounded(MASQUE *mask, const double *P, double faktor, double margin,
                                                MASQUE_AUSWERTUNG *block);
// Mode 4: the margin is the largest of 0.11666… h, e_rel and e_abs; with λ_req > 0 the load
// factor x in [0, 1] of the switched groups at which those bounded forces reach λ_req
// (Calc_Masque_Grenzfaktor; 0 when none), else x = 1; then the bounded limit state at x.
int Calc_Masque_Auswertung_Grenzfaktor(MASQUE *mask, const double *P, double lambda_req, double e_rel, double e_abs,
                                       MASQUE_AUSWERTUNG *block);
int Calc_Masque_Auswertung_Resultierende(MASQUE *mask, const double *v, unsigned flags, MASQUE_AUSWERTUNG *block);
// Distances from the plane's zero line of the most compressed and the most stretched
// evaluation point (1e10 for none, also without curvature).
int Calc_Masque_Auswertung_Abstaende(MASQUE *mask, const DEHNUNGSEBENE *plane, double *out);
