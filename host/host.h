// host/host.h — our headless stand-in for the host environment's services.
//
// The member program runs inside a host environment that supplies message boxes, the
// message line, environment lookups, raster fonts, a clock, the screen, sheets and input.
// This layer implements the part of it that the program calls, headless: every message is
// recorded for tests and written to standard error; the screen, sheets and input
// (host/host_screen.h, included at the end) draw into a software canvas. host/README.md
// lists every function; tests drive the host through host/host_test.h.
// Host_Reset() brings the whole layer (and every module that registered a reset with
// Host_Register_Reset) back to program start.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// ---------------------------------------------------------------- messages
// A message box is prepared with Init_Message, filled line by line with Fill_Message
// and shown with Draw_Message. Texts are code page 850.
void Init_Message();
void Fill_Message(const char *fmt, ...) __attribute__((format(printf, 1, 2)));
void Draw_Message();
// A message box of one text with a title.
void PrintMessage(const char *text, const char *title);
// The host window's one-line status text.
void Set_Message_Line(const char *text);

// A message box of one text (lines separated by '\n').
void Show_Message(const char *text);
// A yes/no question: the next answer a test queued (Host_Queue_Answer), else no (0). The
// question is recorded as kind 3.
int Answer_is_Yes(const char *text);
void Host_Queue_Answer(int yes);

// What the host showed, in order (code page 850 bytes). kind: 0 message box,
// 1 PrintMessage, 2 message line, 3 question.
struct HOST_MESSAGE {
  int kind;
  std::string title;
  std::string text;  // lines of a message box joined by '\n'
};
const std::vector<HOST_MESSAGE> &Host_Messages();
void Host_Clear_Messages();
// The form of a recorded title and text in its line on standard error ("[host line] …"). The
// host knows no code page: the program hands it its plain-text conversion (support does when
// the run's mode is set: code page 850 to UTF-8). Without one every byte below 0x20 but the
// line end, and 0x7F, is written as a blank, so that no escape sequence reaches a terminal;
// the other bytes as they are. Returns the one in place before; Host_Reset takes it away.
using HOST_ECHO_TEXT = std::string (*)(const std::string &text);
HOST_ECHO_TEXT Host_Set_Echo_Text(HOST_ECHO_TEXT convert);

// ---------------------------------------------------------------- environment
// The host's environment lookup: the process environment; null when unset.
const char *YRMGetEnv(const char *name);
// Number of the host application that runs the module (150 to 180 in the host's numbering).
int CurOb_Application_Number();
void Host_Set_Application_Number(int number);
// The program's stdio table handed over once at start-up; the host keeps the pointer.
void YRMSetStdioFctPtr(const void *table);
const void *Host_Stdio_Table();

// Private data folder of the current object: the environment variable YRMPRIVATE, null
// when unset or empty.
const char *CurOb_Privat_Datapath();

// ---------------------------------------------------------------- frame and requests
// Title of the program's frame window (kept, at most 259 bytes).
void YRMSetFrameTitle(const char *title);
const char *Host_Frame_Title();
// The function the host calls when the user closes the frame; its answer goes back to the
// host (32768: closed). Host_Request_Close calls it as the host would: 0 without one.
void YRMSetCloseFct(int (*close_fct)());
int Host_Request_Close();
// Services of the host that the headless layer does not have: each records the request
// ("name(argument)") and reports on the message line that it is not available.
// Init_Helpview and Helpview return 0; YRMSpawnv returns −1 (nothing started).
int Init_Helpview(const char *help_file);
int Helpview(const char *topic);
void Quick_OLI_View(const char *list_path);
void Quick_OLI_Print(const char *list_path);
int YRMSpawnv(int mode, const char *program, const char *const *argv);
const std::vector<std::string> &Host_Service_Requests();

// ---------------------------------------------------------------- raster fonts
// Pop_RFont selects a raster font by its font word and Push_RFont returns to the one
// selected before (a stack; the start font is 0x1000). Every character of a font has
// the same advance: n > 0 characters measure n × (RFONT_WIDTH + RFONT_SPACE) − RFONT_SPACE
// pixels. Fixed widths (glyph width, spacing):
//     font word 0        5, 3   (pitch 8)
//     0x1000 normal      6, 1   (pitch 7; also every word not listed)
//     0x1002 small       5, 1   (pitch 6; also 0x11002)
//     0x11000 bold       7, 1   (pitch 8)
//     0x11001 bold large 8, 2   (pitch 10; also 0x1001)
// The style bits 0x20000 and 0x40000 do not change the font.
void Pop_RFont(int font);
void Push_RFont();
int Host_Current_Font();
extern int RFONT_WIDTH;
extern int RFONT_SPACE;
// Host text extent: width in pixels of the first len bytes of text in the current font.
int Host_Text_Extent(const char *text, int len);

