// print/print.h — the print list ("Druckliste") and the plot file.
//
// The print list is a line-oriented code page 850 text file of pages, contents entries,
// text blocks of paragraphs, tables and graphic blocks; print/FORMAT.md describes every
// directive. Writers here take the list's stream; every writer does nothing when that
// stream is null. Callers also write raw directives ("#SHOWTABLE", "#END_OF_TEXT",
// " 4 %d", …) into the same stream, so the writers keep no buffer of their own: what a
// writer returns has reached the stream. A raw line or a text that holds a formatted number
// goes through Oli_Raw_Printf or Oli_Snprintf, so that no list shows a "-0.0".
//
// Module state (one struct, Reset_Print_For_Tests brings it back to program start):
//   - the text state of the open list: paragraph attributes (kind, spacing, indent,
//     tab stops), whether they changed, whether a text block is open, whether the
//     last text ended its line;
//   - the switches for colours and fills (both on at program start);
//   - the one open graphic block: its stream, extent, scales, rotation, orientation,
//     extended mode, current colour and fill, the save stack, the drawn extent;
//   - the plot file, while one is open, and the lists opened and not yet closed (each
//     writes a temporary file that closing puts in place).
// Not re-entrant; the member flow runs in one thread.
//
// Units: paragraph measures in cm; graphic writers take world units of the block (the
// drawings use section mm) and lengths on paper (arms, text heights) in cm.
#pragma once

#include <cstdio>

#include "support/cp850.h"  // callers format with "…"_cp and CP850_CALL(Oli_Printf, …)

// ================================================================ the print-list stream

// Opens the print list at path for binary writing and resets the text and graphic
// state: kind 4, spacing OLI_DEFAULT_SPACING, indent 0, no tab stops, no text or
// graphic block open, at the start of a line. The colour and fill switches keep their
// setting. The stream writes a temporary file beside path (support's replace helper);
// only a successful Close_Druckliste puts it in place, so a list that cannot be written
// whole leaves the old one as it was. Returns the stream, or null when the file cannot
// be opened (or path is null).
FILE *Open_Druckliste(const char *path);
// Ends an open graphic block (" -1") and an open text block ("#END_OF_TEXT"), then
// closes the stream and, for a stream of Open_Druckliste, puts the list in place.
// Returns 0, or 1 when the stream is null or a write, the close or the replace failed
// (the old list then keeps its bytes).
int Close_Druckliste(FILE *stream);

// Paragraph defaults after Open_Druckliste (cm).
inline constexpr double OLI_DEFAULT_SPACING = 0.1;
inline constexpr double OLI_DEFAULT_INDENT = 0.0;
// Paragraph kind of ordinary text; 3 is the small legend text of tables.
inline constexpr int OLI_KIND_TEXT = 4;
inline constexpr int OLI_KIND_LEGEND = 3;
// Tab stops a paragraph can hold; further stops are dropped.
inline constexpr int OLI_MAX_TABS = 100;
// Bytes of text one Oli_Printf call writes at most; a longer text is cut there.
inline constexpr int OLI_MAX_TEXT = 1000;

// ================================================================ text and paragraphs

