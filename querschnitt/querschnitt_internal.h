// querschnitt/querschnitt_internal.h — shared between the source files of querschnitt/
// and for its tests; not for the program's callers.
#pragma once

// Registers Reset_Querschnitt_For_Tests with Host_Reset (once).
void Querschnitt_Register_Reset();
// Back to program start for the catalogue part (option word, cache, check record).
void Reset_Querschnitt_Catalogue();
// Number of thin-walled models the catalogue has built since program start.
int Get_Querschnitt_Build_Count();
// Frees the check sections' record (its entry is not released: see the catalogue reset).
void Reset_Querschnitt_Check_Sections();
// Back to program start for the refresh of the ".XPR" (the saved profile freed, its entry
// not released: see the catalogue reset).
void Reset_Querschnitt_Export();
