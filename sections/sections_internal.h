// sections/sections_internal.h — internals of the section catalogue for tests and fuzz
// targets. Not for the program's own callers.
#pragma once

#include <cstddef>

// Takes a library image from memory in place of the file "PROFIL" and keeps it until the
// module is reset (no file is read meanwhile). The image is checked as a file is: a
// rejected image leaves an empty library. Returns the number of records, or −1 when the
// image was rejected.
int Use_Profil_Library_Image(const unsigned char *data, std::size_t size);
// Number of records of the library in use (read from the file first when needed); 0 when
// the file is missing or was rejected.
int Count_Profil_Library_Records();
// Path of the library file that a lookup reads now.
const char *Get_Profil_Library_Path();
// The command line that Run_Profilmanager would start, written into buffer (size bytes,
// cut and terminated): the program, "TRANSFER", "DEFAULT=…" and "FILTER=…" when set,
// each argument in single quotes for the shell; returns its length, or −1 for a null
// buffer or size below 1.
int Build_Profilmanager_Command(char *buffer, int size);
// Key of the cached standard-profile section (99999 when stale).
int Get_Profil_Section_Cache_Key();
// Test hook: whether the host's profile manager counts as installed (0 at start);
// Is_Profilmanager_Available is 1 when it is installed and enabled.
void Set_Profilmanager_Installed_For_Tests(int installed);
