// support/support.h — support library: allocation, pointer arrays, plane geometry,
// timeouts, text and message helpers, the versioned value stream, the member file stem
// and the stdio table handed to the host.
//
// Module state: the live-block count of Tools_Alloc, the timeout deadline, the member
// file stem and work-file number (support/shell.h), the value-stream reader and writer.
// Reset_Support_For_Tests() brings all of it back to program start.
#pragma once

#include <cstddef>
#include <cstdio>

#include "support/cp850.h"

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
// Growable array of pointers; entries not yet set are null. Create/Set/Remove return 1
// style results as documented per function.
struct PTRARR {
  void **items;
  int count;
  int capacity;
};
PTRARR *PtrArr_Create(int n);
void PtrArr_Destroy(PTRARR *array);
int PtrArr_Count(const PTRARR *array);
void *PtrArr_Get(const PTRARR *array, int index);
// Stores item at index (growing by 10, or to index + 1); returns the item that stood
// there before. A failure and an empty slot both return null.
void *PtrArr_Set(PTRARR *array, int index, void *item);
void *PtrArr_Remove(PTRARR *array, int index);
void *PtrArr_Find(const PTRARR *array, const void *key, int (*match)(const void *item, const void *key),
                  int *index);

// ---------------------------------------------------------------- plane geometry
int Segment_Y_At_X(double x1, double y1, double x2, double y2, double x, double *out);
int Line_Intersection(double x1, double y1, double x2, double y2, double x3, double y3, double x4,
                      double y4, double *x, double *y);
double Line_Direction_Angle(double x1, double y1, double x2, double y2);
void World_To_Local_Points(double *x, double *y, int n, double origin_x, double origin_y, double angle,
                           double scale);
void Local_To_World_Points(double *x, double *y, int n, double origin_x, double origin_y, double angle,
                           double scale);
int Circle_Intersection(double x1, double y1, double r1, double x2, double y2, double r2, int choice,
                        double *x, double *y);
int Offset_Polygon(int n, double *x, double *y, double distance);
double Nice_Drawing_Scale(double dx, double dy, double width, double height, int exact);
double Round_To_Decimals(double value, int n);
double Sqr_Double(double x);

// ---------------------------------------------------------------- timeouts
// One process-wide deadline on the host's monotonic clock, in seconds.
double Set_Timeout(double seconds);
int Timeout_Reached();

// ---------------------------------------------------------------- texts and messages
int Copy_Trimmed_String(char *buffer, int size, const char *text, int flags);
const char *Count_Word(int n);
int Tools_Fprintf(FILE *stream, const char *fmt, ...) __attribute__((format(printf, 2, 3)));
void Hinweis_Message(int mode, const char *fmt, ...) __attribute__((format(printf, 2, 3)));
int Get_Text_Width(const char *text);
// Rewinds the file and reads lines (at most 511 characters) until one begins with the
// keyword; reads the integer behind it into value when value is not null.
int Seek_Keyword_Line(const char *keyword, FILE *file, int *value);

// ---------------------------------------------------------------- host tools
int SniSelct_Available();

// The program's stdio functions handed to the host once at start-up.
struct STDIO_FCT_TABLE {
  int count;  // 18
  void *functions[18];
};
void Set_YRM_Stdio_Table();
const STDIO_FCT_TABLE *Get_YRM_Stdio_Table();

void Reset_Support_For_Tests();
