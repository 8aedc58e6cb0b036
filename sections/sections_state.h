// sections/sections_state.h — the one state record of the section catalogue, shared by
// its source files (not for callers outside sections/).
#pragma once

#include <string>
#include <vector>

#include "sections/sections.h"

// An argument of a host program's command line for the shell: '…' with every ' as '\''.
// The modeller's and the profile manager's command lines quote each argument so.
inline std::string Quote_Shell_Argument(const std::string &arg) {
  std::string q = "'";
  for (char c : arg) q += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return q + "'";
}

// One record of the profile library as read from the file.
struct SECTIONS_LIB_RECORD {
  char name[PROFIL_LIB_NAME_BYTES + 1];  // the library's spelling, terminated
  char key[PROFIL_LIB_NAME_BYTES + 1];   // the same, upper-cased, for comparison
  int family;
  float values[PROFIL_LIB_PLACES];       // places 0..4 are 0
};

struct SectionsState {
  int profilmanager_enabled = 0;          // set by Enable_Profilmanager
  int quer_import_enabled = 0;            // set by Enable_QUER_Import
  std::vector<SECTIONS_LIB_RECORD> lib;   // loaded library records
  int lib_loaded = 0;                     // lib holds the file of lib_path (or an image)
  int lib_pinned = 0;                     // an image given by Use_Profil_Library_Image
  std::string lib_path;                   // file the records came from
  std::string lib_fault;                  // why that file gives no profile (Get_Profil_Library_Fault)
  std::string manager_default;            // DEFAULT= text (blanks as '~')
  std::string manager_filter;             // FILTER= text
  int modeller_tested = 0;                // Is_QUER_Modeller_Installed ran once
  int modeller_installed = 0;
  int section_cache_key = 99999;          // key of the cached standard-profile section
  int profilmanager_installed = 0;        // test hook Set_Profilmanager_Installed_For_Tests
  std::vector<QIMPORT_ENTRY *> entries;   // imported sections, in order of making
  const QIMPORT_ENTRY *cursor_entry = nullptr;  // line cursor: entry and byte offset
  std::size_t cursor_pos = 0;
  std::string cursor_line;                // the line Next_QImport_Line gave last
  std::string xprt_name = "XPRT.TMP";     // exchange name behind the member prefix
  std::string xprt_path;                  // Get_XPRT_Path's buffer
  std::string save_path;                  // ".GRQ", empty while unset
  std::string input_path;                 // ".QIN", empty while unset
  std::string caller_tag;
  void (*xprt_write_hook)(const char *path) = nullptr;  // Set_XPRT_Write_Hook
};

// The state record (defined in qimport.cpp); registers the module reset with Host_Reset
// on first use.
SectionsState &Sections_State();

// Frees an entry's text and the entry itself (not taken off the list).
void Free_QImport_Entry(QIMPORT_ENTRY *entry);
