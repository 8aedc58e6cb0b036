// materials/material_sheets.h — the material input blocks on widget pages: grade choice
// lists of concrete and reinforcing steel, the grade pickers and parameter editors, the
// free-grade sheets, and the safety-factor, steel-grade, material, plate and bar blocks.
//
// Units: the records keep theirs (kN/m², plain strains, kg/m³); the editors show MN/m² and
// per mille through the scaled values of the open widget sheet, which converts them back
// when it closes.
//
// Module state (one struct, reset by Host_Reset): the free-grade link switch, the two link
// click markers, the records the open free-grade sheets edit and their backups.
#pragma once

#include "materials/materials.h"
#include "widgets/widget_sheets.h"

// ---------------------------------------------------------------- grade choice lists
// Concrete: options 1 old DIN 1045 grades, 2 lightweight grades, 4 free entry, 8 the option
// word (alpha row); extended 0 gives at most the five old grades.
CHOICE_LIST *New_Beton_Choice_List(int extended, int options);
// Steel: mode 0 the three old grades; 2 long with "B500A"/"B500B"; other long with
// "BSt 500 (A)"/"BSt 500 (B)".
CHOICE_LIST *New_Stahl_Choice_List(int mode);
// Non-zero: a picker on "frei" offers a link to the free-grade sheet instead of the block.
void Set_Free_Grade_Link(int on);
int Get_Free_Grade_Link();

// ---------------------------------------------------------------- free-grade sheets
// One-page sheets over the record; 1 confirmed, 0 cancelled (the record as before the
// call). A record without a grade yet (fck, resp. fyk, not above 0) starts from C25/30
// (density 2200), resp. BSt 500 (A).
int Edit_Free_Beton_Parameters(CONCRETE_GRADE *concrete);
int Edit_Free_Stahl_Parameters(REBAR_GRADE *steel);

// ---------------------------------------------------------------- pickers and editors
// area: the current widget area (Begin_Widget_Area); selected: the caller's list index.
int Add_Betonguete_Choice(int area, int x, int y, CONCRETE_GRADE *concrete, const CHOICE_LIST *list, int *selected);
int Add_Stahlguete_Choice(int area, int x, int y, REBAR_GRADE *steel, const CHOICE_LIST *list, int *selected);
int Add_Betonparameter_Fields(int area, int x, int y, CONCRETE_GRADE *concrete);  // 183
int Add_Stahlparameter_Fields(int area, int x, int y, REBAR_GRADE *steel);        // 107
void Add_Current_Betonparameter_Fields(int area, int table);
void Add_Current_Stahlparameter_Fields(int area, int table);
int Add_Stahlguete_Editor(int area, int x, int y, REBAR_GRADE *steel, const CHOICE_LIST *list, int *selected);
int Add_Betonguete_Choice_and_Parameters(int area, int x, int y, CONCRETE_GRADE *concrete, const CHOICE_LIST *list,
                                         int *selected);
int Add_Betonguete_Editor(int area, int x, int y, CONCRETE_GRADE *concrete, const CHOICE_LIST *list, int *selected);
