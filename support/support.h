// support/support.h — support library: allocation, pointer arrays, plane geometry,
// timeouts, text and message helpers, the versioned value stream, the member file stem
// and the stdio table handed to the host.
//
// Module state: the live-block count of Tools_Alloc, the timeout deadline, the member
// file stem, work-file number and refresh flag (support/shell.h), the value-stream reader
// and writer (support/datastream.h). Reset_Support_For_Tests() brings all of it but the
// live-block count back to program start; the first change of that state registers it
// with Host_Reset(). Not thread-safe: the member flow has one thread.
#pragma once

#include <cmath>
#include <cstddef>
#include <cstdio>
#include <initializer_list>
#include <string>

#include "support/cp850.h"
#include "support/datastream.h"

// ---------------------------------------------------------------- numbers
// True when every value is a finite number: the file readers refuse NaN and infinities, so
// the writers test what they are about to write, and the plot writers what they draw.
inline bool All_Finite(std::initializer_list<double> values) {
  for (double v : values)
    if (!std::isfinite(v)) return false;
  return true;
}

// ---------------------------------------------------------------- allocation
// Tools_Alloc: (block or null, size, zero flag) → the block reallocated to size (a new
// block for null counts one more live block; size 0 is a valid block). With a non-zero
// zero flag the whole block is cleared. Never returns null: when memory runs out the
// run ends through Exit_Memory_Exhausted.
void *Tools_Alloc(void *block, std::size_t size, int zero);
// Frees the block a pointer variable holds, counts one live block less and sets the
// variable to null; a null pointer is ignored.
void Tools_Free_Block(void **pointer_variable);
template <class T>
inline void Tools_Free(T **pointer_variable) {
  void *p = const_cast<void *>(static_cast<const void *>(*pointer_variable));
  Tools_Free_Block(&p);
  *pointer_variable = nullptr;
}
// Live blocks of Tools_Alloc (blocks allocated and not yet freed).
long Tools_Live_Blocks();

// Shows the three-line message that the session must end and ends the run with exit
// code 0.
[[noreturn]] void Exit_Memory_Exhausted();

// Guarded allocation wrappers: (source file, line, tag "null", …). They do not read the
// first three arguments and return null when memory is short, without a message.
void *Mem_Malloc(const char *file, int line, const char *tag, std::size_t size);
void *Mem_Calloc(const char *file, int line, const char *tag, std::size_t count, std::size_t size);
void *Mem_Realloc(const char *file, int line, const char *tag, void *block, std::size_t size);
char *Mem_Strdup(const char *file, int line, const char *tag, const char *text);
void Mem_Free(const char *file, int line, const char *tag, void *block);
#define MEM_MALLOC(size) Mem_Malloc(__FILE__, __LINE__, "null", (size))
#define MEM_CALLOC(count, size) Mem_Calloc(__FILE__, __LINE__, "null", (count), (size))
#define MEM_REALLOC(block, size) Mem_Realloc(__FILE__, __LINE__, "null", (block), (size))
#define MEM_STRDUP(text) Mem_Strdup(__FILE__, __LINE__, "null", (text))
#define MEM_FREE(block) Mem_Free(__FILE__, __LINE__, "null", (block))

// ---------------------------------------------------------------- pointer arrays
// Growable array of pointers {items, count, capacity}; entries not yet set are null.
// The array never owns its items.
struct PTRARR {
  void **items;
  int count;
  int capacity;
};
// A new array with room for n null entries (none for n < 1) and count 0; null when
// memory is short.
PTRARR *PtrArr_Create(int n);
// Frees the item block and the array record, not the items; null is ignored.
void PtrArr_Destroy(PTRARR *array);
// The count (0 for null).
int PtrArr_Count(const PTRARR *array);
// The item at index, or null for an index outside 0 .. count − 1.
void *PtrArr_Get(const PTRARR *array, int index);
// Stores item at index, growing the capacity by 10 (or to index + 1 when that is more)
// and the count to index + 1 when needed; returns the item that stood there before.
// A negative index or a failed growth stores nothing. Note that a failure and an empty
// slot both return null. Appending is storing at index = count.
void *PtrArr_Set(PTRARR *array, int index, void *item);
// Removes the item at index, closes the gap, clears the freed last slot and returns the
// removed item; null for an index outside 0 .. count − 1.
void *PtrArr_Remove(PTRARR *array, int index);
// Calls match(item, key) for the items in order and returns the first item for which it
// is not 0, storing its index; when none matches, stores the count and returns null.
// index may be null.
void *PtrArr_Find(const PTRARR *array, const void *key, int (*match)(const void *item, const void *key),
                  int *index);