// printf-style text into the print list. At the start of a line it first opens a
// paragraph ("#SHOWPARA" with the current attributes) when no text block is open or
// the attributes changed since the last paragraph; inside a line it never does, so a
// line built from several calls stays one line. A "\n" ends the line. At most
// OLI_MAX_TEXT bytes of the formatted text are written, each byte below 0x20 other than
// "\n", and 0x7F, as a blank (a label or a name from a file may hold such bytes; the list
// holds none). An open graphic block of the same stream is ended first. Texts from input
// go through "%s"; a text line must not begin with '#', which would be read as a directive.
// Returns the number of text bytes written (the "#SHOWPARA" line not counted), or −1
// when the stream is null or its error flag is set after the write.
int Oli_Printf(FILE *stream, const char *fmt, ...) __attribute__((format(printf, 2, 3)));
// The one number formatting of the list and the plot file, which every writer here uses:
// printf's, except that a negative number that rounds to zero in its conversion is written
// as zero ("0.0", "0.000", never "-0.0"); every other conversion keeps printf's bytes. %n
// and unknown conversions fail.
// Oli_Snprintf: into buf as snprintf (cut at size − 1 bytes, NUL-terminated when size > 0),
// for texts built for the list (load texts, notes); returns the length of the whole text,
// or −1 (buf untouched) for a null format or a failed conversion.
int Oli_Snprintf(char *buf, std::size_t size, const char *fmt, ...) __attribute__((format(printf, 3, 4)));
// Oli_Raw_Printf: the raw lines callers write into the list or the plot file (table heads
// and rows, directives), written as they are, except that control bytes become blanks as in
// Oli_Printf: no paragraph is opened and no block ended.
// Returns the number of bytes written, or −1 when the stream is null, a conversion failed
// (nothing written) or the stream's error flag is set after the write.
int Oli_Raw_Printf(FILE *stream, const char *fmt, ...) __attribute__((format(printf, 2, 3)));
// Ends an open line ("\n"), then writes "#END_OF_TEXT" when a text block is open and
// closes it; an added indent ends with the block. Nothing when no block is open.
void Oli_End_Text(FILE *stream);
// Kind word of the following paragraphs (OLI_KIND_TEXT, OLI_KIND_LEGEND).
void Oli_Para_Set_Kind(int kind);
// Spacing measure of the following paragraphs (cm): extra space between their lines.
double Oli_Para_Get_Spacing();
void Oli_Para_Set_Spacing(double cm);
// Tab stops of the following paragraphs: count stops at positions[] (cm from the left
// margin), each of kinds[i], or all of kind when kinds is null. A count below 1 or null
// positions clears the stops; beyond OLI_MAX_TABS the first OLI_MAX_TABS count.
// The kind is written as given (0 left, 1 centred, 2 right-aligned, 3 decimal).
void Oli_Para_Set_Tabs(int kind, const int *kinds, const double *positions, int count);
// Clears the tab stops when some are set (the next text opens a paragraph without tabs).
void Oli_Para_Flush_Tabs();
// Adds cm to the indent of the following paragraphs until the text block ends.
void Oli_Para_Add_Indent(double cm);
// The index-th item of a list: index 0 plainly, an index that is a multiple of
// per_line after "\n", any other after ";  ". per_line below 1 never breaks the line.
// The text is written through "%s" (null counts as "").
void Oli_Write_Separated_Item(FILE *stream, int index, int per_line, const char *text);
// The text that print-list message lines begin with: "" in this program.
const char *Oli_Line_Prefix();
// Writes the two-letter code of the host application (CurOb_Application_Number) into
// buffer (at least 3 bytes): "??" for every number, since no table of codes is kept.
// Returns buffer (null for a null buffer).
char *Get_Application_Kuerzel(char *buffer);

// ================================================================ symbol font
// The print font draws these code page 850 positions as Greek letters and signs; every
// writer puts them into its lines through these names.
inline constexpr const char *kOliSigma = "╠"_cp;     // sigma
inline constexpr const char *kOliTau = "Í"_cp;       // tau
inline constexpr const char *kOliEpsilon = "¥"_cp;   // epsilon
inline constexpr const char *kOliPerMille = "ë"_cp;  // per mille sign
inline constexpr const char *kOliAlpha = "║"_cp;     // alpha
inline constexpr const char *kOliDelta = "ú"_cp;     // capital delta (an imbalance)

// ================================================================ marks and colours
// The colour codes are the brace form of the in-line markup (see FORMAT.md):
//   red   "╬{C 1 230 0 0}", blue "╬{C 1 0 0 230}", reset "╬{C 768}".
// While colours are switched off every colour code is the empty text and nothing else
// changes: the marks keep their words, so a failed check never vanishes from the list.
// The returned texts live in static buffers of this module, valid until the next call
// of the same function.

// Colour switch (print option): on at program start.
void Oli_Set_Colors(int on);
int Oli_Colors_On();
// Fill switch for filled polygons, circles and rings of graphic blocks: on at start.
void Oli_Set_Fills(int on);
int Oli_Fills_On();

const char *Oli_Mark_Ok();          // blue "ok"
const char *Oli_Mark_Nicht_Ok();    // red "nicht ok !!"
const char *Oli_Mark_Red_Exclam();  // red "!!"
const char *Oli_Mark_Blue_Exclam(); // blue "!!"
// The verdict of a utilisation u: Oli_Mark_Ok() when u <= 1, else Oli_Mark_Nicht_Ok() (also
// for NaN, which is no proof).
const char *Oli_Mark_Verdict(double u);
const char *Oli_Color_Red();        // the red code alone ("" while colours are off)
const char *Oli_Color_Reset();      // the reset code alone ("" while colours are off)
// Comparison sign of a against b in single precision: "<" when a < b, "¾" (0xF3, the
// print font's less-or-equal sign) when equal, ">" otherwise (also for NaN).
const char *Oli_Compare_Mark_Le(double a, double b);
// The raised multiplication dot of formula lines: "╬/.╬r" (CE 2F 2E CE 72).
const char *Oli_Mult_Dot();
// One red line "Fehler beim Datencheck <text>  !" (line prefix, red code, the words,
// the text, a blank when the text is not empty, " !", reset code, "\n"), through
// Oli_Printf. A null text counts as "".
void Oli_Print_Fehler_Datencheck(FILE *stream, const char *text);
// One red line "<prefix>Fehler bei der Berechnung <text> !!" (prefix, red code, the
// words, " " and the text when not empty, " !!", reset code, "\n"), through Oli_Printf.
// A null prefix takes Oli_Line_Prefix(); a null text counts as "".
void Oli_Print_Fehler_Berechnung(FILE *stream, const char *prefix, const char *text);

