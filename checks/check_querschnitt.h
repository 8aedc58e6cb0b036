// checks/check_querschnitt.h — numeric routines of the cross-section check: the plastic
// interaction of N, V and M for five section shapes, the scaling of section forces, and the
// small services of the check-data module.
//
// Units: those of the section catalogue's value block. The program passes lengths in m and
// stresses in kN/m², so that N_pl and V_pl come out in kN and M_pl in kNm; p6 is the elastic
// section modulus in cm³, so that the moment cap 1.25e-6 · f_d · p6 is 1.25 · M_el in kNm
// (DIN 18800-1 (755): α_pl ≤ 1.25).
#pragma once

#include <cstdint>

// Interaction shapes (p1 .. p6 = p[0] .. p[5]; p5 is always the design strength f_d):
//   1 I, bending about y, doubly symmetric: A, h_S (web between flange centres), s (web),
//     W_pl — DIN 18800-1 Table 16;
//   2 I, bending about y, singly symmetric: flanges A_1, A_2, web A_3, h_S;
//   3 I, bending about y, doubly symmetric: A, web A_S, h_S;
//   4 I, bending about z, doubly symmetric: one flange A_G, web A_S, flange width b; p6;
//   5 circular ring, any axis: mean diameter d_M, wall t; p6.
enum { NVM_SHAPE_I_Y = 1, NVM_SHAPE_I_Y_UNSYM = 2, NVM_SHAPE_I_Y_AREAS = 3, NVM_SHAPE_I_Z = 4, NVM_SHAPE_RING = 5 };
// Failure codes: n = N/N_pl, v = V/V_pl, n = N_0/N_pl (shape 2, signed) and M/M_pl (shape 5).
enum { NVM_FAIL_N = 1, NVM_FAIL_V = 2, NVM_FAIL_N0 = 3, NVM_FAIL_M = 4 };

// Plastic interaction of N, M, V for a shape: *M_gr the limit moment with the sign of M,
// *U = max(|M / M_gr|, |n|, v), *exceeded 1 when |M| > |M_gr| or U ≥ 1. Returns 0; −1 (U 0)
// for an unknown shape, null parameters or parameters giving N_pl, V_pl or M_pl not above 0;
// a failure code (U = ratio / limit, error_pair (when given) = (ratio, limit)). Shape 1 fails
// shear above v = 0.9, the end of DIN 18800-1 Table 16; the others at v > 1. A limit moment
// of 0 gives the moment term 0 for M = 0, else 1e6 (exceeded). p6 ≤ 0 applies no cap. The
// first argument is not read.
int Calc_Plastic_NVM_Interaction(uint32_t unused, double N, double M, double V, const double *p, int shape,
                                 double *M_gr, uint32_t *exceeded, double *U, double *error_pair);

// Multiplies the eight section forces by k; returns F (null unchanged).
double *Scale_Section_Forces(double *F, double k);
// |a| when b ≥ 0, else −|a|.
double Copy_Sign(double a, double b);

// Hook of the check data: a function that may deliver a result for a check object into three
// places. Nothing in the program sets it.
using CHECK_DATA_HOOK = int (*)(void *object, void *out_1, void *out_2, void *out_3);
// The hook's result when one is set, else 0.
int Get_Check_Hook_Result(void *object, void *out_1, void *out_2, void *out_3);
// Clears the statics of the check-data module: counters, pointers and the hook.
void Reset_Check_Data_Statics();
