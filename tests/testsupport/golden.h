// tests/testsupport/golden.h — golden pictures of the screen tests: a region of the host's
// canvas compared pixel for pixel with a committed PNG file (libpng, 8-bit RGB).
// PF_UPDATE_GOLDEN=1 in the environment writes the files anew instead (look at them before
// committing). No GoogleTest here: the caller checks the returned text.
#pragma once

#include <string>

// Compares the canvas region (x1, y1)-(x2, y2) with <repository>/<folder>/<name>. Returns ""
// when they agree (or the file was rewritten on request), else what differs: a missing or
// unreadable file, another size, or the number of differing pixels and the screen position
// of the first.
std::string Golden_Mismatch(const char *folder, const char *name, int x1, int y1, int x2, int y2);
