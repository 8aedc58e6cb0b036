// sections/qimport.cpp — imported sections: reference counts, the catalogue switches and
// the module state of the section catalogue.
#include <algorithm>
#include <vector>

#include "host/host.h"
#include "sections/sections.h"
#include "sections/sections_internal.h"
#include "sections/sections_state.h"

namespace {
SectionsState g;
// Entries that a reset took off the catalogue while records still held them: each lives
// until its last holder lets it go. Modules reset in the order they registered, so the
// member's or the profile editor's record may release its entry after this module's reset.
// The list itself is never destroyed: an entry whose holder never lets go stays reachable
// to the end of the run instead of becoming a leak when static objects are destroyed.
std::vector<QIMPORT_ENTRY *> &_Held_After_Reset() {
  static auto *held = new std::vector<QIMPORT_ENTRY *>;
  return *held;
}
}  // namespace

SectionsState &Sections_State() {
  Host_Register_Reset(&Reset_Sections_For_Tests);  // Host_Reset drops the loaded library
  return g;
}

int Add_QImport_Reference(QIMPORT_ENTRY *entry, int delta) {
  if (!entry) return 0;
  int count = entry->ref_count + delta;
  // A release of an entry that nobody holds would let a later purge free an entry that
  // is still in use; the count stays at 0 instead.
  entry->ref_count = count < 0 ? 0 : count;
  if (delta < 0 && entry->ref_count == 0) {
    std::vector<QIMPORT_ENTRY *> &held = _Held_After_Reset();
    auto it = std::find(held.begin(), held.end(), entry);
    if (it != held.end()) {
      held.erase(it);
      Free_QImport_Entry(entry);
      return 0;
    }
  }
  return entry->ref_count;
}

void Enable_Profilmanager() { Sections_State().profilmanager_enabled = 1; }

int Is_Profilmanager_Available() {
  // The host's profile manager is not installed here (only a test says it is): enabled
  // or not, it is unusable.
  return g.profilmanager_enabled && g.profilmanager_installed ? 1 : 0;
}

void Set_Profilmanager_Installed_For_Tests(int installed) {
  Sections_State().profilmanager_installed = installed ? 1 : 0;
}

void Enable_QUER_Import() { Sections_State().quer_import_enabled = 1; }

int Is_QUER_Import_Enabled() { return g.quer_import_enabled; }

void Invalidate_Profil_Section_Cache() { g.section_cache_key = 99999; }
void Set_Profil_Section_Cache_Key(int key) { g.section_cache_key = key; }

void Reset_Sections_For_Tests() {
  // An entry that a record still holds leaves the catalogue but not the memory: its holder's
  // own reset (or any later release) frees it.
  for (QIMPORT_ENTRY *e : g.entries) {
    if (e->ref_count > 0)
      _Held_After_Reset().push_back(e);
    else
      Free_QImport_Entry(e);
  }
  g = SectionsState{};
}
