// support/support_internal.h — resets of the support files' module state, called by
// Reset_Support_For_Tests.
#pragma once

// Registers Reset_Support_For_Tests with the host reset; every first change of support
// state calls it, so that Host_Reset() brings the support module back too.
void Register_Support_Reset();

void Reset_Datastream_State();
void Reset_Timeout_State();
void Reset_Shell_For_Tests();
