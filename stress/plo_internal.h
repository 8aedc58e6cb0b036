// stress/plo_internal.h — test hooks of the plastic limit state.
#pragma once

// Makes one step of Calc_PLO_Grenzzustand fail (0: none): 1 the stress points, 2 after the
// warping switches were set, 3 the shear results, 4 every limit-state run, 5 the bimoment
// integration of a run without warping, 6 the growth of the point list.
void Set_PLO_Fail_Step_For_Tests(int step);
