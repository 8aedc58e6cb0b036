// tests/testsupport/olitext.h — a print list as plain UTF-8 text (the headless host's list
// view, used by the tool oli2txt).
//
// Text lines of paragraphs, the head lines and rows of tables and raw lines are written in
// the order they stand, one a line; directives, the three format lines of a table and the
// layout commands are dropped, and a graphic block or a diagram leaves one line
// "[Grafik n]" / "[Diagramm n]" (n from 1, as oli2png numbers its pictures). In-line markup
// is dropped (print/FORMAT.md, 5): a tab-stop jump becomes a tab, the raised multiplication
// dot "·", a superscript of digits the superscript digits (any other behind a caret), the words of the letter forms
// stay. Bytes are code page 850, except the positions that the print font draws as Greek
// letters and signs (print/print.h), which become those letters.
#pragma once

#include <string>

// The UTF-8 text of one print-list byte (the print font's symbols as their letters).
const char *Oli_Byte_Utf8(unsigned char byte);
// One text line with its markup dropped, as UTF-8.
std::string Oli_Line_Utf8(const std::string &line);

enum : int {
  OLI_TEXT_OK = 0,
  OLI_TEXT_BINARY = 1,  // a control byte other than tab, CR and LF: not a print list
  OLI_TEXT_CUT = 2,     // the last line has no line end, or a block is not closed
};
// The list in bytes as plain UTF-8 into *text (nothing on failure); *why names the fault.
int Oli_List_Utf8(const std::string &bytes, std::string *text, std::string *why);
