// profil/edit_profil_internal.h — pieces of the profile page that tests reach directly (not
// for callers outside profil/ and its tests).
#pragma once

// The filter of family letters the profile manager gets for the allowed shape types: the
// list ends before its first negative entry and holds at most 18 types. Empty for an empty
// list; "ZKULTDR" (every family) when the list holds a 0; otherwise each family letter once,
// in the order of the first type that names it: 3 L; 4, 5, 7, 10, 13 and 18 and above D;
// 6, 12 U; 8 R; 9 K; 11, 15 T; 14 Z; no letter for 1, 2, 16 and 17 (no library family).
// out receives the terminated text (at most size − 1 letters); nothing for a null out or a
// size below 1; a null list counts as empty.
void Build_Profil_Family_Filter(const int *types, int count, char *out, int size);
