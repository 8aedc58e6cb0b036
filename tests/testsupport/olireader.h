// tests/testsupport/olireader.h — reader of the print list and the plot file for tests.
//
// Parses a print list (print/FORMAT.md) back into text blocks of paragraphs and lines,
// tables, graphic blocks of primitives, diagrams, page and contents marks, layout
// commands and raw lines, in the order they stand; and a plot file into its colour
// table and records. Every departure from the format is collected as an error text
// ("line N: ..."), so a test asserts that the writers' output reads back cleanly.
// No module state; the reader never reads outside the given bytes.
#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <vector>

struct OLI_TAB {
  int kind;
  double position;  // cm
};

struct OLI_PARAGRAPH {
  int kind;
  double spacing;  // cm
  double indent;   // cm
  std::vector<OLI_TAB> tabs;
  std::vector<std::string> lines;  // text lines without their "\n", markup kept
};

// A text block: the paragraphs from its first "#SHOWPARA" to "#END_OF_TEXT".
struct OLI_TEXT_BLOCK {
  std::vector<int> paragraphs;  // indices into OLI_DOCUMENT::paragraphs
  bool closed;
};

struct OLI_TABLE {
  std::vector<double> options;  // the line after "#SHOWTABLE" ("0 0 0")
  std::vector<double> layout;   // "1 1 -1 -1 n" [" 0 0 0 0 0 0 0 k"]
  std::vector<double> rules;    // "4.4 4.6 ..."
  std::vector<std::string> rows;  // every further line up to "#END_OF_TEXT"
  bool closed;
};

// One directive of a graphic block.
struct OLI_PRIMITIVE {
  int code;                     // 1, 4, 7, 8, 9, 14, 18, 20, 24, 30, 31, 38, 50, 52, 53
  std::vector<double> numbers;  // the numeric fields in order (" 38": all its numbers)
  std::string text;             // " 9": the text between the guillemets
  std::vector<std::array<double, 2>> points;  // " 18": the points
  int line;                     // line number of the directive (from 1)
};

struct OLI_GRAPHIC {
  double width, height;  // cm, from the "#SHOWGRAFIC" line
  std::vector<OLI_PRIMITIVE> items;
  bool closed;  // ended by " -1"
};

struct OLI_LAYOUT_COMMAND {
  std::string name;             // "#OLI_FLAGS", "#OLI_YPOS", "#OLI_RESERVE"
  std::vector<double> numbers;  // flags; mode and cm; or cm
};

enum OLI_ELEMENT_KIND {
  OLI_EL_TEXT,      // index into text_blocks
  OLI_EL_TABLE,     // index into tables
  OLI_EL_GRAPHIC,   // index into graphics
  OLI_EL_XYPLOT,    // index into xyplots
  OLI_EL_NEWPAGE,   // index unused
  OLI_EL_CONTENTS,  // index into raw_lines of the entry (−1 when none came before)
  OLI_EL_LAYOUT,    // index into layout
  OLI_EL_RAW,       // index into raw_lines
};

struct OLI_ELEMENT {
  OLI_ELEMENT_KIND kind;
  int index;
  int line;
};

struct OLI_DOCUMENT {
  std::vector<OLI_ELEMENT> elements;
  std::vector<OLI_TEXT_BLOCK> text_blocks;
  std::vector<OLI_PARAGRAPH> paragraphs;
  std::vector<OLI_TABLE> tables;
  std::vector<OLI_GRAPHIC> graphics;
  std::vector<std::vector<std::string>> xyplots;
  std::vector<OLI_LAYOUT_COMMAND> layout;
  std::vector<std::string> raw_lines;
  std::vector<std::string> errors;
};

// Parses size bytes of a print list into doc (cleared first). Returns the number of
// errors (0: the list keeps the format).
int Read_Oli_Text(const char *data, std::size_t size, OLI_DOCUMENT *doc);
// The same for a file; a file that cannot be read gives one error.
int Read_Oli_File(const char *path, OLI_DOCUMENT *doc);
// All text lines of all paragraphs, in order.
std::vector<std::string> Oli_All_Text_Lines(const OLI_DOCUMENT &doc);

// In-line markup of a text line.
struct OLI_MARKUP_CODE {
  char letter;           // '{' for the brace form, else the byte after 0xCE
  std::string argument;  // brace form: inside the braces; letters C and B: up to the next 0xCE
};
// The text as shown: codes removed, the arguments of B and of C (after its colour
// number and blank) kept. Codes found are appended to codes when it is not null.
// Returns false when a code is malformed (a 0xCE at the end, an unclosed brace).
bool Oli_Markup_Plain(const std::string &line, std::string *plain, std::vector<OLI_MARKUP_CODE> *codes);

// ---------------------------------------------------------------- plot file
struct PLOT_RECORD {
  std::string name;  // BLOCK, LINE, RECT, POLY, FILL, COLOR, TEXT, TEXTDIR, SAVE, RESTORE, ENDBLOCK
  std::vector<double> numbers;
  std::string text;
  std::vector<std::array<double, 2>> points;
};

struct PLOT_DOCUMENT {
  bool banner, tables, entities, eoi;
  std::vector<std::array<int, 4>> colors;  // COLORDEF index r g b
  std::vector<PLOT_RECORD> records;
  std::vector<std::string> errors;
};

int Read_Plot_Text(const char *data, std::size_t size, PLOT_DOCUMENT *doc);
int Read_Plot_File(const char *path, PLOT_DOCUMENT *doc);
