// stahl_ec3/session_internal.h — the steps that the two files of the session rules share
// (session_lock.cpp defines them): each file call passes the test seam's kill point first.
// For session.cpp and session_lock.cpp only.
#pragma once

#include <sys/stat.h>

#include <string>

#include "stahl_ec3/program_internal.h"

namespace stahl_ec3_session {

using SessionNote = STAHL_EC3_SESSION_NOTE;

// The test seam: counts a file call, and ends the process at the chosen one.
void _Step();
// The text of a cause (errno), "unknown cause" for 0.
std::string _Why(int err);
bool _Lstat(const std::string &path, struct stat *st);
int _Unlink(const std::string &path);
// True when a name is there (a link too, also a dangling one).
bool _Exists(const std::string &path);
// FNV-1a (64 bits) of the bytes.
unsigned long long _Hash(const std::string &bytes);
long long _Ns(const struct timespec &t);
// Reads the regular file at path whole (under the input cap) without following a link in
// its place: true when read; *st gets the status of what is there (st_mode 0: nothing).
bool _Read_Here(const std::string &path, std::string *bytes, struct stat *st);
// The stamp of one of the program's own copies (no link followed), its bytes in *bytes when
// not null: not present when nothing is there; a link or an unreadable file has hash 0.
STAHL_EC3_FILE_STAMP _Stamp(const std::string &path, std::string *bytes = nullptr);
// The exchange file at path (links followed) read whole: true when a regular file was read.
bool _Read_File(const std::string &path, std::string *bytes);
// True when another process holds a lock on bytes 0 and 1 of fd.
bool _Held_By_Others(int fd);
// The note in the lock file open at fd: false when there is none.
bool _Read_Note(int fd, SessionNote *note);
// Writes the holder's note (only over a lock file of its own); copy_unknown[k] of the run:
// the copy made may hold a killed run's unsaved work.
void _Write_Note(const STAHL_EC3_RUN &r);
// Takes the member's session and presence locks: one of STAHL_EC3_SESSION_*.
int _Take_Session_Lock(STAHL_EC3_RUN &r);
// True when a session other than this one is present (for the holder: from now on none joins).
bool _Others_Present(STAHL_EC3_RUN &r);
// The holder's end, before it puts an exchange file back or removes it: takes the put-back
// byte (let go by _Let_Put_Back after the write) and is false, holding nothing, where a run
// that passed the bound of its wait for this end is present (its late lock). True at once for
// a run that does not hold the session lock.
bool _Hold_Put_Back(STAHL_EC3_RUN &r);
void _Let_Put_Back(STAHL_EC3_RUN &r);
// The bound of the wait for an ending holder (s).
double _End_Wait_S();

}  // namespace stahl_ec3_session