// ---------------------------------------------------------------- plane geometry
// Lengths in the caller's unit, angles in radians.

// Ordinate at x of the line through (x1, y1) and (x2, y2), written to out; returns 1 when
// x lies within the segment (ends within 1e-6), else 0. A vertical segment
// (|x2 − x1| < 1e-6) gives (y1 + y2) / 2 when |x − x1| < 1e-6; away from x1 it leaves out
// unchanged and returns 0.
int Segment_Y_At_X(double x1, double y1, double x2, double y2, double x, double *out);
// Intersection (x, y) of the line through points 1 and 2 with the line through points 3
// and 4: 0 with the point, or 1 with (0, 0) when they are parallel (|det| < 1e-6).
int Line_Intersection(double x1, double y1, double x2, double y2, double x3, double y3, double x4,
                      double y4, double *x, double *y);
// Direction angle of the line from point 1 to point 2: atan of the slope, plus pi when
// x1 > x2; a vertical line (|dx| < 1e-5) gives pi/2 upward (and for coincident points)
// and 3 pi/2 downward. Range −pi/2 .. 3 pi/2.
double Line_Direction_Angle(double x1, double y1, double x2, double y2);
// Transforms n points in place: minus the origin, turned by minus the angle, times the
// scale. Nothing for n < 1.
void World_To_Local_Points(double *x, double *y, int n, double origin_x, double origin_y, double angle,
                           double scale);
// The inverse of World_To_Local_Points: divided by the scale, turned by the angle, plus
// the origin. Nothing for n < 1 or a scale of 0.
void Local_To_World_Points(double *x, double *y, int n, double origin_x, double origin_y, double angle,
                           double scale);
// One intersection point of two circles (centre, radius): 0 with the point in (x, y), or
// 1 when the centres coincide or the circles do not meet (outputs unchanged). A non-zero
// choice gives the point P left of the centre line, (c2 − c1) × (P − c1) > 0, choice 0
// the other one. Circles that touch within a relative 1e-9 meet in their touching point.
int Circle_Intersection(double x1, double y1, double r1, double x2, double y2, double r2, int choice,
                        double *x, double *y);
// Moves the n vertices of a closed polygon in place to the parallel polygon at the
// distance; a positive distance moves outward whatever the orientation. Repeated points
// (zero-length edges) are skipped and follow their neighbour. Returns 0, or 1 and changes
// nothing for fewer than 3 or more than 50 points or a zero area.
int Offset_Polygon(int n, double *x, double *y, double distance);
// Drawing scale for a dx × dy extent on a width × height field (cm of drawing per unit):
// n = trunc(100 × max(dx / width, dy / height) + 0.999), each ratio taken only for a
// width or height above 0.999, n at least 1. With a non-zero exact flag the result is
// 100 / n. With flag 0 the ratio n / 100 is raised to the next nice step of the series
// 1, 2, 2.5, 5 × 10^k (drawing scales 1:1, 1:2, 1:2.5, 1:5, 1:10, …) and the result is 1
// over that step.
double Nice_Drawing_Scale(double dx, double dy, double width, double height, int exact);
// The value rounded to n decimal places (halves away from zero).
double Round_To_Decimals(double value, int n);
// x².
double Sqr_Double(double x);

// ---------------------------------------------------------------- timeouts
// One process-wide deadline on the host's monotonic clock (Host_Clock_Ms), in seconds.
// Set_Timeout stores now + seconds (replacing the deadline) and returns now in seconds.
double Set_Timeout(double seconds);
// 1 when the clock has reached the deadline (also when none was set), else 0.
int Timeout_Reached();

