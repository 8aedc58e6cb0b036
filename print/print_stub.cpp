// Placeholder bodies: the writers are filled in next.
#include "print/print.h"
#pragma GCC diagnostic ignored "-Wunused-parameter"
const unsigned char OLIPLOT_COLOR_TABLE[OLIPLOT_COLOR_COUNT][3] = {};
FILE *Open_Druckliste(const char *path) { return nullptr; }
int Close_Druckliste(FILE *stream) { return 0; }
int Oli_Printf(FILE *stream, const char *fmt, ...) { return 0; }
void Oli_End_Text(FILE *stream) {  }
void Oli_Para_Set_Kind(int kind) {  }
double Oli_Para_Get_Spacing() { return 0; }
void Oli_Para_Set_Spacing(double cm) {  }
void Oli_Para_Set_Tabs(int kind, const int *kinds, const double *positions, int count) {  }
void Oli_Para_Flush_Tabs() {  }
void Oli_Para_Add_Indent(double cm) {  }
void Oli_Write_Separated_Item(FILE *stream, int index, int per_line, const char *text) {  }
const char *Oli_Line_Prefix() { return ""; }
char *Get_Application_Kuerzel(char *buffer, int application_number) { return nullptr; }
void Oli_Set_Colors(int on) {  }
int Oli_Colors_On() { return 0; }
void Oli_Set_Fills(int on) {  }
int Oli_Fills_On() { return 0; }
const char *Oli_Mark_Ok() { return ""; }
const char *Oli_Mark_Nicht_Ok() { return ""; }
const char *Oli_Mark_Red_Exclam() { return ""; }
const char *Oli_Mark_Blue_Exclam() { return ""; }
const char *Oli_Color_Red() { return ""; }
const char *Oli_Color_Reset() { return ""; }
const char *Oli_Compare_Mark_Le(double a, double b) { return ""; }
const char *Oli_Mult_Dot() { return ""; }
void Oli_Print_Fehler_Datencheck(FILE *stream, const char *text) {  }
void Oli_Print_Fehler_Berechnung(FILE *stream, const char *prefix, const char *text) {  }
int Oliplot_Begin_Grafic(FILE *stream, double x_min, double z_max, double x_max, double z_min, double sx, double sz, double angle, int orientation) { return 0; }
void Oliplot_End_Grafic(FILE *stream) {  }
FILE *Oliplot_Stream() { return nullptr; }
void Oliplot_Set_Extended_Mode(int on) {  }
void Oliplot_Save_State() {  }
void Oliplot_Restore_State() {  }
void Oliplot_Set_Color(int code) {  }
int Oliplot_Fill_Color(int r, int g, int b) { return 0; }
void Oliplot_Set_Dimension_Style(int flags) {  }
void Oliplot_Line(double x1, double z1, double x2, double z2) {  }
void Oliplot_Arc(double x, double z, double diameter, double start_deg, double sweep_deg) {  }
void Oliplot_Filled_Circle(double x, double z, double diameter) {  }
void Oliplot_Filled_Ring(double x, double z, double outer_diameter, double inner_diameter) {  }
void Oliplot_Filled_Polygon(int n, const double *x, const double *z) {  }
void Oliplot_Polyline(int n, const double *x, const double *z) {  }
void Oliplot_Rectangle(double x1, double z1, double x2, double z2) {  }
void Oliplot_Rectangle_Centered(double x, double z, double width, double height) {  }
void Oliplot_Text_Printf(double x, double z, int h_align, int v_align, const char *fmt, ...) {  }
void Oliplot_Text_Rotated(double x, double z, const char *text) {  }
void Oliplot_Text_Box(double x, double z, const char *text) {  }
int Oliplot_Dimension_Line(double x1, double z1, double x2, double z2, double text_height, int mode) { return 0; }
void Oliplot_Axis_Pair(double x, double z, const char *first_label, const char *second_label, double arm_cm, double angle) {  }
int Oliplot_Drawn_Extent(double out[4]) { return 0; }
int Oliplot_Open_Plot_File(const char *path) { return 0; }
int Oliplot_Close_Plot_File() { return 0; }
int Oliplot_Plot_File_Open() { return 0; }
void Reset_Print_For_Tests() {  }
