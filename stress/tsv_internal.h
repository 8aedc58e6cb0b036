// stress/tsv_internal.h — the steps of the partial internal forces method that its tests
// and benchmark reach.
#pragma once

#include "stress/stress_methods.h"

// The first pass on the given forces (all plate models): writes the whole result; 0 for
// a null result, forces or frame or a yield strength not above 0 (template left), else 1.
int _Calc_TSV_at_Load_Factor(const double *forces, const double *material, const TSV_SECTION *frame,
                             TSV_RESULT *result);
// U at the factor (taken as the working utilisation) minus 0.9975; 10 when the run fails.
double _TSV_Load_Factor_Residual(const double *forces, const double *material, const TSV_SECTION *frame,
                                 TSV_RESULT *result, double factor);
// Test seam: the residual that the Brent stage of the load-increase search evaluates (null,
// as at start: _TSV_Load_Factor_Residual; 10 reads as a failed run). A residual that fails or
// steps makes Brent give up, so that the regula falsi after it answers. Returns the previous.
using TSV_RESIDUAL = double (*)(const double *forces, const double *material, const TSV_SECTION *frame,
                                TSV_RESULT *result, double factor);
TSV_RESIDUAL Set_TSV_Brent_Residual_For_Tests(TSV_RESIDUAL residual);