// ---------------------------------------------------------------- clock
// Milliseconds on a monotonic clock. Tests switch to a virtual clock that moves only
// when advanced.
double Host_Clock_Ms();
void Host_Use_Virtual_Clock(bool on);
void Host_Advance_Clock_Ms(double ms);

// ---------------------------------------------------------------- files
// The file-system primitives of the host's own readers and writers (bitmaps, user settings,
// BMP and PNG pictures); support's input files and file replacement are built on them.
//
// Reading: only a regular file (after following links) is taken, never more than a cap
// (0 stands for HOST_FILE_MAX_BYTES, 64 MiB), and the open never waits: a FIFO, a device or
// a folder is refused at once instead of blocking the run or feeding it without end.
inline constexpr std::size_t HOST_FILE_MAX_BYTES = std::size_t{64} << 20;
enum : int {
  HOST_FILE_OK = 0,
  HOST_FILE_NOT_OPENED = 1,  // the open failed (errno says why)
  HOST_FILE_READ_ERROR = 2,
  HOST_FILE_TOO_BIG = 3,     // more than the cap
  HOST_FILE_NOT_REGULAR = 4, // a FIFO, device, socket or folder
};
// path open for reading (a blocking, close-on-exec descriptor), or -1 with *why (may be
// null) HOST_FILE_NOT_OPENED (errno says why), HOST_FILE_NOT_REGULAR or HOST_FILE_TOO_BIG.
int Host_Open_Regular_File(const char *path, std::size_t max_bytes, int *why);
// The whole file at path into *bytes (replaced; what was read before a failure stays
// there); a file that grows while it is read stops at the cap. One of HOST_FILE_*.
int Host_Read_Regular_File(const char *path, std::string *bytes, std::size_t max_bytes);
//
// Replacing: the new content goes to a temporary sibling "<name>.~pf-tmp-XXXXXX" of the target,
// which is synced and renamed over it, so a failed write (full disk, size limit, killed
// run) leaves the old file whole and no temporary. Every failure leaves its cause in errno.
// The file a replacement of path writes: a chain of symbolic links followed to its end (also
// when the end does not exist yet), so that every link stays; "" when the chain cannot be
// read or loops (ELOOP).
std::string Host_Replace_Target(const char *path);
// The mark between the target's name and mkstemp's six letters or digits in the name of a
// replacement's temporary file. A name no user would give a file of their own: the sweep of
// stale temporaries (support's Remove_Stale_Replace_Temps) takes only names of this form, so
// a user's "<name>.tmpMYCOPY" stays, and so do temporaries of earlier versions of the
// program ("<name>.tmpXXXXXX"), which the user may clear.
inline constexpr const char *HOST_REPLACE_TEMP_MARK = ".~pf-tmp-";
// The mkstemp pattern of the temporaries beside target: its name (cut to 200 bytes, so the
// folder entry stays short), HOST_REPLACE_TEMP_MARK and "XXXXXX".
std::string Host_Replace_Temp_Pattern(const std::string &target);
// Makes the temporary file for a replacement of path, with the target's permissions (a new
// target's: 0666 less the umask): its descriptor with *target and *temp set, or -1 (nothing
// left behind) when path is null or empty (ENOENT), names a folder (EISDIR) or a device
// (EINVAL), a file the user may not write, a link chain that loops, or the folder is not
// writable. With follow_links false the target is path itself: a link there (also a dangling
// one) is replaced by the new file as a name of its own, and what it points to is never
// written or created.
int Host_Open_Replace_Temp(const char *path, std::string *target, std::string *temp, bool follow_links = true);
// Ends a replacement whose temporary file is written, synced and closed: with err 0 renames
// temp over target (and syncs the folder): 0. On err (the first failure so far) or a failed
// rename, removes temp, leaves the cause in errno: 1.
int Host_Finish_Replace(const std::string &temp, const std::string &target, int err);
// The whole road for size bytes at data: 0 when the target holds them, else 1 (errno).
int Host_Replace_File_Bytes(const char *path, const void *data, std::size_t size);
// Syncs a replacement's written temporary file to the disk before its rename (fsync): 0, or
// -1 with errno. Both roads of replacing (Host_Replace_File_Bytes, support's commit) use it.
int Host_Sync_Replace_File(int fd);
// For tests: sync takes the place of fsync in Host_Sync_Replace_File (null: fsync again);
// returns the one in place before.
using HOST_SYNC = int (*)(int fd);
HOST_SYNC Host_Set_Replace_Sync_For_Tests(HOST_SYNC sync);

// ---------------------------------------------------------------- reset
// Registers a function that brings a module back to program start; Host_Reset calls
// every registered function after resetting the host itself.
void Host_Register_Reset(void (*reset)());
void Host_Reset();

// ---------------------------------------------------------------- screen, sheets, input
#include "host/host_screen.h"