// ================================================================ graphic blocks
// One graphic block is open at a time. Its writers take world coordinates (x, z) and
// write paper coordinates in cm ("%lf"), by one transform:
//
//   W = (x_max − x_min)·sx,  H = (z_max − z_min)·sz       unrotated size on paper (cm)
//   c = cos a, s = sin a    (exact 0, ±1 within 0.001 rad of a quarter turn)
//   W' = |W·c| + |H·s|,  H' = |W·s| + |H·c|               size of the block on paper
//   p = (x − (x_min + x_max)/2)·sx
//   q = ((z_min + z_max)/2 − z)·sz   orientation 0 (z downward on paper)
//   q = (z − (z_min + z_max)/2)·sz   orientation 1 (z upward)
//   X = W'/2 + p·c − q·s,   Y = H'/2 + p·s + q·c
//
// X runs to the right and Y upward from the lower left corner of the block; the block
// turns by a counter-clockwise on paper about the centre of its extent. Lengths on
// paper (arm lengths, text heights, tick sizes) are in cm and are not scaled. Angles of
// arcs and circles are degrees from the world +x direction, counter-clockwise as seen
// on paper: the point at θ is (x + r cos θ, z − r sin θ) in orientation 0 and
// (x + r cos θ, z + r sin θ) in orientation 1, then transformed.
// Every writer writes nothing while no block is open, and a directive with a number
// that is not finite is left out; numbers of magnitude below 5e-7 are written as 0.
// Text writers (Oli_Printf) end an open graphic block of the same stream first.
// While a plot file is open each writer also writes its twin record there.

// Opens a "#SHOWGRAFIC" block over the extent x_min..x_max, z_min..z_max (world units)
// with the scales sx, sz (cm on paper per world unit), the rotation angle (radians) and
// the orientation (0: z downward, else upward). Ends an open text block and an open
// graphic block first. Returns 0, or 1 (and nothing is written or ended) when the
// stream is null, a scale is not a positive finite number, or the extent or its size
// on paper is not finite.
int Oliplot_Begin_Grafic(FILE *stream, double x_min, double z_max, double x_max, double z_min,
                         double sx, double sz, double angle, int orientation);
// Writes the block end " -1" and clears the block state; nothing when no block is open
// on that stream.
void Oliplot_End_Grafic(FILE *stream);
// The stream of the open block, or null (the drawings print raw directives into it).
FILE *Oliplot_Stream();
// Switches the extended directives (" 52", " 53", "50 r g b") of the open block.
void Oliplot_Set_Extended_Mode(int on);

// Depth of the save stack; saves beyond it write nothing, and so do their restores.
inline constexpr int OLIPLOT_SAVE_DEPTH = 16;
// " 30" (and " 52" in extended mode); saves colour, fill code, dimension style.
void Oliplot_Save_State();
// " 31" (and " 53" in extended mode); restores what the matching save saved. Without a
// matching save it does nothing.
void Oliplot_Restore_State();

// Fill directive " 20  %d" with the fill code, " 20  0" while colours are off.
void Oliplot_Set_Color(int code);
// Makes the nearest entry (least squared RGB distance) of the block's colour table
// (OLIPLOT_COLOR_TABLE) the current colour; of equally near entries the first (lowest
// index) wins. In extended mode writes "50 %d %d %d" with r, g, b clamped to 0..255
// (0 0 0 while colours are off). Returns the entry, or −1 while no block is open.
int Oliplot_Fill_Color(int r, int g, int b);
inline constexpr int OLIPLOT_COLOR_COUNT = 16;
extern const unsigned char OLIPLOT_COLOR_TABLE[OLIPLOT_COLOR_COUNT][3];
// How dimension lines end: bit 8 oblique ticks, otherwise end bars across the line.
void Oliplot_Set_Dimension_Style(int flags);

