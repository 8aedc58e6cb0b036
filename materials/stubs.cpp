// Placeholder bodies so that callers link while the implementations are written.
#include "materials/materials.h"

namespace {
const STEEL_GRADE kNoSteel = {44, "?????", 210000, 81000, 0.3, 1.2e-5, 235, 215, 40, 100, 360, 0.95};
const ALU_GRADE kNoAlu = {97, "?????", "?????", "?????", 0, 10, 70000, 27000, 0.3, 2.3e-5,
                          180, 220, 1, 75, 155, 0.42, 0.7, "A", 0, 0};
}  // namespace

void Reset_Material_Data(MATERIAL *) {}
void Init_Material_Data(MATERIAL *) {}
void Copy_Material_Data(const MATERIAL *, MATERIAL *) {}
void Copy_Material_for_Thickness(const MATERIAL *, MATERIAL *, double) {}
int Check_Material_Strength(MATERIAL *, double, FILE *, int, const char *) { return 0; }
int Compare_Material_Data(const MATERIAL *, const MATERIAL *) { return 0; }
int Write_Material_Data(FILE *, const MATERIAL *) { return 1; }
int Read_Material_Data(FILE *, MATERIAL *) { return 1; }
const STEEL_GRADE_LIST *Get_EC_Grade_List_Row(int) { return nullptr; }
const char *Get_EC_Grade_Name(int, int) { return ""; }
double Get_Grade_Default_Value(int, int, double d) { return d; }
int Is_EC_Grade_S235(int) { return 0; }
int Is_EC_Grade_S275(int) { return 0; }
int Is_EC_Grade_S355(int) { return 0; }
int Is_EC_Grade_S420(int) { return 0; }
int Is_EC_Grade_S450_S460(int) { return 0; }
int Is_EC_Grade_Weathering(int) { return 0; }
void Reset_Plate_Data(PLATE *) {}
void Reset_Safety_Factors(SAFETY_FACTORS *) {}
void Copy_Safety_Factors(const SAFETY_FACTORS *, SAFETY_FACTORS *) {}
int Compare_Safety_Factors(const SAFETY_FACTORS *, const SAFETY_FACTORS *) { return 0; }
void Load_Safety_Factors_from_NAD(SAFETY_FACTORS *) {}
const void *Get_NAD_Safety_Factors(int, double *) { return nullptr; }
double Get_NAD_Gamma_M_ser() { return 0; }
double Get_NAD_Gamma_M_fi() { return 0; }
int Write_Safety_Factors(FILE *, const SAFETY_FACTORS *) { return 1; }
int Read_Safety_Factors(FILE *, SAFETY_FACTORS *) { return 1; }
void Print_Safety_Factors(const SAFETY_FACTORS *, FILE *, int) {}
const STEEL_GRADE *Get_Stguete_Record(int) { return &kNoSteel; }
double Get_Stguete_fy(int, double) { return 0; }
double Get_Stguete_E_G(int, double *) { return 0; }
const char *Get_Stguete_Name(int) { return "?????"; }
int Get_Stguete_fy_Checked(int, double, double, double *) { return 0; }
int Set_User_Stguete(const STEEL_GRADE *) { return 0; }
int Remove_User_Stguete(int) { return 0; }
void Clear_User_Stguete() {}
int Get_User_Stguete_Count() { return 0; }
const STEEL_GRADE *Get_User_Stguete_Row(int) { return &kNoSteel; }
const STEEL_GRADE *Get_Stguete_Fallback_Row(int) { return &kNoSteel; }
int Get_Stguete_Code_of_Grade(int) { return -1; }
int Get_EC_Index_of_Stguete_Row(int) { return -1; }
void Init_Stguete_Name_Grid() {}
const char *Get_Stguete_Name_Grid_Entry(int) { return ""; }
int Get_Stguete_Code_by_Index(int, const int *, int) { return 5; }
const ALU_GRADE *Get_Alguete_Record(int) { return &kNoAlu; }
double Get_Alguete_t_min(int) { return 0; }
double Get_Alguete_t_max(int) { return 10; }
double Get_Alguete_f0(int) { return 180; }
double Get_Alguete_fu(int) { return 220; }
double Get_Alguete_E_G(int, double *) { return 70000; }
const char *Get_Alguete_Name(int) { return "?????"; }
const char *Get_Alguete_Alloy(int) { return "?????"; }
const char *Get_Alguete_Temper(int) { return "?????"; }
int Get_Alguete_Buckling_Class(int) { return 0; }
int Set_User_Alguete(const ALU_GRADE *) { return 0; }
int Remove_User_Alguete(int) { return 0; }
void Clear_User_Alguete() {}
int Get_User_Alguete_Count() { return 0; }
const ALU_GRADE *Get_User_Alguete_Row(int) { return &kNoAlu; }
const ALU_GRADE *Get_Alguete_Fallback_Row() { return &kNoAlu; }
void Print_Material_Data(const MATERIAL *, FILE *, int, int, const char *) {}
double Print_Epsilon(double, double, FILE *) { return 0; }
void Reset_Materials_For_Tests() {}
