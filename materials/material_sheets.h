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

// ---------------------------------------------------------------- input blocks
// Blocks on a scrollable view area of an input page: x in content pixels, *y the row's
// baseline, advanced by row_height per row; editable 0 greys every item.

// Head "Materialsicherheit (genormt)" and one row per factor of the mask (0: all but
// gamma_M5); label_style 0 short labels, else long ones. Factor fields are active only when
// editable and not standardised; a negative entry becomes 0.
void Safety_Factors_Sheet(SAFETY_FACTORS *factors, int area, int x, int *y, int row_height, int editable, int mask,
                          int label_style);
// Appends each code's grade name to the sheet string list (built-in rows above 43
// "?????"); the index of the last entry with the selected code, 0 when none (or for no codes).
int Fill_Stguete_Stringlist(int list, const int *codes, int count, int selected_code);
// Grade picker, "Vorgabe", "Kennung" and, with user values, the strengths; mask 4 modulus,
// 2 weld correlation, 0x80 thermal expansion. The name is padded to 25 characters.
void Material_Sheet(MATERIAL *material, int area, int x, int *y, int row_height, int layout1, int layout2,
                    int editable, int colour, int mask);
// The same with the strengths of all three thickness ranges.
void Material_Sheet_All_Ranges(MATERIAL *material, int area, int x, int *y, int row_height, int layout1,
                               int layout2, int editable, int colour, int mask);
// Label column width of Plate_Sheet: mode 1 80, 2 30, else 110 (stored as 0).
int Set_Plate_Sheet_Style(int mode);
void Plate_Sheet(PLATE *plate, int area, int x, int *y, int row_height, int layout1, int layout2, int editable,
                 int colour, int mask, const char *subscript);
// The dialog "Bew.fläche Stabstahl": bar counts of the diameters 6 to 28 mm and their
// summed area (shown in cm²); returns the sum in m² after "übernehmen", 0 after "abbrechen".
double Bar_Area_Sheet();
// Summed area in m² of counts[i] bars of Get_Bar_Diameter(i), i over the 6 to 28 mm bars.
double Bar_Area_Sum(const double *counts);
