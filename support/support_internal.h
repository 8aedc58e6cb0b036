// support/support_internal.h — resets of the support files' module state, called by
// Reset_Support_For_Tests.
#pragma once

void Reset_Datastream_State();
void Reset_Timeout_State();
void Reset_Shell_For_Tests();
