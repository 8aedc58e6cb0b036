// host/oli_layout.h — layout commands of the host's print-list layout library.
//
// The host's print-list viewer lays out the list; while the list is written the program
// gives it layout commands, each one line in the list (see print/FORMAT.md):
//     "#OLI_FLAGS 0x%x"            OLI_setFlags
//     "#OLI_YPOS %d %.3f"          OLI_setYPositionCM
//     "#OLI_RESERVE %.3f"          OLI_reserveSpaceCM
// Each does nothing for a null stream. No module state.
#pragma once

#include <cstdio>

// Layout flags for what follows (bit word of the viewer; the tables of the profile print
// pass 0x280 before a table and 0x380 after it). Writes "#OLI_FLAGS 0x%x\n".
void OLI_setFlags(FILE *stream, unsigned flags);
// Vertical position (cm): mode 0 absolute from the top of the page, 1 relative to the
// current position (−0.5 moves up by 0.5 cm). Writes "#OLI_YPOS %d %.3f\n"; nothing
// when cm is not a finite number.
void OLI_setYPositionCM(FILE *stream, int mode, double cm);
// Keeps cm of the page free below the current position (the page head reserves room for
// a picture). Writes "#OLI_RESERVE %.3f\n"; nothing when cm is not a finite number above 0.
void OLI_reserveSpaceCM(FILE *stream, double cm);
