// materials/materials_internal.h — resets of the module's parts, for
// Reset_Materials_For_Tests and the tests.
#pragma once

void Reset_Stguete_For_Tests();
void Reset_Alguete_For_Tests();
void Reset_Material_Record_For_Tests();
