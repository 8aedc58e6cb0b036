// profil/profil_state.h — the one state record of the profile module, shared by its
// source files (not for callers outside profil/).
#pragma once

#include "dwqb/dwqb_stress.h"
#include "profil/profil.h"
#include "widgets/widgets.h"

struct ProfilState {
  int lib_initialised = 0;     // Init_Profil_Library ran once in this run
  int lib_available = 0;       // profile manager available (fixed by the first call)
  int user_slot_ec = -1;       // user-grade slot of the Eurocode family (0)
  int user_slot_din = -1;      // user-grade slot of the DIN family (1)
  int plastic_moduli = 0;      // Set_Profil_Plastic_Moduli_Flag
  int import_choice = 1;       // Set_Profil_Import_Choice
  int type_message_shown = 0;  // set by Show_Profil_Type_Message
  int manager_gone_shown = 0;  // Read_Profil: "Profilmanager ist nicht verfügbar" shown
  int manager_new_shown = 0;   // Read_Profil: "Profilmanager ist verfügbar" shown
  unsigned model_options = 0;  // Set_Profil_Model_Options: solver options of the model runs
  int rib_height_mode = 1;     // Set_Profil_Rib_Height_Mode
  // Unit stresses of the rib model's points, one entry per point (index as in the record),
  // kept by Calc_Profil_Rib_Model_Stress_Points without forces for its calls with forces.
  DWQB_POINT_VALUES point_values[50] = {};
  // The profile page: first-call flag, the ten page slots and the R7-PLAX button flag.
  struct PageSlot {
    char names[PROFIL_TYPE_COUNT][12];          // the shape names of the choice
    VIEW_CHOICE_ENTRY entries[PROFIL_TYPE_COUNT];
    int manager_button = 0;                     // profile-manager button pressed
    PROFIL_LIBREF libref = {};                  // the slot's name buffer
  };
  int page_initialised = 0;
  PageSlot page_slots[10] = {};
  int quer_button = 0;  // R7-PLAX button pressed
  // Read_Profil: the note of a library profile whose stored dimensions gave way to the
  // library's (empty when none), kept until the next read.
  char read_note[PROFIL_NOTE_SIZE] = "";
};

// Tolerance of Compare_Profil for lengths (mm): 0.01, with an allowance for the rounding
// of decimal input (270.01 − 270 is not exactly 0.01 in binary).
inline constexpr double kProfilCompareTolerance = 0.01 + 1e-9;

// The shape checks and corrections of the section values by shape type (the same fields
// made consistent: the bottom flange of a T or an angle 0, r_2 of an I 0, ...); 1 when the
// description is faulty. Defined in profil_values.cpp.
int Correct_Profil_Shape_Input(PROFIL *profil);

// True when a library UPN or tee has the outline of its sloped faces
// (Calc_Profil_Sloped_Values): its model, its section values and its list then take the
// sloped form, else the plates of the record. Defined in profil_formulas.cpp.
bool Has_Profil_Sloped_Outline(const PROFIL *profil);

// The state record (defined in profil_record.cpp).
ProfilState &Profil_State();
