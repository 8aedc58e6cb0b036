// sections/sections.h — section catalogue and import of R7-PLAX sections.
//
// What is in place: the record of an imported R7-PLAX section (QIMPORT_ENTRY) with its
// reference count, and the switches of the host's profile manager and of the R7-PLAX
// import. The catalogue itself (lookup in the host's section database, the exchange
// with R7-PLAX, the list of imported sections) builds on these.
//
// Reference protocol of QIMPORT_ENTRY. An entry is shared by every record that refers
// to it and counts those references:
//   - each PROFIL (and each other record) that stores an entry pointer holds exactly one
//     reference;
//   - whoever stores the pointer takes the reference (Add_QImport_Reference(e, +1)):
//     Copy_Profil for the copy, the data-file reader for an entry it creates, the
//     profile page after an import;
//   - whoever drops the pointer releases it (Add_QImport_Reference(e, -1)):
//     Reset_Profil, and the failure path of an import take-over;
//   - an entry is freed only when its count is 0 (by the catalogue's purge), never by
//     a record.
//
// Module state (one struct, reset by Reset_Sections_For_Tests): the profile-manager
// enabled flag and the import enabled flag, both 0 at program start.
#pragma once

// An imported R7-PLAX section: the text of the exchange file that R7-PLAX wrote for it.
// Value-initialise it (QIMPORT_ENTRY e{}): count 0, empty name, no text.
struct QIMPORT_ENTRY {
  int ref_count;    // number of records holding this entry; never below 0
  int object_type;  // object type of the exchange file's OBJECT head (1 lines, 2 polygons)
  char name[40];    // section name, NUL-terminated
  char *text;       // the whole exchange-file text (Mem_* block), null while not read
};

// Adds delta (+1 take, -1 release) to the entry's reference count and returns the new
// count. A release never takes the count below 0. A null entry returns 0.
int Add_QImport_Reference(QIMPORT_ENTRY *entry, int delta);

// Marks the host's profile manager as usable for lookup.
void Enable_Profilmanager();
// 1 when the profile manager is enabled and installed, else 0. The host's profile
// manager does not exist in this program, so this is always 0.
int Is_Profilmanager_Available();
// Marks the import from R7-PLAX as usable.
void Enable_QUER_Import();
// 1 after Enable_QUER_Import, else 0.
int Is_QUER_Import_Enabled();

// Back to program start (both switches 0).
void Reset_Sections_For_Tests();