// ---------------------------------------------------------------- texts and messages
// Copies text into buffer (size bytes), trims blanks (flag 1 on the left, 2 on the
// right), with flag 4 pads with blanks to size − 1 characters; a longer text is cut to
// size − 1. The buffer is always terminated. Returns the length in the buffer; nothing
// happens (and 0 is returned) for size < 1 or a null buffer. A null text counts as "".
int Copy_Trimmed_String(char *buffer, int size, const char *text, int flags);
// A count as a German word (code page 850) in a static buffer: 0 "keiner", 1 "einer",
// 2 "zwei" … 9 "neun", any other number as "%d".
const char *Count_Word(int n);
// Formatted output to the stream; with a null stream nothing is written and 0 returned.
int Tools_Fprintf(FILE *stream, const char *fmt, ...) __attribute__((format(printf, 2, 3)));
// Shows the formatted text as "^bHINWEIS: %s."; mode 0 on the host's message line (in
// refresh mode, which has no screen, as plain UTF-8 on standard error: "HINWEIS: %s."),
// every other mode in a message box. The text is cut to 500 bytes.
void Hinweis_Message(int mode, const char *fmt, ...) __attribute__((format(printf, 2, 3)));
// Width in pixels of the text in the raster font selected now (host text extent); 0 for
// null.
int Get_Text_Width(const char *text);
// Rewinds the file and reads lines (at most 511 characters; the rest of a longer line
// never counts as a line) until one begins with the keyword: 1 when found, else 0. When
// value is not null, the integer behind the keyword is read into it; it stays unchanged
// when none can be read (the result is still 1).
int Seek_Keyword_Line(const char *keyword, FILE *file, int *value);

// ---------------------------------------------------------------- replacing a file
// A user file is never written in place: the new content goes to a temporary file in the
// target's folder, which is flushed, checked, synced and closed, and only then renamed
// over the target. On any failure the temporary file is removed and the target keeps its
// old bytes (or stays absent). The new file takes the old file's permission bits (a new
// one those of the umask); a chain of symbolic links is followed to its end (also to a
// file that does not exist yet), so every link stays and the file it names is replaced.
// A file that the user may not write is refused, as writing it in place would be. Hard
// links are not kept: the other names keep the old content. The target, the temporary file
// and the final rename are the host layer's (Host_Open_Replace_Temp, Host_Finish_Replace),
// whose pictures take the same road.
//
// With FILE_REPLACE_NO_FOLLOW in flags, the file written is the name itself: a link in its
// place (also a dangling one) is replaced by the new file and what it points to is never
// created, written or removed. The program's own work copies are written so, where another
// user of a shared folder might plant a link.
inline constexpr int FILE_REPLACE_NO_FOLLOW = 1;
struct FILE_REPLACE {
  FILE *stream;  // open for writing ("wb") between Begin and Commit/Abort, else null
  char target[4096];
  char temp[4096];
};
// Every failure below leaves its cause in errno (for the messages' strerror): EISDIR for a
// folder, EINVAL for a device or a record the writer refused, ELOOP for a loop of links,
// else what the failing call gave (ENOSPC, EFBIG, EACCES, ENAMETOOLONG, …).
// Opens the temporary file beside path: its stream, or null when path is null, empty,
// names a folder or a device, a file the user may not write, a link chain that loops,
// or the folder is not writable (nothing is left behind then).
FILE *Begin_File_Replace(FILE_REPLACE *r, const char *path, int flags = 0);
// Flushes, checks the stream for a write error, syncs, closes and renames the temporary
// file over the target: 0, or 1 on any failure (temporary file removed, target unchanged).
// Without an open stream 1.
int Commit_File_Replace(FILE_REPLACE *r);
// Closes and removes the temporary file; the target is untouched. Nothing without a stream.
void Abort_File_Replace(FILE_REPLACE *r);
// The whole road in one call: write(stream, context) fills the temporary file and returns
// 0 on success; any other answer aborts. 0 when the target was replaced, else 1.
int Replace_File(const char *path, int (*write)(FILE *stream, void *context), void *context, int flags = 0);
// Replace_File with the bytes of text as the whole new content: 0, or 1.
int Replace_File_Text(const char *path, const std::string &text, int flags = 0);

// Removes the temporary files that replacements of path left behind when their run was
// killed: the regular files "<name>.~pf-tmp-" and six letters or digits beside the file path
// names (after its links; the host's HOST_REPLACE_TEMP_MARK) whose last change lies more
// than max_age_s seconds back. A younger one may belong to a replacement running now in
// another process and stays; so does every other name, a user's "<name>.tmpMYCOPY" as well
// as the "<name>.tmpXXXXXX" of earlier versions. With FILE_REPLACE_NO_FOLLOW in flags the
// temporary files are those of the name itself (replacements that did not follow its links),
// never those beside what a link there points to. Returns the count removed.
int Remove_Stale_Replace_Temps(const char *path, double max_age_s, int flags = 0);
// The age from which a temporary file of a replacement counts as left behind: no write of
// this program takes ten minutes.
inline constexpr double FILE_REPLACE_STALE_S = 600.0;

