// support/datastream.h — the versioned value stream of data files.
//
// A record is a block: its structure version on a line of its own
// (" 1.200000 # Strukturversionsnummer"), then its values separated by blanks:
//     'd'  double, written " %e " (round trips hold to a relative 5e-7)
//     'i'  int, written " %d "
//     't'  text of at most 255 bytes (a longer one is cut), written " %s " with every
//          blank or other white space as the byte 0x8C, which reads back as a blank;
//          the empty text is written "!º$%&/()=?" and read back as "". A text that
//          holds the byte 0x8C itself ('î') or is that marker would come back as
//          another text: the writer refuses it.
// A reader pushes the block's version with Read_Struct_Version and pops it with
// End_Struct_Version; a field newer than its block is not in the file and gets its
// default. Truncated or garbled input is a failure, never a garbage value.
//
// Module state (support): one writer and one reader, each opened and closed by the
// functions below, and the reader's version stack (at most 32 nested blocks).
#pragma once

#include <cstddef>

// Opens the writer on a new file (closing an open writer first): 0, or 1 when the file
// cannot be created. A file is written beside its target (support's replace helper) and
// put in place by Close_Data_Writer; a device or a pipe is written directly.
int Open_Data_Writer(const char *path);
// Closes the writer: 0, or 1 when a write failed since it was opened or on closing; the
// file is put in place only when nothing failed, else the old file keeps its bytes.
int Close_Data_Writer();
// Writes " %lf # Strukturversionsnummer" and a line end: 0, or non-zero on a write error
// or without a writer.
int Write_Struct_Version(double version);
// Writes one value of type 'd' (double *), 'i' (int *) or 't' (const char *, null as
// ""): 0, or non-zero on a write error, without a writer, for another type, a double that
// is not finite or a text the reader would not give back (nothing is written then).
int Write_Data_Value(const void *value, int type);
// Ends a line: 0, or non-zero on a write error or without a writer.
int Write_Data_Newline();

// Opens the reader on a file (its whole content is read through Read_Whole_File: a regular
// file of at most INPUT_FILE_MAX_BYTES; replacing an open reader) and clears the version
// stack: 0, or 1 when it cannot be read or is refused.
int Open_Data_Reader(const char *path);
// Opens the reader on a copy of size bytes of memory: 0, or 1 when memory is short.
int Open_Data_Reader_Memory(const void *data, std::size_t size);
void Close_Data_Reader();
// Reads the structure version of the next block: 0 and the version pushed on the stack;
// 2 when it is newer than supported, after the message "Alte Programmversion -> kann
// Daten nicht lesen!" (none in refresh mode); 1 on a read error (no version there, end
// of data, no reader, the stack full). Only a result of 0 pushes; the position after a
// failure is unspecified (callers that probe keep Tell_Data_Position).
int Read_Struct_Version(double supported_version);
// Reads one value of type 'd' (double *), 'i' (int *) or 't' (char buffer of at least
// 256 bytes). When field_version is above the version of the innermost block, nothing is
// read and the default is stored (0 or "" for a null default). 0 on success; non-zero on
// a read error (end of data, a value that is not of its type or out of range, a text
// longer than 255 bytes, an unknown type, no reader), after storing the default.
int Read_Data_Value(void *value, int type, double field_version, const void *default_value);
// Pops the innermost block's version; nothing when the stack is empty.
void End_Struct_Version();
// Byte position of the reader (−1 without a reader).
long Tell_Data_Position();
// Moves the reader to a position from Tell_Data_Position: 0, or 1 when it lies outside
// the data or there is no reader.
int Seek_Data_Position(long position);
