// support/shell.h — helpers of the member program that the record owners share: text
// fields of data files, record versions, the refresh-mode flag, the member file stem and
// the work-file number.
#pragma once

#include <cstdio>
#include <string>

// Removes leading and trailing blanks in place; 0 when nothing is left (and for null).
int Trim_Blanks(char *text);
// Pads with blanks to n − 1 characters and terminates at n − 1 (longer texts are cut);
// nothing for a null text or n < 1.
void Pad_With_Blanks(char *text, int n);
// Upper case in place, byte by byte through unsigned char (bytes above 0x7F stay).
void Upper_Case_Text(char *text);
// Removes leading, trailing and inner blanks in place; 0 when nothing is left.
int Remove_All_Blanks(char *text);
// Blanks become '~' before writing, so that a "%s" read takes the text as one token.
void Blank_to_Tilde(char *text);
// '~' back to blanks after reading; 1 unless the text was empty or only '~'.
int Tilde_to_Blank(char *text);

// Record versions: 1 when read_version ≤ own_version; else 0 after the "newer file"
// message (mode 0 the input wording, 2 silent, every other mode the import wording),
// no message in refresh mode.
int Check_File_Version(double read_version, double own_version, int mode);

// The mode of the run: 1 refresh (no screen), 0 screen. Either way the host's lines on
// standard error take the plain-text form of Message_Text_Utf8 from then on.
void Set_Refresh_Mode(int on);
int Is_Refresh_Mode();

// Work-file names (stem, suffix and ending) stay within the path limit of 260 bytes; the
// stem and the work-file number are checked for the longest ending, of this many bytes.
inline constexpr int SHELL_MAX_ENDING = 8;
// Member file stem (first command-line argument): 1 when stored, 0 when refused (null, or
// so long that stem, suffix and the longest ending pass 260 bytes); the old stem then
// stays.
int Set_Bauteil_Path(const char *stem);
const char *Get_Bauteil_Path();
// Work-file number: 1 when stored, 0 when refused (negative, or its suffix would make the
// names too long for the stem); the old number then stays.
int Set_File_Number(int number);
// "_%02d" of the work-file number, in a static buffer.
const char *Get_File_Number_Suffix();
// Name of a work file of the member: the stem, the work-file suffix and ending (".INP" gives
// "BSP1_01.INP"); a null ending gives the work-file stem itself; "" for a name that would
// pass 260 bytes (an ending longer than SHELL_MAX_ENDING).
std::string Make_Bauteil_Filename(const char *ending);
// fopen of Make_Bauteil_Filename(ending) with mode; null when it cannot be opened or no
// stem is set. A mode for reading only opens through Open_Input_File (regular files up to
// the input cap).
FILE *Open_Bauteil_File(const char *ending, const char *mode);
// The prefix rule of the position text and the exchange path: the stem's folder, the first
// four characters of the stem's file name (all of a shorter one), then name. rest (when
// given) receives what follows those four characters in the stem's file name.
std::string Make_Stem_Prefix_Filename(const char *name, std::string *rest = nullptr);

// Value callbacks of number fields (address of a double).
void Clamp_Not_Negative(void *value);
void Clamp_Zero_to_One(void *value);

void Reset_Shell_For_Tests();
