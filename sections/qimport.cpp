// sections/qimport.cpp — imported sections: reference counts and the catalogue switches.
#include "sections/sections.h"

namespace {
struct SectionsState {
  int profilmanager_enabled = 0;  // set by Enable_Profilmanager
  int quer_import_enabled = 0;    // set by Enable_QUER_Import
} g;
}  // namespace

int Add_QImport_Reference(QIMPORT_ENTRY *entry, int delta) {
  if (!entry) return 0;
  int count = entry->ref_count + delta;
  // A release of an entry that nobody holds would let a later purge free an entry that
  // is still in use; the count stays at 0 instead.
  entry->ref_count = count < 0 ? 0 : count;
  return entry->ref_count;
}

void Enable_Profilmanager() { g.profilmanager_enabled = 1; }

int Is_Profilmanager_Available() {
  // The host's profile manager is not installed here: enabled or not, it is unusable.
  return 0;
}

void Enable_QUER_Import() { g.quer_import_enabled = 1; }

int Is_QUER_Import_Enabled() { return g.quer_import_enabled; }

void Reset_Sections_For_Tests() { g = SectionsState{}; }