// ---------------------------------------------------------------- input files
// Every input file is read through Open_Input_File or Read_Whole_File: only a regular file
// (after following links) is taken, and none larger than the cap. A FIFO, a device or a
// folder named as input would block the run or feed it without end; it is refused at
// once (the open never waits). Both are built on the host layer's Host_Open_Regular_File
// and Host_Read_Regular_File (host/host.h), which the host's own readers use too.
//
// The cap, 64 MiB: the largest file this program writes is a member file with 10,000
// fire-load rows of eight values of 1e308 (about 26 MB), so no file the program wrote is
// ever refused, while a runaway input ends with a message instead of exhausting memory.
inline constexpr std::size_t INPUT_FILE_MAX_BYTES = std::size_t{64} << 20;
enum : int {
  WHOLE_FILE_OK = 0,
  WHOLE_FILE_NOT_OPENED = 1,  // the open failed (errno says why)
  WHOLE_FILE_READ_ERROR = 2,
  WHOLE_FILE_TOO_BIG = 3,     // more than max_bytes
  WHOLE_FILE_NOT_REGULAR = 4, // a FIFO, device, socket or folder
};
// The input file at path, open for reading ("rb"): its stream, or null with *why (may be
// null) one of WHOLE_FILE_NOT_OPENED, WHOLE_FILE_NOT_REGULAR or WHOLE_FILE_TOO_BIG (a
// file of more than max_bytes; 0 stands for INPUT_FILE_MAX_BYTES). A reader of the stream
// reads at most what the file held when it was opened plus what was added since: callers
// that read without an end of their own use Read_Whole_File.
FILE *Open_Input_File(const char *path, std::size_t max_bytes, int *why);
// The whole input file at path, byte for byte, into *bytes (replaced; what was read before
// a failure stays there), by the same rule as Open_Input_File: max_bytes 0 stands for
// INPUT_FILE_MAX_BYTES, also a file that grows while it is read stops there. One of
// WHOLE_FILE_*.
int Read_Whole_File(const char *path, std::string *bytes, std::size_t max_bytes);
// Why an input file was not read, for messages: "not a regular file", "larger than 64 MiB"
// (of the cap in use: max_bytes as above), the error text of errno for a failed open, "read
// error"; "" for WHOLE_FILE_OK.
std::string Input_File_Problem(int code, std::size_t max_bytes, int error_number);

// ---------------------------------------------------------------- host tools
// Non-zero when the host's section-force selection tool "SniSelct.exe" is an executable
// file in the folder that the environment variable "EXEC" names; 0 when it is not or
// "EXEC" is unset.
int SniSelct_Available();

// The program's stdio functions, handed to the host once at start-up: the count 18 and
// the functions in this order.
struct STDIO_FCT_TABLE {
  int count;  // 18
  FILE *(*fopen_fn)(const char *, const char *);
  int (*fclose_fn)(FILE *);
  std::size_t (*fread_fn)(void *, std::size_t, std::size_t, FILE *);
  std::size_t (*fwrite_fn)(const void *, std::size_t, std::size_t, FILE *);
  int (*ferror_fn)(FILE *);
  int (*fscanf_fn)(FILE *, const char *, ...);
  int (*fprintf_fn)(FILE *, const char *, ...);
  int (*fseek_fn)(FILE *, long, int);
  long (*ftell_fn)(FILE *);
  int (*fsetpos_fn)(FILE *, const std::fpos_t *);
  int (*fgetpos_fn)(FILE *, std::fpos_t *);
  char *(*fgets_fn)(char *, int, FILE *);
  int (*fgetc_fn)(FILE *);
  int (*fputs_fn)(const char *, FILE *);
  int (*fputc_fn)(int, FILE *);
  int (*ungetc_fn)(int, FILE *);
  int (*sscanf_fn)(const char *, const char *, ...);
  int (*sprintf_fn)(char *, const char *, ...);
};
// Hands the host (YRMSetStdioFctPtr) the program's table.
void Set_YRM_Stdio_Table();
const STDIO_FCT_TABLE *Get_YRM_Stdio_Table();

// ---------------------------------------------------------------- tests
// Brings the support module back to program start: timeout, value streams (closed),
// member file stem, work-file number and refresh mode. The live-block count is kept: it
// counts blocks that really exist.
void Reset_Support_For_Tests();