// One segment " 1  %lf %lf %lf %lf" (X1 Y1 X2 Y2); widens the drawn extent.
void Oliplot_Line(double x1, double z1, double x2, double z2);
// Arc about (x, z) of the given diameter (world units), from start over sweep degrees
// (negative: clockwise) as " 1" segments of pi/16, of pi/32 when |sweep| exceeds 180°;
// a sweep of 0 or beyond ±360 is the full circle (64 segments).
void Oliplot_Arc(double x, double z, double diameter, double start_deg, double sweep_deg);
// Filled circle as the polygon " 18 32" of 32 points; only while fills are on.
void Oliplot_Filled_Circle(double x, double z, double diameter);
// Filled annulus as one polygon " 18 66": 33 outer points (closed), then 33 inner
// points in reverse; only while fills are on.
void Oliplot_Filled_Ring(double x, double z, double outer_diameter, double inner_diameter);
// Filled polygon " 18 %d" and one line " %lf %lf" per point; only while fills are on
// and for n of at least 3.
void Oliplot_Filled_Polygon(int n, const double *x, const double *z);
// n above 1: the closed polyline of n points; n below −1: the open polyline of −n
// points; as " 1" segments. −1, 0 and 1 draw nothing.
void Oliplot_Polyline(int n, const double *x, const double *z);
// Rectangle between two corners: " 24  %lf %lf %lf %lf" while the block is not turned,
// else its four edges as " 1" segments.
void Oliplot_Rectangle(double x1, double z1, double x2, double z2);
// Rectangle of width and height (world units) about its centre.
void Oliplot_Rectangle_Centered(double x, double z, double width, double height);
// Text directive " 9 %lf %lf %lf %lf %d «%s»" (X, Y, height 0 = the current text size,
// angle 0, alignment code 10·h_align + v_align) of at most 255 bytes; line breaks, other
// control bytes and guillemets in the text become blanks. h_align: 1 text ends at the point, 2 centred,
// 4 text begins at the point; v_align: 1 top at the point, 2 baseline, 3 centred.
void Oliplot_Text_Printf(double x, double z, int h_align, int v_align, const char *fmt, ...)
    __attribute__((format(printf, 5, 6)));
// Text along the block's rotation: " 14 %lf 0" with the angle in degrees, then the
// text directive with that angle, alignment 43.
void Oliplot_Text_Rotated(double x, double z, const char *text);
// Text centred on the point (alignment 23) for node and line numbers in a box.
void Oliplot_Text_Box(double x, double z, const char *text);
// Dimension line from (x1, z1) to (x2, z2): the line, its two end marks (see
// Oliplot_Set_Dimension_Style) and the label of the world length rounded to tenths,
// whole numbers without decimals (200.04 → "200", 7.5 → "7.5"), of text_height cm.
// mode −2..2: 0 the label on the line; negative on the side of the world normal
// (−(z2 − z1), x2 − x1), positive on the other, 0.5·text_height + 0.05 cm off the line;
// |mode| 1 label upright, 2 and 0 along the line. Returns 0, or −1 when nothing was
// written (no block, zero length, a number not finite).
int Oliplot_Dimension_Line(double x1, double z1, double x2, double z2, double text_height, int mode);
// Two perpendicular axis arrows at (x, z) of arm_cm on paper: the first along the world
// direction (cos angle, sin angle), the second along (sin angle, −cos angle); each an
// arm, two head strokes and its label (none for an empty or null label) beyond the tip.
void Oliplot_Axis_Pair(double x, double z, const char *first_label, const char *second_label,
                       double arm_cm, double angle);

// Drawn extent of the open block in paper cm (of every " 1" segment and " 24"
// rectangle written since Begin_Grafic): out = X min, Y min, X max, Y max. Returns 1,
// or 0 (out[] untouched) when no block is open or nothing was drawn. The plot file's
// block end carries it.
int Oliplot_Drawn_Extent(double out[4]);

// ================================================================ plot file
// While a plot file is open, every Oliplot_* writer also writes its twin record there.
// The file starts with "kelm-ZadaDade (1.0)A", "*TABLES" (the colour table),
// "*ENTITIES"; closing writes "*EOI". Like the list, it is written to a temporary file
// that only a successful close puts in place. Returns 0, or 1 when it cannot be opened
// (an open plot file is closed first).
int Oliplot_Open_Plot_File(const char *path);
// Writes "*EOI", closes and puts the file in place; 0, or 1 when none was open or a
// write, the close or the replace failed (the old plot file then keeps its bytes).
int Oliplot_Close_Plot_File();
int Oliplot_Plot_File_Open();

// Back to program start: drops an open plot file (its old file stays as it was), forgets
// the graphic block and the text state, colours and fills on. Open lists stay open: their
// streams belong to the callers, who close them.
void Reset_Print_For_Tests();
