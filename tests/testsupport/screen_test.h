// tests/testsupport/screen_test.h — helpers of the screen tests (host and widgets) on the host
// harness: golden pictures, scripted input in one line, and the host's call trace. No
// GoogleTest here: the caller checks what they return.
#pragma once

#include <string>
#include <vector>

// Golden pictures: a region of the host's canvas compared pixel for pixel with a committed
// PNG file (libpng, 8-bit RGB). PF_UPDATE_GOLDEN=1 in the environment writes the files anew
// instead (look at them before committing).

// Compares the canvas region (x1, y1)-(x2, y2) with <repository>/<folder>/<name>. Returns ""
// when they agree (or the file was rewritten on request), else what differs: a missing or
// unreadable file, another size, or the number of differing pixels and the screen position
// of the first.
std::string Golden_Mismatch(const char *folder, const char *name, int x1, int y1, int x2, int y2);

// Scripted input in one line of blank-separated steps: "mX,Y" move, "cX,Y" click (move,
// press, release), "pB"/"rB" press/release button B, "wMS" wait, "kCODE" key, "tTEXT" text
// ('_' types a blank), "WN" wheel turns, "A" abort. Throws std::invalid_argument on a step
// it does not know.
void Script(const std::string &steps);

// The host's call trace: the arguments of every call of a name, as numbers (a text argument
// gives -99999) or as written; the index of the first call starting with prefix from a place.
std::vector<std::vector<int>> Calls_Args(const char *name);
std::vector<std::string> Host_Call_Args(const char *name, int n);  // of the n-th call; empty
int Call_Index(const std::string &prefix, int from = 0);
