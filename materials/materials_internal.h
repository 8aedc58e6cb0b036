// materials/materials_internal.h — resets of the module's parts, for
// Reset_Materials_For_Tests and the tests, and the variants that the plate record shares
// with the material record.
#pragma once

#include <cstdio>

#include "materials/materials.h"

void Reset_Stguete_For_Tests();
void Reset_Alguete_For_Tests();
void Reset_Material_Record_For_Tests();
void Reset_Concrete_For_Tests();

// Check_Material_Strength with the "Stahldicke" message box of a thickness above 80.1 mm
// shown only when show_thickness is set as well as show.
int Check_Material_Strength_Ex(MATERIAL *m, double t, FILE *list, int show, const char *prefix,
                               int show_thickness);
// Print_Material_Data; with all_ranges, user values print fy and fu of the three
// thickness ranges on two lines.
void Print_Material_Paragraph(const MATERIAL *m, FILE *list, int mask, int with_values, const char *subscript,
                              bool all_ranges);
